// The demo's sample data: an in-memory SQLite database filled from an SQL script that is
// embedded in the demo's resources. Each DemoDatabase has a connection of its own, which
// goes away with it.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace vg::demo {

// The script with the demo's customers, products, statuses and order lines.
inline const QString OrdersScript = QStringLiteral(":/demo/orders.sql");

// Splits an SQL script into its statements at the semicolons that end them. Semicolons
// inside quoted text ('…', "…", […], `…`) and comments do not split; comments are left out
// and empty statements dropped. Statements with nested bodies (triggers) are not
// supported.
QStringList SplitSqlStatements(const QString& script);

class DemoDatabase {
public:
    // Opens a fresh in-memory database and runs every statement of the script (a file or
    // resource name) into it. Raises vg::EStreamError when the script cannot be read and
    // vg::EInvalidOperation when the SQLite driver is missing or a statement fails; the
    // message names the driver or the statement and the database's error.
    explicit DemoDatabase(const QString& scriptFile = OrdersScript);
    ~DemoDatabase();
    DemoDatabase(const DemoDatabase&) = delete;
    DemoDatabase& operator=(const DemoDatabase&) = delete;

    // The open connection; queries are made on it: QSqlQuery query(db.Database()).
    QSqlDatabase Database() const;

private:
    void RunScript(const QString& scriptFile);
    void Close();

    QString FConnectionName;
};

} // namespace vg::demo
