/// \file
/// TSqlQueryDataSet: a dataset over a Qt SQL query, on any database Qt's drivers reach.
/// Give it the statement (SetSQL) and open it, or prepare, bind and even run the query
/// yourself through Query(): a query that is already running counts as open, and the
/// dataset starts at the record the query stands on (its first, when it was not moved yet).
/// The query reads forward only, so that the driver need not keep the records already read;
/// First then runs it again.
#pragma once

#include "platform/core/Export.h"
#include "platform/data/DataSet.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace vg {

/// A dataset over a Qt SQL query, on any database Qt's drivers reach. Give it the statement
/// (SetSQL) and open it, or prepare, bind and run the query yourself through Query().
/// \ingroup host_data
class VELKOGRID_EXPORT TSqlQueryDataSet : public TDataSet {
    VG_CLASS(TSqlQueryDataSet)
public:
    /// The query runs on Database (the default connection when none is given).
    explicit TSqlQueryDataSet(const QSqlDatabase& Database = QSqlDatabase::database());

    /// The statement that opening runs; when it is empty, opening runs the query as it was
    /// prepared through Query().
    const QString& SQL() const { return FSQL; }
    void SetSQL(const QString& Value) { FSQL = Value; }

    QSqlQuery& Query() { return FQuery; }

protected:
    bool IsOpen() const override { return FQuery.isActive(); }
    void OpenSource() override;
    void CloseSource() override { FQuery.finish(); }
    QStringList SourceFieldNames() const override;
    bool NextRecord() override;
    void Rewind() override;
    bool OnRecord() const override { return FQuery.isValid(); }
    bool BeforeFirst() const override { return FQuery.at() == QSql::BeforeFirstRow; }
    QVariant RecordValue(int Index) const override { return FQuery.value(Index); }

private:
    // Runs the statement, or the prepared query when there is none.
    void Run();
    [[noreturn]] void RaiseQueryError(const QString& What) const;

    QSqlQuery FQuery;
    QString FSQL;
};

} // namespace vg
