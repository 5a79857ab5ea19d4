// The grid and its editor: the editor the grid creates, the reports it sends, and the grid
// as the editor sees it (TVgEditorGrid).
#include "grid/VgGrid.h"

namespace vg {

TInplaceEdit* TVelkoGrid::CreateEditor()
{
    return new TVgInplaceEdit(this);
}

TVgInplaceEdit* TVelkoGrid::VgInplaceEditor() const
{
    return dynamic_cast<TVgInplaceEdit*>(InplaceEditor());
}

void TVelkoGrid::WMCommand(TMessage& Message)
{
    TVgHintGrid::WMCommand(Message);
    TVgInplaceEdit* editor = VgInplaceEditor();
    if ((Message.WParam >> 16) == EN_CHANGE && editor && Message.LParam == reinterpret_cast<std::intptr_t>(editor))
        editor->TextChange();
}

void TVelkoGrid::Navigate(int key, TShiftState shift)
{
    const bool listKey = key == VK_F4 ? shift.IsEmpty() : (key == VK_DOWN || key == VK_UP) && shift == TShiftState{ssAlt};
    if (listKey && CurrentColumn(Col()) && CurrentColumn(Col())->ControlType().Contains(vgctlComboBox)) {
        SetEditorMode(true);
        TVgInplaceEdit* editor = VgInplaceEditor();
        if (EditorMode() && editor && editor->isVisible()) {
            editor->DropDown();
            return;
        }
    }
    TVgHintGrid::Navigate(key, shift);
}

void TVelkoGrid::DoCellEdited(int ACol, int ARow)
{
    if (OnCellEdited)
        OnCellEdited(this, ACol, ARow);
    emit cellEdited(ACol, ARow);
}

void TVelkoGrid::DoComboSelection(int ACol, int ARow)
{
    if (OnComboSelection)
        OnComboSelection(this, ACol, ARow);
    emit comboItemSelected(ACol, ARow);
}

TVgEditorLook TVelkoGrid::EditorCellLook(int ACol, int ARow, TFont& AFont)
{
    TvgCellStates cellState;
    TColor color = Color();
    TVgDrawInfo drawInfo;
    TBevelCut outer = bvNone;
    TBevelCut inner = bvNone;
    GetCellAttributes(ACol, ARow, GetVisibleColumn(ACol), TGridDrawState(), cellState, color, AFont, drawInfo, outer,
                      inner);
    return {color, drawInfo.HAlignment, drawInfo.ClipStyle};
}

void TVelkoGrid::EditorCellImage(int ACol, int ARow, TRect& Rect, bool Draw, TCanvas& Canvas)
{
    DrawCellImage(ACol, ARow, -1, Rect, Draw, Canvas);
}

bool TVelkoGrid::EditorReadOnly(int ACol, int ARow, bool ReadOnly)
{
    if (OnGetReadOnly)
        OnGetReadOnly(this, ACol, ARow, ReadOnly);
    emit readOnlyRequested(ACol, ARow, ReadOnly);
    return ReadOnly;
}

QString TVelkoGrid::EditorSuggestion(int ACol, int ARow, const QString& CellText)
{
    QString suggestion;
    if (OnGetSuggestion)
        OnGetSuggestion(this, ACol, ARow, CellText, suggestion);
    emit suggestionRequested(ACol, ARow, CellText, suggestion);
    return suggestion;
}

void TVelkoGrid::EditorButtonClick(int ACol, int ARow)
{
    if (OnButtonClick)
        OnButtonClick(this, ACol, ARow);
    emit buttonClicked(ACol, ARow);
}

void TVelkoGrid::EditorPointerOnCell(int ACol, int ARow)
{
    if (HintFollowsMouse())
        SetHintCoord({ACol, ARow});
}

} // namespace vg
