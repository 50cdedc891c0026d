// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

namespace vellora::app::crash {

// Sends the crash reports that earlier runs left in a folder. First it deletes all but the
// newest `maxKeptReports`; then it posts each report's text to the service, oldest first, one
// at a time, and deletes each report the service accepts with a 2xx answer. Any other answer
// keeps that report for the next start; no answer at all (refused, unreachable, timed out)
// keeps it and all after it. Works in the thread it lives in, which must run an event loop.
class CrashReportSender : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CrashReportSender)

public:
    static constexpr int maxKeptReports = 20;
    // How long a request may go without progress before it is given up.
    static constexpr std::chrono::milliseconds defaultTimeout{10'000};

    // An empty `serviceAddress` sends nothing: the reports stay on this machine.
    CrashReportSender(QString reportsFolder, QUrl serviceAddress,
                      std::chrono::milliseconds timeout = defaultTimeout,
                      QObject *parent = nullptr);

    void start();

signals:
    // Emitted once, after every pending report was tried or sending stopped; `sent` reports
    // were accepted and deleted.
    void finished(int sent);

private:
    void sendNext();
    void onReplyFinished(QNetworkReply *reply, const QString &path);

    QString m_reportsFolder;
    QUrl m_serviceAddress;
    std::chrono::milliseconds m_timeout;
    QNetworkAccessManager *m_network = nullptr;
    QStringList m_pending; // paths, oldest first
    int m_sent = 0;
};

} // namespace vellora::app::crash
