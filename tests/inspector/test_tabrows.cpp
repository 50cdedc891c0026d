// SPDX-License-Identifier: MIT
#include "inspector/inspectortab.h"
#include "inspector/tabrows.h"
#include "support/decimals.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace vellora::inspector {

// Readable failures for the row types.
void PrintTo(const InfoRowData &row, std::ostream *os)
{
    *os << '{' << row.label << ": " << row.value << '}';
}

} // namespace vellora::inspector

namespace {

using namespace vellora::inspector;
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
using vellora::model::UBLLegalEntity;
using vellora::model::UBLLegalMonetaryTotal;
using vellora::model::UBLParty;
using vellora::model::UBLPartyTaxScheme;
using vellora::model::UBLPayeeFinancialAccount;
using vellora::model::UBLPaymentMeans;
using vellora::model::UBLTaxTotal;
using vellora::sepa::NoPaymentInfoReason;

using vellora::testing::decimal;

const std::string enUS = "en_US";

using Rows = std::vector<InfoRowData>;

// --- Tabs -------------------------------------------------------------------------------

TEST(InspectorTabs, HaveTheirRawTextsIconsAndTitlesInOrder)
{
    struct Expected
    {
        const char *raw, *icon, *title;
    };
    const Expected expected[] = {
        {"document", "doc.text", "document.document"},
        {"supplier", "building.2", "party.supplier"},
        {"customer", "person.crop.circle", "party.customer"},
        {"totals", "dollarsign.circle", "Totals"},
        {"lines", "list.bullet.rectangle", "Lines"},
        {"sepa", "qrcode", "SEPA"},
    };
    ASSERT_EQ(allInspectorTabs.size(), std::size(expected));
    for (std::size_t i = 0; i < allInspectorTabs.size(); ++i) {
        const InspectorTab tab = allInspectorTabs[i];
        EXPECT_EQ(rawValue(tab), expected[i].raw);
        EXPECT_EQ(tabIcon(tab), expected[i].icon);
        EXPECT_EQ(tabTitle(tab), expected[i].title);
        EXPECT_EQ(inspectorTabFromRawValue(expected[i].raw), tab);
    }
    EXPECT_EQ(inspectorTabFromRawValue("Document"), std::nullopt);
    EXPECT_EQ(inspectorTabFromRawValue(""), std::nullopt);
    EXPECT_EQ(inspectorTabFromRawValue("sepa "), std::nullopt);
}

// A complete invoice: parties, totals, lines and payment data for a QR code.
UBLDocumentInfo completeInvoice()
{
    UBLDocumentInfo info;
    info.documentID = "INV-7";
    info.currency = "EUR";
    info.ublVersion = "2.1";
    info.issueDate = Date::fromYearMonthDay(2024, 3, 1);
    UBLParty supplier;
    supplier.partyNames = {"Muster GmbH"};
    info.supplierParty = supplier;
    UBLParty customer;
    customer.partyNames = {"Kunde AG"};
    info.customerParty = customer;
    UBLLegalMonetaryTotal total;
    total.payableAmount = decimal("1234.5");
    info.monetaryTotal = total;
    UBLPaymentMeans means;
    means.payeeFinancialAccount = UBLPayeeFinancialAccount{"DE89370400440532013000", {}, {}};
    info.paymentMeans = {means};
    return info;
}

struct TabContentCase
{
    const char *name;
    InspectorTab tab;
    std::function<void(UBLDocumentInfo &)> change;
    TabContent::Kind kind;
    std::optional<EmptyState> emptyState;
    std::optional<NoPaymentInfoReason> reason;
};

void PrintTo(const TabContentCase &c, std::ostream *os)
{
    *os << c.name;
}

const auto unchanged = [](UBLDocumentInfo &) {};
using Kind = TabContent::Kind;
const EmptyState noSEPA{"qrcode", "No SEPA Payment Info",
                        "This UBL document does not contain the required payment information "
                        "(IBAN, amount, beneficiary) to generate a SEPA QR code."};

const TabContentCase tabContentCases[] = {
    {"document_always",
     InspectorTab::document,
     [](UBLDocumentInfo &d) { d = UBLDocumentInfo(); },
     Kind::documentView,
     {},
     {}},
    {"supplier_present", InspectorTab::supplier, unchanged, Kind::supplierView, {}, {}},
    {"supplier_absent",
     InspectorTab::supplier,
     [](UBLDocumentInfo &d) { d.supplierParty.reset(); },
     Kind::emptyState,
     EmptyState{"info.circle", "No supplier information", std::nullopt},
     {}},
    {"customer_present", InspectorTab::customer, unchanged, Kind::customerView, {}, {}},
    {"customer_absent",
     InspectorTab::customer,
     [](UBLDocumentInfo &d) { d.customerParty.reset(); },
     Kind::emptyState,
     EmptyState{"info.circle", "No customer information", std::nullopt},
     {}},
    {"totals_without_tax_total", InspectorTab::totals, unchanged, Kind::totalsView, {}, {}},
    {"tax_total_alone_is_empty",
     InspectorTab::totals,
     [](UBLDocumentInfo &d) {
         d.monetaryTotal.reset();
         d.taxTotal = UBLTaxTotal{decimal("19"), {}};
     },
     Kind::emptyState,
     EmptyState{"info.circle", "No totals information", std::nullopt},
     {}},
    {"lines_without_lines_still_the_lines_view",
     InspectorTab::lines,
     unchanged,
     Kind::linesView,
     {},
     {}},
    {"sepa_with_payment_data", InspectorTab::sepa, unchanged, Kind::sepaView, {}, {}},
    {"sepa_credit_note", InspectorTab::sepa,
     [](UBLDocumentInfo &d) { d.documentType = UBLDocumentType::creditNote; }, Kind::emptyState,
     noSEPA, NoPaymentInfoReason::creditNote},
    {"sepa_without_account", InspectorTab::sepa,
     [](UBLDocumentInfo &d) { d.paymentMeans.front().payeeFinancialAccount.reset(); },
     Kind::emptyState, noSEPA, NoPaymentInfoReason::noPaymentAccount},
    {"sepa_without_payable_amount", InspectorTab::sepa,
     [](UBLDocumentInfo &d) { d.monetaryTotal->payableAmount.reset(); }, Kind::emptyState, noSEPA,
     NoPaymentInfoReason::noPayableAmount},
};

class TabContents : public testing::TestWithParam<TabContentCase>
{};

TEST_P(TabContents, DecideBetweenViewAndEmptyState)
{
    const TabContentCase &c = GetParam();
    UBLDocumentInfo info = completeInvoice();
    c.change(info);
    const TabContent content = tabContent(c.tab, info);
    EXPECT_EQ(content.kind, c.kind);
    EXPECT_EQ(content.emptyState, c.emptyState);
    EXPECT_EQ(content.noPaymentInfoReason, c.reason);
    EXPECT_EQ(content.paymentInfo.has_value(), c.kind == Kind::sepaView);
    if (content.paymentInfo) {
        EXPECT_EQ(content.paymentInfo->amount, "EUR1234.50");
    }
}

INSTANTIATE_TEST_SUITE_P(Inspector, TabContents, testing::ValuesIn(tabContentCases),
                         [](const auto &info) { return std::string(info.param.name); });

// --- Document tab -----------------------------------------------------------------------

struct DocumentCase
{
    const char *name;
    std::function<void(UBLDocumentInfo &)> change;
    Rows rows;
};

void PrintTo(const DocumentCase &c, std::ostream *os)
{
    *os << c.name;
}

const DocumentCase documentCases[] = {
    {"invoice_all_rows",
     unchanged,
     {{"document.document_type", "INVOICE"},
      {"document.id", "INV-7"},
      {"document.issue_date", "Mar 1, 2024"},
      {"document.currency", "EUR"},
      {"document.ubl_version", "2.1"}}},
    {"credit_note_type",
     [](UBLDocumentInfo &d) { d.documentType = UBLDocumentType::creditNote; },
     {{"document.document_type", "CREDITNOTE"},
      {"document.id", "INV-7"},
      {"document.issue_date", "Mar 1, 2024"},
      {"document.currency", "EUR"},
      {"document.ubl_version", "2.1"}}},
    {"no_issue_date_four_rows",
     [](UBLDocumentInfo &d) { d.issueDate.reset(); },
     {{"document.document_type", "INVOICE"},
      {"document.id", "INV-7"},
      {"document.currency", "EUR"},
      {"document.ubl_version", "2.1"}}},
    {"empty_ubl_version_no_row",
     [](UBLDocumentInfo &d) { d.ublVersion.clear(); },
     {{"document.document_type", "INVOICE"},
      {"document.id", "INV-7"},
      {"document.issue_date", "Mar 1, 2024"},
      {"document.currency", "EUR"}}},
    {"fill_ins_shown",
     [](UBLDocumentInfo &d) {
         d.documentID = "Unknown";
         d.currency = "Unknown";
         d.ublVersion = "Unknown";
     },
     {{"document.document_type", "INVOICE"},
      {"document.id", "Unknown"},
      {"document.issue_date", "Mar 1, 2024"},
      {"document.currency", "Unknown"},
      {"document.ubl_version", "Unknown"}}},
    {"empty_id_still_a_row",
     [](UBLDocumentInfo &d) { d.documentID.clear(); },
     {{"document.document_type", "INVOICE"},
      {"document.id", ""},
      {"document.issue_date", "Mar 1, 2024"},
      {"document.currency", "EUR"},
      {"document.ubl_version", "2.1"}}},
};

class DocumentRows : public testing::TestWithParam<DocumentCase>
{};

TEST_P(DocumentRows, ListTheHeaderFields)
{
    UBLDocumentInfo info = completeInvoice();
    GetParam().change(info);
    EXPECT_EQ(documentRows(info, enUS), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Inspector, DocumentRows, testing::ValuesIn(documentCases),
                         [](const auto &info) { return std::string(info.param.name); });

// --- Party tabs -------------------------------------------------------------------------

UBLParty fullParty()
{
    UBLParty party;
    party.endpointID = "0088:4000001000005";
    party.partyNames = {"Muster GmbH", "Muster Trading"};
    party.legalEntity = UBLLegalEntity{"Muster GmbH & Co. KG", "HRB 1234", "0204", "GmbH"};
    party.partyTaxScheme = UBLPartyTaxScheme{"DE123456789", {}};
    party.postalAddress =
        UBLAddress{"Hauptstraße 1", "Hinterhaus",   "Berlin",
                   "10115",         "Berlin-Mitte", UBLCountry{"DE", "Deutschland"}};
    party.contact = UBLContact{"Erika Muster", "+49 30 123456", "erika@muster.example"};
    return party;
}

struct PartyCase
{
    const char *name;
    std::function<void(UBLParty &)> change;
    std::function<void(PartyContent &)> expect; // changes the full party's content
};

void PrintTo(const PartyCase &c, std::ostream *os)
{
    *os << c.name;
}

PartyContent fullPartyContent()
{
    PartyContent content;
    content.rows = {{"party.name", "Muster GmbH"},
                    {"party.registration_name", "Muster GmbH & Co. KG"},
                    {"party.company_id", "HRB 1234"},
                    {"party.vat_id", "DE123456789"}};
    content.address =
        AddressBlock{{"Hauptstraße 1", "Hinterhaus"}, {"10115", "Berlin"}, "Deutschland"};
    content.contact =
        Rows{{"party.phone", "+49 30 123456"}, {"party.email", "erika@muster.example"}};
    return content;
}

const PartyCase partyCases[] = {
    {"full_party_first_name_only", [](UBLParty &) {}, [](PartyContent &) {}},
    {"no_names_no_name_row", [](UBLParty &p) { p.partyNames.clear(); },
     [](PartyContent &c) { c.rows.erase(c.rows.begin()); }},
    {"legal_form_alone_no_legal_rows",
     [](UBLParty &p) {
         p.legalEntity = UBLLegalEntity{{}, {}, "0204", "GmbH"};
     },
     [](PartyContent &c) {
         c.rows = {{"party.name", "Muster GmbH"}, {"party.vat_id", "DE123456789"}};
     }},
    {"tax_scheme_without_company_id", [](UBLParty &p) { p.partyTaxScheme->companyID.reset(); },
     [](PartyContent &c) { c.rows.pop_back(); }},
    {"country_by_code_alone_no_country_line",
     [](UBLParty &p) {
         p.postalAddress->country = UBLCountry{"DE", std::nullopt};
     },
     [](PartyContent &c) { c.address->countryName.reset(); }},
    {"empty_address_still_a_section", [](UBLParty &p) { p.postalAddress = UBLAddress{}; },
     [](PartyContent &c) { c.address = AddressBlock{}; }},
    {"city_without_postal_zone",
     [](UBLParty &p) {
         p.postalAddress->postalZone.reset();
         p.postalAddress->streetName.reset();
     },
     [](PartyContent &c) {
         c.address = AddressBlock{{"Hinterhaus"}, {"Berlin"}, "Deutschland"};
     }},
    {"no_address_no_section", [](UBLParty &p) { p.postalAddress.reset(); },
     [](PartyContent &c) { c.address.reset(); }},
    {"contact_name_alone_section_without_rows",
     [](UBLParty &p) {
         p.contact = UBLContact{"Erika Muster", {}, {}};
     },
     [](PartyContent &c) { c.contact = Rows{}; }},
    {"email_alone", [](UBLParty &p) { p.contact->telephone.reset(); },
     [](PartyContent &c) {
         c.contact = Rows{{"party.email", "erika@muster.example"}};
     }},
    {"no_contact_no_section", [](UBLParty &p) { p.contact.reset(); },
     [](PartyContent &c) { c.contact.reset(); }},
    {"empty_party_nothing", [](UBLParty &p) { p = UBLParty{}; },
     [](PartyContent &c) { c = PartyContent{}; }},
};

class PartyRows : public testing::TestWithParam<PartyCase>
{};

TEST_P(PartyRows, ListRowsAddressAndContact)
{
    UBLParty party = fullParty();
    GetParam().change(party);
    PartyContent expected = fullPartyContent();
    GetParam().expect(expected);
    const PartyContent content = partyContent(party);
    EXPECT_EQ(content.rows, expected.rows);
    EXPECT_EQ(content.address, expected.address);
    EXPECT_EQ(content.contact, expected.contact);
}

INSTANTIATE_TEST_SUITE_P(Inspector, PartyRows, testing::ValuesIn(partyCases),
                         [](const auto &info) { return std::string(info.param.name); });

// --- Totals tab -------------------------------------------------------------------------

UBLLegalMonetaryTotal fullTotal()
{
    UBLLegalMonetaryTotal total;
    total.lineExtensionAmount = decimal("1000");
    total.taxExclusiveAmount = decimal("1000.00");
    total.taxInclusiveAmount = decimal("1190");
    total.allowanceTotalAmount = decimal("10");
    total.chargeTotalAmount = decimal("20");
    total.prepaidAmount = decimal("100");
    total.payableRoundingAmount = decimal("0.01");
    total.payableAmount = decimal("1090.01");
    return total;
}

struct TotalsCase
{
    const char *name;
    std::function<void(UBLLegalMonetaryTotal &)> change;
    std::optional<UBLTaxTotal> taxTotal;
    const char *currency;
    Rows rows;
    std::optional<std::string> payable;
};

void PrintTo(const TotalsCase &c, std::ostream *os)
{
    *os << c.name;
}

const TotalsCase totalsCases[] = {
    {"all_rows_in_order",
     [](UBLLegalMonetaryTotal &) {},
     UBLTaxTotal{decimal("190"), {}},
     "EUR",
     {{"financial.line_extension_amount", "€1,000.00"},
      {"financial.tax_exclusive_amount", "€1,000.00"},
      {"Tax Amount", "€190.00"},
      {"financial.tax_inclusive_amount", "€1,190.00"},
      {"financial.allowance_total_amount", "€10.00"},
      {"financial.charge_total_amount", "€20.00"},
      {"financial.prepaid_amount", "€100.00"},
      {"financial.rounding_amount", "€0.01"}},
     "€1,090.01"},
    {"payable_alone",
     [](UBLLegalMonetaryTotal &t) {
         t = UBLLegalMonetaryTotal{};
         t.payableAmount = decimal("5");
     },
     std::nullopt,
     "EUR",
     {},
     "€5.00"},
    {"without_payable_ends_with_the_divider",
     [](UBLLegalMonetaryTotal &t) {
         t = UBLLegalMonetaryTotal{};
         t.taxInclusiveAmount = decimal("5");
     },
     std::nullopt,
     "EUR",
     {{"financial.tax_inclusive_amount", "€5.00"}},
     std::nullopt},
    {"tax_total_without_amount_no_tax_row",
     [](UBLLegalMonetaryTotal &t) {
         t = UBLLegalMonetaryTotal{};
         t.payableAmount = decimal("5");
     },
     UBLTaxTotal{std::nullopt, {}},
     "EUR",
     {},
     "€5.00"},
    {"document_currency_used",
     [](UBLLegalMonetaryTotal &t) {
         t = UBLLegalMonetaryTotal{};
         t.payableAmount = decimal("5");
     },
     UBLTaxTotal{decimal("0.95"), {}},
     "USD",
     {{"Tax Amount", "$0.95"}},
     "$5.00"},
    {"unknown_currency_plain",
     [](UBLLegalMonetaryTotal &t) {
         t = UBLLegalMonetaryTotal{};
         t.payableAmount = decimal("5.5");
     },
     std::nullopt,
     "Unknown",
     {},
     "5.5 Unknown"},
};

class TotalsRows : public testing::TestWithParam<TotalsCase>
{};

TEST_P(TotalsRows, ListAmountsThenThePayable)
{
    UBLLegalMonetaryTotal total = fullTotal();
    GetParam().change(total);
    const TotalsContent content =
        totalsContent(total, GetParam().taxTotal, GetParam().currency, enUS);
    EXPECT_EQ(content.rows, GetParam().rows);
    EXPECT_EQ(content.payableAmount, GetParam().payable);
}

INSTANTIATE_TEST_SUITE_P(Inspector, TotalsRows, testing::ValuesIn(totalsCases),
                         [](const auto &info) { return std::string(info.param.name); });

// --- Lines tab --------------------------------------------------------------------------

UBLInvoiceLine invoiceLine(std::string id, std::optional<std::string> name,
                           std::optional<const char *> quantity,
                           std::optional<std::string> unitCode, std::optional<const char *> amount)
{
    UBLInvoiceLine line;
    line.id = std::move(id);
    if (name) {
        UBLItem item;
        item.name = name;
        line.item = item;
    }
    if (quantity) {
        line.invoicedQuantity = decimal(*quantity);
    }
    line.invoicedQuantityUnitCode = std::move(unitCode);
    if (amount) {
        line.lineExtensionAmount = decimal(*amount);
    }
    return line;
}

TEST(LinesContent, InvoiceLinesInOrderAlsoWithSharedIds)
{
    UBLDocumentInfo info = completeInvoice();
    info.invoiceLines = {invoiceLine("1", "Widget", "2.500", "C62", "25"),
                         invoiceLine("1", "Gadget", "1", std::nullopt, "10"),
                         invoiceLine("", std::nullopt, std::nullopt, "H87", std::nullopt)};
    const LinesContent content = linesContent(info);
    EXPECT_EQ(content.caption, "Invoice Lines");
    ASSERT_EQ(content.rows.size(), 3u);
    EXPECT_EQ(content.rows[0].itemName, "Widget");
    EXPECT_EQ(content.rows[1].itemName, "Gadget");
    EXPECT_EQ(content.rows[2].itemName, std::nullopt);
    for (const DocumentLineRow &row : content.rows) {
        EXPECT_EQ(row.currency, "EUR");
    }
}

TEST(LinesContent, CreditNoteLines)
{
    UBLDocumentInfo info = completeInvoice();
    info.documentType = UBLDocumentType::creditNote;
    UBLCreditNoteLine line;
    line.id = "1";
    line.creditedQuantity = decimal("3");
    line.creditedQuantityUnitCode = "HUR";
    line.lineExtensionAmount = decimal("-30");
    line.item = UBLItem{};
    info.creditNoteLines = {line};
    const LinesContent content = linesContent(info);
    EXPECT_EQ(content.caption, "Credit Note Lines");
    ASSERT_EQ(content.rows.size(), 1u);
    const DocumentLineRow expected{std::nullopt, decimal("3"), "HUR", decimal("-30"), "EUR"};
    EXPECT_EQ(content.rows[0], expected);
    EXPECT_EQ(content.rows[0].quantityText(enUS), "3 HUR");
    EXPECT_EQ(content.rows[0].amountText(enUS), "-€30.00");
}

TEST(LinesContent, NoLinesNoCaption)
{
    const LinesContent content = linesContent(completeInvoice());
    EXPECT_EQ(content.caption, std::nullopt);
    EXPECT_TRUE(content.rows.empty());
    EXPECT_EQ(noLinesIcon, "list.bullet");
    EXPECT_EQ(noLinesTitle, "No line items");
}

struct LineTextCase
{
    const char *name;
    DocumentLineRow row;
    std::optional<std::string> quantity;
    std::optional<std::string> amount;
};

void PrintTo(const LineTextCase &c, std::ostream *os)
{
    *os << c.name;
}

const LineTextCase lineTextCases[] = {
    {"quantity_with_unit",
     {"Widget", decimal("2.500"), "C62", decimal("25"), "EUR"},
     "2.5 C62",
     "€25.00"},
    {"quantity_without_unit_ends_with_blank",
     {"Widget", decimal("2.5"), std::nullopt, decimal("25"), "EUR"},
     "2.5 ",
     "€25.00"},
    {"quantity_grouped_and_rounded",
     {{}, decimal("1234.567"), "KGM", {}, "EUR"},
     "1,234.57 KGM",
     std::nullopt},
    {"unit_code_raw_not_translated", {{}, decimal("1"), "XPP", {}, "EUR"}, "1 XPP", std::nullopt},
    {"neither_quantity_nor_amount", {"Widget", {}, "C62", {}, "EUR"}, std::nullopt, std::nullopt},
    {"amount_in_document_currency",
     {{}, {}, {}, decimal("1000"), "GBP"},
     std::nullopt,
     "£1,000.00"},
};

class LineTexts : public testing::TestWithParam<LineTextCase>
{};

TEST_P(LineTexts, FormatQuantityAndAmount)
{
    EXPECT_EQ(GetParam().row.quantityText(enUS), GetParam().quantity);
    EXPECT_EQ(GetParam().row.amountText(enUS), GetParam().amount);
}

INSTANTIATE_TEST_SUITE_P(Inspector, LineTexts, testing::ValuesIn(lineTextCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
