// SPDX-License-Identifier: MIT
#include "app/crash/crashreporter.h"

#include "app/crash/crashhandler.h"
#include "app/crash/crashreportsender.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <atomic>

namespace vellora::app::crash {
namespace {

QThread *s_sendingThread = nullptr;

// Runs as the application object is destroyed. A QThread must not be destroyed while it
// runs, so sending stops here; a report not yet accepted stays for the next start.
void stopSending()
{
    s_sendingThread->quit();
    s_sendingThread->wait();
    delete s_sendingThread;
    s_sendingThread = nullptr;
}

void sendInBackground(const QString &reportsFolder, const QUrl &serviceAddress)
{
    s_sendingThread = new QThread;
    s_sendingThread->setObjectName(QStringLiteral("crash report sender"));
    auto *sender = new CrashReportSender(reportsFolder, serviceAddress);
    sender->moveToThread(s_sendingThread);
    QObject::connect(s_sendingThread, &QThread::started, sender, &CrashReportSender::start);
    QObject::connect(sender, &CrashReportSender::finished, s_sendingThread, &QThread::quit,
                     Qt::DirectConnection);
    QObject::connect(s_sendingThread, &QThread::finished, sender, &QObject::deleteLater);
    qAddPostRoutine(stopSending);
    s_sendingThread->start(QThread::LowPriority);
}

} // namespace

void startCrashReporter(const QString &serviceAddress)
{
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    startCrashReporter(serviceAddress, dataFolder.isEmpty()
                                           ? QString()
                                           : dataFolder + QStringLiteral("/crash-reports"));
}

CrashReporterStart startCrashReporter(const QString &serviceAddress, const QString &reportsFolder)
{
    static std::atomic<bool> started{false};
    if (started.exchange(true)) {
        return CrashReporterStart::alreadyStarted;
    }
    if (reportsFolder.isEmpty() || !QDir().mkpath(reportsFolder) ||
        !installCrashHandlers(
            QFile::encodeName(QDir(reportsFolder).absolutePath()).toStdString())) {
        return CrashReporterStart::noReportsFolder;
    }
    sendInBackground(reportsFolder, QUrl(serviceAddress));
    return CrashReporterStart::started;
}

} // namespace vellora::app::crash
