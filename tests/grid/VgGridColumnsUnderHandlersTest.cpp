// Event handlers that change the column model while the grid is in the middle of
// something with it: hiding, showing or removing a column, loading text, opening the
// editor, offering a suggestion. Whatever they do, every grid column keeps one visible
// column object, every cell stays with its object, and what the grid refuses raises its
// own exception.
#include "support/VgGridHarness.h"

#include "TestEnvironment.h"

#include <QBuffer>

#include <functional>
#include <map>
#include <set>

using namespace vg;
using namespace vg::test;

namespace {

// Fills rows 1.. of every shown column object with "#ID:row", so that a cell that went to
// another object shows. Answers the IDs tagged.
std::set<int> Tag(TVelkoGrid& grid)
{
    std::set<int> ids;
    for (int col = 0; col < grid.ColCount(); ++col) {
        const int id = grid.GetVisibleColumn(col)->ID();
        ids.insert(id);
        for (int row = 1; row < grid.RowCount(); ++row)
            grid.SetCells(col, row, QStringLiteral("#%1:%2").arg(id).arg(row));
    }
    return ids;
}

// The cell of an object in a row: from the grid when it is shown, from its Cols when hidden.
QString CellOf(const TVelkoGrid& grid, const TvgColumn& column, int row)
{
    const int col = grid.GridColumnForColumnObject(&column);
    if (col >= 0)
        return grid.Cells(col, row);
    return row < column.Cols()->Count() ? column.Cols()->Get(row) : QString();
}

// One visible object per grid column; and, unless cells is false, every tagged object's
// cells are its tags but those written meanwhile ("#ID:row" to the text written).
void ExpectInStep(const TVelkoGrid& grid, const std::set<int>& tagged, bool cells = true,
                  const std::map<QString, QString>& written = {})
{
    ASSERT_EQ(grid.GetVisibleColumnCount(), grid.ColCount());
    if (!cells)
        return;
    for (int i = 0; i < grid.Columns()->Count(); ++i) {
        const TvgColumn& column = *(*grid.Columns())[i];
        if (!tagged.count(column.ID()))
            continue;
        for (int row = 1; row < grid.RowCount(); ++row) {
            const QString tag = QStringLiteral("#%1:%2").arg(column.ID()).arg(row);
            const auto found = written.find(tag);
            EXPECT_EQ(CellOf(grid, column, row), found == written.end() ? tag : found->second)
                << "object " << i << " (" << column.ID() << "), row " << row;
        }
    }
}

// Runs Action once, the first time the handler is asked.
std::function<void()> Once(std::function<void()> Action)
{
    return [Action = std::move(Action), done = std::make_shared<bool>(false)] {
        if (!std::exchange(*done, true))
            Action();
    };
}

struct THandlerCase {
    const char* Name;
    std::function<void(TVelkoGrid&)> Act;
};

} // namespace

// A handler of the editor's commit (OnGetEditText runs when the editor writes its text
// back) that changes the columns while a column is hidden or shown: the commit happens
// with the columns in step, then the hide or show, checked again.
TEST(VelkoGridColumnsUnderHandlers, TheEditorCommitsBeforeAColumnIsHiddenOrShown)
{
    const THandlerCase handlers[] = {
        {"one more column", [](TVelkoGrid& g) { g.SetColumnCount(g.ColCount() + 1); }},
        {"one column less", [](TVelkoGrid& g) { g.SetColumnCount(g.ColCount() - 1); }},
        {"hides another column", [](TVelkoGrid& g) { g.GetVisibleColumn(1)->SetVisible(false); }},
        {"deletes another object", [](TVelkoGrid& g) { g.Columns()->Delete(0); }},
        {"deletes the object hidden or shown", [](TVelkoGrid& g) { g.Columns()->Delete(3); }},
        {"hides or shows it itself", [](TVelkoGrid& g) { (*g.Columns())[3]->SetVisible(!(*g.Columns())[3]->Visible()); }},
        {"clears Columns", [](TVelkoGrid& g) { g.Columns()->Clear(); }},
    };
    for (const THandlerCase& handler : handlers) {
        for (const bool hide : {true, false}) {
            SCOPED_TRACE(std::string(handler.Name) + (hide ? ", hiding" : ", showing"));
            TVgGridWindow W;
            TVelkoGrid& grid = *W.Grid;
            const std::set<int> tagged = Tag(grid);
            const int targetId = (*grid.Columns())[3]->ID();
            if (!hide)
                (*grid.Columns())[3]->SetVisible(false);
            W.Edit(2, 1);
            TypeText(QStringLiteral("typed"));
            const QString editedTag = QStringLiteral("#%1:1").arg(grid.GetVisibleColumn(2)->ID());
            grid.OnGetEditText = [act = Once([&] { handler.Act(grid); })](TObject*, int, int, QString&) { act(); };
            (*grid.Columns())[3]->SetVisible(!hide);
            grid.OnGetEditText = nullptr;
            ExpectInStep(grid, tagged, true, {{editedTag, editedTag + QStringLiteral("typed")}});
            if (auto* target = dynamic_cast<TvgColumn*>(grid.Columns()->FindItemID(targetId)))
                EXPECT_EQ(target->Visible(), !hide);
        }
    }
    // The only column cannot be hidden, even when the commit's handler asks for more.
    TVgGridWindow W;
    TVelkoGrid& grid = *W.Grid;
    grid.SetColumnCount(1);
    W.Edit(0, 1);
    TypeText(QStringLiteral("y"));
    grid.OnGetEditText = [act = Once([&] { grid.GetVisibleColumn(0)->SetCaption(QStringLiteral("seen")); })](
                             TObject*, int, int, QString&) { act(); };
    EXPECT_THROW(grid.GetVisibleColumn(0)->SetVisible(false), EInvalidOperation);
    EXPECT_EQ(grid.GetVisibleColumn(0)->Caption(), QStringLiteral("seen"));
    EXPECT_EQ(grid.GetVisibleColumnCount(), 1);
    EXPECT_EQ(grid.ColCount(), 1);
}

// Handlers that run while a column is hidden, shown or removed (the grid moves its columns
// then) and that fail or edit Columns: the change completes, the collection edit is
// refused with the grid's exception, and that reaches the caller (or, for a removal, which
// happens in a destructor, the application's exception handler).
TEST(VelkoGridColumnsUnderHandlers, ColumnsAreHiddenShownAndRemovedWhateverTheMoveHandlersDo)
{
    struct TOperation {
        const char* Name;
        std::function<void(TVelkoGrid&)> Run;
        int ColumnsAfter; // of the grid of five
    };
    const TOperation operations[] = {
        {"Columns()->Delete(2)", [](TVelkoGrid& g) { g.Columns()->Delete(2); }, 4},
        {"hiding column 2", [](TVelkoGrid& g) { g.GetVisibleColumn(2)->SetVisible(false); }, 4},
        {"showing a hidden column", [](TVelkoGrid& g) { (*g.Columns())[1]->SetVisible(true); }, 5},
    };
    const THandlerCase handlers[] = {
        {"throws", [](TVelkoGrid&) { throw Exception(QStringLiteral("db refused")); }},
        {"clears Columns", [](TVelkoGrid& g) { g.Columns()->Clear(); }},
        {"deletes an object", [](TVelkoGrid& g) { g.Columns()->Delete(0); }},
        {"adds an object", [](TVelkoGrid& g) { g.Columns()->Add(); }},
        {"moves an object", [](TVelkoGrid& g) { g.Columns()->Move(0, 2); }},
        {"assigns Columns", [](TVelkoGrid& g) {
             TvgColumns two;
             two.Add(), two.Add();
             g.SetColumns(&two);
         }},
    };
    for (const TOperation& operation : operations) {
        for (const THandlerCase& handler : handlers) {
            SCOPED_TRACE(std::string(handler.Name) + " while " + operation.Name);
            TVgGridWindow W;
            TVelkoGrid& grid = *W.Grid;
            const std::set<int> tagged = Tag(grid);
            if (std::string(operation.Name).starts_with("showing"))
                (*grid.Columns())[1]->SetVisible(false);
            QStringList& caught = W.CatchExceptions();
            int calls = 0;
            grid.OnColumnMoved = [&](TObject*, int, int) { ++calls, handler.Act(grid); };
            QString raised;
            try {
                operation.Run(grid);
            } catch (const std::exception& e) {
                raised = QString::fromUtf8(e.what());
            }
            grid.OnColumnMoved = nullptr;
            EXPECT_GT(calls, 0);
            const QString refusal = QStringLiteral("TVelkoGrid: the columns cannot change while the grid hides, shows or removes one");
            const bool refused = handler.Name != std::string("throws");
            const QString expected = refused ? refusal : QStringLiteral("db refused");
            if (operation.Name[0] == 'C')
                EXPECT_EQ(caught, QStringList{expected});
            else
                EXPECT_EQ(raised, expected);
            EXPECT_EQ(grid.ColCount(), operation.ColumnsAfter);
            ExpectInStep(grid, tagged);
        }
    }
}

// An object deleted directly (not through Columns) by a handler while a column is hidden:
// the hide completes, and the grid comes in step by position as after a removal within
// an update.
TEST(VelkoGridColumnsUnderHandlers, AnObjectDestroyedDirectlyWhileAColumnIsHiddenLeavesTheGridInStep)
{
    TVgGridWindow W;
    TVelkoGrid& grid = *W.Grid;
    const std::set<int> tagged = Tag(grid);
    TvgColumn* doomed = grid.GetVisibleColumn(4);
    grid.OnColumnMoved = [&](TObject*, int, int) { delete std::exchange(doomed, nullptr); };
    grid.GetVisibleColumn(1)->SetVisible(false);
    EXPECT_EQ(doomed, nullptr);
    EXPECT_EQ(grid.ColCount(), 3);
    ExpectInStep(grid, tagged);
}

// The editor's look, image and read-only events remove the column it is opened on (or
// clear Columns) while it lays itself out: it takes the column as it is after each event.
TEST(VelkoGridColumnsUnderHandlers, TheEditorOpensWhateverItsLookEventsDoToTheColumns)
{
    // The look is asked twice, when the editor loads its cell and when it lays itself out.
    const THandlerCase handlers[] = {
        {"look: deletes the edited column", [](TVelkoGrid& g) { g.Columns()->Delete(2); }},
        {"look: deletes another column", [](TVelkoGrid& g) { g.Columns()->Delete(3); }},
        {"look: clears Columns", [](TVelkoGrid& g) { g.Columns()->Clear(); }},
        {"image: deletes the edited column", [](TVelkoGrid& g) { g.Columns()->Delete(2); }},
        {"read-only: deletes the edited column", [](TVelkoGrid& g) { g.Columns()->Delete(2); }},
        {"read-only: clears Columns", [](TVelkoGrid& g) { g.Columns()->Clear(); }},
        {"read-only: hides the edited column", [](TVelkoGrid& g) { g.GetVisibleColumn(2)->SetVisible(false); }},
    };
    for (const THandlerCase& handler : handlers) {
        const std::string event = std::string(handler.Name).substr(0, 4);
        for (const int atCall : {1, 2}) {
            if (atCall == 2 && event != "look")
                continue;
            SCOPED_TRACE(std::string(handler.Name) + " when asked " + std::to_string(atCall) + " time(s)");
            TVgGridWindow W;
            TVelkoGrid& grid = *W.Grid;
            const std::set<int> tagged = Tag(grid);
            W.CatchExceptions();
            grid.GetVisibleColumn(2)->SetControlType({vgctlButton, vgctlComboBox});
            grid.GetVisibleColumn(2)->SetMaxTextLength(3);
            grid.SetCol(2);
            grid.SetRow(1);
            int calls = 0;
            const auto act = [&] {
                if (++calls == atCall)
                    handler.Act(grid);
            };
            // Only once the editor asks: painting asks the same events.
            const auto editing = [&](int col, int row) { return grid.VgInplaceEditor() && col == 2 && row == 1; };
            if (event == "look")
                grid.OnChangeCellAttributes = [&](TObject*, int col, int row, TvgHeading*, TvgCellStates, TColor&, TFont*,
                                                  TAlignment&, TvgVAlignment&, TBevelCut&, TBevelCut&) {
                    if (editing(col, row))
                        act();
                };
            else if (event == "imag")
                grid.OnGetCellImage = [&](TObject*, int col, int row, int, TObject*&, int&, TvgImagePosition&, TAlignment&,
                                          TvgVAlignment&, int&) {
                    if (editing(col, row))
                        act();
                };
            else
                grid.OnGetReadOnly = [&](TObject*, int col, int row, bool&) {
                    if (editing(col, row))
                        act();
                };
            grid.ShowEditor();
            QApplication::processEvents();
            grid.OnChangeCellAttributes = nullptr;
            grid.OnGetCellImage = nullptr;
            grid.OnGetReadOnly = nullptr;
            EXPECT_GE(calls, atCall);
            ExpectInStep(grid, tagged, !std::string(handler.Name).ends_with("Columns"));
            // What the editor shows now is the current cell's, with that column's limit.
            TVgInplaceEdit* editor = grid.VgInplaceEditor();
            ASSERT_NE(editor, nullptr);
            if (editor->isVisible()) {
                EXPECT_EQ(editor->Text(), grid.Cells(grid.Col(), grid.Row()));
                EXPECT_EQ(editor->MaxLength(), grid.GetVisibleColumn(grid.Col())->MaxTextLength());
            }
        }
    }
}

// The edited cell is written by a load while the editor's handler removes column objects:
// the editor is reloaded once the load is done, and every value is where the load put it.
TEST(VelkoGridColumnsUnderHandlers, ALoadReloadsTheEditorOnceItIsDone)
{
    const THandlerCase handlers[] = {
        {"deletes the hidden object", [](TVelkoGrid& g) { g.Columns()->Delete(3); }},
        {"deletes a shown object", [](TVelkoGrid& g) { g.Columns()->Delete(2); }},
        {"deletes the edited object", [](TVelkoGrid& g) { g.Columns()->Delete(1); }},
        {"clears Columns", [](TVelkoGrid& g) { g.Columns()->Clear(); }},
        {"hides a column", [](TVelkoGrid& g) { g.GetVisibleColumn(3)->SetVisible(false); }},
        {"changes nothing", [](TVelkoGrid&) {}},
    };
    for (const THandlerCase& handler : handlers) {
        SCOPED_TRACE(handler.Name);
        TVgGridWindow W;
        TVelkoGrid& grid = *W.Grid;
        grid.SetRowCount(3);
        std::vector<int> ids;
        for (int i = 0; i < grid.Columns()->Count(); ++i)
            ids.push_back((*grid.Columns())[i]->ID());
        (*grid.Columns())[3]->SetVisible(false);
        W.Edit(1, 1);
        QString reloadedWith;
        grid.OnGetEditText = [&, act = Once([&] { handler.Act(grid); })](TObject*, int col, int row, QString&) {
            if (reloadedWith.isNull())
                reloadedWith = grid.Cells(col, row);
            act();
        };
        QBuffer buffer;
        buffer.setData("a,b,c,d,e\r\nf,g,h,i,j\r\n");
        buffer.open(QIODevice::ReadOnly);
        grid.LoadFromStream(0, 1, buffer);
        grid.OnGetEditText = nullptr;
        EXPECT_EQ(reloadedWith, QStringLiteral("b")) << "the editor was reloaded before the load was done";
        ASSERT_EQ(grid.GetVisibleColumnCount(), grid.ColCount());
        EXPECT_EQ(grid.RowCount(), 3);
        const QStringList lines[] = {{"a", "b", "c", "d", "e"}, {"f", "g", "h", "i", "j"}};
        for (size_t j = 0; j < ids.size(); ++j) {
            const auto* column = dynamic_cast<TvgColumn*>(grid.Columns()->FindItemID(ids[j]));
            if (!column)
                continue;
            for (int row = 1; row < 3; ++row)
                EXPECT_EQ(CellOf(grid, *column, row), lines[row - 1][int(j)]) << "object " << j << ", row " << row;
        }
    }
}

// A suggestion whose handler hides, moves or reloads the editor is not shown, and none
// goes into a cell it was not made for.
TEST(VelkoGridColumnsUnderHandlers, ASuggestionGoesOnlyIntoTheCellItWasMadeFor)
{
    const THandlerCase handlers[] = {
        {"hides the edited column", [](TVelkoGrid& g) { g.GetVisibleColumn(1)->SetVisible(false); }},
        {"deletes the edited column", [](TVelkoGrid& g) { g.Columns()->Delete(1); }},
        {"inserts a row above", [](TVelkoGrid& g) { g.InsertRow(1); }},
        {"moves to another cell", [](TVelkoGrid& g) { g.SetCol(2); }},
        {"writes the edited cell", [](TVelkoGrid& g) { g.SetCells(1, 1, QStringLiteral("written")); }},
    };
    for (const THandlerCase& handler : handlers) {
        for (const bool alwaysShown : {false, true}) {
            SCOPED_TRACE(std::string(handler.Name) + (alwaysShown ? ", editor always shown" : ""));
            TVgGridWindow W;
            TVelkoGrid& grid = *W.Grid;
            if (alwaysShown)
                grid.SetOptions(grid.Options() + TGridOptions{goAlwaysShowEditor});
            Tag(grid);
            grid.SetCells(1, 1, QString());
            TVgInplaceEdit* editor = W.Edit(1, 1);
            grid.OnGetSuggestion = [&, act = Once([&] { handler.Act(grid); })](TObject*, int, int, const QString& text,
                                                                            QString& suggestion) {
                act();
                suggestion = text + QStringLiteral("-suggested");
            };
            TypeText(QStringLiteral("x"));
            EXPECT_FALSE(editor->IsAutoSuggestionUp());
            grid.SetRow(3);
            grid.HideEditor();
            grid.OnGetSuggestion = nullptr;
            ASSERT_EQ(grid.GetVisibleColumnCount(), grid.ColCount());
            for (int i = 0; i < grid.Columns()->Count(); ++i)
                for (int row = 0; row < grid.RowCount(); ++row)
                    EXPECT_FALSE(CellOf(grid, *(*grid.Columns())[i], row).contains(QStringLiteral("suggested")))
                        << "object " << i << ", row " << row;
        }
    }
}

// A column or row moved while the editor is open takes the current cell along; the suggestion
// made there is not taken into the cell that comes into its place.
TEST(VelkoGridColumnsUnderHandlers, ASuggestionStaysWithItsCellWhenColumnsOrRowsMove)
{
    const THandlerCase moves[] = {
        {"column moved", [](TVelkoGrid& g) { g.MoveColumn(3, 4); }},
        {"row moved", [](TVelkoGrid& g) { g.MoveRow(3, 5); }},
    };
    for (const THandlerCase& move : moves) {
        SCOPED_TRACE(move.Name);
        TVgGridWindow W;
        TVelkoGrid& grid = *W.Grid;
        grid.OnGetSuggestion = [](TObject*, int, int, const QString& text, QString& suggestion) {
            suggestion = text + QStringLiteral("-suggested");
        };
        grid.SetCol(3);
        grid.SetRow(3);
        move.Act(grid);
        const TGridCoord moved{grid.Col(), grid.Row()};
        grid.ShowEditor();
        TypeText(QStringLiteral("x"));
        ASSERT_TRUE(grid.VgInplaceEditor()->IsAutoSuggestionUp());
        grid.SetCol(3);
        grid.SetRow(3);
        grid.HideEditor();
        for (int col = 1; col < grid.ColCount(); ++col)
            for (int row = 1; row < grid.RowCount(); ++row)
                if (col != moved.X || row != moved.Y)
                    EXPECT_FALSE(grid.Cells(col, row).contains(QStringLiteral("suggested"))) << col << ", " << row;
    }
}

// Handlers that run once the grid has its new column count (the always-shown editor is
// laid out again then) and that edit the columns: the count is the grid's own, and their
// edits are taken as any other, with every grid column keeping its object.
TEST(VelkoGridColumnsUnderHandlers, HandlersRunAsTheColumnCountChangesEditTheColumnsInStep)
{
    const THandlerCase handlers[] = {
        {"hides a column", [](TVelkoGrid& g) { g.GetVisibleColumn(1)->SetVisible(false); }},
        {"deletes an object", [](TVelkoGrid& g) { g.Columns()->Delete(1); }},
        {"clears Columns", [](TVelkoGrid& g) { g.Columns()->Clear(); }},
        {"shows a column", [](TVelkoGrid& g) { (*g.Columns())[4]->SetVisible(true); }},
    };
    for (const THandlerCase& handler : handlers) {
        for (const bool look : {false, true}) {
            SCOPED_TRACE(std::string(handler.Name) + (look ? " from the look event" : " from the read-only event"));
            TVgGridWindow W;
            TVelkoGrid& grid = *W.Grid;
            grid.SetOptions(grid.Options() + TGridOptions{goAlwaysShowEditor});
            (*grid.Columns())[4]->SetVisible(false);
            const std::set<int> tagged = Tag(grid);
            W.Edit(2, 1);
            grid.Columns()->Add();
            int calls = 0;
            const auto act = Once([&] { ++calls, handler.Act(grid); });
            if (look)
                grid.OnChangeCellAttributes = [&](TObject*, int, int, TvgHeading*, TvgCellStates, TColor&, TFont*,
                                                  TAlignment&, TvgVAlignment&, TBevelCut&, TBevelCut&) { act(); };
            else
                grid.OnGetReadOnly = [&](TObject*, int, int, bool&) { act(); };
            grid.SetColCount(grid.GetVisibleColumnCount());
            grid.OnChangeCellAttributes = nullptr;
            grid.OnGetReadOnly = nullptr;
            EXPECT_EQ(calls, 1);
            ExpectInStep(grid, tagged, !std::string(handler.Name).ends_with("Columns"));
        }
    }
}

// A load that grows the grid opens an always-shown editor that was closed, and the
// editor's handler removes or hides column objects: the load goes on with the objects as
// they are then, or is refused part-way, and the rows it did not reach keep their cells.
TEST(VelkoGridColumnsUnderHandlers, ALoadGoesOnWithTheObjectsTheEditorsHandlerLeaves)
{
    const THandlerCase handlers[] = {
        {"deletes the hidden object", [](TVelkoGrid& g) { g.Columns()->Delete(3); }},
        {"deletes a shown object", [](TVelkoGrid& g) { g.Columns()->Delete(1); }},
        {"clears Columns", [](TVelkoGrid& g) { g.Columns()->Clear(); }},
        {"hides a column", [](TVelkoGrid& g) { g.GetVisibleColumn(0)->SetVisible(false); }},
        {"shows the hidden column", [](TVelkoGrid& g) { (*g.Columns())[3]->SetVisible(true); }},
    };
    for (const THandlerCase& handler : handlers) {
        SCOPED_TRACE(handler.Name);
        TVgGridWindow W;
        TVelkoGrid& grid = *W.Grid;
        grid.SetOptions(grid.Options() + TGridOptions{goAlwaysShowEditor});
        (*grid.Columns())[3]->SetVisible(false);
        const std::set<int> tagged = Tag(grid);
        W.Edit(1, 1);
        grid.HideEditor();
        int calls = 0;
        grid.OnGetEditText = [&, act = Once([&] { ++calls, handler.Act(grid); })](TObject*, int, int, QString&) { act(); };
        QBuffer buffer;
        buffer.setData("a,b,c,d,e\r\nf,g,h,i,j\r\n");
        buffer.open(QIODevice::ReadOnly);
        try {
            grid.LoadFromStream(0, 7, buffer);
        } catch (const EvgColumnIndexOutOfRange&) {
            // the objects the handler left end before the line's values do
        }
        grid.OnGetEditText = nullptr;
        EXPECT_EQ(calls, 1);
        ASSERT_EQ(grid.GetVisibleColumnCount(), grid.ColCount());
        EXPECT_LE(grid.RowCount(), 9);
        for (int i = 0; i < grid.Columns()->Count(); ++i) {
            const TvgColumn& column = *(*grid.Columns())[i];
            for (int row = 1; row < 7 && tagged.count(column.ID()); ++row)
                EXPECT_EQ(CellOf(grid, column, row), QStringLiteral("#%1:%2").arg(column.ID()).arg(row)) << i << ", " << row;
        }
    }
}
