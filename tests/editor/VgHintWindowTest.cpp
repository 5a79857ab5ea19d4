#include "editor/VgHintWindow.h"
#include "platform/app/Screen.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <climits>

using namespace vg;

namespace {

struct VgHintWindowTest : ::testing::Test {
    TvgHintWindow Hint;
    QFontMetrics Metrics{Hint.Canvas().Font().ToQFont()};

    int OneLineHeight() const { return Metrics.height() + 6; }
    // The rightmost column of the client area painted with text, and how dark the darkest
    // text pixel is (the text colour is darker than the background).
    int RightmostInk(int* darkest = nullptr)
    {
        const QImage image = Hint.grab().toImage();
        const QRgb background = Hint.palette().color(QPalette::ToolTipBase).rgb();
        int rightmost = -1;
        int minGray = 255;
        for (int x = 1; x < image.width() - 1; ++x)
            for (int y = 1; y < image.height() - 1; ++y)
                if (image.pixel(x, y) != background) {
                    rightmost = x;
                    minGray = std::min(minGray, qGray(image.pixel(x, y)));
                }
        if (darkest)
            *darkest = minGray;
        return rightmost;
    }
};

} // namespace

TEST_F(VgHintWindowTest, SizesItselfToTheTextAtTheGivenCorner)
{
    EXPECT_EQ(Hint.Color(), clInfoBk);
    Hint.ActivateHint(Rect(50, 60, 0, 0), "Price in euros");
    EXPECT_TRUE(Hint.isVisible());
    EXPECT_EQ(Hint.geometry(), QRect(50, 60, Metrics.horizontalAdvance("Price in euros") + 8, OneLineHeight()));
}

TEST_F(VgHintWindowTest, StaysOnTheScreen)
{
    Hint.ActivateHint(Rect(-40, -7, 0, 0), "left and above");
    EXPECT_EQ(Hint.pos(), QPoint(0, 0));

    const int sw = Screen().Width(), sh = Screen().Height();
    Hint.ActivateHint(Rect(sw - 5, sh - 3, 0, 0), "right and below");
    EXPECT_EQ(Hint.x() + Hint.width(), sw) << "ends at the right edge";
    EXPECT_EQ(Hint.y() + Hint.height(), sh) << "ends at the bottom edge";

    Hint.ActivateHint(Rect(INT_MAX, INT_MIN, 0, 0), "far away");
    EXPECT_EQ(Hint.geometry(), QRect(sw - Hint.width(), 0, Hint.width(), Hint.height()));

    // Wider than the screen: the left edge wins.
    const QString wide(sw / Metrics.horizontalAdvance(u'W') + 10, u'W');
    Hint.ActivateHint(Rect(100, 100, 0, 0), wide);
    EXPECT_EQ(Hint.x(), 0);
    EXPECT_GT(Hint.width(), sw);
}

TEST_F(VgHintWindowTest, ALineBreakGrowsTheWindowToTheWrappedHeight)
{
    Hint.ActivateHint(Rect(10, 10, 0, 0), "first\nsecond line");
    EXPECT_EQ(Hint.height(), OneLineHeight() + Metrics.lineSpacing());
    EXPECT_GE(Hint.width(), Metrics.horizontalAdvance("second line") + 8);
    const int twoLines = Hint.height();
    Hint.SetHint("one\ntwo\nthree");
    EXPECT_EQ(Hint.height(), twoLines + Metrics.lineSpacing());
}

TEST_F(VgHintWindowTest, AnAmpersandIsShownAsItIs)
{
    ASSERT_NE(Metrics.horizontalAdvance("a&b"), Metrics.horizontalAdvance("ab"));
    Hint.ActivateHint(Rect(10, 10, 0, 0), "a&b");
    EXPECT_EQ(Hint.width(), Metrics.horizontalAdvance("a&b") + 8);
    const int withAmpersand = RightmostInk();

    Hint.ActivateHint(Rect(10, 10, 0, 0), "ab");
    const int without = RightmostInk();
    ASSERT_GT(without, 0);
    EXPECT_GT(withAmpersand, without + Metrics.horizontalAdvance("&") / 2);
}

TEST_F(VgHintWindowTest, PaintsTheTooltipColours)
{
    Hint.ActivateHint(Rect(10, 10, 0, 0), "Hint");
    const QImage image = Hint.grab().toImage();
    const QRgb background = Hint.palette().color(QPalette::ToolTipBase).rgb();
    EXPECT_EQ(image.pixel(1, 1), background);
    EXPECT_EQ(image.pixel(Hint.width() - 2, Hint.height() - 2), background);
    int darkest = 255;
    EXPECT_GT(RightmostInk(&darkest), 2);
    EXPECT_LE(darkest, qGray(Hint.palette().color(QPalette::ToolTipText).rgb()) + 60);
}

TEST_F(VgHintWindowTest, ChangingTheTextOfAHiddenWindowShowsItWhereItWas)
{
    Hint.ActivateHint(Rect(100, 120, 0, 0), "first");
    Hint.HideWindow();
    EXPECT_FALSE(Hint.isVisible());
    Hint.HideWindow(); // hidden already: nothing happens

    Hint.SetHint("a longer second text");
    EXPECT_TRUE(Hint.isVisible());
    EXPECT_EQ(Hint.geometry(), QRect(100, 120, Metrics.horizontalAdvance("a longer second text") + 8, OneLineHeight()));

    Hint.HideWindow();
    Hint.SetHint("a longer second text");
    EXPECT_FALSE(Hint.isVisible()) << "the same text is no change";
}

TEST_F(VgHintWindowTest, NeverTakesTheFocus)
{
    QLineEdit edit;
    edit.show();
    edit.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
    edit.setFocus();
    ASSERT_TRUE(edit.hasFocus());

    Hint.ActivateHint(Rect(edit.x(), edit.y() + 30, 0, 0), "a hint");
    Hint.SetHint("another hint");
    QApplication::processEvents();
    EXPECT_TRUE(edit.hasFocus());
    EXPECT_EQ(QApplication::activeWindow(), &edit);
    EXPECT_EQ(QGuiApplication::focusWindow(), edit.windowHandle());
}
