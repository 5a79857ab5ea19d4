// TCanvas: a drawing surface with a pen, a brush and a font, painting through a QPainter
// on a widget (during its paint event) or on an image (any time). Geometry follows the
// library's rules: a TRect's right and bottom edges lie outside it, and a line from P1 to
// P2 paints P1 up to, not including, P2. Colours are TColor values resolved through the
// palette the canvas was given, so system colours follow the user's theme.
#pragma once

#include "platform/Colors.h"
#include "platform/Font.h"
#include "platform/Persistent.h"
#include "platform/Types.h"

#include <QPalette>

#include <functional>
#include <memory>

class QPainter;
class QPaintDevice;
class QImage;

namespace vg {

enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
VG_ENUM_INFO(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame")

// How a pen's colour combines with the pixels under it.
enum TPenMode : std::uint8_t { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmXor, pmNotXor };
VG_ENUM_INFO(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmXor", "pmNotXor")

enum TBrushStyle : std::uint8_t { bsSolid, bsClear };
VG_ENUM_INFO(TBrushStyle, "bsSolid", "bsClear")

class TPen : public TPersistent {
    VG_CLASS(TPen)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);

    void Assign(const TPersistent* source) override;
    std::function<void(TObject* sender)> OnChange;

private:
    void Changed();
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class TBrush : public TPersistent {
    VG_CLASS(TBrush)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);

    void Assign(const TPersistent* source) override;
    std::function<void(TObject* sender)> OnChange;

private:
    void Changed();
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

class TCanvas {
public:
    // A canvas that paints only while a painter is attached (a widget's canvas).
    TCanvas();
    // A canvas over a paint device (normally an image) that opens its own painter on first
    // use and closes it in Release or on destruction.
    explicit TCanvas(QPaintDevice* device);
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Paints through painter until Detach; a widget attaches its canvas in its paint event.
    // The painter's state is saved on attach and restored on detach.
    void Attach(QPainter* painter);
    void Detach();
    // Closes the canvas's own painter on its device, so the device can be read or resized.
    void Release();
    // Repoints a device canvas (after its image was replaced); closes the old painter.
    void SetDevice(QPaintDevice* device);

    // True while painting is possible (a painter is attached, or a device can be opened).
    bool CanPaint() const;
    // The painter to draw with, or null when the canvas cannot paint; drawing operations
    // do nothing then.
    QPainter* Handle();

    // System colours resolve through this palette (the widget's palette for its canvas).
    const QPalette& Palette() const { return FPalette; }
    void SetPalette(const QPalette& palette) { FPalette = palette; }
    QColor ToQColor(TColor color) const { return ColorToQColor(color, FPalette); }

    TFont& Font() { return FFont; }
    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { FPenPos = p; }

    // Fills the rectangle with the brush (nothing with a clear brush).
    void FillRect(const TRect& r);
    void MoveTo(int x, int y);
    // Paints from the pen position up to, not including, (x, y) and moves the pen there.
    void LineTo(int x, int y);
    // Outline with the pen, inside filled with the brush; the outline lies inside r.
    void Rectangle(const TRect& r);
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    // Writes text with its top-left corner at (x, y), over a brush-filled background
    // unless the brush is clear. Moves the pen to the text's right end.
    void TextOut(int x, int y, const QString& text);
    // Like TextOut, clipped to r.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    // The dotted focus rectangle; drawing it twice in the same place removes it.
    void DrawFocusRect(const TRect& r);

    // Pixel access for images (tests, bitmaps); a widget canvas answers clNone.
    TColor Pixel(int x, int y);

protected:
    void ApplyPen(QPainter& p) const;

private:
    QPainter* FPainter = nullptr; // the attached or own painter while painting
    QPaintDevice* FDevice = nullptr;
    std::unique_ptr<QPainter> FOwnPainter;
    bool FAttached = false;
    QPalette FPalette;
    TFont FFont;
    TPen FPen;
    TBrush FBrush;
    TPoint FPenPos;
};

} // namespace vg
