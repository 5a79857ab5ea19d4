#include "DemoDatabase.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

#include <atomic>

namespace vg::demo {

namespace {

QString NewConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("velkogrid-demo-%1").arg(++counter);
}

QString ReadScript(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError(QStringLiteral("Cannot read the SQL script %1: %2").arg(fileName, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

// The character that closes a quoted name or text opened by c; a null character when c
// opens nothing.
QChar ClosingQuote(QChar c)
{
    switch (c.unicode()) {
    case u'\'':
    case u'"':
    case u'`':
        return c;
    case u'[':
        return u']';
    default:
        return QChar();
    }
}

} // namespace

QStringList SplitSqlStatements(const QString& script)
{
    QStringList statements;
    QString current;
    const auto finish = [&] {
        const QString statement = current.trimmed();
        if (!statement.isEmpty())
            statements << statement;
        current.clear();
    };

    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script[i];
        const QChar next = i + 1 < n ? script[i + 1] : QChar();
        if (c == u'-' && next == u'-') {
            // A line comment runs to the end of the line, which still separates tokens.
            while (i < n && script[i] != u'\n')
                ++i;
            current += u'\n';
        } else if (c == u'/' && next == u'*') {
            const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 1;
            current += u' ';
        } else if (const QChar close = ClosingQuote(c); !close.isNull()) {
            // A doubled quote inside text closes and reopens it, which copies it unchanged.
            const qsizetype end = script.indexOf(close, i + 1);
            const qsizetype last = end < 0 ? n - 1 : end;
            current += QStringView(script).mid(i, last - i + 1);
            i = last;
        } else if (c == u';') {
            finish();
        } else {
            current += c;
        }
    }
    finish();
    return statements;
}

DemoDatabase::DemoDatabase(const QString& scriptFile, const QString& databaseFile)
    : FConnectionName(NewConnectionName())
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw EInvalidOperation(QStringLiteral("The Qt SQLite driver (QSQLITE) is not installed"));
    try {
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FConnectionName);
        if (databaseFile.isEmpty()) {
            Open(QStringLiteral(":memory:"));
            RunScript(scriptFile);
            return;
        }
        if (!QFileInfo::exists(databaseFile))
            CreateFile(scriptFile, databaseFile);
        Open(databaseFile);
    } catch (...) {
        Close();
        throw;
    }
}

DemoDatabase::~DemoDatabase()
{
    Close();
}

QSqlDatabase DemoDatabase::Database() const
{
    return QSqlDatabase::database(FConnectionName, false);
}

QString DemoDatabase::DefaultFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("orders.sqlite"));
}

void DemoDatabase::RemoveFile(const QString& databaseFile)
{
    QFile file(databaseFile);
    if (file.exists() && !file.remove())
        throw EInvalidOperation(QStringLiteral("Cannot remove %1: %2").arg(databaseFile, file.errorString()));
}

void DemoDatabase::Open(const QString& databaseName)
{
    QSqlDatabase db = Database();
    db.close();
    db.setDatabaseName(databaseName);
    if (!db.open())
        throw EInvalidOperation(
            QStringLiteral("Cannot open the SQLite database %1: %2").arg(databaseName, db.lastError().text()));
}

void DemoDatabase::CreateFile(const QString& scriptFile, const QString& databaseFile)
{
    const QString folder = QFileInfo(databaseFile).absolutePath();
    if (!QDir().mkpath(folder))
        throw EInvalidOperation(QStringLiteral("Cannot make the folder %1").arg(folder));
    const QString part = databaseFile + QStringLiteral(".part");
    RemoveFile(part); // left over from a run that stopped half-way
    try {
        Open(part);
        QSqlDatabase db = Database();
        // One transaction: much faster on a file, and nothing half-done is ever committed.
        db.transaction();
        RunScript(scriptFile);
        if (!db.commit())
            throw EInvalidOperation(QStringLiteral("Cannot write %1: %2").arg(part, db.lastError().text()));
        db.close();
        if (!QFile::rename(part, databaseFile))
            throw EInvalidOperation(QStringLiteral("Cannot put %1 in place").arg(databaseFile));
    } catch (...) {
        Database().close();
        QFile::remove(part);
        throw;
    }
}

void DemoDatabase::RunScript(const QString& scriptFile)
{
    const QStringList statements = SplitSqlStatements(ReadScript(scriptFile));
    QSqlQuery query(Database());
    for (const QString& statement : statements) {
        if (!query.exec(statement))
            throw EInvalidOperation(QStringLiteral("The SQL script %1 failed at\n%2\n%3")
                                        .arg(scriptFile, statement, query.lastError().text()));
    }
}

void DemoDatabase::Close()
{
    // Every handle on the connection has to be gone before it can be removed.
    {
        QSqlDatabase db = QSqlDatabase::database(FConnectionName, false);
        if (db.isValid())
            db.close();
    }
    if (QSqlDatabase::contains(FConnectionName))
        QSqlDatabase::removeDatabase(FConnectionName);
}

} // namespace vg::demo
