#include "platform/app/Screen.h"

#include "platform/core/Exceptions.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace vg {

namespace {

QRect PrimaryScreenGeometry()
{
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
        ? QGuiApplication::primaryScreen()
        : nullptr;
    if (!screen)
        throw EInvalidOperation(QStringLiteral("There is no screen"));
    return screen->geometry();
}

} // namespace

int TScreen::Width() const
{
    return PrimaryScreenGeometry().width();
}

int TScreen::Height() const
{
    return PrimaryScreenGeometry().height();
}

TPoint TScreen::CursorPos() const
{
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

void TScreen::SetCursorPos(TPoint p)
{
    QCursor::setPos(p.X, p.Y);
}

TScreen& Screen()
{
    static TScreen screen;
    return screen;
}

} // namespace vg
