// TVgInplaceEdit: the drop-down list of a combo column.
#include "editor/VgEdit.h"

#include "editor/VgHintWindow.h"
#include "editor/VgPopupList.h"
#include "platform/app/MouseCapture.h"
#include "platform/app/Screen.h"

#include <QFontMetrics>
#include <QScreen>

namespace vg {

namespace {

// Where pop-ups of a widget may go: the free part of the screen the widget is on.
QRect ScreenAreaOf(const QWidget& widget)
{
    if (const QScreen* screen = widget.screen())
        return screen->availableGeometry();
    return QRect(0, 0, Screen().Width(), Screen().Height());
}

} // namespace

void TVgInplaceEdit::DropDown()
{
    FHintWindow->HideWindow();
    if (FListVisible || !FActiveList)
        return;
    TvgColumn* column = CurrentColumn();
    TPopupListbox& list = *FActiveList;

    // The list looks like the cell it drops from.
    QPalette palette = list.palette();
    palette.setColor(QPalette::Base, ColorToQColor(Color(), palette));
    palette.setColor(QPalette::Text, ColorToQColor(Font().Color(), palette));
    list.setPalette(palette);
    list.setFont(Font().ToQFont());
    list.Items().Assign(column->Items());

    const int count = list.Items().Count();
    int width = FEditArea.Right - FEditArea.Left - (FEditStyle.Contains(esEllipsis) ? FButtonWidth : 0);
    if (column->ComboMaxWidth()) {
        const QFontMetrics metrics(list.font());
        for (int i = 0; i < count; ++i)
            width = std::max(width, metrics.horizontalAdvance(list.Items().Get(i)));
    }
    const int shown = std::max(column->DropDownCount(), 0);
    const int itemHeight = list.ItemHeight();
    constexpr int Frame = 4;
    int height = 0;
    if (count >= shown) {
        height = itemHeight * shown + Frame;
        if (column->ComboMaxWidth())
            width += FStandardButtonWidth; // room for the scroll bar
    } else {
        height = count * itemHeight + Frame;
    }
    if (column->ComboMaxWidth() && width > this->width())
        width += Frame;

    // Under the text area; above it when the screen ends too soon; never past the
    // screen's right edge.
    const QPoint corner = mapToGlobal(QPoint(FEditArea.Left, FEditArea.Top));
    const QRect screen = ScreenAreaOf(*this);
    int y = corner.y() + (FEditArea.Bottom - FEditArea.Top);
    if (y + height > screen.bottom() + 1)
        y = corner.y() - height;
    int x = corner.x();
    if (x + width > screen.right() + 1)
        x = std::max(screen.left(), screen.right() + 1 - width);
    list.SetBounds(x, y, width, height);
    list.show();
    list.raise();
    list.SetItemIndex(list.Items().IndexOf(Text().trimmed()));

    FListVisible = true;
    FDropDownOrigin = mapToGlobal(QPoint(0, 0));
    update();
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
}

void TVgInplaceEdit::CloseUp(bool Accept)
{
    if (FHintWindow)
        FHintWindow->HideWindow();
    if (!FListVisible)
        return;
    if (QWidget* holder = GetCapture()) {
        SendMessage(holder, WM_CANCELMODE, 0, 0);
        if (GetCapture() == holder)
            ReleaseCapture();
    }
    FListTracking = false;
    const int index = FActiveList ? FActiveList->ItemIndex() : -1;
    const QString value = index >= 0 ? FActiveList->Items().Get(index) : QString();
    if (FActiveList)
        FActiveList->hide();
    FListVisible = false;
    update();

    // Nothing chosen leaves the typed text as it is.
    if (!Accept || index < 0)
        return;
    if (!Grid()->EditorCanModify() || CurrentColumn()->ReadOnly())
        return;
    const TGridCoord cell = CurrentCell();
    WriteCell(value, true);
    FVgGrid->EditorComboSelection(cell.X, cell.Y);
}

void TVgInplaceEdit::DoDropDownKeys(int& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_RETURN:
    case VK_ESCAPE:
        if (FListVisible && !Shift.Contains(ssAlt)) {
            CloseUp(Key == VK_RETURN);
            Key = 0;
        }
        break;
    case VK_UP:
    case VK_DOWN:
    case VK_F4: { // F4 as in Qt's combo boxes
        const bool toggles = Key == VK_F4 ? Shift.IsEmpty() : Shift.Contains(ssAlt);
        if (!toggles)
            break;
        if (FListVisible)
            CloseUp(true);
        else
            DropDown();
        Key = 0;
        break;
    }
    default:
        break;
    }
}

void TVgInplaceEdit::ListMouseUp(TObject*, Qt::MouseButton Button, Qt::KeyboardModifiers, int X, int Y)
{
    if (Button == Qt::LeftButton)
        CloseUp(FActiveList && FActiveList->ClientRect().Contains({X, Y}));
}

} // namespace vg
