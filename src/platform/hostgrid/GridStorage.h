// The texts of a string grid's cells, row by row. The rows lie in a segmented list: a
// stretch of rows without text keeps nothing but its length, and a row that holds text
// keeps its cells up to its last one that does. No cell is an object of its own, raising
// the counts costs nothing however large they are, and inserting, deleting or moving a row
// costs the same whatever the number of columns and about as much at a million rows as at
// a thousand, since no other row's cells move.
#pragma once

#include "platform/core/SegmentedList.h"

#include <QString>

#include <vector>

namespace vg {

class TGridStorage {
public:
    int ColCount() const { return FColCount; }
    int RowCount() const { return FRows.Count(); }

    // Cells inside the new size keep their texts; those outside are dropped.
    void Resize(int colCount, int rowCount);

    // The caller checks the indices (Cells does, with the grid's own error).
    const QString& Get(int col, int row) const;
    void Set(int col, int row, const QString& text);

    // Moves column (row) from to position to; those in between shift by one. Moving a
    // column touches every row that holds text; moving a row touches no other row.
    void MoveColumn(int from, int to);
    void MoveRow(int from, int to);

    // visit(row, text) for every cell of the column that holds text, in row order.
    template <class F>
    void ForEachTextInColumn(int col, F&& visit) const
    {
        FRows.ForEachFilled([&](int row, const TRowCells& cells) {
            if (size_t(col) < cells.size() && !cells[size_t(col)].isEmpty())
                visit(row, cells[size_t(col)]);
        });
    }

    // Number of blocks of rows allocated, for tests of the memory use.
    int BlockCount() const { return FRows.BlockCount(); }

private:
    // A row's cells up to the last one that holds text; empty for a row without text.
    using TRowCells = std::vector<QString>;
    struct TRowIsEmpty {
        bool operator()(const TRowCells& cells) const { return cells.empty(); }
    };
    void Grow(TRowCells& cells, int col) const;
    static void Trim(TRowCells& cells);

    TSegmentedList<TRowCells, TRowIsEmpty> FRows;
    int FColCount = 0;
};

} // namespace vg
