#include "editor/VgEditAccessibility.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QWidget>

namespace vg::EditAccessibility {

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
