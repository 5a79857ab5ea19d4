#include "common/VgGlobal.h"

#include "platform/locale/FormatSettings.h"

namespace vg {

const TClassInfo& TvgBorder::StaticClassInfo()
{
    // No property has a declared default: a stored border is written whole.
    static const TClassInfo info = TClassBuilder<TvgBorder>(QStringLiteral("TvgBorder"), &TPersistent::StaticClassInfo())
                                       .Enum(QStringLiteral("Style"), &TvgBorder::Style, &TvgBorder::SetStyle)
                                       .Int(QStringLiteral("Width"), &TvgBorder::Width, &TvgBorder::SetWidth)
                                       .Color(QStringLiteral("Color"), &TvgBorder::Color, &TvgBorder::SetColor)
                                       .Build();
    return info;
}

bool TvgBorder::Equals(const TvgBorder& other) const
{
    return FStyle == other.FStyle && FWidth == other.FWidth && FColor == other.FColor;
}

void TvgBorder::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TvgBorder*>(source)) {
        FStyle = other->FStyle;
        FWidth = other->FWidth;
        FColor = other->FColor;
        return;
    }
    TPersistent::Assign(source);
}

TvgCellList::TvgCellList()
{
    FList.SetSorted(true);
    FList.SetDuplicates(TDuplicates::dupIgnore);
}

QString TvgCellList::ColRowToStr(int ACol, int ARow)
{
    return QString::number(ACol) + u':' + QString::number(ARow);
}

void TvgCellList::Add(int ACol, int ARow)
{
    FList.Add(ColRowToStr(ACol, ARow));
}

bool TvgCellList::Contains(int ACol, int ARow) const
{
    return FList.IndexOf(ColRowToStr(ACol, ARow)) >= 0;
}

bool TvgCellList::Remove(int ACol, int ARow)
{
    const int index = FList.IndexOf(ColRowToStr(ACol, ARow));
    if (index < 0)
        return false;
    FList.Delete(index);
    return true;
}

bool StringBeginsWith(const QString& Prefix, const QString& S)
{
    return S.startsWith(Prefix, Qt::CaseSensitive);
}

TvgDateOrder VgDateOrder()
{
    for (QChar c : FormatSettings().ShortDateFormat) {
        // Upper-case ASCII letters only, by clearing bit 0x20.
        const char16_t u = c.unicode() & ~char16_t(0x20);
        if (u == u'D')
            return vgdoDMY;
        if (u == u'M')
            return vgdoMDY;
        if (u == u'Y')
            return vgdoYMD;
    }
    return vgdoMDY;
}

const std::array<std::array<QString, 11>, 3> vgDateFormats = {{
    {"m/d", "m/d/yy", "mm/dd/yy", "d-mmm", "d-mmm-yy", "dd-mmm-yy", "mmm-yy", "mmmm-yy", "mmmm d, yyyy",
     "ddd mmmm d, yyyy", "dddd mmmm d, yyyy"},
    {"d/m", "d/m/yy", "dd/mm/yy", "d-mmm", "d-mmm-yy", "dd-mmm-yy", "mmm-yy", "mmmm-yy", "mmmm d, yyyy",
     "ddd mmmm d, yyyy", "dddd mmmm d, yyyy"},
    {"m/d", "yy/m/d", "yy/mm/dd", "d-mmm", "d-mmm-yy", "dd-mmm-yy", "mmm-yy", "mmmm-yy", "mmmm d, yyyy",
     "ddd mmmm d, yyyy", "dddd mmmm d, yyyy"},
}};

const std::array<QString, 4> vgTimeFormats = {"h:nn", "h:nn ampm", "h:nn:ss", "h:nn:ss ampm"};

} // namespace vg
