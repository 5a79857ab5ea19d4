/// \file
/// What the form designer shows of the grid: its palette group, its 24 x 24 picture, the
/// credit text, and the form designer's side of the design-time editors.
#pragma once

#include "platform/core/Export.h"

#include <QIcon>
#include <QString>

namespace vg {

/// "Karrow"
VELKOGRID_EXPORT QString VelkoGridPaletteGroup();
/// The grid's picture on the widget box: a small grid with a heading over two columns.
VELKOGRID_EXPORT QIcon VelkoGridIcon();
/// The credit line Author shows.
VELKOGRID_EXPORT QString VelkoGridCredits();

} // namespace vg
