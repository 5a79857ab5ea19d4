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
        auto place = FTextPlaces.constFind(Text);
        if (place == FTextPlaces.cend()) {
            place = FTextPlaces.insert(Text, int(FTexts.size()));
            FTexts.push_back(Text);
        }
        key.Value = *place;
        FFinished = false;
    }
    FKeys.push_back(key);
}

void TvgColumnSortKeys::Finish()
{
    if (FFinished)
        return;
    // The distinct texts in collation order; texts the collator finds equal share a rank.
    std::vector<QCollatorSortKey> collated;
    collated.reserve(FTexts.size());
    for (const QString& text : FTexts)
        collated.push_back(FCollator.sortKey(text));
    std::vector<int> order(FTexts.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return collated[size_t(a)].compare(collated[size_t(b)]) < 0; });
    std::vector<double> rank(FTexts.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const bool tied = i > 0 && collated[size_t(order[i])].compare(collated[size_t(order[i - 1])]) == 0;
        rank[size_t(order[i])] = tied ? rank[size_t(order[i - 1])] : double(i);
    }
    for (TKey& key : FKeys)
        if (key.Rank == TextOnly)
            key.Value = rank[size_t(key.Value)];
    FTextPlaces.clear();
    FTexts.clear();
    FFinished = true;
}

int TvgColumnSortKeys::Compare(int A, int B) const
{
    if (!FFinished)
        throw EInvalidOperation(QStringLiteral("Sort keys are compared once they are finished"));
    const TKey& a = FKeys[size_t(A)];
    const TKey& b = FKeys[size_t(B)];
    if (a.Rank != b.Rank)
        return a.Rank < b.Rank ? -1 : 1;
    const int c = a.Rank == Empty ? 0 : (a.Value < b.Value ? -1 : (b.Value < a.Value ? 1 : 0));
    return FDescending ? -c : c;
}

std::vector<int> SortedOrder(std::span<TvgColumnSortKeys> Keys, int Count)
{
    for (TvgColumnSortKeys& keys : Keys) {
        if (keys.Count() != Count)
            throw EInvalidOperation(QStringLiteral("Sort keys for %1 rows cannot sort %2").arg(keys.Count()).arg(Count));
        keys.Finish();
    }
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
