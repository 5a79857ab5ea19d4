// Row and column operations for applications: inserting and deleting data rows with the
// hidden columns' cells kept in step, finding a column by name, selecting a whole row or
// column.
#include "grid/VgGrid.h"
#include "grid/VgGridUndo.h"

namespace vg {

namespace {

// Equal when they differ at most in the case of ASCII letters.
bool SameNameIgnoringAsciiCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c; };
    for (qsizetype i = 0; i < a.size(); ++i)
        if (fold(a[i].unicode()) != fold(b[i].unicode()))
            return false;
    return true;
}

} // namespace

void TVelkoGrid::InsertRow(int ARow)
{
    if (ARow < FixedRows() || ARow >= RowCount())
        throw EvgRowIndexOutOfRange(QStringLiteral("Cannot insert row %1").arg(ARow));
    HideEditor();
    auto step = Recording() ? std::make_unique<TvgRowStep>(*this, ARow, true) : nullptr;
    // The new last row, empty in every column, hidden ones included, moves up to ARow.
    InsertEmptyRow(ARow);
    if (step) {
        step->NoteCursorAfter();
        RecordStep(step.release());
    }
}

void TVelkoGrid::DeleteRow(int ARow)
{
    if (ARow < FixedRows() || ARow >= RowCount())
        throw EvgRowIndexOutOfRange(QStringLiteral("Cannot delete row %1").arg(ARow));
    HideEditor();
    auto step = Recording() ? std::make_unique<TvgRowStep>(*this, ARow, false) : nullptr;
    // The host moves the row to the end, hidden cells along, and drops the last row. The
    // row is gone even when OnRowMoved throws, and so is recorded first.
    const auto record = [&] {
        if (step) {
            step->NoteCursorAfter();
            RecordStep(step.release());
        }
    };
    try {
        TVgHintGrid::DeleteRow(ARow);
    } catch (...) {
        record();
        throw;
    }
    record();
}

TvgColumn* TVelkoGrid::FindColByName(const QString& Name) const
{
    for (int i = 0; i < FColumns->Count(); ++i) {
        TvgColumn* item = (*FColumns)[i];
        if (SameNameIgnoringAsciiCase(item->Name(), Name))
            return item;
    }
    return nullptr;
}

TvgColumn* TVelkoGrid::GetColByName(const QString& Name) const
{
    if (TvgColumn* item = FindColByName(Name))
        return item;
    throw EvgInvalidColumnName(QStringLiteral("Invalid column name \"%1\"").arg(Name));
}

void TVelkoGrid::SelectEntireRow(int ARow)
{
    if (!Options().Contains(goEditing))
        SetSelection(GridRect(FixedCols(), ARow, ColCount() - 1, ARow));
}

void TVelkoGrid::SelectEntireColumn(int ACol)
{
    if (!Options().Contains(goEditing))
        SetSelection(GridRect(ACol, FixedRows(), ACol, RowCount() - 1));
}

} // namespace vg
