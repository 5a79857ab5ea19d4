// Sorting the orders grid by one of its columns. The data rows are put in order by moving
// them, as dragging their titles would, so that every column's cells travel with their
// rows, those of hidden columns included.
#pragma once

#include "OrderColumns.h"

namespace vg::demo {

// Orders the grid's data rows by the cells of grid column ACol, read as kind says: numbers
// and dates by value, text in the user's locale's order. Rows whose cell is empty, or does
// not read as its kind, come last either way. Rows that compare equal keep their order.
void SortRows(TVelkoGrid& grid, int ACol, CellValueKind kind, bool descending);

} // namespace vg::demo
