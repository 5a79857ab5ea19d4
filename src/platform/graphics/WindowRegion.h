/// \file
/// Window regions: a window clipped to a shape. A region with rounded corners makes a
/// borderless window (a splash or credits window) look like a card with round edges; mouse
/// input outside the region goes to what lies beneath.
#pragma once

#include "platform/core/Export.h"

#include <QRegion>

class QWidget;

namespace vg {

/// The rectangle (x1, y1)-(x2, y2), right and bottom edges outside, with corners cut as
/// ellipses ellipseWidth x ellipseHeight.
VELKOGRID_EXPORT QRegion CreateRoundRectRgn(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight);
/// Clips window to region (in its own coordinates); an empty region removes the clip.
/// With redraw the window repaints at once.
VELKOGRID_EXPORT void SetWindowRgn(QWidget* window, const QRegion& region, bool redraw);

} // namespace vg
