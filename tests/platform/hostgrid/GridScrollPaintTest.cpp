// Scrolling by a cell moves what is on screen and paints only the cells that come into
// view: after every step of a random walk through scrolling, moving the current cell,
// selecting rows and changing texts, the window shows exactly what a full repaint shows.
#include "support/GridHarness.h"
#include "TestEnvironment.h"

#include <QRandomGenerator>
#include <QScrollBar>

namespace vg::test {
namespace {

class TCountingGrid : public TStringGrid {
public:
    int Drawn = 0;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override
    {
        ++Drawn;
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
    }
};

TEST(GridScrollPaint, AScrolledGridShowsWhatAFullRepaintShows)
{
    TCountingGrid grid;
    grid.SetColCount(40);
    grid.SetRowCount(120);
    grid.SetFixedCols(2);
    // Cells of many sizes with their coordinates as text: a cell moved to the wrong place
    // shows.
    for (int c = 0; c < grid.ColCount(); ++c)
        grid.SetColWidths(c, 30 + (c * 17) % 50);
    for (int r = 0; r < grid.RowCount(); ++r)
        grid.SetRowHeights(r, 16 + (r * 7) % 15);
    for (int c = 0; c < grid.ColCount(); ++c)
        for (int r = 0; r < grid.RowCount(); ++r)
            grid.SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
    ShowFocused(grid, {400, 300});
    const int cellsOnScreen = grid.VisibleColCount() * grid.VisibleRowCount();

    QRandomGenerator random(14);
    int cheapSteps = 0;
    for (int step = 0; step < 200; ++step) {
        OnScreen(grid);
        grid.Drawn = 0;
        const auto bar = [&](QScrollBar* scrollBar) {
            scrollBar->setValue(scrollBar->value() + (random.bounded(2) ? 1 : -1));
        };
        switch (random.bounded(8)) {
        case 0:
        case 1:
            bar(grid.verticalScrollBar());
            break;
        case 2:
        case 3:
            bar(grid.horizontalScrollBar());
            break;
        case 4: // a move that scrolls when it reaches the edge
            Key(random.bounded(2) ? Qt::Key_Down : Qt::Key_Right);
            break;
        case 5:
            Key(random.bounded(2) ? Qt::Key_Up : Qt::Key_Left, random.bounded(2) ? Qt::ShiftModifier : Qt::NoModifier);
            break;
        case 6: {
            TGridOptions options = grid.Options();
            if (options.Contains(goRowSelect))
                options.Exclude(goRowSelect);
            else
                options.Include(goRowSelect);
            grid.SetOptions(options);
            break;
        }
        case 7:
            grid.SetCells(grid.Col(), grid.Row(), QStringLiteral("changed %1").arg(step));
            bar(grid.verticalScrollBar());
            break;
        }
        SCOPED_TRACE(step);
        const QImage shown = OnScreen(grid);
        if (grid.Drawn < cellsOnScreen / 3)
            ++cheapSteps;
        ASSERT_EQ(shown, Repainted(grid));
    }
    EXPECT_GT(cheapSteps, 40) << "scrolling by a cell paints only what came into view";
}

} // namespace
} // namespace vg::test
