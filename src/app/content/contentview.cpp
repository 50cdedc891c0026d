// SPDX-License-Identifier: MIT
#include "app/content/contentview.h"

#include "app/content/attachmentrow.h"
#include "app/content/inspectorcolumn.h"
#include "app/style/localization.h"
#include "parser/velloradocument.h"
#include "app/content/previewstylesidebar.h"
#include "app/preview/attachmentpreviewview.h"
#include "app/style/symbols.h"
#include "app/style/symbolview.h"
#include "app/style/theme.h"
#include "inspector/views/inspectorpanel.h"
#include "xmlview/views/asynchighlightedxmlview.h"
#include "xmlview/views/xmlsourceswitch.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPropertyAnimation>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

namespace vellora::app::content {

namespace {

// The detail area's note while no attachment is selected.
class DetailPlaceholderView : public QWidget
{
public:
    DetailPlaceholderView(const DetailPlaceholder &placeholder, QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("detailPlaceholder"));
        auto *layout = new QVBoxLayout(this);
        layout->setSpacing(16);
        layout->addStretch(1);

        auto *icon = new style::SymbolView(placeholder.symbol, 64, this);
        icon->setObjectName(QStringLiteral("placeholderSymbol"));
        layout->addWidget(icon, 0, Qt::AlignHCenter);

        auto *title = new QLabel(placeholder.title, this);
        title->setObjectName(QStringLiteral("placeholderTitle"));
        QFont titleFont = style::theme::title2();
        titleFont.setWeight(QFont::Medium);
        title->setFont(titleFont);
        title->setAlignment(Qt::AlignCenter);
        title->setWordWrap(true);
        layout->addWidget(title);

        auto *message = new QLabel(placeholder.message, this);
        message->setObjectName(QStringLiteral("placeholderMessage"));
        message->setFont(style::theme::body());
        message->setForegroundRole(QPalette::PlaceholderText);
        message->setAlignment(Qt::AlignCenter);
        message->setWordWrap(true);
        message->setContentsMargins(40, 0, 40, 0);
        layout->addWidget(message);

        layout->addStretch(1);
    }
};

// The split view of sidebar and detail, divided by a one-pixel separator line.
class SplitView : public QSplitter
{
public:
    explicit SplitView(QWidget *parent) : QSplitter(Qt::Horizontal, parent)
    {
        setHandleWidth(1);
        setChildrenCollapsible(false);
    }

protected:
    QSplitterHandle *createHandle() override { return new SeparatorHandle(orientation(), this); }

private:
    class SeparatorHandle : public QSplitterHandle
    {
    public:
        using QSplitterHandle::QSplitterHandle;

    protected:
        void paintEvent(QPaintEvent *) override
        {
            QPainter painter(this);
            painter.fillRect(rect(), style::theme::separator(palette()));
        }
    };
};

// The bar above the content of a damaged file.
class DamageBar : public QFrame
{
public:
    DamageBar(const DamageNotice &notice, QWidget *parent) : QFrame(parent)
    {
        setObjectName(QStringLiteral("damageBar"));
        setAutoFillBackground(true);
        QPalette colours = palette();
        QColor tint = style::theme::named(style::theme::Named::orange, colours);
        tint.setAlphaF(style::theme::isDark(colours) ? 0.30 : 0.18);
        QColor background = colours.color(QPalette::Window);
        // The tint laid over the window colour, so the bar stays opaque.
        background = QColor::fromRgbF(
            background.redF() + (tint.redF() - background.redF()) * tint.alphaF(),
            background.greenF() + (tint.greenF() - background.greenF()) * tint.alphaF(),
            background.blueF() + (tint.blueF() - background.blueF()) * tint.alphaF());
        colours.setColor(QPalette::Window, background);
        setPalette(colours);

        auto *row = new QHBoxLayout(this);
        row->setContentsMargins(12, 8, 12, 8);
        row->setSpacing(10);
        auto *icon = new style::SymbolView(QStringLiteral("exclamationmark.triangle"), 24, this);
        // The warning triangle in the warning colour.
        QPalette iconColours = icon->palette();
        iconColours.setColor(QPalette::BrightText,
                             style::theme::named(style::theme::Named::orange, iconColours));
        icon->setPalette(iconColours);
        icon->setColorRole(QPalette::BrightText);
        row->addWidget(icon, 0, Qt::AlignTop);

        auto *texts = new QVBoxLayout;
        texts->setSpacing(2);
        auto *title = new QLabel(notice.title, this);
        title->setObjectName(QStringLiteral("damageTitle"));
        title->setFont(style::theme::headline());
        title->setWordWrap(true);
        texts->addWidget(title);
        auto *reason = new QLabel(notice.reason, this);
        reason->setObjectName(QStringLiteral("damageReason"));
        reason->setFont(style::theme::caption());
        reason->setTextFormat(Qt::PlainText);
        reason->setWordWrap(true);
        reason->setTextInteractionFlags(Qt::TextSelectableByMouse);
        texts->addWidget(reason);
        row->addLayout(texts, 1);
    }
};

} // namespace

ContentView::ContentView(const parser::VelloraDocument &document, QWidget *parent)
    : QWidget(parent), m_document(document), m_layout(contentLayout(document))
{
    setObjectName(QStringLiteral("contentView"));
    setMinimumSize(minimumWidth, minimumHeight);

    // Parentless until the window adds it; deleted here if no window ever did.
    m_toolBar = new QToolBar;
    m_toolBar->setObjectName(QStringLiteral("documentToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);

    // A damaged file's bar above whichever layout it has.
    m_outerLayout = new QVBoxLayout(this);
    m_outerLayout->setContentsMargins(0, 0, 0, 0);
    m_outerLayout->setSpacing(0);
    if (const std::optional<DamageNotice> notice = damageNotice(document)) {
        m_damageBar = new DamageBar(*notice, this);
        m_outerLayout->addWidget(m_damageBar);
    }

    if (m_layout == ContentLayout::source) {
        buildSourceLayout();
    } else {
        buildSplitLayout();
    }
}

ContentView::~ContentView()
{
    if (m_toolBar && !m_toolBar->parent()) {
        delete m_toolBar;
    }
}

void ContentView::buildSourceLayout()
{
    auto *invalid = new QLabel(style::localized(QT_TRANSLATE_NOOP("Localizable", "Invalid UBL Document")), m_toolBar);
    invalid->setObjectName(QStringLiteral("invalidDocumentLabel"));
    invalid->setForegroundRole(QPalette::PlaceholderText);
    invalid->setContentsMargins(8, 0, 8, 0);
    m_toolBar->addWidget(invalid);

    // The Raw / Tree switch at the far end of the toolbar.
    m_xmlSource = new xmlview::views::AsyncHighlightedXMLView(m_document.text(), this);
    m_xmlSource->setObjectName(QStringLiteral("xmlSourceView"));
    auto *spacer = new QWidget(m_toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
    m_toolBar->addAction(m_xmlSource->rawAction());
    m_toolBar->addAction(m_xmlSource->treeAction());

    m_outerLayout->addWidget(m_xmlSource, 1);
}

void ContentView::buildSplitLayout()
{
    const model::UBLDocumentInfo &info = *m_document.ublInfo();

    // Toolbar: the split view's own control first, then Download and Information.
    m_toggleSidebar = m_toolBar->addAction(style::symbolIcon(QStringLiteral("sidebar.left")),
                                           style::localized(QT_TRANSLATE_NOOP("Localizable", "Toggle Sidebar")));
    m_toggleSidebar->setObjectName(QStringLiteral("toggleSidebarAction"));
    m_toggleSidebar->setToolTip(m_toggleSidebar->text());
    auto *spacer = new QWidget(m_toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
    const QString download = style::localized(QT_TRANSLATE_NOOP("Localizable", "attachments.download"));
    m_download = m_toolBar->addAction(style::symbolIcon(QStringLiteral("arrow.down.circle")), download);
    m_download->setObjectName(QStringLiteral("downloadAction"));
    m_download->setToolTip(download);
    const QString information = style::localized(QT_TRANSLATE_NOOP("Localizable", "navigation.information"));
    m_information = m_toolBar->addAction(style::symbolIcon(QStringLiteral("info.circle")), information);
    m_information->setObjectName(QStringLiteral("informationAction"));
    m_information->setToolTip(information);
    for (QAction *action : {m_toggleSidebar, m_download, m_information}) {
        action->setParent(this);
    }

    connect(m_toggleSidebar, &QAction::triggered, this, [this] {
        setSidebarVisibility(m_sidebarVisibility == SidebarVisibility::all
                                 ? SidebarVisibility::detailOnly
                                 : SidebarVisibility::all);
    });
    connect(m_download, &QAction::triggered, this, &ContentView::saveSelectedAttachment);
    connect(m_information, &QAction::triggered, this, &ContentView::toggleInspector);

    // A row: the split view of sidebar and detail, then the inspector column.
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_outerLayout->addLayout(row, 1);

    m_splitter = new SplitView(this);
    m_splitter->setObjectName(QStringLiteral("splitView"));
    m_sidebar = new PreviewStyleSidebar(info.attachments, m_splitter);
    m_sidebar->setMinimumWidth(sidebarMinimumWidth);
    m_detail = new QWidget(m_splitter);
    m_detail->setObjectName(QStringLiteral("detailColumn"));
    m_detail->setBackgroundRole(QPalette::Base);
    m_detail->setAutoFillBackground(true);
    auto *detailLayout = new QVBoxLayout(m_detail);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    m_splitter->addWidget(m_sidebar);
    m_splitter->addWidget(m_detail);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({260, minimumWidth - 260});
    row->addWidget(m_splitter, 1);

    m_inspector = new InspectorColumn(this);
    m_inspector->hide();
    row->addWidget(m_inspector);
    m_inspectorAnimation = new QPropertyAnimation(m_inspector, "reveal", this);
    m_inspectorAnimation->setDuration(inspectorAnimationMs);
    m_inspectorAnimation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(m_inspectorAnimation, &QPropertyAnimation::finished, this,
            &ContentView::inspectorAnimationFinished);

    connect(m_sidebar, &PreviewStyleSidebar::selectionChosen, this,
            &ContentView::setSelectedSidebarItem);

    // The document's source, shown in the detail area on demand.
    m_xmlSource = new xmlview::views::AsyncHighlightedXMLView(m_document.text(), this);
    m_xmlSource->setObjectName(QStringLiteral("xmlSourceView"));
    m_xmlSource->hide();
    m_xmlSourceAction = new QAction(style::localized(QT_TRANSLATE_NOOP("Localizable", "XML Source")), this);
    m_xmlSourceAction->setObjectName(QStringLiteral("xmlSourceAction"));
    m_xmlSourceAction->setCheckable(true);
    m_xmlSourceAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    connect(m_xmlSourceAction, &QAction::toggled, this, &ContentView::setXmlSourceShown);
    setXmlSourceShown(false);

    // The layout's initial selection. It comes on screen once per window, with the window.
    const InitialSelection initial = initialSelection(info);
    setSidebarVisibility(initial.sidebarVisibility);
    m_selection = initial.selection;
    m_sidebar->setSelection(m_selection);
    showDetail();
}

void ContentView::setSelectedSidebarItem(const std::optional<SidebarItem> &selection)
{
    if (m_layout != ContentLayout::split || selection == m_selection) {
        return;
    }
    m_selection = selection;
    m_sidebar->setSelection(m_selection);
    showDetail();
    emit selectedSidebarItemChanged();
}

void ContentView::setSidebarVisibility(SidebarVisibility visibility)
{
    m_sidebarVisibility = visibility;
    if (m_sidebar) {
        m_sidebar->setVisible(visibility == SidebarVisibility::all);
    }
}

void ContentView::showDetail()
{
    m_download->setEnabled(isDownloadEnabled(m_selection));

    // A new view for every change of selection, so that each attachment starts afresh.
    delete m_detailContent;
    if (const model::UBLAttachment *attachment = selectedAttachment(m_selection)) {
        m_detailContent = createAttachmentDetail(*attachment);
        m_detailContent->setProperty("sidebarItemId", QString::fromStdString(m_selection->id()));
    } else {
        m_detailContent = new DetailPlaceholderView(
            detailPlaceholder(placeholderVariant(*m_document.ublInfo())), m_detail);
    }
    m_detail->layout()->addWidget(m_detailContent);
    m_detailContent->setVisible(!isXmlSourceShown());
}

QPlainTextEdit *ContentView::sourceView() const
{
    return m_xmlSource ? m_xmlSource->textView() : nullptr;
}

bool ContentView::isXmlSourceShown() const
{
    return m_xmlSourceAction && m_xmlSourceAction->isChecked();
}

QList<QAction *> ContentView::viewMenuActions() const
{
    QList<QAction *> actions;
    if (m_xmlSource) {
        actions << m_xmlSource->rawAction() << m_xmlSource->treeAction()
                << m_xmlSource->findAction();
    }
    if (m_xmlSourceAction) {
        actions << m_xmlSourceAction;
    }
    return actions;
}

void ContentView::setXmlSourceShown(bool shown)
{
    if (shown && !m_xmlSourcePanel) {
        // Made once, on first use, and kept: the source keeps its mode and place.
        m_xmlSourcePanel = new QWidget(m_detail);
        m_xmlSourcePanel->setObjectName(QStringLiteral("xmlSourcePanel"));
        auto *column = new QVBoxLayout(m_xmlSourcePanel);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        m_xmlSource->setParent(m_xmlSourcePanel);
        column->addWidget(new xmlview::views::XMLSourceSwitch(*m_xmlSource, m_xmlSourcePanel));
        column->addWidget(m_xmlSource, 1);
        m_xmlSource->show();
        m_detail->layout()->addWidget(m_xmlSourcePanel);
    }
    if (m_xmlSourcePanel) {
        m_xmlSourcePanel->setVisible(shown);
    }
    if (m_detailContent) {
        m_detailContent->setVisible(!shown);
    }
    // Raw, Tree and Find act only on a source on show.
    m_xmlSource->rawAction()->setEnabled(shown);
    m_xmlSource->treeAction()->setEnabled(shown);
    m_xmlSource->findAction()->setEnabled(shown);
}

QWidget *ContentView::createAttachmentDetail(const model::UBLAttachment &attachment)
{
    return new preview::AttachmentPreviewView(attachment, m_detail);
}

QWidget *ContentView::createInspector()
{
    // A new panel each time the inspector is shown, so it starts on the document tab.
    return new inspector::views::InspectorPanel(*m_document.ublInfo(), m_inspector);
}

void ContentView::saveSelectedAttachment()
{
    if (const model::UBLAttachment *attachment = selectedAttachment(m_selection)) {
        preview::saveAttachment(*attachment, m_saveInteraction
                                                 ? *m_saveInteraction
                                                 : preview::SaveInteraction::interactive(this));
    }
}

void ContentView::setSaveInteraction(preview::SaveInteraction interaction)
{
    m_saveInteraction = std::move(interaction);
}

void ContentView::toggleInspector()
{
    if (m_layout != ContentLayout::split) {
        return;
    }
    m_showInspector = !m_showInspector;
    if (m_showInspector) {
        // The panel is made anew each time it is shown.
        if (!m_inspector->content()) {
            m_inspector->setContent(createInspector());
        }
        m_inspector->show();
    }
    // A change during a running animation turns it around from where it is.
    m_inspectorAnimation->stop();
    m_inspectorAnimation->setStartValue(m_inspector->reveal());
    m_inspectorAnimation->setEndValue(m_showInspector ? 1.0 : 0.0);
    m_inspectorAnimation->start();
}

void ContentView::inspectorAnimationFinished()
{
    if (!m_showInspector) {
        m_inspector->hide();
        m_inspector->setContent(nullptr);
    }
}

} // namespace vellora::app::content
