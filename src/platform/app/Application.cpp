#include "platform/app/Application.h"

#include "platform/app/ApplicationEvents.h"
#include "platform/core/Exceptions.h"

#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace vg {

namespace {

// The application object Application() hands out, until it is destroyed. A Qt application
// that outlives it (one held in a static, for instance) runs the end routine later, when
// there is nothing left for it to do.
TApplication* TheApplication = nullptr;

} // namespace

TApplication::TApplication() = default;

TApplication::~TApplication()
{
    if (TheApplication != this)
        return;
    QtApplicationEnding();
    TheApplication = nullptr;
}

// ---- exceptions

QString TApplication::MessageOf(const std::exception& E)
{
    if (auto* own = dynamic_cast<const Exception*>(&E))
        return own->Message();
    return QString::fromUtf8(E.what());
}

void TApplication::HandleException(const std::exception& E)
{
    if (OnException) {
        // A failing handler must not take the event loop down with it.
        try {
            OnException(E);
            return;
        } catch (const std::exception& inner) {
            std::fprintf(stderr, "Exception handler failed: %s\n", qPrintable(MessageOf(inner)));
        } catch (...) {
            std::fprintf(stderr, "Exception handler failed\n");
        }
    }
    std::fprintf(stderr, "%s\n", qPrintable(MessageOf(E)));
}

bool TApplication::GuardEvent(const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        HandleException(Exception(QStringLiteral("Unknown exception")));
    }
    return false;
}

// ---- the link to Qt

void TApplication::AttachToQt()
{
    if (FEvents || !QCoreApplication::instance())
        return;
    FEvents = std::make_unique<TApplicationEvents>(TApplicationEvents::THandlers{
        [this](bool active) { GuardEvent([&] { SetActive(active); }); },
        [this](QWidget* pressed, const QMouseEvent& event) { GuardEvent([&] { Pressed(pressed, event); }); },
        [this](QWidget* previous) { FFocusBeforePress = previous; }});
    qAddPostRoutine(&TApplication::QtApplicationEnding);
    FActive = QGuiApplication::applicationState() == Qt::ApplicationActive;
    if (FCancelMode)
        FEvents->WatchPresses();
}

void TApplication::QtApplicationEnding()
{
    if (!TheApplication)
        return;
    TApplication& application = *TheApplication;
    application.FreeAllAdopted();
    application.FEvents.reset();
    application.FActive = false;
}

// ---- adopted objects

void TApplication::AdoptObject(std::unique_ptr<QObject> object)
{
    if (!object)
        return;
    AttachToQt();
    std::erase_if(FAdopted, [](const QPointer<QObject>& p) { return p.isNull(); });
    FAdopted.emplace_back(object.release());
}

void TApplication::FreeAdopted(QObject* object)
{
    const auto it = std::find(FAdopted.begin(), FAdopted.end(), object);
    if (!object || it == FAdopted.end())
        return;
    FAdopted.erase(it);
    delete object;
}

void TApplication::FreeAllAdopted()
{
    // Taken out first: a destructor may adopt or free objects of its own.
    std::vector<QPointer<QObject>> adopted;
    adopted.swap(FAdopted);
    for (auto it = adopted.rbegin(); it != adopted.rend(); ++it)
        delete it->data();
}

int TApplication::AdoptedCount() const
{
    return int(std::count_if(FAdopted.begin(), FAdopted.end(), [](const QPointer<QObject>& p) { return !p.isNull(); }));
}

TApplication& Application()
{
    static TApplication application;
    static const bool known = (TheApplication = &application, true);
    (void)known;
    return application;
}

std::function<bool(const std::function<void()>& work)> ApplicationGuard()
{
    return [](const std::function<void()>& work) { return Application().GuardEvent(work); };
}

} // namespace vg
