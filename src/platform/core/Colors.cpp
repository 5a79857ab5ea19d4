// Colour names, their text forms and the resolution of system colours through a palette.
#include "platform/core/Colors.h"

#include "platform/core/Exceptions.h"

#include <array>
#include <optional>

namespace vg {

namespace {

struct TColorName {
    TColor Value;
    const char* Name;
};

// The enumeration order of GetColorValues.
constexpr std::array<TColorName, 52> ColorNames{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
}};

[[noreturn]] void RaiseBadColorText(const QString& S)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(S));
}

// Integer text as the framework's string-to-integer conversion reads it: an optional sign,
// then decimal digits, or "$" / "0x" followed by hexadecimal digits. Hexadecimal values
// cover the whole 32 bits ("$FFFFFFFF" is -1); decimal ones must fit a signed 32-bit value.
std::optional<TColor> ParseInteger(const QString& text)
{
    const QString s = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size())
        return std::nullopt;

    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t value = 0;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        int d = -1;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        if (d < 0)
            return std::nullopt;
        value = value * base + d;
        if (value > limit)
            return std::nullopt;
    }
    // Two's complement wrap, so "$FF00000F" and "-16777201" give the same colour.
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    if (negative)
        bits = 0u - bits;
    return static_cast<TColor>(bits);
}

// Which palette entry stands for each system colour number; nullopt for unassigned numbers.
struct TPaletteEntry {
    std::optional<QPalette::ColorGroup> Group; // empty: the palette's current group
    QPalette::ColorRole Role;
};

std::optional<TPaletteEntry> SystemColorEntry(int number)
{
    using P = QPalette;
    switch (number) {
    case 0: return TPaletteEntry{{}, P::Button};                         // scroll bar track
    case 1: return TPaletteEntry{{}, P::Window};                         // desktop background
    case 2: return TPaletteEntry{{}, P::Highlight};                      // active title bar
    case 3: return TPaletteEntry{{}, P::Mid};                            // inactive title bar
    case 4: return TPaletteEntry{{}, P::Window};                         // menu
    case 5: return TPaletteEntry{{}, P::Base};                           // window (text entry) background
    case 6: return TPaletteEntry{{}, P::Shadow};                         // window frame
    case 7: return TPaletteEntry{{}, P::WindowText};                     // menu text
    case 8: return TPaletteEntry{{}, P::Text};                           // window (text entry) text
    case 9: return TPaletteEntry{{}, P::HighlightedText};                // active title text
    case 10: return TPaletteEntry{{}, P::Window};                        // active border
    case 11: return TPaletteEntry{{}, P::Window};                        // inactive border
    case 12: return TPaletteEntry{{}, P::Mid};                           // MDI workspace
    case 13: return TPaletteEntry{{}, P::Highlight};                     // selection
    case 14: return TPaletteEntry{{}, P::HighlightedText};               // selected text
    case 15: return TPaletteEntry{{}, P::Button};                        // button face
    case 16: return TPaletteEntry{{}, P::Dark};                          // button shadow
    case 17: return TPaletteEntry{P::Disabled, P::Text};                 // disabled text
    case 18: return TPaletteEntry{{}, P::ButtonText};                    // button text
    case 19: return TPaletteEntry{{}, P::WindowText};                    // inactive title text
    case 20: return TPaletteEntry{{}, P::Light};                         // button highlight
    case 21: return TPaletteEntry{{}, P::Shadow};                        // dark 3D shadow
    case 22: return TPaletteEntry{{}, P::Midlight};                      // light 3D edge
    case 23: return TPaletteEntry{{}, P::ToolTipText};                   // tooltip text
    case 24: return TPaletteEntry{{}, P::ToolTipBase};                   // tooltip background
    case 26: return TPaletteEntry{{}, P::Link};                          // hot-tracked item
    case 27: return TPaletteEntry{{}, P::Highlight};                     // active title gradient
    case 28: return TPaletteEntry{{}, P::Midlight};                      // inactive title gradient
    case 29: return TPaletteEntry{{}, P::Highlight};                     // highlighted menu item
    case 30: return TPaletteEntry{{}, P::Window};                        // menu bar
    default: return std::nullopt;
    }
}

} // namespace

bool ColorToIdent(TColor Color, QString& Ident)
{
    for (const auto& entry : ColorNames) {
        if (entry.Value == Color) {
            Ident = QLatin1String(entry.Name);
            return true;
        }
    }
    return false;
}

bool IdentToColor(const QString& Ident, TColor& Color)
{
    for (const auto& entry : ColorNames) {
        if (Ident.compare(QLatin1String(entry.Name), Qt::CaseInsensitive) == 0) {
            Color = entry.Value;
            return true;
        }
    }
    return false;
}

QString ColorToString(TColor Color)
{
    QString name;
    if (ColorToIdent(Color, name))
        return name;
    return QStringLiteral("$%1").arg(static_cast<std::uint32_t>(Color), 8, 16, QLatin1Char('0')).toUpper();
}

TColor StringToColor(const QString& S)
{
    TColor color = clBlack;
    if (IdentToColor(S, color))
        return color;
    if (auto value = ParseInteger(S))
        return *value;
    RaiseBadColorText(S);
}

void GetColorValues(const TGetStrProc& Proc)
{
    if (!Proc)
        return;
    for (const auto& entry : ColorNames)
        Proc(QLatin1String(entry.Name));
}

QColor ColorToQColor(TColor Color, const QPalette& Palette)
{
    const auto bits = static_cast<std::uint32_t>(Color);
    if (Color == clNone)
        return QColor(Qt::transparent);
    if (Color == clDefault)
        return Palette.color(QPalette::Base);
    if ((bits & 0xFF000000u) == 0)
        return QColor(bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
    if (IsSystemColor(Color)) {
        if (auto entry = SystemColorEntry(static_cast<int>(bits & 0xFF))) {
            return entry->Group ? Palette.color(*entry->Group, entry->Role) : Palette.color(entry->Role);
        }
    }
    CheckColor(Color);
    return {};
}

bool IsValidColor(TColor Color)
{
    const auto bits = static_cast<std::uint32_t>(Color);
    return Color == clNone || Color == clDefault || (bits & 0xFF000000u) == 0
        || (IsSystemColor(Color) && SystemColorEntry(static_cast<int>(bits & 0xFF)));
}

void CheckColor(TColor Color)
{
    if (!IsValidColor(Color))
        throw EConvertError(QStringLiteral("Invalid color value %1").arg(ColorToString(Color)));
}

QRgb ColorToRGB(TColor Color, const QPalette& Palette)
{
    return ColorToQColor(Color, Palette).rgba();
}

TColor QColorToColor(const QColor& Color)
{
    const QRgb rgb = Color.rgb();
    return RGBColor(static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
                    static_cast<std::uint8_t>(qBlue(rgb)));
}

} // namespace vg
