// The grid as its editor sees it: every answer of TVgEditorGrid comes from the current
// cell's column and the grid's events, and every report reaches the application.
#include "grid/VgGrid.h"

#include "common/VgGlobal.h"
#include "platform/graphics/Canvas.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {

// Opens the protected editor interface to the test, as the editor the grid creates sees it.
struct EditorView : TVelkoGrid {
    TVgEditorGrid& Editor() { return *this; }
};

} // namespace

TEST(VelkoGridEditorView, AnswersFromTheColumnAndTheEventsAndReportsToTheApplication)
{
    EditorView grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(4);
    grid.SetCells(2, 3, QStringLiteral("text"));
    TvgColumn* column = grid.GetVisibleColumn(2);
    column->SetColumnColor(clYellow);
    column->ColumnFont()->SetName(QStringLiteral("DejaVu Serif"));
    grid.SetCol(2);
    grid.SetRow(3);
    TVgEditorGrid& editor = grid.Editor();

    EXPECT_EQ(editor.EditorCurrentCell().X, 2);
    EXPECT_EQ(editor.EditorCurrentCell().Y, 3);
    EXPECT_EQ(editor.EditorColumn(2), column);
    EXPECT_THROW(editor.EditorColumn(3), EvgColumnIndexOutOfRange);
    EXPECT_EQ(editor.EditorHost()->EditorCellText(), QStringLiteral("text"));
    editor.EditorSetCells(2, 3, QStringLiteral("new"));
    EXPECT_EQ(grid.Cells(2, 3), QStringLiteral("new"));

    // The cell's look: the column's, then the attribute event's last word.
    TFont font;
    column->SetColumnHAlignment(taCenter);
    column->SetColumnClipStyle(vgclpWrap);
    TVgEditorLook look = editor.EditorCellLook(2, 3, font);
    EXPECT_EQ(look.Color, clYellow);
    EXPECT_EQ(look.Alignment, taCenter);
    EXPECT_EQ(look.ClipStyle, vgclpWrap);
    EXPECT_EQ(font.Name(), QStringLiteral("DejaVu Serif"));
    grid.OnChangeCellAttributes = [](TObject*, int, int, TvgHeading*, TvgCellStates, TColor& color, TFont* f,
                                     TAlignment& alignment, TvgVAlignment&, TBevelCut&, TBevelCut&) {
        color = clAqua;
        f->SetSize(20);
        alignment = taRightJustify;
    };
    look = editor.EditorCellLook(2, 3, font);
    EXPECT_EQ(look.Color, clAqua);
    EXPECT_EQ(look.Alignment, taRightJustify);
    EXPECT_EQ(font.Size(), 20);

    // Events: absent handlers leave the defaults; present ones see the cell and decide.
    EXPECT_TRUE(editor.EditorReadOnly(2, 3, true));
    EXPECT_FALSE(editor.EditorHasSuggestionHandler());
    EXPECT_EQ(editor.EditorSuggestion(2, 3, QStringLiteral("ap")), QString());
    QStringList log;
    grid.OnGetReadOnly = [&](TObject*, int c, int r, bool& readOnly) {
        log << QStringLiteral("readonly %1,%2").arg(c).arg(r);
        readOnly = !readOnly;
    };
    grid.OnGetSuggestion = [&](TObject*, int, int, const QString& text, QString& suggestion) {
        suggestion = text + QStringLiteral("ple");
    };
    grid.OnButtonClick = [&](TObject*, int c, int r) { log << QStringLiteral("button %1,%2").arg(c).arg(r); };
    grid.OnCellEdited = [&](TObject*, int c, int r) { log << QStringLiteral("edited %1,%2").arg(c).arg(r); };
    grid.OnComboSelection = [&](TObject*, int c, int r) { log << QStringLiteral("combo %1,%2").arg(c).arg(r); };
    EXPECT_FALSE(editor.EditorReadOnly(2, 3, true));
    EXPECT_TRUE(editor.EditorHasSuggestionHandler());
    EXPECT_EQ(editor.EditorSuggestion(2, 3, QStringLiteral(" ap")), QStringLiteral(" apple"));
    editor.EditorButtonClick(2, 3);
    editor.EditorCellEdited(1, 2);
    editor.EditorComboSelection(2, 1);
    EXPECT_EQ(log, QStringList({"readonly 2,3", "button 2,3", "edited 1,2", "combo 2,1"}));

    // The image strip comes out of the rectangle whether or not it is drawn.
    grid.OnGetCellImage = [](TObject*, int, int, int, TObject*& source, int&, TvgImagePosition&, TAlignment&,
                             TvgVAlignment&, int& margin) {
        static TPicture picture;
        picture.SetBitmap(QImage(16, 16, QImage::Format_RGB32));
        source = &picture;
        margin = 2;
    };
    TRect rect = Rect(2, 2, 100, 20);
    TCanvas canvas;
    editor.EditorCellImage(2, 3, rect, false, canvas);
    EXPECT_EQ(rect.Left, 22);
    EXPECT_EQ(rect.Right, 100);
}
