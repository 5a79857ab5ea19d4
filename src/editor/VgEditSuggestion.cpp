// TVgInplaceEdit: suggestions while typing. A combo column with AutoSuggest suggests its
// first item that begins with the trimmed text, ignoring the case of every letter; any
// other column asks the grid (OnGetSuggestion).
#include "editor/VgEdit.h"

#include "editor/VgEditAccessibility.h"
#include "editor/VgHintWindow.h"

namespace vg {

void TVgInplaceEdit::TextChange()
{
    TvgColumn* column = CurrentColumn();
    if (FEditStyle.Contains(esPickList) && column->AutoSuggest) {
        const QString typed = Text().trimmed();
        QString suggestion;
        if (!typed.isEmpty()) {
            const TStrings& items = *column->Items();
            for (int i = 0, n = items.Count(); i < n; ++i) {
                const QString item = items.Get(i);
                if (item.startsWith(typed, Qt::CaseInsensitive)) {
                    suggestion = item;
                    break;
                }
            }
        }
        if (!suggestion.isEmpty() && suggestion != Text())
            ShowHintWindow(suggestion);
        else
            FHintWindow->HideWindow();
    } else if (FVgGrid->EditorHasSuggestionHandler()) {
        const TGridCoord cell = CurrentCell();
        const int load = FLoadCount;
        QString suggestion;
        try {
            suggestion = FVgGrid->EditorSuggestion(cell.X, cell.Y, Text());
        } catch (...) {
            // No stale suggestion stays up for a handler that failed.
            FHintWindow->HideWindow();
            throw;
        }
        // A handler that hid, moved or reloaded the editor made a suggestion for a text
        // the editor no longer edits.
        if (load != FLoadCount)
            FHintWindow->HideWindow();
        else
            ShowHintWindow(suggestion);
    }
}

void TVgInplaceEdit::ShowHintWindow(const QString& S)
{
    if (S.trimmed().isEmpty()) {
        FHintWindow->HideWindow();
        return;
    }
    FSuggestionCell = CurrentCell();
    if (FHintWindow->isVisible()) {
        FHintWindow->SetHint(S);
        FHintWindow->update();
    } else {
        // Just above the text area, a little in from its left edge.
        const int h = FHintWindow->Canvas().TextHeight(QStringLiteral("Wg"));
        const QPoint p = mapToGlobal(QPoint(FEditArea.Left + 4, FEditArea.Top - (h + 8)));
        FHintWindow->ActivateHint(Rect(p.x(), p.y(), 0, 0), S);
    }
    EditAccessibility::SuggestionShown(this, FHintWindow, S);
}

void TVgInplaceEdit::DropSuggestion()
{
    ++FLoadCount;
    if (FHintWindow)
        FHintWindow->HideWindow();
}

bool TVgInplaceEdit::IsAutoSuggestionUp() const
{
    return FHintWindow && FHintWindow->isVisible();
}

void TVgInplaceEdit::AcceptSuggestion()
{
    if (!IsAutoSuggestionUp())
        return;
    const QString value = FHintWindow->Text();
    FHintWindow->HideWindow();
    if (CurrentCell() != FSuggestionCell)
        return;
    SetText(value);
    Deselect();
    const TGridCoord cell = CurrentCell();
    // In a column with a list the choice is reported as a combo selection; elsewhere the
    // text stays an edit that is reported when the editor is left.
    const bool fromList = FEditStyle.Contains(esPickList);
    WriteCell(value, fromList);
    if (fromList)
        FVgGrid->EditorComboSelection(cell.X, cell.Y);
}

} // namespace vg
