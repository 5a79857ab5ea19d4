// The hostile-application run's picture of a grid: the texts each cell should hold, the
// cells kept by hidden column objects, and the cell the run typed into, followed through
// every move and size change the grid reports; and grids that report them.
#pragma once

#include "grid/VgGrid.h"
#include "platform/hostgrid/MoveEntry.h"

#include <QStringList>

#include <functional>
#include <map>
#include <vector>

namespace vg::test {

// Texts by cell (or by row, with column 0), empty ones left out.
class TCellModel {
public:
    using TCell = std::pair<int, int>;

    QString Get(int col, int row) const
    {
        const auto found = FCells.find({col, row});
        return found == FCells.end() ? QString() : found->second;
    }
    void Set(int col, int row, const QString& text)
    {
        if (text.isEmpty())
            FCells.erase({col, row});
        else
            FCells[{col, row}] = text;
    }
    // Drops the cells outside cols × rows and answers the dropped cells of the columns.
    TCellModel Truncate(int cols, int rows)
    {
        TCellModel dropped;
        for (const auto& [cell, text] : FCells)
            if (cell.first >= cols && cell.second < rows)
                dropped.FCells[cell] = text;
        std::erase_if(FCells, [&](const auto& e) { return e.first.first >= cols || e.first.second >= rows; });
        return dropped;
    }
    void MoveColumn(int from, int to)
    {
        Remap([&](TCell c) { return TCell{MovedIndex(c.first, from, to), c.second}; });
    }
    void MoveRow(int from, int to)
    {
        Remap([&](TCell c) { return TCell{c.first, MovedIndex(c.second, from, to)}; });
    }
    std::map<int, QString> Column(int col) const
    {
        std::map<int, QString> rows;
        for (const auto& [cell, text] : FCells)
            if (cell.first == col)
                rows[cell.second] = text;
        return rows;
    }
    void EraseLine(bool column, int index)
    {
        std::erase_if(FCells, [&](const auto& e) { return (column ? e.first.first : e.first.second) == index; });
    }
    const std::map<TCell, QString>& Cells() const { return FCells; }

private:
    template <class F>
    void Remap(F moved)
    {
        std::map<TCell, QString> result;
        for (const auto& [cell, text] : FCells)
            result[moved(cell)] = text;
        FCells.swap(result);
    }
    std::map<TCell, QString> FCells;
};

// A grid column followed through the grid's moves until a narrowing takes it away, with
// the cells it held then (rows of column 0).
struct TFollowedColumn {
    int Col;
    bool Gone = false;
    TCellModel Cells;
};

// What the run knows of a grid besides its cells.
struct TGridState {
    TCellModel Model;
    // The cells of the hidden column objects the run knows, by item ID, as rows of column 0.
    std::map<int, TCellModel> Hidden;
    // Grid columns followed meanwhile (a column being hidden, whose cells its object keeps).
    std::vector<TFollowedColumn*> Followed;
    bool Typing = false; // the editor's writes are the run's own
    // The cell the editor was opened on when the run typed into it, where its row and
    // column went since; X is -1 once the cell is gone.
    TGridCoord TypedCell{-1, -1};
    QStringList Findings; // what the grid did that no call asked for

    // The editor writes Value into the cell: it must be the cell the run typed into, or
    // leave the cell's text as it is.
    void EditorWrites(int col, int row, const QString& value, const QString& old)
    {
        const bool typedHere = Typing && TypedCell.X == col && TypedCell.Y == row;
        if (!typedHere && value != old)
            Findings << QStringLiteral("the editor wrote \"%1\" over \"%2\" in (%3, %4), %5")
                            .arg(value.left(40), old.left(40))
                            .arg(col)
                            .arg(row)
                            .arg(Typing ? QStringLiteral("but the text was typed into (%1, %2)").arg(TypedCell.X).arg(TypedCell.Y)
                                        : QStringLiteral("which nobody edited"));
        Model.Set(col, row, value);
    }
    void RowMoved(int from, int to)
    {
        Model.MoveRow(from, to);
        for (auto& [id, cells] : Hidden)
            cells.MoveRow(from, to);
        for (TFollowedColumn* followed : Followed)
            followed->Cells.MoveRow(from, to);
        if (TypedCell.X >= 0)
            TypedCell.Y = MovedIndex(TypedCell.Y, from, to);
    }
    void ColumnMoved(int from, int to)
    {
        Model.MoveColumn(from, to);
        for (TFollowedColumn* followed : Followed)
            if (!followed->Gone && followed->Col >= 0)
                followed->Col = MovedIndex(followed->Col, from, to);
        if (TypedCell.X >= 0)
            TypedCell.X = MovedIndex(TypedCell.X, from, to);
    }
    void SizeChanged(int oldCols, int cols, int rows)
    {
        for (TFollowedColumn* followed : Followed) {
            if (!followed->Gone && followed->Col >= cols && followed->Col < oldCols) {
                followed->Gone = true;
                for (const auto& [row, text] : Model.Column(followed->Col))
                    followed->Cells.Set(0, row, text);
            }
            followed->Cells.Truncate(1, rows);
        }
        Model.Truncate(cols, rows);
        for (auto& [id, cells] : Hidden)
            cells.Truncate(1, rows);
        if (TypedCell.X >= cols || TypedCell.Y >= rows)
            TypedCell = {-1, -1};
    }
};

// A grid that tells its state what it does on its own: moves, size changes and the
// editor's writes.
template <class G>
class THostileGrid : public G {
public:
    explicit THostileGrid(TGridState& state) : FState(state) {}
    // The cell the editor was loaded from; X is -1 when it is closed.
    TGridCoord EditedCell() const { return this->InplaceCell(); }
    // Every text the grid holds.
    TCellModel Texts() const
    {
        TCellModel texts;
        for (int col = 0; col < this->ColCount(); ++col)
            this->ForEachTextInColumn(col, [&](int row, const QString& text) { texts.Set(col, row, text); });
        return texts;
    }

protected:
    void ColumnMoved(int FromIndex, int ToIndex) override
    {
        FState.ColumnMoved(FromIndex, ToIndex);
        G::ColumnMoved(FromIndex, ToIndex);
    }
    void RowMoved(int FromIndex, int ToIndex) override
    {
        FState.RowMoved(FromIndex, ToIndex);
        G::RowMoved(FromIndex, ToIndex);
    }
    void MoveRowContents(int FromIndex, int ToIndex) override
    {
        FState.RowMoved(FromIndex, ToIndex);
        G::MoveRowContents(FromIndex, ToIndex);
    }
    void SizeChanged(int OldColCount, int OldRowCount) override
    {
        FState.SizeChanged(OldColCount, this->ColCount(), this->RowCount());
        G::SizeChanged(OldColCount, OldRowCount);
    }
    // Recorded before the grid stores it: OnSetEditText may move the columns.
    void SetEditText(int ACol, int ARow, const QString& Value) override
    {
        FState.EditorWrites(ACol, ARow, Value, this->Cells(ACol, ARow));
        G::SetEditText(ACol, ARow, Value);
    }

    TGridState& FState;
};

// The column-model grid's editor also writes cells directly (an accepted suggestion, a
// choice from its list).
class THostileVelkoGrid : public THostileGrid<TVelkoGrid> {
public:
    using THostileGrid::THostileGrid;

protected:
    void EditorSetCells(int ACol, int ARow, const QString& Value) override
    {
        FState.EditorWrites(ACol, ARow, Value, Cells(ACol, ARow));
        THostileGrid::EditorSetCells(ACol, ARow, Value);
    }
};

} // namespace vg::test
