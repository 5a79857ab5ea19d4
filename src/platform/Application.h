// The application object's exception handling. No exception may escape a Qt event
// handler (paint, mouse, key, timer, posted event): each such boundary runs its work
// through GuardEvent, which hands any exception to the application's handler. By default
// the handler writes the message to standard error and the program goes on.
#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace vg {

class TApplication {
public:
    using TExceptionEvent = std::function<void(const std::exception& E)>;

    // Replaces the default handler; an empty function restores it.
    TExceptionEvent OnException;

    void HandleException(const std::exception& E);
    // The message the default handler prints (also used by pop-ups that show errors).
    static QString MessageOf(const std::exception& E);

    // Runs work; any exception it throws goes to HandleException. Returns false when one did.
    bool GuardEvent(const std::function<void()>& work);
};

// The one application object of the process.
TApplication& Application();

} // namespace vg
