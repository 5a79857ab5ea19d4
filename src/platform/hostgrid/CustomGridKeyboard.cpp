// TCustomGrid: the keyboard. Arrows, Home/End and the page keys move the current cell
// (with Shift they extend the selection), Ctrl+Home/End go to the first and last cell,
// Ctrl with the arrows scrolls without moving, Tab walks the cells with goTabs; F2, Enter
// and typing open the editor, Enter closes it again and Escape cancels it.
#include "platform/hostgrid/CustomGrid.h"

#include "platform/app/Application.h"

#include <QKeyEvent>

namespace vg {

void TCustomGrid::keyPressEvent(QKeyEvent* e)
{
    bool handled = true;
    Application().GuardEvent([&] {
        int key = KeyCodeOf(*e);
        const bool editing = FEditorMode;
        KeyDown(key, ShiftStateOf(*e));
        if (key == 0)
            return;
        for (QChar c : TypedTextOf(*e)) {
            QChar typed = c;
            KeyPress(typed);
        }
        // Escape with nothing to cancel, and Enter on a grid that does not edit, belong to
        // the window (a dialog's buttons).
        handled = !(key == VK_ESCAPE && !editing) && !(key == VK_RETURN && !FOptions.Contains(goEditing));
    });
    e->setAccepted(handled);
}

bool TCustomGrid::focusNextPrevChild(bool next)
{
    // With goTabs, Tab reaches KeyDown instead of leaving the grid.
    if (FOptions.Contains(goTabs))
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void TCustomGrid::KeyDown(int& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
    emit keyPressed(Key, Shift);
    if (Key == 0 || IsDesigning())
        return;
    Navigate(Key, Shift);
}

void TCustomGrid::Navigate(int key, TShiftState shift)
{
    const bool rowSelect = FOptions.Contains(goRowSelect);
    TGridCoord cell = FCurrent;
    TGridCoord topLeft = FTopLeft;
    const TGridAxis vert = VertAxis();
    const int page = std::max(1, vert.LastFullShownCell() - TopRow());
    if (shift.Contains(ssCtrl)) {
        switch (key) {
        case VK_UP: --topLeft.Y; break;
        case VK_DOWN: ++topLeft.Y; break;
        case VK_LEFT: --topLeft.X; break;
        case VK_RIGHT: ++topLeft.X; break;
        case VK_PRIOR: cell.Y = TopRow(); break;
        case VK_NEXT: cell.Y = vert.LastFullShownCell(); break;
        case VK_HOME: cell = {FFixedCols, FFixedRows}; break;
        case VK_END: cell = {ColCount() - 1, RowCount() - 1}; break;
        default: return;
        }
    } else {
        switch (key) {
        case VK_UP: --cell.Y; break;
        case VK_DOWN: ++cell.Y; break;
        case VK_LEFT: rowSelect ? --topLeft.X : --cell.X; break;
        case VK_RIGHT: rowSelect ? ++topLeft.X : ++cell.X; break;
        case VK_PRIOR:
            cell.Y -= page;
            topLeft.Y -= page;
            break;
        case VK_NEXT:
            cell.Y += page;
            topLeft.Y += page;
            break;
        case VK_HOME: rowSelect ? cell.Y = FFixedRows : cell.X = FFixedCols; break;
        case VK_END: rowSelect ? cell.Y = RowCount() - 1 : cell.X = ColCount() - 1; break;
        case VK_TAB:
            if (!shift.Contains(ssAlt))
                TabToNextCell(shift.Contains(ssShift));
            return;
        case VK_F2: SetEditorMode(true); return;
        default: return;
        }
    }
    cell.X = std::clamp(cell.X, FFixedCols, ColCount() - 1);
    cell.Y = std::clamp(cell.Y, FFixedRows, RowCount() - 1);
    topLeft.X = std::clamp(topLeft.X, FFixedCols, HorzAxis().MaxFirstCell());
    topLeft.Y = std::clamp(topLeft.Y, FFixedRows, vert.MaxFirstCell());
    // A page key scrolls once its move is allowed: a refused move leaves the view where it
    // is, and the cell being edited with it.
    if (cell != FCurrent)
        MoveCurrent(cell.X, cell.Y, !shift.Contains(ssShift), true, topLeft);
    else if (topLeft != FTopLeft)
        MoveTopLeft(topLeft.X, topLeft.Y);
}

void TCustomGrid::TabToNextCell(bool backward)
{
    if (!FOptions.Contains(goTabs)) {
        QAbstractScrollArea::focusNextPrevChild(!backward);
        return;
    }
    // Along the row, then on to the next (previous) row; past the last (first) cell the
    // focus leaves the grid.
    const bool rowSelect = FOptions.Contains(goRowSelect);
    TGridCoord cell = FCurrent;
    const int step = backward ? -1 : 1;
    if (!rowSelect)
        cell.X += step;
    if (rowSelect || cell.X < FFixedCols || cell.X >= ColCount()) {
        cell.X = backward ? ColCount() - 1 : FFixedCols;
        cell.Y += step;
    }
    if (cell.Y < FFixedRows || cell.Y >= RowCount()) {
        QAbstractScrollArea::focusNextPrevChild(!backward);
        return;
    }
    MoveCurrent(cell.X, cell.Y, true, true);
}

void TCustomGrid::KeyPress(QChar& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
    emit characterTyped(Key);
    if (Key.isNull() || !FOptions.Contains(goEditing))
        return;
    if (Key == u'\r') {
        if (FOptions.Contains(goAlwaysShowEditor)) {
            UpdateText();
            if (FInplaceEdit && FInplaceEdit->isVisible())
                FInplaceEdit->SelectAll();
        } else if (FEditorMode) {
            HideEditor();
        } else {
            ShowEditor();
            if (FInplaceEdit)
                FInplaceEdit->Deselect();
        }
        Key = QChar();
    } else if (Key == QChar(0x1B)) {
        if (FEditorMode)
            CancelEdit();
        Key = QChar();
    } else if (Key.isPrint() && !FEditorMode) {
        ShowEditor();
        if (FEditorMode && FInplaceEdit)
            FInplaceEdit->TypeText(QString(Key));
        Key = QChar();
    }
}

} // namespace vg
