#include "design/VgAbout.h"

#include "design/VgReg.h"
#include "platform/graphics/WindowRegion.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace vg {

TvgAboutForm::TvgAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("vgAboutForm"));
    setWindowTitle(QStringLiteral("VelkoGrid"));
    auto* logo = new QLabel(this);
    logo->setPixmap(VelkoGridIcon().pixmap(48, 48));
    logo->setAlignment(Qt::AlignCenter);
    auto* title = new QLabel(QStringLiteral("<b>VelkoGrid</b>"), this);
    title->setAlignment(Qt::AlignCenter);
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignCenter);
    lblAuthor = new QLabel(VelkoGridCredits() + QStringLiteral("\nA string grid with a column model for Qt"), this);
    lblAuthor->setAlignment(Qt::AlignCenter);
    pnlClose = new QLabel(QStringLiteral("Close"), this);
    pnlClose->setObjectName(QStringLiteral("pnlClose"));
    pnlClose->setAlignment(Qt::AlignCenter);
    pnlClose->setFrameShape(QFrame::StyledPanel);
    pnlClose->setMinimumHeight(pnlClose->fontMetrics().height() + 10);
    pnlClose->setCursor(Qt::PointingHandCursor);
    pnlClose->setFocusPolicy(Qt::StrongFocus);
    pnlClose->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 20);
    layout->addWidget(logo);
    layout->addWidget(title);
    layout->addWidget(lblVersion);
    layout->addWidget(lblAuthor);
    layout->addSpacing(8);
    layout->addWidget(pnlClose);
    setFixedSize(sizeHint().expandedTo(QSize(280, 220)));
}

void TvgAboutForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    SetWindowRgn(this, CreateRoundRectRgn(0, 0, width(), height(), 50, 50), true);
}

void TvgAboutForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 25, 25);
}

// Any point of the window drags it, as a title bar would.
void TvgAboutForm::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QDialog::mousePressEvent(event);
    FDragging = true;
    FDragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TvgAboutForm::mouseMoveEvent(QMouseEvent* event)
{
    if (FDragging)
        move(event->globalPosition().toPoint() - FDragOffset);
}

void TvgAboutForm::mouseReleaseEvent(QMouseEvent* event)
{
    FDragging = false;
    QDialog::mouseReleaseEvent(event);
}

bool TvgAboutForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pnlClose) {
        const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
                             pnlClose->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint());
        const bool pressedKey = event->type() == QEvent::KeyPress &&
                                (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space ||
                                 static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return);
        if (clicked || pressedKey) {
            close();
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress)
            return true; // a press on the panel does not start a drag
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vg
