// The demo's main window and its "About" page.
#include "DemoWindow.h"

#include "CellHintsPage.h"
#include "ColumnModelPage.h"
#include "OrdersPage.h"
#include "StandardShortcut.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vg::demo {

DemoWindow::DemoWindow(const QString& databaseFile, QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("VelkoGrid demo"));
    FPages = new QTabWidget(this);
    FPages->setDocumentMode(true);
    setCentralWidget(FPages);
    auto* orders = new OrdersPage(databaseFile);
    FOrdersPage = orders;
    AddPage(orders, QStringLiteral("Orders"));
    AddPage(CreateAboutPage(), QStringLiteral("About"));
    AddPage(CreateColumnModelPage(), QStringLiteral("Column model"));
    FHintsPage = new CellHintsPage;
    AddPage(FHintsPage, QStringLiteral("Cell hints"));
    ShowPage(QStringLiteral("Orders"));

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addActions({orders->OpenCsvAction(), orders->SaveCsvAsAction()});
    file->addSeparator();
    file->addActions({orders->ReloadAction(), orders->ResetAction()});
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("&Quit"), this, &QWidget::close);
    SetStandardShortcut(*quit, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(orders->InsertRowAction());
    edit->addAction(orders->DeleteRowAction());
    // The lines are the orders page's: elsewhere the actions would change what is not shown.
    connect(FPages, &QTabWidget::currentChanged, this, [this, orders, edit] {
        edit->setEnabled(FPages->currentWidget() == orders);
    });
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->addAction(orders->ShowInternalIdAction());
    connect(orders, &OrdersPage::Message, this, [this](const QString& text) { statusBar()->showMessage(text, 10000); });
    statusBar()->showMessage(QStringLiteral("VelkoGrid %1 on Qt %2")
                                 .arg(QStringLiteral(VELKOGRID_VERSION_TEXT), QString::fromLatin1(qVersion())));
    resize(960, 680);
}

int DemoWindow::AddPage(QWidget* page, const QString& title)
{
    return FPages->addTab(page, title);
}

bool DemoWindow::ShowPage(const QString& title)
{
    for (int i = 0; i < FPages->count(); ++i) {
        if (FPages->tabText(i) == title) {
            FPages->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

QWidget* DemoWindow::CreateAboutPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(12);

    auto* title = new QLabel(QStringLiteral("VelkoGrid %1").arg(QStringLiteral(VELKOGRID_VERSION_TEXT)), page);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    layout->addWidget(title);

    auto* text = new QLabel(page);
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    text->setText(QStringLiteral(
        "<p>A string grid for Qt 6 applications with a real column model: every column has its "
        "own title, alignment, colours, fonts, borders, bevels, clipping, read-only state, "
        "text limit, display format and in-cell drop-down list or button.</p>"
        "<p>Columns can be hidden and shown again without losing their cells, grouped under "
        "merged headings, and edited in place with drop-down lists, buttons and "
        "auto-suggestion. Grid contents load from and save to CSV, fill from a database "
        "query, and column widths survive restarts.</p>"
        "<p>The pages of this window show each feature as it becomes available.</p>"));
    layout->addWidget(text);
    layout->addStretch(1);
    return page;
}

bool DemoWindow::SaveScreenshot(const QString& fileName, bool sorted)
{
    show();
    // Let the layouts settle and the window paint once before it is grabbed.
    QApplication::processEvents();
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    if (FPages->currentWidget() == FHintsPage) {
        activateWindow();
        FHintsPage->RestPointerOn(2, 5);
    } else if (FPages->currentWidget() == FOrdersPage && !sorted) {
        FOrdersPage->ShowEditingExample();
        QApplication::processEvents();
    } else if (FPages->currentWidget() == FOrdersPage) {
        TVelkoGrid* grid = FOrdersPage->Grid();
        for (const OrderColumn& column : FOrdersPage->Columns().All) {
            if (column.Field == QLatin1String("amount"))
                grid->SortByColumn(grid->GridColumnForColumnObject(column.Column));
        }
        QApplication::processEvents();
    }
    QImage picture = grab().toImage();
    PaintPopups(picture);
    // A name without an extension still gets a PNG.
    const char* format = QFileInfo(fileName).suffix().isEmpty() ? "PNG" : nullptr;
    return picture.save(fileName, format);
}

void DemoWindow::PaintPopups(QImage& picture) const
{
    QPainter painter(&picture);
    for (QWidget* popup : QApplication::topLevelWidgets()) {
        if (popup == this || !popup->isVisible() || !(popup->windowFlags() & Qt::ToolTip))
            continue;
        const QPoint at = mapFromGlobal(popup->pos());
        painter.drawPixmap(at, popup->grab());
    }
}

} // namespace vg::demo
