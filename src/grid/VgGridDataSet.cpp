// Filling the grid from a dataset's records.
#include "grid/VgGrid.h"

#include "grid/VgGridFill.h"
#include "platform/data/DataSet.h"

namespace vg {

void TVelkoGrid::LoadFromDataSet(TDataSet& DataSet, bool IncludeFieldNames, int FirstColumn, int FirstRow)
{
    if (FirstColumn < 0)
        throw EvgColumnIndexOutOfRange(
            QStringLiteral("TVelkoGrid: the first column object must be 0 or more, not %1").arg(FirstColumn));
    // Each record adds one row at most, so the rows must follow on from those there are.
    if (FirstRow < 0 || FirstRow > RowCount())
        throw EvgRowIndexOutOfRange(
            QStringLiteral("TVelkoGrid: records cannot start at row %1 of a grid of %2 rows").arg(FirstRow).arg(RowCount()));
    if (!DataSet.Active())
        DataSet.Open();
    const int fieldCount = DataSet.FieldCount();
    TvgGridFill fill(*this, FirstColumn, FirstRow);
    fill.ReachColumns(fieldCount);
    qint64 line = 0;
    if (IncludeFieldNames) {
        fill.ReachLine(line);
        for (int f = 0; f < fieldCount; ++f)
            fill.Store(f, line, DataSet.FieldDefs()[f]->Name());
        ++line;
    }
    const TFields& fields = DataSet.Fields();
    for (; !DataSet.Eof(); ++line) {
        fill.ReachLine(line);
        for (int f = 0; f < fieldCount; ++f)
            fill.Store(f, line, fields[f]->AsString());
        DataSet.Next();
    }
    fill.Finish();
}

} // namespace vg
