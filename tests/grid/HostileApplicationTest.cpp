// A hostile application, at random: public calls of a string grid and of a column-model
// grid with good and bad values, direct edits of the column model, handlers that change
// the grids while they paint or select, mutated form files, and windows from nothing to
// huge, painted between batches of calls. After every call that the grids accept they
// must be whole: each grid column has its column object, every text written and not
// removed reads back, a written form reads back to the same text, the current cell
// exists, nothing is left loading. Every refusal is the library's own exception and
// changes nothing. Paints must raise nothing but what the handlers themselves throw.
//
// ./run test runs one seed of 3,000 calls. A longer run is asked for through the
// environment (see the README):
//   VELKOGRID_HOSTILE_SEED=N     the first seed (1)
//   VELKOGRID_HOSTILE_SEEDS=N    how many seeds (1)
//   VELKOGRID_HOSTILE_OPS=N      calls per seed (3000)
//   VELKOGRID_HOSTILE_MINUTES=M  goes on with further seeds until M minutes have passed
//
// Row operations on the column-model grid while a column is hidden, and deleting or
// moving its grid columns directly, do not keep the column objects in step yet; the run
// leaves them out.
#include "grid/VgGrid.h"

#include "platform/app/Application.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"
#include "platform/hostgrid/InplaceEdit.h"
#include "platform/hostgrid/MoveEntry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <iostream>
#include <map>
#include <random>

namespace vg::test {
namespace {

int EnvironmentInt(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// Counts the run keeps the grids within between calls: a grid with custom widths keeps
// one integer per column, so the billions are visited by one call at a time only.
constexpr int ModerateCount = 5000;
// Hiding and showing copy a column's cells row by row.
constexpr int HidingRowLimit = 5000;
const QString HandlerMessage = QStringLiteral("thrown by a handler on purpose");

// The texts a grid should hold, by grid cell.
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
    void Truncate(int cols, int rows)
    {
        std::erase_if(FCells, [&](const auto& e) { return e.first.first >= cols || e.first.second >= rows; });
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

// What the run knows of a grid besides its cells.
struct TGridState {
    TCellModel Model;
    bool Typing = false;           // the editor's writes are the run's own
    QStringList Findings;          // what the grid did that no call asked for
    std::function<TGridCoord()> EditedCell;
};

// A grid that tells its state what it does on its own: moves, size changes and the
// editor's writes.
template <class G>
class THostileGrid : public G {
public:
    explicit THostileGrid(TGridState& state) : FState(state)
    {
        state.EditedCell = [this] { return this->InplaceCell(); };
    }

protected:
    void ColumnMoved(int FromIndex, int ToIndex) override
    {
        FState.Model.MoveColumn(FromIndex, ToIndex);
        G::ColumnMoved(FromIndex, ToIndex);
    }
    void RowMoved(int FromIndex, int ToIndex) override
    {
        FState.Model.MoveRow(FromIndex, ToIndex);
        G::RowMoved(FromIndex, ToIndex);
    }
    void SizeChanged(int OldColCount, int OldRowCount) override
    {
        FState.Model.Truncate(this->ColCount(), this->RowCount());
        G::SizeChanged(OldColCount, OldRowCount);
    }
    void SetEditText(int ACol, int ARow, const QString& Value) override
    {
        if (!FState.Typing && Value != this->Cells(ACol, ARow))
            FState.Findings << QStringLiteral("the editor wrote \"%1\" over \"%2\" in (%3, %4), which nobody edited")
                                   .arg(Value, this->Cells(ACol, ARow))
                                   .arg(ACol)
                                   .arg(ARow);
        G::SetEditText(ACol, ARow, Value);
        FState.Model.Set(ACol, ARow, Value);
    }

private:
    TGridState& FState;
};

class THostileRun {
public:
    THostileRun(unsigned seed, bool soak) : FRandom(seed), FSoak(soak)
    {
        FStringGrid.SetName(QStringLiteral("Strings"));
        FVelkoGrid.SetName(QStringLiteral("Columns"));
        for (TStringGrid* grid : {static_cast<TStringGrid*>(&FStringGrid), static_cast<TStringGrid*>(&FVelkoGrid)}) {
            grid->resize(400, 300);
            grid->show();
        }
        Application().OnException = [this](const std::exception& e) {
            const QString message = QString::fromUtf8(e.what());
            if (message != HandlerMessage)
                FPaintErrors << message;
        };
        AddOperations();
    }
    ~THostileRun()
    {
        Application().OnException = nullptr;
        for (TStringGrid* grid : {static_cast<TStringGrid*>(&FStringGrid), static_cast<TStringGrid*>(&FVelkoGrid)}) {
            grid->OnSelectCell = nullptr;
            grid->OnDrawCell = nullptr;
            grid->OnTopLeftChanged = nullptr;
        }
    }

    // Runs count calls; stops at the first finding, which Finding() then describes.
    bool Run(int count)
    {
        for (int i = 0; i < count; ++i) {
            if (i % 20 == 0 && !PaintBoth())
                return false;
            if (!Call())
                return false;
        }
        return PaintBoth();
    }
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

    // ---- random values, good and bad

    int R(int n) { return n <= 0 ? 0 : int(FRandom() % unsigned(n)); }
    bool Chance(int percent) { return R(100) < percent; }
    int Extreme()
    {
        const int values[] = {INT_MIN, INT_MIN + 1, -1000000, -2, -1, INT_MAX - 1, INT_MAX, MaxGridExtent, MaxGridExtent + 1};
        return values[R(std::size(values))];
    }
    // An index into count entries: mostly one of them, sometimes just outside, sometimes absurd.
    int Index(int count)
    {
        const int roll = R(20);
        if (roll < 14)
            return R(std::min(count, 40));
        if (roll < 16)
            return R(count);
        if (roll == 16)
            return count;
        if (roll == 17)
            return -1;
        return Extreme();
    }
    // A count: mostly small, sometimes large, rarely very large, sometimes absurd. (The
    // column-model grid's columns are objects written one by one to its form: for them,
    // large is 40 and very large 300.)
    int Count(bool velkoColumns)
    {
        const int roll = R(40);
        if (roll < 28)
            return 1 + R(25);
        if (roll < 33)
            return 1 + R(velkoColumns ? 40 : 600);
        if (roll < 34)
            return 1 + R(velkoColumns ? 300 : ModerateCount);
        return roll < 36 ? R(2) - 1 : Extreme();
    }
    int Extent()
    {
        const int roll = R(20);
        if (roll < 15)
            return R(120);
        return roll < 17 ? R(3000) : Extreme();
    }
    TColor Color()
    {
        const TColor colors[] = {clRed, clWindow, clBtnFace, clNone, clDefault, clHighlight, RGBColor(1, 2, 3),
                                 TColor(0x80000000u), SystemColor(25), SystemColor(31), -2, 0x01000000};
        return colors[R(std::size(colors))];
    }
    QString Text()
    {
        const QString texts[] = {QString(), QStringLiteral("a"), QStringLiteral("line\r\nbreak"), QStringLiteral("lone\rreturn"),
                                 QStringLiteral("p\u2029q"), QStringLiteral("1234.5"), QStringLiteral("-7"),
                                 QStringLiteral("12/31/2024"), QStringLiteral("3:45"), QStringLiteral("no\u00a0break"),
                                 QStringLiteral("'quoted' #13"), QStringLiteral("\U0001F600"), QString(3000, u'W'),
                                 QStringLiteral("tab\tand\nnewline"), QStringLiteral("  ")};
        return texts[R(std::size(texts))];
    }

    // ---- the grids

    TStringGrid& GridOf(bool velko) { return velko ? static_cast<TStringGrid&>(FVelkoGrid) : FStringGrid; }
    TGridState& StateOf(bool velko) { return velko ? FVelkoState : FStringState; }
    std::vector<TvgColumn*> Items(bool visible)
    {
        std::vector<TvgColumn*> items;
        for (int i = 0; i < FVelkoGrid.Columns()->Count(); ++i)
            if ((*FVelkoGrid.Columns())[i]->Visible() == visible)
                items.push_back((*FVelkoGrid.Columns())[i]);
        return items;
    }
    bool HasHidden() { return !Items(false).empty(); }
    TvgColumn* AnyItem() { return (*FVelkoGrid.Columns())[R(FVelkoGrid.Columns()->Count())]; }

    // ---- one call

    bool Call()
    {
        int total = 0;
        for (const TOperation& op : FOperations)
            total += op.Weight;
        int pick = R(total);
        const TOperation* op = &FOperations.front();
        for (const TOperation& candidate : FOperations) {
            if (pick < candidate.Weight) {
                op = &candidate;
                break;
            }
            pick -= candidate.Weight;
        }
        const bool velko = op->VelkoOnly || Chance(50);
        TStringGrid& grid = GridOf(velko);
        const QString before = WriteComponentToText(grid);
        FChangedAnyway = false;
        ++FCalls;
        Log(QStringLiteral("%1 %2 %3:").arg(FCalls).arg(velko ? QStringLiteral("velko") : QStringLiteral("string"),
                                                        QLatin1String(op->Name)));
        QString what;
        bool refused = false;
        try {
            what = op->Do(velko);
        } catch (const Exception& e) {
            refused = true;
            ++FRefused;
            what = QStringLiteral("refused: ") + e.Message();
        } catch (const std::exception& e) {
            return Fail(QStringLiteral("a foreign exception: %1").arg(QString::fromUtf8(e.what())));
        }
        StateOf(velko).Typing = false;
        FLog.last() += u' ' + what.left(2000);
        if (refused && !FChangedAnyway && WriteComponentToText(grid) != before)
            return Fail(QStringLiteral("a refused call changed the grid"));
        KeepModerate(velko);
        return CheckGrid(velko, refused);
    }

    // Brings counts that a call raised to the billions back down, as the run's next calls
    // may give the grid custom widths.
    void KeepModerate(bool velko)
    {
        TStringGrid& grid = GridOf(velko);
        if (grid.ColCount() > ModerateCount)
            grid.SetColCount(ModerateCount);
        if (grid.RowCount() > ModerateCount)
            grid.SetRowCount(ModerateCount);
    }

    bool Fail(const QString& finding)
    {
        FFinding = finding;
        return false;
    }

    // Adds to the log line of the call under way, before the call can fail.
    void Note(const QString& text) { FLog.last() += u' ' + text.left(4000); }

    void Log(const QString& line)
    {
        FLog << line;
        if (FLog.size() > 40)
            FLog.removeFirst();
    }

    // ---- invariants

    bool CheckGrid(bool velko, bool refused)
    {
        TStringGrid& grid = GridOf(velko);
        TGridState& state = StateOf(velko);
        if (!state.Findings.isEmpty())
            return Fail(state.Findings.join(u'\n'));
        if (grid.IsLoading())
            return Fail(QStringLiteral("left loading"));
        if (velko) {
            if (FVelkoGrid.GetVisibleColumnCount() != grid.ColCount())
                return Fail(QStringLiteral("%1 grid columns but %2 visible column objects")
                                .arg(grid.ColCount())
                                .arg(FVelkoGrid.GetVisibleColumnCount()));
            for (auto it = FHidden.begin(); it != FHidden.end();) {
                auto* item = dynamic_cast<TvgColumn*>(FVelkoGrid.Columns()->FindItemID(it->first));
                it = item && !item->Visible() ? std::next(it) : FHidden.erase(it);
            }
        }
        const auto scrollable = [&](int col, int row) {
            return col >= grid.FixedCols() && col < grid.ColCount() && row >= grid.FixedRows() && row < grid.RowCount();
        };
        const TGridRect selection = grid.Selection();
        if (!scrollable(grid.Col(), grid.Row()) || !scrollable(selection.Left, selection.Top) ||
            !scrollable(selection.Right, selection.Bottom) || !scrollable(grid.LeftCol(), grid.TopRow()))
            return Fail(QStringLiteral("the current cell (%1, %2) or the selection lies outside the scrollable cells")
                            .arg(grid.Col())
                            .arg(grid.Row()));
        // Written texts read back, and nothing else appears near the origin.
        for (const auto& [cell, text] : state.Model.Cells())
            if (grid.Cells(cell.first, cell.second) != text)
                return Fail(QStringLiteral("cell (%1, %2) holds \"%3\" instead of \"%4\"")
                                .arg(cell.first)
                                .arg(cell.second)
                                .arg(grid.Cells(cell.first, cell.second).left(40), text.left(40)));
        for (int col = 0; col < std::min(grid.ColCount(), 8); ++col)
            for (int row = 0; row < std::min(grid.RowCount(), 30); ++row)
                if (grid.Cells(col, row) != state.Model.Get(col, row))
                    return Fail(QStringLiteral("cell (%1, %2) holds \"%3\", which nobody wrote there")
                                    .arg(col)
                                    .arg(row)
                                    .arg(grid.Cells(col, row).left(40)));
        if (refused)
            return true;
        const QString text = WriteComponentToText(grid);
        try {
            const std::unique_ptr<TComponent> copy = ReadComponentFromText(text);
            const QString again = WriteComponentToText(*copy);
            if (again != text)
                return Fail(QStringLiteral("the form does not read back to the same text:\n%1\n---- read back:\n%2")
                                .arg(text.left(3000), again.left(3000)));
        } catch (const Exception& e) {
            return Fail(QStringLiteral("the grid's own form is refused: %1\n%2").arg(e.Message(), text.left(3000)));
        }
        return true;
    }

    // ---- painting

    bool PaintBoth()
    {
        for (const bool velko : {false, true}) {
            TStringGrid& grid = GridOf(velko);
            if (Chance(30)) {
                const bool huge = FSoak && Chance(3);
                grid.resize(huge ? 10000 : R(1600), huge ? 7000 : R(1200));
            }
            FPaintErrors.clear();
            FClearColumnsArmed = velko && Chance(5);
            grid.viewport()->repaint();
            FClearColumnsArmed = false;
            if (velko && FVelkoGrid.GetVisibleColumnCount() == 0) {
                // A handler took the column model away while the grid painted: the
                // application gives its grid columns new objects.
                FHidden.clear();
                FVelkoGrid.CreateColumns();
            }
            QCoreApplication::processEvents();
            ++FPaints;
            if (!FPaintErrors.isEmpty())
                return Fail(QStringLiteral("painting raised: %1").arg(FPaintErrors.join(u'\n')));
            if (!CheckGrid(velko, true))
                return false;
        }
        return true;
    }

    // ---- form files

    QString Mutate(QString text, bool velko)
    {
        static const QRegularExpression number(QStringLiteral("-?\\d+"));
        static const QRegularExpression identifier(QStringLiteral("[A-Za-z_][A-Za-z_0-9.]*"));
        QStringList lines = text.split(u'\n');
        for (int k = 1 + R(3); k > 0 && !lines.isEmpty(); --k) {
            const int at = R(int(lines.size()));
            QString& line = lines[at];
            switch (R(8)) {
            case 0:
            case 1:
                ReplaceOneMatch(line, number, QString::number(Chance(50) ? Extreme() : Index(100)));
                break;
            case 2:
                lines.removeAt(at);
                break;
            case 3:
                lines.insert(at, lines[R(int(lines.size()))]);
                break;
            case 4: {
                const QString words[] = {QStringLiteral("True"), QStringLiteral("clBogus"), QStringLiteral("goEditing"),
                                         QStringLiteral("RowCount"), QStringLiteral("ColWidths"), QStringLiteral("Visible"),
                                         QStringLiteral("end"), QStringLiteral("object"), QStringLiteral("Font.Height")};
                ReplaceOneMatch(line, identifier, words[R(std::size(words))]);
                break;
            }
            case 5:
                line.truncate(R(int(line.size()) + 1));
                break;
            case 6: {
                const QString alphabet = QStringLiteral("'#$+-=()<>[]{},.:0123456789 \r\t\u00e9");
                line.insert(R(int(line.size()) + 1), alphabet[R(int(alphabet.size()))]);
                break;
            }
            default:
                std::swap(line, lines[R(int(lines.size()))]);
                break;
            }
        }
        if (velko) {
            // Hidden columns keep a text for every row: the column-model grid's rows stay
            // within reach.
            static const QRegularExpression rows(QStringLiteral("^ *RowCount = (.*)$"));
            for (QString& line : lines)
                if (const auto m = rows.match(line); m.hasMatch() && m.captured(1).toLongLong() > HidingRowLimit)
                    line = QStringLiteral("  RowCount = %1").arg(R(HidingRowLimit));
        }
        return lines.join(u'\n');
    }

    // Replaces one of the pattern's matches in line, picked at random.
    void ReplaceOneMatch(QString& line, const QRegularExpression& pattern, const QString& replacement)
    {
        QList<QRegularExpressionMatch> found;
        for (auto it = pattern.globalMatch(line); it.hasNext();)
            found << it.next();
        if (found.isEmpty())
            return;
        const QRegularExpressionMatch& m = found[R(int(found.size()))];
        line.replace(m.capturedStart(), m.capturedLength(), replacement);
    }

    // ---- the calls

    void Add(int weight, const char* name, std::function<QString(bool velko)> op)
    {
        FOperations.push_back({weight, name, FAddingColumnModelOperations, std::move(op)});
    }

    void AddOperations()
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
            // Fewer rows while columns are hidden is a row operation the hidden columns
            // do not follow yet; more rows than they can hold is too much.
            if (velko && HasHidden() && (count < GridOf(velko).RowCount() || count > HidingRowLimit))
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
            grid.SetCells(col, row, text);
            StateOf(velko).Model.Set(col, row, text);
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
            list.Put(at, text);
            StateOf(velko).Model.Set(column ? index : at, column ? at : index, text);
            return QStringLiteral("list %1 [%2] = %3").arg(index).arg(at).arg(text.left(20));
        });
        // Row and column operations.
        Add(4, "row and column operations", [this](bool velko) {
            TStringGrid& grid = GridOf(velko);
            const bool column = !velko && Chance(50);
            if (velko && HasHidden())
                return QStringLiteral("(no row operation while columns are hidden)");
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
                editor->TypeText(Text());
            }
            try {
                switch (R(type ? 3 : 4)) {
                case 0: grid.HideEditor(); break;
                case 1: grid.SetCol(Index(grid.ColCount())); break;
                case 2: grid.SetRow(Index(grid.RowCount())); break;
                default: return QStringLiteral("editor left open");
                }
            } catch (...) {
                // A refused move leaves what was typed in the editor: the user ends the edit.
                if (type)
                    grid.HideEditor();
                throw;
            }
            if (type)
                grid.HideEditor();
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
                ReadComponentInto(text, grid);
                if (velko)
                    FHidden.clear();
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
            ReadComponentInto(mutated, grid);
            if (velko)
                FHidden.clear(); // the form gave the grid new column objects
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
            if (grid.OnSelectCell || (velko && HasHidden())) {
                grid.OnSelectCell = nullptr;
                return QStringLiteral("select handler removed");
            }
            grid.OnSelectCell = [this, &grid, velko](TObject*, int, int, bool& canSelect) {
                canSelect = !Chance(10);
                if (Chance(30) && !(velko && HasHidden())) {
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
        AddColumnModelOperations();
    }

    void AddColumnModelOperations()
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
                const std::map<int, QString> cells = FVelkoState.Model.Column(col);
                item->SetVisible(false);
                FHidden[item->ID()] = cells;
                return QStringLiteral("hid grid column %1").arg(col);
            }
            if (Chance(20))
                item->SavedWidth = Chance(50) ? Extreme() : R(200);
            item->SetVisible(true);
            const int col = FVelkoGrid.GridColumnForColumnObject(item);
            for (const auto& [row, text] : FHidden[item->ID()])
                FVelkoState.Model.Set(col, row, text);
            FHidden.erase(item->ID());
            return QStringLiteral("showed a column at %1").arg(col);
        });
        // Direct edits of the collection, each followed by SetColCount as applications do.
        Add(3, "collection edit", [this](bool) {
            TvgColumns& columns = *FVelkoGrid.Columns();
            switch (R(4)) {
            case 0: {
                const int from = Index(columns.Count());
                const int to = Index(columns.Count());
                columns.Move(from, to);
                return QStringLiteral("moved item %1 to %2").arg(from).arg(to);
            }
            case 1:
                for (int n = 1 + R(3); n > 0; --n)
                    columns.Add()->SetVisible(Chance(80));
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
                std::map<int, std::map<int, QString>> byIndex;
                for (int i = 0; i < columns.Count(); ++i)
                    if (FHidden.count(columns[i]->ID()))
                        byIndex[i] = FHidden[columns[i]->ID()];
                TvgColumns copy;
                copy.Assign(&columns);
                FVelkoGrid.SetColumns(&copy);
                FHidden.clear();
                for (const auto& [i, cells] : byIndex)
                    FHidden[columns[i]->ID()] = cells;
                break;
            }
            }
            FVelkoGrid.SetColCount(FVelkoGrid.GetVisibleColumnCount());
            return QStringLiteral("edited the items; %1 visible").arg(FVelkoGrid.GetVisibleColumnCount());
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

    std::mt19937 FRandom;
    bool FSoak = false;
    TGridState FStringState;
    TGridState FVelkoState;
    THostileGrid<TStringGrid> FStringGrid{FStringState};
    THostileGrid<TVelkoGrid> FVelkoGrid{FVelkoState};
    // The cells of the hidden column objects, by item ID.
    std::map<int, std::map<int, QString>> FHidden;
    std::vector<TOperation> FOperations;
    QStringList FPaintErrors;
    QStringList FLog;
    QString FFinding;
    bool FChangedAnyway = false;
    bool FClearColumnsArmed = false;
    bool FAddingColumnModelOperations = false;
    int FCalls = 0;
    int FRefused = 0;
    int FPaints = 0;
};

TEST(HostileApplication, RandomCallsWithGoodAndBadValuesLeaveBothGridsWhole)
{
    const int firstSeed = EnvironmentInt("VELKOGRID_HOSTILE_SEED", 1);
    const int seeds = EnvironmentInt("VELKOGRID_HOSTILE_SEEDS", 1);
    const int calls = EnvironmentInt("VELKOGRID_HOSTILE_OPS", 3000);
    const int minutes = EnvironmentInt("VELKOGRID_HOSTILE_MINUTES", 0);
    const bool soak = minutes > 0 || seeds > 1;
    QElapsedTimer clock;
    clock.start();
    long long total = 0;
    long long refused = 0;
    long long paints = 0;
    int ran = 0;
    for (int seed = firstSeed; ran < seeds || clock.elapsed() < qint64(minutes) * 60000; ++seed, ++ran) {
        THostileRun run(unsigned(seed), soak);
        const bool whole = run.Run(calls);
        total += run.Calls();
        refused += run.Refused();
        paints += run.Paints();
        ASSERT_TRUE(whole) << "seed " << seed << ", call " << run.Calls() << ": " << run.Finding().toStdString();
        if (soak)
            std::cout << "seed " << seed << ": " << run.Calls() << " calls, " << run.Refused() << " refused, "
                      << run.Paints() << " paints, no finding" << std::endl;
    }
    std::cout << ran << " seeds from " << firstSeed << ", " << total << " calls (" << refused << " refused), " << paints
              << " paints, no finding" << std::endl;
}

} // namespace
} // namespace vg::test
