#include "design/VgColors.h"

#include "platform/core/FormFile.h"
#include "support/ModalDriver.h"

#include <QColorDialog>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;
using vg::test::WhenModal;

namespace {

TvgColorSelectForm* Form(QWidget* dialog)
{
    auto* form = qobject_cast<TvgColorSelectForm*>(dialog);
    EXPECT_NE(form, nullptr);
    return form;
}

struct TColorCase {
    const char* Name;
    TColor Start;
    QString Choose;    // an entry to pick first, or empty
    bool PressOk;      // else Cancel
    QString ShownText; // the entry selected when the form opened ("" for none)
    bool Result;
    TColor Expected;
};

} // namespace

// The user's ways through the form, each checked for what the form showed on opening and
// what Execute answered.
TEST(ColorDialog, NamedUnnamedChosenAndCancelledColors)
{
    const TColor mixture = RGBColor(12, 34, 56);
    const TColorCase cases[] = {
        {"button face, Ok", clBtnFace, {}, true, QStringLiteral("clBtnFace"), true, clBtnFace},
        {"another name, Cancel", clBtnFace, QStringLiteral("clRed"), false, QStringLiteral("clBtnFace"), false, clBtnFace},
        {"another name, Ok", clWindow, QStringLiteral("clNavy"), true, QStringLiteral("clWindow"), true, clNavy},
        {"unnamed, Ok keeps it", mixture, {}, true, QString(), true, mixture},
        {"named by value", RGBColor(255, 0, 0), {}, true, QStringLiteral("clRed"), true, clRed},
    };
    for (const TColorCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TvgColorDialog dialog;
        dialog.SetColor(c.Start);
        dialog.SetTitle(QStringLiteral("Pick one"));
        QString shown, title;
        int entries = 0;
        WhenModal([&](QWidget* w) {
            TvgColorSelectForm* form = Form(w);
            title = form->windowTitle();
            shown = form->cmbColors->currentData().toString();
            entries = form->cmbColors->count();
            if (!c.Choose.isEmpty())
                form->cmbColors->setCurrentIndex(form->cmbColors->findData(c.Choose));
            QTest::mouseClick(c.PressOk ? form->btnOk : form->btnCancel, Qt::LeftButton);
        });
        EXPECT_EQ(dialog.Execute(), c.Result);
        EXPECT_EQ(dialog.Color(), c.Expected);
        EXPECT_EQ(shown, c.ShownText);
        EXPECT_EQ(title, QStringLiteral("Pick one"));
        int named = 0;
        GetColorValues([&](const QString&) { ++named; });
        EXPECT_EQ(entries, named);
    }
}

// "Custom...." opens the full colour dialog: a colour confirmed there closes the form at
// once and is the answer; cancelling there leaves the form open and unchanged.
TEST(ColorDialog, CustomColorsComeFromTheFullDialog)
{
    TvgColorDialog dialog;
    dialog.SetColor(clBtnFace);
    dialog.SetTitle(QString());
    QString title = QStringLiteral("unset");
    WhenModal([&](QWidget* w) {
        TvgColorSelectForm* form = Form(w);
        title = form->windowTitle();
        // First round: cancel the full dialog; the form stays. The second round starts once
        // the full dialog has returned.
        WhenModal(
            [form](QWidget* full) {
                EXPECT_EQ(full, form->ColorDialog);
                form->ColorDialog->reject();
                QTimer::singleShot(0, form, [form] {
                    EXPECT_TRUE(form->isVisible());
                    EXPECT_EQ(form->SelectedColor, clBtnFace);
                    // Second round: confirm a colour that has no name.
                    WhenModal(
                        [form](QWidget*) {
                            form->ColorDialog->setCurrentColor(QColor(10, 20, 30));
                            form->ColorDialog->accept();
                        },
                        form);
                    QTest::mouseClick(form->btnCustom, Qt::LeftButton);
                });
            },
            form);
        QTest::mouseClick(form->btnCustom, Qt::LeftButton);
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), RGBColor(10, 20, 30));
    EXPECT_EQ(title, QString()); // an empty Title gives an empty title bar
}

TEST(ColorDialog, TheSwatchIsARoundedBlackEdgedBoxInsideTheSquare)
{
    QPalette palette;
    const QImage image = TvgColorSelectForm::Swatch(clRed, palette, 16).toImage();
    EXPECT_EQ(image.size(), QSize(16, 16));
    EXPECT_EQ(image.pixelColor(8, 8), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(0, 8).alpha(), 0);        // outside the box
    EXPECT_LT(image.pixelColor(2, 8).lightness(), 60);   // its black edge
    EXPECT_EQ(image.pixelColor(15, 15).alpha(), 0);
}

TEST(ColorDialog, ColorAndTitleAreStoredWithTheComponent)
{
    TvgColorDialog dialog;
    dialog.SetName(QStringLiteral("ColorDialog1"));
    dialog.SetColor(clBlack); // stored although it is where a colour starts
    dialog.SetTitle(QStringLiteral("Title color"));
    const QString text = WriteComponentToText(dialog);
    EXPECT_TRUE(text.contains(QStringLiteral("Color = clBlack"))) << text.toStdString();
    const std::unique_ptr<TComponent> back = ReadComponentFromText(text);
    auto* read = dynamic_cast<TvgColorDialog*>(back.get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Color(), clBlack);
    EXPECT_EQ(read->Title(), QStringLiteral("Title color"));
}

// System colours show what they paint beside their names; the form is wide enough for its
// title.
TEST(ColorDialog, SystemColorsAreDescribedAndTheTitleFits)
{
    const QString title = QStringLiteral("Please select the title column's color");
    QMap<QString, QString> shown;
    int width = 0;
    TvgColorDialog dialog;
    dialog.SetTitle(title);
    WhenModal([&](QWidget* w) {
        TvgColorSelectForm* form = Form(w);
        for (int i = 0; i < form->cmbColors->count(); ++i)
            shown[form->cmbColors->itemData(i).toString()] = form->cmbColors->itemText(i);
        width = form->width();
        form->reject();
    });
    dialog.Execute();

    const std::pair<const char*, const char*> entries[] = {
        {"clWindow", "clWindow (Window background)"}, {"clBtnFace", "clBtnFace (Button face)"},
        {"clInfoBk", "clInfoBk (Tooltip background)"}, {"clNone", "clNone (Transparent)"},
        {"clRed", "clRed"},                           {"clMoneyGreen", "clMoneyGreen"},
    };
    for (const auto& [name, text] : entries)
        EXPECT_EQ(shown.value(QString::fromLatin1(name)), QString::fromUtf8(text));
    for (auto it = shown.cbegin(); it != shown.cend(); ++it)
        if (IsSystemColor(StringToColor(it.key())))
            EXPECT_TRUE(it.value().startsWith(it.key() + QStringLiteral(" ("))) << it.key().toStdString();

    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GT(width, QFontMetrics(bold).horizontalAdvance(title));
}
