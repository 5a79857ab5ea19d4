/// \file
/// One cell of the host grid as accessibility clients see it: a data cell (role Cell) or a
/// header cell (a fixed cell, or a merged heading). It names its cell by grid coordinates
/// and asks its table for everything else, so it never outlives what it describes: once
/// the grid is gone, or the cell lies outside it, it reports itself invalid.
#pragma once

#include "platform/core/Export.h"

#include "platform/hostgrid/GridAccessible.h"

namespace vg {

/// One cell, header cell or merged heading of a host grid's accessible table.
/// \ingroup host_grid
class VELKOGRID_EXPORT TGridCellAccessible : public QAccessibleInterface,
                            public QAccessibleTableCellInterface,
                            public QAccessibleActionInterface {
public:
    TGridCellAccessible(TCustomGrid* grid, const TGridCellKey& key);

    const TGridCellKey& Key() const { return FKey; }

    /// ---- QAccessibleInterface.
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return Table(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    /// ---- QAccessibleTableCellInterface (table coordinates). A column header gives the
    /// columns it heads and row 0 with an extent of 0; a row header the other way round.
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override;
    int rowExtent() const override;
    QAccessibleInterface* table() const override { return Table(); }

    /// ---- QAccessibleActionInterface.
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    TGridAccessible* Table() const;
    bool IsDataCell() const;

    QPointer<TCustomGrid> FGrid;
    TGridCellKey FKey;
};

} // namespace vg
