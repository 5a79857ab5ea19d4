#include "platform/hostgrid/GridCellAccessible.h"

#include "platform/hostgrid/CustomGrid.h"

#include <QWidget>
#include <QWindow>

namespace vg {

TGridCellAccessible::TGridCellAccessible(TCustomGrid* grid, const TGridCellKey& key)
    : FGrid(grid)
    , FKey(key)
{
}

TGridAccessible* TGridCellAccessible::Table() const
{
    if (!FGrid)
        return nullptr;
    return dynamic_cast<TGridAccessible*>(QAccessible::queryAccessibleInterface(FGrid.data()));
}

bool TGridCellAccessible::isValid() const
{
    const TGridAccessible* table = Table();
    return table && table->IsKeyValid(FKey);
}

bool TGridCellAccessible::IsDataCell() const
{
    return !FKey.Band && FKey.Col >= FGrid->FixedCols() && FKey.Row >= FGrid->FixedRows();
}

QWindow* TGridCellAccessible::window() const
{
    return FGrid ? FGrid->window()->windowHandle() : nullptr;
}

QString TGridCellAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    switch (t) {
    case QAccessible::Name:
        return Table()->CellName(FKey);
    case QAccessible::Value:
        return IsDataCell() ? Table()->CellStoredText(FKey.Col, FKey.Row) : QString();
    default:
        return {};
    }
}

QRect TGridCellAccessible::rect() const
{
    if (!isValid())
        return {};
    TRect r = FGrid->CellRect(FKey.Col, FKey.Row);
    if (FKey.Band) {
        // The heading lies over the upper half of row 0 of every column of its group.
        const int last = Table()->BandLastCol(FKey.Col);
        r = FGrid->BoxRect(FKey.Col, 0, last, 0);
        r.Bottom = r.Top + FGrid->RowHeights(0) / 2;
    }
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        return {};
    const QRect local(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    return local.translated(FGrid->viewport()->mapToGlobal(QPoint(0, 0)));
}

QAccessible::Role TGridCellAccessible::role() const
{
    const TGridAccessible* table = Table();
    return table && table->IsKeyValid(FKey) ? table->CellRole(FKey) : QAccessible::Cell;
}

QAccessible::State TGridCellAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    if (rect().isEmpty()) {
        s.invisible = true;
        s.offscreen = true;
    }
    if (IsDataCell()) {
        s.focusable = true;
        s.selectable = true;
        s.selected = isSelected();
        const bool current = FGrid->Col() == FKey.Col && FGrid->Row() == FKey.Row;
        s.active = current;
        s.focused = current && FGrid->hasFocus();
    }
    Table()->AddCellState(FKey, s);
    return s;
}

void* TGridCellAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableCellInterface) {
        // Corner cells (fixed in both directions) head no column or row of the table.
        if (!isValid() || (!IsDataCell() && columnExtent() == 0 && rowExtent() == 0))
            return nullptr;
        return static_cast<QAccessibleTableCellInterface*>(this);
    }
    if (t == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

// ---- Table cell

bool TGridCellAccessible::isSelected() const
{
    return isValid() && IsDataCell() && FGrid->Selection().Contains(FKey.Col, FKey.Row);
}

namespace {

QList<QAccessibleInterface*> Interfaces(const TGridAccessible& table, const std::vector<TGridCellKey>& keys)
{
    QList<QAccessibleInterface*> cells;
    for (const TGridCellKey& key : keys) {
        if (QAccessibleInterface* cell = table.CellInterface(key))
            cells << cell;
    }
    return cells;
}

} // namespace

QList<QAccessibleInterface*> TGridCellAccessible::columnHeaderCells() const
{
    if (!isValid() || !IsDataCell())
        return {};
    return Interfaces(*Table(), Table()->ColumnHeaderKeys(FKey.Col));
}

QList<QAccessibleInterface*> TGridCellAccessible::rowHeaderCells() const
{
    if (!isValid() || !IsDataCell())
        return {};
    return Interfaces(*Table(), Table()->RowHeaderKeys(FKey.Row));
}

int TGridCellAccessible::columnIndex() const
{
    if (!isValid())
        return -1;
    if (IsDataCell())
        return Table()->TableColumn(FKey.Col);
    const TGridHeaderSpan span = Table()->HeaderColumns(FKey);
    return span.Count > 0 ? span.First : 0;
}

int TGridCellAccessible::rowIndex() const
{
    if (!isValid())
        return -1;
    if (IsDataCell())
        return Table()->TableRow(FKey.Row);
    const TGridHeaderSpan span = Table()->HeaderRows(FKey);
    return span.Count > 0 ? span.First : 0;
}

int TGridCellAccessible::columnExtent() const
{
    if (!isValid())
        return 0;
    if (IsDataCell())
        return 1;
    return Table()->HeaderColumns(FKey).Count;
}

int TGridCellAccessible::rowExtent() const
{
    if (!isValid())
        return 0;
    if (IsDataCell())
        return 1;
    return Table()->HeaderRows(FKey).Count;
}

// ---- Actions

QStringList TGridCellAccessible::actionNames() const
{
    if (!isValid())
        return {};
    QStringList names;
    if (IsDataCell())
        names << setFocusAction();
    names << Table()->CellActions(FKey);
    return names;
}

void TGridCellAccessible::doAction(const QString& actionName)
{
    if (!isValid() || !actionNames().contains(actionName))
        return;
    if (actionName != setFocusAction()) {
        Table()->DoCellAction(FKey, actionName);
        return;
    }
    // The move asks the application (which may refuse it); its failures stay here.
    Application().GuardEvent([&] { Table()->MakeCurrent(FKey.Col, FKey.Row); });
}

} // namespace vg
