/// \file
/// The root classes: TObject, the base of everything with type information, and
/// TPersistent, an object that can copy another (Assign) and be stored in form files
/// through its published properties and its DefineProperties hook.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/TypeInfo.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace vg {

class TReader;
class TWriter;

/// The base of every class with type information (ClassInfo, ClassName, InheritsFrom).
/// \ingroup host_core
class VELKOGRID_EXPORT TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    QString ClassName() const { return ClassInfo().Name; }
    bool InheritsFrom(const TClassInfo& other) const { return ClassInfo().InheritsFrom(other); }
};

/// What a class's DefineProperties sees: a way to declare entries of its own that are
/// stored beside its published properties. The writer asks each entry for its data when
/// hasData holds; the reader hands an entry the stored value when the file names it.
/// \ingroup host_core
class VELKOGRID_EXPORT TFiler {
public:
    virtual ~TFiler() = default;
    virtual void DefineProperty(const QString& name, const std::function<void(TReader&)>& readData,
                                const std::function<void(TWriter&)>& writeData, bool hasData) = 0;
    virtual void DefineBinaryProperty(const QString& name, const std::function<void(const QByteArray&)>& readData,
                                      const std::function<QByteArray()>& writeData, bool hasData) = 0;
};

/// An object that can copy another (Assign) and be stored in form files through its published
/// properties and its DefineProperties hook.
/// \ingroup host_core
class VELKOGRID_EXPORT TPersistent : public TObject {
    VG_CLASS(TPersistent)
public:
    /// Copies source into this object. A class that knows the source overrides Assign;
    /// otherwise the source's AssignTo is asked, and when nobody knows the pair, EAssignError.
    virtual void Assign(const TPersistent* source);

    /// Declares custom form-file entries; the default declares none.
    virtual void DefineProperties(TFiler& filer);

protected:
    virtual void AssignTo(TPersistent* dest) const;
    [[noreturn]] void AssignError(const TPersistent* source) const;
};

} // namespace vg
