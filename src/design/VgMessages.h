/// \file
/// The one way the design-time dialogs tell the user about a refused entry: a modal error
/// box with one OK button. Whoever hosts the dialogs (and the tests) may answer the
/// messages in their own way instead.
#pragma once

#include "platform/core/Export.h"

#include <QString>

#include <functional>

class QWidget;

namespace vg {

using TvgDesignMessageHandler = std::function<void(QWidget* Parent, const QString& Text)>;

/// Shows Text as an error over Parent through the current handler.
VELKOGRID_EXPORT void ShowDesignError(QWidget* Parent, const QString& Text);

/// Replaces the handler (an empty one restores the error box) and answers the one before.
VELKOGRID_EXPORT TvgDesignMessageHandler SetDesignMessageHandler(TvgDesignMessageHandler Handler);

} // namespace vg
