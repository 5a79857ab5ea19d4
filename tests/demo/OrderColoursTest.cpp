// Every cell of the orders page must be readable whatever the palette: its text colour
// against its background, for data cells, titles, headings and the selection, in the
// light palette and in the dark one the demo offers.
#include "TestEnvironment.h"

#include "OrderColours.h"
#include "OrdersPage.h"

#include "grid/VgGrid.h"
#include "platform/core/Colors.h"

#include <QApplication>
#include <QStyle>

#include <gtest/gtest.h>

using namespace vg;
using namespace vg::demo;

namespace {

// What accessibility guidelines ask of text at its usual size.
constexpr double ReadableContrast = 4.5;

struct NamedPalette {
    const char* Name;
    QPalette Palette;
};

// The colour a cell's text takes: its own font's, or the grid's when it follows the grid.
TColor TextColour(const TVelkoGrid& grid, bool parentFont, const TFont& own)
{
    return parentFont ? grid.Font().Color() : own.Color();
}

} // namespace

TEST(OrderColours, ContrastIsMeasuredAsTheGuidelinesDo)
{
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(119, 119, 119), Qt::white), 4.48, 0.01);
    EXPECT_EQ(Mix(Qt::black, Qt::white, 0.5), QColor(128, 128, 128));
    EXPECT_EQ(Mix(QColor(10, 20, 30), QColor(110, 220, 30), 0.25), QColor(35, 70, 30));
}

TEST(OrderColours, EveryCellIsReadableInTheLightAndTheDarkPalette)
{
    const NamedPalette palettes[] = {{"light", QApplication::style()->standardPalette()}, {"dark", DarkPalette()}};
    for (const NamedPalette& named : palettes) {
        // Made under the application's light palette: the dark one comes as a change.
        OrdersPage page;
        page.setPalette(named.Palette);
        const TVelkoGrid& grid = *page.Grid();
        const QPalette& palette = grid.palette();
        const auto expectReadable = [&](const QString& what, TColor text, TColor background) {
            const QColor fore = ColorToQColor(text, palette);
            const QColor back = ColorToQColor(background, palette);
            EXPECT_GE(ContrastRatio(fore, back), ReadableContrast)
                << named.Name << " palette, " << what.toStdString() << ": " << fore.name().toStdString() << " on "
                << back.name().toStdString();
        };
        for (int i = 0; i < grid.Columns()->Count(); ++i) {
            const TvgColumn& column = *grid.Columns()->GetColumn(i);
            expectReadable(column.Caption() + QStringLiteral(" cells"),
                           TextColour(grid, column.ColumnParentFont(), *column.ColumnFont()), column.ColumnColor());
            expectReadable(column.Caption() + QStringLiteral(" title"),
                           TextColour(grid, column.TitleParentFont(), *column.TitleFont()), column.TitleColor());
        }
        expectReadable(QStringLiteral("selected cells"), grid.VelkoHighlightFontColor(), grid.VelkoHighlightColor());
        for (int i = 0; i < grid.Headings()->Count(); ++i) {
            const TvgHeading& heading = *grid.Headings()->GetColumn(i);
            expectReadable(heading.Caption() + QStringLiteral(" heading"),
                           TextColour(grid, heading.TitleParentFont(), *heading.TitleFont()), heading.TitleColor());
        }
    }
}
