// What the editor's pop-ups tell accessibility clients. The drop-down list never takes the
// keyboard focus (the editor keeps it), so the list's current item is announced as it
// moves; a suggestion shown above the editor is announced and describes the editor while
// it is up. Nothing is done while no client is active.
#pragma once

#include <QString>

class QListWidget;
class QWidget;

namespace vg::EditAccessibility {

// The list's current item moved to row (-1: none).
void ListItemMoved(QListWidget* list, int row);
// The suggestion S is shown in hintWindow for the editor.
void SuggestionShown(QWidget* editor, QWidget* hintWindow, const QString& S);

} // namespace vg::EditAccessibility
