#include "platform/hostgrid/GridStorage.h"

#include "platform/hostgrid/MoveEntry.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vg {

namespace {

// QString is relocatable (Qt's own containers move it bitwise), so a run of cells shifts by
// one place with one memmove instead of a move per cell. The cell pushed out is released
// first; the one left vacant becomes an empty string.
static_assert(QTypeInfo<QString>::isRelocatable);

void ShiftTowardsFront(QString* begin, QString* end)
{
    begin->~QString();
    std::memmove(static_cast<void*>(begin), static_cast<const void*>(begin + 1), size_t(end - begin - 1) * sizeof(QString));
    new (end - 1) QString();
}

void ShiftTowardsBack(QString* begin, QString* end)
{
    (end - 1)->~QString();
    std::memmove(static_cast<void*>(begin + 1), static_cast<const void*>(begin), size_t(end - begin - 1) * sizeof(QString));
    new (begin) QString();
}

size_t BlocksFor(int rowCount)
{
    return size_t((qint64(rowCount) + TGridStorage::BlockRows - 1) / TGridStorage::BlockRows);
}
} // namespace

void TGridStorage::Resize(int colCount, int rowCount)
{
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    if (rowCount < FRowCount) {
        // The block that now ends a column keeps no text past the last row, so rows added
        // later start empty; the blocks after it go.
        const int blockEnd = int(std::min<qint64>(FRowCount, qint64(BlocksFor(rowCount)) * BlockRows));
        for (TColumn& column : FColumns) {
            for (int row = rowCount; row < blockEnd; ++row)
                Put(column, row, QString());
            if (column.size() > BlocksFor(rowCount))
                column.resize(BlocksFor(rowCount));
        }
    }
    FRowCount = rowCount;
    FColCount = colCount;
    if (FColumns.size() > size_t(colCount))
        FColumns.resize(size_t(colCount));
}

TGridStorage::TBlock* TGridStorage::BlockOf(const TColumn& column, int b)
{
    return size_t(b) < column.size() ? column[size_t(b)].get() : nullptr;
}

const QString& TGridStorage::CellOf(const TColumn& column, int row)
{
    static const QString empty;
    const TBlock* block = BlockOf(column, row / BlockRows);
    return block ? block->Cells[size_t(row % BlockRows)] : empty;
}

const QString& TGridStorage::Get(int col, int row) const
{
    static const QString empty;
    return size_t(col) < FColumns.size() ? CellOf(FColumns[size_t(col)], row) : empty;
}

bool TGridStorage::Set(int col, int row, QString text)
{
    if (size_t(col) >= FColumns.size()) {
        if (text.isEmpty())
            return false;
        FColumns.resize(size_t(col) + 1);
    }
    return Put(FColumns[size_t(col)], row, std::move(text));
}

bool TGridStorage::Put(TColumn& column, int row, QString text)
{
    const size_t b = size_t(row / BlockRows);
    if (b >= column.size()) {
        if (text.isEmpty())
            return false;
        column.resize(b + 1);
    }
    std::unique_ptr<TBlock>& block = column[b];
    if (!block) {
        if (text.isEmpty())
            return false;
        block = std::make_unique<TBlock>();
    }
    QString& cell = block->Cells[size_t(row % BlockRows)];
    const bool changed = cell != text;
    if (changed) {
        block->Filled += int(!text.isEmpty()) - int(!cell.isEmpty());
        cell = text.isEmpty() ? QString() : std::move(text);
    }
    // A block that a move left empty goes too.
    if (block->Filled == 0)
        block.reset();
    return changed;
}

bool TGridStorage::RangeIsEmpty(const TColumn& column, int firstRow, int lastRow)
{
    for (int b = firstRow / BlockRows; b <= lastRow / BlockRows; ++b)
        if (BlockOf(column, b))
            return false;
    return true;
}

void TGridStorage::MoveColumn(int from, int to)
{
    const size_t reach = size_t(std::max(from, to)) + 1;
    if (reach > FColumns.size()) {
        // Columns past the stored ones hold no text: moving among them changes nothing.
        if (size_t(std::min(from, to)) >= FColumns.size())
            return;
        FColumns.resize(reach);
    }
    MoveEntry(FColumns, from, to);
}

void TGridStorage::MoveRow(int from, int to)
{
    if (from == to)
        return;
    for (TColumn& column : FColumns) {
        if (RangeIsEmpty(column, std::min(from, to), std::max(from, to)))
            continue;
        if (from < to)
            RotateUp(column, from, to);
        else
            RotateDown(column, to, from);
    }
}

// Block by block, each block's part of the range shifts in one move and takes its last
// (first) cell from the next (previous) block; a block without text costs one look.
void TGridStorage::RotateUp(TColumn& column, int first, int last)
{
    const QString moving = CellOf(column, first);
    for (int b = first / BlockRows; b <= last / BlockRows; ++b) {
        const int lo = std::max(first, b * BlockRows);
        const int hi = std::min(last, b * BlockRows + BlockRows - 1);
        QString incoming = hi == last ? moving : CellOf(column, hi + 1);
        if (TBlock* block = BlockOf(column, b)) {
            const auto begin = block->Cells.begin() + (lo - b * BlockRows);
            const auto end = block->Cells.begin() + (hi - b * BlockRows) + 1;
            block->Filled -= int(!begin->isEmpty());
            ShiftTowardsFront(&*begin, &*(end - 1) + 1);
        }
        Put(column, hi, std::move(incoming));
    }
}

void TGridStorage::RotateDown(TColumn& column, int first, int last)
{
    const QString moving = CellOf(column, last);
    for (int b = last / BlockRows; b >= first / BlockRows; --b) {
        const int lo = std::max(first, b * BlockRows);
        const int hi = std::min(last, b * BlockRows + BlockRows - 1);
        QString incoming = lo == first ? moving : CellOf(column, lo - 1);
        if (TBlock* block = BlockOf(column, b)) {
            const auto begin = block->Cells.begin() + (lo - b * BlockRows);
            const auto end = block->Cells.begin() + (hi - b * BlockRows) + 1;
            block->Filled -= int(!(end - 1)->isEmpty());
            ShiftTowardsBack(&*begin, &*(end - 1) + 1);
        }
        Put(column, lo, std::move(incoming));
    }
}

int TGridStorage::BlockCount() const
{
    int count = 0;
    for (const TColumn& column : FColumns)
        count += int(std::count_if(column.begin(), column.end(), [](const auto& block) { return block != nullptr; }));
    return count;
}

} // namespace vg
