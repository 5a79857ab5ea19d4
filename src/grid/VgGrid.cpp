#include "grid/VgGrid.h"

#include "grid/VgGridAccessible.h"
#include "platform/core/ClassRegistry.h"
#include "platform/core/Filer.h"
#include "platform/hostgrid/InplaceEdit.h"

#include <QUndoStack>

#include <limits>

namespace vg {

namespace {

// Form files create grids by class name.
const bool Registered = [] {
    RegisterComponentClass<TVelkoGrid>();
    return true;
}();

constexpr int VersionMajor = 2;
constexpr int VersionMinor = 12;

const TvgOptions DefaultVelkoOptions{vgoptDrawFocusRectangle, vgoptHighlightSelection};

} // namespace

QString VelkoGridVersionString()
{
    return QString::number(VersionMajor) + u'.' + QString::number(VersionMinor);
}

const TClassInfo& TVelkoGrid::StaticClassInfo()
{
    using G = TVelkoGrid;
    static const TClassInfo info =
        TClassBuilder<G>(QStringLiteral("TVelkoGrid"), &TVgHintGrid::StaticClassInfo())
            .Int(QStringLiteral("ColCount"), &G::StoredColCount, &G::SetColCount)
            .Default(5)
            .Int(QStringLiteral("FixedCols"), &G::StoredFixedCols, &G::SetFixedCols)
            .Default(1)
            .Redeclare(QStringLiteral("DefaultRowHeight"))
            .Default(20)
            .Redeclare(QStringLiteral("DefaultDrawing"))
            .Default(false)
            .Object(QStringLiteral("Columns"), &G::Columns)
            .Object(QStringLiteral("Headings"), &G::Headings)
            .Str(QStringLiteral("ColumnsRegistryKey"), &G::ColumnsRegistryKey, &G::SetColumnsRegistryKey)
            .Set<TvgOption>(QStringLiteral("VelkoOptions"), &G::VelkoOptions, &G::SetVelkoOptions)
            .Color(QStringLiteral("VelkoHighlightColor"), &G::VelkoHighlightColor, &G::SetVelkoHighlightColor)
            .Default(clHighlight)
            .Color(QStringLiteral("VelkoHighlightFontColor"), &G::VelkoHighlightFontColor,
                   &G::SetVelkoHighlightFontColor)
            .Default(clHighlightText)
            .Bool(QStringLiteral("VelkoAdjustColWidth"), &G::VelkoAdjustColWidth, &G::SetVelkoAdjustColWidth)
            .Default(false)
            .Bool(QStringLiteral("VelkoAdjustRowHeight"), &G::VelkoAdjustRowHeight, &G::SetVelkoAdjustRowHeight)
            .Default(false)
            .Bool(QStringLiteral("VelkoColumnClick"), &G::VelkoColumnClick, &G::SetVelkoColumnClick)
            .Default(true)
            .Bool(QStringLiteral("AutoAcceptSuggestion"), &G::AutoAcceptSuggestion, &G::SetAutoAcceptSuggestion)
            .Default(true)
            .Bool(QStringLiteral("SortIndicatorShown"), &G::SortIndicatorShown, &G::SetSortIndicatorShown)
            .Default(false)
            .Bool(QStringLiteral("SortOnTitleClick"), &G::SortOnTitleClick, &G::SetSortOnTitleClick)
            .Default(false)
            .Build();
    return info;
}

TVelkoGrid::TVelkoGrid(TComponent* owner, QWidget* parent)
    : TVgHintGrid(owner, parent)
{
    (void)Registered;
    FColumns = std::make_unique<TvgColumns>();
    FHeadings = std::make_unique<TvgHeadings>(TCollectionItemClass::Of<TvgHeading>());
    // Changing a column repaints the grid or hides and shows it; a changed heading repaints
    // the title row. Either may change the height the title row needs, as the grid's font may.
    FColumns->OnPropertyChange = [this](TvgHeading* Column, TvgProperty Prop) { OnColumnPropertyChange(Column, Prop); };
    FColumns->OnColumnDestroying = [this](TvgColumn* Column) { ColumnDestroying(Column); };
    FColumns->OnChange = [this](TCollection*) { ColumnsChanged(); };
    FHeadings->OnPropertyChange = [this](TvgHeading*, TvgProperty) { HeadingsChanged(); };
    FHeadings->OnChange = [this](TCollection*) { HeadingsChanged(); };
    Font().OnChange = [this, repaint = std::move(Font().OnChange)](TObject* Sender) {
        if (repaint)
            repaint(Sender);
        TitleLookChanged();
    };
    FColumns->OnChanging = [this](TCollection*) { CheckNotRearranging(); };
    SetDefaultDrawing(false); // every cell is painted by DrawCell
    SetDefaultRowHeight(20);
    // A grid read from a form file gets its column objects from the file.
    if (!owner || !owner->IsLoading())
        CreateColumns();
    FVelkoOptions = DefaultVelkoOptions;
    FHeadingBitmap = std::make_unique<TBitmap>();
    FTopBorder = std::make_unique<TvgBorder>();
    FLeftBorder = std::make_unique<TvgBorder>();
    FRightBorder = std::make_unique<TvgBorder>();
    FBottomBorder = std::make_unique<TvgBorder>();
    FCellFont = std::make_unique<TFont>();
    FUndoStack = new QUndoStack(this);
    FEnteredCell = {FixedCols(), FixedRows()};

    Messages().On(vgwmAdjustRowHeight, [this](TMessage& Message) { vgwmHandleAdjustRowHeight(Message); });
    Messages().On(vgwmAdjustColumnWidth, [this](TMessage& Message) { vgwmHandleAdjustColumnWidth(Message); });
    TvgGridAccessible::Install();
}

TVelkoGrid::TVelkoGrid(QWidget* parent)
    : TVelkoGrid(static_cast<TComponent*>(nullptr), parent)
{
}

TVelkoGrid::~TVelkoGrid()
{
    if (!IsDesigning())
        StoreColumnWidths();
    // The collections go before the widget: nothing may call back into a half-destroyed grid.
    FColumns->OnPropertyChange = nullptr;
    FColumns->OnColumnDestroying = nullptr;
    FColumns->OnChange = nullptr;
    FHeadings->OnPropertyChange = nullptr;
    FHeadings->OnChange = nullptr;
    FColumns->OnChanging = nullptr;
}

void TVelkoGrid::SetColumns(const TvgColumns* Value)
{
    FColumns->Assign(Value);
}

void TVelkoGrid::SetHeadings(const TvgHeadings* Value)
{
    FHeadings->Assign(Value);
}

void TVelkoGrid::BeginLoading()
{
    TVgHintGrid::BeginLoading();
    FColumnsRevisionAtLoad = FColumns->Revision();
}

void TVelkoGrid::Loaded()
{
    TVgHintGrid::Loaded();
    const int visible = GetVisibleColumnCount();
    if (visible == 0) {
        CreateColumns();
    } else if (FColumns->Revision() == FColumnsRevisionAtLoad) {
        // No column objects in the form: its ColCount stands, and the objects follow it.
        const int wanted = ColCount();
        for (int i = visible; i < wanted; ++i)
            FColumns->Add();
        if (wanted < visible) {
            SetGridColCount(visible);
            SetColumnCount(wanted);
        }
    }
    SetColCount(GetVisibleColumnCount());
    // A form may list hidden columns before or after the row count.
    KeepHiddenCellsInStep();
    if (!IsDesigning())
        RestoreColumnWidths();
    FitTitleRowIfDue();
}

void TVelkoGrid::DefineProperties(TFiler& Filer)
{
    Filer.DefineProperty(
        QStringLiteral("AVisibleColumnCount"),
        [this](TReader& Reader) {
            const qint64 count = Reader.ReadInteger();
            if (count < 1 || count > std::numeric_limits<int>::max())
                TReader::Error(Reader.Value().Line, QStringLiteral("AVisibleColumnCount must be a positive number"));
            SetColCount(int(count));
        },
        [this](TWriter& Writer) { Writer.WriteInteger(StoredColCount()); }, true);
    TVgHintGrid::DefineProperties(Filer);
}

void TVelkoGrid::SetVelkoOptions(TvgOptions Value)
{
    if (FVelkoOptions == Value)
        return;
    FVelkoOptions = Value;
    InvalidateGrid();
}

void TVelkoGrid::SetVelkoHighlightColor(TColor Value)
{
    CheckColor(Value);
    if (FVelkoHighlightColor == Value)
        return;
    FVelkoHighlightColor = Value;
    InvalidateGrid();
}

void TVelkoGrid::SetVelkoHighlightFontColor(TColor Value)
{
    CheckColor(Value);
    if (FVelkoHighlightFontColor == Value)
        return;
    FVelkoHighlightFontColor = Value;
    InvalidateGrid();
}

QString TVelkoGrid::Version() const
{
    return VelkoGridVersionString();
}

void TVelkoGrid::SetVersion(const QString&) {}

QString TVelkoGrid::Author() const
{
    return QStringLiteral("The VelkoGrid developers");
}

void TVelkoGrid::SetAuthor(const QString&) {}

} // namespace vg
