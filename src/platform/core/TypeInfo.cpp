#include "platform/core/TypeInfo.h"

#include "platform/core/Exceptions.h"

#include <algorithm>

namespace vg {

QString TEnumInfo::NameOf(qint64 ordinal) const
{
    if (ordinal < 0 || ordinal >= Names.size())
        return QString::number(ordinal);
    return Names.at(int(ordinal));
}

int TEnumInfo::OrdinalOf(const QString& name) const
{
    for (int i = 0; i < Names.size(); ++i)
        if (Names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool TPropInfo::ShouldWrite(const TObject& instance) const
{
    if (!IsStored(instance))
        return false;
    switch (Kind) {
    case TPropKind::String:
        return !GetString(instance).isEmpty();
    case TPropKind::Object:
        return GetObject(instance) != nullptr;
    default:
        return !Default || GetOrdinal(instance) != *Default;
    }
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const
{
    std::vector<const TPropInfo*> result;
    if (Parent)
        result = Parent->AllProperties();
    for (const TPropInfo& p : Properties) {
        auto same = std::find_if(result.begin(), result.end(), [&](const TPropInfo* q) {
            return q->Name.compare(p.Name, Qt::CaseInsensitive) == 0;
        });
        if (same != result.end())
            *same = &p;
        else
            result.push_back(&p);
    }
    return result;
}

const TPropInfo* TClassInfo::FindProperty(const QString& name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropInfo& p : c->Properties)
            if (p.Name.compare(name, Qt::CaseInsensitive) == 0)
                return &p;
    return nullptr;
}

const TPropInfo& InheritedProperty(const TClassInfo& info, const QString& name)
{
    const TPropInfo* inherited = info.Parent ? info.Parent->FindProperty(name) : nullptr;
    if (!inherited)
        throw EInvalidOperation(QStringLiteral("%1 has no inherited property %2").arg(info.Name, name));
    return *inherited;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &other)
            return true;
    return false;
}

} // namespace vg
