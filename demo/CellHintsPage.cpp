#include "CellHintsPage.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <array>

namespace vg::demo {

namespace {

constexpr int OrderCount = 4000;

const std::array<QString, 6> Titles = {QStringLiteral("Order"),    QStringLiteral("Customer"),
                                        QStringLiteral("City"),     QStringLiteral("Product"),
                                        QStringLiteral("Quantity"), QStringLiteral("Unit price")};

const std::array<QString, 8> Customers = {
    QStringLiteral("Aldous Brandt"), QStringLiteral("Berit Okafor"),  QStringLiteral("Cosmin Haller"),
    QStringLiteral("Dagny Mirza"),   QStringLiteral("Elio Sandoval"), QStringLiteral("Fenna Kowal"),
    QStringLiteral("Gustav Lindqvist"), QStringLiteral("Hana Petrov")};
const std::array<QString, 8> Cities = {QStringLiteral("Tallinn"), QStringLiteral("Porto"),  QStringLiteral("Ghent"),
                                       QStringLiteral("Kraków"),  QStringLiteral("Bergen"), QStringLiteral("Lyon"),
                                       QStringLiteral("Brno"),    QStringLiteral("Turku")};
const std::array<QString, 6> Products = {QStringLiteral("Oak shelf"),    QStringLiteral("Desk lamp"),
                                         QStringLiteral("Linen curtain"), QStringLiteral("Wool rug"),
                                         QStringLiteral("Steel stool"),   QStringLiteral("Glass vase")};
const std::array<double, 6> Prices = {149.0, 34.5, 59.9, 219.0, 45.0, 27.25};

// The text of a hint for a cell, or nothing for cells that have nothing to add.
QString HintFor(const TVgHintGrid& grid, int col, int row)
{
    if (row == 0)
        return col == 0 ? QString() : QStringLiteral("Column \"%1\"").arg(grid.Cells(col, 0));
    if (col == 0)
        return QStringLiteral("Order %1 of %2").arg(grid.Cells(0, row)).arg(OrderCount);
    if (col == 1 || col == 2)
        return QStringLiteral("%1\nlives in %2").arg(grid.Cells(1, row), grid.Cells(2, row));
    if (col == 5 || col == 4) {
        const double total = StrToFloat(grid.Cells(4, row)) * StrToFloat(grid.Cells(5, row));
        return QStringLiteral("%1 × %2 = %3")
            .arg(grid.Cells(4, row), grid.Cells(5, row), FormatFloat(QStringLiteral("#,##0.00"), total));
    }
    return QString(); // products: no hint
}

void FillOrders(TVgHintGrid& grid)
{
    grid.SetColCount(int(Titles.size()));
    grid.SetRowCount(OrderCount + 1);
    for (int c = 0; c < int(Titles.size()); ++c)
        grid.SetCells(c, 0, Titles[c]);
    for (int r = 1; r <= OrderCount; ++r) {
        // A fixed pseudo-random walk, so every run shows the same orders.
        const unsigned k = unsigned(r) * 2654435761u;
        const int product = int(k % Products.size());
        grid.SetCells(0, r, QStringLiteral("%1").arg(10000 + r));
        grid.SetCells(1, r, Customers[(k >> 8) % Customers.size()]);
        grid.SetCells(2, r, Cities[(k >> 16) % Cities.size()]);
        grid.SetCells(3, r, Products[product]);
        grid.SetCells(4, r, QString::number(1 + (k >> 20) % 12));
        grid.SetCells(5, r, FloatToStr(Prices[product]));
    }
    grid.SetColWidths(0, 70);
    grid.SetColWidths(1, 150);
    grid.SetColWidths(2, 100);
    grid.SetColWidths(3, 120);
    grid.SetColWidths(4, 70);
    grid.SetColWidths(5, 90);
}

} // namespace

CellHintsPage::CellHintsPage(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral(
        "Rest the pointer on a cell: after a moment the grid asks the application for the "
        "cell's hint and shows it above the cell. Product cells have no hint."), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* follow = new QCheckBox(QStringLiteral("Hint follows the mouse (otherwise the current cell)"), this);
    follow->setChecked(true);
    layout->addWidget(follow);

    FGrid = new TVgHintGrid(nullptr, this);
    FGrid->SetName(QStringLiteral("OrdersGrid"));
    FGrid->SetOptions(FGrid->Options() + TGridOptions{goColSizing, goRowSelect});
    FillOrders(*FGrid);
    FGrid->OnShowCellHint = [this](TObject*, int col, int row, QString& hint, TPoint&) {
        hint = HintFor(*FGrid, col, row);
    };
    connect(follow, &QCheckBox::toggled, this, [this](bool on) { FGrid->SetHintFollowsMouse(on); });
    layout->addWidget(FGrid, 1);
}

void CellHintsPage::RestPointerOn(int col, int row)
{
    QWidget* viewport = FGrid->viewport();
    const TRect r = FGrid->CellRect(col, row);
    const QPoint local(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    const QPoint global = viewport->mapToGlobal(local);
    Screen().SetCursorPos({global.x(), global.y()});
    QEnterEvent enter(local, local, global);
    QApplication::sendEvent(viewport, &enter);
    QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    // The hint is asked for after its delay; give the event loop a little more than that.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1500 && !FGrid->HintShown())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace vg::demo
