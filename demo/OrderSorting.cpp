#include "OrderSorting.h"

#include <VelkoGrid/VelkoGrid.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace vg::demo {

namespace {

struct SortKey {
    bool Missing = true;
    double Value = 0;
    QString Text;
};

SortKey KeyOf(const QString& cell, CellValueKind kind)
{
    SortKey key;
    switch (kind) {
    case CellValueKind::Number:
        key.Missing = !TryStrToFloat(cell, key.Value);
        break;
    case CellValueKind::Date:
        key.Missing = !TryStrToDate(cell, key.Value);
        break;
    case CellValueKind::Text:
        key.Missing = cell.isEmpty();
        key.Text = cell;
        break;
    }
    return key;
}

// Negative, zero or positive as a sorts before, with or after b in ascending order.
int Compare(const SortKey& a, const SortKey& b, CellValueKind kind)
{
    if (kind == CellValueKind::Text)
        return a.Text.localeAwareCompare(b.Text);
    return a.Value < b.Value ? -1 : (a.Value > b.Value ? 1 : 0);
}

} // namespace

void SortRows(TVelkoGrid& grid, int ACol, CellValueKind kind, bool descending)
{
    const int first = grid.FixedRows();
    const int count = grid.RowCount() - first;
    std::vector<SortKey> keys;
    keys.reserve(size_t(count));
    for (int row = first; row < grid.RowCount(); ++row)
        keys.push_back(KeyOf(grid.Cells(ACol, row), kind));

    // The rows in their new order, by their place now.
    std::vector<int> wanted(static_cast<size_t>(count));
    std::iota(wanted.begin(), wanted.end(), 0);
    std::stable_sort(wanted.begin(), wanted.end(), [&](int a, int b) {
        const SortKey& ka = keys[size_t(a)];
        const SortKey& kb = keys[size_t(b)];
        if (ka.Missing || kb.Missing)
            return !ka.Missing && kb.Missing;
        const int c = Compare(ka, kb, kind);
        return descending ? c > 0 : c < 0;
    });

    // Each row in turn is moved up to its place; the rows below it shift down by one.
    std::vector<int> current(static_cast<size_t>(count));
    std::iota(current.begin(), current.end(), 0);
    for (int place = 0; place < count; ++place) {
        const auto at = std::find(current.begin() + place, current.end(), wanted[size_t(place)]);
        const int from = int(at - current.begin());
        if (from == place)
            continue;
        grid.MoveRow(first + from, first + place);
        std::rotate(current.begin() + place, at, at + 1);
    }
}

} // namespace vg::demo
