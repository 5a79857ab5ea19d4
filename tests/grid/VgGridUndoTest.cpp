// Undo and redo: a randomised run of edits, pastes, cuts, clears, row and column operations,
// each undone and redone, against a plain model; steps that keep only what they changed;
// loading; hidden columns; row orders.
#include "common/VgTsv.h"
#include "grid/VgGrid.h"
#include "grid/VgGridUndo.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SparseStrings.h"

#include "support/GridHarness.h"
#include "support/VgGridHarness.h"
#include "TestEnvironment.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace vg;
using namespace vg::test;

namespace {

// What the grid should hold: its column objects in collection order, with their cells.
struct TModel {
    struct TColumn {
        int Id;
        bool ReadOnly;
        std::vector<QString> Cells;
    };
    std::vector<TColumn> Columns;

    int Rows() const { return int(Columns[0].Cells.size()); }
    QString& Cell(int col, int row) { return Columns[size_t(col)].Cells[size_t(row)]; }
    void Write(int col, int row, const QString& value)
    {
        if (!Columns[size_t(col)].ReadOnly)
            Cell(col, row) = value;
    }
};

QString Described(const TModel& model)
{
    QStringList columns;
    for (const TModel::TColumn& column : model.Columns)
        columns << QString::number(column.Id) + u'=' + QStringList(column.Cells.begin(), column.Cells.end()).join(u',');
    return columns.join(u' ');
}

TModel ModelOf(TVelkoGrid& grid)
{
    TModel model;
    for (int i = 0; i < grid.Columns()->Count(); ++i) {
        TvgColumn* column = (*grid.Columns())[i];
        std::vector<QString> cells;
        for (int row = 0; row < grid.RowCount(); ++row)
            cells.push_back(grid.Cells(grid.GridColumnForColumnObject(column), row));
        model.Columns.push_back({column->ID(), column->ReadOnly(), cells});
    }
    return model;
}

} // namespace

TEST(VelkoGridUndo, RandomStepsUndoneAndRedoneFollowAPlainModel)
{
    TVgGridWindow w;
    TVelkoGrid& grid = *w.Grid;
    grid.SetPasteAddsRows(true);
    grid.GetVisibleColumn(2)->SetReadOnly(true);
    std::set<std::pair<int, int>> edited;
    grid.OnCellEdited = [&](TObject*, int ACol, int ARow) { edited.insert({ACol, ARow}); };
    TModel model = ModelOf(grid);

    std::mt19937 random(2323);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const QStringList texts = {"", "1", "007", "a\tb", "x\ny", "\"q\"", "\u0436"};
    const auto text = [&] { return texts[pick(0, int(texts.size()) - 1)]; };
    const auto randomRange = [&] {
        const int left = pick(1, grid.ColCount() - 1), top = pick(1, grid.RowCount() - 1);
        return GridRect(left, top, pick(left, grid.ColCount() - 1), pick(top, std::min(top + 3, grid.RowCount() - 1)));
    };
    const auto clearEditable = [&](const TGridRect& r) {
        for (int row = r.Top; row <= r.Bottom; ++row)
            for (int col = r.Left; col <= r.Right; ++col)
                model.Write(col, row, QString());
    };

    for (int step = 0; step < 150; ++step) {
        const TModel before = model;
        const int kind = pick(0, 7);
        SCOPED_TRACE(QStringLiteral("step %1, kind %2").arg(step).arg(kind).toStdString());
        const TGridRect range = randomRange();
        // An edit and a paste start from the range's first cell.
        const bool fromCell = kind <= 1;
        grid.SetSelection(fromCell ? GridRect(range.Left, range.Top, range.Left, range.Top) : range);
        const TGridRect selectionBefore = grid.Selection();
        edited.clear();
        if (kind == 0 && model.Columns[size_t(range.Left)].ReadOnly) {
            continue;
        } else if (kind == 0) { // an edit in the editor, ended by Enter
            const QString value = text() + QString::number(step);
            grid.SetTopRow(range.Top);
            TVgInplaceEdit* editor = w.Edit(range.Left, range.Top);
            editor->SetText(value);
            Key(Qt::Key_Return);
            model.Write(range.Left, range.Top, value);
        } else if (kind == 1) { // a paste of a block, maybe past the last row
            QList<QStringList> block(pick(1, 3));
            const int width = pick(1, 3);
            for (QStringList& line : block)
                for (int j = 0; j < width; ++j)
                    line << text();
            grid.PasteText(WriteTsvText(block));
            for (int k = 0; k < block.size(); ++k) {
                if (range.Top + k >= model.Rows())
                    for (TModel::TColumn& column : model.Columns)
                        column.Cells.emplace_back();
                for (int j = 0; j < width && range.Left + j < grid.ColCount(); ++j)
                    model.Write(range.Left + j, range.Top + k, block[k][j]);
            }
        } else if (kind == 2) { // a cut, whose text is the range's
            grid.CutToClipboard();
            QList<QStringList> copied;
            for (int row = range.Top; row <= range.Bottom; ++row) {
                copied.append(QStringList());
                for (int col = range.Left; col <= range.Right; ++col)
                    copied.back() << model.Cell(col, row);
            }
            EXPECT_EQ(QGuiApplication::clipboard()->text(), WriteTsvText(copied));
            clearEditable(range);
        } else if (kind == 3) { // a clear of the selection by the Delete key
            Key(Qt::Key_Delete);
            clearEditable(range);
        } else if (kind == 4) {
            grid.InsertRow(range.Top);
            for (TModel::TColumn& column : model.Columns)
                column.Cells.insert(column.Cells.begin() + range.Top, QString());
        } else if (kind == 5 && grid.RowCount() > 2) {
            grid.DeleteRow(range.Top);
            for (TModel::TColumn& column : model.Columns)
                column.Cells.erase(column.Cells.begin() + range.Top);
        } else if (kind == 6 && range.Left != range.Right) {
            grid.MoveColumn(range.Left, range.Right);
            const TModel::TColumn moved = model.Columns[size_t(range.Left)];
            model.Columns.erase(model.Columns.begin() + range.Left);
            model.Columns.insert(model.Columns.begin() + range.Right, moved);
        } else if (kind == 7) { // a sort: the data rows, whole, in another order
            grid.SortByColumn(range.Left, pick(0, 1) ? Qt::AscendingOrder : Qt::DescendingOrder);
            const TModel sorted = ModelOf(grid);
            const auto rowsOf = [&](const TModel& m) {
                std::multiset<QStringList> rows;
                for (int row = grid.FixedRows(); row < m.Rows(); ++row) {
                    QStringList cells;
                    for (const TModel::TColumn& column : m.Columns)
                        cells << column.Cells[size_t(row)];
                    rows.insert(cells);
                }
                return rows;
            };
            ASSERT_EQ(rowsOf(sorted), rowsOf(model));
            model = sorted;
        }
        ASSERT_EQ(Described(ModelOf(grid)), Described(model));
        // The cells a change of texts reports are those it changed.
        const auto changedCells = [&](const TModel& from, const TModel& to) {
            std::set<std::pair<int, int>> cells;
            if (from.Rows() == to.Rows() && kind <= 3)
                for (int col = 0; col < int(from.Columns.size()); ++col)
                    for (int row = 0; row < from.Rows(); ++row)
                        if (from.Columns[size_t(col)].Cells[size_t(row)] != to.Columns[size_t(col)].Cells[size_t(row)])
                            cells.insert({col, row});
            return cells;
        };
        if (before.Rows() == model.Rows() && kind <= 3)
            EXPECT_EQ(edited, changedCells(before, model));
        if (Described(before) == Described(model))
            continue; // a change of nothing is no step
        const TGridRect selectionAfter = grid.Selection();
        edited.clear();
        Key(Qt::Key_Z, Qt::ControlModifier);
        ASSERT_EQ(Described(ModelOf(grid)), Described(before));
        if (kind < 6)
            EXPECT_EQ(grid.Selection(), selectionBefore);
        if (before.Rows() == model.Rows() && kind <= 3)
            EXPECT_EQ(edited, changedCells(model, before));
        if (pick(0, 1))
            Key(Qt::Key_Y, Qt::ControlModifier);
        else
            Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_EQ(Described(ModelOf(grid)), Described(model));
        if (kind < 6)
            EXPECT_EQ(grid.Selection(), selectionAfter);
    }
    EXPECT_GT(grid.UndoStack()->count(), 50);
}

TEST(VelkoGridUndo, StepsKeepWhatChangedAndLoadingForgetsThem)
{
    TVelkoGrid grid;
    grid.SetColumnCount(4);
    grid.SetRowCount(1000000);
    grid.SetSelection(GridRect(1, 500000, 1, 500000));
    grid.PasteText(QStringLiteral("1\t2\n3\t4\n5\t6\n7\t8\n9\t10\n"));
    const auto* step = dynamic_cast<const TvgCellsStep*>(grid.UndoStack()->command(0));
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->Count(), 10u);

    QBuffer buffer;
    buffer.setData("\"a\"\r\n");
    buffer.open(QIODevice::ReadOnly);
    grid.LoadFromStream(1, 1, buffer);
    EXPECT_EQ(grid.UndoStack()->count(), 0);
}

TEST(VelkoGridUndo, StepsFindHiddenAndMovedColumnsAndSkipRemovedOnes)
{
    TVelkoGrid grid;
    grid.SetColumnCount(5);
    grid.SetRowCount(4);
    grid.SetSelection(GridRect(2, 1, 2, 1));
    grid.PasteText(QStringLiteral("a\tb\tc"));
    const auto row1 = [&grid] {
        QStringList cells;
        for (int col = 1; col < grid.ColCount(); ++col)
            cells << grid.Cells(col, 1);
        return cells.join(u',');
    };
    TvgColumn* b = grid.GetVisibleColumn(3);
    b->SetVisible(false);
    grid.UndoStack()->undo();
    EXPECT_EQ(row1() + u'/' + b->Cols()->Get(1), QStringLiteral(",,/"));
    grid.UndoStack()->redo();
    EXPECT_EQ(row1() + u'/' + b->Cols()->Get(1), QStringLiteral(",a,c/b"));
    b->SetVisible(true);
    grid.MoveColumn(2, 4);
    EXPECT_EQ(row1(), QStringLiteral(",b,c,a"));
    grid.Columns()->Delete(b->Index());
    grid.UndoStack()->undo(); // the move: "a" goes back to grid column 2
    EXPECT_EQ(row1(), QStringLiteral(",a,c"));
    grid.UndoStack()->undo(); // the paste: "b" went with its column
    EXPECT_EQ(row1(), QStringLiteral(",,"));
    grid.UndoStack()->redo();
    EXPECT_EQ(row1(), QStringLiteral(",a,c"));
}

TEST(VelkoGridUndo, RowOrderIsOneStepAppliedByItsOwner)
{
    TVelkoGrid grid;
    grid.SetColumnCount(2);
    grid.SetRowCount(5);
    for (int row = 1; row < 5; ++row)
        grid.SetCells(1, row, QString::number(row));
    // The owner's way of putting rows in order: order[i] is the data row that goes to i.
    const auto apply = [&grid](const std::vector<int>& order) {
        QStringList texts;
        for (int from : order)
            texts << grid.Cells(1, 1 + from);
        for (int i = 0; i < int(order.size()); ++i)
            grid.SetCells(1, 1 + i, texts[i]);
    };
    const std::vector<int> order = {2, 0, 3, 1};
    apply(order);
    grid.RecordRowOrder(order, apply, QStringLiteral("Sort"));
    const auto texts = [&grid] {
        QString all;
        for (int row = 1; row < 5; ++row)
            all += grid.Cells(1, row);
        return all;
    };
    EXPECT_EQ(texts(), QStringLiteral("3142"));
    grid.UndoStack()->undo();
    EXPECT_EQ(texts(), QStringLiteral("1234"));
    grid.UndoStack()->redo();
    EXPECT_EQ(texts(), QStringLiteral("3142"));
    EXPECT_EQ(grid.UndoStack()->undoText(), QStringLiteral("Sort"));
    for (const std::vector<int>& wrong : {std::vector<int>{0, 1, 2}, {0, 1, 2, 2}, {0, 1, 2, 4}, {-1, 0, 1, 2}})
        EXPECT_THROW(grid.RecordRowOrder(wrong, apply, QString()), EInvalidOperation);
    EXPECT_THROW(grid.RecordRowOrder(order, nullptr, QString()), EInvalidOperation);
}

TEST(VelkoGridUndo, AnEditIsOneStepHoweverManyTimesItWritesItsCell)
{
    TVgGridWindow w;
    TVelkoGrid& grid = *w.Grid;
    TvgColumn* combo = grid.GetVisibleColumn(1);
    combo->SetControlType({vgctlComboBox});
    combo->Items()->SetStrings({"Apple", "Pear", "Plum"});
    grid.SetCells(1, 1, QStringLiteral("Fig"));
    int edited = 0;
    grid.OnCellEdited = [&](TObject*, int, int) { ++edited; };
    // A value picked from the list is written at once; typed text after it joins the step.
    const auto pickAndType = [&](const QString& typed) {
        TVgInplaceEdit* editor = w.Edit(1, 1);
        QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::keyClick(editor, Qt::Key_Return);
        const QString picked = grid.Cells(1, 1);
        EXPECT_TRUE(combo->Items()->IndexOf(picked) >= 0) << picked.toStdString();
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        return picked + typed;
    };
    const QString first = pickAndType(QStringLiteral("s"));
    EXPECT_EQ(grid.Cells(1, 1), first);
    EXPECT_EQ(grid.UndoStack()->count(), 1);
    // The next edit of the same cell is a step of its own.
    const QString second = pickAndType(QStringLiteral("!"));
    EXPECT_EQ(grid.UndoStack()->count(), 2);
    // Text typed and cancelled is no step.
    TVgInplaceEdit* editor = w.Edit(1, 1);
    QTest::keyClicks(editor, QStringLiteral("zzz"));
    QTest::keyClick(editor, Qt::Key_Escape);
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid.UndoStack()->count(), 2);

    edited = 0;
    grid.UndoStack()->undo();
    EXPECT_EQ(grid.Cells(1, 1), first);
    grid.UndoStack()->undo();
    EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("Fig"));
    EXPECT_EQ(edited, 2);
    grid.UndoStack()->redo();
    grid.UndoStack()->redo();
    EXPECT_EQ(grid.Cells(1, 1), second);
}

TEST(VelkoGridUndo, UndoWithTheEditorOpenCancelsTheEditFirst)
{
    TVgGridWindow w;
    TVelkoGrid& grid = *w.Grid;
    grid.SetSelection(GridRect(1, 1, 1, 1));
    grid.PasteText(QStringLiteral("pasted"));
    TVgInplaceEdit* editor = w.Edit(2, 2);
    QTest::keyClicks(editor, QStringLiteral("typed"));
    grid.UndoStack()->undo(); // as an Edit menu's action does
    EXPECT_EQ(grid.Cells(1, 1), QString());
    EXPECT_EQ(grid.Cells(2, 2), QString());
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.UndoStack()->index(), 0);
    grid.UndoStack()->redo();
    EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("pasted"));
}
