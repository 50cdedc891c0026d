// SPDX-License-Identifier: MIT
#include "dumpjson.h"

#include "sepa/sepaqrcodeservice.h"

namespace vellora::cli {

using namespace vellora::model;

namespace {

Json toJson(const std::string &text)
{
    return text;
}
Json toJson(const Decimal &value)
{
    return value.toString();
}
Json toJson(const Date &value)
{
    return value.toIsoString();
}
Json toJson(bool value)
{
    return value;
}
Json toJson(const Uuid &value)
{
    return value.toString();
}
Json toJson(UBLDocumentType type)
{
    return std::string(rawValue(type));
}

Json toJson(const UBLCountry &);
Json toJson(const UBLAddress &);
Json toJson(const UBLTaxScheme &);
Json toJson(const UBLPartyTaxScheme &);
Json toJson(const UBLLegalEntity &);
Json toJson(const UBLContact &);
Json toJson(const UBLParty &);
Json toJson(const UBLLegalMonetaryTotal &);
Json toJson(const UBLTaxCategory &);
Json toJson(const UBLTaxSubTotal &);
Json toJson(const UBLTaxTotal &);
Json toJson(const UBLAllowanceCharge &);
Json toJson(const UBLInvoicePeriod &);
Json toJson(const UBLOrderReference &);
Json toJson(const UBLOrderLineReference &);
Json toJson(const UBLCommodityClassification &);
Json toJson(const UBLItemProperty &);
Json toJson(const UBLItem &);
Json toJson(const UBLPrice &);
Json toJson(const UBLInvoiceLine &);
Json toJson(const UBLCreditNoteLine &);
Json toJson(const UBLFinancialInstitutionBranch &);
Json toJson(const UBLPayeeFinancialAccount &);
Json toJson(const UBLPaymentMeans &);
Json toJson(const UBLSettlementPeriod &);
Json toJson(const UBLPaymentTerms &);
Json toJson(const UBLInvoiceDocumentReference &);
Json toJson(const UBLBillingReference &);
Json toJson(const UBLContractDocumentReference &);
Json toJson(const UBLProjectReference &);
Json toJson(const UBLDelivery &);
Json toJson(const UBLAttachment &);

template <typename T>
Json toJson(const std::optional<T> &value)
{
    return value ? toJson(*value) : Json(nullptr);
}

template <typename T>
Json toJson(const std::vector<T> &values)
{
    Json array = Json::array();
    for (const T &value : values) {
        array.push_back(toJson(value));
    }
    return array;
}

// Builds an object from (key, value) pairs in the order given.
struct Object
{
    Json json = Json::object();
    template <typename T>
    Object &&add(const char *key, const T &value) &&
    {
        json[key] = toJson(value);
        return std::move(*this);
    }
    operator Json() && { return std::move(json); }
};

Json toJson(const UBLCountry &v)
{
    return Object().add("identificationCode", v.identificationCode).add("name", v.name);
}

Json toJson(const UBLAddress &v)
{
    return Object()
        .add("streetName", v.streetName)
        .add("additionalStreetName", v.additionalStreetName)
        .add("cityName", v.cityName)
        .add("postalZone", v.postalZone)
        .add("countrySubentity", v.countrySubentity)
        .add("country", v.country);
}

Json toJson(const UBLTaxScheme &v)
{
    return Object().add("id", v.id).add("name", v.name);
}

Json toJson(const UBLPartyTaxScheme &v)
{
    return Object().add("companyID", v.companyID).add("taxScheme", v.taxScheme);
}

Json toJson(const UBLLegalEntity &v)
{
    return Object()
        .add("registrationName", v.registrationName)
        .add("companyID", v.companyID)
        .add("companyIDSchemeID", v.companyIDSchemeID)
        .add("companyLegalForm", v.companyLegalForm);
}

Json toJson(const UBLContact &v)
{
    return Object()
        .add("name", v.name)
        .add("telephone", v.telephone)
        .add("electronicMail", v.electronicMail);
}

Json toJson(const UBLParty &v)
{
    return Object()
        .add("endpointID", v.endpointID)
        .add("endpointSchemeID", v.endpointSchemeID)
        .add("partyNames", v.partyNames)
        .add("postalAddress", v.postalAddress)
        .add("partyTaxScheme", v.partyTaxScheme)
        .add("legalEntity", v.legalEntity)
        .add("contact", v.contact);
}

Json toJson(const UBLLegalMonetaryTotal &v)
{
    return Object()
        .add("lineExtensionAmount", v.lineExtensionAmount)
        .add("taxExclusiveAmount", v.taxExclusiveAmount)
        .add("taxInclusiveAmount", v.taxInclusiveAmount)
        .add("allowanceTotalAmount", v.allowanceTotalAmount)
        .add("chargeTotalAmount", v.chargeTotalAmount)
        .add("prepaidAmount", v.prepaidAmount)
        .add("payableRoundingAmount", v.payableRoundingAmount)
        .add("payableAmount", v.payableAmount);
}

Json toJson(const UBLTaxCategory &v)
{
    return Object()
        .add("id", v.id)
        .add("name", v.name)
        .add("percent", v.percent)
        .add("taxExemptionReasonCode", v.taxExemptionReasonCode)
        .add("taxExemptionReason", v.taxExemptionReason)
        .add("taxScheme", v.taxScheme);
}

Json toJson(const UBLTaxSubTotal &v)
{
    return Object()
        .add("taxableAmount", v.taxableAmount)
        .add("taxAmount", v.taxAmount)
        .add("taxCategory", v.taxCategory);
}

Json toJson(const UBLTaxTotal &v)
{
    return Object().add("taxAmount", v.taxAmount).add("taxSubtotals", v.taxSubtotals);
}

Json toJson(const UBLAllowanceCharge &v)
{
    return Object()
        .add("chargeIndicator", v.chargeIndicator)
        .add("allowanceChargeReasonCode", v.allowanceChargeReasonCode)
        .add("allowanceChargeReason", v.allowanceChargeReason)
        .add("multiplierFactorNumeric", v.multiplierFactorNumeric)
        .add("amount", v.amount)
        .add("amountCurrencyID", v.amountCurrencyID)
        .add("baseAmount", v.baseAmount)
        .add("baseAmountCurrencyID", v.baseAmountCurrencyID)
        .add("taxCategories", v.taxCategories);
}

Json toJson(const UBLInvoicePeriod &v)
{
    return Object()
        .add("startDate", v.startDate)
        .add("endDate", v.endDate)
        .add("durationMeasure", v.durationMeasure)
        .add("durationMeasureUnitCode", v.durationMeasureUnitCode)
        .add("descriptionCode", v.descriptionCode)
        .add("description", v.description);
}

Json toJson(const UBLOrderReference &v)
{
    return Object()
        .add("id", v.id)
        .add("salesOrderID", v.salesOrderID)
        .add("issueDate", v.issueDate);
}

Json toJson(const UBLOrderLineReference &v)
{
    return Object()
        .add("lineID", v.lineID)
        .add("salesOrderLineID", v.salesOrderLineID)
        .add("uuid", v.uuid)
        .add("orderReference", v.orderReference);
}

Json toJson(const UBLCommodityClassification &v)
{
    return Object()
        .add("itemClassificationCode", v.itemClassificationCode)
        .add("itemClassificationCodeListID", v.itemClassificationCodeListID)
        .add("itemClassificationCodeListVersionID", v.itemClassificationCodeListVersionID)
        .add("cargoTypeCode", v.cargoTypeCode)
        .add("commodityCode", v.commodityCode);
}

Json toJson(const UBLItemProperty &v)
{
    return Object().add("name", v.name).add("value", v.value);
}

Json toJson(const UBLItem &v)
{
    return Object()
        .add("description", v.description)
        .add("name", v.name)
        .add("buyersItemIdentification", v.buyersItemIdentification)
        .add("sellersItemIdentification", v.sellersItemIdentification)
        .add("standardItemIdentification", v.standardItemIdentification)
        .add("standardItemIdentificationSchemeID", v.standardItemIdentificationSchemeID)
        .add("originCountryCode", v.originCountryCode)
        .add("commodityClassifications", v.commodityClassifications)
        .add("classifiedTaxCategories", v.classifiedTaxCategories)
        .add("additionalItemProperties", v.additionalItemProperties);
}

Json toJson(const UBLPrice &v)
{
    return Object()
        .add("priceAmount", v.priceAmount)
        .add("priceAmountCurrencyID", v.priceAmountCurrencyID)
        .add("baseQuantity", v.baseQuantity)
        .add("baseQuantityUnitCode", v.baseQuantityUnitCode)
        .add("allowanceCharges", v.allowanceCharges);
}

// The two line records differ only in the name of their quantity pair.
template <typename Line>
Json lineJson(const Line &v, const char *quantityKey, const std::optional<Decimal> &quantity,
              const char *unitCodeKey, const std::optional<std::string> &unitCode)
{
    return Object()
        .add("id", v.id)
        .add("note", v.note)
        .add(quantityKey, quantity)
        .add(unitCodeKey, unitCode)
        .add("lineExtensionAmount", v.lineExtensionAmount)
        .add("accountingCost", v.accountingCost)
        .add("invoicePeriod", v.invoicePeriod)
        .add("orderLineReference", v.orderLineReference)
        .add("allowanceCharges", v.allowanceCharges)
        .add("taxTotal", v.taxTotal)
        .add("item", v.item)
        .add("price", v.price);
}

Json toJson(const UBLInvoiceLine &v)
{
    return lineJson(v, "invoicedQuantity", v.invoicedQuantity, "invoicedQuantityUnitCode",
                    v.invoicedQuantityUnitCode);
}

Json toJson(const UBLCreditNoteLine &v)
{
    return lineJson(v, "creditedQuantity", v.creditedQuantity, "creditedQuantityUnitCode",
                    v.creditedQuantityUnitCode);
}

Json toJson(const UBLFinancialInstitutionBranch &v)
{
    return Object().add("id", v.id).add("name", v.name);
}

Json toJson(const UBLPayeeFinancialAccount &v)
{
    return Object()
        .add("id", v.id)
        .add("name", v.name)
        .add("financialInstitutionBranch", v.financialInstitutionBranch);
}

Json toJson(const UBLPaymentMeans &v)
{
    return Object()
        .add("paymentMeansCode", v.paymentMeansCode)
        .add("paymentMeansCodeName", v.paymentMeansCodeName)
        .add("paymentDueDate", v.paymentDueDate)
        .add("instructionNote", v.instructionNote)
        .add("paymentID", v.paymentID)
        .add("cardAccount", v.cardAccount)
        .add("payeeFinancialAccount", v.payeeFinancialAccount);
}

Json toJson(const UBLSettlementPeriod &v)
{
    return Object()
        .add("durationMeasure", v.durationMeasure)
        .add("durationMeasureUnitCode", v.durationMeasureUnitCode)
        .add("startDate", v.startDate)
        .add("endDate", v.endDate);
}

Json toJson(const UBLPaymentTerms &v)
{
    return Object()
        .add("note", v.note)
        .add("paymentMeansID", v.paymentMeansID)
        .add("paymentDueDate", v.paymentDueDate)
        .add("installmentDueDate", v.installmentDueDate)
        .add("penaltyAmount", v.penaltyAmount)
        .add("settlementPeriod", v.settlementPeriod);
}

Json toJson(const UBLInvoiceDocumentReference &v)
{
    return Object()
        .add("id", v.id)
        .add("uuid", v.uuid)
        .add("issueDate", v.issueDate)
        .add("invoiceTypeCode", v.invoiceTypeCode)
        .add("documentDescription", v.documentDescription);
}

Json toJson(const UBLBillingReference &v)
{
    return Object().add("invoiceDocumentReference", v.invoiceDocumentReference);
}

Json toJson(const UBLContractDocumentReference &v)
{
    return Object()
        .add("id", v.id)
        .add("uuid", v.uuid)
        .add("issueDate", v.issueDate)
        .add("contractType", v.contractType)
        .add("documentDescription", v.documentDescription);
}

Json toJson(const UBLProjectReference &v)
{
    return Object().add("id", v.id).add("uuid", v.uuid).add("issueDate", v.issueDate);
}

Json toJson(const UBLDelivery &v)
{
    return Object()
        .add("id", v.id)
        .add("quantity", v.quantity)
        .add("minimumQuantity", v.minimumQuantity)
        .add("maximumQuantity", v.maximumQuantity)
        .add("actualDeliveryDate", v.actualDeliveryDate)
        .add("actualDeliveryTime", v.actualDeliveryTime)
        .add("latestDeliveryDate", v.latestDeliveryDate)
        .add("latestDeliveryTime", v.latestDeliveryTime)
        .add("trackingID", v.trackingID)
        .add("deliveryAddress", v.deliveryAddress)
        .add("deliveryLocation", v.deliveryLocation)
        .add("requestedDeliveryPeriod", v.requestedDeliveryPeriod)
        .add("promisedDeliveryPeriod", v.promisedDeliveryPeriod)
        .add("estimatedDeliveryPeriod", v.estimatedDeliveryPeriod)
        .add("deliveryParty", v.deliveryParty);
}

Json toJson(const UBLAttachment &v)
{
    Json json = Object()
                    .add("id", v.id)
                    .add("documentID", v.documentID)
                    .add("filename", v.filename)
                    .add("mimeType", v.mimeType)
                    .add("embeddedData", v.embeddedData)
                    .add("documentType", v.documentType)
                    .add("documentTypeCode", v.documentTypeCode)
                    .add("documentDescription", v.documentDescription)
                    .add("externalReference", v.externalReference);
    const std::optional<std::int64_t> size = v.estimatedSize();
    json["estimatedSize"] = size ? Json(*size) : Json(nullptr);
    return json;
}

// The twelve fields in declaration order, then the exact payload text.
Json sepaJson(const sepa::SEPAPaymentInfo &v)
{
    Json json = Object()
                    .add("serviceTag", v.serviceTag)
                    .add("version", v.version)
                    .add("characterSet", v.characterSet)
                    .add("identification", v.identification)
                    .add("bic", v.bic)
                    .add("beneficiaryName", v.beneficiaryName)
                    .add("beneficiaryAccount", v.beneficiaryAccount)
                    .add("amount", v.amount)
                    .add("purpose", v.purpose)
                    .add("remittanceReference", v.remittanceReference)
                    .add("remittanceText", v.remittanceText)
                    .add("beneficiaryToOriginatorInfo", v.beneficiaryToOriginatorInfo);
    json["payload"] = v.payloadText();
    return json;
}

} // namespace

Json toJson(const UBLDocumentInfo &v)
{
    return Object()
        .add("documentType", v.documentType)
        .add("documentID", v.documentID)
        .add("issueDate", v.issueDate)
        .add("currency", v.currency)
        .add("ublVersion", v.ublVersion)
        .add("supplierParty", v.supplierParty)
        .add("customerParty", v.customerParty)
        .add("monetaryTotal", v.monetaryTotal)
        .add("taxTotal", v.taxTotal)
        .add("invoiceLines", v.invoiceLines)
        .add("creditNoteLines", v.creditNoteLines)
        .add("attachments", v.attachments)
        .add("paymentMeans", v.paymentMeans)
        .add("paymentTerms", v.paymentTerms)
        .add("allowanceCharges", v.allowanceCharges)
        .add("orderReference", v.orderReference)
        .add("billingReference", v.billingReference)
        .add("contractReference", v.contractReference)
        .add("projectReference", v.projectReference)
        .add("delivery", v.delivery)
        .add("invoicePeriod", v.invoicePeriod);
}

Json documentJson(const parser::VelloraDocument &document)
{
    Json out = Json::object();
    const auto &outcome = document.validationResult();
    const UBLDocumentInfo *info = document.ublInfo();
    out["validation"] = info ? "valid" : "invalid";
    const std::string *message = outcome ? outcome->message() : nullptr;
    out["message"] = message ? Json(*message) : Json(nullptr);
    out["document"] = info ? toJson(*info) : Json(nullptr);
    // Only a valid document has a model to derive a payment from.
    const std::optional<sepa::SEPAPaymentInfo> payment =
        info ? sepa::SEPAQRCodeService().makePaymentInfo(*info) : std::nullopt;
    out["sepa"] = payment ? sepaJson(*payment) : Json(nullptr);
    return out;
}

} // namespace vellora::cli
