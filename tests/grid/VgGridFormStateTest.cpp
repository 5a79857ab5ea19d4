// Form files of grids whose columns are out of step with their column objects: what is
// written reads back, and a refused read leaves the grid exactly as it was.
#include "grid/VgGrid.h"

#include "platform/app/Application.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"

#include "support/GridHarness.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <random>

namespace vg::test {
namespace {

// Everything a refused read must leave alone, as text; the column objects themselves
// unless the read changed them and was refused by a handler only.
QString State(TVelkoGrid& grid, bool sameObjects = true)
{
    QString state = WriteComponentToText(grid) + QStringLiteral("ColCount %1, objects").arg(grid.ColCount());
    for (int i = 0; i < grid.Columns()->Count() && sameObjects; ++i)
        state += QStringLiteral(" %1").arg(quintptr((*grid.Columns())[i]));
    for (int col = 0; col < grid.ColCount(); ++col)
        for (int row = 0; row < grid.RowCount(); ++row)
            state += u'|' + grid.Cells(col, row);
    return state;
}

QString Widths(int count, int width)
{
    return QStringLiteral("  ColWidths = (%1)\n").arg(QStringList(count, QString::number(width)).join(u' '));
}

// Paints, then answers what reached the application's exception handler.
QStringList PaintErrors(TVelkoGrid& grid)
{
    QStringList caught;
    Application().OnException = [&caught](const std::exception& e) { caught << QString::fromUtf8(e.what()); };
    grid.viewport()->grab();
    Application().OnException = nullptr;
    return caught;
}

TEST(VelkoGridFormState, OutOfStepGridsWriteFormsThatReadBackAndRefusedReadsChangeNothing)
{
    std::mt19937 random(27);
    const auto R = [&random](int n) { return int(random() % unsigned(n)); };
    int outOfStepRounds = 0;
    for (int round = 0; round < 60; ++round) {
        TVelkoGrid grid;
        grid.SetRowCount(2 + R(5));
        ShowFocused(grid, {300, 200});
        for (int step = R(8); step >= 0; --step) {
            try {
                TvgColumns& columns = *grid.Columns();
                switch (R(6)) {
                case 0: columns.Add(); break;
                case 1: columns.Delete(R(columns.Count())); break;
                case 2: grid.SetColCount(1 + R(grid.GetVisibleColumnCount())); break;
                case 3: columns[R(columns.Count())]->SetVisible(R(3) > 0); break;
                case 4: grid.SetColWidths(R(grid.ColCount()), 10 + R(90)); break;
                default: grid.SetCells(R(grid.ColCount()), R(grid.RowCount()), QString::number(step)); break;
                }
            } catch (const Exception&) {
            }
        }
        const QString text = WriteComponentToText(grid);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(WriteComponentToText(*ReadComponentFromText(text)), text);

        // Forms the grid must refuse; the first is accepted by a grid in step, the second
        // refused only after its row count changed.
        const bool outOfStep = grid.ColCount() != grid.GetVisibleColumnCount();
        outOfStepRounds += outOfStep;
        const QString head = QStringLiteral("object TVelkoGrid\n");
        QStringList refused{head + QStringLiteral("  RowCount = 1\n  FixedCols = %1\nend\n").arg(grid.ColCount()),
                            head + Widths(grid.GetVisibleColumnCount() + 1, 30) + QStringLiteral("end\n"),
                            head + QStringLiteral("  AVisibleColumnCount = 0\nend\n")};
        if (outOfStep)
            refused << head + Widths(grid.GetVisibleColumnCount(), 64) + QStringLiteral("end\n");
        for (const QString& form : refused) {
            const QString before = State(grid);
            EXPECT_THROW(ReadComponentInto(form, grid), EReadError) << form.toStdString();
            EXPECT_EQ(State(grid), before) << form.toStdString();
            EXPECT_EQ(PaintErrors(grid), QStringList());
        }
        EXPECT_EQ(WriteComponentToText(grid), text);
        // The grid goes on: a few calls, each painted.
        for (int call = 0; call < 4; ++call) {
            try {
                switch (R(3)) {
                case 0: grid.GetVisibleColumn(R(grid.ColCount() + 1))->SetVisible(false); break;
                case 1: grid.SetColCount(1 + R(grid.GetVisibleColumnCount())); break;
                default: grid.SetCol(R(grid.ColCount())); break;
                }
            } catch (const Exception&) {
            }
            EXPECT_EQ(PaintErrors(grid), QStringList());
        }

        // Its own form, read into the grid, reads as written, and brings it in step.
        const QString own = WriteComponentToText(grid);
        ReadComponentInto(own, grid);
        EXPECT_EQ(WriteComponentToText(grid), own);
        EXPECT_EQ(grid.ColCount(), grid.GetVisibleColumnCount());
    }
    EXPECT_GT(outOfStepRounds, 15);
}

TEST(VelkoGridFormState, AFormOutOfStepDescribesTheGridAsLoadedBringsItInStep)
{
    TVelkoGrid grid;
    grid.SetColCount(3); // five column objects stay
    grid.SetColWidths(1, 30);
    const QString text = WriteComponentToText(grid);
    EXPECT_TRUE(text.contains(QStringLiteral("AVisibleColumnCount = 5"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ColWidths = (\n    64\n    30\n    64\n    64\n    64)")))
        << text.toStdString();
    const std::unique_ptr<TComponent> read = ReadComponentFromText(text);
    EXPECT_EQ(dynamic_cast<TVelkoGrid&>(*read).ColCount(), 5);
    EXPECT_EQ(dynamic_cast<TVelkoGrid&>(*read).ColWidths(1), 30);
}

TEST(VelkoGridFormState, AReadRefusedByAHandlerPartWayPutsTheCellsBack)
{
    TVelkoGrid grid;
    grid.SetRowCount(40);
    grid.SetCells(1, 39, QStringLiteral("last"));
    grid.SetColCount(3); // out of step as well
    ShowFocused(grid, {300, 200});
    grid.SetTopRow(30);
    grid.OnTopLeftChanged = [](TObject*) { throw EInvalidOperation(QStringLiteral("db refused")); };
    const QString before = State(grid, false);
    // Accepted by a copy without the handler, refused by the grid once its rows are gone.
    EXPECT_ANY_THROW(ReadComponentInto(QStringLiteral("object TVelkoGrid\n  RowCount = 10\nend\n"), grid));
    grid.OnTopLeftChanged = nullptr;
    EXPECT_EQ(State(grid, false), before);
    EXPECT_EQ(PaintErrors(grid), QStringList());
}

} // namespace
} // namespace vg::test
