// SPDX-License-Identifier: MIT
// The document framework: opening, creating, saving and closing document windows.
#pragma once

#include "parser/velloradocument.h"
#include "app/shell/preferences.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <optional>
#include <variant>

class QWidget;

namespace vellora::app::shell {

class DocumentWindow;

// A message box's texts: the main line and the line that says why.
struct DocumentMessage
{
    QString text;
    QString reason;

    bool operator==(const DocumentMessage &) const = default;
};

// "The file “NAME” couldn’t be opened because it isn’t in the correct format." and the
// reason the read gave.
DocumentMessage openFailureMessage(const QString &fileName, const parser::DocumentReadError &error);
// "The document “NAME” couldn’t be saved." and the reason.
DocumentMessage saveFailureMessage(const QString &fileName, const QString &reason);

// The filters of the Open and Save dialogs, in this order.
QStringList documentFileFilters();

// Writes `bytes` to `path` atomically: the file is either replaced whole or left as it was.
// nullopt on success, else the reason.
std::optional<QString> writeDocumentFile(const QString &path, const std::string &bytes);

// One window per document. Files are read on a thread of their own while the UI thread keeps
// painting (its input waits until the read is done); each read that reaches the parser is
// reported to `recordOpening` (the usage statistics). Windows delete themselves when closed.
class DocumentController : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentController)

public:
    // What the controller asks the user. The defaults show modal dialogs; tests replace them.
    struct Dialogs
    {
        // The files to open; empty when cancelled.
        std::function<QStringList(QWidget *parent)> chooseFilesToOpen;
        // Where to save a copy named `proposedName`; empty when cancelled.
        std::function<QString(QWidget *parent, const QString &proposedPath)> chooseSaveLocation;
        // A modal message that an operation failed.
        std::function<void(QWidget *parent, const DocumentMessage &message)> showMessage;
        // The About panel.
        std::function<void(QWidget *parent)> showAbout;
    };

    static constexpr int maximumRecentFiles = 10;

    explicit DocumentController(std::function<void()> recordOpening,
                                PreferenceStore preferences = &userPreferences,
                                QObject *parent = nullptr);
    ~DocumentController() override;

    static Dialogs standardDialogs();
    void setDialogs(Dialogs dialogs) { m_dialogs = std::move(dialogs); }

    // Start-up: opens the files named, one window each; with none named, shows the Open
    // dialog until a file opens or the user cancels. True when a window is open afterwards.
    bool start(const QStringList &files);

    // Opens a file in a new window, or brings forward the window that already shows it. A
    // file that cannot be read gives a message over `parent` and no window (nullptr).
    DocumentWindow *openFile(const QString &path, QWidget *parent = nullptr);
    void openFiles(const QStringList &paths, QWidget *parent = nullptr);

    // The Open dialog, then the files chosen.
    void showOpenDialog(QWidget *parent = nullptr);

    // A new, untitled document in a new window.
    DocumentWindow *newDocument();

    // Save writes the document to its file (untitled: asks where, as Save As). Both write
    // the document's bytes unchanged; a failure gives a message. True when written.
    bool save(DocumentWindow *window);
    bool saveAs(DocumentWindow *window);
    bool saveTo(DocumentWindow *window, const QString &path);

    void showAbout(QWidget *parent);

    // Closes every window, then ends the program.
    void quit();

    QList<DocumentWindow *> windows() const;

    // Recently opened or saved files, latest first, kept in the preference store.
    QStringList recentFiles() const;
    void clearRecentFiles();

signals:
    void recentFilesChanged();

private:
    DocumentWindow *addWindow(parser::VelloraDocument document, const QString &path);
    void noteRecentFile(const QString &path);
    DocumentWindow *windowShowing(const QString &path) const;

    std::function<void()> m_recordOpening;
    PreferenceStore m_preferences;
    Dialogs m_dialogs;
    QList<QPointer<DocumentWindow>> m_windows;
};

} // namespace vellora::app::shell
