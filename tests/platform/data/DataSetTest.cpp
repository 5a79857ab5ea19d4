#include "platform/data/ItemModelDataSet.h"
#include "platform/data/SqlQueryDataSet.h"
#include "platform/locale/Conversions.h"
#include "platform/locale/DateTime.h"

#include "support/SqlTestDatabase.h"

#include <QDate>
#include <QSqlQueryModel>
#include <QStandardItemModel>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {

// Every record from where the dataset stands, its fields joined by "|".
QStringList Records(TDataSet& dataSet)
{
    QStringList records;
    for (; !dataSet.Eof(); dataSet.Next()) {
        QStringList fields;
        for (int f = 0; f < dataSet.FieldCount(); ++f)
            fields << dataSet.Fields()[f]->AsString();
        records << fields.join(u'|');
    }
    return records;
}

// A field of one record whose value is given as it is.
class ValueDataSet : public TDataSet {
public:
    explicit ValueDataSet(QVariant value) : FValue(std::move(value)) {}

protected:
    bool IsOpen() const override { return FOpen; }
    void OpenSource() override { FOpen = true; }
    void CloseSource() override { FOpen = false; }
    QStringList SourceFieldNames() const override { return {QStringLiteral("value")}; }
    bool NextRecord() override { return ++FRow == 0; }
    void Rewind() override { FRow = -1; }
    bool OnRecord() const override { return FRow == 0; }
    bool BeforeFirst() const override { return FRow < 0; }
    QVariant RecordValue(int) const override { return FValue; }

private:
    QVariant FValue;
    bool FOpen = false;
    int FRow = -1;
};

QString TextOf(const QVariant& value)
{
    ValueDataSet dataSet(value);
    dataSet.Open();
    return dataSet.Fields()[0]->AsString();
}

} // namespace

TEST(SqlQueryDataSet, OpensOnItsFirstRecordAndReadsToTheEnd)
{
    const test::SqlTestDatabase db(3, 4);
    TSqlQueryDataSet dataSet(db.Database());
    dataSet.SetSQL(QStringLiteral("SELECT * FROM items ORDER BY id"));
    EXPECT_FALSE(dataSet.Active());
    EXPECT_TRUE(dataSet.Eof());
    EXPECT_EQ(dataSet.FieldCount(), 0);
    dataSet.SetActive(true);
    ASSERT_EQ(dataSet.FieldCount(), 3);
    EXPECT_EQ(dataSet.FieldDefs()[0]->Name(), QStringLiteral("id"));
    EXPECT_EQ(dataSet.FieldDefs()[2]->Name(), QStringLiteral("f2"));
    EXPECT_EQ(dataSet.Fields().FieldByName(QStringLiteral("F1"))->Index(), 1);
    EXPECT_EQ(dataSet.Fields().FindField(QStringLiteral("nope")), nullptr);
    EXPECT_THROW(dataSet.Fields().FieldByName(QStringLiteral("nope")), EDatabaseError);
    EXPECT_THROW(dataSet.Fields()[3], EListError);
    EXPECT_EQ(Records(dataSet), (QStringList{"1|r1f1|r1f2", "2|r2f1|r2f2", "3|r3f1|r3f2", "4|r4f1|r4f2"}));
    EXPECT_TRUE(dataSet.Eof());
    EXPECT_TRUE(dataSet.Fields()[1]->IsNull()); // past the last record
    dataSet.Next();
    EXPECT_TRUE(dataSet.Eof());
    dataSet.First();
    EXPECT_EQ(dataSet.Fields()[0]->AsString(), QStringLiteral("1"));
    dataSet.Close();
    EXPECT_TRUE(dataSet.Eof());
    EXPECT_THROW(dataSet.FieldValue(0), EDatabaseError);
}

TEST(SqlQueryDataSet, StartsWhereAQueryItsOwnerRanStands)
{
    const test::SqlTestDatabase db(2, 5);
    TSqlQueryDataSet dataSet(db.Database());
    QSqlQuery& query = dataSet.Query();
    ASSERT_TRUE(query.prepare(QStringLiteral("SELECT id FROM items WHERE id > ? ORDER BY id")));
    query.addBindValue(1);
    ASSERT_TRUE(query.exec());
    EXPECT_TRUE(dataSet.Active());
    EXPECT_EQ(Records(dataSet), (QStringList{"2", "3", "4", "5"}));

    ASSERT_TRUE(query.exec());
    query.next();
    query.next();
    EXPECT_EQ(Records(dataSet), (QStringList{"3", "4", "5"}));
    // A forward-only query starts again by running again.
    dataSet.First();
    EXPECT_EQ(Records(dataSet), (QStringList{"2", "3", "4", "5"}));
}

TEST(SqlQueryDataSet, FailuresOfTheDatabaseAreRaised)
{
    const test::SqlTestDatabase db(2, 1);
    TSqlQueryDataSet dataSet(db.Database());
    dataSet.SetSQL(QStringLiteral("SELECT nothing FROM nowhere"));
    EXPECT_THROW(dataSet.Open(), EDatabaseError);
    EXPECT_FALSE(dataSet.Active());
    dataSet.SetSQL(QStringLiteral("UPDATE items SET f1 = 'x'"));
    EXPECT_THROW(dataSet.Open(), EDatabaseError);
    EXPECT_FALSE(dataSet.Active());
}

TEST(ItemModelDataSet, ReadsTheRowsOfAnyModelNamedByItsHeader)
{
    QStandardItemModel model(3, 2);
    model.setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Count")});
    for (int row = 0; row < 3; ++row) {
        model.setItem(row, 0, new QStandardItem(QStringLiteral("n%1").arg(row)));
        model.setItem(row, 1, new QStandardItem(QString::number(row * 10)));
    }
    TItemModelDataSet dataSet(&model);
    dataSet.Open();
    EXPECT_EQ(dataSet.FieldDefs()[1]->Name(), QStringLiteral("Count"));
    EXPECT_EQ(Records(dataSet), (QStringList{"n0|0", "n1|10", "n2|20"}));
    dataSet.First();
    dataSet.Next();
    EXPECT_EQ(dataSet.Fields()[0]->AsString(), QStringLiteral("n1"));

    // A model that goes away closes the dataset.
    {
        QStandardItemModel gone(1, 1);
        dataSet.SetModel(&gone);
        dataSet.Open();
        EXPECT_TRUE(dataSet.Active());
    }
    EXPECT_FALSE(dataSet.Active());
    EXPECT_TRUE(dataSet.Eof());
    EXPECT_THROW(dataSet.Open(), EDatabaseError);
}

TEST(ItemModelDataSet, FetchesTheRowsASqlModelHandsOutInPortions)
{
    const test::SqlTestDatabase db(2, 1000);
    QSqlQueryModel model;
    model.setQuery(QStringLiteral("SELECT id, f1 FROM items ORDER BY id"), db.Database());
    ASSERT_LT(model.rowCount(), 1000); // the model holds only its first portion yet
    TItemModelDataSet dataSet(&model, Qt::EditRole);
    dataSet.Open();
    EXPECT_EQ(dataSet.FieldDefs()[1]->Name(), QStringLiteral("f1"));
    const QStringList records = Records(dataSet);
    ASSERT_EQ(records.size(), 1000);
    EXPECT_EQ(records.last(), QStringLiteral("1000|r1000f1"));
}

TEST(DataSetField, TextFormsFollowTheRegionalSettings)
{
    TDateTime day = 0;
    ASSERT_TRUE(TryEncodeDate(2024, 3, 5, day));
    const QTime time(14, 30, 15);
    EXPECT_EQ(TextOf(QVariant()), QString());
    EXPECT_EQ(TextOf(-1234.5), FloatToStr(-1234.5));
    EXPECT_EQ(TextOf(42), QStringLiteral("42"));
    EXPECT_EQ(TextOf(true), QStringLiteral("True"));
    EXPECT_EQ(TextOf(QDate(2024, 3, 5)), DateToStr(day));
    EXPECT_EQ(TextOf(time), TimeToStr(EncodeTime(14, 30, 15, 0)));
    EXPECT_EQ(TextOf(QDateTime(QDate(2024, 3, 5), time)), DateTimeToStr(ComposeDateTime(day, EncodeTime(14, 30, 15, 0))));
    EXPECT_EQ(TextOf(QDate(20000, 1, 1)), QDate(20000, 1, 1).toString(Qt::ISODate));
    EXPECT_EQ(TextOf(QByteArray("caf\xC3\xA9")), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(TextOf(QByteArray("caf\xE9")), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(TextOf(QStringLiteral("as it is")), QStringLiteral("as it is"));
}
