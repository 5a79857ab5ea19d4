// TVgInplaceEdit: contents, layout, painting, the mouse on the buttons, keys and focus.
#include "editor/VgEdit.h"

#include "editor/VgHintWindow.h"
#include "editor/VgPopupList.h"
#include "platform/app/Application.h"
#include "platform/app/MouseCapture.h"
#include "platform/graphics/WinDraw.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStyle>

namespace vg {

TVgInplaceEdit::TVgInplaceEdit(TVgEditorGrid* Grid)
    : TInplaceEdit(Grid ? Grid->EditorHost() : nullptr)
    , FVgGrid(Grid)
{
    FStandardButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    FButtonWidth = FStandardButtonWidth;
    // The buttons and margins show the arrow; the text area keeps its text cursor.
    setCursor(Qt::ArrowCursor);
    FHintWindow = Application().Adopt(std::make_unique<TvgHintWindow>());
    // The list and the suggestion close when the user presses elsewhere or switches to
    // another application.
    FHookId = Application().HookMainWindow([this](TMessage& Message) { return HintHook(Message); });
    Application().EnableCancelMode();
    Messages().On(WM_CANCELMODE, [this](TMessage&) {
        FListTracking = false;
        StopTracking();
        if (GetCapture() == this)
            ReleaseCapture();
    });
}

TVgInplaceEdit::~TVgInplaceEdit()
{
    Application().UnhookMainWindow(FHookId);
    if (GetCapture() == this)
        ReleaseCapture();
    // The suggestion window belongs to the application object; it goes with its editor
    // rather than piling up for grids that no longer exist.
    Application().FreeAdopted(FHintWindow);
}

TvgColumn* TVgInplaceEdit::CurrentColumn() const
{
    return FVgGrid->EditorColumn(CurrentCell().X);
}

// ---- Contents and layout

void TVgInplaceEdit::SetEditStyle(TvgEditStyles Value)
{
    if (Value == FEditStyle)
        return;
    FEditStyle = Value;
    if (Value.Contains(esPickList)) {
        if (!FPickList) {
            FPickList = new TPopupListbox(this);
            FPickList->OnMouseUp = [this](TObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                                          int Y) { ListMouseUp(Sender, Button, Shift, X, Y); };
            FPickList->SetIntegralHeight(true);
            FPickList->SetItemHeight(11);
        }
        FActiveList = FPickList;
    } else {
        CloseUp(false);
        FActiveList = nullptr;
    }
    update();
}

void TVgInplaceEdit::UpdateContents()
{
    DropSuggestion();
    const TvgControlTypes controls = CurrentColumn()->ControlType();
    TvgEditStyles style;
    if (controls.Contains(vgctlButton))
        style.Include(esEllipsis);
    if (controls.Contains(vgctlComboBox))
        style.Include(esPickList);
    SetEditStyle(style);
    TInplaceEdit::UpdateContents();
    if (!FKeepLoadedText)
        FLoadedText = Text();
    // The base took the grid's look; the cell's own follows.
    Application().GuardEvent([this] { ApplyCellLook(); });
}

void TVgInplaceEdit::ApplyCellLook()
{
    const TGridCoord cell = CurrentCell();
    const TVgEditorLook look = FVgGrid->EditorCellLook(cell.X, cell.Y, Font());
    SetColor(look.Color);
    // The text lies as the cell shows it: aligned as the column's data, on one line that
    // scrolls sideways unless the column wraps its text.
    SetAlignment(look.Alignment);
    SetWordWrap(look.ClipStyle == vgclpWrap);
}

bool TVgInplaceEdit::EditCanModify() const
{
    // While the list is open the text stays as it was when the list opened (nor does a
    // paste or a drop change it), so that closing the list with Escape leaves it so.
    return !FListVisible && TInplaceEdit::EditCanModify();
}

bool TVgInplaceEdit::IsReadOnlyCell()
{
    const TGridCoord cell = CurrentCell();
    const bool readOnly = FVgGrid->EditorReadOnly(cell.X, cell.Y, CurrentColumn()->ReadOnly());
    // A list-only column takes its text from the list alone. The handler may have changed
    // the columns: the column is looked up again.
    const TvgColumn& column = *CurrentColumn();
    return readOnly || (column.ControlType().Contains(vgctlComboBox) && column.DropDownList);
}

void TVgInplaceEdit::BoundsChanged()
{
    // An open list and a shown suggestion belong to where the editor was.
    if (FListVisible && mapToGlobal(QPoint(0, 0)) != FDropDownOrigin)
        CloseUp(false);
    FEditArea = Rect(2, 2, width() - 2, height());
    FClientRectCopy = Rect(0, 0, width(), height());
    const TGridCoord cell = CurrentCell();
    // A failing look or image event is reported; the editor still opens. What the events
    // do may change the columns, so the column is looked up after each of them.
    Application().GuardEvent([&] {
        ApplyCellLook();
        TRect area = FEditArea;
        FVgGrid->EditorCellImage(cell.X, cell.Y, area, false, FPaintCanvas);
        FEditArea = area;
    });
    if (cell != EditCell())
        DropSuggestion();
    FEditCol = cell.X;
    FEditRow = cell.Y;
    LayOutButtons(*CurrentColumn());

    TRect text = FEditArea;
    if (FEditStyle.Contains(esEllipsis))
        text.Right -= FButtonWidth;
    if (FEditStyle.Contains(esPickList))
        text.Right -= FStandardButtonWidth;
    text.Right = std::max(text.Right, text.Left);
    SetEditRect(text);

    // When the application cannot say whether the cell may change, it may not.
    bool readOnly = true;
    Application().GuardEvent([&] { readOnly = IsReadOnlyCell(); });
    SetReadOnly(readOnly);
    SetMaxLength(std::max(CurrentColumn()->MaxTextLength(), 0));
}

void TVgInplaceEdit::LayOutButtons(const TvgColumn& Column)
{
    const TPicture* picture = Column.ButtonPicture();
    FButtonWidth = Column.ButtonStyle() == vgbstCustom && picture && !picture->IsEmpty() && picture->Width() > 0
        ? picture->Width() + 4
        : FStandardButtonWidth;
    if (FEditStyle.Contains(esEllipsis)) {
        FButtonRect = Rect(0, FEditArea.Top - 2, FEditArea.Right + 2, FEditArea.Bottom);
        FButtonRect.Left = FButtonRect.Right - FButtonWidth;
    }
    if (FEditStyle.Contains(esPickList)) {
        FDropDownButtonRect = Rect(0, FEditArea.Top - 2, FEditArea.Right + 2, FEditArea.Bottom);
        if (FEditStyle.Contains(esEllipsis))
            FDropDownButtonRect.Right = FButtonRect.Left;
        FDropDownButtonRect.Left = FDropDownButtonRect.Right - FStandardButtonWidth;
    }
}

// ---- Painting

void TVgInplaceEdit::PaintWindow(TCanvas& Canvas)
{
    const TGridCoord cell = CurrentCell();
    const int saved = SaveDC(Canvas);
    TRect imageRect = FClientRectCopy;
    FVgGrid->EditorCellImage(cell.X, cell.Y, imageRect, true, Canvas);
    RestoreDC(Canvas, saved);
    if (FEditStyle.IsEmpty())
        return;
    if (FEditStyle.Contains(esEllipsis))
        DrawColumnButton(Canvas, *CurrentColumn());
    if (FEditStyle.Contains(esPickList)) {
        DrawFrameControl(Canvas, FDropDownButtonRect, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (FDropDownButtonPressed ? DFCS_FLAT | DFCS_PUSHED : 0u));
    }
}

void TVgInplaceEdit::DrawColumnButton(TCanvas& Canvas, const TvgColumn& Column)
{
    const int pressed = FButtonPressed ? 1 : 0;
    const TRect& r = FButtonRect;
    const auto drawFace = [&] {
        TRect face = r;
        DrawEdge(Canvas, face, EDGE_RAISED, BF_RECT | BF_MIDDLE | (pressed ? BF_FLAT : 0u));
    };
    switch (Column.ButtonStyle()) {
    case vgbstEllipsis: {
        drawFace();
        // Three dots in the button text colour, so that dark themes show them too.
        const int x = (r.Right - r.Left) / 2 + r.Left - 1 + pressed;
        const int y = (r.Bottom - r.Top) / 2 + r.Top - 1 + pressed;
        Canvas.Brush().SetStyle(bsSolid);
        Canvas.Brush().SetColor(clBtnText);
        for (const int dx : {-4, 0, 4})
            Canvas.FillRect(Rect(x + dx, y, x + dx + 2, y + 2));
        break;
    }
    case vgbstDropDown:
        DrawFrameControl(Canvas, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (pressed ? DFCS_FLAT | DFCS_PUSHED : 0u));
        break;
    case vgbstCustom: {
        if (Column.DrawButtonface()) {
            drawFace();
        } else {
            Canvas.Brush().SetStyle(bsSolid);
            Canvas.Brush().SetColor(Color());
            Canvas.FillRect(r);
        }
        const TPicture* picture = Column.ButtonPicture();
        if (!picture || picture->IsEmpty() || picture->Width() <= 0 || picture->Height() <= 0)
            break;
        int y = r.Top + 2 + pressed;
        if (Column.ButtonVAlignment() == vgvaCenter)
            y += (r.Bottom - r.Top - picture->Height()) / 2;
        else if (Column.ButtonVAlignment() == vgvaBottom)
            y = r.Bottom - 2 - picture->Height() + pressed;
        DrawState(Canvas, *picture, r.Left + 2 + pressed, y);
        break;
    }
    }
}

void TVgInplaceEdit::InvalidateButton(const TRect& Rect)
{
    update(Rect.ToQRect());
}

// ---- Mouse and button tracking

void TVgInplaceEdit::TrackButton(int X, int Y)
{
    const auto track = [&](TvgEditStyle Style, const TRect& Rect, bool& Pressed) {
        if (!FEditStyle.Contains(Style))
            return;
        const bool over = Rect.Contains({X, Y});
        if (over == Pressed)
            return;
        Pressed = over;
        InvalidateButton(Rect);
    };
    track(esEllipsis, FButtonRect, FButtonPressed);
    track(esPickList, FDropDownButtonRect, FDropDownButtonPressed);
}

void TVgInplaceEdit::StopTracking()
{
    if (!FTracking)
        return;
    TrackButton(-1, -1);
    FTracking = false;
    // A press handed over to the list keeps the pointer until it is released.
    if (!FListTracking && GetCapture() == this)
        ReleaseCapture();
}

void TVgInplaceEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        const bool onButton = FEditStyle.Contains(esEllipsis) && FButtonRect.Contains({X, Y});
        const bool onDropDown = !onButton && FEditStyle.Contains(esPickList) && FDropDownButtonRect.Contains({X, Y});
        if (onButton || onDropDown) {
            // The second press of a double click on a button does nothing more.
            if (Shift.Contains(ssDouble))
                return;
            if (FListVisible) {
                CloseUp(false);
                return;
            }
            SetCapture(this);
            FTracking = true;
            TrackButton(X, Y);
            if (onDropDown && FActiveList)
                DropDown();
            return;
        }
    }
    TInplaceEdit::MouseDown(Button, Shift, X, Y);
}

bool TVgInplaceEdit::ListContains(QPoint Global, QPoint& ListPoint) const
{
    if (!FListVisible || !FActiveList)
        return false;
    ListPoint = FActiveList->viewport()->mapFromGlobal(Global);
    return FActiveList->ClientRect().Contains({ListPoint.x(), ListPoint.y()});
}

void TVgInplaceEdit::SelectListItemAt(QPoint ListPoint)
{
    const int row = FActiveList->indexAt(ListPoint).row();
    if (row >= 0 && row != FActiveList->ItemIndex())
        FActiveList->SetItemIndex(row);
}

void TVgInplaceEdit::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FTracking)
        TrackButton(X, Y);
    if ((FTracking || FListTracking) && FListVisible) {
        QPoint listPoint;
        if (ListContains(mapToGlobal(QPoint(X, Y)), listPoint)) {
            // The press on the drop-down button was dragged into the list: the list
            // follows the pointer from here, and the release chooses.
            FListTracking = true;
            StopTracking();
            SelectListItemAt(listPoint);
            return;
        }
        if (FListTracking)
            return;
    }
    TInplaceEdit::MouseMove(Shift, X, Y);
    const TGridCoord cell = CurrentCell();
    FVgGrid->EditorPointerOnCell(cell.X, cell.Y);
}

void TVgInplaceEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FListTracking) {
        FListTracking = false;
        if (GetCapture() == this)
            ReleaseCapture();
        QPoint listPoint;
        const bool inside = ListContains(mapToGlobal(QPoint(X, Y)), listPoint);
        if (Button == mbLeft && FActiveList)
            CloseUp(inside);
        return;
    }
    const bool clicked = FButtonPressed;
    StopTracking();
    if (Button == mbLeft && FEditStyle.Contains(esEllipsis) && clicked) {
        const TGridCoord cell = CurrentCell();
        FVgGrid->EditorButtonClick(cell.X, cell.Y);
    }
    TInplaceEdit::MouseUp(Button, Shift, X, Y);
}

// ---- Keys

void TVgInplaceEdit::keyPressEvent(QKeyEvent* e)
{
    if (!FEditStyle.Contains(esPickList)) {
        TInplaceEdit::keyPressEvent(e);
        return;
    }
    // A key whose handling failed goes no further.
    bool toText = false;
    Application().GuardEvent([&] {
        int key = KeyCodeOf(*e);
        DoDropDownKeys(key, ShiftStateOf(*e));
        if (key == 0)
            return;
        // The open list has every key (arrows, pages, typed characters search it), also
        // those it does nothing with: none reaches the text while the list is open.
        if (FListVisible && FActiveList) {
            QCoreApplication::sendEvent(FActiveList, e);
            return;
        }
        toText = true;
    });
    if (toText)
        TInplaceEdit::keyPressEvent(e);
    else
        e->accept();
}

void TVgInplaceEdit::KeyDown(int& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && !Shift.Contains(ssCtrl) && IsAutoSuggestionUp())
        AcceptSuggestion();
    // Escape first dismisses a shown suggestion, as it closes a completer's pop-up; the
    // next Escape cancels the edit.
    if (Key == VK_ESCAPE && IsAutoSuggestionUp()) {
        FHintWindow->HideWindow();
        Key = 0;
        return;
    }
    if (FEditStyle.Contains(esEllipsis) && Key == VK_RETURN && Shift == TShiftState{ssShift}) {
        // Shift+Enter clicks the column button; the Enter never reaches the text.
        Key = 0;
        const TGridCoord cell = CurrentCell();
        FVgGrid->EditorButtonClick(cell.X, cell.Y);
        return;
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

// ---- Focus, cancel mode and activation

void TVgInplaceEdit::CMCancelMode(TMessage& Message)
{
    const auto* pressed = reinterpret_cast<const QWidget*>(Message.LParam);
    // The list is a child of the editor, so a press on it counts as the editor's own.
    if (!IsWidgetWithin(pressed, this)) {
        try {
            if (FVgGrid->EditorAutoAcceptSuggestion())
                AcceptSuggestion();
        } catch (...) {
            CloseUp(false);
            throw;
        }
        CloseUp(false);
    }
    TInplaceEdit::CMCancelMode(Message);
}

void TVgInplaceEdit::focusOutEvent(QFocusEvent* e)
{
    FFocusOutReason = e->reason();
    TInplaceEdit::focusOutEvent(e);
}

void TVgInplaceEdit::DoExit()
{
    // Switching windows or opening a dialog (from OnButtonClick, say) leaves the edit
    // going on: only the list closes then.
    const bool editEnds = FFocusOutReason != Qt::ActiveWindowFocusReason && FFocusOutReason != Qt::PopupFocusReason;
    try {
        if (editEnds && FVgGrid->EditorAutoAcceptSuggestion())
            AcceptSuggestion();
    } catch (...) {
        CloseUp(false);
        throw;
    }
    CloseUp(false);
    if (editEnds && Text() != FLoadedText) {
        // Reported once: the text now counts as loaded.
        FLoadedText = Text();
        FVgGrid->EditorCellEdited(FEditCol, FEditRow);
    }
}

void TVgInplaceEdit::hideEvent(QHideEvent* e)
{
    TInplaceEdit::hideEvent(e);
    DropSuggestion();
    Application().GuardEvent([this] { CloseUp(false); });
}

bool TVgInplaceEdit::HintHook(TMessage& Message)
{
    if (Message.Msg == CM_DEACTIVATE)
        CloseUp(false);
    return false;
}

void TVgInplaceEdit::WriteCell(const QString& Value, bool FollowLoaded)
{
    const TGridCoord cell = CurrentCell();
    {
        QScopedValueRollback keep(FKeepLoadedText, !FollowLoaded);
        // The grid reloads its editor when the cell it edits changes.
        FVgGrid->EditorSetCells(cell.X, cell.Y, Value);
    }
    if (Text() != Value) {
        SetText(Value);
        Deselect();
    }
    if (FollowLoaded)
        FLoadedText = Value;
}

} // namespace vg
