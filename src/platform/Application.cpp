#include "platform/Application.h"

#include "platform/Exceptions.h"

#include <cstdio>

namespace vg {

QString TApplication::MessageOf(const std::exception& E)
{
    if (auto* own = dynamic_cast<const Exception*>(&E))
        return own->Message();
    return QString::fromUtf8(E.what());
}

void TApplication::HandleException(const std::exception& E)
{
    if (OnException) {
        // A failing handler must not take the event loop down with it.
        try {
            OnException(E);
            return;
        } catch (const std::exception& inner) {
            std::fprintf(stderr, "Exception handler failed: %s\n", qPrintable(MessageOf(inner)));
        } catch (...) {
            std::fprintf(stderr, "Exception handler failed\n");
        }
    }
    std::fprintf(stderr, "%s\n", qPrintable(MessageOf(E)));
}

bool TApplication::GuardEvent(const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        HandleException(Exception(QStringLiteral("Unknown exception")));
    }
    return false;
}

TApplication& Application()
{
    static TApplication application;
    return application;
}

} // namespace vg
