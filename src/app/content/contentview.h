// SPDX-License-Identifier: MIT
// The content of one document window.
#pragma once

#include "app/content/contentstate.h"
#include "app/content/sidebaritem.h"
#include "app/preview/attachmentsaver.h"

#include <QWidget>

#include <optional>

class QAction;
class QPlainTextEdit;
class QPropertyAnimation;
class QSplitter;
class QToolBar;
class QVBoxLayout;

namespace vellora::parser {
class VelloraDocument;
}

namespace vellora::xmlview::views {
class AsyncHighlightedXMLView;
}

namespace vellora::app::content {

class InspectorColumn;
class PreviewStyleSidebar;

// Shows a document in one of two layouts, chosen once by whether it holds a model: its text
// as source filling the window, or the split view of attachment sidebar and detail with the
// inspector column beside it. The view only reads the document, which must outlive it.
// Its toolbar is handed to the window that shows it.
class ContentView : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContentView)

public:
    static constexpr int minimumWidth = 800;
    static constexpr int minimumHeight = 600;
    static constexpr int sidebarMinimumWidth = 220;
    static constexpr int inspectorAnimationMs = 200;

    explicit ContentView(const parser::VelloraDocument &document, QWidget *parent = nullptr);
    ~ContentView() override;

    ContentLayout layoutKind() const { return m_layout; }

    // The toolbar of the layout; the view creates it, the window adds it (and then owns it).
    QToolBar *toolBar() const { return m_toolBar; }

    const std::optional<SidebarItem> &selectedSidebarItem() const { return m_selection; }
    void setSelectedSidebarItem(const std::optional<SidebarItem> &selection);

    SidebarVisibility sidebarVisibility() const { return m_sidebarVisibility; }
    void setSidebarVisibility(SidebarVisibility visibility);

    bool showInspector() const { return m_showInspector; }

    // Toolbar actions of the split layout (nullptr in the source layout).
    QAction *toggleSidebarAction() const { return m_toggleSidebar; }
    QAction *downloadAction() const { return m_download; }
    QAction *informationAction() const { return m_information; }

    // The bar saying the file is damaged; nullptr for a well-formed file.
    QWidget *damageBar() const { return m_damageBar; }

    // Parts of the split layout (nullptr in the source layout).
    QSplitter *splitter() const { return m_splitter; }
    PreviewStyleSidebar *sidebar() const { return m_sidebar; }
    QWidget *detailContent() const { return m_detailContent; }
    InspectorColumn *inspectorColumn() const { return m_inspector; }
    QPropertyAnimation *inspectorAnimation() const { return m_inspectorAnimation; }

    // The raw text area of the XML source: the whole window in the source layout, the
    // detail area on "XML Source" in the split layout.
    QPlainTextEdit *sourceView() const;
    xmlview::views::AsyncHighlightedXMLView *xmlSourceView() const { return m_xmlSource; }

    // "XML Source" (Ctrl+U), split layout only: the detail area shows the document's source
    // instead of the attachment preview while it is checked.
    QAction *xmlSourceAction() const { return m_xmlSourceAction; }
    bool isXmlSourceShown() const;
    // The window's View menu: Raw, Tree, Find…, and in the split layout XML Source.
    QList<QAction *> viewMenuActions() const;

    // Replaces the save dialogue's file dialog and message boxes (for tests).
    void setSaveInteraction(preview::SaveInteraction interaction);

public slots:
    // The Download button's action: the save dialogue for the selected attachment.
    void saveSelectedAttachment();

    // The Information button's action: shows or hides the inspector column, animated.
    void toggleInspector();

signals:
    void selectedSidebarItemChanged();

private:
    void buildSourceLayout();
    void buildSplitLayout();
    void showDetail();
    QWidget *createAttachmentDetail(const model::UBLAttachment &attachment);
    QWidget *createInspector();
    void inspectorAnimationFinished();

    const parser::VelloraDocument &m_document;
    const ContentLayout m_layout;
    QVBoxLayout *m_outerLayout = nullptr; // the damage bar, if any, above the layout
    QWidget *m_damageBar = nullptr;

    std::optional<SidebarItem> m_selection;
    bool m_showInspector = false;
    SidebarVisibility m_sidebarVisibility = SidebarVisibility::all;

    QToolBar *m_toolBar = nullptr;
    QAction *m_toggleSidebar = nullptr;
    QAction *m_download = nullptr;
    QAction *m_information = nullptr;
    QSplitter *m_splitter = nullptr;
    PreviewStyleSidebar *m_sidebar = nullptr;
    QWidget *m_detail = nullptr;
    QWidget *m_detailContent = nullptr;
    InspectorColumn *m_inspector = nullptr;
    QPropertyAnimation *m_inspectorAnimation = nullptr;
    std::optional<preview::SaveInteraction> m_saveInteraction;
    xmlview::views::AsyncHighlightedXMLView *m_xmlSource = nullptr;
    QWidget *m_xmlSourcePanel = nullptr; // split layout: the source with its switch
    QAction *m_xmlSourceAction = nullptr;
    void setXmlSourceShown(bool shown);
};

} // namespace vellora::app::content
