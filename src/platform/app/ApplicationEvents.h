/// \file
/// The application object's link to the running QApplication: it reports changes of the
/// application state and, once asked to, every mouse press on a widget. It knows nothing of
/// what the application object makes of them. Used by TApplication only.
#pragma once

#include "platform/core/Export.h"

#include <QObject>

#include <functional>

class QMouseEvent;
class QWidget;

namespace vg {

/// The application object's link to the running QApplication: reports changes of the application
/// state and, once asked to, mouse presses on widgets. Used by TApplication only.
/// \ingroup host_app
class VELKOGRID_EXPORT TApplicationEvents : public QObject {
    Q_OBJECT
public:
    /// What TApplicationEvents reports to.
    struct THandlers {
        std::function<void(bool active)> ActiveChanged;
        std::function<void(QWidget* pressed, const QMouseEvent& event)> Pressed;
        /// A widget lost the focus to a mouse press, which Qt reports just before that
        /// press itself.
        std::function<void(QWidget* previous)> FocusTakenByPress;
    };

    explicit TApplicationEvents(THandlers handlers);
    ~TApplicationEvents() override;

    /// Starts reporting mouse presses (and focus taken by them); calling it again changes
    /// nothing.
    void WatchPresses();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    THandlers FHandlers;
    bool FWatching = false;
};

} // namespace vg
