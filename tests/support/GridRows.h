// The cells of a column-model grid row by row, for comparing whole grids: every column
// object in collection order, a hidden one's cell in brackets from its Cols.
#pragma once

#include "grid/VgGrid.h"

#include <QStringList>

namespace vg::test {

inline QStringList ColumnObjectRows(const TVelkoGrid& grid)
{
    QStringList rows;
    for (int row = 0; row < grid.RowCount(); ++row) {
        QStringList cells;
        for (int i = 0; i < grid.Columns()->Count(); ++i) {
            const TvgColumn* column = (*grid.Columns())[i];
            const int col = grid.GridColumnForColumnObject(column);
            cells << (col >= 0 ? grid.Cells(col, row) : u'[' + column->Cols()->Get(row) + u']');
        }
        rows << cells.join(u'|');
    }
    return rows;
}

} // namespace vg::test
