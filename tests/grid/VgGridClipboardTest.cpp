// The grid's clipboard: awkward values copied and pasted back, the paste rules (one value,
// blocks, the grid's edges, read-only cells) with their reports, undo and redo of each, and
// the keys that reach all of it.
#include "common/VgTsv.h"
#include "grid/VgGrid.h"

#include "support/GridHarness.h"
#include "support/VgGridHarness.h"
#include "TestEnvironment.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <memory>

using namespace vg;
using namespace vg::test;

namespace {

// The data cells of a grid, rows joined by "|", cells by ",".
QString DataCells(const TVelkoGrid& grid)
{
    QStringList rows;
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
        QStringList cells;
        for (int col = grid.FixedCols(); col < grid.ColCount(); ++col)
            cells << grid.Cells(col, row);
        rows << cells.join(u',');
    }
    return rows.join(u'|');
}

QString ClipboardText(const QString& mime)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data ? QString::fromUtf8(data->data(mime)) : QString();
}

} // namespace

TEST(VelkoGridClipboard, AwkwardValuesCopiedAndPastedBackComeBackUnchanged)
{
    const QStringList values = {"tab\there", "two\r\nlines", "lf\nonly", "say \"hi\"", "\"lead", "007", "",
                                " spaced ", "\u0436\u05d0\u65e5\U0001F600", "=1+2", "a<b&c", "1,234.50"};
    TVelkoGrid source;
    source.SetColumnCount(5);
    source.SetRowCount(5);
    source.GetVisibleColumn(2)->SetColumnHAlignment(taRightJustify);
    // Shown text differs from the stored one: the HTML takes what is shown.
    source.OnDisplayText = [](TObject*, int, int, TvgColumn*, QString& S, bool&) { S = u'(' + S + u')'; };
    for (int i = 0; i < values.size(); ++i)
        source.SetCells(1 + i % 3, 1 + i / 3, values[i]);
    // The column between is hidden, so that the copy has three columns, not four.
    source.GetVisibleColumn(4)->SetCaption(QStringLiteral("kept out"));
    source.SetCells(4, 1, QStringLiteral("hidden"));
    (*source.Columns())[4]->SetVisible(false);
    source.SetSelection(GridRect(1, 1, 3, 4));
    source.CopyToClipboard();

    QList<QStringList> expected(4);
    for (int i = 0; i < values.size(); ++i)
        expected[i / 3] << values[i];
    EXPECT_EQ(ClipboardText("text/plain"), WriteTsvText(expected));
    const QString html = ClipboardText("text/html");
    for (const char* cell : {"<td>(=1+2)</td>", "<td style=\"text-align:right\">(a&lt;b&amp;c)</td>",
                             "<td style=\"text-align:right\">(two<br>lines)</td>", "<td>(lf<br>only)</td>",
                             "<td style=\"text-align:right\">(&quot;lead)</td>"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(cell))) << cell << '\n' << html.toStdString();
    EXPECT_EQ(html.count(QStringLiteral("<tr>")), 4);
    EXPECT_FALSE(html.contains(QStringLiteral("hidden")));

    TVelkoGrid target;
    target.SetColumnCount(6);
    target.SetRowCount(7);
    target.SetSelection(GridRect(2, 2, 2, 2));
    const TvgPasteReport report = target.PasteFromClipboard();
    EXPECT_EQ(report.ChangedCells, values.size() - 1); // the empty value changes nothing
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(target.Cells(2 + i % 3, 2 + i / 3), values[i]) << i;
    EXPECT_EQ(target.Selection(), GridRect(2, 2, 4, 5));
}

TEST(VelkoGridClipboard, PasteRulesReportsAndUndo)
{
    const QString x4 = QStringLiteral("x,x,x|x,x,x|x,x,x|x,x,x");
    const struct {
        const char* Name;
        TGridRect Selection;
        QString Text;
        bool AddsRows;
        QString After;
        int Changed;
        std::vector<TGridCoord> ReadOnly;
        qint64 Outside;
    } cases[] = {
        {"one value fills the selection", {1, 1, 2, 2}, "v\n", false, "x,v,x|x,x,x|x,x,x|x,x,x", 1,
         {{1, 1}, {1, 2}, {2, 2}}, 0},
        {"a block keeps its shape", {2, 3, 2, 3}, "a\tb\r\nc\td", false, "x,x,x|x,x,x|x,a,b|x,c,d", 4, {}, 0},
        {"a block starts at the selection's corner", {2, 3, 3, 4}, "a\tb\nc\td\n", false, "x,x,x|x,x,x|x,a,b|x,c,d", 4,
         {}, 0},
        {"values past the edges are dropped", {2, 4, 2, 4}, "a\tb\tz\nc\td\n", false, "x,x,x|x,x,x|x,x,x|x,a,b", 2, {},
         3},
        {"rows are added when allowed", {2, 4, 2, 4}, "a\tb\tz\nc\td\n", true, "x,x,x|x,x,x|x,x,x|x,a,b|,c,d", 4, {},
         1},
        {"read-only cells are skipped, the rest pasted", {1, 1, 1, 1}, "1\t2\t3\n4\t5\t6\n", false,
         "x,2,3|x,x,6|x,x,x|x,x,x", 3, {{1, 1}, {1, 2}, {2, 2}}, 0},
        {"unchanged texts are no change", {1, 3, 3, 3}, "x", false, x4, 0, {{1, 3}}, 0},
        {"an empty text pastes nothing", {1, 1, 1, 1}, "", false, x4, 0, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TVelkoGrid grid;
        grid.SetColumnCount(4);
        grid.SetRowCount(5);
        for (int col = 1; col < 4; ++col)
            for (int row = 1; row < 5; ++row)
                grid.SetCells(col, row, QStringLiteral("x"));
        grid.GetVisibleColumn(1)->SetReadOnly(true);
        grid.OnGetReadOnly = [](TObject*, int ACol, int ARow, bool& ReadOnly) { ReadOnly |= ACol == 2 && ARow == 2; };
        std::vector<TGridCoord> edited;
        grid.OnCellEdited = [&](TObject*, int ACol, int ARow) { edited.push_back({ACol, ARow}); };
        int skippedReports = 0;
        grid.OnPasteSkipped = [&](TObject*, const TvgPasteReport&) { ++skippedReports; };
        grid.SetPasteAddsRows(c.AddsRows);
        grid.SetSelection(c.Selection);

        const TvgPasteReport report = grid.PasteText(c.Text);
        EXPECT_EQ(DataCells(grid), c.After);
        EXPECT_EQ(report.ChangedCells, c.Changed);
        EXPECT_EQ(int(edited.size()), c.Changed);
        EXPECT_EQ(report.ReadOnlyCells, c.ReadOnly);
        EXPECT_EQ(report.ValuesOutside, c.Outside);
        EXPECT_EQ(skippedReports, !c.ReadOnly.empty() || c.Outside > 0 ? 1 : 0);
        const bool changed = c.After != x4;
        ASSERT_EQ(grid.UndoStack()->count(), changed ? 1 : 0);
        if (!changed)
            continue;
        // Undo puts back the texts, the rows and the selection, and reports the cells again.
        edited.clear();
        grid.UndoStack()->undo();
        EXPECT_EQ(DataCells(grid), x4);
        EXPECT_EQ(grid.Selection(), c.Selection);
        EXPECT_EQ(int(edited.size()), std::min(c.Changed, c.AddsRows ? 2 : c.Changed));
        grid.UndoStack()->redo();
        EXPECT_EQ(DataCells(grid), c.After);
    }
}

TEST(VelkoGridClipboard, KeysCopyCutPasteClearUndoAndRedo)
{
    TVgGridWindow w;
    TVelkoGrid& grid = *w.Grid;
    grid.SetColumnCount(4);
    grid.SetCells(1, 1, QStringLiteral("a"));
    grid.SetCells(2, 1, QStringLiteral("b"));
    grid.GetVisibleColumn(3)->SetReadOnly(true);
    grid.SetCells(3, 1, QStringLiteral("ro"));
    const auto select = [&](int left, int top, int right, int bottom) {
        grid.SetSelection(GridRect(left, top, right, bottom));
    };
    const struct {
        std::function<void()> Before;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        QString Cells;     // data rows 1 and 2, columns 1 to 3
        QString Clipboard; // plain text afterwards
    } steps[] = {
        {[&] { select(1, 1, 2, 1); }, Qt::Key_C, Qt::ControlModifier, "a,b,ro|,,", "a\tb\n"},
        {[&] { select(1, 2, 1, 2); }, Qt::Key_Insert, Qt::ShiftModifier, "a,b,ro|a,b,", "a\tb\n"},
        {[] {}, Qt::Key_Z, Qt::ControlModifier, "a,b,ro|,,", "a\tb\n"},
        {[] {}, Qt::Key_Y, Qt::ControlModifier, "a,b,ro|a,b,", "a\tb\n"},
        {[&] { select(2, 1, 3, 1); }, Qt::Key_X, Qt::ControlModifier, "a,,ro|a,b,", "b\tro\n"},
        {[] {}, Qt::Key_Z, Qt::ControlModifier, "a,b,ro|a,b,", "b\tro\n"},
        {[] {}, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "a,,ro|a,b,", "b\tro\n"},
        {[&] { select(1, 1, 3, 2); }, Qt::Key_Insert, Qt::ControlModifier, "a,,ro|a,b,", "a\t\tro\na\tb\t\n"},
        {[] {}, Qt::Key_Delete, {}, ",,ro|,,", "a\t\tro\na\tb\t\n"},
        {[&] { select(1, 2, 1, 2); }, Qt::Key_V, Qt::ControlModifier, ",,ro|a,,", "a\t\tro\na\tb\t\n"},
        {[&] { select(1, 2, 2, 2); }, Qt::Key_Delete, Qt::ShiftModifier, ",,ro|,,", "a\t\n"},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        steps[i].Before();
        Key(steps[i].Key, steps[i].Modifiers);
        const QString cells = DataCells(grid).section(u'|', 0, 1);
        EXPECT_EQ(cells, steps[i].Cells);
        EXPECT_EQ(ClipboardText("text/plain"), steps[i].Clipboard);
    }

    // In the editor the keys are the editor's: the cell changes only when the edit ends,
    // as one step.
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    const int steps0 = grid.UndoStack()->count();
    w.Edit(1, 1);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid.Cells(1, 1), QString());
    Key(Qt::Key_Return);
    EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("pasted"));
    EXPECT_EQ(grid.UndoStack()->count(), steps0 + 1);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid.Cells(1, 1), QString());

    // A grid that does not edit copies, and changes nothing.
    grid.SetOptions(grid.Options() - TGridOptions{goEditing});
    select(1, 2, 1, 2);
    for (auto key : {Qt::Key_V, Qt::Key_X, Qt::Key_Y})
        Key(key, Qt::ControlModifier);
    Key(Qt::Key_Delete);
    EXPECT_EQ(DataCells(grid).section(u'|', 0, 1), QStringLiteral(",,ro|,,"));
}
