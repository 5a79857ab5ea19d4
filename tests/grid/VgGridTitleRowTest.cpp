// The title row's height: while nobody gave row 0 a height of its own, it fits its heading
// band and the captions below at the fonts in use, also after fonts and headings change;
// a height the application or a form file gives it stays. Form files and the RowHeights
// property keep only heights of their own, so a fitted row reads back as a fitted row.
#include "grid/VgGrid.h"

#include "platform/core/FormFile.h"

#include <QApplication>
#include <QImage>

#include "support/GridHarness.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vg;
using namespace vg::test;

namespace {

// The height of the dark ink inside r (its rows from the first to the last one inked).
int InkHeight(const QImage& image, const TRect& r)
{
    int top = -1, bottom = -1;
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, image.height()); ++y)
        for (int x = std::max(r.Left, 0); x < std::min(r.Right, image.width()); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
    return top < 0 ? 0 : bottom - top + 1;
}

// Columns 1 and 2 under a heading whose caption may wrap; columns without bevels, so that
// the only dark ink in the title row is text (the line under the band is left out).
void AddHeading(TVelkoGrid& grid, const QString& caption)
{
    TvgHeading* heading = grid.Headings()->Add();
    heading->SetCaption(caption);
    heading->SetTitleOuterBevel(bvNone);
    for (int col = 1; col <= 2; ++col)
        grid.GetVisibleColumn(col)->SetHeadingIndex(0);
}

TVelkoGrid* NewGrid(QWidget* parent = nullptr)
{
    auto* grid = new TVelkoGrid(nullptr, parent);
    grid->SetColumnCount(4);
    grid->SetRowCount(4);
    grid->SetOptions(grid->Options() - TGridOptions{goFixedHorzLine, goFixedVertLine});
    for (int col = 0; col < 4; ++col) {
        grid->GetVisibleColumn(col)->SetTitleOuterBevel(bvNone);
        grid->GetVisibleColumn(col)->SetCaption(QStringLiteral("Col %1").arg(col));
    }
    return grid;
}

// What the title row shows: the ink of the band over column 1 and of each caption.
std::vector<int> TitleInk(TVelkoGrid& grid)
{
    QApplication::processEvents(); // the fit follows the change
    const QImage image = grid.viewport()->grab().toImage();
    const int height = grid.RowHeights(0);
    std::vector<int> ink;
    for (int col = 0; col < grid.ColCount(); ++col) {
        const TRect cell = grid.CellRect(col, 0);
        const bool headed = grid.GetVisibleColumn(col)->HeadingIndex() >= 0;
        const int captionTop = headed ? cell.Top + height / 2 - 1 : cell.Top;
        if (col == 1)
            ink.push_back(InkHeight(image, TRect{cell.Left, cell.Top, cell.Right, captionTop - 1}));
        ink.push_back(InkHeight(image, TRect{cell.Left, captionTop, cell.Right, cell.Bottom}));
    }
    return ink;
}

} // namespace

// Each case changes a new grid; the title row must then show everything that an
// unclipped title row of 300 pixels shows (or, where a height was set, keep it).
TEST(VelkoGridTitleRow, FitsItsHeadingBandAndCaptionsUnlessItHasAHeightOfItsOwn)
{
    TFont big;
    big.SetHeight(-26);
    struct TCase {
        const char* What;
        std::function<void(TVelkoGrid&)> Change;
        int SetHeight = -1; // the height it keeps, or -1 where it fits
    };
    const TCase cases[] = {
        {"no heading", [](TVelkoGrid&) {}},
        {"two-line caption, no heading",
         [](TVelkoGrid& grid) { grid.GetVisibleColumn(3)->SetCaption(QStringLiteral("Price\nper unit")); }},
        {"heading", [](TVelkoGrid& grid) { AddHeading(grid, QStringLiteral("Amounts")); }},
        {"heading and two-line captions",
         [](TVelkoGrid& grid) {
             AddHeading(grid, QStringLiteral("Amounts"));
             grid.GetVisibleColumn(2)->SetCaption(QStringLiteral("Price\nper unit"));
         }},
        {"heading wrapped over its columns",
         [](TVelkoGrid& grid) { AddHeading(grid, QStringLiteral("Amounts of every order line, net")); }},
        {"heading, then the grid's font grows",
         [&](TVelkoGrid& grid) {
             AddHeading(grid, QStringLiteral("Amounts"));
             TitleInk(grid);
             grid.Font().Assign(&big);
         }},
        {"heading, then its own font grows",
         [&](TVelkoGrid& grid) {
             AddHeading(grid, QStringLiteral("Amounts"));
             TitleInk(grid);
             TvgHeading* heading = (*grid.Headings())[0];
             heading->SetTitleFont(&big);
             heading->SetTitleParentFont(false);
         }},
        {"heading, then a caption's font grows",
         [&](TVelkoGrid& grid) {
             AddHeading(grid, QStringLiteral("Amounts"));
             TitleInk(grid);
             grid.GetVisibleColumn(2)->SetTitleFont(&big);
             grid.GetVisibleColumn(2)->SetTitleParentFont(false);
         }},
        {"big font, then it shrinks back",
         [&](TVelkoGrid& grid) {
             grid.Font().Assign(&big);
             AddHeading(grid, QStringLiteral("Amounts"));
             TitleInk(grid);
             grid.Font().SetHeight(TFont::DefaultHeight);
         }},
        {"heading, then its caption and the column widths change",
         [&](TVelkoGrid& grid) {
             AddHeading(grid, QStringLiteral("Amounts"));
             TitleInk(grid);
             (*grid.Headings())[0]->SetCaption(QStringLiteral("Amounts of every order line, net"));
             grid.SetColWidths(1, 40);
         }},
        {"heading set as form text",
         [](TVelkoGrid& grid) {
             grid.SetHeadingsText("<\n  item\n    Caption = 'Amounts'\n    TitleOuterBevel = bvNone\n  end>");
             grid.GetVisibleColumn(1)->SetHeadingIndex(0);
         }},
        {"the default height set", [](TVelkoGrid& grid) {
             AddHeading(grid, QStringLiteral("Amounts"));
             grid.SetRowHeights(0, grid.DefaultRowHeight()); // no height of its own
         }},
        {"a height set before the heading",
         [](TVelkoGrid& grid) {
             grid.SetRowHeights(0, 27);
             AddHeading(grid, QStringLiteral("Amounts"));
         },
         27},
        {"a height set after the fit, then the font grows",
         [&](TVelkoGrid& grid) {
             AddHeading(grid, QStringLiteral("Amounts"));
             TitleInk(grid);
             grid.SetRowHeights(0, grid.RowHeights(0)); // the fitted height, now its own
             grid.SetRowHeights(0, 33);
             grid.Font().Assign(&big);
         },
         33},
        {"the RowHeights property",
         [](TVelkoGrid& grid) {
             AddHeading(grid, QStringLiteral("Amounts"));
             grid.setProperty("RowHeights", QByteArray("31,20,20,20"));
         },
         31},
        {"the title row made a data row", [](TVelkoGrid& grid) {
             AddHeading(grid, QStringLiteral("Amounts"));
             TitleInk(grid);
             grid.SetFixedRows(0);
         }, 20},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        QWidget window;
        TVelkoGrid* grid = NewGrid(&window);
        TVelkoGrid* tall = NewGrid(&window);
        grid->setGeometry(0, 0, 400, 200);
        tall->setGeometry(0, 200, 400, 400);
        window.resize(400, 600);
        window.show();
        c.Change(*grid);
        c.Change(*tall);
        const std::vector<int> ink = TitleInk(*grid);
        if (c.SetHeight >= 0) {
            EXPECT_EQ(grid->RowHeights(0), c.SetHeight);
            continue;
        }
        tall->SetRowHeights(0, 300);
        EXPECT_EQ(ink, TitleInk(*tall)) << "everything shows";
        if (c.What == std::string("no heading"))
            EXPECT_EQ(grid->RowHeights(0), grid->DefaultRowHeight()) << "single captions fit the default";
        else
            EXPECT_GT(grid->RowHeights(0), grid->DefaultRowHeight());
        // The fitted height is no height of its own: it is not stored.
        EXPECT_EQ(grid->property("RowHeights").toByteArray().split(',').first(), QByteArray::number(grid->DefaultRowHeight()));
    }
}

// A form keeps heights of their own only. A grid written with a fitted title row reads
// back fitted; one with a title height of its own keeps it; and a form written earlier,
// whose title row has the default height among heights of their own, reads back fitted.
TEST(VelkoGridTitleRow, FormFilesKeepHeightsOfTheirOwnAndReadFittedRowsBackFitted)
{
    const auto readBack = [](const QString& text) {
        std::unique_ptr<TComponent> read = ReadComponentFromText(text);
        auto* grid = dynamic_cast<TVelkoGrid*>(read.release());
        EXPECT_NE(grid, nullptr);
        grid->resize(400, 200);
        grid->show();
        QApplication::processEvents();
        return std::unique_ptr<TVelkoGrid>(grid);
    };
    std::unique_ptr<TVelkoGrid> grid(NewGrid());
    grid->resize(400, 200);
    AddHeading(*grid, QStringLiteral("Amounts"));
    grid->SetRowHeights(3, 44);
    QApplication::processEvents();
    const int fitted = grid->RowHeights(0);
    ASSERT_GT(fitted, grid->DefaultRowHeight());

    const QString text = WriteComponentToText(*grid);
    EXPECT_TRUE(text.contains(QStringLiteral("RowHeights = (\n    20\n    20\n    20\n    44)"))) << text.toStdString();
    std::unique_ptr<TVelkoGrid> back = readBack(text);
    EXPECT_EQ(back->RowHeights(0), fitted);
    EXPECT_EQ(back->RowHeights(3), 44);
    EXPECT_EQ(WriteComponentToText(*back), text);
    // Its fitted row follows a font read later.
    back->Font().SetHeight(-30);
    QApplication::processEvents();
    EXPECT_GT(back->RowHeights(0), fitted);

    grid->SetRowHeights(0, 36);
    const QString own = WriteComponentToText(*grid);
    std::unique_ptr<TVelkoGrid> ownBack = readBack(own);
    EXPECT_EQ(ownBack->RowHeights(0), 36);
    ownBack->Font().SetHeight(-30);
    QApplication::processEvents();
    EXPECT_EQ(ownBack->RowHeights(0), 36) << "a height of its own stays";
    EXPECT_EQ(WriteComponentToText(*ownBack).count(QStringLiteral("    36\n")), 1);
}
