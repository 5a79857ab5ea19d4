#include "OrdersPage.h"

#include "DemoDatabase.h"
#include "OrderColours.h"
#include "OrderCsv.h"
#include "OrderEditing.h"
#include "StandardShortcut.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QAction>
#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QEvent>
#include <QFontMetrics>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVBoxLayout>

#include <algorithm>

namespace vg::demo {

namespace {

void Exec(QSqlQuery& query, const QString& statement)
{
    if (!query.exec(statement))
        throw EInvalidOperation(QStringLiteral("%1\n%2").arg(statement, query.lastError().text()));
}

// A round dot of the colour with a darker rim, centred in an image of the list's size.
QImage StatusDot(const QColor& colour, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(150), 1.0));
    painter.setBrush(colour);
    const qreal diameter = size * 0.6;
    const qreal at = (size - diameter) / 2;
    painter.drawEllipse(QRectF(at, at, diameter, diameter));
    return image;
}

} // namespace

OrdersPage::OrdersPage(const QString& databaseFile, QWidget* parent)
    : QWidget(parent)
    , FDatabaseFile(databaseFile)
    , FStatusImages(std::make_unique<TImageList>())
{
    auto* layout = new QVBoxLayout(this);
    FSummary = new QLabel(this);
    FSummary->setWordWrap(true);
    layout->addWidget(FSummary);

    FGrid = new TVelkoGrid(nullptr, this);
    FGrid->SetName(QStringLiteral("OrdersGrid"));
    // Tab and Shift+Tab move between cells, as on an order-entry screen.
    FGrid->SetOptions(FGrid->Options() + TGridOptions{goColSizing, goThumbTracking, goTabs});
    FColumns = SetUpOrderColumns(*FGrid);
    // The widths the user left last time; the grid writes them back when it goes.
    FGrid->SetColumnsRegistryKey(ColumnWidthsKey);
    FGrid->LoadColumnWidthsFromRegistry(ColumnWidthsKey);
    FGrid->OnGetCellImage = [this](TObject*, int ACol, int ARow, int HeadingIndex, TObject*& PictureOrImageList,
                                   int& ImageIndex, TvgImagePosition&, TAlignment&, TvgVAlignment&, int&) {
        SupplyStatusImage(ACol, ARow, HeadingIndex, PictureOrImageList, ImageIndex);
    };
    // A title click sorts by its column (the other way round when sorted by it already),
    // marked in the title; the other fixed cells select (FixedCellClicked).
    FGrid->SetSortIndicatorShown(true);
    FGrid->SetSortOnTitleClick(true);
    FGrid->OnFixedCellClick = [this](TObject*, int ACol, int ARow, int HeadingIndex, TMouseButton Button,
                                     TShiftState, int, int) { FixedCellClicked(ACol, ARow, HeadingIndex, Button); };
    layout->addWidget(FGrid, 1);

    CreateFileActions();
    OpenDatabase();

    // Hidden once its cells are in: the column keeps them until it is shown again.
    FColumns.InternalId->SetVisible(false);
    FShowInternalId = new QAction(QStringLiteral("Show internal id"), this);
    FShowInternalId->setCheckable(true);
    connect(FShowInternalId, &QAction::toggled, this, [this](bool shown) {
        Application().GuardEvent([&] { FColumns.InternalId->SetVisible(shown); });
    });

    CreateEditActions();

    // A selected range, shown in the highlight colours: customers and order dates of a few lines.
    if (FOrderCount >= 8) {
        const int name = FGrid->GridColumnForColumnObject(FColumns.Customer);
        FGrid->SetSelection(GridRect(name, 3, name + 3, 8));
    }
}

OrdersPage::~OrdersPage()
{
    // The grid, a child widget, outlives the members; it must not ask for images any more,
    // nor edit into a database that is gone.
    FGrid->OnGetCellImage = nullptr;
    FGrid->OnFixedCellClick = nullptr;
    delete std::exchange(FEditing, nullptr);
}

void OrdersPage::OpenDatabase()
{
    FSummary->setToolTip(FDatabaseFile.isEmpty()
                             ? QStringLiteral("The sample database is in memory: edits last until the demo closes.")
                             : QStringLiteral("The database is kept in %1").arg(QDir::toNativeSeparators(FDatabaseFile)));
    try {
        FDatabase = std::make_unique<DemoDatabase>(OrdersScript, FDatabaseFile);
        LoadStatusImages(*FDatabase);
        LoadOrders();
        FEditing = new OrderEditing(*FGrid, FColumns, FDatabase->Database(), this);
        connect(FEditing, &OrderEditing::Message, this, &OrdersPage::Message);
    } catch (const Exception& e) {
        delete std::exchange(FEditing, nullptr);
        FDatabase.reset();
        ClearLines();
        FOrderCount = 0;
        FSummary->setText(QStringLiteral("The demo database could not be loaded: %1\n"
                                         "File \u25B8 Reset sample data starts it over.")
                              .arg(e.Message()));
    }
    FReload->setEnabled(FDatabase != nullptr);
}

void OrdersPage::ResetSampleData()
{
    FGrid->HideEditor();
    // The editing rules hold the connection; both go before the file does.
    delete std::exchange(FEditing, nullptr);
    FDatabase.reset();
    try {
        DemoDatabase::RemoveFile(FDatabaseFile);
    } catch (const Exception&) {
        OpenDatabase(); // the data as it was
        throw;
    }
    OpenDatabase();
    if (FDatabase)
        emit Message(QStringLiteral("The sample data starts over: %1 order lines").arg(FOrderCount));
}

QString OrdersPage::Summary() const
{
    return FSummary->text();
}

void OrdersPage::ShowSummary()
{
    FSummary->setText(QStringLiteral(
        "%1 order lines from %2, edited in place: choose a product or status from its list, type a "
        "customer and take the suggestion with Enter, pick the order date with the cell's button. "
        "Shipped lines cannot be typed into. Every edit is saved at once and kept for the next run; "
        "File \u25B8 Reset sample data starts over. Click a title to sort by it, a heading to select "
        "its columns.").arg(FOrderCount).arg(FLinesFrom));
}

void OrdersPage::changeEvent(QEvent* event)
{
    // A palette switched while the demo runs (a dark desktop theme, say) gets colours of its own.
    if (event->type() == QEvent::PaletteChange)
        ApplyOrderColours(*FGrid, FColumns, palette());
    QWidget::changeEvent(event);
}

void OrdersPage::ShowEditingExample()
{
    int product = -1;
    for (const OrderColumn& column : FColumns.All) {
        if (column.Field == QLatin1String("product"))
            product = FGrid->GridColumnForColumnObject(column.Column);
    }
    const int status = FGrid->GridColumnForColumnObject(FColumns.Status);
    for (int row = FGrid->FixedRows(); row < FGrid->RowCount() && row < 12; ++row) {
        // A pending line whose product fits its cell beside the button.
        const QFontMetrics metrics(FGrid->Font().ToQFont());
        const int room = FGrid->ColWidths(std::max(product, 0)) - 2 * 16;
        if (product < 0 || FGrid->Cells(status, row) != QLatin1String("Pending")
            || metrics.horizontalAdvance(FGrid->Cells(product, row)) > room)
            continue;
        FGrid->setFocus();
        FGrid->SetCol(product);
        FGrid->SetRow(row);
        FGrid->SetEditorMode(true);
        if (TVgInplaceEdit* editor = FGrid->VgInplaceEditor())
            editor->DropDown();
        return;
    }
}

void OrdersPage::CreateEditActions()
{
    FInsertRow = new QAction(QStringLiteral("&Insert line"), this);
    FInsertRow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    connect(FInsertRow, &QAction::triggered, this, [this] {
        Application().GuardEvent([&] {
            const int row = FGrid->Row();
            FGrid->InsertRow(row);
            // The new line is a line of the database too; without one it goes again.
            if (FEditing && !FEditing->AddLine(row))
                FGrid->DeleteRow(row);
            else
                ++FOrderCount;
        });
        UpdateEditActions();
        ShowSummary();
    });
    FDeleteRow = new QAction(QStringLiteral("&Delete line"), this);
    FDeleteRow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    connect(FDeleteRow, &QAction::triggered, this, [this] {
        Application().GuardEvent([&] {
            // Removed from the database first: a line the database keeps stays on screen.
            if (!FEditing || FEditing->RemoveLine(FGrid->Row())) {
                FGrid->DeleteRow(FGrid->Row());
                --FOrderCount;
            }
        });
        UpdateEditActions();
        ShowSummary();
    });
    // The keys work while the focus is on this page (the grid), not on the other pages.
    for (QAction* action : {FInsertRow, FDeleteRow}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    UpdateEditActions();
}

void OrdersPage::UpdateEditActions()
{
    // The last line stays: without it the titles would become a line themselves.
    FDeleteRow->setEnabled(FGrid->RowCount() > FGrid->FixedRows() + 1);
}

void OrdersPage::FixedCellClicked(int ACol, int ARow, int HeadingIndex, TMouseButton Button)
{
    if (Button != mbLeft || ACol < 0 || ARow < 0)
        return;
    if (HeadingIndex >= 0) {
        // The heading's group: the columns next to the one clicked that share its heading.
        int first = ACol;
        while (first > FGrid->FixedCols() && FGrid->GetVisibleColumn(first - 1)->HeadingIndex() == HeadingIndex)
            --first;
        int last = ACol;
        while (last + 1 < FGrid->ColCount() && FGrid->GetVisibleColumn(last + 1)->HeadingIndex() == HeadingIndex)
            ++last;
        FGrid->SetSelection(GridRect(first, FGrid->FixedRows(), last, FGrid->RowCount() - 1));
    } else if (ARow >= FGrid->FixedRows()) {
        // A line's title makes it the current line; a grid that is not edited also selects it.
        FGrid->SetRow(ARow);
        FGrid->SelectEntireRow(ARow);
    }
}

void OrdersPage::LoadStatusImages(const DemoDatabase& database)
{
    FStatusImages->Clear();
    FStatusImageIndex.clear();
    QSqlQuery query(database.Database());
    Exec(query, QStringLiteral("SELECT label, colour FROM statuses ORDER BY position"));
    while (query.next()) {
        const int index = FStatusImages->Add(StatusDot(QColor(query.value(1).toString()), FStatusImages->Width()));
        FStatusImageIndex.insert(query.value(0).toString(), index);
    }
}

void OrdersPage::CreateFileActions()
{
    const QString csvFiles = QStringLiteral("CSV files (*.csv);;All files (*)");
    FOpenCsv = new QAction(QStringLiteral("&Open CSV\u2026"), this);
    SetStandardShortcut(*FOpenCsv, QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(FOpenCsv, &QAction::triggered, this, [this, csvFiles] {
        const QString name = QFileDialog::getOpenFileName(this, QStringLiteral("Open CSV"), QString(), csvFiles);
        if (!name.isEmpty())
            Report(QStringLiteral("Open CSV"), [&] { OpenCsv(name); });
    });
    FSaveCsvAs = new QAction(QStringLiteral("Save CSV &As\u2026"), this);
    SetStandardShortcut(*FSaveCsvAs, QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(FSaveCsvAs, &QAction::triggered, this, [this, csvFiles] {
        const QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Save CSV As"),
                                                          QStringLiteral("orders.csv"), csvFiles);
        if (!name.isEmpty())
            Report(QStringLiteral("Save CSV As"), [&] { SaveCsv(name); });
    });
    FReload = new QAction(QStringLiteral("&Reload from database"), this);
    SetStandardShortcut(*FReload, QKeySequence::Refresh, QKeySequence(Qt::Key_F5));
    connect(FReload, &QAction::triggered, this,
            [this] { Report(QStringLiteral("Reload from database"), [this] { Reload(); }); });
    // Throws edits away: asked first, and given no key that could be pressed by mistake.
    FReset = new QAction(QStringLiteral("Reset sample &data\u2026"), this);
    connect(FReset, &QAction::triggered, this, [this] {
        const auto answer = QMessageBox::question(
            this, QStringLiteral("Reset sample data"),
            QStringLiteral("Start over from the sample data? Every edit made to the order lines is lost."),
            QMessageBox::Reset | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer == QMessageBox::Reset)
            Report(QStringLiteral("Reset sample data"), [this] { ResetSampleData(); });
    });
}

void OrdersPage::Report(const QString& title, const std::function<void()>& work)
{
    try {
        work();
    } catch (const Exception& e) {
        QMessageBox::warning(this, title, e.Message());
    }
}

void OrdersPage::ClearLines()
{
    FGrid->Clear();
    FGrid->SetRowCount(FGrid->FixedRows() + 1);
}

QStringList OrdersPage::CsvTitles() const
{
    QStringList titles;
    for (int i = 0; i < FGrid->Columns()->Count(); ++i) {
        const TvgColumn* column = FGrid->Columns()->GetColumn(i);
        const OrderColumn* plan = FColumns.Find(column);
        titles << (plan ? plan->Title : column->Caption());
    }
    return titles;
}

void OrdersPage::OpenCsv(const QString& fileName)
{
    // Read whole before the lines go, so that a file that cannot be read changes nothing.
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError(QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()));
    QByteArray bytes = TStream(file).ReadToEnd();
    bytes.remove(0, CsvTitleLineLength(bytes, CsvTitles()));
    QBuffer text(&bytes);
    text.open(QIODevice::ReadOnly);
    ClearLines();
    FGrid->LoadFromStream(0, FGrid->FixedRows(), text);
    FGrid->SortByIndicator();
    FOrderCount = FGrid->RowCount() - FGrid->FixedRows();
    FLinesFrom = QDir::toNativeSeparators(fileName);
    ShowSummary();
}

void OrdersPage::SaveCsv(const QString& fileName) const
{
    // Written whole under another name first, so that a failed save leaves the old file.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EWriteError(QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString()));
    const QByteArray titles = CsvTitleLine(CsvTitles());
    if (file.write(titles) != titles.size())
        throw EWriteError(QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString()));
    FGrid->SaveToStream(0, FGrid->FixedRows(), file);
    if (!file.commit())
        throw EWriteError(QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString()));
}

void OrdersPage::Reload()
{
    if (!FDatabase)
        return;
    LoadOrders();
    emit Message(QStringLiteral("%1 order lines read from the database").arg(FOrderCount));
}

void OrdersPage::LoadOrders()
{
    FGrid->HideEditor();
    // The fields in the grid's collection order, so that each lands in its column object.
    QStringList fields;
    for (int i = 0; i < FGrid->Columns()->Count(); ++i) {
        const OrderColumn* plan = FColumns.Find(FGrid->Columns()->GetColumn(i));
        fields << (plan ? plan->Field : QStringLiteral("NULL"));
    }
    TSqlQueryDataSet lines(FDatabase->Database());
    lines.SetSQL(QStringLiteral("SELECT %1 FROM order_overview ORDER BY line").arg(fields.join(QStringLiteral(", "))));
    lines.Open();
    ClearLines();
    FGrid->LoadFromDataSet(lines, false, 0, FGrid->FixedRows());
    // SQLite keeps dates as ISO text; the grid's date format reads the regional form.
    for (const OrderColumn& column : FColumns.All) {
        const int col = FGrid->GridColumnForColumnObject(column.Column);
        if (column.Kind != CellValueKind::Date || col < 0)
            continue;
        for (int row = FGrid->FixedRows(); row < FGrid->RowCount(); ++row)
            FGrid->SetCells(col, row, CellTextOf(FGrid->Cells(col, row), column.Kind));
    }
    FGrid->SortByIndicator();
    FOrderCount = FGrid->RowCount() - FGrid->FixedRows();
    FLinesFrom = QStringLiteral("the demo's SQLite database");
    ShowSummary();
}

void OrdersPage::SupplyStatusImage(int ACol, int ARow, int HeadingIndex, TObject*& PictureOrImageList,
                                   int& ImageIndex)
{
    if (HeadingIndex >= 0 || ARow < FGrid->FixedRows() || FGrid->GetVisibleColumn(ACol) != FColumns.Status)
        return;
    const auto found = FStatusImageIndex.constFind(FGrid->Cells(ACol, ARow));
    if (found == FStatusImageIndex.constEnd())
        return;
    PictureOrImageList = FStatusImages.get();
    ImageIndex = *found;
}

} // namespace vg::demo
