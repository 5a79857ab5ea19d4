/// \file
/// Window messages on Qt: a message is a number with two parameters, delivered to a
/// control as a QEvent whose type is the message number. PostMessage queues it, so it is
/// handled after the event being processed (a paint, for instance) has finished;
/// SendMessage delivers it at once and returns the handler's result. A control answers the
/// messages it knows through its TMessageTable, whose handlers run under the guard the
/// control gives it (the application's exception guard), so no exception leaves the event.
#pragma once

#include "platform/core/Export.h"

#include <QEvent>

#include <cstdint>
#include <functional>
#include <unordered_map>

class QObject;

namespace vg {

/// The framework's control messages (sent between controls, never by the window system).
constexpr int CM_BASE = 0xB000;
constexpr int CM_ACTIVATE = CM_BASE + 0;    // the application became active
constexpr int CM_DEACTIVATE = CM_BASE + 1;  // the application lost the activation
constexpr int CM_CANCELMODE = CM_BASE + 4;  // LParam: the control whose press caused it
constexpr int CM_TEXTCHANGED = CM_BASE + 18;
constexpr int CM_MOUSEENTER = CM_BASE + 19;
constexpr int CM_MOUSELEAVE = CM_BASE + 20;

/// Window-system messages that controls exchange, moved into Qt's user event range.
constexpr int WM_BASE = 0x8000;
constexpr int WM_CANCELMODE = WM_BASE + 0x001F;
constexpr int WM_COMMAND = WM_BASE + 0x0111; // WParam: notification code << 16; LParam: sender
constexpr int EN_CHANGE = 0x0300;            // an edit control's text changed

/// A window message as a handler sees it: its number, its two parameters and the result the
/// handler gives back.
/// \ingroup host_app
struct VELKOGRID_EXPORT TMessage {
    int Msg = 0;
    std::intptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

/// A window message delivered to a control as a QEvent whose type is the message number.
///
/// Message numbers must lie in Qt's user event range (1000 to 65535).
/// \ingroup host_app
class VELKOGRID_EXPORT TMessageEvent : public QEvent {
public:
    explicit TMessageEvent(const TMessage& message);
    TMessage Message;
};

/// A message number outside Qt's user event range raises EInvalidOperation.
VELKOGRID_EXPORT void PostMessage(QObject* control, int msg, std::intptr_t wParam, std::intptr_t lParam);
VELKOGRID_EXPORT std::intptr_t SendMessage(QObject* control, int msg, std::intptr_t wParam, std::intptr_t lParam);

/// The messages a control handles. A control calls Dispatch from its event() override.
/// \ingroup host_app
class VELKOGRID_EXPORT TMessageTable {
public:
    using THandler = std::function<void(TMessage& message)>;
    /// Runs a handler; answers false when it raised (and the exception was dealt with).
    using TGuard = std::function<bool(const std::function<void()>& work)>;

    explicit TMessageTable(TGuard guard)
        : FGuard(std::move(guard))
    {
    }

    void On(int msg, THandler handler) { FHandlers[msg] = std::move(handler); }
    bool Handles(int msg) const { return FHandlers.count(msg) != 0; }
    /// True when the event was a message this table handles (it has been handled then).
    bool Dispatch(QEvent* event);

private:
    TGuard FGuard;
    std::unordered_map<int, THandler> FHandlers;
};

} // namespace vg
