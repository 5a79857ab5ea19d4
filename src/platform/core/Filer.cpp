#include "platform/core/Filer.h"

#include "platform/core/ClassRegistry.h"
#include "platform/core/Collection.h"
#include "platform/core/Colors.h"
#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"
#include "platform/core/UpdateCount.h"

#include <limits>

namespace vg {

// ---- TWriter

namespace {
TFormValue BooleanValue(bool value)
{
    return TFormValue::OfIdent(value ? QStringLiteral("True") : QStringLiteral("False"));
}
} // namespace

TFormObject TWriter::WriteRoot(const TComponent& root)
{
    TFormObject tree = WriteObject(root);
    for (int i = 0; i < root.ComponentCount(); ++i)
        tree.Children.push_back(WriteObject(*root.Component(i)));
    return tree;
}

TFormObject TWriter::WriteObject(const TComponent& component)
{
    TFormObject object;
    object.Name = component.Name();
    object.ClassName = component.ClassName();
    WriteProperties(component, QString(), object.Properties);
    return object;
}

void TWriter::WriteProperties(const TPersistent& instance, const QString& prefix, std::vector<TFormProperty>& out)
{
    for (const TPropInfo* p : instance.ClassInfo().AllProperties()) {
        if (!p->ShouldWrite(instance))
            continue;
        TFormProperty property;
        property.Name = prefix + p->Name;
        switch (p->Kind) {
        case TPropKind::Object: {
            const TPersistent* sub = p->GetObject(instance);
            if (auto* collection = dynamic_cast<const TCollection*>(sub)) {
                property.Value = CollectionValue(*collection);
                break;
            }
            WriteProperties(*sub, property.Name + u'.', out);
            continue;
        }
        case TPropKind::String:
            property.Value = TFormValue::OfString(p->GetString(instance));
            break;
        case TPropKind::Integer:
            property.Value = TFormValue::OfInteger(p->GetOrdinal(instance));
            break;
        case TPropKind::Boolean:
            property.Value = BooleanValue(p->GetOrdinal(instance) != 0);
            break;
        case TPropKind::Enumeration:
            property.Value = TFormValue::OfIdent(p->Enum->NameOf(p->GetOrdinal(instance)));
            break;
        case TPropKind::Set: {
            property.Value.Kind = TFormValue::TKind::Set;
            const qint64 bits = p->GetOrdinal(instance);
            for (int i = 0; i < p->Enum->Names.size(); ++i)
                if (bits & (qint64(1) << i))
                    property.Value.Set << p->Enum->Names.at(i);
            break;
        }
        case TPropKind::Color: {
            const TColor color = TColor(p->GetOrdinal(instance));
            QString ident;
            property.Value = ColorToIdent(color, ident) ? TFormValue::OfIdent(ident) : TFormValue::OfInteger(color);
            break;
        }
        }
        out.push_back(std::move(property));
    }
    // Custom entries come after the published properties.
    std::vector<TFormProperty>* savedOut = FOut;
    const QString savedPrefix = FPrefix;
    FOut = &out;
    FPrefix = prefix;
    const_cast<TPersistent&>(instance).DefineProperties(*this);
    FOut = savedOut;
    FPrefix = savedPrefix;
}

TFormValue TWriter::CollectionValue(const TCollection& collection)
{
    TFormValue value;
    value.Kind = TFormValue::TKind::Collection;
    for (int i = 0; i < collection.Count(); ++i) {
        TFormItem item;
        WriteProperties(*collection.Item(i), QString(), item.Properties);
        value.Items.push_back(std::move(item));
    }
    return value;
}

void TWriter::WriteInteger(qint64 value) { WriteValue(TFormValue::OfInteger(value)); }
void TWriter::WriteBoolean(bool value) { WriteValue(BooleanValue(value)); }
void TWriter::WriteString(const QString& value) { WriteValue(TFormValue::OfString(value)); }
void TWriter::WriteIdent(const QString& value) { WriteValue(TFormValue::OfIdent(value)); }

void TWriter::WriteFloat(double value)
{
    TFormValue v;
    v.Kind = TFormValue::TKind::Float;
    v.Float = value;
    WriteValue(v);
}

void TWriter::WriteStringList(const QStringList& values)
{
    TFormValue v;
    v.Kind = TFormValue::TKind::List;
    for (const QString& s : values)
        v.List.push_back(TFormValue::OfString(s));
    WriteValue(v);
}

void TWriter::WriteValue(const TFormValue& value)
{
    FValue = value;
}

void TWriter::DefineProperty(const QString& name, const std::function<void(TReader&)>&,
                             const std::function<void(TWriter&)>& writeData, bool hasData)
{
    if (!hasData || !writeData || !FOut)
        return;
    FValue.reset();
    writeData(*this);
    if (!FValue)
        throw EWriteError(QStringLiteral("The entry %1 wrote no value").arg(FPrefix + name));
    FOut->push_back({FPrefix + name, *FValue, 0});
    FValue.reset();
}

void TWriter::DefineBinaryProperty(const QString& name, const std::function<void(const QByteArray&)>&,
                                   const std::function<QByteArray()>& writeData, bool hasData)
{
    if (!hasData || !writeData || !FOut)
        return;
    TFormValue value;
    value.Kind = TFormValue::TKind::Binary;
    value.Binary = writeData();
    FOut->push_back({FPrefix + name, value, 0});
}

// ---- TReader

void TReader::Error(int line, const QString& message)
{
    throw EReadError(QStringLiteral("Line %1: %2").arg(line).arg(message));
}

void TReader::ReadRoot(const TFormObject& tree, TComponent& root)
{
    if (tree.ClassName.compare(root.ClassName(), Qt::CaseInsensitive) != 0)
        Error(tree.Line, QStringLiteral("expected an object of class %1 but found %2").arg(root.ClassName(), tree.ClassName));

    // Every object nested in the root's block, at any depth, is a component the root owns.
    std::vector<const TFormObject*> pending;
    for (const TFormObject& child : tree.Children)
        pending.push_back(&child);
    for (size_t i = 0; i < pending.size(); ++i)
        for (const TFormObject& grandChild : pending[i]->Children)
            pending.push_back(&grandChild);

    // What can be refused without reading a property is refused before the first change:
    // child objects of unknown classes, of another class than the existing component of
    // their name, or named twice (which would read one component twice), and a root name
    // that the root's owner already gives to another component.
    QStringList childNames;
    for (const TFormObject* child : pending) {
        if (!child->Name.isEmpty()) {
            if (childNames.contains(child->Name, Qt::CaseInsensitive))
                Error(child->Line, QStringLiteral("A component named %1 already exists").arg(child->Name));
            childNames << child->Name;
        }
        if (TComponent* existing = root.FindComponent(child->Name)) {
            if (existing->ClassName().compare(child->ClassName, Qt::CaseInsensitive) != 0)
                Error(child->Line, QStringLiteral("%1 is a %2, not a %3").arg(child->Name, existing->ClassName(), child->ClassName));
        } else if (!FindComponentClass(child->ClassName)) {
            Error(child->Line, QStringLiteral("class %1 is not registered").arg(child->ClassName));
        }
    }
    const QString oldName = root.Name();
    if (!tree.Name.isEmpty()) {
        try {
            root.SetName(tree.Name);
        } catch (const Exception& e) {
            Error(tree.Line, e.Message());
        }
    }

    std::vector<TComponent*> loaded{&root};
    std::vector<TComponent*> created;
    size_t settled = 0; // components whose Loaded has run
    root.BeginLoading();
    try {
        ReadProperties(root, tree.Properties);

        for (const TFormObject* pendingChild : pending) {
            const TFormObject& child = *pendingChild;
            // Classes and existing components were checked above.
            TComponent* component = root.FindComponent(child.Name);
            if (!component) {
                component = (*FindComponentClass(child.ClassName))(&root);
                created.push_back(component);
            }
            component->BeginLoading();
            loaded.push_back(component);
            try {
                component->SetName(child.Name);
            } catch (const Exception& e) {
                Error(child.Line, e.Message());
            }
            ReadProperties(*component, child.Properties);
        }
        for (; settled < loaded.size(); ++settled)
            loaded[settled]->Loaded();
    } catch (...) {
        // A refused file leaves none of the components in the loading state, and none it made.
        for (size_t i = settled; i < loaded.size(); ++i)
            loaded[i]->AbandonLoading();
        for (TComponent* component : created)
            delete component;
        root.SetName(oldName); // its own name, which it had a moment ago
        throw;
    }
}

void TReader::ReadProperties(TPersistent& instance, const std::vector<TFormProperty>& properties)
{
    for (const TFormProperty& property : properties)
        ReadProperty(instance, property);
}

void TReader::ReadProperty(TPersistent& instance, const TFormProperty& property)
{
    const int line = property.Value.Line ? property.Value.Line : property.Line;
    const QStringList path = property.Name.split(u'.');
    TPersistent* target = &instance;
    for (int i = 0; i + 1 < path.size(); ++i) {
        const TPropInfo* p = target->ClassInfo().FindProperty(path.at(i));
        if (!p || p->Kind != TPropKind::Object || !p->GetObject(*target))
            Error(line, QStringLiteral("%1 has no object property %2").arg(target->ClassName(), path.at(i)));
        target = p->GetObject(*target);
    }
    const QString name = path.last();
    const TFormValue& value = property.Value;
    FValue = &value;
    const TPropInfo* p = target->ClassInfo().FindProperty(name);
    try {
        if (!p) {
            FLookingFor = name;
            FHandled = false;
            target->DefineProperties(*this);
            FLookingFor.clear();
            if (!FHandled)
                Error(line, QStringLiteral("property %1 does not exist in %2").arg(name, target->ClassName()));
            return;
        }
        switch (p->Kind) {
        case TPropKind::Object: {
            auto* collection = dynamic_cast<TCollection*>(p->GetObject(*target));
            if (!collection || value.Kind != TFormValue::TKind::Collection)
                WrongKind(QStringLiteral("the properties of %1, one by one").arg(name));
            ReadCollection(*collection, value);
            break;
        }
        case TPropKind::String:
            p->SetString(*target, ReadString());
            break;
        case TPropKind::Integer: {
            const qint64 v = ReadInteger();
            if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
                Error(line, QStringLiteral("the value %1 of %2 is out of range").arg(v).arg(name));
            p->SetOrdinal(*target, v);
            break;
        }
        case TPropKind::Boolean:
            p->SetOrdinal(*target, ReadBoolean() ? 1 : 0);
            break;
        case TPropKind::Enumeration: {
            const QString ident = ReadIdent();
            const int ordinal = p->Enum->OrdinalOf(ident);
            if (ordinal < 0)
                Error(line, QStringLiteral("%1 is not a value of %2").arg(ident, p->Enum->TypeName));
            p->SetOrdinal(*target, ordinal);
            break;
        }
        case TPropKind::Set: {
            if (value.Kind != TFormValue::TKind::Set)
                WrongKind(QStringLiteral("a set"));
            qint64 bits = 0;
            for (const QString& ident : value.Set) {
                const int ordinal = p->Enum->OrdinalOf(ident);
                if (ordinal < 0)
                    Error(line, QStringLiteral("%1 is not a value of %2").arg(ident, p->Enum->TypeName));
                bits |= qint64(1) << ordinal;
            }
            p->SetOrdinal(*target, bits);
            break;
        }
        case TPropKind::Color: {
            TColor color = 0;
            if (value.Kind == TFormValue::TKind::Ident) {
                if (!IdentToColor(value.Text, color))
                    Error(line, QStringLiteral("%1 is not a colour").arg(value.Text));
            } else {
                const qint64 v = ReadInteger();
                if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<quint32>::max())
                    Error(line, QStringLiteral("the colour %1 is out of range").arg(v));
                color = TColor(qint32(quint32(v)));
            }
            p->SetOrdinal(*target, color);
            break;
        }
        }
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        // A setter refused the value: report it with the place it came from.
        Error(line, QStringLiteral("%1: %2").arg(property.Name, e.Message()));
    }
}

void TReader::ReadCollection(TCollection& collection, const TFormValue& value)
{
    WithinUpdate(collection, [&] {
        collection.Clear();
        for (const TFormItem& item : value.Items) {
            // The base Add: items read from a file take their stored names, not automatic ones.
            TCollectionItem* newItem = collection.TCollection::Add();
            ReadProperties(*newItem, item.Properties);
        }
    });
}

void TReader::WrongKind(const QString& expected) const
{
    Error(FValue->Line, QStringLiteral("expected %1 but found %2").arg(expected, FValue->Describe()));
}

qint64 TReader::ReadInteger()
{
    if (FValue->Kind != TFormValue::TKind::Integer)
        WrongKind(QStringLiteral("an integer"));
    return FValue->Integer;
}

bool TReader::ReadBoolean()
{
    if (FValue->Kind == TFormValue::TKind::Ident) {
        if (FValue->Text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (FValue->Text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    WrongKind(QStringLiteral("True or False"));
}

QString TReader::ReadString()
{
    if (FValue->Kind != TFormValue::TKind::String)
        WrongKind(QStringLiteral("a string"));
    return FValue->Text;
}

QString TReader::ReadIdent()
{
    if (FValue->Kind != TFormValue::TKind::Ident)
        WrongKind(QStringLiteral("an identifier"));
    return FValue->Text;
}

double TReader::ReadFloat()
{
    if (FValue->Kind == TFormValue::TKind::Integer)
        return double(FValue->Integer);
    if (FValue->Kind != TFormValue::TKind::Float)
        WrongKind(QStringLiteral("a number"));
    return FValue->Float;
}

QStringList TReader::ReadStringList()
{
    if (FValue->Kind != TFormValue::TKind::List)
        WrongKind(QStringLiteral("a list of strings"));
    QStringList result;
    for (const TFormValue& item : FValue->List) {
        if (item.Kind != TFormValue::TKind::String)
            Error(item.Line, QStringLiteral("expected a string but found %1").arg(item.Describe()));
        result << item.Text;
    }
    return result;
}

void TReader::DefineProperty(const QString& name, const std::function<void(TReader&)>& readData,
                             const std::function<void(TWriter&)>&, bool)
{
    if (FHandled || !readData || name.compare(FLookingFor, Qt::CaseInsensitive) != 0)
        return;
    FHandled = true;
    readData(*this);
}

void TReader::DefineBinaryProperty(const QString& name, const std::function<void(const QByteArray&)>& readData,
                                   const std::function<QByteArray()>&, bool)
{
    if (FHandled || !readData || name.compare(FLookingFor, Qt::CaseInsensitive) != 0)
        return;
    FHandled = true;
    if (FValue->Kind != TFormValue::TKind::Binary)
        WrongKind(QStringLiteral("binary data"));
    readData(FValue->Binary);
}

void TReader::ReadCollectionValue(TCollection& collection, const TFormValue& value)
{
    FValue = &value;
    if (value.Kind != TFormValue::TKind::Collection)
        WrongKind(QStringLiteral("a collection"));
    ReadCollection(collection, value);
}

} // namespace vg
