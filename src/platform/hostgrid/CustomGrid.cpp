// TCustomGrid: construction, sizes, options and looks, the current cell and selection,
// row and column operations, focus and message dispatch.
#include "platform/hostgrid/CustomGrid.h"

#include "platform/app/Application.h"
#include "platform/core/Exceptions.h"
#include "platform/hostgrid/GridAccessibility.h"
#include "platform/core/Permutation.h"
#include "platform/hostgrid/MoveEntry.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <exception>
#include <limits>
#include <utility>

namespace vg {

namespace {

// Where index lies once the entry at deleted is gone from a list of count entries (after
// the deletion), kept among the scrollable ones from first on where there are any.
int KeptIndex(int index, int deleted, int first, int count)
{
    const int kept = std::min(index > deleted ? index - 1 : index, count - 1);
    return std::max(kept, std::min(first, count - 1));
}
} // namespace

const TClassInfo& TCustomGrid::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomGrid>(QStringLiteral("TCustomGrid"), &TComponent::StaticClassInfo()).Build();
    return info;
}

TCustomGrid::TCustomGrid(TComponent* owner, QWidget* parent)
    : QAbstractScrollArea(parent ? parent : dynamic_cast<QWidget*>(owner))
    , TComponent(owner)
{
    FColWidths.Resize(5);
    FRowHeights.Resize(5);
    FAutoScrollTimer = std::make_unique<TTimer>();
    FAutoScrollTimer->SetEnabled(false);
    FAutoScrollTimer->SetInterval(AutoScrollInterval);
    FAutoScrollTimer->OnTimer = [this](TObject*) { AutoScroll(); };
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel of the viewport is painted by the grid itself: nothing is erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    horizontalScrollBar()->setTracking(false);
    verticalScrollBar()->setTracking(false);
    FFont.OnChange = [this](TObject*) { InvalidateGrid(); };
    FMessages.On(CM_CANCELMODE, [this](TMessage& message) { CMCancelMode(message); });
    FMessages.On(WM_COMMAND, [this](TMessage& message) { WMCommand(message); });
    Initialize();
    UpdateScrollRange();
    GridAccessibility::Install();
}

TCustomGrid::~TCustomGrid()
{
    Destroying();
    // The editor goes first, while the grid is still whole; its focus reports are
    // ignored from here on.
    delete std::exchange(FInplaceEdit, nullptr);
}

void TCustomGrid::SetName(const QString& value)
{
    TComponent::SetName(value);
    setObjectName(value);
}

void TCustomGrid::Initialize()
{
    FTopLeft = {FFixedCols, FFixedRows};
    FCurrent = FTopLeft;
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect))
        FAnchor.X = ColCount() - 1;
}

// ---- Size

void TCustomGrid::SetColCount(int value)
{
    if (value != ColCount())
        ChangeSize(value, RowCount());
}

void TCustomGrid::SetRowCount(int value)
{
    if (value != RowCount())
        ChangeSize(ColCount(), value);
}

void TCustomGrid::SizeChanging(int, int)
{
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    if (!ResizeCells(NewColCount, NewRowCount))
        return;
    // Only now, with the grid and its descendants in step, may application events run:
    // scrolling reports the new first cells, the editor asks for its cell's text.
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

bool TCustomGrid::ResizeCells(int NewColCount, int NewRowCount)
{
    if (NewColCount < 1)
        throw EInvalidOperation(QStringLiteral("A grid needs at least one column, not %1").arg(NewColCount));
    if (NewRowCount < 1)
        throw EInvalidOperation(QStringLiteral("A grid needs at least one row, not %1").arg(NewRowCount));
    const int oldColCount = ColCount();
    const int oldRowCount = RowCount();
    if (NewColCount == oldColCount && NewRowCount == oldRowCount)
        return false;
    FColWidths.CheckResize(NewColCount);
    FRowHeights.CheckResize(NewRowCount);
    const GridAccessibility::TShapeChange report =
        GridAccessibility::CountsChange(this, oldColCount, oldRowCount, NewColCount, NewRowCount);
    if (FInplaceCell.X >= NewColCount || FInplaceCell.Y >= NewRowCount)
        CloseEditor(true);
    SizeChanging(NewColCount, NewRowCount);
    FColWidths.Resize(NewColCount);
    FRowHeights.Resize(NewRowCount);
    FFixedCols = std::min(FFixedCols, NewColCount - 1);
    FFixedRows = std::min(FFixedRows, NewRowCount - 1);
    const auto clampCell = [&](TGridCoord& cell) {
        cell.X = std::clamp(cell.X, FFixedCols, NewColCount - 1);
        cell.Y = std::clamp(cell.Y, FFixedRows, NewRowCount - 1);
    };
    clampCell(FCurrent);
    clampCell(FAnchor);
    clampCell(FTopLeft);
    if (FOptions.Contains(goRowSelect)) {
        FCurrent.X = FFixedCols;
        FAnchor.X = NewColCount - 1;
    }
    SizeChanged(oldColCount, oldRowCount);
    return true;
}

void TCustomGrid::SizeChanged(int, int)
{
}

void TCustomGrid::SetFixedCols(int value)
{
    SetFixedCount(FFixedCols, value, ColCount(), QStringLiteral("Fixed column count must be less than column count"));
}

void TCustomGrid::SetFixedRows(int value)
{
    SetFixedCount(FFixedRows, value, RowCount(), QStringLiteral("Fixed row count must be less than row count"));
}

void TCustomGrid::SetFixedCount(int& fixedCount, int value, int count, const QString& error)
{
    if (value < 0 || value >= count)
        throw EInvalidOperation(error);
    if (value == fixedCount)
        return;
    const GridAccessibility::TShapeChange report(this, GridAccessibility::TShapeChange::Reset);
    CloseEditor(true);
    fixedCount = value;
    Initialize();
    UpdateScrollRange();
    InvalidateGrid();
}

void TCustomGrid::SetColWidths(int index, int width)
{
    if (FColWidths.Get(index) == width)
        return;
    FColWidths.Set(index, width);
    ExtentsChanged();
}

void TCustomGrid::SetRowHeights(int index, int height)
{
    // A height equal to the one shown may still be one of the row's own where the row
    // shows an automatic height.
    if (FRowHeights.Own(index) == height && FRowHeights.Get(index) == height)
        return;
    FRowHeights.Set(index, height);
    ExtentsChanged();
}

void TCustomGrid::SetAutomaticRowHeight(int index, int height)
{
    const unsigned version = FRowHeights.Version();
    FRowHeights.SetAutomatic(index, height);
    if (FRowHeights.Version() != version)
        ExtentsChanged();
}

void TCustomGrid::SetDefaultColWidth(int value)
{
    FColWidths.SetDefault(value);
    ExtentsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int value)
{
    FRowHeights.SetDefault(value);
    ExtentsChanged();
}

void TCustomGrid::SetGridLineWidth(int value)
{
    if (value < 0 || value > MaxGridExtent)
        throw EInvalidOperation(QStringLiteral("Grid lines cannot be %1 pixels wide").arg(value));
    if (value == FGridLineWidth)
        return;
    FGridLineWidth = value;
    ExtentsChanged();
}

void TCustomGrid::ExtentsChanged()
{
    UpdateScrollRange();
    InvalidateGrid();
    if (FInplaceEdit && FInplaceEdit->isVisible())
        PlaceEditor(false);
}

// ---- Looks and behaviour

void TCustomGrid::SetOptions(TGridOptions value)
{
    if (value.Contains(goRowSelect))
        value.Exclude(goAlwaysShowEditor);
    if (value == FOptions)
        return;
    const TGridOptions old = FOptions;
    FOptions = value;
    const bool thumbTracking = value.Contains(goThumbTracking);
    horizontalScrollBar()->setTracking(thumbTracking);
    verticalScrollBar()->setTracking(thumbTracking);
    if (!value.Contains(goEditing) || value.Contains(goRowSelect))
        HideEditor();
    if (value.Contains(goRowSelect) && !old.Contains(goRowSelect)) {
        FCurrent.X = FFixedCols;
        FAnchor = {ColCount() - 1, FCurrent.Y};
    }
    ExtentsChanged(); // the room of grid lines follows the line options
    if (value.Contains(goAlwaysShowEditor) && FFocusInside)
        ShowEditor();
}

void TCustomGrid::SetColor(TColor value)
{
    CheckColor(value);
    if (value == FColor)
        return;
    FColor = value;
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor value)
{
    CheckColor(value);
    if (value == FFixedColor)
        return;
    FFixedColor = value;
    InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool value)
{
    if (value == FDefaultDrawing)
        return;
    FDefaultDrawing = value;
    InvalidateGrid();
}

// ---- Current cell and selection

void TCustomGrid::CheckCell(int ACol, int ARow) const
{
    if (ACol < 0 || ACol >= ColCount())
        RaiseListIndexError(ACol);
    if (ARow < 0 || ARow >= RowCount())
        RaiseListIndexError(ARow);
}

void TCustomGrid::CheckScrollableCol(int value) const
{
    if (value < FFixedCols || value >= ColCount())
        RaiseListIndexError(value);
}

void TCustomGrid::CheckScrollableRow(int value) const
{
    if (value < FFixedRows || value >= RowCount())
        RaiseListIndexError(value);
}

void TCustomGrid::SetCol(int value)
{
    CheckScrollableCol(value);
    if (value != Col())
        MoveCurrent(value, Row(), true, true);
}

void TCustomGrid::SetRow(int value)
{
    CheckScrollableRow(value);
    if (value != Row())
        MoveCurrent(Col(), value, true, true);
}

TGridRect TCustomGrid::Selection() const
{
    return GridRectOf(FCurrent, FAnchor);
}

void TCustomGrid::SetSelection(const TGridRect& value)
{
    const TGridRect range = GridRectOf({value.Left, value.Top}, {value.Right, value.Bottom});
    CheckScrollableCol(range.Left);
    CheckScrollableCol(range.Right);
    CheckScrollableRow(range.Top);
    CheckScrollableRow(range.Bottom);
    UpdateText();
    const TGridRect old = Selection();
    FAnchor = {range.Left, range.Top};
    FCurrent = {range.Right, range.Bottom};
    if (FOptions.Contains(goRowSelect)) {
        FAnchor.X = ColCount() - 1;
        FCurrent.X = FFixedCols;
    }
    SelectionMoved(old);
    UpdateEdit();
}

bool TCustomGrid::SelectCell(int ACol, int ARow)
{
    bool canSelect = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, canSelect);
    emit aboutToSelectCell(ACol, ARow, canSelect);
    return canSelect;
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool moveAnchor, bool show, std::optional<TGridCoord> view)
{
    CheckCell(ACol, ARow);
    // The cell being left holds the edited text before anyone is asked about leaving it.
    UpdateText();
    if (!SelectCell(ACol, ARow))
        return;
    // SelectCell may have changed the grid (an OnSelectCell handler lowering RowCount, say):
    // the current cell only ever names a scrollable cell that exists.
    if (ACol < FFixedCols || ACol >= ColCount() || ARow < FFixedRows || ARow >= RowCount())
        throw EListError(QStringLiteral("Cell (%1, %2) is no longer in the grid").arg(ACol).arg(ARow));
    const TGridRect old = Selection();
    InvalidateCell(FCurrent.X, FCurrent.Y);
    FCurrent = {ACol, ARow};
    if (!FOptions.Contains(goAlwaysShowEditor))
        HideEditor();
    if (moveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions.Contains(goRowSelect))
            FAnchor.X = ColCount() - 1;
    }
    if (FOptions.Contains(goRowSelect))
        FCurrent.X = FFixedCols;
    if (show) {
        if (view && *view != FTopLeft)
            MoveTopLeft(view->X, view->Y);
        ClampInView(FCurrent);
    }
    SelectionMoved(old);
    InvalidateCell(FCurrent.X, FCurrent.Y);
    UpdateEdit();
}

void TCustomGrid::MoveAnchor(TGridCoord anchor)
{
    if (!FOptions.Contains(goRangeSelect)) {
        MoveCurrent(anchor.X, anchor.Y, true, true);
        return;
    }
    CheckCell(anchor.X, anchor.Y);
    const TGridRect old = Selection();
    FAnchor = anchor;
    if (FOptions.Contains(goRowSelect))
        FAnchor.X = ColCount() - 1;
    ClampInView(anchor);
    SelectionMoved(old);
}

void TCustomGrid::SelectionMoved(const TGridRect& oldSelection)
{
    GridAccessibility::SelectionMoved(this, oldSelection);
    const TGridRect now = Selection();
    if (now == oldSelection)
        return;
    InvalidateRect(BoxRect(oldSelection));
    InvalidateRect(BoxRect(now));
}

// ---- Operations

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    CheckCell(FromIndex, 0);
    CheckCell(ToIndex, 0);
    if (FromIndex == ToIndex)
        return;
    const GridAccessibility::TShapeChange report(this, GridAccessibility::TShapeChange::Reset);
    CloseEditor(true);
    FColWidths.Move(FromIndex, ToIndex);
    for (TGridCoord* cell : {&FCurrent, &FAnchor})
        cell->X = std::max(MovedIndex(cell->X, FromIndex, ToIndex), FFixedCols);
    if (FOptions.Contains(goRowSelect)) {
        FCurrent.X = FFixedCols;
        FAnchor.X = ColCount() - 1;
    }
    InvalidateGrid();
    ColumnMoved(FromIndex, ToIndex);
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    CheckCell(0, FromIndex);
    CheckCell(0, ToIndex);
    if (FromIndex == ToIndex)
        return;
    const GridAccessibility::TShapeChange report(this, GridAccessibility::TShapeChange::Reset);
    CloseEditor(true);
    FRowHeights.Move(FromIndex, ToIndex);
    for (TGridCoord* cell : {&FCurrent, &FAnchor})
        cell->Y = std::max(MovedIndex(cell->Y, FromIndex, ToIndex), FFixedRows);
    InvalidateGrid();
    try {
        RowMoved(FromIndex, ToIndex);
    } catch (...) {
        // The rows have moved, whatever the handler did: the scroll range follows them.
        UpdateScrollRange();
        throw;
    }
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::ReorderRows(int First, std::span<const int> Order)
{
    const auto checkRows = [&] {
        if (First < 0 || qsizetype(First) + qsizetype(Order.size()) > RowCount())
            RaiseListIndexError(First < 0 ? First : RowCount());
    };
    checkRows();
    if (!IsPermutation(Order))
        throw EInvalidOperation(QStringLiteral("A new order of the grid's rows must name each of them once"));
    if (Order.empty())
        return;
    CloseEditor(true);
    // The handlers of the editor's commit may have taken rows away.
    checkRows();
    const std::vector<int> placeOf = InversePermutation(Order);
    const auto newIndex = [&](int row) {
        return row >= First && row - First < int(Order.size()) ? First + placeOf[size_t(row - First)] : row;
    };
    // A range of rows does not stay a range: the selection keeps the current row alone.
    FCurrent.Y = newIndex(FCurrent.Y);
    FAnchor.Y = FCurrent.Y;
    FRowHeights.Permute(First, Order);
    InvalidateGrid();
    try {
        RowsReordered(First, Order);
    } catch (...) {
        UpdateScrollRange();
        throw;
    }
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::RowsReordered(int, std::span<const int>)
{
}

void TCustomGrid::InsertEmptyRow(int ARow)
{
    if (ARow < 0 || ARow > RowCount())
        RaiseListIndexError(ARow);
    if (RowCount() == std::numeric_limits<int>::max())
        throw EInvalidOperation(QStringLiteral("A grid cannot have more than %1 rows").arg(RowCount()));
    const GridAccessibility::TShapeChange report(this, GridAccessibility::TShapeChange::RowsInserted, ARow, ARow);
    CloseEditor(true);
    const int last = RowCount();
    // The row is in place before anything else runs: an editor loaded earlier would hold
    // the text of the row that moved down.
    ResizeCells(ColCount(), last + 1);
    if (ARow != last) {
        FRowHeights.Move(last, ARow);
        MoveRowContents(last, ARow);
    }
    UpdateScrollRange();
    InvalidateGrid();
    UpdateEdit();
}

void TCustomGrid::MoveRowContents(int, int)
{
}

void TCustomGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
    emit columnMoved(FromIndex, ToIndex);
}

void TCustomGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
    emit rowMoved(FromIndex, ToIndex);
}

void TCustomGrid::DeleteRow(int ARow)
{
    CheckCell(0, ARow);
    if (RowCount() == 1)
        throw EInvalidOperation(QStringLiteral("The only row of a grid cannot be deleted"));
    const GridAccessibility::TShapeChange report(this, GridAccessibility::TShapeChange::RowsRemoved, ARow, ARow);
    CloseEditor(true);
    const int current = FCurrent.Y;
    const int anchor = FAnchor.Y;
    // A handler of the move that throws does not stop the deletion half-way: the row goes
    // all the same, and the handler's exception reaches the caller afterwards. The editor
    // comes back once, when the row is gone.
    std::exception_ptr reported;
    try {
        const QScopedValueRollback held(FEditorHeld, true);
        MoveRow(ARow, RowCount() - 1);
    } catch (...) {
        reported = std::current_exception();
    }
    ResizeCells(ColCount(), RowCount() - 1);
    // The current cell and the selection keep their places among the rows that stay (the
    // move took them to the end): a deleted current row is followed by the next one.
    FCurrent.Y = KeptIndex(current, ARow, FFixedRows, RowCount());
    FAnchor.Y = KeptIndex(anchor, ARow, FFixedRows, RowCount());
    UpdateScrollRange();
    InvalidateGrid();
    if (reported)
        std::rethrow_exception(reported);
    UpdateEdit();
}

void TCustomGrid::DeleteColumn(int ACol)
{
    CheckCell(ACol, 0);
    if (ColCount() == 1)
        throw EInvalidOperation(QStringLiteral("The only column of a grid cannot be deleted"));
    const GridAccessibility::TShapeChange report(this, GridAccessibility::TShapeChange::ColumnsRemoved, ACol, ACol);
    const int current = FCurrent.X;
    const int anchor = FAnchor.X;
    MoveColumn(ACol, ColCount() - 1);
    // The size itself changes here, not through SetColCount, which descendants may
    // refine into something else than taking the last column away.
    ChangeSize(ColCount() - 1, RowCount());
    FCurrent.X = KeptIndex(current, ACol, FFixedCols, ColCount());
    FAnchor.X = KeptIndex(anchor, ACol, FFixedCols, ColCount());
    InvalidateGrid();
    UpdateEdit();
}

// ---- Component

void TCustomGrid::Loaded()
{
    TComponent::Loaded();
    UpdateScrollRange();
    InvalidateGrid();
}

// ---- Focus and messages

void TCustomGrid::FocusMoved(bool gained, Qt::FocusReason reason)
{
    if (IsDestroying())
        return;
    // Switching windows or opening a pop-up leaves the focus where it was.
    if (!gained && (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason))
        return;
    QWidget* focus = QApplication::focusWidget();
    const bool inside = focus && (focus == this || isAncestorOf(focus));
    if (inside == FFocusInside)
        return;
    FFocusInside = inside;
    InvalidateGrid();
    Application().GuardEvent([&] {
        if (inside)
            DoEnter();
        else
            DoExit();
    });
}

void TCustomGrid::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    GridAccessibility::FocusEntered(this);
    FocusMoved(true, e->reason());
    // A press on the grid took the focus from the open editor: the editor keeps the
    // keyboard, and the press (a move that may be refused) decides what becomes of it.
    if (e->reason() == Qt::MouseFocusReason && FInplaceEdit && FInplaceCell.X >= 0 && FInplaceEdit->isVisible()
        && !FInplaceEdit->hasFocus())
        FInplaceEdit->setFocus(Qt::OtherFocusReason);
}

void TCustomGrid::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    FocusMoved(false, e->reason());
}

void TCustomGrid::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
    emit focusEntered();
    if (FOptions.Contains(goAlwaysShowEditor))
        ShowEditor();
}

void TCustomGrid::DoExit()
{
    if (OnExit)
        OnExit(this);
    emit focusExited();
    if (!FOptions.Contains(goAlwaysShowEditor))
        HideEditor();
}

void TCustomGrid::CMMouseEnter()
{
}

void TCustomGrid::CMMouseLeave()
{
}

void TCustomGrid::CMCancelMode(TMessage&)
{
    EndDrag();
}

void TCustomGrid::WMCommand(TMessage&)
{
}

bool TCustomGrid::event(QEvent* e)
{
    if (FMessages.Dispatch(e))
        return true;
    switch (e->type()) {
    case QEvent::Enter:
        Application().GuardEvent([this] { CMMouseEnter(); });
        break;
    case QEvent::Leave:
        Application().GuardEvent([this] { CMMouseLeave(); });
        break;
    default:
        break;
    }
    return QAbstractScrollArea::event(e);
}

} // namespace vg
