// velkogrid-demo: shows the library's features in a window. With --screenshot FILE.png it
// renders the window offscreen, writes the picture and exits, which is also what happens
// by default when no display is available; --sorted shows the orders sorted. --dark runs
// under a dark palette. The orders are kept in the user's data folder between runs;
// --reset-data starts them over from the sample data, and screenshots use sample data of
// their own.
#include "DemoDatabase.h"
#include "DemoWindow.h"
#include "OrderColours.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QApplication>
#include <QByteArray>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QFont>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

namespace {

bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The platform has to be chosen before QApplication exists, so this looks at the raw
// arguments rather than at the parser.
bool WantsScreenshot(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--screenshot" || arg.startsWith("--screenshot="))
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // Without a display the default platform plugin would abort; render offscreen instead.
    // Screenshots are always rendered offscreen, so they do not depend on the desktop.
    if ((!HasDisplay() || WantsScreenshot(argc, argv)) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    // The user's settings (the orders grid's column widths) are kept under these names.
    QApplication::setOrganizationName(QStringLiteral("VelkoGrid"));
    QApplication::setApplicationName(QStringLiteral("velkogrid-demo"));
    QApplication::setApplicationVersion(QStringLiteral(VELKOGRID_VERSION_TEXT));
    // One font everywhere, so screenshots look the same on every machine.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows the features of the VelkoGrid widget library."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"), QStringLiteral("Render the window offscreen to <file> and exit."),
        QStringLiteral("file"));
    parser.addOption(screenshotOption);
    const QCommandLineOption sortedOption(
        QStringLiteral("sorted"), QStringLiteral("With --screenshot: show the orders sorted by their line totals."));
    parser.addOption(sortedOption);
    const QCommandLineOption darkOption(QStringLiteral("dark"), QStringLiteral("Use a dark palette."));
    parser.addOption(darkOption);
    const QCommandLineOption resetOption(
        QStringLiteral("reset-data"), QStringLiteral("Start the orders over from the sample data, dropping all edits."));
    parser.addOption(resetOption);
    parser.process(app);

    if (parser.isSet(darkOption)) {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(vg::demo::DarkPalette());
    }

    // A screenshot shows the demo as it comes, whatever widths its user left, and leaves
    // the user's settings alone.
    std::optional<QTemporaryDir> screenshotSettings;
    if (parser.isSet(screenshotOption)) {
        screenshotSettings.emplace();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, screenshotSettings->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, screenshotSettings->path());
    }

    // A screenshot shows the sample data as it comes, in a database of its own in memory.
    QString databaseFile;
    if (!parser.isSet(screenshotOption)) {
        databaseFile = vg::demo::DemoDatabase::DefaultFile();
        if (parser.isSet(resetOption)) {
            try {
                vg::demo::DemoDatabase::RemoveFile(databaseFile);
            } catch (const vg::Exception& e) {
                std::fprintf(stderr, "velkogrid-demo: %s\n", qPrintable(e.Message()));
                return 1;
            }
        }
    }
    vg::demo::DemoWindow window(databaseFile);

    if (parser.isSet(screenshotOption)) {
        const QString fileName = parser.value(screenshotOption);
        if (!window.SaveScreenshot(fileName, parser.isSet(sortedOption))) {
            std::fprintf(stderr, "velkogrid-demo: cannot write %s\n", qPrintable(fileName));
            return 1;
        }
        std::printf("%s\n", qPrintable(QFileInfo(fileName).absoluteFilePath()));
        return 0;
    }

    window.show();
    return app.exec();
}
