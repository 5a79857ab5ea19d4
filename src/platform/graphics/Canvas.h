/// \file
/// TCanvas: a drawing surface with a pen, a brush and a font, painting through a QPainter
/// on a widget (during its paint event) or on an image (any time). Geometry follows the
/// library's rules: a TRect's right and bottom edges lie outside it, and a line from P1 to
/// P2 paints P1 up to, not including, P2. Colours are TColor values resolved through the
/// palette of the control the canvas paints for (or its own palette), so system colours
/// follow the user's theme. Pens combine with the pixels under them by their mode, copied
/// images by the canvas's copy mode (RasterOp.h).
#pragma once

#include "platform/core/Colors.h"
#include "platform/core/Export.h"
#include "platform/core/Persistent.h"
#include "platform/core/Types.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"
#include "platform/graphics/RasterOp.h"

#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QPainter;
class QPaintDevice;
class QImage;
class QStyle;

namespace vg {

class TGraphic;
class TPicture;

/// A drawing surface with a pen, a brush and a font, painting through a QPainter on a widget
/// (during its paint event) or on an image. Colours are resolved through the palette of the
/// control it paints for, so system colours follow the user's theme.
/// \ingroup host_graphics
class VELKOGRID_EXPORT TCanvas {
public:
    /// A canvas that paints only while a painter is attached (a widget's canvas).
    TCanvas();
    /// A canvas over a paint device (normally an image) that opens its own painter on first
    /// use and closes it in Release or on destruction.
    explicit TCanvas(QPaintDevice* device);
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    /// Paints through painter until Detach; a widget attaches its canvas in its paint event.
    /// The painter's state is saved on attach and restored on detach.
    void Attach(QPainter* painter);
    void Detach();
    /// Closes the canvas's own painter on its device, so the device can be read or resized.
    void Release();
    /// Repoints a device canvas (after its image was replaced); closes the old painter.
    void SetDevice(QPaintDevice* device);

    /// True while painting is possible (a painter is attached, or a device can be opened).
    bool CanPaint() const;
    /// The painter to draw with, or null when the canvas cannot paint; drawing operations
    /// do nothing then.
    QPainter* Handle();

    /// The widget the canvas paints for: its palette resolves system colours and its style
    /// draws frame controls. Without one (an image canvas) the canvas's own palette and the
    /// application's style serve.
    QWidget* Control() const { return FControl; }
    void SetControl(QWidget* control) { FControl = control; }
    QStyle* Style() const;

    /// System colours resolve through this palette: the control's, else the canvas's own.
    const QPalette& Palette() const { return FControl ? FControl->palette() : FPalette; }
    void SetPalette(const QPalette& palette) { FPalette = palette; }
    QColor ToQColor(TColor color) const { return ColorToQColor(color, Palette()); }

    TFont& Font() { return FFont; }
    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { FPenPos = p; }

    /// Fills the rectangle with the brush (nothing with a clear brush).
    void FillRect(const TRect& r);
    /// Combines the brush colour with the rectangle's pixels by a raster operation that
    /// does not read a source (cmPatCopy, cmPatInvert, cmDstInvert, cmBlackness, ...);
    /// operations that read the brush paint nothing with a clear brush. Raises
    /// EInvalidOperation for an operation that reads a source or is unknown.
    void PatternFill(const TRect& r, std::int32_t rop);
    void MoveTo(int x, int y);
    /// Paints from the pen position up to, not including, (x, y) and moves the pen there.
    void LineTo(int x, int y);
    /// Outline with the pen, inside filled with the brush; the outline lies inside r.
    void Rectangle(const TRect& r);
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    /// Writes text with its top-left corner at (x, y), over a brush-filled background
    /// unless the brush is clear. Moves the pen to the text's right end.
    void TextOut(int x, int y, const QString& text);
    /// Like TextOut, clipped to r.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    /// The dotted focus rectangle; drawing it twice in the same place removes it.
    void DrawFocusRect(const TRect& r);

    /// How CopyRect and Draw of an opaque bitmap combine pixels; cmSrcCopy by default.
    /// Raises EInvalidOperation for a mode that is no supported operation.
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode value);

    /// Draws a graphic at its own size with its top-left corner at (x, y): icons and
    /// graphics with transparent parts blend by their alpha, opaque bitmaps combine by
    /// CopyMode. An empty graphic draws nothing.
    void Draw(int x, int y, const TGraphic& graphic);
    void Draw(int x, int y, const TPicture& picture);
    /// The same, scaled to fill r.
    void StretchDraw(const TRect& r, const TGraphic& graphic);
    void StretchDraw(const TRect& r, const TPicture& picture);
    /// Paints image scaled to dest: blended by its alpha, or combined by CopyMode.
    void DrawImage(const TRect& dest, const QImage& image, bool blend = true);
    /// Copies sourceRect of source's image onto dest (scaled when the sizes differ),
    /// combined by CopyMode. Pixels of sourceRect outside the source image read as black.
    /// Raises EInvalidOperation when the mode reads the source and source has no image.
    /// Rectangles are in pixels of the canvases' sides: an image of a device pixel ratio
    /// above 1 gives all its pixels under sourceRect, so that they land one to one on a
    /// device of the same ratio.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
    /// The device pixels per pixel of what the canvas paints on now (2 on a screen scaled
    /// to 200 %, or for a widget rendered into such an image); 1 when it cannot paint.
    qreal DevicePixelRatio();

    /// The image the canvas paints on (its device, or the device of the attached painter),
    /// or null for a widget. Painting on an image is immediate, so it is always up to date.
    const QImage* DeviceImage() const;
    /// Pixel access for images (tests, bitmaps); clNone outside the image or without one.
    TColor Pixel(int x, int y);

    /// Narrows the clip region: to its part outside r, or to its part inside r. Without a
    /// clip region the whole canvas is the region.
    void ExcludeClip(const TRect& r);
    void IntersectClip(const TRect& r);

    /// Saves the painter's state (clip region, composition) and returns its number, 1 for
    /// the first. RestoreState(n) goes back to the state saved as n, dropping later ones;
    /// a negative n counts back from the last (-1: the last). Pen, brush and font are the
    /// canvas's own objects and are not part of the state. Saved states end when the
    /// painter does (Release, Detach). Raises EInvalidOperation for a state not saved.
    int SaveState();
    void RestoreState(int id);
    int SavedStateCount() const { return FSavedStates; }

protected:
    void ApplyPen(QPainter& p) const;

private:
    void DropSavedStates();
    // Paints dest by op: the source image scaled to dest, or the fixed or brush colour.
    void PaintRasterOp(const TRect& dest, const TRasterOp& op, const QImage& source);

private:
    QPainter* FPainter = nullptr; // the attached or own painter while painting
    QPaintDevice* FDevice = nullptr;
    std::unique_ptr<QPainter> FOwnPainter;
    bool FAttached = false;
    int FSavedStates = 0; // painter saves made by SaveState and not yet restored
    QPointer<QWidget> FControl;
    QPalette FPalette;
    TCopyMode FCopyMode = cmSrcCopy;
    TFont FFont;
    TPen FPen;
    TBrush FBrush;
    TPoint FPenPos;
};

} // namespace vg
