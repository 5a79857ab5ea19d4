// Answering modal dialogs from a test: the answer runs once the next modal dialog (one
// other than the dialog already open, if given) is shown, from inside its event loop.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace vg::test {

inline void WhenModal(std::function<void(QWidget* Dialog)> Answer, QWidget* Besides = nullptr)
{
    auto tries = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [=] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog && dialog != Besides && dialog->isVisible()) {
            Answer(dialog);
            *poll = nullptr; // breaks the cycle of the shared pointers
        } else if (++*tries < 400) {
            QTimer::singleShot(5, *poll);
        }
    };
    QTimer::singleShot(0, *poll);
}

} // namespace vg::test
