// SPDX-License-Identifier: MIT
#include "ciireader.h"

#include "parser/primitives.h"

#include "model/text.h"

#include <array>
#include <initializer_list>

namespace vellora::parser::cii {

using namespace model;

namespace {

// Every read is a chain of child steps from the record's element. CII repeats element names
// at line and header level (IDs, referenced documents, allowances, a party's URIIDs), and
// the line items come before the header, so "the first match anywhere below" would find a
// line's element, the profile's ID or the contact's e-mail instead of the header's value.
using Path = std::initializer_list<std::string_view>;

void collect(const XmlNode &context, const std::string_view *step, const std::string_view *end,
             std::vector<XmlNode> &out)
{
    if (step == end) {
        out.push_back(context);
        return;
    }
    for (const XmlNode &child : context.children(*step)) {
        collect(child, step + 1, end, out);
    }
}

// The elements at `path` below `context`, in document order.
std::vector<XmlNode> all(const XmlNode &context, Path path)
{
    std::vector<XmlNode> out;
    collect(context, path.begin(), path.end(), out);
    return out;
}

std::optional<XmlNode> firstFrom(const XmlNode &context, const std::string_view *step,
                                 const std::string_view *end)
{
    if (step == end) {
        return context;
    }
    for (const XmlNode &child : context.children(*step)) {
        if (std::optional<XmlNode> found = firstFrom(child, step + 1, end)) {
            return found;
        }
    }
    return std::nullopt;
}

// The first element at `path` below `context` in document order.
std::optional<XmlNode> first(const XmlNode &context, Path path)
{
    return firstFrom(context, path.begin(), path.end());
}

std::optional<std::string> text(const std::optional<XmlNode> &element)
{
    return element ? std::optional(trimmedText(*element)) : std::nullopt;
}

std::optional<std::string> text(const XmlNode &context, Path path)
{
    return text(first(context, path));
}

// The text of the first of two paths that exists.
std::optional<std::string> textEither(const XmlNode &context, Path preferred, Path otherwise)
{
    if (std::optional<XmlNode> element = first(context, preferred)) {
        return trimmedText(*element);
    }
    return text(context, otherwise);
}

std::optional<Decimal> decimal(const std::optional<XmlNode> &element)
{
    const std::optional<std::string> value = text(element);
    return value && !value->empty() ? Decimal::parse(*value) : std::nullopt;
}

std::optional<Decimal> decimal(const XmlNode &context, Path path)
{
    return decimal(first(context, path));
}

std::optional<std::string> attribute(const XmlNode &context, Path path, std::string_view name)
{
    const std::optional<XmlNode> element = first(context, path);
    return element ? element->attribute(name) : std::nullopt;
}

// The currency beside an amount: CII writes no currencyID on amounts, the invoice currency
// stands for all of them. Only where the amount is there.
std::optional<std::string> currencyIfPresent(const XmlNode &context, Path path,
                                             const std::optional<std::string> &currency)
{
    return first(context, path) ? currency : std::nullopt;
}

// True exactly for "true" and "1", whatever the case, as for a UBL indicator.
std::optional<bool> indicator(const XmlNode &context, Path path)
{
    const std::optional<std::string> value = text(context, path);
    if (!value) {
        return std::nullopt;
    }
    const std::string lowered = lowerCased(*value);
    return lowered == "true" || lowered == "1";
}

// A date element's day: its DateTimeString (DateString for the tax point) in format 102,
// YYYYMMDD, a real calendar day. Any other form is no date.
std::optional<Date> date(const XmlNode &context, Path path)
{
    for (const XmlNode &holder : all(context, path)) {
        std::optional<XmlNode> value;
        for (const std::string_view name : {"DateTimeString", "DateString"}) {
            const std::vector<XmlNode> found = holder.children(name);
            if (!found.empty() && (!value || found.front().position() < value->position())) {
                value = found.front();
            }
        }
        if (!value) {
            continue;
        }
        const std::optional<std::string> format = value->attribute("format");
        const std::string digits = trimmedText(*value);
        if ((format && *format != "102") || digits.size() != 8 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            return std::nullopt;
        }
        return Date::fromIsoText(digits.substr(0, 4) + "-" + digits.substr(4, 2) + "-" +
                                 digits.substr(6, 2));
    }
    return std::nullopt;
}

// Type codes of documents that the UBL binding writes as a CreditNote; every other code
// is an invoice.
bool isCreditNoteCode(const std::optional<std::string> &code)
{
    static constexpr std::array<std::string_view, 13> codes = {
        "81", "83", "261", "262", "296", "308", "381", "396", "420", "458", "502", "503", "532"};
    return code && std::find(codes.begin(), codes.end(), *code) != codes.end();
}

// The due-date type of the VAT breakdown, in the code list of a UBL invoice period.
std::string dueDateTypeInUbl(const std::string &code)
{
    if (code == "5") {
        return "3";
    }
    if (code == "29") {
        return "35";
    }
    if (code == "72") {
        return "432";
    }
    return code;
}

std::optional<UBLAddress> address(const XmlNode &party)
{
    const std::optional<XmlNode> a = first(party, {"PostalTradeAddress"});
    if (!a) {
        return std::nullopt;
    }
    UBLAddress out;
    out.streetName = text(*a, {"LineOne"});
    out.additionalStreetName = text(*a, {"LineTwo"});
    out.cityName = text(*a, {"CityName"});
    out.postalZone = text(*a, {"PostcodeCode"});
    out.countrySubentity = text(*a, {"CountrySubDivisionName"});
    if (std::optional<std::string> country = text(*a, {"CountryID"})) {
        out.country = UBLCountry{std::move(country), std::nullopt};
    }
    return out;
}

std::optional<UBLPartyTaxScheme> partyTaxScheme(const XmlNode &party)
{
    // One registration per identifier; the VAT one (scheme VA) first, as UBL lists it.
    const std::vector<XmlNode> registrations = all(party, {"SpecifiedTaxRegistration"});
    if (registrations.empty()) {
        return std::nullopt;
    }
    const XmlNode *chosen = &registrations.front();
    for (const XmlNode &registration : registrations) {
        bool vat = false;
        for (const XmlNode &id : registration.children("ID")) {
            vat = vat || id.attribute("schemeID") == "VA";
        }
        if (vat) {
            chosen = &registration;
            break;
        }
    }
    std::optional<std::string> scheme = attribute(*chosen, {"ID"}, "schemeID");
    UBLPartyTaxScheme out;
    out.companyID = text(*chosen, {"ID"});
    out.taxScheme =
        UBLTaxScheme{scheme == "VA" ? std::optional<std::string>("VAT") : scheme, std::nullopt};
    return out;
}

std::optional<UBLLegalEntity> legalEntity(const XmlNode &party)
{
    // No wrapper: the party's name is its legal name, the legal organisation carries the
    // registration ID, the party's description the legal form.
    const std::optional<XmlNode> name = first(party, {"Name"});
    const std::optional<XmlNode> organisation = first(party, {"SpecifiedLegalOrganization"});
    const std::optional<XmlNode> description = first(party, {"Description"});
    if (!name && !organisation && !description) {
        return std::nullopt;
    }
    UBLLegalEntity out;
    out.registrationName = text(name);
    out.companyID = text(party, {"SpecifiedLegalOrganization", "ID"});
    out.companyIDSchemeID = attribute(party, {"SpecifiedLegalOrganization", "ID"}, "schemeID");
    out.companyLegalForm = text(description);
    return out;
}

std::optional<UBLContact> contact(const XmlNode &party)
{
    const std::optional<XmlNode> c = first(party, {"DefinedTradeContact"});
    if (!c) {
        return std::nullopt;
    }
    UBLContact out;
    out.name = textEither(*c, {"PersonName"}, {"DepartmentName"});
    out.telephone = text(*c, {"TelephoneUniversalCommunication", "CompleteNumber"});
    out.electronicMail = text(*c, {"EmailURIUniversalCommunication", "URIID"});
    return out;
}

std::optional<UBLParty> party(const std::optional<XmlNode> &agreement, std::string_view name)
{
    const std::optional<XmlNode> p = agreement ? first(*agreement, {name}) : std::nullopt;
    if (!p) {
        return std::nullopt;
    }
    UBLParty out;
    // The endpoint, not the contact's e-mail address, which comes first in the file.
    out.endpointID = text(*p, {"URIUniversalCommunication", "URIID"});
    out.endpointSchemeID = attribute(*p, {"URIUniversalCommunication", "URIID"}, "schemeID");
    // The trading name only, as a UBL party name; the legal name is the legal entity's.
    if (std::optional<std::string> trading =
            text(*p, {"SpecifiedLegalOrganization", "TradingBusinessName"})) {
        out.partyNames.push_back(std::move(*trading));
    }
    out.postalAddress = address(*p);
    out.partyTaxScheme = partyTaxScheme(*p);
    out.legalEntity = legalEntity(*p);
    out.contact = contact(*p);
    return out;
}

// A tax category of a VAT breakdown (`withExemption`), a line or a document allowance.
UBLTaxCategory taxCategory(const XmlNode &tax, bool withExemption)
{
    UBLTaxCategory out;
    out.id = text(tax, {"CategoryCode"});
    out.percent = decimal(tax, {"RateApplicablePercent"});
    if (withExemption) {
        out.taxExemptionReasonCode = text(tax, {"ExemptionReasonCode"});
        out.taxExemptionReason = text(tax, {"ExemptionReason"});
    }
    if (const std::optional<XmlNode> type = first(tax, {"TypeCode"})) {
        out.taxScheme = UBLTaxScheme{trimmedText(*type), std::nullopt};
    }
    return out;
}

// An allowance or charge; for a price discount `grossPrice` is the gross price, whose
// amount is the discount's base.
UBLAllowanceCharge allowanceCharge(const XmlNode &a, const std::optional<std::string> &currency,
                                   const XmlNode *grossPrice = nullptr)
{
    UBLAllowanceCharge out;
    out.chargeIndicator = indicator(a, {"ChargeIndicator"});
    out.allowanceChargeReasonCode = text(a, {"ReasonCode"});
    out.allowanceChargeReason = text(a, {"Reason"});
    out.multiplierFactorNumeric = decimal(a, {"CalculationPercent"});
    out.amount = decimal(a, {"ActualAmount"});
    out.amountCurrencyID = currencyIfPresent(a, {"ActualAmount"}, currency);
    const XmlNode &baseContext = grossPrice ? *grossPrice : a;
    const std::string_view base = grossPrice ? "ChargeAmount" : "BasisAmount";
    out.baseAmount = decimal(baseContext, {base});
    out.baseAmountCurrencyID = currencyIfPresent(baseContext, {base}, currency);
    for (const XmlNode &tax : a.children("CategoryTradeTax")) {
        out.taxCategories.push_back(taxCategory(tax, false));
    }
    return out;
}

std::vector<UBLAllowanceCharge> priceAllowanceCharges(const XmlNode &line,
                                                      const std::optional<std::string> &currency)
{
    std::vector<UBLAllowanceCharge> out;
    const std::optional<XmlNode> gross =
        first(line, {"SpecifiedLineTradeAgreement", "GrossPriceProductTradePrice"});
    if (gross) {
        for (const XmlNode &a : gross->children("AppliedTradeAllowanceCharge")) {
            out.push_back(allowanceCharge(a, currency, &*gross));
        }
    }
    return out;
}

std::optional<UBLInvoicePeriod> period(const std::optional<XmlNode> &p)
{
    if (!p) {
        return std::nullopt;
    }
    UBLInvoicePeriod out;
    out.startDate = date(*p, {"StartDateTime"});
    out.endDate = date(*p, {"EndDateTime"});
    return out;
}

std::optional<UBLItem> item(const XmlNode &line)
{
    const std::optional<XmlNode> product = first(line, {"SpecifiedTradeProduct"});
    if (!product) {
        return std::nullopt;
    }
    UBLItem out;
    out.description = text(*product, {"Description"});
    out.name = text(*product, {"Name"});
    out.buyersItemIdentification = text(*product, {"BuyerAssignedID"});
    out.sellersItemIdentification = text(*product, {"SellerAssignedID"});
    out.standardItemIdentification = text(*product, {"GlobalID"});
    out.standardItemIdentificationSchemeID = attribute(*product, {"GlobalID"}, "schemeID");
    out.originCountryCode = text(*product, {"OriginTradeCountry", "ID"});
    for (const XmlNode &c : product->children("DesignatedProductClassification")) {
        UBLCommodityClassification classification;
        classification.itemClassificationCode = text(c, {"ClassCode"});
        classification.itemClassificationCodeListID = attribute(c, {"ClassCode"}, "listID");
        classification.itemClassificationCodeListVersionID =
            attribute(c, {"ClassCode"}, "listVersionID");
        out.commodityClassifications.push_back(std::move(classification));
    }
    // The line's VAT category is in the line's settlement, not in the product.
    for (const XmlNode &tax : all(line, {"SpecifiedLineTradeSettlement", "ApplicableTradeTax"})) {
        out.classifiedTaxCategories.push_back(taxCategory(tax, false));
    }
    for (const XmlNode &c : product->children("ApplicableProductCharacteristic")) {
        std::optional<std::string> name = text(c, {"Description"});
        std::optional<std::string> value = text(c, {"Value"});
        if (name && value) {
            out.additionalItemProperties.push_back({std::move(*name), std::move(*value)});
        }
    }
    return out;
}

std::optional<UBLPrice> price(const XmlNode &line, const std::optional<std::string> &currency)
{
    const std::optional<XmlNode> agreement = first(line, {"SpecifiedLineTradeAgreement"});
    const std::optional<XmlNode> net =
        agreement ? first(*agreement, {"NetPriceProductTradePrice"}) : std::nullopt;
    if (!net) {
        return std::nullopt;
    }
    // The net price's base quantity, else the gross price's.
    std::optional<XmlNode> quantity = first(*net, {"BasisQuantity"});
    if (!quantity) {
        quantity = first(*agreement, {"GrossPriceProductTradePrice", "BasisQuantity"});
    }
    UBLPrice out;
    out.priceAmount = decimal(*net, {"ChargeAmount"});
    out.priceAmountCurrencyID = currencyIfPresent(*net, {"ChargeAmount"}, currency);
    if (quantity) {
        out.baseQuantity = decimal(quantity);
        out.baseQuantityUnitCode = quantity->attribute("unitCode");
    }
    out.allowanceCharges = priceAllowanceCharges(line, currency);
    return out;
}

// The fields both line kinds share, filled into `out`.
template <typename Line>
void fillLine(Line &out, const XmlNode &line, const std::optional<std::string> &currency)
{
    out.id = text(line, {"AssociatedDocumentLineDocument", "LineID"}).value_or("");
    out.note = text(line, {"AssociatedDocumentLineDocument", "IncludedNote", "Content"});
    const std::optional<XmlNode> settlement = first(line, {"SpecifiedLineTradeSettlement"});
    if (settlement) {
        out.lineExtensionAmount = decimal(
            *settlement, {"SpecifiedTradeSettlementLineMonetarySummation", "LineTotalAmount"});
        out.accountingCost = text(*settlement, {"ReceivableSpecifiedTradeAccountingAccount", "ID"});
        out.invoicePeriod = period(first(*settlement, {"BillingSpecifiedPeriod"}));
    }
    if (const std::optional<XmlNode> order =
            first(line, {"SpecifiedLineTradeAgreement", "BuyerOrderReferencedDocument"})) {
        UBLOrderLineReference reference;
        reference.lineID = text(*order, {"LineID"});
        out.orderLineReference = std::move(reference);
    }
    // The line's own allowances and charges, then its price's discounts, as UBL orders them.
    for (const XmlNode &a :
         all(line, {"SpecifiedLineTradeSettlement", "SpecifiedTradeAllowanceCharge"})) {
        out.allowanceCharges.push_back(allowanceCharge(a, currency));
    }
    for (UBLAllowanceCharge &a : priceAllowanceCharges(line, currency)) {
        out.allowanceCharges.push_back(std::move(a));
    }
    out.item = item(line);
    out.price = price(line, currency);
}

UBLInvoiceLine invoiceLine(const XmlNode &line, const std::optional<std::string> &currency)
{
    UBLInvoiceLine out;
    fillLine(out, line, currency);
    out.invoicedQuantity = decimal(line, {"SpecifiedLineTradeDelivery", "BilledQuantity"});
    out.invoicedQuantityUnitCode =
        attribute(line, {"SpecifiedLineTradeDelivery", "BilledQuantity"}, "unitCode");
    return out;
}

UBLCreditNoteLine creditNoteLine(const XmlNode &line, const std::optional<std::string> &currency)
{
    UBLCreditNoteLine out;
    fillLine(out, line, currency);
    out.creditedQuantity = decimal(line, {"SpecifiedLineTradeDelivery", "BilledQuantity"});
    out.creditedQuantityUnitCode =
        attribute(line, {"SpecifiedLineTradeDelivery", "BilledQuantity"}, "unitCode");
    return out;
}

std::optional<UBLLegalMonetaryTotal> monetaryTotal(const XmlNode &settlement)
{
    const std::optional<XmlNode> s =
        first(settlement, {"SpecifiedTradeSettlementHeaderMonetarySummation"});
    if (!s) {
        return std::nullopt;
    }
    UBLLegalMonetaryTotal out;
    out.lineExtensionAmount = decimal(*s, {"LineTotalAmount"});
    out.taxExclusiveAmount = decimal(*s, {"TaxBasisTotalAmount"});
    out.taxInclusiveAmount = decimal(*s, {"GrandTotalAmount"});
    out.allowanceTotalAmount = decimal(*s, {"AllowanceTotalAmount"});
    out.chargeTotalAmount = decimal(*s, {"ChargeTotalAmount"});
    out.prepaidAmount = decimal(*s, {"TotalPrepaidAmount"});
    out.payableRoundingAmount = decimal(*s, {"RoundingAmount"});
    out.payableAmount = decimal(*s, {"DuePayableAmount"});
    return out;
}

std::optional<UBLTaxTotal> taxTotal(const XmlNode &settlement,
                                    const std::optional<std::string> &currency)
{
    // The tax total in the invoice currency; a second one is the tax in the tax currency,
    // which the model does not hold.
    const std::vector<XmlNode> totals =
        all(settlement, {"SpecifiedTradeSettlementHeaderMonetarySummation", "TaxTotalAmount"});
    std::optional<XmlNode> amount;
    for (const XmlNode &total : totals) {
        if (currency && total.attribute("currencyID") == currency) {
            amount = total;
            break;
        }
    }
    if (!amount && !totals.empty()) {
        amount = totals.front();
    }
    const std::vector<XmlNode> breakdown = settlement.children("ApplicableTradeTax");
    if (!amount && breakdown.empty()) {
        return std::nullopt;
    }
    UBLTaxTotal out;
    out.taxAmount = decimal(amount);
    for (const XmlNode &tax : breakdown) {
        out.taxSubtotals.push_back(UBLTaxSubTotal{decimal(tax, {"BasisAmount"}),
                                                  decimal(tax, {"CalculatedAmount"}),
                                                  taxCategory(tax, true)});
    }
    return out;
}

std::vector<UBLPaymentMeans> paymentMeans(const XmlNode &settlement, UBLDocumentType type)
{
    const std::optional<std::string> reference = text(settlement, {"PaymentReference"});
    // The due date belongs to each payment means of a credit note; an invoice shows none,
    // as its UBL twin holds it where the model does not read it.
    const std::optional<Date> due =
        type == UBLDocumentType::creditNote
            ? date(settlement, {"SpecifiedTradePaymentTerms", "DueDateDateTime"})
            : std::nullopt;
    std::vector<UBLPaymentMeans> out;
    for (const XmlNode &m : settlement.children("SpecifiedTradeSettlementPaymentMeans")) {
        UBLPaymentMeans means;
        means.paymentMeansCode = text(m, {"TypeCode"});
        means.paymentMeansCodeName = text(m, {"Information"});
        means.paymentDueDate = due;
        means.paymentID = reference;
        means.cardAccount = text(m, {"ApplicableTradeSettlementFinancialCard", "ID"});
        // The seller's account and, beside it, its bank. Never the buyer's direct-debit
        // account (PayerPartyDebtorFinancialAccount), whose IBANID has the same name.
        const std::optional<XmlNode> account = first(m, {"PayeePartyCreditorFinancialAccount"});
        const std::optional<XmlNode> bank =
            first(m, {"PayeeSpecifiedCreditorFinancialInstitution"});
        if (account || bank) {
            UBLPayeeFinancialAccount payee;
            if (account) {
                payee.id = textEither(*account, {"IBANID"}, {"ProprietaryID"});
                payee.name = text(*account, {"AccountName"});
            }
            if (bank) {
                payee.financialInstitutionBranch =
                    UBLFinancialInstitutionBranch{text(*bank, {"BICID"}), std::nullopt};
            }
            means.payeeFinancialAccount = std::move(payee);
        }
        out.push_back(std::move(means));
    }
    return out;
}

std::optional<UBLPaymentTerms> paymentTerms(const XmlNode &settlement)
{
    // A UBL PaymentTerms holds the terms' text only: the first terms with a description.
    for (const XmlNode &terms : settlement.children("SpecifiedTradePaymentTerms")) {
        if (std::optional<std::string> note = text(terms, {"Description"})) {
            UBLPaymentTerms out;
            out.note = std::move(note);
            return out;
        }
    }
    return std::nullopt;
}

std::optional<UBLOrderReference> orderReference(const XmlNode &agreement)
{
    const std::optional<XmlNode> buyer = first(agreement, {"BuyerOrderReferencedDocument"});
    const std::optional<XmlNode> seller = first(agreement, {"SellerOrderReferencedDocument"});
    if (!buyer && !seller) {
        return std::nullopt;
    }
    UBLOrderReference out;
    if (buyer) {
        out.id = text(*buyer, {"IssuerAssignedID"});
        out.issueDate = date(*buyer, {"FormattedIssueDateTime"});
    }
    if (seller) {
        out.salesOrderID = text(*seller, {"IssuerAssignedID"});
    }
    return out;
}

std::optional<UBLBillingReference> billingReference(const XmlNode &settlement)
{
    const std::optional<XmlNode> r = first(settlement, {"InvoiceReferencedDocument"});
    if (!r) {
        return std::nullopt;
    }
    UBLInvoiceDocumentReference reference;
    reference.id = text(*r, {"IssuerAssignedID"});
    reference.issueDate = date(*r, {"FormattedIssueDateTime"});
    reference.invoiceTypeCode = text(*r, {"TypeCode"});
    return UBLBillingReference{std::move(reference)};
}

std::optional<UBLContractDocumentReference> contractReference(const XmlNode &agreement)
{
    const std::optional<XmlNode> r = first(agreement, {"ContractReferencedDocument"});
    if (!r) {
        return std::nullopt;
    }
    UBLContractDocumentReference out;
    out.id = text(*r, {"IssuerAssignedID"});
    out.issueDate = date(*r, {"FormattedIssueDateTime"});
    return out;
}

std::optional<UBLProjectReference> projectReference(const XmlNode &agreement)
{
    const std::optional<XmlNode> r = first(agreement, {"SpecifiedProcuringProject"});
    if (!r) {
        return std::nullopt;
    }
    UBLProjectReference out;
    out.id = text(*r, {"ID"});
    return out;
}

std::optional<UBLDelivery> delivery(const std::optional<XmlNode> &header)
{
    // The header delivery must be written and is often empty: a record only when the
    // ship-to party or the delivery event is there.
    if (!header) {
        return std::nullopt;
    }
    const std::optional<XmlNode> shipTo = first(*header, {"ShipToTradeParty"});
    const std::optional<XmlNode> event = first(*header, {"ActualDeliverySupplyChainEvent"});
    if (!shipTo && !event) {
        return std::nullopt;
    }
    UBLDelivery out;
    if (shipTo) {
        out.deliveryLocation = textEither(*shipTo, {"ID"}, {"GlobalID"});
        out.id = out.deliveryLocation;
        if (std::optional<std::string> name = text(*shipTo, {"Name"})) {
            UBLParty party;
            party.partyNames.push_back(std::move(*name));
            out.deliveryParty = std::move(party);
        }
    }
    // The ship-to address stays unread, as the UBL reader does not read it either.
    out.actualDeliveryDate =
        date(*header, {"ActualDeliverySupplyChainEvent", "OccurrenceDateTime"});
    return out;
}

std::optional<UBLInvoicePeriod> documentPeriod(const std::optional<XmlNode> &settlement,
                                               const std::vector<XmlNode> &lines)
{
    // The header's period, else the first one a line has; the due-date type of the VAT breakdown
    // goes into it, making one if need be.
    std::optional<UBLInvoicePeriod> out;
    if (settlement) {
        out = period(first(*settlement, {"BillingSpecifiedPeriod"}));
    }
    for (std::size_t i = 0; !out && i < lines.size(); ++i) {
        out = period(first(lines[i], {"SpecifiedLineTradeSettlement", "BillingSpecifiedPeriod"}));
    }
    const std::optional<std::string> code =
        settlement ? text(*settlement, {"ApplicableTradeTax", "DueDateTypeCode"}) : std::nullopt;
    if (code) {
        if (!out) {
            out.emplace();
        }
        out->descriptionCode = dueDateTypeInUbl(*code);
    }
    return out;
}

std::vector<UBLAttachment> attachments(const XmlNode &agreement)
{
    std::vector<UBLAttachment> out;
    // The header's referenced documents only: a line's is an object identifier.
    for (const XmlNode &r : agreement.children("AdditionalReferencedDocument")) {
        const std::optional<XmlNode> object = first(r, {"AttachmentBinaryObject"});
        const std::optional<XmlNode> uri = first(r, {"URIID"});
        if (!object && !uri) {
            continue;
        }
        UBLAttachment attachment;
        attachment.id = Uuid::random();
        attachment.documentID = text(r, {"IssuerAssignedID"}).value_or("Unknown");
        if (object) { // embedded content wins over a reference to content elsewhere
            attachment.filename = object->attribute("filename");
            attachment.mimeType = object->attribute("mimeCode");
            attachment.embeddedData = SharedText(trimmedText(*object));
        } else {
            attachment.externalReference = trimmedText(*uri);
        }
        // 916 marks every attachment; the UBL binding writes no code for it.
        std::optional<std::string> code = text(r, {"TypeCode"});
        attachment.documentTypeCode = code == "916" ? std::nullopt : std::move(code);
        attachment.documentDescription = text(r, {"Name"});
        out.push_back(std::move(attachment));
    }
    return out;
}

} // namespace

RootKind rootKind(const XmlDocument &document)
{
    const XmlNode top = document.node();
    for (const XmlNode &root : top.children("CrossIndustryInvoice")) {
        if (root.namespaceUri() == ciiNamespace) {
            return RootKind::crossIndustryInvoice;
        }
    }
    for (const XmlNode &root : top.children("CrossIndustryDocument")) {
        if (root.namespaceUri() == zugferd1Namespace) {
            return RootKind::zugferd1;
        }
    }
    return RootKind::other;
}

UBLDocumentInfo readDocumentInfo(const XmlDocument &document)
{
    UBLDocumentInfo info;
    const std::vector<XmlNode> roots = document.node().children("CrossIndustryInvoice");
    if (roots.empty()) {
        return info;
    }
    const XmlNode root = roots.front();
    const std::optional<XmlNode> transaction = first(root, {"SupplyChainTradeTransaction"});
    std::optional<XmlNode> agreement, deliveryHeader, settlement;
    std::vector<XmlNode> lineItems;
    if (transaction) {
        agreement = first(*transaction, {"ApplicableHeaderTradeAgreement"});
        deliveryHeader = first(*transaction, {"ApplicableHeaderTradeDelivery"});
        settlement = first(*transaction, {"ApplicableHeaderTradeSettlement"});
        lineItems = transaction->children("IncludedSupplyChainTradeLineItem");
    }

    // One root for both kinds: the type code tells a credit note.
    info.documentType = isCreditNoteCode(text(root, {"ExchangedDocument", "TypeCode"}))
                            ? UBLDocumentType::creditNote
                            : UBLDocumentType::invoice;
    // The invoice number; the first ID of the file is the profile's.
    info.documentID = text(root, {"ExchangedDocument", "ID"}).value_or("Unknown");
    info.issueDate = date(root, {"ExchangedDocument", "IssueDateTime"});
    const std::optional<std::string> currency =
        settlement ? text(*settlement, {"InvoiceCurrencyCode"}) : std::nullopt;
    info.currency = currency.value_or("Unknown");
    // The syntax version is fixed by the namespace; there is no UBL version to show.
    info.ublVersion = "Unknown";
    info.supplierParty = party(agreement, "SellerTradeParty");
    info.customerParty = party(agreement, "BuyerTradeParty");

    if (settlement) {
        info.monetaryTotal = monetaryTotal(*settlement);
        info.taxTotal = taxTotal(*settlement, currency);
        info.paymentMeans = paymentMeans(*settlement, info.documentType);
        info.paymentTerms = paymentTerms(*settlement);
        info.billingReference = billingReference(*settlement);
        for (const XmlNode &a : settlement->children("SpecifiedTradeAllowanceCharge")) {
            info.allowanceCharges.push_back(allowanceCharge(a, currency));
        }
    }

    // Document allowances and charges as a UBL file lists them: the header's first, then
    // each line's own and its price's.
    if (info.documentType == UBLDocumentType::invoice) {
        info.invoiceLines.reserve(lineItems.size());
        for (const XmlNode &line : lineItems) {
            info.invoiceLines.push_back(invoiceLine(line, currency));
            const auto &charges = info.invoiceLines.back().allowanceCharges;
            info.allowanceCharges.insert(info.allowanceCharges.end(), charges.begin(),
                                         charges.end());
        }
    } else {
        info.creditNoteLines.reserve(lineItems.size());
        for (const XmlNode &line : lineItems) {
            info.creditNoteLines.push_back(creditNoteLine(line, currency));
            const auto &charges = info.creditNoteLines.back().allowanceCharges;
            info.allowanceCharges.insert(info.allowanceCharges.end(), charges.begin(),
                                         charges.end());
        }
    }

    if (agreement) {
        info.attachments = attachments(*agreement);
        info.orderReference = orderReference(*agreement);
        info.contractReference = contractReference(*agreement);
        info.projectReference = projectReference(*agreement);
    }
    info.delivery = delivery(deliveryHeader);
    info.invoicePeriod = documentPeriod(settlement, lineItems);
    return info;
}

} // namespace vellora::parser::cii
