// The texts of a string grid's cells, row by row. The rows lie in a segmented list: a
// stretch of rows without text keeps nothing but its length, and a row that holds text
// keeps only its cells that do, in column order. No cell is an object of its own, cells
// without text cost nothing however large the counts are, and inserting, deleting or
// moving a row costs the same whatever the number of columns and about as much at a
// million rows as at a thousand, since no other row's cells move.
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

    // The caller checks the indices (Cells does, with the grid's own error). Set answers
    // whether the cell's text changed; the text is moved in.
    const QString& Get(int col, int row) const;
    bool Set(int col, int row, QString text);

    // Moves column (row) from to position to; those in between shift by one. Moving a
    // column touches every row that holds text; moving a row touches no other row.
    void MoveColumn(int from, int to);
    void MoveRow(int from, int to);

    // visit(row, text) for every cell of the column that holds text, in row order.
    template <class F>
    void ForEachTextInColumn(int col, F&& visit) const
    {
        FRows.ForEachFilled([&](int row, const TRowCells& cells) {
            if (const QString* text = TextIn(cells, col))
                visit(row, *text);
        });
    }

    // Number of blocks of rows allocated, for tests of the memory use.
    int BlockCount() const { return FRows.BlockCount(); }

private:
    // The cells of a row that hold text, in column order; empty for a row without text.
    struct TCell {
        int Col;
        QString Text;
    };
    using TRowCells = std::vector<TCell>;
    struct TRowIsEmpty {
        bool operator()(const TRowCells& cells) const { return cells.empty(); }
    };
    static TRowCells::const_iterator CellAt(const TRowCells& cells, int col);
    static const QString* TextIn(const TRowCells& cells, int col);
    // Room for one more cell in a row that is full.
    void Grow(TRowCells& cells, int row) const;

    TSegmentedList<TRowCells, TRowIsEmpty> FRows;
    int FColCount = 0;
};

} // namespace vg
