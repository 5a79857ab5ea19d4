// A hostile application, at random: public calls of a string grid and of a column-model
// grid with good and bad values, direct edits of the column model, handlers that change
// the grids (or throw) while they paint, select, move rows and columns, scroll, edit and
// suggest, editors open on the cells that row operations move, CSV texts and datasets
// loaded into grids whose column objects are out of step with their columns, mutated form
// files, and windows from nothing to huge, painted between batches of calls. After every
// call that the grids accept they must be whole: each grid column has its column object,
// every text written and not removed reads back (hidden columns' too), no cell holds a
// text nobody wrote, a written form reads back to the same text, the current cell exists,
// nothing is left loading. Every refusal is the library's own exception and changes
// nothing. Paints must raise nothing but what the handlers themselves throw.
//
// The operations are in HostileOperations.cpp (sizes, cells, editor, forms, the column
// model), HostileContentOperations.cpp (CSV texts and datasets) and
// HostileHandlerOperations.cpp (handlers, the editor on moving cells, suggestions); the
// checks and painting in HostileRun.cpp.
#pragma once

#include "HostileGrid.h"

#include <QElapsedTimer>

#include <array>
#include <climits>
#include <functional>
#include <random>

namespace vg::test {

// Counts the run keeps the grids within between calls: a grid with custom widths keeps
// one integer per column, so the billions are visited by one call at a time only.
constexpr int ModerateCount = 5000;
// Hiding and showing copy a column's cells row by row.
constexpr int HidingRowLimit = 5000;
inline const QString HandlerMessage = QStringLiteral("thrown by a handler on purpose");

// Paths the run can take whose faults are known and being mended: the run leaves the
// paths listed in PathsUnderRepair out, unless VELKOGRID_HOSTILE_PATHS names them
// (comma-separated, as in HostilePathNames) or says "all". A path whose mend has landed
// comes off the list.
enum class THostilePath {
    // Loading CSV texts and datasets into a grid with more column objects than columns.
    LoadOutOfStep,
    // Loads refused at their first value, which lies past the last column object a load
    // may make: nothing may change, not even the row count.
    LoadsRefusedPastTheColumnLimit,
    // CSV texts long enough for the reader to share the values that repeat in a column.
    CsvSharedValues,
    // A stream whose size() claims a terabyte.
    HugeStreamSize,
    // Loading at the end of millions of rows with sizes of their own.
    LoadAfterMillionsOfRows,
    // Handlers that throw from row moves, column moves and size changes.
    ThrowingMoveHandlers,
    // Handlers of the editor's text, look and read-only events that throw (the grid's own
    // bookkeeping must be done before they run).
    ThrowingEditorHandlers,
    // Handlers that edit Columns from row moves, column moves, size changes and the editor's events.
    ColumnEditingHandlers,
    // Suggestions typed for and accepted (or not), with a handler that may hide the edited
    // column; a suggestion must land in the cell it was made for only.
    Suggestions,
    // An always-shown editor over rows that are inserted, deleted or moved.
    AlwaysShownEditorOverRowOperations,
};
inline constexpr std::pair<THostilePath, const char*> HostilePathNames[] = {
    {THostilePath::LoadOutOfStep, "LoadOutOfStep"},
    {THostilePath::LoadsRefusedPastTheColumnLimit, "LoadsRefusedPastTheColumnLimit"},
    {THostilePath::CsvSharedValues, "CsvSharedValues"},
    {THostilePath::HugeStreamSize, "HugeStreamSize"},
    {THostilePath::LoadAfterMillionsOfRows, "LoadAfterMillionsOfRows"},
    {THostilePath::ThrowingMoveHandlers, "ThrowingMoveHandlers"},
    {THostilePath::ThrowingEditorHandlers, "ThrowingEditorHandlers"},
    {THostilePath::ColumnEditingHandlers, "ColumnEditingHandlers"},
    {THostilePath::Suggestions, "Suggestions"},
    {THostilePath::AlwaysShownEditorOverRowOperations, "AlwaysShownEditorOverRowOperations"},
};
inline constexpr std::array PathsUnderRepair{THostilePath::ThrowingMoveHandlers, THostilePath::ThrowingEditorHandlers};

class THostileRun {
public:
    THostileRun(unsigned seed, bool soak);
    ~THostileRun();

    // Runs count calls; stops at the first finding, which Finding() then describes.
    bool Run(int count);
    QString Finding() const { return FFinding + QStringLiteral("\nLast calls:\n  ") + FLog.join(QStringLiteral("\n  ")); }
    int Calls() const { return FCalls; }
    int Refused() const { return FRefused; }
    int Paints() const { return FPaints; }

private:
    struct TOperation {
        int Weight;
        const char* Name;
        bool VelkoOnly; // an edit of the column model
        // Does one call on the string grid (velko false) or the column-model grid, and
        // answers what it did.
        std::function<QString(bool velko)> Do;
    };

    // ---- random values, good and bad (HostileRun.cpp)
    int R(int n) { return n <= 0 ? 0 : int(FRandom() % unsigned(n)); }
    bool Chance(int percent) { return R(100) < percent; }
    int Extreme();
    // An index into count entries: mostly one of them, sometimes just outside, sometimes absurd.
    int Index(int count);
    // A count: mostly small, sometimes large, rarely very large, sometimes absurd.
    int Count(bool velkoColumns);
    int Extent();
    TColor Color();
    QString Text();
    bool PathOn(THostilePath path) const;

    // ---- the grids
    TStringGrid& GridOf(bool velko) { return velko ? static_cast<TStringGrid&>(FVelkoGrid) : FStringGrid; }
    TGridState& StateOf(bool velko) { return velko ? FVelkoState : FStringState; }
    TGridCoord EditedCell(bool velko) const { return velko ? FVelkoGrid.EditedCell() : FStringGrid.EditedCell(); }
    std::vector<TvgColumn*> Items(bool visible);
    bool HasHidden() { return !Items(false).empty(); }
    TvgColumn* AnyItem() { return (*FVelkoGrid.Columns())[R(FVelkoGrid.Columns()->Count())]; }
    // Hides a visible item as an application does, and keeps the cells it takes along.
    void HideItem(TvgColumn* item);
    // The grid has new column objects (from a form, or assigned): its hidden ones hold no
    // cells.
    void ForgetHiddenCells();
    // Shows a hidden item, and expects its kept cells back in its grid column.
    void ShowItem(TvgColumn* item);
    // Gives the grid as many columns as it has visible column objects, whatever handlers throw.
    void BringInStep();
    // Runs calls with an editor open; a user who typed ends the edit afterwards, whether
    // the calls were refused or not.
    void TypedThen(TStringGrid& grid, bool typed, const std::function<void()>& calls);
    // Writes text into a cell through write, and records it. A handler that runs meanwhile
    // and throws leaves the cell written or not.
    void Written(bool velko, int col, int row, const QString& text, const std::function<void()>& write);

    // ---- one call, and the invariants after it
    bool Call();
    void KeepModerate(bool velko);
    bool Fail(const QString& finding);
    // Records a finding of the call under way on the column-model grid, which the checks
    // after the call report; answers it for the call's log.
    QString Found(const QString& finding)
    {
        FVelkoState.Findings << finding;
        return QStringLiteral("found: ") + finding.left(200);
    }
    void Note(const QString& text) { FLog.last() += u' ' + text.left(4000); }
    void Log(const QString& line);
    bool CheckGrid(bool velko, bool refused);
    bool CheckHiddenCells();
    bool PaintBoth();

    // ---- form files
    // Reads the form text into the grid, and follows what the grid then holds.
    void ReadInto(const QString& text, bool velko);
    QString Mutate(QString text, bool velko);
    void ReplaceOneMatch(QString& line, const QRegularExpression& pattern, const QString& replacement);

    // ---- the calls
    void Add(int weight, const char* name, std::function<QString(bool velko)> op);
    void AddOperations();                // HostileOperations.cpp
    void AddColumnModelOperations();     // HostileOperations.cpp
    void AddContentOperations();         // HostileContentOperations.cpp
    void AddHandlerOperations();         // HostileHandlerOperations.cpp

    // Content (HostileContentOperations.cpp).
    // A column-object index to load from: mostly near the objects, sometimes refused.
    int FirstColumnForLoad();
    int FirstRowForLoad();
    // Records that the lines were stored from column object firstColumn and grid row
    // firstRow on, as the grid's documentation says; false with a finding when a value
    // has nowhere to be.
    // With partial (a handler threw or edited the column model during the load), each
    // value may have been stored or not. The items are taken by their IDs before the load
    // (the ones it added follow), and with partial also in their places after it.
    bool ExpectLoaded(const QList<QStringList>& lines, int firstColumn, int firstRow, const std::vector<int>& itemsBefore,
                      bool partial);
    // The same with the items taken in the order of ids.
    bool ExpectLoadedInto(const std::vector<int>& ids, const QList<QStringList>& lines, int firstColumn, int firstRow,
                          bool partial);
    std::vector<int> ItemIds();
    // Loads through load, then records what it stored.
    void Load(const QList<QStringList>& lines, int firstColumn, int firstRow, const std::function<void()>& load);
    QString LoadCsv(bool outOfStep);
    QString LoadDataSet(bool outOfStep);
    QString SaveCsv();
    // Adds column objects without giving them grid columns (or removes some within an
    // update), does one call, and brings the grid in step again.
    QString OutOfStep();

    // Handlers (HostileHandlerOperations.cpp).
    // What a handler does when it runs: nothing mostly, sometimes throws, and sometimes
    // (once per installation) edits the column model.
    void Misbehave(bool velko, bool throws, bool editsColumns, bool& armed);
    void EditColumnsFromHandler();
    QString EditorOverRowOperation(bool velko);
    QString Suggestion();

    std::mt19937 FRandom;
    bool FSoak = false;
    std::vector<THostilePath> FPathsTaken; // under repair, and taken all the same
    bool FTrace = false; // every call's line printed as it completes
    TGridState FStringState;
    TGridState FVelkoState;
    THostileGrid<TStringGrid> FStringGrid{FStringState};
    THostileVelkoGrid FVelkoGrid{FVelkoState};
    // The cells of the hidden column objects, by item ID.
    std::map<int, TCellModel>& FHidden = FVelkoState.Hidden;
    std::vector<TOperation> FOperations;
    QStringList FPaintErrors;
    QStringList FLog;
    QString FFinding;
    bool FChangedAnyway = false;
    int FHandlerActs = 0; // how often a handler threw or edited the column model
    bool FClearColumnsArmed = false;
    bool FAddingColumnModelOperations = false;
    int FCalls = 0;
    int FRefused = 0;
    int FPaints = 0;
};

} // namespace vg::test
