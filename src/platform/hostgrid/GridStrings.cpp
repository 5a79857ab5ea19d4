#include "platform/hostgrid/GridStrings.h"

#include "platform/core/Exceptions.h"
#include "platform/hostgrid/StringGrid.h"

namespace vg {

const TClassInfo& TGridStrings::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TGridStrings>(QStringLiteral("TGridStrings"), &TStrings::StaticClassInfo()).Build();
    return info;
}

TGridStrings::TGridStrings(TStringGrid& grid, bool column, int index)
    : FGrid(grid)
    , FColumn(column)
    , FIndex(index)
{
}

int TGridStrings::Count() const
{
    const int lists = FColumn ? FGrid.ColCount() : FGrid.RowCount();
    if (FIndex >= lists)
        RaiseListIndexError(FIndex);
    return FColumn ? FGrid.RowCount() : FGrid.ColCount();
}

QString TGridStrings::Get(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
    return FColumn ? FGrid.Cells(FIndex, index) : FGrid.Cells(index, FIndex);
}

void TGridStrings::Put(int index, const QString& s)
{
    if (index < 0 || index >= Count())
        IndexError(index);
    if (FColumn)
        FGrid.SetCells(FIndex, index, s);
    else
        FGrid.SetCells(index, FIndex, s);
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
