/// \file
/// The grid's option sets as Qt flags, for its Options and VelkoOptions Qt properties: Qt
/// Designer shows them as check boxes and a form stores them as
/// "vg::VelkoGridFlags::goEditing|vg::VelkoGridFlags::goTabs", which uic compiles as written.
///
/// Each flag is the bit of the option of the same name (1 << its ordinal), so a flag value
/// and the option set's Bits() are the same number. The flags live in a namespace of their
/// own so that the option names keep meaning the option values everywhere, in the grid's
/// own members and in classes derived from it.
#pragma once

#include "platform/core/Export.h"

#include <QObject>

namespace vg::VelkoGridFlags {
Q_NAMESPACE_EXPORT(VELKOGRID_EXPORT)

/// TGridOption's values, in its order.
enum GridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
Q_DECLARE_FLAGS(GridOptions, GridOption)
Q_FLAG_NS(GridOptions)

/// TvgOption's values, in its order.
enum VelkoOption : unsigned {
    vgoptDrawFocusRectangle = 1u << 0,
    vgoptHighlightSelection = 1u << 1,
};
Q_DECLARE_FLAGS(VelkoOptions, VelkoOption)
Q_FLAG_NS(VelkoOptions)

} // namespace vg::VelkoGridFlags

Q_DECLARE_OPERATORS_FOR_FLAGS(vg::VelkoGridFlags::GridOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(vg::VelkoGridFlags::VelkoOptions)
