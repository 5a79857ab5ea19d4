#include "platform/GridStorage.h"

#include "platform/MoveEntry.h"

#include <algorithm>

namespace vg {

namespace {
size_t BlocksFor(int rowCount)
{
    return size_t((rowCount + TGridStorage::BlockRows - 1) / TGridStorage::BlockRows);
}
} // namespace

void TGridStorage::Resize(int colCount, int rowCount)
{
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    if (rowCount < FRowCount) {
        // The block that now ends the column keeps no text past the last row, so rows
        // added later start empty.
        for (TColumn& column : FColumns)
            for (int row = rowCount; row < FRowCount && size_t(row / BlockRows) < BlocksFor(rowCount); ++row)
                Put(column, row, QString());
    }
    for (TColumn& column : FColumns)
        column.resize(BlocksFor(rowCount));
    FRowCount = rowCount;
    FColumns.resize(size_t(colCount));
    for (TColumn& column : FColumns)
        column.resize(BlocksFor(rowCount));
}

const QString& TGridStorage::Get(int col, int row) const
{
    static const QString empty;
    const TBlock* block = FColumns[size_t(col)][size_t(row / BlockRows)].get();
    return block ? block->Cells[size_t(row % BlockRows)] : empty;
}

void TGridStorage::Set(int col, int row, const QString& text)
{
    Put(FColumns[size_t(col)], row, text);
}

void TGridStorage::Put(TColumn& column, int row, QString text)
{
    std::unique_ptr<TBlock>& block = column[size_t(row / BlockRows)];
    if (!block) {
        if (text.isEmpty())
            return;
        block = std::make_unique<TBlock>();
    }
    QString& cell = block->Cells[size_t(row % BlockRows)];
    block->Filled += int(!text.isEmpty()) - int(!cell.isEmpty());
    cell = text.isEmpty() ? QString() : std::move(text);
    if (block->Filled == 0)
        block.reset();
}

QString TGridStorage::Take(TColumn& column, int row)
{
    const TBlock* block = column[size_t(row / BlockRows)].get();
    if (!block)
        return {};
    QString text = block->Cells[size_t(row % BlockRows)];
    Put(column, row, QString());
    return text;
}

bool TGridStorage::RangeIsEmpty(const TColumn& column, int firstRow, int lastRow)
{
    for (int b = firstRow / BlockRows; b <= lastRow / BlockRows; ++b)
        if (column[size_t(b)])
            return false;
    return true;
}

void TGridStorage::MoveColumn(int from, int to)
{
    MoveEntry(FColumns, from, to);
}

void TGridStorage::MoveRow(int from, int to)
{
    if (from == to)
        return;
    const int step = from < to ? 1 : -1;
    for (TColumn& column : FColumns) {
        if (RangeIsEmpty(column, std::min(from, to), std::max(from, to)))
            continue;
        QString moving = Take(column, from);
        for (int row = from; row != to; row += step)
            Put(column, row, Take(column, row + step));
        Put(column, to, std::move(moving));
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
