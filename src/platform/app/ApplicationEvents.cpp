#include "platform/app/ApplicationEvents.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QWidget>

namespace vg {

TApplicationEvents::TApplicationEvents(THandlers handlers)
    : FHandlers(std::move(handlers))
{
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(gui, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) { FHandlers.ActiveChanged(state == Qt::ApplicationActive); });
    }
}

TApplicationEvents::~TApplicationEvents()
{
    if (FWatching && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void TApplicationEvents::WatchPresses()
{
    if (FWatching || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QCoreApplication::instance()->installEventFilter(this);
    FWatching = true;
}

bool TApplicationEvents::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        if (auto* pressed = qobject_cast<QWidget*>(watched))
            FHandlers.Pressed(pressed, *static_cast<QMouseEvent*>(event));
    } else if (type == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
        if (auto* previous = qobject_cast<QWidget*>(watched); previous && FHandlers.FocusTakenByPress)
            FHandlers.FocusTakenByPress(previous);
    }
    return false;
}

} // namespace vg
