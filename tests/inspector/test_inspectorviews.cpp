// SPDX-License-Identifier: MIT
// The inspector panel, its tabs and building blocks, driven without a screen.
#include "app/style/localization.h"
#include "inspector/views/inspectorblocks.h"
#include "inspector/views/inspectorlinesview.h"
#include "inspector/views/inspectorpanel.h"
#include "inspector/views/inspectortotalsview.h"
#include "sepa/sepainforows.h"
#include "sepa/views/inspectorsepaview.h"
#include "support/decimals.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace vellora::inspector;
using namespace vellora::inspector::views;
using vellora::model::Date;
using vellora::model::Decimal;
using vellora::model::UBLAddress;
using vellora::model::UBLContact;
using vellora::model::UBLCountry;
using vellora::model::UBLCreditNoteLine;
using vellora::model::UBLDocumentInfo;
using vellora::model::UBLDocumentType;
using vellora::model::UBLInvoiceLine;
using vellora::model::UBLItem;
using vellora::model::UBLLegalMonetaryTotal;
using vellora::model::UBLParty;
using vellora::model::UBLPayeeFinancialAccount;
using vellora::model::UBLPaymentMeans;
using vellora::model::UBLTaxTotal;
using Tab = InspectorPanel::InspectorTab;
using Change = std::function<void(UBLDocumentInfo &)>;

Q_DECLARE_METATYPE(Tab)
Q_DECLARE_METATYPE(Change)

namespace {

using vellora::testing::decimal;

UBLInvoiceLine invoiceLine(std::string id, std::optional<std::string> name, const char *quantity,
                           const char *amount)
{
    UBLInvoiceLine line;
    line.id = std::move(id);
    if (name) {
        UBLItem item;
        item.name = std::move(name);
        line.item = item;
    }
    line.invoicedQuantity = decimal(quantity);
    line.invoicedQuantityUnitCode = "C62";
    line.lineExtensionAmount = decimal(amount);
    return line;
}

// A complete invoice in euro with parties, totals, two lines and payment data.
UBLDocumentInfo invoice()
{
    UBLDocumentInfo info;
    info.documentID = "INV-7";
    info.currency = "EUR";
    info.ublVersion = "2.1";
    info.issueDate = Date::fromYearMonthDay(2024, 3, 1);
    UBLParty supplier;
    supplier.partyNames = {"Muster GmbH"};
    supplier.postalAddress =
        UBLAddress{"Hauptstraße 1", {}, "Berlin", "10115", {}, UBLCountry{"DE", std::nullopt}};
    supplier.contact = UBLContact{"Erika", {}, "erika@muster.example"};
    info.supplierParty = supplier;
    UBLParty customer;
    customer.partyNames = {"Kunde AG"};
    info.customerParty = customer;
    UBLLegalMonetaryTotal total;
    total.lineExtensionAmount = decimal("1037.39");
    total.payableAmount = decimal("1234.5");
    info.monetaryTotal = total;
    info.taxTotal = UBLTaxTotal{decimal("197.11"), {}};
    info.invoiceLines = {invoiceLine("1", "Widget", "2.500", "25"),
                         invoiceLine("1", "Gadget", "1", "10")};
    UBLPaymentMeans means;
    means.payeeFinancialAccount = UBLPayeeFinancialAccount{"DE89370400440532013000", {}, {}};
    means.instructionNote = "Order 4711";
    info.paymentMeans = {means};
    return info;
}

// The label and value texts of every InfoRow below `widget`, in order, "LABEL=value".
QStringList infoRows(const QWidget *widget)
{
    QStringList rows;
    for (const InfoRow *row : widget->findChildren<InfoRow *>()) {
        rows << row->labelView()->text() + QLatin1Char('=') + row->valueView()->text();
    }
    return rows;
}

QStringList sectionHeaders(const QWidget *widget)
{
    QStringList titles;
    for (const InspectorSectionHeader *header : widget->findChildren<InspectorSectionHeader *>()) {
        titles << header->text();
    }
    return titles;
}

} // namespace

class TestInspectorViews : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(!vellora::app::style::installTranslations(*QCoreApplication::instance(),
                                                          QLocale(QLocale::English))
                     .isEmpty());
    }

    // Every key the core can choose has an entry in the text table; its fixed phrases have
    // none and are shown as written, in German too.
    void everyKeyTheCoreChoosesIsInTheTable()
    {
        QFile file(QStringLiteral(VELLORA_SOURCE_DIR "/i18n/vellora_en.ts"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString ts = QString::fromUtf8(file.readAll());
        QSet<QString> table;
        const QRegularExpression source(QStringLiteral("<source>(.*?)</source>"));
        for (auto it = source.globalMatch(ts); it.hasNext();) {
            table.insert(it.next().captured(1));
        }

        QStringList chosen;
        UBLDocumentInfo full = invoice();
        full.ublVersion = "2.1";
        for (InspectorTab tab : allInspectorTabs) {
            chosen << QString::fromStdString(std::string(tabTitle(tab)));
            const TabContent empty = tabContent(tab, UBLDocumentInfo());
            if (empty.emptyState) {
                chosen << QString::fromStdString(empty.emptyState->title);
                if (empty.emptyState->message) {
                    chosen << QString::fromStdString(*empty.emptyState->message);
                }
            }
        }
        UBLParty party;
        party.partyNames = {"n"};
        party.legalEntity = vellora::model::UBLLegalEntity{"r", "c", {}, {}};
        party.partyTaxScheme = vellora::model::UBLPartyTaxScheme{"v", {}};
        party.contact = UBLContact{{}, "p", "e"};
        UBLLegalMonetaryTotal total;
        for (auto *amount :
             {&total.lineExtensionAmount, &total.taxExclusiveAmount, &total.taxInclusiveAmount,
              &total.allowanceTotalAmount, &total.chargeTotalAmount, &total.prepaidAmount,
              &total.payableRoundingAmount, &total.payableAmount}) {
            *amount = decimal("1");
        }
        std::vector<InfoRowData> rows = documentRows(full, "en_US");
        const PartyContent partyRows = partyContent(party);
        rows.insert(rows.end(), partyRows.rows.begin(), partyRows.rows.end());
        rows.insert(rows.end(), partyRows.contact->begin(), partyRows.contact->end());
        const TotalsContent totals = totalsContent(total, full.taxTotal, "EUR", "en_US");
        rows.insert(rows.end(), totals.rows.begin(), totals.rows.end());
        for (const InfoRowData &row : rows) {
            chosen << QString::fromStdString(row.label);
        }
        chosen << QString::fromStdString(std::string(payableAmountLabel))
               << QString::fromStdString(*linesContent(full).caption)
               << QString::fromStdString(std::string(noLinesTitle));
        UBLDocumentInfo note = full;
        note.documentType = UBLDocumentType::creditNote;
        note.creditNoteLines = {UBLCreditNoteLine{}};
        note.invoiceLines.clear();
        chosen << QString::fromStdString(*linesContent(note).caption);
        vellora::sepa::SEPAPaymentInfo payment;
        payment.bic = "COBADEFFXXX";
        for (const auto &row : vellora::sepa::sepaInfoRows(payment, std::string("r"))) {
            chosen << QString::fromStdString(row.labelKey);
        }
        QCOMPARE(chosen.size(), 6 + 4 + 1 + 5 + 6 + 8 + 3 + 1 + 5);
        const QRegularExpression key(QStringLiteral("^[a-z_]+(\\.[a-z_0-9]+)+$"));
        int phrases = 0;
        vellora::app::style::installTranslations(*QCoreApplication::instance(),
                                                 QLocale(QLocale::German));
        for (const QString &text : chosen) {
            const QByteArray utf8 = text.toUtf8();
            if (key.match(text).hasMatch()) {
                QVERIFY2(table.contains(text), utf8.constData());
                QVERIFY2(inspectorText(utf8.toStdString()) != text, utf8.constData());
            } else {
                ++phrases;
                QVERIFY2(!table.contains(text), utf8.constData());
                QCOMPARE(inspectorText(utf8.toStdString()), text);
            }
        }
        vellora::app::style::installTranslations(*QCoreApplication::instance(),
                                                 QLocale(QLocale::English));
        // Totals, Lines, SEPA, four empty-state titles, the SEPA message, Tax Amount, two
        // captions and "No line items".
        QCOMPARE(phrases, 12);
    }

    void infoRowUpperCasesItsLabelOnly_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shownLabel");
        QTest::newRow("sharp s becomes SS") << "Straße"
                                            << "Hauptstraße 1"
                                            << "STRASSE";
        QTest::newRow("accents kept") << "Société générale"
                                      << "x"
                                      << "SOCIÉTÉ GÉNÉRALE";
        QTest::newRow("dotted i without Turkish rules") << "iban"
                                                        << "x"
                                                        << "IBAN";
        QTest::newRow("empty value keeps its line") << "Note"
                                                    << ""
                                                    << "NOTE";
    }

    void infoRowUpperCasesItsLabelOnly()
    {
        QFETCH(QString, label);
        QFETCH(QString, value);
        QFETCH(QString, shownLabel);
        InfoRow row(label, value);
        QCOMPARE(row.labelView()->text(), shownLabel);
        QCOMPARE(row.valueView()->text(), value);
        QVERIFY(row.valueView()->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
        QVERIFY(row.valueView()->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard));
        QVERIFY(!row.labelView()->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
        QVERIFY(row.valueView()->minimumHeight() > 0);
        QCOMPARE(row.sizeHint().height() > row.labelView()->sizeHint().height(), true);
    }

    void infoRowValueCanBeCopied()
    {
        InfoRow row(QStringLiteral("IBAN"), QStringLiteral("DE89370400440532013000"));
        row.show();
        QVERIFY(QTest::qWaitForWindowExposed(&row));
        row.valueView()->setFocus();
        QTest::keySequence(row.valueView(), QKeySequence::SelectAll);
        QCOMPARE(row.valueView()->selectedText(), QStringLiteral("DE89370400440532013000"));
        QApplication::clipboard()->clear();
        QTest::keySequence(row.valueView(), QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("DE89370400440532013000"));
    }

    void sectionHeaderLooksLikeALabel()
    {
        InspectorSectionHeader header(QStringLiteral("Anschrift straße"));
        QCOMPARE(header.text(), QStringLiteral("ANSCHRIFT STRASSE"));
        InfoRow row(QStringLiteral("x"), QStringLiteral("y"));
        QCOMPARE(header.font(), row.labelView()->font());
        QCOMPARE(header.foregroundRole(), row.labelView()->foregroundRole());
    }

    void emptyStateShowsTheMessageOnlyWhenGiven()
    {
        InspectorEmptyStateView plain(QStringLiteral("info.circle"), QStringLiteral("Nothing"));
        QVERIFY(!plain.messageView());
        QCOMPARE(plain.findChildren<QLabel *>().size(), 1);
        InspectorEmptyStateView withMessage(QStringLiteral("qrcode"), QStringLiteral("Nothing"),
                                            QStringLiteral("Because."));
        QVERIFY(withMessage.messageView());
        QCOMPARE(withMessage.messageView()->text(), QStringLiteral("Because."));
        // Without a message the view is shorter: no gap is kept for it.
        QVERIFY(plain.sizeHint().height() < withMessage.sizeHint().height());
    }

    void tabBarListsTheSixTabsInOrder()
    {
        InspectorPanel panel(invoice());
        const QStringList names{"document", "supplier", "customer", "totals", "lines", "sepa"};
        const QStringList titles{"Document", "Supplier", "Customer", "Totals", "Lines", "SEPA"};
        const auto buttons = panel.tabBar()->findChildren<InspectorTabButton *>();
        QCOMPARE(buttons.size(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(buttons[i]->objectName(), names[i]);
            QCOMPARE(buttons[i]->text(), titles[i]);
        }
        QCOMPARE(panel.selectedTab(), Tab::document);
        QVERIFY(panel.tabBar()->button(Tab::document)->isSelected());
        QVERIFY(!panel.tabBar()->button(Tab::sepa)->isSelected());
    }

    void clickingATabSelectsIt()
    {
        InspectorPanel panel(invoice());
        panel.resize(300, 700);
        panel.show();
        QSignalSpy changed(&panel, &InspectorPanel::selectedTabChanged);
        QTest::mouseClick(panel.tabBar()->button(Tab::totals), Qt::LeftButton);
        QCOMPARE(panel.selectedTab(), Tab::totals);
        QVERIFY(panel.tabBar()->button(Tab::totals)->isSelected());
        QVERIFY(!panel.tabBar()->button(Tab::document)->isSelected());
        QVERIFY(qobject_cast<InspectorTotalsView *>(panel.content()));
        QCOMPARE(changed.count(), 1);
        // The selected tab again changes nothing, not even the content.
        QWidget *content = panel.content();
        QTest::mouseClick(panel.tabBar()->button(Tab::totals), Qt::LeftButton);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(panel.content(), content);
    }

    void creditNoteHasTheSameTabs()
    {
        UBLDocumentInfo note = invoice();
        note.documentType = UBLDocumentType::creditNote;
        InspectorPanel invoicePanel(invoice());
        InspectorPanel notePanel(note);
        for (InspectorTab tab : allInspectorTabs) {
            QCOMPARE(notePanel.tabBar()->button(tab)->text(),
                     invoicePanel.tabBar()->button(tab)->text());
        }
    }

    // Each tab's rows, captions and empty states, as the panel shows them.
    void tabShowsItsRows_data()
    {
        QTest::addColumn<Tab>("tab");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QString>("emptyTitle");

        const Change none = [](UBLDocumentInfo &) {};
        QTest::newRow("document invoice")
            << Tab::document << none
            << QStringList{"DOCUMENT TYPE=INVOICE", "DOCUMENT NUMBER=INV-7",
                           "ISSUE DATE=Mar 1, 2024", "CURRENCY=EUR", "UBL VERSION=2.1"}
            << QStringList{} << QString();
        QTest::newRow("document credit note without date or version")
            << Tab::document << Change([](UBLDocumentInfo &d) {
                   d.documentType = UBLDocumentType::creditNote;
                   d.issueDate.reset();
                   d.ublVersion.clear();
               })
            << QStringList{"DOCUMENT TYPE=CREDITNOTE", "DOCUMENT NUMBER=INV-7", "CURRENCY=EUR"}
            << QStringList{} << QString();
        QTest::newRow("supplier with address and contact")
            << Tab::supplier << none
            << QStringList{"NAME=Muster GmbH", "EMAIL=erika@muster.example"}
            << QStringList{"ADDRESS", "CONTACT"} << QString();
        QTest::newRow("customer name only")
            << Tab::customer << none << QStringList{"NAME=Kunde AG"} << QStringList{} << QString();
        QTest::newRow("supplier missing")
            << Tab::supplier << Change([](UBLDocumentInfo &d) { d.supplierParty.reset(); })
            << QStringList{} << QStringList{} << "No supplier information";
        QTest::newRow("customer missing")
            << Tab::customer << Change([](UBLDocumentInfo &d) { d.customerParty.reset(); })
            << QStringList{} << QStringList{} << "No customer information";
        QTest::newRow("totals with tax amount")
            << Tab::totals << none
            << QStringList{"SUM OF LINE AMOUNTS=€1,037.39", "TAX AMOUNT=€197.11"} << QStringList{}
            << QString();
        QTest::newRow("totals without tax total")
            << Tab::totals << Change([](UBLDocumentInfo &d) { d.taxTotal.reset(); })
            << QStringList{"SUM OF LINE AMOUNTS=€1,037.39"} << QStringList{} << QString();
        QTest::newRow("tax total without monetary total")
            << Tab::totals << Change([](UBLDocumentInfo &d) { d.monetaryTotal.reset(); })
            << QStringList{} << QStringList{} << "No totals information";
        QTest::newRow("lines empty")
            << Tab::lines << Change([](UBLDocumentInfo &d) { d.invoiceLines.clear(); })
            << QStringList{} << QStringList{} << "No line items";
        QTest::newRow("sepa rows with the note as reference")
            << Tab::sepa << none
            << QStringList{"BENEFICIARY=Muster GmbH", "IBAN=DE89370400440532013000",
                           "AMOUNT=1234.50 EUR", "PAYMENT REFERENCE=Order 4711"}
            << QStringList{} << QString();
        QTest::newRow("sepa empty for a credit note")
            << Tab::sepa
            << Change([](UBLDocumentInfo &d) { d.documentType = UBLDocumentType::creditNote; })
            << QStringList{} << QStringList{} << "No SEPA Payment Info";
    }

    void tabShowsItsRows()
    {
        QFETCH(Tab, tab);
        QFETCH(Change, change);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, headers);
        QFETCH(QString, emptyTitle);
        UBLDocumentInfo info = invoice();
        change(info);
        InspectorPanel panel(info);
        panel.setSelectedTab(tab);
        QCOMPARE(panel.selectedTab(), tab);
        QWidget *content = panel.content();
        QVERIFY(content);
        QCOMPARE(infoRows(content), rows);
        QCOMPARE(sectionHeaders(content), headers);
        auto *empty = content->findChild<InspectorEmptyStateView *>();
        QCOMPARE(empty ? empty->titleView()->text() : QString(), emptyTitle);
    }

    void sepaEmptyStateSaysWhy_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("reason");
        QTest::newRow("credit note")
            << Change([](UBLDocumentInfo &d) { d.documentType = UBLDocumentType::creditNote; })
            << "This is a credit note: the supplier owes you the amount, so there is nothing to "
               "transfer.";
        QTest::newRow("dollars") << Change([](UBLDocumentInfo &d) { d.currency = "USD"; })
                                 << "The amounts are not in euro; a SEPA code transfers euro only.";
        QTest::newRow("no account") << Change([](UBLDocumentInfo &d) {
            d.paymentMeans.front().payeeFinancialAccount.reset();
        }) << "The first means of payment names no account (IBAN).";
        QTest::newRow("amount too large")
            << Change([](UBLDocumentInfo &d) { d.monetaryTotal->payableAmount = decimal("1E+9"); })
            << "The amount to pay is not between 0.01 and 999,999,999.99 euro.";
    }

    void sepaEmptyStateSaysWhy()
    {
        QFETCH(Change, change);
        QFETCH(QString, reason);
        UBLDocumentInfo info = invoice();
        change(info);
        InspectorPanel panel(info);
        panel.setSelectedTab(Tab::sepa);
        auto *empty = panel.content()->findChild<InspectorEmptyStateView *>();
        QVERIFY(empty);
        QCOMPARE(empty->icon(), QStringLiteral("qrcode"));
        QCOMPARE(empty->titleView()->text(), QStringLiteral("No SEPA Payment Info"));
        QVERIFY(empty->messageView());
        QVERIFY(empty->messageView()->text().startsWith(
            QStringLiteral("This UBL document does not contain the required payment")));
        QVERIFY(empty->detailView());
        QCOMPARE(empty->detailView()->text(), reason);
    }

    void everyReasonHasAnEnglishAndGermanText()
    {
        using vellora::sepa::NoPaymentInfoReason;
        const NoPaymentInfoReason reasons[] = {
            NoPaymentInfoReason::creditNote,      NoPaymentInfoReason::notInEuro,
            NoPaymentInfoReason::noPaymentMeans,  NoPaymentInfoReason::noPaymentAccount,
            NoPaymentInfoReason::noSupplierName,  NoPaymentInfoReason::noPayableAmount,
            NoPaymentInfoReason::amountOutOfRange};
        for (const QLocale &locale : {QLocale(QLocale::English), QLocale(QLocale::German)}) {
            vellora::app::style::installTranslations(*QCoreApplication::instance(), locale);
            QSet<QString> texts;
            for (NoPaymentInfoReason reason : reasons) {
                const QString text = vellora::sepa::views::noPaymentInfoReasonText(reason);
                QVERIFY2(!text.startsWith(QLatin1String("sepa.")), qPrintable(text));
                texts.insert(text);
            }
            QCOMPARE(texts.size(), int(std::size(reasons)));
        }
        vellora::app::style::installTranslations(*QCoreApplication::instance(),
                                                 QLocale(QLocale::English));
    }

    void totalsEndWithThePayableAmount_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("payable");
        QTest::newRow("payable shown bold")
            << Change([](UBLDocumentInfo &) {}) << QStringLiteral("€1,234.50");
        QTest::newRow("no payable ends with the divider")
            << Change([](UBLDocumentInfo &d) { d.monetaryTotal->payableAmount.reset(); })
            << QString();
    }

    void totalsEndWithThePayableAmount()
    {
        QFETCH(Change, change);
        QFETCH(QString, payable);
        UBLDocumentInfo info = invoice();
        change(info);
        InspectorTotalsView view(*info.monetaryTotal, info.taxTotal, info.currency);
        QCOMPARE(view.findChildren<Divider *>().size(), 1);
        if (payable.isNull()) {
            QVERIFY(!view.payableAmountView());
            return;
        }
        QVERIFY(view.payableAmountView());
        QCOMPARE(view.payableAmountView()->text(), payable);
        QVERIFY(view.payableAmountView()->font().bold());
        QVERIFY(view.findChildren<QLabel *>().contains(view.payableAmountView()));
        const auto labels = view.findChildren<QLabel *>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel *label) {
            return label->text() == QStringLiteral("AMOUNT DUE");
        }));
    }

    void linesListEveryLineOnceInOrder()
    {
        UBLDocumentInfo info = invoice();
        info.invoiceLines.push_back(invoiceLine("1", std::nullopt, "3", "-1.5"));
        InspectorLinesView view(info);
        QVERIFY(view.listView());
        const DocumentLinesModel *model = view.linesModel();
        QCOMPARE(model->rowCount(), 4); // the caption and three lines, two sharing the id 1
        QCOMPARE(model->index(0).data().toString(), QStringLiteral("Invoice Lines"));
        QVERIFY(model->index(0).data(DocumentLinesModel::IsCaptionRole).toBool());
        const QStringList names{"Widget", "Gadget", QString()};
        const QStringList quantities{"2.5 C62", "1 C62", "3 C62"};
        const QStringList amounts{"€25.00", "€10.00", "-€1.50"};
        for (int i = 0; i < 3; ++i) {
            const QModelIndex index = model->index(i + 1);
            QCOMPARE(index.data(DocumentLinesModel::ItemNameRole).toString(), names[i]);
            QCOMPARE(index.data(DocumentLinesModel::QuantityTextRole).toString(), quantities[i]);
            QCOMPARE(index.data(DocumentLinesModel::AmountTextRole).toString(), amounts[i]);
        }
        // The line without an item has no name line: its card is lower.
        LineCardDelegate delegate;
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 300, 100);
        QVERIFY(delegate.sizeHint(option, model->index(3)).height() <
                delegate.sizeHint(option, model->index(1)).height());
    }

    void creditNoteLinesHaveTheirCaption()
    {
        UBLDocumentInfo info = invoice();
        info.documentType = UBLDocumentType::creditNote;
        info.invoiceLines.clear();
        UBLCreditNoteLine line;
        line.creditedQuantity = decimal("2");
        info.creditNoteLines = {line};
        InspectorLinesView view(info);
        QCOMPARE(view.linesModel()->index(0).data().toString(),
                 QStringLiteral("Credit Note Lines"));
        // Neither amount nor unit: "2 " and no amount.
        QCOMPARE(view.linesModel()->index(1).data(DocumentLinesModel::QuantityTextRole).toString(),
                 QStringLiteral("2 "));
        QVERIFY(view.linesModel()->index(1).data(DocumentLinesModel::AmountTextRole).isNull() ||
                view.linesModel()
                    ->index(1)
                    .data(DocumentLinesModel::AmountTextRole)
                    .toString()
                    .isNull());
    }

    void longItemNamesStopAfterTwoLines_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("elided");
        QTest::newRow("short name one line") << "Widget" << 1 << false;
        QTest::newRow("two lines") << "Espresso machine service annual maintenance" << 2 << false;
        QTest::newRow("long name ends in an ellipsis")
            << QStringLiteral("Espresso machine service, annual maintenance with descaling, "
                              "filter change, and a full inspection of every seal and valve")
            << 2 << true;
        QTest::newRow("one endless word") << QString(200, QLatin1Char('x')) << 2 << true;
    }

    void longItemNamesStopAfterTwoLines()
    {
        QFETCH(QString, name);
        QFETCH(int, lines);
        QFETCH(bool, elided);
        QFont font = QApplication::font();
        font.setPointSize(12);
        const int width =
            QFontMetrics(font).horizontalAdvance(QStringLiteral("Espresso machine service ")) + 4;
        const QStringList drawn = LineCardDelegate::nameLines(name, font, width);
        QCOMPARE(drawn.size(), lines);
        QCOMPARE(drawn.last().endsWith(QChar(0x2026)), elided);
        for (const QString &line : drawn) {
            QVERIFY(QFontMetrics(font).horizontalAdvance(line) <= width);
        }
    }

    // Ten thousand lines: the tab is on screen quickly and scrolls to the end.
    void tenThousandLinesShowFast()
    {
        UBLDocumentInfo info = invoice();
        info.invoiceLines.clear();
        for (int i = 0; i < 10000; ++i) {
            info.invoiceLines.push_back(invoiceLine(
                std::to_string(i % 7), "Item number " + std::to_string(i), "1", "9.99"));
        }
        InspectorPanel panel(info);
        panel.resize(300, 800);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QElapsedTimer timer;
        timer.start();
        panel.setSelectedTab(Tab::lines);
        QApplication::processEvents();
        panel.repaint();
        const qint64 shown = timer.elapsed();
        QVERIFY2(shown < 1000, qPrintable(QString::number(shown)));
        auto *view = qobject_cast<InspectorLinesView *>(panel.content());
        QVERIFY(view && view->listView());
        QScrollBar *bar = view->listView()->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        QApplication::processEvents();
        const QModelIndex last =
            view->listView()->indexAt(QPoint(150, view->listView()->viewport()->height() - 20));
        QCOMPARE(last.row(), 10000);
        QCOMPARE(last.data(DocumentLinesModel::ItemNameRole).toString(),
                 QStringLiteral("Item number 9999"));
    }
};

QTEST_MAIN(TestInspectorViews)
#include "test_inspectorviews.moc"
