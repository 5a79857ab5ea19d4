#include "platform/hostgrid/GridStorage.h"

#include <algorithm>

namespace vg {

void TGridStorage::TrimOpenRow()
{
    if (FOpen)
        FOpen->Trim();
    FOpen = nullptr;
    FOpenRow = -1;
}

void TGridStorage::Open(int row)
{
    FOpenRow = row;
    FOpen = FRows.Get(row).Empty() ? nullptr : &FRows.FilledAt(row);
}

void TGridStorage::Resize(int colCount, int rowCount)
{
    TrimOpenRow();
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    FRows.Resize(rowCount);
    if (colCount < FColCount)
        FRows.UpdateEachFilled([colCount](TPackedRow& cells) { cells.TruncateColumns(colCount); });
    FColCount = colCount;
}

bool TGridStorage::Set(int col, int row, QStringView text)
{
    // The row being filled takes a text in place: a text keeps it filled.
    if (row == FOpenRow && FOpen && !text.isEmpty())
        return FOpen->Set(col, text);
    if (row != FOpenRow)
        TrimOpenRow();
    const TPackedRow& before = FRows.Get(row);
    if (before.Empty()) {
        if (text.isEmpty())
            return false;
        // A row about to hold its first text takes the room the row above it holds (rows
        // are mostly filled alike, one after the other), so a filled row is allocated once.
        TPackedRow cells;
        if (row > 0)
            cells.Reserve(FRows.Get(row - 1).Count(), FRows.Get(row - 1).Chars());
        cells.Set(col, text);
        FRows.Set(row, std::move(cells));
        Open(row);
        return true;
    }
    bool changed = false;
    FRows.Update(row, [&](TPackedRow& cells) { changed = cells.Set(col, text); });
    Open(row);
    return changed;
}

bool TGridStorage::SetRow(int row, std::span<const TCellText> cells)
{
    // A row written whole is packed to fit: no row is kept open after it.
    TrimOpenRow();
    if (FRows.Get(row).Empty() &&
        std::all_of(cells.begin(), cells.end(), [](const TCellText& cell) { return cell.Text.isEmpty(); }))
        return false;
    bool changed = false;
    FRows.Update(row, [&](TPackedRow& packed) { changed = packed.SetMany(cells); });
    return changed;
}

void TGridStorage::MoveColumn(int from, int to)
{
    if (from == to)
        return;
    TrimOpenRow();
    FRows.UpdateEachFilled([&](TPackedRow& cells) { cells.MoveColumn(from, to); });
}

void TGridStorage::MoveRow(int from, int to)
{
    TrimOpenRow();
    FRows.Move(from, to);
}

void TGridStorage::PermuteRows(int first, std::span<const int> order)
{
    TrimOpenRow();
    FRows.Permute(first, order);
}

} // namespace vg
