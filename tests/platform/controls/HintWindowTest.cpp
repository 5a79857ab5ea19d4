#include "platform/app/Application.h"
#include "platform/controls/HintWindow.h"
#include "platform/core/Exceptions.h"

#include <QFontMetrics>
#include <QImage>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {

class ProbeHintWindow : public THintWindow {
public:
    int TextChanges = 0;
    bool FailPaint = false;

protected:
    void CMTextChanged() override
    {
        ++TextChanges;
        THintWindow::CMTextChanged();
    }
    void Paint() override
    {
        if (FailPaint)
            throw EInvalidOperation("paint failed");
        THintWindow::Paint();
    }
};

} // namespace

TEST(HintWindowTest, ShowsItsTextOnTopWithoutFocusAtTheGivenCorner)
{
    ProbeHintWindow hint;
    EXPECT_EQ(hint.Color(), clInfoBk);
    EXPECT_TRUE(hint.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(hint.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(hint.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(hint.focusPolicy(), Qt::NoFocus);

    hint.ActivateHint(Rect(30, 40, 0, 0), "Some hint");
    EXPECT_TRUE(hint.isVisible());
    const QFontMetrics fm(hint.Canvas().Font().ToQFont());
    EXPECT_EQ(hint.geometry(), QRect(30, 40, fm.horizontalAdvance("Some hint") + 8, fm.height() + 6));
    EXPECT_EQ(hint.ClientRect(), Rect(0, 0, hint.width() - 2, hint.height() - 2));
    EXPECT_EQ(hint.Caption(), "Some hint");
    EXPECT_EQ(hint.TextChanges, 1);

    hint.SetText("Some hint");
    EXPECT_EQ(hint.TextChanges, 1) << "the same text again is no change";
    hint.SetCaption("Other");
    EXPECT_EQ(hint.Text(), "Other");
    EXPECT_EQ(hint.TextChanges, 2);
}

TEST(HintWindowTest, PaintsABorderAroundTheColouredClientArea)
{
    ProbeHintWindow hint;
    hint.SetColor(clRed);
    hint.SetBounds(0, 0, 40, 20);
    const QImage image = hint.grab().toImage();
    const QRgb border = hint.palette().color(QPalette::Shadow).rgb();
    EXPECT_EQ(image.pixel(0, 0), border);
    EXPECT_EQ(image.pixel(39, 19), border);
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(38, 18), qRgb(255, 0, 0));

    QStringList errors;
    Application().OnException = [&](const std::exception& e) { errors << TApplication::MessageOf(e); };
    hint.FailPaint = true;
    EXPECT_NO_THROW(hint.grab());
    Application().OnException = nullptr;
    EXPECT_EQ(errors, QStringList({"paint failed"}));
}
