#include "TestEnvironment.h"

#include "OrderColumns.h"
#include "OrdersPage.h"

#include "grid/VgGrid.h"
#include "platform/graphics/ImageList.h"
#include "platform/locale/Conversions.h"

#include <QAction>

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
