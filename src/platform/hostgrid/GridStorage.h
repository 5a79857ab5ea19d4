/// \file
/// The texts of a string grid's cells, row by row. The rows lie in a segmented list: a
/// stretch of rows without text keeps nothing but its length, and a row that holds text
/// keeps only its cells that do, packed in column order into one allocation (TPackedRow).
/// No cell is an object of its own, cells without text cost nothing however large the
/// counts are, and inserting, deleting or moving a row costs the same whatever the number
/// of columns and about as much at a million rows as at a thousand, since no other row's
/// cells move.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/SegmentedList.h"
#include "platform/hostgrid/PackedRow.h"

#include <QString>

namespace vg {

/// The texts of a string grid's cells, row by row, with no object per cell: rows without text cost
/// nothing, and a row's texts are packed into one allocation (TPackedRow).
/// \ingroup host_grid
class VELKOGRID_EXPORT TGridStorage {
public:
    TGridStorage() = default;
    /// Not copied: the row kept open is known by its address.
    TGridStorage(const TGridStorage&) = delete;
    TGridStorage& operator=(const TGridStorage&) = delete;

    int ColCount() const { return FColCount; }
    int RowCount() const { return FRows.Count(); }

    /// Cells inside the new size keep their texts; those outside are dropped.
    void Resize(int colCount, int rowCount);

    /// The caller checks the indices (Cells does, with the grid's own error). Set answers
    /// whether the cell's text changed.
    QString Get(int col, int row) const { return View(col, row).toString(); }
    /// The text without a copy; it lasts until the storage next changes.
    QStringView View(int col, int row) const { return FRows.Get(row).Text(col); }
    bool Set(int col, int row, QStringView text);

    /// Sets several cells of a row at once (columns ascending, each once), packing the row
    /// anew to fit exactly; what loading a row of values wants. Answers whether any changed.
    bool SetRow(int row, std::span<const TCellText> cells);

    /// Moves column (row) from to position to; those in between shift by one. Moving a
    /// column touches every row that holds text; moving a row touches no other row.
    void MoveColumn(int from, int to);
    void MoveRow(int from, int to);
    // The rows from first on take a new order: row first + i gets the cells of row
    // first + order[i]. Rows move whole, their texts are not copied. The caller checks
    // that order is a permutation of rows inside the storage.
    void PermuteRows(int first, std::span<const int> order);

    /// visit(row, text) for every cell of the column that holds text, in row order.
    template <class F>
    void ForEachTextInColumn(int col, F&& visit) const
    {
        FRows.ForEachFilled([&](int row, const TPackedRow& cells) {
            const QStringView text = cells.Text(col);
            if (!text.isEmpty())
                visit(row, text.toString());
        });
    }

    /// Number of blocks of rows allocated, for tests of the memory use.
    int BlockCount() const { return FRows.BlockCount(); }

private:
    struct TRowIsEmpty {
        bool operator()(const TPackedRow& cells) const { return cells.Empty(); }
    };
    // Gives back the room kept in the row written last, if any.
    void TrimOpenRow();
    // Keeps row open for the writes that follow.
    void Open(int row);

    TSegmentedList<TPackedRow, TRowIsEmpty> FRows;
    int FColCount = 0;
    // The row written last keeps room for more cells until another row is written or the
    // rows change: a row filled cell by cell grows without reallocating each time.
    int FOpenRow = -1;
    TPackedRow* FOpen = nullptr; // its cells, while it holds any
};

} // namespace vg
