// TCustomGrid: the form-file entries beside the published properties. Column widths and
// row heights are stored as lists of integers, "ColWidths" and "RowHeights", one entry per
// column (row), and only when one of them differs from the default. The writer puts such
// entries after the published properties, so a form file sets ColCount and RowCount (and
// the defaults, which reset every width and height) before the lists are read. A grid
// that stores another column count than it has (StoredColCount) stores as many widths.
#include "platform/hostgrid/CustomGrid.h"

#include "platform/core/Filer.h"

#include <algorithm>
#include <limits>

namespace vg {

namespace {

// The first count extents, entries past the last one taking the default.
std::vector<int> StoredExtents(const TGridExtents& extents, int count)
{
    if (count == extents.Count())
        return extents.Values();
    std::vector<int> stored(size_t(std::max(count, 0)), extents.Default());
    for (int i = 0; i < std::min(count, extents.Count()); ++i)
        stored[size_t(i)] = extents.Get(i);
    return stored;
}

void WriteExtents(TWriter& writer, const std::vector<int>& extents)
{
    TFormValue list;
    list.Kind = TFormValue::TKind::List;
    for (int extent : extents)
        list.List.push_back(TFormValue::OfInteger(extent));
    writer.WriteValue(list);
}

// Reads a list of as many extents as there are columns (rows); anything else is refused
// before a single extent changes.
void ReadExtents(TReader& reader, const QString& name, TGridExtents& extents)
{
    const TFormValue& value = reader.Value();
    if (value.Kind != TFormValue::TKind::List)
        TReader::Error(value.Line, QStringLiteral("expected a list of integers for %1 but found %2").arg(name, value.Describe()));
    if (qsizetype(value.List.size()) != extents.Count())
        TReader::Error(value.Line, QStringLiteral("%1 holds %2 entries for %3 cells").arg(name).arg(value.List.size()).arg(extents.Count()));
    std::vector<int> read;
    for (const TFormValue& item : value.List) {
        if (item.Kind != TFormValue::TKind::Integer || item.Integer < 0 || item.Integer > std::numeric_limits<int>::max())
            TReader::Error(item.Line, QStringLiteral("expected a size in pixels in %1 but found %2").arg(name, item.Describe()));
        read.push_back(int(item.Integer));
    }
    for (int i = 0; i < int(read.size()); ++i)
        extents.Set(i, read[size_t(i)]);
}

} // namespace

void TCustomGrid::DefineProperties(TFiler& filer)
{
    TComponent::DefineProperties(filer);
    DefineExtents(filer, QStringLiteral("ColWidths"), FColWidths, StoredColCount());
    DefineExtents(filer, QStringLiteral("RowHeights"), FRowHeights, RowCount());
}

int TCustomGrid::StoredColCount() const
{
    return ColCount();
}

void TCustomGrid::DefineExtents(TFiler& filer, const QString& name, TGridExtents& extents, int storedCount)
{
    // A list of the grid's own count is written only when it has an entry of its own,
    // which costs nothing to ask however many entries there are.
    bool custom = extents.HasCustom();
    std::vector<int> stored;
    if (custom && storedCount != extents.Count()) {
        stored = StoredExtents(extents, storedCount);
        custom = std::any_of(stored.begin(), stored.end(), [&extents](int e) { return e != extents.Default(); });
    }
    filer.DefineProperty(
        name,
        [this, name, &extents](TReader& reader) {
            ReadExtents(reader, name, extents);
            ExtentsChanged();
        },
        [&extents, storedCount, stored](TWriter& writer) {
            WriteExtents(writer, stored.empty() ? StoredExtents(extents, storedCount) : stored);
        },
        custom);
}

} // namespace vg
