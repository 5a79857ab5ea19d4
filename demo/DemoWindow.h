// The demo's main window: a tab per feature area, opening on the orders grid, a "File"
// menu with the orders page's CSV and database actions and Quit, an "Edit" menu with its
// line actions and a "View" menu with its column switch. Each part of the library adds
// its own page through AddPage.
#pragma once

#include <QMainWindow>
#include <QString>

class QTabWidget;

namespace vg::demo {
class CellHintsPage;
class OrdersPage;
}

namespace vg::demo {

class DemoWindow : public QMainWindow {
    Q_OBJECT

public:
    // The orders page keeps its lines in the database file databaseFile, or in memory when
    // it is empty.
    explicit DemoWindow(const QString& databaseFile = QString(), QWidget* parent = nullptr);

    OrdersPage* Orders() const { return FOrdersPage; }

    // Appends a page; the window takes ownership of it. Returns the page's tab index.
    int AddPage(QWidget* page, const QString& title);
    // Brings the page with that tab title to the front; false when there is none.
    bool ShowPage(const QString& title);

    // Lays the window out, paints it and writes the picture to fileName (the format follows
    // the file's extension). Works on the offscreen platform. Returns false when the file
    // cannot be written. The orders page shows the product list of a pending line dropped
    // down; with sorted, the lines sorted by their totals instead, refunds first, as a click
    // on that title leaves them.
    bool SaveScreenshot(const QString& fileName, bool sorted = false);

private:
    QWidget* CreateAboutPage();

    // Paints the visible pop-ups (hint windows) over the window's picture at their places.
    void PaintPopups(QImage& picture) const;

    QTabWidget* FPages = nullptr;
    CellHintsPage* FHintsPage = nullptr;
    OrdersPage* FOrdersPage = nullptr;
};

} // namespace vg::demo
