/// \file
/// TItemModelDataSet: the rows of a Qt item model as a dataset: one record per top-level
/// row, one field per column, named by the model's horizontal header. It serves every model
/// (QSqlQueryModel, QSqlTableModel, QStandardItemModel, models of one's own), and fetches
/// the rows of models that hand them out in portions (canFetchMore) as it reads on.
#pragma once

#include "platform/core/Export.h"
#include "platform/data/DataSet.h"

#include <QAbstractItemModel>
#include <QPointer>

namespace vg {

/// The rows of a Qt item model as a dataset: one record per top-level row, one field per column,
/// named by the model's horizontal header. It serves QSqlQueryModel, QSqlTableModel,
/// QStandardItemModel and models of one's own.
/// \ingroup host_data
class VELKOGRID_EXPORT TItemModelDataSet : public TDataSet {
    VG_CLASS(TItemModelDataSet)
public:
    /// Values are read in Role; the model must outlive the dataset's use (a model that goes
    /// away closes the dataset).
    explicit TItemModelDataSet(QAbstractItemModel* Model = nullptr, int Role = Qt::DisplayRole);

    QAbstractItemModel* Model() const { return FModel; }
    /// Closes the dataset.
    void SetModel(QAbstractItemModel* Value);
    int Role() const { return FRole; }
    void SetRole(int Value) { FRole = Value; }

protected:
    bool IsOpen() const override { return FOpen && FModel; }
    void OpenSource() override;
    void CloseSource() override { FOpen = false; }
    QStringList SourceFieldNames() const override;
    bool NextRecord() override;
    void Rewind() override { FRow = -1; }
    bool OnRecord() const override { return FRow >= 0 && FRow < FModel->rowCount(); }
    bool BeforeFirst() const override { return FRow < 0; }
    QVariant RecordValue(int Index) const override;

private:
    QPointer<QAbstractItemModel> FModel;
    int FRole;
    bool FOpen = false;
    int FRow = -1;
};

} // namespace vg
