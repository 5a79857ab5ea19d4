/// \file
/// TWriter and TReader: the two filers of form files. The writer turns a component and
/// what it owns into a TFormObject tree by walking published properties in declared
/// order (then each object's DefineProperties entries); the reader applies such a tree to
/// objects, refusing anything unknown or ill-typed with an EReadError that names the line.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/FormTree.h"
#include "platform/core/Persistent.h"

#include <optional>
#include <vector>

namespace vg {

class TCollection;
class TComponent;

/// Turns a component and what it owns into a form-file tree (TFormObject), walking published
/// properties in declared order.
/// \ingroup host_core
class VELKOGRID_EXPORT TWriter : public TFiler {
public:
    /// The tree of root: its properties, then the components it owns as child objects.
    TFormObject WriteRoot(const TComponent& root);

    /// For the write procedures of DefineProperty entries: each stores the entry's value.
    void WriteInteger(qint64 value);
    void WriteBoolean(bool value);
    void WriteString(const QString& value);
    void WriteIdent(const QString& value);
    void WriteFloat(double value);
    void WriteStringList(const QStringList& values);
    void WriteValue(const TFormValue& value);

    /// The value a collection property is stored as: its items with their properties.
    TFormValue WriteCollection(const TCollection& collection) { return CollectionValue(collection); }

    void DefineProperty(const QString& name, const std::function<void(TReader&)>& readData,
                        const std::function<void(TWriter&)>& writeData, bool hasData) override;
    void DefineBinaryProperty(const QString& name, const std::function<void(const QByteArray&)>& readData,
                              const std::function<QByteArray()>& writeData, bool hasData) override;

private:
    TFormObject WriteObject(const TComponent& component);
    void WriteProperties(const TPersistent& instance, const QString& prefix, std::vector<TFormProperty>& out);
    TFormValue CollectionValue(const TCollection& collection);

    std::vector<TFormProperty>* FOut = nullptr;
    QString FPrefix;
    std::optional<TFormValue> FValue;
};

/// Applies a form-file tree (TFormObject) to objects, refusing anything unknown or ill-typed with
/// an EReadError that names the line.
/// \ingroup host_core
class VELKOGRID_EXPORT TReader : public TFiler {
public:
    /// Applies tree to root: sets the loading state, reads every property, creates the child
    /// components the tree holds (owned by root), then calls Loaded on root and on each child.
    void ReadRoot(const TFormObject& tree, TComponent& root);

    /// For the read procedures of DefineProperty entries: each takes the entry's value and
    /// raises EReadError when it is of another kind.
    const TFormValue& Value() const { return *FValue; }
    qint64 ReadInteger();
    bool ReadBoolean();
    QString ReadString();
    QString ReadIdent();
    double ReadFloat();
    QStringList ReadStringList();

    void DefineProperty(const QString& name, const std::function<void(TReader&)>& readData,
                        const std::function<void(TWriter&)>& writeData, bool hasData) override;
    void DefineBinaryProperty(const QString& name, const std::function<void(const QByteArray&)>& readData,
                              const std::function<QByteArray()>& writeData, bool hasData) override;

    [[noreturn]] static void Error(int line, const QString& message);

    /// Replaces collection's items by those a collection value describes; EReadError for a
    /// value of another kind or an item that does not read.
    void ReadCollectionValue(TCollection& collection, const TFormValue& value);

private:
    void ReadProperties(TPersistent& instance, const std::vector<TFormProperty>& properties);
    void ReadProperty(TPersistent& instance, const TFormProperty& property);
    void ReadCollection(TCollection& collection, const TFormValue& value);
    [[noreturn]] void WrongKind(const QString& expected) const;

    const TFormValue* FValue = nullptr;
    QString FLookingFor;
    bool FHandled = false;
};

} // namespace vg
