// SPDX-License-Identifier: MIT
#include "model/decimal.h"
#include "sepa/sepainforows.h"
#include "sepa/sepaqrcodeservice.h"
#include "sepatestdata.h"
#include "support/decimals.h"

#include "support/scopedlocale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <ostream>
#include <string>

namespace {

using vellora::model::Decimal;
using vellora::model::UBLDocumentInfo;
using vellora::model::UBLDocumentType;
using vellora::model::UBLLegalEntity;
using vellora::model::UBLFinancialInstitutionBranch;
using vellora::model::UBLLegalMonetaryTotal;
using vellora::model::UBLParty;
using vellora::model::UBLPayeeFinancialAccount;
using vellora::model::UBLPaymentMeans;
using vellora::sepa::NoPaymentInfoReason;
using vellora::sepa::SEPAInfoRow;
using vellora::sepa::SEPAPaymentInfo;
using vellora::sepa::SEPAQRCodeService;
using vellora::sepa::testdata::repeated;

using vellora::testing::decimal;

// An invoice that yields payment info, with a second payment means that must never be used.
UBLDocumentInfo payableInvoice()
{
    UBLDocumentInfo document;
    document.documentType = UBLDocumentType::invoice;
    document.documentID = "INV-7";
    document.currency = "EUR";
    document.ublVersion = "2.1";
    UBLParty supplier;
    supplier.partyNames = {"Muster GmbH", "Muster Trading"};
    document.supplierParty = supplier;
    UBLLegalMonetaryTotal total;
    total.payableAmount = decimal("1234.5");
    document.monetaryTotal = total;
    UBLPaymentMeans first;
    first.paymentMeansCode = "58";
    first.paymentID = "PAYMENT-ID-NOT-USED";
    first.payeeFinancialAccount =
        UBLPayeeFinancialAccount{"DE89 3704 0044 0532 0130 00", "Account name not used",
                                 UBLFinancialInstitutionBranch{"COBADEFFXXX", "Commerzbank"}};
    UBLPaymentMeans second;
    second.instructionNote = "RF18539007547034";
    second.payeeFinancialAccount =
        UBLPayeeFinancialAccount{"FR7630006000011234567890189", std::nullopt,
                                 UBLFinancialInstitutionBranch{"AGRIFRPPXXX", std::nullopt}};
    document.paymentMeans = {first, second};
    return document;
}

// What payableInvoice yields.
SEPAPaymentInfo payableInvoiceInfo()
{
    return vellora::sepa::testdata::invoicePaymentInfo();
}

UBLPaymentMeans &firstMeans(UBLDocumentInfo &d)
{
    return d.paymentMeans.front();
}

void setAmount(UBLDocumentInfo &d, const char *amount)
{
    d.monetaryTotal->payableAmount = decimal(amount);
}

void setBIC(UBLDocumentInfo &d, std::optional<std::string> bic)
{
    firstMeans(d).payeeFinancialAccount->financialInstitutionBranch->id = std::move(bic);
}

void setNote(UBLDocumentInfo &d, std::optional<std::string> note)
{
    firstMeans(d).instructionNote = std::move(note);
}

// A case changes the invoice and says what the payment info becomes, or that there is none.
struct DerivationCase
{
    const char *name;
    std::function<void(UBLDocumentInfo &)> change;
    std::function<void(SEPAPaymentInfo &)> expect; // empty: no payment info
};

void PrintTo(const DerivationCase &c, std::ostream *os)
{
    *os << c.name;
}

const auto none = std::function<void(SEPAPaymentInfo &)>();

void asBase(SEPAPaymentInfo &) {}

// Sets the two remittance lines of the expected record.
std::function<void(SEPAPaymentInfo &)> remittance(std::optional<std::string> reference,
                                                  std::optional<std::string> text)
{
    return [=](SEPAPaymentInfo &info) {
        info.remittanceReference = reference;
        info.remittanceText = text;
    };
}

const std::string longNote133 = repeated("n", 133);
// "e" with a combining acute accent: one character, two code points, three bytes.
const std::string eAcute = "e\xcc\x81";
// Man, ZWJ, woman, ZWJ, girl: one character (a family emoji) of five code points.
const std::string family =
    "\xf0\x9f\x91\xa8\xe2\x80\x8d\xf0\x9f\x91\xa9\xe2\x80\x8d\xf0\x9f\x91\xa7";

const DerivationCase derivationCases[] = {
    {"complete_invoice", [](UBLDocumentInfo &) {}, asBase},

    // Document kind and currency.
    {"usd_gives_none", [](UBLDocumentInfo &d) { d.currency = "USD"; }, none},
    {"lower_case_eur_gives_none", [](UBLDocumentInfo &d) { d.currency = "eur"; }, none},
    {"unknown_currency_gives_none", [](UBLDocumentInfo &d) { d.currency = "Unknown"; }, none},
    {"credit_note_gives_none",
     [](UBLDocumentInfo &d) { d.documentType = UBLDocumentType::creditNote; }, none},

    // The payable amount, as the payload writes it.
    {"amount_zero_gives_none", [](UBLDocumentInfo &d) { setAmount(d, "0"); }, none},
    {"amount_negative_zero_gives_none", [](UBLDocumentInfo &d) { setAmount(d, "-0"); }, none},
    {"amount_negative_gives_none", [](UBLDocumentInfo &d) { setAmount(d, "-12.5"); }, none},
    {"amount_99_999_rounds_up", [](UBLDocumentInfo &d) { setAmount(d, "99.999"); },
     [](SEPAPaymentInfo &i) { i.amount = "EUR100.00"; }},
    {"amount_2_675_rounds_as_the_double", [](UBLDocumentInfo &d) { setAmount(d, "2.675"); },
     [](SEPAPaymentInfo &i) { i.amount = "EUR2.67"; }},
    {"amount_one_million", [](UBLDocumentInfo &d) { setAmount(d, "1000000"); },
     [](SEPAPaymentInfo &i) { i.amount = "EUR1000000.00"; }},
    {"amount_exponent_form", [](UBLDocumentInfo &d) { setAmount(d, "1.25E+3"); },
     [](SEPAPaymentInfo &i) { i.amount = "EUR1250.00"; }},
    {"amount_largest", [](UBLDocumentInfo &d) { setAmount(d, "999999999.99"); },
     [](SEPAPaymentInfo &i) { i.amount = "EUR999999999.99"; }},
    {"amount_rounding_down_to_largest", [](UBLDocumentInfo &d) { setAmount(d, "999999999.994"); },
     [](SEPAPaymentInfo &i) { i.amount = "EUR999999999.99"; }},
    {"amount_rounding_up_past_largest_gives_none",
     [](UBLDocumentInfo &d) { setAmount(d, "999999999.995"); }, none},
    {"amount_one_billion_gives_none", [](UBLDocumentInfo &d) { setAmount(d, "1000000000"); }, none},
    {"amount_beyond_double_range_gives_none", [](UBLDocumentInfo &d) { setAmount(d, "1E+400"); },
     none},
    {"amount_0_004_writes_zero_and_gives_none", [](UBLDocumentInfo &d) { setAmount(d, "0.004"); },
     none},
    {"amount_0_005_rounds_to_one_cent", [](UBLDocumentInfo &d) { setAmount(d, "0.005"); },
     [](SEPAPaymentInfo &i) { i.amount = "EUR0.01"; }},
    {"amount_one_cent", [](UBLDocumentInfo &d) { setAmount(d, "0.01"); },
     [](SEPAPaymentInfo &i) { i.amount = "EUR0.01"; }},

    // Missing data.
    {"no_payment_means_gives_none", [](UBLDocumentInfo &d) { d.paymentMeans.clear(); }, none},
    {"first_means_without_account_gives_none_despite_second",
     [](UBLDocumentInfo &d) { firstMeans(d).payeeFinancialAccount.reset(); }, none},
    {"first_account_without_id_gives_none_despite_second",
     [](UBLDocumentInfo &d) { firstMeans(d).payeeFinancialAccount->id.reset(); }, none},
    {"empty_account_id_passes_with_empty_iban",
     [](UBLDocumentInfo &d) { firstMeans(d).payeeFinancialAccount->id = ""; },
     [](SEPAPaymentInfo &i) { i.beneficiaryAccount = ""; }},
    {"no_supplier_gives_none", [](UBLDocumentInfo &d) { d.supplierParty.reset(); }, none},
    {"supplier_without_names_gives_none",
     [](UBLDocumentInfo &d) { d.supplierParty->partyNames.clear(); }, none},
    // Without a party name the supplier is named by its legal registration name.
    {"legal_name_when_no_party_name",
     [](UBLDocumentInfo &d) {
         d.supplierParty->partyNames.clear();
         d.supplierParty->legalEntity = UBLLegalEntity{"Muster Holding GmbH", "HRB 1", {}, {}};
     },
     [](SEPAPaymentInfo &i) { i.beneficiaryName = "Muster Holding GmbH"; }},
    {"party_name_wins_over_legal_name",
     [](UBLDocumentInfo &d) {
         d.supplierParty->legalEntity = UBLLegalEntity{"Muster Holding GmbH", {}, {}, {}};
     },
     [](SEPAPaymentInfo &) {}},
    {"legal_name_on_one_line_and_cut_to_70",
     [](UBLDocumentInfo &d) {
         d.supplierParty->partyNames.clear();
         d.supplierParty->legalEntity =
             UBLLegalEntity{"Muster\r\nHolding " + repeated("x", 70), {}, {}, {}};
     },
     [](SEPAPaymentInfo &i) { i.beneficiaryName = "Muster Holding " + repeated("x", 55); }},
    {"empty_legal_name_gives_none",
     [](UBLDocumentInfo &d) {
         d.supplierParty->partyNames.clear();
         d.supplierParty->legalEntity = UBLLegalEntity{"", "HRB 1", {}, {}};
     },
     none},
    {"legal_entity_without_name_gives_none",
     [](UBLDocumentInfo &d) {
         d.supplierParty->partyNames.clear();
         d.supplierParty->legalEntity = UBLLegalEntity{{}, "HRB 1", {}, {}};
     },
     none},
    {"no_monetary_total_gives_none", [](UBLDocumentInfo &d) { d.monetaryTotal.reset(); }, none},
    {"no_payable_amount_gives_none",
     [](UBLDocumentInfo &d) { d.monetaryTotal->payableAmount.reset(); }, none},

    // IBAN: blanks (U+0020 only) removed, then full upper-casing.
    {"iban_lower_case_with_blanks",
     [](UBLDocumentInfo &d) { firstMeans(d).payeeFinancialAccount->id = "de12 3456 7890"; },
     [](SEPAPaymentInfo &i) { i.beneficiaryAccount = "DE1234567890"; }},
    {"iban_keeps_tabs_and_no_break_spaces",
     [](UBLDocumentInfo &d) {
         firstMeans(d).payeeFinancialAccount->id = "de12\t34\xc2\xa0"
                                                   "56";
     },
     [](SEPAPaymentInfo &i) {
         i.beneficiaryAccount = "DE12\t34\xc2\xa0"
                                "56";
     }},
    {"iban_full_upper_casing",
     [](UBLDocumentInfo &d) {
         firstMeans(d).payeeFinancialAccount->id = "de\xc3\x9f"
                                                   "1";
     },
     [](SEPAPaymentInfo &i) { i.beneficiaryAccount = "DESS1"; }},

    // BIC: checked normalised, written as extracted, dropped silently when invalid.
    {"bic_lower_case_with_blanks_kept_as_written",
     [](UBLDocumentInfo &d) { setBIC(d, "abcd de ff"); },
     [](SEPAPaymentInfo &i) { i.bic = "abcd de ff"; }},
    {"bic_eight_characters", [](UBLDocumentInfo &d) { setBIC(d, "COBADEFF"); },
     [](SEPAPaymentInfo &i) { i.bic = "COBADEFF"; }},
    {"bic_nine_characters_dropped", [](UBLDocumentInfo &d) { setBIC(d, "COBADEFFX"); },
     [](SEPAPaymentInfo &i) { i.bic.reset(); }},
    {"bic_ten_characters_dropped", [](UBLDocumentInfo &d) { setBIC(d, "COBADEFFXX"); },
     [](SEPAPaymentInfo &i) { i.bic.reset(); }},
    {"bic_digit_in_bank_code_dropped", [](UBLDocumentInfo &d) { setBIC(d, "C0BADEFFXXX"); },
     [](SEPAPaymentInfo &i) { i.bic.reset(); }},
    {"bic_digit_in_country_dropped", [](UBLDocumentInfo &d) { setBIC(d, "COBAD3FF"); },
     [](SEPAPaymentInfo &i) { i.bic.reset(); }},
    {"bic_empty_dropped", [](UBLDocumentInfo &d) { setBIC(d, ""); },
     [](SEPAPaymentInfo &i) { i.bic.reset(); }},
    {"bic_absent", [](UBLDocumentInfo &d) { setBIC(d, std::nullopt); },
     [](SEPAPaymentInfo &i) { i.bic.reset(); }},
    {"no_branch",
     [](UBLDocumentInfo &d) {
         firstMeans(d).payeeFinancialAccount->financialInstitutionBranch.reset();
     },
     [](SEPAPaymentInfo &i) { i.bic.reset(); }},

    // Remittance: an RF creditor reference in line 10, anything else in line 11.
    {"no_note_document_number_in_line_11", [](UBLDocumentInfo &) {},
     remittance(std::nullopt, "INV-7")},
    {"empty_note_counts_as_none", [](UBLDocumentInfo &d) { setNote(d, ""); },
     remittance(std::nullopt, "INV-7")},
    {"note_equal_to_document_number", [](UBLDocumentInfo &d) { setNote(d, "INV-7"); },
     remittance(std::nullopt, "INV-7")},
    {"note_different_from_number_adds_invoice_text",
     [](UBLDocumentInfo &d) { setNote(d, "Order 4711"); },
     remittance(std::nullopt, "Order 4711 Invoice: INV-7")},
    {"note_rf_reference_in_line_10_alone",
     [](UBLDocumentInfo &d) { setNote(d, "RF18539007547034"); },
     remittance("RF18539007547034", std::nullopt)},
    {"note_rf_reference_with_lower_case_letters",
     [](UBLDocumentInfo &d) { setNote(d, "RF05abcXYZ123"); },
     remittance("RF05abcXYZ123", std::nullopt)},
    {"note_rf_reference_with_blanks_is_text",
     [](UBLDocumentInfo &d) { setNote(d, "RF18 5390 0754 7034"); },
     remittance(std::nullopt, "RF18 5390 0754 7034 Invoice: INV-7")},
    {"note_rf_reference_wrong_check_digits_is_text",
     [](UBLDocumentInfo &d) { setNote(d, "RF19539007547034"); },
     remittance(std::nullopt, "RF19539007547034 Invoice: INV-7")},
    {"note_rf_reference_lower_case_prefix_is_text",
     [](UBLDocumentInfo &d) { setNote(d, "rf18539007547034"); },
     remittance(std::nullopt, "rf18539007547034 Invoice: INV-7")},
    {"note_rf_reference_of_25_characters",
     [](UBLDocumentInfo &d) { setNote(d, "RF40123456789012345678901"); },
     remittance("RF40123456789012345678901", std::nullopt)},
    {"note_rf_reference_of_26_characters_is_text",
     [](UBLDocumentInfo &d) { setNote(d, "RF191234567890123456789012"); },
     remittance(std::nullopt, "RF191234567890123456789012 Invoice: INV-7")},
    {"document_number_rf_reference_without_note",
     [](UBLDocumentInfo &d) { d.documentID = "RF79INV7"; }, remittance("RF79INV7", std::nullopt)},
    {"note_equal_to_rf_document_number",
     [](UBLDocumentInfo &d) {
         d.documentID = "RF79INV7";
         setNote(d, "RF79INV7");
     },
     remittance("RF79INV7", std::nullopt)},
    {"empty_document_number_without_note", [](UBLDocumentInfo &d) { d.documentID = ""; },
     remittance(std::nullopt, "")},

    // Line breaks inside a field become blanks, so every field stays on its own line.
    {"name_wrapped_in_the_document",
     [](UBLDocumentInfo &d) { d.supplierParty->partyNames.front() = "Muster\n  GmbH\r\n& Co"; },
     [](SEPAPaymentInfo &i) { i.beneficiaryName = "Muster   GmbH & Co"; }},
    {"iban_with_line_breaks",
     [](UBLDocumentInfo &d) { firstMeans(d).payeeFinancialAccount->id = "DE12\r\n3456\n7890"; },
     [](SEPAPaymentInfo &i) { i.beneficiaryAccount = "DE1234567890"; }},
    {"note_with_line_separators",
     [](UBLDocumentInfo &d) {
         setNote(d, "Order\xe2\x80\xa8"
                    "4711\xc2\x85"
                    "A\vB\fC\rD");
     },
     remittance(std::nullopt, "Order 4711 A B C D Invoice: INV-7")},
    {"document_number_with_line_break", [](UBLDocumentInfo &d) { d.documentID = "INV\n7"; },
     remittance(std::nullopt, "INV 7")},
    {"note_equal_to_number_after_joining_lines",
     [](UBLDocumentInfo &d) {
         d.documentID = "INV\n7";
         setNote(d, "INV\r7");
     },
     remittance(std::nullopt, "INV 7")},

    // Cuts in user-perceived characters.
    {"name_of_70_characters_kept",
     [](UBLDocumentInfo &d) { d.supplierParty->partyNames.front() = repeated("x", 70); },
     [](SEPAPaymentInfo &i) { i.beneficiaryName = repeated("x", 70); }},
    {"name_cut_to_70_characters",
     [](UBLDocumentInfo &d) { d.supplierParty->partyNames.front() = repeated("x", 75); },
     [](SEPAPaymentInfo &i) { i.beneficiaryName = repeated("x", 70); }},
    {"name_cut_keeps_combining_marks",
     [](UBLDocumentInfo &d) { d.supplierParty->partyNames.front() = repeated(eAcute, 71); },
     [](SEPAPaymentInfo &i) { i.beneficiaryName = repeated(eAcute, 70); }},
    {"name_cut_keeps_emoji_sequences",
     [](UBLDocumentInfo &d) { d.supplierParty->partyNames.front() = repeated(family, 72); },
     [](SEPAPaymentInfo &i) { i.beneficiaryName = repeated(family, 70); }},
    {"name_not_trimmed",
     [](UBLDocumentInfo &d) { d.supplierParty->partyNames.front() = " Muster "; },
     [](SEPAPaymentInfo &i) { i.beneficiaryName = " Muster "; }},
    {"line_11_of_140_characters_kept", [](UBLDocumentInfo &d) { setNote(d, repeated("n", 125)); },
     remittance(std::nullopt, repeated("n", 125) + " Invoice: INV-7")},
    {"line_11_cut_inside_invoice_text", [](UBLDocumentInfo &d) { setNote(d, longNote133); },
     remittance(std::nullopt, longNote133 + " Invoic")},
    {"line_11_cut_note_alone", [](UBLDocumentInfo &d) { setNote(d, repeated("n", 150)); },
     remittance(std::nullopt, repeated("n", 140))},
    {"line_11_cut_keeps_combining_marks",
     [](UBLDocumentInfo &d) { setNote(d, repeated(eAcute, 141)); },
     remittance(std::nullopt, repeated(eAcute, 140))},
    {"line_11_cut_keeps_emoji_sequences",
     [](UBLDocumentInfo &d) { setNote(d, repeated(family, 139)); },
     remittance(std::nullopt, repeated(family, 139) + " ")},
};

class Derivation : public testing::TestWithParam<DerivationCase>
{};

TEST_P(Derivation, YieldsTheExpectedPaymentInfo)
{
    UBLDocumentInfo document = payableInvoice();
    GetParam().change(document);
    const std::optional<SEPAPaymentInfo> info = SEPAQRCodeService().makePaymentInfo(document);
    // There is a reason for the missing payment info exactly when there is none.
    EXPECT_EQ(SEPAQRCodeService().missingPaymentInfoReason(document).has_value(),
              !info.has_value());
    if (!GetParam().expect) {
        EXPECT_FALSE(info.has_value()) << info->payloadText();
        return;
    }
    SEPAPaymentInfo expected = payableInvoiceInfo();
    GetParam().expect(expected);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(*info, expected) << info->payloadText() << "\n---\n" << expected.payloadText();
    EXPECT_EQ(info->payloadText(), expected.payloadText());
    // Lines 10 and 11 are never both filled; purpose and line 12 are never filled.
    EXPECT_FALSE(info->remittanceReference && info->remittanceText);
    EXPECT_FALSE(info->purpose.has_value());
    EXPECT_FALSE(info->beneficiaryToOriginatorInfo.has_value());
    // Whatever the document's texts hold, the payload has twelve lines.
    const std::string payload = info->payloadText();
    EXPECT_EQ(std::count(payload.begin(), payload.end(), '\n'), 11);
}

INSTANTIATE_TEST_SUITE_P(Sepa, Derivation, testing::ValuesIn(derivationCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Payload, IsTwelveLinesJoinedByLineFeeds)
{
    const std::optional<SEPAPaymentInfo> info =
        SEPAQRCodeService().makePaymentInfo(payableInvoice());
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->payloadText(), "BCD\n002\n1\nSCT\nCOBADEFFXXX\nMuster GmbH\n"
                                   "DE89370400440532013000\nEUR1234.50\n\n\nINV-7\n");
}

TEST(Payload, KeepsEmptyTrailingLinesAndAddsNoFinalLineFeed)
{
    SEPAPaymentInfo bare;
    EXPECT_EQ(bare.payloadText(), std::string(11, '\n'));

    SEPAPaymentInfo full = payableInvoiceInfo();
    full.purpose = "GDDS";
    full.remittanceReference = "RF18539007547034";
    full.remittanceText = "text";
    full.beneficiaryToOriginatorInfo = "last";
    const std::string payload = full.payloadText();
    EXPECT_EQ(std::count(payload.begin(), payload.end(), '\n'), 11);
    EXPECT_EQ(payload.substr(payload.size() - 5), "\nlast");

    SEPAPaymentInfo withoutBic = payableInvoiceInfo();
    withoutBic.bic.reset();
    const std::string shortPayload = withoutBic.payloadText();
    EXPECT_EQ(std::count(shortPayload.begin(), shortPayload.end(), '\n'), 11);
    EXPECT_EQ(shortPayload.back(), '\n'); // line 12 is empty, not dropped
}

TEST(Payload, AbsentAndEmptyLinesWriteTheSame)
{
    SEPAPaymentInfo absent = payableInvoiceInfo();
    absent.bic.reset();
    SEPAPaymentInfo empty = absent;
    empty.bic = "";
    empty.purpose = "";
    empty.remittanceReference = "";
    empty.beneficiaryToOriginatorInfo = "";
    EXPECT_NE(absent, empty);
    EXPECT_EQ(absent.payloadText(), empty.payloadText());
}

struct BICCase
{
    const char *name;
    std::optional<std::string> candidate;
    bool valid;
};

void PrintTo(const BICCase &c, std::ostream *os)
{
    *os << c.name;
}

const BICCase bicCases[] = {
    {"absent", std::nullopt, false},
    {"empty", "", false},
    {"blanks_only", "   ", false},
    {"eight", "COBADEFF", true},
    {"eleven", "COBADEFFXXX", true},
    {"location_digits", "COBADE12", true},
    {"branch_digits", "COBADEFF123", true},
    {"lower_case", "cobadeff", true},
    {"blanks_inside", "abcd de ff", true},
    {"blanks_around", " COBADEFF ", true},
    {"seven", "COBADEF", false},
    {"nine", "COBADEFFX", false},
    {"ten", "COBADEFFXX", false},
    {"twelve", "COBADEFFXXXX", false},
    {"digit_in_bank_code", "C0BADEFF", false},
    {"digit_in_country", "COBAD3FF", false},
    {"hyphen", "COBA-DEFF", false},
    {"tab_is_not_removed", "COBA\tDEFF", false},
    {"umlaut_is_no_letter_a_to_z",
     "\xc3\x84"
     "BCDDEFF",
     false},
    // Upper-casing sharp s gives two letters, so eight written characters become nine.
    {"sharp_s_grows_to_nine",
     "co\xc3\x9f"
     "adeff",
     false},
    {"sharp_s_grows_to_eleven",
     "co\xc3\x9f"
     "adeffxx",
     true},
    {"fullwidth_letters", "\xef\xbc\xa3OBADEFF", false},
    {"line_feed_inside", "COBA\nDEFF", false},
};

class BICCheck : public testing::TestWithParam<BICCase>
{};

TEST_P(BICCheck, AcceptsOnlyBankCountryLocationAndBranch)
{
    EXPECT_EQ(SEPAQRCodeService().isValidBIC(GetParam().candidate), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Candidates, BICCheck, testing::ValuesIn(bicCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct ReferenceCase
{
    const char *name;
    std::string text;
    bool valid;
};

void PrintTo(const ReferenceCase &c, std::ostream *os)
{
    *os << c.name;
}

const ReferenceCase referenceCases[] = {
    {"iso_example", "RF18539007547034", true},
    {"lower_case_letters", "RF05abcXYZ123", true},
    {"upper_case_letters", "RF05ABCXYZ123", true},
    {"one_character", "RF83X", true},
    {"twenty_one_characters", "RF47AAAAAAAAAAAAAAAAAAAAA", true},
    {"twenty_two_characters", "RF57AAAAAAAAAAAAAAAAAAAAAA", false},
    {"twenty_two_digits", "RF191234567890123456789012", false},
    {"nothing_after_check_digits", "RF18", false},
    {"wrong_check_digits", "RF19539007547034", false},
    {"lower_case_prefix", "rf18539007547034", false},
    {"blanks_in_groups", "RF18 5390 0754 7034", false},
    {"trailing_blank", "RF18539007547034 ", false},
    {"letter_as_check_digit", "RFA8539007547034", false},
    {"hyphen", "RF18-539007547034", false},
    {"umlaut", "RF18539007547\xc3\xb6", false},
    {"no_prefix", "18539007547034", false},
    {"empty", "", false},
    {"invoice_number", "INV-7", false},
};

class CreditorReference : public testing::TestWithParam<ReferenceCase>
{};

TEST_P(CreditorReference, PassesTheMod97Check)
{
    EXPECT_EQ(SEPAQRCodeService::isCreditorReference(GetParam().text), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(References, CreditorReference, testing::ValuesIn(referenceCases),
                         [](const auto &info) { return std::string(info.param.name); });

std::string printfInCLocale(double value)
{
    const vellora::testing::ScopedLocale c("C");
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "EUR%.2f", value);
    return buffer;
}

struct AmountCase
{
    const char *name;
    double value;
    const char *expected;
};

void PrintTo(const AmountCase &c, std::ostream *os)
{
    *os << c.name;
}

const AmountCase amountCases[] = {
    {"below_tie_2_675", 2.675, "EUR2.67"},
    {"carry_99_999", 99.999, "EUR100.00"},
    {"above_tie_0_005", 0.005, "EUR0.01"},
    {"below_half_cent", 0.004, "EUR0.00"},
    {"exact_tie_even_down", 0.125, "EUR0.12"},
    {"exact_tie_even_up", 0.375, "EUR0.38"},
    {"plain", 1234.5, "EUR1234.50"},
    {"no_grouping", 1000000.0, "EUR1000000.00"},
    {"largest_payable", 999999999.99, "EUR999999999.99"},
    {"past_largest", 999999999.995, "EUR1000000000.00"},
    {"negative", -12.5, "EUR-12.50"},
    {"zero", 0.0, "EUR0.00"},
    {"negative_zero", -0.0, "EUR-0.00"},
    {"huge", 1e300, nullptr},
    {"largest_double", std::numeric_limits<double>::max(), nullptr},
    {"infinity", std::numeric_limits<double>::infinity(), "EURinf"},
    {"negative_infinity", -std::numeric_limits<double>::infinity(), "EUR-inf"},
};

class AmountText : public testing::TestWithParam<AmountCase>
{};

TEST_P(AmountText, WritesWhatPrintfWritesInTheCLocale)
{
    const std::string text = SEPAQRCodeService::amountText(GetParam().value);
    EXPECT_EQ(text, printfInCLocale(GetParam().value));
    if (GetParam().expected) {
        EXPECT_EQ(text, GetParam().expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, AmountText, testing::ValuesIn(amountCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The amount must not pick up the decimal comma of the user's locale. LOCPATH lets the test
// runner supply a de_DE locale built for the test where the system has none.
TEST(LocaleIndependence, GermanLocaleWritesAFullStop)
{
    const vellora::testing::ScopedLocale german("de_DE.UTF-8");
    VELLORA_REQUIRE_LOCALE(german, "de_DE.UTF-8");
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", 2.5);
    ASSERT_STREQ(buffer, "2,50") << "the locale is set but does not use a decimal comma";

    UBLDocumentInfo document = payableInvoice();
    setAmount(document, "2.675");
    setBIC(document, "cobadeff"); // upper-casing and the BIC check ignore the locale too
    const std::optional<SEPAPaymentInfo> info = SEPAQRCodeService().makePaymentInfo(document);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->amount, "EUR2.67");
    EXPECT_EQ(info->bic, "cobadeff");
    EXPECT_EQ(SEPAQRCodeService::amountText(1234.5), "EUR1234.50");
}

// Why there is no payment info: the first condition that fails, in the derivation's order.
struct ReasonCase
{
    const char *name;
    std::function<void(UBLDocumentInfo &)> change;
    std::optional<NoPaymentInfoReason> reason;
};

void PrintTo(const ReasonCase &c, std::ostream *os)
{
    *os << c.name;
}

const ReasonCase reasonCases[] = {
    {"payable_invoice_has_none", [](UBLDocumentInfo &) {}, std::nullopt},
    {"credit_note", [](UBLDocumentInfo &d) { d.documentType = UBLDocumentType::creditNote; },
     NoPaymentInfoReason::creditNote},
    {"credit_note_in_dollars_is_named_a_credit_note",
     [](UBLDocumentInfo &d) {
         d.documentType = UBLDocumentType::creditNote;
         d.currency = "USD";
     },
     NoPaymentInfoReason::creditNote},
    {"dollars", [](UBLDocumentInfo &d) { d.currency = "USD"; }, NoPaymentInfoReason::notInEuro},
    {"unknown_currency", [](UBLDocumentInfo &d) { d.currency = "Unknown"; },
     NoPaymentInfoReason::notInEuro},
    {"dollars_without_payment_means_is_named_for_the_currency",
     [](UBLDocumentInfo &d) {
         d.currency = "USD";
         d.paymentMeans.clear();
     },
     NoPaymentInfoReason::notInEuro},
    {"no_payment_means", [](UBLDocumentInfo &d) { d.paymentMeans.clear(); },
     NoPaymentInfoReason::noPaymentMeans},
    {"no_payment_means_nor_supplier",
     [](UBLDocumentInfo &d) {
         d.paymentMeans.clear();
         d.supplierParty.reset();
     },
     NoPaymentInfoReason::noPaymentMeans},
    {"first_means_without_account",
     [](UBLDocumentInfo &d) { firstMeans(d).payeeFinancialAccount.reset(); },
     NoPaymentInfoReason::noPaymentAccount},
    {"first_means_account_without_id",
     [](UBLDocumentInfo &d) { firstMeans(d).payeeFinancialAccount->id.reset(); },
     NoPaymentInfoReason::noPaymentAccount},
    {"no_supplier", [](UBLDocumentInfo &d) { d.supplierParty.reset(); },
     NoPaymentInfoReason::noSupplierName},
    {"supplier_without_name", [](UBLDocumentInfo &d) { d.supplierParty->partyNames.clear(); },
     NoPaymentInfoReason::noSupplierName},
    {"supplier_without_name_nor_total",
     [](UBLDocumentInfo &d) {
         d.supplierParty->partyNames.clear();
         d.monetaryTotal.reset();
     },
     NoPaymentInfoReason::noSupplierName},
    {"no_monetary_total", [](UBLDocumentInfo &d) { d.monetaryTotal.reset(); },
     NoPaymentInfoReason::noPayableAmount},
    {"no_payable_amount", [](UBLDocumentInfo &d) { d.monetaryTotal->payableAmount.reset(); },
     NoPaymentInfoReason::noPayableAmount},
    {"zero_amount", [](UBLDocumentInfo &d) { setAmount(d, "0"); },
     NoPaymentInfoReason::amountOutOfRange},
    {"negative_amount", [](UBLDocumentInfo &d) { setAmount(d, "-12.5"); },
     NoPaymentInfoReason::amountOutOfRange},
    {"half_a_cent_rounds_to_zero", [](UBLDocumentInfo &d) { setAmount(d, "0.004"); },
     NoPaymentInfoReason::amountOutOfRange},
    {"one_billion", [](UBLDocumentInfo &d) { setAmount(d, "1000000000"); },
     NoPaymentInfoReason::amountOutOfRange},
    {"one_cent_is_payable", [](UBLDocumentInfo &d) { setAmount(d, "0.01"); }, std::nullopt},
    {"largest_amount_is_payable", [](UBLDocumentInfo &d) { setAmount(d, "999999999.99"); },
     std::nullopt},
};

class MissingPaymentInfoReason : public testing::TestWithParam<ReasonCase>
{};

TEST_P(MissingPaymentInfoReason, NamesTheFirstFailedCondition)
{
    UBLDocumentInfo document = payableInvoice();
    GetParam().change(document);
    const SEPAQRCodeService service;
    EXPECT_EQ(service.missingPaymentInfoReason(document), GetParam().reason);
    EXPECT_EQ(service.makePaymentInfo(document).has_value(), !GetParam().reason.has_value());
}

INSTANTIATE_TEST_SUITE_P(Sepa, MissingPaymentInfoReason, testing::ValuesIn(reasonCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The reference the payer quotes, and that the payload carries.
struct PaymentReferenceCase
{
    const char *name;
    std::function<void(UBLDocumentInfo &)> change;
    std::optional<std::string> reference;
};

void PrintTo(const PaymentReferenceCase &c, std::ostream *os)
{
    *os << c.name;
}

const PaymentReferenceCase paymentReferenceCases[] = {
    {"rf_reference_in_the_note", [](UBLDocumentInfo &d) { setNote(d, "RF18539007547034"); },
     "RF18539007547034"},
    {"free_note_without_the_invoice_text", [](UBLDocumentInfo &d) { setNote(d, "Order 4711"); },
     "Order 4711"},
    {"no_note_gives_the_document_number", [](UBLDocumentInfo &d) { setNote(d, std::nullopt); },
     "INV-7"},
    {"empty_note_gives_the_document_number", [](UBLDocumentInfo &d) { setNote(d, ""); }, "INV-7"},
    {"note_equal_to_the_number", [](UBLDocumentInfo &d) { setNote(d, "INV-7"); }, "INV-7"},
    {"note_on_one_line", [](UBLDocumentInfo &d) { setNote(d, "Order\n4711"); }, "Order 4711"},
    {"long_note_uncut", [](UBLDocumentInfo &d) { setNote(d, repeated("n", 200)); },
     repeated("n", 200)},
    {"empty_number_without_note_gives_none",
     [](UBLDocumentInfo &d) {
         setNote(d, std::nullopt);
         d.documentID.clear();
     },
     std::nullopt},
    {"no_payment_means_gives_none", [](UBLDocumentInfo &d) { d.paymentMeans.clear(); },
     std::nullopt},
    {"second_means_note_never_used",
     [](UBLDocumentInfo &d) {
         setNote(d, std::nullopt);
         d.paymentMeans.back().instructionNote = "RF18539007547034";
     },
     "INV-7"},
};

class PaymentReference : public testing::TestWithParam<PaymentReferenceCase>
{};

TEST_P(PaymentReference, IsTheNoteOrElseTheDocumentNumber)
{
    UBLDocumentInfo document = payableInvoice();
    GetParam().change(document);
    const std::optional<std::string> reference = SEPAQRCodeService::paymentReference(document);
    EXPECT_EQ(reference, GetParam().reference);
    // The payload carries the same reference: alone in line 10 as a creditor reference, or at
    // the start of line 11.
    const std::optional<SEPAPaymentInfo> info = SEPAQRCodeService().makePaymentInfo(document);
    if (info && reference) {
        const std::string carried =
            info->remittanceReference.value_or(info->remittanceText.value_or(std::string()));
        EXPECT_EQ(carried.substr(0, std::min<std::size_t>(reference->size(), 140)),
                  reference->substr(0, 140));
    }
}

INSTANTIATE_TEST_SUITE_P(Sepa, PaymentReference, testing::ValuesIn(paymentReferenceCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The rows beside the QR code.
struct InfoRowsCase
{
    const char *name;
    std::function<void(SEPAPaymentInfo &)> change;
    std::optional<std::string> reference;
    std::vector<SEPAInfoRow> rows;
};

void PrintTo(const InfoRowsCase &c, std::ostream *os)
{
    *os << c.name;
}

const InfoRowsCase infoRowsCases[] = {
    {"all_five_rows",
     asBase,
     "INV-7",
     {{"sepa.beneficiary", "Muster GmbH"},
      {"sepa.iban", "DE89370400440532013000"},
      {"sepa.bic", "COBADEFFXXX"},
      {"sepa.amount", "1234.50 EUR"},
      {"sepa.payment_reference", "INV-7"}}},
    {"without_bic_four_rows",
     [](SEPAPaymentInfo &i) { i.bic.reset(); },
     "INV-7",
     {{"sepa.beneficiary", "Muster GmbH"},
      {"sepa.iban", "DE89370400440532013000"},
      {"sepa.amount", "1234.50 EUR"},
      {"sepa.payment_reference", "INV-7"}}},
    {"bic_as_extracted",
     [](SEPAPaymentInfo &i) { i.bic = "abcd de ff"; },
     std::nullopt,
     {{"sepa.beneficiary", "Muster GmbH"},
      {"sepa.iban", "DE89370400440532013000"},
      {"sepa.bic", "abcd de ff"},
      {"sepa.amount", "1234.50 EUR"}}},
    {"amount_once_with_two_decimals",
     [](SEPAPaymentInfo &i) {
         i.amount = "EUR99.50";
         i.remittanceText = "Order 4711 Invoice: INV-7";
     },
     "Order 4711",
     {{"sepa.beneficiary", "Muster GmbH"},
      {"sepa.iban", "DE89370400440532013000"},
      {"sepa.bic", "COBADEFFXXX"},
      {"sepa.amount", "99.50 EUR"},
      {"sepa.payment_reference", "Order 4711"}}},
};

class SEPAInfoRows : public testing::TestWithParam<InfoRowsCase>
{};

TEST_P(SEPAInfoRows, ListTheRowsInOrder)
{
    SEPAPaymentInfo info = payableInvoiceInfo();
    GetParam().change(info);
    EXPECT_EQ(vellora::sepa::sepaInfoRows(info, GetParam().reference), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Sepa, SEPAInfoRows, testing::ValuesIn(infoRowsCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
