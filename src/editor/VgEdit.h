/// \file
/// TVgInplaceEdit: the cell editor of the column-model grid. On top of the host editor it
/// takes from the current cell's column its colour and font, the cell image's band, the
/// read-only state and the text limit, and the in-cell controls: a push button at the
/// right edge (an ellipsis, a drop-down arrow or a picture) and a drop-down button that
/// opens the column's items in a floating list. While the user types it offers a
/// suggestion in a small window just above the editor (the first matching item of a combo
/// column, or what the grid's OnGetSuggestion answers); Enter takes it.
///
/// The editor always edits its grid's current cell and knows its grid only through
/// TVgEditorGrid. The parts: VgEdit.cpp (contents, layout, painting, mouse, keys, focus),
/// VgEditDropDown.cpp (the drop-down list) and VgEditSuggestion.cpp (suggestions).
#pragma once

#include "editor/VgEditorGrid.h"
#include "platform/core/Export.h"
#include "platform/core/TypeInfo.h"
#include "platform/graphics/Canvas.h"
#include "platform/hostgrid/InplaceEdit.h"

#include <cstdint>

namespace vg {

class TPopupListbox;
class TvgHintWindow;

/// The in-cell controls the editor shows for the current cell.
enum TvgEditStyle : std::uint8_t { esEllipsis, esPickList };
VG_ENUM_INFO(TvgEditStyle, "esEllipsis", "esPickList")
using TvgEditStyles = TSet<TvgEditStyle>;

/// The cell editor of TVelkoGrid. It takes the current cell's colour, font, alignment, read-only
/// state and text limit, shows its column's button and drop-down button, opens the column's items
/// in a floating list (TPopupListbox) and suggests text while the user types.
/// \ingroup editor
class VELKOGRID_EXPORT TVgInplaceEdit : public TInplaceEdit {
    Q_OBJECT
public:
    explicit TVgInplaceEdit(TVgEditorGrid* Grid);
    ~TVgInplaceEdit() override;

    TVgEditorGrid* VgGrid() const { return FVgGrid; }

    // ---- Contents and layout (VgEdit.cpp).
    TvgEditStyles EditStyle() const { return FEditStyle; }
    /// Shows the controls of Value; the list is created the first time it is needed.
    void SetEditStyle(TvgEditStyles Value);
    /// Picks the controls from the current cell's column, loads the cell's text and notes
    /// it as the loaded text.
    void UpdateContents() override;
    /// Lays out the text area and the buttons and takes the cell's look, read-only state
    /// and text limit.
    void BoundsChanged() override;
    /// Not while the list is open.
    bool EditCanModify() const override;

    /// The area of text and buttons (the editor less its 2-pixel margins and the cell
    /// image's band), the column button, the drop-down button, all in the editor's
    /// coordinates. A button's rectangle means something only while it is shown.
    const TRect& EditArea() const { return FEditArea; }
    const TRect& ButtonRect() const { return FButtonRect; }
    const TRect& DropDownButtonRect() const { return FDropDownButtonRect; }
    /// The width of a standard button (the style's scroll-bar width) and of the column
    /// button (a picture's width plus 4 for a custom button with a picture).
    int StandardButtonWidth() const { return FStandardButtonWidth; }
    int ButtonWidth() const { return FButtonWidth; }
    /// The cell the editor was last laid out on.
    TGridCoord EditCell() const { return {FEditCol, FEditRow}; }

    // ---- Button tracking (VgEdit.cpp): whether a press on a button is being followed,
    // and whether the pointer is over the pressed-looking button.
    bool Tracking() const { return FTracking; }
    bool ButtonPressed() const { return FButtonPressed; }
    bool DropDownButtonPressed() const { return FDropDownButtonPressed; }
    void TrackButton(int X, int Y);
    void StopTracking();

    // ---- The drop-down list (VgEditDropDown.cpp).
    // Opens the column's items under the editor (above it when the screen has no room),
    // selecting the item equal to the trimmed text.
    void DropDown();
    /// Closes the list; with Accept the selected item goes into the cell and the grid
    /// reports OnComboSelection. Nothing selected, a read-only column or a grid that
    /// refuses changes leave the cell as it is.
    void CloseUp(bool Accept);
    /// Alt+Down and Alt+Up open and close the list, Enter accepts and Escape cancels it;
    /// a key it handles is set to 0.
    void DoDropDownKeys(int& Key, TShiftState Shift);
    /// The list's OnMouseUp: a left release inside the list accepts, outside cancels.
    void ListMouseUp(TObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    /// The list object (once created), the list in use (null without esPickList), and
    /// whether it is open.
    TPopupListbox* PickList() const { return FPickList; }
    TPopupListbox* ActiveList() const { return FActiveList; }
    bool ListVisible() const { return FListVisible; }

    // ---- Suggestions (VgEditSuggestion.cpp).
    // Works out the suggestion for the text typed so far and shows or hides it.
    void TextChange();
    /// Shows S just above the editor; blank text hides the window.
    void ShowHintWindow(const QString& S);
    bool IsAutoSuggestionUp() const;
    /// Takes the shown suggestion into the editor and the cell (reported as a combo
    /// selection in a column with a list) and hides it.
    void AcceptSuggestion();
    TvgHintWindow* HintWindow() const { return FHintWindow; }

protected:
    void PaintWindow(TCanvas& Canvas) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    /// A press elsewhere than on the editor or its list closes the list (and takes a shown
    /// suggestion when the grid asks for that).
    void CMCancelMode(TMessage& Message) override;
    /// The focus left: a shown suggestion is taken (when the grid asks for that), the list
    /// closes, and a text that differs from the loaded one is reported to the grid.
    void DoExit() override;

    /// Keys for the list go there first while it is open.
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    // The column of the current cell.
    TvgColumn* CurrentColumn() const;
    TGridCoord CurrentCell() const { return FVgGrid->EditorCurrentCell(); }
    // Colour and font of the current cell; answers false (and reports why) when the
    // application's look events fail.
    void ApplyCellLook();
    bool IsReadOnlyCell();
    void LayOutButtons(const TvgColumn& Column);
    void DrawColumnButton(TCanvas& Canvas, const TvgColumn& Column);
    void InvalidateButton(const TRect& Rect);
    // Whether a screen point lies in the open list; answers the list's client point.
    bool ListContains(QPoint Global, QPoint& ListPoint) const;
    void SelectListItemAt(QPoint ListPoint);
    // Writes Value into the current cell; the editor's loaded text follows only when
    // FollowLoaded is set.
    void WriteCell(const QString& Value, bool FollowLoaded);
    bool HintHook(TMessage& Message);

    TVgEditorGrid* FVgGrid;
    TvgEditStyles FEditStyle;
    int FStandardButtonWidth = 16;
    int FButtonWidth = 16;
    TRect FEditArea;
    TRect FButtonRect;
    TRect FDropDownButtonRect;
    TRect FClientRectCopy;
    bool FButtonPressed = false;
    bool FDropDownButtonPressed = false;
    bool FTracking = false;
    // A press on the drop-down button was dragged into the open list, which now follows
    // the pointer until the release.
    bool FListTracking = false;
    TPopupListbox* FPickList = nullptr; // a child of the editor
    TPopupListbox* FActiveList = nullptr;
    bool FListVisible = false;
    QPoint FDropDownOrigin; // the editor's screen place when the list opened
    TvgHintWindow* FHintWindow = nullptr; // adopted by the application object
    TCanvas FPaintCanvas;
    int FEditCol = -1;
    int FEditRow = -1;
    // Counts the editor's loads, hides and moves to another cell: a suggestion belongs to
    // the text of one of them, and is dropped when another begins.
    int FLoadCount = 0;
    // The cell the suggestion up was made for: it goes into that cell or nowhere, whatever
    // moved the grid's columns or rows since.
    TGridCoord FSuggestionCell{-1, -1};
    void DropSuggestion();
    QString FLoadedText;
    // While set, a write into the cell leaves the loaded text alone.
    bool FKeepLoadedText = false;
    Qt::FocusReason FFocusOutReason = Qt::OtherFocusReason;
    int FHookId = 0;
};

} // namespace vg
