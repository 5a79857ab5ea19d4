#include "platform/data/SqlQueryDataSet.h"

#include <QSqlError>
#include <QSqlRecord>

namespace vg {

const TClassInfo& TSqlQueryDataSet::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TSqlQueryDataSet>(QStringLiteral("TSqlQueryDataSet"), &TDataSet::StaticClassInfo()).Build();
    return info;
}

TSqlQueryDataSet::TSqlQueryDataSet(const QSqlDatabase& Database) : FQuery(Database)
{
    // Records are read once, front to back: the driver need not keep those already read.
    FQuery.setForwardOnly(true);
}

void TSqlQueryDataSet::Run()
{
    const bool ran = FSQL.isEmpty() ? FQuery.exec() : FQuery.exec(FSQL);
    if (!ran)
        RaiseQueryError(QStringLiteral("Cannot run the query"));
}

void TSqlQueryDataSet::RaiseQueryError(const QString& What) const
{
    throw EDatabaseError(QStringLiteral("%1: %2").arg(What, FQuery.lastError().text()));
}

void TSqlQueryDataSet::OpenSource()
{
    Run();
    if (!FQuery.isSelect()) {
        FQuery.finish();
        throw EDatabaseError(QStringLiteral("The query returns no records: %1").arg(FQuery.lastQuery()));
    }
}

QStringList TSqlQueryDataSet::SourceFieldNames() const
{
    const QSqlRecord record = FQuery.record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}

bool TSqlQueryDataSet::NextRecord()
{
    if (FQuery.next())
        return true;
    // Past the last record, or a failure to fetch the next one.
    if (FQuery.lastError().isValid())
        RaiseQueryError(QStringLiteral("Cannot fetch the next record"));
    return false;
}

void TSqlQueryDataSet::Rewind()
{
    if (FQuery.isForwardOnly() && FQuery.at() != QSql::BeforeFirstRow) {
        // A forward-only query starts again by running again.
        Run();
        return;
    }
    FQuery.seek(QSql::BeforeFirstRow);
}

} // namespace vg
