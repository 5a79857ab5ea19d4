/// \file
/// TFont: the description of a font (name, height, colour, style) that grid parts own and
/// store in form files. Every change fires OnChange, which owners use to learn that a
/// font of their own was touched. ToQFont gives the font to paint with.
#pragma once

#include "platform/core/Colors.h"
#include "platform/core/Export.h"
#include "platform/core/Persistent.h"

#include <QFont>

#include <functional>

namespace vg {

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
VG_ENUM_INFO(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
using TFontStyles = TSet<TFontStyle>;

/// The description of a font (name, height, colour, style) that grid parts own and store in form
/// files; every change fires OnChange. ToQFont gives the font to paint with.
/// \ingroup host_graphics
class VELKOGRID_EXPORT TFont : public TPersistent {
    VG_CLASS(TFont)
public:
    /// Sizes are kept as a height in pixels at this resolution, as form files store them.
    static constexpr int PixelsPerInch = 96;
    static inline const QString DefaultName = QStringLiteral("DejaVu Sans");
    static constexpr int DefaultHeight = -12; // 9 points
    static constexpr TColor DefaultColor = clWindowText;
    /// Heights run from -MaxHeight to MaxHeight pixels: no screen shows larger type.
    static constexpr int MaxHeight = 32767;

    TFont() = default;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    /// Negative: the height of the characters in pixels; positive: the height of a line.
    /// Heights beyond MaxHeight either way raise EInvalidOperation.
    int Height() const { return FHeight; }
    void SetHeight(int value);
    /// An empty name stands for the default name, so the font reads back as it was written.
    const QString& Name() const { return FName; }
    void SetName(const QString& value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    /// The size in points, derived from Height; a size beyond MaxHeight raises
    /// EInvalidOperation.
    int Size() const;
    void SetSize(int points);

    QFont ToQFont() const;
    bool Equals(const TFont& other) const;

    /// Copies a font; does nothing, and reports nothing, when the two are already equal.
    void Assign(const TPersistent* source) override;

    std::function<void(TObject* sender)> OnChange;

private:
    void Changed();

    TColor FColor = DefaultColor;
    int FHeight = DefaultHeight;
    QString FName = DefaultName;
    TFontStyles FStyle;
};

} // namespace vg
