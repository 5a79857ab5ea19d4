#include "platform/app/InputTypes.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace vg {

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    TShiftState state;
    if (modifiers & Qt::ShiftModifier)
        state.Include(ssShift);
    if (modifiers & Qt::AltModifier)
        state.Include(ssAlt);
    if (modifiers & Qt::ControlModifier)
        state.Include(ssCtrl);
    if (buttons & Qt::LeftButton)
        state.Include(ssLeft);
    if (buttons & Qt::RightButton)
        state.Include(ssRight);
    if (buttons & Qt::MiddleButton)
        state.Include(ssMiddle);
    return state;
}

TMouseButton MouseButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

int KeyCodeOf(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Backtab: return VK_TAB;
    default: return event.key();
    }
}

TShiftState ShiftStateOf(const QKeyEvent& event)
{
    TShiftState state = ShiftStateOf(event.modifiers(), QGuiApplication::mouseButtons());
    if (event.key() == Qt::Key_Backtab)
        state.Include(ssShift);
    return state;
}

QString TypedTextOf(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers chord = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (chord != Qt::ControlModifier)
        return event.text();
    if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return QString(QChar(event.key() - Qt::Key_A + 1));
    return event.text().isEmpty() || event.text().front().isPrint() ? QString() : event.text();
}

} // namespace vg
