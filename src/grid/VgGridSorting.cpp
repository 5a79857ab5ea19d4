// TVelkoGrid: sorting the data rows by columns. The sort works out the new order of the
// rows from keys made once per row (VgSortKeys.h), then applies it in one step that moves
// whole rows (ApplyRowOrder), so that undoing a sort is applying the inverse order. The
// sort indicator is drawn through the style, as item views' headers draw theirs.
#include "grid/VgGrid.h"

#include "common/VgSortKeys.h"
#include "platform/core/Permutation.h"

#include <QStyle>
#include <QStyleOptionHeader>

#include <algorithm>

namespace vg {

namespace {

void CheckSortColumn(const TVelkoGrid& Grid, int ACol)
{
    if (ACol < 0 || ACol >= Grid.ColCount() || ACol >= Grid.GetVisibleColumnCount())
        throw EvgColumnIndexOutOfRange(QStringLiteral("TVelkoGrid: Column index out of range"));
}

} // namespace

std::vector<int> TVelkoGrid::SortedRowOrder(const std::vector<TvgSortColumn>& Keys)
{
    for (const TvgSortColumn& key : Keys)
        CheckSortColumn(*this, key.Col);
    const QCollator collator = SortCollator();
    const int first = FixedRows();
    const int count = RowCount() - first;
    std::vector<TvgColumnSortKeys> keys;
    keys.reserve(Keys.size());
    for (const TvgSortColumn& key : Keys) {
        TvgColumnSortKeys& column = keys.emplace_back(SortKindOf(*GetVisibleColumn(key.Col)), key.Order, collator);
        column.Reserve(count);
        for (int row = first; row < RowCount(); ++row)
            column.Add(SolveFormula(Cells(key.Col, row)));
    }
    return SortedOrder(keys, count);
}

void TVelkoGrid::SortByColumn(int ACol, Qt::SortOrder Order)
{
    SortByColumns({{ACol, Order}});
}

void TVelkoGrid::SortByColumns(const std::vector<TvgSortColumn>& Keys)
{
    CheckNotRearranging();
    for (const TvgSortColumn& key : Keys)
        CheckSortColumn(*this, key.Col);
    if (Keys.empty())
        return;
    // The editor's text is a cell's value like any other: it is written before the keys
    // are read. What its handlers do may change the columns, which are looked up again.
    HideEditor();
    const std::vector<int> order = SortedRowOrder(Keys);
    SetSortIndicator(GetVisibleColumn(Keys.front().Col), Keys.front().Order);
    if (std::is_sorted(order.begin(), order.end()))
        return;
    ApplyRowOrder(order);
    // One undo step: undo puts the rows back in their order before the sort.
    RecordRowOrder(order, [this](const std::vector<int>& Order) { ApplyRowOrder(Order); }, tr("Sort"));
}

void TVelkoGrid::SortByIndicator()
{
    const int col = GridColumnForColumnObject(FSortIndicatorColumn);
    if (col >= 0)
        SortByColumn(col, FSortIndicatorOrder);
}

void TVelkoGrid::ApplyRowOrder(const std::vector<int>& Order)
{
    CheckNotRearranging();
    const int count = RowCount() - FixedRows();
    if (int(Order.size()) != count || !IsPermutation(Order))
        throw EInvalidOperation(
            QStringLiteral("TVelkoGrid: a new order of the rows must name each of the %1 data rows once").arg(count));
    ReorderRows(FixedRows(), Order);
}

void TVelkoGrid::RowsReordered(int First, std::span<const int> Order)
{
    KeepHiddenCellsInStep();
    for (TvgColumn* item : HiddenColumns())
        item->Cols()->Permute(First, Order);
    TVgHintGrid::RowsReordered(First, Order);
    // The cell the enter events reported stays the one the exit events report.
    if (FEnteredCell.Y >= First && FEnteredCell.Y - First < int(Order.size()))
        FEnteredCell.Y = First + InversePermutation(Order)[size_t(FEnteredCell.Y - First)];
    if (OnRowsReordered)
        OnRowsReordered(this, First, std::vector<int>(Order.begin(), Order.end()));
}

void TVelkoGrid::SetSortIndicatorShown(bool Value)
{
    if (FSortIndicatorShown == Value)
        return;
    FSortIndicatorShown = Value;
    InvalidateRow(0);
}

void TVelkoGrid::SetSortIndicator(TvgColumn* Column, Qt::SortOrder Order)
{
    if (Column && Column->Collection() != FColumns.get())
        throw EInvalidOperation(QStringLiteral("TVelkoGrid: the sort indicator's column must be one of the grid's"));
    if (Column == FSortIndicatorColumn && Order == FSortIndicatorOrder)
        return;
    FSortIndicatorColumn = Column;
    FSortIndicatorOrder = Order;
    if (FSortIndicatorShown)
        InvalidateRow(0);
}

void TVelkoGrid::SortByTitleClick(int ACol)
{
    if (ACol < FixedCols() || ACol >= ColCount() || ACol >= GetVisibleColumnCount())
        return;
    TvgColumn* column = GetVisibleColumn(ACol);
    const bool ascending = column != FSortIndicatorColumn || FSortIndicatorOrder == Qt::DescendingOrder;
    SortByColumn(ACol, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TVelkoGrid::DrawSortIndicator(int ACol, TRect& Rect)
{
    QPainter* painter = Canvas().Handle();
    if (!FSortIndicatorShown || !painter || ACol < FixedCols())
        return;
    const QStyle* style = this->style();
    const int mark = style->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, this);
    const int margin = style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    const int room = mark + 2 * margin;
    if (RectWidth(Rect) < room || RectHeight(Rect) <= 0)
        return;
    QStyleOptionHeader option;
    option.initFrom(this);
    const int height = std::min(mark, RectHeight(Rect));
    option.rect = QRect(Rect.Right - margin - mark, Rect.Top + (RectHeight(Rect) - height) / 2, mark, height);
    // As item views' headers have it: an ascending sort asks the style for SortDown.
    option.sortIndicator =
        FSortIndicatorOrder == Qt::AscendingOrder ? QStyleOptionHeader::SortDown : QStyleOptionHeader::SortUp;
    style->drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &option, painter, this);
    Rect.Right -= room;
}

} // namespace vg
