#include "editor/VgPopupList.h"

#include "editor/VgEdit.h"
#include "platform/app/Application.h"
#include "platform/app/TickCount.h"

#include <QMouseEvent>

namespace vg {

TPopupListbox::TPopupListbox(TVgInplaceEdit* Owner)
    : TCustomListBox(Owner)
    , FOwner(Owner)
{
    // A window of its own, above the grid's window and never activated: the keyboard
    // focus stays in the editor, which passes the list its keys.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    // The list's window is never the active one; its selection still shows as focused.
    QPalette p = palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    setPalette(p);
    hide();
}

void TPopupListbox::KeyPress(QChar& Key)
{
    if (Key == QChar(u'\b') || Key == QChar(0x1B)) {
        FSearchText.clear();
    } else if (Key.unicode() >= 0x20 && Key.category() != QChar::Other_Control) {
        const std::uint32_t now = GetTickCount();
        if (now - FLastKeyTime > SearchPause)
            FSearchText.clear();
        FLastKeyTime = now;
        if (FSearchText.size() < MaxSearchLength)
            FSearchText += Key;
        if (Items().Count() > 0)
            SelectString(-1, FSearchText);
        Key = QChar();
    }
    TCustomListBox::KeyPress(Key);
}

void TPopupListbox::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    TCustomListBox::MouseUp(Button, Shift, X, Y);
    FOwner->CloseUp(X >= 0 && X < width() && Y >= 0 && Y < height());
}

void TPopupListbox::mouseMoveEvent(QMouseEvent* event)
{
    TCustomListBox::mouseMoveEvent(event);
    if (event->buttons() != Qt::NoButton)
        return;
    Application().GuardEvent([&] {
        const int row = indexAt(event->position().toPoint()).row();
        if (row >= 0 && row != ItemIndex())
            SetItemIndex(row);
    });
}

} // namespace vg
