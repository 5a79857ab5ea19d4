/// \file
/// TTimer: a component that fires OnTimer every Interval milliseconds while it is enabled.
/// A timer runs when Enabled is true and Interval is above 0; its handler runs under the
/// application's exception guard. Owned by a component (which destroys it) or by whoever
/// created it without an owner.
#pragma once

#include "platform/core/Component.h"
#include "platform/core/Export.h"

#include <functional>
#include <memory>

class QTimer;

namespace vg {

/// A component that fires OnTimer every Interval milliseconds while it is enabled; its handler runs
/// under the application's exception guard.
/// \ingroup host_app
class VELKOGRID_EXPORT TTimer : public TComponent {
    VG_CLASS(TTimer)
public:
    explicit TTimer(TComponent* owner = nullptr);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    /// Milliseconds between ticks; 0 stops the timer. Setting it starts the count again.
    /// A negative interval raises EInvalidOperation.
    int Interval() const { return FInterval; }
    void SetInterval(int value);
    /// Whether ticks are coming: enabled with an interval above 0.
    bool Running() const;

    /// One tick at once, exactly as the running timer gives it: OnTimer fires, guarded,
    /// when the timer runs, and nothing happens when it does not. Tests drive timers with it.
    void Tick();

    std::function<void(TObject* Sender)> OnTimer;

private:
    void UpdateTimer();

    std::unique_ptr<QTimer> FTimer;
    bool FEnabled = true;
    int FInterval = 1000;
};

} // namespace vg
