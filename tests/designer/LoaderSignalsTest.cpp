// A form whose grid signals were connected in Designer's signal/slot editor, loaded by
// QUiLoader as an application loads it: through the plugin, which no Designer core has
// initialised in this program (an initialised plugin makes grids in design mode, which
// take no keys), so that the grid runs as in the application.
#include <QtUiTools/QUiLoader>

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QMetaMethod>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// The grid's signals as Designer's signal/slot editor lists them, and a form that connects
// two of them to other widgets' slots, read by QUiLoader.
TEST(DesignerForm, SignalConnectionsWorkThroughQUiLoader)
{
    QUiLoader loader;
    loader.addPluginPath(QFileInfo(QStringLiteral(VELKOGRID_PLUGIN_FILE)).absolutePath());
    QFile file(QStringLiteral(VELKOGRID_SIGNALS_FORM_FILE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&file));
    ASSERT_NE(form, nullptr) << loader.errorString().toStdString();
    auto* grid = form->findChild<QAbstractScrollArea*>(QStringLiteral("velkoGrid"));
    auto* column = form->findChild<QSpinBox*>(QStringLiteral("enteredColumn"));
    auto* title = form->findChild<QCheckBox*>(QStringLiteral("clickedTitle"));
    ASSERT_TRUE(grid && column && title);
    ASSERT_STREQ(grid->metaObject()->className(), "vg::TVelkoGrid");

    QStringList signalNames;
    for (const QMetaObject* meta = grid->metaObject(); meta != &QAbstractScrollArea::staticMetaObject;
         meta = meta->superClass())
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
            if (meta->method(i).methodType() == QMetaMethod::Signal)
                signalNames << QString::fromLatin1(meta->method(i).methodSignature());
    EXPECT_EQ(signalNames.size(), 30);
    for (const char* expected : {"cellEdited(int,int)", "aboutToExitCell(int,int,bool&)", "clicked()",
                                 "suggestionRequested(int,int,QString,QString&)",
                                 "cellHintRequested(int,int,QString&,QPoint&)", "cellDrawn(int,int,QRect,vg::TGridDrawState)"})
        EXPECT_TRUE(signalNames.contains(QString::fromLatin1(expected))) << expected;

    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(column->value(), 3);
    EXPECT_FALSE(title->isChecked());
    // The title of column 1: right of the fixed column of the default width, in row 0.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(64 + 32, 8));
    EXPECT_TRUE(title->isChecked());
}
