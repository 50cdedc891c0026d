// SPDX-License-Identifier: MIT
#include "parser/lines.h"
#include "parserfixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace vellora::model;
using namespace vellora::parser;
using namespace vellora::parser::testing;

namespace {

const UBLDocumentInfo &linesModel()
{
    static const UBLDocumentInfo info = parseModel(readFixture("lines.xml"));
    return info;
}

const UBLDocumentInfo &creditNoteModel()
{
    static const UBLDocumentInfo info = parseModel(readFixture("creditnote.xml"));
    return info;
}

// lines.xml: line 1 is complete, line 2 lacks its own ID and item name, line 3 has no ID
// below it at all.
const FieldCase lineCases[] = {
    {"three_invoice_lines", FIELD(d.invoiceLines.size()), "3"},
    {"no_credit_note_lines_in_an_invoice", FIELD(d.creditNoteLines.size()), "0"},
    {"id", FIELD(d.invoiceLines.at(0).id), "1"},
    {"note", FIELD(d.invoiceLines.at(0).note), "Consulting, March"},
    {"quantity", FIELD(d.invoiceLines.at(0).invoicedQuantity), "2.5"},
    {"quantity_unit", FIELD(d.invoiceLines.at(0).invoicedQuantityUnitCode), "HUR"},
    {"line_amount", FIELD(d.invoiceLines.at(0).lineExtensionAmount), "240.00"},
    {"accounting_cost", FIELD(d.invoiceLines.at(0).accountingCost), "CC-4711"},
    {"period_start", FIELD(d.invoiceLines.at(0).invoicePeriod.value().startDate), "2024-03-01"},
    {"period_end", FIELD(d.invoiceLines.at(0).invoicePeriod.value().endDate), "2024-03-31"},
    {"period_duration", FIELD(d.invoiceLines.at(0).invoicePeriod.value().durationMeasure), "31"},
    {"period_duration_unit",
     FIELD(d.invoiceLines.at(0).invoicePeriod.value().durationMeasureUnitCode), "DAY"},
    {"period_description_code", FIELD(d.invoiceLines.at(0).invoicePeriod.value().descriptionCode),
     "35"},
    {"period_description", FIELD(d.invoiceLines.at(0).invoicePeriod.value().description), "March"},
    {"order_line_id", FIELD(d.invoiceLines.at(0).orderLineReference.value().lineID), "3"},
    {"sales_order_line_id", FIELD(d.invoiceLines.at(0).orderLineReference.value().salesOrderLineID),
     "SO-3"},
    {"order_line_uuid", FIELD(d.invoiceLines.at(0).orderLineReference.value().uuid),
     "0f8fad5b-d9cb-469f-a165-70867728950e"},
    {"line_order_reference_id",
     FIELD(d.invoiceLines.at(0).orderLineReference.value().orderReference.value().id), "PO-9"},
    {"line_order_reference_date",
     FIELD(d.invoiceLines.at(0).orderLineReference.value().orderReference.value().issueDate),
     "2024-02-20"},
    {"line_order_reference_never_sales_order",
     FIELD(d.invoiceLines.at(0).orderLineReference.value().orderReference.value().salesOrderID),
     std::nullopt},
    {"line_allowances_include_price_allowance", FIELD(d.invoiceLines.at(0).allowanceCharges.size()),
     "2"},
    {"line_allowance_own_first", FIELD(d.invoiceLines.at(0).allowanceCharges.at(0).amount),
     "10.00"},
    {"line_allowance_price_second", FIELD(d.invoiceLines.at(0).allowanceCharges.at(1).amount),
     "4.00"},
    {"price_allowance_count", FIELD(d.invoiceLines.at(0).price.value().allowanceCharges.size()),
     "1"},
    {"price_allowance_amount",
     FIELD(d.invoiceLines.at(0).price.value().allowanceCharges.at(0).amount), "4.00"},
    {"price_allowance_base",
     FIELD(d.invoiceLines.at(0).price.value().allowanceCharges.at(0).baseAmount), "104.00"},
    {"price_amount", FIELD(d.invoiceLines.at(0).price.value().priceAmount), "100.00"},
    {"price_currency", FIELD(d.invoiceLines.at(0).price.value().priceAmountCurrencyID), "EUR"},
    {"base_quantity", FIELD(d.invoiceLines.at(0).price.value().baseQuantity), "1"},
    {"base_quantity_unit", FIELD(d.invoiceLines.at(0).price.value().baseQuantityUnitCode), "HUR"},
    {"line_tax_total", FIELD(d.invoiceLines.at(0).taxTotal.value().taxAmount), "45.60"},
    {"item_description", FIELD(d.invoiceLines.at(0).item.value().description), "Senior consultant"},
    {"item_name", FIELD(d.invoiceLines.at(0).item.value().name), "Consulting"},
    {"buyers_id", FIELD(d.invoiceLines.at(0).item.value().buyersItemIdentification), "B-1"},
    {"sellers_id", FIELD(d.invoiceLines.at(0).item.value().sellersItemIdentification), "S-1"},
    {"standard_id", FIELD(d.invoiceLines.at(0).item.value().standardItemIdentification),
     "4000001000005"},
    {"standard_id_scheme",
     FIELD(d.invoiceLines.at(0).item.value().standardItemIdentificationSchemeID), "0160"},
    {"origin_country", FIELD(d.invoiceLines.at(0).item.value().originCountryCode), "DE"},
    {"classifications_even_empty",
     FIELD(d.invoiceLines.at(0).item.value().commodityClassifications.size()), "3"},
    {"classification_code",
     FIELD(d.invoiceLines.at(0).item.value().commodityClassifications.at(0).itemClassificationCode),
     "73101500"},
    {"classification_list",
     FIELD(d.invoiceLines.at(0)
               .item.value()
               .commodityClassifications.at(0)
               .itemClassificationCodeListID),
     "STI"},
    {"classification_list_version",
     FIELD(d.invoiceLines.at(0)
               .item.value()
               .commodityClassifications.at(0)
               .itemClassificationCodeListVersionID),
     "19.05"},
    {"classification_cargo",
     FIELD(d.invoiceLines.at(0).item.value().commodityClassifications.at(1).cargoTypeCode), "5"},
    {"classification_commodity",
     FIELD(d.invoiceLines.at(0).item.value().commodityClassifications.at(1).commodityCode), "8471"},
    {"classification_second_has_no_code",
     FIELD(d.invoiceLines.at(0).item.value().commodityClassifications.at(1).itemClassificationCode),
     std::nullopt},
    {"two_classified_tax_categories",
     FIELD(d.invoiceLines.at(0).item.value().classifiedTaxCategories.size()), "2"},
    {"first_category_id", FIELD(d.invoiceLines.at(0).item.value().classifiedTaxCategories.at(0).id),
     "S"},
    {"first_category_percent",
     FIELD(d.invoiceLines.at(0).item.value().classifiedTaxCategories.at(0).percent), "19"},
    {"first_category_scheme",
     FIELD(d.invoiceLines.at(0).item.value().classifiedTaxCategories.at(0).taxScheme.value().id),
     "VAT"},
    {"second_category_id",
     FIELD(d.invoiceLines.at(0).item.value().classifiedTaxCategories.at(1).id), "E"},
    {"second_category_percent",
     FIELD(d.invoiceLines.at(0).item.value().classifiedTaxCategories.at(1).percent), "0"},
    {"second_category_exemption",
     FIELD(d.invoiceLines.at(0).item.value().classifiedTaxCategories.at(1).taxExemptionReasonCode),
     "VATEX-EU-132"},
    {"second_category_scheme",
     FIELD(d.invoiceLines.at(0).item.value().classifiedTaxCategories.at(1).taxScheme.value().id),
     "OTH"},
    {"properties_need_name_and_value",
     FIELD(d.invoiceLines.at(0).item.value().additionalItemProperties.size()), "2"},
    {"property_name", FIELD(d.invoiceLines.at(0).item.value().additionalItemProperties.at(0).name),
     "Level"},
    {"property_value",
     FIELD(d.invoiceLines.at(0).item.value().additionalItemProperties.at(0).value), "Senior"},
    {"property_empty_value",
     FIELD(d.invoiceLines.at(0).item.value().additionalItemProperties.at(1).value), ""},

    {"id_from_nested_order_reference", FIELD(d.invoiceLines.at(1).id), "PO-77"},
    {"unreadable_quantity", FIELD(d.invoiceLines.at(1).invoicedQuantity), std::nullopt},
    {"quantity_without_unit", FIELD(d.invoiceLines.at(1).invoicedQuantityUnitCode), std::nullopt},
    {"item_name_from_tax_category", FIELD(d.invoiceLines.at(1).item.value().name), "Zero rated"},
    {"item_without_description", FIELD(d.invoiceLines.at(1).item.value().description),
     std::nullopt},
    {"no_price", FIELD(presence(d.invoiceLines.at(1).price)), std::nullopt},
    {"no_period", FIELD(presence(d.invoiceLines.at(1).invoicePeriod)), std::nullopt},
    {"no_allowances", FIELD(d.invoiceLines.at(1).allowanceCharges.size()), "0"},

    {"no_id_is_empty_text", FIELD(d.invoiceLines.at(2).id), ""},
    {"amount_not_rounded", FIELD(d.invoiceLines.at(2).lineExtensionAmount), "1.005"},
    {"sub_line_is_below_the_line", FIELD(d.invoiceLines.at(2).note), "From the sub-line"},
    {"no_item", FIELD(presence(d.invoiceLines.at(2).item)), std::nullopt},
    {"no_tax_total", FIELD(presence(d.invoiceLines.at(2).taxTotal)), std::nullopt},
    {"no_order_line_reference", FIELD(presence(d.invoiceLines.at(2).orderLineReference)),
     std::nullopt},
};

class LineFields : public ::testing::TestWithParam<FieldCase>
{};

TEST_P(LineFields, ReadsTheField)
{
    EXPECT_EQ(GetParam().field(linesModel()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fixture, LineFields, ::testing::ValuesIn(lineCases), fieldCaseName);

const FieldCase creditNoteCases[] = {
    {"credit_note_kind", FIELD(std::string(rawValue(d.documentType))), "CreditNote"},
    {"two_credit_note_lines", FIELD(d.creditNoteLines.size()), "2"},
    {"no_invoice_lines_in_a_credit_note", FIELD(d.invoiceLines.size()), "0"},
    {"credited_quantity", FIELD(d.creditNoteLines.at(0).creditedQuantity), "-3"},
    {"credited_unit", FIELD(d.creditNoteLines.at(0).creditedQuantityUnitCode), "C62"},
    {"credit_line_amount", FIELD(d.creditNoteLines.at(0).lineExtensionAmount), "-30.00"},
    {"credit_line_item", FIELD(d.creditNoteLines.at(0).item.value().name), "Returned goods"},
    {"credit_line_price", FIELD(d.creditNoteLines.at(0).price.value().priceAmount), "10.00"},
    {"invoiced_quantity_ignored", FIELD(d.creditNoteLines.at(1).creditedQuantity), std::nullopt},
    {"invoiced_unit_ignored", FIELD(d.creditNoteLines.at(1).creditedQuantityUnitCode),
     std::nullopt},
};

class CreditNoteLineFields : public ::testing::TestWithParam<FieldCase>
{};

TEST_P(CreditNoteLineFields, ReadsTheField)
{
    EXPECT_EQ(GetParam().field(creditNoteModel()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fixture, CreditNoteLineFields, ::testing::ValuesIn(creditNoteCases),
                         fieldCaseName);

TEST(Lines, DocumentWithBothKindsHasInvoiceLinesOnly)
{
    const UBLDocumentInfo info =
        parseModel("<CreditNote><CreditNoteLine><ID>C</ID></CreditNoteLine><Invoice>"
                   "<InvoiceLine><ID>I</ID></InvoiceLine></Invoice></CreditNote>");
    EXPECT_EQ(info.documentType, UBLDocumentType::invoice);
    ASSERT_EQ(info.invoiceLines.size(), 1U);
    EXPECT_EQ(info.invoiceLines[0].id, "I");
    EXPECT_TRUE(info.creditNoteLines.empty());
}

TEST(Lines, LinesOfAnEmbeddedDocumentAreCollectedInDocumentOrder)
{
    const UBLDocumentInfo info =
        parseModel("<Invoice><InvoiceLine><ID>1</ID></InvoiceLine><Attachment><Invoice>"
                   "<InvoiceLine><ID>E1</ID></InvoiceLine></Invoice></Attachment>"
                   "<InvoiceLine><ID>2</ID></InvoiceLine><InvoiceLines/><invoiceLine/></Invoice>");
    std::vector<std::string> ids;
    for (const UBLInvoiceLine &line : info.invoiceLines) {
        ids.push_back(line.id);
    }
    EXPECT_EQ(ids, (std::vector<std::string>{"1", "E1", "2"}));
}

TEST(Lines, PeriodFieldsReadBelowAnyPeriodElement)
{
    const XmlDocument document = parseXml(
        "<Root><EndDate>2020-01-01</EndDate><AnyPeriod><StartDate> 2024-05-01\n</StartDate>"
        "<DurationMeasure unitCode=\"MON\">1.0</DurationMeasure></AnyPeriod></Root>");
    const std::vector<XmlNode> periods = document.node().select("//*[local-name()='AnyPeriod']");
    ASSERT_EQ(periods.size(), 1U);
    const UBLInvoicePeriod period = extractPeriodFields(periods[0]);
    EXPECT_EQ(period.startDate, Date::fromYearMonthDay(2024, 5, 1));
    EXPECT_EQ(period.endDate, std::nullopt); // the earlier EndDate is not below the period
    EXPECT_EQ(show(period.durationMeasure), "1.0");
    EXPECT_EQ(period.durationMeasureUnitCode, "MON");
    EXPECT_EQ(period.descriptionCode, std::nullopt);
    EXPECT_EQ(period.description, std::nullopt);
}

TEST(Lines, CommodityClassificationReadsItsOwnElement)
{
    const XmlDocument document =
        parseXml("<Item><CommodityClassification><ItemClassificationCode listID=\" CV \">x"
                 "</ItemClassificationCode></CommodityClassification></Item>");
    const std::vector<XmlNode> found =
        document.node().select("//*[local-name()='CommodityClassification']");
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(extractCommodityClassification(found[0]),
              (UBLCommodityClassification{"x", " CV ", std::nullopt, std::nullopt, std::nullopt}));
}

} // namespace
