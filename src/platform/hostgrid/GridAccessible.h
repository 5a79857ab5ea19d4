/// \file
/// The host grid as accessibility clients (screen readers) see it: a table whose rows and
/// columns are the scrollable cells, with the fixed rows as column headers and the fixed
/// columns as row headers. Cells are small interfaces made on demand and kept by the table
/// until its shape changes; nothing is kept per cell otherwise. Descendants refine what a
/// cell is called, which headers a column has and what a cell can do.
///
/// Table coordinates (QAccessibleTableInterface) count scrollable cells from 0; a cell key
/// (TGridCellKey) names a grid cell in grid coordinates, fixed cells included.
#pragma once

#include "platform/core/Export.h"

#include "platform/core/Types.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include <optional>
#include <vector>

namespace vg {

class TCustomGrid;
class TGridCellAccessible;

/// A grid cell, or (Band) the merged heading above row 0 that starts at column Col.
struct VELKOGRID_EXPORT TGridCellKey {
    int Col = -1;
    int Row = -1;
    bool Band = false;
    friend bool operator==(const TGridCellKey&, const TGridCellKey&) = default;
};

/// The columns (rows) of the table a header cell heads, in table coordinates.
struct VELKOGRID_EXPORT TGridHeaderSpan {
    int First = 0;
    int Count = 0;
};

/// A host grid as an accessible table: its scrollable cells are the table's cells, fixed rows
/// head its columns and fixed columns its rows. Installed for every host grid by its
/// constructor; cell interfaces are made on demand and kept until the grid's shape changes.
/// \ingroup host_grid
class VELKOGRID_EXPORT TGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TGridAccessible(TCustomGrid* grid);
    ~TGridAccessible() override;

    TCustomGrid* Grid() const;

    /// ---- QAccessibleInterface.
    bool isValid() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    /// ---- QAccessibleTableInterface (table coordinates; out of range gives null or false).
    QAccessibleInterface* caption() const override;
    QAccessibleInterface* summary() const override;
    QAccessibleInterface* cellAt(int row, int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedCellCount() const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    /// The most cells selectedCells lists: a selection of whole columns of a large grid
    /// would otherwise make millions of interfaces at once. selectedCellCount counts all.
    static constexpr int MaxListedCells = 65536;

    /// ---- What a cell is (grid coordinates). The base reads the texts of a string grid.
    /// The cell's name: its text as shown.
    virtual QString CellName(const TGridCellKey& key) const;
    /// The text the cell holds, where it may differ from what it shows.
    virtual QString CellStoredText(int col, int row) const;
    virtual QAccessible::Role CellRole(const TGridCellKey& key) const;
    /// Adds what the grid knows beyond selection and focus (read-only, has a list, …).
    virtual void AddCellState(const TGridCellKey& key, QAccessible::State& state) const;
    /// The header cells of a grid column, from the top down: the fixed rows' cells.
    virtual std::vector<TGridCellKey> ColumnHeaderKeys(int col) const;
    /// The merged headings: how many there are, the i-th from the left, the grid columns
    /// the one starting at col spans, and the one (if any) over a viewport point.
    virtual int BandCount() const { return 0; }
    virtual TGridCellKey BandAt(int) const { return {}; }
    /// The place among the merged headings of the one starting at col; -1 for none.
    virtual int BandIndexOf(int) const { return -1; }
    virtual int BandLastCol(int col) const { return col; }
    virtual std::optional<TGridCellKey> BandAtPoint(QPoint) const { return std::nullopt; }
    /// The actions of a cell beyond setting the focus there, and doing one of them.
    virtual QStringList CellActions(const TGridCellKey& key) const;
    virtual void DoCellAction(const TGridCellKey& key, const QString& action);
    /// Gives the grid the keyboard focus and makes the data cell current, asking the
    /// application as a move by key would; true when the cell is current then. Failures
    /// of the application's handlers propagate.
    bool MakeCurrent(int col, int row);
    /// Says which cell a text refers to: the cell's headers, then its row's title (or its
    /// row number when it has none). Used to name the editor.
    QString CellLocation(int col, int row) const;

    /// ---- For the cells and the reports.
    bool IsKeyValid(const TGridCellKey& key) const;
    QAccessibleInterface* CellInterface(const TGridCellKey& key) const;
    int IndexOfKey(const TGridCellKey& key) const;
    /// Table coordinates of a grid cell; -1 for fixed ones.
    int TableRow(int row) const;
    int TableColumn(int col) const;
    std::vector<TGridCellKey> RowHeaderKeys(int row) const;
    /// The columns (rows) a header cell heads; Count 0 for none.
    TGridHeaderSpan HeaderColumns(const TGridCellKey& key) const;
    TGridHeaderSpan HeaderRows(const TGridCellKey& key) const;
    /// Forgets every cell interface: after the grid's shape changed.
    void DropCells();
    /// The current cell last reported to clients as focused.
    TGridCoord ReportedFocus;

private:
    QAccessibleInterface* KeyAtIndex(qint64 index) const;
    qint64 GridCellCount() const;

    mutable QHash<quint64, QAccessible::Id> FCells;
};

} // namespace vg
