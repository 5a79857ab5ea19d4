// How the editor shows its text: on one line scrolled sideways only as far as keeps the
// caret in view, aligned as the cell shows it; or, in a column that wraps its text, on
// wrapped lines that show the caret's line and start at the first one.
#include "support/VgGridHarness.h"

#include "TestEnvironment.h"

#include <QFontMetricsF>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

using namespace vg;
using namespace vg::test;

namespace {

const TAlignment Alignments[] = {taLeftJustify, taRightJustify, taCenter};

TVgInplaceEdit* OpenWithF2(TVgGridWindow& W, int row, const QString& text)
{
    W.Grid->HideEditor();
    W.Grid->SetCells(2, row, text);
    W.Grid->SetCol(2);
    W.Grid->SetRow(row);
    W.Grid->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(W.Grid, Qt::Key_F2);
    return W.Grid->VgInplaceEditor();
}

// The columns, 2 pixels in from the sides, that differ from the background colour.
std::pair<int, int> InkColumns(const QImage& image)
{
    std::pair ink(image.width(), -1);
    for (int x = 2; x < image.width() - 2; ++x)
        for (int y = 2; y < image.height() - 2; ++y)
            if (image.pixelColor(x, y) != image.pixelColor(1, image.height() / 2))
                ink = {std::min(ink.first, x), x};
    return ink;
}

} // namespace

TEST(VgEditTextLayout, TheTextStaysWhereTheCellShowedIt)
{
    TVgGridWindow W;
    for (const TAlignment alignment : Alignments)
        for (const QString& text : {QStringLiteral("7"), QStringLiteral("06-Jan")}) {
            SCOPED_TRACE(QStringLiteral("%1 alignment %2").arg(text).arg(int(alignment)).toStdString());
            W.Column(2)->SetColumnHAlignment(alignment);
            W.Grid->HideEditor();
            W.Grid->SetCells(2, 3, text);
            const QImage cell = W.Grid->viewport()->grab(W.Grid->CellRect(2, 3).ToQRect()).toImage();
            TVgInplaceEdit* editor = OpenWithF2(W, 3, text);
            editor->setCursorWidth(0);
            const QImage edited = editor->grab().toImage();
            editor->setCursorWidth(1);
            EXPECT_NEAR(InkColumns(edited).first, InkColumns(cell).first, 1);
            EXPECT_NEAR(InkColumns(edited).second, InkColumns(cell).second, 1);
        }
}

// Random keys on random texts, alignments and clip styles, in a low row and a row for
// three lines, against a plain model of the text and the caret.
TEST(VgEditTextLayout, RandomKeysKeepTheCaretInViewWithoutNeedlessScrolling)
{
    TVgGridWindow W;
    W.Grid->SetRowHeights(2, 60);
    QRandomGenerator random(20);
    const QStringList words = {"oak", "Walnut", "dining", "table", "06-Jan-24", "with", "six", "chairs", "7", "€"};
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Backspace, Qt::Key_X};
    for (int round = 0; round < 60; ++round) {
        QString model = QStringList(words.begin(), words.begin() + random.bounded(int(words.size()))).join(u' ');
        const bool wrap = random.bounded(3) == 0;
        W.Column(2)->SetColumnHAlignment(Alignments[random.bounded(3)]);
        W.Column(2)->SetColumnClipStyle(wrap ? vgclpWrap : vgclpClip);
        TVgInplaceEdit* editor = OpenWithF2(W, 1 + random.bounded(2), model);
        const QScrollBar& bar = *editor->horizontalScrollBar();
        qsizetype caret = model.size();
        for (int step = 0; step < 25; ++step) {
            const Qt::Key key = keys[random.bounded(int(std::size(keys)))];
            SCOPED_TRACE(QStringLiteral("round %1 step %2 \"%3\" key %4").arg(round).arg(step).arg(model).arg(int(key)).toStdString());
            const int before = bar.value();
            const int caretBefore = editor->cursorRect().left() + before;
            // Wrapped, Home and End keep to the caret's line; Ctrl takes them to the text's ends.
            QTest::keyClick(editor, key, wrap && (key == Qt::Key_Home || key == Qt::Key_End) ? Qt::ControlModifier : Qt::NoModifier);
            switch (key) {
            case Qt::Key_Left: caret = std::max<qsizetype>(caret - 1, 0); break;
            case Qt::Key_Right: caret = std::min(caret + 1, model.size()); break;
            case Qt::Key_Home: caret = 0; break;
            case Qt::Key_End: caret = model.size(); break;
            case Qt::Key_Backspace: caret > 0 ? void(model.remove(--caret, 1)) : void(); break;
            default: model.insert(caret++, u'x'); break;
            }
            ASSERT_EQ(editor->Text(), model);
            ASSERT_EQ(editor->textCursor().position(), caret);
            EXPECT_TRUE(editor->viewport()->rect().contains(editor->cursorRect())) << "the caret shows";
            const int lines = editor->document()->firstBlock().layout()->lineCount();
            const int view = editor->viewport()->width();
            if (wrap) {
                EXPECT_EQ(bar.value(), 0);
                if (lines * editor->cursorRect().height() <= editor->viewport()->height() - 2)
                    EXPECT_EQ(editor->verticalScrollBar()->value(), 0) << "the first line shows";
                continue;
            }
            EXPECT_EQ(lines, 1);
            if (QFontMetricsF(editor->font()).horizontalAdvance(model) <= view - 2 || key == Qt::Key_Home)
                EXPECT_EQ(bar.value(), 0);
            // A caret that stayed where the old view showed it scrolls nothing.
            const int caretNow = editor->cursorRect().left() + bar.value();
            if (caretNow == caretBefore && caretNow - 1 >= before && caretNow + 2 <= before + view && before <= bar.maximum())
                EXPECT_EQ(bar.value(), before);
        }
    }
}
