// The demo's orders page, the one the window opens on: the order lines of the demo
// database in the column-model grid, with headings over the customer and amount columns,
// numbers, dates and shares in their display formats, borders and bevels, a coloured dot
// per status, highlighted selection, and an internal id column that a checkable action
// shows and hides. The lines are edited in place as on an order-entry screen
// (OrderEditing), every accepted edit goes to the page's database, and an action reloads
// the grid from there.
#pragma once

#include "OrderColumns.h"

#include <QHash>
#include <QWidget>

#include <memory>

class QAction;
class QLabel;

namespace vg {
class TImageList;
class TObject;
} // namespace vg

namespace vg::demo {

class DemoDatabase;
class OrderEditing;

class OrdersPage : public QWidget {
    Q_OBJECT

public:
    explicit OrdersPage(QWidget* parent = nullptr);
    ~OrdersPage() override;

    TVelkoGrid* Grid() const { return FGrid; }
    // Checked while the internal id column is shown; for the window's "View" menu.
    QAction* ShowInternalIdAction() const { return FShowInternalId; }
    // The number of order lines loaded (0 when the database could not be loaded).
    int OrderCount() const { return FOrderCount; }
    // Reads every line from the page's database again; for the window's "View" menu.
    QAction* ReloadAction() const { return FReload; }
    void Reload();
    // The page's database (null when it could not be loaded) and its editing rules.
    DemoDatabase* Database() const { return FDatabase.get(); }
    OrderEditing* Editing() const { return FEditing; }
    // Opens the product list of a pending line, to show what editing looks like.
    void ShowEditingExample();

signals:
    // What happened to an edit, for the window's status bar.
    void Message(const QString& text);

private:
    void LoadStatusImages(const DemoDatabase& database);
    void LoadOrders(const DemoDatabase& database);
    // OnGetCellImage: the status dot for the data cells of the status column.
    void SupplyStatusImage(int ACol, int ARow, int HeadingIndex, TObject*& PictureOrImageList, int& ImageIndex);

    TVelkoGrid* FGrid = nullptr;
    QLabel* FSummary = nullptr;
    QAction* FShowInternalId = nullptr;
    QAction* FReload = nullptr;
    std::unique_ptr<DemoDatabase> FDatabase;
    OrderEditing* FEditing = nullptr;
    OrderColumns FColumns;
    std::unique_ptr<TImageList> FStatusImages;
    QHash<QString, int> FStatusImageIndex; // status label -> image
    int FOrderCount = 0;
};

} // namespace vg::demo
