/// \file
/// Sort keys for ordering grid rows by columns, without widgets. A column's display format
/// decides how its cells compare: numbers, dates and times by value under the regional
/// settings, any other text by the user's locale's collation with runs of digits read as
/// numbers ("Item 9" before "Item 10"). Each row's key is worked out once, so that sorting
/// costs one key per row and cheap comparisons, however many comparisons the sort makes:
/// a text's key is its rank among the column's distinct texts, which are collated once each.
#pragma once

#include "platform/core/Export.h"

#include "common/VgColumn.h"

#include <QCollator>
#include <QHash>
#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace vg {

/// How a column's cells compare.
enum class TvgSortKind : std::uint8_t { Text, Number, Date, Time, DateTime };

/// What the column's display format shows its cells as: numeric and scientific formats
/// numbers, a date/time format with a pattern dates, times or both, anything else text.
VELKOGRID_EXPORT TvgSortKind SortKindOf(const TvgColumn& Column);

/// The collator text sorts by: the default locale's, with numeric mode. The C locale names
/// no language and compares code points; it sorts by the neutral order instead (which US
/// English uses unchanged), so that "a" and "B" and "9" and "10" still come in order.
VELKOGRID_EXPORT QCollator SortCollator();

/// The keys of one column's cells, one per row in row order, compared in one direction.
/// Whatever the direction, cells with a value come first, then cells whose text does not
/// read as the column's kind of value (by collation), then empty cells.
class VELKOGRID_EXPORT TvgColumnSortKeys {
public:
    TvgColumnSortKeys(TvgSortKind Kind, Qt::SortOrder Order, const QCollator& Collator);

    /// Appends the key of the next row's cell.
    void Add(const QString& Text);
    int Count() const { return int(FKeys.size()); }
    void Reserve(int Count) { FKeys.reserve(size_t(Count)); }
    /// Collates the texts added; Compare needs it after the last Add.
    void Finish();

    /// Negative, zero or positive as row A comes before, together with or after row B.
    int Compare(int A, int B) const;

private:
    enum TRank : std::uint8_t { HasValue, TextOnly, Empty };
    struct TKey {
        /// HasValue: the value. TextOnly: the text's place in FTexts until Finish, then its
        /// rank among them (equal texts share one).
        double Value = 0;
        TRank Rank = Empty;
    };
    bool ReadValue(const QString& Text, double& Value) const;

    TvgSortKind FKind;
    bool FDescending;
    QCollator FCollator;
    std::vector<TKey> FKeys;
    QHash<QString, int> FTextPlaces; // each distinct text's place in FTexts
    std::vector<QString> FTexts;
    bool FFinished = true;
};

/// The order (see Permutation.h) that sorts rows 0..Count-1 by Keys, the first key first:
/// entry i is the row that comes to place i. Rows that every key finds equal keep their
/// order. Each key must hold Count rows (EInvalidOperation otherwise); each is finished.
VELKOGRID_EXPORT std::vector<int> SortedOrder(std::span<TvgColumnSortKeys> Keys, int Count);

} // namespace vg
