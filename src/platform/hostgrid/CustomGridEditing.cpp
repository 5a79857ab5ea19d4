// TCustomGrid: in-place editing. The editor is created on first need and kept; it is
// loaded from the current cell (GetEditText) when it opens and written back (SetEditText)
// when the edit ends: on Enter, on moving to another cell, on leaving the grid, or when
// the grid closes it. Escape puts back the text the editor was opened with.
#include "platform/hostgrid/CustomGrid.h"

#include "platform/hostgrid/GridAccessibility.h"

#include <QScopedValueRollback>

#include <utility>

namespace vg {

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

QString TCustomGrid::GetEditText(int ACol, int ARow)
{
    QString value;
    RequestEditText(ACol, ARow, value);
    return value;
}

void TCustomGrid::RequestEditText(int ACol, int ARow, QString& Value)
{
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, Value);
    emit editTextRequested(ACol, ARow, Value);
}

void TCustomGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
    emit editTextCommitted(ACol, ARow, Value);
}

bool TCustomGrid::CanEditShow() const
{
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && !IsDesigning()
        && (FEditorMode || FOptions.Contains(goAlwaysShowEditor)) && CanEditColumn(FCurrent.X);
}

bool TCustomGrid::CanEditColumn(int) const
{
    return true;
}

bool TCustomGrid::CanEditModify() const
{
    return true;
}

int TCustomGrid::GetEditLimit() const
{
    return 0;
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    if (!CanEditShow()) {
        FEditorMode = false;
        return;
    }
    UpdateEdit();
    if (FInplaceEdit && FInplaceEdit->isVisible())
        FInplaceEdit->setFocus(Qt::OtherFocusReason);
    else
        FEditorMode = false;
}

void TCustomGrid::HideEditor()
{
    FEditorMode = false;
    CloseEditor(true);
}

void TCustomGrid::SetEditorMode(bool value)
{
    if (!value) {
        HideEditor();
        return;
    }
    ShowEditor();
    if (FInplaceEdit && FEditorMode)
        FInplaceEdit->Deselect();
}

void TCustomGrid::UpdateEdit()
{
    if (FEditorHeld || !CanEditShow())
        return;
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        if (!FInplaceEdit)
            return;
        FInplaceCell = {-1, -1};
    }
    if (FInplaceCell != FCurrent) {
        CloseEditor(true);
        FInplaceCell = FCurrent;
        LoadEditor();
    }
    PlaceEditor(FFocusInside);
}

void TCustomGrid::PlaceEditor(bool takeFocus)
{
    if (!FInplaceEdit || FInplaceCell.X < 0)
        return;
    const TRect r = CellRect(FInplaceCell.X, FInplaceCell.Y);
    if (r.IsEmpty()) {
        // The edited cell has been scrolled away: the edit ends there.
        HideEditor();
        return;
    }
    const TGridCoord cell = FInplaceCell;
    FInplaceEdit->Move(r);
    if (FInplaceCell != cell) {
        // An event handler the editor's layout ran closed the edit (or moved it, and the
        // editor has been placed there already).
        if (FInplaceCell.X < 0)
            FInplaceEdit->hide();
        return;
    }
    if (takeFocus)
        FInplaceEdit->setFocus(Qt::OtherFocusReason);
}

void TCustomGrid::UpdateText()
{
    if (!FInplaceEdit || FInplaceCell.X < 0 || FUpdatingText)
        return;
    // An editor closed by a handler while it loads holds no text of the user's, only the
    // last cell's, which would go over the cell as the handler left it.
    if (FLoadingEditor)
        return;
    const TGridCoord cell = FInplaceCell;
    const QString text = FInplaceEdit->Text();
    // A GetEditText handler that closed or moved the editor had the text written then.
    if (text == GetEditText(cell.X, cell.Y) || FInplaceCell != cell)
        return;
    const QScopedValueRollback updating(FUpdatingText, true);
    SetEditText(cell.X, cell.Y, text);
}

void TCustomGrid::CloseEditor(bool commit)
{
    if (!FInplaceEdit)
        return;
    if (commit)
        UpdateText();
    FInplaceCell = {-1, -1};
    if (!FInplaceEdit->isVisible())
        return;
    // The grid takes the focus back before the editor goes, so that it stays inside.
    if (FInplaceEdit->hasFocus())
        setFocus(Qt::OtherFocusReason);
    FInplaceEdit->hide();
    InvalidateGrid();
}

void TCustomGrid::CancelEdit()
{
    if (!FInplaceEdit || FInplaceCell.X < 0)
        return;
    FInplaceEdit->RevertText();
    if (FOptions.Contains(goAlwaysShowEditor))
        FInplaceEdit->SelectAll();
    else
        HideEditor();
}

void TCustomGrid::InvalidateEditor()
{
    if (FUpdatingText || !FInplaceEdit || FInplaceCell.X < 0)
        return;
    if (FEditorReloadHolds > 0) {
        FEditorReloadMissed = true;
        return;
    }
    if (!CanEditColumn(FInplaceCell.X)) {
        // The edited cell's column lost what the editor needs: the edit ends there, and
        // the text the editor held (the cell's, being reloaded) is not written back.
        FEditorMode = false;
        CloseEditor(false);
        return;
    }
    LoadEditor();
}

void TCustomGrid::ReleaseEditorReload()
{
    if (--FEditorReloadHolds == 0 && std::exchange(FEditorReloadMissed, false))
        InvalidateEditor();
}

void TCustomGrid::LoadEditor()
{
    try {
        const QScopedValueRollback loading(FLoadingEditor, true);
        FInplaceEdit->UpdateContents();
    } catch (...) {
        // An editor that could not take its cell's text must not write another text back.
        FEditorMode = false;
        CloseEditor(false);
        throw;
    }
    FInplaceEdit->SelectAll();
    GridAccessibility::EditorLoaded(this, FInplaceEdit, FInplaceCell);
}

} // namespace vg
