// The application object's activation state and the main-window hooks that hear of it.
#include "platform/app/Application.h"

#include "platform/app/Messages.h"
#include "platform/core/Exceptions.h"

#include <algorithm>

namespace vg {

int TApplication::HookMainWindow(TWindowHook hook)
{
    if (!hook)
        throw EInvalidOperation(QStringLiteral("A main window hook needs a function"));
    AttachToQt();
    FHooks.push_back({++FLastHookId, std::move(hook)});
    return FLastHookId;
}

void TApplication::UnhookMainWindow(int id)
{
    std::erase_if(FHooks, [id](const THookEntry& e) { return e.Id == id; });
}

bool TApplication::IsHooked(int id) const
{
    return std::any_of(FHooks.begin(), FHooks.end(), [id](const THookEntry& e) { return e.Id == id; });
}

bool TApplication::Active()
{
    AttachToQt();
    return FActive;
}

void TApplication::Activate()
{
    SetActive(true);
}

void TApplication::Deactivate()
{
    SetActive(false);
}

void TApplication::SetActive(bool value)
{
    AttachToQt();
    if (FActive == value)
        return;
    FActive = value;
    TMessage message;
    message.Msg = value ? CM_ACTIVATE : CM_DEACTIVATE;
    // A copy: hooks may install or remove hooks while they run. One removed by an earlier
    // hook is skipped; one installed meanwhile hears of the next change.
    const std::vector<THookEntry> hooks = FHooks;
    for (const THookEntry& entry : hooks) {
        if (!IsHooked(entry.Id))
            continue;
        bool consumed = false;
        GuardEvent([&] { consumed = entry.Hook(message); });
        if (consumed)
            break;
    }
}

} // namespace vg
