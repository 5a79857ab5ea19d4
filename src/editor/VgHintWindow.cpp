#include "editor/VgHintWindow.h"

#include "common/VgGlobal.h"
#include "platform/app/Screen.h"
#include "platform/graphics/TextLayout.h"


#include <algorithm>

namespace vg {

namespace {

// The window is this much wider and taller than its text.
constexpr int ExtraWidth = 8;
constexpr int ExtraHeight = 6;
constexpr int TextInset = 2;

} // namespace

TvgHintWindow::TvgHintWindow(QWidget* parent)
    : THintWindow(parent)
{
    SetColor(clInfoBk);
}

TRect TvgHintWindow::TextRect() const
{
    TRect r = ClientRect();
    r.Left += TextInset;
    r.Top += TextInset;
    return r;
}

int TvgHintWindow::DrawHintText(TRect& R, bool Measure)
{
    return DrawText(Canvas(), Text(), R, DT_WORDBREAK | DT_NOPREFIX | (Measure ? DT_CALCRECT : 0u));
}

void TvgHintWindow::ActivateHint(const TRect& Rect, const QString& Hint)
{
    SetText(Hint);
    // Computed in 64 bits: a corner far off the screen must not overflow on its way back.
    qint64 left = Rect.Left;
    qint64 top = Rect.Top;
    qint64 width = Canvas().TextWidth(Hint) + ExtraWidth;
    TRect text = TextRect();
    const qint64 height = DrawHintText(text, true) + ExtraHeight;
    if (RectWidth(text) > width + 1)
        width = RectWidth(text);

    const qint64 screenWidth = Screen().Width();
    const qint64 screenHeight = Screen().Height();
    if (top + height > screenHeight)
        top = screenHeight - height;
    if (left + width > screenWidth)
        left = screenWidth - width;
    left = std::clamp<qint64>(left, 0, screenWidth);
    top = std::clamp<qint64>(top, 0, screenHeight);
    SetBounds(int(left), int(top), int(width), int(height));
    ShowNoActivate();
}

void TvgHintWindow::CMTextChanged()
{
    THintWindow::CMTextChanged();
    // The width first: the text wraps at the new width when the height is measured.
    SetBounds(x(), y(), Canvas().TextWidth(Text()) + ExtraWidth, height());
    TRect text = TextRect();
    SetBounds(x(), y(), width(), DrawHintText(text, true) + ExtraHeight);
    hide();
    ShowNoActivate();
}

void TvgHintWindow::SetHint(const QString& Hint)
{
    SetText(Hint);
}

void TvgHintWindow::HideWindow()
{
    if (isVisible())
        hide();
}

void TvgHintWindow::Paint()
{
    Canvas().Font().SetColor(clInfoText);
    TRect text = TextRect();
    DrawHintText(text, false);
}

} // namespace vg
