// A row's texts packed into one allocation, against a plain map of column to text, and
// the grid storage built on such rows against a plain table.
#include "platform/hostgrid/GridStorage.h"
#include "platform/hostgrid/PackedRow.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace vg {
namespace {

using TModelRow = std::map<int, QString>;

TModelRow Contents(const TPackedRow& row)
{
    TModelRow cells;
    int previous = -1;
    row.ForEach([&](int col, QStringView text) {
        EXPECT_GT(col, previous) << "cells out of column order";
        EXPECT_FALSE(text.isEmpty()) << "a cell without text kept at column " << col;
        previous = col;
        cells[col] = text.toString();
    });
    EXPECT_EQ(row.Count(), int(cells.size()));
    return cells;
}

// What moving a grid column does to a row: from goes to to, those between shift by one.
TModelRow Moved(const TModelRow& cells, int from, int to)
{
    TModelRow moved;
    for (const auto& [col, text] : cells) {
        int now = col;
        if (col == from)
            now = to;
        else if (from < to && col > from && col <= to)
            now = col - 1;
        else if (from > to && col >= to && col < from)
            now = col + 1;
        moved[now] = text;
    }
    return moved;
}

QString RandomText(std::mt19937& random)
{
    static const char16_t letters[] = u"ab\u00e9\u4e2d\0,\"x";
    QString text;
    const int length = int(random() % 4 == 0 ? 0 : random() % 20);
    for (int i = 0; i < length; ++i)
        text += QChar(letters[random() % 8]);
    if (random() % 10 == 0)
        text += QString::fromUtf16(u"\U0001F600"); // a surrogate pair
    return text;
}

TEST(PackedRow, AgreesWithAPlainMapThroughRandomChanges)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 20; ++round) {
        TPackedRow row;
        TModelRow model;
        const int cols = 2 + int(random() % 40);
        for (int step = 0; step < 400; ++step) {
            const int col = int(random() % unsigned(cols));
            switch (random() % 11) {
            case 0: {
                const int to = int(random() % unsigned(cols));
                row.MoveColumn(col, to);
                model = Moved(model, col, to);
                break;
            }
            case 1:
                row.TruncateColumns(col);
                model.erase(model.lower_bound(col), model.end());
                break;
            case 2:
                row.Trim();
                break;
            case 3:
                row.Reserve(int(random() % 50), qsizetype(random() % 500));
                break;
            case 4: {
                // A text taken from the row itself, as when a cell is copied to another.
                const QStringView source = row.Text(int(random() % unsigned(cols)));
                const bool changes = model[col] != source.toString();
                model[col] = source.toString();
                EXPECT_EQ(row.Set(col, source), changes);
                break;
            }
            case 5: {
                // Several cells at once, some texts taken from the row itself.
                std::vector<QString> owned;
                std::vector<TCellText> cells;
                bool changes = false;
                TModelRow after = model;
                for (int c = int(random() % 3); c < cols; c += 1 + int(random() % 5)) {
                    owned.push_back(RandomText(random));
                    const QStringView text = random() % 4 == 0 ? row.Text(int(random() % unsigned(cols))) : owned.back();
                    cells.push_back({c, text});
                    changes = changes || text.toString() != (model.count(c) ? model[c] : QString());
                    after[c] = text.toString();
                }
                EXPECT_EQ(row.SetMany(cells), changes);
                model = after;
                break;
            }
            case 6: {
                TPackedRow copy(row);
                row = TPackedRow();
                EXPECT_TRUE(row.Empty());
                row = random() % 2 ? std::move(copy) : copy;
                break;
            }
            default: {
                const QString text = RandomText(random);
                const bool changes = model[col] != text;
                model[col] = text;
                EXPECT_EQ(row.Set(col, text), changes) << "step " << step;
            }
            }
            std::erase_if(model, [](const auto& cell) { return cell.second.isEmpty(); });
            ASSERT_EQ(Contents(row), model) << "round " << round << ", step " << step;
            ASSERT_EQ(row.Empty(), model.empty());
            qsizetype chars = 0;
            for (const auto& cell : model)
                chars += cell.second.size();
            ASSERT_EQ(row.Chars(), chars);
            const int probe = int(random() % unsigned(cols + 2)) - 1;
            ASSERT_EQ(row.Text(probe).toString(), model.count(probe) ? model[probe] : QString());
            ASSERT_EQ(row.Has(probe), model.count(probe) > 0);
        }
    }
}

TEST(GridStorage, AgreesWithAPlainTableWhenRowsAreWrittenInAnyOrder)
{
    // Writes that jump between rows, growing rows and moves keep every cell, whichever
    // row still has room kept for more cells.
    std::mt19937 random(88);
    int cols = 12;
    int rows = 3000;
    TGridStorage store;
    store.Resize(cols, rows);
    const std::vector<QString> emptyRow(static_cast<size_t>(cols));
    std::vector<std::vector<QString>> model(static_cast<size_t>(rows), emptyRow);
    int row = 0;
    for (int step = 0; step < 20000; ++step) {
        const unsigned action = random() % 100;
        if (action < 2) {
            const int from = int(random() % unsigned(rows));
            const int to = int(random() % unsigned(rows));
            store.MoveRow(from, to);
            auto moving = std::move(model[size_t(from)]);
            model.erase(model.begin() + from);
            model.insert(model.begin() + to, std::move(moving));
        } else if (action < 4) {
            const int from = int(random() % unsigned(cols));
            const int to = int(random() % unsigned(cols));
            store.MoveColumn(from, to);
            for (auto& cells : model) {
                QString moving = cells[size_t(from)];
                cells.erase(cells.begin() + from);
                cells.insert(cells.begin() + to, moving);
            }
        } else if (action < 5) {
            cols = 4 + int(random() % 12);
            rows = 2000 + int(random() % 2000);
            store.Resize(cols, rows);
            row = std::min(row, rows - 1);
            model.resize(size_t(rows));
            for (auto& cells : model)
                cells.resize(size_t(cols));
        } else {
            // Mostly along a row, as a load fills it; sometimes anywhere.
            if (action < 80)
                row = random() % 4 == 0 ? int(random() % unsigned(rows)) : std::min(row + 1, rows - 1);
            const int col = int(random() % unsigned(cols));
            const QString text = RandomText(random);
            EXPECT_EQ(store.Set(col, row, text), model[size_t(row)][size_t(col)] != text);
            model[size_t(row)][size_t(col)] = text;
        }
        if (step % 1000 == 999 || step < 50) {
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < cols; ++c)
                    ASSERT_EQ(store.Get(c, r), model[size_t(r)][size_t(c)]) << "cell " << c << "," << r;
            for (int c = 0; c < cols; ++c) {
                int expected = 0;
                store.ForEachTextInColumn(c, [&](int r, const QString& text) {
                    ASSERT_EQ(text, model[size_t(r)][size_t(c)]);
                    ++expected;
                });
                EXPECT_EQ(expected, std::count_if(model.begin(), model.end(),
                                                  [c](const auto& cells) { return !cells[size_t(c)].isEmpty(); }));
            }
        }
    }
}

} // namespace
} // namespace vg
