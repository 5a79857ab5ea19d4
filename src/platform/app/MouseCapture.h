/// \file
/// Mouse capture: the one widget that receives all mouse input until it lets go, as a
/// control holds it while the user drags. The capture is recorded here as well as asked of
/// the window system, so that GetCapture answers the same on platforms without a pointer
/// to grab (offscreen). A captured widget that is destroyed loses the capture.
#pragma once

#include "platform/core/Export.h"

class QWidget;

namespace vg {

/// Gives widget the capture, taking it from whoever held it; null releases it.
VELKOGRID_EXPORT void SetCapture(QWidget* widget);
VELKOGRID_EXPORT void ReleaseCapture();
/// The widget holding the capture, or null.
VELKOGRID_EXPORT QWidget* GetCapture();

} // namespace vg
