#include "platform/app/ApplicationEvents.h"

#include "platform/app/Application.h"
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

TApplicationEvents::TApplicationEvents()
{
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(gui, &QGuiApplication::applicationStateChanged, this, [](Qt::ApplicationState state) {
            Application().GuardEvent([state] {
                if (state == Qt::ApplicationActive)
                    Application().Activate();
                else
                    Application().Deactivate();
            });
        });
    }
}

TApplicationEvents::~TApplicationEvents()
{
    if (FCancelMode && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void TApplicationEvents::EnableCancelMode()
{
    if (FCancelMode || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QCoreApplication::instance()->installEventFilter(this);
    FCancelMode = true;
}

bool TApplicationEvents::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        if (auto* pressed = qobject_cast<QWidget*>(watched)) {
            Application().GuardEvent([&] { OnPress(pressed, *static_cast<QMouseEvent*>(event)); });
        }
    }
    return false;
}

bool TApplicationEvents::IsPropagatedPress(const QWidget* pressed, const QMouseEvent& event) const
{
    // Qt hands a press that a widget ignores on to its parents as copies of the same event.
    return FLastPressed && pressed != FLastPressed && IsWidgetWithin(FLastPressed, pressed)
        && event.timestamp() == FLastTimestamp && event.globalPosition() == FLastGlobalPos
        && int(event.button()) == FLastButton;
}

void TApplicationEvents::OnPress(QWidget* pressed, const QMouseEvent& event)
{
    if (IsPropagatedPress(pressed, event))
        return;
    FLastPressed = pressed;
    FLastTimestamp = event.timestamp();
    FLastGlobalPos = event.globalPosition();
    FLastButton = int(event.button());

    QWidget* focus = QApplication::focusWidget();
    if (focus && !IsWidgetWithin(pressed, focus))
        SendMessage(focus, CM_CANCELMODE, 0, reinterpret_cast<std::intptr_t>(pressed));
}

} // namespace vg
