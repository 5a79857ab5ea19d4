/// \file
/// TInplaceEdit: the editor a grid places over its current cell. A multi-line text control
/// without frame or scroll bars whose text keeps to a formatting rectangle (EditRect)
/// inside it, leaving the margins to descendants (buttons, images). Unless told to wrap,
/// it shows each line of its text on one line and scrolls sideways to the caret, as a
/// line edit in a table view does. It loads the cell's
/// text when the grid asks (UpdateContents), honours a read-only switch and a text limit,
/// reports every change of its text to the grid as WM_COMMAND with EN_CHANGE, and hands
/// the keys that move between cells, Enter and Escape to the grid. Ctrl+Enter starts a
/// new line.
#pragma once

#include "platform/app/Application.h"
#include "platform/app/InputTypes.h"
#include "platform/app/Messages.h"
#include "platform/core/Colors.h"
#include "platform/core/ControlEnums.h"
#include "platform/core/Export.h"
#include "platform/core/Types.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"

#include <QPlainTextEdit>

namespace vg {

/// What an in-place editor asks of the grid it edits for; the editor knows no more of its
/// grid than this. TCustomGrid implements it.
/// \ingroup host_grid
class VELKOGRID_EXPORT TInplaceEditGrid {
public:
    /// The widget the editor lies on (the grid's viewport).
    virtual QWidget* EditorParent() = 0;
    /// Where the editor's WM_COMMAND notifications go (the grid).
    virtual QObject* EditorNotifyTarget() = 0;
    /// The current cell's text to edit, and the look and limits the editor takes over.
    virtual QString EditorCellText() = 0;
    virtual const TFont& EditorFont() const = 0;
    virtual TColor EditorColor() const = 0;
    virtual int EditorTextLimit() const = 0;
    /// Whether the grid lets the user change the text.
    virtual bool EditorCanModify() const = 0;
    /// Keys the editor hands on to the grid; a Key set to 0 (null) is consumed.
    virtual void EditorKeyDown(int& Key, TShiftState Shift) = 0;
    virtual void EditorKeyPress(QChar& Key) = 0;
    /// The editor gained or lost the keyboard focus.
    virtual void EditorFocusMoved(bool gained, Qt::FocusReason reason) = 0;
    /// Whether the grid is being destroyed (the editor then writes nothing back).
    virtual bool EditorGridDestroying() const = 0;
    /// Writes the editor's text to the cell it was opened on, when it differs.
    virtual void EditorCommitText() = 0;

protected:
    ~TInplaceEditGrid() = default;
};

/// The editor a grid places over its current cell: a text control without frame or scroll bars
/// that loads the cell's text, honours a read-only switch and a text limit, and hands the keys that
/// move between cells to the grid.
/// \ingroup host_grid
class VELKOGRID_EXPORT TInplaceEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    /// Created hidden on the grid's viewport; the grid owns it.
    explicit TInplaceEdit(TInplaceEditGrid* grid);
    ~TInplaceEdit() override;

    TInplaceEditGrid* Grid() const { return FGrid; }

    /// The text as shown; while it still shows what SetText gave it, exactly that text (the
    /// control itself turns "\r\n", "\r" and paragraph separators into "\n").
    QString Text() const;
    /// Sets the text without reporting a change to the grid.
    void SetText(const QString& value);

    /// The text area, in the control's coordinates; the text keeps clear of the rest.
    const TRect& EditRect() const { return FEditRect; }
    void SetEditRect(const TRect& value);
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool value);
    /// The longest text typing and pasting may make; 0 for no limit. A negative limit
    /// raises EInvalidOperation. Text set by the program is not cut.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    /// How the text lies in the text area. Without word wrap (the default) each line of the
    /// text stays one line, and the view scrolls sideways as far as keeps the caret in it; a
    /// text that fits the area takes Alignment, a wider one is laid out from the left (as a
    /// line edit does). With word wrap the lines break at the area's width and take
    /// Alignment, and the view scrolls up and down to the caret's line, showing the first
    /// line whenever the whole text fits.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    /// Background colour and font of the control.
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TFont& Font() { return FFont; }

    /// Places the control on rect (in the grid's viewport), calls BoundsChanged and shows it.
    void Move(const TRect& rect);
    void SelectAll();
    /// Removes the selection and puts the caret at the end of the text.
    void Deselect();
    /// Types text as the user would: nothing when EditCanModify refuses, cut at MaxLength.
    void TypeText(const QString& text);
    /// Puts back the text of the last UpdateContents.
    void RevertText();
    const QString& LoadedText() const { return FLoadedText; }

    /// Whether the user may change the text: not while read-only, nor when the grid refuses.
    virtual bool EditCanModify() const;
    /// Loads the current cell: the grid's font and colour and the cell's text.
    virtual void UpdateContents();
    /// Called after the grid placed or sized the control; the base makes the text area the
    /// whole control but a margin of 2 pixels at the left, top and right.
    virtual void BoundsChanged();

    TMessageTable& Messages() { return FMessages; }

protected:
    /// Paints the control's surface around the text area (which paints the text itself, on
    /// top, afterwards) on a canvas in the control's coordinates; the surface has been
    /// filled with Color. The base paints nothing more.
    virtual void PaintWindow(TCanvas& Canvas);
    /// Keys, before the text sees them. Up, Down, PgUp, PgDn and Tab go to the grid; a Key
    /// set to 0 is consumed.
    virtual void KeyDown(int& Key, TShiftState Shift);
    /// The character a key typed; the base lets the grid see it first (Enter ends the edit,
    /// Escape cancels it). A Key set to null is consumed.
    virtual void KeyPress(QChar& Key);
    /// Mouse, in the control's coordinates; the bases let the text area handle presses on it.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    /// CM_CANCELMODE (LParam: the widget pressed). The base passes a press outside the
    /// grid on to the grid.
    virtual void CMCancelMode(TMessage& Message);
    /// The control lost the keyboard focus; its text has been written to the cell.
    virtual void DoExit();

    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    enum class TMouseAction { Press, DoubleClick, Move, Release };

    void DispatchMouse(QMouseEvent* e, bool onText, TMouseAction action);
    void PaintSurface();
    void ApplyMargins();
    void ApplyLooks();
    // Lays the text out by Alignment and WordWrap for the text area's width.
    void ApplyTextLayout();
    // The width of the text's widest line, unwrapped.
    qreal WidestLine() const;
    // Lets the view scroll sideways over the text's width (FTextWidth), no further.
    void FitScrollRange();
    // Scrolls from the sideways offset `from` only as far as brings the caret into view
    // (the text control itself would centre it), and back to the first line when the
    // whole text fits the area's height.
    void ShowCaret(int from);
    void TextChanged();
    // Applies a key to the text, within the read-only switch, EditCanModify and MaxLength.
    void EditKey(QKeyEvent* e);
    bool ModifiesText(const QKeyEvent& e) const;
    static bool IsTyping(const QKeyEvent& e);
    int RoomLeft() const;

    TInplaceEditGrid* FGrid;
    TRect FEditRect;
    int FMaxLength = 0;
    TAlignment FAlignment = taLeftJustify;
    bool FWordWrap = false;
    int FTextWidth = 0; // the widest line and the margins, unwrapped
    TColor FColor = clWindow;
    TFont FFont;
    QString FLoadedText;
    QString FSetText;   // what SetText was given
    QString FSetShown;  // and how the control shows it
    bool FSilent = false; // text changes are not reported
    TMessageTable FMessages{ApplicationGuard()};
    // The Qt mouse event behind the MouseDown/MouseMove/MouseUp call being handled.
    QMouseEvent* FMouseEvent = nullptr;
    bool FMouseOnText = false;
    TMouseAction FMouseAction = TMouseAction::Move;
};

} // namespace vg
