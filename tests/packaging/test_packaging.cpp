// SPDX-License-Identifier: MIT
// The desktop declarations: the UBL document type and the launcher.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString packagingFile(const char *name)
{
    return QStringLiteral(VELLORA_SOURCE_DIR "/packaging/") + QLatin1String(name);
}

} // namespace

class TestPackaging : public QObject
{
    Q_OBJECT

private slots:
    void ublTypeIsKnownByItsGlob_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("type");
        QTest::newRow("*.ubl") << "invoice.ubl"
                               << "application/x-vellora-ubl";
        QTest::newRow("*.UBL") << "INVOICE.UBL"
                               << "application/x-vellora-ubl";
        QTest::newRow("*.xml stays XML") << "invoice.xml"
                                         << "application/xml";
    }

    void ublTypeIsKnownByItsGlob()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, type);
        const QMimeType mime =
            QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
        QCOMPARE(mime.name(), type);
    }

    void ublTypeIsAKindOfXml()
    {
        const QMimeType mime =
            QMimeDatabase().mimeTypeForName(QStringLiteral("application/x-vellora-ubl"));
        QVERIFY(mime.isValid());
        QVERIFY(mime.inherits(QStringLiteral("application/xml")));
        QCOMPARE(mime.comment(), QStringLiteral("UBL invoice or credit note"));
    }

    void launcherOpensFilesAndDeclaresTheTypes()
    {
        QFile file(packagingFile("io.github.vellora.Vellora.desktop"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QStringLiteral("[Desktop Entry]"));
        QVERIFY(lines.contains(QStringLiteral("Type=Application")));
        QVERIFY(lines.contains(QStringLiteral("Exec=vellora %F")));
        const QStringList mimeLine = lines.filter(QRegularExpression(QStringLiteral("^MimeType=")));
        QCOMPARE(mimeLine.size(), 1);
        const QStringList types = mimeLine.front().mid(9).split(QLatin1Char(';'));
        QVERIFY(types.contains(QStringLiteral("application/x-vellora-ubl")));
        // Offered for any XML file too, whatever its content.
        QVERIFY(types.contains(QStringLiteral("application/xml")));
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^Icon="))),
                 QStringList{QStringLiteral("Icon=io.github.vellora.Vellora")});
    }
};

int main(int argc, char **argv)
{
    // A data folder holding only our type, searched before the system's.
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("mime/packages"));
    QFile::copy(packagingFile("vellora-ubl.xml"),
                dir.filePath(QStringLiteral("mime/packages/vellora-ubl.xml")));
    qputenv("XDG_DATA_DIRS", (dir.path() + QStringLiteral(":/usr/share")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("home")).toLocal8Bit());
    QCoreApplication application(argc, argv);
    TestPackaging test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_packaging.moc"
