/// \file
/// Keyboard and mouse input as controls see it: the mouse button of a press, the shift
/// state (modifier keys, held mouse buttons, double click) and virtual key codes. Key codes
/// are Qt's key values under the framework's names, so a handler compares Key with
/// VK_RETURN whatever keyboard produced it; KeyCodeOf folds Qt's variants together.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/TypeInfo.h"

#include <Qt>

#include <cstdint>

class QKeyEvent;

namespace vg {

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
VG_ENUM_INFO(TMouseButton, "mbLeft", "mbRight", "mbMiddle")

enum TShiftStateFlag : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
VG_ENUM_INFO(TShiftStateFlag, "ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble")
using TShiftState = TSet<TShiftStateFlag>;

/// The shift state of held modifier keys and mouse buttons.
VELKOGRID_EXPORT TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);
/// The button of a press or release; buttons other than these three count as the left one.
VELKOGRID_EXPORT TMouseButton MouseButtonOf(Qt::MouseButton button);

/// Virtual key codes.
constexpr int VK_BACK = Qt::Key_Backspace;
constexpr int VK_TAB = Qt::Key_Tab;
constexpr int VK_RETURN = Qt::Key_Return;
constexpr int VK_SHIFT = Qt::Key_Shift;
constexpr int VK_CONTROL = Qt::Key_Control;
constexpr int VK_MENU = Qt::Key_Alt;
constexpr int VK_ESCAPE = Qt::Key_Escape;
constexpr int VK_SPACE = Qt::Key_Space;
constexpr int VK_PRIOR = Qt::Key_PageUp;
constexpr int VK_NEXT = Qt::Key_PageDown;
constexpr int VK_END = Qt::Key_End;
constexpr int VK_HOME = Qt::Key_Home;
constexpr int VK_LEFT = Qt::Key_Left;
constexpr int VK_UP = Qt::Key_Up;
constexpr int VK_RIGHT = Qt::Key_Right;
constexpr int VK_DOWN = Qt::Key_Down;
constexpr int VK_INSERT = Qt::Key_Insert;
constexpr int VK_DELETE = Qt::Key_Delete;
constexpr int VK_F1 = Qt::Key_F1;
constexpr int VK_F2 = Qt::Key_F2;
constexpr int VK_F3 = Qt::Key_F3;
constexpr int VK_F4 = Qt::Key_F4;

/// The key code of a key event: the keypad's Enter is VK_RETURN and Qt's back-tab is
/// VK_TAB (its shift state carries ssShift).
VELKOGRID_EXPORT int KeyCodeOf(const QKeyEvent& event);
/// The shift state of a key event, with the mouse buttons held at the moment.
VELKOGRID_EXPORT TShiftState ShiftStateOf(const QKeyEvent& event);
/// The characters a key event types. With Ctrl (and not Alt) a letter types its control
/// character (Ctrl+V is 0x16), whatever text the platform attached to the event.
VELKOGRID_EXPORT QString TypedTextOf(const QKeyEvent& event);

} // namespace vg
