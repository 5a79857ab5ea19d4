// The design-time editors without a form designer: which page the columns editor opens
// on, when the designer hears of a change, and the credits window.
#include "design/VgProp.h"

#include "design/VgAbout.h"
#include "design/VgReg.h"
#include "grid/VgGrid.h"
#include "support/ModalDriver.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;
using vg::test::WhenModal;

namespace {

struct TCountingDesigner : TvgFormDesigner {
    int Count = 0;
    void Modified() override { ++Count; }
};

} // namespace

TEST(DesignEditors, ColumnsAndHeadingsOpenTheEditorOnTheirPagesAndOnlyOkModifiesTheForm)
{
    TVelkoGrid grid;
    TCountingDesigner designer;
    struct TCase {
        QString TypeName;
        bool PressOk;
        QString Page;
        int Modified;
    };
    const TCase cases[] = {{QStringLiteral("TvgHeadings"), false, QStringLiteral("tbsHeadings"), 0},
                           {QStringLiteral("TvgColumns"), false, QStringLiteral("tbsGeneral"), 0},
                           {QStringLiteral("TvgColumns"), true, QStringLiteral("tbsGeneral"), 1}};
    for (const TCase& c : cases) {
        designer.Count = 0;
        TVGColumnsPropertyEditor editor(&grid, c.TypeName, &designer);
        EXPECT_EQ(editor.GetAttributes(), (TPropertyAttributes{paDialog, paReadOnly}));
        EXPECT_EQ(editor.GetValue(), u'(' + c.TypeName + u')');
        QString page;
        WhenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<TfrmvgColumnsEditor*>(w);
            ASSERT_NE(dialog, nullptr);
            page = dialog->pgcMain->currentWidget()->objectName();
            QTest::mouseClick(c.PressOk ? dialog->btnOk : dialog->btnCancel, Qt::LeftButton);
        });
        editor.Edit();
        EXPECT_EQ(page, c.Page) << c.TypeName.toStdString();
        EXPECT_EQ(designer.Count, c.Modified);
    }

    // The component editor, and Apply before Cancel: the applied change is reported.
    TVelkoGridEditor componentEditor(&grid, &designer);
    designer.Count = 0;
    WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<TfrmvgColumnsEditor*>(w);
        QTest::mouseClick(dialog->btnNew, Qt::LeftButton);
        QTest::mouseClick(dialog->btnApply, Qt::LeftButton);
        QTest::mouseClick(dialog->btnCancel, Qt::LeftButton);
    });
    componentEditor.Edit();
    EXPECT_EQ(designer.Count, 1);
    EXPECT_EQ(grid.ColCount(), 6);

    // Another component: nothing opens.
    TComponent other;
    TVelkoGridEditor nothing(&other, &designer);
    nothing.Edit();
    EXPECT_EQ(designer.Count, 1);
}

TEST(DesignEditors, VersionAndAuthorAreReadOnly)
{
    TVelkoGrid grid;
    EXPECT_EQ(TvgVersionEditor(&grid).GetAttributes(), TPropertyAttributes{paReadOnly});
    EXPECT_EQ(TvgVersionEditor(&grid).GetValue(), QStringLiteral("2.12"));
    EXPECT_EQ(TvgAuthorEditor(&grid).GetAttributes(), (TPropertyAttributes{paDialog, paReadOnly}));
    EXPECT_EQ(TvgAuthorEditor(&grid).GetValue(), VelkoGridCredits());
    EXPECT_EQ(VelkoGridPaletteGroup(), QStringLiteral("Karrow"));
    EXPECT_FALSE(VelkoGridIcon().pixmap(24, 24).isNull());
}

// The credits window: round corners, dragged by any point, closed by its "Close" panel.
TEST(DesignEditors, TheCreditsWindowIsARoundedCardThatDragsAndCloses)
{
    TVelkoGrid grid;
    QString version;
    bool roundCorners = false;
    QPoint moved;
    WhenModal([&](QWidget* w) {
        auto* form = qobject_cast<TvgAboutForm*>(w);
        ASSERT_NE(form, nullptr);
        version = form->lblVersion->text();
        const QRegion mask = form->mask();
        roundCorners = !mask.contains(QPoint(1, 1)) && mask.contains(QPoint(form->width() / 2, 1)) &&
                       !mask.contains(QPoint(form->width() - 2, form->height() - 2));
        const QPoint start = form->pos();
        const QPoint grip(form->width() / 2, 30); // not a title bar: the window has none
        QTest::mousePress(form, Qt::LeftButton, {}, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(25, 15)), QPointF(form->mapToGlobal(grip + QPoint(25, 15))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form, &move);
        QTest::mouseRelease(form, Qt::LeftButton, {}, grip + QPoint(25, 15));
        moved = form->pos() - start;
        QTest::mouseClick(form->pnlClose, Qt::LeftButton);
    });
    TvgAuthorEditor(&grid).Edit();
    EXPECT_EQ(version, QStringLiteral("Version 2.12"));
    EXPECT_TRUE(roundCorners);
    EXPECT_EQ(moved, QPoint(25, 15));
}
