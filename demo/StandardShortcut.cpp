#include "StandardShortcut.h"

#include <QAction>

namespace vg::demo {

void SetStandardShortcut(QAction& action, QKeySequence::StandardKey key, const QKeySequence& fallback)
{
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty())
        action.setShortcut(fallback);
    else
        action.setShortcuts(keys);
}

} // namespace vg::demo
