/// \file
/// Batching of change reports. An object changed in many steps counts nested
/// BeginUpdate/EndUpdate pairs and reports once, when the outermost pair ends.
#pragma once

#include "platform/core/Export.h"

#include <type_traits>

namespace vg {

/// Counts nested BeginUpdate/EndUpdate pairs, so that an object changed in many steps reports
/// once, when the outermost pair ends.
/// \ingroup host_core
class VELKOGRID_EXPORT TUpdateCount {
public:
    void Begin() { ++FCount; }
    /// Ends one level; true when the outermost level ended with a change to report.
    bool End()
    {
        if (FCount == 0 || --FCount > 0 || !FPending)
            return false;
        FPending = false;
        return true;
    }
    /// Notes a change; true when it is to be reported now, false when it waits for End.
    bool Change()
    {
        if (FCount == 0)
            return true;
        FPending = true;
        return false;
    }
    int Count() const { return FCount; }

private:
    int FCount = 0;
    bool FPending = false;
};

/// Runs work between target.BeginUpdate() and target.EndUpdate(); the update also ends
/// when work throws, so the target never stays in an update that nobody closes.
template <class T, class F>
auto WithinUpdate(T& target, F&& work)
{
    using R = std::invoke_result_t<F&>;
    target.BeginUpdate();
    if constexpr (std::is_void_v<R>) {
        try {
            work();
        } catch (...) {
            target.EndUpdate();
            throw;
        }
        target.EndUpdate();
    } else {
        R result{};
        try {
            result = work();
        } catch (...) {
            target.EndUpdate();
            throw;
        }
        target.EndUpdate();
        return result;
    }
}

} // namespace vg
