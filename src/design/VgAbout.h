/// \file
/// The credits window: a borderless card with rounded corners, dragged by any point, that
/// shows the library's version and closes from its "Close" panel.
#pragma once

#include "platform/core/Export.h"

#include <QDialog>

class QLabel;

namespace vg {

/// The credits window: a borderless card with rounded corners that shows the library's version.
/// \ingroup design
class VELKOGRID_EXPORT TvgAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TvgAboutForm(QWidget* parent = nullptr);

    QLabel* lblVersion;
    QLabel* lblAuthor;
    QLabel* pnlClose;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint FDragOffset;
    bool FDragging = false;
};

} // namespace vg
