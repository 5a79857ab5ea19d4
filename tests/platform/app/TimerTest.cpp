#include "platform/app/Application.h"
#include "platform/app/Timer.h"
#include "platform/core/Exceptions.h"

#include <QTest>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

TEST(TimerTest, TicksComeOnlyWhileEnabledWithAnInterval)
{
    TTimer timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
    QList<TObject*> senders;
    timer.OnTimer = [&](TObject* sender) { senders << sender; };

    timer.Tick();
    EXPECT_EQ(senders, QList<TObject*>({&timer}));

    timer.SetEnabled(false);
    timer.Tick();
    EXPECT_FALSE(timer.Running());
    timer.SetEnabled(true);
    timer.SetInterval(0);
    timer.Tick();
    EXPECT_FALSE(timer.Running());
    EXPECT_EQ(senders.size(), 1);

    EXPECT_THROW(timer.SetInterval(-1), EInvalidOperation);
    EXPECT_EQ(timer.Interval(), 0);
}

TEST(TimerTest, TheRealTimerTicksAndStops)
{
    TTimer timer;
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetInterval(5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 5000));

    timer.SetEnabled(false);
    const int stoppedAt = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, stoppedAt);
}

TEST(TimerTest, AFailingHandlerIsReportedAndAHandlerMayDestroyItsTimer)
{
    QStringList errors;
    Application().OnException = [&](const std::exception& e) { errors << TApplication::MessageOf(e); };
    TTimer failing;
    failing.OnTimer = [](TObject*) { throw EConvertError("bad tick"); };
    EXPECT_NO_THROW(failing.Tick());
    EXPECT_EQ(errors, QStringList({"bad tick"}));
    Application().OnException = nullptr;

    // The handler ends the timer's life on a real tick; the tick must not touch it after.
    auto timer = std::make_unique<TTimer>();
    bool fired = false;
    timer->SetInterval(1);
    timer->OnTimer = [&](TObject*) {
        fired = true;
        timer.reset();
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired; }, 5000));
    EXPECT_EQ(timer, nullptr);
}

TEST(TimerTest, AnOwnedTimerGoesWithItsOwner)
{
    auto owner = std::make_unique<TComponent>();
    auto* timer = new TTimer(owner.get());
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(timer->ClassName(), "TTimer");
    owner.reset(); // frees the timer; ASan reports a leak otherwise
}
