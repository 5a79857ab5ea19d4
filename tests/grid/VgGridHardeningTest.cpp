// What a careless or hostile application can do to a column-model grid: handlers that
// tear down the column model while it paints, saved widths no column can have, thousands
// of columns under one heading or added at once, forms that describe no column objects or
// that the grid refuses. Each ends with the library's own exception or a sensible limit,
// with nothing changed or lost.
#include "grid/VgGrid.h"

#include "platform/app/Application.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"

#include <QImage>

#include "support/GridHarness.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <climits>

namespace vg::test {
namespace {

// Counts what reaches the application's exception handler while it lives.
struct TCaughtByApplication {
    TCaughtByApplication()
    {
        Application().OnException = [this](const std::exception& e) { Messages << QString::fromUtf8(e.what()); };
    }
    ~TCaughtByApplication() { Application().OnException = nullptr; }
    QStringList Messages;
};

QImage Paint(TVelkoGrid& grid)
{
    return grid.viewport()->grab().toImage();
}

TEST(VelkoGridHardening, HandlersThatClearTheColumnModelWhileItPaintsTouchNothingFreed)
{
    TVelkoGrid grid;
    grid.SetRowCount(6);
    const auto linkHeading = [&] {
        if (grid.Headings()->Count() == 0)
            grid.Headings()->Add()->SetCaption(QStringLiteral("Group"));
        for (int i = 1; i < 4; ++i)
            grid.GetVisibleColumn(i)->SetHeadingIndex(0);
    };
    linkHeading();
    ShowFocused(grid, {400, 200});

    // Each handler clears a collection once, at a different step of painting a cell.
    bool cleared = false;
    const auto clearOnce = [&](TCollection* collection) {
        if (!cleared) {
            cleared = true;
            collection->Clear();
        }
    };
    const std::function<void()> installs[] = {
        [&] {
            grid.OnChangeCellAttributes = [&](TObject*, int, int, TvgHeading*, TvgCellStates, TColor&, TFont*,
                                              TAlignment&, TvgVAlignment&, TBevelCut&, TBevelCut&) {
                clearOnce(grid.Columns());
            };
        },
        [&] {
            grid.OnChangeCellAttributes = [&](TObject*, int, int, TvgHeading* column, TvgCellStates state, TColor&,
                                              TFont*, TAlignment&, TvgVAlignment&, TBevelCut&, TBevelCut&) {
                if (state.Contains(vgcsHeading) || !dynamic_cast<TvgColumn*>(column))
                    clearOnce(grid.Headings());
            };
        },
        [&] {
            grid.OnChangeCellBorders = [&](TObject*, int, int, TvgHeading*, TvgCellStates, TvgBorder*, TvgBorder*,
                                           TvgBorder*, TvgBorder*) { clearOnce(grid.Columns()); };
        },
        [&] {
            grid.OnGetCellImage = [&](TObject*, int, int, int, TObject*&, int&, TvgImagePosition&, TAlignment&,
                                      TvgVAlignment&, int&) { clearOnce(grid.Headings()); };
        },
        [&] {
            grid.OnDisplayText = [&](TObject*, int, int, TvgColumn*, QString&, bool&) { clearOnce(grid.Columns()); };
        },
    };
    for (const auto& install : installs) {
        TCaughtByApplication caught;
        cleared = false;
        install();
        Paint(grid);
        EXPECT_TRUE(cleared);
        grid.OnChangeCellAttributes = nullptr;
        grid.OnChangeCellBorders = nullptr;
        grid.OnGetCellImage = nullptr;
        grid.OnDisplayText = nullptr;
        // The application brings the model back in step; painting goes on as before.
        grid.SetColumnCount(5);
        linkHeading();
        caught.Messages.clear();
        Paint(grid);
        EXPECT_TRUE(caught.Messages.isEmpty()) << caught.Messages.join(u'\n').toStdString();
    }

    // A cell formatted after OnDisplayText removed its column shows its text as it is.
    grid.SetCells(1, 1, QStringLiteral("1234.5"));
    grid.GetVisibleColumn(1)->SetFormatType(vgfmtNumeric);
    EXPECT_EQ(grid.GetDisplayText(1, 1), QStringLiteral("1,234.50"));
    grid.OnDisplayText = [&](TObject*, int, int, TvgColumn*, QString&, bool&) { grid.Columns()->Delete(4); };
    EXPECT_EQ(grid.GetDisplayText(1, 1, grid.GetVisibleColumn(1)), QStringLiteral("1,234.50"));
    grid.OnDisplayText = [&](TObject*, int, int, TvgColumn*, QString&, bool&) { grid.Columns()->Clear(); };
    EXPECT_EQ(grid.GetDisplayText(1, 1, grid.GetVisibleColumn(1)), QStringLiteral("1234.5"));
}

TEST(VelkoGridHardening, AHiddenColumnComesBackWhateverWidthTheApplicationSavedForIt)
{
    for (const int saved : {-1, INT_MIN, INT_MAX, 0, 77}) {
        SCOPED_TRACE(saved);
        TVelkoGrid grid;
        grid.SetRowCount(3);
        for (int col = 0; col < 5; ++col)
            grid.SetCells(col, 2, QString::number(col));
        TvgColumn* column = grid.GetVisibleColumn(2);
        column->SetVisible(false);
        column->SavedWidth = saved;
        column->SetVisible(true);
        EXPECT_EQ(grid.ColCount(), 5);
        EXPECT_EQ(grid.GridColumnForColumnObject(column), 2);
        EXPECT_EQ(grid.ColWidths(2), saved < 0 ? grid.DefaultColWidth() : std::min(saved, MaxGridExtent));
        for (int col = 0; col < 5; ++col)
            EXPECT_EQ(grid.Cells(col, 2), QString::number(col));
    }
}

TEST(VelkoGridHardening, ThousandsOfColumnsAreAddedAndPaintedUnderOneHeading)
{
    TVelkoGrid grid;
    grid.SetColumnCount(4000); // each new column used to look at every name for every number
    ASSERT_EQ(grid.Columns()->Count(), 4000);
    EXPECT_EQ(grid.GetVisibleColumn(3999)->Name(), QStringLiteral("Column 4000"));
    // Names freed, renamed or spelt otherwise are seen by the next automatic name.
    grid.GetVisibleColumn(6)->SetName(QStringLiteral("Column 07"));
    EXPECT_EQ(grid.Columns()->NextColumnName(), QStringLiteral("Column 7"));
    grid.Columns()->Delete(1);
    EXPECT_EQ(grid.Columns()->Add()->Name(), QStringLiteral("Column 2"));
    EXPECT_EQ(grid.Columns()->Add()->Name(), QStringLiteral("Column 7"));
    EXPECT_EQ(grid.Columns()->Add()->Name(), QStringLiteral("Column 4001"));
    grid.SetColCount(grid.GetVisibleColumnCount());

    grid.Headings()->Add()->SetCaption(QStringLiteral("All of them"));
    for (int i = 0; i < grid.ColCount(); ++i)
        grid.GetVisibleColumn(i)->SetHeadingIndex(0);
    grid.SetRowHeights(0, 40);
    ShowFocused(grid, {800, 200});
    TCaughtByApplication caught;
    Paint(grid); // each cell used to compose the whole group, 256,000 pixels wide
    grid.SetLeftCol(2000);
    const QImage image = Paint(grid);
    EXPECT_TRUE(caught.Messages.isEmpty()) << caught.Messages.join(u'\n').toStdString();
    EXPECT_EQ(image.pixel(grid.CellRect(2006, 0).Left + 1, 5), ColorToQColor(clBtnFace, grid.palette()).rgb());

    EXPECT_THROW(grid.SetColumnCount(TVelkoGrid::MaxColumnCount + 1), EInvalidOperation);
    EXPECT_EQ(grid.ColCount(), 4002);
}

TEST(VelkoGridHardening, AScrollHandlerThatChangesTheColumnCountLeavesEveryColumnItsObject)
{
    TVelkoGrid grid;
    grid.SetColumnCount(10);
    ShowFocused(grid, {300, 200});
    grid.SetLeftCol(9);
    // Fewer columns scroll the grid back, and the handler takes one more column each time.
    grid.OnTopLeftChanged = [&](TObject*) {
        if (grid.ColCount() > 3)
            grid.SetColumnCount(grid.ColCount() - 1);
    };
    grid.SetColumnCount(7);
    EXPECT_LT(grid.ColCount(), 7);
    EXPECT_EQ(grid.GetVisibleColumnCount(), grid.ColCount());
}

// Handlers that run while a column is hidden or shown (the grid scrolls and moves its
// columns then) and try to change the columns, with an editor that is always shown: the
// hide or show completes, the handler's refusal reaches the caller afterwards, and every
// grid column keeps its object and its cells.
TEST(VelkoGridHardening, HandlersThatChangeTheColumnsWhileOneIsHiddenOrShownAreRefusedAfterItCompletes)
{
    TVelkoGrid grid;
    grid.SetColumnCount(6);
    grid.SetOptions(grid.Options() + TGridOptions{goEditing, goAlwaysShowEditor});
    for (int c = 0; c < 6; ++c)
        grid.SetCells(c, 1, QString::number(c));
    ShowFocused(grid, {200, 120});
    grid.SetLeftCol(5);
    grid.SetCol(5);
    TvgColumn* fourth = grid.GetVisibleColumn(4);
    const std::function<void()> handlers[] = {
        [&] { grid.SetColumnCount(grid.ColCount() - 1); },
        [&] { grid.GetVisibleColumn(1)->SetVisible(false); },
    };
    for (const auto& handler : handlers) {
        for (const bool hide : {true, false}) {
            int calls = 0;
            grid.OnTopLeftChanged = [&](TObject*) { ++calls, handler(); };
            grid.OnColumnMoved = [&](TObject*, int, int) { ++calls, handler(); };
            EXPECT_THROW(fourth->SetVisible(!hide), EInvalidOperation);
            grid.OnTopLeftChanged = nullptr;
            grid.OnColumnMoved = nullptr;
            EXPECT_GT(calls, 0);
            EXPECT_EQ(fourth->Visible(), !hide);
            ASSERT_EQ(grid.ColCount(), hide ? 5 : 6);
            ASSERT_EQ(grid.GetVisibleColumnCount(), grid.ColCount());
            QStringList row;
            for (int c = 0; c < grid.ColCount(); ++c)
                row << grid.Cells(c, 1);
            EXPECT_EQ(row.join(u','), hide ? QStringLiteral("0,1,2,3,5") : QStringLiteral("0,1,2,3,4,5"));
            Paint(grid);
        }
    }
}

TEST(VelkoGridHardening, AHeadingWiderThanABitmapCanBePaintsItsVisiblePart)
{
    TVelkoGrid grid;
    grid.SetColumnCount(40);
    grid.SetDefaultColWidth(MaxGridExtent); // 40 columns: 2^29 pixels and more
    grid.SetColWidths(0, 30);
    grid.Headings()->Add()->SetCaption(QStringLiteral("Wide"));
    for (int i = 1; i < 40; ++i)
        grid.GetVisibleColumn(i)->SetHeadingIndex(0);
    ShowFocused(grid, {300, 200});
    TCaughtByApplication caught;
    Paint(grid);
    grid.SetLeftCol(20);
    Paint(grid);
    EXPECT_TRUE(caught.Messages.isEmpty()) << caught.Messages.join(u'\n').toStdString();
}

TEST(VelkoGridHardening, AFormWithoutColumnObjectsKeepsItsColumnCount)
{
    for (const int count : {8, 3, 5}) {
        SCOPED_TRACE(count);
        const QString text = QStringLiteral("object Grid1: TVelkoGrid\n  ColCount = %1\n  ColWidths = (%2)\nend\n")
                                 .arg(count)
                                 .arg(QStringList(count, QStringLiteral("33")).join(u' '));
        const std::unique_ptr<TComponent> read = ReadComponentFromText(text);
        auto& grid = dynamic_cast<TVelkoGrid&>(*read);
        EXPECT_EQ(grid.ColCount(), count);
        EXPECT_EQ(grid.GetVisibleColumnCount(), count);
        EXPECT_EQ(grid.ColWidths(count - 1), 33);
    }
    // A grid whose column objects the form leaves alone keeps them.
    TVelkoGrid grid;
    grid.SetColumnCount(6);
    grid.GetVisibleColumn(5)->SetCaption(QStringLiteral("Kept"));
    ReadComponentInto(QStringLiteral("object TVelkoGrid\n  RowCount = 9\nend\n"), grid);
    EXPECT_EQ(grid.RowCount(), 9);
    EXPECT_EQ(grid.GetVisibleColumn(5)->Caption(), QStringLiteral("Kept"));
    // More columns than a grid may have are refused where the form asks for them.
    EXPECT_THROW(ReadComponentFromText(QStringLiteral("object TVelkoGrid\n  ColCount = 2147483647\n  DefaultColWidth = 0\nend\n")),
                 EReadError);
}

TEST(VelkoGridHardening, WhatIsWrittenReadsBackToTheSameState)
{
    TVelkoGrid grid;
    grid.SetDefaultDrawing(true);
    grid.Font().SetName(QString());
    const QString text = WriteComponentToText(grid);
    const std::unique_ptr<TComponent> read = ReadComponentFromText(text);
    EXPECT_TRUE(dynamic_cast<TVelkoGrid&>(*read).DefaultDrawing());
    EXPECT_EQ(WriteComponentToText(*read), text);
    // The grid's own default is not written.
    EXPECT_FALSE(WriteComponentToText(TVelkoGrid()).contains(QStringLiteral("DefaultDrawing")));
}

TEST(VelkoGridHardening, ARefusedFormLeavesTheGridAsItWasAndPaintable)
{
    TVelkoGrid grid;
    grid.SetColumnCount(8);
    grid.SetRowCount(100);
    grid.SetCells(7, 99, QStringLiteral("last"));
    grid.GetVisibleColumn(3)->SetCaption(QStringLiteral("Three"));
    const QString before = WriteComponentToText(grid);

    // Widths for a grid of five columns.
    const QString form = QStringLiteral("object TVelkoGrid\n  ColWidths = (64 64 90 64 64)\nend\n");
    EXPECT_THROW(ReadComponentInto(form, grid), EReadError);
    EXPECT_FALSE(grid.IsLoading());
    EXPECT_EQ(WriteComponentToText(grid), before);
    EXPECT_EQ(grid.Cells(7, 99), QStringLiteral("last"));
    // Column checks are on as ever.
    EXPECT_THROW(grid.SetColCount(9), EInvalidOperation);
    ShowFocused(grid, {300, 200});
    TCaughtByApplication caught;
    Paint(grid);
    EXPECT_TRUE(caught.Messages.isEmpty()) << caught.Messages.join(u'\n').toStdString();

    // Colours that are no colours are refused where the column model takes them.
    EXPECT_THROW(grid.GetVisibleColumn(1)->SetColumnColor(TColor(0x80000000u)), EConvertError);
    EXPECT_THROW(grid.GetVisibleColumn(1)->SetTitleColor(SystemColor(99)), EConvertError);
    EXPECT_THROW(grid.GetVisibleColumn(1)->TopBorder()->SetColor(-5), EConvertError);
    EXPECT_THROW(grid.SetVelkoHighlightColor(0x7F000000), EConvertError);
    EXPECT_EQ(WriteComponentToText(grid), before);
}

} // namespace
} // namespace vg::test
