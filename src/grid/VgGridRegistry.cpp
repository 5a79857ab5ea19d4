// Column widths kept between runs in the user's settings.
#include "grid/VgGrid.h"

#include "platform/core/Registry.h"

#include <algorithm>

namespace vg {

namespace {

bool IsBlankKey(const QString& key)
{
    return std::all_of(key.cbegin(), key.cend(), [](QChar c) { return c.unicode() <= 32; });
}

// Value names are the columns' names. The settings store takes "/" and "\" for key
// separators, so those (and "%", which marks them) are written as %2F, %5C and %25.
const std::pair<QChar, QLatin1String> Escapes[] = {
    {u'%', QLatin1String("%25")}, {u'/', QLatin1String("%2F")}, {u'\\', QLatin1String("%5C")}};

QString ValueName(const QString& columnName)
{
    QString name;
    name.reserve(columnName.size());
    for (QChar c : columnName) {
        const auto escape = std::find_if(std::begin(Escapes), std::end(Escapes), [c](const auto& e) { return e.first == c; });
        if (escape == std::end(Escapes))
            name += c;
        else
            name += escape->second;
    }
    return name;
}

QString ColumnName(const QString& valueName)
{
    QString name;
    name.reserve(valueName.size());
    for (qsizetype i = 0; i < valueName.size(); ++i) {
        const QStringView rest = QStringView(valueName).mid(i);
        const auto escape = std::find_if(std::begin(Escapes), std::end(Escapes), [rest](const auto& e) {
            return rest.startsWith(e.second, Qt::CaseInsensitive);
        });
        if (escape == std::end(Escapes)) {
            name += valueName[i];
        } else {
            name += escape->first;
            i += escape->second.size() - 1;
        }
    }
    return name;
}

} // namespace

void TVelkoGrid::SaveColumnWidthsToRegistry(const QString& Key)
{
    if (IsBlankKey(Key))
        return;
    TRegistry registry;
    if (!registry.OpenKey(Key, true))
        return;
    for (int col = 0; col < ColCount(); ++col) {
        try {
            const QString& name = GetVisibleColumn(col)->Name();
            if (!name.isEmpty())
                registry.WriteInteger(ValueName(name), ColWidths(col));
        } catch (const Exception&) {
            // This column has no object to be named after; the others are still written.
        }
    }
    registry.Flush();
}

void TVelkoGrid::LoadColumnWidthsFromRegistry(const QString& Key)
{
    if (IsBlankKey(Key))
        return;
    TRegistry registry;
    if (!registry.OpenKey(Key, false))
        return;
    for (const QString& valueName : registry.GetValueNames()) {
        try {
            const int col = GridColumnForColumnObject(FindColByName(ColumnName(valueName)));
            if (col >= 0)
                SetColWidths(col, registry.ReadInteger(valueName));
        } catch (const Exception&) {
            // Not a whole number, or a width the grid refuses: this column keeps its width.
        }
    }
}

void TVelkoGrid::RestoreColumnWidths()
{
    LoadColumnWidthsFromRegistry(FColumnsRegistryKey);
}

void TVelkoGrid::StoreColumnWidths()
{
    SaveColumnWidthsToRegistry(FColumnsRegistryKey);
}

} // namespace vg
