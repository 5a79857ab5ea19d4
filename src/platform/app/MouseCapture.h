// Mouse capture: the one widget that receives all mouse input until it lets go, as a
// control holds it while the user drags. The capture is recorded here as well as asked of
// the window system, so that GetCapture answers the same on platforms without a pointer
// to grab (offscreen). A captured widget that is destroyed loses the capture.
#pragma once

class QWidget;

namespace vg {

// Gives widget the capture, taking it from whoever held it; null releases it.
void SetCapture(QWidget* widget);
void ReleaseCapture();
// The widget holding the capture, or null.
QWidget* GetCapture();

} // namespace vg
