// Undo and redo: the grid's stack, the steps it records, and how they are replayed.
#include "grid/VgGridUndo.h"

#include "platform/core/Permutation.h"
#include "platform/core/SparseStrings.h"

#include <QScopedValueRollback>
#include <QUndoStack>

#include <algorithm>
#include <utility>

namespace vg {

// ---- The grid's side.

void TVelkoGrid::RecordStep(QUndoCommand* Step)
{
    // The stack takes the step; its first redo does nothing, as the change is made.
    FUndoStack->push(Step);
}

void TVelkoGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    WriteEditedCell(ACol, ARow, Value);
    // The string grid would write the cell without a step; the report it then makes,
    // OnSetEditText and its signal, is made all the same.
    TCustomGrid::SetEditText(ACol, ARow, Value);
}

QString TVelkoGrid::EditorCellText()
{
    if (!FWritingEditedCell)
        EndEditorStep();
    return TVgHintGrid::EditorCellText();
}

void TVelkoGrid::WriteEditedCell(int ACol, int ARow, const QString& Value)
{
    const QScopedValueRollback writing(FWritingEditedCell, true);
    const QString old = Cells(ACol, ARow);
    if (old == Value || !Recording() || GetVisibleColumnCount() <= ACol) {
        SetCells(ACol, ARow, Value);
        return;
    }
    auto step = std::make_unique<TvgCellsStep>(*this, QStringLiteral("Edit"));
    step->Add(ACol, ARow, old, Value);
    step->SetEditSerial(FEditorStepSerial);
    SetCells(ACol, ARow, Value);
    step->NoteCursorAfter();
    RecordStep(step.release());
}

void TVelkoGrid::RecordRowOrder(std::vector<int> Order, std::function<void(const std::vector<int>&)> Apply,
                                const QString& Text)
{
    const int dataRows = RowCount() - FixedRows();
    const bool valid = int(Order.size()) == dataRows && IsPermutation(Order);
    if (!valid)
        throw EInvalidOperation(
            QStringLiteral("TVelkoGrid: a row order must name each of the %1 data rows once").arg(dataRows));
    if (!Apply)
        throw EInvalidOperation(QStringLiteral("TVelkoGrid: a row order needs a way to apply it"));
    if (Recording())
        RecordStep(new TvgRowOrderStep(*this, std::move(Order), std::move(Apply), Text));
}

// ---- Every step.

TvgGridStep::TvgGridStep(TVelkoGrid& Grid, const QString& Text) : QUndoCommand(Text), FGrid(Grid)
{
    FBefore = FAfter = Cursor();
}

void TvgGridStep::NoteCursorAfter()
{
    FAfter = Cursor();
    FAfterNoted = true;
}

TvgGridStep::TCursor TvgGridStep::Cursor() const
{
    const TGridRect selection = FGrid.Selection();
    const TGridCoord current{FGrid.Col(), FGrid.Row()};
    // The anchor is the selection's corner across from the current cell.
    const TGridCoord anchor{current.X == selection.Left ? selection.Right : selection.Left,
                            current.Y == selection.Top ? selection.Bottom : selection.Top};
    return {current, anchor};
}

void TvgGridStep::undo()
{
    Replay(false);
}

void TvgGridStep::redo()
{
    if (std::exchange(FDone, false))
        return;
    Replay(true);
}

void TvgGridStep::Replay(bool Forward)
{
    std::vector<TGridCoord> edited;
    {
        const QScopedValueRollback replaying(FGrid.FReplayingStep, true);
        // An edit still open (an Edit menu's undo leaves the editor open) is cancelled: its
        // text, written now, would be a change no step holds.
        if (TInplaceEdit* editor = FGrid.InplaceEditor(); editor && FGrid.EditorMode())
            editor->RevertText();
        FGrid.HideEditor();
        Apply(Forward, edited);
        if (FRestoresCursor)
            RestoreCursor(Forward ? FAfter : FBefore);
    }
    // The stack counts the step as replayed whatever the application's handlers do: what
    // they raise goes to the application's exception handler.
    for (const TGridCoord& cell : edited)
        Application().GuardEvent([&] { FGrid.DoCellEdited(cell.X, cell.Y); });
}

void TvgGridStep::RestoreCursor(const TCursor& Cursor)
{
    const auto inside = [this](TGridCoord c) {
        return c.X >= FGrid.FixedCols() && c.X < FGrid.ColCount() && c.Y >= FGrid.FixedRows()
            && c.Y < FGrid.RowCount();
    };
    if (!inside(Cursor.Current))
        return;
    FGrid.MoveCurrent(Cursor.Current.X, Cursor.Current.Y, true, true);
    if (inside(Cursor.Anchor) && TGridCoord{FGrid.Col(), FGrid.Row()} == Cursor.Current
        && FGrid.Options().Contains(goRangeSelect))
        FGrid.MoveAnchor(Cursor.Anchor);
}

TvgColumn* TvgGridStep::ColumnById(int Id) const
{
    return static_cast<TvgColumn*>(FGrid.Columns()->FindItemID(Id));
}

QString TvgGridStep::ObjectCell(const TvgColumn& Column, int Row) const
{
    if (Row < 0 || Row >= FGrid.RowCount())
        return {};
    if (Column.Visible()) {
        const int gridColumn = FGrid.GridColumnForColumnObject(&Column);
        return gridColumn >= 0 ? FGrid.Cells(gridColumn, Row) : QString();
    }
    return Row < Column.Cols()->Count() ? Column.Cols()->Get(Row) : QString();
}

int TvgGridStep::SetObjectCell(TvgColumn& Column, int Row, const QString& Value)
{
    if (Row < 0 || Row >= FGrid.RowCount())
        return -1;
    if (Column.Visible()) {
        const int gridColumn = FGrid.GridColumnForColumnObject(&Column);
        if (gridColumn >= 0)
            FGrid.SetCells(gridColumn, Row, Value);
        return gridColumn;
    }
    FGrid.KeepHiddenCellsInStep();
    Column.Cols()->Put(Row, Value);
    return -1;
}

// ---- Cells.

void TvgCellsStep::Add(int ACol, int ARow, QString Old, QString New)
{
    if (FSlotOfGridColumn.size() <= size_t(ACol))
        FSlotOfGridColumn.resize(size_t(ACol) + 1, -1);
    int& slot = FSlotOfGridColumn[size_t(ACol)];
    if (slot < 0) {
        slot = int(FColumnIds.size());
        FColumnIds.push_back(FGrid.GetVisibleColumn(ACol)->ID());
    }
    FChanges.push_back({slot, ARow, std::move(Old), std::move(New)});
}

bool TvgCellsStep::mergeWith(const QUndoCommand* Other)
{
    const auto* other = static_cast<const TvgCellsStep*>(Other);
    if (other->FEditSerial != FEditSerial || FChanges.size() != 1 || other->FChanges.size() != 1
        || FColumnIds[0] != other->FColumnIds[0] || FChanges[0].Row != other->FChanges[0].Row)
        return false;
    FChanges[0].New = other->FChanges[0].New;
    // An edit that ends where it began changed nothing: the stack drops it.
    setObsolete(FChanges[0].New == FChanges[0].Old);
    return true;
}

void TvgCellsStep::Apply(bool Forward, std::vector<TGridCoord>& Edited)
{
    std::vector<TvgColumn*> columns;
    columns.reserve(FColumnIds.size());
    for (int id : FColumnIds)
        columns.push_back(ColumnById(id));
    Edited.reserve(FChanges.size());
    const auto write = [&](const TChange& change) {
        TvgColumn* column = columns[size_t(change.Column)];
        if (!column)
            return;
        const int gridColumn = SetObjectCell(*column, change.Row, Forward ? change.New : change.Old);
        if (gridColumn >= 0)
            Edited.push_back({gridColumn, change.Row});
    };
    const bool addsRows = FRowsAfter > FRowsBefore && FRowsBefore >= 1;
    if (Forward) {
        if (addsRows && FGrid.RowCount() == FRowsBefore)
            FGrid.SetRowCount(FRowsAfter);
        std::for_each(FChanges.begin(), FChanges.end(), write);
    } else {
        std::for_each(FChanges.rbegin(), FChanges.rend(), write);
        if (addsRows && FGrid.RowCount() == FRowsAfter) {
            FGrid.SetRowCount(FRowsBefore);
            // The cells of the rows taken away are not reported.
            std::erase_if(Edited, [this](const TGridCoord& cell) { return cell.Y >= FRowsBefore; });
        }
    }
}

// ---- Rows.

TvgRowStep::TvgRowStep(TVelkoGrid& Grid, int Row, bool Inserted)
    : TvgGridStep(Grid, Inserted ? QStringLiteral("Insert row") : QStringLiteral("Delete row")), FRow(Row),
      FInserted(Inserted)
{
    if (Inserted)
        return;
    const TvgColumns& columns = *Grid.Columns();
    for (int i = 0; i < columns.Count(); ++i) {
        QString text = ObjectCell(*columns[i], Row);
        if (!text.isEmpty())
            FCells.emplace_back(columns[i]->ID(), std::move(text));
    }
}

void TvgRowStep::Apply(bool Forward, std::vector<TGridCoord>& Edited)
{
    const bool insert = Forward == FInserted;
    if (FRow < FGrid.FixedRows() || FRow > FGrid.RowCount() || (!insert && FRow == FGrid.RowCount()))
        return;
    if (!insert) {
        FGrid.DeleteRow(FRow);
        return;
    }
    if (FRow == FGrid.RowCount())
        FGrid.SetRowCount(FRow + 1);
    else
        FGrid.InsertRow(FRow);
    for (const auto& [id, text] : FCells) {
        if (TvgColumn* column = ColumnById(id)) {
            const int gridColumn = SetObjectCell(*column, FRow, text);
            if (gridColumn >= 0)
                Edited.push_back({gridColumn, FRow});
        }
    }
}

// ---- Columns.

TvgColumnMoveStep::TvgColumnMoveStep(TVelkoGrid& Grid, int FromIndex, int ToIndex)
    : TvgGridStep(Grid, QStringLiteral("Move column")), FColumnId(Grid.GetVisibleColumn(ToIndex)->ID()),
      FFrom(FromIndex), FTo(ToIndex)
{
}

void TvgColumnMoveStep::Apply(bool Forward, std::vector<TGridCoord>&)
{
    const int at = FGrid.GridColumnForColumnObject(ColumnById(FColumnId));
    const int to = Forward ? FTo : FFrom;
    if (at >= 0 && to < FGrid.ColCount() && at != to)
        FGrid.MoveColumn(at, to);
}

// ---- Row order.

TvgRowOrderStep::TvgRowOrderStep(TVelkoGrid& Grid, std::vector<int> Order,
                                 std::function<void(const std::vector<int>&)> Apply, const QString& Text)
    : TvgGridStep(Grid, Text), FOrder(std::move(Order)), FInverse(InversePermutation(FOrder)), FApply(std::move(Apply))
{
    // The current row follows its content as the rows are put in order.
    FRestoresCursor = false;
}

void TvgRowOrderStep::Apply(bool Forward, std::vector<TGridCoord>&)
{
    // A grid whose rows were added or removed since has no rows to put back in this order.
    if (FGrid.RowCount() - FGrid.FixedRows() == int(FOrder.size()))
        FApply(Forward ? FOrder : FInverse);
}

} // namespace vg
