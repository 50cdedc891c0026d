// SPDX-License-Identifier: MIT
#include "app/crash/crashreportsender.h"

#include "app/crash/crashhandler.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <utility>

namespace vellora::app::crash {
namespace {

// A report is a few kilobytes; a file far larger was not written by the crash handler.
constexpr qint64 maxReportBytes = 1024 * 1024;

// Report paths, oldest first: the names begin with the time of the crash.
QStringList pendingReports(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QLatin1String(crashReportPrefix) + u'*' + QLatin1String(crashReportSuffix)},
                      QDir::Files, QDir::Name);
    QStringList paths;
    for (const QString &name : names) {
        paths.append(dir.filePath(name));
    }
    return paths;
}

} // namespace

CrashReportSender::CrashReportSender(QString reportsFolder, QUrl serviceAddress,
                                     std::chrono::milliseconds timeout, QObject *parent)
    : QObject(parent), m_reportsFolder(std::move(reportsFolder)),
      m_serviceAddress(std::move(serviceAddress)), m_timeout(timeout)
{}

void CrashReportSender::start()
{
    m_pending = pendingReports(m_reportsFolder);
    while (m_pending.size() > maxKeptReports) {
        QFile::remove(m_pending.takeFirst());
    }
    if (m_serviceAddress.isEmpty()) {
        m_pending.clear();
    } else {
        m_network = new QNetworkAccessManager(this); // made here, in the thread that sends
    }
    sendNext();
}

void CrashReportSender::sendNext()
{
    if (m_pending.isEmpty()) {
        emit finished(m_sent);
        return;
    }
    const QString path = m_pending.takeFirst();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        sendNext(); // gone or unreadable: nothing to send
        return;
    }
    const QByteArray report = file.read(maxReportBytes);

    QNetworkRequest request(m_serviceAddress);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("text/plain; charset=utf-8"));
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QByteArrayLiteral("Vellora/" VELLORA_VERSION));
    request.setTransferTimeout(static_cast<int>(m_timeout.count()));
    QNetworkReply *reply = m_network->post(request, report);
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, path] { onReplyFinished(reply, path); });
}

void CrashReportSender::onReplyFinished(QNetworkReply *reply, const QString &path)
{
    reply->deleteLater();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) {
        // No answer: the service is out of reach, so the reports after this one stay too.
        m_pending.clear();
    } else if (status.toInt() >= 200 && status.toInt() < 300) {
        QFile::remove(path);
        ++m_sent;
    }
    sendNext();
}

} // namespace vellora::app::crash
