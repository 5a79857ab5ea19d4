#include "editor/VgHintWindow.h"

#include "common/VgGlobal.h"
#include "platform/app/Screen.h"
#include "platform/graphics/TextLayout.h"


#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <climits>

namespace vg {

namespace {

// The window is this much wider and taller than its text.
constexpr int ExtraWidth = 8;
constexpr int ExtraHeight = 6;
constexpr int TextInset = 2;

QRect ScreenAt(qint64 x, qint64 y)
{
    const QPoint point(int(std::clamp<qint64>(x, INT_MIN, INT_MAX)), int(std::clamp<qint64>(y, INT_MIN, INT_MAX)));
    if (const QScreen* screen = QGuiApplication::screenAt(point))
        return screen->geometry();
    return QRect(0, 0, Screen().Width(), Screen().Height());
}

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

    // Kept on the screen the corner lies on (the primary one when it lies on none).
    const QRect screen = ScreenAt(left, top);
    const qint64 screenLeft = screen.left();
    const qint64 screenTop = screen.top();
    const qint64 screenRight = screenLeft + screen.width();
    const qint64 screenBottom = screenTop + screen.height();
    if (top + height > screenBottom)
        top = screenBottom - height;
    if (left + width > screenRight)
        left = screenRight - width;
    left = std::clamp<qint64>(left, screenLeft, screenRight);
    top = std::clamp<qint64>(top, screenTop, screenBottom);
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
