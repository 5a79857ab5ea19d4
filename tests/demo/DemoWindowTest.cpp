// The demo's window as a user meets it: its menus' keys, and the pictures the demo program
// renders (light and dark, at a fractional scale) without touching the user's data.
#include "TestEnvironment.h"

#include "DemoWindow.h"
#include "OrdersPage.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vg::demo;

namespace {

QMenu* MenuTitled(const QMainWindow& window, const QString& title)
{
    for (QAction* action : window.menuBar()->actions()) {
        if (action->text().remove(u'&') == title)
            return action->menu();
    }
    return nullptr;
}

// The mean brightness (0..255) of the picture's pixels in rect.
double MeanBrightness(const QImage& picture, const QRect& rect)
{
    double sum = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            sum += qGray(picture.pixel(x, y));
    }
    return sum / (double(rect.width()) * rect.height());
}

} // namespace

TEST(DemoWindow, EveryFileActionButResetHasAKeyAndNoTwoActionsShareOne)
{
    const DemoWindow window;
    const QMenu* file = MenuTitled(window, QStringLiteral("File"));
    ASSERT_NE(file, nullptr);
    QStringList fileActions;
    for (const QAction* action : file->actions()) {
        if (action->isSeparator())
            continue;
        fileActions << action->text();
        // Reset throws edits away: no key that could be pressed by mistake.
        EXPECT_EQ(action->shortcut().isEmpty(), action == window.Orders()->ResetAction())
            << action->text().toStdString();
    }
    EXPECT_EQ(fileActions.size(), 5);

    QHash<QKeySequence, QString> owners;
    for (const QAction* menu : window.menuBar()->actions()) {
        for (const QAction* action : menu->menu()->actions()) {
            for (const QKeySequence& key : action->shortcuts()) {
                EXPECT_FALSE(owners.contains(key)) << key.toString().toStdString() << " serves "
                                                   << owners.value(key).toStdString() << " and "
                                                   << action->text().toStdString();
                owners.insert(key, action->text());
            }
        }
    }
}

TEST(DemoWindow, TheProgramRendersLightDarkAndScaledPicturesAndLeavesTheUsersDataAlone)
{
    struct Case {
        const char* Name;
        QStringList Arguments;
        QByteArray ScaleFactor;
        QSize Size;
        bool Dark;
    };
    const Case cases[] = {
        {"light", {}, "1", {960, 680}, false},
        {"dark", {QStringLiteral("--dark")}, "1", {960, 680}, true},
        {"dark, sorted, at 1.5", {QStringLiteral("--dark"), QStringLiteral("--sorted")}, "1.5", {1440, 1020}, true},
    };
    const QTemporaryDir home;
    for (const Case& c : cases) {
        const QString picture = home.filePath(QStringLiteral("%1.png").arg(QString::fromLatin1(c.Name)));
        QProcess demo;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Wherever the program would keep its data or settings, it is in this folder.
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(c.ScaleFactor));
        demo.setProcessEnvironment(environment);
        demo.start(QStringLiteral(VELKOGRID_DEMO_PROGRAM),
                   QStringList{QStringLiteral("--screenshot"), picture} + c.Arguments);
        ASSERT_TRUE(demo.waitForFinished(120000)) << c.Name;
        EXPECT_EQ(demo.exitCode(), 0) << c.Name << ": " << demo.readAllStandardError().toStdString();

        const QImage image(picture);
        ASSERT_FALSE(image.isNull()) << c.Name;
        EXPECT_EQ(image.size(), c.Size) << c.Name;
        // The grid's lower half, clear of the drop-down list the light picture shows.
        const QRect cells(image.width() / 10, image.height() * 6 / 10, image.width() * 8 / 10, image.height() / 4);
        const double brightness = MeanBrightness(image, cells);
        if (c.Dark)
            EXPECT_LT(brightness, 90) << c.Name;
        else
            EXPECT_GT(brightness, 170) << c.Name;
    }
    // A screenshot uses sample data of its own: no database was made in the data folder.
    EXPECT_FALSE(QDir(home.filePath(QStringLiteral("data"))).exists());
}
