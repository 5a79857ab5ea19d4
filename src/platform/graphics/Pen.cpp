#include "platform/graphics/Pen.h"

namespace vg {

const TClassInfo& TPen::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPen>(QStringLiteral("TPen"), &TPersistent::StaticClassInfo())
                                       .Color(QStringLiteral("Color"), &TPen::Color, &TPen::SetColor).Default(clBlack)
                                       .Enum(QStringLiteral("Mode"), &TPen::Mode, &TPen::SetMode).Default(pmCopy)
                                       .Enum(QStringLiteral("Style"), &TPen::Style, &TPen::SetStyle).Default(psSolid)
                                       .Int(QStringLiteral("Width"), &TPen::Width, &TPen::SetWidth).Default(1)
                                       .Build();
    return info;
}

void TPen::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPen::SetColor(TColor value)
{
    CheckColor(value);
    if (FColor != value) {
        FColor = value;
        Changed();
    }
}

void TPen::SetWidth(int value)
{
    value = std::max(value, 0);
    if (FWidth != value) {
        FWidth = value;
        Changed();
    }
}

void TPen::SetStyle(TPenStyle value)
{
    if (FStyle != value) {
        FStyle = value;
        Changed();
    }
}

void TPen::SetMode(TPenMode value)
{
    if (FMode != value) {
        FMode = value;
        Changed();
    }
}

void TPen::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TPen*>(source)) {
        FColor = other->FColor;
        FWidth = other->FWidth;
        FStyle = other->FStyle;
        FMode = other->FMode;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

} // namespace vg
