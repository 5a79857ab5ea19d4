/// \file
/// THintWindow: a small top-level pop-up that shows a text beside something on screen.
/// It stays on top of other windows, never takes the focus (the control the user types in
/// keeps it) and lets mouse input through to what lies beneath. The window has a 1-pixel
/// border; its client area, inside the border, is filled with Color and painted by Paint
/// through Canvas. Descendants change how the text is sized and painted.
#pragma once

#include "platform/core/Colors.h"
#include "platform/core/Export.h"
#include "platform/core/Types.h"
#include "platform/graphics/Canvas.h"

#include <QString>
#include <QWidget>

namespace vg {

/// A small top-level pop-up that shows a text beside something on screen. It stays on top, never
/// takes the focus and lets mouse input through.
/// \ingroup host_controls
class VELKOGRID_EXPORT THintWindow : public QWidget {
public:
    /// A hint window is normally adopted by the application object, which frees it.
    explicit THintWindow(QWidget* parent = nullptr);
    ~THintWindow() override;

    /// The canvas Paint draws on; its font measures the text at any time.
    TCanvas& Canvas() { return FCanvas; }

    TColor Color() const { return FColor; }
    void SetColor(TColor value);

    const QString& Text() const { return FText; }
    /// A change of text calls CMTextChanged.
    void SetText(const QString& value);
    const QString& Caption() const { return FText; }
    void SetCaption(const QString& value) { SetText(value); }

    /// Sets the text, sizes the window to it and shows it, without activation, with its
    /// top-left corner at rect's top-left (screen coordinates); rect's size is not used.
    virtual void ActivateHint(const TRect& rect, const QString& hint);

    /// The area inside the border, in client coordinates (its top-left is (0, 0)).
    TRect ClientRect() const;
    /// Places the whole window, border included, in screen coordinates.
    void SetBounds(int left, int top, int width, int height);

protected:
    /// Paints the client area, already filled with Color, through Canvas. The base writes
    /// the text on one line, 2 pixels in from the client area's top-left corner.
    virtual void Paint();
    /// Called after the text changed; the base repaints.
    virtual void CMTextChanged();

    /// Shows the window, when hidden, without activating it.
    void ShowNoActivate();

    void paintEvent(QPaintEvent* event) override;

private:
    TCanvas FCanvas;
    TColor FColor = clInfoBk;
    QString FText;
};

} // namespace vg
