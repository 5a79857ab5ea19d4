#include "platform/core/Component.h"

#include "platform/core/Exceptions.h"

#include <algorithm>

namespace vg {

const TClassInfo& TComponent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TComponent>(QStringLiteral("TComponent"), &TPersistent::StaticClassInfo()).Build();
    return info;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    while (!FComponents.empty())
        delete FComponents.back();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::Destroying()
{
    if (IsDestroying())
        return;
    FComponentState.Include(TComponentStateFlag::csDestroying);
    for (TComponent* c : FComponents)
        c->Destroying();
}

bool TComponent::IsValidIdent(const QString& name)
{
    if (name.isEmpty())
        return false;
    auto letter = [](QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; };
    if (!letter(name.front()))
        return false;
    return std::all_of(name.begin(), name.end(), [&](QChar c) { return letter(c) || (c >= u'0' && c <= u'9'); });
}

void TComponent::SetName(const QString& value)
{
    if (value == FName)
        return;
    if (!value.isEmpty() && !IsValidIdent(value))
        throw Exception(QStringLiteral("'%1' is not a valid component name").arg(value));
    if (FOwner && !value.isEmpty()) {
        TComponent* other = FOwner->FindComponent(value);
        if (other && other != this)
            throw Exception(QStringLiteral("A component named %1 already exists").arg(value));
    }
    FName = value;
}

void TComponent::SetDesigning(bool value)
{
    if (value)
        FComponentState.Include(TComponentStateFlag::csDesigning);
    else
        FComponentState.Exclude(TComponentStateFlag::csDesigning);
    for (TComponent* c : FComponents)
        c->SetDesigning(value);
}

TComponent* TComponent::Component(int index) const
{
    if (index < 0 || index >= ComponentCount())
        RaiseListIndexError(index);
    return FComponents[size_t(index)];
}

TComponent* TComponent::FindComponent(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (c->FName.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void TComponent::BeginLoading()
{
    FComponentState.Include(TComponentStateFlag::csLoading);
    FComponentState.Include(TComponentStateFlag::csReading);
}

void TComponent::Loaded()
{
    FComponentState.Exclude(TComponentStateFlag::csLoading);
    FComponentState.Exclude(TComponentStateFlag::csReading);
}

void TComponent::AbandonLoading()
{
    try {
        Loaded();
    } catch (...) {
    }
    FComponentState.Exclude(TComponentStateFlag::csLoading);
    FComponentState.Exclude(TComponentStateFlag::csReading);
}

std::function<void(TComponent&)> TComponent::KeepUnwrittenState() const
{
    return {};
}

void TComponent::InsertComponent(TComponent* component)
{
    FComponents.push_back(component);
    component->FOwner = this;
    if (IsDesigning())
        component->SetDesigning(true);
}

void TComponent::RemoveComponent(TComponent* component)
{
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), component), FComponents.end());
    component->FOwner = nullptr;
}

} // namespace vg
