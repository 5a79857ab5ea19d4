#include "DateDialog.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace vg::demo {

QPoint PopupPosition(const QRect& cell, const QSize& popup, const QRect& screen)
{
    int y = cell.bottom() + 1;
    if (y + popup.height() > screen.bottom() + 1 && cell.top() - popup.height() >= screen.top())
        y = cell.top() - popup.height();
    // Right and bottom edges first, so a window larger than the screen shows its top left.
    const int x = std::max(screen.left(), std::min(cell.left(), screen.right() + 1 - popup.width()));
    y = std::max(screen.top(), std::min(y, screen.bottom() + 1 - popup.height()));
    return {x, y};
}

std::optional<QDate> AskForDate(QWidget* parent, const QRect& cell, QDate current)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Order date"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* calendar = new QCalendarWidget(&dialog);
    calendar->setSelectedDate(current.isValid() ? current : QDate::currentDate());
    layout->addWidget(calendar);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.adjustSize();
    if (const QScreen* screen = parent ? parent->screen() : nullptr)
        dialog.move(PopupPosition(cell, dialog.size(), screen->availableGeometry()));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return calendar->selectedDate();
}

} // namespace vg::demo
