// The demo's orders page, the one the window opens on: the order lines of the demo
// database in the column-model grid, with headings over the customer and amount columns,
// numbers, dates and shares in their display formats, borders and bevels, a coloured dot
// per status, highlighted selection, and an internal id column that a checkable action
// shows and hides. The lines are edited in place as on an order-entry screen
// (OrderEditing) and every accepted edit goes to the page's database. Clicking a column's
// title sorts the lines by it (again: the other way round), clicking a heading selects its
// columns, clicking a line's title makes it the current line, and two actions insert and
// delete a line at the current one. File actions save the lines as CSV, open such a file
// again (the hidden internal id travels with it) and reload the lines from the database;
// the column widths the user sets are kept between runs.
#pragma once

#include "OrderColumns.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QHash>
#include <QWidget>

#include <functional>
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
    // Insert an empty line before the current one, delete the current one; for the
    // window's "Edit" menu. Deleting is disabled while one line is left.
    QAction* InsertRowAction() const { return FInsertRow; }
    QAction* DeleteRowAction() const { return FDeleteRow; }
    // What a click on the column's title does: sorts the lines by it, ascending, or the
    // other way round when they are sorted by it already. Its caption shows the direction.
    void SortBy(TvgColumn* Column);
    // The grid's columns with the fields they show.
    const OrderColumns& Columns() const { return FColumns; }
    // The number of order lines loaded (0 when the database could not be loaded).
    int OrderCount() const { return FOrderCount; }
    // The page's database (null when it could not be loaded) and its editing rules.
    DemoDatabase* Database() const { return FDatabase.get(); }
    OrderEditing* Editing() const { return FEditing; }
    // Opens the product list of a pending line, to show what editing looks like.
    void ShowEditingExample();

    // For the window's "File" menu: each asks for a file or goes ahead, and reports a
    // failure in a message box.
    QAction* OpenCsvAction() const { return FOpenCsv; }
    QAction* SaveCsvAsAction() const { return FSaveCsvAs; }
    QAction* ReloadAction() const { return FReload; }
    // What the actions do, without asking: the order lines replaced by those of a CSV file
    // or of the page's database, or written to a CSV file. Failures raise vg::Exception; a
    // file that cannot be read leaves the lines as they were.
    void OpenCsv(const QString& fileName);
    void SaveCsv(const QString& fileName) const;
    void Reload();

    // Where the orders grid keeps its column widths in the user's settings.
    static inline const QString ColumnWidthsKey = QStringLiteral("Orders page/Column widths");

signals:
    // What happened to an edit or a reload, for the window's status bar.
    void Message(const QString& text);

private:
    void LoadStatusImages(const DemoDatabase& database);
    void LoadOrders(const DemoDatabase& database);
    // OnGetCellImage: the status dot for the data cells of the status column.
    void SupplyStatusImage(int ACol, int ARow, int HeadingIndex, TObject*& PictureOrImageList, int& ImageIndex);
    // OnFixedCellClick: sorting, or selecting a heading's columns or a line.
    void FixedCellClicked(int ACol, int ARow, int HeadingIndex, TMouseButton Button);
    void CreateEditActions();
    void UpdateEditActions();
    void CreateFileActions();
    // Empties the order lines, leaving one empty row under the title row.
    void ClearLines();
    // Runs an action's work, reporting a failure in a message box.
    void Report(const QString& title, const std::function<void()>& work);

    TVelkoGrid* FGrid = nullptr;
    QLabel* FSummary = nullptr;
    QAction* FShowInternalId = nullptr;
    QAction* FReload = nullptr;
    std::unique_ptr<DemoDatabase> FDatabase;
    OrderEditing* FEditing = nullptr;
    QAction* FInsertRow = nullptr;
    QAction* FDeleteRow = nullptr;
    TvgColumn* FSortColumn = nullptr; // the column the lines are sorted by, if any
    QString FSortCaption;             // its caption without the direction mark
    bool FSortDescending = false;
    QAction* FOpenCsv = nullptr;
    QAction* FSaveCsvAs = nullptr;
    OrderColumns FColumns;
    std::unique_ptr<TImageList> FStatusImages;
    QHash<QString, int> FStatusImageIndex; // status label -> image
    int FOrderCount = 0;
};

} // namespace vg::demo
