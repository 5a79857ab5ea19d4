#include "platform/hostgrid/InplaceEdit.h"

#include "platform/app/Application.h"
#include "platform/core/Exceptions.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace vg {

namespace {

// The margin the text keeps inside the text area: one caret's width.
constexpr int CaretRoom = 1;

} // namespace

TInplaceEdit::TInplaceEdit(TInplaceEditGrid* grid)
    : QPlainTextEdit(grid ? grid->EditorParent() : nullptr)
    , FGrid(grid)
{
    if (!grid)
        throw EInvalidOperation(QStringLiteral("An in-place editor needs a grid"));
    hide();
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // Room for the caret after a line that ends at the text area's right edge, which
    // right-aligned text and the end of a long line do; the text area reaches as far out
    // on the left and top, so the text still starts at the edit rectangle's corner.
    document()->setDocumentMargin(CaretRoom);
    // Moves without a button held reach MouseMove too (cell hints follow the pointer).
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    FFont.Assign(&grid->EditorFont());
    FColor = grid->EditorColor();
    FFont.OnChange = [this](TObject*) { ApplyLooks(); };
    ApplyLooks();
    connect(this, &QPlainTextEdit::textChanged, this, [this] { TextChanged(); });
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] { FitScrollRange(); });
    FMessages.On(CM_CANCELMODE, [this](TMessage& message) { CMCancelMode(message); });
}

TInplaceEdit::~TInplaceEdit() = default;

void TInplaceEdit::SetText(const QString& value)
{
    const QScopedValueRollback silent(FSilent, true);
    setPlainText(value);
    FSetText = value;
    FSetShown = toPlainText();
    // A new text is shown from its start.
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

QString TInplaceEdit::Text() const
{
    QString shown = toPlainText();
    return shown == FSetShown ? FSetText : shown;
}

void TInplaceEdit::SetEditRect(const TRect& value)
{
    FEditRect = value;
    ApplyMargins();
}

void TInplaceEdit::ApplyMargins()
{
    const int from = horizontalScrollBar()->value();
    setViewportMargins(std::max(FEditRect.Left - CaretRoom, 0), std::max(FEditRect.Top - CaretRoom, 0),
                       std::max(width() - FEditRect.Right, 0), std::max(height() - FEditRect.Bottom, 0));
    ApplyTextLayout();
    ShowCaret(from);
}

void TInplaceEdit::SetAlignment(TAlignment value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    ApplyTextLayout();
    ShowCaret(horizontalScrollBar()->value());
}

void TInplaceEdit::SetWordWrap(bool value)
{
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    const int from = horizontalScrollBar()->value();
    setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    ApplyTextLayout();
    ShowCaret(from);
}

void TInplaceEdit::ApplyTextLayout()
{
    const qreal room = viewport()->width() - 2 * document()->documentMargin();
    Qt::Alignment alignment = Qt::AlignLeft;
    const qreal widest = WidestLine();
    FTextWidth = int(std::ceil(widest)) + 2 * CaretRoom;
    if (FWordWrap || widest <= room)
        alignment = FAlignment == taRightJustify ? Qt::AlignRight : FAlignment == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    QTextOption option = document()->defaultTextOption();
    if (option.alignment() != alignment) {
        option.setAlignment(alignment);
        document()->setDefaultTextOption(option);
    }
    FitScrollRange();
}

void TInplaceEdit::FitScrollRange()
{
    // The text control keeps the widest width its text ever had (and rounds it down);
    // the view scrolls over the text's present width.
    if (FWordWrap)
        return;
    QScrollBar& bar = *horizontalScrollBar();
    const int maximum = std::max(FTextWidth - viewport()->width(), 0);
    if (bar.minimum() != 0 || bar.maximum() != maximum)
        bar.setRange(0, maximum);
}

qreal TInplaceEdit::WidestLine() const
{
    QTextOption option = document()->defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    option.setAlignment(Qt::AlignLeft);
    qreal widest = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        QTextLayout layout(block.text(), document()->defaultFont());
        layout.setTextOption(option);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        if (line.isValid())
            widest = std::max(widest, line.naturalTextWidth());
    }
    return widest;
}

void TInplaceEdit::ShowCaret(int from)
{
    // The caret's line first; the text control scrolls up and down only as far as needed.
    ensureCursorVisible();
    QScrollBar& bar = *horizontalScrollBar();
    const int view = viewport()->width();
    // The caret, and on its left the text's margin (so that Home shows the text's start).
    const int caret = cursorRect().left() + bar.value();
    int offset = from;
    if (caret + cursorWidth() > offset + view)
        offset = caret + cursorWidth() - view;
    if (caret - CaretRoom < offset)
        offset = caret - CaretRoom;
    bar.setValue(std::clamp(offset, bar.minimum(), std::max(bar.minimum(), bar.maximum())));
    qreal textHeight = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        textHeight += blockBoundingRect(block).height();
    if (textHeight <= viewport()->height())
        verticalScrollBar()->setValue(0);
}

void TInplaceEdit::SetReadOnly(bool value)
{
    setReadOnly(value);
    // A read-only text can still be selected and copied.
    if (value)
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TInplaceEdit::SetMaxLength(int value)
{
    if (value < 0)
        throw EInvalidOperation(QStringLiteral("A text limit cannot be %1").arg(value));
    FMaxLength = value;
}

void TInplaceEdit::SetColor(TColor value)
{
    CheckColor(value);
    if (value == FColor)
        return;
    FColor = value;
    ApplyLooks();
}

void TInplaceEdit::ApplyLooks()
{
    setFont(FFont.ToQFont());
    ApplyTextLayout();
    QPalette p = palette();
    p.setColor(QPalette::Base, ColorToQColor(FColor, p));
    p.setColor(QPalette::Text, ColorToQColor(FFont.Color(), p));
    setPalette(p);
    update();
}

void TInplaceEdit::Move(const TRect& rect)
{
    const bool opening = !isVisible();
    setGeometry(rect.ToQRect());
    BoundsChanged();
    show();
    raise();
    // Laid out for its real size now: an editor that opens shows its text from the start,
    // scrolled only as far as the caret needs.
    if (opening)
        ShowCaret(0);
    update();
}

void TInplaceEdit::SelectAll()
{
    QTextCursor cursor = textCursor();
    cursor.select(QTextCursor::Document);
    setTextCursor(cursor);
    ShowCaret(0);
}

void TInplaceEdit::Deselect()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
    ShowCaret(0);
}

int TInplaceEdit::RoomLeft() const
{
    return FMaxLength - int(Text().size() - textCursor().selectedText().size());
}

void TInplaceEdit::TypeText(const QString& text)
{
    if (!EditCanModify())
        return;
    const QString typed = FMaxLength > 0 ? text.left(std::max(RoomLeft(), 0)) : text;
    if (typed.isEmpty())
        return;
    const int from = horizontalScrollBar()->value();
    QTextCursor cursor = textCursor();
    cursor.insertText(typed);
    setTextCursor(cursor);
    ShowCaret(from);
}

void TInplaceEdit::RevertText()
{
    SetText(FLoadedText);
    Deselect();
}

bool TInplaceEdit::EditCanModify() const
{
    return !ReadOnly() && FGrid->EditorCanModify();
}

void TInplaceEdit::UpdateContents()
{
    // The text first: should taking over the looks fail, the editor must not go on holding
    // another cell's text, which it would write back.
    FLoadedText = FGrid->EditorCellText();
    SetText(FLoadedText);
    FFont.Assign(&FGrid->EditorFont());
    SetColor(FGrid->EditorColor());
    SetMaxLength(FGrid->EditorTextLimit());
}

void TInplaceEdit::BoundsChanged()
{
    SetEditRect(Rect(2, 2, width() - 2, height()));
}

void TInplaceEdit::TextChanged()
{
    // Whether the text still fits its area may have changed.
    ApplyTextLayout();
    if (FSilent)
        return;
    SendMessage(FGrid->EditorNotifyTarget(), WM_COMMAND, std::intptr_t(EN_CHANGE) << 16, reinterpret_cast<std::intptr_t>(this));
}

// ---- Painting

void TInplaceEdit::PaintSurface()
{
    QPainter painter(this);
    TCanvas canvas;
    canvas.SetPalette(palette());
    canvas.Attach(&painter);
    painter.fillRect(rect(), canvas.ToQColor(FColor));
    canvas.Font().Assign(&FFont);
    Application().GuardEvent([&] { PaintWindow(canvas); });
    canvas.Detach();
}

void TInplaceEdit::PaintWindow(TCanvas&)
{
}

bool TInplaceEdit::event(QEvent* e)
{
    if (FMessages.Dispatch(e))
        return true;
    // The control's own area around the text area: painted here, and its mouse events
    // are the control's (not passed on to the grid below).
    switch (e->type()) {
    case QEvent::Paint:
        PaintSurface();
        return true;
    case QEvent::MouseButtonPress:
        DispatchMouse(static_cast<QMouseEvent*>(e), false, TMouseAction::Press);
        return true;
    case QEvent::MouseButtonDblClick:
        DispatchMouse(static_cast<QMouseEvent*>(e), false, TMouseAction::DoubleClick);
        return true;
    case QEvent::MouseMove:
        DispatchMouse(static_cast<QMouseEvent*>(e), false, TMouseAction::Move);
        return true;
    case QEvent::MouseButtonRelease:
        DispatchMouse(static_cast<QMouseEvent*>(e), false, TMouseAction::Release);
        return true;
    default:
        return QPlainTextEdit::event(e);
    }
}

// ---- Mouse

void TInplaceEdit::mousePressEvent(QMouseEvent* e)
{
    DispatchMouse(e, true, TMouseAction::Press);
}

void TInplaceEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    DispatchMouse(e, true, TMouseAction::DoubleClick);
}

void TInplaceEdit::mouseMoveEvent(QMouseEvent* e)
{
    DispatchMouse(e, true, TMouseAction::Move);
}

void TInplaceEdit::mouseReleaseEvent(QMouseEvent* e)
{
    DispatchMouse(e, true, TMouseAction::Release);
}

void TInplaceEdit::DispatchMouse(QMouseEvent* e, bool onText, TMouseAction action)
{
    const QPoint at = e->position().toPoint() + (onText ? viewport()->pos() : QPoint());
    const TMouseButton button = MouseButtonOf(e->button());
    TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
    if (action == TMouseAction::DoubleClick)
        shift.Include(ssDouble);
    const QScopedValueRollback event(FMouseEvent, e);
    const QScopedValueRollback place(FMouseOnText, onText);
    const QScopedValueRollback kind(FMouseAction, action);
    Application().GuardEvent([&] {
        switch (action) {
        case TMouseAction::Press:
        case TMouseAction::DoubleClick: MouseDown(button, shift, at.x(), at.y()); break;
        case TMouseAction::Move: MouseMove(shift, at.x(), at.y()); break;
        case TMouseAction::Release: MouseUp(button, shift, at.x(), at.y()); break;
        }
    });
}

void TInplaceEdit::MouseDown(TMouseButton, TShiftState, int, int)
{
    if (!FMouseEvent || !FMouseOnText)
        return;
    if (FMouseAction == TMouseAction::DoubleClick)
        QPlainTextEdit::mouseDoubleClickEvent(FMouseEvent);
    else
        QPlainTextEdit::mousePressEvent(FMouseEvent);
}

void TInplaceEdit::MouseMove(TShiftState, int, int)
{
    if (FMouseEvent && FMouseOnText)
        QPlainTextEdit::mouseMoveEvent(FMouseEvent);
}

void TInplaceEdit::MouseUp(TMouseButton, TShiftState, int, int)
{
    if (FMouseEvent && FMouseOnText)
        QPlainTextEdit::mouseReleaseEvent(FMouseEvent);
}

void TInplaceEdit::CMCancelMode(TMessage& Message)
{
    // While the editor has the focus the grid hears of presses outside it through here
    // (to end its drags and close its hints).
    auto* grid = qobject_cast<QWidget*>(FGrid->EditorNotifyTarget());
    const auto* pressed = reinterpret_cast<const QWidget*>(Message.LParam);
    if (grid && !IsWidgetWithin(pressed, grid))
        SendMessage(grid, CM_CANCELMODE, Message.WParam, Message.LParam);
}

// ---- Keyboard

bool TInplaceEdit::focusNextPrevChild(bool)
{
    // Tab is a key for KeyDown (and the grid), never a focus change made here.
    return false;
}

void TInplaceEdit::keyPressEvent(QKeyEvent* e)
{
    bool edit = false;
    Application().GuardEvent([&] {
        int key = KeyCodeOf(*e);
        KeyDown(key, ShiftStateOf(*e));
        if (key == 0)
            return;
        const QString text = TypedTextOf(*e);
        if (!text.isEmpty()) {
            QChar typed = text.front();
            KeyPress(typed);
            if (typed.isNull())
                return;
        }
        edit = true;
    });
    if (edit)
        EditKey(e);
    else
        e->accept();
}

void TInplaceEdit::KeyDown(int& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        FGrid->EditorKeyDown(Key, Shift);
        Key = 0;
        break;
    case VK_TAB:
        if (!Shift.Contains(ssAlt)) {
            FGrid->EditorKeyDown(Key, Shift);
            Key = 0;
        }
        break;
    case VK_RETURN:
        if (Shift.Contains(ssCtrl)) {
            TypeText(QStringLiteral("\n"));
            Key = 0;
        }
        break;
    default:
        break;
    }
}

void TInplaceEdit::KeyPress(QChar& Key)
{
    FGrid->EditorKeyPress(Key);
    // Tab, Enter and Escape never reach the text.
    if (Key == u'\t' || Key == u'\r' || Key == QChar(0x1B))
        Key = QChar();
}

bool TInplaceEdit::ModifiesText(const QKeyEvent& e) const
{
    if (e.key() == Qt::Key_Backspace || e.key() == Qt::Key_Delete)
        return true;
    if (e.matches(QKeySequence::Paste) || e.matches(QKeySequence::Cut) || e.matches(QKeySequence::Undo)
        || e.matches(QKeySequence::Redo))
        return true;
    return IsTyping(e);
}

bool TInplaceEdit::IsTyping(const QKeyEvent& e)
{
    const QString text = TypedTextOf(e);
    return !text.isEmpty() && text.front().isPrint();
}

void TInplaceEdit::EditKey(QKeyEvent* e)
{
    if (ModifiesText(*e)) {
        if (!EditCanModify()) {
            e->accept();
            return;
        }
        if (IsTyping(*e) && FMaxLength > 0) {
            TypeText(TypedTextOf(*e));
            e->accept();
            return;
        }
    }
    const int from = horizontalScrollBar()->value();
    QPlainTextEdit::keyPressEvent(e);
    ShowCaret(from);
}

bool TInplaceEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return EditCanModify() && source->hasText();
}

void TInplaceEdit::insertFromMimeData(const QMimeData* source)
{
    if (source->hasText())
        TypeText(source->text());
}

// ---- Focus and size

void TInplaceEdit::focusInEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusInEvent(e);
    FGrid->EditorFocusMoved(true, e->reason());
}

void TInplaceEdit::focusOutEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusOutEvent(e);
    if (FGrid->EditorGridDestroying())
        return;
    // A press on the grid (a cell, a title, a scroll bar) takes the focus there before the
    // grid hears of the press. The edit goes on: the grid hands the focus back, and the
    // press itself decides, as a key would, whether the edit ends (a move the exit
    // handlers refuse keeps the editor and its text).
    if (e->reason() == Qt::MouseFocusReason && QApplication::focusWidget() == FGrid->EditorNotifyTarget())
        return;
    Application().GuardEvent([this] {
        FGrid->EditorCommitText();
        DoExit();
    });
    FGrid->EditorFocusMoved(false, e->reason());
}

void TInplaceEdit::DoExit()
{
}

void TInplaceEdit::resizeEvent(QResizeEvent* e)
{
    QPlainTextEdit::resizeEvent(e);
    ApplyMargins();
}

} // namespace vg
