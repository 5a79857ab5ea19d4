// The orders page as an order-entry screen, driven with keys and the mouse: what is
// stored, what is refused and why, and that a reload shows what was stored.
#include "TestEnvironment.h"

#include "DateDialog.h"
#include "DemoDatabase.h"
#include "OrderEditing.h"
#include "OrdersPage.h"

#include "editor/VgEdit.h"
#include "editor/VgHintWindow.h"
#include "grid/VgGrid.h"
#include "platform/app/Application.h"
#include "platform/locale/Conversions.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QScreen>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace vg;
using namespace vg::demo;

namespace {

struct OrderEditingTest : ::testing::Test {
    OrdersPage Page;
    TVelkoGrid& Grid = *Page.Grid();
    QStringList Messages;

    void SetUp() override
    {
        QObject::connect(&Page, &OrdersPage::Message, [this](const QString& text) { Messages << text; });
        Page.resize(1000, 600);
        Page.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Page));
        Page.activateWindow();
        QApplication::setActiveWindow(&Page);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Page));
        Application().Activate();
    }
    void TearDown() override
    {
        if (TVgInplaceEdit* editor = Grid.VgInplaceEditor())
            editor->HintWindow()->HideWindow();
    }

    int Col(const QString& caption) const
    {
        for (int col = 0; col < Grid.ColCount(); ++col)
            if (Grid.GetVisibleColumn(col)->Caption() == caption)
                return col;
        ADD_FAILURE() << "no column " << caption.toStdString();
        return -1;
    }
    TVgInplaceEdit* Edit(const QString& caption, int row)
    {
        Grid.setFocus();
        Grid.SetCol(Col(caption));
        Grid.SetRow(row);
        Grid.SetEditorMode(true);
        // What is typed replaces the text.
        QTest::keyClick(Grid.VgInplaceEditor(), Qt::Key_A, Qt::ControlModifier);
        return Grid.VgInplaceEditor();
    }
    QVariant Stored(const QString& expression, int line) const
    {
        QSqlQuery query(Page.Database()->Database());
        query.exec(QStringLiteral("SELECT %1 FROM order_lines JOIN products ON products.id = product_id "
                                  "JOIN customers ON customers.id = customer_id WHERE line = %2")
                       .arg(expression)
                       .arg(line));
        return query.next() ? query.value(0) : QVariant();
    }
    void Type(QWidget* target, const QString& text) { QTest::keyClicks(target, text); }
};

} // namespace

TEST_F(OrderEditingTest, AProductFromTheListAndAWholeQuantityAreStoredAndShownAfterAReload)
{
    // Line 5 is pending: Walnut dining table, 3 pieces.
    TVgInplaceEdit* editor = Edit(QStringLiteral("Product"), 5);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->ReadOnly()) << "products come from the list alone";
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(editor->ListVisible());
    Type(editor, QStringLiteral("oak"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(Grid.Cells(Col(QStringLiteral("Product")), 5), QStringLiteral("Oak shelf"));
    EXPECT_EQ(Stored(QStringLiteral("products.name"), 5).toString(), QStringLiteral("Oak shelf"));
    EXPECT_EQ(StrToFloat(Grid.Cells(Col(QStringLiteral("Unit price")), 5)), 149.0);
    EXPECT_EQ(StrToFloat(Grid.Cells(Col(QStringLiteral("Line total")), 5)), 447.0);

    // A quantity of 0 is refused on leaving, with the reason; 12 is taken.
    editor = Edit(QStringLiteral("Qty"), 5);
    Type(editor, QStringLiteral("0"));
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(Grid.Row(), 5);
    ASSERT_FALSE(Messages.isEmpty());
    EXPECT_TRUE(Messages.last().contains(QStringLiteral("positive whole number"))) << Messages.last().toStdString();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    Type(editor, QStringLiteral("12"));
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(Grid.Row(), 6);
    EXPECT_EQ(Stored(QStringLiteral("quantity"), 5).toInt(), 12);
    EXPECT_EQ(Stored(QStringLiteral("amount"), 5).toDouble(), 12 * 149.0);

    Page.ReloadAction()->trigger();
    EXPECT_EQ(Grid.Cells(Col(QStringLiteral("Product")), 5), QStringLiteral("Oak shelf"));
    EXPECT_EQ(Grid.Cells(Col(QStringLiteral("Qty")), 5), QStringLiteral("12"));
    EXPECT_EQ(Grid.GetDisplayText(Col(QStringLiteral("Line total")), 5), QStringLiteral("$1,788.00"));
}

TEST_F(OrderEditingTest, ACustomerIsSuggestedAndAnUnknownOneRefused)
{
    TVgInplaceEdit* editor = Edit(QStringLiteral("Name"), 10);
    Type(editor, QStringLiteral("ha"));
    ASSERT_TRUE(editor->IsAutoSuggestionUp());
    EXPECT_EQ(editor->HintWindow()->Text(), QStringLiteral("Hana Petrov"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(Stored(QStringLiteral("customers.name"), 10).toString(), QStringLiteral("Hana Petrov"));
    EXPECT_EQ(Grid.Cells(Col(QStringLiteral("City")), 10), QStringLiteral("Turku"));

    editor = Edit(QStringLiteral("Name"), 11);
    Type(editor, QStringLiteral("Nobody"));
    QTest::keyClick(editor, Qt::Key_Escape, Qt::NoModifier); // no suggestion to close: cancels
    EXPECT_EQ(Grid.Cells(Col(QStringLiteral("Name")), 11), QStringLiteral("Berit Okafor"));
    editor = Edit(QStringLiteral("Name"), 11);
    Type(editor, QStringLiteral("Xavier"));
    QTest::keyClick(editor, Qt::Key_Up);
    EXPECT_EQ(Grid.Row(), 11);
    EXPECT_TRUE(Messages.last().contains(QStringLiteral("no known customer")));
    EXPECT_EQ(Stored(QStringLiteral("customers.name"), 11).toString(), QStringLiteral("Berit Okafor"));
}

TEST_F(OrderEditingTest, TheDateComesFromTheButtonsDialogAndShippedLinesStayAsTheyAre)
{
    Page.Editing()->ChooseDate = [](QDate current, const QRect&) {
        EXPECT_EQ(current, QDate(2024, 1, 3));
        return std::optional<QDate>(QDate(2025, 2, 3));
    };
    TVgInplaceEdit* editor = Edit(QStringLiteral("Ordered"), 5);
    QTest::keyClick(editor, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Stored(QStringLiteral("ordered_on"), 5).toString(), QStringLiteral("2025-02-03"));
    EXPECT_EQ(Grid.GetDisplayText(Col(QStringLiteral("Ordered")), 5), QStringLiteral("03-Feb-25"));

    // Line 1 has shipped: no typing, and its product stays.
    editor = Edit(QStringLiteral("Name"), 1);
    EXPECT_TRUE(editor->ReadOnly());
    Type(editor, QStringLiteral("x"));
    EXPECT_EQ(editor->Text(), QStringLiteral("Luka Varga"));
    editor = Edit(QStringLiteral("Product"), 1);
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(Grid.Cells(Col(QStringLiteral("Product")), 1), QStringLiteral("Desk lamp"));
    EXPECT_EQ(Stored(QStringLiteral("products.name"), 1).toString(), QStringLiteral("Desk lamp"));
    EXPECT_TRUE(Messages.last().contains(QStringLiteral("has shipped")));
}

TEST(DateDialog, OpensBelowItsCellOrAboveItAndAlwaysOnTheScreen)
{
    const QRect screen(0, 0, 1000, 800);
    const QRect secondScreen(1000, 100, 800, 1000);
    const QSize popup(300, 250);
    struct Case {
        const char* Name;
        QRect Cell;
        QRect Screen;
        QPoint Expected;
    };
    const Case cases[] = {
        {"room below", {100, 200, 80, 24}, screen, {100, 224}},
        {"no room below: above", {100, 700, 80, 24}, screen, {100, 450}},
        {"right edge: pulled in", {900, 200, 80, 24}, screen, {700, 224}},
        {"left of the screen: pulled in", {-50, 200, 80, 24}, screen, {0, 224}},
        {"no room above or below: kept on the screen", {100, 100, 80, 650}, screen, {100, 550}},
        {"a screen that does not start at 0", {1100, 500, 80, 24}, secondScreen, {1100, 524}},
        {"a cell above that screen's top", {1100, 20, 80, 24}, secondScreen, {1100, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PopupPosition(c.Cell, popup, c.Screen), c.Expected) << c.Name;
}

TEST_F(OrderEditingTest, TheCalendarOpensNextToTheDatesCell)
{
    const int col = Col(QStringLiteral("Ordered"));
    TVgInplaceEdit* editor = Edit(QStringLiteral("Ordered"), 5);
    const TRect r = Grid.CellRect(col, 5);
    const QPoint cellBottomLeft = Grid.viewport()->mapToGlobal(QPoint(r.Left, r.Bottom));
    QRect dialogPlace;
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialogPlace = dialog->frameGeometry();
            static_cast<QDialog*>(dialog)->reject();
        }
    });
    QTest::keyClick(editor, Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_TRUE(dialogPlace.isValid()) << "no calendar dialog opened";
    EXPECT_EQ(dialogPlace.topLeft(), cellBottomLeft);
    EXPECT_TRUE(Page.screen()->availableGeometry().contains(dialogPlace));
    EXPECT_EQ(Stored(QStringLiteral("ordered_on"), 5).toString(), QStringLiteral("2024-01-03")); // cancelled
}

TEST_F(OrderEditingTest, TheStatusLineNamesAColumnWithoutItsSortMarkAndTabMovesToTheNextCell)
{
    const int qty = Col(QStringLiteral("Qty"));
    Grid.SortByColumn(qty);
    ASSERT_EQ(Grid.SortIndicatorColumn(), Grid.GetVisibleColumn(qty));
    // A line that is not shipped yet, so its quantity can change.
    int row = 1;
    while (Grid.Cells(Col(QStringLiteral("Status")), row) != QStringLiteral("Pending"))
        ++row;
    const QString line = Grid.Cells(0, row);
    Grid.setFocus();
    Grid.SetCol(qty);
    Grid.SetRow(row);
    Grid.SetEditorMode(true);
    QTest::keyClick(Grid.VgInplaceEditor(), Qt::Key_A, Qt::ControlModifier);
    Type(Grid.VgInplaceEditor(), QStringLiteral("7"));
    QTest::keyClick(Grid.VgInplaceEditor(), Qt::Key_Down);
    ASSERT_FALSE(Messages.isEmpty());
    EXPECT_EQ(Messages.last(), QStringLiteral("Line %1 saved: Qty is now \u201C7\u201D").arg(line));

    Grid.SetEditorMode(false);
    QTest::keyClick(&Grid, Qt::Key_Tab);
    EXPECT_EQ(Grid.Col(), qty + 1) << "Tab moves to the next cell";
    EXPECT_EQ(Grid.Row(), row + 1);
}

TEST_F(OrderEditingTest, ARefusedQuantityStaysInTheEditorWhenAnotherCellIsClicked)
{
    // Line 5 is pending: 3 pieces.
    TVgInplaceEdit* editor = Edit(QStringLiteral("Qty"), 5);
    Type(editor, QStringLiteral("abc"));
    const TRect other = Grid.CellRect(Col(QStringLiteral("Name")), 7);
    QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, {(other.Left + other.Right) / 2, (other.Top + other.Bottom) / 2});
    EXPECT_EQ(Grid.Col(), Col(QStringLiteral("Qty")));
    EXPECT_EQ(Grid.Row(), 5);
    EXPECT_TRUE(editor->isVisible() && editor->hasFocus());
    EXPECT_EQ(editor->Text(), QStringLiteral("abc"));
    ASSERT_FALSE(Messages.isEmpty());
    EXPECT_TRUE(Messages.last().contains(QStringLiteral("positive whole number"))) << Messages.last().toStdString();
    EXPECT_EQ(Stored(QStringLiteral("quantity"), 5).toInt(), 3);
}
