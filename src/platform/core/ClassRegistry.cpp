#include "platform/core/ClassRegistry.h"

#include <QHash>

namespace vg {

namespace {
QHash<QString, TComponentFactory>& Registry()
{
    static QHash<QString, TComponentFactory> registry;
    return registry;
}
} // namespace

void RegisterComponentClass(const TClassInfo& info, TComponentFactory factory)
{
    Registry().insert(info.Name.toLower(), std::move(factory));
}

const TComponentFactory* FindComponentClass(const QString& name)
{
    auto& registry = Registry();
    auto it = registry.constFind(name.toLower());
    return it == registry.constEnd() ? nullptr : &it.value();
}

} // namespace vg
