// Every event of the grid is also a Qt signal: raised right after its handler with the same
// arguments, whether or not a handler is set; slots answer, refuse, throw and change the
// grid as handlers do, and a look slot never sees a column object a handler removed.
#include "grid/VgGrid.h"

#include "platform/app/Application.h"
#include "platform/graphics/Picture.h"

#include "support/VgGridHarness.h"
#include "TestEnvironment.h"

#include <QPainter>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace vg;
using namespace vg::test;

namespace {

// What an event was given, comparable across grids: column-model objects by kind and
// index, other objects by whether they are there.
template <class T>
QString Describe(const T& v)
{
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<U, bool>)
        return v ? QStringLiteral("true") : QStringLiteral("false");
    else if constexpr (std::is_same_v<U, QString>)
        return u'"' + v + u'"';
    else if constexpr (std::is_same_v<U, QChar>)
        return u'\'' + QString(v) + u'\'';
    else if constexpr (std::is_same_v<U, TRect>)
        return QStringLiteral("[%1,%2,%3,%4]").arg(v.Left).arg(v.Top).arg(v.Right).arg(v.Bottom);
    else if constexpr (std::is_same_v<U, QRect>)
        return Describe(TRect::FromQRect(v));
    else if constexpr (std::is_same_v<U, TPoint>)
        return QStringLiteral("(%1,%2)").arg(v.X).arg(v.Y);
    else if constexpr (std::is_same_v<U, QPoint>)
        return QStringLiteral("(%1,%2)").arg(v.x()).arg(v.y());
    else if constexpr (std::is_convertible_v<U, const TvgHeading*>)
        return !v ? QStringLiteral("null")
                  : (dynamic_cast<const TvgColumn*>(v) ? QStringLiteral("column ") : QStringLiteral("heading "))
                + QString::number(v->Index());
    else if constexpr (std::is_pointer_v<U>)
        return v ? QStringLiteral("object") : QStringLiteral("null");
    else if constexpr (requires { v.Bits(); })
        return QStringLiteral("set ") + QString::number(v.Bits());
    else
        return QString::number(qint64(v));
}

template <class... A>
QString Entry(const char* name, const A&... a)
{
    QStringList parts;
    (parts << ... << Describe(a));
    return QString::fromLatin1(name) + u'(' + parts.join(u',') + u')';
}

enum class TWatch { Handlers, Signals, Both };

// Records the event as "handler name(...)" and its signal as "signal name(...)".
template <class Handler, class Signal>
void Watch(TVelkoGrid& grid, TWatch what, QStringList& log, const char* name, Handler& handler, Signal signal)
{
    if (what != TWatch::Signals)
        handler = [&log, name](TObject*, const auto&... a) { log << QStringLiteral("handler ") + Entry(name, a...); };
    if (what != TWatch::Handlers)
        QObject::connect(&grid, signal, &grid,
                         [&log, name](const auto&... a) { log << QStringLiteral("signal ") + Entry(name, a...); });
}

// The events of the grid, its hint grid and its host grid, each with its signal.
constexpr int EventCount = 30;
void WatchAll(TVelkoGrid& g, TWatch w, QStringList& log)
{
    const auto watch = [&](const char* name, auto& handler, auto signal) { Watch(g, w, log, name, handler, signal); };
    watch("cellDrawn", g.OnDrawCell, &TVelkoGrid::cellDrawn);
    watch("aboutToSelectCell", g.OnSelectCell, &TVelkoGrid::aboutToSelectCell);
    watch("focusEntered", g.OnEnter, &TVelkoGrid::focusEntered);
    watch("focusExited", g.OnExit, &TVelkoGrid::focusExited);
    watch("clicked", g.OnClick, &TVelkoGrid::clicked);
    watch("doubleClicked", g.OnDblClick, &TVelkoGrid::doubleClicked);
    watch("topLeftChanged", g.OnTopLeftChanged, &TVelkoGrid::topLeftChanged);
    watch("keyPressed", g.OnKeyDown, &TVelkoGrid::keyPressed);
    watch("characterTyped", g.OnKeyPress, &TVelkoGrid::characterTyped);
    watch("editTextRequested", g.OnGetEditText, &TVelkoGrid::editTextRequested);
    watch("editTextCommitted", g.OnSetEditText, &TVelkoGrid::editTextCommitted);
    watch("columnMoved", g.OnColumnMoved, &TVelkoGrid::columnMoved);
    watch("rowMoved", g.OnRowMoved, &TVelkoGrid::rowMoved);
    watch("cellHintRequested", g.OnShowCellHint, &TVelkoGrid::cellHintRequested);
    watch("cellEdited", g.OnCellEdited, &TVelkoGrid::cellEdited);
    watch("comboItemSelected", g.OnComboSelection, &TVelkoGrid::comboItemSelected);
    watch("buttonClicked", g.OnButtonClick, &TVelkoGrid::buttonClicked);
    watch("fixedCellPressed", g.OnBeforeFixedCellClick, &TVelkoGrid::fixedCellPressed);
    watch("fixedCellClicked", g.OnFixedCellClick, &TVelkoGrid::fixedCellClicked);
    watch("aboutToExitCell", g.OnExitCell, &TVelkoGrid::aboutToExitCell);
    watch("aboutToExitRow", g.OnExitRow, &TVelkoGrid::aboutToExitRow);
    watch("rowEntered", g.OnEnterRow, &TVelkoGrid::rowEntered);
    watch("cellEntered", g.OnEnterCell, &TVelkoGrid::cellEntered);
    watch("readOnlyRequested", g.OnGetReadOnly, &TVelkoGrid::readOnlyRequested);
    watch("suggestionRequested", g.OnGetSuggestion, &TVelkoGrid::suggestionRequested);
    watch("displayTextRequested", g.OnDisplayText, &TVelkoGrid::displayTextRequested);
    watch("conversionFailed", g.OnConversionError, &TVelkoGrid::conversionFailed);
    watch("cellAttributesRequested", g.OnChangeCellAttributes, &TVelkoGrid::cellAttributesRequested);
    watch("cellBordersRequested", g.OnChangeCellBorders, &TVelkoGrid::cellBordersRequested);
    watch("cellImageRequested", g.OnGetCellImage, &TVelkoGrid::cellImageRequested);
}

// The editor's reports, as the editor the grid creates sends them.
struct TEditorView : TVelkoGrid {
    static TVgEditorGrid& Of(TVelkoGrid& grid) { return static_cast<TEditorView&>(grid); }
};

// A grid in an active window with a heading, a numeric column showing a text that does
// not convert, and hints that follow the current cell.
struct TSignalWindow : TVgGridWindow {
    TSignalWindow()
    {
        Grid->HintTimer().SetInterval(3600 * 1000);
        Grid->SetHintFollowsMouse(false);
        Grid->SetRowHeights(0, 40);
        Grid->SetRowCount(30);
        Grid->Headings()->Add()->SetCaption(QStringLiteral("Group"));
        Column(2)->SetHeadingIndex(0);
        Column(3)->SetHeadingIndex(0);
        Column(2)->SetFormatType(vgfmtNumeric);
        Grid->SetCells(2, 2, QStringLiteral("abc"));
        Grid->SetCells(1, 1, QStringLiteral("one"));
        QApplication::processEvents();
    }
    QPoint CellCentre(int col, int row) const { return Centre(Grid->CellRect(col, row)); }
    QImage Painted() const { return Grid->viewport()->grab().toImage(); }
};

// Something a user and a program do with the grid that raises every event at least once.
void RaiseEveryEvent(TSignalWindow& w)
{
    TVelkoGrid& grid = *w.Grid;
    w.Painted();
    QTest::keyClick(&grid, Qt::Key_Down);
    TypeText(QStringLiteral("x"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, w.CellCentre(3, 3));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, w.CellCentre(1, 4));
    grid.HideEditor();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, w.CellCentre(1, 0));
    for (int i = 0; i < TVgHintGrid::HintDelayTicks; ++i)
        grid.HintTimer().Tick();
    grid.SetTopRow(2);
    grid.MoveColumn(1, 3);
    grid.MoveRow(2, 5);
    TVgEditorGrid& editor = TEditorView::Of(grid);
    editor.EditorComboSelection(2, 3);
    editor.EditorButtonClick(3, 2);
    editor.EditorSuggestion(1, 4, QStringLiteral("on"));
    w.Other->setFocus(Qt::TabFocusReason);
    grid.setFocus(Qt::TabFocusReason);
    grid.SetTopRow(1);
    w.Painted();
}

QStringList RunWatching(TWatch what)
{
    TSignalWindow w;
    QStringList log;
    WatchAll(*w.Grid, what, log);
    RaiseEveryEvent(w);
    return log;
}

QStringList WithoutPrefix(const QStringList& log, const QString& prefix)
{
    QStringList out;
    for (const QString& e : log)
        if (e.startsWith(prefix))
            out << e.mid(prefix.size());
    return out;
}

} // namespace

TEST(VelkoGridSignals, EachSignalFollowsItsHandlerWithTheSameArgumentsWhetherOrNotAHandlerIsSet)
{
    const QStringList both = RunWatching(TWatch::Both);
    ASSERT_EQ(both.size() % 2, 0);
    std::set<QString> names;
    for (int i = 0; i < both.size(); i += 2) {
        ASSERT_TRUE(both[i].startsWith(QStringLiteral("handler "))) << i << ": " << both[i].toStdString();
        ASSERT_EQ(both[i + 1], QStringLiteral("signal ") + both[i].mid(8)) << i;
        names.insert(both[i].section(u'(', 0, 0));
    }
    EXPECT_EQ(int(names.size()), EventCount) << "every event was raised: " << QStringList(names.begin(), names.end()).join(u' ').toStdString();

    // Signals alone come at the same points as handlers alone, and a connected signal
    // changes nothing of what the handlers see.
    QStringList handlers = RunWatching(TWatch::Handlers);
    EXPECT_EQ(WithoutPrefix(both, QStringLiteral("handler ")), handlers.replaceInStrings(QStringLiteral("handler "), QString()));
    EXPECT_EQ(RunWatching(TWatch::Signals).replaceInStrings(QStringLiteral("signal "), QString()), handlers);
}

namespace {

// An answer given either by the event's handler or by a slot of its signal: Answer takes
// the signal's arguments.
template <class Handler, class Signal, class Answer>
void Give(TVelkoGrid& grid, bool bySlot, Handler& handler, Signal signal, Answer answer)
{
    if (bySlot)
        QObject::connect(&grid, signal, &grid, answer);
    else
        handler = [answer](TObject*, auto&&... a) mutable { answer(a...); };
}

struct TAnswerCase {
    const char* Name;
    std::function<void(TVelkoGrid& grid, bool bySlot)> Answer;
    // What comes of it, as text.
    std::function<QString(TSignalWindow& w)> Outcome;
};

QString Position(const TVelkoGrid& grid)
{
    return QStringLiteral("%1,%2").arg(grid.Col()).arg(grid.Row());
}
QString AfterKeyDown(TSignalWindow& w)
{
    QTest::keyClick(w.Grid, Qt::Key_Down);
    return Position(*w.Grid) + QStringLiteral(" caught ") + w.Caught.join(u';');
}
// The grid as painted once everything an answer changed has settled.
QString PaintedImage(TSignalWindow& w)
{
    w.Painted();
    QApplication::processEvents();
    const QImage image = w.Painted();
    return QString::number(qHashBits(image.constBits(), image.sizeInBytes())) + QStringLiteral(" columns ")
        + QString::number(w.Grid->ColCount()) + QStringLiteral(" caught ") + QString::number(w.Caught.size());
}

// The handler has the cell's rectangle as a TRect, the slot as a QRect.
QRect AsQRect(const TRect& r)
{
    return r.ToQRect();
}
QRect AsQRect(const QRect& r)
{
    return r;
}

// A picture for the image answers.
TPicture& Picture()
{
    static TPicture picture;
    if (picture.Width() == 0) {
        QImage image(12, 12, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        picture.SetBitmap(image);
    }
    return picture;
}

const std::vector<TAnswerCase>& AnswerCases()
{
    static const std::vector<TAnswerCase> cases{
        {"a refused selection keeps the cell",
         [](TVelkoGrid& g, bool s) { Give(g, s, g.OnSelectCell, &TVelkoGrid::aboutToSelectCell, [](int, int, bool& ok) { ok = false; }); },
         AfterKeyDown},
        {"a refused cell exit keeps the cell",
         [](TVelkoGrid& g, bool s) { Give(g, s, g.OnExitCell, &TVelkoGrid::aboutToExitCell, [](int, int, bool& ok) { ok = false; }); },
         AfterKeyDown},
        {"a refused row exit keeps the cell",
         [](TVelkoGrid& g, bool s) { Give(g, s, g.OnExitRow, &TVelkoGrid::aboutToExitRow, [](int, int, bool& ok) { ok = false; }); },
         AfterKeyDown},
        {"a throwing exit is reported and keeps the cell",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnExitCell, &TVelkoGrid::aboutToExitCell, [](int, int, bool&) { throw EInvalidOperation(QStringLiteral("no exit")); });
         },
         AfterKeyDown},
        {"a throwing enter is reported and the move stands",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnEnterCell, &TVelkoGrid::cellEntered, [](int, int) { throw EInvalidOperation(QStringLiteral("no entry")); });
         },
         AfterKeyDown},
        {"a consumed key moves nothing",
         [](TVelkoGrid& g, bool s) { Give(g, s, g.OnKeyDown, &TVelkoGrid::keyPressed, [](int& key, TShiftState) { key = 0; }); },
         AfterKeyDown},
        {"a consumed character opens no editor",
         [](TVelkoGrid& g, bool s) { Give(g, s, g.OnKeyPress, &TVelkoGrid::characterTyped, [](QChar& key) { key = QChar(); }); },
         [](TSignalWindow& w) {
             TypeText(QStringLiteral("z"));
             return QString::number(w.Grid->EditorMode());
         }},
        {"the editor starts with the answered text",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnGetEditText, &TVelkoGrid::editTextRequested, [](int, int, QString& v) { v += QStringLiteral("+"); });
         },
         [](TSignalWindow& w) { return w.Edit(1, 1)->toPlainText(); }},
        {"a read-only answer",
         [](TVelkoGrid& g, bool s) { Give(g, s, g.OnGetReadOnly, &TVelkoGrid::readOnlyRequested, [](int, int, bool& ro) { ro = true; }); },
         [](TSignalWindow& w) { return QString::number(TEditorView::Of(*w.Grid).EditorReadOnly(1, 1, false)); }},
        {"a suggestion",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnGetSuggestion, &TVelkoGrid::suggestionRequested,
                  [](int, int, const QString& text, QString& suggestion) { suggestion = text + QStringLiteral("ly"); });
         },
         [](TSignalWindow& w) {
             TVgEditorGrid& editor = TEditorView::Of(*w.Grid);
             return QString::number(editor.EditorHasSuggestionHandler()) + editor.EditorSuggestion(1, 1, QStringLiteral("on"));
         }},
        {"a shown text",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnDisplayText, &TVelkoGrid::displayTextRequested,
                  [](int, int, TvgColumn*, QString& text, bool&) { text = QStringLiteral("<%1>").arg(text); });
         },
         [](TSignalWindow& w) { return w.Grid->GetDisplayText(1, 1) + PaintedImage(w); }},
        {"a text shown for one that does not convert",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnConversionError, &TVelkoGrid::conversionFailed,
                  [](int, int, TvgColumn*, QString& text) { text = QStringLiteral("n/a"); });
         },
         [](TSignalWindow& w) { return w.Grid->GetDisplayText(2, 2) + PaintedImage(w); }},
        {"a cell's colour, font and alignment",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnChangeCellAttributes, &TVelkoGrid::cellAttributesRequested,
                  [](int c, int, TvgHeading*, TvgCellStates, TColor& color, TFont* font, TAlignment& h, TvgVAlignment&,
                     TBevelCut& outer, TBevelCut&) {
                      if (c != 1)
                          return;
                      color = clAqua;
                      font->SetSize(14);
                      h = taRightJustify;
                      outer = bvRaised;
                  });
         },
         PaintedImage},
        {"a cell's borders",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnChangeCellBorders, &TVelkoGrid::cellBordersRequested,
                  [](int c, int r, TvgHeading*, TvgCellStates, TvgBorder* top, TvgBorder*, TvgBorder*, TvgBorder* left) {
                      if (c != 2 || r != 3)
                          return;
                      top->SetStyle(vgbrdSolid);
                      top->SetColor(clBlue);
                      left->SetStyle(vgbrdDouble);
                  });
         },
         PaintedImage},
        {"a cell's image",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnGetCellImage, &TVelkoGrid::cellImageRequested,
                  [](int c, int, int, TObject*& source, int&, TvgImagePosition& position, TAlignment&, TvgVAlignment&, int&) {
                      if (c == 3) {
                          source = &Picture();
                          position = vgipRight;
                      }
                  });
         },
         PaintedImage},
        {"drawing over a cell",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnDrawCell, &TVelkoGrid::cellDrawn, [&g](int c, int r, const auto& rect, TGridDrawState) {
                 if (c == 1 && r == 2)
                     g.Canvas().Handle()->fillRect(QRect(AsQRect(rect).topLeft(), QSize(6, 6)), Qt::red);
             });
         },
         PaintedImage},
        {"a look answer that removes a column while the grid paints",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnChangeCellAttributes, &TVelkoGrid::cellAttributesRequested,
                  [&g](int c, int, TvgHeading*, TvgCellStates, TColor&, TFont*, TAlignment&, TvgVAlignment&, TBevelCut&,
                       TBevelCut&) {
                      if (c == 3 && g.ColCount() == 5)
                          delete g.GetVisibleColumn(4);
                  });
         },
         PaintedImage},
        {"a shown text that throws while the grid paints",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnDisplayText, &TVelkoGrid::displayTextRequested,
                  [](int c, int r, TvgColumn*, QString&, bool&) {
                      if (c == 3 && r == 3)
                          throw EInvalidOperation(QStringLiteral("no text"));
                  });
         },
         PaintedImage},
        {"a hint with its place",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnShowCellHint, &TVelkoGrid::cellHintRequested, [](int c, int r, QString& hint, auto& topLeft) {
                 hint = QStringLiteral("cell %1,%2").arg(c).arg(r);
                 topLeft = {40, 50};
             });
         },
         [](TSignalWindow& w) {
             w.Grid->SetRow(3);
             for (int i = 0; i < TVgHintGrid::HintDelayTicks; ++i)
                 w.Grid->HintTimer().Tick();
             const QPoint at = w.Grid->HintWindow()->pos();
             return QStringLiteral("%1 at %2,%3").arg(w.Grid->HintShown()).arg(at.x()).arg(at.y());
         }},
        {"a refused press on a title is the grid's, with no click",
         [](TVelkoGrid& g, bool s) {
             Give(g, s, g.OnBeforeFixedCellClick, &TVelkoGrid::fixedCellPressed, [](int, int, int, bool& ok) { ok = false; });
         },
         [](TSignalWindow& w) {
             int clicks = 0;
             w.Grid->OnFixedCellClick = [&](TObject*, int, int, int, TMouseButton, TShiftState, int, int) { ++clicks; };
             QTest::mouseClick(w.Grid->viewport(), Qt::LeftButton, {}, w.CellCentre(1, 0));
             return QString::number(clicks);
         }},
    };
    return cases;
}

} // namespace

TEST(VelkoGridSignals, ASlotAnswersRefusesThrowsAndChangesTheGridAsAHandlerDoes)
{
    for (const TAnswerCase& c : AnswerCases()) {
        SCOPED_TRACE(c.Name);
        const auto outcome = [&](std::optional<bool> bySlot) {
            TSignalWindow w;
            w.CatchExceptions();
            if (bySlot)
                c.Answer(*w.Grid, *bySlot);
            return c.Outcome(w);
        };
        const QString byHandler = outcome(false);
        EXPECT_NE(byHandler, outcome(std::nullopt)) << "the answer changes something";
        EXPECT_EQ(outcome(true), byHandler);
    }
}

TEST(VelkoGridSignals, SlotsSeeTheHandlersAnswerAndHaveTheLastWord)
{
    TSignalWindow w;
    TVgEditorGrid& editor = TEditorView::Of(*w.Grid);
    w.Grid->OnGetSuggestion = [](TObject*, int, int, const QString& text, QString& s) { s = text + QStringLiteral("c"); };
    QObject::connect(w.Grid, &TVelkoGrid::suggestionRequested, w.Grid,
                     [](int, int, const QString&, QString& s) { s += QStringLiteral("e"); });
    EXPECT_EQ(editor.EditorSuggestion(1, 1, QStringLiteral("on")), QStringLiteral("once"));

    // The handler refuses; the first slot sees it, the second lets the move through.
    w.Grid->OnExitCell = [](TObject*, int, int, bool& ok) { ok = false; };
    QStringList seen;
    QObject::connect(w.Grid, &TVelkoGrid::aboutToExitCell, w.Grid, [&](int, int, bool& ok) { seen << Describe(ok); });
    const QMetaObject::Connection overrule =
        QObject::connect(w.Grid, &TVelkoGrid::aboutToExitCell, w.Grid, [](int, int, bool& ok) { ok = true; });
    w.Grid->SetRow(3);
    EXPECT_EQ(seen, QStringList{QStringLiteral("false")});
    EXPECT_EQ(w.Grid->Row(), 3);
    QObject::disconnect(overrule);
    w.Grid->SetRow(4);
    EXPECT_EQ(w.Grid->Row(), 3);
}

TEST(VelkoGridSignals, ALookSlotNeverSeesAColumnObjectTheHandlerRemoved)
{
    TSignalWindow w;
    w.CatchExceptions();
    bool removed = false;
    const auto removeOnce = [&] {
        if (!removed && w.Grid->ColCount() > 2) {
            removed = true;
            delete w.Grid->GetVisibleColumn(w.Grid->ColCount() - 1);
        }
    };
    w.Grid->OnChangeCellAttributes = [&](TObject*, int c, int, TvgHeading*, TvgCellStates, TColor&, TFont*, TAlignment&,
                                         TvgVAlignment&, TBevelCut&, TBevelCut&) {
        if (c == 2)
            removeOnce();
    };
    w.Grid->OnDisplayText = [&](TObject*, int c, int, TvgColumn*, QString&, bool&) {
        if (c == 1 && removed)
            delete w.Grid->GetVisibleColumn(w.Grid->ColCount() - 1);
    };
    int calls = 0;
    QStringList stale;
    const auto check = [&](const TvgHeading* item) {
        ++calls;
        bool live = false;
        for (int i = 0; i < w.Grid->Columns()->Count(); ++i)
            live = live || w.Grid->Columns()->GetColumn(i) == item;
        for (int i = 0; i < w.Grid->Headings()->Count(); ++i)
            live = live || w.Grid->Headings()->GetColumn(i) == item;
        if (!live)
            stale << QStringLiteral("stale");
    };
    QObject::connect(w.Grid, &TVelkoGrid::cellAttributesRequested, w.Grid,
                     [&](int, int, TvgHeading* item, auto&&...) { check(item); });
    QObject::connect(w.Grid, &TVelkoGrid::cellBordersRequested, w.Grid, [&](int, int, TvgHeading* item, auto&&...) { check(item); });
    QObject::connect(w.Grid, &TVelkoGrid::displayTextRequested, w.Grid, [&](int, int, TvgColumn* column, auto&&...) { check(column); });
    w.Painted();
    w.Painted();
    EXPECT_TRUE(removed);
    EXPECT_GT(calls, 0);
    EXPECT_EQ(stale, QStringList());
    EXPECT_EQ(w.Caught, QStringList());
}

TEST(VelkoGridSignals, AQueuedSlotIsRefusedWhereTheSignalCarriesAnAnswer)
{
    TSignalWindow w;
    int queuedCalls = 0;
    QObject::connect(w.Grid, &TVelkoGrid::aboutToExitCell, w.Grid, [&](int, int, bool&) { ++queuedCalls; },
                     Qt::QueuedConnection);
    int rows = 0;
    QObject::connect(w.Grid, &TVelkoGrid::rowEntered, w.Grid, [&](int, int) { ++rows; }, Qt::QueuedConnection);
    w.Grid->SetRow(3);
    QApplication::processEvents();
    EXPECT_EQ(queuedCalls, 0);
    EXPECT_EQ(rows, 1) << "signals of values alone may be queued";
    EXPECT_EQ(w.Grid->Row(), 3);
}
