// The colours of the orders page, taken from the palette in force so that every cell
// stays readable in light and dark palettes: each tint is a little of a hue mixed into a
// background of the palette, and it is paired with the palette's text colour for that
// background. Also the dark palette the demo offers (--dark), and the contrast measure
// its colours are chosen and checked by.
#pragma once

#include <QColor>
#include <QPalette>

namespace vg::demo {

struct OrderColours {
    QColor TotalBackground, TotalText, TotalFrame; // the line total column
    QColor AmountsBackground, AmountsText;        // the heading over the amounts
    QColor InternalIdText;                        // the internal id, quieter than other text
    QColor SelectionBackground, SelectionText;    // selected cells
    QColor GroupLine;                             // the double line closing the customer group
    QColor DateLine;                              // the dotted line under order dates
};

OrderColours OrderColoursFor(const QPalette& palette);

// A dark palette for the Fusion style: dark grey windows, near-black text fields, light
// text and a blue highlight.
QPalette DarkPalette();

// The contrast ratio of two colours by their relative luminance, from 1 (the same) to 21
// (black on white), as accessibility guidelines measure it; 4.5 is their minimum for text.
double ContrastRatio(const QColor& a, const QColor& b);

// a with the share t (0..1) of b mixed in, channel by channel.
QColor Mix(const QColor& a, const QColor& b, double t);

} // namespace vg::demo
