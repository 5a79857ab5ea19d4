#include "platform/hostgrid/GridStrings.h"

#include "platform/core/Exceptions.h"

namespace vg {

const TClassInfo& TGridStrings::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TGridStrings>(QStringLiteral("TGridStrings"), &TStrings::StaticClassInfo()).Build();
    return info;
}

TGridStrings::TGridStrings(TGridCells& grid, bool column, int index)
    : FGrid(grid)
    , FColumn(column)
    , FIndex(index)
{
}

int TGridStrings::Count() const
{
    const int lists = FColumn ? FGrid.CellColCount() : FGrid.CellRowCount();
    if (FIndex >= lists)
        RaiseListIndexError(FIndex);
    return FColumn ? FGrid.CellRowCount() : FGrid.CellColCount();
}

QString TGridStrings::Get(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
    return FColumn ? FGrid.CellText(FIndex, index) : FGrid.CellText(index, FIndex);
}

void TGridStrings::Put(int index, const QString& s)
{
    if (index < 0 || index >= Count())
        IndexError(index);
    if (FColumn)
        FGrid.SetCellText(FIndex, index, s);
    else
        FGrid.SetCellText(index, FIndex, s);
    Changed();
}

void TGridStrings::Insert(int, const QString&)
{
    throw EInvalidOperation(QStringLiteral("A grid's column or row keeps its number of cells"));
}

void TGridStrings::Delete(int)
{
    throw EInvalidOperation(QStringLiteral("A grid's column or row keeps its number of cells"));
}

void TGridStrings::Clear()
{
    SetStrings({});
}

void TGridStrings::SetStrings(const QStringList& strings)
{
    const int count = Count();
    WithinUpdate(*this, [&] {
        for (int i = 0; i < count; ++i)
            Put(i, i < strings.size() ? strings.at(i) : QString());
    });
}

} // namespace vg
