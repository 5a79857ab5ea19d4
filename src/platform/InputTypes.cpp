#include "platform/InputTypes.h"

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

} // namespace vg
