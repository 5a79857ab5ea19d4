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

template <class E>
QString SetText(TSet<E> Value)
{
    QStringList names;
    const TEnumInfo& info = EnumInfo<E>();
    for (int i = 0; i < info.Names.size(); ++i)
        if (Value.Contains(E(i)))
            names << info.Names.at(i);
    return u'[' + names.join(QStringLiteral(", ")) + u']';
}

// "[a, b]", or the names alone separated by commas or "|".
template <class E>
TSet<E> TextToSet(const QString& Text)
{
    QString inner = Text.trimmed();
    if (inner.startsWith(u'[') && inner.endsWith(u']'))
        inner = inner.mid(1, inner.size() - 2);
    TSet<E> result;
    const TEnumInfo& info = EnumInfo<E>();
    for (const QString& part : inner.split(QRegularExpression(QStringLiteral("[,|]")), Qt::SkipEmptyParts)) {
        const QString name = part.trimmed();
        if (name.isEmpty())
            continue;
        const int ordinal = info.OrdinalOf(name);
        if (ordinal < 0)
            throw EConvertError(QStringLiteral("%1 is not a value of %2").arg(name, info.TypeName));
        result.Include(E(ordinal));
    }
    return result;
}

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
    return ExtentsText(RowCount(), [this](int i) { return RowHeights(i); });
}

void TVelkoGrid::SetRowHeightsText(const QByteArray& Value)
{
    Guard([&] {
        const std::vector<int> heights = TextToExtents(Value, RowCount());
        for (int i = 0; i < RowCount(); ++i)
            SetRowHeights(i, heights[size_t(i)]);
    });
}

QString TVelkoGrid::OptionsText() const { return SetText(Options()); }
void TVelkoGrid::SetOptionsText(const QString& Value)
{
    Guard([&] { SetOptions(TextToSet<TGridOption>(Value)); });
}

QString TVelkoGrid::VelkoOptionsText() const { return SetText(VelkoOptions()); }
void TVelkoGrid::SetVelkoOptionsText(const QString& Value)
{
    Guard([&] { SetVelkoOptions(TextToSet<TvgOption>(Value)); });
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
