#include "OrdersPage.h"

#include "DemoDatabase.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QAction>
#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
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

OrdersPage::OrdersPage(QWidget* parent) : QWidget(parent), FStatusImages(std::make_unique<TImageList>())
{
    auto* layout = new QVBoxLayout(this);
    FSummary = new QLabel(this);
    FSummary->setWordWrap(true);
    layout->addWidget(FSummary);

    FGrid = new TVelkoGrid(nullptr, this);
    FGrid->SetName(QStringLiteral("OrdersGrid"));
    FGrid->SetOptions(FGrid->Options() + TGridOptions{goColSizing, goThumbTracking});
    FGrid->SetVelkoHighlightColor(RGBColor(204, 228, 247));
    FGrid->SetVelkoHighlightFontColor(clNavy);
    FColumns = SetUpOrderColumns(*FGrid);
    // The widths the user left last time; the grid writes them back when it goes.
    FGrid->SetColumnsRegistryKey(ColumnWidthsKey);
    FGrid->LoadColumnWidthsFromRegistry(ColumnWidthsKey);
    FGrid->OnGetCellImage = [this](TObject*, int ACol, int ARow, int HeadingIndex, TObject*& PictureOrImageList,
                                   int& ImageIndex, TvgImagePosition&, TAlignment&, TvgVAlignment&, int&) {
        SupplyStatusImage(ACol, ARow, HeadingIndex, PictureOrImageList, ImageIndex);
    };
    layout->addWidget(FGrid, 1);

    try {
        const DemoDatabase database;
        LoadStatusImages(database);
        LoadOrders(database);
        FSummary->setText(QStringLiteral(
            "%1 order lines from the demo's SQLite database. Amounts in parentheses are refunds; "
            "the share is written in scientific notation. View \u25B8 Show internal id brings "
            "back the hidden column with its cells; File \u25B8 Save CSV As\u2026 writes the lines with "
            "it. Column widths you set are kept for the next run.").arg(FOrderCount));
    } catch (const Exception& e) {
        FSummary->setText(QStringLiteral("The demo database could not be loaded: %1").arg(e.Message()));
    }

    // Hidden once its cells are in: the column keeps them until it is shown again.
    FColumns.InternalId->SetVisible(false);
    FShowInternalId = new QAction(QStringLiteral("Show internal id"), this);
    FShowInternalId->setCheckable(true);
    connect(FShowInternalId, &QAction::toggled, this, [this](bool shown) {
        Application().GuardEvent([&] { FColumns.InternalId->SetVisible(shown); });
    });

    CreateFileActions();

    // A selected range, shown in the highlight colours: customers and order dates of a few lines.
    if (FOrderCount >= 8) {
        const int name = FGrid->GridColumnForColumnObject(FColumns.Customer);
        FGrid->SetSelection(GridRect(name, 3, name + 3, 8));
    }
}

OrdersPage::~OrdersPage()
{
    // The grid, a child widget, outlives the members; it must not ask for images any more.
    FGrid->OnGetCellImage = nullptr;
}

void OrdersPage::LoadStatusImages(const DemoDatabase& database)
{
    QSqlQuery query(database.Database());
    Exec(query, QStringLiteral("SELECT label, colour FROM statuses ORDER BY position"));
    while (query.next()) {
        const int index = FStatusImages->Add(StatusDot(QColor(query.value(1).toString()), FStatusImages->Width()));
        FStatusImageIndex.insert(query.value(0).toString(), index);
    }
}

void OrdersPage::LoadOrders(const DemoDatabase& database)
{
    QSqlQuery query(database.Database());
    query.setForwardOnly(true);
    Exec(query, QStringLiteral("SELECT COUNT(*) FROM order_overview"));
    const int count = query.next() ? query.value(0).toInt() : 0;
    FGrid->SetRowCount(count + 1);

    Exec(query, QStringLiteral("SELECT * FROM order_overview ORDER BY line"));
    const QSqlRecord record = query.record();
    std::vector<int> fields;
    for (const OrderColumn& column : FColumns.All) {
        const int field = record.indexOf(column.Field);
        if (field < 0)
            throw EInvalidOperation(QStringLiteral("order_overview has no field %1").arg(column.Field));
        fields.push_back(field);
    }
    int row = 0;
    while (row < count && query.next()) {
        ++row;
        for (int col = 0; col < int(fields.size()); ++col)
            FGrid->SetCells(col, row, CellTextOf(query.value(fields[col]), FColumns.All[col].Kind));
    }
    FOrderCount = row;
}

void OrdersPage::CreateFileActions()
{
    const QString csvFiles = QStringLiteral("CSV files (*.csv);;All files (*)");
    FOpenCsv = new QAction(QStringLiteral("Open CSV\u2026"), this);
    FOpenCsv->setShortcut(QKeySequence::Open);
    connect(FOpenCsv, &QAction::triggered, this, [this, csvFiles] {
        const QString name = QFileDialog::getOpenFileName(this, QStringLiteral("Open CSV"), QString(), csvFiles);
        if (!name.isEmpty())
            Report(QStringLiteral("Open CSV"), [&] { OpenCsv(name); });
    });
    FSaveCsvAs = new QAction(QStringLiteral("Save CSV As\u2026"), this);
    FSaveCsvAs->setShortcut(QKeySequence::SaveAs);
    connect(FSaveCsvAs, &QAction::triggered, this, [this, csvFiles] {
        const QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Save CSV As"),
                                                          QStringLiteral("orders.csv"), csvFiles);
        if (!name.isEmpty())
            Report(QStringLiteral("Save CSV As"), [&] { SaveCsv(name); });
    });
    FReload = new QAction(QStringLiteral("Reload from database"), this);
    FReload->setShortcut(QKeySequence::Refresh);
    connect(FReload, &QAction::triggered, this,
            [this] { Report(QStringLiteral("Reload from database"), [this] { ReloadFromDatabase(); }); });
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

void OrdersPage::OpenCsv(const QString& fileName)
{
    // Read whole before the lines go, so that a file that cannot be read changes nothing.
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EReadError(QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()));
    QBuffer text;
    text.setData(TStream(file).ReadToEnd());
    text.open(QIODevice::ReadOnly);
    ClearLines();
    FGrid->LoadFromStream(0, FGrid->FixedRows(), text);
    FOrderCount = FGrid->RowCount() - FGrid->FixedRows();
    FSummary->setText(QStringLiteral("%1 order lines from %2.").arg(FOrderCount).arg(fileName));
}

void OrdersPage::SaveCsv(const QString& fileName) const
{
    FGrid->SaveToFile(0, FGrid->FixedRows(), fileName);
}

void OrdersPage::ReloadFromDatabase()
{
    const DemoDatabase database;
    // The fields in the grid's collection order, so that each lands in its column object.
    QStringList fields;
    for (int i = 0; i < FGrid->Columns()->Count(); ++i) {
        const TvgColumn* column = FGrid->Columns()->GetColumn(i);
        const auto found = std::find_if(FColumns.All.cbegin(), FColumns.All.cend(),
                                        [column](const OrderColumn& c) { return c.Column == column; });
        fields << (found == FColumns.All.cend() ? QStringLiteral("NULL") : found->Field);
    }
    TSqlQueryDataSet lines(database.Database());
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
    FOrderCount = FGrid->RowCount() - FGrid->FixedRows();
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
