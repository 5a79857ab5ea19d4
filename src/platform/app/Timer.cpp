#include "platform/app/Timer.h"

#include "platform/app/Application.h"
#include "platform/core/Exceptions.h"

#include <QTimer>

namespace vg {

const TClassInfo& TTimer::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTimer>(QStringLiteral("TTimer"), &TComponent::StaticClassInfo())
                                       .Bool(QStringLiteral("Enabled"), &TTimer::Enabled, &TTimer::SetEnabled).Default(true)
                                       .Int(QStringLiteral("Interval"), &TTimer::Interval, &TTimer::SetInterval).Default(1000)
                                       .Build();
    return info;
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner)
    , FTimer(std::make_unique<QTimer>())
{
    QObject::connect(FTimer.get(), &QTimer::timeout, FTimer.get(), [this] { Tick(); });
    UpdateTimer();
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool value)
{
    if (FEnabled == value)
        return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(int value)
{
    if (value < 0)
        throw EInvalidOperation(QStringLiteral("Timer interval %1 is negative").arg(value));
    if (FInterval == value)
        return;
    FInterval = value;
    UpdateTimer();
}

bool TTimer::Running() const
{
    return FEnabled && FInterval > 0;
}

void TTimer::UpdateTimer()
{
    FTimer->stop();
    if (Running())
        FTimer->start(FInterval);
}

void TTimer::Tick()
{
    if (!Running() || !OnTimer)
        return;
    // A copy: the handler may replace itself or destroy this timer.
    const auto handler = OnTimer;
    Application().GuardEvent([&] { handler(this); });
}

} // namespace vg
