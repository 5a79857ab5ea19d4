#include "design/VgReg.h"

#include "grid/VgGrid.h"

#include <QPainter>
#include <QPixmap>

namespace vg {

QString VelkoGridPaletteGroup()
{
    return QStringLiteral("Karrow");
}

namespace {

QPixmap GridPicture(int side)
{
    // Drawn on a 24-unit square and scaled, so that every size is sharp.
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.scale(side / 24.0, side / 24.0);
    const QColor frame(0x33, 0x44, 0x66), heading(0x5b, 0x7d, 0xb1), titles(0xc8, 0xd3, 0xe6);
    p.fillRect(QRect(1, 2, 22, 20), Qt::white);
    p.fillRect(QRect(1, 2, 22, 4), titles);
    p.fillRect(QRect(8, 2, 15, 2), heading);
    p.fillRect(QRect(1, 2, 6, 20), titles);
    p.setPen(QPen(frame, 1));
    p.drawRect(QRect(1, 2, 21, 19));
    for (int y : {6, 11, 16})
        p.drawLine(1, y, 22, y);
    for (int x : {7, 15})
        p.drawLine(x, 4, x, 21);
    return pixmap;
}

} // namespace

QIcon VelkoGridIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48})
        icon.addPixmap(GridPicture(side));
    return icon;
}

QString VelkoGridCredits()
{
    return TVelkoGrid().Author(); // the grid is the one place that says it
}

} // namespace vg
