/// \file
/// TvgHintWindow: the hint window of the grid's cell hints and the in-place editor's
/// suggestions. It sizes itself to its text (wrapping at line breaks), keeps itself on the
/// screen, shows on top of other windows without taking the focus, and writes its text in
/// the tooltip colours with every character as it is (an ampersand marks no shortcut).
#pragma once

#include "platform/controls/HintWindow.h"
#include "platform/core/Export.h"

namespace vg {

/// The hint window of the grid's cell hints and the editor's suggestions: it sizes itself to its
/// text, keeps itself on the screen and never takes the focus.
/// \ingroup editor
class VELKOGRID_EXPORT TvgHintWindow : public THintWindow {
public:
    /// Hand the window to the application object, which frees it:
    ///   auto* hint = Application().Adopt(std::make_unique<TvgHintWindow>());
    explicit TvgHintWindow(QWidget* parent = nullptr);

    /// Shows Hint with the window's top-left corner at Rect's top-left (screen
    /// coordinates), moved back onto the screen where it would leave it. Rect's right and
    /// bottom are not used.
    void ActivateHint(const TRect& Rect, const QString& Hint) override;
    void SetHint(const QString& Hint);
    void HideWindow();

protected:
    void Paint() override;
    /// Sizes the window to the new text and shows it where it is, without activation.
    void CMTextChanged() override;

private:
    // The one place where the text is laid out: wrapped at word boundaries and line breaks
    // inside R, without shortcut prefixes. With Measure, nothing is painted and R becomes
    // the extent of the wrapped text. Answers the text's height.
    int DrawHintText(TRect& R, bool Measure);
    // The client rectangle less the text's inset at the left and top.
    TRect TextRect() const;
};

} // namespace vg
