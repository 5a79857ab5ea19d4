#include "OrderColumns.h"

#include "OrderColours.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QDate>

#include <array>

namespace vg::demo {

namespace {

constexpr int NoHeading = -1;
constexpr int CustomerHeading = 0;
constexpr int AmountsHeading = 1;

// Tall enough for a heading band over two lines of caption.
constexpr int TitleRowHeight = 68;

struct ColumnPlan {
    QString Field;
    QString Caption;
    int Width;
    int Heading;
    CellValueKind Kind;
};

// In collection order. The line number is the fixed column; the internal id stands right
// after it, so it comes back there when it is shown.
const std::array<ColumnPlan, 12> Plans = {{
    {QStringLiteral("line"), QStringLiteral("Line"), 46, NoHeading, CellValueKind::Text},
    {QStringLiteral("internal_id"), QStringLiteral("Internal id"), 80, NoHeading, CellValueKind::Text},
    {QStringLiteral("status"), QStringLiteral("Status"), 92, NoHeading, CellValueKind::Text},
    {QStringLiteral("customer"), QStringLiteral("Name"), 122, CustomerHeading, CellValueKind::Text},
    {QStringLiteral("city"), QStringLiteral("City"), 74, CustomerHeading, CellValueKind::Text},
    {QStringLiteral("country"), QStringLiteral("Country"), 74, CustomerHeading, CellValueKind::Text},
    {QStringLiteral("ordered_on"), QStringLiteral("Ordered"), 76, NoHeading, CellValueKind::Date},
    {QStringLiteral("product"), QStringLiteral("Product"), 118, NoHeading, CellValueKind::Text},
    {QStringLiteral("quantity"), QStringLiteral("Qty"), 40, AmountsHeading, CellValueKind::Number},
    {QStringLiteral("unit_price"), QStringLiteral("Unit price"), 80, AmountsHeading, CellValueKind::Number},
    {QStringLiteral("amount"), QStringLiteral("Line total"), 92, AmountsHeading, CellValueKind::Number},
    {QStringLiteral("share"), QStringLiteral("Share of all turnover"), 84, AmountsHeading, CellValueKind::Number},
}};

// Its colour comes with the others from ApplyOrderColours.
void SetBorder(TvgBorder& border, TvgBorderStyle style, int width)
{
    border.SetStyle(style);
    border.SetWidth(width);
}

// Returns the heading over the amounts.
TvgHeading* SetUpHeadings(TvgHeadings& headings)
{
    TvgHeading* customer = headings.Add();
    customer->SetCaption(QStringLiteral("Customer"));
    customer->TitleFont()->SetStyle({fsItalic});

    TvgHeading* amounts = headings.Add();
    amounts->SetCaption(QStringLiteral("Amounts"));
    amounts->TitleFont()->SetStyle({fsBold});
    return amounts;
}

void SetMoney(TvgColumn& column)
{
    column.SetFormatType(vgfmtNumeric);
    column.SetPrefix(QStringLiteral("$"));
    column.SetDecimals(2);
    column.SetThousands(true);
    column.SetColumnHAlignment(taRightJustify);
}

TvgColumn* ColumnOf(const OrderColumns& columns, const QString& field)
{
    for (const OrderColumn& c : columns.All) {
        if (c.Field == field)
            return c.Column;
    }
    throw EInvalidOperation(QStringLiteral("The orders grid has no column for %1").arg(field));
}

// The looks that set single columns apart, colours aside; the order of the calls does not
// matter.
void SetUpLooks(const OrderColumns& columns)
{
    const auto column = [&](const QString& field) { return ColumnOf(columns, field); };

    TvgColumn& line = *column(QStringLiteral("line"));
    line.SetTitleHAlignment(taRightJustify);

    TvgColumn& id = *column(QStringLiteral("internal_id"));
    id.ColumnFont()->SetName(QStringLiteral("DejaVu Sans Mono"));

    // The status dot sits in a sunken well.
    TvgColumn& status = *column(QStringLiteral("status"));
    status.SetColumnOuterBevel(bvLowered);

    // A double line closes the customer group on the right.
    SetBorder(*column(QStringLiteral("country"))->RightBorder(), vgbrdDouble, 1);

    TvgColumn& ordered = *column(QStringLiteral("ordered_on"));
    ordered.SetFormatType(vgfmtDateTime);
    ordered.SetDateFormat(5); // dd-mmm-yy
    ordered.SetTimeFormat(-1);
    ordered.SetColumnHAlignment(taCenter);
    SetBorder(*ordered.BottomBorder(), vgbrdDot, 1);

    TvgColumn& quantity = *column(QStringLiteral("quantity"));
    quantity.SetFormatType(vgfmtNumeric);
    quantity.SetDecimals(0);
    quantity.SetColumnHAlignment(taRightJustify);

    SetMoney(*column(QStringLiteral("unit_price")));

    // Refunds are negative: shown in parentheses, in a framed, tinted, bold column.
    TvgColumn& total = *column(QStringLiteral("amount"));
    SetMoney(total);
    total.SetParenNegative(true);
    total.ColumnFont()->SetStyle({fsBold});
    total.SetColumnInnerBevel(bvRaised);
    SetBorder(*total.LeftBorder(), vgbrdSolid, 1);
    SetBorder(*total.RightBorder(), vgbrdSolid, 1);

    TvgColumn& share = *column(QStringLiteral("share"));
    share.SetFormatType(vgfmtScientific);
    share.SetDecimals(2);
    share.SetColumnHAlignment(taRightJustify);
    share.SetTitleClipStyle(vgclpWrap);
}

} // namespace

OrderColumns SetUpOrderColumns(TVelkoGrid& grid)
{
    OrderColumns columns;
    columns.Amounts = SetUpHeadings(*grid.Headings());
    grid.SetColumnCount(int(Plans.size()));
    grid.SetFixedCols(1);

    for (int i = 0; i < int(Plans.size()); ++i) {
        const ColumnPlan& plan = Plans[i];
        TvgColumn* column = grid.GetVisibleColumn(i);
        column->SetCaption(plan.Caption);
        column->SetHeadingIndex(plan.Heading);
        column->SetColumnVAlignment(vgvaCenter);
        grid.SetColWidths(i, plan.Width);
        columns.All.push_back({column, plan.Field, plan.Kind, plan.Caption});
    }
    columns.Status = ColumnOf(columns, QStringLiteral("status"));
    columns.InternalId = ColumnOf(columns, QStringLiteral("internal_id"));
    columns.Customer = ColumnOf(columns, QStringLiteral("customer"));
    SetUpLooks(columns);
    ApplyOrderColours(grid, columns, grid.palette());
    grid.SetRowHeights(0, TitleRowHeight);
    return columns;
}

const OrderColumn* OrderColumns::Find(const TvgColumn* column) const
{
    for (const OrderColumn& c : All) {
        if (column && c.Column == column)
            return &c;
    }
    return nullptr;
}

void ApplyOrderColours(TVelkoGrid& grid, const OrderColumns& columns, const QPalette& palette)
{
    const OrderColours colours = OrderColoursFor(palette);
    grid.SetVelkoHighlightColor(QColorToColor(colours.SelectionBackground));
    grid.SetVelkoHighlightFontColor(QColorToColor(colours.SelectionText));
    columns.Amounts->SetTitleColor(QColorToColor(colours.AmountsBackground));
    columns.Amounts->TitleFont()->SetColor(QColorToColor(colours.AmountsText));

    ColumnOf(columns, QStringLiteral("internal_id"))->ColumnFont()->SetColor(QColorToColor(colours.InternalIdText));
    ColumnOf(columns, QStringLiteral("country"))->RightBorder()->SetColor(QColorToColor(colours.GroupLine));
    ColumnOf(columns, QStringLiteral("ordered_on"))->BottomBorder()->SetColor(QColorToColor(colours.DateLine));
    TvgColumn& total = *ColumnOf(columns, QStringLiteral("amount"));
    total.SetColumnColor(QColorToColor(colours.TotalBackground));
    total.ColumnFont()->SetColor(QColorToColor(colours.TotalText));
    total.LeftBorder()->SetColor(QColorToColor(colours.TotalFrame));
    total.RightBorder()->SetColor(QColorToColor(colours.TotalFrame));
}

QString CellTextOf(const QVariant& value, CellValueKind kind)
{
    if (value.isNull())
        return QString();
    switch (kind) {
    case CellValueKind::Number:
        return FloatToStr(value.toDouble());
    case CellValueKind::Date: {
        const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
        return date.isValid() ? DateToStr(EncodeDate(date.year(), date.month(), date.day())) : QString();
    }
    case CellValueKind::Text:
        break;
    }
    return value.toString();
}

} // namespace vg::demo
