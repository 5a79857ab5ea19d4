#include "editor/VgEditAccessibility.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QListWidget>

namespace vg::EditAccessibility {

void ListItemMoved(QListWidget* list, int row)
{
    if (!QAccessible::isActive() || !list->isVisible() || row < 0)
        return;
    QAccessibleInterface* listInterface = QAccessible::queryAccessibleInterface(list);
    if (!listInterface)
        return;
    QAccessibleInterface* item = listInterface->tableInterface() ? listInterface->tableInterface()->cellAt(row, 0)
                                                                 : listInterface->child(row);
    if (!item)
        return;
    // Focus is what screen readers speak; the selection keeps clients that track it in step.
    QAccessibleEvent focus(item, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    QAccessibleEvent selection(item, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
}

void SuggestionShown(QWidget* editor, QWidget* hintWindow, const QString& S)
{
    if (!QAccessible::isActive())
        return;
    const QString text = QCoreApplication::translate("vg::TVgInplaceEdit", "Suggestion: %1").arg(S);
    hintWindow->setAccessibleName(text);
    editor->setAccessibleDescription(text);
    QAccessibleEvent alert(hintWindow, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace vg::EditAccessibility
