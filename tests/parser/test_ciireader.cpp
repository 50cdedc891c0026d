// SPDX-License-Identifier: MIT
// The CII reader: which documents it reads, the places where CII differs from UBL in ways
// that mislead a reader built like the UBL one, and one invoice written in both syntaxes.
#include "parser/cii/ciireader.h"
#include "parser/velloradocument.h"

#include "sepa/sepaqrcodeservice.h"
#include "support/decimals.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace vellora;
using namespace vellora::model;
using parser::DocumentSyntax;
using parser::VelloraDocument;
using vellora::testing::decimal;

namespace {

constexpr const char *namespaces =
    " xmlns:rsm=\"urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100\""
    " xmlns:ram=\"urn:un:unece:uncefact:data:standard:"
    "ReusableAggregateBusinessInformationEntity:100\""
    " xmlns:udt=\"urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100\"";

// A Cross Industry Invoice with the given parts; the profile's ID comes first, as in every
// real file, and the line items before the header, as the schema orders them.
std::string cii(const std::string &exchanged, const std::string &lines,
                const std::string &agreement, const std::string &delivery,
                const std::string &settlement)
{
    return std::string("<rsm:CrossIndustryInvoice") + namespaces + ">" +
           "<rsm:ExchangedDocumentContext><ram:GuidelineSpecifiedDocumentContextParameter>"
           "<ram:ID>urn:cen.eu:en16931:2017</ram:ID>"
           "</ram:GuidelineSpecifiedDocumentContextParameter></rsm:ExchangedDocumentContext>" +
           "<rsm:ExchangedDocument>" + exchanged + "</rsm:ExchangedDocument>" +
           "<rsm:SupplyChainTradeTransaction>" + lines + "<ram:ApplicableHeaderTradeAgreement>" +
           agreement + "</ram:ApplicableHeaderTradeAgreement><ram:ApplicableHeaderTradeDelivery>" +
           delivery + "</ram:ApplicableHeaderTradeDelivery><ram:ApplicableHeaderTradeSettlement>" +
           settlement +
           "</ram:ApplicableHeaderTradeSettlement></rsm:SupplyChainTradeTransaction>"
           "</rsm:CrossIndustryInvoice>";
}

std::string issued(const std::string &typeCode, const std::string &dateText = "20240301",
                   const std::string &format = " format=\"102\"")
{
    return "<ram:ID>INV-7</ram:ID><ram:TypeCode>" + typeCode +
           "</ram:TypeCode><ram:IssueDateTime><udt:DateTimeString" + format + ">" + dateText +
           "</udt:DateTimeString></ram:IssueDateTime>";
}

std::string seller(const std::string &inside)
{
    return "<ram:SellerTradeParty>" + inside + "</ram:SellerTradeParty>";
}

const std::string euro = "<ram:InvoiceCurrencyCode>EUR</ram:InvoiceCurrencyCode>";

std::string line(const std::string &id, const std::string &agreement = "",
                 const std::string &settlement = "")
{
    return "<ram:IncludedSupplyChainTradeLineItem><ram:AssociatedDocumentLineDocument>"
           "<ram:LineID>" +
           id +
           "</ram:LineID></ram:AssociatedDocumentLineDocument>"
           "<ram:SpecifiedLineTradeAgreement>" +
           agreement + "</ram:SpecifiedLineTradeAgreement><ram:SpecifiedLineTradeSettlement>" +
           settlement +
           "</ram:SpecifiedLineTradeSettlement></ram:IncludedSupplyChainTradeLineItem>";
}

std::string allowance(const std::string &amount, const std::string &reason)
{
    return "<ram:SpecifiedTradeAllowanceCharge><ram:ChargeIndicator><udt:Indicator>false"
           "</udt:Indicator></ram:ChargeIndicator><ram:ActualAmount>" +
           amount + "</ram:ActualAmount><ram:Reason>" + reason +
           "</ram:Reason>"
           "</ram:SpecifiedTradeAllowanceCharge>";
}

std::string period(const std::string &start)
{
    return "<ram:BillingSpecifiedPeriod><ram:StartDateTime><udt:DateTimeString format=\"102\">" +
           start + "</udt:DateTimeString></ram:StartDateTime></ram:BillingSpecifiedPeriod>";
}

const std::string payableTotal = "<ram:SpecifiedTradeSettlementHeaderMonetarySummation>"
                                 "<ram:DuePayableAmount>119.00</ram:DuePayableAmount>"
                                 "</ram:SpecifiedTradeSettlementHeaderMonetarySummation>";

UBLDocumentInfo readCii(const std::string &text)
{
    VelloraDocument::ReadResult read = VelloraDocument::fromBytes(text);
    const auto *document = std::get_if<VelloraDocument>(&read);
    if (!document || !document->ublInfo()) {
        ADD_FAILURE() << "the fixture was not read as a document";
        return {};
    }
    EXPECT_EQ(document->syntax(), DocumentSyntax::cii);
    return *document->ublInfo();
}

// --- Which reader a document goes to -------------------------------------------------------

struct DetectionCase
{
    const char *name;
    std::string text;
    std::optional<DocumentSyntax> syntax;
    const char *message; // the invalid outcome's; nullptr for a valid one
    bool counted;        // an opening the usage statistics count
};

const DetectionCase detectionCases[] = {
    {"cii_with_prefixes", cii(issued("380"), "", "", "", euro), DocumentSyntax::cii, nullptr, true},
    {"cii_in_the_default_namespace",
     "<CrossIndustryInvoice xmlns=\"urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100\">"
     "<ExchangedDocument><ID>D-1</ID></ExchangedDocument></CrossIndustryInvoice>",
     DocumentSyntax::cii, nullptr, true},
    // A CII root that holds an Invoice element is still CII: the root decides.
    {"cii_root_wins_over_an_invoice_element_inside",
     cii(issued("380"), "", "<ram:Invoice/>", "", euro), DocumentSyntax::cii, nullptr, true},
    {"zugferd_1_is_refused",
     "<rsm:CrossIndustryDocument xmlns:rsm=\"urn:ferd:CrossIndustryDocument:invoice:1p0\">"
     "<rsm:HeaderExchangedDocument><ram:ID xmlns:ram=\"urn:x\">Z-1</ram:ID>"
     "</rsm:HeaderExchangedDocument></rsm:CrossIndustryDocument>",
     std::nullopt, "Unsupported format: ZUGFeRD 1.0", false},
    // The name alone is not enough: the namespace must be the CII one.
    {"cross_industry_invoice_in_another_namespace",
     "<x:CrossIndustryInvoice xmlns:x=\"urn:example\"><x:ID>1</x:ID></x:CrossIndustryInvoice>",
     std::nullopt, "Not a valid UBL document", false},
    {"order_x_is_no_invoice",
     "<rsm:SCRDMCCBDACIOMessageStructure "
     "xmlns:rsm=\"urn:un:unece:uncefact:data:SCRDMCCBDACIOMessageStructure:100\"/>",
     std::nullopt, "Not a valid UBL document", false},
    {"ubl_invoice", "<Invoice><ID>U-1</ID></Invoice>", DocumentSyntax::ubl, nullptr, true},
};

class Detection : public ::testing::TestWithParam<DetectionCase>
{};

TEST_P(Detection, TheRootElementChoosesTheReader)
{
    const DetectionCase &c = GetParam();
    VelloraDocument::ReadResult read = VelloraDocument::fromBytes(c.text);
    ASSERT_TRUE(std::holds_alternative<VelloraDocument>(read));
    const VelloraDocument &document = std::get<VelloraDocument>(read);
    EXPECT_EQ(document.syntax(), c.syntax);
    EXPECT_EQ(document.reachedParser(), c.counted);
    ASSERT_TRUE(document.validationResult());
    if (c.message) {
        ASSERT_NE(document.validationResult()->message(), nullptr);
        EXPECT_EQ(*document.validationResult()->message(), c.message);
        EXPECT_EQ(document.ublInfo(), nullptr);
    } else {
        EXPECT_NE(document.ublInfo(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(CiiReader, Detection, ::testing::ValuesIn(detectionCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CiiReaderDetection, ZugferdOneIsAnUnsupportedFormat)
{
    VelloraDocument::ReadResult read = VelloraDocument::fromBytes(
        "<CrossIndustryDocument xmlns=\"urn:ferd:CrossIndustryDocument:invoice:1p0\"/>");
    const auto &outcome = std::get<VelloraDocument>(read).validationResult();
    ASSERT_TRUE(outcome && outcome->failure());
    EXPECT_EQ(outcome->failure()->kind, UBLValidationResult::Invalid::Kind::unsupportedFormat);
}

// --- The pitfalls ---------------------------------------------------------------------------

struct PitfallCase
{
    const char *name;
    std::string text;
    std::function<void(const UBLDocumentInfo &)> check;
};

const std::string debtorAccount = "<ram:PayerPartyDebtorFinancialAccount><ram:IBANID>"
                                  "DE02120300000000202051</ram:IBANID>"
                                  "</ram:PayerPartyDebtorFinancialAccount>";
const std::string creditorAccount = "<ram:PayeePartyCreditorFinancialAccount><ram:IBANID>"
                                    "DE89370400440532013000</ram:IBANID>"
                                    "</ram:PayeePartyCreditorFinancialAccount>";

std::string means(const std::string &inside)
{
    return "<ram:SpecifiedTradeSettlementPaymentMeans><ram:TypeCode>59</ram:TypeCode>" + inside +
           "</ram:SpecifiedTradeSettlementPaymentMeans>";
}

std::optional<Date> day(int y, unsigned m, unsigned d)
{
    return Date::fromYearMonthDay(y, m, d);
}

const std::string namedSeller =
    seller("<ram:Name>Muster GmbH</ram:Name><ram:SpecifiedLegalOrganization>"
           "<ram:TradingBusinessName>Muster</ram:TradingBusinessName>"
           "</ram:SpecifiedLegalOrganization>");

std::string typeCase(const std::string &code)
{
    return cii(issued(code), line("1"), "", "", euro);
}

void isCreditNote(const UBLDocumentInfo &d)
{
    EXPECT_EQ(d.documentType, UBLDocumentType::creditNote);
    EXPECT_TRUE(d.invoiceLines.empty());
    ASSERT_EQ(d.creditNoteLines.size(), 1u);
    EXPECT_EQ(d.creditNoteLines[0].id, "1");
}

void isInvoice(const UBLDocumentInfo &d)
{
    EXPECT_EQ(d.documentType, UBLDocumentType::invoice);
    EXPECT_TRUE(d.creditNoteLines.empty());
    ASSERT_EQ(d.invoiceLines.size(), 1u);
    EXPECT_EQ(d.invoiceLines[0].id, "1");
}

std::string dateCase(const std::string &text, const std::string &format = " format=\"102\"")
{
    return cii(issued("380", text, format), "", "", "", euro);
}

const PitfallCase pitfallCases[] = {
    // The first ID of every file is the profile's; the number is the exchanged document's.
    {"document_id_is_not_the_profile_id", cii(issued("380"), "", "", "", euro),
     [](const UBLDocumentInfo &d) { EXPECT_EQ(d.documentID, "INV-7"); }},
    {"document_id_missing_is_unknown",
     cii("<ram:TypeCode>380</ram:TypeCode>", line("1"), "", "", euro),
     [](const UBLDocumentInfo &d) { EXPECT_EQ(d.documentID, "Unknown"); }},
    // Lines come before the header: each header value is the header's, not a line's.
    {"header_reads_are_anchored_after_the_lines",
     cii(issued("380"),
         line("1",
              "<ram:BuyerOrderReferencedDocument><ram:IssuerAssignedID>LINE-ORDER"
              "</ram:IssuerAssignedID><ram:LineID>4</ram:LineID></ram:BuyerOrderReferencedDocument>"
              "<ram:AdditionalReferencedDocument><ram:IssuerAssignedID>OBJ-1</ram:IssuerAssignedID>"
              "<ram:URIID>urn:line</ram:URIID></ram:AdditionalReferencedDocument>",
              allowance("1.00", "line")),
         "<ram:BuyerOrderReferencedDocument><ram:IssuerAssignedID>PO-9</ram:IssuerAssignedID>"
         "</ram:BuyerOrderReferencedDocument><ram:AdditionalReferencedDocument>"
         "<ram:IssuerAssignedID>DOC-1</ram:IssuerAssignedID><ram:TypeCode>916</ram:TypeCode>"
         "<ram:AttachmentBinaryObject mimeCode=\"application/pdf\" filename=\"a.pdf\"> QUJD "
         "</ram:AttachmentBinaryObject></ram:AdditionalReferencedDocument>",
         "", euro + allowance("5.00", "header")),
     [](const UBLDocumentInfo &d) {
         ASSERT_TRUE(d.orderReference);
         EXPECT_EQ(d.orderReference->id, "PO-9");
         ASSERT_EQ(d.attachments.size(), 1u);
         EXPECT_EQ(d.attachments[0].documentID, "DOC-1");
         EXPECT_EQ(d.attachments[0].filename, "a.pdf");
         EXPECT_EQ(d.attachments[0].embeddedData, SharedText("QUJD"));
         EXPECT_EQ(d.attachments[0].documentTypeCode, std::nullopt);
         // The header's allowance first, then the line's, each with the invoice currency.
         ASSERT_EQ(d.allowanceCharges.size(), 2u);
         EXPECT_EQ(d.allowanceCharges[0].allowanceChargeReason, "header");
         EXPECT_EQ(d.allowanceCharges[1].allowanceChargeReason, "line");
         EXPECT_EQ(d.allowanceCharges[1].amountCurrencyID, "EUR");
         EXPECT_EQ(d.allowanceCharges[0].chargeIndicator, false);
         ASSERT_EQ(d.invoiceLines.size(), 1u);
         ASSERT_TRUE(d.invoiceLines[0].orderLineReference);
         EXPECT_EQ(d.invoiceLines[0].orderLineReference->lineID, "4");
     }},
    // The buyer's direct-debit account is never the payee's, whichever comes first.
    {"buyer_iban_alone_is_no_payee_account",
     cii(issued("380"), "", namedSeller, "", euro + means(debtorAccount) + payableTotal),
     [](const UBLDocumentInfo &d) {
         ASSERT_EQ(d.paymentMeans.size(), 1u);
         EXPECT_EQ(d.paymentMeans[0].payeeFinancialAccount, std::nullopt);
         EXPECT_EQ(sepa::SEPAQRCodeService().makePaymentInfo(d), std::nullopt);
     }},
    {"buyer_iban_before_the_sellers_is_passed_over",
     cii(issued("380"), "", namedSeller, "",
         euro + means(debtorAccount + creditorAccount) + payableTotal),
     [](const UBLDocumentInfo &d) {
         ASSERT_EQ(d.paymentMeans.size(), 1u);
         ASSERT_TRUE(d.paymentMeans[0].payeeFinancialAccount);
         EXPECT_EQ(d.paymentMeans[0].payeeFinancialAccount->id, "DE89370400440532013000");
         const auto payment = sepa::SEPAQRCodeService().makePaymentInfo(d);
         ASSERT_TRUE(payment);
         EXPECT_NE(payment->payloadText().find("DE89370400440532013000"), std::string::npos);
         EXPECT_EQ(payment->payloadText().find("DE02120300000000202051"), std::string::npos);
     }},
    // Credit notes share the root with invoices: the type code tells them apart.
    {"type_381_is_a_credit_note", typeCase("381"), isCreditNote},
    {"type_81_is_a_credit_note", typeCase("81"), isCreditNote},
    {"type_380_is_an_invoice", typeCase("380"), isInvoice},
    {"type_384_corrected_invoice_is_an_invoice", typeCase("384"), isInvoice},
    {"type_code_padded_with_blanks", typeCase(" 381 "), isCreditNote},
    {"no_type_code_is_an_invoice", cii("<ram:ID>X</ram:ID>", line("1"), "", "", euro), isInvoice},
    // Dates are YYYYMMDD in format 102 and must be real days.
    {"date_format_102", dateCase("20240301"),
     [](const UBLDocumentInfo &d) { EXPECT_EQ(d.issueDate, day(2024, 3, 1)); }},
    {"date_without_format_read_as_102", dateCase("20240229", ""),
     [](const UBLDocumentInfo &d) { EXPECT_EQ(d.issueDate, day(2024, 2, 29)); }},
    {"date_not_a_real_day", dateCase("20230229"),
     [](const UBLDocumentInfo &d) { EXPECT_EQ(d.issueDate, std::nullopt); }},
    {"date_in_another_format", dateCase("202403", " format=\"610\""),
     [](const UBLDocumentInfo &d) { EXPECT_EQ(d.issueDate, std::nullopt); }},
    {"date_written_the_ubl_way", dateCase("2024-03-01", ""),
     [](const UBLDocumentInfo &d) { EXPECT_EQ(d.issueDate, std::nullopt); }},
    {"date_with_seven_digits", dateCase("2024031"),
     [](const UBLDocumentInfo &d) { EXPECT_EQ(d.issueDate, std::nullopt); }},
    // A party's contact e-mail comes before its endpoint; the VAT registration is preferred.
    {"endpoint_is_not_the_contact_email",
     cii(issued("380"), "",
         seller("<ram:Name>Muster GmbH</ram:Name><ram:DefinedTradeContact>"
                "<ram:DepartmentName>Sales</ram:DepartmentName>"
                "<ram:EmailURIUniversalCommunication><ram:URIID>mail@example.org</ram:URIID>"
                "</ram:EmailURIUniversalCommunication></ram:DefinedTradeContact>"
                "<ram:URIUniversalCommunication><ram:URIID schemeID=\"EM\">in@example.org"
                "</ram:URIID></ram:URIUniversalCommunication>"
                "<ram:SpecifiedTaxRegistration><ram:ID schemeID=\"FC\">201/113/40209</ram:ID>"
                "</ram:SpecifiedTaxRegistration><ram:SpecifiedTaxRegistration>"
                "<ram:ID schemeID=\"VA\">DE123456789</ram:ID></ram:SpecifiedTaxRegistration>"),
         "", euro),
     [](const UBLDocumentInfo &d) {
         ASSERT_TRUE(d.supplierParty);
         EXPECT_EQ(d.supplierParty->endpointID, "in@example.org");
         EXPECT_EQ(d.supplierParty->endpointSchemeID, "EM");
         ASSERT_TRUE(d.supplierParty->contact);
         EXPECT_EQ(d.supplierParty->contact->name, "Sales");
         EXPECT_EQ(d.supplierParty->contact->electronicMail, "mail@example.org");
         ASSERT_TRUE(d.supplierParty->partyTaxScheme);
         EXPECT_EQ(d.supplierParty->partyTaxScheme->companyID, "DE123456789");
         EXPECT_EQ(d.supplierParty->partyTaxScheme->taxScheme, (UBLTaxScheme{"VAT", {}}));
         // The legal name is the legal entity's; there is no trading name.
         EXPECT_TRUE(d.supplierParty->partyNames.empty());
         ASSERT_TRUE(d.supplierParty->legalEntity);
         EXPECT_EQ(d.supplierParty->legalEntity->registrationName, "Muster GmbH");
     }},
    // The header delivery must be written and is often empty: then there is no delivery.
    {"empty_delivery_is_no_delivery", cii(issued("380"), "", "", "", euro),
     [](const UBLDocumentInfo &d) { EXPECT_EQ(d.delivery, std::nullopt); }},
    {"ship_to_party_makes_a_delivery",
     cii(issued("380"), "", "",
         "<ram:ShipToTradeParty><ram:GlobalID schemeID=\"0088\">4000001000005</ram:GlobalID>"
         "<ram:Name>Depot</ram:Name></ram:ShipToTradeParty>",
         euro),
     [](const UBLDocumentInfo &d) {
         ASSERT_TRUE(d.delivery);
         EXPECT_EQ(d.delivery->id, "4000001000005");
         EXPECT_EQ(d.delivery->deliveryLocation, "4000001000005");
         ASSERT_TRUE(d.delivery->deliveryParty);
         EXPECT_EQ(d.delivery->deliveryParty->partyNames, std::vector<std::string>{"Depot"});
         EXPECT_EQ(d.delivery->deliveryAddress, std::nullopt);
     }},
    // Two tax totals: the one in the invoice currency, even when it comes second.
    {"tax_total_in_the_invoice_currency",
     cii(issued("380"), "", "", "",
         euro + "<ram:SpecifiedTradeSettlementHeaderMonetarySummation>"
                "<ram:TaxTotalAmount currencyID=\"SEK\">210.00</ram:TaxTotalAmount>"
                "<ram:TaxTotalAmount currencyID=\"EUR\">19.00</ram:TaxTotalAmount>"
                "</ram:SpecifiedTradeSettlementHeaderMonetarySummation>"),
     [](const UBLDocumentInfo &d) {
         ASSERT_TRUE(d.taxTotal);
         EXPECT_EQ(d.taxTotal->taxAmount, decimal("19.00"));
     }},
    // Without a header period the first period a line has; the due-date type goes into it.
    {"invoice_period_falls_back_to_a_line",
     cii(issued("380"),
         line("1") + line("2", "", period("20240105")) + line("3", "", period("20240201")), "", "",
         euro + "<ram:ApplicableTradeTax><ram:DueDateTypeCode>72</ram:DueDateTypeCode>"
                "</ram:ApplicableTradeTax>"),
     [](const UBLDocumentInfo &d) {
         ASSERT_TRUE(d.invoicePeriod);
         EXPECT_EQ(d.invoicePeriod->startDate, day(2024, 1, 5));
         EXPECT_EQ(d.invoicePeriod->descriptionCode, "432");
     }},
    {"header_invoice_period_wins",
     cii(issued("380"), line("1", "", period("20240105")), "", "", euro + period("20240301")),
     [](const UBLDocumentInfo &d) {
         ASSERT_TRUE(d.invoicePeriod);
         EXPECT_EQ(d.invoicePeriod->startDate, day(2024, 3, 1));
         EXPECT_EQ(d.invoicePeriod->descriptionCode, std::nullopt);
     }},
    // The due date is a credit note's payment means' date; an invoice shows none.
    {"credit_note_due_date_in_every_payment_means",
     cii(issued("381"), "", "", "",
         euro + means("") + means("") +
             "<ram:SpecifiedTradePaymentTerms><ram:DueDateDateTime><udt:DateTimeString "
             "format=\"102\">20240331</udt:DateTimeString></ram:DueDateDateTime>"
             "</ram:SpecifiedTradePaymentTerms>"),
     [](const UBLDocumentInfo &d) {
         ASSERT_EQ(d.paymentMeans.size(), 2u);
         EXPECT_EQ(d.paymentMeans[0].paymentDueDate, day(2024, 3, 31));
         EXPECT_EQ(d.paymentMeans[1].paymentDueDate, day(2024, 3, 31));
         // Terms holding a due date only have no text: no payment terms.
         EXPECT_EQ(d.paymentTerms, std::nullopt);
     }},
    {"invoice_due_date_not_shown",
     cii(issued("380"), "", "", "",
         euro + means("") +
             "<ram:SpecifiedTradePaymentTerms><ram:Description>30 days</ram:Description>"
             "<ram:DueDateDateTime><udt:DateTimeString format=\"102\">20240331"
             "</udt:DateTimeString></ram:DueDateDateTime></ram:SpecifiedTradePaymentTerms>"),
     [](const UBLDocumentInfo &d) {
         ASSERT_EQ(d.paymentMeans.size(), 1u);
         EXPECT_EQ(d.paymentMeans[0].paymentDueDate, std::nullopt);
         ASSERT_TRUE(d.paymentTerms);
         EXPECT_EQ(d.paymentTerms->note, "30 days");
         EXPECT_EQ(d.paymentTerms->paymentDueDate, std::nullopt);
     }},
    // A file with nothing but its root still reads, with the usual placeholders.
    {"bare_root", std::string("<rsm:CrossIndustryInvoice") + namespaces + "/>",
     [](const UBLDocumentInfo &d) {
         EXPECT_EQ(d.documentType, UBLDocumentType::invoice);
         EXPECT_EQ(d.documentID, "Unknown");
         EXPECT_EQ(d.currency, "Unknown");
         EXPECT_EQ(d.ublVersion, "Unknown");
         EXPECT_EQ(d.supplierParty, std::nullopt);
         EXPECT_EQ(d.monetaryTotal, std::nullopt);
         EXPECT_TRUE(d.invoiceLines.empty());
     }},
};

class Pitfalls : public ::testing::TestWithParam<PitfallCase>
{};

TEST_P(Pitfalls, ReadAsTheUblTwinWouldBe)
{
    GetParam().check(readCii(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(CiiReader, Pitfalls, ::testing::ValuesIn(pitfallCases),
                         [](const auto &info) { return std::string(info.param.name); });

// --- One invoice in both syntaxes ----------------------------------------------------------

constexpr const char *ublTwin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Invoice xmlns="urn:oasis:names:specification:ubl:schema:xsd:Invoice-2"
 xmlns:cac="urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2"
 xmlns:cbc="urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2">
 <cbc:ID>TW-2024-01</cbc:ID>
 <cbc:IssueDate>2024-03-01</cbc:IssueDate>
 <cbc:InvoiceTypeCode>380</cbc:InvoiceTypeCode>
 <cbc:DocumentCurrencyCode>EUR</cbc:DocumentCurrencyCode>
 <cac:InvoicePeriod><cbc:StartDate>2024-02-01</cbc:StartDate><cbc:EndDate>2024-02-29</cbc:EndDate></cac:InvoicePeriod>
 <cac:OrderReference><cbc:ID>PO-77</cbc:ID></cac:OrderReference>
 <cac:AccountingSupplierParty><cac:Party>
  <cbc:EndpointID schemeID="EM">billing@muster.example</cbc:EndpointID>
  <cac:PartyName><cbc:Name>Muster</cbc:Name></cac:PartyName>
  <cac:PostalAddress><cbc:StreetName>Hauptstr. 1</cbc:StreetName><cbc:CityName>Berlin</cbc:CityName>
   <cbc:PostalZone>10115</cbc:PostalZone><cac:Country><cbc:IdentificationCode>DE</cbc:IdentificationCode></cac:Country></cac:PostalAddress>
  <cac:PartyTaxScheme><cbc:CompanyID>DE123456789</cbc:CompanyID><cac:TaxScheme><cbc:ID>VAT</cbc:ID></cac:TaxScheme></cac:PartyTaxScheme>
  <cac:PartyLegalEntity><cbc:RegistrationName>Muster GmbH</cbc:RegistrationName><cbc:CompanyID schemeID="0204">HRB 1</cbc:CompanyID></cac:PartyLegalEntity>
  <cac:Contact><cbc:Name>Anna</cbc:Name><cbc:Telephone>+49 30 1</cbc:Telephone><cbc:ElectronicMail>anna@muster.example</cbc:ElectronicMail></cac:Contact>
 </cac:Party></cac:AccountingSupplierParty>
 <cac:AccountingCustomerParty><cac:Party>
  <cac:PostalAddress><cbc:CityName>Hamburg</cbc:CityName><cac:Country><cbc:IdentificationCode>DE</cbc:IdentificationCode></cac:Country></cac:PostalAddress>
  <cac:PartyLegalEntity><cbc:RegistrationName>Kunde AG</cbc:RegistrationName></cac:PartyLegalEntity>
 </cac:Party></cac:AccountingCustomerParty>
 <cac:PaymentMeans><cbc:PaymentMeansCode>58</cbc:PaymentMeansCode><cbc:PaymentID>TW-2024-01</cbc:PaymentID>
  <cac:PayeeFinancialAccount><cbc:ID>DE89370400440532013000</cbc:ID><cbc:Name>Muster GmbH</cbc:Name>
   <cac:FinancialInstitutionBranch><cbc:ID>COBADEFFXXX</cbc:ID></cac:FinancialInstitutionBranch></cac:PayeeFinancialAccount>
 </cac:PaymentMeans>
 <cac:PaymentTerms><cbc:Note>14 days net</cbc:Note></cac:PaymentTerms>
 <cac:AllowanceCharge><cbc:ChargeIndicator>false</cbc:ChargeIndicator><cbc:AllowanceChargeReason>Loyalty</cbc:AllowanceChargeReason>
  <cbc:Amount currencyID="EUR">10.00</cbc:Amount>
  <cac:TaxCategory><cbc:ID>S</cbc:ID><cbc:Percent>19</cbc:Percent><cac:TaxScheme><cbc:ID>VAT</cbc:ID></cac:TaxScheme></cac:TaxCategory>
 </cac:AllowanceCharge>
 <cac:TaxTotal><cbc:TaxAmount currencyID="EUR">17.10</cbc:TaxAmount>
  <cac:TaxSubtotal><cbc:TaxableAmount currencyID="EUR">90.00</cbc:TaxableAmount><cbc:TaxAmount currencyID="EUR">17.10</cbc:TaxAmount>
   <cac:TaxCategory><cbc:ID>S</cbc:ID><cbc:Percent>19</cbc:Percent><cac:TaxScheme><cbc:ID>VAT</cbc:ID></cac:TaxScheme></cac:TaxCategory>
  </cac:TaxSubtotal>
 </cac:TaxTotal>
 <cac:LegalMonetaryTotal>
  <cbc:LineExtensionAmount currencyID="EUR">100.00</cbc:LineExtensionAmount>
  <cbc:TaxExclusiveAmount currencyID="EUR">90.00</cbc:TaxExclusiveAmount>
  <cbc:TaxInclusiveAmount currencyID="EUR">107.10</cbc:TaxInclusiveAmount>
  <cbc:AllowanceTotalAmount currencyID="EUR">10.00</cbc:AllowanceTotalAmount>
  <cbc:PayableAmount currencyID="EUR">107.10</cbc:PayableAmount>
 </cac:LegalMonetaryTotal>
 <cac:InvoiceLine>
  <cbc:ID>1</cbc:ID>
  <cbc:InvoicedQuantity unitCode="HUR">4</cbc:InvoicedQuantity>
  <cbc:LineExtensionAmount currencyID="EUR">100.00</cbc:LineExtensionAmount>
  <cac:Item><cbc:Description>Hours of consulting</cbc:Description><cbc:Name>Consulting</cbc:Name>
   <cac:SellersItemIdentification><cbc:ID>C-1</cbc:ID></cac:SellersItemIdentification>
   <cac:ClassifiedTaxCategory><cbc:ID>S</cbc:ID><cbc:Percent>19</cbc:Percent><cac:TaxScheme><cbc:ID>VAT</cbc:ID></cac:TaxScheme></cac:ClassifiedTaxCategory>
  </cac:Item>
  <cac:Price><cbc:PriceAmount currencyID="EUR">25.00</cbc:PriceAmount><cbc:BaseQuantity unitCode="HUR">1</cbc:BaseQuantity></cac:Price>
 </cac:InvoiceLine>
</Invoice>
)";

constexpr const char *ciiTwin = R"(<?xml version="1.0" encoding="UTF-8"?>
<rsm:CrossIndustryInvoice xmlns:rsm="urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100"
 xmlns:ram="urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100"
 xmlns:udt="urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100">
 <rsm:ExchangedDocumentContext><ram:GuidelineSpecifiedDocumentContextParameter><ram:ID>urn:cen.eu:en16931:2017</ram:ID></ram:GuidelineSpecifiedDocumentContextParameter></rsm:ExchangedDocumentContext>
 <rsm:ExchangedDocument><ram:ID>TW-2024-01</ram:ID><ram:TypeCode>380</ram:TypeCode>
  <ram:IssueDateTime><udt:DateTimeString format="102">20240301</udt:DateTimeString></ram:IssueDateTime></rsm:ExchangedDocument>
 <rsm:SupplyChainTradeTransaction>
  <ram:IncludedSupplyChainTradeLineItem>
   <ram:AssociatedDocumentLineDocument><ram:LineID>1</ram:LineID></ram:AssociatedDocumentLineDocument>
   <ram:SpecifiedTradeProduct><ram:SellerAssignedID>C-1</ram:SellerAssignedID><ram:Name>Consulting</ram:Name><ram:Description>Hours of consulting</ram:Description></ram:SpecifiedTradeProduct>
   <ram:SpecifiedLineTradeAgreement><ram:NetPriceProductTradePrice><ram:ChargeAmount>25.00</ram:ChargeAmount><ram:BasisQuantity unitCode="HUR">1</ram:BasisQuantity></ram:NetPriceProductTradePrice></ram:SpecifiedLineTradeAgreement>
   <ram:SpecifiedLineTradeDelivery><ram:BilledQuantity unitCode="HUR">4</ram:BilledQuantity></ram:SpecifiedLineTradeDelivery>
   <ram:SpecifiedLineTradeSettlement>
    <ram:ApplicableTradeTax><ram:TypeCode>VAT</ram:TypeCode><ram:CategoryCode>S</ram:CategoryCode><ram:RateApplicablePercent>19</ram:RateApplicablePercent></ram:ApplicableTradeTax>
    <ram:SpecifiedTradeSettlementLineMonetarySummation><ram:LineTotalAmount>100.00</ram:LineTotalAmount></ram:SpecifiedTradeSettlementLineMonetarySummation>
   </ram:SpecifiedLineTradeSettlement>
  </ram:IncludedSupplyChainTradeLineItem>
  <ram:ApplicableHeaderTradeAgreement>
   <ram:SellerTradeParty><ram:Name>Muster GmbH</ram:Name>
    <ram:SpecifiedLegalOrganization><ram:ID schemeID="0204">HRB 1</ram:ID><ram:TradingBusinessName>Muster</ram:TradingBusinessName></ram:SpecifiedLegalOrganization>
    <ram:DefinedTradeContact><ram:PersonName>Anna</ram:PersonName><ram:TelephoneUniversalCommunication><ram:CompleteNumber>+49 30 1</ram:CompleteNumber></ram:TelephoneUniversalCommunication>
     <ram:EmailURIUniversalCommunication><ram:URIID>anna@muster.example</ram:URIID></ram:EmailURIUniversalCommunication></ram:DefinedTradeContact>
    <ram:PostalTradeAddress><ram:PostcodeCode>10115</ram:PostcodeCode><ram:LineOne>Hauptstr. 1</ram:LineOne><ram:CityName>Berlin</ram:CityName><ram:CountryID>DE</ram:CountryID></ram:PostalTradeAddress>
    <ram:URIUniversalCommunication><ram:URIID schemeID="EM">billing@muster.example</ram:URIID></ram:URIUniversalCommunication>
    <ram:SpecifiedTaxRegistration><ram:ID schemeID="VA">DE123456789</ram:ID></ram:SpecifiedTaxRegistration>
   </ram:SellerTradeParty>
   <ram:BuyerTradeParty><ram:Name>Kunde AG</ram:Name>
    <ram:PostalTradeAddress><ram:CityName>Hamburg</ram:CityName><ram:CountryID>DE</ram:CountryID></ram:PostalTradeAddress>
   </ram:BuyerTradeParty>
   <ram:BuyerOrderReferencedDocument><ram:IssuerAssignedID>PO-77</ram:IssuerAssignedID></ram:BuyerOrderReferencedDocument>
  </ram:ApplicableHeaderTradeAgreement>
  <ram:ApplicableHeaderTradeDelivery/>
  <ram:ApplicableHeaderTradeSettlement>
   <ram:PaymentReference>TW-2024-01</ram:PaymentReference>
   <ram:InvoiceCurrencyCode>EUR</ram:InvoiceCurrencyCode>
   <ram:SpecifiedTradeSettlementPaymentMeans><ram:TypeCode>58</ram:TypeCode>
    <ram:PayeePartyCreditorFinancialAccount><ram:IBANID>DE89370400440532013000</ram:IBANID><ram:AccountName>Muster GmbH</ram:AccountName></ram:PayeePartyCreditorFinancialAccount>
    <ram:PayeeSpecifiedCreditorFinancialInstitution><ram:BICID>COBADEFFXXX</ram:BICID></ram:PayeeSpecifiedCreditorFinancialInstitution>
   </ram:SpecifiedTradeSettlementPaymentMeans>
   <ram:ApplicableTradeTax><ram:CalculatedAmount>17.10</ram:CalculatedAmount><ram:TypeCode>VAT</ram:TypeCode><ram:BasisAmount>90.00</ram:BasisAmount><ram:CategoryCode>S</ram:CategoryCode><ram:RateApplicablePercent>19</ram:RateApplicablePercent></ram:ApplicableTradeTax>
   <ram:BillingSpecifiedPeriod><ram:StartDateTime><udt:DateTimeString format="102">20240201</udt:DateTimeString></ram:StartDateTime>
    <ram:EndDateTime><udt:DateTimeString format="102">20240229</udt:DateTimeString></ram:EndDateTime></ram:BillingSpecifiedPeriod>
   <ram:SpecifiedTradeAllowanceCharge><ram:ChargeIndicator><udt:Indicator>false</udt:Indicator></ram:ChargeIndicator>
    <ram:ActualAmount>10.00</ram:ActualAmount><ram:Reason>Loyalty</ram:Reason>
    <ram:CategoryTradeTax><ram:TypeCode>VAT</ram:TypeCode><ram:CategoryCode>S</ram:CategoryCode><ram:RateApplicablePercent>19</ram:RateApplicablePercent></ram:CategoryTradeTax>
   </ram:SpecifiedTradeAllowanceCharge>
   <ram:SpecifiedTradePaymentTerms><ram:Description>14 days net</ram:Description></ram:SpecifiedTradePaymentTerms>
   <ram:SpecifiedTradeSettlementHeaderMonetarySummation>
    <ram:LineTotalAmount>100.00</ram:LineTotalAmount><ram:AllowanceTotalAmount>10.00</ram:AllowanceTotalAmount>
    <ram:TaxBasisTotalAmount>90.00</ram:TaxBasisTotalAmount><ram:TaxTotalAmount currencyID="EUR">17.10</ram:TaxTotalAmount>
    <ram:GrandTotalAmount>107.10</ram:GrandTotalAmount><ram:DuePayableAmount>107.10</ram:DuePayableAmount>
   </ram:SpecifiedTradeSettlementHeaderMonetarySummation>
  </ram:ApplicableHeaderTradeSettlement>
 </rsm:SupplyChainTradeTransaction>
</rsm:CrossIndustryInvoice>
)";

TEST(CiiReaderTwin, OneInvoiceInBothSyntaxesGivesTheSameModel)
{
    VelloraDocument::ReadResult ublRead = VelloraDocument::fromBytes(ublTwin);
    VelloraDocument::ReadResult ciiRead = VelloraDocument::fromBytes(ciiTwin);
    const VelloraDocument &ubl = std::get<VelloraDocument>(ublRead);
    const VelloraDocument &cii = std::get<VelloraDocument>(ciiRead);
    ASSERT_NE(ubl.ublInfo(), nullptr);
    ASSERT_NE(cii.ublInfo(), nullptr);
    EXPECT_EQ(ubl.syntax(), DocumentSyntax::ubl);
    EXPECT_EQ(cii.syntax(), DocumentSyntax::cii);
    const UBLDocumentInfo &u = *ubl.ublInfo();
    const UBLDocumentInfo &c = *cii.ublInfo();

    // Record by record first, so a difference names its place.
    EXPECT_EQ(c.documentID, u.documentID);
    EXPECT_EQ(c.issueDate, u.issueDate);
    EXPECT_EQ(c.currency, u.currency);
    EXPECT_EQ(c.supplierParty, u.supplierParty);
    EXPECT_EQ(c.customerParty, u.customerParty);
    EXPECT_EQ(c.monetaryTotal, u.monetaryTotal);
    EXPECT_EQ(c.taxTotal, u.taxTotal);
    EXPECT_EQ(c.invoiceLines, u.invoiceLines);
    EXPECT_EQ(c.paymentMeans, u.paymentMeans);
    EXPECT_EQ(c.paymentTerms, u.paymentTerms);
    EXPECT_EQ(c.allowanceCharges, u.allowanceCharges);
    EXPECT_EQ(c.orderReference, u.orderReference);
    EXPECT_EQ(c.delivery, u.delivery);
    EXPECT_EQ(c.invoicePeriod, u.invoicePeriod);
    EXPECT_EQ(c, u);
    // The fixture is not trivially equal: it carries the values compared.
    ASSERT_EQ(c.invoiceLines.size(), 1u);
    ASSERT_TRUE(c.supplierParty && c.supplierParty->partyTaxScheme);

    const auto ublPayment = sepa::SEPAQRCodeService().makePaymentInfo(u);
    const auto ciiPayment = sepa::SEPAQRCodeService().makePaymentInfo(c);
    ASSERT_TRUE(ublPayment && ciiPayment);
    EXPECT_EQ(ciiPayment->payloadText(), ublPayment->payloadText());
}

} // namespace
