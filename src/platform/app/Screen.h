/// \file
/// The desktop as controls see it: the size of the primary screen, which pop-ups keep
/// inside, and the position of the mouse pointer in screen coordinates.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/Types.h"

namespace vg {

/// The desktop as controls see it: the size of the primary screen and the position of the mouse
/// pointer.
/// \ingroup host_app
class VELKOGRID_EXPORT TScreen {
public:
    /// The primary screen's size in pixels; EInvalidOperation when there is no screen
    /// (no QGuiApplication is running).
    int Width() const;
    int Height() const;

    TPoint CursorPos() const;
    /// Moves the pointer (tests use it to place the pointer where a control will look).
    void SetCursorPos(TPoint p);
};

VELKOGRID_EXPORT TScreen& Screen();

} // namespace vg
