// What a form file holds of a grid whose columns are out of step, and what a refused read
// puts back. A grid may have more visible column objects than grid columns for a while
// (SetColCount below their number, or objects added to Columns directly), but Loaded
// always gives it one grid column per visible object; so the form describes the grid in
// step: that many columns, and as many widths, the columns to come with the default width.
// Written like that, every form the grid writes reads back, into a new grid or itself, to
// the same text.
#include "grid/VgGrid.h"

#include <algorithm>
#include <vector>

namespace vg {

int TVelkoGrid::StoredColCount() const
{
    // A grid without a visible object (only while Columns is being updated) keeps its count:
    // Loaded gives each of its columns a new object.
    const int visible = GetVisibleColumnCount();
    return visible > 0 ? visible : ColCount();
}

int TVelkoGrid::StoredFixedCols() const
{
    return std::min(FixedCols(), StoredColCount() - 1);
}

int TVelkoGrid::StoredColWidth(int Index) const
{
    return Index < ColCount() ? ColWidths(Index) : DefaultColWidth();
}

std::function<void(TComponent&)> TVelkoGrid::KeepUnwrittenState() const
{
    const int colCount = ColCount();
    std::vector<int> widths;
    for (int col = 0; col < colCount; ++col)
        widths.push_back(ColWidths(col));
    const std::function<void(TComponent&)> cells = TVgHintGrid::KeepUnwrittenState();
    // Given a grid that has just read this one's form: the row count, the column objects
    // and the hidden columns' cells are there, and the grid is in step.
    return [colCount, widths = std::move(widths), cells](TComponent& Target) {
        auto& grid = dynamic_cast<TVelkoGrid&>(Target);
        grid.HideEditor();
        if (grid.ColCount() != colCount)
            grid.SetGridColCount(colCount); // the column objects stay as the form gave them
        for (int col = 0; col < colCount; ++col)
            if (grid.ColWidths(col) != widths[size_t(col)])
                grid.SetColWidths(col, widths[size_t(col)]);
        cells(grid);
    };
}

} // namespace vg
