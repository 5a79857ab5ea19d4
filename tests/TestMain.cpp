#include "TestEnvironment.h"

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The offscreen platform says so each time a pop-up asks to be raised; that is no news.
QtMessageHandler QtDefaultHandler = nullptr;

void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    QtDefaultHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    // Offscreen unless the caller chose a platform (the editor tests also run on xcb).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale::c());

    QtDefaultHandler = qInstallMessageHandler(QuietOffscreenNotes);
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));

    // Settings written by a test go to a folder of its own that is removed afterwards.
    QTemporaryDir settingsDir;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());

    vg::test::UseTestFormatSettings();

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
