#include "platform/app/Messages.h"

#include "platform/core/Exceptions.h"

#include <QCoreApplication>
#include <QPointer>

namespace vg {

namespace {

// A message needs a control to go to and a number in Qt's user event range.
void CheckMessage(const QObject* control, int msg, const char* how)
{
    if (msg < QEvent::User || msg > QEvent::MaxUser)
        throw EInvalidOperation(QStringLiteral("Message number %1 is outside the range %2 to %3")
                                    .arg(msg)
                                    .arg(int(QEvent::User))
                                    .arg(int(QEvent::MaxUser)));
    if (!control)
        throw EInvalidOperation(QStringLiteral("Message %1 %2 to no control").arg(msg).arg(QLatin1String(how)));
}

} // namespace

TMessageEvent::TMessageEvent(const TMessage& message)
    : QEvent(QEvent::Type(message.Msg))
    , Message(message)
{
}

void PostMessage(QObject* control, int msg, std::intptr_t wParam, std::intptr_t lParam)
{
    CheckMessage(control, msg, "posted");
    QCoreApplication::postEvent(control, new TMessageEvent({msg, wParam, lParam, 0}));
}

std::intptr_t SendMessage(QObject* control, int msg, std::intptr_t wParam, std::intptr_t lParam)
{
    CheckMessage(control, msg, "sent");
    TMessageEvent event({msg, wParam, lParam, 0});
    QCoreApplication::sendEvent(control, &event);
    return event.Message.Result;
}

bool TMessageTable::Dispatch(QEvent* event)
{
    auto* message = dynamic_cast<TMessageEvent*>(event);
    if (!message)
        return false;
    const auto it = FHandlers.find(message->Message.Msg);
    if (it == FHandlers.end())
        return false;
    const THandler handler = it->second; // the handler may replace itself
    FGuard([&] { handler(message->Message); });
    return true;
}

} // namespace vg
