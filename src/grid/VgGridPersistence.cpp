// The grid's contents as text in streams and files, and emptying ranges of cells.
#include "grid/VgGrid.h"

#include "common/VgCsv.h"
#include "grid/VgGridFill.h"
#include "platform/core/Stream.h"

#include <QFile>
#include <QSaveFile>

namespace vg {

namespace {

// The cells of one column object, for saving.
struct TSource {
    int GridColumn; // -1 for a hidden column object
    const TStrings* HiddenCells;
};

void CheckOrigin(int FirstColumn, int FirstRow)
{
    if (FirstColumn < 0)
        throw EvgColumnIndexOutOfRange(
            QStringLiteral("TVelkoGrid: the first column object must be 0 or more, not %1").arg(FirstColumn));
    if (FirstRow < 0)
        throw EvgRowIndexOutOfRange(QStringLiteral("TVelkoGrid: the first row must be 0 or more, not %1").arg(FirstRow));
}

} // namespace

void TVelkoGrid::SaveToStream(int FirstColumn, int FirstRow, QIODevice& Stream)
{
    CheckOrigin(FirstColumn, FirstRow);
    TStream stream(Stream);
    stream.Write({}); // raises for a device that cannot be written, even when no row is saved

    std::vector<TSource> sources;
    int gridColumn = 0;
    for (int i = 0; i < FColumns->Count(); ++i) {
        const TvgColumn* column = (*FColumns)[i];
        if (i >= FirstColumn)
            sources.push_back({column->Visible() ? gridColumn : -1, column->Cols()});
        if (column->Visible())
            ++gridColumn;
    }

    TvgCsvWriter writer([&stream](QByteArrayView piece) { stream.Write(piece); });
    for (int row = FirstRow; row < RowCount(); ++row) {
        for (const TSource& source : sources) {
            if (source.GridColumn >= 0)
                writer.WriteValue(CellView(source.GridColumn, row));
            else if (row < source.HiddenCells->Count())
                writer.WriteValue(source.HiddenCells->Get(row));
            else
                writer.WriteValue(QStringView());
        }
        writer.EndLine();
    }
    writer.Flush();
    stream.Flush();
}

void TVelkoGrid::LoadFromStream(int FirstColumn, int FirstRow, QIODevice& Stream)
{
    CheckOrigin(FirstColumn, FirstRow);
    // Read whole first: a stream that fails leaves the grid as it was.
    TvgCsvReader reader(TStream(Stream).ReadToEnd());
    TvgGridFill fill(*this, FirstColumn, FirstRow);
    // Values past the last column object wait for the end of their line, which then adds
    // the columns for all of them at once.
    QStringList beyond;
    for (qint64 line = 0; reader.NextLine(); ++line) {
        // An empty line stores nothing, but takes up its row.
        QString value;
        int count = 0;
        for (; reader.NextValue(value); ++count) {
            if (count == 0)
                fill.ReachLine(line);
            if (count < fill.ColumnsReached())
                fill.Store(count, line, std::move(value));
            else
                beyond.append(std::move(value));
        }
        if (!beyond.isEmpty()) {
            fill.ReachColumns(count);
            for (int i = 0; i < beyond.size(); ++i)
                fill.Store(count - int(beyond.size()) + i, line, std::move(beyond[i]));
            beyond.clear();
        }
    }
    fill.Finish();
}

void TVelkoGrid::SaveToFile(int FirstColumn, int FirstRow, const QString& FileName)
{
    CheckOrigin(FirstColumn, FirstRow);
    // The old file is replaced only by a complete new one; a failure leaves it as it was.
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EWriteError(QStringLiteral("Cannot create file \"%1\": %2").arg(FileName, file.errorString()));
    SaveToStream(FirstColumn, FirstRow, file);
    if (!file.commit())
        throw EWriteError(QStringLiteral("Cannot save file \"%1\": %2").arg(FileName, file.errorString()));
}

void TVelkoGrid::LoadFromFile(int FirstColumn, int FirstRow, const QString& FileName)
{
    CheckOrigin(FirstColumn, FirstRow);
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError(QStringLiteral("Cannot open file \"%1\": %2").arg(FileName, file.errorString()));
    LoadFromStream(FirstColumn, FirstRow, file);
}

void TVelkoGrid::CheckCellsInGrid(const TGridCoord& TopLeft, const TGridCoord& BottomRight, const QString& Action) const
{
    for (const TGridCoord& corner : {TopLeft, BottomRight}) {
        if (corner.X < 0 || corner.X >= ColCount())
            throw EvgColumnIndexOutOfRange(QStringLiteral("TVelkoGrid: cannot %1 column %2 of a grid of %3 columns")
                                               .arg(Action).arg(corner.X).arg(ColCount()));
        if (corner.Y < 0 || corner.Y >= RowCount())
            throw EvgRowIndexOutOfRange(
                QStringLiteral("TVelkoGrid: cannot %1 row %2 of a grid of %3 rows").arg(Action).arg(corner.Y).arg(RowCount()));
    }
}

void TVelkoGrid::ClearRange(const TGridCoord& TopLeft, const TGridCoord& BottomRight)
{
    CheckCellsInGrid(TopLeft, BottomRight, QStringLiteral("clear"));
    HideEditor();
    for (int col = TopLeft.X; col <= BottomRight.X; ++col)
        for (int row = TopLeft.Y; row <= BottomRight.Y; ++row)
            SetCells(col, row, QString());
}

void TVelkoGrid::Clear()
{
    ClearRange({FixedCols(), FixedRows()}, {ColCount() - 1, RowCount() - 1});
    for (int i = 0; i < FColumns->Count(); ++i) {
        TvgColumn* column = (*FColumns)[i];
        if (!column->Visible())
            column->Cols()->SetStrings(QStringList(column->Cols()->Count(), QString()));
    }
}

} // namespace vg
