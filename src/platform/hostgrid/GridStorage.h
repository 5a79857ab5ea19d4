// The texts of a string grid's cells, column by column. A column keeps its rows in blocks
// that exist only while one of their cells holds text, so an empty or sparsely filled grid
// of a million rows costs next to nothing, and no cell is an object of its own. Nothing is
// set aside for columns or blocks that never held text: raising the counts costs nothing,
// however large they are.
#pragma once

#include <QString>

#include <array>
#include <memory>
#include <vector>

namespace vg {

class TGridStorage {
public:
    int ColCount() const { return FColCount; }
    int RowCount() const { return FRowCount; }

    // Cells inside the new size keep their texts; those outside are dropped.
    void Resize(int colCount, int rowCount);

    // The caller checks the indices (Cells does, with the grid's own error). Set answers
    // whether the text changed.
    const QString& Get(int col, int row) const;
    bool Set(int col, int row, QString text);

    // Moves column (row) from to position to; those in between shift by one.
    void MoveColumn(int from, int to);
    void MoveRow(int from, int to);

    // Number of blocks of cells allocated, for tests of the memory use.
    int BlockCount() const;

    static constexpr int BlockRows = 1024;

private:
    struct TBlock {
        std::array<QString, BlockRows> Cells;
        int Filled = 0; // cells that hold text
    };
    using TColumn = std::vector<std::unique_ptr<TBlock>>;

    static const QString& CellOf(const TColumn& column, int row);
    static TBlock* BlockOf(const TColumn& column, int b);
    bool Put(TColumn& column, int row, QString text);
    // Rows first+1..last move up by one and row first goes to last; RotateDown the reverse.
    void RotateUp(TColumn& column, int first, int last);
    void RotateDown(TColumn& column, int first, int last);
    static bool RangeIsEmpty(const TColumn& column, int firstRow, int lastRow);

    std::vector<TColumn> FColumns; // up to the last column that held text
    int FColCount = 0;
    int FRowCount = 0;
};

} // namespace vg
