// SPDX-License-Identifier: MIT
// The installed tree: files in their freedesktop places, one application id throughout,
// and invoices typed by content through the installed MIME cache. The tree is installed by
// the install_tree fixture; XDG_DATA_DIRS points at it before the system's data.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString appId = QStringLiteral("io.github.vellora.Vellora");
const QString ublType = QStringLiteral("application/x-vellora-ubl");
const QString xmlType = QStringLiteral("application/xml");

// Set for the run against a MIME database of the type alone, searched before the system's.
bool mimeApart()
{
    return qEnvironmentVariableIsSet("VELLORA_MIME_APART");
}

QString installed(const QString &relative)
{
    return QStringLiteral(VELLORA_INSTALL_PREFIX "/") + relative;
}

QString corpusFile(const char *relative)
{
    return QStringLiteral(VELLORA_SOURCE_DIR "/../shared/corpus/") + QLatin1String(relative);
}

QString dataFile(const char *relative)
{
    return QStringLiteral(VELLORA_TEST_DATA_DIR "/") + QLatin1String(relative);
}

// The value of `key` in the [Desktop Entry] group of a desktop file.
QString desktopValue(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    const QString prefix = key + QLatin1Char('=');
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size());
        }
    }
    return {};
}

// What the metainfo file says about the application, element by element.
struct Metainfo
{
    QString id;
    QString launchable;
    QString icon;
    QString releaseVersion;
    QStringList mediaTypes;
    QStringList binaries;
    QStringList screenshotImages;
};

Metainfo readMetainfo(const QString &path)
{
    Metainfo info;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return info;
    }
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto name = xml.name();
        if (name == QLatin1String("release")) {
            info.releaseVersion = xml.attributes().value(QLatin1String("version")).toString();
        } else if (name == QLatin1String("id")) {
            info.id = xml.readElementText();
        } else if (name == QLatin1String("launchable")) {
            info.launchable = xml.readElementText();
        } else if (name == QLatin1String("icon")) {
            info.icon = xml.readElementText();
        } else if (name == QLatin1String("mediatype")) {
            info.mediaTypes << xml.readElementText();
        } else if (name == QLatin1String("binary")) {
            info.binaries << xml.readElementText();
        } else if (name == QLatin1String("image")) {
            info.screenshotImages << xml.readElementText();
        }
    }
    return info;
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void filesAreInTheirPlaces_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("executable");
        QTest::newRow("viewer") << "bin/vellora" << true;
        QTest::newRow("dump") << "bin/vellora-dump" << true;
        QTest::newRow("launcher") << "share/applications/" + appId + ".desktop" << false;
        QTest::newRow("metainfo") << "share/metainfo/" + appId + ".metainfo.xml" << false;
        QTest::newRow("mime package") << "share/mime/packages/vellora-ubl.xml" << false;
        QTest::newRow("scalable icon")
            << "share/icons/hicolor/scalable/apps/" + appId + ".svg" << false;
    }

    void filesAreInTheirPlaces()
    {
        QFETCH(QString, path);
        QFETCH(bool, executable);
        const QFileInfo info(installed(path));
        QVERIFY2(info.isFile(), qPrintable(info.filePath()));
        QVERIFY(info.size() > 0);
        QCOMPARE(info.isExecutable(), executable);
    }

    void iconHasEveryFixedSize_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
            QTest::newRow(qPrintable(QStringLiteral("%1px").arg(size))) << size;
        }
    }

    void iconHasEveryFixedSize()
    {
        QFETCH(int, size);
        const QString path =
            installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(appId));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("png"));
        QCOMPARE(reader.size(), QSize(size, size));
        // Drawn, not blank: the corners are clear and the middle is the sheet.
        const QImage image = reader.read();
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QVERIFY(qAlpha(image.pixel(size / 2, size / 2)) > 200);
    }

    void launcherMetainfoAndIconNameOneApplication()
    {
        const QString desktop = installed("share/applications/" + appId + ".desktop");
        QCOMPARE(desktopValue(desktop, QStringLiteral("Icon")), appId);
        QCOMPARE(desktopValue(desktop, QStringLiteral("Exec")), QStringLiteral("vellora %F"));

        const Metainfo info = readMetainfo(installed("share/metainfo/" + appId + ".metainfo.xml"));
        QCOMPARE(info.id, appId);
        QCOMPARE(info.launchable, appId + ".desktop");
        QCOMPARE(info.icon, appId);
        QCOMPARE(info.releaseVersion, QStringLiteral(VELLORA_VERSION));
        QCOMPARE(info.binaries, QStringList({"vellora", "vellora-dump"}));

        // Every type the metainfo promises is one the launcher opens and the MIME cache knows.
        const QStringList launcherTypes = desktopValue(desktop, QStringLiteral("MimeType"))
                                              .split(QLatin1Char(';'), Qt::SkipEmptyParts);
        QVERIFY(!info.mediaTypes.isEmpty());
        for (const QString &type : info.mediaTypes) {
            QVERIFY2(launcherTypes.contains(type), qPrintable(type));
            QVERIFY2(QMimeDatabase().mimeTypeForName(type).isValid(), qPrintable(type));
        }

        // Screenshots are published from docs/screenshots/: each one named must be there.
        QVERIFY(!info.screenshotImages.isEmpty());
        for (const QString &url : info.screenshotImages) {
            QVERIFY2(url.startsWith(QLatin1String("https://")), qPrintable(url));
            const QString name = url.section(QLatin1Char('/'), -1);
            QVERIFY2(
                QFileInfo::exists(QStringLiteral(VELLORA_SOURCE_DIR "/docs/screenshots/") + name),
                qPrintable(name));
        }
    }

    // `type`: in the system's database, where the package puts the type. `typeApart`: in a
    // database of its own searched first (an install under /usr/local or ~/.local), where
    // Qt 6.4 lets the system's XML magic win over ours; what must hold there is that no
    // plain XML file is taken for an invoice. Empty: not asserted apart.
    void typeIsFoundByContent_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("typeApart");
        QTest::addColumn<bool>("fromCorpus");
        QTest::newRow("Invoice named .xml")
            << corpusFile("ubl/peppol-bis3/base-example.xml") << ublType << QString() << true;
        QTest::newRow("CreditNote named .xml")
            << corpusFile("ubl/peppol-bis3/base-creditnote-correction.xml") << ublType << QString()
            << true;
        QTest::newRow("Invoice with a prefixed root in a business document header")
            << corpusFile("ubl/oxalis/peppol-bis-invoice-sbdh.xml") << ublType << QString() << true;
        QTest::newRow("Invoice in a business document header")
            << corpusFile("ubl/vefa-validator/sbdh-ehf-invoice-2.0.xml") << ublType << QString()
            << true;
        QTest::newRow("CII invoice stays XML")
            << corpusFile("odd/en16931/CII_example1.xml") << xmlType << xmlType << true;
        QTest::newRow("CreditNote in a SOAP envelope")
            << dataFile("packaging/creditnote-in-soap.xml") << ublType << QString() << false;
        QTest::newRow("Invoice without XML declaration")
            << dataFile("packaging/invoice-no-declaration.xml") << ublType << ublType << false;
        QTest::newRow("Invoice in the repository")
            << dataFile("header-invoice.xml") << ublType << QString() << false;
        QTest::newRow("UBL Order stays XML")
            << dataFile("app/not-ubl.xml") << xmlType << xmlType << false;
        QTest::newRow("stylesheet naming the UBL namespace stays XML")
            << dataFile("packaging/ubl-stylesheet.xml") << xmlType << xmlType << false;
        QTest::newRow("plain XML without declaration stays XML")
            << dataFile("packaging/plain-no-declaration.xml") << xmlType << xmlType << false;
    }

    void typeIsFoundByContent()
    {
        QFETCH(QString, path);
        QFETCH(QString, type);
        QFETCH(QString, typeApart);
        QFETCH(bool, fromCorpus);
        if (fromCorpus && !QFileInfo::exists(path)) {
            QSKIP("the shared corpus is not beside the repository");
        }
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        if (mimeApart()) {
            if (typeApart.isEmpty()) {
                QSKIP("not fixed for a database of its own");
            }
            type = typeApart;
        }
        QCOMPARE(QMimeDatabase().mimeTypeForFile(path).name(), type);
    }

    void typeIsFoundByName_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("type");
        QTest::newRow("*.ubl") << "invoice.ubl" << ublType;
        QTest::newRow("*.UBL") << "INVOICE.UBL" << ublType;
        // Only the name to go by: XML, the heavier glob.
        QTest::newRow("*.xml") << "invoice.xml" << xmlType;
    }

    void typeIsFoundByName()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, type);
        QCOMPARE(QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension).name(),
                 type);
    }

    void ublFileWithoutUblContentIsStillUbl()
    {
        // A *.ubl name is the user's word: even a truncated file is offered to Vellora, which
        // then says what is wrong with it.
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("broken.ubl")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<?xml version=\"1.0\"?><Inv");
        file.close();
        QCOMPARE(QMimeDatabase().mimeTypeForFile(file.fileName()).name(), ublType);
    }

    void installedProgramsTellTheirVersion_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("name");
        QTest::newRow("vellora") << "bin/vellora"
                                 << "Vellora";
        QTest::newRow("vellora-dump") << "bin/vellora-dump"
                                      << "vellora-dump";
    }

    void installedProgramsTellTheirVersion()
    {
        QFETCH(QString, program);
        QFETCH(QString, name);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // No display at all: --version is answered in the terminal.
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        process.setProcessEnvironment(environment);
        process.start(installed(program), {QStringLiteral("--version")});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()),
                 name + QStringLiteral(" " VELLORA_VERSION "\n"));
        QCOMPARE(process.readAllStandardError(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestInstall)

#include "test_install.moc"
