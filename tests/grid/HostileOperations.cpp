// The hostile-application run's calls of both grids: sizes, the current cell, options,
// looks, cells, row and column operations, the editor, form files, the billions, handlers
// that change the grid; and the column model's own: hiding and showing, edits of Columns
// and Headings, item properties and painting handlers.
#include "HostileRun.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"
#include "platform/hostgrid/InplaceEdit.h"

#include <QRegularExpression>

namespace vg::test {

void THostileRun::AddOperations()
{
    // Sizes.
    Add(4, "column count", [this](bool velko) {
        const int count = Count(velko);
        if (velko)
            FVelkoGrid.SetColumnCount(count);
        else
            FStringGrid.SetColCount(count);
        return QStringLiteral("column count %1").arg(count);
    });
    Add(4, "row count", [this](bool velko) {
        const int count = Count(false);
        // More rows than hidden columns can hold is too much.
        if (velko && HasHidden() && count > HidingRowLimit)
            return QStringLiteral("(no row count change while columns are hidden)");
        GridOf(velko).SetRowCount(count);
        return QStringLiteral("row count %1").arg(count);
    });
    Add(2, "fixed counts", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        const bool cols = Chance(50);
        const int value = Index(cols ? grid.ColCount() : grid.RowCount());
        if (cols)
            grid.SetFixedCols(value);
        else
            grid.SetFixedRows(value);
        return QStringLiteral("fixed %1 %2").arg(cols ? QStringLiteral("columns") : QStringLiteral("rows")).arg(value);
    });
    Add(5, "sizes", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        const int roll = R(5);
        const int value = roll == 4 ? (Chance(80) ? R(4) : Extreme()) : Extent();
        switch (roll) {
        case 0: {
            const int index = Index(grid.ColCount());
            grid.SetColWidths(index, value);
            return QStringLiteral("width of %1: %2").arg(index).arg(value);
        }
        case 1: {
            const int index = Index(grid.RowCount());
            grid.SetRowHeights(index, value);
            return QStringLiteral("height of %1: %2").arg(index).arg(value);
        }
        case 2:
            grid.SetDefaultColWidth(value);
            return QStringLiteral("default width %1").arg(value);
        case 3:
            grid.SetDefaultRowHeight(value);
            return QStringLiteral("default height %1").arg(value);
        default:
            grid.SetGridLineWidth(value);
            return QStringLiteral("grid lines %1").arg(value);
        }
    });
    // The current cell, the selection and scrolling.
    Add(6, "current cell", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        const int col = Index(grid.ColCount());
        const int row = Index(grid.RowCount());
        switch (R(5)) {
        case 0: grid.SetCol(col); break;
        case 1: grid.SetRow(row); break;
        case 2: grid.SetLeftCol(col); break;
        case 3: grid.SetTopRow(row); break;
        default: grid.SetSelection(GridRect(col, row, Index(grid.ColCount()), Index(grid.RowCount()))); break;
        }
        return QStringLiteral("move to (%1, %2)").arg(col).arg(row);
    });
    Add(2, "options", [this](bool velko) {
        const TGridOptions options = TGridOptions::FromBits(std::uint32_t(R(1 << 15)));
        GridOf(velko).SetOptions(options);
        return QStringLiteral("options %1").arg(options.Bits());
    });
    // Looks.
    Add(3, "looks", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        switch (R(8)) {
        case 0: grid.SetColor(Color()); return QStringLiteral("colour");
        case 1: grid.SetFixedColor(Color()); return QStringLiteral("fixed colour");
        case 2: grid.Font().SetColor(Color()); return QStringLiteral("font colour");
        case 3: {
            const int height = Chance(70) ? R(60) - 30 : Extreme();
            grid.Font().SetHeight(height);
            return QStringLiteral("font height %1").arg(height);
        }
        case 4: {
            const int size = Chance(70) ? R(40) : Extreme();
            grid.Font().SetSize(size);
            return QStringLiteral("font size %1").arg(size);
        }
        case 5: {
            const QString names[] = {QString(), QStringLiteral("DejaVu Serif"), QStringLiteral("No Such Font"), Text()};
            grid.Font().SetName(names[R(4)]);
            return QStringLiteral("font name");
        }
        case 6: grid.Font().SetStyle(TFontStyles::FromBits(std::uint32_t(R(16)))); return QStringLiteral("font style");
        default: grid.SetDefaultDrawing(Chance(50)); return QStringLiteral("default drawing");
        }
    });
    // Cells, one by one and through the column and row lists.
    Add(12, "cell", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        const int col = Chance(90) ? R(std::min(grid.ColCount() + 1, 10)) : Index(grid.ColCount());
        const int row = Chance(90) ? R(std::min(grid.RowCount() + 1, 40)) : Index(grid.RowCount());
        const QString text = Text();
        Written(velko, col, row, text, [&] { grid.SetCells(col, row, text); });
        return QStringLiteral("cell (%1, %2) = %3").arg(col).arg(row).arg(text.left(20));
    });
    Add(3, "cell lists", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        const bool column = Chance(50);
        const int index = Chance(80) ? R(10) : Index(column ? grid.ColCount() : grid.RowCount());
        TStrings& list = column ? grid.Cols(index) : grid.Rows(index);
        if (Chance(20) && list.Count() <= HidingRowLimit) {
            list.Clear();
            StateOf(velko).Model.EraseLine(column, index);
            return QStringLiteral("cleared %1 %2").arg(column ? QStringLiteral("column") : QStringLiteral("row")).arg(index);
        }
        const int at = Chance(90) ? R(std::min(list.Count() + 1, 30)) : Index(list.Count());
        const QString text = Text();
        Written(velko, column ? index : at, column ? at : index, text, [&] { list.Put(at, text); });
        return QStringLiteral("list %1 [%2] = %3").arg(index).arg(at).arg(text.left(20));
    });
    // Row and column operations.
    Add(4, "row and column operations", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        const bool column = Chance(50);
        const int count = column ? grid.ColCount() : grid.RowCount();
        const int from = Index(count);
        const int to = Index(count);
        if (Chance(50)) {
            if (column)
                grid.DeleteColumn(from);
            else
                grid.DeleteRow(from);
            return QStringLiteral("delete %1 %2").arg(column ? QStringLiteral("column") : QStringLiteral("row")).arg(from);
        }
        if (column)
            grid.MoveColumn(from, to);
        else
            grid.MoveRow(from, to);
        return QStringLiteral("move %1 %2 to %3").arg(column ? QStringLiteral("column") : QStringLiteral("row")).arg(from).arg(to);
    });
    // The editor: opened, typed into or not, closed in one of the ways a user closes it.
    Add(5, "editor", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        TGridState& state = StateOf(velko);
        if (Chance(70)) {
            FChangedAnyway = true; // a refused move below comes after this
            grid.SetOptions(grid.Options() + TGridOptions{goEditing} - TGridOptions{goRowSelect});
        }
        grid.ShowEditor();
        TInplaceEdit* editor = grid.InplaceEditor();
        if (!editor || !editor->isVisible())
            return QStringLiteral("editor did not open");
        const bool type = Chance(50);
        if (type) {
            state.Typing = true;
            state.TypedCell = EditedCell(velko);
            editor->TypeText(Text());
        }
        const int end = R(type ? 3 : 4);
        TypedThen(grid, type, [&] {
            switch (end) {
            case 0: grid.HideEditor(); break;
            case 1: grid.SetCol(Index(grid.ColCount())); break;
            case 2: grid.SetRow(Index(grid.RowCount())); break;
            default: break;
            }
        });
        if (end == 3)
            return QStringLiteral("editor left open");
        return QStringLiteral("edited%1").arg(type ? QStringLiteral(" with typing") : QString());
    });
    // Form files, mutated.
    Add(4, "form file", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        if (Chance(30)) {
            // The form of another grid, a few settings away from a new one.
            std::unique_ptr<TStringGrid> other(velko ? new TVelkoGrid : new TStringGrid);
            for (int n = R(4); n > 0; --n) {
                try {
                    switch (R(4)) {
                    case 0: other->SetColWidths(R(other->ColCount()), Extent()); break;
                    case 1: other->SetRowCount(velko ? 1 + R(HidingRowLimit) : Count(false)); break;
                    case 2: other->SetFixedRows(R(other->RowCount())); break;
                    default: other->SetDefaultColWidth(Extent()); break;
                    }
                } catch (const Exception&) {
                }
            }
            QString text = WriteComponentToText(*other);
            if (velko && Chance(50))
                text.remove(QRegularExpression(QStringLiteral("  AVisibleColumnCount = \\d+\n")));
            if (Chance(30))
                text = Mutate(text, velko);
            Note(QStringLiteral("another grid's form:\n") + text);
            ReadInto(text, velko);
            return QStringLiteral("read into the grid");
        }
        const QString mutated = Mutate(WriteComponentToText(grid), velko);
        Note(QStringLiteral("mutated form:\n") + mutated);
        if (Chance(50)) {
            const std::unique_ptr<TComponent> read = ReadComponentFromText(mutated);
            const QString text = WriteComponentToText(*read);
            try {
                if (WriteComponentToText(*ReadComponentFromText(text)) != text)
                    StateOf(velko).Findings << QStringLiteral("a form read from a mutated file does not read back:\n") + text;
            } catch (const Exception& e) {
                StateOf(velko).Findings << QStringLiteral("a form read from a mutated file is refused when written "
                                                          "again: %1\n%2").arg(e.Message(), text);
            }
            return QStringLiteral("read a new grid from a mutated form");
        }
        ReadInto(mutated, velko);
        return QStringLiteral("read into the grid");
    });
    // The billions: for one call only.
    Add(1, "billions", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        const bool columns = !velko && Chance(50);
        if (velko && HasHidden())
            return QStringLiteral("(no billions of rows while columns are hidden)");
        if (columns) {
            grid.SetDefaultColWidth(R(3));
            grid.SetColCount(INT_MAX);
        } else {
            grid.SetDefaultRowHeight(R(3));
            grid.SetRowCount(INT_MAX);
        }
        grid.SetFixedCols(Chance(50) ? grid.ColCount() - 1 : R(grid.ColCount()));
        grid.SetFixedRows(Chance(50) ? grid.RowCount() - 1 : R(grid.RowCount()));
        grid.viewport()->repaint();
        return QStringLiteral("billions of %1").arg(columns ? QStringLiteral("columns") : QStringLiteral("rows"));
    });
    // Handlers that change the grid.
    Add(1, "select handler", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        if (grid.OnSelectCell) {
            grid.OnSelectCell = nullptr;
            return QStringLiteral("select handler removed");
        }
        grid.OnSelectCell = [this, &grid, velko](TObject*, int, int, bool& canSelect) {
            canSelect = !Chance(10);
            if (Chance(30)) {
                FChangedAnyway = true;
                grid.SetRowCount(std::max(1, grid.RowCount() - 1 - R(5)));
            }
        };
        return QStringLiteral("select handler that drops rows");
    });
    Add(1, "scroll handler", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        if (grid.OnTopLeftChanged) {
            grid.OnTopLeftChanged = nullptr;
            return QStringLiteral("scroll handler removed");
        }
        grid.OnTopLeftChanged = [this, &grid, velko](TObject*) {
            if (Chance(80))
                return;
            FChangedAnyway = true;
            if (Chance(50)) {
                grid.SetFixedRows(R(std::min(grid.RowCount(), 3)));
            } else if (velko) {
                FVelkoGrid.SetColumnCount(std::max(1, grid.ColCount() - 1));
            } else {
                grid.SetColCount(std::max(1, grid.ColCount() - 1));
            }
        };
        return QStringLiteral("scroll handler that changes the grid");
    });
    Add(1, "draw handler", [this](bool velko) {
        TStringGrid& grid = GridOf(velko);
        if (grid.OnDrawCell) {
            grid.OnDrawCell = nullptr;
            return QStringLiteral("draw handler removed");
        }
        grid.OnDrawCell = [this](TObject*, int, int, const TRect&, TGridDrawState) {
            if (Chance(2))
                throw EInvalidOperation(HandlerMessage);
        };
        return QStringLiteral("draw handler that throws");
    });
}

void THostileRun::AddColumnModelOperations()
{
    FAddingColumnModelOperations = true;
    // Hiding and showing.
    Add(4, "hide or show", [this](bool) {
        if (FVelkoGrid.RowCount() > HidingRowLimit)
            return QStringLiteral("(too many rows to hide)");
        const bool hide = Chance(50) || !HasHidden();
        const std::vector<TvgColumn*> items = Items(hide);
        if (items.empty())
            return QStringLiteral("(nothing to %1)").arg(hide ? QStringLiteral("hide") : QStringLiteral("show"));
        TvgColumn* item = items[size_t(R(int(items.size())))];
        if (hide) {
            const int col = FVelkoGrid.GridColumnForColumnObject(item);
            HideItem(item);
            return QStringLiteral("hid grid column %1").arg(col);
        }
        if (Chance(20))
            item->SavedWidth = Chance(50) ? Extreme() : R(200);
        ShowItem(item);
        return QStringLiteral("showed a column at %1").arg(FVelkoGrid.GridColumnForColumnObject(item));
    });
    // Direct edits of the collection, each followed by SetColCount as applications do.
    Add(3, "collection edit", [this](bool) {
        TvgColumns& columns = *FVelkoGrid.Columns();
        // The application brings the grid in step afterwards, even when a step is refused.
        const auto edit = [&]() -> QString {
            switch (R(4)) {
            case 0: {
                const int from = Index(columns.Count());
                const int to = Index(columns.Count());
                columns.Move(from, to);
                return QStringLiteral("moved item %1 to %2").arg(from).arg(to);
            }
            case 1:
                for (int n = 1 + R(3); n > 0; --n) {
                    TvgColumn* item = columns.Add();
                    item->SetVisible(Chance(80));
                    if (!item->Visible())
                        FHidden[item->ID()] = {};
                }
                break;
            case 2: {
                const int index = Index(columns.Count());
                TvgColumn* item = columns.GetColumn(index);
                if (item->Visible() && FVelkoGrid.GetVisibleColumnCount() < 2)
                    return QStringLiteral("(the last visible item stays)");
                FHidden.erase(item->ID());
                columns.Delete(index);
                break;
            }
            default: {
                // A copy assigned back: new items, the hidden ones with their kept cells.
                std::map<int, TCellModel> byIndex;
                for (int i = 0; i < columns.Count(); ++i)
                    if (FHidden.count(columns[i]->ID()))
                        byIndex[i] = FHidden[columns[i]->ID()];
                TvgColumns copy;
                copy.Assign(&columns);
                FVelkoGrid.SetColumns(&copy);
                ForgetHiddenCells();
                for (const auto& [i, cells] : byIndex)
                    FHidden[columns[i]->ID()] = cells;
                break;
            }
            }
            return QStringLiteral("edited the items");
        };
        QString what;
        try {
            what = edit();
        } catch (const Exception&) {
            BringInStep();
            throw;
        }
        BringInStep();
        return what + QStringLiteral("; %1 visible").arg(FVelkoGrid.GetVisibleColumnCount());
    });
    // Column and heading properties, good and bad.
    Add(6, "item properties", [this](bool) {
        TvgColumn* item = AnyItem();
        switch (R(14)) {
        case 0: item->SetColumnColor(Color()); break;
        case 1: item->SetTitleColor(Color()); break;
        case 2: item->SetHeadingIndex(Index(FVelkoGrid.Headings()->Count())); break;
        case 3: item->SetFormatType(TvgFormatType(R(4))); break;
        case 4: item->SetDecimals(Chance(70) ? R(8) : Extreme()); break;
        case 5: item->SetDateFormat(Chance(70) ? R(12) - 1 : Extreme()); break;
        case 6: item->SetTimeFormat(Chance(70) ? R(5) - 1 : Extreme()); break;
        case 7: item->SetPrefix(Text()); break;
        case 8: item->SetCaption(Text()); break;
        case 9: item->SetColumnClipStyle(TvgClipStyle(R(3))); break;
        case 10: {
            TvgBorder* border = Chance(50) ? item->TopBorder() : item->RightBorder();
            border->SetColor(Color());
            border->SetStyle(TvgBorderStyle(R(7)));
            border->SetWidth(Chance(70) ? R(6) : Extreme());
            item->DoRefreshEvent();
            break;
        }
        case 11: item->ColumnFont()->SetHeight(Chance(70) ? R(40) - 20 : Extreme()); break;
        case 12: item->SetMaxTextLength(Chance(70) ? R(20) : Extreme()); break;
        default: item->SetColumnOuterBevel(TBevelCut(R(4))); break;
        }
        return QStringLiteral("changed item %1").arg(item->Index());
    });
    Add(3, "headings", [this](bool) {
        TvgHeadings& headings = *FVelkoGrid.Headings();
        switch (R(6)) {
        case 0:
        case 1: {
            TvgHeading* heading = headings.Add();
            heading->SetCaption(Text());
            const int first = R(FVelkoGrid.GetVisibleColumnCount());
            for (int i = first; i < std::min(first + 1 + R(5), FVelkoGrid.GetVisibleColumnCount()); ++i)
                FVelkoGrid.GetVisibleColumn(i)->SetHeadingIndex(headings.Count() - 1);
            return QStringLiteral("heading over columns from %1").arg(first);
        }
        case 2: headings.Delete(Index(headings.Count())); return QStringLiteral("deleted a heading");
        case 3: headings.Clear(); return QStringLiteral("cleared the headings");
        case 4: FVelkoGrid.ClearHeadings(); return QStringLiteral("ClearHeadings");
        default: headings.GetColumn(Index(headings.Count()))->SetTitleColor(Color()); return QStringLiteral("heading colour");
        }
    });
    Add(2, "grid looks", [this](bool) {
        switch (R(4)) {
        case 0: FVelkoGrid.SetVelkoOptions(TvgOptions::FromBits(std::uint32_t(R(4)))); break;
        case 1: FVelkoGrid.SetVelkoHighlightColor(Color()); break;
        case 2: FVelkoGrid.SetVelkoHighlightFontColor(Color()); break;
        default:
            FVelkoGrid.SetVelkoAdjustColWidth(Chance(50));
            FVelkoGrid.SetVelkoAdjustRowHeight(Chance(50));
            break;
        }
        return QStringLiteral("grid looks");
    });
    // Handlers that take the model apart while it paints (once, at the next paint),
    // or that answer with absurd values.
    Add(1, "painting handlers", [this](bool) {
        FVelkoGrid.OnChangeCellAttributes = [this](TObject*, int, int, TvgHeading*, TvgCellStates, TColor&, TFont*,
                                                   TAlignment&, TvgVAlignment&, TBevelCut&, TBevelCut&) {
            if (FClearColumnsArmed) {
                FClearColumnsArmed = false;
                if (Chance(50))
                    FVelkoGrid.Columns()->Clear();
                else
                    FVelkoGrid.Headings()->Clear();
            }
        };
        FVelkoGrid.OnChangeCellBorders = [this](TObject*, int, int, TvgHeading*, TvgCellStates, TvgBorder* top,
                                                TvgBorder*, TvgBorder*, TvgBorder* left) {
            if (Chance(5)) {
                top->SetWidth(Extreme());
                left->SetStyle(vgbrdDouble);
                left->SetWidth(Extreme());
            }
        };
        FVelkoGrid.OnDisplayText = [this](TObject*, int, int, TvgColumn*, QString& text, bool& convert) {
            if (Chance(5))
                text = Text();
            convert = !Chance(10);
        };
        return QStringLiteral("painting handlers");
    });
}
} // namespace vg::test
