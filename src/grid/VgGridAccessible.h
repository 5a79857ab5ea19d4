/// \file
/// TVelkoGrid as accessibility clients see it: the host grid's table, with cells named by
/// what they show (the display format applied), the stored text as their value, merged
/// headings as column headers spanning their columns, and what the column model knows of
/// a cell: read-only, a list to choose from, a button to press. Hidden columns are no grid
/// columns, so they are no part of the table either.
#pragma once

#include "platform/core/Export.h"

#include "platform/hostgrid/GridAccessible.h"

#include <vector>

namespace vg {

class TVelkoGrid;

/// TVelkoGrid's accessible table: names as painted, merged headings as spanning column
/// headers, and the column model's read-only state, lists and buttons.
/// \ingroup grid
class VELKOGRID_EXPORT TvgGridAccessible : public TGridAccessible {
public:
    explicit TvgGridAccessible(TVelkoGrid* grid);

    /// Installs the factory that gives every TVelkoGrid this interface; called by the
    /// grid's constructor.
    static void Install();

    QString CellName(const TGridCellKey& key) const override;
    QAccessible::Role CellRole(const TGridCellKey& key) const override;
    void AddCellState(const TGridCellKey& key, QAccessible::State& state) const override;
    std::vector<TGridCellKey> ColumnHeaderKeys(int col) const override;
    int BandCount() const override;
    TGridCellKey BandAt(int index) const override;
    int BandIndexOf(int col) const override;
    int BandLastCol(int col) const override;
    std::optional<TGridCellKey> BandAtPoint(QPoint viewportPoint) const override;
    QStringList CellActions(const TGridCellKey& key) const override;
    void DoCellAction(const TGridCellKey& key, const QString& action) override;

private:
    TVelkoGrid* VgGrid() const;
    bool IsDataCell(const TGridCellKey& key) const;
    /// The merged headings, as runs of adjacent columns with one heading. Worked out on each
    /// question: a column's heading can change without the grid's column revision moving.
    struct TBand {
        int First;
        int Last;
        int Heading;
    };
    std::vector<TBand> Bands() const;
    std::optional<TBand> BandOf(int col) const;
};

} // namespace vg
