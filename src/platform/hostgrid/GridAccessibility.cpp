#include "platform/hostgrid/GridAccessibility.h"

#include "platform/hostgrid/CustomGrid.h"
#include "platform/hostgrid/GridAccessible.h"

#include <QMetaObject>
#include <QPointer>

#include <algorithm>
#include <exception>
#include <vector>

namespace vg::GridAccessibility {

namespace {

QAccessibleInterface* HostGridFactory(const QString& className, QObject* object)
{
    // Asked once per class from the most derived one down: answering only for the host
    // grid class itself leaves descendants to factories of their own.
    if (className != QLatin1String(TCustomGrid::staticMetaObject.className()))
        return nullptr;
    auto* grid = qobject_cast<TCustomGrid*>(object);
    return grid ? new TGridAccessible(grid) : nullptr;
}

class TActivationObserver : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override { Detail::ClientsActive = active; }
};

// The grids whose shape change is being reported; grids live on the GUI thread.
std::vector<const TCustomGrid*>& OpenShapeChanges()
{
    static std::vector<const TCustomGrid*> grids;
    return grids;
}

void ReportCellFocus(TCustomGrid* grid, TGridAccessible& table)
{
    const TGridCoord current{grid->Col(), grid->Row()};
    table.ReportedFocus = current;
    if (QAccessibleInterface* cell = table.CellInterface({current.X, current.Y, false})) {
        QAccessibleEvent event(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace

bool Detail::ClientsActive = false;

void Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&HostGridFactory);
        // Kept for the life of the program: Qt may report activation until it ends.
        static auto* const observer = new TActivationObserver;
        QAccessible::installActivationObserver(observer);
        Detail::ClientsActive = QAccessible::isActive();
        return true;
    }();
    (void)installed;
}

TGridAccessible* TableOf(TCustomGrid* grid)
{
    if (!grid || !QAccessible::isActive() || grid->IsDestroying())
        return nullptr;
    return dynamic_cast<TGridAccessible*>(QAccessible::queryAccessibleInterface(grid));
}

bool ShapeChanging(const TCustomGrid* grid)
{
    const auto& open = OpenShapeChanges();
    return std::find(open.begin(), open.end(), grid) != open.end();
}

void Detail::ReportCellText(TCustomGrid* grid, int col, int row)
{
    if (!QAccessible::isActive() || ShapeChanging(grid))
        return;
    TGridAccessible* table = TableOf(grid);
    QAccessibleInterface* cell = table ? table->CellInterface({col, row, false}) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent named(cell, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleValueChangeEvent changed(cell, cell->text(QAccessible::Value));
    QAccessible::updateAccessibility(&changed);
}

void Detail::ReportRowCells(TCustomGrid* grid, int row, std::span<const TCellText> cells)
{
    for (const TCellText& cell : cells)
        ReportCellText(grid, cell.Col, row);
}

void Detail::ReportSelectionMoved(TCustomGrid* grid, const TGridRect& oldSelection)
{
    if (!QAccessible::isActive())
        return;
    TGridAccessible* table = TableOf(grid);
    if (!table)
        return;
    if (grid->Selection() != oldSelection) {
        QAccessibleEvent event(table, QAccessible::SelectionWithin);
        QAccessible::updateAccessibility(&event);
    }
    if (table->ReportedFocus != TGridCoord{grid->Col(), grid->Row()} && grid->hasFocus())
        ReportCellFocus(grid, *table);
}

void FocusEntered(TCustomGrid* grid)
{
    if (!QAccessible::isActive())
        return;
    // The widget reports its own focus after its focus-in event: the cell's report follows
    // it, so that a client ends on the cell.
    QMetaObject::invokeMethod(
        grid,
        [guarded = QPointer<TCustomGrid>(grid)] {
            if (!guarded || !guarded->hasFocus())
                return;
            if (TGridAccessible* table = TableOf(guarded))
                ReportCellFocus(guarded, *table);
        },
        Qt::QueuedConnection);
}

void EditorLoaded(TCustomGrid* grid, QWidget* editor, TGridCoord cell)
{
    if (!QAccessible::isActive() || !editor)
        return;
    TGridAccessible* table = TableOf(grid);
    if (!table)
        return;
    editor->setAccessibleName(table->CellLocation(cell.X, cell.Y));
    // What described the editor (a suggestion) belonged to the cell it edited before.
    editor->setAccessibleDescription(QString());
}

// ---- Shape changes

TShapeChange::TShapeChange(TCustomGrid* grid, TKind kind, int first, int last)
    : FKind(kind)
    , FFirst(first)
    , FLast(last)
{
    if (!Detail::ClientsActive || ShapeChanging(grid))
        return;
    FGrid = grid;
    FExceptions = std::uncaught_exceptions();
    OpenShapeChanges().push_back(grid);
}

TShapeChange CountsChange(TCustomGrid* grid, int oldColCount, int oldRowCount, int newColCount, int newRowCount)
{
    if (oldColCount != newColCount && oldRowCount != newRowCount)
        return TShapeChange(grid, TShapeChange::Reset);
    if (newRowCount > oldRowCount)
        return TShapeChange(grid, TShapeChange::RowsInserted, oldRowCount, newRowCount - 1);
    if (newRowCount < oldRowCount)
        return TShapeChange(grid, TShapeChange::RowsRemoved, newRowCount, oldRowCount - 1);
    if (newColCount > oldColCount)
        return TShapeChange(grid, TShapeChange::ColumnsInserted, oldColCount, newColCount - 1);
    return TShapeChange(grid, TShapeChange::ColumnsRemoved, newColCount, oldColCount - 1);
}

TShapeChange::~TShapeChange()
{
    if (!FGrid)
        return;
    auto& open = OpenShapeChanges();
    open.erase(std::find(open.begin(), open.end(), FGrid));
    try {
        if (!TableOf(FGrid))
            return;
        using Event = QAccessibleTableModelChangeEvent;
        const bool rows = FKind == RowsInserted || FKind == RowsRemoved;
        const int fixed = rows ? FGrid->FixedRows() : FGrid->FixedCols();
        Event::ModelChangeType type = Event::ModelReset;
        const bool completed = std::uncaught_exceptions() == FExceptions;
        if (FKind != Reset && completed && FFirst >= fixed && FLast >= FFirst) {
            static constexpr Event::ModelChangeType Types[] = {Event::ModelReset, Event::RowsInserted,
                                                               Event::RowsRemoved, Event::ColumnsInserted,
                                                               Event::ColumnsRemoved};
            type = Types[FKind];
        }
        Event event(FGrid, type);
        if (type != Event::ModelReset && rows) {
            event.setFirstRow(FFirst - fixed);
            event.setLastRow(FLast - fixed);
        } else if (type != Event::ModelReset) {
            event.setFirstColumn(FFirst - fixed);
            event.setLastColumn(FLast - fixed);
        }
        QAccessible::updateAccessibility(&event);
    } catch (...) {
        // A report must never take the grid's operation down with it.
    }
}

} // namespace vg::GridAccessibility
