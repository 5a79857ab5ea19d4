#include "platform/app/TickCount.h"

#include <QElapsedTimer>

namespace vg {

namespace {

std::function<std::uint32_t()>& TickCountSource()
{
    static std::function<std::uint32_t()> source;
    return source;
}

} // namespace

std::uint32_t GetTickCount()
{
    if (const auto& source = TickCountSource())
        return source();
    // The monotonic clock's reference point is the system's start on the platforms Qt
    // supports, like the window system's own tick count.
    QElapsedTimer clock;
    clock.start();
    return static_cast<std::uint32_t>(clock.msecsSinceReference());
}

void SetTickCountSource(std::function<std::uint32_t()> source)
{
    TickCountSource() = std::move(source);
}

} // namespace vg
