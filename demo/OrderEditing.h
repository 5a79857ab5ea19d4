// What makes the orders grid an order-entry screen. The product is chosen from a list of
// the products (and from nothing else), the customer is suggested from the known
// customers while typing, the status comes from a list and the order date from a small
// calendar dialog behind the cell's button. Shipped lines cannot be typed into, nor get
// another product. A quantity that is not a positive whole number, an unknown customer and
// a text that is no date are refused when the cell is left, with the reason reported
// through Message. Every accepted edit is written to the database at once, and the line
// is shown again as the database now holds it (its city, prices and total follow).
#pragma once

#include "OrderColumns.h"

#include <QDate>
#include <QObject>
#include <QRect>
#include <QSqlDatabase>
#include <QStringList>

#include <functional>
#include <optional>

namespace vg::demo {

class OrderEditing : public QObject {
    Q_OBJECT

public:
    // Sets up the columns' lists, buttons and read-only states and takes over the grid's
    // editing events. The grid and the database must outlive this object.
    OrderEditing(TVelkoGrid& grid, const OrderColumns& columns, QSqlDatabase database, QObject* parent = nullptr);
    ~OrderEditing() override;

    // Why the cell's text cannot stay; empty when it can.
    QString ProblemWith(int ACol, int ARow) const;
    // Writes a cell of a line to the database and shows the line as stored.
    void Store(int ACol, int ARow);
    // Shows a grid row's line as the database holds it (a hidden column's cell too).
    void ShowLine(int ARow);
    // Adds a new line to the database for the empty grid row ARow and shows it there: one
    // piece of the first product, ordered today, pending, for the customer of the line
    // below (or the first customer). False, with the reason reported, when it fails.
    bool AddLine(int ARow);
    // Removes the line of grid row ARow from the database; false, with the reason
    // reported, when it fails.
    bool RemoveLine(int ARow);

    // Asks the user for a date, starting from current, for the cell at cell (in screen
    // coordinates); nothing when cancelled. By default a modal dialog with a calendar next
    // to the cell; tests put their own answer here.
    std::function<std::optional<QDate>(QDate current, const QRect& cell)> ChooseDate;

signals:
    // What happened to an edit, for the window's status bar.
    void Message(const QString& text);

private:
    const OrderColumn* ColumnAt(int ACol) const;
    int GridColumnOf(const TvgColumn* column) const;
    bool IsShipped(int ARow) const;
    int LineOf(int ARow) const;
    void PickDate(int ACol, int ARow);
    void Refuse(int ARow, const QString& reason);

    TVelkoGrid& FGrid;
    OrderColumns FColumns;
    QSqlDatabase FDatabase;
    QStringList FCustomers;
};

} // namespace vg::demo
