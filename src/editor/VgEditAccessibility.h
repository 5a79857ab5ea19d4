/// \file
/// What the editor's suggestion window tells accessibility clients: a suggestion shown above
/// the editor is announced and describes the editor until the editor moves to another cell.
/// (The drop-down list announces its current item itself, as every Qt list view does.)
/// Nothing is done while no client is active.
#pragma once

#include "platform/core/Export.h"

#include <QString>

class QWidget;

namespace vg::EditAccessibility {

/// The suggestion S is shown in hintWindow for the editor.
VELKOGRID_EXPORT void SuggestionShown(QWidget* editor, QWidget* hintWindow, const QString& S);

} // namespace vg::EditAccessibility
