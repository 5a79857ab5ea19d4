#include "platform/app/MouseCapture.h"
#include "platform/app/Screen.h"
#include "platform/app/TickCount.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

TEST(ScreenTest, SizeIsThePrimaryScreensAndTheCursorMoves)
{
    const QRect geometry = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(Screen().Width(), geometry.width());
    EXPECT_EQ(Screen().Height(), geometry.height());
    EXPECT_GT(Screen().Width(), 0);

    Screen().SetCursorPos({33, 44});
    EXPECT_EQ(Screen().CursorPos(), Point(33, 44));
}

TEST(TickCountTest, CountsMillisecondsAndCanBeReplaced)
{
    const std::uint32_t before = GetTickCount();
    QTest::qWait(25);
    const std::uint32_t elapsed = GetTickCount() - before;
    EXPECT_GE(elapsed, 20u);
    EXPECT_LT(elapsed, 10000u);

    std::uint32_t now = 0xFFFFFFF0u;
    SetTickCountSource([&] { return now; });
    const std::uint32_t start = GetTickCount();
    now += 0x20; // wraps around
    EXPECT_EQ(GetTickCount() - start, 0x20u);
    SetTickCountSource(nullptr);
    EXPECT_NE(GetTickCount(), now);
}

TEST(MouseCaptureTest, OneHolderAtATime)
{
    QWidget first;
    auto second = std::make_unique<QWidget>();
    first.show();
    SetCapture(&first);
    EXPECT_EQ(GetCapture(), &first);
    SetCapture(second.get()); // taken over, even by a hidden widget
    EXPECT_EQ(GetCapture(), second.get());
    second.reset();
    EXPECT_EQ(GetCapture(), nullptr) << "a destroyed holder loses the capture";

    SetCapture(&first);
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    SetCapture(&first);
    SetCapture(nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}
