#include "platform/hostgrid/GridAccessible.h"

#include "platform/hostgrid/CustomGrid.h"
#include "platform/hostgrid/GridCellAccessible.h"
#include "platform/hostgrid/StringGrid.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace vg {

namespace {

// One number per cell key, for the table's cache: rows and columns are below 2^31.
quint64 HashOf(const TGridCellKey& key)
{
    return (quint64(key.Band) << 63) | (quint64(unsigned(key.Col)) << 31) | quint64(unsigned(key.Row));
}

int ClampToInt(qint64 value)
{
    return int(std::min<qint64>(value, std::numeric_limits<int>::max()));
}

QString JoinNames(const TGridAccessible& table, const std::vector<TGridCellKey>& keys)
{
    QStringList names;
    for (const TGridCellKey& key : keys) {
        const QString name = table.CellName(key);
        if (!name.isEmpty())
            names << name;
    }
    return names.join(QStringLiteral(", "));
}

} // namespace

TGridAccessible::TGridAccessible(TCustomGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{
}

TGridAccessible::~TGridAccessible()
{
    DropCells();
}

TCustomGrid* TGridAccessible::Grid() const
{
    return static_cast<TCustomGrid*>(object());
}

bool TGridAccessible::isValid() const
{
    return QAccessibleWidget::isValid() && !Grid()->IsDestroying();
}

void* TGridAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QAccessible::Role TGridAccessible::role() const
{
    return QAccessible::Table;
}

QAccessible::State TGridAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.selectable = true;
    s.multiSelectable = Grid()->Options().Contains(goRangeSelect) || Grid()->Options().Contains(goRowSelect);
    s.extSelectable = s.multiSelectable;
    return s;
}

qint64 TGridAccessible::GridCellCount() const
{
    return qint64(Grid()->ColCount()) * Grid()->RowCount();
}

int TGridAccessible::childCount() const
{
    if (!isValid())
        return 0;
    return ClampToInt(GridCellCount() + BandCount());
}

QAccessibleInterface* TGridAccessible::KeyAtIndex(qint64 index) const
{
    const qint64 cells = GridCellCount();
    if (index < 0)
        return nullptr;
    if (index < cells)
        return CellInterface({int(index % Grid()->ColCount()), int(index / Grid()->ColCount()), false});
    if (index - cells < BandCount())
        return CellInterface(BandAt(int(index - cells)));
    return nullptr;
}

QAccessibleInterface* TGridAccessible::child(int index) const
{
    return isValid() ? KeyAtIndex(index) : nullptr;
}

int TGridAccessible::IndexOfKey(const TGridCellKey& key) const
{
    if (!IsKeyValid(key))
        return -1;
    qint64 index = -1;
    if (!key.Band) {
        index = qint64(key.Row) * Grid()->ColCount() + key.Col;
    } else {
        index = GridCellCount() + BandIndexOf(key.Col);
    }
    return index > std::numeric_limits<int>::max() ? -1 : int(index);
}

int TGridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    auto* cell = dynamic_cast<const TGridCellAccessible*>(child);
    if (!cell || !isValid() || cell->table() != this)
        return -1;
    return IndexOfKey(cell->Key());
}

QAccessibleInterface* TGridAccessible::childAt(int x, int y) const
{
    if (!isValid())
        return nullptr;
    const QPoint p = Grid()->viewport()->mapFromGlobal(QPoint(x, y));
    if (const std::optional<TGridCellKey> band = BandAtPoint(p))
        return CellInterface(*band);
    const TGridCoord cell = Grid()->MouseCoord(p.x(), p.y());
    if (cell.X < 0 || cell.Y < 0)
        return nullptr;
    return CellInterface({cell.X, cell.Y, false});
}

QAccessibleInterface* TGridAccessible::focusChild() const
{
    if (!isValid())
        return nullptr;
    TInplaceEdit* editor = Grid()->InplaceEditor();
    if (editor && editor->hasFocus())
        return QAccessible::queryAccessibleInterface(editor);
    if (!Grid()->hasFocus())
        return nullptr;
    return CellInterface({Grid()->Col(), Grid()->Row(), false});
}

// ---- The table

QAccessibleInterface* TGridAccessible::caption() const
{
    return nullptr;
}

QAccessibleInterface* TGridAccessible::summary() const
{
    return nullptr;
}

int TGridAccessible::TableRow(int row) const
{
    return row >= Grid()->FixedRows() && row < Grid()->RowCount() ? row - Grid()->FixedRows() : -1;
}

int TGridAccessible::TableColumn(int col) const
{
    return col >= Grid()->FixedCols() && col < Grid()->ColCount() ? col - Grid()->FixedCols() : -1;
}

QAccessibleInterface* TGridAccessible::cellAt(int row, int column) const
{
    if (!isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    return CellInterface({column + Grid()->FixedCols(), row + Grid()->FixedRows(), false});
}

int TGridAccessible::columnCount() const
{
    return isValid() ? Grid()->ColCount() - Grid()->FixedCols() : 0;
}

int TGridAccessible::rowCount() const
{
    return isValid() ? Grid()->RowCount() - Grid()->FixedRows() : 0;
}

QString TGridAccessible::columnDescription(int column) const
{
    if (column < 0 || column >= columnCount())
        return {};
    return JoinNames(*this, ColumnHeaderKeys(column + Grid()->FixedCols()));
}

QString TGridAccessible::rowDescription(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return JoinNames(*this, RowHeaderKeys(row + Grid()->FixedRows()));
}

QString TGridAccessible::CellLocation(int col, int row) const
{
    QStringList parts;
    const QString column = JoinNames(*this, ColumnHeaderKeys(col));
    if (!column.isEmpty())
        parts << column;
    const QString rowTitle = JoinNames(*this, RowHeaderKeys(row));
    if (!rowTitle.isEmpty())
        parts << rowTitle;
    else if (TableRow(row) >= 0)
        parts << QCoreApplication::translate("vg::TGridAccessible", "row %1").arg(TableRow(row) + 1);
    return parts.join(QStringLiteral(", "));
}

int TGridAccessible::selectedCellCount() const
{
    if (!isValid())
        return 0;
    const TGridRect s = Grid()->Selection();
    return ClampToInt(qint64(s.Right - s.Left + 1) * (s.Bottom - s.Top + 1));
}

int TGridAccessible::selectedColumnCount() const
{
    return int(selectedColumns().size());
}

int TGridAccessible::selectedRowCount() const
{
    return int(selectedRows().size());
}

QList<QAccessibleInterface*> TGridAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    if (!isValid())
        return cells;
    const TGridRect s = Grid()->Selection();
    for (int row = s.Top; row <= s.Bottom; ++row) {
        for (int col = s.Left; col <= s.Right; ++col) {
            if (cells.size() >= MaxListedCells)
                return cells;
            if (QAccessibleInterface* cell = CellInterface({col, row, false}))
                cells << cell;
        }
    }
    return cells;
}

// A column (row) is selected when every one of its cells is.
QList<int> TGridAccessible::selectedColumns() const
{
    QList<int> columns;
    if (!isValid())
        return columns;
    const TGridRect s = Grid()->Selection();
    if (s.Top != Grid()->FixedRows() || s.Bottom != Grid()->RowCount() - 1)
        return columns;
    for (int col = s.Left; col <= s.Right; ++col)
        columns << col - Grid()->FixedCols();
    return columns;
}

QList<int> TGridAccessible::selectedRows() const
{
    QList<int> rows;
    if (!isValid())
        return rows;
    const TGridRect s = Grid()->Selection();
    if (s.Left != Grid()->FixedCols() || s.Right != Grid()->ColCount() - 1)
        return rows;
    for (int row = s.Top; row <= s.Bottom; ++row)
        rows << row - Grid()->FixedRows();
    return rows;
}

bool TGridAccessible::isColumnSelected(int column) const
{
    return selectedColumns().contains(column);
}

bool TGridAccessible::isRowSelected(int row) const
{
    if (!isValid() || row < 0 || row >= rowCount())
        return false;
    const TGridRect s = Grid()->Selection();
    const int gridRow = row + Grid()->FixedRows();
    return s.Left == Grid()->FixedCols() && s.Right == Grid()->ColCount() - 1 && gridRow >= s.Top && gridRow <= s.Bottom;
}

namespace {

// The grid holds one range of cells: selecting a row or column replaces it, and that is
// allowed only where the grid lets users select more than a cell.
bool SetSelectionSafely(TCustomGrid& grid, const TGridRect& range)
{
    try {
        grid.SetSelection(range);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool MaySelectRanges(const TCustomGrid& grid)
{
    return grid.Options().Contains(goRangeSelect) || grid.Options().Contains(goRowSelect);
}

} // namespace

bool TGridAccessible::selectRow(int row)
{
    if (row < 0 || row >= rowCount() || !MaySelectRanges(*Grid()))
        return false;
    const int gridRow = row + Grid()->FixedRows();
    return SetSelectionSafely(*Grid(), GridRect(Grid()->FixedCols(), gridRow, Grid()->ColCount() - 1, gridRow));
}

bool TGridAccessible::selectColumn(int column)
{
    if (column < 0 || column >= columnCount() || !MaySelectRanges(*Grid()) || Grid()->Options().Contains(goRowSelect))
        return false;
    const int gridCol = column + Grid()->FixedCols();
    return SetSelectionSafely(*Grid(), GridRect(gridCol, Grid()->FixedRows(), gridCol, Grid()->RowCount() - 1));
}

// The one range can lose a row (column) at its edges; one in its middle would split it,
// and the last one cannot go (the current cell is always selected).
bool TGridAccessible::unselectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    TGridRect s = Grid()->Selection();
    const int gridRow = row + Grid()->FixedRows();
    if (gridRow < s.Top || gridRow > s.Bottom)
        return true;
    if (s.Top == s.Bottom)
        return false;
    if (gridRow == s.Top)
        ++s.Top;
    else if (gridRow == s.Bottom)
        --s.Bottom;
    else
        return false;
    return SetSelectionSafely(*Grid(), s);
}

bool TGridAccessible::unselectColumn(int column)
{
    if (column < 0 || column >= columnCount() || Grid()->Options().Contains(goRowSelect))
        return false;
    TGridRect s = Grid()->Selection();
    const int gridCol = column + Grid()->FixedCols();
    if (gridCol < s.Left || gridCol > s.Right)
        return true;
    if (s.Left == s.Right)
        return false;
    if (gridCol == s.Left)
        ++s.Left;
    else if (gridCol == s.Right)
        --s.Right;
    else
        return false;
    return SetSelectionSafely(*Grid(), s);
}

void TGridAccessible::modelChange(QAccessibleTableModelChangeEvent*)
{
    // Cells are named by grid coordinates: after any change of shape they may name other
    // cells, so every one is made anew when next asked for.
    DropCells();
}

void TGridAccessible::DropCells()
{
    const QHash<quint64, QAccessible::Id> cells = std::exchange(FCells, {});
    for (QAccessible::Id id : cells)
        QAccessible::deleteAccessibleInterface(id);
}

// ---- Cells

bool TGridAccessible::IsKeyValid(const TGridCellKey& key) const
{
    if (!isValid() || key.Col < 0 || key.Row < 0 || key.Col >= Grid()->ColCount() || key.Row >= Grid()->RowCount())
        return false;
    return !key.Band || (key.Row == 0 && BandIndexOf(key.Col) >= 0);
}

QAccessibleInterface* TGridAccessible::CellInterface(const TGridCellKey& key) const
{
    if (!IsKeyValid(key))
        return nullptr;
    const quint64 hash = HashOf(key);
    if (const auto found = FCells.constFind(hash); found != FCells.constEnd()) {
        if (QAccessibleInterface* cell = QAccessible::accessibleInterface(*found))
            return cell;
    }
    auto* cell = new TGridCellAccessible(Grid(), key);
    FCells.insert(hash, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QString TGridAccessible::CellName(const TGridCellKey& key) const
{
    if (key.Band)
        return {};
    return CellStoredText(key.Col, key.Row);
}

QString TGridAccessible::CellStoredText(int col, int row) const
{
    auto* strings = qobject_cast<const TStringGrid*>(Grid());
    if (!strings || col < 0 || row < 0 || col >= strings->ColCount() || row >= strings->RowCount())
        return {};
    return strings->Cells(col, row);
}

QAccessible::Role TGridAccessible::CellRole(const TGridCellKey& key) const
{
    if (key.Band || key.Row < Grid()->FixedRows())
        return QAccessible::ColumnHeader;
    if (key.Col < Grid()->FixedCols())
        return QAccessible::RowHeader;
    return QAccessible::Cell;
}

void TGridAccessible::AddCellState(const TGridCellKey& key, QAccessible::State& state) const
{
    if (CellRole(key) == QAccessible::Cell && !Grid()->Options().Contains(goEditing))
        state.readOnly = true;
}

std::vector<TGridCellKey> TGridAccessible::ColumnHeaderKeys(int col) const
{
    std::vector<TGridCellKey> keys;
    if (!isValid() || col < 0 || col >= Grid()->ColCount())
        return keys;
    for (int row = 0; row < Grid()->FixedRows(); ++row)
        keys.push_back({col, row, false});
    return keys;
}

std::vector<TGridCellKey> TGridAccessible::RowHeaderKeys(int row) const
{
    std::vector<TGridCellKey> keys;
    if (!isValid() || row < 0 || row >= Grid()->RowCount())
        return keys;
    for (int col = 0; col < Grid()->FixedCols(); ++col)
        keys.push_back({col, row, false});
    return keys;
}

TGridHeaderSpan TGridAccessible::HeaderColumns(const TGridCellKey& key) const
{
    if (key.Band) {
        const int first = std::max(key.Col, Grid()->FixedCols());
        const int last = BandLastCol(key.Col);
        if (last < first)
            return {};
        return {first - Grid()->FixedCols(), last - first + 1};
    }
    if (key.Row < Grid()->FixedRows() && TableColumn(key.Col) >= 0)
        return {TableColumn(key.Col), 1};
    return {};
}

TGridHeaderSpan TGridAccessible::HeaderRows(const TGridCellKey& key) const
{
    if (!key.Band && key.Col < Grid()->FixedCols() && TableRow(key.Row) >= 0)
        return {TableRow(key.Row), 1};
    return {};
}

bool TGridAccessible::MakeCurrent(int col, int row)
{
    TCustomGrid* grid = Grid();
    grid->setFocus(Qt::OtherFocusReason);
    if (grid->Row() != row)
        grid->SetRow(row);
    if (grid->Col() != col)
        grid->SetCol(col);
    return grid->Col() == col && grid->Row() == row;
}

QStringList TGridAccessible::CellActions(const TGridCellKey&) const
{
    return {};
}

void TGridAccessible::DoCellAction(const TGridCellKey&, const QString&)
{
}

} // namespace vg
