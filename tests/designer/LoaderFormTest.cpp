// A form loaded at run time by QUiLoader in an application that links the library: the
// Designer plugin that creates the grid (found through QT_PLUGIN_PATH) uses the same shared
// library, so the loaded grid is the application's own class, with one meta-object, one
// exception hierarchy and the whole API.
#include "FormProperties.h"

#include "TestEnvironment.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QtUiTools/QUiLoader>

#include <QFile>

#include <gtest/gtest.h>

#include <memory>

using namespace vg;

namespace {

std::unique_ptr<QWidget> LoadForm(const char* path)
{
    QUiLoader loader;
    QFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    return std::unique_ptr<QWidget>(loader.load(&file));
}

} // namespace

TEST(LoadedForm, TheLoadedGridIsTheApplicationsOwnClass)
{
#ifndef VELKOGRID_PLUGIN_SHARES_LIBRARY
    GTEST_SKIP() << "built static: the plugin carries a copy of the library of its own";
#endif
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("QT_PLUGIN_PATH")) << "the test runs with the build's plugin folder";
    EXPECT_TRUE(QUiLoader().availableWidgets().contains(QStringLiteral("vg::TVelkoGrid")));
    const std::unique_ptr<QWidget> form = LoadForm(VELKOGRID_FORM_FILE);
    ASSERT_NE(form, nullptr);
    QWidget* widget = form->findChild<QWidget*>(QStringLiteral("velkoGrid"));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->metaObject(), &TVelkoGrid::staticMetaObject);
    auto* grid = qobject_cast<TVelkoGrid*>(widget);
    ASSERT_NE(grid, nullptr) << "the plugin created " << widget->metaObject()->className() << " of another copy";
    EXPECT_EQ(form->findChild<TVelkoGrid*>(), grid);
    EXPECT_NE(dynamic_cast<TComponent*>(widget), nullptr);

    // What the form stores, through the grid's API.
    const QMap<QString, QString> stored = vg::test::FormProperties(QStringLiteral(VELKOGRID_FORM_FILE), QStringLiteral("velkoGrid"));
    EXPECT_EQ(WriteCollectionToText(*grid->Columns()), stored.value(QStringLiteral("Columns")));
    EXPECT_EQ(WriteCollectionToText(*grid->Headings()), stored.value(QStringLiteral("Headings")));
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->RowCount(), stored.value(QStringLiteral("RowCount")).toInt());
    EXPECT_TRUE(grid->Options().Contains(goEditing));
    EXPECT_EQ(grid->GetVisibleColumn(2)->FormatType(), vgfmtNumeric);

    // Cells set by the application read back, in the grid and in its column objects.
    struct TCase {
        int Col, Row;
        QString Text;
    };
    const TCase cases[] = {
        {1, 1, QStringLiteral("Widget")},
        {2, 1, QStringLiteral("1234.5")},
        {3, 6, QStringLiteral("two\nlines \u20ac")},
        {0, 3, QStringLiteral("fixed")},
        {1, 2, QString()},
    };
    for (const TCase& c : cases)
        grid->SetCells(c.Col, c.Row, c.Text);
    for (const TCase& c : cases)
        EXPECT_EQ(grid->Cells(c.Col, c.Row), c.Text) << c.Col << ',' << c.Row;
    EXPECT_FALSE(grid->GetDisplayText(2, 1).isEmpty());

    // The library's exceptions are the application's: a bad index is caught by its type.
    EXPECT_THROW(grid->GetVisibleColumn(grid->ColCount()), EvgColumnIndexOutOfRange);
    EXPECT_THROW(grid->SetCells(0, grid->RowCount(), QString()), EListError);
}

TEST(LoadedForm, AFormThatStoredTheOptionsAsTextLoadsTheSameGrid)
{
#ifndef VELKOGRID_PLUGIN_SHARES_LIBRARY
    GTEST_SKIP() << "built static: the plugin carries a copy of the library of its own";
#endif
    const std::unique_ptr<QWidget> form = LoadForm(VELKOGRID_FORM_FILE);
    const std::unique_ptr<QWidget> older = LoadForm(VELKOGRID_TEXT_FORM_FILE);
    ASSERT_NE(form, nullptr);
    ASSERT_NE(older, nullptr);
    auto* grid = form->findChild<TVelkoGrid*>(QStringLiteral("velkoGrid"));
    auto* olderGrid = older->findChild<TVelkoGrid*>(QStringLiteral("velkoGrid"));
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(olderGrid, nullptr);
    EXPECT_EQ(olderGrid->Options(), grid->Options());
    EXPECT_EQ(WriteCollectionToText(*olderGrid->Columns()), WriteCollectionToText(*grid->Columns()));
}
