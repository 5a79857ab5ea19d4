#include "platform/hostgrid/GridStorage.h"

#include "platform/hostgrid/MoveEntry.h"

#include <algorithm>

namespace vg {

void TGridStorage::Resize(int colCount, int rowCount)
{
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    FRows.Resize(rowCount);
    if (colCount < FColCount) {
        FRows.UpdateEachFilled([colCount](TRowCells& cells) {
            if (cells.size() > size_t(colCount)) {
                cells.resize(size_t(colCount));
                Trim(cells);
            }
        });
    }
    FColCount = colCount;
}

const QString& TGridStorage::Get(int col, int row) const
{
    static const QString empty;
    const TRowCells& cells = FRows.Get(row);
    return size_t(col) < cells.size() ? cells[size_t(col)] : empty;
}

// A row grows to the cell written, its room doubling but never past the column count,
// so a row filled cell by cell is copied a few times and ends with no room to spare.
void TGridStorage::Grow(TRowCells& cells, int col) const
{
    const size_t needed = size_t(col) + 1;
    if (needed > cells.capacity())
        cells.reserve(std::max(needed, std::min(std::max<size_t>(2 * cells.capacity(), 4), size_t(FColCount))));
    cells.resize(needed);
}

void TGridStorage::Trim(TRowCells& cells)
{
    while (!cells.empty() && cells.back().isEmpty())
        cells.pop_back();
    if (cells.empty())
        TRowCells().swap(cells);
}

void TGridStorage::Set(int col, int row, const QString& text)
{
    if (text.isEmpty()) {
        if (size_t(col) >= FRows.Get(row).size())
            return;
        FRows.Update(row, [col](TRowCells& cells) {
            cells[size_t(col)] = QString();
            Trim(cells);
        });
        return;
    }
    FRows.Update(row, [&](TRowCells& cells) {
        if (size_t(col) >= cells.size())
            Grow(cells, col);
        cells[size_t(col)] = text;
    });
}

void TGridStorage::MoveColumn(int from, int to)
{
    if (from == to)
        return;
    const size_t reach = size_t(std::max(from, to)) + 1;
    FRows.UpdateEachFilled([&](TRowCells& cells) {
        // Columns past a row's last text hold none: moving among them changes nothing.
        if (size_t(std::min(from, to)) >= cells.size())
            return;
        if (cells.size() < reach)
            cells.resize(reach);
        MoveEntry(cells, from, to);
        Trim(cells);
    });
}

void TGridStorage::MoveRow(int from, int to)
{
    FRows.Move(from, to);
}

} // namespace vg
