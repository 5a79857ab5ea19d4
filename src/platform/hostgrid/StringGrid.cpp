#include "platform/hostgrid/StringGrid.h"

#include "platform/core/ClassRegistry.h"
#include "platform/core/Exceptions.h"
#include "platform/hostgrid/GridAccessibility.h"

#include <QMetaObject>

#include <algorithm>
#include <functional>
#include <vector>

namespace vg {

namespace {

// Form files create string grids by class name.
const bool Registered = [] {
    RegisterComponentClass<TStringGrid>();
    return true;
}();

// Past this many lists per direction, the lists are let go when control returns to the
// event loop, so that walking a million rows does not keep a million lists.
constexpr size_t ViewsKept = 256;

} // namespace

const TClassInfo& TStringGrid::StaticClassInfo()
{
    using G = TStringGrid;
    static const TClassInfo info =
        TClassBuilder<G>(QStringLiteral("TStringGrid"), &TCustomGrid::StaticClassInfo())
            .Int(QStringLiteral("ColCount"), &G::ColCount, &G::SetColCount).Default(5)
            .Int(QStringLiteral("DefaultColWidth"), &G::DefaultColWidth, &G::SetDefaultColWidth).Default(64)
            .Int(QStringLiteral("DefaultRowHeight"), &G::DefaultRowHeight, &G::SetDefaultRowHeight).Default(24)
            .Color(QStringLiteral("FixedColor"), &G::FixedColor, &G::SetFixedColor).Default(clBtnFace)
            .Int(QStringLiteral("FixedCols"), &G::FixedCols, &G::SetFixedCols).Default(1)
            .Int(QStringLiteral("RowCount"), &G::RowCount, &G::SetRowCount).Default(5)
            .Int(QStringLiteral("FixedRows"), &G::FixedRows, &G::SetFixedRows).Default(1)
            .Int(QStringLiteral("GridLineWidth"), &G::GridLineWidth, &G::SetGridLineWidth).Default(1)
            .Set<TGridOption>(QStringLiteral("Options"), &G::Options, &G::SetOptions).Default(DefaultGridOptions)
            .Color(QStringLiteral("Color"), &G::Color, &G::SetColor).Default(clWindow)
            .Bool(QStringLiteral("DefaultDrawing"), &G::DefaultDrawing, &G::SetDefaultDrawing).Default(true)
            .Object(QStringLiteral("Font"), [](const G& g) -> TPersistent* { return &const_cast<G&>(g).Font(); })
            .StoredIf(&G::IsFontStored)
            .Build();
    return info;
}

bool TStringGrid::IsFontStored() const
{
    return !Font().Equals(TFont());
}

TStringGrid::TStringGrid(TComponent* owner, QWidget* parent)
    : TCustomGrid(owner, parent)
{
    (void)Registered;
    FStorage.Resize(ColCount(), RowCount());
}

TStringGrid::~TStringGrid() = default;

QString TStringGrid::Cells(int ACol, int ARow) const
{
    return CellView(ACol, ARow).toString();
}

QStringView TStringGrid::CellView(int ACol, int ARow) const
{
    if (ACol < 0 || ACol >= ColCount())
        RaiseListIndexError(ACol);
    if (ARow < 0 || ARow >= RowCount())
        RaiseListIndexError(ARow);
    return FStorage.View(ACol, ARow);
}

void TStringGrid::SetCells(int ACol, int ARow, const QString& Value)
{
    if (ACol < 0 || ACol >= ColCount())
        RaiseListIndexError(ACol);
    if (ARow < 0 || ARow >= RowCount())
        RaiseListIndexError(ARow);
    if (!FStorage.Set(ACol, ARow, Value))
        return;
    InvalidateCell(ACol, ARow);
    GridAccessibility::CellTextChanged(this, ACol, ARow);
    if (InplaceCell() == TGridCoord{ACol, ARow})
        InvalidateEditor();
}

void TStringGrid::SetRowCells(int ARow, std::span<const TCellText> Cells)
{
    if (ARow < 0 || ARow >= RowCount())
        RaiseListIndexError(ARow);
    for (size_t i = 0; i < Cells.size(); ++i) {
        const int col = Cells[i].Col;
        if (col < 0 || col >= ColCount() || (i > 0 && col <= Cells[i - 1].Col))
            RaiseListIndexError(col);
    }
    if (!FStorage.SetRow(ARow, Cells))
        return;
    for (const TCellText& cell : Cells)
        InvalidateCell(cell.Col, ARow);
    GridAccessibility::RowCellsChanged(this, ARow, Cells);
    if (InplaceCell().Y == ARow &&
        std::any_of(Cells.begin(), Cells.end(), [this](const TCellText& cell) { return cell.Col == InplaceCell().X; }))
        InvalidateEditor();
}

TStrings& TStringGrid::Cols(int index)
{
    if (index < 0 || index >= ColCount())
        RaiseListIndexError(index);
    return View(FColViews, true, index);
}

TStrings& TStringGrid::Rows(int index)
{
    if (index < 0 || index >= RowCount())
        RaiseListIndexError(index);
    return View(FRowViews, false, index);
}

TStrings& TStringGrid::View(TViews& views, bool column, int index)
{
    std::unique_ptr<TGridStrings>& view = views[index];
    if (!view)
        view = std::make_unique<TGridStrings>(static_cast<TGridCells&>(*this), column, index);
    if (views.size() > ViewsKept && !FPrunePending) {
        FPrunePending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                FPrunePending = false;
                if (FColViews.size() > ViewsKept)
                    FColViews.clear();
                if (FRowViews.size() > ViewsKept)
                    FRowViews.clear();
            },
            Qt::QueuedConnection);
    }
    return *view;
}

std::function<void(TComponent&)> TStringGrid::KeepUnwrittenState() const
{
    struct TKeptCell {
        int Col;
        int Row;
        QString Text;
    };
    std::vector<TKeptCell> cells;
    for (int col = 0; col < ColCount(); ++col)
        ForEachTextInColumn(col, [&cells, col](int row, const QString& text) { cells.push_back({col, row, text}); });
    // Given a grid of the same size again: the cells a refused read emptied or took away
    // with rows and columns come back, and those it wrote go.
    return [cells = std::move(cells)](TComponent& Target) {
        auto& grid = dynamic_cast<TStringGrid&>(Target);
        grid.HideEditor();
        for (int col = 0; col < grid.ColCount(); ++col) {
            std::vector<int> filled;
            grid.ForEachTextInColumn(col, [&filled](int row, const QString&) { filled.push_back(row); });
            for (int row : filled)
                grid.SetCells(col, row, QString());
        }
        for (const TKeptCell& cell : cells)
            grid.SetCells(cell.Col, cell.Row, cell.Text);
    };
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (DefaultDrawing()) {
        // The cell has been filled already: the text goes on top of it.
        Canvas().Brush().SetStyle(bsClear);
        Canvas().TextRect(ARect, ARect.Left + 2, ARect.Top + 2, FStorage.Get(ACol, ARow));
    }
    TCustomGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    FStorage.MoveColumn(FromIndex, ToIndex);
    TCustomGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    FStorage.MoveRow(FromIndex, ToIndex);
    TCustomGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::MoveRowContents(int FromIndex, int ToIndex)
{
    FStorage.MoveRow(FromIndex, ToIndex);
    TCustomGrid::MoveRowContents(FromIndex, ToIndex);
}

void TStringGrid::RowsReordered(int First, std::span<const int> Order)
{
    FStorage.PermuteRows(First, Order);
    TCustomGrid::RowsReordered(First, Order);
}

void TStringGrid::SizeChanging(int NewColCount, int NewRowCount)
{
    FStorage.Resize(NewColCount, NewRowCount);
    TCustomGrid::SizeChanging(NewColCount, NewRowCount);
}

QString TStringGrid::GetEditText(int ACol, int ARow)
{
    QString value = Cells(ACol, ARow);
    RequestEditText(ACol, ARow, value);
    return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    SetCells(ACol, ARow, Value);
    TCustomGrid::SetEditText(ACol, ARow, Value);
}

} // namespace vg
