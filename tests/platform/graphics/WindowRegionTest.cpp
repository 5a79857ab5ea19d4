#include "platform/core/Exceptions.h"
#include "platform/graphics/WindowRegion.h"

#include <QWidget>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

TEST(WindowRegion, RoundedCornersLeaveTheCornersOutAndTheEdgesIn)
{
    const QRegion region = CreateRoundRectRgn(0, 0, 200, 100, 50, 50);
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(199, 99)));
    EXPECT_TRUE(region.contains(QPoint(100, 0)));   // middle of the top edge
    EXPECT_TRUE(region.contains(QPoint(0, 50)));    // middle of the left edge
    EXPECT_TRUE(region.contains(QPoint(100, 50)));
    EXPECT_FALSE(region.contains(QPoint(200, 50))); // the right edge lies outside
    EXPECT_TRUE(CreateRoundRectRgn(10, 10, 10, 50, 5, 5).isEmpty());
    // Ellipses larger than the rectangle round it off, but never reach past it.
    EXPECT_TRUE(CreateRoundRectRgn(0, 0, 40, 40, 400, 400).boundingRect().width() <= 40);
}

TEST(WindowRegion, AWindowTakesTheRegionAsItsMaskAndAnEmptyOneRemovesIt)
{
    QWidget window;
    window.resize(200, 100);
    SetWindowRgn(&window, CreateRoundRectRgn(0, 0, 200, 100, 50, 50), true);
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(window.mask().contains(QPoint(100, 50)));
    SetWindowRgn(&window, QRegion(), false);
    EXPECT_TRUE(window.mask().isEmpty());
    EXPECT_THROW(SetWindowRgn(nullptr, QRegion(), false), EInvalidOperation);
}
