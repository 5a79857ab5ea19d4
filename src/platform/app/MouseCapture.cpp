#include "platform/app/MouseCapture.h"

#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

namespace vg {

namespace {

QPointer<QWidget>& CaptureHolder()
{
    static QPointer<QWidget> holder;
    return holder;
}

// The offscreen and minimal platforms have no pointer to grab and warn at every attempt.
bool PlatformGrabsMouse()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

void SetCapture(QWidget* widget)
{
    QPointer<QWidget>& holder = CaptureHolder();
    if (holder == widget)
        return;
    ReleaseCapture();
    if (!widget)
        return;
    holder = widget;
    // Only a visible widget can hold the window system's grab.
    if (widget->isVisible() && PlatformGrabsMouse())
        widget->grabMouse();
}

void ReleaseCapture()
{
    QPointer<QWidget>& holder = CaptureHolder();
    if (holder && QWidget::mouseGrabber() == holder)
        holder->releaseMouse();
    holder = nullptr;
}

QWidget* GetCapture()
{
    return CaptureHolder();
}

} // namespace vg
