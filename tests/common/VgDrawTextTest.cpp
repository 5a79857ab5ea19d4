// Cell text painted on images: margins, alignment, cutting, ellipsis and wrapping, and the
// size requests posted to a grid when the text needs more room than its cell has.
#include "common/VgDrawText.h"
#include "platform/app/Messages.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/TextLayout.h"

#include "support/ImageCanvas.h"
#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace vg {
namespace {

using namespace test;

using TRequests = std::vector<std::vector<std::intptr_t>>; // message, row or column, size

// Stands in for a grid: says whether it may be resized and collects the requests.
class TRequestCollector : public QObject, public TvgSizeRequestTarget {
public:
    bool AdjustColWidth = false;
    bool AdjustRowHeight = false;
    TRequests Received;

    bool VelkoAdjustColWidth() const override { return AdjustColWidth; }
    bool VelkoAdjustRowHeight() const override { return AdjustRowHeight; }
    QObject* SizeRequestReceiver() override { return this; }
    bool event(QEvent* e) override
    {
        if (auto* m = dynamic_cast<TMessageEvent*>(e))
            Received.push_back({m->Message.Msg, m->Message.WParam, m->Message.LParam});
        return QObject::event(e);
    }
};

class VGDrawTextTest : public ::testing::Test {
protected:
    // A cell in column 7, row 11 whose text area, inside the margins, is width x height at (20, 10).
    TVgDrawInfo Cell(const QString& text, int width, int height, int hMargin = 2, int vMargin = 2)
    {
        TVgDrawInfo info{&Image.Canvas, vgvaTop, taLeftJustify, text,
                         Rect(20 - hMargin, 10 - vMargin, 20 + width + hMargin, 10 + height + vMargin), hMargin, vMargin};
        info.Col = 7;
        info.Row = 11;
        info.Grid = &Grid;
        return info;
    }
    // Draws the cell afresh on a clear image and answers the requests it posted.
    TRequests Draw(const TVgDrawInfo& info)
    {
        Image.Image.fill(White);
        VGDrawText(info);
        EXPECT_TRUE(Grid.Received.empty()) << "requests are posted, not sent";
        QCoreApplication::sendPostedEvents(&Grid);
        return std::exchange(Grid.Received, {});
    }
    int Width(const QString& text)
    {
        TRect r = Rect(0, 0, 10000, 10000);
        DrawText(Image.Canvas, text, r, DT_EXPANDTABS | DT_CALCRECT);
        return r.Width();
    }
    int InkTop() { return Image.InkedRows()->first; }
    int InkLeft() { return Image.InkedColumns()->first; }

    TImageCanvas Image{300, 120};
    TRequestCollector Grid;
    const int lh = QFontMetrics(Image.Canvas.Font().ToQFont()).height();
};

TEST_F(VGDrawTextTest, SizeRequestsStartWhereTheAreaIsExceeded)
{
    const QString text = QStringLiteral("Hello, cell");
    const int m = Width(text);
    const QString tall = text + QStringLiteral("\nsecond\nthird");
    EXPECT_EQ(Draw(Cell(tall, m - 20, 5)), TRequests()) << "nothing unless the grid allows it";

    Grid.AdjustColWidth = Grid.AdjustRowHeight = true;
    TVgDrawInfo orphan = Cell(tall, m - 20, 5);
    orphan.Grid = nullptr;
    EXPECT_EQ(Draw(orphan), TRequests()) << "text outside a grid asks no one";

    EXPECT_EQ(Draw(Cell(text, m, lh - 1, 3, 3)), TRequests()) << "the areas count their far edges as inside";
    EXPECT_EQ(Draw(Cell(text, m - 1, lh - 2, 3, 3)),
              (TRequests{{vgwmAdjustRowHeight, 11, lh + 2 * 3}, {vgwmAdjustColumnWidth, 7, m + 1 + 2 * 3}}));
    // Tabs advance to stops every eight average character widths.
    const int tabStop = 8 * QFontMetrics(Image.Canvas.Font().ToQFont()).averageCharWidth();
    EXPECT_EQ(Draw(Cell(QStringLiteral("a\tb"), 10, lh)),
              (TRequests{{vgwmAdjustColumnWidth, 7, tabStop + Width(QStringLiteral("b")) + 1 + 4}}));
}

TEST_F(VGDrawTextTest, TallTextStartsAtTheTopAndIsCutAtTheBottom)
{
    Grid.AdjustRowHeight = true;
    const int height = lh + lh / 2; // the second line half shown
    std::optional<std::pair<int, int>> topRows;
    for (TvgVAlignment align : {vgvaTop, vgvaCenter, vgvaBottom}) {
        TVgDrawInfo info = Cell(QStringLiteral("First\nSecond"), 100, height);
        info.VAlignment = align;
        EXPECT_EQ(Draw(info), (TRequests{{vgwmAdjustRowHeight, 11, 2 * lh + 4}}));
        const auto rows = Image.InkedRows();
        EXPECT_GT(rows->second, 10 + lh);
        EXPECT_LT(rows->second, 10 + height);
        EXPECT_EQ(rows, topRows.value_or(*rows)) << "alignment " << int(align);
        topRows = rows;
    }
}

TEST_F(VGDrawTextTest, WrappingAsksForHeightAndOnlyWordsTooLongAskForWidth)
{
    Grid.AdjustColWidth = Grid.AdjustRowHeight = true;
    TVgDrawInfo words = Cell(QStringLiteral("aa bb cc dd ee ff gg hh"), Width(QStringLiteral("aa bb cc")), 2 * lh);
    words.ClipStyle = vgclpWrap;
    EXPECT_EQ(Draw(words), (TRequests{{vgwmAdjustRowHeight, 11, 3 * lh + 4}}));
    EXPECT_GT(Image.InkedRows()->second, 10 + lh) << "the second line is drawn";

    TVgDrawInfo word = Cell(QStringLiteral("Incomprehensibilities"), 40, lh);
    word.ClipStyle = vgclpWrap;
    EXPECT_EQ(Draw(word), (TRequests{{vgwmAdjustColumnWidth, 7, Width(word.Text) + 1 + 4}}));
}

TEST_F(VGDrawTextTest, EllipsisEndsTheLineInsideTheAreaAndAmpersandsShow)
{
    Grid.AdjustColWidth = true;
    TVgDrawInfo info = Cell(QStringLiteral("Bread & Butter & Jam"), 70, lh);
    info.ClipStyle = vgclpEllipsis;
    EXPECT_EQ(Draw(info), TRequests()) << "a cut line measures with its cut width";
    const int right = Image.InkedColumns()->second;
    EXPECT_LT(right, 20 + 70);
    const auto dot = Image.InkedRows(QRect(right - 1, 0, 2, 120)); // a dot on the baseline
    EXPECT_LE(dot->second - dot->first, 2);
    EXPECT_GT(dot->first, 10 + lh / 2);

    Draw(Cell(QStringLiteral("&&&&&&"), 200, lh));
    EXPECT_NEAR(Image.InkedColumns()->second - InkLeft() + 1, Width(QStringLiteral("&&&&&&")), 3);
}

TEST_F(VGDrawTextTest, PlacesTextThatFitsByItsAlignmentsAndState)
{
    TVgDrawInfo info = Cell(QStringLiteral("Cell"), 150, lh + 7); // 8 pixels to spare
    Draw(info);
    const int top = InkTop(), left = InkLeft();
    info.VAlignment = vgvaCenter;
    Draw(info);
    EXPECT_EQ(InkTop() - top, 4);
    info.VAlignment = vgvaBottom;
    Draw(info);
    EXPECT_EQ(InkTop() - top, 7);

    info.HAlignment = taRightJustify;
    Draw(info);
    EXPECT_EQ(InkLeft() - left, 150 - Width(info.Text));
    info.HAlignment = taCenter;
    Draw(info);
    EXPECT_NEAR(InkLeft() - left, (150 - Width(info.Text)) / 2, 1);

    // A fixed cell's text area starts a margin above its rectangle, and that room counts.
    Grid.AdjustRowHeight = true;
    TVgDrawInfo heading = Cell(info.Text, 100, lh - 4);
    heading.State = TGridDrawState{gdFixed};
    EXPECT_EQ(Draw(heading), TRequests());
    EXPECT_EQ(InkTop(), top - 4);
}

TEST_F(VGDrawTextTest, LeavesTheBackgroundWithAClearBrushAndNeedsACanvas)
{
    Image.Canvas.Brush().SetColor(clRed);
    Draw(Cell(QStringLiteral("Over the background"), 150, 20));
    EXPECT_GT(Image.CountPainted(), 0);
    EXPECT_EQ(Image.Count(Image.Image.rect(), Red), 0);
    EXPECT_EQ(Image.Canvas.Brush().Style(), bsClear);

    TVgDrawInfo noCanvas = Cell(QStringLiteral("x"), 10, 10);
    noCanvas.Canvas = nullptr;
    EXPECT_THROW(VGDrawText(noCanvas), EInvalidOperation);
}

} // namespace
} // namespace vg
