// A real SQLite database in memory for dataset tests: a table "items" of Records records
// with an INTEGER PRIMARY KEY "id" (1, 2, ...) and text fields "f1", "f2", ... up to Fields
// fields in all, where field k of record id holds "r<id>f<k>". Each has a connection of its
// own, removed with it.
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <gtest/gtest.h>

namespace vg::test {

class SqlTestDatabase {
public:
    SqlTestDatabase(int Fields, int Records) : FName(QStringLiteral("velkogrid-test-%1").arg(++Counter()))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FName);
        db.setDatabaseName(QStringLiteral(":memory:"));
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        QStringList columns{QStringLiteral("id INTEGER PRIMARY KEY")};
        QStringList marks{QStringLiteral("?")};
        for (int k = 1; k < Fields; ++k) {
            columns << QStringLiteral("f%1 TEXT").arg(k);
            marks << QStringLiteral("?");
        }
        Run(QStringLiteral("CREATE TABLE items (%1)").arg(columns.join(u',')));
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO items VALUES (%1)").arg(marks.join(u',')));
        for (int id = 1; id <= Records; ++id) {
            insert.addBindValue(id);
            for (int k = 1; k < Fields; ++k)
                insert.addBindValue(QStringLiteral("r%1f%2").arg(id).arg(k));
            EXPECT_TRUE(insert.exec()) << insert.lastError().text().toStdString();
        }
        db.commit();
    }
    ~SqlTestDatabase()
    {
        QSqlDatabase::database(FName, false).close();
        QSqlDatabase::removeDatabase(FName);
    }
    SqlTestDatabase(const SqlTestDatabase&) = delete;
    SqlTestDatabase& operator=(const SqlTestDatabase&) = delete;

    QSqlDatabase Database() const { return QSqlDatabase::database(FName, false); }

    void Run(const QString& statement) const
    {
        QSqlQuery query(Database());
        EXPECT_TRUE(query.exec(statement)) << query.lastError().text().toStdString();
    }

private:
    static int& Counter()
    {
        static int counter = 0;
        return counter;
    }

    QString FName;
};

} // namespace vg::test
