#include "platform/graphics/Graphic.h"

namespace vg {

// ---- TGraphic ---------------------------------------------------------------------------

const TClassInfo& TGraphic::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TGraphic>(QStringLiteral("TGraphic"), &TPersistent::StaticClassInfo()).Build();
    return info;
}

void TGraphic::Changed()
{
    if (OnChange)
        OnChange(this);
}

// ---- Disabled look ----------------------------------------------------------------------

QImage DisabledImage(const QImage& image)
{
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            // Dark shapes become mid grey, light ones stay light: the image reads as inactive.
            const int level = 128 + qGray(line[x]) / 2;
            line[x] = qRgba(level, level, level, qAlpha(line[x]));
        }
    }
    return grey.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace vg
