// SPDX-License-Identifier: MIT
// Saving an attachment: the dialog it asks, the bytes it writes, and every failure told.
#include "app/preview/attachmentsaver.h"
#include "app/preview/externalopen.h"
#include "app/style/localization.h"
#include "model/ublattachment.h"
#include "pdffixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/fsuid.h>
#include <sys/resource.h>
#include <csignal>
#include <sstream>
#include <unistd.h>

using namespace vellora::app::style;
using namespace vellora::app::preview;
using vellora::model::UBLAttachment;

Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(std::optional<std::string>)

namespace {

UBLAttachment attachmentOf(std::optional<std::string> filename, std::optional<std::string> mimeType,
                           std::optional<std::string> embeddedData)
{
    UBLAttachment attachment;
    attachment.filename = std::move(filename);
    attachment.mimeType = std::move(mimeType);
    attachment.embeddedData = std::move(embeddedData);
    return attachment;
}

// A dialogue driven by the test: the location it "chooses", and what the user was told.
struct ScriptedDialogue
{
    std::optional<QString> location;
    std::vector<SavePanel> panelsShown;
    std::vector<std::pair<QString, QString>> failuresShown;
    std::ostringstream out;

    SaveInteraction interaction()
    {
        SaveInteraction interaction;
        interaction.chooseLocation = [this](const SavePanel &panel) {
            panelsShown.push_back(panel);
            return location;
        };
        interaction.showFailure = [this](const QString &title, const QString &text) {
            failuresShown.emplace_back(title, text);
        };
        interaction.out = &out;
        return interaction;
    }
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs `action` with the file-system permissions of an ordinary user, so that folder modes
// hold also when the tests run as root (which may write anywhere).
template <typename Action>
auto asOrdinaryUser(Action action)
{
    const bool root = geteuid() == 0;
    if (root) {
        setfsuid(65534);
    }
    auto result = action();
    if (root) {
        setfsuid(0);
    }
    return result;
}

// Limits the size of any file this process writes, for the life of the object.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class TestAttachmentSaver : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        installTranslations(*QCoreApplication::instance(), QLocale(QLocale::English));
    }

    void savePanel_data()
    {
        QTest::addColumn<std::optional<std::string>>("filename");
        QTest::addColumn<std::optional<std::string>>("mimeType");
        QTest::addColumn<QString>("proposedName");
        QTest::addColumn<QString>("filterGlobs"); // the globs of the only filter offered
        QTest::addColumn<QString>("defaultSuffix");

        const auto text = [](const char *t) { return std::optional<std::string>(t); };
        const std::optional<std::string> none;
        QTest::newRow("invoice, pdf") << text("invoice") << text("application/pdf") << "invoice.pdf"
                                      << "*.pdf"
                                      << "pdf";
        QTest::newRow("scan.PDF keeps its name")
            << text("scan.PDF") << text("application/pdf") << "scan.PDF"
            << "*.pdf"
            << "pdf";
        QTest::newRow("nameless html offers all files")
            << none << text("text/html") << "attachment.html"
            << "*"
            << "";
        QTest::newRow("nameless, typeless") << none << none << "attachment"
                                            << "*"
                                            << "";
        QTest::newRow("text/xml offers XML only")
            << text("order") << text("text/xml") << "order.xml"
            << "*.xml"
            << "xml";
        QTest::newRow("application/xml")
            << text("order.xml") << text("application/xml") << "order.xml"
            << "*.xml"
            << "xml";
        QTest::newRow("image/jpg as JPEG") << text("photo") << text("image/jpg") << "photo.jpg"
                                           << "*.jpg *.jpeg"
                                           << "jpg";
        QTest::newRow("IMAGE/PNG in capitals") << text("logo") << text("IMAGE/PNG") << "logo.png"
                                               << "*.png"
                                               << "png";
        QTest::newRow("gif") << text("a.gif") << text("image/gif") << "a.gif"
                             << "*.gif"
                             << "gif";
        QTest::newRow("plain text") << text("notes") << text("text/plain") << "notes.txt"
                                    << "*.txt"
                                    << "txt";
        QTest::newRow("csv by its extension") << text("data") << text("text/csv") << "data.csv"
                                              << "*.csv"
                                              << "csv";
        QTest::newRow("json") << text("data") << text("application/json") << "data.json"
                              << "*.json"
                              << "json";
        QTest::newRow("zip offers all files")
            << text("bundle") << text("application/zip") << "bundle.zip"
            << "*"
            << "";
        QTest::newRow("hostile climb") << text("../../.bashrc") << text("text/plain") << ".bashrc"
                                       << "*.txt"
                                       << "txt";
        QTest::newRow("hostile windows path")
            << text("C:\\x\\y.pdf") << text("application/pdf") << "y.pdf"
            << "*.pdf"
            << "pdf";
    }

    void savePanel()
    {
        QFETCH(std::optional<std::string>, filename);
        QFETCH(std::optional<std::string>, mimeType);
        QFETCH(QString, proposedName);
        QFETCH(QString, filterGlobs);
        QFETCH(QString, defaultSuffix);

        const SavePanel panel =
            vellora::app::preview::savePanel(attachmentOf(filename, mimeType, "YQ=="));
        QCOMPARE(panel.title, QStringLiteral("Save Attachment"));
        QCOMPARE(panel.message, localized("file.save_panel.message"));
        QVERIFY(panel.message != QLatin1String("file.save_panel.message"));
        QCOMPARE(panel.proposedName, proposedName);
        QCOMPARE(panel.nameFilters.size(), 1);
        QVERIFY2(panel.nameFilters.constFirst().endsWith(QStringLiteral("(") + filterGlobs +
                                                         QStringLiteral(")")),
                 qPrintable(panel.nameFilters.constFirst()));
        if (filterGlobs == QLatin1String("*")) {
            QCOMPARE(panel.nameFilters.constFirst(), QStringLiteral("All files (*)"));
        }
        QCOMPARE(panel.defaultSuffix, defaultSuffix);
        QCOMPARE(panel.directory,
                 QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
    }

    void savesTheExactDecodedBytes_data()
    {
        QTest::addColumn<std::optional<std::string>>("mimeType");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("pdf") << std::optional<std::string>("application/pdf")
                             << vellora::testing::makePdf(2);
        QByteArray every;
        for (int i = 0; i < 1000; ++i) {
            every.append(static_cast<char>(i % 256));
        }
        QTest::newRow("every byte value, xml type that has no preview")
            << std::optional<std::string>("text/xml") << every;
        QTest::newRow("no type") << std::optional<std::string>() << QByteArray("a,b\n1,2\n");
    }

    void savesTheExactDecodedBytes()
    {
        QFETCH(std::optional<std::string>, mimeType);
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        ScriptedDialogue dialogue;
        dialogue.location = folder.filePath(QStringLiteral("saved.bin"));
        const UBLAttachment attachment = attachmentOf(
            "original.bin", mimeType, vellora::testing::wrappedBase64(bytes).toStdString());

        const SaveResult result = saveAttachment(attachment, dialogue.interaction());

        QCOMPARE(result, (SaveResult{SaveOutcome::saved, *dialogue.location, {}}));
        QCOMPARE(readAll(*dialogue.location),
                 QByteArray::fromBase64(QByteArray::fromStdString(attachment.embeddedData->str())));
        QCOMPARE(readAll(*dialogue.location), bytes);
        QCOMPARE(dialogue.out.str(), std::string("Successfully saved: saved.bin\n"));
        QCOMPARE(dialogue.panelsShown.size(), size_t(1));
        QVERIFY(dialogue.failuresShown.empty());
        // Only the file chosen: no temporary file is left beside it.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"saved.bin"});
    }

    void cancelWritesNothing()
    {
        QTemporaryDir folder;
        ScriptedDialogue dialogue; // chooses no location
        const SaveResult result = saveAttachment(
            attachmentOf("a.pdf", "application/pdf", "JVBERi0="), dialogue.interaction());
        QCOMPARE(result.outcome, SaveOutcome::cancelled);
        QCOMPARE(dialogue.panelsShown.size(), size_t(1));
        QCOMPARE(dialogue.out.str(), std::string());
        QVERIFY(dialogue.failuresShown.empty());
        QVERIFY(QDir(folder.path()).isEmpty());
    }

    void noDataIsToldAndAsksNothing_data()
    {
        QTest::addColumn<std::optional<std::string>>("filename");
        QTest::addColumn<std::optional<std::string>>("embeddedData");
        QTest::addColumn<std::string>("line");
        using S = std::optional<std::string>;
        QTest::newRow("absent content")
            << S("a.pdf") << S() << std::string("No data available for attachment: a.pdf\n");
        QTest::newRow("empty content")
            << S("a.pdf") << S("") << std::string("No data available for attachment: a.pdf\n");
        QTest::newRow("not base64") << S("a.pdf") << S("JVBE*i0=")
                                    << std::string("No data available for attachment: a.pdf\n");
        QTest::newRow("no name") << S() << S("!!")
                                 << std::string("No data available for attachment: Unknown\n");
    }

    void noDataIsToldAndAsksNothing()
    {
        QFETCH(std::optional<std::string>, filename);
        QFETCH(std::optional<std::string>, embeddedData);
        QFETCH(std::string, line);
        ScriptedDialogue dialogue;
        dialogue.location = QStringLiteral("/nonexistent/should-not-be-used");
        const SaveResult result = saveAttachment(
            attachmentOf(filename, "application/pdf", embeddedData), dialogue.interaction());
        QCOMPARE(result.outcome, SaveOutcome::noData);
        QCOMPARE(dialogue.out.str(), line);
        QVERIFY(dialogue.panelsShown.empty());
        QCOMPARE(dialogue.failuresShown.size(), size_t(1));
        QCOMPARE(dialogue.failuresShown.front().first, QStringLiteral("Could Not Save Attachment"));
    }

    void writeIntoReadOnlyFolderFailsAndLeavesNoFile()
    {
        QTemporaryDir parent;
        QFile::setPermissions(parent.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                 QFile::ExeOwner | QFile::ReadOther |
                                                 QFile::ExeOther);
        const QString folder = parent.filePath(QStringLiteral("readonly"));
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther));

        ScriptedDialogue dialogue;
        dialogue.location = folder + QStringLiteral("/invoice.pdf");
        const SaveResult result = asOrdinaryUser([&] {
            return saveAttachment(attachmentOf("invoice.pdf", "application/pdf", "JVBERi0xLjQ="),
                                  dialogue.interaction());
        });

        QCOMPARE(result.outcome, SaveOutcome::failed);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(dialogue.out.str(),
                 "Failed to save attachment: " + result.error.toStdString() + "\n");
        QCOMPARE(dialogue.failuresShown.size(), size_t(1));
        QCOMPARE(dialogue.failuresShown.front().first, QStringLiteral("Could Not Save Attachment"));
        QVERIFY2(dialogue.failuresShown.front().second.contains(result.error),
                 qPrintable(dialogue.failuresShown.front().second));
        QVERIFY(QDir(folder).isEmpty());
    }

    void failedReplacementKeepsTheOriginal()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("invoice.pdf"));
        const QByteArray original(600, 'o');
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(original), original.size());
        }
        // The new content is larger than any file may grow: the disk "fills up" after
        // 4 KB, well after an in-place write would have destroyed the original.
        const QByteArray replacement(64 * 1024, 'n');
        ScriptedDialogue dialogue;
        dialogue.location = path;
        SaveResult result;
        {
            FileSizeLimit limit(4096);
            result = saveAttachment(attachmentOf("invoice.pdf", "application/pdf",
                                                 replacement.toBase64().toStdString()),
                                    dialogue.interaction());
        }
        QCOMPARE(result.outcome, SaveOutcome::failed);
        QCOMPARE(readAll(path), original);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"invoice.pdf"});
        QCOMPARE(dialogue.failuresShown.size(), size_t(1));
        QVERIFY(QString::fromStdString(dialogue.out.str())
                    .startsWith(QLatin1String("Failed to save attachment: ")));
    }

    void replacementSucceedsWhenTheWriteDoes()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("invoice.pdf"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(5000, 'o'));
        }
        ScriptedDialogue dialogue;
        dialogue.location = path;
        const SaveResult result = saveAttachment(
            attachmentOf("invoice.pdf", "application/pdf", "bmV3"), dialogue.interaction());
        QCOMPARE(result.outcome, SaveOutcome::saved);
        QCOMPARE(readAll(path), QByteArray("new"));
    }

    void externalFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("mimeType");
        QTest::addColumn<std::optional<QString>>("expected");
        const auto name = [](const char *n) { return std::optional(QString::fromUtf8(n)); };
        QTest::newRow("pdf") << "invoice.pdf"
                             << "application/pdf" << name("invoice.pdf");
        QTest::newRow("name without extension") << "invoice"
                                                << "application/pdf" << name("invoice.pdf");
        QTest::newRow("script name gets the type's extension")
            << "run.sh"
            << "application/pdf" << name("run.pdf");
        QTest::newRow("desktop file disguised") << "report.pdf.desktop"
                                                << "application/pdf" << name("report.pdf.pdf");
        QTest::newRow("capitals type") << "scan.PDF"
                                       << "APPLICATION/PDF" << name("scan.pdf");
        QTest::newRow("jpeg") << "photo.jpeg"
                              << "image/jpeg" << name("photo.jpg");
        QTest::newRow("png") << "logo"
                             << "image/PNG" << name("logo.png");
        QTest::newRow("climb") << "../../.bashrc"
                               << "image/gif" << name("attachment.gif");
        QTest::newRow("empty") << ""
                               << "application/pdf" << name("attachment.pdf");
        QTest::newRow("not previewable") << "a.xml"
                                         << "text/xml" << std::optional<QString>();
        QTest::newRow("webp is no supported image") << "a.webp"
                                                    << "image/webp" << std::optional<QString>();
    }

    void externalFileName()
    {
        QFETCH(QString, name);
        QFETCH(QString, mimeType);
        QFETCH(std::optional<QString>, expected);
        QCOMPARE(vellora::app::preview::externalFileName(name, mimeType), expected);
    }

    void externalCopiesArePrivateAndSeparate()
    {
        const QByteArray first("first"), second("second");
        const ExternalCopy a = writeExternalCopy(QStringLiteral("invoice.pdf"), first);
        const ExternalCopy b = writeExternalCopy(QStringLiteral("invoice.pdf"), second);
        QVERIFY2(a.path && b.path, qPrintable(a.error + b.error));
        QVERIFY(*a.path != *b.path);
        QCOMPARE(readAll(*a.path), first);
        QCOMPARE(readAll(*b.path), second);
        QCOMPARE(QFileInfo(*a.path).fileName(), QStringLiteral("invoice.pdf"));

        const QString folder = privateTemporaryFolder();
        QVERIFY(a.path->startsWith(folder + QLatin1Char('/')));
        QCOMPARE(QFileInfo(folder).permissions() & 0x7777, QFile::ReadOwner | QFile::WriteOwner |
                                                               QFile::ExeOwner | QFile::ReadUser |
                                                               QFile::WriteUser | QFile::ExeUser);
    }

    void privateFolderGoesWithTheApplication()
    {
        QProcess child;
        child.setProgram(QStringLiteral(VELLORA_EXTERNAL_COPY_CHILD));
        child.start();
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitCode(), 0);
        const QString path = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
        QVERIFY2(path.endsWith(QLatin1String("/invoice.pdf")), qPrintable(path));
        // The copy, its own folder and the private folder above it are gone.
        const QString privateFolder = QFileInfo(QFileInfo(path).path()).path();
        QVERIFY(privateFolder.contains(QLatin1String("vellora-")));
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(!QFileInfo::exists(privateFolder));
    }
};

QTEST_MAIN(TestAttachmentSaver)
#include "test_attachmentsaver.moc"
