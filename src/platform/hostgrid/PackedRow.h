/// \file
/// The texts of one grid row's cells that hold text, packed into a single allocation: a
/// small header, one entry per cell (its column and where its text ends) in column order,
/// then the texts themselves back to back. A cell costs its characters and eight bytes,
/// where a string of its own would cost a heap block and a string slot besides; a row
/// without text costs one null pointer. Room can be kept beyond what the row holds, so
/// that filling a row cell by cell does not reallocate on every cell; Trim gives it back.
#pragma once

#include "platform/core/Export.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>

namespace vg {

/// A cell's column and text, for writing several cells of a row at once.
/// \ingroup host_grid
struct VELKOGRID_EXPORT TCellText {
    int Col;
    QStringView Text;
};

/// The texts of one grid row's cells that hold text, packed into a single allocation: a cell costs
/// its characters and eight bytes.
/// \ingroup host_grid
class VELKOGRID_EXPORT TPackedRow {
public:
    TPackedRow() = default;
    TPackedRow(const TPackedRow& other);
    TPackedRow& operator=(const TPackedRow& other);
    TPackedRow(TPackedRow&& other) noexcept : FData(other.FData) { other.FData = nullptr; }
    TPackedRow& operator=(TPackedRow&& other) noexcept;
    ~TPackedRow();

    /// No cell holds text (room may still be reserved).
    bool Empty() const { return Count() == 0; }
    /// Cells that hold text, and their characters together.
    int Count() const { return FData ? Header().Count : 0; }
    qsizetype Chars() const { return FData ? Header().Chars : 0; }

    /// The text of column col, empty when the cell holds none. The view lasts until the
    /// row next changes.
    QStringView Text(int col) const;
    bool Has(int col) const;

    /// Gives column col the text, or takes its cell away when the text is empty; answers
    /// whether anything changed. A row whose last cell goes frees its allocation.
    bool Set(int col, QStringView text);

    /// Gives the columns of cells (ascending, each once) their texts, as Set would one by
    /// one, and packs the row anew in an allocation that fits exactly; answers whether
    /// anything changed.
    bool SetMany(std::span<const TCellText> cells);

    /// Makes room for this many cells and characters in all, so that a row filled up to
    /// them allocates once.
    void Reserve(int cells, qsizetype chars);
    /// Gives back room beyond what the row holds.
    void Trim();

    /// Drops the cells of columns colCount and beyond.
    void TruncateColumns(int colCount);
    /// The cell of column from goes to column to; those in between shift by one towards
    /// from, as the grid's columns do when one moves.
    void MoveColumn(int from, int to);

    /// visit(col, text) for every cell, in column order.
    template <class F>
    void ForEach(F&& visit) const
    {
        for (int i = 0; i < Count(); ++i)
            visit(int(Entries()[i].Col), TextAt(i));
    }

private:
    struct THeader {
        int32_t Count;
        int32_t CellRoom;
        int32_t Chars;
        int32_t CharRoom;
    };
    struct TEntry {
        int32_t Col;
        int32_t End; // offset just after the cell's text
    };

    THeader& Header() const { return *reinterpret_cast<THeader*>(FData); }
    TEntry* Entries() const { return reinterpret_cast<TEntry*>(FData + sizeof(THeader)); }
    char16_t* TextData() const
    {
        return reinterpret_cast<char16_t*>(FData + sizeof(THeader) + sizeof(TEntry) * size_t(Header().CellRoom));
    }
    int32_t StartOf(int index) const { return index == 0 ? 0 : Entries()[index - 1].End; }
    // The text of entry index.
    QStringView TextAt(int index) const
    {
        return QStringView(TextData() + StartOf(index), Entries()[index].End - StartOf(index));
    }
    // The first entry whose column is not below col.
    int Find(int col) const;
    // Moves the row into an allocation with exactly this much room.
    void Reallocate(int32_t cellRoom, int32_t charRoom);
    void Free();

    char* FData = nullptr;
};

} // namespace vg
