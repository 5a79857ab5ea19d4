#include "design/VgMessages.h"

#include <QApplication>
#include <QMessageBox>

namespace vg {

namespace {

TvgDesignMessageHandler& Handler()
{
    static TvgDesignMessageHandler handler;
    return handler;
}

void ShowErrorBox(QWidget* Parent, const QString& Text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), Text, QMessageBox::Ok, Parent);
    box.exec();
}

} // namespace

void ShowDesignError(QWidget* Parent, const QString& Text)
{
    if (Handler())
        Handler()(Parent, Text);
    else
        ShowErrorBox(Parent, Text);
}

TvgDesignMessageHandler SetDesignMessageHandler(TvgDesignMessageHandler Handler)
{
    TvgDesignMessageHandler previous = std::move(vg::Handler());
    vg::Handler() = std::move(Handler);
    return previous;
}

} // namespace vg
