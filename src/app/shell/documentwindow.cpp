// SPDX-License-Identifier: MIT
#include "app/shell/documentwindow.h"

#include "app/content/contentview.h"
#include "app/shell/documentcontroller.h"
#include "app/style/localization.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolBar>
#include <QUrl>

namespace vellora::app::shell {

DocumentWindow::DocumentWindow(DocumentController &controller, parser::VelloraDocument document,
                               const QString &filePath, QWidget *parent)
    : QMainWindow(parent), m_controller(controller), m_document(std::move(document)),
      m_filePath(filePath)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    setUnifiedTitleAndToolBarOnMac(true);
    setWindowTitle(titleFor(m_filePath));

    m_contentView = new ContentView(m_document, this);
    setCentralWidget(m_contentView);
    addToolBar(Qt::TopToolBarArea, m_contentView->toolBar());
    buildMenus();
    resize(1100, 760);
}

DocumentWindow::~DocumentWindow() = default;

void DocumentWindow::setFilePath(const QString &path)
{
    m_filePath = path;
    setWindowTitle(titleFor(m_filePath));
}

QString DocumentWindow::titleFor(const QString &filePath)
{
    return filePath.isEmpty() ? style::localized(QT_TRANSLATE_NOOP("Localizable", "Untitled"))
                              : QFileInfo(filePath).fileName();
}

void DocumentWindow::buildMenus()
{
    auto addAction = [this](QMenu *menu, const char *name, const char *text,
                            const QKeySequence &shortcut = {}) {
        QAction *action = menu->addAction(style::localized(text));
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        return action;
    };

    QMenu *file = menuBar()->addMenu(style::localized(QT_TRANSLATE_NOOP("Localizable", "&File")));
    file->setObjectName(QStringLiteral("fileMenu"));
    connect(addAction(file, "newAction",
                      QT_TRANSLATE_NOOP("Localizable", "&New"), QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, [this] { m_controller.newDocument(); });
    connect(addAction(file, "openAction",
                      QT_TRANSLATE_NOOP("Localizable", "&Open…"), QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, [this] { m_controller.showOpenDialog(this); });
    QMenu *recent = file->addMenu(style::localized(QT_TRANSLATE_NOOP("Localizable", "Open &Recent")));
    recent->setObjectName(QStringLiteral("recentMenu"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecentMenu(recent); });
    fillRecentMenu(recent);
    file->addSeparator();
    connect(addAction(file, "closeAction",
                      QT_TRANSLATE_NOOP("Localizable", "&Close"), QKeySequence(Qt::CTRL | Qt::Key_W)),
            &QAction::triggered, this, &QWidget::close);
    connect(addAction(file, "saveAction",
                      QT_TRANSLATE_NOOP("Localizable", "&Save"), QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, [this] { m_controller.save(this); });
    connect(addAction(file, "saveAsAction",
                      QT_TRANSLATE_NOOP("Localizable", "Save &As…"),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, [this] { m_controller.saveAs(this); });
    file->addSeparator();
    QAction *quit = addAction(file, "quitAction",
                      QT_TRANSLATE_NOOP("Localizable", "&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, &m_controller, &DocumentController::quit);

    QMenu *edit = menuBar()->addMenu(style::localized(QT_TRANSLATE_NOOP("Localizable", "&Edit")));
    edit->setObjectName(QStringLiteral("editMenu"));
    connect(addAction(edit, "copyAction",
                      QT_TRANSLATE_NOOP("Localizable", "&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C)),
            &QAction::triggered, this, &DocumentWindow::copyFocusedText);
    connect(addAction(edit, "selectAllAction",
                      QT_TRANSLATE_NOOP("Localizable", "Select &All"), QKeySequence(Qt::CTRL | Qt::Key_A)),
            &QAction::triggered, this, &DocumentWindow::selectAllFocusedText);

    // View: the source's Raw / Tree modes and Find, and XML Source for a valid invoice.
    QMenu *view = menuBar()->addMenu(style::localized(QT_TRANSLATE_NOOP("Localizable", "&View")));
    view->setObjectName(QStringLiteral("viewMenu"));
    view->addActions(m_contentView->viewMenuActions());

    // Help holds one item: About, titled by its key.
    QMenu *help = menuBar()->addMenu(style::localized(QT_TRANSLATE_NOOP("Localizable", "&Help")));
    help->setObjectName(QStringLiteral("helpMenu"));
    QAction *about = help->addAction(style::localized(QT_TRANSLATE_NOOP("Localizable", "app.about")));
    about->setObjectName(QStringLiteral("aboutAction"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, [this] { m_controller.showAbout(this); });
}

void DocumentWindow::fillRecentMenu(QMenu *menu)
{
    menu->clear();
    const QStringList files = m_controller.recentFiles();
    for (const QString &path : files) {
        QAction *action = menu->addAction(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this,
                [this, path] { m_controller.openFile(path, this); });
    }
    menu->addSeparator();
    QAction *clear = menu->addAction(style::localized(QT_TRANSLATE_NOOP("Localizable", "Clear Menu")));
    clear->setObjectName(QStringLiteral("clearRecentAction"));
    clear->setEnabled(!files.isEmpty());
    connect(clear, &QAction::triggered, &m_controller, &DocumentController::clearRecentFiles);
}

void DocumentWindow::copyFocusedText()
{
    QWidget *focus = QApplication::focusWidget();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(focus)) {
        plain->copy();
    } else if (auto *rich = qobject_cast<QTextEdit *>(focus)) {
        rich->copy();
    } else if (auto *line = qobject_cast<QLineEdit *>(focus)) {
        line->copy();
    }
}

void DocumentWindow::selectAllFocusedText()
{
    QWidget *focus = QApplication::focusWidget();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(focus)) {
        plain->selectAll();
    } else if (auto *rich = qobject_cast<QTextEdit *>(focus)) {
        rich->selectAll();
    } else if (auto *line = qobject_cast<QLineEdit *>(focus)) {
        line->selectAll();
    }
}

QStringList droppedFiles(const QMimeData *mimeData)
{
    QStringList files;
    if (!mimeData || !mimeData->hasUrls()) {
        return files;
    }
    for (const QUrl &url : mimeData->urls()) {
        if (url.isLocalFile()) {
            files << url.toLocalFile();
        }
    }
    return files;
}

void DocumentWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void DocumentWindow::dragMoveEvent(QDragMoveEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void DocumentWindow::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    // Opened after the drop has finished: a message about a file that cannot be read must not
    // run its modal loop inside the drag-and-drop protocol.
    QMetaObject::invokeMethod(
        this, [this, files] { m_controller.openFiles(files, this); }, Qt::QueuedConnection);
}

QMenu *DocumentWindow::createPopupMenu()
{
    // The toolbar is part of the layout, not something to hide.
    return nullptr;
}

} // namespace vellora::app::shell
