// The columns of the orders grid: which field of the order_overview view each column shows,
// in what form its cells hold the value, and how the column looks (headings, display
// formats, borders, bevels, colours).
#pragma once

#include <QPalette>
#include <QString>
#include <QVariant>

#include <vector>

namespace vg {
class TVelkoGrid;
class TvgColumn;
class TvgHeading;
} // namespace vg

namespace vg::demo {

// How a field's value is written into a cell: as it is, as a number or as a date, both in
// the form the regional settings read back.
enum class CellValueKind { Text, Number, Date };

struct OrderColumn {
    TvgColumn* Column = nullptr;
    QString Field;
    CellValueKind Kind = CellValueKind::Text;
    QString Title; // the column's caption, as a saved file's line of titles names it
};

struct OrderColumns {
    // Every column in collection order, which is grid order while all are visible.
    std::vector<OrderColumn> All;
    TvgHeading* Amounts = nullptr;   // the heading over the amounts
    TvgColumn* Status = nullptr;     // shows a status dot before its text
    TvgColumn* Customer = nullptr;   // the customer's name, first of the customer group
    TvgColumn* InternalId = nullptr; // the column the "View" menu shows and hides

    // The entry of a column object; null for one that is not among them (or null).
    const OrderColumn* Find(const TvgColumn* column) const;
};

// Gives the grid its headings and one column per field, with captions, widths, formats
// and looks, its colours taken from the grid's palette; row 0 becomes tall enough for the
// heading band above wrapped captions. Every column is still visible afterwards.
OrderColumns SetUpOrderColumns(TVelkoGrid& grid);

// Gives the grid and its columns the colours that suit the palette (again after it changed).
void ApplyOrderColours(TVelkoGrid& grid, const OrderColumns& columns, const QPalette& palette);

// The cell text for a field value: numbers in FloatToStr's form and ISO dates ("2024-03-05")
// in the short date format, so the grid's display formats read them under the regional
// settings; empty for a null value or a date that does not parse.
QString CellTextOf(const QVariant& value, CellValueKind kind);

} // namespace vg::demo
