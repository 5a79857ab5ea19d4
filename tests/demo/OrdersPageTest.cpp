#include "TestEnvironment.h"

#include "OrderColumns.h"
#include "OrdersPage.h"

#include "common/VgSortKeys.h"
#include "grid/VgGrid.h"
#include "platform/graphics/ImageList.h"
#include "platform/locale/Conversions.h"

#include <QAction>
#include <QHash>
#include <QRegularExpression>

#include "support/GridHarness.h"

#include <gtest/gtest.h>

using namespace vg;
using namespace vg::demo;

namespace {

// Puts other regional settings in force for the length of a scope.
class SettingsScope {
public:
    explicit SettingsScope(const TFormatSettings& settings) : FOld(FormatSettings()) { SetFormatSettings(settings); }
    ~SettingsScope() { SetFormatSettings(FOld); }

private:
    TFormatSettings FOld;
};

TFormatSettings DayFirstSettings()
{
    TFormatSettings fs = FormatSettings();
    fs.DecimalSeparator = u',';
    fs.ThousandSeparator = u'.';
    fs.DateSeparator = u'.';
    fs.ShortDateFormat = QStringLiteral("dd.mm.yyyy");
    return fs;
}

TvgColumn* ColumnCaptioned(const TVelkoGrid& grid, const QString& caption)
{
    for (int i = 0; i < grid.Columns()->Count(); ++i) {
        if (grid.Columns()->GetColumn(i)->Caption() == caption)
            return grid.Columns()->GetColumn(i);
    }
    return nullptr;
}

int GridColumnOf(const TVelkoGrid& grid, const QString& caption)
{
    return grid.GridColumnForColumnObject(ColumnCaptioned(grid, caption));
}

} // namespace

TEST(OrderCells, DatesAndNumbersReadBackUnderTheSettingsInForce)
{
    for (const TFormatSettings& settings : {FormatSettings(), DayFirstSettings()}) {
        const SettingsScope scope(settings);
        const QString date = CellTextOf(QStringLiteral("2024-03-05"), CellValueKind::Date);
        EXPECT_EQ(StrToDate(date), EncodeDate(2024, 3, 5)) << date.toStdString();
        const QString number = CellTextOf(-1234.5, CellValueKind::Number);
        EXPECT_EQ(StrToFloat(number), -1234.5) << number.toStdString();
    }
    EXPECT_EQ(CellTextOf(QVariant(), CellValueKind::Number), QString());
    EXPECT_EQ(CellTextOf(QStringLiteral("05/03/2024"), CellValueKind::Date), QString());
    EXPECT_EQ(CellTextOf(QStringLiteral("O'Reilly"), CellValueKind::Text), QStringLiteral("O'Reilly"));
}

TEST(OrdersPage, LoadsEveryLineWithTheInternalIdHidden)
{
    const OrdersPage page;
    const TVelkoGrid& grid = *page.Grid();
    EXPECT_EQ(page.OrderCount(), 3000);
    EXPECT_EQ(grid.RowCount(), 3001);
    EXPECT_EQ(grid.ColCount(), grid.GetVisibleColumnCount());
    EXPECT_EQ(grid.ColCount(), grid.Columns()->Count() - 1);
    EXPECT_EQ(GridColumnOf(grid, QStringLiteral("Internal id")), -1);
    EXPECT_EQ(grid.Cells(0, 1), QStringLiteral("1"));
    EXPECT_EQ(grid.Cells(GridColumnOf(grid, QStringLiteral("Status")), 17), QStringLiteral("Refunded"));
    EXPECT_EQ(StrToFloat(grid.Cells(GridColumnOf(grid, QStringLiteral("Line total")), 17)), -207.0);
    EXPECT_EQ(StrToDate(grid.Cells(GridColumnOf(grid, QStringLiteral("Ordered")), 1)), EncodeDate(2024, 1, 2));
}

TEST(OrdersPage, ViewActionShowsAndHidesTheInternalIdWithItsCells)
{
    const OrdersPage page;
    TVelkoGrid& grid = *page.Grid();
    QAction& action = *page.ShowInternalIdAction();
    ASSERT_TRUE(action.isCheckable());
    const int columns = grid.ColCount();

    action.setChecked(true);
    EXPECT_EQ(grid.ColCount(), columns + 1);
    // Back right after the line number, with the cells it had.
    EXPECT_EQ(GridColumnOf(grid, QStringLiteral("Internal id")), 1);
    EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("9E3779B1"));
    EXPECT_EQ(grid.Cells(GridColumnOf(grid, QStringLiteral("Status")), 17), QStringLiteral("Refunded"));

    action.setChecked(false);
    EXPECT_EQ(grid.ColCount(), columns);
    EXPECT_EQ(GridColumnOf(grid, QStringLiteral("Internal id")), -1);
}

TEST(OrdersPage, StatusCellsGetTheirDotAndNoOtherCellDoes)
{
    const OrdersPage page;
    TVelkoGrid& grid = *page.Grid();
    const int status = GridColumnOf(grid, QStringLiteral("Status"));
    const auto imageOf = [&](int col, int row, int heading) {
        TObject* source = nullptr;
        int index = -1;
        TvgImagePosition position = vgipLeft;
        TAlignment hAlign = taCenter;
        TvgVAlignment vAlign = vgvaCenter;
        int margin = 2;
        grid.OnGetCellImage(&grid, col, row, heading, source, index, position, hAlign, vAlign, margin);
        return std::pair{dynamic_cast<TCustomImageList*>(source), index};
    };

    const auto [list, refunded] = imageOf(status, 17, -1);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 4);
    EXPECT_EQ(refunded, 3); // statuses in their order: shipped, pending, cancelled, refunded
    EXPECT_EQ(imageOf(status, 1, -1).second, 0);
    EXPECT_EQ(imageOf(status, 0, -1).first, nullptr);      // the caption
    EXPECT_EQ(imageOf(status, 0, 0).first, nullptr);       // a heading band
    EXPECT_EQ(imageOf(status + 1, 17, -1).first, nullptr); // another column
}

TEST(OrdersPage, CellsShowInTheirColumnsFormats)
{
    const OrdersPage page;
    TVelkoGrid& grid = *page.Grid();
    EXPECT_EQ(grid.GetDisplayText(GridColumnOf(grid, QStringLiteral("Line total")), 17), QStringLiteral("($207.00)"));
    EXPECT_EQ(grid.GetDisplayText(GridColumnOf(grid, QStringLiteral("Unit price")), 5), QStringLiteral("$1,249.00"));
    EXPECT_EQ(grid.GetDisplayText(GridColumnOf(grid, QStringLiteral("Ordered")), 1), QStringLiteral("02-Jan-24"));
    EXPECT_EQ(grid.GetDisplayText(GridColumnOf(grid, QStringLiteral("Share of all turnover")), 17),
              QStringLiteral("-5.55E-05"));
}

namespace {

// The orders page on screen, for clicks.
struct ShownOrdersPage : ::testing::Test {
    OrdersPage Page;
    TVelkoGrid& Grid = *Page.Grid();

    void SetUp() override { vg::test::ShowFocused(Page, {1000, 600}); }
    // A point in a title's caption, below any heading band; and in a heading's band.
    QPoint Title(int col) const
    {
        const TRect r = Grid.CellRect(col, 0);
        return {(r.Left + r.Right) / 2, r.Bottom - 6};
    }
    QPoint Band(int col) const
    {
        const TRect r = Grid.CellRect(col, 0);
        return {(r.Left + r.Right) / 2, r.Top + 4};
    }
    void Click(QPoint at) { QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, at); }
    // The internal id (a hidden column) of each line, by the line's number.
    QHash<QString, QString> IdsByLine() const
    {
        QHash<QString, QString> ids;
        const TvgColumn* id = ColumnCaptioned(Grid, QStringLiteral("Internal id"));
        for (int row = 1; row < Grid.RowCount(); ++row)
            ids.insert(Grid.Cells(0, row), id->Cols()->Get(row));
        return ids;
    }
};

} // namespace

TEST_F(ShownOrdersPage, ClickingATitleSortsTheLinesAndClickingAgainReversesThem)
{
    const QHash<QString, QString> ids = IdsByLine();
    const int total = GridColumnOf(Grid, QStringLiteral("Line total"));
    for (const bool descending : {false, true}) {
        Click(Title(total));
        EXPECT_TRUE(Grid.SortIndicatorShown());
        EXPECT_EQ(Grid.SortIndicatorColumn(), Grid.GetVisibleColumn(total));
        EXPECT_EQ(Grid.SortIndicatorOrder(), descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        for (int row = 2; row < Grid.RowCount(); ++row) {
            const double above = StrToFloat(Grid.Cells(total, row - 1));
            const double here = StrToFloat(Grid.Cells(total, row));
            ASSERT_TRUE(descending ? above >= here : above <= here) << "row " << row;
        }
        EXPECT_EQ(IdsByLine(), ids); // the hidden column's cells went with their lines
    }
    // Another column: its own ascending order, the mark moved to it.
    const int name = GridColumnOf(Grid, QStringLiteral("Name"));
    Click(Title(name));
    EXPECT_EQ(Grid.SortIndicatorColumn(), Grid.GetVisibleColumn(name));
    EXPECT_EQ(Grid.SortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_LE(SortCollator().compare(Grid.Cells(name, 1), Grid.Cells(name, 2)), 0);
}

TEST_F(ShownOrdersPage, ClickingAHeadingSelectsItsColumnsAndALineTitleMakesItsLineCurrent)
{
    const int name = GridColumnOf(Grid, QStringLiteral("Name"));
    const int country = GridColumnOf(Grid, QStringLiteral("Country"));
    Click(Band(name + 1));
    EXPECT_EQ(Grid.Selection(), GridRect(name, 1, country, Grid.RowCount() - 1));
    // The page's lines are edited in place, so a line's title does not select a range.
    Click(QPoint(Title(0).x(), vg::test::CellCenter(Grid, 0, 4).y()));
    EXPECT_EQ(Grid.Row(), 4);
}

TEST_F(ShownOrdersPage, TheEditActionsInsertAndDeleteAtTheCurrentLine)
{
    const TvgColumn* id = ColumnCaptioned(Grid, QStringLiteral("Internal id"));
    const QString fifth = Grid.Cells(0, 5);
    const QString fifthId = id->Cols()->Get(5);
    Grid.SetRow(5);
    Page.InsertRowAction()->trigger();
    EXPECT_EQ(Grid.RowCount(), 3002);
    // A new line of the database, with its own hidden id; the lines below move down.
    EXPECT_EQ(Grid.Cells(0, 5), QStringLiteral("3001"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f]{8}$")).match(id->Cols()->Get(5)).hasMatch());
    EXPECT_EQ(Grid.Cells(0, 6), fifth);
    EXPECT_EQ(id->Cols()->Get(6), fifthId);
    Page.DeleteRowAction()->trigger();
    EXPECT_EQ(Grid.Cells(0, 5), fifth);
    EXPECT_EQ(id->Cols()->Get(5), fifthId);
    // The database went along: one line added and deleted again, then the fifth deleted
    // (the current line stays in its place).
    Page.DeleteRowAction()->trigger();
    Page.ReloadAction()->trigger();
    EXPECT_EQ(Grid.RowCount(), 3000);
    EXPECT_NE(Grid.Cells(0, 5), fifth);

    // The keys do the same while the grid has the focus; the last line cannot go.
    Grid.SetRowCount(3);
    QTest::keyClick(&Grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Grid.RowCount(), 2);
    EXPECT_FALSE(Page.DeleteRowAction()->isEnabled());
    QTest::keyClick(&Grid, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(Grid.RowCount(), 3);
    EXPECT_TRUE(Page.DeleteRowAction()->isEnabled());
}
