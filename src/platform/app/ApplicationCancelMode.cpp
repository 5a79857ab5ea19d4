// Cancel mode: a mouse press on one widget tells the focus widget that the user pressed
// elsewhere, so that it can close its pop-ups and end what it tracks.
#include "platform/app/Application.h"

#include "platform/app/ApplicationEvents.h"
#include "platform/app/Messages.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace vg {

bool IsWidgetWithin(const QWidget* widget, const QWidget* control)
{
    if (!control)
        return false;
    // parentWidget crosses window boundaries, so a pop-up parented to the control counts.
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == control)
            return true;
    return false;
}

void TApplication::EnableCancelMode()
{
    FCancelMode = true;
    AttachToQt();
    if (FEvents)
        FEvents->WatchPresses();
}

bool TApplication::IsPropagatedPress(const QWidget* pressed, const QMouseEvent& event) const
{
    // Qt hands a press that a widget ignores on to its parents as copies of the same event.
    const TPressSeen& last = FLastPress;
    return last.Widget && pressed != last.Widget && IsWidgetWithin(last.Widget, pressed)
        && event.timestamp() == last.Timestamp && event.globalPosition() == last.GlobalPos
        && int(event.button()) == last.Button;
}

void TApplication::Pressed(QWidget* pressed, const QMouseEvent& event)
{
    if (IsPropagatedPress(pressed, event))
        return;
    FLastPress = {pressed, event.globalPosition(), event.timestamp(), int(event.button())};

    // A press on a widget that takes the focus has moved it there already; the widget
    // that held it before is the one that has to hear of the press.
    // (The note is taken only while the focus is where the press is: a focus change by
    // the mouse wheel leaves a note that no press follows.)
    QWidget* focus = QApplication::focusWidget();
    if (FFocusBeforePress && focus && IsWidgetWithin(pressed, focus))
        focus = FFocusBeforePress;
    FFocusBeforePress = nullptr;
    if (focus && !IsWidgetWithin(pressed, focus))
        SendMessage(focus, CM_CANCELMODE, 0, reinterpret_cast<std::intptr_t>(pressed));
}

} // namespace vg
