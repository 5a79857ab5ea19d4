#include "platform/core/Persistent.h"

#include "platform/core/Exceptions.h"

namespace vg {

const TClassInfo& TObject::StaticClassInfo()
{
    static const TClassInfo info{QStringLiteral("TObject"), nullptr, {}};
    return info;
}

const TClassInfo& TPersistent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPersistent>(QStringLiteral("TPersistent"), &TObject::StaticClassInfo()).Build();
    return info;
}

void TPersistent::Assign(const TPersistent* source)
{
    if (source) {
        source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) const
{
    dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* source) const
{
    const QString from = source ? source->ClassName() : QStringLiteral("nil");
    throw EAssignError(QStringLiteral("Cannot assign a %1 to a %2").arg(from, ClassName()));
}

void TPersistent::DefineProperties(TFiler&) {}

} // namespace vg
