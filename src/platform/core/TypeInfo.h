/// \file
/// Run-time type information for published properties: what the form-file writer and
/// reader walk. Each persistent class describes its published properties once, in
/// declared order, with their kind, accessors, declared default and stored predicate.
#pragma once

#include "platform/core/Export.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <type_traits>
#include <vector>

namespace vg {

class TObject;
class TPersistent;

/// Names of an enumeration's values by ordinal, as form files store them.
/// \ingroup host_core
struct VELKOGRID_EXPORT TEnumInfo {
    QString TypeName;
    QStringList Names;

    QString NameOf(qint64 ordinal) const;
    /// Case-insensitive, as identifiers in form files are; -1 when the name is unknown.
    int OrdinalOf(const QString& name) const;
};

// Declares the value names of an enumeration whose values run 0, 1, 2, ... in order.
#define VG_ENUM_INFO(E, ...)                                                       \
    inline const ::vg::TEnumInfo& EnumInfoOf(E*)                                   \
    {                                                                              \
        static const ::vg::TEnumInfo info{QStringLiteral(#E), {__VA_ARGS__}};      \
        return info;                                                               \
    }

template <class E>
const TEnumInfo& EnumInfo()
{
    return EnumInfoOf(static_cast<E*>(nullptr));
}

/// A set of an enumeration: bit n stands for the value of ordinal n.
/// \ingroup host_core
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E v : values)
            FBits |= Bit(v);
    }
    static constexpr TSet FromBits(std::uint32_t bits)
    {
        TSet s;
        s.FBits = bits;
        return s;
    }

    constexpr std::uint32_t Bits() const { return FBits; }
    constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
    constexpr bool IsEmpty() const { return FBits == 0; }
    constexpr TSet& Include(E v) { FBits |= Bit(v); return *this; }
    constexpr TSet& Exclude(E v) { FBits &= ~Bit(v); return *this; }

    constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
    friend constexpr bool operator==(TSet, TSet) = default;

private:
    static constexpr std::uint32_t Bit(E v) { return std::uint32_t(1) << static_cast<unsigned>(v); }
    std::uint32_t FBits = 0;
};

enum class TPropKind {
    Integer,
    Boolean,
    Enumeration,
    Set,
    Color,
    String,
    Object, // an owned sub-object (a font, a border, a string list, a collection, ...)
};

/// One published property: its name, kind, accessors, declared default and stored predicate.
/// \ingroup host_core
struct VELKOGRID_EXPORT TPropInfo {
    QString Name;
    TPropKind Kind = TPropKind::Integer;
    const TEnumInfo* Enum = nullptr; // enumerations and sets

    /// Ordinal kinds (integer, boolean, enumeration, set bits, colour).
    std::function<qint64(const TObject&)> GetOrdinal;
    std::function<void(TObject&, qint64)> SetOrdinal;
    /// Strings.
    std::function<QString(const TObject&)> GetString;
    std::function<void(TObject&, const QString&)> SetString;
    /// Sub-objects: the owned object, read and written in place.
    std::function<TPersistent*(const TObject&)> GetObject;

    /// Declared default: an ordinal property equal to it is not written. Strings are written
    /// only when not empty. Properties without a default are written whenever stored.
    std::optional<qint64> Default;
    /// Stored predicate; empty means always stored.
    std::function<bool(const TObject&)> Stored;

    bool IsStored(const TObject& instance) const { return !Stored || Stored(instance); }
    /// Whether the writer puts this property into a form file.
    bool ShouldWrite(const TObject& instance) const;
};

/// Describes one class: its name, its parent and its own published properties.
/// \ingroup host_core
struct VELKOGRID_EXPORT TClassInfo {
    QString Name;
    const TClassInfo* Parent = nullptr;
    std::vector<TPropInfo> Properties;

    /// Published properties of this class and its ancestors, ancestors' first. A property
    /// this class redeclares keeps its ancestor's place.
    std::vector<const TPropInfo*> AllProperties() const;
    const TPropInfo* FindProperty(const QString& name) const; // case-insensitive
    bool InheritsFrom(const TClassInfo& other) const;
};

/// The property an ancestor of info declares under name; EInvalidOperation when none does.
VELKOGRID_EXPORT const TPropInfo& InheritedProperty(const TClassInfo& info, const QString& name);

/// Builds a class's TClassInfo:
///   TClassBuilder<TvgBorder>("TvgBorder", &TPersistent::StaticClassInfo())
///       .Enum("Style", &TvgBorder::Style, &TvgBorder::SetStyle)
///       .Int("Width", &TvgBorder::Width, &TvgBorder::SetWidth).Default(1)
///       .Build();
/// \ingroup host_core
template <class C>
class TClassBuilder {
public:
    TClassBuilder(QString name, const TClassInfo* parent)
    {
        FInfo.Name = std::move(name);
        FInfo.Parent = parent;
    }

    template <class G, class S>
    TClassBuilder& Int(const QString& name, G get, S set) { return Ordinal(name, TPropKind::Integer, nullptr, get, set); }
    template <class G, class S>
    TClassBuilder& Bool(const QString& name, G get, S set) { return Ordinal(name, TPropKind::Boolean, nullptr, get, set); }
    template <class G, class S>
    TClassBuilder& Color(const QString& name, G get, S set) { return Ordinal(name, TPropKind::Color, nullptr, get, set); }

    template <class G, class S>
    TClassBuilder& Enum(const QString& name, G get, S set)
    {
        using E = std::decay_t<std::invoke_result_t<G, const C&>>;
        return Ordinal(name, TPropKind::Enumeration, &EnumInfo<E>(), get, set);
    }

    template <class E, class G, class S>
    TClassBuilder& Set(const QString& name, G get, S set)
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Set;
        p.Enum = &EnumInfo<E>();
        p.GetOrdinal = [get](const TObject& o) { return qint64(std::invoke(get, Self(o)).Bits()); };
        p.SetOrdinal = [set](TObject& o, qint64 v) { std::invoke(set, Self(o), TSet<E>::FromBits(std::uint32_t(v))); };
        FInfo.Properties.push_back(std::move(p));
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Str(const QString& name, G get, S set)
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::String;
        p.GetString = [get](const TObject& o) { return QString(std::invoke(get, Self(o))); };
        p.SetString = [set](TObject& o, const QString& v) { std::invoke(set, Self(o), v); };
        FInfo.Properties.push_back(std::move(p));
        return *this;
    }

    template <class G>
    TClassBuilder& Object(const QString& name, G get)
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Object;
        p.GetObject = [get](const TObject& o) -> TPersistent* { return std::invoke(get, Self(o)); };
        FInfo.Properties.push_back(std::move(p));
        return *this;
    }

    /// Takes over an ancestor's property (to give it another default, for instance); the
    /// form file keeps it at the ancestor's place. An unknown name raises EInvalidOperation.
    TClassBuilder& Redeclare(const QString& name)
    {
        FInfo.Properties.push_back(InheritedProperty(FInfo, name));
        return *this;
    }

    /// Declared default of the property just added.
    template <class V>
    TClassBuilder& Default(V value)
    {
        if constexpr (requires { value.Bits(); })
            FInfo.Properties.back().Default = qint64(value.Bits());
        else
            FInfo.Properties.back().Default = qint64(value);
        return *this;
    }

    /// Stored predicate of the property just added.
    TClassBuilder& StoredIf(bool (C::*predicate)() const)
    {
        FInfo.Properties.back().Stored = [predicate](const TObject& o) { return (Self(o).*predicate)(); };
        return *this;
    }

    TClassInfo Build() { return std::move(FInfo); }

private:
    static const C& Self(const TObject& o) { return static_cast<const C&>(o); }
    static C& Self(TObject& o) { return static_cast<C&>(o); }

    template <class G, class S>
    TClassBuilder& Ordinal(const QString& name, TPropKind kind, const TEnumInfo* info, G get, S set)
    {
        using V = std::decay_t<std::invoke_result_t<G, const C&>>;
        TPropInfo p;
        p.Name = name;
        p.Kind = kind;
        p.Enum = info;
        p.GetOrdinal = [get](const TObject& o) { return qint64(std::invoke(get, Self(o))); };
        p.SetOrdinal = [set](TObject& o, qint64 v) { std::invoke(set, Self(o), static_cast<V>(v)); };
        FInfo.Properties.push_back(std::move(p));
        return *this;
    }

    TClassInfo FInfo;
};

// Gives a class its type information. Put it first in the class body; define
// StaticClassInfo() in the class's .cpp with a TClassBuilder.
#define VG_CLASS(Class)                                                                 \
public:                                                                                 \
    static const ::vg::TClassInfo& StaticClassInfo();                                   \
    const ::vg::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }    \
                                                                                        \
private:

} // namespace vg
