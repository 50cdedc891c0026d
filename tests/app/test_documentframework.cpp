// SPDX-License-Identifier: MIT
// Opening, creating, saving and closing document windows, their menus and drops.
#include "app/content/contentview.h"
#include "app/shell/documentcontroller.h"
#include "app/shell/documentwindow.h"
#include "app/style/localization.h"
#include "app/style/symbols.h"
#include "app/stats/userstatsmanager.h"
#include "xmlview/views/asynchighlightedxmlview.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <memory>

using namespace vellora::app::content;
using namespace vellora::app::shell;
using namespace vellora::app::stats;
using namespace vellora::app::style;

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(VELLORA_TEST_DATA_DIR "/app/") + QLatin1String(name);
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Counts the openings the controller reports.
struct CountingRecorder final
{
    int count = 0;
};

} // namespace

class TestDocumentFramework : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    CountingRecorder m_recorder;
    std::unique_ptr<DocumentController> m_controller;
    QList<DocumentMessage> m_messages;
    QStringList m_openAnswers; // what the Open dialog answers, one call each: ';'-joined
    int m_openDialogs = 0;
    QString m_saveAnswer;
    QStringList m_proposedSavePaths;
    int m_aboutPanels = 0;

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            qFatal("cannot write %s", qPrintable(path));
        }
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // Recent files land in a preference file of this test's own.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QApplication::setQuitOnLastWindowClosed(false);
        setUpIconTheme(QApplication::palette());
    }

    void init()
    {
        removeTranslations(*QCoreApplication::instance());
        m_recorder.count = 0;
        m_messages.clear();
        m_openAnswers.clear();
        m_openDialogs = 0;
        m_saveAnswer.clear();
        m_proposedSavePaths.clear();
        m_aboutPanels = 0;
        m_controller = std::make_unique<DocumentController>([this] { ++m_recorder.count; });
        m_controller->clearRecentFiles();
        m_controller->setDialogs({
            [this](QWidget *) {
                ++m_openDialogs;
                return m_openAnswers.isEmpty()
                           ? QStringList()
                           : m_openAnswers.takeFirst().split(QLatin1Char(';'), Qt::SkipEmptyParts);
            },
            [this](QWidget *, const QString &proposed) {
                m_proposedSavePaths << proposed;
                return m_saveAnswer;
            },
            [this](QWidget *, const DocumentMessage &message) { m_messages << message; },
            [this](QWidget *) { ++m_aboutPanels; },
        });
    }

    void cleanup() { m_controller.reset(); }

    void fileFiltersKeepTheirPatternsInEveryLanguage_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << QLocale(QLocale::English);
        QTest::newRow("German") << QLocale(QLocale::German);
    }

    void fileFiltersKeepTheirPatternsInEveryLanguage()
    {
        // The dialog filters by the patterns in parentheses: a translation must keep them.
        QFETCH(QLocale, locale);
        installTranslations(*QCoreApplication::instance(), locale);
        const QStringList filters = documentFileFilters();
        removeTranslations(*QCoreApplication::instance());
        QCOMPARE(filters.size(), 3);
        QVERIFY2(filters[0].endsWith(QLatin1String("(*.xml *.ubl)")), qPrintable(filters[0]));
        QVERIFY2(filters[1].endsWith(QLatin1String("(*.txt)")), qPrintable(filters[1]));
        QVERIFY2(filters[2].endsWith(QLatin1String("(*)")), qPrintable(filters[2]));
    }

    void unreadableFilesGiveAMessageAndNoWindow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // written to the file; null: see `kind`
        QTest::addColumn<QString>("kind");     // "file", "missing", "folder"
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("because"); // how the message ends

        const QString format = QStringLiteral("because it isn’t in the correct format.");
        QByteArray utf16("\xff\xfe", 2);
        for (char c : QByteArray("<Invoice><ID>1</ID></Invoice>")) {
            utf16.append(c).append('\0');
        }
        QTest::newRow("UTF-16 with byte-order mark") << "utf16.xml" << utf16 << "file"
                                                     << "not UTF-8: UTF-16 detected" << format;
        QTest::newRow("ISO-8859-1 with umlaut")
            << "latin1.xml" << QByteArray("<Invoice><ID>M\xfcller</ID></Invoice>") << "file"
            << "not UTF-8: invalid byte sequence at byte 14" << format;
        QTest::newRow("missing file") << "missing.xml" << QByteArray() << "missing"
                                      << "no such file"
                                      << "because there is no such file.";
        QTest::newRow("folder") << "folder.xml" << QByteArray() << "folder"
                                << "is a folder"
                                << "because it isn’t a file.";
    }

    void unreadableFilesGiveAMessageAndNoWindow()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QFETCH(QString, because);
        QString path = m_dir.filePath(name);
        if (kind == QLatin1String("file")) {
            path = writeFile(name, bytes);
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir(m_dir.path()).mkpath(name));
        }

        QCOMPARE(m_controller->openFile(path), nullptr);
        QVERIFY(m_controller->windows().isEmpty());
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.front().text,
                 QStringLiteral("The file “%1” couldn’t be opened %2").arg(name, because));
        QCOMPARE(m_messages.front().reason, reason);
        QCOMPARE(m_recorder.count, 0);
        QVERIFY(m_controller->recentFiles().isEmpty());
    }

    void openedDocumentsAreCountedOnceEach_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("title");
        QTest::newRow("valid invoice")
            << fixture("two-attachments.xml") << 1 << "two-attachments.xml";
        QTest::newRow("not UBL") << fixture("not-ubl.xml") << 0 << "not-ubl.xml";
    }

    void openedDocumentsAreCountedOnceEach()
    {
        QFETCH(QString, path);
        QFETCH(int, count);
        QFETCH(QString, title);
        DocumentWindow *window = m_controller->openFile(path);
        QVERIFY(window);
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(window->filePath(), path);
        QCOMPARE(m_recorder.count, count);
        QCOMPARE(m_controller->recentFiles(), QStringList{path});

        // Opening it again brings the same window forward; nothing more is read or counted.
        QCOMPARE(m_controller->openFile(path), window);
        QCOMPARE(m_controller->windows().size(), 1);
        QCOMPARE(m_recorder.count, count);
    }

    // The file is read off the UI thread: while a large invoice is read, the event loop keeps
    // running (a timer fires), and the window that opens holds the whole model.
    void readingLeavesTheEventLoopRunning()
    {
        QByteArray text = "<Invoice><ID>BIG</ID>";
        for (int i = 0; i < 40000; ++i) {
            text += "<InvoiceLine><ID>" + QByteArray::number(i) +
                    "</ID><InvoicedQuantity unitCode=\"C62\">1</InvoicedQuantity>"
                    "<Item><Name>Pen</Name></Item></InvoiceLine>";
        }
        text += "</Invoice>";
        const QString path = writeFile(QStringLiteral("large.xml"), text);

        int ticks = 0;
        QTimer timer;
        timer.setInterval(1);
        connect(&timer, &QTimer::timeout, this, [&ticks] { ++ticks; });
        timer.start();
        DocumentWindow *window = m_controller->openFile(path);
        timer.stop();

        QVERIFY(window);
        QVERIFY(window->document().ublInfo());
        QCOMPARE(window->document().ublInfo()->invoiceLines.size(), std::size_t{40000});
        QVERIFY2(ticks > 0, "the UI thread was blocked for the whole read");
        QCOMPARE(m_recorder.count, 1);
    }

    void newDocumentIsUntitledAndNotCounted()
    {
        DocumentWindow *window = m_controller->newDocument();
        QCOMPARE(window->windowTitle(), QStringLiteral("Untitled"));
        QVERIFY(window->filePath().isEmpty());
        QCOMPARE(window->contentView()->layoutKind(), ContentLayout::source);
        QCOMPARE(window->contentView()->sourceView()->toPlainText(),
                 QStringLiteral("Hello, world!"));
        QCOMPARE(m_recorder.count, 0);
        // The New menu item makes another one.
        window->findChild<QAction *>(QStringLiteral("newAction"))->trigger();
        QCOMPARE(m_controller->windows().size(), 2);
    }

    void windowsShowTheirToolBar()
    {
        DocumentWindow *window = m_controller->openFile(fixture("two-attachments.xml"));
        QToolBar *toolBar = window->findChild<QToolBar *>(QStringLiteral("documentToolBar"));
        QVERIFY(toolBar);
        QCOMPARE(toolBar->parent(), window);
        QCOMPARE(window->toolBarArea(toolBar), Qt::TopToolBarArea);
        QVERIFY(toolBar->isVisible());
        QCOMPARE(window->createPopupMenu(), nullptr);
    }

    void startOpensEachNamedFile()
    {
        QVERIFY(m_controller->start({fixture("two-attachments.xml"), fixture("not-ubl.xml"),
                                     m_dir.filePath(QStringLiteral("absent.xml"))}));
        QCOMPARE(m_openDialogs, 0);
        QCOMPARE(m_controller->windows().size(), 2);
        QCOMPARE(m_messages.size(), 1);
    }

    void startWithoutFilesAsks_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<int>("windows");
        QTest::newRow("cancelled: the program ends") << QStringList{} << false << 1 << 0;
        QTest::newRow("one file chosen")
            << QStringList{fixture("no-attachments.xml")} << true << 1 << 1;
        QTest::newRow("two files chosen")
            << QStringList{fixture("no-attachments.xml") + ";" + fixture("not-ubl.xml")} << true
            << 1 << 2;
        QTest::newRow("unreadable, then cancelled")
            << QStringList{fixture("missing.xml")} << false << 2 << 0;
        QTest::newRow("unreadable, then a good one")
            << QStringList{fixture("missing.xml"), fixture("not-ubl.xml")} << true << 2 << 1;
    }

    void startWithoutFilesAsks()
    {
        QFETCH(QStringList, answers);
        QFETCH(bool, running);
        QFETCH(int, dialogs);
        QFETCH(int, windows);
        m_openAnswers = answers;
        QCOMPARE(m_controller->start({}), running);
        QCOMPARE(m_openDialogs, dialogs);
        QCOMPARE(m_controller->windows().size(), windows);
    }

    void saveAsWritesIdenticalBytes_data()
    {
        QTest::addColumn<QString>("source"); // empty: a new document
        QTest::newRow("valid invoice") << fixture("two-attachments.xml");
        QTest::newRow("not UBL") << fixture("not-ubl.xml");
        QTest::newRow("new document") << QString();
    }

    void saveAsWritesIdenticalBytes()
    {
        QFETCH(QString, source);
        DocumentWindow *window =
            source.isEmpty() ? m_controller->newDocument() : m_controller->openFile(source);
        const QByteArray expected =
            source.isEmpty() ? QByteArray("Hello, world!") : contentsOf(source);
        m_saveAnswer = m_dir.filePath(QStringLiteral("copy-%1.xml").arg(QTest::currentDataTag()));

        QVERIFY(window->findChild<QAction *>(QStringLiteral("saveAsAction")));
        window->findChild<QAction *>(QStringLiteral("saveAsAction"))->trigger();
        QCOMPARE(m_proposedSavePaths.size(), 1);
        QCOMPARE(contentsOf(m_saveAnswer), expected);
        QCOMPARE(window->filePath(), m_saveAnswer);
        QCOMPARE(window->windowTitle(), QFileInfo(m_saveAnswer).fileName());
        QCOMPARE(m_controller->recentFiles().value(0), m_saveAnswer);
        QVERIFY(m_messages.isEmpty());
    }

    void saveOfAnUntitledDocumentAsksWhere()
    {
        DocumentWindow *window = m_controller->newDocument();
        // Cancelled: nothing written, still untitled.
        QVERIFY(!m_controller->save(window));
        QCOMPARE(m_proposedSavePaths.size(), 1);
        QVERIFY(m_proposedSavePaths.front().endsWith(QLatin1String("/Untitled.xml")));
        QVERIFY(window->filePath().isEmpty());
        // Confirmed: written; the next Save goes to the same file without asking.
        m_saveAnswer = m_dir.filePath(QStringLiteral("greeting.txt"));
        QVERIFY(m_controller->save(window));
        QCOMPARE(contentsOf(m_saveAnswer), QByteArray("Hello, world!"));
        QFile::remove(m_saveAnswer);
        window->findChild<QAction *>(QStringLiteral("saveAction"))->trigger();
        QCOMPARE(m_proposedSavePaths.size(), 2);
        QCOMPARE(contentsOf(m_saveAnswer), QByteArray("Hello, world!"));
    }

    void failedSaveLeavesTheFileAndSays()
    {
        DocumentWindow *window = m_controller->openFile(fixture("not-ubl.xml"));
        const QString target = m_dir.filePath(QStringLiteral("no-such-folder/copy.xml"));
        QVERIFY(!m_controller->saveTo(window, target));
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.front().text,
                 QStringLiteral("The document “copy.xml” couldn’t be saved."));
        QVERIFY(!m_messages.front().reason.isEmpty());
        QCOMPARE(window->filePath(), fixture("not-ubl.xml"));
        QVERIFY(!QFile::exists(target));
    }

    void menusAndShortcuts_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("New") << "newAction"
                             << "&New" << QKeySequence(QStringLiteral("Ctrl+N"));
        QTest::newRow("Open") << "openAction"
                              << "&Open…" << QKeySequence(QStringLiteral("Ctrl+O"));
        QTest::newRow("Close") << "closeAction"
                               << "&Close" << QKeySequence(QStringLiteral("Ctrl+W"));
        QTest::newRow("Save") << "saveAction"
                              << "&Save" << QKeySequence(QStringLiteral("Ctrl+S"));
        QTest::newRow("Save As") << "saveAsAction"
                                 << "Save &As…" << QKeySequence(QStringLiteral("Ctrl+Shift+S"));
        QTest::newRow("Quit") << "quitAction"
                              << "&Quit" << QKeySequence(QStringLiteral("Ctrl+Q"));
        QTest::newRow("Copy") << "copyAction"
                              << "&Copy" << QKeySequence(QStringLiteral("Ctrl+C"));
        QTest::newRow("Select All") << "selectAllAction"
                                    << "Select &All" << QKeySequence(QStringLiteral("Ctrl+A"));
    }

    void menusAndShortcuts()
    {
        QFETCH(QString, action);
        QFETCH(QString, text);
        QFETCH(QKeySequence, shortcut);
        DocumentWindow *window = m_controller->newDocument();
        auto *found = window->findChild<QAction *>(action);
        QVERIFY(found);
        QCOMPARE(found->text(), text);
        QCOMPARE(found->shortcut(), shortcut);
    }

    void menuBarOrder()
    {
        DocumentWindow *window = m_controller->newDocument();
        QStringList menus;
        for (QAction *action : window->menuBar()->actions()) {
            menus << action->text();
        }
        QCOMPARE(menus, (QStringList{"&File", "&Edit", "&View", "&Help"}));
        QStringList file;
        for (QAction *action : window->findChild<QMenu *>(QStringLiteral("fileMenu"))->actions()) {
            file << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        QCOMPARE(file, (QStringList{"&New", "&Open…", "Open &Recent", "-", "&Close", "&Save",
                                    "Save &As…", "-", "&Quit"}));
    }

    void aboutItemIsTitledByItsKey()
    {
        // No table installed: the key shows itself.
        DocumentWindow *window = m_controller->newDocument();
        auto *help = window->findChild<QMenu *>(QStringLiteral("helpMenu"));
        QCOMPARE(help->actions().size(), 1);
        QCOMPARE(help->actions().front()->text(), QStringLiteral("app.about"));
        help->actions().front()->trigger();
        QCOMPARE(m_aboutPanels, 1);

        // With the English table, its text.
        installTranslations(*QCoreApplication::instance(), QLocale(QLocale::English));
        DocumentWindow *english = m_controller->newDocument();
        QCOMPARE(english->findChild<QMenu *>(QStringLiteral("helpMenu"))->actions().front()->text(),
                 QStringLiteral("About Vellora"));
    }

    void recentFilesMenu()
    {
        m_controller->openFile(fixture("not-ubl.xml"));
        DocumentWindow *window = m_controller->openFile(fixture("no-attachments.xml"));
        QCOMPARE(m_controller->recentFiles(),
                 (QStringList{fixture("no-attachments.xml"), fixture("not-ubl.xml")}));
        // Kept in the preference store, across controllers.
        DocumentController other([this] { ++m_recorder.count; });
        QCOMPARE(other.recentFiles().size(), 2);

        auto *recent = window->findChild<QMenu *>(QStringLiteral("recentMenu"));
        emit recent->aboutToShow();
        QStringList texts;
        for (QAction *action : recent->actions()) {
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        QCOMPARE(texts, (QStringList{fixture("no-attachments.xml"), fixture("not-ubl.xml"), "-",
                                     "Clear Menu"}));
        // Choosing an entry whose window was closed opens it again.
        m_controller->windows().front()->close();
        QTRY_COMPARE(m_controller->windows().size(), 1);
        recent->actions().at(1)->trigger();
        QCOMPARE(m_controller->windows().size(), 2);

        for (QAction *action : recent->actions()) {
            if (action->objectName() == QLatin1String("clearRecentAction")) {
                action->trigger();
            }
        }
        QVERIFY(m_controller->recentFiles().isEmpty());
    }

    void recentFilesAreCapped()
    {
        QStringList paths;
        for (int i = 0; i < DocumentController::maximumRecentFiles + 2; ++i) {
            paths << writeFile(QStringLiteral("r%1.xml").arg(i), "<Order/>");
        }
        m_controller->openFiles(paths);
        QCOMPARE(m_controller->recentFiles().size(), DocumentController::maximumRecentFiles);
        QCOMPARE(m_controller->recentFiles().front(), paths.back());
    }

    void droppedFilesOpen()
    {
        DocumentWindow *window = m_controller->newDocument();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(fixture("two-attachments.xml")),
                      QUrl(QStringLiteral("https://example.com/remote.xml")),
                      QUrl::fromLocalFile(fixture("not-ubl.xml"))});
        QCOMPARE(droppedFiles(&data),
                 (QStringList{fixture("two-attachments.xml"), fixture("not-ubl.xml")}));

        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        QVERIFY(drop.isAccepted());
        QTRY_COMPARE(m_controller->windows().size(), 3);
        QCOMPARE(m_recorder.count, 1);

        // Text without files is not taken.
        QMimeData text;
        text.setText(QStringLiteral("hello"));
        QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton,
                                Qt::NoModifier);
        refused.setAccepted(false);
        QApplication::sendEvent(window, &refused);
        QVERIFY(!refused.isAccepted());
    }

    void copyAndSelectAllActOnTheFocusedText()
    {
        DocumentWindow *window = m_controller->openFile(fixture("not-ubl.xml"));
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QPlainTextEdit *source = window->contentView()->sourceView();
        source->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), source);
        QApplication::clipboard()->clear();
        window->findChild<QAction *>(QStringLiteral("selectAllAction"))->trigger();
        window->findChild<QAction *>(QStringLiteral("copyAction"))->trigger();
        QCOMPARE(QApplication::clipboard()->text(),
                 QString::fromUtf8(contentsOf(fixture("not-ubl.xml"))));
    }

    void keyboardReachesTheSourceViews()
    {
        using vellora::xmlview::XMLViewMode;
        DocumentWindow *window = m_controller->openFile(fixture("not-ubl.xml"));
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *source = window->contentView()->xmlSourceView();
        QTest::keyClick(window, Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(source->viewMode(), XMLViewMode::tree);
        QTest::keyClick(window, Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(source->viewMode(), XMLViewMode::raw);
        QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(source->findField()->hasFocus());
        window->close();

        // A valid invoice: Ctrl+U shows its source in the detail area, and hides it again.
        window = m_controller->openFile(fixture("two-attachments.xml"));
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        ContentView *content = window->contentView();
        QTest::keyClick(window, Qt::Key_2, Qt::ControlModifier); // no source on show yet
        QCOMPARE(content->xmlSourceView()->viewMode(), XMLViewMode::raw);
        QTest::keyClick(window, Qt::Key_U, Qt::ControlModifier);
        QVERIFY(content->isXmlSourceShown());
        QTest::keyClick(window, Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(content->xmlSourceView()->viewMode(), XMLViewMode::tree);
        QTest::keyClick(window, Qt::Key_U, Qt::ControlModifier);
        QVERIFY(!content->isXmlSourceShown());
        QVERIFY(content->detailContent()->isVisible());
        window->close();
    }

    void closingAWindowDeletesIt()
    {
        DocumentWindow *window = m_controller->openFile(fixture("two-attachments.xml"));
        QPointer<DocumentWindow> watched = window;
        window->findChild<QAction *>(QStringLiteral("closeAction"))->trigger();
        QTRY_VERIFY(watched.isNull());
        QVERIFY(m_controller->windows().isEmpty());
    }
};

QTEST_MAIN(TestDocumentFramework)
#include "test_documentframework.moc"
