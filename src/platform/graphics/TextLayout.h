/// \file
/// The text layout routine: lays text out in a rectangle and draws it with the canvas's
/// font and font colour, on a transparent background, by the flags below (the window
/// system's text-drawing flags, names and values kept):
///   - Lines: "\r\n", "\r" and "\n" always start a new line. With DT_SINGLELINE each line
///     break shows as one space instead and nothing wraps.
///   - DT_WORDBREAK: a line breaks at the spaces (or tabs) before the first word that would
///     cross the rectangle's right edge; the white space at a break is dropped. A word is
///     never split: one wider than the rectangle stands alone on its line and is clipped.
///   - DT_EXPANDTABS: a tab advances to the next stop, every 8 average character widths
///     from the line's start; without it a tab is as wide as a space.
///   - DT_END_ELLIPSIS: a line wider than the rectangle loses characters at its end (and
///     the white space before them) until it fits with "..." appended; the text passed in
///     is not changed. A line where not even "..." fits shows "..." clipped.
///   - DT_LEFT, DT_CENTER, DT_RIGHT place each line; DT_TOP, DT_VCENTER, DT_BOTTOM place
///     the block of all lines (for any number of lines, not only single-line text), so a
///     block taller than the rectangle overflows both edges when centred.
///   - Drawing is clipped to the rectangle unless DT_NOCLIP.
///   - DT_CALCRECT draws nothing and moves rect's right to left + the widest line and its
///     bottom to top + the text's height. Lines cut by DT_END_ELLIPSIS count with their
///     cut width.
///   - '&' is always shown as it is: there is no mnemonic prefix processing, with or
///     without DT_NOPREFIX.
/// An empty text is one empty line. The return value is the text's height in pixels:
/// the number of lines times the font's line height.
///
/// Laying text out and shaping it into glyphs is the costliest step of painting a grid,
/// and a grid paints the same texts again and again. The routine keeps the recent texts
/// it laid out, with their glyphs, keyed by everything the result depends on: the text,
/// the font, the flags that shape the lines, the width where it matters, and the device's
/// pixel ratio and resolution. A change to any of them finds another entry.
#pragma once

#include "platform/core/Export.h"
#include "platform/graphics/Canvas.h"

#include <QCache>
#include <QFont>
#include <QString>

#include <memory>

namespace vg {

inline constexpr unsigned DT_LEFT = 0x0000;
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_TOP = 0x0000;
inline constexpr unsigned DT_VCENTER = 0x0004;
inline constexpr unsigned DT_BOTTOM = 0x0008;
inline constexpr unsigned DT_WORDBREAK = 0x0010;
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_EXPANDTABS = 0x0040;
inline constexpr unsigned DT_NOCLIP = 0x0100;
inline constexpr unsigned DT_CALCRECT = 0x0400;
inline constexpr unsigned DT_NOPREFIX = 0x0800;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;

VELKOGRID_EXPORT int DrawText(TCanvas& canvas, const QString& text, TRect& rect, unsigned flags);

/// What a laid-out text depends on, as the key of the text layout cache.
/// \ingroup host_graphics
struct VELKOGRID_EXPORT TTextLayoutKey {
    QString Text;
    QFont Font;
    unsigned Flags = 0;
    int Width = 0;
    qreal DevicePixelRatio = 1;
    int Dpi = 0;
    bool operator==(const TTextLayoutKey& other) const;
};
VELKOGRID_EXPORT size_t qHash(const TTextLayoutKey& key, size_t seed = 0);

/// The laid-out texts DrawText keeps, the least recently used dropped first.
/// \ingroup host_graphics
class VELKOGRID_EXPORT TTextLayoutCache {
public:
    static constexpr qsizetype DefaultCapacity = 8192; // entries: a few full screens of cells
    static TTextLayoutCache& Instance();

    struct TEntry;
    /// The text laid out for key, from the cache or laid out now.
    TEntry& Find(const TTextLayoutKey& key);
    void Clear();
    qsizetype Count() const;
    /// Keeps at most capacity texts; 0 keeps none.
    void SetCapacity(qsizetype capacity);

    explicit TTextLayoutCache(qsizetype capacity = DefaultCapacity);
    ~TTextLayoutCache();

private:
    QCache<TTextLayoutKey, TEntry> FEntries;
    std::unique_ptr<TEntry> FUncached;
};

} // namespace vg
