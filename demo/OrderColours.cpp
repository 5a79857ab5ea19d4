#include "OrderColours.h"

#include <cmath>

namespace vg::demo {

namespace {

double Linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.red()) + 0.7152 * Linear(rgb.green()) + 0.0722 * Linear(rgb.blue());
}

bool IsDark(const QColor& colour)
{
    return Luminance(colour) < 0.2;
}

const QColor Amber(255, 186, 0);
const QColor Blue(52, 120, 220);

} // namespace

QColor Mix(const QColor& a, const QColor& b, double t)
{
    const QColor x = a.toRgb();
    const QColor y = b.toRgb();
    const auto channel = [t](int p, int q) { return int(std::lround(p + (q - p) * t)); };
    return QColor(channel(x.red(), y.red()), channel(x.green(), y.green()), channel(x.blue(), y.blue()));
}

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

OrderColours OrderColoursFor(const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const QColor button = palette.color(QPalette::Button);
    const QColor highlight = palette.color(QPalette::Highlight);
    // A tint shows less on a dark background, so it takes more of its hue there.
    const double tint = IsDark(base) ? 0.2 : 0.12;

    OrderColours colours;
    colours.TotalBackground = Mix(base, Amber, tint);
    colours.TotalText = text;
    colours.TotalFrame = Mix(highlight, text, 0.35);
    colours.AmountsBackground = Mix(button, Blue, IsDark(button) ? 0.3 : 0.18);
    colours.AmountsText = palette.color(QPalette::ButtonText);
    colours.InternalIdText = Mix(text, base, 0.35);
    colours.SelectionBackground = Mix(base, highlight, IsDark(base) ? 0.4 : 0.22);
    colours.SelectionText = text;
    colours.GroupLine = Mix(base, text, 0.5);
    colours.DateLine = Mix(base, text, 0.3);
    return colours;
}

QPalette DarkPalette()
{
    const QColor window(53, 53, 53);
    const QColor base(35, 35, 35);
    const QColor text(232, 232, 232);
    const QColor disabledText(127, 127, 127);
    const QColor highlight(42, 130, 218);

    QPalette palette(window);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, QColor(64, 64, 64));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, disabledText);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::Link, highlight.lighter(130));
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Light, window.lighter(160));
    palette.setColor(QPalette::Midlight, window.lighter(130));
    palette.setColor(QPalette::Mid, window.darker(130));
    palette.setColor(QPalette::Dark, window.darker(160));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, window.lighter(120));
    palette.setColor(QPalette::Disabled, QPalette::HighlightedText, disabledText);
    return palette;
}

} // namespace vg::demo
