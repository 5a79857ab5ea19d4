#include "platform/core/FormFile.h"

#include "platform/core/ClassRegistry.h"
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"

#include <QIODevice>
#include <QStringDecoder>

#include <algorithm>
#include <exception>

namespace vg {

QString WriteComponentToText(const TComponent& root)
{
    return FormObjectToText(TWriter().WriteRoot(root));
}

void WriteComponentToStream(QIODevice& stream, const TComponent& root)
{
    const QByteArray data = WriteComponentToText(root).toUtf8();
    if (!stream.isWritable() || stream.write(data) != data.size())
        throw EWriteError(QStringLiteral("Cannot write the form file: %1").arg(stream.errorString()));
}

std::unique_ptr<TComponent> ReadComponentFromText(const QString& text)
{
    const TFormObject tree = ParseFormText(text);
    const TComponentFactory* factory = FindComponentClass(tree.ClassName);
    if (!factory)
        TReader::Error(tree.Line, QStringLiteral("class %1 is not registered").arg(tree.ClassName));
    std::unique_ptr<TComponent> root((*factory)(nullptr));
    TReader().ReadRoot(tree, *root);
    return root;
}

namespace {
QString Describe(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("an unknown error");
    }
}

// The form as it was, to read back into a component that now writes now: without the
// collections that are as they were, whose items (which callers may hold) then stay.
TFormObject FormToPutBack(const TFormObject& before, const TFormObject& now)
{
    TFormObject putBack = before;
    std::erase_if(putBack.Properties, [&now](const TFormProperty& p) {
        if (p.Value.Kind != TFormValue::TKind::Collection)
            return false;
        const QString text = FormValueToText(p.Value);
        return std::any_of(now.Properties.begin(), now.Properties.end(), [&](const TFormProperty& q) {
            return q.Name == p.Name && FormValueToText(q.Value) == text;
        });
    });
    return putBack;
}

QString ReadUtf8(QIODevice& stream)
{
    if (!stream.isReadable())
        throw EStreamError(QStringLiteral("Cannot read the form file: %1").arg(stream.errorString()));
    const QByteArray data = stream.readAll();
    // Stateless, so that a character cut off at the end of the data counts as an error
    // instead of being held back for input that never comes.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(data);
    if (decoder.hasError())
        throw EReadError(QStringLiteral("The form file is not valid UTF-8 text"));
    return text;
}
} // namespace

std::unique_ptr<TComponent> ReadComponentFromStream(QIODevice& stream)
{
    return ReadComponentFromText(ReadUtf8(stream));
}

void ReadComponentInto(const QString& text, TComponent& instance)
{
    const TFormObject tree = ParseFormText(text);
    // The instance as it is now: a scratch copy of it tries the text first, and should
    // reading into the instance fail all the same, the instance goes back to it.
    const TFormObject before = TWriter().WriteRoot(instance);
    // What the form does not hold goes along: a grid whose columns are out of step, its cells.
    const std::function<void(TComponent&)> unwritten = instance.KeepUnwrittenState();
    if (const TComponentFactory* factory = FindComponentClass(instance.ClassName())) {
        // The copy is made in design mode, where a component holds its properties and keeps
        // to itself: it reads no user settings and writes none back when it goes, hooks
        // nothing of the application's and shows no hint.
        TComponent scratchOwner;
        scratchOwner.SetDesigning(true);
        std::unique_ptr<TComponent> scratch((*factory)(&scratchOwner));
        try {
            TReader().ReadRoot(before, *scratch);
            if (unwritten)
                unwritten(*scratch);
        } catch (const Exception&) {
            // An instance whose own form does not read back is tried on a fresh copy.
            scratch.reset();
            scratch.reset((*factory)(&scratchOwner));
        }
        TReader().ReadRoot(tree, *scratch);
    }
    try {
        TReader().ReadRoot(tree, instance);
    } catch (...) {
        const std::exception_ptr refusal = std::current_exception();
        try {
            // Refused before anything of the form changed, the form is not read again.
            const TFormObject now = TWriter().WriteRoot(instance);
            if (FormObjectToText(now) != FormObjectToText(before))
                TReader().ReadRoot(FormToPutBack(before, now), instance);
            // What the form does not hold goes back too: nothing stays changed part-way.
            if (unwritten)
                unwritten(instance);
        } catch (...) {
            // The caller learns that the component is no longer as it was.
            throw EReadError(QStringLiteral("%1; the component could not be put back as it was: %2")
                                 .arg(Describe(refusal), Describe(std::current_exception())));
        }
        throw;
    }
}

QString WriteCollectionToText(const TCollection& collection)
{
    return FormValueToText(TWriter().WriteCollection(collection));
}

void ReadCollectionFromText(const QString& text, TCollection& collection)
{
    const TFormValue value = ParseFormValueText(text);
    // Read into a copy first, so that an item that does not read changes nothing.
    TCollection copy(collection.ItemClass());
    TReader().ReadCollectionValue(copy, value);
    collection.Assign(&copy);
}

} // namespace vg
