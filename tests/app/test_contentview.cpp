// SPDX-License-Identifier: MIT
// The content of a document window: its two layouts, selection, toolbar and inspector column.
#include "app/content/contentview.h"
#include "app/content/contentstate.h"
#include "app/content/inspectorcolumn.h"
#include "app/style/localization.h"
#include "app/content/previewstylesidebar.h"
#include "app/preview/attachmentpreviewview.h"
#include "app/preview/attachmentsaver.h"
#include "app/style/symbols.h"
#include "app/style/symbolview.h"
#include "inspector/views/inspectorpanel.h"
#include "parser/velloradocument.h"
#include "xmlview/views/asynchighlightedxmlview.h"
#include "xmlview/views/xmltreeview.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPropertyAnimation>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>

#include <memory>
#include <sstream>

using namespace vellora::app::content;
using namespace vellora::app::style;
using vellora::inspector::views::InspectorPanel;
using vellora::app::preview::AttachmentPreviewView;
using vellora::app::preview::PreviewKind;
using vellora::app::preview::SaveInteraction;
using vellora::app::preview::SavePanel;
using vellora::model::UBLAttachment;
using vellora::parser::VelloraDocument;

namespace {

VelloraDocument readFixture(const QString &name)
{
    auto read = VelloraDocument::fromFile(
        QStringLiteral(VELLORA_TEST_DATA_DIR "/app/%1").arg(name).toStdString());
    if (!std::holds_alternative<VelloraDocument>(read)) {
        qFatal("fixture %s cannot be read", qPrintable(name));
    }
    return std::get<VelloraDocument>(std::move(read));
}

VelloraDocument documentOf(const QByteArray &xml)
{
    return std::get<VelloraDocument>(VelloraDocument::fromBytes(xml.toStdString()));
}

// An invoice whose attachments are: embedded content, an external reference only, empty
// content, and a type without content.
const QByteArray mixedAttachments = R"(<Invoice
    xmlns:cac="urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2"
    xmlns:cbc="urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2">
  <cbc:ID>MIX</cbc:ID>
  <cac:AdditionalDocumentReference><cbc:ID>E</cbc:ID><cac:Attachment>
    <cbc:EmbeddedDocumentBinaryObject mimeCode="text/csv" filename="data.csv">YSxiCg==</cbc:EmbeddedDocumentBinaryObject>
  </cac:Attachment></cac:AdditionalDocumentReference>
  <cac:AdditionalDocumentReference><cbc:ID>X</cbc:ID><cac:Attachment>
    <cac:ExternalReference><cbc:URI>https://example.com/c.pdf</cbc:URI></cac:ExternalReference>
  </cac:Attachment></cac:AdditionalDocumentReference>
  <cac:AdditionalDocumentReference><cbc:ID>Z</cbc:ID><cac:Attachment>
    <cbc:EmbeddedDocumentBinaryObject mimeCode="image/png" filename="blank.png"></cbc:EmbeddedDocumentBinaryObject>
  </cac:Attachment></cac:AdditionalDocumentReference>
</Invoice>)";

QStringList toolBarTexts(const QToolBar *toolBar)
{
    QStringList texts;
    for (QAction *action : toolBar->actions()) {
        if (qobject_cast<QWidgetAction *>(action)) {
            if (auto *label = qobject_cast<QLabel *>(toolBar->widgetForAction(action))) {
                texts << QStringLiteral("label:") + label->text();
            } else {
                texts << QStringLiteral("spacer");
            }
        } else {
            texts << action->text();
        }
    }
    return texts;
}

QString placeholderText(const ContentView &view, const char *name)
{
    auto *label = view.detailContent()->findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<none>");
}

QString placeholderSymbol(const ContentView &view)
{
    auto *symbol = view.detailContent()->findChild<SymbolView *>();
    return symbol ? symbol->symbol() : QStringLiteral("<none>");
}

} // namespace

class TestContentView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        removeTranslations(*QCoreApplication::instance());
        setUpIconTheme(QApplication::palette());
    }

    void layoutFromRealDocuments_data()
    {
        QTest::addColumn<QString>("fixture"); // empty: a new document
        QTest::addColumn<ContentLayout>("layout");
        QTest::addColumn<QStringList>("toolBar");

        const QStringList splitToolBar{"Toggle Sidebar", "spacer", "attachments.download",
                                       "navigation.information"};
        // The text, and at the far end the Raw / Tree switch.
        const QStringList sourceToolBar{"label:Invalid UBL Document", "spacer", "Raw", "Tree"};
        QTest::newRow("valid invoice with two attachments")
            << "two-attachments.xml" << ContentLayout::split << splitToolBar;
        QTest::newRow("valid invoice without attachments")
            << "no-attachments.xml" << ContentLayout::split << splitToolBar;
        QTest::newRow("not a UBL document")
            << "not-ubl.xml" << ContentLayout::source << sourceToolBar;
        QTest::newRow("new document") << QString() << ContentLayout::source << sourceToolBar;
    }

    void layoutFromRealDocuments()
    {
        QFETCH(QString, fixture);
        QFETCH(ContentLayout, layout);
        QFETCH(QStringList, toolBar);
        const VelloraDocument document =
            fixture.isEmpty() ? VelloraDocument() : readFixture(fixture);
        ContentView view(document);

        QCOMPARE(view.layoutKind(), layout);
        QCOMPARE(view.minimumSize(), QSize(800, 600));
        QCOMPARE(toolBarTexts(view.toolBar()), toolBar);
        QVERIFY(!view.toolBar()->isMovable());
        QCOMPARE(view.toolBar()->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);

        if (layout == ContentLayout::source) {
            // The text fills the window: no sidebar, no inspector, no other toolbar item.
            QVERIFY(view.sourceView());
            QVERIFY(!view.sidebar());
            QVERIFY(!view.inspectorColumn());
            QVERIFY(!view.downloadAction());
            QCOMPARE(view.sourceView()->toPlainText(), QString::fromStdString(document.text()));
            QVERIFY(view.sourceView()->isReadOnly());
            QVERIFY(view.sourceView()->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
            QVERIFY(QFontInfo(view.sourceView()->font()).fixedPitch());
            auto *label =
                view.toolBar()->findChild<QLabel *>(QStringLiteral("invalidDocumentLabel"));
            QCOMPARE(label->foregroundRole(), QPalette::PlaceholderText);
        } else {
            QVERIFY(!view.isXmlSourceShown());
            QVERIFY(!view.sourceView()->isVisible());
            QVERIFY(view.sidebar());
            QVERIFY(view.inspectorColumn());
            QVERIFY(!view.showInspector());
            QVERIFY(view.inspectorColumn()->isHidden());
            QCOMPARE(view.splitter()->count(), 2);
            QCOMPARE(view.splitter()->widget(0), view.sidebar());
            QVERIFY(view.sidebar()->minimumWidth() >= 220);
            for (QAction *action : {view.downloadAction(), view.informationAction()}) {
                QCOMPARE(action->toolTip(), action->text());
                QVERIFY(!action->icon().isNull());
            }
        }
    }

    void newDocumentShowsTheGreeting()
    {
        const VelloraDocument document;
        ContentView view(document);
        QCOMPARE(view.sourceView()->toPlainText(), QStringLiteral("Hello, world!"));
    }

    void initialSelection_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<SidebarVisibility>("visibility");
        QTest::newRow("two attachments: the first one")
            << "two-attachments.xml" << true << SidebarVisibility::all;
        QTest::newRow("no attachments: none, sidebar hidden")
            << "no-attachments.xml" << false << SidebarVisibility::detailOnly;
    }

    void initialSelection()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, selected);
        QFETCH(SidebarVisibility, visibility);
        const VelloraDocument document = readFixture(fixture);
        ContentView view(document);
        view.show();

        QCOMPARE(view.sidebarVisibility(), visibility);
        QCOMPARE(view.sidebar()->isVisible(), visibility == SidebarVisibility::all);
        QCOMPARE(view.selectedSidebarItem().has_value(), selected);
        QCOMPARE(view.downloadAction()->isEnabled(), selected);
        if (selected) {
            const UBLAttachment &first = document.ublInfo()->attachments.front();
            QCOMPARE(view.selectedSidebarItem(), std::optional(SidebarItem::attachment(first)));
            QCOMPARE(view.detailContent()->property("sidebarItemId").toString(),
                     QString::fromStdString(SidebarItem::attachment(first).id()));
            // The detail area previews that attachment.
            auto *preview = qobject_cast<AttachmentPreviewView *>(view.detailContent());
            QVERIFY(preview);
            QCOMPARE(preview->attachment(), first);
            QTRY_COMPARE(preview->kind(), PreviewKind::pdf);
            const QModelIndexList rows =
                view.sidebar()->listView()->selectionModel()->selectedRows();
            QCOMPARE(rows.size(), 1);
            QCOMPARE(rows.front().row(), 0);
        } else {
            QCOMPARE(placeholderSymbol(view), QStringLiteral("paperclip"));
            QCOMPARE(placeholderText(view, "placeholderTitle"),
                     QStringLiteral("attachments.no_attachments_title"));
            QCOMPARE(placeholderText(view, "placeholderMessage"),
                     QStringLiteral("attachments.no_attachments_description"));
        }
    }

    void sidebarRowsOfTheTwoAttachments()
    {
        const VelloraDocument document = readFixture(QStringLiteral("two-attachments.xml"));
        ContentView view(document);
        const AttachmentListModel *model = view.sidebar()->listModel();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->row(0).name, QStringLiteral("invoice-1001.pdf"));
        QCOMPARE(model->row(1).name, QStringLiteral("delivery.png"));
        QCOMPARE(model->row(0).detail.value(0), QStringLiteral("PDF"));
        QCOMPARE(model->row(1).detail.value(0), QStringLiteral("PNG"));
        QCOMPARE(model->row(1).detail.value(1), QStringLiteral("•"));
    }

    void showingTheHiddenSidebarRevealsTheNote()
    {
        const VelloraDocument document = readFixture(QStringLiteral("no-attachments.xml"));
        ContentView view(document);
        view.show();
        QVERIFY(!view.sidebar()->isVisible());
        view.toggleSidebarAction()->trigger();
        QCOMPARE(view.sidebarVisibility(), SidebarVisibility::all);
        QVERIFY(view.sidebar()->isVisible());
        auto *note = view.sidebar()->findChild<QLabel *>(QStringLiteral("noAttachmentsText"));
        QVERIFY(note && note->isVisible());
        QCOMPARE(note->text(), QStringLiteral("attachments.no_attachments"));
        QCOMPARE(view.sidebar()->findChild<SymbolView *>()->symbol(), QStringLiteral("paperclip"));
        view.toggleSidebarAction()->trigger();
        QCOMPARE(view.sidebarVisibility(), SidebarVisibility::detailOnly);
        QVERIFY(!view.sidebar()->isVisible());
    }

    void downloadEnabledForEachSelection_data()
    {
        QTest::addColumn<int>("attachment"); // index in the document, -1 none, -2 XML source
        QTest::addColumn<bool>("enabled");
        QTest::newRow("embedded content") << 0 << true;
        QTest::newRow("external reference only") << 1 << false;
        QTest::newRow("empty content") << 2 << false;
        QTest::newRow("no selection") << -1 << false;
        QTest::newRow("XML source item") << -2 << false;
    }

    void downloadEnabledForEachSelection()
    {
        QFETCH(int, attachment);
        QFETCH(bool, enabled);
        const VelloraDocument document = documentOf(mixedAttachments);
        QCOMPARE(document.ublInfo()->attachments.size(), std::size_t(3));
        ContentView view(document);
        // Start from the opposite state, so that the change is what is checked.
        view.setSelectedSidebarItem(
            enabled ? std::nullopt
                    : std::optional(SidebarItem::attachment(document.ublInfo()->attachments[0])));
        QCOMPARE(view.downloadAction()->isEnabled(), !enabled);

        std::optional<SidebarItem> selection;
        if (attachment >= 0) {
            selection = SidebarItem::attachment(document.ublInfo()->attachments[attachment]);
        } else if (attachment == -2) {
            selection = SidebarItem::rawXML();
        }
        view.setSelectedSidebarItem(selection);
        QCOMPARE(view.selectedSidebarItem(), selection);
        QCOMPARE(view.downloadAction()->isEnabled(), enabled);
        QCOMPARE(isDownloadEnabled(selection), enabled);
    }

    void downloadSavesTheSelectedAttachment()
    {
        // The first attachment of the mixed fixture is data.csv holding "a,b" and a newline.
        const VelloraDocument document = documentOf(mixedAttachments);
        ContentView view(document);
        QTemporaryDir folder;
        std::vector<SavePanel> panels;
        std::ostringstream out;
        SaveInteraction interaction;
        interaction.chooseLocation = [&](const SavePanel &panel) {
            panels.push_back(panel);
            return std::optional(folder.filePath(panel.proposedName));
        };
        interaction.showFailure = [](const QString &, const QString &text) {
            QFAIL(qPrintable(text));
        };
        interaction.out = &out;
        view.setSaveInteraction(interaction);

        QVERIFY(view.downloadAction()->isEnabled());
        view.downloadAction()->trigger();
        QCOMPARE(panels.size(), size_t(1));
        QCOMPARE(panels.front().proposedName, QStringLiteral("data.csv"));
        QFile saved(folder.filePath(QStringLiteral("data.csv")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("a,b\n"));
        QCOMPARE(out.str(), std::string("Successfully saved: data.csv\n"));

        // With nothing selected the button does nothing, even when triggered.
        view.setSelectedSidebarItem(std::nullopt);
        view.downloadAction()->trigger();
        QCOMPARE(panels.size(), size_t(1));
    }

    void externalReferenceRowReadsUntitled()
    {
        const VelloraDocument document = documentOf(mixedAttachments);
        ContentView view(document);
        const AttachmentListModel *model = view.sidebar()->listModel();
        QCOMPARE(model->row(1).name, QStringLiteral("Untitled"));
        QCOMPARE(model->row(1).detail, QStringList());
        // It can be selected; having no content, it has no preview.
        view.show();
        view.sidebar()->listView()->selectionModel()->select(model->index(1),
                                                             QItemSelectionModel::ClearAndSelect);
        QCOMPARE(view.selectedSidebarItem()->id(),
                 SidebarItem::attachment(document.ublInfo()->attachments[1]).id());
        auto *preview = qobject_cast<AttachmentPreviewView *>(view.detailContent());
        QVERIFY(preview);
        QTRY_COMPARE(preview->kind(), PreviewKind::unsupported);
        QVERIFY(!view.downloadAction()->isEnabled());
    }

    void deselectionShowsThePlaceholder_data()
    {
        QTest::addColumn<bool>("rawXML");
        QTest::newRow("row deselected in the list") << false;
        QTest::newRow("XML source item selected") << true;
    }

    void deselectionShowsThePlaceholder()
    {
        QFETCH(bool, rawXML);
        const VelloraDocument document = readFixture(QStringLiteral("two-attachments.xml"));
        ContentView view(document);
        QVERIFY(view.downloadAction()->isEnabled());
        if (rawXML) {
            view.setSelectedSidebarItem(SidebarItem::rawXML());
            QCOMPARE(view.selectedSidebarItem(), std::optional(SidebarItem::rawXML()));
        } else {
            view.sidebar()->listView()->selectionModel()->clearSelection();
            QCOMPARE(view.selectedSidebarItem(), std::nullopt);
        }
        QCOMPARE(view.detailContent()->objectName(), QStringLiteral("detailPlaceholder"));
        QCOMPARE(placeholderSymbol(view), QStringLiteral("doc.text"));
        QCOMPARE(placeholderText(view, "placeholderTitle"), QStringLiteral("Select an Item"));
        QCOMPARE(placeholderText(view, "placeholderMessage"),
                 QStringLiteral("Choose an attachment or view from the sidebar"));
        QVERIFY(!view.downloadAction()->isEnabled());
        QVERIFY(view.sidebar()->listView()->selectionModel()->selectedRows().isEmpty());
    }

    void choosingAnotherRowGivesAFreshDetail()
    {
        const VelloraDocument document = readFixture(QStringLiteral("two-attachments.xml"));
        ContentView view(document);
        const QPointer<QWidget> first = view.detailContent();
        int changes = 0;
        connect(&view, &ContentView::selectedSidebarItemChanged, this, [&changes] { ++changes; });
        view.sidebar()->listView()->selectionModel()->select(view.sidebar()->listModel()->index(1),
                                                             QItemSelectionModel::ClearAndSelect);
        QCOMPARE(changes, 1);
        QVERIFY(first.isNull()); // the previous view is gone with its state
        const UBLAttachment &second = document.ublInfo()->attachments[1];
        QCOMPARE(view.detailContent()->property("sidebarItemId").toString(),
                 QString::fromStdString(SidebarItem::attachment(second).id()));
        // Choosing the same item again changes nothing.
        const QPointer<QWidget> current = view.detailContent();
        view.setSelectedSidebarItem(SidebarItem::attachment(second));
        QCOMPARE(changes, 1);
        QCOMPARE(view.detailContent(), current.data());
    }

    void placeholderVariants_data()
    {
        QTest::addColumn<PlaceholderVariant>("variant");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("document with attachments")
            << PlaceholderVariant::selectItem << "doc.text"
            << "Select an Item"
            << "Choose an attachment or view from the sidebar";
        QTest::newRow("document without attachments")
            << PlaceholderVariant::noAttachments << "paperclip"
            << "attachments.no_attachments_title"
            << "attachments.no_attachments_description";
    }

    void placeholderVariants()
    {
        QFETCH(PlaceholderVariant, variant);
        QFETCH(QString, symbol);
        QFETCH(QString, title);
        QFETCH(QString, message);
        QCOMPARE(detailPlaceholder(variant), (DetailPlaceholder{symbol, title, message}));
    }

    void informationButtonTogglesTheInspector()
    {
        const VelloraDocument document = readFixture(QStringLiteral("two-attachments.xml"));
        ContentView view(document);
        view.resize(1000, 700);
        view.show();
        InspectorColumn *column = view.inspectorColumn();
        QPropertyAnimation *animation = view.inspectorAnimation();
        QCOMPARE(animation->duration(), 200);
        QCOMPARE(animation->easingCurve().type(), QEasingCurve::InOutQuad);
        QCOMPARE(animation->targetObject(), column);
        QCOMPARE(animation->propertyName(), QByteArray("reveal"));

        // Shown: slides in to 300 px, fully opaque, with the inspector panel on its first tab.
        view.informationAction()->trigger();
        QVERIFY(view.showInspector());
        QCOMPARE(animation->state(), QAbstractAnimation::Running);
        QCOMPARE(animation->endValue().toReal(), 1.0);
        QVERIFY(column->isVisible());
        QVERIFY(column->width() < 300);
        animation->setCurrentTime(animation->duration());
        QCOMPARE(animation->state(), QAbstractAnimation::Stopped);
        QCOMPARE(column->width(), 300);
        QCOMPARE(column->opacity(), 1.0);
        QVERIFY(column->isVisible());
        QVERIFY(column->content());
        QCOMPARE(column->content()->width(), 300);
        auto *panel = qobject_cast<InspectorPanel *>(column->content());
        QVERIFY(panel);
        QCOMPARE(panel->selectedTab(), InspectorPanel::InspectorTab::document);
        // Another tab, then hidden and shown again: a new panel, back on the document tab.
        panel->tabBar()->button(InspectorPanel::InspectorTab::totals)->click();
        QCOMPARE(panel->selectedTab(), InspectorPanel::InspectorTab::totals);
        view.informationAction()->trigger();
        animation->setCurrentTime(animation->duration());
        QVERIFY(!column->content());
        view.informationAction()->trigger();
        animation->setCurrentTime(animation->duration());
        panel = qobject_cast<InspectorPanel *>(column->content());
        QVERIFY(panel);
        QCOMPARE(panel->selectedTab(), InspectorPanel::InspectorTab::document);
        // It sits at the trailing edge.
        QTRY_COMPARE(column->geometry().right(), view.rect().right());
        QCOMPARE(view.splitter()->geometry().right() + 1, column->geometry().left());

        // Hidden again: slides out to nothing and lets go of the panel.
        view.informationAction()->trigger();
        QVERIFY(!view.showInspector());
        QCOMPARE(animation->endValue().toReal(), 0.0);
        animation->setCurrentTime(animation->duration());
        QCOMPARE(column->width(), 0);
        QVERIFY(column->isHidden());
        QVERIFY(!column->content());
    }

    void inspectorAnimationRunsItsCourse()
    {
        const VelloraDocument document = readFixture(QStringLiteral("no-attachments.xml"));
        ContentView view(document);
        view.show();
        view.informationAction()->trigger();
        // A fade while it runs, then the full column.
        QTRY_VERIFY(view.inspectorColumn()->opacity() > 0.0 &&
                    view.inspectorColumn()->opacity() < 1.0);
        QTRY_COMPARE(view.inspectorAnimation()->state(), QAbstractAnimation::Stopped);
        QCOMPARE(view.inspectorColumn()->width(), 300);
        QCOMPARE(view.inspectorColumn()->opacity(), 1.0);
    }

    void inspectorTurnsAroundMidway()
    {
        const VelloraDocument document = readFixture(QStringLiteral("no-attachments.xml"));
        ContentView view(document);
        view.show();
        QPropertyAnimation *animation = view.inspectorAnimation();
        view.informationAction()->trigger();
        animation->setCurrentTime(100);
        const qreal midway = view.inspectorColumn()->reveal();
        QVERIFY(midway > 0.0 && midway < 1.0);
        view.informationAction()->trigger();
        QCOMPARE(animation->startValue().toReal(), midway);
        QCOMPARE(animation->endValue().toReal(), 0.0);
        animation->setCurrentTime(animation->duration());
        QVERIFY(view.inspectorColumn()->isHidden());
        // Shown again: a new panel.
        view.informationAction()->trigger();
        animation->setCurrentTime(animation->duration());
        QVERIFY(view.inspectorColumn()->content());
        QCOMPARE(view.inspectorColumn()->width(), 300);
    }

    void viewMenuActions_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QStringList>("actions");
        QTest::newRow("invalid document")
            << "not-ubl.xml" << QStringList{"Raw\tCtrl+1", "Tree\tCtrl+2", "Find…\tCtrl+F"};
        QTest::newRow("valid invoice")
            << "two-attachments.xml"
            << QStringList{"Raw\tCtrl+1", "Tree\tCtrl+2", "Find…\tCtrl+F", "XML Source\tCtrl+U"};
    }

    void viewMenuActions()
    {
        QFETCH(QString, fixture);
        QFETCH(QStringList, actions);
        const VelloraDocument document = readFixture(fixture);
        ContentView view(document);
        QStringList texts;
        for (QAction *action : view.viewMenuActions()) {
            texts << action->text() + QLatin1Char('\t') +
                         action->shortcut().toString(QKeySequence::PortableText);
        }
        QCOMPARE(texts, actions);
    }

    void invalidDocumentSwitchesBetweenRawAndTree()
    {
        const VelloraDocument document = readFixture(QStringLiteral("not-ubl.xml"));
        ContentView view(document);
        view.resize(900, 650);
        view.show();
        auto *source = view.xmlSourceView();
        QTRY_COMPARE(source->display(), vellora::xmlview::RawDisplay::singleText);
        QCOMPARE(view.sourceView()->toPlainText(), QString::fromStdString(document.text()));
        view.xmlSourceView()->treeAction()->trigger();
        QCOMPARE(source->display(), vellora::xmlview::RawDisplay::tree);
        QVERIFY(source->treeView()->isVisible());
        QTRY_VERIFY(!source->treeView()->isLoading());
        source->rawAction()->trigger();
        QCOMPARE(source->display(), vellora::xmlview::RawDisplay::singleText);
        QVERIFY(view.sourceView()->isVisible());
    }

    void xmlSourceReplacesThePreviewAndBack()
    {
        const VelloraDocument document = readFixture(QStringLiteral("two-attachments.xml"));
        ContentView view(document);
        view.resize(1000, 700);
        view.show();
        QAction *sourceAction = view.xmlSourceAction();
        QVERIFY(sourceAction->isCheckable());
        QVERIFY(view.detailContent()->isVisible());
        // Raw, Tree and Find wait until the source is on show.
        QVERIFY(!view.xmlSourceView()->rawAction()->isEnabled());
        QVERIFY(!view.xmlSourceView()->treeAction()->isEnabled());

        sourceAction->trigger();
        QVERIFY(view.isXmlSourceShown());
        QVERIFY(!view.detailContent()->isVisible());
        QVERIFY(view.xmlSourceView()->isVisible());
        QVERIFY(view.xmlSourceView()->treeAction()->isEnabled());
        QTRY_COMPARE(view.xmlSourceView()->display(), vellora::xmlview::RawDisplay::singleText);
        QCOMPARE(view.sourceView()->toPlainText(), QString::fromStdString(document.text()));
        view.xmlSourceView()->treeAction()->trigger();
        QTRY_COMPARE(view.xmlSourceView()->treeView()->content(),
                     vellora::xmlview::views::XMLTreeView::Content::tree);

        // Choosing another attachment meanwhile keeps the source on show.
        view.setSelectedSidebarItem(std::nullopt);
        QVERIFY(!view.detailContent()->isVisible());

        sourceAction->trigger();
        QVERIFY(!view.isXmlSourceShown());
        QVERIFY(view.detailContent()->isVisible());
        QVERIFY(!view.xmlSourceView()->isVisible());
        QVERIFY(!view.xmlSourceView()->rawAction()->isEnabled());

        // Shown again: the source kept its mode.
        sourceAction->trigger();
        QCOMPARE(view.xmlSourceView()->viewMode(), vellora::xmlview::XMLViewMode::tree);
    }

    void damageBarShownOnlyForDamagedFiles_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<ContentLayout>("layout");
        QTest::addColumn<QString>("reason"); // empty: no bar
        QTest::newRow("well-formed invoice")
            << QByteArray("<Invoice><ID>1</ID></Invoice>") << ContentLayout::split << QString();
        QTest::newRow("well-formed, not UBL")
            << QByteArray("<Order><ID>1</ID></Order>") << ContentLayout::source << QString();
        QTest::newRow("invoice cut short")
            << QByteArray("<Invoice><ID>1</ID><IssueDate>2024") << ContentLayout::split
            << QStringLiteral("line 1, column 35: Premature end of data in tag IssueDate line 1");
        QTest::newRow("broken tag, not UBL")
            << QByteArray("<Order><ID>1</I></Order>") << ContentLayout::source
            << QStringLiteral("line 1, column 17: Opening and ending tag mismatch: ID line 1 and I");
        QTest::newRow("empty file") << QByteArray() << ContentLayout::source
                                    << QStringLiteral("Document is empty");
    }

    void damageBarShownOnlyForDamagedFiles()
    {
        QFETCH(QByteArray, xml);
        QFETCH(ContentLayout, layout);
        QFETCH(QString, reason);
        const VelloraDocument document = documentOf(xml);
        ContentView view(document);
        view.resize(900, 650);
        view.show();
        QCOMPARE(view.layoutKind(), layout);
        if (reason.isEmpty()) {
            QVERIFY(!view.damageBar());
            QVERIFY(!view.findChild<QWidget *>(QStringLiteral("damageBar")));
            return;
        }
        QVERIFY(view.damageBar());
        QVERIFY(view.damageBar()->isVisible());
        // Above the content: the bar's bottom is the top of the rest.
        const QWidget *content = layout == ContentLayout::split
                                     ? static_cast<QWidget *>(view.splitter())
                                     : static_cast<QWidget *>(view.xmlSourceView());
        QVERIFY(view.damageBar()->geometry().bottom() < content->geometry().top());
        QCOMPARE(view.damageBar()->findChild<QLabel *>(QStringLiteral("damageTitle"))->text(),
                 localized("This file is damaged. Only the part that could be read is shown."));
        QCOMPARE(view.damageBar()->findChild<QLabel *>(QStringLiteral("damageReason"))->text(),
                 localized("First error: %1").arg(reason));
    }

    void damageReasonOfHostileLengthStaysShort()
    {
        // The error quotes the 100,000-character name of the element left open.
        const QByteArray xml = "<Invoice><" + QByteArray(100000, 'a') + "></b></Invoice>";
        const VelloraDocument document = documentOf(xml);
        QVERIFY(document.damage().has_value());
        const std::optional<DamageNotice> notice = damageNotice(document);
        QVERIFY(notice.has_value());
        QVERIFY(notice->reason.startsWith(localized("First error: %1").arg(QStringLiteral("line 1"))));
        QVERIFY(notice->reason.size() <= localized("First error: %1").size() + 300);
    }

    void shortenedCutsLongTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("longest");
        QTest::addColumn<QString>("expected");
        QTest::newRow("shorter") << QStringLiteral("abc") << 5 << QStringLiteral("abc");
        QTest::newRow("exactly as long") << QStringLiteral("abcde") << 5 << QStringLiteral("abcde");
        QTest::newRow("longer") << QStringLiteral("abcdef") << 5 << QStringLiteral("abcd…");
        // "ab😀cd": the cut would fall inside the emoji's surrogate pair.
        QTest::newRow("not inside a surrogate pair")
            << QStringLiteral("ab\U0001F600cd") << 4 << QStringLiteral("ab…");
    }

    void shortenedCutsLongTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, longest);
        QFETCH(QString, expected);
        QCOMPARE(shortened(text, longest), expected);
    }
};

QTEST_MAIN(TestContentView)
#include "test_contentview.moc"
