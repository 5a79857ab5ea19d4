/// \file
/// TCustomGrid: the host grid. A scroll area of cells whose fixed rows (at the top) and
/// fixed columns (at the left) stay in place while the other cells scroll by whole cells.
/// It paints by calling DrawCell once for every cell on screen, keeps a current cell and a
/// selected range, is driven by keyboard and mouse (navigation, range selection, sizing
/// and moving rows and columns, in-place editing) and reports what happens through
/// overridable operations and events. It holds no cell contents; TStringGrid adds texts.
///
/// The class is split by concern: CustomGrid.cpp (sizes, options, focus, messages),
/// CustomGridGeometry.cpp (layout, scrolling, invalidation), CustomGridPaint.cpp,
/// CustomGridKeyboard.cpp, CustomGridMouse.cpp, CustomGridEditing.cpp and
/// CustomGridStreaming.cpp (form-file entries).
#pragma once

#include "platform/app/Application.h"
#include "platform/app/InputTypes.h"
#include "platform/app/Messages.h"
#include "platform/app/Timer.h"
#include "platform/core/Colors.h"
#include "platform/core/Component.h"
#include "platform/core/Export.h"
#include "platform/core/Types.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/hostgrid/GridAxis.h"
#include "platform/hostgrid/GridExtents.h"
#include "platform/hostgrid/GridTypes.h"
#include "platform/hostgrid/InplaceEdit.h"

#include <QAbstractScrollArea>
#include <QMetaMethod>
#include <QRect>

class QScrollBar;

#include <functional>
#include <optional>
#include <span>

namespace vg {

/// The host grid: a scroll area of cells whose fixed rows and columns stay in place while the
/// other cells scroll by whole cells. It paints by calling DrawCell for every cell on screen, keeps a
/// current cell and a selected range, is driven by keyboard and mouse (navigation, selection,
/// sizing and moving rows and columns, in-place editing) and holds no cell contents; TStringGrid
/// adds texts.
/// \ingroup host_grid
// The grid is its editor's TInplaceEditGrid through a protected base: descendants hand
// themselves to the editors they create, applications never see those calls.
class VELKOGRID_EXPORT TCustomGrid : public QAbstractScrollArea, public TComponent, protected TInplaceEditGrid {
    Q_OBJECT
    VG_CLASS(TCustomGrid)

public:
    /// A grid owned by owner (which destroys it) and shown on parent; when no parent is
    /// given and the owner is a widget, the grid is placed on the owner.
    explicit TCustomGrid(TComponent* owner = nullptr, QWidget* parent = nullptr);
    ~TCustomGrid() override;

    /// The component name is also the widget's object name.
    void SetName(const QString& value) override;

    // ---- Size. Counts below one raise EInvalidOperation; a count at or below the fixed
    // count lowers the fixed count to leave one scrollable column (row). Columns (rows)
    // with widths (heights) of their own are kept one by one, so there can be at most
    // MaxCustomExtents of them; more raise EInvalidOperation.
    int ColCount() const { return FColWidths.Count(); }
    virtual void SetColCount(int value);
    int RowCount() const { return FRowHeights.Count(); }
    virtual void SetRowCount(int value);
    /// The most rows SetRowCount accepts as the heights are now.
    int MaxRowCount() const { return FRowHeights.MaxCount(); }
    /// Raise EInvalidOperation outside 0..ColCount-1 (RowCount-1). Changing them makes the
    /// first scrollable cell the current one and shows the grid from its start.
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int value);
    /// Out-of-range indices raise EListError, negative extents EInvalidOperation.
    int ColWidths(int index) const { return FColWidths.Get(index); }
    void SetColWidths(int index, int width);
    /// The height a row shows: its own, or else one the grid gave it to fit its contents
    /// (see SetAutomaticRowHeight), or else the default.
    int RowHeights(int index) const { return FRowHeights.Get(index); }
    void SetRowHeights(int index, int height);
    /// Setting a default gives every column (row) that extent.
    int DefaultColWidth() const { return FColWidths.Default(); }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return FRowHeights.Default(); }
    void SetDefaultRowHeight(int value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int value);

    // ---- Current cell, selection and scrolling. Setting Col or Row asks SelectCell
    // first (nothing changes on a veto) and scrolls the cell into view; indices outside
    // the scrollable cells raise EListError.
    int Col() const { return FCurrent.X; }
    void SetCol(int value);
    int Row() const { return FCurrent.Y; }
    void SetRow(int value);
    /// The range between the current cell and the anchor. Setting it places the anchor at
    /// its top-left corner and the current cell at its bottom-right one directly, without
    /// SelectCell; cells outside the grid raise EListError.
    TGridRect Selection() const;
    void SetSelection(const TGridRect& value);
    /// The first scrollable column (row) on screen. Indices outside the scrollable cells
    /// raise EListError; values past the last useful one show the grid's end.
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int value);
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int value);
    /// Scrollable columns (rows) fully on screen; at least one.
    int VisibleColCount() const;
    int VisibleRowCount() const;

    // ---- Looks and behaviour.
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor value);
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    /// With default drawing the grid fills each cell and draws fixed cells raised and the
    /// focus frame around the current cell; DrawCell draws the content.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool value);
    /// Paints on the viewport while the grid paints, with the widget's palette.
    TCanvas& Canvas() { return FCanvas; }

    // ---- Geometry, in viewport coordinates.
    // The cell on screen (the part inside the viewport); empty when it is not on screen.
    TRect CellRect(int ACol, int ARow) const;
    /// What the cells of the range cover on screen, fixed cells included; empty when none
    /// of them is on screen.
    TRect BoxRect(const TGridRect& cells) const;
    TRect BoxRect(int ALeft, int ATop, int ARight, int ABottom) const { return BoxRect(GridRect(ALeft, ATop, ARight, ABottom)); }
    /// The cell at a point; -1 in each direction without a cell there (beyond the last
    /// column or row, or outside the viewport).
    TGridCoord MouseCoord(int X, int Y) const;
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    /// Repaints that part of the viewport; nothing is erased first.
    void InvalidateRect(const TRect& rect);
    void InvalidateGrid();

    // ---- Operations. Out-of-range indices raise EListError.
    // Moves the row (column) to the last place (reported by RowMoved or ColumnMoved), then
    // removes it (reported by SizeChanged); the only row (column) of a grid cannot be
    // deleted (EInvalidOperation). DeleteRow removes the row even when the handler of the
    // move throws; the exception reaches the caller afterwards.
    void DeleteRow(int ARow);
    void DeleteColumn(int ACol);
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    // Puts the rows from First on in a new order in one step: row First + i becomes the
    // row that was at First + Order[i], with its height of its own and its contents
    // (RowsReordered). The current cell stays with its row, and the selection shrinks to
    // that row (a range of rows would not stay one). Nothing scrolls and
    // OnRowMoved is not fired. EListError when the rows run past the grid,
    // EInvalidOperation when Order is no permutation; nothing changes then.
    void ReorderRows(int First, std::span<const int> Order);

    // ---- In-place editing. ShowEditor opens the editor over the current cell when
    // goEditing allows it; HideEditor writes its text back to the cell and closes it.
    void ShowEditor();
    void HideEditor();
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool value);
    /// The editor once it has been created (it is kept while hidden); null before.
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    /// While a selection or a column (row) is dragged past an edge of the scrollable cells,
    /// this timer scrolls the grid a cell at a time; tests tick it themselves.
    TTimer& AutoScrollTimer() { return *FAutoScrollTimer; }
    static constexpr int AutoScrollInterval = 50; // milliseconds between scroll steps

    /// The messages this grid answers; descendants add their own with Messages().On(...).
    TMessageTable& Messages() { return FMessages; }

    // ---- Events.
    std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)> OnDrawCell;
    std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)> OnSelectCell;
    std::function<void(TObject* Sender)> OnEnter;
    std::function<void(TObject* Sender)> OnExit;
    std::function<void(TObject* Sender)> OnClick;
    std::function<void(TObject* Sender)> OnDblClick;
    std::function<void(TObject* Sender)> OnTopLeftChanged;
    std::function<void(TObject* Sender, int& Key, TShiftState Shift)> OnKeyDown;
    std::function<void(TObject* Sender, QChar& Key)> OnKeyPress;
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditText;
    std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)> OnSetEditText;
    std::function<void(TObject* Sender, int FromIndex, int ToIndex)> OnColumnMoved;
    std::function<void(TObject* Sender, int FromIndex, int ToIndex)> OnRowMoved;

    // ---- Signals. Each event above is also a Qt signal, raised in the same place: the
    // handler first, then the signal's slots, with the same arguments but Sender (a slot
    // has sender()) and with rectangles as QRect. A reference is the value the handler
    // left, which slots may change in turn; what the last slot leaves is the answer, so a
    // slot may refuse (canSelect = false) or let through what the handler refused. Slots
    // with references must be called directly (the default for receivers in the grid's
    // thread): a queued connection to such a signal is refused by Qt when it is emitted.
    // A slot may throw, change the grid or free objects exactly as a handler may, with the
    // same results; like a handler, it deletes the grid only through deleteLater(). A
    // handler that throws ends the event before its signal is emitted.
signals:
    // After the cell was drawn: a slot may draw over it on Canvas(). Signals emitted for
    // every painted cell cost one check while nothing is connected to them.
    void cellDrawn(int column, int row, const QRect& rect, vg::TGridDrawState state);
    // Before the current cell moves to (column, row); Col() and Row() still name the old one.
    void aboutToSelectCell(int column, int row, bool& canSelect);
    // The keyboard focus entered the grid (or its editor) from elsewhere, or left both.
    void focusEntered();
    void focusExited();
    void clicked();
    void doubleClicked();
    void topLeftChanged();
    // A key reached the grid; setting key to 0 consumes it.
    void keyPressed(int& key, vg::TShiftState shift);
    // A character was typed; setting it to a null QChar consumes it.
    void characterTyped(QChar& key);
    // The text the editor starts with, and the edited text as it goes back to the cell.
    void editTextRequested(int column, int row, QString& value);
    void editTextCommitted(int column, int row, const QString& value);
    void columnMoved(int from, int to);
    void rowMoved(int from, int to);

protected:
    // Whether a slot is connected to Signal: events raised for every painted cell, and
    // signals whose arguments take work to prepare, are emitted only then.
    template <auto Signal>
    bool SignalConnected() const
    {
        static const QMetaMethod method = QMetaMethod::fromSignal(Signal);
        return isSignalConnected(method);
    }
    // Raises OnDrawCell and cellDrawn.
    void CellDrawn(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    // Raises OnGetEditText and editTextRequested for Value.
    void RequestEditText(int ACol, int ARow, QString& Value);

    // ---- What descendants override.
    // Draws one cell; the base fires OnDrawCell.
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    /// Asked before the current cell changes (Col and Row still name the old one); false
    /// keeps it. The base fires OnSelectCell.
    virtual bool SelectCell(int ACol, int ARow);
    /// After a column (row) was moved: the base fires OnColumnMoved (OnRowMoved).
    /// Descendants that keep data per column (row) move it here before calling the base.
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    /// What InsertEmptyRow calls instead of RowMoved when it moves the new last row into
    /// place: descendants move their data per row as in RowMoved, and nothing is
    /// reported. The base does nothing.
    virtual void MoveRowContents(int FromIndex, int ToIndex);
    /// After ReorderRows gave the rows their new places and heights: descendants that keep
    /// data per row reorder it here. The base does nothing.
    virtual void RowsReordered(int First, std::span<const int> Order);
    /// Adds an empty row of the default height before ARow (0..RowCount; RowCount appends):
    /// the rows from ARow on move down by one, contents and heights alike. Reported by
    /// SizeChanged alone, as a row added at the end would be; the rows moving down are not
    /// reported as moved. The current cell and the selection keep their indices. Indices
    /// outside 0..RowCount raise EListError, a grid of 2^31 - 1 rows EInvalidOperation.
    void InsertEmptyRow(int ARow);
    /// After ColCount or RowCount changed, before the grid scrolls or reloads its editor for
    /// the new counts: descendants bring what they keep in step here, before any
    /// application event can run.
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    /// A row sized by the grid to fit what it shows: the row shows height (a negative one
    /// takes it away) while it has no height of its own, that is while its height is the
    /// default. Form files keep the heights of their own alone. EListError outside the rows.
    void SetAutomaticRowHeight(int index, int height);
    /// The row's height of its own: the default unless one was set.
    int OwnRowHeight(int index) const { return FRowHeights.Own(index); }
    /// Changes with every change of a column width, the default width or the count.
    unsigned ColWidthsVersion() const { return FColWidths.Version(); }
    /// After LeftCol or TopRow changed; the base fires OnTopLeftChanged.
    virtual void TopLeftChanged();
    /// Called when the counts are about to change (the editor is closed if its cell goes
    /// away); descendants that keep per-cell data resize it here.
    virtual void SizeChanging(int NewColCount, int NewRowCount);

    virtual TInplaceEdit* CreateEditor();
    /// The text the editor starts with, and where it goes back; the bases fire
    /// OnGetEditText and OnSetEditText.
    virtual QString GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const QString& Value);
    /// Whether the editor may open now (goEditing, not goRowSelect, not designing, and
    /// editor mode or goAlwaysShowEditor).
    virtual bool CanEditShow() const;
    /// Whether the editor can stand in column ACol at all; true. A grid whose columns carry
    /// what the editor needs answers false for a column that has none for the time being.
    virtual bool CanEditColumn(int ACol) const;
    /// Whether the editor may change the text; true.
    virtual bool CanEditModify() const;
    /// The longest text the editor accepts; 0 for no limit.
    virtual int GetEditLimit() const;

    /// What the editor asks of its grid, answered from the operations above.
    QWidget* EditorParent() override { return viewport(); }
    QObject* EditorNotifyTarget() override { return this; }
    QString EditorCellText() override { return GetEditText(Col(), Row()); }
    const TFont& EditorFont() const override { return Font(); }
    TColor EditorColor() const override { return Color(); }
    int EditorTextLimit() const override { return GetEditLimit(); }
    bool EditorCanModify() const override { return CanEditModify(); }
    void EditorKeyDown(int& Key, TShiftState Shift) override { KeyDown(Key, Shift); }
    void EditorKeyPress(QChar& Key) override { KeyPress(Key); }
    void EditorFocusMoved(bool gained, Qt::FocusReason reason) override { FocusMoved(gained, reason); }
    bool EditorGridDestroying() const override { return IsDestroying(); }
    void EditorCommitText() override { UpdateText(); }

    void DefineProperties(TFiler& filer) override;
    void Loaded() override;
    /// The column count a form file stores, and as many column widths: the grid's own,
    /// unless a descendant reads its count back otherwise.
    virtual int StoredColCount() const;

    /// Mouse, in viewport coordinates. The bases do all of the grid's own mouse work:
    /// focusing, selecting, sizing and moving.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Click();
    virtual void DblClick();
    /// Keyboard: KeyDown first (navigation; a Key set to 0 is consumed), then KeyPress for
    /// the characters the key typed (Enter and typing open the editor).
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyPress(QChar& Key);
    /// What a key does that OnKeyDown let through: moving and scrolling, Tab, F2.
    virtual void Navigate(int key, TShiftState shift);
    /// The keyboard focus entered the grid (or its editor) from elsewhere, or left both.
    virtual void DoEnter();
    virtual void DoExit();
    virtual void CMMouseEnter();
    virtual void CMMouseLeave();
    /// CM_CANCELMODE (LParam: the widget pressed): ends any drag the grid is in.
    virtual void CMCancelMode(TMessage& Message);
    /// WM_COMMAND: the editor reports each change of its text (WParam EN_CHANGE << 16,
    /// LParam the editor). The base does nothing.
    virtual void WMCommand(TMessage& Message);

    // ---- Helpers for descendants.
    // Moves the current cell (through SelectCell); the anchor follows unless moveAnchor
    // is false and goRangeSelect allows a range; show scrolls the cell into view, first
    // making view the top-left cell when one is given (a page key's scroll, made only
    // once the move is allowed).
    void MoveCurrent(int ACol, int ARow, bool moveAnchor, bool show, std::optional<TGridCoord> view = std::nullopt);
    /// Extends the selection to the cell (moves the current cell without goRangeSelect).
    void MoveAnchor(TGridCoord anchor);
    void MoveTopLeft(int ALeft, int ATop);
    void ClampInView(TGridCoord cell);
    TGridState GridState() const { return FGridState; }
    /// Ends a drag (selecting, sizing, moving) where it is.
    void EndDrag();
    /// Keeps the auto-scroll timer running while the dragging pointer lies past an edge of
    /// the scrollable cells, and one tick scrolls a cell towards it.
    void UpdateAutoScroll(int X, int Y);
    void AutoScroll();
    /// -1, 0 or 1: whether pos lies before the scrollable cells of the axis, among them or
    /// past the client edge.
    static int EdgeDirection(const TGridAxis& axis, int pos);
    /// Writes the editor's text to the cell it was opened on, when it differs.
    void UpdateText();
    /// Places the editor over the current cell, loading the cell first when it changed.
    void UpdateEdit();
    /// Reloads the editor's text when the cell it edits was changed from elsewhere.
    void InvalidateEditor();
    /// While held, a write into the edited cell leaves the editor alone, and the last release
    /// reloads it once if one happened: for writes of many cells that the editor's event
    /// handlers must not interrupt.
    void HoldEditorReload() { ++FEditorReloadHolds; }
    void ReleaseEditorReload();
    /// The cell the editor was loaded from; (-1, -1) while it edits none.
    TGridCoord InplaceCell() const { return FInplaceCell; }
    TGridAxis HorzAxis() const;
    TGridAxis VertAxis() const;
    bool FocusInside() const { return FFocusInside; }
    /// For DrawCell: an event handler changed what the paint in progress was laid out from
    /// (the column model, say). The cells not painted yet are left to a new paint.
    void RestartPaint();

    // ---- Qt events.
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Focus moved to or away from the grid or its editor.
    void FocusMoved(bool gained, Qt::FocusReason reason);
    void CheckScrollableCol(int value) const;
    void CheckScrollableRow(int value) const;
    void CheckCell(int ACol, int ARow) const;
    void Initialize();
    void SetFixedCount(int& fixedCount, int value, int count, const QString& error);
    TGridAxis AxisOf(const TGridExtents& extents, int fixedCount, int firstCell, TGridOptions lineOptions, int clientExtent) const;
    // Applies new counts (ResizeCells), then fits the scrolling and the editor to them.
    void ChangeSize(int NewColCount, int NewRowCount);
    // The counts' own bookkeeping, with no application event but the commit of an editor
    // whose cell goes away: sizes, fixed counts, current cell, then SizeChanged. False when
    // the counts are the same already.
    bool ResizeCells(int NewColCount, int NewRowCount);
    void SelectionMoved(const TGridRect& oldSelection);
    // Fits the scroll bars to the cells and the viewport, keeping LeftCol and TopRow
    // within their useful range (reported when that moves them).
    void UpdateScrollRange();
    void SyncScrollBars();
    static void SyncScrollBar(QScrollBar& bar, TGridAxis axis, int& firstCell);
    void TopLeftMoved();
    // After the first cell shown moved on one axis only, and by less than a screen: moves
    // the pixels of the scrollable cells on screen, so that only the cells coming into
    // view are painted. False, with nothing done, where the whole grid must be painted.
    bool ScrollCells(const TGridAxis& oldHorz, const TGridAxis& oldVert);
    void ExtentsChanged();
    // The form-file entry of the column widths or row heights: storedCount entries, those
    // past the grid's own count with the default.
    void DefineExtents(TFiler& filer, const QString& name, TGridExtents& extents, int storedCount);

    // Painting (CustomGridPaint.cpp).
    void PaintGrid(const QRegion& dirty);
    void PaintLines(const TGridAxis& horz, const TGridAxis& vert);
    void PrepareCanvas(TGridDrawState state);
    void PaintCells(const TGridAxis& horz, const TGridAxis& vert, const QRegion& dirty);
    void PaintFixedFace(const TRect& rect);
    void PaintMoveMark(const TGridAxis& horz, const TGridAxis& vert);
    TGridDrawState DrawStateOf(int ACol, int ARow) const;

    // Keyboard (CustomGridKeyboard.cpp).
    void TabToNextCell(bool backward);

    // Mouse (CustomGridMouse.cpp).
    void DispatchMouse(QMouseEvent* e, bool press, bool doubleClick);
    bool FindSizingLine(int X, int Y, TGridState& state, int& index, int& offset) const;
    void TrackSizing(int X, int Y);
    void TrackMoving(int X, int Y);
    void TrackSelecting(int X, int Y);
    void UpdateCursor(int X, int Y);

    // Editing (CustomGridEditing.cpp).
    void CloseEditor(bool commit);
    // Loads the editor from the cell it edits; when that fails, the edit ends unwritten.
    void LoadEditor();
    void CancelEdit();
    void PlaceEditor(bool takeFocus);

    TGridExtents FColWidths{64};
    TGridExtents FRowHeights{24};
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FGridLineWidth = 1;
    TGridOptions FOptions = DefaultGridOptions;
    TColor FColor = clWindow;
    TColor FFixedColor = clBtnFace;
    TFont FFont;
    TCanvas FCanvas;
    bool FDefaultDrawing = true;

    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridCoord FTopLeft{1, 1};

    TInplaceEdit* FInplaceEdit = nullptr;
    bool FEditorMode = false;
    TGridCoord FInplaceCell{-1, -1}; // the cell the editor was loaded from

    TGridState FGridState = TGridState::Normal;
    int FSizingIndex = -1;
    int FSizingOffset = 0; // from the press to the line being dragged
    int FMoveFrom = -1;
    int FMoveTo = -1;
    std::unique_ptr<TTimer> FAutoScrollTimer;
    TPoint FDragPos; // where the pointer is while dragging

    TMessageTable FMessages{ApplicationGuard()};
    TShownCells FShownCols; // which cells invalidation may skip
    TShownCells FShownRows;
    bool FFocusInside = false;
    bool FSettingScrollBars = false;
    bool FUpdatingText = false;
    bool FEditorHeld = false; // an operation moves cells: the editor opens when it is done
    bool FLoadingEditor = false;
    int FEditorReloadHolds = 0;
    bool FEditorReloadMissed = false; // the edited cell was written while reloads were held
    bool FPaintRestarted = false;
};

} // namespace vg
