/// \file
/// Colour values as the grid stores them, and their conversions. A TColor is either a
/// direct colour 0x00BBGGRR or a system colour 0xFF0000nn that stands for a role of the
/// desktop's colour scheme; system colours are resolved through a QPalette at paint time,
/// so a grid follows light and dark themes. Colours also have names ("clBtnFace") used in
/// form files and in the colour picker, with a hexadecimal text form for unnamed ones.
#pragma once

#include "platform/core/Export.h"

#include <QColor>
#include <QPalette>
#include <QString>

#include <cstdint>
#include <functional>

namespace vg {

using TColor = std::int32_t;

/// The high byte of a system colour; the low byte is the system colour number.
inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);

constexpr TColor SystemColor(int number) { return clSystemColor | (number & 0xFF); }
constexpr TColor RGBColor(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return static_cast<TColor>(r | (g << 8) | (b << 16));
}
constexpr bool IsSystemColor(TColor c) { return (static_cast<std::uint32_t>(c) & 0xFFFFFF00u) == 0xFF000000u; }

/// Standard colours.
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;

/// Special values: no colour at all (nothing is painted), and the control's default colour.
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

/// System colours. Number 25 is unassigned.
inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);
inline constexpr TColor clHotLight = SystemColor(26);
inline constexpr TColor clGradientActiveCaption = SystemColor(27);
inline constexpr TColor clGradientInactiveCaption = SystemColor(28);
inline constexpr TColor clMenuHighlight = SystemColor(29);
inline constexpr TColor clMenuBar = SystemColor(30);

/// The name of a named colour ("clRed"); false when the colour has none.
VELKOGRID_EXPORT bool ColorToIdent(TColor Color, QString& Ident);
/// The colour of a name, compared without regard to case; false for an unknown name.
VELKOGRID_EXPORT bool IdentToColor(const QString& Ident, TColor& Color);

/// The colour's name, or "$" and eight upper-case hexadecimal digits ("$00123456").
VELKOGRID_EXPORT QString ColorToString(TColor Color);
/// A colour name, or an integer in decimal ("-16777201"), "$" hexadecimal or "0x"
/// hexadecimal. Raises EConvertError for any other text.
VELKOGRID_EXPORT TColor StringToColor(const QString& S);

/// Calls Proc with every colour name, in a fixed order: the standard colours, the system
/// colours by number, then clNone and clDefault.
using TGetStrProc = std::function<void(const QString& S)>;
VELKOGRID_EXPORT void GetColorValues(const TGetStrProc& Proc);

/// Whether the value is a colour at all: a direct colour, a system colour of an assigned
/// number, clNone or clDefault. Setters refuse anything else through CheckColor, which
/// raises EConvertError ("Invalid color value $80000000").
VELKOGRID_EXPORT bool IsValidColor(TColor Color);
VELKOGRID_EXPORT void CheckColor(TColor Color);

/// The colour to paint with. System colours come from the palette's roles; clDefault is
/// the palette's base (window) colour and clNone is fully transparent. Raises
/// EConvertError for a value that is none of these (an unassigned system colour number or
/// a high byte other than those of the forms above).
VELKOGRID_EXPORT QColor ColorToQColor(TColor Color, const QPalette& Palette);
VELKOGRID_EXPORT QRgb ColorToRGB(TColor Color, const QPalette& Palette);

/// The direct colour of a QColor; its alpha channel is dropped.
VELKOGRID_EXPORT TColor QColorToColor(const QColor& Color);

} // namespace vg
