/// \file
/// The system tick count: milliseconds of a monotonic clock, in 32 bits that wrap around
/// after about 49 days, as the window system counts them. Differences of two readings
/// (b - a, unsigned) stay right across the wrap.
#pragma once

#include "platform/core/Export.h"

#include <cstdint>
#include <functional>

namespace vg {

VELKOGRID_EXPORT std::uint32_t GetTickCount();

/// Replaces the clock, so that tests can let time pass without waiting; an empty function
/// restores the real one.
VELKOGRID_EXPORT void SetTickCountSource(std::function<std::uint32_t()> source);

} // namespace vg
