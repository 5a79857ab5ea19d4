/// \file
/// Storing components in form files and reading them back: the entry points that tie the
/// text format (FormTree.h) to the filers (Filer.h). Reading either builds a new component
/// of a registered class or fills an existing one; in both cases a malformed or unknown
/// entry raises EReadError and leaves no half-built object behind.
#pragma once

#include "platform/core/Export.h"

#include <QString>

#include <memory>

class QIODevice;

namespace vg {

class TCollection;
class TComponent;

VELKOGRID_EXPORT QString WriteComponentToText(const TComponent& root);
VELKOGRID_EXPORT void WriteComponentToStream(QIODevice& stream, const TComponent& root);

/// A new component of the class the text names (see ClassRegistry.h), with the text's
/// properties and children, Loaded already called. The caller owns it.
VELKOGRID_EXPORT std::unique_ptr<TComponent> ReadComponentFromText(const QString& text);
VELKOGRID_EXPORT std::unique_ptr<TComponent> ReadComponentFromStream(QIODevice& stream);

/// Reads the text into an existing component. When its class is registered, the text is
/// first applied to a scratch component of that class holding the instance's own form and
/// what KeepUnwrittenState keeps of it, so that a refused text leaves the instance as it was
/// and never in the loading state. The scratch component is in design mode, which keeps it
/// from having effects outside itself. An unregistered class is read directly. Whenever reading into the instance itself fails, its
/// form as it was before is read back, and then what KeepUnwrittenState kept; should that
/// fail as well, EReadError says so with both messages.
VELKOGRID_EXPORT void ReadComponentInto(const QString& text, TComponent& instance);

/// The text a collection property is stored as ("<", each item with its properties, ">").
VELKOGRID_EXPORT QString WriteCollectionToText(const TCollection& collection);
/// Replaces collection's items by those text describes. Malformed text raises EReadError
/// and leaves the collection as it was.
VELKOGRID_EXPORT void ReadCollectionFromText(const QString& text, TCollection& collection);

} // namespace vg
