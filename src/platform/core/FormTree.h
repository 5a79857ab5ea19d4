/// \file
/// The parsed form of a form file: objects with their property entries and child objects.
/// FormTree.cpp turns text into this tree and back; TWriter builds it from objects and
/// TReader applies it to objects, so syntax and meaning are checked in separate steps.
#pragma once

#include "platform/core/Export.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class QIODevice;

namespace vg {

struct TFormProperty;

/// One item of a collection in a form file: its property entries.
/// \ingroup host_core
struct VELKOGRID_EXPORT TFormItem {
    std::vector<TFormProperty> Properties;
    int Line = 0;
};

/// A value in a form file: a number, a string, an identifier, a set, a list, a collection or
/// binary data.
/// \ingroup host_core
struct VELKOGRID_EXPORT TFormValue {
    enum class TKind { Integer, Float, String, Ident, Set, List, Collection, Binary };

    TKind Kind = TKind::Integer;
    qint64 Integer = 0;
    double Float = 0;
    QString Text;                  // String and Ident
    QStringList Set;               // identifiers of a set
    std::vector<TFormValue> List;  // values of a list ( ... )
    std::vector<TFormItem> Items;  // items of a collection < ... >
    QByteArray Binary;             // binary data { ... }
    int Line = 0;

    static TFormValue OfInteger(qint64 v);
    static TFormValue OfString(const QString& v);
    static TFormValue OfIdent(const QString& v);
    /// A short description for error messages: "an integer", "the identifier True", ...
    QString Describe() const;
};

/// One property entry of a form file: its (dotted) name and value.
/// \ingroup host_core
struct VELKOGRID_EXPORT TFormProperty {
    QString Name; // dotted for properties of owned sub-objects: TitleFont.Style
    TFormValue Value;
    int Line = 0;
};

/// One object block of a form file: its name, its class, its property entries and its child
/// objects.
/// \ingroup host_core
struct VELKOGRID_EXPORT TFormObject {
    QString Name;
    QString ClassName;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
    int Line = 0;
};

/// Parses a form file's text; raises EReadError naming the line and what was expected.
VELKOGRID_EXPORT TFormObject ParseFormText(const QString& text);
/// The text of a form object, in the layout the parser accepts.
VELKOGRID_EXPORT QString FormObjectToText(const TFormObject& object);
/// One value alone, as it stands after "Name = " in a form file, and its text.
VELKOGRID_EXPORT TFormValue ParseFormValueText(const QString& text);
VELKOGRID_EXPORT QString FormValueToText(const TFormValue& value);

} // namespace vg
