/// \file
/// TPopupListbox: the drop-down list of the column-model editor. A borderless top-level
/// window that floats above the grid's window (so the grid never clips it), never takes
/// the keyboard focus (the editor keeps it and hands the list the keys it should see) and
/// still draws its selection in the focused colours. Typed characters search the items
/// incrementally: characters typed within two seconds of each other make one prefix of at
/// most 32 characters, and the first item that begins with it, ignoring the case of every
/// letter, is selected.
#pragma once

#include "platform/controls/CustomListBox.h"
#include "platform/core/Export.h"

#include <cstdint>

namespace vg {

class TVgInplaceEdit;

/// The drop-down list of the column-model editor: a borderless window floating above the grid
/// that never takes the keyboard focus and searches its items as the user types.
/// \ingroup editor
class VELKOGRID_EXPORT TPopupListbox : public TCustomListBox {
public:
    /// Milliseconds of pause after which a typed character starts a new search.
    static constexpr std::uint32_t SearchPause = 2000;
    static constexpr int MaxSearchLength = 32;

    /// Created hidden; the editor owns it (it goes with the editor).
    explicit TPopupListbox(TVgInplaceEdit* Owner);

    const QString& SearchText() const { return FSearchText; }

protected:
    /// Incremental search; Backspace and Escape start a new search.
    void KeyPress(QChar& Key) override;
    /// After the base's OnMouseUp the editor closes the list: accepting when the pointer
    /// was released inside the list, cancelling otherwise.
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;

    /// A pointer resting on an item without a button held selects it, as in a combo box.
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    TVgInplaceEdit* FOwner;
    QString FSearchText;
    std::uint32_t FLastKeyTime = 0;
};

} // namespace vg
