// The texts of a string grid's cells, column by column. A column keeps its rows in blocks
// that exist only while one of their cells holds text, so an empty or sparsely filled grid
// of a million rows costs next to nothing, and no cell is an object of its own.
#pragma once

#include <QString>

#include <array>
#include <memory>
#include <vector>

namespace vg {

class TGridStorage {
public:
    int ColCount() const { return int(FColumns.size()); }
    int RowCount() const { return FRowCount; }

    // Cells inside the new size keep their texts; those outside are dropped.
    void Resize(int colCount, int rowCount);

    // The caller checks the indices (Cells does, with the grid's own error).
    const QString& Get(int col, int row) const;
    void Set(int col, int row, const QString& text);

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

    QString Take(TColumn& column, int row);
    void Put(TColumn& column, int row, QString text);
    static bool RangeIsEmpty(const TColumn& column, int firstRow, int lastRow);

    std::vector<TColumn> FColumns;
    int FRowCount = 0;
};

} // namespace vg
