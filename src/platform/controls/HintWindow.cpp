#include "platform/controls/HintWindow.h"

#include "platform/app/Application.h"

#include <QPainter>

namespace vg {

namespace {

constexpr int BorderWidth = 1;
// Room around the text: the text starts 2 pixels into the client area, and the window is
// this much wider and taller than its text, border included.
constexpr int TextInset = 2;
constexpr int ExtraWidth = 8;
constexpr int ExtraHeight = 6;

// Keeps a canvas attached to a painter for one paint event, whatever Paint throws.
class TCanvasAttachment {
public:
    TCanvasAttachment(TCanvas& canvas, QPainter& painter)
        : FCanvas(canvas)
    {
        FCanvas.Attach(&painter);
    }
    ~TCanvasAttachment() { FCanvas.Detach(); }
    TCanvasAttachment(const TCanvasAttachment&) = delete;
    TCanvasAttachment& operator=(const TCanvasAttachment&) = delete;

private:
    TCanvas& FCanvas;
};

} // namespace

THintWindow::THintWindow(QWidget* parent)
    : QWidget(parent,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
                  | Qt::WindowTransparentForInput)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
}

THintWindow::~THintWindow() = default;

void THintWindow::SetColor(TColor value)
{
    CheckColor(value);
    if (FColor == value)
        return;
    FColor = value;
    update();
}

void THintWindow::SetText(const QString& value)
{
    if (FText == value)
        return;
    FText = value;
    CMTextChanged();
}

void THintWindow::CMTextChanged()
{
    update();
}

TRect THintWindow::ClientRect() const
{
    return Rect(0, 0, std::max(width() - 2 * BorderWidth, 0), std::max(height() - 2 * BorderWidth, 0));
}

void THintWindow::SetBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, std::max(width, 0), std::max(height, 0));
}

void THintWindow::ActivateHint(const TRect& rect, const QString& hint)
{
    SetText(hint);
    SetBounds(rect.Left, rect.Top, FCanvas.TextWidth(hint) + ExtraWidth, FCanvas.TextHeight(hint) + ExtraHeight);
    ShowNoActivate();
}

void THintWindow::ShowNoActivate()
{
    // The window flags and WA_ShowWithoutActivating keep the activation where it is.
    if (!isVisible())
        show();
    update();
}

void THintWindow::Paint()
{
    FCanvas.Brush().SetStyle(bsClear);
    FCanvas.TextOut(TextInset, TextInset, FText);
}

void THintWindow::paintEvent(QPaintEvent*)
{
    Application().GuardEvent([this] {
        QPainter painter(this);
        const QColor border = palette().color(QPalette::Shadow);
        painter.fillRect(rect(), border);

        const TRect client = ClientRect();
        painter.translate(BorderWidth, BorderWidth);
        painter.setClipRect(client.ToQRect());
        painter.fillRect(client.ToQRect(), ColorToQColor(FColor, palette()));

        FCanvas.SetPalette(palette());
        const TCanvasAttachment attachment(FCanvas, painter);
        Paint();
    });
}

} // namespace vg
