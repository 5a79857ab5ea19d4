// String grids in form files: the published properties and the column widths and row
// heights written and read back, the order that lets counts come before widths, and the
// refusal of width lists that do not fit the grid, which leaves the grid and its cells as
// they were.
#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"
#include "platform/hostgrid/StringGrid.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace vg {
namespace {

std::unique_ptr<TStringGrid> ReadGrid(const QString& text)
{
    std::unique_ptr<TComponent> component = ReadComponentFromText(text);
    auto* grid = dynamic_cast<TStringGrid*>(component.get());
    if (!grid)
        return nullptr;
    component.release();
    return std::unique_ptr<TStringGrid>(grid);
}

TEST(GridForm, ADefaultGridWritesNoProperty)
{
    TStringGrid grid;
    grid.SetName(QStringLiteral("Grid1"));
    EXPECT_EQ(WriteComponentToText(grid), QStringLiteral("object Grid1: TStringGrid\nend\n"));
}

TEST(GridForm, CountsLooksOptionsAndWidthsSurviveARoundTrip)
{
    TStringGrid grid;
    grid.SetName(QStringLiteral("Grid1"));
    grid.SetColCount(3);
    grid.SetFixedCols(0);
    grid.SetRowCount(7);
    grid.SetFixedRows(2);
    grid.SetDefaultColWidth(50);
    grid.SetColWidths(1, 80);
    grid.SetRowHeights(6, 30);
    grid.SetGridLineWidth(2);
    grid.SetOptions(grid.Options() + TGridOptions{goEditing, goColSizing} - TGridOptions{goRangeSelect});
    grid.SetColor(clYellow);
    grid.SetFixedColor(clRed);
    grid.SetDefaultDrawing(false);
    grid.Font().SetStyle({fsBold});

    const QString text = WriteComponentToText(grid);
    // Counts come before the fixed counts, and the widths after every published property.
    EXPECT_LT(text.indexOf(QStringLiteral("ColCount")), text.indexOf(QStringLiteral("FixedCols")));
    EXPECT_LT(text.indexOf(QStringLiteral("RowCount")), text.indexOf(QStringLiteral("FixedRows")));
    EXPECT_LT(text.indexOf(QStringLiteral("Font.Style")), text.indexOf(QStringLiteral("ColWidths")));
    EXPECT_TRUE(text.contains(QStringLiteral("Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goColSizing, goEditing]")));

    const std::unique_ptr<TStringGrid> copy = ReadGrid(text);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->ColCount(), 3);
    EXPECT_EQ(copy->FixedCols(), 0);
    EXPECT_EQ(copy->RowCount(), 7);
    EXPECT_EQ(copy->FixedRows(), 2);
    EXPECT_EQ(copy->DefaultColWidth(), 50);
    EXPECT_EQ(copy->ColWidths(0), 50);
    EXPECT_EQ(copy->ColWidths(1), 80);
    EXPECT_EQ(copy->RowHeights(5), 24);
    EXPECT_EQ(copy->RowHeights(6), 30);
    EXPECT_EQ(copy->GridLineWidth(), 2);
    EXPECT_EQ(copy->Options(), grid.Options());
    EXPECT_EQ(copy->Color(), clYellow);
    EXPECT_EQ(copy->FixedColor(), clRed);
    EXPECT_FALSE(copy->DefaultDrawing());
    EXPECT_EQ(copy->Font().Style(), TFontStyles{fsBold});
    EXPECT_EQ(WriteComponentToText(*copy), text);
}

TEST(GridForm, WidthsAreWrittenOnlyWhenOneDiffersFromTheDefault)
{
    TStringGrid grid;
    grid.SetColWidths(2, 64);
    grid.SetDefaultRowHeight(30);
    const QString text = WriteComponentToText(grid);
    EXPECT_FALSE(text.contains(QStringLiteral("ColWidths")));
    EXPECT_FALSE(text.contains(QStringLiteral("RowHeights")));
    EXPECT_TRUE(text.contains(QStringLiteral("DefaultRowHeight = 30")));
}

TEST(GridForm, WidthListsThatDoNotFitTheGridAreRefusedWithTheirLine)
{
    const QString head = QStringLiteral("object Grid1: TStringGrid\n  ColCount = 3\n");
    const auto readError = [&](const QString& entry) {
        try {
            ReadComponentFromText(head + entry + QStringLiteral("end\n"));
        } catch (const EReadError& e) {
            return e.Message();
        }
        return QStringLiteral("no error");
    };
    EXPECT_EQ(readError(QStringLiteral("  ColWidths = (\n    10\n    20)\n")),
              QStringLiteral("Line 3: ColWidths holds 2 entries for 3 cells"));
    EXPECT_EQ(readError(QStringLiteral("  ColWidths = (10 -20 30)\n")),
              QStringLiteral("Line 3: expected a size in pixels in ColWidths but found the integer -20"));
    EXPECT_TRUE(readError(QStringLiteral("  RowHeights = 5\n")).startsWith(QStringLiteral("Line 3: expected a list of integers")));
    EXPECT_TRUE(readError(QStringLiteral("  FixedCols = 3\n")).startsWith(QStringLiteral("Line 3: FixedCols:")));

    // Reading into an existing grid leaves it as it was, with the cells in the columns and
    // rows the read took away before it was refused (cells are not in the form).
    TStringGrid grid;
    grid.SetCells(4, 4, QStringLiteral("last"));
    grid.SetCells(1, 1, QStringLiteral("kept"));
    for (const QString& refused : {QStringLiteral("  ColWidths = (1 2)\n"), QStringLiteral("  RowCount = 2\n  FixedRows = 2\n")}) {
        SCOPED_TRACE(refused.toStdString());
        EXPECT_THROW(ReadComponentInto(head + refused + QStringLiteral("end\n"), grid), EReadError);
        EXPECT_EQ(grid.ColCount(), 5);
        EXPECT_EQ(grid.RowCount(), 5);
        EXPECT_EQ(grid.ColWidths(0), 64);
        EXPECT_EQ(grid.Cells(4, 4), QStringLiteral("last"));
        EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("kept"));
    }
}

} // namespace
} // namespace vg
