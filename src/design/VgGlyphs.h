/// \file
/// Small pictures for the design-time dialogs' tool buttons (alignments, clipping, bevels),
/// drawn in the widget's text colour so they follow the desktop's theme.
#pragma once

#include "platform/core/Export.h"

#include <QIcon>

class QWidget;

namespace vg {

enum class TvgGlyph {
    AlignLeft, AlignCenter, AlignRight, AlignTop, AlignMiddle, AlignBottom,
    Clip, Ellipsis, Wrap, BevelRaised, BevelLowered, Font, DropDown, EllipsisButton, CustomButton
};

VELKOGRID_EXPORT QIcon GlyphIcon(TvgGlyph Glyph, const QWidget& Widget);

} // namespace vg
