// An image to paint on in tests: a canvas over an RGB32 image filled with a background
// colour, and questions about the pixels painted. The image can be read while the canvas
// paints, since painting on an image is immediate.
#pragma once

#include "platform/graphics/Canvas.h"

#include <QImage>

#include <optional>
#include <utility>

namespace vg::test {

// Colours as the images answer them.
inline constexpr QRgb Black = qRgb(0, 0, 0);
inline constexpr QRgb White = qRgb(255, 255, 255);
inline constexpr QRgb Red = qRgb(255, 0, 0);
inline constexpr QRgb Green = qRgb(0, 128, 0);
inline constexpr QRgb Blue = qRgb(0, 0, 255);

struct TImageCanvas {
    explicit TImageCanvas(int width = 100, int height = 60, QRgb background = qRgb(255, 255, 255))
        : Image(width, height, QImage::Format_RGB32)
        , Canvas(&Image)
        , Background(background)
    {
        Image.fill(background);
    }

    // The pixel's colour, opaque (as qRgb gives it).
    QRgb At(int x, int y) const { return Opaque(Image.pixel(x, y)); }
    bool Painted(int x, int y) const { return At(x, y) != Opaque(Background); }

    // How many pixels of area have the colour.
    int Count(const QRect& area, QRgb color) const
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += At(x, y) == Opaque(color);
        return n;
    }
    int CountPainted(const QRect& area) const
    {
        return area.width() * area.height() - Count(area, Background);
    }
    int CountPainted() const { return CountPainted(Image.rect()); }

    // The first and last column (or row) of area that hold a painted pixel.
    std::optional<std::pair<int, int>> InkedColumns(const QRect& area) const { return Inked(area, true); }
    std::optional<std::pair<int, int>> InkedRows(const QRect& area) const { return Inked(area, false); }
    std::optional<std::pair<int, int>> InkedColumns() const { return Inked(Image.rect(), true); }
    std::optional<std::pair<int, int>> InkedRows() const { return Inked(Image.rect(), false); }

    QImage Image;
    TCanvas Canvas;
    QRgb Background;

    static QRgb Opaque(QRgb color) { return color | 0xFF000000u; }

private:
    std::optional<std::pair<int, int>> Inked(const QRect& area, bool columns) const
    {
        std::optional<std::pair<int, int>> range;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (!Painted(x, y))
                    continue;
                const int at = columns ? x : y;
                range = range ? std::pair(std::min(range->first, at), std::max(range->second, at)) : std::pair(at, at);
            }
        }
        return range;
    }
};

// The colour a canvas paints for a colour value (system colours through its palette).
inline QRgb Rgb(const TCanvas& canvas, TColor color)
{
    return canvas.ToQColor(color).rgb();
}

} // namespace vg::test
