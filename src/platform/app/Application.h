/// \file
/// The application object: the process-wide services that controls share.
/// - Exception handling. No exception may escape a Qt event handler (paint, mouse, key,
///   timer, posted event): each such boundary runs its work through GuardEvent, which hands
///   any exception to the application's handler. By default the handler writes the message
///   to standard error and the program goes on.
/// - Activation and main-window hooks: when the application becomes active or inactive,
///   every hook receives CM_ACTIVATE or CM_DEACTIVATE.
/// - Cancel mode: once enabled, a mouse press on one widget tells the focus widget, through
///   CM_CANCELMODE, that the user pressed elsewhere.
/// - Adopted objects: pop-ups that belong to no control live until the QApplication ends.
#pragma once

#include "platform/core/Export.h"

#include <QPointF>
#include <QPointer>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QMouseEvent;
class QObject;
class QWidget;

namespace vg {

struct TMessage;
class TApplicationEvents;

/// The application object: the process-wide services that controls share. It hands every
/// exception raised in a Qt event handler to its exception handler (by default the message goes to
/// standard error and the program goes on), tells hooks when the application becomes active or
/// inactive, reports presses elsewhere to the focus widget (cancel mode) and owns pop-ups that
/// belong to no control.
/// \ingroup host_app
class VELKOGRID_EXPORT TApplication {
public:
    using TExceptionEvent = std::function<void(const std::exception& E)>;
    /// Answers true when it has consumed the message; the hooks after it do not see it then.
    using TWindowHook = std::function<bool(TMessage& Message)>;

    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // ---- exceptions

    /// Replaces the default handler; an empty function restores it.
    TExceptionEvent OnException;

    void HandleException(const std::exception& E);
    /// The message the default handler prints (also used by pop-ups that show errors).
    static QString MessageOf(const std::exception& E);

    /// Runs work; any exception it throws goes to HandleException. Returns false when one did.
    bool GuardEvent(const std::function<void()>& work);

    // ---- activation and main-window hooks

    /// Installs a hook and answers its id for UnhookMainWindow. Hooks run in the order they
    /// were installed; one that throws is reported through HandleException and the others
    /// still run. An empty hook raises EInvalidOperation.
    int HookMainWindow(TWindowHook hook);
    /// Removes a hook; an unknown id is ignored. A hook may unhook itself or others while
    /// it runs.
    void UnhookMainWindow(int id);

    /// Whether the application holds the activation (one of its windows has the focus).
    bool Active();
    /// Switch the activation as the window system does when the user changes applications;
    /// the hooks hear of a change only, not of a repeated state.
    void Activate();
    void Deactivate();

    // ---- cancel mode

    /// Starts watching mouse presses for cancel mode; calling it again changes nothing.
    /// A press on widget W sends CM_CANCELMODE with LParam = W (the deepest widget under
    /// the pointer) to the widget that had the focus when the press came, unless W lies
    /// within it; a press that moves the focus to W tells the widget that lost it.
    void EnableCancelMode();

    // ---- adopted objects

    /// Takes object over; it is destroyed when the QApplication is, before the widgets go,
    /// unless it was destroyed earlier. Answers the object.
    template <class T>
    T* Adopt(std::unique_ptr<T> object)
    {
        T* raw = object.get();
        AdoptObject(std::unique_ptr<QObject>(std::move(object)));
        return raw;
    }
    /// Destroys an adopted object now; an object not adopted is left alone.
    void FreeAdopted(QObject* object);
    /// Destroys every adopted object now (what the end of the QApplication does).
    void FreeAllAdopted();
    int AdoptedCount() const;

private:
    struct THookEntry {
        int Id = 0;
        TWindowHook Hook;
    };
    // The last press cancel mode handled, to tell Qt's copies of it for parent widgets.
    struct TPressSeen {
        QPointer<QWidget> Widget;
        QPointF GlobalPos;
        quint64 Timestamp = 0;
        int Button = 0;
    };

    // Connects to the running QApplication the first time a Qt-bound service is used.
    void AttachToQt();
    // Runs from the QApplication's destructor, before its widgets are destroyed.
    static void QtApplicationEnding();
    void SetActive(bool value);
    bool IsHooked(int id) const;
    // Cancel mode (ApplicationCancelMode.cpp).
    void Pressed(QWidget* pressed, const QMouseEvent& event);
    bool IsPropagatedPress(const QWidget* pressed, const QMouseEvent& event) const;
    void AdoptObject(std::unique_ptr<QObject> object);

    std::unique_ptr<TApplicationEvents> FEvents;
    std::vector<QPointer<QObject>> FAdopted;
    std::vector<THookEntry> FHooks;
    int FLastHookId = 0;
    bool FActive = false;
    bool FCancelMode = false; // asked for; kept for a QApplication created later
    TPressSeen FLastPress;
    // The widget that lost the focus to the press being delivered: Qt moves the focus to
    // the pressed widget before the press is seen, and the widget that had it is the one
    // to tell.
    QPointer<QWidget> FFocusBeforePress;
};

/// Whether widget is control or lies inside it (its viewport, scroll bars, child controls
/// and pop-up windows parented to it). A control that receives CM_CANCELMODE asks this of
/// the pressed widget to learn whether the press was its own.
VELKOGRID_EXPORT bool IsWidgetWithin(const QWidget* widget, const QWidget* control);

/// The one application object of the process.
VELKOGRID_EXPORT TApplication& Application();

/// Application().GuardEvent as a function to hand on, for message tables and other
/// boundaries that take a guard.
VELKOGRID_EXPORT std::function<bool(const std::function<void()>& work)> ApplicationGuard();

} // namespace vg
