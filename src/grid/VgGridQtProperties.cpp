// The grid's published settings as Qt properties. Qt Designer edits and stores them, and
// forms built by uic or QUiLoader set them one after the other, so every setter brings the
// grid in step on its own and refuses a bad value without throwing into Qt: the error goes
// to the application's exception handler and the grid stays as it was.
#include "grid/VgGrid.h"

#include "platform/app/Application.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"

#include <QRegularExpression>

namespace vg {

namespace {

// The text a form gave an option set before the options were flags: "[a, b]", or the names
// alone separated by commas or "|", each name perhaps with its scope ("Scope::goEditing").
template <class E>
TSet<E> TextToSet(const QString& Text)
{
    QString inner = Text.trimmed();
    if (inner.startsWith(u'[') && inner.endsWith(u']'))
        inner = inner.mid(1, inner.size() - 2);
    TSet<E> result;
    const TEnumInfo& info = EnumInfo<E>();
    for (const QString& part : inner.split(QRegularExpression(QStringLiteral("[,|]")), Qt::SkipEmptyParts)) {
        QString name = part.trimmed();
        if (const qsizetype scopeEnd = name.lastIndexOf(QStringLiteral("::")); scopeEnd >= 0)
            name = name.mid(scopeEnd + 2);
        if (name.isEmpty())
            continue;
        const int ordinal = info.OrdinalOf(name);
        if (ordinal < 0)
            throw EConvertError(QStringLiteral("%1 is not a value of %2").arg(name, info.TypeName));
        result.Include(E(ordinal));
    }
    return result;
}

// A flag is its option's bit, so the numbers are the same; bits of no option are refused.
template <class Flags, class E>
Flags SetToFlags(TSet<E> Value)
{
    return Flags::fromInt(typename Flags::Int(Value.Bits()));
}

template <class E, class Flags>
TSet<E> FlagsToSet(Flags Value)
{
    const TEnumInfo& info = EnumInfo<E>();
    const std::uint32_t known = (std::uint32_t(1) << info.Names.size()) - 1;
    const std::uint32_t bits = std::uint32_t(Value.toInt());
    if ((bits & ~known) != 0)
        throw EConvertError(QStringLiteral("0x%1 holds bits that are no %2").arg(bits, 0, 16).arg(info.TypeName));
    return TSet<E>::FromBits(bits);
}

// Lets a form's text reach a flags property: QObject::setProperty converts the QString that
// uic and QUiLoader pass for a stored <string>. A text naming no option is reported through
// the application's exception handler, and the property stays as it was.
template <class E, class Flags>
void ReadFlagsFromText()
{
    const QMetaType from = QMetaType::fromType<QString>();
    const QMetaType to = QMetaType::fromType<Flags>();
    if (QMetaType::hasRegisteredConverterFunction(from, to))
        return; // by another copy of the library in the same process
    QMetaType::registerConverterFunction(
        [](const void* text, void* flags) {
            bool converted = false;
            Application().GuardEvent([&] {
                *static_cast<Flags*>(flags) = SetToFlags<Flags>(TextToSet<E>(*static_cast<const QString*>(text)));
                converted = true;
            });
            return converted;
        },
        from, to);
}

const bool TextConvertsToFlags = [] {
    ReadFlagsFromText<TGridOption, VelkoGridFlags::GridOptions>();
    ReadFlagsFromText<TvgOption, VelkoGridFlags::VelkoOptions>();
    return true;
}();

QByteArray ExtentsText(int Count, const std::function<int(int)>& Extent)
{
    QByteArray text;
    for (int i = 0; i < Count; ++i) {
        if (i > 0)
            text += ',';
        text += QByteArray::number(Extent(i));
    }
    return text;
}

// One whole number per column or row; EConvertError for anything else or the wrong count.
std::vector<int> TextToExtents(const QByteArray& Text, int Count)
{
    std::vector<int> extents;
    for (const QByteArray& part : Text.split(',')) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        if (!ok || value < 0)
            throw EConvertError(QStringLiteral("'%1' is no size").arg(QString::fromUtf8(part.trimmed())));
        extents.push_back(value);
    }
    if (int(extents.size()) != Count)
        throw EConvertError(QStringLiteral("%1 sizes given for %2").arg(extents.size()).arg(Count));
    return extents;
}

// The colour as painted; a value that is no colour reads as an invalid QColor.
QColor Painted(TColor Color, const QPalette& Palette)
{
    try {
        return ColorToQColor(Color, Palette);
    } catch (const EConvertError&) {
        return QColor();
    }
}

void Guard(const std::function<void()>& Work)
{
    Application().GuardEvent(Work);
}

} // namespace

QByteArray TVelkoGrid::ColumnsText() const
{
    return WriteCollectionToText(*FColumns).toUtf8();
}

void TVelkoGrid::SetColumnsText(const QByteArray& Value)
{
    Guard([&] {
        const QString text = QString::fromUtf8(Value);
        TvgColumns columns;
        ReadCollectionFromText(text, columns);
        bool anyVisible = false;
        for (int i = 0; i < columns.Count() && !anyVisible; ++i)
            anyVisible = columns[i]->Visible();
        if (!anyVisible)
            throw EInvalidOperation(QStringLiteral("TVelkoGrid: the columns describe no visible column"));
        // As the columns editor writes back: the objects describe the grid columns by
        // position from now on, and the count follows them.
        HideEditor();
        FColumns->Assign(&columns);
        SetColCount(GetVisibleColumnCount());
        InvalidateGrid();
    });
}

QByteArray TVelkoGrid::HeadingsText() const
{
    return WriteCollectionToText(*FHeadings).toUtf8();
}

void TVelkoGrid::SetHeadingsText(const QByteArray& Value)
{
    Guard([&] {
        ReadCollectionFromText(QString::fromUtf8(Value), *FHeadings);
        InvalidateGrid();
    });
}

QByteArray TVelkoGrid::ColWidthsText() const
{
    return ExtentsText(StoredColCount(), [this](int i) { return StoredColWidth(i); });
}

void TVelkoGrid::SetColWidthsText(const QByteArray& Value)
{
    Guard([&] {
        const std::vector<int> widths = TextToExtents(Value, ColCount());
        for (int i = 0; i < ColCount(); ++i)
            SetColWidths(i, widths[size_t(i)]);
    });
}

QByteArray TVelkoGrid::RowHeightsText() const
{
    // The heights of their own, as form files keep them: a title row fitted to its
    // headings reads back as one that the grid fits.
    return ExtentsText(RowCount(), [this](int i) { return OwnRowHeight(i); });
}

void TVelkoGrid::SetRowHeightsText(const QByteArray& Value)
{
    Guard([&] {
        const std::vector<int> heights = TextToExtents(Value, RowCount());
        for (int i = 0; i < RowCount(); ++i)
            SetRowHeights(i, heights[size_t(i)]);
    });
}

VelkoGridFlags::GridOptions TVelkoGrid::QtOptions() const
{
    return SetToFlags<VelkoGridFlags::GridOptions>(Options());
}
void TVelkoGrid::SetQtOptions(VelkoGridFlags::GridOptions Value)
{
    Guard([&] { SetOptions(FlagsToSet<TGridOption>(Value)); });
}

VelkoGridFlags::VelkoOptions TVelkoGrid::QtVelkoOptions() const
{
    return SetToFlags<VelkoGridFlags::VelkoOptions>(VelkoOptions());
}
void TVelkoGrid::SetQtVelkoOptions(VelkoGridFlags::VelkoOptions Value)
{
    Guard([&] { SetVelkoOptions(FlagsToSet<TvgOption>(Value)); });
}

void TVelkoGrid::SetQtRowCount(int Value) { Guard([&] { SetRowCount(Value); }); }
void TVelkoGrid::SetQtDefaultColWidth(int Value) { Guard([&] { SetDefaultColWidth(Value); }); }
void TVelkoGrid::SetQtDefaultRowHeight(int Value) { Guard([&] { SetDefaultRowHeight(Value); }); }
void TVelkoGrid::SetQtGridLineWidth(int Value) { Guard([&] { SetGridLineWidth(Value); }); }
void TVelkoGrid::SetQtFixedCols(int Value) { Guard([&] { SetFixedCols(Value); }); }
void TVelkoGrid::SetQtFixedRows(int Value) { Guard([&] { SetFixedRows(Value); }); }
void TVelkoGrid::SetQtColumnsRegistryKey(const QString& Value)
{
    SetColumnsRegistryKey(Value);
    if (!IsDesigning() && !IsLoading())
        Guard([this] { RestoreColumnWidths(); });
}

QColor TVelkoGrid::QtColor() const { return Painted(Color(), palette()); }
void TVelkoGrid::SetQtColor(const QColor& Value) { SetColor(QColorToColor(Value)); }
void TVelkoGrid::ResetQtColor() { SetColor(clWindow); }

QColor TVelkoGrid::QtFixedColor() const { return Painted(FixedColor(), palette()); }
void TVelkoGrid::SetQtFixedColor(const QColor& Value) { SetFixedColor(QColorToColor(Value)); }
void TVelkoGrid::ResetQtFixedColor() { SetFixedColor(clBtnFace); }

QColor TVelkoGrid::QtVelkoHighlightColor() const { return Painted(FVelkoHighlightColor, palette()); }
void TVelkoGrid::SetQtVelkoHighlightColor(const QColor& Value) { SetVelkoHighlightColor(QColorToColor(Value)); }
void TVelkoGrid::ResetQtVelkoHighlightColor() { SetVelkoHighlightColor(clHighlight); }

QColor TVelkoGrid::QtVelkoHighlightFontColor() const { return Painted(FVelkoHighlightFontColor, palette()); }
void TVelkoGrid::SetQtVelkoHighlightFontColor(const QColor& Value)
{
    SetVelkoHighlightFontColor(QColorToColor(Value));
}
void TVelkoGrid::ResetQtVelkoHighlightFontColor() { SetVelkoHighlightFontColor(clHighlightText); }

} // namespace vg
