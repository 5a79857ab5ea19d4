// What a careless or hostile application can do to a string grid: sizes at the limits of
// int, zero-width columns by the billion, cells larger than any screen, colours that are
// no colours, handlers that change the grid under the grid's feet, and form files that
// the grid refuses. Each is answered with the library's own exception or a sensible
// limit, and nothing the grid held is changed or lost.
#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"
#include "platform/hostgrid/InplaceEdit.h"
#include "platform/hostgrid/StringGrid.h"

#include <QImage>

#include "support/GridHarness.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

namespace vg::test {
namespace {

// A grid exposing the editor's cell, so tests can tell what an edit writes.
class TEditedGrid : public TStringGrid {
public:
    using TStringGrid::InplaceCell;
    using TStringGrid::TStringGrid;
};

struct TRefusal {
    const char* What;
    std::function<void(TStringGrid&)> Do;
};

TEST(GridHardening, SizesBeyondTheLargestCellAreRefusedAndChangeNothing)
{
    const TRefusal refusals[] = {
        {"a column wider than any widget", [](TStringGrid& g) { g.SetColWidths(1, INT_MAX); }},
        {"a row just past the limit", [](TStringGrid& g) { g.SetRowHeights(1, MaxGridExtent + 1); }},
        {"a default row height of INT_MAX", [](TStringGrid& g) { g.SetDefaultRowHeight(INT_MAX); }},
        {"a default column width of INT_MAX", [](TStringGrid& g) { g.SetDefaultColWidth(INT_MAX); }},
        {"grid lines of INT_MAX", [](TStringGrid& g) { g.SetGridLineWidth(INT_MAX); }},
        {"a font of INT_MIN pixels", [](TStringGrid& g) { g.Font().SetHeight(INT_MIN); }},
        {"a font of 1610612736 points", [](TStringGrid& g) { g.Font().SetSize(1610612736); }},
        {"a colour with a stray high bit", [](TStringGrid& g) { g.Font().SetColor(TColor(0x80000000u)); }},
        {"system colour 25, which has no role", [](TStringGrid& g) { g.SetColor(SystemColor(25)); }},
        {"a fixed colour of -2", [](TStringGrid& g) { g.SetFixedColor(-2); }},
    };
    for (const TRefusal& refusal : refusals) {
        SCOPED_TRACE(refusal.What);
        TStringGrid grid;
        const QString before = WriteComponentToText(grid);
        EXPECT_THROW(refusal.Do(grid), Exception);
        EXPECT_EQ(WriteComponentToText(grid), before);
    }

    // The largest sizes themselves are fine, and a grid of them lays out without overflow.
    TStringGrid grid;
    grid.SetFixedCols(4);
    grid.SetDefaultColWidth(MaxGridExtent);
    grid.SetGridLineWidth(MaxGridExtent);
    grid.Font().SetHeight(-TFont::MaxHeight);
    ShowFocused(grid, {300, 200});
    grid.viewport()->grab();
    EXPECT_EQ(grid.VisibleColCount(), 1);
    EXPECT_GE(grid.CellRect(0, 0).Right, 0);
    EXPECT_TRUE(grid.CellRect(4, 1).IsEmpty());
}

TEST(GridHardening, AFormWithAnImpossibleSizeOrColourIsRefusedNamingTheLine)
{
    for (const char* line : {"DefaultRowHeight = 2147483647", "Color = -2147483648", "Font.Height = -2147483648",
                             "GridLineWidth = 16777216"}) {
        SCOPED_TRACE(line);
        const QString text = QStringLiteral("object Grid1: TStringGrid\n  %1\nend\n").arg(QLatin1String(line));
        try {
            ReadComponentFromText(text);
            ADD_FAILURE() << "accepted";
        } catch (const EReadError& e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Line 2:"))) << e.Message().toStdString();
        }
    }
}

TEST(GridHardening, ABillionColumnsOfNoWidthCostNoMoreThanAFew)
{
    // Every column takes no room at all: neither scrolling nor painting may walk them.
    const std::unique_ptr<TComponent> read = ReadComponentFromText(QStringLiteral(
        "object Grid1: TStringGrid\n  ColCount = 2147483647\n  DefaultColWidth = 0\n  Options = []\nend\n"));
    auto& grid = dynamic_cast<TStringGrid&>(*read);
    ShowFocused(grid, {400, 300});
    grid.viewport()->grab();
    EXPECT_EQ(grid.VisibleColCount(), INT_MAX - 1);
    EXPECT_EQ(grid.MouseCoord(10, 10), (TGridCoord{-1, -1}));
    grid.SetLeftCol(INT_MAX - 1);
    grid.SetCol(INT_MAX - 1);
    EXPECT_EQ(grid.Col(), INT_MAX - 1);

    // A billion fixed rows of no height, and grid lines after all.
    grid.SetRowCount(INT_MAX);
    grid.SetDefaultRowHeight(0);
    grid.SetFixedRows(INT_MAX - 1);
    grid.viewport()->grab();
    EXPECT_EQ(grid.Row(), INT_MAX - 1);
    grid.SetOptions(DefaultGridOptions);
    grid.viewport()->grab();
    EXPECT_EQ(grid.MouseCoord(0, 0), (TGridCoord{0, 0}));

    // One column with a width among two million without: found wherever it is, and shown.
    TStringGrid sparse;
    sparse.SetOptions({});
    sparse.SetColCount(2000000);
    sparse.SetDefaultColWidth(0);
    sparse.SetColWidths(1000000, 50);
    ShowFocused(sparse, {400, 300});
    EXPECT_EQ(sparse.CellRect(1000000, 1).Left, 0);
    EXPECT_EQ(sparse.MouseCoord(10, 30), (TGridCoord{1000000, 1}));
    sparse.SetLeftCol(1999999);
    EXPECT_EQ(sparse.LeftCol(), 1000000); // nothing after it takes room
    sparse.SetCells(1000000, 1, QStringLiteral("found"));
    sparse.viewport()->grab();
    EXPECT_EQ(sparse.Cells(1000000, 1), QStringLiteral("found"));

    // Sizes of their own are kept cell by cell, so not for billions of cells.
    TStringGrid custom;
    custom.SetRowHeights(1, 30);
    EXPECT_THROW(custom.SetRowCount(INT_MAX), EInvalidOperation);
    EXPECT_EQ(custom.RowCount(), 5);
    custom.SetRowCount(1000);
    EXPECT_EQ(custom.RowHeights(1), 30);
    TStringGrid huge;
    huge.SetRowCount(INT_MAX);
    EXPECT_THROW(huge.SetRowHeights(1, 30), EInvalidOperation);
    EXPECT_EQ(huge.RowHeights(1), 24);
}

TEST(GridHardening, ACellLargerThanTheScreenPaintsOnlyWhatIsShown)
{
    TStringGrid grid;
    grid.SetDefaultColWidth(1000000);
    grid.SetRowHeights(3, 3000);
    grid.SetCells(1, 3, QStringLiteral("far and wide"));
    ShowFocused(grid, {640, 480});
    grid.SetRow(3);
    // Before, one paint asked the style for a 12 GB picture of the fixed cell's face.
    const QImage image = grid.viewport()->grab().toImage();
    EXPECT_EQ(image.size(), QSize(grid.viewport()->size()));
    EXPECT_TRUE(grid.CellRect(1, 3).IsEmpty()); // the fixed column fills the viewport
}

TEST(GridHardening, AHandlerThatShrinksTheGridWhileACellIsSelectedLeavesAValidCell)
{
    TEditedGrid grid;
    grid.SetRowCount(10);
    grid.SetOptions(grid.Options() + TGridOptions{goEditing});
    ShowFocused(grid);
    grid.OnSelectCell = [&](TObject*, int, int, bool&) { grid.SetRowCount(2); };
    EXPECT_THROW(grid.SetRow(8), EListError);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Row(), 1);
    grid.OnSelectCell = nullptr;
    grid.ShowEditor();
    EXPECT_EQ(grid.InplaceCell(), (TGridCoord{1, 1}));

    // A handler that makes the target a fixed cell is refused the same way.
    grid.SetRowCount(10);
    grid.OnSelectCell = [&](TObject*, int, int, bool&) { grid.SetFixedRows(9); };
    EXPECT_THROW(grid.SetRow(5), EListError);
    EXPECT_EQ(grid.Row(), 9);
}

TEST(GridHardening, HandlersThatResizeTheGridWhilePaintingStopThatPaint)
{
    TStringGrid grid;
    grid.SetRowCount(40);
    ShowFocused(grid, {400, 300});
    int drawn = 0;
    grid.OnDrawCell = [&](TObject*, int, int, const TRect&, TGridDrawState) {
        ++drawn;
        if (grid.RowCount() > 2)
            grid.SetRowCount(2);
    };
    grid.viewport()->grab();
    EXPECT_EQ(drawn, 1); // the rest waits for a paint of the grid as it is now
    EXPECT_EQ(grid.RowCount(), 2);
    drawn = 0;
    grid.viewport()->grab();
    EXPECT_EQ(drawn, 10);
}

TEST(GridHardening, OpeningAndClosingTheEditorKeepsTheCellsExactText)
{
    TEditedGrid grid;
    grid.SetOptions(grid.Options() + TGridOptions{goEditing});
    ShowFocused(grid);
    for (const QString& text : {QStringLiteral("a\r\nb"), QStringLiteral("lone\rreturn"), QStringLiteral("p\u2029q"),
                                QStringLiteral("no\u00a0break"), QStringLiteral("\r\n\r\n")}) {
        SCOPED_TRACE(text.toStdString());
        grid.SetCells(1, 1, text);
        int writes = 0;
        grid.OnSetEditText = [&](TObject*, int, int, const QString&) { ++writes; };
        grid.ShowEditor();
        ASSERT_TRUE(grid.InplaceEditor()->isVisible());
        grid.HideEditor();
        EXPECT_EQ(grid.Cells(1, 1), text);
        EXPECT_EQ(writes, 0);

        // Typing and taking it back again leaves the text as it was, too.
        grid.ShowEditor();
        grid.InplaceEditor()->Deselect();
        grid.InplaceEditor()->TypeText(QStringLiteral("x"));
        grid.InplaceEditor()->textCursor().deletePreviousChar();
        grid.HideEditor();
        EXPECT_EQ(grid.Cells(1, 1), text);
        grid.OnSetEditText = nullptr;
    }
    // A real edit is written as the editor holds it.
    grid.ShowEditor();
    grid.InplaceEditor()->TypeText(QStringLiteral("new"));
    grid.HideEditor();
    EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("new"));
}

TEST(GridHardening, ACellChangedUnderTheOpenEditorKeepsItsNewText)
{
    TEditedGrid grid;
    grid.SetOptions(grid.Options() + TGridOptions{goEditing});
    ShowFocused(grid);
    grid.SetCells(1, 1, QStringLiteral("old"));
    grid.ShowEditor();
    grid.SetCells(1, 1, QStringLiteral("new"));
    EXPECT_EQ(grid.InplaceEditor()->Text(), QStringLiteral("new"));
    grid.SetCol(2);
    EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("new"));

    // When the editor cannot take the cell's new text, the edit ends without writing.
    grid.SetCol(1);
    grid.ShowEditor();
    grid.InplaceEditor()->TypeText(QStringLiteral("stale"));
    grid.OnGetEditText = [](TObject*, int, int, QString&) { throw EConvertError(QStringLiteral("no text")); };
    EXPECT_THROW(grid.SetCells(1, 1, QStringLiteral("newer")), EConvertError);
    grid.OnGetEditText = nullptr;
    EXPECT_EQ(grid.InplaceCell(), (TGridCoord{-1, -1}));
    grid.SetCol(2);
    EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("newer"));
}

TEST(GridHardening, ARowWrittenAtOnceRefusesBadColumnsWholeAndReachesTheEditor)
{
    TEditedGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(3);
    const auto snapshot = [&grid] {
        QStringList cells;
        for (int r = 0; r < grid.RowCount(); ++r)
            for (int c = 0; c < grid.ColCount(); ++c)
                cells << grid.Cells(c, r);
        return cells;
    };
    grid.SetCells(2, 1, QStringLiteral("kept"));
    const QStringList before = snapshot();
    const QString a = QStringLiteral("a");
    const struct {
        const char* What;
        int Row;
        std::vector<TCellText> Cells;
    } refused[] = {
        {"columns out of order", 1, {{1, a}, {0, a}}},
        {"a column twice", 1, {{1, a}, {1, a}}},
        {"a column past the last", 1, {{0, a}, {4, a}}},
        {"a negative column", 1, {{-1, a}}},
        {"a row past the last", 3, {{0, a}}},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.What);
        EXPECT_THROW(grid.SetRowCells(r.Row, r.Cells), EListError);
        EXPECT_EQ(snapshot(), before);
    }

    // Cells not named keep their texts; an empty text empties its cell; the open editor
    // shows what its cell was given.
    grid.SetOptions(grid.Options() + TGridOptions{goEditing});
    ShowFocused(grid);
    grid.SetCol(3);
    grid.SetRow(1);
    grid.ShowEditor();
    const std::vector<TCellText> cells = {{0, a}, {1, QString()}, {3, QStringLiteral("new")}};
    grid.SetRowCells(1, cells);
    EXPECT_EQ(grid.Rows(1).CommaText(), QStringLiteral("a,\"\",kept,new"));
    EXPECT_EQ(grid.InplaceEditor()->Text(), QStringLiteral("new"));
}

TEST(GridHardening, ARefusedFormLeavesTheGridExactlyAsItWas)
{
    TStringGrid grid;
    grid.SetName(QStringLiteral("Grid1"));
    grid.SetColCount(8);
    grid.SetRowCount(100);
    for (int row = 0; row < 100; ++row)
        grid.SetCells(row % 8, row, QString::number(row));
    const QString before = WriteComponentToText(grid);

    // The form of a default-sized grid with one custom width: right for the grid it came
    // from, wrong for this one.
    TStringGrid small;
    small.SetColWidths(2, 90);
    small.SetName(QStringLiteral("Other"));
    const QString form = WriteComponentToText(small);
    EXPECT_THROW(ReadComponentInto(form, grid), EReadError);
    EXPECT_FALSE(grid.IsLoading());
    EXPECT_EQ(grid.Name(), QStringLiteral("Grid1"));
    EXPECT_EQ(WriteComponentToText(grid), before);
    for (int row = 0; row < 100; ++row)
        EXPECT_EQ(grid.Cells(row % 8, row), QString::number(row));

    // A form that fits is read as before.
    ReadComponentInto(QStringLiteral("object Grid1: TStringGrid\n  ColCount = 8\n  RowCount = 100\n  ColWidths = (1 2 3 4 5 6 7 8)\nend\n"), grid);
    EXPECT_EQ(grid.ColWidths(7), 8);
    EXPECT_EQ(grid.Cells(3, 99), QStringLiteral("99"));
}

TEST(GridHardening, AnEmptyFontNameIsTheDefaultName)
{
    TStringGrid grid;
    grid.Font().SetName(QString());
    EXPECT_EQ(grid.Font().Name(), TFont::DefaultName);
    grid.Font().SetName(QStringLiteral("DejaVu Serif"));
    const QString text = WriteComponentToText(grid);
    ReadComponentInto(QString(text).replace(QStringLiteral("'DejaVu Serif'"), QStringLiteral("''")), grid);
    EXPECT_EQ(grid.Font().Name(), TFont::DefaultName);
}

} // namespace
} // namespace vg::test
