#include "design/VgGlyphs.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QWidget>

namespace vg {

namespace {

constexpr int Side = 16;

void DrawLines(QPainter& p, const QColor& ink, int align)
{
    // Four lines of text, long and short, placed left (0), centred (1) or right (2).
    const int widths[] = {12, 8, 12, 6};
    for (int i = 0; i < 4; ++i) {
        const int w = widths[i];
        const int x = align == 0 ? 2 : align == 1 ? (Side - w) / 2 : Side - 2 - w;
        p.fillRect(x, 3 + i * 3, w, 1, ink);
    }
}

void DrawBlock(QPainter& p, const QColor& ink, int place)
{
    // A cell with its content at the top (0), middle (1) or bottom (2).
    p.setPen(ink);
    p.drawRect(1, 1, Side - 3, Side - 3);
    const int y = place == 0 ? 3 : place == 1 ? 7 : 11;
    p.fillRect(4, y, Side - 8, 2, ink);
}

void DrawBevel(QPainter& p, const QPalette& palette, bool raised)
{
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    p.fillRect(2, 2, Side - 4, Side - 4, palette.color(QPalette::Button));
    p.setPen(raised ? light : dark);
    p.drawLine(2, 2, Side - 3, 2);
    p.drawLine(2, 2, 2, Side - 3);
    p.setPen(raised ? dark : light);
    p.drawLine(2, Side - 3, Side - 3, Side - 3);
    p.drawLine(Side - 3, 2, Side - 3, Side - 3);
}

void DrawText(QPainter& p, const QColor& ink, const QString& text, bool bold = false)
{
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(bold);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QRect(0, 0, Side, Side), Qt::AlignCenter, text);
}

} // namespace

QIcon GlyphIcon(TvgGlyph Glyph, const QWidget& Widget)
{
    const QPalette& palette = Widget.palette();
    const QColor ink = palette.color(QPalette::ButtonText);
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    switch (Glyph) {
    case TvgGlyph::AlignLeft: DrawLines(p, ink, 0); break;
    case TvgGlyph::AlignCenter: DrawLines(p, ink, 1); break;
    case TvgGlyph::AlignRight: DrawLines(p, ink, 2); break;
    case TvgGlyph::AlignTop: DrawBlock(p, ink, 0); break;
    case TvgGlyph::AlignMiddle: DrawBlock(p, ink, 1); break;
    case TvgGlyph::AlignBottom: DrawBlock(p, ink, 2); break;
    case TvgGlyph::Clip:
        DrawText(p, ink, QStringLiteral("ab"));
        p.fillRect(11, 1, 1, Side - 2, ink);
        break;
    case TvgGlyph::Ellipsis: DrawText(p, ink, QStringLiteral("a\u2026")); break;
    case TvgGlyph::Wrap: DrawText(p, ink, QStringLiteral("\u21b5")); break;
    case TvgGlyph::BevelRaised: DrawBevel(p, palette, true); break;
    case TvgGlyph::BevelLowered: DrawBevel(p, palette, false); break;
    case TvgGlyph::Font: DrawText(p, ink, QStringLiteral("A"), true); break;
    case TvgGlyph::EllipsisButton: DrawText(p, ink, QStringLiteral("..."), true); break;
    case TvgGlyph::DropDown:
        p.end();
        return Widget.style()->standardIcon(QStyle::SP_ArrowDown, nullptr, &Widget);
    case TvgGlyph::CustomButton:
        p.end();
        return Widget.style()->standardIcon(QStyle::SP_FileDialogContentsView, nullptr, &Widget);
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace vg
