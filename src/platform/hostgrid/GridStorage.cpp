#include "platform/hostgrid/GridStorage.h"

#include <algorithm>
#include <utility>

namespace vg {

TGridStorage::TRowCells::const_iterator TGridStorage::CellAt(const TRowCells& cells, int col)
{
    return std::lower_bound(cells.begin(), cells.end(), col, [](const TCell& cell, int c) { return cell.Col < c; });
}

const QString* TGridStorage::TextIn(const TRowCells& cells, int col)
{
    const auto at = CellAt(cells, col);
    return at != cells.end() && at->Col == col ? &at->Text : nullptr;
}

void TGridStorage::Resize(int colCount, int rowCount)
{
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    FRows.Resize(rowCount);
    if (colCount < FColCount) {
        FRows.UpdateEachFilled([colCount](TRowCells& cells) {
            cells.erase(CellAt(cells, colCount), cells.end());
            if (cells.empty())
                TRowCells().swap(cells);
        });
    }
    FColCount = colCount;
}

const QString& TGridStorage::Get(int col, int row) const
{
    static const QString empty;
    const QString* text = TextIn(FRows.Get(row), col);
    return text ? *text : empty;
}

// A row about to hold its first text takes the room the row above it has (rows are
// mostly filled alike, one after the other), so a filled row is allocated once; after
// that the room doubles, but never past the column count.
void TGridStorage::Grow(TRowCells& cells, int row) const
{
    size_t room = std::min(std::max<size_t>(2 * cells.size(), 4), size_t(FColCount));
    if (cells.empty() && row > 0)
        room = FRows.Get(row - 1).size();
    cells.reserve(std::max(room, cells.size() + 1));
}

bool TGridStorage::Set(int col, int row, QString text)
{
    if (text.isEmpty()) {
        if (!TextIn(FRows.Get(row), col))
            return false;
        FRows.Update(row, [col](TRowCells& cells) {
            cells.erase(CellAt(cells, col));
            if (cells.empty())
                TRowCells().swap(cells);
        });
        return true;
    }
    bool changed = true;
    FRows.Update(row, [&](TRowCells& cells) {
        // Cells are mostly written from left to right: then the new one goes last.
        const auto at = cells.empty() || cells.back().Col < col ? cells.end() : CellAt(cells, col);
        if (at != cells.end() && at->Col == col) {
            changed = at->Text != text;
            if (changed)
                cells[size_t(at - cells.begin())].Text = std::move(text);
            return;
        }
        const size_t place = size_t(at - cells.begin());
        if (cells.size() == cells.capacity())
            Grow(cells, row);
        cells.insert(cells.begin() + std::ptrdiff_t(place), TCell{col, std::move(text)});
    });
    return changed;
}

void TGridStorage::MoveColumn(int from, int to)
{
    if (from == to)
        return;
    const int low = std::min(from, to);
    const int high = std::max(from, to);
    FRows.UpdateEachFilled([&](TRowCells& cells) {
        // Only the cells from the lower column to the higher one change columns: the one
        // moved goes to its new column, those in between shift by one towards its old one.
        const auto first = cells.begin() + (CellAt(cells, low) - cells.begin());
        const auto last = cells.begin() + (CellAt(cells, high + 1) - cells.begin());
        for (auto cell = first; cell != last; ++cell)
            cell->Col = cell->Col == from ? to : cell->Col + (from < to ? -1 : 1);
        std::sort(first, last, [](const TCell& a, const TCell& b) { return a.Col < b.Col; });
    });
}

void TGridStorage::MoveRow(int from, int to)
{
    FRows.Move(from, to);
}

} // namespace vg
