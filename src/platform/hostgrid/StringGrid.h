/// \file
/// TStringGrid: the host grid with a text in every cell. Texts live in a TGridStorage
/// (no object per cell), move with their columns and rows, are drawn by the default
/// drawing and edited in place; Cols and Rows give a column or row as a string list that
/// reads and writes the cells. Registered for form files as "TStringGrid".
#pragma once

#include "platform/core/Export.h"
#include "platform/hostgrid/CustomGrid.h"
#include "platform/hostgrid/GridStorage.h"
#include "platform/hostgrid/GridStrings.h"

#include <memory>
#include <unordered_map>

namespace vg {

class TStrings;

/// The host grid with a text in every cell. Texts live without an object per cell, move with their
/// columns and rows, are drawn by the default drawing and edited in place; Cols and Rows give a
/// column or row as a string list.
/// \ingroup host_grid
class VELKOGRID_EXPORT TStringGrid : public TCustomGrid, private TGridCells {
    Q_OBJECT
    VG_CLASS(TStringGrid)
public:
    explicit TStringGrid(TComponent* owner = nullptr, QWidget* parent = nullptr);
    ~TStringGrid() override;

    /// Out-of-range indices raise EListError.
    QString Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const QString& Value);

    /// Gives several cells of row ARow their texts at once, as SetCells would one by one;
    /// for filling a grid a row at a time. Columns must ascend, each once: otherwise, and
    /// for indices out of range, EListError is raised before anything changes.
    void SetRowCells(int ARow, std::span<const TCellText> Cells);
    /// The text of a cell without a copy, for reading many cells in a row (saving them):
    /// the view lasts until the grid's cells next change. Indices as for Cells.
    QStringView CellView(int ACol, int ARow) const;

    /// A column (row) of cells as a string list of RowCount (ColCount) entries. A list
    /// stays valid at least until control returns to the event loop; keep the index, not
    /// the list, for longer. Out-of-range indices raise EListError.
    TStrings& Cols(int index);
    TStrings& Rows(int index);

    // The cells are not written to a form: a read that is refused puts them back.
    std::function<void(TComponent&)> KeepUnwrittenState() const override;

protected:
    /// The default drawing writes the cell's text at (left + 2, top + 2); then OnDrawCell.
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    /// The texts move here, then the base reports the move.
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void MoveRowContents(int FromIndex, int ToIndex) override;
    void RowsReordered(int First, std::span<const int> Order) override;
    /// visit(row, text) for every cell of the column that holds text, in row order: cells
    /// without text cost nothing, however many rows the grid has.
    template <class F>
    void ForEachTextInColumn(int ACol, F&& visit) const
    {
        FStorage.ForEachTextInColumn(ACol, visit);
    }
    void SizeChanging(int NewColCount, int NewRowCount) override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;

private:
    // The cells as the column and row views see them.
    int CellColCount() const override { return ColCount(); }
    int CellRowCount() const override { return RowCount(); }
    QString CellText(int ACol, int ARow) const override { return Cells(ACol, ARow); }
    void SetCellText(int ACol, int ARow, const QString& Value) override { SetCells(ACol, ARow, Value); }

    // The font is written to form files only when it is not the default one.
    bool IsFontStored() const;

    using TViews = std::unordered_map<int, std::unique_ptr<TGridStrings>>;
    TStrings& View(TViews& views, bool column, int index);

    TGridStorage FStorage;
    TViews FColViews;
    TViews FRowViews;
    bool FPrunePending = false;
};

} // namespace vg
