#include "OrderEditing.h"

#include <VelkoGrid/VelkoGrid.h>

#include "DateDialog.h"

#include <QSqlError>
#include <QSqlQuery>

namespace vg::demo {

namespace {

const QString ShippedLabel = QStringLiteral("Shipped");

QStringList Strings(QSqlDatabase database, const QString& statement)
{
    QSqlQuery query(database);
    if (!query.exec(statement))
        throw EInvalidOperation(QStringLiteral("%1\n%2").arg(statement, query.lastError().text()));
    QStringList result;
    while (query.next())
        result << query.value(0).toString();
    return result;
}

// The statement that stores a field of order_lines from the text of its cell (:value).
QString UpdateStatementFor(const QString& field)
{
    if (field == QLatin1String("status"))
        return QStringLiteral("UPDATE order_lines SET status = (SELECT code FROM statuses WHERE label = :value) "
                              "WHERE line = :line");
    if (field == QLatin1String("customer"))
        return QStringLiteral("UPDATE order_lines SET customer_id = (SELECT id FROM customers WHERE name = :value) "
                              "WHERE line = :line");
    if (field == QLatin1String("product"))
        return QStringLiteral("UPDATE order_lines SET product_id = (SELECT id FROM products WHERE name = :value) "
                              "WHERE line = :line");
    if (field == QLatin1String("ordered_on"))
        return QStringLiteral("UPDATE order_lines SET ordered_on = :value WHERE line = :line");
    if (field == QLatin1String("quantity"))
        return QStringLiteral("UPDATE order_lines SET quantity = :value WHERE line = :line");
    return QString();
}

// A refunded line counts against the turnover.
const QString UpdateAmount = QStringLiteral(
    "UPDATE order_lines SET amount = CASE status WHEN 'refunded' THEN -1 ELSE 1 END * quantity * "
    "(SELECT unit_price FROM products WHERE products.id = order_lines.product_id) WHERE line = :line");

QDate QDateOf(const QString& text)
{
    TDateTime date = 0;
    if (!TryStrToDate(text.trimmed(), date))
        return QDate();
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return QDate(year, month, day);
}

} // namespace

OrderEditing::OrderEditing(TVelkoGrid& grid, const OrderColumns& columns, QSqlDatabase database, QObject* parent)
    : QObject(parent)
    , FGrid(grid)
    , FColumns(columns)
    , FDatabase(database)
{
    ChooseDate = [&grid](QDate current, const QRect& cell) { return AskForDate(&grid, cell, current); };
    FCustomers = Strings(database, QStringLiteral("SELECT name FROM customers ORDER BY name"));
    for (const OrderColumn& column : FColumns.All) {
        TvgColumn& c = *column.Column;
        if (column.Field == QLatin1String("status")) {
            c.SetControlType({vgctlComboBox});
            c.Items()->SetStrings(Strings(database, QStringLiteral("SELECT label FROM statuses ORDER BY position")));
            c.DropDownList = true;
        } else if (column.Field == QLatin1String("product")) {
            c.SetControlType({vgctlComboBox});
            c.Items()->SetStrings(Strings(database, QStringLiteral("SELECT name FROM products ORDER BY name")));
            c.DropDownList = true;
            c.SetComboMaxWidth(true);
            c.SetDropDownCount(10);
        } else if (column.Field == QLatin1String("ordered_on")) {
            c.SetControlType({vgctlButton});
        } else if (column.Field == QLatin1String("quantity")) {
            c.SetMaxTextLength(4);
        } else if (column.Field != QLatin1String("customer")) {
            // Everything else follows from the line's customer, product and quantity.
            c.SetReadOnly(true);
        }
    }
    FGrid.SetOptions(FGrid.Options() + TGridOptions{goEditing});

    FGrid.OnGetReadOnly = [this](TObject*, int, int row, bool& readOnly) { readOnly = readOnly || IsShipped(row); };
    FGrid.OnGetSuggestion = [this](TObject*, int col, int, const QString& text, QString& suggestion) {
        const OrderColumn* column = ColumnAt(col);
        if (!column || column->Column != FColumns.Customer || text.trimmed().isEmpty())
            return;
        for (const QString& name : FCustomers) {
            if (name.startsWith(text.trimmed(), Qt::CaseInsensitive)) {
                suggestion = name;
                return;
            }
        }
    };
    FGrid.OnExitCell = [this](TObject*, int col, int row, bool& canExit) {
        const QString problem = ProblemWith(col, row);
        if (problem.isEmpty())
            return;
        canExit = false;
        emit Message(problem);
    };
    FGrid.OnCellEdited = [this](TObject*, int col, int row) {
        // The focus may leave a cell that was refused: the line keeps what is stored.
        const QString problem = ProblemWith(col, row);
        if (problem.isEmpty())
            Store(col, row);
        else
            Refuse(row, problem);
    };
    FGrid.OnComboSelection = [this](TObject*, int col, int row) {
        const OrderColumn* column = ColumnAt(col);
        if (column && column->Field == QLatin1String("product") && IsShipped(row))
            Refuse(row, QStringLiteral("Line %1 has shipped; its product cannot change").arg(LineOf(row)));
        else
            Store(col, row);
    };
    FGrid.OnButtonClick = [this](TObject*, int col, int row) { PickDate(col, row); };
}

OrderEditing::~OrderEditing()
{
    FGrid.OnGetReadOnly = nullptr;
    FGrid.OnGetSuggestion = nullptr;
    FGrid.OnExitCell = nullptr;
    FGrid.OnCellEdited = nullptr;
    FGrid.OnComboSelection = nullptr;
    FGrid.OnButtonClick = nullptr;
}

const OrderColumn* OrderEditing::ColumnAt(int ACol) const
{
    return FColumns.Find(FGrid.GetVisibleColumn(ACol));
}

int OrderEditing::GridColumnOf(const TvgColumn* column) const
{
    return FGrid.GridColumnForColumnObject(column);
}

int OrderEditing::LineOf(int ARow) const
{
    return FGrid.Cells(0, ARow).toInt();
}

bool OrderEditing::IsShipped(int ARow) const
{
    const int status = GridColumnOf(FColumns.Status);
    return status >= 0 && FGrid.Cells(status, ARow) == ShippedLabel;
}

QString OrderEditing::ProblemWith(int ACol, int ARow) const
{
    const OrderColumn* column = ColumnAt(ACol);
    if (!column || ARow < FGrid.FixedRows())
        return QString();
    const QString text = FGrid.Cells(ACol, ARow).trimmed();
    const int line = LineOf(ARow);
    if (column->Field == QLatin1String("quantity")) {
        bool whole = false;
        const int quantity = text.toInt(&whole);
        if (!whole || quantity <= 0)
            return QStringLiteral("Line %1: the quantity must be a positive whole number, not \u201C%2\u201D")
                .arg(line)
                .arg(text);
    } else if (column->Field == QLatin1String("customer")) {
        if (!FCustomers.contains(text))
            return QStringLiteral("Line %1: \u201C%2\u201D is no known customer").arg(line).arg(text);
    } else if (column->Field == QLatin1String("ordered_on")) {
        if (!QDateOf(text).isValid())
            return QStringLiteral("Line %1: \u201C%2\u201D is not a date").arg(line).arg(text);
    }
    return QString();
}

void OrderEditing::Store(int ACol, int ARow)
{
    const OrderColumn* column = ColumnAt(ACol);
    const QString statement = column ? UpdateStatementFor(column->Field) : QString();
    if (statement.isEmpty())
        return;
    const QString text = FGrid.Cells(ACol, ARow).trimmed();
    const QVariant value = column->Field == QLatin1String("ordered_on") ? QVariant(QDateOf(text).toString(Qt::ISODate))
                                                                        : QVariant(text);
    const int line = LineOf(ARow);
    QSqlQuery query(FDatabase);
    bool stored = query.prepare(statement);
    query.bindValue(QStringLiteral(":value"), value);
    query.bindValue(QStringLiteral(":line"), line);
    stored = stored && query.exec() && query.numRowsAffected() == 1;
    QSqlQuery amount(FDatabase);
    stored = stored && amount.prepare(UpdateAmount);
    amount.bindValue(QStringLiteral(":line"), line);
    stored = stored && amount.exec();
    if (!stored) {
        const QString error = query.lastError().isValid() ? query.lastError().text() : amount.lastError().text();
        Refuse(ARow, QStringLiteral("Line %1 could not be saved: %2").arg(line).arg(error));
        return;
    }
    ShowLine(ARow);
    emit Message(QStringLiteral("Line %1 saved: %2 is now \u201C%3\u201D").arg(line).arg(column->Title, text));
}

void OrderEditing::ShowLine(int ARow)
{
    QSqlQuery query(FDatabase);
    query.prepare(QStringLiteral("SELECT * FROM order_overview WHERE line = :line"));
    query.bindValue(QStringLiteral(":line"), LineOf(ARow));
    if (!query.exec() || !query.next())
        return;
    for (const OrderColumn& column : FColumns.All) {
        const QString text = CellTextOf(query.value(column.Field), column.Kind);
        const int col = GridColumnOf(column.Column);
        if (col >= 0)
            FGrid.SetCells(col, ARow, text);
        else if (!column.Column->Visible())
            column.Column->Cols()->Put(ARow, text); // a hidden column keeps its cells
    }
}

bool OrderEditing::AddLine(int ARow)
{
    const int customerRow = ARow + 1 < FGrid.RowCount() ? ARow + 1 : ARow - 1;
    QSqlQuery query(FDatabase);
    bool added = query.prepare(QStringLiteral(
        "INSERT INTO order_lines (line, customer_id, product_id, ordered_on, quantity, status, amount, internal_id) "
        "SELECT COALESCE(MAX(line), 0) + 1, "
        "       COALESCE((SELECT customer_id FROM order_lines WHERE line = :neighbour), "
        "                (SELECT MIN(id) FROM customers)), "
        "       (SELECT MIN(id) FROM products), :today, 1, 'pending', "
        "       (SELECT unit_price FROM products ORDER BY id LIMIT 1), "
        "       printf('%08x', abs(random()) % 4294967296) "
        "FROM order_lines"));
    query.bindValue(QStringLiteral(":neighbour"), customerRow >= FGrid.FixedRows() ? LineOf(customerRow) : 0);
    query.bindValue(QStringLiteral(":today"), QDate::currentDate().toString(Qt::ISODate));
    added = added && query.exec();
    if (!added) {
        emit Message(QStringLiteral("No line could be added: %1").arg(query.lastError().text()));
        return false;
    }
    FGrid.SetCells(0, ARow, QString::number(query.lastInsertId().toInt()));
    ShowLine(ARow);
    emit Message(QStringLiteral("Line %1 added").arg(LineOf(ARow)));
    return true;
}

bool OrderEditing::RemoveLine(int ARow)
{
    const int line = LineOf(ARow);
    QSqlQuery query(FDatabase);
    bool removed = query.prepare(QStringLiteral("DELETE FROM order_lines WHERE line = :line"));
    query.bindValue(QStringLiteral(":line"), line);
    removed = removed && query.exec() && query.numRowsAffected() == 1;
    if (!removed) {
        emit Message(QStringLiteral("Line %1 could not be deleted: %2").arg(line).arg(query.lastError().text()));
        return false;
    }
    emit Message(QStringLiteral("Line %1 deleted").arg(line));
    return true;
}

void OrderEditing::Refuse(int ARow, const QString& reason)
{
    ShowLine(ARow);
    emit Message(reason + QStringLiteral(" (the line keeps what was stored)"));
}

void OrderEditing::PickDate(int ACol, int ARow)
{
    const OrderColumn* column = ColumnAt(ACol);
    if (!column || column->Field != QLatin1String("ordered_on") || IsShipped(ARow) || !ChooseDate)
        return;
    const TRect r = FGrid.CellRect(ACol, ARow);
    const QRect cell(FGrid.viewport()->mapToGlobal(QPoint(r.Left, r.Top)), QSize(r.Right - r.Left, r.Bottom - r.Top));
    const std::optional<QDate> date = ChooseDate(QDateOf(FGrid.Cells(ACol, ARow)), cell);
    if (!date || !date->isValid())
        return;
    FGrid.SetCells(ACol, ARow, DateToStr(EncodeDate(date->year(), date->month(), date->day())));
    Store(ACol, ARow);
}

} // namespace vg::demo
