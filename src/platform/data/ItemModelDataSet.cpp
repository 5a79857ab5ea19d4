#include "platform/data/ItemModelDataSet.h"

namespace vg {

const TClassInfo& TItemModelDataSet::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TItemModelDataSet>(QStringLiteral("TItemModelDataSet"), &TDataSet::StaticClassInfo()).Build();
    return info;
}

TItemModelDataSet::TItemModelDataSet(QAbstractItemModel* Model, int Role) : FModel(Model), FRole(Role) {}

void TItemModelDataSet::SetModel(QAbstractItemModel* Value)
{
    Close();
    FModel = Value;
}

void TItemModelDataSet::OpenSource()
{
    if (!FModel)
        throw EDatabaseError(QStringLiteral("The dataset has no model to read"));
    FOpen = true;
    FRow = -1;
}

QStringList TItemModelDataSet::SourceFieldNames() const
{
    QStringList names;
    const int columns = FModel->columnCount();
    for (int i = 0; i < columns; ++i)
        names << FModel->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
    return names;
}

bool TItemModelDataSet::NextRecord()
{
    if (FRow < FModel->rowCount())
        ++FRow;
    // Models that hand out their rows in portions get asked for the next one here.
    while (FRow >= FModel->rowCount() && FModel->canFetchMore(QModelIndex())) {
        const int before = FModel->rowCount();
        FModel->fetchMore(QModelIndex());
        if (FModel->rowCount() == before)
            break;
    }
    return FRow < FModel->rowCount();
}

QVariant TItemModelDataSet::RecordValue(int Index) const
{
    return FModel->data(FModel->index(FRow, Index), FRole);
}

} // namespace vg
