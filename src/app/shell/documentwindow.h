// SPDX-License-Identifier: MIT
// One window per open document.
#pragma once

#include "parser/velloradocument.h"

#include <QMainWindow>

class QMenu;
class QMimeData;

namespace vellora::app::content {
class ContentView;
}

namespace vellora::app::shell {

class DocumentController;
using content::ContentView;

// Owns its document and shows it in a ContentView; its menus act through the controller.
// Deletes itself when closed.
class DocumentWindow : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentWindow)

public:
    // `filePath` is empty for a new, untitled document.
    DocumentWindow(DocumentController &controller, parser::VelloraDocument document,
                   const QString &filePath, QWidget *parent = nullptr);
    ~DocumentWindow() override;

    const parser::VelloraDocument &document() const { return m_document; }
    ContentView *contentView() const { return m_contentView; }

    // The file the document was read from or last saved to; empty while untitled.
    QString filePath() const { return m_filePath; }
    void setFilePath(const QString &path);

    // The file name, or "Untitled".
    static QString titleFor(const QString &filePath);

    // Acts on the widget with keyboard focus when it holds text.
    void copyFocusedText();
    void selectAllFocusedText();

    // No context menu for hiding the toolbar: it is part of the layout.
    QMenu *createPopupMenu() override;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildMenus();
    void fillRecentMenu(QMenu *menu);

    DocumentController &m_controller;
    const parser::VelloraDocument m_document;
    QString m_filePath;
    ContentView *m_contentView = nullptr;
};

// The local files among dropped URLs, in order.
QStringList droppedFiles(const QMimeData *mimeData);

} // namespace vellora::app::shell
