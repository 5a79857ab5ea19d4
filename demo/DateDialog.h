// The small calendar dialog the order date is picked in, opened next to its cell as a
// combo box opens its list: below the cell, or above it when the screen has no room
// below, and always whole on the screen.
#pragma once

#include <QDate>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

namespace vg::demo {

// Where a window of size popup goes next to cell (both in screen coordinates) on a screen
// whose free area is screen: its left edge at the cell's, below the cell or else above it,
// moved inside the free area.
QPoint PopupPosition(const QRect& cell, const QSize& popup, const QRect& screen);

// Asks for a date in a modal dialog placed next to cell (in screen coordinates) on the
// screen of parent, starting from current (today when it is not valid); nothing when
// cancelled.
std::optional<QDate> AskForDate(QWidget* parent, const QRect& cell, QDate current);

} // namespace vg::demo
