// What the column-model grid shows after scrolling and after changes stays what a full
// paint with nothing kept from before shows. Scrolling by a row or a column moves what is
// on screen: the heading band over a group cut by the edge, bevels, dotted borders,
// formatted numbers, the focus rectangle and the highlighted selection all show exactly
// what a full repaint shows after every step of a random walk.
#include "grid/VgGrid.h"

#include "platform/graphics/TextLayout.h"
#include "platform/locale/FormatSettings.h"

#include "support/GridHarness.h"
#include "TestEnvironment.h"

#include <QRandomGenerator>
#include <QScrollBar>

#include <functional>
#include <vector>

using namespace vg;
using namespace vg::test;

TEST(VelkoGridScroll, AScrolledGridShowsWhatAFullRepaintShows)
{
    TVelkoGrid grid;
    grid.SetColumnCount(24);
    grid.SetRowCount(80);
    grid.SetRowHeights(0, 40);
    grid.SetVelkoOptions({vgoptDrawFocusRectangle, vgoptHighlightSelection});
    grid.Headings()->Add()->SetCaption(QStringLiteral("A heading wider than the screen"));
    TvgBorder dotted;
    dotted.SetStyle(vgbrdDot);
    dotted.SetColor(clRed);
    for (int c = 0; c < grid.ColCount(); ++c) {
        TvgColumn* column = grid.GetVisibleColumn(c);
        column->SetCaption(QStringLiteral("Column %1").arg(c));
        if (c >= 2 && c <= 14)
            column->SetHeadingIndex(0);
        grid.SetColWidths(c, 40 + (c * 13) % 40);
    }
    grid.GetVisibleColumn(3)->SetFormatType(vgfmtNumeric);
    grid.GetVisibleColumn(3)->SetColumnHAlignment(taRightJustify);
    grid.GetVisibleColumn(4)->SetColumnOuterBevel(bvRaised);
    grid.GetVisibleColumn(5)->SetBottomBorder(&dotted);
    grid.GetVisibleColumn(6)->SetColumnClipStyle(vgclpEllipsis);
    for (int r = 1; r < grid.RowCount(); ++r) {
        grid.SetRowHeights(r, 18 + (r * 5) % 9);
        for (int c = 1; c < grid.ColCount(); ++c)
            grid.SetCells(c, r, QString::number(r * 1000.5 + c, 'f', 1));
    }
    ShowFocused(grid, {420, 300});

    QRandomGenerator random(14);
    for (int step = 0; step < 120; ++step) {
        const auto bar = [&](QScrollBar* scrollBar) {
            scrollBar->setValue(scrollBar->value() + (random.bounded(3) ? 1 : -1));
        };
        switch (random.bounded(6)) {
        case 0:
            bar(grid.verticalScrollBar());
            break;
        case 1:
            bar(grid.horizontalScrollBar());
            break;
        case 2:
            Key(random.bounded(2) ? Qt::Key_Down : Qt::Key_Right, random.bounded(2) ? Qt::ShiftModifier : Qt::NoModifier);
            break;
        case 3:
            Key(random.bounded(2) ? Qt::Key_Up : Qt::Key_Left);
            break;
        case 4: {
            // Cells written a row at a time, as loading does, or one by one.
            const int row = 1 + int(random.bounded(grid.RowCount() - 1));
            std::vector<std::pair<int, QString>> texts;
            for (int c = 1 + int(random.bounded(3)); c < grid.ColCount(); c += 1 + int(random.bounded(4)))
                texts.emplace_back(c, random.bounded(5) ? QString::number(random.bounded(100000) / 10.0) : QString());
            std::vector<TCellText> cells;
            for (const auto& [c, text] : texts)
                cells.push_back({c, text});
            grid.SetRowCells(row, cells);
            break;
        }
        case 5:
            grid.SetCells(1 + int(random.bounded(grid.ColCount() - 1)), 1 + int(random.bounded(grid.RowCount() - 1)),
                          QString::number(random.bounded(1000)));
            break;
        }
        SCOPED_TRACE(step);
        ASSERT_EQ(OnScreen(grid), Repainted(grid));
    }
}

// Painting keeps laid-out texts from one paint to the next: whatever changes what a cell
// shows (its text, its column's format, alignment or font, the locale, the device pixel
// ratio) shows on the next paint exactly as on a grid that never kept a text.
TEST(VelkoGridRepaint, AChangeShowsOnTheNextPaintAsWithNothingKept)
{
    struct TCase {
        const char* What;
        std::function<void(TVelkoGrid&)> Change;
        qreal Ratio = 1;
    };
    const auto setUp = [](TVelkoGrid& grid) {
        grid.SetColumnCount(3);
        grid.SetRowCount(3);
        grid.resize(240, 80);
        grid.GetVisibleColumn(1)->SetFormatType(vgfmtNumeric);
        grid.SetCells(1, 1, QStringLiteral("1234.5"));
        grid.SetCells(2, 1, QStringLiteral("text"));
    };
    const auto column = [](TVelkoGrid& grid) { return grid.GetVisibleColumn(1); };
    const TCase cases[] = {
        {"cell text", [](TVelkoGrid& grid) { grid.SetCells(1, 1, QStringLiteral("1234.25")); }},
        {"decimals", [&](TVelkoGrid& grid) { column(grid)->SetDecimals(0); }},
        {"format", [&](TVelkoGrid& grid) { column(grid)->SetFormatType(vgfmtScientific); }},
        {"alignment", [&](TVelkoGrid& grid) { column(grid)->SetColumnHAlignment(taRightJustify); }},
        {"font",
         [&](TVelkoGrid& grid) {
             TFont bold;
             bold.SetStyle({fsBold});
             column(grid)->SetColumnFont(&bold);
             column(grid)->SetColumnParentFont(false);
         }},
        {"locale",
         [](TVelkoGrid&) {
             TFormatSettings settings = FormatSettings();
             settings.DecimalSeparator = u',';
             settings.ThousandSeparator = u'.';
             SetFormatSettings(settings);
         }},
        {"device pixel ratio", [](TVelkoGrid&) {}, 2},
    };
    const auto render = [](TVelkoGrid& grid, qreal ratio) {
        QImage image(grid.size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        grid.render(&image);
        return image;
    };
    TTextLayoutCache& cache = TTextLayoutCache::Instance();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TVelkoGrid grid;
        setUp(grid);
        const QImage before = render(grid, 1);
        c.Change(grid);
        const QImage after = render(grid, c.Ratio);

        cache.SetCapacity(0);
        const QImage expected = render(grid, c.Ratio);
        cache.SetCapacity(TTextLayoutCache::DefaultCapacity);
        test::UseTestFormatSettings();
        EXPECT_EQ(after, expected);
        EXPECT_NE(before.scaled(after.size()), after) << "the change shows";
    }
}
