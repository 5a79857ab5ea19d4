/// \file
/// TvgGridFill: storing values into a grid by column object and line, as loading contents
/// and datasets does. Value j of line k goes to the column object FirstColumn + j of
/// Columns and the grid row FirstRow + k: into the grid cell when the object is shown, into
/// its Cols when it is hidden. Rows and visible column objects are added as values reach
/// past them. Rows are added in large steps rather than one at a time, and the rows no
/// value reached are taken away again by Finish (or when the fill is abandoned by an
/// exception), so the grid ends exactly one row past the last line stored, or as it was.
/// The values of a line for shown columns are kept until the line is done and then go into
/// its row at once, which packs the row's texts once instead of growing it value by value.
/// An open editor whose cell is written is reloaded once the fill is done: its event
/// handlers may change the column objects, which the fill holds.
#pragma once

#include "platform/core/Export.h"
#include "platform/hostgrid/PackedRow.h"

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace vg {

class TStrings;
class TVelkoGrid;
class TvgColumn;

/// Stores values into a grid by column object and line, as loading contents and datasets does:
/// value j of line k goes to column object FirstColumn + j and grid row FirstRow + k. Used by
/// TVelkoGrid's load operations.
/// \ingroup grid
class VELKOGRID_EXPORT TvgGridFill {
public:
    TvgGridFill(TVelkoGrid& Grid, int FirstColumn, int FirstRow);
    ~TvgGridFill();
    TvgGridFill(const TvgGridFill&) = delete;
    TvgGridFill& operator=(const TvgGridFill&) = delete;

    /// Makes the grid row of line Line exist; EvgRowIndexOutOfRange when the grid cannot
    /// have that many rows.
    void ReachLine(qint64 Line);
    /// Makes Count column objects from FirstColumn on exist, each shown one with its grid
    /// column; EvgColumnIndexOutOfRange when that makes more than 16,384 column objects.
    /// Adding them all at once is much cheaper than one by one.
    void ReachColumns(qint64 Count);
    /// How many column objects from FirstColumn on can take a value.
    int ColumnsReached() const { return FReached; }
    /// Stores Value as value Index of line Line, both reached before (a value not reached
    /// raises EvgColumnIndexOutOfRange).
    void Store(int Index, qint64 Line, QString Value);
    /// Takes away the rows added ahead that no value reached.
    void Finish();

private:
    struct TTarget {
        int GridColumn; // -1 for a hidden column object
        TvgColumn* Column;
    };
    void MapTargets();
    // Writes the kept values of the current line into its row.
    void FlushLine();
    // The line reached last is done with: its row stays.
    void CountLineReached();
    // Lets the editor reload again, once.
    void ReleaseEditor();

    TVelkoGrid& FGrid;
    int FFirstColumn;
    int FFirstRow;
    int FRowsNeeded;
    int FLineRows = 0; // the rows the line reached last needs, once it is done with
    bool FFinished = false;
    bool FHoldingEditor = false;
    // The column objects from FirstColumn on, with the grid columns they occupy; the first
    // FReached of them have them.
    std::vector<TTarget> FTargets;
    std::uint64_t FTargetsRevision = 0; // of Columns when they were mapped
    int FReached = 0;
    // The line whose values for shown columns wait in FLineValues (grid column, value).
    qint64 FLine = -1;
    std::vector<std::pair<int, QString>> FLineValues;
    std::vector<TCellText> FLineCells; // views of them, kept for their room
    // Hidden columns (by ID) with the length of their Cols before rows were added ahead.
    std::vector<std::pair<int, int>> FHiddenLengths;
};

} // namespace vg
