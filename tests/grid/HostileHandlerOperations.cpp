// The hostile-application run's handlers and editing: handlers of row moves, column moves,
// scrolling, the editor's text, look and read-only answers that throw or take the column
// model apart; editors (always shown or opened, typed into or not) over the rows that
// row operations insert, delete and move; and suggestions accepted as the user does.
#include "HostileRun.h"

#include "editor/VgEdit.h"
#include "platform/core/Exceptions.h"

#include <memory>

namespace vg::test {

void THostileRun::Misbehave(bool velko, bool throws, bool editsColumns, bool& armed)
{
    if (throws && Chance(25)) {
        ++FHandlerActs;
        FChangedAnyway = true; // the call got as far as the event
        throw EInvalidOperation(HandlerMessage);
    }
    if (velko && editsColumns && armed && Chance(30)) {
        armed = false;
        ++FHandlerActs;
        FChangedAnyway = true;
        EditColumnsFromHandler();
    }
}

void THostileRun::EditColumnsFromHandler()
{
    TvgColumns& columns = *FVelkoGrid.Columns();
    const int visible = FVelkoGrid.GetVisibleColumnCount();
    switch (R(4)) {
    case 0: {
        const int index = R(columns.Count());
        if (columns[index]->Visible() && visible < 2)
            return;
        Note(QStringLiteral("[a handler deletes item %1]").arg(index));
        columns.Delete(index);
        return;
    }
    case 1:
        Note(QStringLiteral("[a handler clears Columns]"));
        columns.Clear();
        return;
    case 2: {
        TvgColumn* item = columns.Add();
        Note(QStringLiteral("[a handler adds an item]"));
        if (Chance(50)) {
            item->SetVisible(false);
            FHidden[item->ID()] = {};
            return;
        }
        // Brought in step at once; an item the grid refuses to describe goes again.
        try {
            FVelkoGrid.SetColCount(FVelkoGrid.GetVisibleColumnCount());
        } catch (...) {
            delete item;
            throw;
        }
        return;
    }
    default:
        if (visible < 2 || FVelkoGrid.RowCount() > HidingRowLimit)
            return;
        TvgColumn* item = Items(true)[size_t(R(visible))];
        Note(QStringLiteral("[a handler hides item %1]").arg(item->Index()));
        HideItem(item);
        return;
    }
}

QString THostileRun::EditorOverRowOperation(bool velko)
{
    TStringGrid& grid = GridOf(velko);
    TGridState& state = StateOf(velko);
    FChangedAnyway = true; // the editor is opened before the call that may be refused
    TGridOptions options = grid.Options() + TGridOptions{goEditing} - TGridOptions{goRowSelect};
    if (PathOn(THostilePath::AlwaysShownEditorOverRowOperations) && Chance(50))
        options = options + TGridOptions{goAlwaysShowEditor};
    else
        options = options - TGridOptions{goAlwaysShowEditor};
    grid.SetOptions(options);
    if (grid.RowCount() > grid.FixedRows())
        grid.SetRow(grid.FixedRows() + R(std::min(grid.RowCount() - grid.FixedRows(), 8)));
    grid.ShowEditor();
    TInplaceEdit* editor = grid.InplaceEditor();
    const bool type = editor && editor->isVisible() && Chance(50);
    if (type) {
        state.Typing = true;
        state.TypedCell = EditedCell(velko);
        editor->TypeText(Text());
    }
    // Rows next to the edited one, mostly.
    const int row = grid.Row();
    const auto near = [&] { return Chance(80) ? row + R(5) - 2 : Index(grid.RowCount()); };
    QString what;
    TypedThen(grid, type, [&] {
        switch (R(velko ? 5 : 4)) {
        case 0: {
            const int from = near();
            const int to = near();
            what = QStringLiteral("moved row %1 to %2").arg(from).arg(to);
            grid.MoveRow(from, to);
            break;
        }
        case 1: {
            const int at = near();
            what = QStringLiteral("deleted row %1").arg(at);
            if (velko)
                FVelkoGrid.DeleteRow(at);
            else
                grid.DeleteRow(at);
            break;
        }
        case 2: {
            const int count = std::min(row + R(3), HidingRowLimit);
            what = QStringLiteral("row count %1").arg(count);
            grid.SetRowCount(count);
            break;
        }
        case 3: {
            const int from = Index(grid.ColCount());
            const int to = Index(grid.ColCount());
            what = QStringLiteral("moved column %1 to %2").arg(from).arg(to);
            grid.MoveColumn(from, to);
            break;
        }
        default: {
            const int at = near();
            what = QStringLiteral("inserted row %1").arg(at);
            FVelkoGrid.InsertRow(at);
            break;
        }
        }
        Note(what);
        switch (R(3)) {
        case 0: grid.SetCol(Index(grid.ColCount())); break;
        case 1: grid.SetRow(Index(grid.RowCount())); break;
        default: break;
        }
    });
    return QStringLiteral("editor on row %1%2; %3").arg(row).arg(type ? QStringLiteral(", typed") : QString(), what);
}

QString THostileRun::Suggestion()
{
    if (!FVelkoGrid.OnGetSuggestion || Chance(20)) {
        auto hides = std::make_shared<bool>(Chance(50));
        FVelkoGrid.OnGetSuggestion = [this, hides](TObject*, int, int, const QString& text, QString& suggestion) {
            if (*hides && Chance(50) && FVelkoGrid.GetVisibleColumnCount() > 1 && FVelkoGrid.RowCount() <= HidingRowLimit) {
                *hides = false;
                ++FHandlerActs;
                FChangedAnyway = true;
                Note(QStringLiteral("[the suggestion handler hides the edited column]"));
                HideItem(FVelkoGrid.GetVisibleColumn(FVelkoGrid.Col()));
            }
            suggestion = text.isEmpty() ? QString() : text + QStringLiteral("-suggested");
        };
    }
    FVelkoGrid.SetAutoAcceptSuggestion(Chance(70));
    FChangedAnyway = true;
    FVelkoGrid.SetOptions(FVelkoGrid.Options() + TGridOptions{goEditing} - TGridOptions{goRowSelect});
    FVelkoGrid.ShowEditor();
    TVgInplaceEdit* editor = FVelkoGrid.VgInplaceEditor();
    if (!editor || !editor->isVisible())
        return QStringLiteral("editor did not open");
    FVelkoState.Typing = true;
    FVelkoState.TypedCell = EditedCell(true);
    TypedThen(FVelkoGrid, true, [&] {
        editor->TypeText(Chance(50) ? QStringLiteral("x") : Text());
        switch (R(4)) {
        case 0: editor->AcceptSuggestion(); break;
        case 1: FVelkoGrid.SetRow(Index(FVelkoGrid.RowCount())); break;
        case 2: FVelkoGrid.SetCol(Index(FVelkoGrid.ColCount())); break;
        default: break;
        }
    });
    return QStringLiteral("typed with suggestions");
}

void THostileRun::AddHandlerOperations()
{
    // Handlers of both grids' moves, scrolling and editor text; the column-model grid's
    // take the column model apart as well.
    FAddingColumnModelOperations = false;
    Add(3, "misbehaving handler", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        const bool throwsOnMoves = PathOn(THostilePath::ThrowingMoveHandlers);
        const bool throwsInEditor = PathOn(THostilePath::ThrowingEditorHandlers);
        const bool edits = PathOn(THostilePath::ColumnEditingHandlers);
        auto armed = std::make_shared<bool>(true);
        const auto editing = [this, velko, armed, edits](bool throws) { Misbehave(velko, throws, edits, *armed); };
        switch (R(velko ? 7 : 5)) {
        case 0:
            if (grid.OnRowMoved)
                return grid.OnRowMoved = nullptr, QStringLiteral("row move handler removed");
            grid.OnRowMoved = [editing, throwsOnMoves](TObject*, int, int) { editing(throwsOnMoves); };
            return QStringLiteral("row move handler");
        case 1:
            if (grid.OnColumnMoved)
                return grid.OnColumnMoved = nullptr, QStringLiteral("column move handler removed");
            grid.OnColumnMoved = [editing, throwsOnMoves](TObject*, int, int) { editing(throwsOnMoves); };
            return QStringLiteral("column move handler");
        case 2:
            if (grid.OnTopLeftChanged)
                return grid.OnTopLeftChanged = nullptr, QStringLiteral("scroll handler removed");
            grid.OnTopLeftChanged = [editing, throwsOnMoves](TObject*) { editing(throwsOnMoves); };
            return QStringLiteral("scroll handler");
        case 3:
            if (grid.OnGetEditText)
                return grid.OnGetEditText = nullptr, QStringLiteral("editor text handler removed");
            grid.OnGetEditText = [editing, throwsInEditor](TObject*, int, int, QString&) { editing(throwsInEditor); };
            return QStringLiteral("editor text handler");
        case 4:
            if (grid.OnSetEditText)
                return grid.OnSetEditText = nullptr, QStringLiteral("edit handler removed");
            grid.OnSetEditText = [editing, throwsInEditor](TObject*, int, int, const QString&) { editing(throwsInEditor); };
            return QStringLiteral("edit handler");
        case 5:
            if (FVelkoGrid.OnChangeCellAttributes)
                return FVelkoGrid.OnChangeCellAttributes = nullptr, QStringLiteral("look handler removed");
            FVelkoGrid.OnChangeCellAttributes = [editing, throwsInEditor](TObject*, int, int, TvgHeading*, TvgCellStates,
                                                                     TColor&, TFont*, TAlignment&, TvgVAlignment&,
                                                                     TBevelCut&, TBevelCut&) { editing(throwsInEditor); };
            return QStringLiteral("look handler");
        default:
            if (FVelkoGrid.OnGetReadOnly)
                return FVelkoGrid.OnGetReadOnly = nullptr, QStringLiteral("read-only handler removed");
            FVelkoGrid.OnGetReadOnly = [this, editing, throwsInEditor](TObject*, int, int, bool& readOnly) {
                readOnly = readOnly || Chance(10);
                editing(throwsInEditor);
            };
            return QStringLiteral("read-only handler");
        }
    });
    Add(4, "editor over a row operation", [this](bool velko) { return EditorOverRowOperation(velko); });
    FAddingColumnModelOperations = true;
    Add(2, "suggestion", [this](bool) {
        if (!PathOn(THostilePath::Suggestions))
            return QStringLiteral("(suggestions: under repair)");
        return Suggestion();
    });
}

} // namespace vg::test
