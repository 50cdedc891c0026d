// SPDX-License-Identifier: MIT
#include "app/shell/documentcontroller.h"

#include "app/shell/documentwindow.h"
#include "app/style/localization.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>

#include <filesystem>
#include <optional>
#include <thread>

namespace vellora::app::shell {

namespace {

constexpr const char *recentFilesKey = "recentFiles";

// The canonical form of an existing file's path, for telling whether it is already open.
QString canonicalPath(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

QStringList runOpenDialog(QWidget *parent)
{
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(documentFileFilters());
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles();
}

QString runSaveDialog(QWidget *parent, const QString &proposedPath)
{
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(documentFileFilters());
    dialog.selectFile(proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void runMessageBox(QWidget *parent, const DocumentMessage &message)
{
    QMessageBox box(QMessageBox::Warning,
                    style::localized(QT_TRANSLATE_NOOP("Localizable", "app.name")), message.text, QMessageBox::Ok,
                    parent);
    box.setInformativeText(message.reason);
    box.exec();
}

void runAboutPanel(QWidget *parent)
{
    QMessageBox::about(
        parent, style::localized(QT_TRANSLATE_NOOP("Localizable", "app.about")),
        QStringLiteral("<h3>%1</h3><p>%2</p><p>%3</p>")
            .arg(style::localized(QT_TRANSLATE_NOOP("Localizable", "app.name")).toHtmlEscaped(),
                 style::localized(QT_TRANSLATE_NOOP("Localizable", "Version %1"))
                     .arg(QStringLiteral(VELLORA_VERSION))
                     .toHtmlEscaped(),
                 style::localized(QT_TRANSLATE_NOOP(
                                      "Localizable",
                                      "A viewer for UBL invoices and credit notes, built with "
                                      "Qt, libxml2, ICU and libqrencode; icons from KDE Breeze."))
                     .toHtmlEscaped()));
}

} // namespace

DocumentMessage openFailureMessage(const QString &fileName, const parser::DocumentReadError &error)
{
    // A file that is not there, or a folder, is no matter of format: say what it is.
    const char *text = nullptr;
    switch (error.kind) {
    case parser::DocumentReadError::Kind::notFound:
        text = QT_TRANSLATE_NOOP("Localizable",
                                 "The file “%1” couldn’t be opened because there is no such file.");
        break;
    case parser::DocumentReadError::Kind::notRegularFile:
        text = QT_TRANSLATE_NOOP("Localizable",
                                 "The file “%1” couldn’t be opened because it isn’t a file.");
        break;
    case parser::DocumentReadError::Kind::unreadable:
        text = QT_TRANSLATE_NOOP("Localizable",
                                 "The file “%1” couldn’t be opened because it couldn’t be read.");
        break;
    case parser::DocumentReadError::Kind::notUtf8:
        text = QT_TRANSLATE_NOOP(
            "Localizable",
            "The file “%1” couldn’t be opened because it isn’t in the correct format.");
        break;
    case parser::DocumentReadError::Kind::tooLarge:
        text = QT_TRANSLATE_NOOP("Localizable",
                                 "The file “%1” couldn’t be opened because it is too large.");
        break;
    }
    return {style::localized(text).arg(fileName), QString::fromStdString(error.reason)};
}

DocumentMessage saveFailureMessage(const QString &fileName, const QString &reason)
{
    return {style::localized(QT_TRANSLATE_NOOP("Localizable",
                                               "The document “%1” couldn’t be saved."))
                .arg(fileName),
            reason};
}

QStringList documentFileFilters()
{
    return {style::localized(QT_TRANSLATE_NOOP("Localizable", "UBL and XML documents (*.xml *.ubl)")),
            style::localized(QT_TRANSLATE_NOOP("Localizable", "Text files (*.txt)")),
            style::localized(QT_TRANSLATE_NOOP("Localizable", "All files (*)"))};
}

std::optional<QString> writeDocumentFile(const QString &path, const std::string &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

DocumentController::DocumentController(std::function<void()> recordOpening,
                                       PreferenceStore preferences, QObject *parent)
    : QObject(parent), m_recordOpening(std::move(recordOpening)), m_preferences(std::move(preferences)),
      m_dialogs(standardDialogs())
{}

DocumentController::~DocumentController()
{
    // Windows still open refer to this controller.
    for (const QPointer<DocumentWindow> &window : std::as_const(m_windows)) {
        delete window.data();
    }
}

DocumentController::Dialogs DocumentController::standardDialogs()
{
    return {&runOpenDialog, &runSaveDialog, &runMessageBox, &runAboutPanel};
}

namespace {

// Reads the file on a thread of its own while this thread's event loop keeps the open
// windows painted; the user's input waits, queued, until the document is read, so nothing
// the user does can run in the middle of an opening.
parser::VelloraDocument::ReadResult readOffTheUiThread(const std::filesystem::path &path)
{
    std::optional<parser::VelloraDocument::ReadResult> read;
    QEventLoop loop;
    std::thread reader([&read, &loop, &path] {
        read.emplace(parser::VelloraDocument::fromFile(path));
        // Queued: if the loop has not started yet, it finds the request when it does.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    reader.join();
    return std::move(*read);
}

} // namespace

bool DocumentController::start(const QStringList &files)
{
    if (!files.isEmpty()) {
        openFiles(files);
        return !windows().isEmpty();
    }
    // No file named: ask, until a file opens or the user cancels.
    while (windows().isEmpty()) {
        const QStringList chosen = m_dialogs.chooseFilesToOpen(nullptr);
        if (chosen.isEmpty()) {
            return false;
        }
        openFiles(chosen);
    }
    return true;
}

DocumentWindow *DocumentController::openFile(const QString &path, QWidget *parent)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (DocumentWindow *open = windowShowing(absolute)) {
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }

    parser::VelloraDocument::ReadResult read =
        readOffTheUiThread(std::filesystem::path(QFile::encodeName(absolute).toStdString()));
    if (const auto *error = std::get_if<parser::DocumentReadError>(&read)) {
        m_dialogs.showMessage(parent, openFailureMessage(QFileInfo(absolute).fileName(), *error));
        return nullptr;
    }
    if (m_recordOpening && std::get<parser::VelloraDocument>(read).reachedParser()) {
        m_recordOpening();
    }
    noteRecentFile(absolute);
    return addWindow(std::get<parser::VelloraDocument>(std::move(read)), absolute);
}

void DocumentController::openFiles(const QStringList &paths, QWidget *parent)
{
    for (const QString &path : paths) {
        openFile(path, parent);
    }
}

void DocumentController::showOpenDialog(QWidget *parent)
{
    openFiles(m_dialogs.chooseFilesToOpen(parent), parent);
}

DocumentWindow *DocumentController::newDocument()
{
    return addWindow(parser::VelloraDocument(), QString());
}

bool DocumentController::save(DocumentWindow *window)
{
    if (window->filePath().isEmpty()) {
        return saveAs(window);
    }
    return saveTo(window, window->filePath());
}

bool DocumentController::saveAs(DocumentWindow *window)
{
    const QString proposed =
        window->filePath().isEmpty()
            ? QDir::current().filePath(DocumentWindow::titleFor(QString()) + QStringLiteral(".xml"))
            : window->filePath();
    const QString path = m_dialogs.chooseSaveLocation(window, proposed);
    if (path.isEmpty()) {
        return false;
    }
    return saveTo(window, path);
}

bool DocumentController::saveTo(DocumentWindow *window, const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (const std::optional<QString> failure =
            writeDocumentFile(absolute, window->document().fileContents())) {
        m_dialogs.showMessage(window, saveFailureMessage(QFileInfo(absolute).fileName(), *failure));
        return false;
    }
    window->setFilePath(absolute);
    noteRecentFile(absolute);
    return true;
}

void DocumentController::showAbout(QWidget *parent)
{
    m_dialogs.showAbout(parent);
}

void DocumentController::quit()
{
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

QList<DocumentWindow *> DocumentController::windows() const
{
    QList<DocumentWindow *> open;
    for (const QPointer<DocumentWindow> &window : m_windows) {
        if (window) {
            open << window.data();
        }
    }
    return open;
}

QStringList DocumentController::recentFiles() const
{
    return m_preferences()->value(QLatin1String(recentFilesKey)).toStringList();
}

void DocumentController::clearRecentFiles()
{
    m_preferences()->remove(QLatin1String(recentFilesKey));
    emit recentFilesChanged();
}

DocumentWindow *DocumentController::addWindow(parser::VelloraDocument document, const QString &path)
{
    auto *window = new DocumentWindow(*this, std::move(document), path);
    m_windows.removeAll(nullptr);
    m_windows << window;
    window->show();
    return window;
}

void DocumentController::noteRecentFile(const QString &path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > maximumRecentFiles) {
        files.removeLast();
    }
    m_preferences()->setValue(QLatin1String(recentFilesKey), files);
    emit recentFilesChanged();
}

DocumentWindow *DocumentController::windowShowing(const QString &path) const
{
    const QString wanted = canonicalPath(path);
    for (DocumentWindow *window : windows()) {
        if (!window->filePath().isEmpty() && canonicalPath(window->filePath()) == wanted) {
            return window;
        }
    }
    return nullptr;
}

} // namespace vellora::app::shell
