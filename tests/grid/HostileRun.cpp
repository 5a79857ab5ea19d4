// The hostile-application run: random values, one call at a time, the invariants checked
// after each call, and painting between batches of calls.
#include "HostileRun.h"

#include "platform/app/Application.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <iostream>

namespace vg::test {

THostileRun::THostileRun(unsigned seed, bool soak)
    : FRandom(seed), FSoak(soak), FTrace(qEnvironmentVariableIntValue("VELKOGRID_HOSTILE_TRACE") == 1)
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
    const QStringList taken = qEnvironmentVariable("VELKOGRID_HOSTILE_PATHS").split(u',');
    for (const auto& [path, name] : HostilePathNames)
        if (taken.contains(QLatin1String(name)) || taken.contains(QStringLiteral("all")))
            FPathsTaken.push_back(path);
    AddOperations();
    AddColumnModelOperations();
    AddContentOperations();
    AddHandlerOperations();
}
THostileRun::~THostileRun()
{
    Application().OnException = nullptr;
    for (TStringGrid* grid : {static_cast<TStringGrid*>(&FStringGrid), static_cast<TStringGrid*>(&FVelkoGrid)}) {
        grid->OnSelectCell = nullptr;
        grid->OnDrawCell = nullptr;
        grid->OnTopLeftChanged = nullptr;
        grid->OnRowMoved = nullptr;
        grid->OnColumnMoved = nullptr;
        grid->OnGetEditText = nullptr;
        grid->OnSetEditText = nullptr;
    }
    FVelkoGrid.OnChangeCellAttributes = nullptr;
    FVelkoGrid.OnGetReadOnly = nullptr;
    FVelkoGrid.OnGetSuggestion = nullptr;
}

bool THostileRun::PathOn(THostilePath path) const
{
    return std::find(FPathsTaken.begin(), FPathsTaken.end(), path) != FPathsTaken.end() ||
           std::find(PathsUnderRepair.begin(), PathsUnderRepair.end(), path) == PathsUnderRepair.end();
}

// Runs count calls; stops at the first finding, which Finding() then describes.
bool THostileRun::Run(int count)
{
    for (int i = 0; i < count; ++i) {
        if (i % 20 == 0 && !PaintBoth())
            return false;
        if (!Call())
            return false;
    }
    return PaintBoth();
}
// ---- random values, good and bad

int THostileRun::Extreme()
{
    const int values[] = {INT_MIN, INT_MIN + 1, -1000000, -2, -1, INT_MAX - 1, INT_MAX, MaxGridExtent, MaxGridExtent + 1};
    return values[R(std::size(values))];
}
// An index into count entries: mostly one of them, sometimes just outside, sometimes absurd.
int THostileRun::Index(int count)
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
int THostileRun::Count(bool velkoColumns)
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
int THostileRun::Extent()
{
    const int roll = R(20);
    if (roll < 15)
        return R(120);
    return roll < 17 ? R(3000) : Extreme();
}
TColor THostileRun::Color()
{
    const TColor colors[] = {clRed, clWindow, clBtnFace, clNone, clDefault, clHighlight, RGBColor(1, 2, 3),
                             TColor(0x80000000u), SystemColor(25), SystemColor(31), -2, 0x01000000};
    return colors[R(std::size(colors))];
}
QString THostileRun::Text()
{
    const QString texts[] = {QString(), QStringLiteral("a"), QStringLiteral("line\r\nbreak"), QStringLiteral("lone\rreturn"),
                             QStringLiteral("p\u2029q"), QStringLiteral("1234.5"), QStringLiteral("-7"),
                             QStringLiteral("12/31/2024"), QStringLiteral("3:45"), QStringLiteral("no\u00a0break"),
                             QStringLiteral("'quoted' #13"), QStringLiteral("\U0001F600"), QString(3000, u'W'),
                             QStringLiteral("tab\tand\nnewline"), QStringLiteral("  ")};
    return texts[R(std::size(texts))];
}

// ---- the grids

std::vector<TvgColumn*> THostileRun::Items(bool visible)
{
    std::vector<TvgColumn*> items;
    for (int i = 0; i < FVelkoGrid.Columns()->Count(); ++i)
        if ((*FVelkoGrid.Columns())[i]->Visible() == visible)
            items.push_back((*FVelkoGrid.Columns())[i]);
    return items;
}

void THostileRun::HideItem(TvgColumn* item)
{
    const int id = item->ID();
    // The grid moves the column to the end and narrows itself: the cells the narrowing
    // takes away (the editor's last text included) are the ones the item keeps. The
    // handlers of the editor's commit may move or remove other columns first: the column is
    // followed through their moves. A handler that throws meanwhile gets its exception to
    // the caller once the hide is complete.
    TFollowedColumn followed{FVelkoGrid.GridColumnForColumnObject(item)};
    FVelkoState.Followed.push_back(&followed);
    const auto kept = [&] {
        std::erase(FVelkoState.Followed, &followed);
        const auto* now = dynamic_cast<TvgColumn*>(FVelkoGrid.Columns()->FindItemID(id));
        if (now && !now->Visible() && followed.Gone)
            FHidden[id] = followed.Cells;
    };
    try {
        item->SetVisible(false);
    } catch (...) {
        kept();
        throw;
    }
    kept();
}

void THostileRun::ForgetHiddenCells()
{
    FHidden.clear();
    for (TvgColumn* item : Items(false))
        FHidden[item->ID()] = {};
}

void THostileRun::ShowItem(TvgColumn* item)
{
    const auto back = [&] {
        const int col = FVelkoGrid.GridColumnForColumnObject(item);
        if (col < 0)
            return;
        for (const auto& [cell, text] : FHidden[item->ID()].Cells())
            FVelkoState.Model.Set(col, cell.second, text);
        FHidden.erase(item->ID());
    };
    try {
        item->SetVisible(true);
    } catch (const Exception&) {
        back();
        throw;
    }
    back();
}

void THostileRun::BringInStep()
{
    // A handler that throws as the editor commits refuses the change, and the application
    // tries again; one that throws once the count changed leaves the grid in step.
    for (int attempt = 0; FVelkoGrid.GetVisibleColumnCount() != FVelkoGrid.ColCount(); ++attempt) {
        try {
            FVelkoGrid.SetColCount(FVelkoGrid.GetVisibleColumnCount());
        } catch (const Exception&) {
            if (attempt == 20)
                throw;
        }
    }
}

void THostileRun::TypedThen(TStringGrid& grid, bool typed, const std::function<void()>& calls)
{
    try {
        calls();
    } catch (...) {
        if (typed)
            grid.HideEditor();
        throw;
    }
    if (typed)
        grid.HideEditor();
}

void THostileRun::Written(bool velko, int col, int row, const QString& text, const std::function<void()>& write)
{
    const int acts = FHandlerActs;
    try {
        write();
    } catch (const Exception&) {
        TStringGrid& grid = GridOf(velko);
        if (FHandlerActs != acts && col >= 0 && col < grid.ColCount() && row >= 0 && row < grid.RowCount() &&
            grid.Cells(col, row) == text)
            StateOf(velko).Model.Set(col, row, text);
        throw;
    }
    StateOf(velko).Model.Set(col, row, text);
}

// ---- one call

bool THostileRun::Call()
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
    // What was typed stays the user's while the editor still holds it (its commit may
    // have been refused by a handler); otherwise the edit is over.
    TGridState& state = StateOf(velko);
    if (!state.Typing || EditedCell(velko) != state.TypedCell) {
        state.Typing = false;
        state.TypedCell = {-1, -1};
    }
    FLog.last() += u' ' + what.left(2000);
    if (FTrace)
        std::cout << FLog.last().left(300).toStdString() << std::endl;
    if (refused && !FChangedAnyway) {
        const QStringList was = before.split(u'\n');
        const QStringList is = WriteComponentToText(grid).split(u'\n');
        for (qsizetype i = 0; i < std::max(was.size(), is.size()); ++i)
            if (was.value(i) != is.value(i))
                return Fail(QStringLiteral("a refused call changed the grid: line %1 of its form was \"%2\", is \"%3\"")
                                .arg(i)
                                .arg(was.value(i).left(200), is.value(i).left(200)));
    }
    try {
        KeepModerate(velko);
    } catch (const Exception&) {
        // A handler threw while the grid came down to size; it must be whole all the same.
    }
    return CheckGrid(velko, refused);
}

// Brings counts that a call raised to the billions back down, as the run's next calls
// may give the grid custom widths.
void THostileRun::KeepModerate(bool velko)
{
    TStringGrid& grid = GridOf(velko);
    if (grid.ColCount() > ModerateCount)
        grid.SetColCount(ModerateCount);
    if (grid.RowCount() > ModerateCount)
        grid.SetRowCount(ModerateCount);
}

bool THostileRun::Fail(const QString& finding)
{
    FFinding = finding;
    return false;
}


void THostileRun::Log(const QString& line)
{
    FLog << line;
    if (FLog.size() > 40)
        FLog.removeFirst();
}

// ---- invariants

bool THostileRun::CheckGrid(bool velko, bool refused)
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
        if (!CheckHiddenCells())
            return false;
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

// The hidden items the run knows keep what was written into them, and nothing else near
// the origin.
bool THostileRun::CheckHiddenCells()
{
    for (const auto& [id, cells] : FHidden) {
        const auto* item = static_cast<TvgColumn*>(FVelkoGrid.Columns()->FindItemID(id));
        const TStrings& kept = *item->Cols();
        const auto keptText = [&](int row) { return row < kept.Count() ? kept.Get(row) : QString(); };
        for (const auto& [cell, text] : cells.Cells())
            if (keptText(cell.second) != text)
                return Fail(QStringLiteral("hidden item %1 keeps \"%2\" in row %3 instead of \"%4\"")
                                .arg(item->Index())
                                .arg(keptText(cell.second).left(40))
                                .arg(cell.second)
                                .arg(text.left(40)));
        for (int row = 0; row < std::min(kept.Count(), 30); ++row)
            if (keptText(row) != cells.Get(0, row))
                return Fail(QStringLiteral("hidden item %1 keeps \"%2\" in row %3, which nobody wrote there")
                                .arg(item->Index())
                                .arg(keptText(row).left(40))
                                .arg(row));
    }
    return true;
}

// ---- painting

bool THostileRun::PaintBoth()
{
    for (const bool velko : {false, true}) {
        TStringGrid& grid = GridOf(velko);
        // A soak paints a huge window now and then, for one paint: with cells of a few
        // pixels (the billions set such sizes) it would hold millions of cells, each a
        // styled face when fixed, and take minutes; so only while cells are of common size.
        const bool huge = FSoak && Chance(3) && grid.DefaultColWidth() >= 16 && grid.DefaultRowHeight() >= 16;
        if (Chance(30) || huge) {
            try {
                grid.resize(huge ? 10000 : R(1600), huge ? 7000 : R(1200));
            } catch (const Exception&) {
                // a scroll handler threw
            }
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
        if (huge) {
            try {
                grid.resize(400, 300);
            } catch (const Exception&) {
                // a scroll handler threw
            }
        }
        ++FPaints;
        if (!FPaintErrors.isEmpty())
            return Fail(QStringLiteral("painting raised: %1").arg(FPaintErrors.join(u'\n')));
        if (!CheckGrid(velko, true))
            return false;
    }
    return true;
}

// ---- form files

QString THostileRun::Mutate(QString text, bool velko)
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

void THostileRun::ReadInto(const QString& text, bool velko)
{
    TGridState& state = StateOf(velko);
    const TCellModel model = state.Model;
    const std::map<int, TCellModel> hidden = state.Hidden;
    try {
        ReadComponentInto(text, GridOf(velko));
    } catch (const Exception& e) {
        // A refused read puts the grid back as it was, whatever it went through meanwhile;
        // one that could not be put back says so, and holds what it holds.
        if (e.Message().contains(QStringLiteral("could not be put back"))) {
            state.Model = velko ? FVelkoGrid.Texts() : FStringGrid.Texts();
            if (velko) {
                FHidden.clear();
                for (TvgColumn* item : Items(false)) {
                    TCellModel& kept = FHidden[item->ID()];
                    for (int row = 0; row < item->Cols()->Count(); ++row)
                        kept.Set(0, row, item->Cols()->Get(row));
                }
            }
        } else {
            state.Model = model;
            state.Hidden = hidden;
        }
        throw;
    }
    if (velko)
        ForgetHiddenCells(); // the form gave the grid new column objects
}

// Replaces one of the pattern's matches in line, picked at random.
void THostileRun::ReplaceOneMatch(QString& line, const QRegularExpression& pattern, const QString& replacement)
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

void THostileRun::Add(int weight, const char* name, std::function<QString(bool velko)> op)
{
    FOperations.push_back({weight, name, FAddingColumnModelOperations, std::move(op)});
}
} // namespace vg::test
