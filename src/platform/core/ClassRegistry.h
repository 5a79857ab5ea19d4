/// \file
/// Component classes known by name, so that the form-file reader can create the objects a
/// file names. A class is registered once, typically at start-up of the module that defines it.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/TypeInfo.h"

#include <functional>

namespace vg {

class TComponent;

using TComponentFactory = std::function<TComponent*(TComponent* owner)>;

VELKOGRID_EXPORT void RegisterComponentClass(const TClassInfo& info, TComponentFactory factory);
/// The factory of a registered class (name compared case-insensitively), or null.
VELKOGRID_EXPORT const TComponentFactory* FindComponentClass(const QString& name);

template <class T>
void RegisterComponentClass()
{
    RegisterComponentClass(T::StaticClassInfo(), [](TComponent* owner) -> TComponent* { return new T(owner); });
}

} // namespace vg
