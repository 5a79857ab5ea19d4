#include "platform/graphics/WindowRegion.h"

#include "platform/core/Exceptions.h"

#include <QPainterPath>
#include <QPolygon>
#include <QWidget>

#include <algorithm>

namespace vg {

QRegion CreateRoundRectRgn(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight)
{
    if (x2 <= x1 || y2 <= y1)
        return {};
    QPainterPath path;
    const qreal rx = std::clamp(ellipseWidth / 2.0, 0.0, (x2 - x1) / 2.0);
    const qreal ry = std::clamp(ellipseHeight / 2.0, 0.0, (y2 - y1) / 2.0);
    path.addRoundedRect(QRectF(x1, y1, x2 - x1, y2 - y1), rx, ry);
    return QRegion(path.toFillPolygon().toPolygon());
}

void SetWindowRgn(QWidget* window, const QRegion& region, bool redraw)
{
    if (!window)
        throw EInvalidOperation(QStringLiteral("A window region needs a window"));
    if (region.isEmpty())
        window->clearMask();
    else
        window->setMask(region);
    if (redraw)
        window->update();
}

} // namespace vg
