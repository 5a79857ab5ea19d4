/// \file
/// TGridStrings: one column or row of a string grid seen as a string list. Its entries
/// are the cells themselves, so reading and writing it reads and writes the grid. Its
/// count is the grid's (RowCount for a column, ColCount for a row) and cannot change:
/// Insert, Delete and Add raise EInvalidOperation. Assigning a list copies as many entries
/// as the grid has cells there and empties the cells the list does not reach.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/Strings.h"

namespace vg {

/// The cells a view reads and writes: a grid's counts and texts. TStringGrid implements it.
/// \ingroup host_grid
class VELKOGRID_EXPORT TGridCells {
public:
    virtual int CellColCount() const = 0;
    virtual int CellRowCount() const = 0;
    virtual QString CellText(int ACol, int ARow) const = 0;
    virtual void SetCellText(int ACol, int ARow, const QString& Value) = 0;

protected:
    ~TGridCells() = default;
};

/// One column or row of a string grid seen as a string list whose entries are the cells
/// themselves (TStringGrid::Cols, TStringGrid::Rows).
/// \ingroup host_grid
class VELKOGRID_EXPORT TGridStrings : public TStrings {
    VG_CLASS(TGridStrings)
public:
    TGridStrings(TGridCells& grid, bool column, int index);

    bool IsColumn() const { return FColumn; }
    int Index() const { return FIndex; }

    /// The list's own index is checked too: a column (row) the grid no longer has raises
    /// EListError.
    int Count() const override;
    QString Get(int index) const override;
    void Put(int index, const QString& s) override;
    void Insert(int index, const QString& s) override;
    void Delete(int index) override;
    /// Empties every cell of the column (row).
    void Clear() override;

    void SetStrings(const QStringList& strings) override;

private:
    TGridCells& FGrid;
    bool FColumn;
    int FIndex;
};

} // namespace vg
