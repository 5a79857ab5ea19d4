#include "TestEnvironment.h"

#include "DemoDatabase.h"

#include "platform/core/Exceptions.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

using namespace vg;
using namespace vg::demo;

namespace {

QVariant Scalar(const DemoDatabase& db, const QString& sql)
{
    QSqlQuery query(db.Database());
    if (!query.exec(sql) || !query.next())
        return QVariant();
    return query.value(0);
}

// A script in a temporary file, for loading scripts other than the embedded one.
class ScriptFile {
public:
    explicit ScriptFile(const QByteArray& text)
    {
        FFile.open();
        FFile.write(text);
        FFile.flush();
    }
    QString Name() const { return FFile.fileName(); }

private:
    QTemporaryFile FFile;
};

} // namespace

TEST(SplitSqlStatements, SplitsAtSemicolonsAndDropsEmptyStatements)
{
    EXPECT_EQ(SplitSqlStatements(QStringLiteral("  SELECT 1 ;;\n ; SELECT 2")),
              (QStringList{QStringLiteral("SELECT 1"), QStringLiteral("SELECT 2")}));
    EXPECT_TRUE(SplitSqlStatements(QStringLiteral(" ; \n ")).isEmpty());
}

TEST(SplitSqlStatements, QuotedSemicolonsAndCommentMarkersAreText)
{
    const QString insert = QStringLiteral("INSERT INTO t VALUES ('a;b', 'it''s; -- /* not a comment', \"c;d\", [e;f])");
    EXPECT_EQ(SplitSqlStatements(insert + QStringLiteral("; SELECT 2")),
              (QStringList{insert, QStringLiteral("SELECT 2")}));
}

TEST(SplitSqlStatements, CommentsAreLeftOutButStillSeparateWords)
{
    const QStringList statements = SplitSqlStatements(
        QStringLiteral("-- header; with a semicolon\nSELECT 1/* a; b */FROM t; -- only a comment;\n"));
    ASSERT_EQ(statements.size(), 1);
    EXPECT_EQ(statements[0], QStringLiteral("SELECT 1 FROM t"));
}

TEST(SplitSqlStatements, UnterminatedQuotesAndCommentsEndTheScript)
{
    EXPECT_EQ(SplitSqlStatements(QStringLiteral("SELECT 'open; text")), QStringList{QStringLiteral("SELECT 'open; text")});
    EXPECT_EQ(SplitSqlStatements(QStringLiteral("SELECT 1 /* open; comment")), QStringList{QStringLiteral("SELECT 1")});
    EXPECT_EQ(SplitSqlStatements(QStringLiteral("SELECT 1 -")), QStringList{QStringLiteral("SELECT 1 -")});
}

TEST(DemoDatabase, EmbeddedScriptYieldsTheOrderLines)
{
    const DemoDatabase db;
    EXPECT_EQ(Scalar(db, QStringLiteral("SELECT COUNT(*) FROM order_overview")).toInt(), 3000);
    // Every line found its customer, product and status (the view joins all three).
    EXPECT_EQ(Scalar(db, QStringLiteral("SELECT COUNT(*) FROM order_lines")).toInt(), 3000);
    // Refunds, and only they, are negative.
    EXPECT_GT(Scalar(db, QStringLiteral("SELECT COUNT(*) FROM order_overview WHERE amount < 0")).toInt(), 0);
    EXPECT_EQ(Scalar(db, QStringLiteral("SELECT COUNT(*) FROM order_overview WHERE (amount < 0) <> (status = 'Refunded')"))
                  .toInt(),
              0);
    EXPECT_EQ(Scalar(db, QStringLiteral("SELECT COUNT(DISTINCT status) FROM order_overview")).toInt(), 4);
    EXPECT_EQ(Scalar(db, QStringLiteral("SELECT MIN(ordered_on) FROM order_overview")).toString(),
              QStringLiteral("2024-01-02"));
    // Shares are parts of the turnover of all lines: their sizes add up to one.
    const double shares = Scalar(db, QStringLiteral("SELECT SUM(ABS(share)) FROM order_overview")).toDouble();
    EXPECT_NEAR(shares, 1.0, 1e-9);
}

TEST(DemoDatabase, InstancesAreSeparateAndRemoveTheirConnections)
{
    const qsizetype before = QSqlDatabase::connectionNames().size();
    {
        const DemoDatabase first;
        const DemoDatabase second;
        EXPECT_EQ(QSqlDatabase::connectionNames().size(), before + 2);
        QSqlQuery(first.Database()).exec(QStringLiteral("DELETE FROM order_lines"));
        EXPECT_EQ(Scalar(first, QStringLiteral("SELECT COUNT(*) FROM order_lines")).toInt(), 0);
        EXPECT_EQ(Scalar(second, QStringLiteral("SELECT COUNT(*) FROM order_lines")).toInt(), 3000);
    }
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), before);
}

TEST(DemoDatabase, FailuresNameTheirCauseAndLeaveNoConnection)
{
    const qsizetype before = QSqlDatabase::connectionNames().size();

    EXPECT_THROW(DemoDatabase(QStringLiteral(":/demo/no-such-script.sql")), EStreamError);

    const ScriptFile broken("CREATE TABLE t (a INTEGER);\nINSERT INTO missing VALUES (1);\n");
    try {
        DemoDatabase db(broken.Name());
        ADD_FAILURE() << "a failing statement was not reported";
    } catch (const EInvalidOperation& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("INSERT INTO missing VALUES (1)"))) << e.what();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("no such table"))) << e.what();
    }
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), before);
}

TEST(DemoDatabase, AFileIsMadeFromTheScriptOnceAndKeepsWhatIsWrittenUntilRemoved)
{
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("data/deeper/orders.sqlite"));
    const QString pending = QStringLiteral("SELECT COUNT(*) FROM order_lines WHERE status = 'pending'");
    int pendingAtStart = 0;
    {
        const DemoDatabase db(OrdersScript, file);
        EXPECT_EQ(Scalar(db, QStringLiteral("SELECT COUNT(*) FROM order_overview")).toInt(), 3000);
        pendingAtStart = Scalar(db, pending).toInt();
        QSqlQuery(db.Database()).exec(QStringLiteral("UPDATE order_lines SET status = 'pending' WHERE line <= 10"));
        QSqlQuery(db.Database()).exec(QStringLiteral("DELETE FROM order_lines WHERE line = 3000"));
    }
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_FALSE(QFileInfo::exists(file + QStringLiteral(".part")));
    int pendingEdited = 0;
    {
        // Opened again: what was written is there, the script is not run again.
        const DemoDatabase db(OrdersScript, file);
        EXPECT_EQ(Scalar(db, QStringLiteral("SELECT COUNT(*) FROM order_lines")).toInt(), 2999);
        pendingEdited = Scalar(db, pending).toInt();
        EXPECT_GT(pendingEdited, pendingAtStart);
    }
    DemoDatabase::RemoveFile(file);
    EXPECT_FALSE(QFileInfo::exists(file));
    DemoDatabase::RemoveFile(file); // nothing to remove is no failure
    const DemoDatabase db(OrdersScript, file);
    EXPECT_EQ(Scalar(db, QStringLiteral("SELECT COUNT(*) FROM order_lines")).toInt(), 3000);
    EXPECT_EQ(Scalar(db, pending).toInt(), pendingAtStart);
}

TEST(DemoDatabase, AScriptThatFailsLeavesNoFileBehind)
{
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("orders.sqlite"));
    const ScriptFile broken("CREATE TABLE t (a INTEGER);\nINSERT INTO t VALUES (1);\nINSERT INTO missing VALUES (1);\n");
    EXPECT_THROW(DemoDatabase(broken.Name(), file), EInvalidOperation);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList());
    // The next try starts from nothing, not from the half-made file.
    const ScriptFile good("CREATE TABLE t (a INTEGER);\nINSERT INTO t VALUES (1);\n");
    const DemoDatabase db(good.Name(), file);
    EXPECT_EQ(Scalar(db, QStringLiteral("SELECT COUNT(*) FROM t")).toInt(), 1);
}
