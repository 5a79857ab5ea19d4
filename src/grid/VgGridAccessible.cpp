#include "grid/VgGridAccessible.h"

#include "grid/VgGrid.h"

#include <QAccessibleActionInterface>

#include <algorithm>

namespace vg {

namespace {

QAccessibleInterface* VelkoGridFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String(TVelkoGrid::staticMetaObject.className()))
        return nullptr;
    auto* grid = qobject_cast<TVelkoGrid*>(object);
    return grid ? new TvgGridAccessible(grid) : nullptr;
}

} // namespace

TvgGridAccessible::TvgGridAccessible(TVelkoGrid* grid)
    : TGridAccessible(grid)
{
}

void TvgGridAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&VelkoGridFactory);
        return true;
    }();
    (void)installed;
}

TVelkoGrid* TvgGridAccessible::VgGrid() const
{
    return static_cast<TVelkoGrid*>(Grid());
}

bool TvgGridAccessible::IsDataCell(const TGridCellKey& key) const
{
    return !key.Band && key.Col >= Grid()->FixedCols() && key.Row >= Grid()->FixedRows();
}

QString TvgGridAccessible::CellName(const TGridCellKey& key) const
{
    if (!IsKeyValid(key))
        return {};
    TVelkoGrid* grid = VgGrid();
    try {
        if (key.Band) {
            const std::optional<TBand> band = BandOf(key.Col);
            return band ? (*grid->Headings())[band->Heading]->Caption() : QString();
        }
        if (IsDataCell(key))
            return grid->GetDisplayText(key.Col, key.Row);
        // A fixed cell of row 0 shows its column's caption when it has one.
        const QString& caption = grid->GetVisibleColumn(key.Col)->Caption();
        if (key.Row == 0 && !caption.isEmpty())
            return caption;
    } catch (...) {
        // An application handler of the display text failed: the stored text stands in.
        // Nothing may escape into the client's request.
    }
    return grid->Cells(key.Col, key.Row);
}

QAccessible::Role TvgGridAccessible::CellRole(const TGridCellKey& key) const
{
    if (IsKeyValid(key) && IsDataCell(key) && VgGrid()->GetVisibleColumn(key.Col)->ControlType().Contains(vgctlComboBox))
        return QAccessible::ComboBox;
    return TGridAccessible::CellRole(key);
}

void TvgGridAccessible::AddCellState(const TGridCellKey& key, QAccessible::State& state) const
{
    if (!IsKeyValid(key) || !IsDataCell(key))
        return;
    TVelkoGrid* grid = VgGrid();
    const TvgColumn* column = grid->GetVisibleColumn(key.Col);
    bool readOnly = column->ReadOnly() || !grid->Options().Contains(goEditing);
    try {
        if (grid->OnGetReadOnly)
            grid->OnGetReadOnly(grid, key.Col, key.Row, readOnly);
    } catch (...) {
        // A failing handler leaves the column's own verdict.
    }
    state.readOnly = readOnly;
    state.editable = !readOnly;
    state.hasPopup = column->ControlType().Contains(vgctlComboBox);
}

// ---- Headers

std::vector<TvgGridAccessible::TBand> TvgGridAccessible::Bands() const
{
    std::vector<TBand> bands;
    TVelkoGrid* grid = VgGrid();
    // Headings are painted over row 0 while it is a fixed row.
    if (grid->FixedRows() < 1)
        return bands;
    const int headings = grid->Headings()->Count();
    for (int col = 0; col < grid->ColCount(); ++col) {
        const int heading = grid->GetVisibleColumn(col)->HeadingIndex();
        if (heading < 0 || heading >= headings)
            continue;
        if (!bands.empty() && bands.back().Heading == heading && bands.back().Last == col - 1)
            bands.back().Last = col;
        else
            bands.push_back({col, col, heading});
    }
    return bands;
}

std::optional<TvgGridAccessible::TBand> TvgGridAccessible::BandOf(int col) const
{
    TVelkoGrid* grid = VgGrid();
    if (grid->FixedRows() < 1 || col < 0 || col >= grid->ColCount())
        return std::nullopt;
    // The run of columns around col that share its heading.
    const auto heading = [&](int c) { return grid->GetVisibleColumn(c)->HeadingIndex(); };
    const int h = heading(col);
    if (h < 0 || h >= grid->Headings()->Count())
        return std::nullopt;
    int first = col;
    while (first > 0 && heading(first - 1) == h)
        --first;
    int last = col;
    while (last + 1 < grid->ColCount() && heading(last + 1) == h)
        ++last;
    return TBand{first, last, h};
}

int TvgGridAccessible::BandCount() const
{
    return isValid() ? int(Bands().size()) : 0;
}

TGridCellKey TvgGridAccessible::BandAt(int index) const
{
    if (index < 0 || index >= BandCount())
        return {};
    return {Bands()[size_t(index)].First, 0, true};
}

int TvgGridAccessible::BandIndexOf(int col) const
{
    if (!isValid() || !BandOf(col) || BandOf(col)->First != col)
        return -1;
    const std::vector<TBand> bands = Bands();
    const auto found = std::find_if(bands.begin(), bands.end(), [col](const TBand& band) { return band.First == col; });
    return int(found - bands.begin());
}

int TvgGridAccessible::BandLastCol(int col) const
{
    const std::optional<TBand> band = isValid() ? BandOf(col) : std::nullopt;
    return band ? band->Last : col;
}

std::optional<TGridCellKey> TvgGridAccessible::BandAtPoint(QPoint viewportPoint) const
{
    TVelkoGrid* grid = VgGrid();
    if (grid->MouseOnHeading(viewportPoint.x(), viewportPoint.y()) < 0)
        return std::nullopt;
    const std::optional<TBand> band = BandOf(grid->VgMouseCoord(viewportPoint.x(), viewportPoint.y()).X);
    if (!band)
        return std::nullopt;
    return TGridCellKey{band->First, 0, true};
}

std::vector<TGridCellKey> TvgGridAccessible::ColumnHeaderKeys(int col) const
{
    std::vector<TGridCellKey> keys;
    if (!isValid())
        return keys;
    if (const std::optional<TBand> band = BandOf(col))
        keys.push_back({band->First, 0, true});
    const std::vector<TGridCellKey> fixed = TGridAccessible::ColumnHeaderKeys(col);
    keys.insert(keys.end(), fixed.begin(), fixed.end());
    return keys;
}

// ---- Actions

QStringList TvgGridAccessible::CellActions(const TGridCellKey& key) const
{
    QStringList actions;
    if (!IsKeyValid(key) || !IsDataCell(key))
        return actions;
    const TvgControlTypes types = VgGrid()->GetVisibleColumn(key.Col)->ControlType();
    if (types.Contains(vgctlButton))
        actions << QAccessibleActionInterface::pressAction();
    if (types.Contains(vgctlComboBox))
        actions << QAccessibleActionInterface::showMenuAction();
    return actions;
}

void TvgGridAccessible::DoCellAction(const TGridCellKey& key, const QString& action)
{
    if (!CellActions(key).contains(action))
        return;
    TVelkoGrid* grid = VgGrid();
    // Both act on the current cell, as the keys and the mouse do: the cell becomes current
    // first (the application may refuse that, and then nothing happens).
    Application().GuardEvent([&] {
        if (!MakeCurrent(key.Col, key.Row))
            return;
        if (action == QAccessibleActionInterface::pressAction()) {
            if (grid->OnButtonClick)
                grid->OnButtonClick(grid, key.Col, key.Row);
            return;
        }
        grid->ShowEditor();
        if (TVgInplaceEdit* editor = grid->VgInplaceEditor(); editor && editor->isVisible() && editor->ActiveList())
            editor->DropDown();
    });
}

} // namespace vg
