// How the editor shows its text: on one line that scrolls sideways only as far as keeps
// the caret in view, aligned as the cell shows it, or, in a column that wraps its text,
// on wrapped lines that scroll to the caret's line and start at the first one.
#include "support/VgGridHarness.h"

#include "TestEnvironment.h"

#include <QFontMetricsF>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <optional>

using namespace vg;
using namespace vg::test;

namespace {

const QString Long = QStringLiteral("Walnut dining table with six chairs");
const QString Texts[] = {QString(), QStringLiteral("7"), QStringLiteral("06-Jan-24"), Long};
const TAlignment Alignments[] = {taLeftJustify, taRightJustify, taCenter};

struct VgEditTextLayout : ::testing::Test {
    TVgGridWindow W;
    TvgColumn* Column = W.Column(2);

    // Opens the editor on the cell with F2, as a user does: the caret at the end.
    TVgInplaceEdit* OpenWithF2(int row, const QString& text)
    {
        W.Grid->HideEditor();
        W.Grid->SetCells(2, row, text);
        W.Grid->SetCol(2);
        W.Grid->SetRow(row);
        W.Grid->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(W.Grid, Qt::Key_F2);
        TVgInplaceEdit* editor = W.Grid->VgInplaceEditor();
        EXPECT_TRUE(editor && editor->isVisible() && editor->hasFocus());
        return editor;
    }
};

QString Describe(const QString& text, TAlignment alignment, TvgClipStyle clip)
{
    return QStringLiteral("\"%1\" alignment %2 clip %3").arg(text).arg(int(alignment)).arg(int(clip));
}

int Scroll(const TVgInplaceEdit* editor)
{
    return editor->horizontalScrollBar()->value();
}

// The caret in the editor's coordinates, and whether all of it lies in the text area.
QRect Caret(TVgInplaceEdit* editor)
{
    return editor->cursorRect().translated(editor->viewport()->pos());
}

bool CaretShown(TVgInplaceEdit* editor)
{
    return editor->viewport()->rect().contains(editor->cursorRect());
}

int ShownLines(const TVgInplaceEdit* editor)
{
    int lines = 0;
    for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next())
        lines += block.layout()->lineCount();
    return lines;
}

// The columns of the image that differ from its background (taken at the left edge of the
// middle row), from 2 pixels inside its left and right edges.
std::optional<std::pair<int, int>> InkColumns(const QImage& image)
{
    const QColor background = image.pixelColor(1, image.height() / 2);
    std::optional<std::pair<int, int>> ink;
    for (int x = 2; x < image.width() - 2; ++x)
        for (int y = 2; y < image.height() - 2; ++y)
            if (image.pixelColor(x, y) != background) {
                ink = ink ? std::pair(ink->first, x) : std::pair(x, x);
                break;
            }
    return ink;
}

} // namespace

TEST_F(VgEditTextLayout, OneLineAlignedAsTheColumnShowsTheCaretAndTheTextFromItsStart)
{
    for (const TvgClipStyle clip : {vgclpClip, vgclpEllipsis})
        for (const TAlignment alignment : Alignments)
            for (const QString& text : Texts) {
                SCOPED_TRACE(Describe(text, alignment, clip).toStdString());
                Column->SetColumnClipStyle(clip);
                Column->SetColumnHAlignment(alignment);
                TVgInplaceEdit* editor = OpenWithF2(2, text);
                const TRect area = editor->EditArea();
                const bool fits = QFontMetricsF(editor->font()).horizontalAdvance(text) <= area.Right - area.Left - 1;
                EXPECT_EQ(ShownLines(editor), 1);
                EXPECT_EQ(editor->verticalScrollBar()->value(), 0);
                EXPECT_TRUE(CaretShown(editor));
                EXPECT_EQ(editor->textCursor().position(), text.size());
                const int end = Caret(editor).left();
                if (!fits) {
                    // The end of a long text, the caret against the right edge.
                    EXPECT_EQ(end + 1, area.Right);
                }
                QTest::keyClick(editor, Qt::Key_Home);
                EXPECT_EQ(editor->textCursor().position(), 0) << "Home goes to the start of the text";
                EXPECT_EQ(Scroll(editor), 0);
                const int start = Caret(editor).left();
                if (!fits || alignment == taLeftJustify) {
                    EXPECT_EQ(start, area.Left);
                } else if (alignment == taRightJustify) {
                    EXPECT_EQ(end + 1, area.Right) << "the caret after the last character still shows";
                } else {
                    EXPECT_NEAR(start - area.Left, area.Right - (end + 1), 2);
                }
                QTest::keyClick(editor, Qt::Key_End);
                EXPECT_TRUE(CaretShown(editor));
                EXPECT_EQ(Caret(editor).left(), end);
            }
}

TEST_F(VgEditTextLayout, TheTextStaysWhereTheCellShowedIt)
{
    // The cell's own ink and the open editor's, without the caret, side by side.
    for (const TAlignment alignment : Alignments)
        for (const QString& text : {QStringLiteral("7"), QStringLiteral("06-Jan")}) {
            SCOPED_TRACE(Describe(text, alignment, vgclpClip).toStdString());
            Column->SetColumnHAlignment(alignment);
            W.Grid->HideEditor();
            W.Grid->SetCells(2, 3, text);
            const TRect cell = W.Grid->CellRect(2, 3);
            const QImage shown = W.Grid->viewport()->grab(cell.ToQRect()).toImage();
            TVgInplaceEdit* editor = OpenWithF2(3, text);
            ASSERT_EQ(editor->geometry(), cell.ToQRect());
            editor->setCursorWidth(0);
            const QImage edited = editor->grab().toImage();
            editor->setCursorWidth(1);
            const auto cellInk = InkColumns(shown);
            const auto editorInk = InkColumns(edited);
            ASSERT_TRUE(cellInk && editorInk);
            EXPECT_NEAR(editorInk->first, cellInk->first, 1);
            EXPECT_NEAR(editorInk->second, cellInk->second, 1);
        }
}

TEST_F(VgEditTextLayout, AWrappingColumnEditsWrappedAndShowsTheFirstLineWhileTheTextFits)
{
    Column->SetColumnClipStyle(vgclpWrap);
    struct Case {
        const char* Name;
        QString Text;
        int RowHeight;
    };
    const Case cases[] = {
        {"one line in a low row", QStringLiteral("06-Jan-24"), 24},
        {"two lines in a row for three", QStringLiteral("Walnut dining"), 60},
        {"many lines in a low row", Long, 24},
        {"many lines in a row for three", Long, 60},
    };
    for (const TAlignment alignment : Alignments)
        for (const Case& c : cases) {
            SCOPED_TRACE(QStringLiteral("%1, alignment %2").arg(QString::fromUtf8(c.Name)).arg(int(alignment)).toStdString());
            Column->SetColumnHAlignment(alignment);
            W.Grid->SetRowHeights(4, c.RowHeight);
            TVgInplaceEdit* editor = OpenWithF2(4, c.Text);
            const int lineHeight = editor->cursorRect().height();
            const bool fits = ShownLines(editor) * lineHeight <= editor->viewport()->height() - 2;
            EXPECT_TRUE(CaretShown(editor)) << "the caret's line shows";
            EXPECT_EQ(Scroll(editor), 0) << "wrapped text never scrolls sideways";
            if (fits)
                EXPECT_EQ(editor->verticalScrollBar()->value(), 0) << "the first line shows";
            // Every line lies in the text area, as the column aligns it.
            const QTextLayout& layout = *editor->document()->firstBlock().layout();
            for (int i = 0; i < layout.lineCount(); ++i) {
                const QRectF line = layout.lineAt(i).naturalTextRect();
                const qreal left = line.left() - 1;
                const qreal right = editor->viewport()->width() - 1 - line.right();
                EXPECT_GE(left, -0.5);
                EXPECT_GE(right, -0.5);
                if (alignment == taLeftJustify)
                    EXPECT_NEAR(left, 0, 0.5);
                else if (alignment == taRightJustify)
                    EXPECT_NEAR(right, 0, 0.5);
                else
                    EXPECT_NEAR(left, right, 1);
            }
            QTest::keyClick(editor, Qt::Key_Home, Qt::ControlModifier);
            EXPECT_EQ(editor->verticalScrollBar()->value(), 0);
            EXPECT_TRUE(CaretShown(editor));
        }
}

// Random keys on random texts against a plain model of the text and the caret: the caret
// always shows, the view never scrolls while the caret is in it, a text that fits is
// never scrolled, and Home and End go to the text's ends.
TEST_F(VgEditTextLayout, RandomKeysKeepTheCaretInViewWithoutNeedlessScrolling)
{
    QRandomGenerator random(20);
    const QStringList words = {"oak", "Walnut", "dining", "table", "06-Jan-24", "with", "six", "chairs", "7", "€"};
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_X, Qt::Key_Space};
    for (int round = 0; round < 40; ++round) {
        QString model;
        for (int n = random.bounded(8); n > 0; --n)
            model += (model.isEmpty() ? QString() : QStringLiteral(" ")) + words[random.bounded(int(words.size()))];
        const TAlignment alignment = Alignments[random.bounded(3)];
        Column->SetColumnHAlignment(alignment);
        TVgInplaceEdit* editor = OpenWithF2(5, model);
        qsizetype caret = model.size();
        for (int step = 0; step < 25; ++step) {
            const Qt::Key key = keys[random.bounded(int(std::size(keys)))];
            SCOPED_TRACE(QStringLiteral("round %1 step %2 \"%3\" key %4").arg(round).arg(step).arg(model).arg(int(key)).toStdString());
            const int before = Scroll(editor);
            const int caretBefore = editor->cursorRect().left() + before;
            QTest::keyClick(editor, key);
            switch (key) {
            case Qt::Key_Left: caret = std::max<qsizetype>(caret - 1, 0); break;
            case Qt::Key_Right: caret = std::min(caret + 1, model.size()); break;
            case Qt::Key_Home: caret = 0; break;
            case Qt::Key_End: caret = model.size(); break;
            case Qt::Key_Backspace:
                if (caret > 0)
                    model.remove(--caret, 1);
                break;
            case Qt::Key_Delete: model.remove(caret, 1); break;
            default: model.insert(caret++, key == Qt::Key_X ? u'x' : u' '); break;
            }
            ASSERT_EQ(editor->Text(), model);
            ASSERT_EQ(editor->textCursor().position(), caret);
            EXPECT_EQ(ShownLines(editor), 1);
            EXPECT_TRUE(CaretShown(editor));
            const int view = editor->viewport()->width();
            if (QFontMetricsF(editor->font()).horizontalAdvance(model) <= view - 2)
                EXPECT_EQ(Scroll(editor), 0);
            // A caret that stayed where the old view showed it, in a text that did not
            // shrink, scrolls nothing.
            const int caretNow = editor->cursorRect().left() + Scroll(editor);
            const bool stillShown = caretNow - 1 >= before && caretNow + 2 <= before + view;
            if (caretNow == caretBefore && stillShown && before <= editor->horizontalScrollBar()->maximum())
                EXPECT_EQ(Scroll(editor), before);
            if (key == Qt::Key_Home)
                EXPECT_EQ(Scroll(editor), 0);
        }
    }
}
