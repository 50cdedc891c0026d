// SPDX-License-Identifier: MIT
#include "app/crash/crashreporter.h"
#include "app/crash/crashreportsender.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <vector>

using namespace std::chrono_literals;
using vellora::app::crash::CrashReporterStart;
using vellora::app::crash::CrashReportSender;

namespace {

// The document the crashing child holds in memory; no report may quote it.
constexpr char documentText[] =
    "<Invoice><ID>INV-SECRET-4711</ID><AccountingCustomerParty><Party><PartyName>"
    "<Name>Geheimkunde Lindqvist GmbH</Name></PartyName></Party></AccountingCustomerParty>"
    "</Invoice>";
const QByteArray documentMarkers[] = {"SECRET-4711", "Lindqvist"};

QString reportsFolderUnder(const QString &dataHome)
{
    return dataHome + QStringLiteral("/Vellora/Vellora/crash-reports");
}

QStringList reportNames(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("crash-*.txt")}, QDir::Files, QDir::Name);
}

struct ChildEnd
{
    pid_t pid = -1;
    int status = 0;
};

// Runs the crashing child with its data folder at `dataHome` and its standard error into
// `stderrPath`, and waits for it to end.
ChildEnd runCrashChild(const QByteArray &mode, const QString &dataHome, const QString &stderrPath,
                       const QString &serviceAddress = QString())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    environment.insert(QStringLiteral("HOME"), dataHome);
    // In a sanitizer build the child dies of its signals as a plain build would.
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       QStringLiteral("handle_segv=0:handle_sigbus=0:handle_sigill=0:"
                                      "handle_sigfpe=0:handle_abort=0"));
    std::vector<QByteArray> environmentEntries;
    for (const QString &entry : environment.toStringList()) {
        environmentEntries.push_back(entry.toLocal8Bit());
    }
    std::vector<char *> envp;
    for (QByteArray &entry : environmentEntries) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);

    QByteArray program = VELLORA_CRASH_CHILD;
    QByteArray modeArgument = mode;
    QByteArray documentArgument = documentText;
    QByteArray addressArgument = serviceAddress.toLocal8Bit();
    char *argv[] = {program.data(), modeArgument.data(), documentArgument.data(),
                    serviceAddress.isEmpty() ? nullptr : addressArgument.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, QFile::encodeName(stderrPath),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ChildEnd end;
    const int spawned =
        posix_spawn(&end.pid, program.constData(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        end.pid = -1;
        return end;
    }
    waitpid(end.pid, &end.status, 0);
    return end;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(contents), contents.size());
}

// A loopback HTTP service that answers each request with one status line (or, when that is
// empty, never answers) and records what it was sent.
class ReportService : public QObject
{
public:
    struct Request
    {
        QByteArray method;
        QByteArray contentType;
        QByteArray body;
    };

    explicit ReportService(QByteArray status) : m_status(std::move(status))
    {
        connect(&m_server, &QTcpServer::newConnection, this, &ReportService::accept);
        m_server.listen(QHostAddress::LocalHost);
    }

    QString address() const
    {
        return QStringLiteral("http://127.0.0.1:%1/reports").arg(m_server.serverPort());
    }

    const QList<Request> &requests() const { return m_requests; }

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        }
    }

    void read(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0) {
            return;
        }
        Request request;
        qsizetype contentLength = 0;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        request.method = lines.first().split(' ').first();
        for (const QByteArray &line : lines.mid(1)) {
            const qsizetype colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "content-length") {
                contentLength = value.toLongLong();
            } else if (name == "content-type") {
                request.contentType = value;
            }
        }
        if (buffer.size() < headerEnd + 4 + contentLength) {
            return;
        }
        request.body = buffer.mid(headerEnd + 4, contentLength);
        m_buffers.remove(socket);
        m_requests.append(request);
        if (!m_status.isEmpty()) {
            socket->write("HTTP/1.1 " + m_status +
                          "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            socket->disconnectFromHost();
        }
    }

    QByteArray m_status;
    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<Request> m_requests;
};

// An address on which nothing listens.
QString closedPortAddress()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return QStringLiteral("http://127.0.0.1:%1/reports").arg(port);
}

enum class Service
{
    answering,  // answers with the row's status
    silent,     // takes the request and never answers
    closedPort, // refuses the connection
    none,       // the address is empty
};

} // namespace

Q_DECLARE_METATYPE(Service)

class TestCrashReporter : public QObject
{
    Q_OBJECT

private slots:
    void crashLeavesOneReport_data()
    {
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QByteArray>("cause");

        QTest::newRow("write to an unmapped address")
            << QByteArray("segv") << SIGSEGV << QByteArray("SIGSEGV");
        QTest::newRow("stack overflow")
            << QByteArray("stack-overflow") << SIGSEGV << QByteArray("SIGSEGV");
        QTest::newRow("abort()") << QByteArray("abort") << SIGABRT << QByteArray("SIGABRT");
        QTest::newRow("uncaught exception")
            << QByteArray("terminate") << SIGABRT
            << QByteArray("std::terminate, uncaught exception of type St13runtime_error");
        QTest::newRow("SIGBUS") << QByteArray("bus") << SIGBUS << QByteArray("SIGBUS");
        QTest::newRow("SIGILL") << QByteArray("ill") << SIGILL << QByteArray("SIGILL");
        QTest::newRow("SIGFPE") << QByteArray("fpe") << SIGFPE << QByteArray("SIGFPE");
    }

    void crashLeavesOneReport()
    {
        QFETCH(QByteArray, mode);
        QFETCH(int, signal);
        QFETCH(QByteArray, cause);

        QTemporaryDir dataHome;
        QVERIFY(dataHome.isValid());
        const QString stderrPath = dataHome.filePath(QStringLiteral("stderr.txt"));
        const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
        const ChildEnd end = runCrashChild(mode, dataHome.path(), stderrPath);
        const QDateTime after = QDateTime::currentDateTimeUtc().addSecs(1);

        // It died of the signal, as it would have without the reporter.
        QVERIFY(end.pid > 0);
        QVERIFY2(WIFSIGNALED(end.status), qPrintable(QString::number(end.status)));
        QCOMPARE(WTERMSIG(end.status), signal);

        const QString folder = reportsFolderUnder(dataHome.path());
        const QStringList names = reportNames(folder);
        QCOMPARE(names.size(), 1);
        const QRegularExpression namePattern(
            QStringLiteral(R"(^crash-(\d{8}T\d{6}Z)-(\d+)\.txt$)"));
        const QRegularExpressionMatch nameMatch = namePattern.match(names.first());
        QVERIFY2(nameMatch.hasMatch(), qPrintable(names.first()));
        QCOMPARE(nameMatch.captured(2).toLongLong(), qint64(end.pid));

        const QByteArray report = readAll(QDir(folder).filePath(names.first()));
        const QList<QByteArray> lines = report.split('\n');
        QVERIFY2(lines.size() > 6, report.constData());
        QCOMPARE(lines[0], QByteArray("Vellora crash report"));
        QCOMPARE(lines[1], QByteArray("version: " VELLORA_VERSION));
        QVERIFY2(lines[2].startsWith("time: "), lines[2].constData());
        const QDateTime time =
            QDateTime::fromString(QString::fromLatin1(lines[2].mid(6)), Qt::ISODate);
        QVERIFY2(time.isValid() && time >= before && time <= after, lines[2].constData());
        QCOMPARE(time.toString(QStringLiteral("yyyyMMddTHHmmssZ")), nameMatch.captured(1));
        QCOMPARE(lines[3], "cause: " + cause);

        // The backtrace went through the signal frame into the program's own code.
        const qsizetype backtraceLine = lines.indexOf("backtrace:");
        QVERIFY2(backtraceLine > 0, report.constData());
        const QByteArray backtrace = report.mid(report.indexOf("backtrace:\n"));
        QVERIFY2(backtrace.contains("crashchild("), report.constData());

        for (const QByteArray &marker : documentMarkers) {
            QVERIFY2(!report.contains(marker), report.constData());
        }
        if (mode == "terminate") {
            // The previous terminate handler still had its say.
            QVERIFY(readAll(stderrPath)
                        .contains(
                            "terminate called after throwing an instance of 'std::runtime_error'"));
        }
    }

    void send_data()
    {
        QTest::addColumn<Service>("service");
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<int>("expectedRequests");
        QTest::addColumn<bool>("kept");

        QTest::newRow("200 OK: sent and deleted")
            << Service::answering << QByteArray("200 OK") << 2 << false;
        QTest::newRow("204 No Content: sent and deleted")
            << Service::answering << QByteArray("204 No Content") << 2 << false;
        QTest::newRow("500 Internal Server Error: kept")
            << Service::answering << QByteArray("500 Internal Server Error") << 2 << true;
        QTest::newRow("404 Not Found: kept")
            << Service::answering << QByteArray("404 Not Found") << 2 << true;
        QTest::newRow("302 Found: kept")
            << Service::answering << QByteArray("302 Found") << 2 << true;
        QTest::newRow("no answer before the timeout: kept, the rest not tried")
            << Service::silent << QByteArray() << 1 << true;
        QTest::newRow("closed port: kept") << Service::closedPort << QByteArray() << 0 << true;
        QTest::newRow("empty address: nothing sent, kept")
            << Service::none << QByteArray() << 0 << true;
    }

    void send()
    {
        QFETCH(Service, service);
        QFETCH(QByteArray, status);
        QFETCH(int, expectedRequests);
        QFETCH(bool, kept);

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QByteArray older = "Vellora crash report\ncause: SIGSEGV\n";
        const QByteArray newer = "Vellora crash report\ncause: SIGABRT\n";
        writeFile(folder.filePath(QStringLiteral("crash-20240301T101500Z-88.txt")), newer);
        writeFile(folder.filePath(QStringLiteral("crash-20240229T235959Z-912.txt")), older);
        const QStringList before = reportNames(folder.path());

        ReportService reportService(status);
        QString address;
        switch (service) {
        case Service::answering:
        case Service::silent:
            address = reportService.address();
            break;
        case Service::closedPort:
            address = closedPortAddress();
            break;
        case Service::none:
            break;
        }

        CrashReportSender sender(folder.path(), QUrl(address), 500ms);
        QSignalSpy finished(&sender, &CrashReportSender::finished);
        sender.start();
        QVERIFY(finished.size() == 1 || finished.wait(5000));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), kept ? 0 : 2);

        QCOMPARE(reportService.requests().size(), expectedRequests);
        const QByteArray oldestFirst[] = {older, newer};
        for (int i = 0; i < expectedRequests; ++i) {
            const ReportService::Request &request = reportService.requests()[i];
            QCOMPARE(request.method, QByteArray("POST"));
            QCOMPARE(request.contentType, QByteArray("text/plain; charset=utf-8"));
            QCOMPARE(request.body, oldestFirst[i]);
        }
        QCOMPARE(reportNames(folder.path()), kept ? before : QStringList());
    }

    void keepsTheTwentyNewest()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        // Written newest first, so that their order on disk is not the order of the crashes.
        QStringList names;
        for (int day = 25; day >= 1; --day) {
            const QString name =
                QStringLiteral("crash-202403%1T120000Z-7.txt").arg(day, 2, 10, QLatin1Char('0'));
            writeFile(folder.filePath(name), "Vellora crash report\n");
            names.prepend(name);
        }
        writeFile(folder.filePath(QStringLiteral("notes.txt")), "not a report");

        CrashReportSender sender(folder.path(), QUrl());
        QSignalSpy finished(&sender, &CrashReportSender::finished);
        sender.start();
        QVERIFY(finished.size() == 1 || finished.wait(5000));

        QCOMPARE(reportNames(folder.path()), names.mid(5));
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("notes.txt"))));
    }

    // Quitting while the service keeps a report waiting ends the program at once, normally,
    // and keeps the report for the next start.
    void quitWhileSending()
    {
        QTemporaryDir dataHome;
        QVERIFY(dataHome.isValid());
        const QString folder = reportsFolderUnder(dataHome.path());
        QVERIFY(QDir().mkpath(folder));
        writeFile(folder + QStringLiteral("/crash-20240101T000000Z-1.txt"), "report");
        ReportService silent(QByteArray{});

        QElapsedTimer timer;
        timer.start();
        const QString stderrPath = dataHome.filePath(QStringLiteral("stderr.txt"));
        const ChildEnd end = runCrashChild("quit", dataHome.path(), stderrPath, silent.address());
        QVERIFY2(WIFEXITED(end.status) && WEXITSTATUS(end.status) == 0,
                 readAll(stderrPath).constData());
        QCOMPARE_LT(timer.elapsed(), 5000); // well before the request would time out
        QCOMPARE(reportNames(folder), QStringList{QStringLiteral("crash-20240101T000000Z-1.txt")});
        // The report had been sent and was waiting for an answer when the program quit.
        QTRY_COMPARE(silent.requests().size(), 1);
    }

    // The reporter starts once per process, so this is the only test that starts it here.
    void startsOnceAndSendsAtTheNextStart()
    {
        // A run that crashed leaves a report...
        QTemporaryDir dataHome;
        QVERIFY(dataHome.isValid());
        const ChildEnd crashed =
            runCrashChild("segv", dataHome.path(), dataHome.filePath(QStringLiteral("stderr.txt")));
        QVERIFY(WIFSIGNALED(crashed.status));
        const QString folder = reportsFolderUnder(dataHome.path());
        QCOMPARE(reportNames(folder).size(), 1);

        // ...which the next start sends in the background and deletes once accepted.
        ReportService accepting("200 OK");
        QCOMPARE(vellora::app::crash::startCrashReporter(accepting.address(), folder),
                 CrashReporterStart::started);
        QTRY_COMPARE(accepting.requests().size(), 1);
        QVERIFY(accepting.requests().first().body.contains("\ncause: SIGSEGV\n"));
        QTRY_COMPARE(reportNames(folder), QStringList());

        // A second start changes nothing: its folder's report is neither sent nor deleted.
        QTemporaryDir otherFolder;
        QVERIFY(otherFolder.isValid());
        writeFile(otherFolder.filePath(QStringLiteral("crash-20240101T000000Z-1.txt")), "report");
        ReportService other("200 OK");
        QCOMPARE(vellora::app::crash::startCrashReporter(other.address(), otherFolder.path()),
                 CrashReporterStart::alreadyStarted);
        QTest::qWait(500);
        QCOMPARE(other.requests().size(), 0);
        QCOMPARE(reportNames(otherFolder.path()).size(), 1);
        QCOMPARE(accepting.requests().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCrashReporter)
#include "test_crashreporter.moc"
