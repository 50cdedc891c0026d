// SPDX-License-Identifier: MIT
#include "parser/totals.h"
#include "parserfixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace vellora::model;
using namespace vellora::parser;
using namespace vellora::parser::testing;

namespace {

const UBLDocumentInfo &totalsModel()
{
    static const UBLDocumentInfo info = parseModel(readFixture("totals.xml"));
    return info;
}

const FieldCase totalsCases[] = {
    {"line_extension", FIELD(d.monetaryTotal.value().lineExtensionAmount), "100.00"},
    {"tax_exclusive", FIELD(d.monetaryTotal.value().taxExclusiveAmount), "112.00"},
    {"tax_inclusive", FIELD(d.monetaryTotal.value().taxInclusiveAmount), "133.28"},
    {"allowance_total", FIELD(d.monetaryTotal.value().allowanceTotalAmount), "0.00"},
    {"charge_total_text_after_number", FIELD(d.monetaryTotal.value().chargeTotalAmount), "12.00"},
    {"prepaid_missing", FIELD(d.monetaryTotal.value().prepaidAmount), std::nullopt},
    {"rounding_comma_stops_the_number", FIELD(d.monetaryTotal.value().payableRoundingAmount), "1"},
    {"payable_not_rounded", FIELD(d.monetaryTotal.value().payableAmount), "100.005"},

    {"first_tax_total_only", FIELD(d.taxTotal.value().taxAmount), "21.28"},
    {"two_subtotals", FIELD(d.taxTotal.value().taxSubtotals.size()), "2"},
    {"subtotal_taxable", FIELD(d.taxTotal.value().taxSubtotals.at(0).taxableAmount), "112.00"},
    {"subtotal_tax", FIELD(d.taxTotal.value().taxSubtotals.at(0).taxAmount), "21.28"},
    {"subtotal_category_id", FIELD(d.taxTotal.value().taxSubtotals.at(0).taxCategory.value().id),
     "S"},
    {"subtotal_category_percent",
     FIELD(d.taxTotal.value().taxSubtotals.at(0).taxCategory.value().percent), "19.00"},
    {"subtotal_category_scheme",
     FIELD(d.taxTotal.value().taxSubtotals.at(0).taxCategory.value().taxScheme.value().id), "VAT"},
    {"second_subtotal_taxable", FIELD(d.taxTotal.value().taxSubtotals.at(1).taxableAmount),
     "20.00"},
    {"category_without_id_takes_scheme_id",
     FIELD(d.taxTotal.value().taxSubtotals.at(1).taxCategory.value().id), "VAT"},
    {"category_without_name_takes_scheme_name",
     FIELD(d.taxTotal.value().taxSubtotals.at(1).taxCategory.value().name), "Value added tax"},
    {"exemption_code",
     FIELD(d.taxTotal.value().taxSubtotals.at(1).taxCategory.value().taxExemptionReasonCode),
     "VATEX-EU-G"},
    {"exemption_reason",
     FIELD(d.taxTotal.value().taxSubtotals.at(1).taxCategory.value().taxExemptionReason),
     "Export outside the EU"},

    {"every_allowance_charge_of_the_document", FIELD(d.allowanceCharges.size()), "9"},
    {"reason_code", FIELD(d.allowanceCharges.at(0).allowanceChargeReasonCode), "FC"},
    {"reason_not_the_code", FIELD(d.allowanceCharges.at(0).allowanceChargeReason), "Freight"},
    {"multiplier", FIELD(d.allowanceCharges.at(0).multiplierFactorNumeric), "10"},
    {"amount_not_base_amount", FIELD(d.allowanceCharges.at(0).amount), "12.00"},
    {"amount_currency", FIELD(d.allowanceCharges.at(0).amountCurrencyID), "EUR"},
    {"base_amount", FIELD(d.allowanceCharges.at(0).baseAmount), "120.00"},
    {"base_currency_untrimmed", FIELD(d.allowanceCharges.at(0).baseAmountCurrencyID), "EUR "},
    {"two_tax_categories", FIELD(d.allowanceCharges.at(0).taxCategories.size()), "2"},
    {"first_category", FIELD(d.allowanceCharges.at(0).taxCategories.at(0).id), "S"},
    {"second_category", FIELD(d.allowanceCharges.at(0).taxCategories.at(1).id), "Z"},
    {"second_category_percent", FIELD(d.allowanceCharges.at(0).taxCategories.at(1).percent), "0"},
    {"only_base_amount_leaves_amount_none", FIELD(d.allowanceCharges.at(7).amount), std::nullopt},
    {"only_base_amount_currency_none", FIELD(d.allowanceCharges.at(7).amountCurrencyID),
     std::nullopt},
    {"only_reason_code_leaves_reason_none", FIELD(d.allowanceCharges.at(7).allowanceChargeReason),
     std::nullopt},
    {"line_allowance_last_in_document_order", FIELD(d.allowanceCharges.at(8).amount), "8"},
    {"line_allowance_also_in_the_line", FIELD(d.invoiceLines.at(0).allowanceCharges.at(0).amount),
     "8"},
    {"line_reads_its_own_tax_total", FIELD(d.invoiceLines.at(0).taxTotal.value().taxAmount), "99"},
};

class TotalsFields : public ::testing::TestWithParam<FieldCase>
{};

TEST_P(TotalsFields, ReadsTheField)
{
    EXPECT_EQ(GetParam().field(totalsModel()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fixture, TotalsFields, ::testing::ValuesIn(totalsCases), fieldCaseName);

// The ChargeIndicator of each allowance/charge of totals.xml, in document order.
struct ChargeIndicatorCase
{
    const char *name;
    std::size_t index;
    std::optional<bool> expected;
};

const ChargeIndicatorCase chargeIndicatorCases[] = {
    {"upper_case_true", 0, true},
    {"one_with_blanks", 1, true},
    {"false", 2, false},
    {"zero", 3, false},
    {"yes", 4, false},
    {"empty_element", 5, false},
    {"missing_element", 6, std::nullopt},
    {"mixed_case_true", 7, true},
};

class ChargeIndicator : public ::testing::TestWithParam<ChargeIndicatorCase>
{};

TEST_P(ChargeIndicator, ReadsTheTruthValue)
{
    const std::vector<UBLAllowanceCharge> &list = totalsModel().allowanceCharges;
    ASSERT_GT(list.size(), GetParam().index);
    EXPECT_EQ(list[GetParam().index].chargeIndicator, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fixture, ChargeIndicator, ::testing::ValuesIn(chargeIndicatorCases),
                         [](const ::testing::TestParamInfo<ChargeIndicatorCase> &info) {
                             return std::string(info.param.name);
                         });

// Small documents for the cases where the document has no element of its own.
struct TaxTotalCase
{
    const char *name;
    const char *xml;
    bool present;
    std::optional<std::string> taxAmount;
    std::size_t subtotals;
};

const TaxTotalCase taxTotalCases[] = {
    {"own_amount_before_subtotals",
     "<Invoice><TaxTotal><TaxAmount>5</TaxAmount><TaxSubtotal><TaxAmount>3</TaxAmount>"
     "</TaxSubtotal></TaxTotal></Invoice>",
     true, "5", 1},
    {"missing_amount_takes_first_subtotals",
     "<Invoice><TaxTotal><TaxSubtotal><TaxAmount>3</TaxAmount></TaxSubtotal>"
     "<TaxSubtotal><TaxAmount>4</TaxAmount></TaxSubtotal></TaxTotal></Invoice>",
     true, "3", 2},
    {"document_without_own_takes_the_lines",
     "<Invoice><InvoiceLine><ID>1</ID><TaxTotal><TaxAmount>7.5</TaxAmount></TaxTotal>"
     "</InvoiceLine></Invoice>",
     true, "7.5", 0},
    {"no_tax_total", "<Invoice><TaxAmount>1</TaxAmount></Invoice>", false, std::nullopt, 0},
    {"empty_tax_total", "<Invoice><TaxTotal/></Invoice>", true, std::nullopt, 0},
};

class DocumentTaxTotal : public ::testing::TestWithParam<TaxTotalCase>
{};

TEST_P(DocumentTaxTotal, TakesTheFirstInTheDocument)
{
    const UBLDocumentInfo info = parseModel(GetParam().xml);
    ASSERT_EQ(info.taxTotal.has_value(), GetParam().present);
    if (!info.taxTotal) {
        return;
    }
    EXPECT_EQ(show(info.taxTotal->taxAmount), GetParam().taxAmount);
    EXPECT_EQ(info.taxTotal->taxSubtotals.size(), GetParam().subtotals);
}

INSTANTIATE_TEST_SUITE_P(Cases, DocumentTaxTotal, ::testing::ValuesIn(taxTotalCases),
                         [](const ::testing::TestParamInfo<TaxTotalCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(Totals, MissingElementsGiveNoneAndEmptyLists)
{
    const UBLDocumentInfo info = parseModel("<Invoice><ID>1</ID></Invoice>");
    EXPECT_FALSE(info.monetaryTotal);
    EXPECT_FALSE(info.taxTotal);
    EXPECT_TRUE(info.allowanceCharges.empty());
}

TEST(Totals, LineTaxTotalIsReadBelowTheLineOnly)
{
    // The document's tax total comes first, but a line reads only below itself.
    const XmlDocument document = parseXml(
        "<Invoice><TaxTotal><TaxAmount>1</TaxAmount></TaxTotal><InvoiceLine><ID>1</ID>"
        "</InvoiceLine><InvoiceLine><TaxTotal><TaxAmount>2</TaxAmount></TaxTotal></InvoiceLine>"
        "</Invoice>");
    const std::vector<XmlNode> lines = document.node().select("//*[local-name()='InvoiceLine']");
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(extractTaxTotal(lines[0]), std::nullopt);
    ASSERT_TRUE(extractTaxTotal(lines[1]));
    EXPECT_EQ(show(extractTaxTotal(lines[1])->taxAmount), "2");
    ASSERT_TRUE(extractTaxTotal(document.node()));
    EXPECT_EQ(show(extractTaxTotal(document.node())->taxAmount), "1");
}

TEST(Totals, AllowanceChargeYieldsAnEntryWhateverItHolds)
{
    const XmlDocument document = parseXml("<Root><AllowanceCharge/></Root>");
    const std::vector<XmlNode> found =
        document.node().select("//*[local-name()='AllowanceCharge']");
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(extractAllowanceCharge(found[0]), UBLAllowanceCharge{});
    EXPECT_EQ(extractAllowanceCharges(document.node()).size(), 1U);
}

} // namespace
