// The demo's orders page, the one the window opens on: the order lines of the demo
// database in the column-model grid, with headings over the customer and amount columns,
// numbers, dates and shares in their display formats, borders and bevels, a coloured dot
// per status, highlighted selection, and an internal id column that a checkable action
// shows and hides. The lines are edited in place as on an order-entry screen
// (OrderEditing) and every accepted edit goes to the page's database. Clicking a column's
// title sorts the lines by it (again: the other way round), clicking a heading selects its
// columns, clicking a line's title makes it the current line, and two actions insert and
// delete a line at the current one. File actions save the lines as CSV under a line of
// titles, open such a file again (the hidden internal id travels with it), reload the
// lines from the database and start the sample data over; the database can be a file that
// keeps the edits between runs, and the column widths the user sets are kept too. The
// page's colours follow its palette, light or dark.
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
    // The lines come from the database file, made from the sample script when there is none,
    // or from a fresh in-memory database when databaseFile is empty.
    explicit OrdersPage(const QString& databaseFile = QString(), QWidget* parent = nullptr);
    ~OrdersPage() override;

    TVelkoGrid* Grid() const { return FGrid; }
    // Checked while the internal id column is shown; for the window's "View" menu.
    QAction* ShowInternalIdAction() const { return FShowInternalId; }
    // Insert an empty line before the current one, delete the current one; for the
    // window's "Edit" menu. Deleting is disabled while one line is left.
    QAction* InsertRowAction() const { return FInsertRow; }
    QAction* DeleteRowAction() const { return FDeleteRow; }
    // The grid's columns with the fields they show.
    const OrderColumns& Columns() const { return FColumns; }
    // The number of order lines shown (0 when the database could not be loaded).
    int OrderCount() const { return FOrderCount; }
    // The text above the grid: how many lines there are, where they come from, what to try.
    QString Summary() const;
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
    QAction* ResetAction() const { return FReset; }
    // What the actions do, without asking: the order lines replaced by those of a CSV file
    // (its first line skipped when it holds the titles) or of the page's database, or
    // written to a CSV file after a line of titles. Lines sorted by a column are sorted
    // again after they are replaced. Failures raise vg::Exception; a file that cannot be
    // read leaves the lines as they were.
    void OpenCsv(const QString& fileName);
    void SaveCsv(const QString& fileName) const;
    void Reload();
    // The database made again from the sample script (its file replaced), and its lines
    // shown. A file that cannot be removed raises vg::Exception, with the data kept as it
    // was; a database that cannot be made is shown in the summary, as at start.
    void ResetSampleData();
    // The titles of every column object in collection order, as a saved file's first line.
    QStringList CsvTitles() const;

    // Where the orders grid keeps its column widths in the user's settings.
    static inline const QString ColumnWidthsKey = QStringLiteral("Orders page/Column widths");

signals:
    // What happened to an edit or a reload, for the window's status bar.
    void Message(const QString& text);

protected:
    void changeEvent(QEvent* event) override;

private:
    // Opens the page's database and shows its lines; a failure is shown in the summary.
    void OpenDatabase();
    void LoadStatusImages(const DemoDatabase& database);
    // Replaces the lines by those of the page's database.
    void LoadOrders();
    void ShowSummary();
    // OnGetCellImage: the status dot for the data cells of the status column.
    void SupplyStatusImage(int ACol, int ARow, int HeadingIndex, TObject*& PictureOrImageList, int& ImageIndex);
    // OnFixedCellClick: selecting a heading's columns or a line (titles sort by themselves).
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
    QAction* FReset = nullptr;
    QString FDatabaseFile; // empty: in memory
    std::unique_ptr<DemoDatabase> FDatabase;
    OrderEditing* FEditing = nullptr;
    QAction* FInsertRow = nullptr;
    QAction* FDeleteRow = nullptr;
    QAction* FOpenCsv = nullptr;
    QAction* FSaveCsvAs = nullptr;
    OrderColumns FColumns;
    std::unique_ptr<TImageList> FStatusImages;
    QHash<QString, int> FStatusImageIndex; // status label -> image
    int FOrderCount = 0;
    QString FLinesFrom; // where the lines shown came from, for the summary
};

} // namespace vg::demo
