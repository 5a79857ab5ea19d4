// The demo's orders page, the one the window opens on: the order lines of the demo
// database in the column-model grid, with headings over the customer and amount columns,
// numbers, dates and shares in their display formats, borders and bevels, a coloured dot
// per status, highlighted selection, and an internal id column that a checkable action
// shows and hides. File actions save the lines as CSV, open such a file again (the hidden
// internal id travels with it) and reload the lines from the database; the column widths
// the user sets are kept between runs.
#pragma once

#include "OrderColumns.h"

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

    // For the window's "File" menu: each asks for a file or goes ahead, and reports a
    // failure in a message box.
    QAction* OpenCsvAction() const { return FOpenCsv; }
    QAction* SaveCsvAsAction() const { return FSaveCsvAs; }
    QAction* ReloadAction() const { return FReload; }
    // What the actions do, without asking: the order lines replaced by those of a CSV file
    // or of the database, or written to a CSV file. Failures raise vg::Exception; a file
    // that cannot be read, or a database that cannot be opened, leaves the lines as they were.
    void OpenCsv(const QString& fileName);
    void SaveCsv(const QString& fileName) const;
    void ReloadFromDatabase();

    // Where the orders grid keeps its column widths in the user's settings.
    static inline const QString ColumnWidthsKey = QStringLiteral("Orders page/Column widths");

private:
    void LoadStatusImages(const DemoDatabase& database);
    void LoadOrders(const DemoDatabase& database);
    // OnGetCellImage: the status dot for the data cells of the status column.
    void SupplyStatusImage(int ACol, int ARow, int HeadingIndex, TObject*& PictureOrImageList, int& ImageIndex);
    void CreateFileActions();
    // Empties the order lines, leaving one empty row under the title row.
    void ClearLines();
    // Runs an action's work, reporting a failure in a message box.
    void Report(const QString& title, const std::function<void()>& work);

    TVelkoGrid* FGrid = nullptr;
    QLabel* FSummary = nullptr;
    QAction* FShowInternalId = nullptr;
    QAction* FOpenCsv = nullptr;
    QAction* FSaveCsvAs = nullptr;
    QAction* FReload = nullptr;
    OrderColumns FColumns;
    std::unique_ptr<TImageList> FStatusImages;
    QHash<QString, int> FStatusImageIndex; // status label -> image
    int FOrderCount = 0;
};

} // namespace vg::demo
