#include "platform/graphics/Brush.h"

namespace vg {

const TClassInfo& TBrush::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TBrush>(QStringLiteral("TBrush"), &TPersistent::StaticClassInfo())
                                       .Color(QStringLiteral("Color"), &TBrush::Color, &TBrush::SetColor).Default(clWhite)
                                       .Enum(QStringLiteral("Style"), &TBrush::Style, &TBrush::SetStyle).Default(bsSolid)
                                       .Build();
    return info;
}

void TBrush::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TBrush::SetColor(TColor value)
{
    CheckColor(value);
    if (FColor != value) {
        FColor = value;
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (FStyle != value) {
        FStyle = value;
        Changed();
    }
}

void TBrush::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TBrush*>(source)) {
        FColor = other->FColor;
        FStyle = other->FStyle;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

} // namespace vg
