// Sorting the data rows by columns: each display format's order with ties and empty cells,
// rows moving whole (hidden columns' cells, heights of their own, the current cell), the
// sort indicator and sorting by a title click, and a randomised run against a plain model.
#include "grid/VgGrid.h"

#include "common/VgSortKeys.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Permutation.h"

#include "support/GridHarness.h"
#include "TestEnvironment.h"

#include <QCollator>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>

using namespace vg;
using namespace vg::test;

namespace {

// Grid column 1 holds the keys, column 2 names each row by its place before the sort.
struct SortGrid {
    TVelkoGrid Grid;

    explicit SortGrid(const QStringList& keys)
    {
        Grid.SetColumnCount(4);
        Grid.SetRowCount(int(keys.size()) + 1);
        for (int i = 0; i < keys.size(); ++i) {
            Grid.SetCells(1, i + 1, keys[i]);
            Grid.SetCells(2, i + 1, QString::number(i));
        }
    }
    // The rows' former places, top to bottom, as "3 1 0 2".
    QString Places() const
    {
        QStringList places;
        for (int row = 1; row < Grid.RowCount(); ++row)
            places << Grid.Cells(2, row);
        return places.join(u' ');
    }
};

} // namespace

TEST(VelkoGridSorting, EachDisplayFormatOrdersByValueWithTiesKeptAndEmptyCellsLast)
{
    const auto format = [](TvgFormatType type, int date = 2, int time = -1) {
        return [=](TvgColumn& c) {
            c.SetFormatType(type);
            c.SetDateFormat(date);
            c.SetTimeFormat(time);
        };
    };
    struct Case {
        const char* Name;
        std::function<void(TvgColumn&)> Format;
        QStringList Keys;
        QString Ascending;
        QString Descending;
    };
    // Each case holds values that compare otherwise as text ("1E3" before "10", "9/1/2020"
    // before "10/1/2019"), a tie, an empty cell and a text that is no value.
    const Case cases[] = {
        {"text", format(vgfmtNone),
         {"Item 10", "item 9", "", "Item 9", "apple", "Item 9", "Banana"},
         "4 6 1 3 5 0 2", "0 3 5 1 6 4 2"},
        {"numbers", format(vgfmtNumeric),
         {"10", "9.5", "", "-3", "9.5", "n/a", "1E3"},
         "3 1 4 0 6 5 2", "6 0 1 4 3 5 2"},
        {"scientific", format(vgfmtScientific),
         {"2.5E-3", "1", "", "-1E2", "1.0"},
         "3 0 1 4 2", "1 4 0 3 2"},
        {"dates", format(vgfmtDateTime),
         {"9/1/2020", "10/1/2019", "", "1/15/2020", "9/1/2020", "someday"},
         "1 3 0 4 5 2", "0 4 3 1 5 2"},
        {"times", format(vgfmtDateTime, -1, 0),
         {"1:00 PM", "9:30 AM", "", "12:15 AM", "1:00 PM"},
         "3 1 0 4 2", "0 4 1 3 2"},
        {"dates with times", format(vgfmtDateTime, 2, 0),
         {"1/2/2020 1:00 PM", "1/2/2020 9:00 AM", "", "12/1/2019"},
         "3 1 0 2", "0 1 3 2"},
    };
    for (const Case& c : cases) {
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            SortGrid grid(c.Keys);
            c.Format(*grid.Grid.GetVisibleColumn(1));
            grid.Grid.SortByColumn(1, order);
            EXPECT_EQ(grid.Places(), order == Qt::AscendingOrder ? c.Ascending : c.Descending)
                << c.Name << (order == Qt::AscendingOrder ? ", ascending" : ", descending");
            EXPECT_EQ(grid.Grid.SortIndicatorColumn(), grid.Grid.GetVisibleColumn(1));
            EXPECT_EQ(grid.Grid.SortIndicatorOrder(), order);
        }
    }
}

TEST(VelkoGridSorting, SeveralKeysAndRefusedArguments)
{
    SortGrid grid({"b", "a", "b", "a", ""});
    const QStringList second{"1", "2", "5", "7", "3"};
    for (int row = 1; row < grid.Grid.RowCount(); ++row)
        grid.Grid.SetCells(3, row, second[row - 1]);
    grid.Grid.GetVisibleColumn(3)->SetFormatType(vgfmtNumeric);
    grid.Grid.SortByColumns({{1, Qt::AscendingOrder}, {3, Qt::DescendingOrder}});
    // "a" (places 1, 3), "b" (0, 2), "" last; within a key the larger number first.
    EXPECT_EQ(grid.Places(), QStringLiteral("3 1 2 0 4"));

    // Nothing changes on a refused call.
    const QString before = grid.Places();
    EXPECT_THROW(grid.Grid.SortByColumn(4), EvgColumnIndexOutOfRange);
    EXPECT_THROW(grid.Grid.SortByColumns({{1, Qt::AscendingOrder}, {-1, Qt::AscendingOrder}}),
                 EvgColumnIndexOutOfRange);
    EXPECT_THROW(grid.Grid.ApplyRowOrder({0, 1, 2, 3}), EInvalidOperation);
    EXPECT_THROW(grid.Grid.ApplyRowOrder({0, 1, 2, 3, 3}), EInvalidOperation);
    EXPECT_THROW(grid.Grid.ApplyRowOrder({0, 1, 2, 3, 5}), EInvalidOperation);
    EXPECT_THROW(grid.Grid.ReorderRows(4, std::vector<int>{0, 1, 2}), EListError);
    TvgColumns foreign;
    EXPECT_THROW(grid.Grid.SetSortIndicator(foreign.Add(), Qt::AscendingOrder), EInvalidOperation);
    EXPECT_EQ(grid.Places(), before);
}

TEST(VelkoGridSorting, HiddenCellsAndOwnRowHeightsGoWithTheirRowsAndTheInverseOrderPutsThemBack)
{
    SortGrid grid({"c", "a", "b", ""});
    TVelkoGrid& g = grid.Grid;
    for (int row = 1; row < g.RowCount(); ++row)
        g.SetCells(3, row, QStringLiteral("hidden ") + g.Cells(1, row));
    g.SetRowHeights(2, 40); // "a"
    g.SetRowHeights(4, 33); // the empty key
    TvgColumn* hidden = g.GetVisibleColumn(3);
    hidden->SetVisible(false);
    std::vector<int> reported;
    g.OnRowsReordered = [&](TObject*, int First, const std::vector<int>& Order) {
        EXPECT_EQ(First, 1);
        reported = Order;
    };

    const std::vector<int> order = g.SortedRowOrder({{1, Qt::AscendingOrder}});
    EXPECT_EQ(order, (std::vector<int>{1, 2, 0, 3}));
    EXPECT_EQ(grid.Places(), QStringLiteral("0 1 2 3")) << "working out the order changes nothing";
    g.ApplyRowOrder(order);
    EXPECT_EQ(reported, order);
    EXPECT_EQ(grid.Places(), QStringLiteral("1 2 0 3"));
    EXPECT_EQ(hidden->Cols()->Get(1), QStringLiteral("hidden a"));
    EXPECT_EQ(hidden->Cols()->Get(3), QStringLiteral("hidden c"));
    EXPECT_EQ(hidden->Cols()->Get(4), QStringLiteral("hidden "));
    EXPECT_EQ((std::vector<int>{g.RowHeights(1), g.RowHeights(2), g.RowHeights(3), g.RowHeights(4)}),
              (std::vector<int>{40, g.DefaultRowHeight(), g.DefaultRowHeight(), 33}));

    g.ApplyRowOrder(InversePermutation(order));
    EXPECT_EQ(grid.Places(), QStringLiteral("0 1 2 3"));
    hidden->SetVisible(true);
    for (int row = 1; row < g.RowCount(); ++row)
        EXPECT_EQ(g.Cells(3, row), QStringLiteral("hidden ") + g.Cells(1, row)) << row;
    EXPECT_EQ(g.RowHeights(2), 40);
    EXPECT_EQ(g.RowHeights(4), 33);
}

TEST(VelkoGridSorting, TheCurrentRowFollowsItsContentAndTheEditorsTextCountsFirst)
{
    SortGrid grid({"d", "b", "c", "a"});
    TVelkoGrid& g = grid.Grid;
    g.SetOptions(g.Options() + TGridOptions{goEditing});
    ShowFocused(g);
    QStringList exits;
    g.OnExitCell = [&](TObject*, int ACol, int ARow, bool&) { exits << g.Cells(ACol, ARow); };
    g.SetCol(2);
    g.SetRow(4); // "a", place 3
    g.SetSelection(GridRect(2, 2, 2, 4));
    g.SortByColumn(1);
    EXPECT_EQ(grid.Places(), QStringLiteral("3 1 2 0"));
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Selection(), GridRect(2, 1, 2, 1)) << "a range of rows does not stay one";
    exits.clear();
    g.SetRow(2);
    EXPECT_EQ(exits.value(0), QStringLiteral("3")) << "the exit event reports the cell where its row went";

    // The text typed into "c" (now row 3) is written first and makes its row the first.
    g.SetCol(1);
    g.SetRow(3);
    g.SetEditorMode(true);
    ASSERT_NE(g.InplaceEditor(), nullptr);
    QTest::keyClick(g.InplaceEditor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(g.InplaceEditor(), QStringLiteral("0"));
    g.SortByColumn(1);
    EXPECT_EQ(grid.Places(), QStringLiteral("2 3 1 0"));
    EXPECT_EQ(g.Row(), 1);

    g.SetRow(3); // "b"
    g.SortByColumn(1, Qt::DescendingOrder);
    EXPECT_EQ(grid.Places(), QStringLiteral("0 1 3 2"));
    EXPECT_EQ(g.Cells(1, g.Row()), QStringLiteral("b"));
}

TEST(VelkoGridSorting, TheIndicatorIsDrawnThroughTheStyleOnlyWhereAndWhenItIsShown)
{
    SortGrid grid({"b", "a"});
    TVelkoGrid& g = grid.Grid;
    ShowFocused(g);
    for (int col = 0; col < g.ColCount(); ++col) {
        g.GetVisibleColumn(col)->SetCaption(QStringLiteral("T"));
        g.GetVisibleColumn(col)->SetTitleHAlignment(taLeftJustify);
    }
    const auto title = [&](int col) {
        const TRect r = g.CellRect(col, 0);
        return g.viewport()->grab().toImage().copy(r.ToQRect());
    };
    const QImage plain1 = title(1);
    const QImage plain2 = title(2);

    g.SortByColumn(1);
    EXPECT_EQ(title(1), plain1) << "not shown until switched on";
    g.SetSortIndicatorShown(true);
    const QImage up = title(1);
    EXPECT_NE(up, plain1);
    EXPECT_EQ(title(2), plain2);
    // The mark sits at the right edge; the caption at the left stays as it was.
    const QRect caption(0, 0, up.width() / 3, up.height());
    EXPECT_EQ(up.copy(caption), plain1.copy(caption));
    g.SortByColumn(1, Qt::DescendingOrder);
    EXPECT_NE(title(1), up);
    EXPECT_NE(title(1), plain1);

    // The indicator belongs to the column object: it moves with it and goes with it.
    TvgColumn* keys = g.GetVisibleColumn(1);
    g.MoveColumn(1, 3);
    EXPECT_EQ(g.SortIndicatorColumn(), keys);
    EXPECT_EQ(title(1), plain2);
    g.SetSortIndicator(nullptr, Qt::AscendingOrder);
    EXPECT_EQ(title(3), plain1);
    g.SetSortIndicator(keys, Qt::AscendingOrder);
    delete keys;
    EXPECT_EQ(g.SortIndicatorColumn(), nullptr);
    g.SortByIndicator(); // nothing to sort by
}

TEST(VelkoGridSorting, ATitleClickSortsWhenAllowedAndAgainReversesTheOrder)
{
    SortGrid grid({"b", "c", "a"});
    TVelkoGrid& g = grid.Grid;
    g.SetRowHeights(0, 40);
    g.Headings()->Add()->SetCaption(QStringLiteral("Group"));
    g.GetVisibleColumn(3)->SetHeadingIndex(0);
    g.SetCells(3, 1, QStringLiteral("z"));
    ShowFocused(g, {500, 300});
    bool veto = false;
    QStringList log;
    g.OnBeforeFixedCellClick = [&](TObject*, int, int, int, bool& CanClick) { CanClick = !veto; };
    g.OnFixedCellClick = [&](TObject*, int ACol, int, int, TMouseButton, TShiftState, int, int) {
        log << QStringLiteral("%1: %2").arg(ACol).arg(grid.Places());
    };
    const auto click = [&](int col, int y) {
        const TRect r = g.CellRect(col, 0);
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint((r.Left + r.Right) / 2, r.Top + y));
    };

    click(1, 30);
    EXPECT_EQ(grid.Places(), QStringLiteral("0 1 2")) << "off by default";
    g.SetSortOnTitleClick(true);
    click(1, 30);
    click(1, 30);
    veto = true;
    click(1, 30);
    veto = false;
    click(3, 8);  // a heading
    click(0, 30); // the fixed column's title
    click(3, 30);
    EXPECT_EQ(log, (QStringList{"1: 0 1 2", "1: 2 0 1", "1: 1 0 2", "3: 1 0 2", "0: 1 0 2", "3: 0 1 2"}));
    EXPECT_EQ(g.SortIndicatorColumn(), g.GetVisibleColumn(3));
    EXPECT_EQ(g.SortIndicatorOrder(), Qt::AscendingOrder);
}

TEST(VelkoGridSorting, RandomSortsAndReordersAgreeWithAPlainModel)
{
    // Rows of (number, text, date, hidden id, height); the grid against a plain vector.
    struct Row {
        QString Number, Text, Date, Id;
        int Height;
    };
    std::mt19937 random(20240607);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const QStringList words{"alpha", "Alpha", "beta", "item 2", "item 10", "Item 9", "zeta", "n/a"};
    std::vector<Row> model;
    TVelkoGrid g;
    g.SetColumnCount(5);
    const int rows = 300;
    g.SetRowCount(rows + 1);
    g.GetVisibleColumn(1)->SetFormatType(vgfmtNumeric);
    g.GetVisibleColumn(3)->SetFormatType(vgfmtDateTime);
    for (int i = 0; i < rows; ++i) {
        Row r;
        r.Number = pick(6) == 0 ? QString() : pick(9) == 0 ? QStringLiteral("n/a") : QString::number(pick(40) - 20.5);
        r.Text = pick(6) == 0 ? QString() : words[pick(int(words.size()))];
        r.Date = pick(6) == 0 ? QString() : QStringLiteral("%1/%2/20%3").arg(1 + pick(12)).arg(1 + pick(28)).arg(10 + pick(3));
        r.Id = QString::number(i);
        r.Height = pick(4) == 0 ? 30 + pick(10) : g.DefaultRowHeight();
        model.push_back(r);
        g.SetCells(1, i + 1, r.Number);
        g.SetCells(2, i + 1, r.Text);
        g.SetCells(3, i + 1, r.Date);
        g.SetCells(4, i + 1, r.Id);
        if (r.Height != g.DefaultRowHeight())
            g.SetRowHeights(i + 1, r.Height);
    }
    TvgColumn* ids = g.GetVisibleColumn(4);
    ids->SetVisible(false);

    // The model compares by its own reading: numbers and dates parsed here, text by the
    // collator's compare (not its sort keys).
    QCollator collator(QLocale(QLocale::English, QLocale::UnitedStates));
    collator.setNumericMode(true);
    const auto value = [](int field, const QString& s, double& v) {
        if (field == 0) {
            bool ok = false;
            v = s.toDouble(&ok);
            return ok;
        }
        const QStringList parts = s.split(u'/');
        if (field != 2 || parts.size() != 3)
            return false;
        v = parts[2].toInt() * 10000 + parts[0].toInt() * 100 + parts[1].toInt();
        return true;
    };
    const auto field = [](const Row& r, int f) { return f == 0 ? r.Number : f == 1 ? r.Text : r.Date; };
    const auto compare = [&](const Row& a, const Row& b, int f, Qt::SortOrder order) {
        const QString x = field(a, f), y = field(b, f);
        double vx = 0, vy = 0;
        const int rx = x.isEmpty() ? 2 : value(f, x, vx) ? 0 : 1;
        const int ry = y.isEmpty() ? 2 : value(f, y, vy) ? 0 : 1;
        if (rx != ry)
            return rx < ry ? -1 : 1;
        const int c = rx == 0 ? (vx < vy ? -1 : vy < vx ? 1 : 0) : rx == 1 ? collator.compare(x, y) : 0;
        return order == Qt::DescendingOrder ? -c : c;
    };

    for (int round = 0; round < 40; ++round) {
        if (round % 5 == 4) {
            // A reorder and its inverse, as an undone sort would make them.
            std::vector<int> order(static_cast<size_t>(rows));
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), random);
            g.ApplyRowOrder(order);
            std::vector<Row> moved;
            for (int from : order)
                moved.push_back(model[size_t(from)]);
            model = moved;
        } else {
            std::vector<TvgSortColumn> keys;
            for (int k = 0, n = 1 + pick(3); k < n; ++k)
                keys.push_back({1 + pick(3), pick(2) ? Qt::AscendingOrder : Qt::DescendingOrder});
            g.SortByColumns(keys);
            std::stable_sort(model.begin(), model.end(), [&](const Row& a, const Row& b) {
                for (const TvgSortColumn& key : keys)
                    if (const int c = compare(a, b, key.Col - 1, key.Order); c != 0)
                        return c < 0;
                return false;
            });
        }
        for (int i = 0; i < rows; ++i) {
            const Row& r = model[size_t(i)];
            const int row = i + 1;
            ASSERT_EQ(g.Cells(1, row) + u'|' + g.Cells(2, row) + u'|' + g.Cells(3, row) + u'|' +
                          ids->Cols()->Get(row),
                      r.Number + u'|' + r.Text + u'|' + r.Date + u'|' + r.Id)
                << "round " << round << ", row " << row;
            ASSERT_EQ(g.RowHeights(row), r.Height) << "round " << round << ", row " << row;
        }
    }
}
