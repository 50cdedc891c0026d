// SPDX-License-Identifier: MIT
// The application object: what constructing it sets up.
#include "app/shell/documentcontroller.h"
#include "app/style/localization.h"
#include "app/style/theme.h"
#include "app/shell/velloraapp.h"

#include <QFileInfo>
#include <QIcon>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vellora::app::shell;
using namespace vellora::app::style;

namespace {

QStringList reporterStarts;
QString reportsFolderAtStart;

void countingReporter(const QString &serviceAddress)
{
    reporterStarts << serviceAddress;
    reportsFolderAtStart = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

} // namespace

class TestVelloraApp : public QObject
{
    Q_OBJECT

private slots:
    void crashReporterStartedOnceWithTheServiceAddress()
    {
        QCOMPARE(reporterStarts, QStringList{QStringLiteral(VELLORA_CRASH_REPORT_URL)});
        // The reporter keeps its reports in the application's own data folder, so the
        // application's names are set before it starts.
        QVERIFY2(reportsFolderAtStart.endsWith(QStringLiteral("/Vellora/Vellora")),
                 qPrintable(reportsFolderAtStart));
    }

    void closingTheLastWindowQuits()
    {
        QVERIFY(QApplication::quitOnLastWindowClosed());
    }

    void windowsBelongToTheInstalledLauncher()
    {
        // The desktop matches the windows to the launcher by its file name.
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("io.github.vellora.Vellora"));
        QVERIFY(QFileInfo::exists(QStringLiteral(VELLORA_SOURCE_DIR "/packaging/") +
                                  QGuiApplication::desktopFileName() + QStringLiteral(".desktop")));
    }

    void textTableOfTheSystemLocale()
    {
        // The test runs in the C locale, which has no table of its own: English.
        QCOMPARE(localized("app.about"), QStringLiteral("About Vellora"));
        QCOMPARE(localized("&File"), QStringLiteral("&File"));
    }

    void iconThemeFollowsThePalette()
    {
        QCOMPARE(QIcon::themeName(), QStringLiteral("breeze"));
        const QPalette light = QApplication::palette();
        QApplication::setPalette(theme::darkPalette());
        QCOMPARE(QIcon::themeName(), QStringLiteral("breeze-dark"));
        QApplication::setPalette(light);
        QCOMPARE(QIcon::themeName(), QStringLiteral("breeze"));
    }
};

int main(int argc, char **argv)
{
    // Nothing this test does may touch the user's own preferences.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    qunsetenv("LANGUAGE");
    VelloraApp application(argc, argv, &countingReporter);
    TestVelloraApp test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_velloraapp.moc"
