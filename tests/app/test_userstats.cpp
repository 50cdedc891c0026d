// SPDX-License-Identifier: MIT
// The usage counter: three values in an isolated preference file.
#include "app/shell/documentcontroller.h"
#include "app/stats/userstatsmanager.h"
#include "parser/velloradocument.h"

#include <QFile>

#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <thread>
#include <vector>

using namespace vellora::app::stats;
using vellora::parser::VelloraDocument;

namespace {

const QString totalKey = QLatin1String(UserStatsManager::totalDocumentsOpenedKey);
const QString firstKey = QLatin1String(UserStatsManager::firstDocumentOpenDateKey);
const QString lastKey = QLatin1String(UserStatsManager::lastDocumentOpenDateKey);

QDateTime at(int minute)
{
    return QDateTime(QDate(2026, 3, 14), QTime(9, minute), Qt::UTC);
}

} // namespace

class TestUserStats : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_file;
    std::vector<QDateTime> m_times; // the clock's next readings
    std::size_t m_reading = 0;

    std::unique_ptr<QSettings> store() const
    {
        return std::make_unique<QSettings>(m_file, QSettings::IniFormat);
    }

    UserStatsManager manager()
    {
        return UserStatsManager([this] { return store(); },
                                [this] { return m_times.at(m_reading++); });
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("%1.ini").arg(QTest::currentTestFunction()) +
                                QString::fromLatin1(QTest::currentDataTag()));
        QFile::remove(m_file);
        m_reading = 0;
        m_times.clear();
    }

    void openings_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("one opening") << 1;
        QTest::newRow("three openings") << 3;
    }

    void openings()
    {
        QFETCH(int, count);
        // The first opening reads the clock for the first and the latest date, each later one
        // for the latest date only.
        m_times = {at(1), at(1), at(2), at(3)};
        UserStatsManager stats = manager();
        QCOMPARE(stats.firstDocumentOpenDate(), std::nullopt);
        for (int i = 0; i < count; ++i) {
            stats.recordDocumentOpen();
        }
        const auto settings = store();
        QCOMPARE(settings->value(totalKey).toLongLong(), qint64(count));
        QCOMPARE(settings->value(firstKey).toDateTime(), at(1));
        QCOMPARE(settings->value(lastKey).toDateTime(), at(count));
        QCOMPARE(stats.firstDocumentOpenDate(), std::optional(at(1)));
    }

    void storedValuesOfTheWrongType_data()
    {
        QTest::addColumn<QVariant>("total");
        QTest::addColumn<QVariant>("first");
        QTest::addColumn<qint64>("expectedTotal");
        QTest::addColumn<QDateTime>("expectedFirst");
        QTest::newRow("text under the first-date key is replaced")
            << QVariant(qint64(4)) << QVariant(QStringLiteral("2020-01-01")) << qint64(5) << at(7);
        QTest::newRow("a date under the first-date key is kept")
            << QVariant(qint64(4)) << QVariant(at(0)) << qint64(5) << at(0);
        QTest::newRow("unreadable total counts from zero")
            << QVariant(QStringLiteral("many")) << QVariant(at(0)) << qint64(1) << at(0);
        QTest::newRow("largest total stays")
            << QVariant(std::numeric_limits<qint64>::max()) << QVariant(at(0))
            << std::numeric_limits<qint64>::max() << at(0);
    }

    void storedValuesOfTheWrongType()
    {
        QFETCH(QVariant, total);
        QFETCH(QVariant, first);
        QFETCH(qint64, expectedTotal);
        QFETCH(QDateTime, expectedFirst);
        {
            auto settings = store();
            settings->setValue(totalKey, total);
            settings->setValue(firstKey, first);
        }
        m_times = {at(7), at(7)};
        UserStatsManager stats = manager();
        if (first.metaType().id() != QMetaType::QDateTime) {
            QCOMPARE(stats.firstDocumentOpenDate(), std::nullopt);
        }
        stats.recordDocumentOpen();
        const auto settings = store();
        QCOMPARE(settings->value(totalKey).toLongLong(), expectedTotal);
        QCOMPARE(settings->value(firstKey).toDateTime(), expectedFirst);
        QCOMPARE(settings->value(firstKey).metaType().id(), int(QMetaType::QDateTime));
        QCOMPARE(settings->value(lastKey).toDateTime(), at(7));
    }

    void onlyDocumentsWithAnInvoiceOrCreditNoteCount_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: a new document
        QTest::addColumn<qint64>("total");
        QTest::newRow("valid invoice") << QByteArray("<Invoice><ID>1</ID></Invoice>") << qint64(1);
        QTest::newRow("credit note deep inside an envelope")
            << QByteArray("<Envelope><Body><CreditNote/></Body></Envelope>") << qint64(1);
        QTest::newRow("XML without Invoice or CreditNote") << QByteArray("<Order/>") << qint64(0);
        QTest::newRow("not XML") << QByteArray("Hello") << qint64(0);
        QTest::newRow("not UTF-8") << QByteArray("<Invoice>\xff</Invoice>") << qint64(0);
        QTest::newRow("new document") << QByteArray() << qint64(0);
    }

    void onlyDocumentsWithAnInvoiceOrCreditNoteCount()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, total);
        m_times = {at(1), at(1)};
        UserStatsManager stats = manager();
        if (bytes.isEmpty()) {
            const VelloraDocument document; // a new document is never read
            Q_UNUSED(document);
        } else {
            // Opened as the application opens a file: through the controller, which counts.
            const QString path = m_dir.filePath(QStringLiteral("opened.xml"));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
            file.close();
            vellora::app::shell::DocumentController controller(
                [&stats] { stats.recordDocumentOpen(); },
                [this] { return std::make_unique<QSettings>(m_dir.filePath("controller.ini"),
                                                            QSettings::IniFormat); });
            auto dialogs = vellora::app::shell::DocumentController::standardDialogs();
            dialogs.showMessage = [](QWidget *, const auto &) {};
            controller.setDialogs(dialogs);
            controller.openFile(path);
        }
        const auto settings = store();
        QCOMPARE(settings->value(totalKey, qint64(0)).toLongLong(), total);
        QCOMPARE(settings->contains(firstKey), total > 0);
        QCOMPARE(settings->contains(lastKey), total > 0);
    }

    void concurrentOpeningsAreAllCounted()
    {
        UserStatsManager stats([this] { return store(); }, [] { return at(5); });
        std::vector<std::thread> readers;
        for (int thread = 0; thread < 4; ++thread) {
            readers.emplace_back([&stats] {
                for (int i = 0; i < 25; ++i) {
                    stats.recordDocumentOpen();
                }
            });
        }
        for (std::thread &reader : readers) {
            reader.join();
        }
        QCOMPARE(store()->value(totalKey).toLongLong(), qint64(100));
    }

    void sharedInstanceUsesTheApplicationsStore()
    {
        // The shared instance writes to organisation "Vellora", application "Vellora"; the
        // user scope is redirected into the temporary folder for this test.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QCOMPARE(&UserStatsManager::shared(), &UserStatsManager::shared());
        UserStatsManager::shared().recordDocumentOpen();
        QSettings settings(QStringLiteral("Vellora"), QStringLiteral("Vellora"));
        QVERIFY(settings.fileName().startsWith(m_dir.path()));
        QCOMPARE(settings.value(totalKey).toLongLong(), qint64(1));
        QVERIFY(settings.value(lastKey).toDateTime().isValid());
    }
};

QTEST_MAIN(TestUserStats)
#include "test_userstats.moc"
