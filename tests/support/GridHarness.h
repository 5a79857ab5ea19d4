// Driving a string grid as a user would, on the offscreen platform: the grid shown at a
// fixed size in an active window with the keyboard focus, clicks and drags on cells and
// keys sent to whatever widget has the focus. TLoggingGrid records the notifications a
// descendant receives, in order.
#pragma once

#include "platform/core/Exceptions.h"
#include "platform/hostgrid/GridStrings.h"
#include "platform/hostgrid/InplaceEdit.h"
#include "platform/hostgrid/StringGrid.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace vg::test {

class TLoggingGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;

    std::vector<QString> Log;
    // SelectCell answers this.
    bool AllowSelect = true;
    // While false, presses never reach the grid's own mouse handling.
    bool PassMouseDown = true;

    using TCustomGrid::GridState;

protected:
    bool SelectCell(int ACol, int ARow) override
    {
        Log.push_back(QStringLiteral("SelectCell(%1,%2) at %3,%4").arg(ACol).arg(ARow).arg(Col()).arg(Row()));
        return AllowSelect && TStringGrid::SelectCell(ACol, ARow);
    }
    void ColumnMoved(int FromIndex, int ToIndex) override
    {
        Log.push_back(QStringLiteral("ColumnMoved(%1,%2)").arg(FromIndex).arg(ToIndex));
        TStringGrid::ColumnMoved(FromIndex, ToIndex);
    }
    void RowMoved(int FromIndex, int ToIndex) override
    {
        Log.push_back(QStringLiteral("RowMoved(%1,%2)").arg(FromIndex).arg(ToIndex));
        TStringGrid::RowMoved(FromIndex, ToIndex);
    }
    void SizeChanged(int OldColCount, int OldRowCount) override
    {
        Log.push_back(QStringLiteral("SizeChanged(%1,%2)").arg(OldColCount).arg(OldRowCount));
        TStringGrid::SizeChanged(OldColCount, OldRowCount);
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        if (PassMouseDown)
            TStringGrid::MouseDown(Button, Shift, X, Y);
    }
};

// A window with a grid and a line edit after it in the focus chain, shown and active.
struct TGridWindow {
    TGridWindow()
    {
        auto* layout = new QVBoxLayout(&Window);
        Grid = new TLoggingGrid(nullptr, &Window);
        Other = new QLineEdit(&Window);
        layout->addWidget(Grid);
        layout->addWidget(Other);
        Window.resize(400, 340);
        Window.show();
        QApplication::setActiveWindow(&Window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
    }
    QWidget Window;
    TLoggingGrid* Grid;
    QLineEdit* Other;
};

// Shows the grid as an active window of the given size and gives it the focus.
inline void ShowFocused(QWidget& grid, QSize size = {400, 300})
{
    grid.resize(size);
    grid.show();
    grid.activateWindow();
    QApplication::setActiveWindow(&grid);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
}

inline QPoint CellCenter(const TCustomGrid& grid, int col, int row)
{
    const TRect r = grid.CellRect(col, row);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

inline void ClickCell(TCustomGrid& grid, int col, int row, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, CellCenter(grid, col, row));
}

inline void DoubleClickCell(TCustomGrid& grid, int col, int row)
{
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, CellCenter(grid, col, row));
}

// Presses at from, moves through the way to to, releases there (viewport coordinates).
inline void Drag(TCustomGrid& grid, QPoint from, QPoint to)
{
    QWidget* viewport = grid.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    const QPoint halfway = (from + to) / 2;
    for (QPoint at : {halfway, to}) {
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
}

// What a shown top-level window holds on screen, with the updates it has been sent
// painted, and what a full repaint of it paints.
inline QImage OnScreen(QWidget& window)
{
    QCoreApplication::processEvents();
    return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}
inline QImage Repainted(QWidget& window)
{
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A key pressed on the widget that has the focus.
inline void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
}

// Each character goes to the widget that has the focus at that moment (the first one
// typed on a grid opens its editor).
inline void Type(const QString& text)
{
    for (QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, c.toLatin1());
    }
}

inline TGridCoord Current(const TCustomGrid& grid)
{
    return {grid.Col(), grid.Row()};
}

} // namespace vg::test

namespace vg {
inline void PrintTo(const TGridCoord& c, std::ostream* os)
{
    *os << "(" << c.X << ", " << c.Y << ")";
}
inline void PrintTo(const TGridRect& r, std::ostream* os)
{
    *os << "[" << r.Left << ", " << r.Top << " .. " << r.Right << ", " << r.Bottom << "]";
}
inline void PrintTo(const TRect& r, std::ostream* os)
{
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
} // namespace vg
