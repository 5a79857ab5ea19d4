// The keys of a standard action (Open, Save As, Refresh, Quit) as the platform's theme
// binds them, with a key of our own where the theme binds none: a plain X desktop, for
// one, has no key for Save As.
#pragma once

#include <QKeySequence>

class QAction;

namespace vg::demo {

void SetStandardShortcut(QAction& action, QKeySequence::StandardKey key, const QKeySequence& fallback);

} // namespace vg::demo
