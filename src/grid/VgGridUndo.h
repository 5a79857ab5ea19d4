/// \file
/// The grid's undo steps. A step is recorded once its change is done: pushing it does not do
/// the change again. Cells are known by their column object's collection ID and their row,
/// so that a step still finds them after columns were hidden, shown or moved; cells whose
/// column object or row is gone by then are passed over. Undoing or redoing a step puts
/// back the current cell and the selection it found or left, as far as they are still in
/// the grid.
#pragma once

#include "platform/core/Export.h"

#include "grid/VgGrid.h"

#include <QUndoCommand>

#include <vector>

namespace vg {

/// One step on the grid's undo stack; the kinds below record cells, rows, a column move and
/// a new row order.
/// \ingroup grid
class VELKOGRID_EXPORT TvgGridStep : public QUndoCommand {
public:
    /// Notes where the current cell and the selection are before the change.
    TvgGridStep(TVelkoGrid& Grid, const QString& Text);
    /// Notes where they are after the change; a step recorded without it puts back the
    /// current cell and selection it found on both undo and redo.
    void NoteCursorAfter();

    void undo() final;
    void redo() final;

protected:
    /// Does (Forward) or undoes the change; OnCellEdited reports go to Edited.
    virtual void Apply(bool Forward, std::vector<TGridCoord>& Edited) = 0;

    /// The cells of a column object, visible or hidden; row indices outside the grid are
    /// passed over (read as empty).
    QString ObjectCell(const TvgColumn& Column, int Row) const;
    /// Answers the grid column written, -1 for a hidden column's cell or a cell passed over.
    int SetObjectCell(TvgColumn& Column, int Row, const QString& Value);
    TvgColumn* ColumnById(int Id) const;

    TVelkoGrid& FGrid;
    bool FRestoresCursor = true;

private:
    struct TCursor {
        TGridCoord Current;
        TGridCoord Anchor;
    };
    TCursor Cursor() const;
    void Replay(bool Forward);
    void RestoreCursor(const TCursor& Cursor);

    TCursor FBefore;
    TCursor FAfter;
    bool FAfterNoted = false;
    bool FDone = true; // the first redo, on the push, has nothing to do
};

/// Texts of cells changed: by the editor, a paste, a cut or a clear.
class VELKOGRID_EXPORT TvgCellsStep : public TvgGridStep {
public:
    using TvgGridStep::TvgGridStep;
    /// Notes that grid cell (ACol, ARow) changes from Old to New.
    void Add(int ACol, int ARow, QString Old, QString New);
    size_t Count() const { return FChanges.size(); }
    /// Steps of one edit in the editor (the same Serial and cell) join into one.
    void SetEditSerial(int Serial) { FEditSerial = Serial; }
    /// The grid had Before rows before the change and After rows after it (a paste adds
    /// rows): undo takes the added rows away again, redo adds them.
    void SetRowsAdded(int Before, int After)
    {
        FRowsBefore = Before;
        FRowsAfter = After;
    }
    int id() const override { return FEditSerial >= 0 ? 1 : -1; }
    bool mergeWith(const QUndoCommand* Other) override;

protected:
    void Apply(bool Forward, std::vector<TGridCoord>& Edited) override;

private:
    struct TChange {
        int Column; // index into FColumnIds
        int Row;
        QString Old;
        QString New;
    };
    std::vector<int> FColumnIds;
    std::vector<int> FSlotOfGridColumn; // grid column -> index into FColumnIds, or -1
    std::vector<TChange> FChanges;
    int FEditSerial = -1;
    int FRowsBefore = -1;
    int FRowsAfter = -1;
};

/// A data row inserted (Inserted) or deleted; a deleted row's texts, hidden columns' included,
/// are kept to bring it back.
class VELKOGRID_EXPORT TvgRowStep : public TvgGridStep {
public:
    TvgRowStep(TVelkoGrid& Grid, int Row, bool Inserted);

protected:
    void Apply(bool Forward, std::vector<TGridCoord>& Edited) override;

private:
    int FRow;
    bool FInserted;
    std::vector<std::pair<int, QString>> FCells; // column object ID, text
};

/// A grid column moved from one place to another.
class VELKOGRID_EXPORT TvgColumnMoveStep : public TvgGridStep {
public:
    TvgColumnMoveStep(TVelkoGrid& Grid, int FromIndex, int ToIndex);

protected:
    void Apply(bool Forward, std::vector<TGridCoord>& Edited) override;

private:
    int FColumnId; // the column object that moved
    int FFrom;
    int FTo;
};

/// The data rows put in a new order (see TVelkoGrid::RecordRowOrder).
class VELKOGRID_EXPORT TvgRowOrderStep : public TvgGridStep {
public:
    TvgRowOrderStep(TVelkoGrid& Grid, std::vector<int> Order, std::function<void(const std::vector<int>&)> Apply,
                    const QString& Text);

protected:
    void Apply(bool Forward, std::vector<TGridCoord>& Edited) override;

private:
    std::vector<int> FOrder;
    std::vector<int> FInverse;
    std::function<void(const std::vector<int>&)> FApply;
};

} // namespace vg
