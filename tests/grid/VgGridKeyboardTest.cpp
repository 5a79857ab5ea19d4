#include "grid/VgGrid.h"

#include "TestEnvironment.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <vector>

using namespace vg;

namespace {

// A grid between two line edits in an active window, for what the keyboard alone does.
struct GridKeyboardTest : ::testing::Test {
    QWidget Window;
    QLineEdit* Before = new QLineEdit(&Window);
    TVelkoGrid* Grid = new TVelkoGrid(&Window);
    QLineEdit* After = new QLineEdit(&Window);

    struct TClick {
        int Col;
        int Row;
        int Heading;
        TMouseButton Button;
        TShiftState Shift;
        bool OnTitle;
    };
    std::vector<TClick> Clicks;

    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&Window);
        for (QWidget* w : {static_cast<QWidget*>(Before), static_cast<QWidget*>(Grid), static_cast<QWidget*>(After)})
            layout->addWidget(w);
        Window.resize(500, 400);
        Window.show();
        QApplication::setActiveWindow(&Window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
        Grid->setFocus();
        Grid->OnFixedCellClick = [this](TObject*, int col, int row, int heading, TMouseButton button, TShiftState shift,
                                        int x, int y) {
            const TRect title = Grid->CellRect(col, row);
            Clicks.push_back({col, row, heading, button, shift, title.Contains(TPoint{x, y})});
        };
    }
};

TEST_F(GridKeyboardTest, CtrlSpaceClicksTheTitleOfTheCurrentColumn)
{
    Grid->SetCol(3);
    struct Case {
        Qt::KeyboardModifiers Keys;
        bool Clicks;
        TShiftState Shift;
    };
    for (const Case& c : {Case{Qt::ControlModifier, true, {}}, Case{Qt::ControlModifier | Qt::ShiftModifier, true, {ssShift}},
                          Case{Qt::NoModifier, false, {}}, Case{Qt::ControlModifier | Qt::AltModifier, false, {}}}) {
        Clicks.clear();
        QTest::keyClick(Grid, Qt::Key_Space, c.Keys);
        ASSERT_EQ(Clicks.size(), c.Clicks ? 1u : 0u) << c.Keys;
        if (c.Clicks) {
            EXPECT_EQ(Clicks[0].Col, 3);
            EXPECT_EQ(Clicks[0].Row, 0);
            EXPECT_EQ(Clicks[0].Heading, -1);
            EXPECT_EQ(Clicks[0].Button, mbLeft);
            EXPECT_EQ(Clicks[0].Shift, c.Shift);
            EXPECT_TRUE(Clicks[0].OnTitle) << "reported where a mouse click on the title would be";
        }
    }
    // The application's veto and a grid whose titles are no buttons stop it, as for the mouse.
    Clicks.clear();
    int asked = 0;
    Grid->OnBeforeFixedCellClick = [&](TObject*, int col, int row, int heading, bool& canClick) {
        EXPECT_TRUE(col == 3 && row == 0 && heading == -1);
        ++asked;
        canClick = false;
    };
    QTest::keyClick(Grid, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(asked, 1);
    Grid->OnBeforeFixedCellClick = nullptr;
    Grid->SetVelkoColumnClick(false);
    QTest::keyClick(Grid, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(Grid->Col(), 3) << "the keys do not move the current cell";
}

TEST_F(GridKeyboardTest, TabMovesIntoAndOutOfTheGrid)
{
    for (bool tabs : {false, true}) {
        Grid->SetOptions(tabs ? Grid->Options() + TGridOptions{goTabs} : Grid->Options() - TGridOptions{goTabs});
        Grid->SetCol(Grid->ColCount() - 1);
        Grid->SetRow(Grid->RowCount() - 1);
        Before->setFocus();
        QTest::keyClick(Before, Qt::Key_Tab);
        ASSERT_TRUE(Grid->hasFocus()) << tabs;
        // With goTabs, Tab walks the cells first: from the last one it leaves the grid.
        QTest::keyClick(Grid, Qt::Key_Tab);
        EXPECT_TRUE(After->hasFocus()) << tabs;
        QTest::keyClick(After, Qt::Key_Backtab, Qt::ShiftModifier);
        ASSERT_TRUE(Grid->hasFocus()) << tabs;
        if (tabs) {
            QTest::keyClick(Grid, Qt::Key_Backtab, Qt::ShiftModifier);
            EXPECT_TRUE(Grid->hasFocus()) << "a cell to the left";
            EXPECT_EQ(Grid->Col(), Grid->ColCount() - 2);
            Grid->SetCol(Grid->FixedCols());
            Grid->SetRow(Grid->FixedRows());
        }
        QTest::keyClick(Grid, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_TRUE(Before->hasFocus()) << tabs;
    }
}

} // namespace
