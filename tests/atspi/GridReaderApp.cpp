// A window with one grid for the screen-reader test (grid_reader.py): columns with
// captions under a merged heading, a formatted number column and row titles. It prints
// "ready" once the grid is shown with the keyboard focus on its first data cell, and
// runs until it is terminated.
#include <VelkoGrid/VelkoGrid.h>

#include <QApplication>
#include <QTimer>

#include <cstdio>

using namespace vg;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velkogrid-grid-reader-app"));

    TVelkoGrid grid;
    grid.setAccessibleName(QStringLiteral("Orders"));
    grid.SetColumnCount(4);
    grid.SetRowCount(4);
    grid.GetVisibleColumn(1)->SetCaption(QStringLiteral("Item"));
    grid.GetVisibleColumn(2)->SetCaption(QStringLiteral("Unit price"));
    grid.GetVisibleColumn(3)->SetCaption(QStringLiteral("Quantity"));
    grid.Headings()->Add()->SetCaption(QStringLiteral("Amounts"));
    grid.GetVisibleColumn(2)->SetHeadingIndex(0);
    grid.GetVisibleColumn(3)->SetHeadingIndex(0);
    grid.GetVisibleColumn(2)->SetFormatType(vgfmtNumeric);
    grid.GetVisibleColumn(2)->SetDecimals(2);
    const char* rows[][3] = {{"Pencils", "1234.5", "10"}, {"Paper", "2", "500"}, {"Ink", "17.25", "3"}};
    for (int row = 1; row < 4; ++row) {
        grid.SetCells(0, row, QStringLiteral("Order %1").arg(row));
        for (int col = 1; col < 4; ++col)
            grid.SetCells(col, row, QString::fromLatin1(rows[row - 1][col - 1]));
    }
    grid.resize(500, 200);
    grid.show();
    grid.activateWindow();
    grid.setFocus();

    QTimer::singleShot(500, [&] {
        std::printf("ready\n");
        std::fflush(stdout);
    });
    return app.exec();
}
