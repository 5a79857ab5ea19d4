#include "common/VgSortKeys.h"

#include "common/VgDisplayFormat.h"
#include "platform/core/Exceptions.h"
#include "platform/locale/Conversions.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vg {

TvgSortKind SortKindOf(const TvgColumn& Column)
{
    switch (Column.FormatType()) {
    case vgfmtNumeric:
    case vgfmtScientific:
        return TvgSortKind::Number;
    case vgfmtDateTime:
        switch (DateTimeDisplayFormat(Column.DateFormat(), Column.TimeFormat(), VgDateOrder()).Parts) {
        case vgdtpDate: return TvgSortKind::Date;
        case vgdtpTime: return TvgSortKind::Time;
        case vgdtpDateAndTime: return TvgSortKind::DateTime;
        case vgdtpNone: break;
        }
        break;
    case vgfmtNone:
        break;
    }
    return TvgSortKind::Text;
}

QCollator SortCollator()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    return collator;
}

TvgColumnSortKeys::TvgColumnSortKeys(TvgSortKind Kind, Qt::SortOrder Order, const QCollator& Collator)
    : FKind(Kind), FDescending(Order == Qt::DescendingOrder), FCollator(Collator)
{
}

bool TvgColumnSortKeys::ReadValue(const QString& Text, double& Value) const
{
    switch (FKind) {
    case TvgSortKind::Number: return TryStrToFloat(Text, Value);
    case TvgSortKind::Date: return TryStrToDate(Text, Value);
    case TvgSortKind::Time: return TryStrToTime(Text, Value);
    case TvgSortKind::DateTime: return TryStrToDateTime(Text, Value);
    case TvgSortKind::Text: break;
    }
    return false;
}

void TvgColumnSortKeys::Add(const QString& Text)
{
    TKey key;
    if (Text.isEmpty()) {
        key.Rank = Empty;
    } else if (ReadValue(Text, key.Value) && !std::isnan(key.Value)) {
        key.Rank = HasValue;
    } else {
        key.Rank = TextOnly;
        key.Text = int(FTexts.size());
        FTexts.push_back(FCollator.sortKey(Text));
    }
    FKeys.push_back(key);
}

int TvgColumnSortKeys::Compare(int A, int B) const
{
    const TKey& a = FKeys[size_t(A)];
    const TKey& b = FKeys[size_t(B)];
    if (a.Rank != b.Rank)
        return a.Rank < b.Rank ? -1 : 1;
    int c = 0;
    if (a.Rank == HasValue)
        c = a.Value < b.Value ? -1 : (b.Value < a.Value ? 1 : 0);
    else if (a.Rank == TextOnly)
        c = FTexts[size_t(a.Text)].compare(FTexts[size_t(b.Text)]);
    return FDescending ? -c : c;
}

std::vector<int> SortedOrder(std::span<const TvgColumnSortKeys> Keys, int Count)
{
    for (const TvgColumnSortKeys& keys : Keys)
        if (keys.Count() != Count)
            throw EInvalidOperation(QStringLiteral("Sort keys for %1 rows cannot sort %2").arg(keys.Count()).arg(Count));
    std::vector<int> order(size_t(std::max(Count, 0)));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [Keys](int a, int b) {
        for (const TvgColumnSortKeys& keys : Keys)
            if (const int c = keys.Compare(a, b); c != 0)
                return c < 0;
        return false;
    });
    return order;
}

} // namespace vg
