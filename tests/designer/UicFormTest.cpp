// GridForm.ui, the form the plugin test set up in the columns editor, built by uic: the
// grid it creates has the columns and headings the form stores. GridFormText.ui is the same
// form as saved when the options were text, and builds the same grid.
#include "ui_GridForm.h"
#include "ui_GridFormText.h"
#include "ui_GridSignalsForm.h"

#include "FormProperties.h"

#include "TestEnvironment.h"

#include <QMetaProperty>
#include <QTest>

#include <gtest/gtest.h>

using namespace vg;

TEST(UicForm, BuildsTheGridTheFormDescribes)
{
    QWidget form;
    Ui::GridForm ui;
    ui.setupUi(&form);
    TVelkoGrid* grid = ui.velkoGrid;
    ASSERT_NE(grid, nullptr);
    EXPECT_FALSE(grid->IsDesigning());

    const QMap<QString, QString> stored = vg::test::FormProperties(QStringLiteral(VELKOGRID_FORM_FILE), QStringLiteral("velkoGrid"));
    ASSERT_FALSE(stored.value(QStringLiteral("Columns")).isEmpty());
    EXPECT_EQ(WriteCollectionToText(*grid->Columns()), stored.value(QStringLiteral("Columns")));
    EXPECT_EQ(WriteCollectionToText(*grid->Headings()), stored.value(QStringLiteral("Headings")));
    EXPECT_EQ(QString::fromUtf8(grid->ColWidthsText()), stored.value(QStringLiteral("ColWidths")));
    EXPECT_EQ(QString::number(grid->RowCount()), stored.value(QStringLiteral("RowCount")));
    const QMetaEnum options = grid->metaObject()->property(grid->metaObject()->indexOfProperty("Options")).enumerator();
    EXPECT_EQ(grid->property("Options").toInt(), options.keysToValue(stored.value(QStringLiteral("Options")).toLatin1()));

    // What the columns editor set up, as the grid sees it.
    EXPECT_EQ(grid->ColCount(), 4); // five columns, one of them hidden
    EXPECT_EQ(grid->Headings()->GetColumn(0)->Caption(), QStringLiteral("Amounts \u20ac"));
    const TvgColumn* price = grid->GetVisibleColumn(2);
    EXPECT_EQ(price->Caption(), QStringLiteral("Price 'net'\nper unit"));
    EXPECT_EQ(price->HeadingIndex(), 0);
    EXPECT_EQ(price->FormatType(), vgfmtNumeric);
    EXPECT_EQ(grid->ColWidths(2), 90);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
}

TEST(UicForm, AFormThatStoredTheOptionsAsTextBuildsTheSameGrid)
{
    QWidget form, older;
    Ui::GridForm ui;
    ui.setupUi(&form);
    Ui::GridFormText olderUi;
    olderUi.setupUi(&older);
    const QMetaObject& meta = TVelkoGrid::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
        EXPECT_EQ(meta.property(i).read(olderUi.velkoGrid), meta.property(i).read(ui.velkoGrid)) << meta.property(i).name();
    EXPECT_EQ(olderUi.velkoGrid->Options(), ui.velkoGrid->Options());
    EXPECT_TRUE(olderUi.velkoGrid->Options().Contains(goEditing));
}

// GridSignalsForm.ui connects the grid's signals to a spin box and a check box, as made in
// Designer's signal/slot editor: uic's connections carry what the grid reports.
TEST(UicForm, ConnectsTheGridsSignalsAsTheFormStores)
{
    QWidget form;
    Ui::GridSignalsForm ui;
    ui.setupUi(&form);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    TVelkoGrid* grid = ui.velkoGrid;
    grid->SetCol(3);
    EXPECT_EQ(ui.enteredColumn->value(), 3);
    QTest::keyClick(grid, Qt::Key_Left);
    EXPECT_EQ(ui.enteredColumn->value(), 2);

    EXPECT_FALSE(ui.clickedTitle->isChecked());
    const TRect title = grid->CellRect(1, 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      QPoint((title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2));
    EXPECT_TRUE(ui.clickedTitle->isChecked());
}
