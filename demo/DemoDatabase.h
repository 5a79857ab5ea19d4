// The demo's sample data: an SQLite database filled from an SQL script that is embedded
// in the demo's resources. It is kept in a file, so that edits survive a restart, or in
// memory, fresh every time (screenshots, tests). Each DemoDatabase has a connection of its
// own, which goes away with it.
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
    // Opens the database file, or a fresh in-memory database when databaseFile is empty.
    // A database that does not exist yet is made by running every statement of the script
    // (a file or resource name); a file is made whole under another name first and put in
    // place only once the script has run, so a failure leaves no half-made file behind.
    // Raises vg::EStreamError when the script cannot be read and vg::EInvalidOperation when
    // the SQLite driver is missing, the file cannot be made or opened, or a statement
    // fails; the message names the driver, the file or the statement and the database's
    // error.
    explicit DemoDatabase(const QString& scriptFile = OrdersScript, const QString& databaseFile = QString());
    ~DemoDatabase();
    DemoDatabase(const DemoDatabase&) = delete;
    DemoDatabase& operator=(const DemoDatabase&) = delete;

    // The open connection; queries are made on it: QSqlQuery query(db.Database()).
    QSqlDatabase Database() const;

    // Where the demo keeps its data between runs: orders.sqlite in the user's data folder
    // (QStandardPaths::AppDataLocation, which follows the application's name).
    static QString DefaultFile();
    // Removes a database file, so that the next DemoDatabase on it starts over from the
    // script. Nothing happens when there is none; vg::EInvalidOperation when it stays.
    static void RemoveFile(const QString& databaseFile);

private:
    // Opens the connection on the database name (a file or ":memory:").
    void Open(const QString& databaseName);
    // Makes databaseFile from the script through a file of another name.
    void CreateFile(const QString& scriptFile, const QString& databaseFile);
    void RunScript(const QString& scriptFile);
    void Close();

    QString FConnectionName;
};

} // namespace vg::demo
