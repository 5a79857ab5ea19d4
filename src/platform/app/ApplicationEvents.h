// The application object's link to the running QApplication: it follows the application
// state for activation, watches mouse presses for cancel mode and frees adopted objects
// when the QApplication ends. Used by TApplication only.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QMouseEvent;
class QWidget;

namespace vg {

class TApplicationEvents : public QObject {
    Q_OBJECT
public:
    TApplicationEvents();
    ~TApplicationEvents() override;

    void EnableCancelMode();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnPress(QWidget* pressed, const QMouseEvent& event);
    // Whether this delivery is the press just seen, passed on to a parent that the
    // pressed widget left it to.
    bool IsPropagatedPress(const QWidget* pressed, const QMouseEvent& event) const;

    bool FCancelMode = false;
    QPointer<QWidget> FLastPressed;
    QPointF FLastGlobalPos;
    quint64 FLastTimestamp = 0;
    int FLastButton = 0;
};

} // namespace vg
