// SPDX-License-Identifier: MIT
// The command line: what readCommandLine makes of the arguments, and what the program
// prints and returns for --help, --version and wrong usage, in English and German.
#include "app/shell/commandline.h"
#include "app/shell/velloraapp.h"
#include "app/style/localization.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

using vellora::app::shell::CommandLineRequest;
using Action = CommandLineRequest::Action;

Q_DECLARE_METATYPE(CommandLineRequest::Action)

namespace {

const QString usageLine = QStringLiteral("Usage: vellora [options] [file…]\n");

struct ProgramRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the built viewer with the language `lcAll` and no display at all, unless `offscreen`.
ProgramRun runProgram(const QStringList &arguments, const QString &lcAll, bool offscreen)
{
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name :
         {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "LANGUAGE", "LC_MESSAGES", "LANG"}) {
        environment.remove(QLatin1String(name));
    }
    environment.insert(QStringLiteral("LC_ALL"), lcAll);
    // Whatever the program keeps (crash reports, preferences) stays in a folder of the test.
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    if (offscreen) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELLORA_BINARY_DIR "/vellora"), arguments);
    ProgramRun run;
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        vellora::app::shell::VelloraApp::declareIdentity();
        vellora::app::style::installTranslations(*QCoreApplication::instance(),
                                                 QLocale(QLocale::English));
    }

    void readsTheArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("exitStatus");

        QTest::newRow("nothing: the Open dialog")
            << QStringList() << Action::open << QStringList() << QString() << 0;
        QTest::newRow("files in order")
            << QStringList({"b.xml", "/tmp/a invoice.ubl"}) << Action::open
            << QStringList({"b.xml", "/tmp/a invoice.ubl"}) << QString() << 0;
        QTest::newRow("after -- an option is a file")
            << QStringList({"--", "--help", "-v"}) << Action::open << QStringList({"--help", "-v"})
            << QString() << 0;
        QTest::newRow("--version") << QStringList({"--version"}) << Action::version << QStringList()
                                   << "Vellora " VELLORA_VERSION "\n"
                                   << 0;
        QTest::newRow("-v beside files") << QStringList({"a.xml", "-v"}) << Action::version
                                         << QStringList() << "Vellora " VELLORA_VERSION "\n"
                                         << 0;
        QTest::newRow("unknown option")
            << QStringList({"--frobnicate", "a.xml"}) << Action::wrongUsage << QStringList()
            << "vellora: Unknown option 'frobnicate'.\n" + usageLine << 1;
        QTest::newRow("--help-all is not ours")
            << QStringList({"--help-all"}) << Action::wrongUsage << QStringList()
            << "vellora: Unknown option 'help-all'.\n" + usageLine << 1;
        QTest::newRow("help asked for beside an unknown option")
            << QStringList({"--frobnicate", "-h"}) << Action::help << QStringList() << QString()
            << 0;
    }

    void readsTheArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(QStringList, files);
        QFETCH(QString, text);
        QFETCH(int, exitStatus);
        arguments.prepend(QStringLiteral("/usr/bin/vellora"));
        const CommandLineRequest request = vellora::app::shell::readCommandLine(arguments);
        QCOMPARE(request.action, action);
        QCOMPARE(request.files, files);
        if (action == Action::help) {
            QVERIFY(request.text.startsWith(usageLine));
        } else {
            QCOMPARE(request.text, text);
        }
        QCOMPARE(request.exitStatus(), exitStatus);
    }

    // The whole program, as a person in a terminal meets it. --help and --version need no
    // display; wrong usage is found once the toolkit has taken its own options.
    void answersInTheTerminal_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<bool>("offscreen");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("outLines"); // lines standard output must hold
        QTest::addColumn<QString>("err");

        const QString version = QStringLiteral("Vellora " VELLORA_VERSION);
        QTest::newRow("--version without a display")
            << QStringList({"--version"}) << "en_US.UTF-8" << false << 0 << QStringList({version})
            << QString();
        QTest::newRow("--version beside a toolkit option")
            << QStringList({"-platform", "xcb", "-v"}) << "de_DE.UTF-8" << false << 0
            << QStringList({version}) << QString();
        QTest::newRow("--help in English")
            << QStringList({"--help"}) << "en_US.UTF-8" << false << 0
            << QStringList({"Usage: vellora [options] [file…]",
                            "Views UBL electronic invoices and credit notes.",
                            "Options:", "  -h, --help     Displays help on commandline options.",
                            "  -v, --version  Displays version information.", "Arguments:",
                            "  files          Invoices or credit notes to open, one window each."})
            << QString();
        QTest::newRow("--help in German")
            << QStringList({"-h"}) << "de_DE.UTF-8" << false << 0
            << QStringList({"Aufruf: vellora [Optionen] [Datei…]",
                            "Zeigt elektronische UBL-Rechnungen und -Gutschriften an.", "Optionen:",
                            "  -h, --help     Zeigt Hilfe zu den Kommandozeilenoptionen an.",
                            "  -v, --version  Zeigt Versionsinformation an.", "Argumente:",
                            "  Dateien        Zu öffnende Rechnungen und Gutschriften, je ein "
                            "Fenster."})
            << QString();
        QTest::newRow("unknown option, in German")
            << QStringList({"--frobnicate", "a.xml"}) << "de_DE.UTF-8" << true << 1 << QStringList()
            << "vellora: Unbekannte Option 'frobnicate'.\nAufruf: vellora [Optionen] [Datei…]\n";
    }

    void answersInTheTerminal()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, lcAll);
        QFETCH(bool, offscreen);
        QFETCH(int, exitCode);
        QFETCH(QStringList, outLines);
        QFETCH(QString, err);
        const ProgramRun run = runProgram(arguments, lcAll, offscreen);
        QCOMPARE(run.exitCode, exitCode);
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        for (const QString &line : outLines) {
            QVERIFY2(lines.contains(line),
                     qPrintable(line + QStringLiteral("\n-- in --\n") + run.out));
        }
        if (outLines.isEmpty()) {
            QCOMPARE(run.out, QString());
        }
        QCOMPARE(run.err, err);
    }
};

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    TestCommandLine test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_commandline.moc"
