#include "platform/graphics/Font.h"

#include "platform/core/Exceptions.h"

#include <cmath>

namespace vg {

const TClassInfo& TFont::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFont>(QStringLiteral("TFont"), &TPersistent::StaticClassInfo())
                                       .Color(QStringLiteral("Color"), &TFont::Color, &TFont::SetColor).Default(DefaultColor)
                                       .Int(QStringLiteral("Height"), &TFont::Height, &TFont::SetHeight).Default(DefaultHeight)
                                       .Str(QStringLiteral("Name"), &TFont::Name, &TFont::SetName)
                                       .Set<TFontStyle>(QStringLiteral("Style"), &TFont::Style, &TFont::SetStyle).Default(TFontStyles{})
                                       .Build();
    return info;
}

void TFont::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TFont::SetColor(TColor value)
{
    CheckColor(value);
    if (FColor == value)
        return;
    FColor = value;
    Changed();
}

void TFont::SetHeight(int value)
{
    if (value < -MaxHeight || value > MaxHeight)
        throw EInvalidOperation(QStringLiteral("A font cannot be %1 pixels high").arg(value));
    if (FHeight == value)
        return;
    FHeight = value;
    Changed();
}

void TFont::SetName(const QString& value)
{
    const QString& name = value.isEmpty() ? DefaultName : value;
    if (FName == name)
        return;
    FName = name;
    Changed();
}

void TFont::SetStyle(TFontStyles value)
{
    if (FStyle == value)
        return;
    FStyle = value;
    Changed();
}

int TFont::Size() const
{
    return int(std::lround(-double(FHeight) * 72 / PixelsPerInch));
}

void TFont::SetSize(int points)
{
    const double height = -std::round(double(points) * PixelsPerInch / 72);
    if (height < -MaxHeight || height > MaxHeight)
        throw EInvalidOperation(QStringLiteral("A font cannot be %1 points high").arg(points));
    SetHeight(int(height));
}

QFont TFont::ToQFont() const
{
    QFont font(FName);
    // A line height is a little more than the characters' height; 0 means "default".
    const int pixels = FHeight < 0 ? -FHeight : int(std::lround(FHeight * 0.8));
    if (pixels > 0)
        font.setPixelSize(pixels);
    font.setBold(FStyle.Contains(TFontStyle::fsBold));
    font.setItalic(FStyle.Contains(TFontStyle::fsItalic));
    font.setUnderline(FStyle.Contains(TFontStyle::fsUnderline));
    font.setStrikeOut(FStyle.Contains(TFontStyle::fsStrikeOut));
    return font;
}

bool TFont::Equals(const TFont& other) const
{
    return FColor == other.FColor && FHeight == other.FHeight && FName == other.FName && FStyle == other.FStyle;
}

void TFont::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TFont*>(source)) {
        if (Equals(*other))
            return;
        FColor = other->FColor;
        FHeight = other->FHeight;
        FName = other->FName;
        FStyle = other->FStyle;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

} // namespace vg
