/// \file
/// TComponent: a named persistent object with an owner. An owner destroys the components
/// it owns, and a component knows its state: being loaded from a form file, being edited
/// in the designer, or being destroyed.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/Persistent.h"

#include <functional>
#include <vector>

namespace vg {

enum TComponentStateFlag : std::uint8_t { csLoading, csReading, csDesigning, csDestroying };
VG_ENUM_INFO(TComponentStateFlag, "csLoading", "csReading", "csDesigning", "csDestroying")
using TComponentState = TSet<TComponentStateFlag>;

/// A named persistent object with an owner. An owner destroys the components it owns, and a
/// component knows whether it is being loaded, edited in a designer or destroyed.
/// \ingroup host_core
class VELKOGRID_EXPORT TComponent : public TPersistent {
    VG_CLASS(TComponent)
public:
    /// owner (may be null) takes ownership and destroys this component with itself.
    explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    /// A valid identifier (or empty), unique among the owner's components, case-insensitively.
    const QString& Name() const { return FName; }
    virtual void SetName(const QString& value);

    TComponentState ComponentState() const { return FComponentState; }
    bool IsLoading() const { return FComponentState.Contains(TComponentStateFlag::csLoading); }
    bool IsDesigning() const { return FComponentState.Contains(TComponentStateFlag::csDesigning); }
    bool IsDestroying() const { return FComponentState.Contains(TComponentStateFlag::csDestroying); }
    /// Puts this component and those it owns into or out of design mode.
    void SetDesigning(bool value);

    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Component(int index) const; // EListError outside 0..ComponentCount-1
    TComponent* FindComponent(const QString& name) const;

    /// Called by the form-file reader before the first property is read.
    virtual void BeginLoading();
    /// Called once all properties of the whole file have been read; clears csLoading.
    virtual void Loaded();
    /// Called by the form-file reader when it refuses a file part-way: Loaded lets the
    /// component settle as well as it can, and the loading state ends even should Loaded fail
    /// (the reader's own error is the one reported).
    void AbandonLoading();

    /// State that no form file holds, such as a grid's cells, for ReadComponentInto: the
    /// function answered (empty for none) gives it to a component of this class that has
    /// just read this one's form, so that the scratch copy a text is tried on is this
    /// component as it is, and a refused read puts everything back. It may raise when it
    /// cannot.
    virtual std::function<void(TComponent&)> KeepUnwrittenState() const;

    static bool IsValidIdent(const QString& name);

protected:
    /// Start of destruction: set csDestroying so that notifications can be skipped.
    void Destroying();

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* FOwner = nullptr;
    QString FName;
    TComponentState FComponentState;
    std::vector<TComponent*> FComponents;
};

} // namespace vg
