// SPDX-License-Identifier: MIT
#include "parser/payment.h"
#include "parserfixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace vellora::model;
using namespace vellora::parser;
using namespace vellora::parser::testing;

namespace {

const UBLDocumentInfo &paymentModel()
{
    static const UBLDocumentInfo info = parseModel(readFixture("payment.xml"));
    return info;
}

const FieldCase paymentCases[] = {
    {"three_payment_means_nested_included", FIELD(d.paymentMeans.size()), "3"},
    {"code_trimmed", FIELD(d.paymentMeans.at(0).paymentMeansCode), "58"},
    {"code_name_untrimmed", FIELD(d.paymentMeans.at(0).paymentMeansCodeName), " Credit transfer "},
    {"means_due_date", FIELD(d.paymentMeans.at(0).paymentDueDate), "2024-04-01"},
    {"instruction_note", FIELD(d.paymentMeans.at(0).instructionNote),
     "Please quote the invoice number"},
    {"payment_id", FIELD(d.paymentMeans.at(0).paymentID), "RF18539007547034"},
    {"no_card_account", FIELD(d.paymentMeans.at(0).cardAccount), std::nullopt},
    {"account_id", FIELD(d.paymentMeans.at(0).payeeFinancialAccount.value().id),
     "DE89370400440532013000"},
    {"account_name", FIELD(d.paymentMeans.at(0).payeeFinancialAccount.value().name), "Muster GmbH"},
    {"branch_id",
     FIELD(
         d.paymentMeans.at(0).payeeFinancialAccount.value().financialInstitutionBranch.value().id),
     "COBADEFFXXX"},
    {"branch_name",
     FIELD(d.paymentMeans.at(0)
               .payeeFinancialAccount.value()
               .financialInstitutionBranch.value()
               .name),
     "Commerzbank"},

    {"second_code", FIELD(d.paymentMeans.at(1).paymentMeansCode), "48"},
    {"second_code_without_name", FIELD(d.paymentMeans.at(1).paymentMeansCodeName), std::nullopt},
    {"card_account", FIELD(d.paymentMeans.at(1).cardAccount), "1234"},
    {"second_without_due_date", FIELD(d.paymentMeans.at(1).paymentDueDate), std::nullopt},
    {"account_without_id_takes_branch_id",
     FIELD(d.paymentMeans.at(1).payeeFinancialAccount.value().id), "BYLADEM1001"},
    {"account_without_name_takes_branch_name",
     FIELD(d.paymentMeans.at(1).payeeFinancialAccount.value().name), "Branch name"},
    {"branch_keeps_its_id",
     FIELD(
         d.paymentMeans.at(1).payeeFinancialAccount.value().financialInstitutionBranch.value().id),
     "BYLADEM1001"},

    {"nested_means_code", FIELD(d.paymentMeans.at(2).paymentMeansCode), "30"},
    {"branch_without_id_takes_institution_id",
     FIELD(
         d.paymentMeans.at(2).payeeFinancialAccount.value().financialInstitutionBranch.value().id),
     "ABNANL2A"},
    {"branch_without_name",
     FIELD(d.paymentMeans.at(2)
               .payeeFinancialAccount.value()
               .financialInstitutionBranch.value()
               .name),
     std::nullopt},

    {"first_note_only", FIELD(d.paymentTerms.value().note), "2 % discount within 10 days"},
    {"terms_means_id", FIELD(d.paymentTerms.value().paymentMeansID), "58"},
    {"terms_due_date_independent", FIELD(d.paymentTerms.value().paymentDueDate), "2024-05-01"},
    {"installment_due_date", FIELD(d.paymentTerms.value().installmentDueDate), "2024-04-15"},
    {"penalty", FIELD(d.paymentTerms.value().penaltyAmount), "5.50"},
    {"settlement_duration", FIELD(d.paymentTerms.value().settlementPeriod.value().durationMeasure),
     "10"},
    {"settlement_unit",
     FIELD(d.paymentTerms.value().settlementPeriod.value().durationMeasureUnitCode), "DAY"},
    {"settlement_start", FIELD(d.paymentTerms.value().settlementPeriod.value().startDate),
     "2024-03-01"},
    {"settlement_end", FIELD(d.paymentTerms.value().settlementPeriod.value().endDate),
     "2024-03-11"},
};

class PaymentFields : public ::testing::TestWithParam<FieldCase>
{};

TEST_P(PaymentFields, ReadsTheField)
{
    EXPECT_EQ(GetParam().field(paymentModel()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fixture, PaymentFields, ::testing::ValuesIn(paymentCases), fieldCaseName);

// Which payment terms a document shows, for documents with and without their own.
struct TermsCase
{
    const char *name;
    const char *xml;
    std::optional<std::string> note; // of the terms read; nullopt: no terms at all
};

const TermsCase termsCases[] = {
    {"document_terms_win",
     "<Invoice><PaymentTerms><Note>Doc</Note></PaymentTerms>"
     "<InvoiceLine><PaymentTerms><Note>Line</Note></PaymentTerms></InvoiceLine></Invoice>",
     "Doc"},
    {"first_line_with_terms_when_document_has_none",
     "<Invoice><InvoiceLine><ID>1</ID></InvoiceLine><InvoiceLine><PaymentTerms><Note>Line 2"
     "</Note></PaymentTerms></InvoiceLine><InvoiceLine><PaymentTerms><Note>Line 3</Note>"
     "</PaymentTerms></InvoiceLine></Invoice>",
     "Line 2"},
    {"no_terms", "<Invoice><PaymentMeans/></Invoice>", std::nullopt},
};

class Terms : public ::testing::TestWithParam<TermsCase>
{};

TEST_P(Terms, FirstInTheDocument)
{
    const UBLDocumentInfo info = parseModel(GetParam().xml);
    ASSERT_EQ(info.paymentTerms.has_value(), GetParam().note.has_value());
    if (info.paymentTerms) {
        EXPECT_EQ(info.paymentTerms->note, GetParam().note);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Terms, ::testing::ValuesIn(termsCases),
                         [](const ::testing::TestParamInfo<TermsCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(Payment, EveryPaymentMeansElementYieldsARecord)
{
    const UBLDocumentInfo info =
        parseModel("<Invoice><PaymentMeans/><PaymentMeans> </PaymentMeans></Invoice>");
    ASSERT_EQ(info.paymentMeans.size(), 2U);
    EXPECT_EQ(info.paymentMeans[0], UBLPaymentMeans{});
    EXPECT_EQ(info.paymentMeans[1], UBLPaymentMeans{});
}

TEST(Payment, ExtractorsReadBelowTheirContext)
{
    const XmlDocument document =
        parseXml("<Root><SettlementPeriod><DurationMeasure>9</DurationMeasure></SettlementPeriod>"
                 "<PaymentTerms><Note>n</Note></PaymentTerms>"
                 "<Account><FinancialInstitutionBranch/></Account></Root>");
    const XmlNode root = document.node();
    const std::vector<XmlNode> terms = root.select("//*[local-name()='PaymentTerms']");
    ASSERT_EQ(terms.size(), 1U);
    EXPECT_EQ(extractSettlementPeriod(terms[0]), std::nullopt);
    const std::vector<XmlNode> accounts = root.select("//*[local-name()='Account']");
    ASSERT_EQ(accounts.size(), 1U);
    EXPECT_EQ(extractFinancialInstitutionBranch(accounts[0]), UBLFinancialInstitutionBranch{});
    EXPECT_EQ(extractPayeeFinancialAccount(accounts[0]), std::nullopt);
}

} // namespace
