/// \file
/// TCustomListBox: a list of strings to pick one from, the base of drop-down lists. Items
/// is a string list that is the widget's own content, so changes through either side are
/// seen by the other. Every item is ItemHeight pixels high, and with IntegralHeight the
/// list's height is trimmed to show whole items only. Typed characters reach KeyPress
/// first, a released mouse button reaches MouseUp and OnMouseUp.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/Persistent.h"
#include "platform/core/Strings.h"
#include "platform/core/Types.h"

#include <QListWidget>

#include <functional>
#include <memory>

namespace vg {

/// A list of strings to pick one from, the base of drop-down lists. Items is the widget's own
/// content, and every item is ItemHeight pixels high.
/// \ingroup host_controls
class VELKOGRID_EXPORT TCustomListBox : public QListWidget, public TObject {
    VG_CLASS(TCustomListBox)
public:
    explicit TCustomListBox(QWidget* parent = nullptr);
    ~TCustomListBox() override;

    TStrings& Items();
    const TStrings& Items() const;

    /// The selected item's index, -1 for none. Another index outside the items raises
    /// EListError.
    int ItemIndex() const;
    void SetItemIndex(int value);

    /// The height of every item in pixels; never less than a line of the list's font needs,
    /// so that no item's text is cut. A value below 1 raises EInvalidOperation.
    int ItemHeight() const;
    void SetItemHeight(int value);

    /// When set, the list's height is trimmed to its frame plus a whole number of items.
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool value);

    /// Places the list (screen coordinates for a top-level list), with IntegralHeight applied.
    void SetBounds(int left, int top, int width, int height);
    /// The area inside the frame, in client coordinates (those MouseUp reports).
    TRect ClientRect() const;

    /// Selects the first item after index after (-1: from the top), going round to the top,
    /// whose text begins with prefix, case ignored. Answers its index, or -1 with the
    /// selection unchanged when none does. after outside -1..Count-1 raises EListError.
    int SelectString(int after, const QString& prefix);

    std::function<void(TObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseUp;

protected:
    /// A typed character. Setting key to a null character swallows it; the list's own
    /// handling (type-ahead search, navigation) gets whatever key is left.
    virtual void KeyPress(QChar& key);
    /// A released mouse button at a client point; the base fires OnMouseUp.
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class TItemStrings;
    class TItemHeightDelegate;

    // The height that shows whole items only, for a wanted height.
    int IntegralHeightFor(int height) const;

    std::unique_ptr<TItemStrings> FItems;
    int FItemHeight = 16;
    bool FIntegralHeight = false;
};

} // namespace vg
