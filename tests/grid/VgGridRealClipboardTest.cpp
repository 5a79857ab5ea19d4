// The clipboard against another program on a real X server: xclip reads what the grid
// copied (as plain text and as HTML) and puts text there that the grid pastes. Runs on the
// xcb platform only (ctest starts it under a virtual X server); elsewhere it is skipped.
#include "common/VgTsv.h"
#include "grid/VgGrid.h"

#include "TestEnvironment.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

using namespace vg;

namespace {

class VelkoGridRealClipboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs the xcb platform";
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty()) << "xclip is not installed";
    }

    // Runs xclip on the clipboard with the grid's event loop going, as the grid has to
    // answer xclip's requests for what it copied.
    static QByteArray Xclip(const QStringList& arguments, const QByteArray& input = {})
    {
        QProcess xclip;
        if (!arguments.contains(QLatin1String("-o")))
            xclip.setStandardOutputFile(QProcess::nullDevice()); // the child that keeps the text runs on
        xclip.start(QStringLiteral("xclip"), QStringList{"-selection", "clipboard"} + arguments);
        EXPECT_TRUE(xclip.waitForStarted());
        if (!input.isNull()) {
            xclip.write(input);
            xclip.closeWriteChannel();
        }
        QByteArray output;
        QElapsedTimer timer;
        timer.start();
        while (!xclip.waitForFinished(5)) {
            QCoreApplication::processEvents();
            output += xclip.readAllStandardOutput();
            if (timer.elapsed() > 60000) {
                ADD_FAILURE() << "xclip did not finish";
                xclip.kill();
                xclip.waitForFinished();
                break;
            }
        }
        EXPECT_EQ(xclip.exitCode(), 0) << xclip.readAllStandardError().toStdString();
        return output + xclip.readAllStandardOutput();
    }

    // Puts Text on the clipboard through xclip and waits until the grid's side sees it.
    static void XclipPuts(const QString& Text)
    {
        Xclip({"-i", "-t", "text/plain"}, Text.toUtf8());
        QTRY_VERIFY_WITH_TIMEOUT(!QGuiApplication::clipboard()->ownsClipboard()
                                     && QGuiApplication::clipboard()->text() == Text,
                                 10000);
    }

    static void Fill(TVelkoGrid& grid, int cols, int rows, const QStringList& values)
    {
        grid.SetColumnCount(cols + 1);
        grid.SetRowCount(rows + 1);
        for (int row = 1; row <= rows; ++row)
            for (int col = 1; col <= cols; ++col)
                grid.SetCells(col, row, values[(row * 7 + col) % values.size()] + QString::number(row % 3 ? row : 0));
    }

    const QStringList Awkward = {"tab\there", "two\r\nlines", "lf\nonly", "say \"hi\"", "\"lead", "007",
                                 " spaced ", "\u0436\u05d0\u65e5\U0001F600", "=1+2", "a<b&c"};
};

} // namespace

TEST_F(VelkoGridRealClipboard, XclipReadsWhatTheGridCopied)
{
    TVelkoGrid grid;
    Fill(grid, 3, 4, Awkward);
    grid.SetSelection(GridRect(1, 1, 3, 4));
    grid.CopyToClipboard();
    const QString plain = QString::fromUtf8(Xclip({"-o", "-t", "text/plain"}));
    QList<QStringList> expected;
    for (int row = 1; row <= 4; ++row) {
        expected.append(QStringList());
        for (int col = 1; col <= 3; ++col)
            expected.back() << grid.Cells(col, row);
    }
    EXPECT_EQ(plain, WriteTsvText(expected));
    const QString html = QString::fromUtf8(Xclip({"-o", "-t", "text/html"}));
    EXPECT_TRUE(html.contains(QStringLiteral("<table>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<td>a&lt;b&amp;c"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("\u0436\u05d0\u65e5\U0001F600"))) << html.toStdString();
}

TEST_F(VelkoGridRealClipboard, TheGridPastesWhatXclipPuts)
{
    TVelkoGrid grid;
    grid.SetColumnCount(4);
    grid.SetRowCount(4);
    XclipPuts(QStringLiteral("\"tab\there\"\t\u0436\u05d0\r\n007\t\"say \"\"hi\"\"\"\r\n"));
    grid.SetSelection(GridRect(2, 1, 2, 1));
    grid.PasteFromClipboard();
    EXPECT_EQ(grid.Cells(2, 1), QStringLiteral("tab\there"));
    EXPECT_EQ(grid.Cells(3, 1), QStringLiteral("\u0436\u05d0"));
    EXPECT_EQ(grid.Cells(2, 2), QStringLiteral("007"));
    EXPECT_EQ(grid.Cells(3, 2), QStringLiteral("say \"hi\""));
}

TEST_F(VelkoGridRealClipboard, ALargeRangeMakesTheRoundTripUnchanged)
{
    constexpr int cols = 20, rows = 10000;
    TVelkoGrid source;
    Fill(source, cols, rows, Awkward);
    source.SetSelection(GridRect(1, 1, cols, rows));
    source.CopyToClipboard();
    const QByteArray text = Xclip({"-o", "-t", "text/plain"});
    XclipPuts(QString::fromUtf8(text));

    TVelkoGrid target;
    target.SetColumnCount(cols + 1);
    target.SetRowCount(2);
    target.SetPasteAddsRows(true);
    target.SetSelection(GridRect(1, 1, 1, 1));
    const TvgPasteReport report = target.PasteFromClipboard();
    EXPECT_EQ(report.ValuesOutside, 0);
    ASSERT_EQ(target.RowCount(), rows + 1);
    int differing = 0;
    for (int row = 1; row <= rows; ++row)
        for (int col = 1; col <= cols; ++col)
            differing += source.Cells(col, row) != target.Cells(col, row);
    EXPECT_EQ(differing, 0);
}
