// SPDX-License-Identifier: MIT
#include "dumpjson.h"

#include "sepa/sepaqrcodeservice.h"

#include <cstdint>

namespace vellora::cli {

using namespace vellora::model;

namespace {

void write(JsonWriter &out, const std::string &text)
{
    out.string(text);
}
void write(JsonWriter &out, const SharedText &text)
{
    out.string(text);
}
void write(JsonWriter &out, const Decimal &value)
{
    out.string(value.toString());
}
void write(JsonWriter &out, const Date &value)
{
    out.string(value.toIsoString());
}
void write(JsonWriter &out, bool value)
{
    out.boolean(value);
}
void write(JsonWriter &out, std::int64_t value)
{
    out.integer(value);
}
void write(JsonWriter &out, const Uuid &value)
{
    out.string(value.toString());
}
void write(JsonWriter &out, UBLDocumentType type)
{
    out.string(rawValue(type));
}

void write(JsonWriter &out, const UBLCountry &);
void write(JsonWriter &out, const UBLAddress &);
void write(JsonWriter &out, const UBLTaxScheme &);
void write(JsonWriter &out, const UBLPartyTaxScheme &);
void write(JsonWriter &out, const UBLLegalEntity &);
void write(JsonWriter &out, const UBLContact &);
void write(JsonWriter &out, const UBLParty &);
void write(JsonWriter &out, const UBLLegalMonetaryTotal &);
void write(JsonWriter &out, const UBLTaxCategory &);
void write(JsonWriter &out, const UBLTaxSubTotal &);
void write(JsonWriter &out, const UBLTaxTotal &);
void write(JsonWriter &out, const UBLAllowanceCharge &);
void write(JsonWriter &out, const UBLInvoicePeriod &);
void write(JsonWriter &out, const UBLOrderReference &);
void write(JsonWriter &out, const UBLOrderLineReference &);
void write(JsonWriter &out, const UBLCommodityClassification &);
void write(JsonWriter &out, const UBLItemProperty &);
void write(JsonWriter &out, const UBLItem &);
void write(JsonWriter &out, const UBLPrice &);
void write(JsonWriter &out, const UBLInvoiceLine &);
void write(JsonWriter &out, const UBLCreditNoteLine &);
void write(JsonWriter &out, const UBLFinancialInstitutionBranch &);
void write(JsonWriter &out, const UBLPayeeFinancialAccount &);
void write(JsonWriter &out, const UBLPaymentMeans &);
void write(JsonWriter &out, const UBLSettlementPeriod &);
void write(JsonWriter &out, const UBLPaymentTerms &);
void write(JsonWriter &out, const UBLInvoiceDocumentReference &);
void write(JsonWriter &out, const UBLBillingReference &);
void write(JsonWriter &out, const UBLContractDocumentReference &);
void write(JsonWriter &out, const UBLProjectReference &);
void write(JsonWriter &out, const UBLDelivery &);
void write(JsonWriter &out, const UBLAttachment &);

void write(JsonWriter &out, const sepa::SEPAPaymentInfo &);

template <typename T>
void write(JsonWriter &out, const std::optional<T> &value)
{
    if (value) {
        write(out, *value);
    } else {
        out.null();
    }
}

template <typename T>
void write(JsonWriter &out, const std::vector<T> &values)
{
    out.beginArray();
    for (const T &value : values) {
        write(out, value);
    }
    out.endArray();
}

// Writes an object's fields in the order given; the object closes when the chain ends.
class Object
{
public:
    explicit Object(JsonWriter &out) : m_out(out) { m_out.beginObject(); }
    ~Object() { m_out.endObject(); }
    Object(const Object &) = delete;
    Object &operator=(const Object &) = delete;

    template <typename T>
    Object &&add(const char *key, const T &value) &&
    {
        m_out.key(key);
        write(m_out, value);
        return std::move(*this);
    }

private:
    JsonWriter &m_out;
};

void write(JsonWriter &out, const UBLCountry &v)
{
    Object(out).add("identificationCode", v.identificationCode).add("name", v.name);
}

void write(JsonWriter &out, const UBLAddress &v)
{
    Object(out)
        .add("streetName", v.streetName)
        .add("additionalStreetName", v.additionalStreetName)
        .add("cityName", v.cityName)
        .add("postalZone", v.postalZone)
        .add("countrySubentity", v.countrySubentity)
        .add("country", v.country);
}

void write(JsonWriter &out, const UBLTaxScheme &v)
{
    Object(out).add("id", v.id).add("name", v.name);
}

void write(JsonWriter &out, const UBLPartyTaxScheme &v)
{
    Object(out).add("companyID", v.companyID).add("taxScheme", v.taxScheme);
}

void write(JsonWriter &out, const UBLLegalEntity &v)
{
    Object(out)
        .add("registrationName", v.registrationName)
        .add("companyID", v.companyID)
        .add("companyIDSchemeID", v.companyIDSchemeID)
        .add("companyLegalForm", v.companyLegalForm);
}

void write(JsonWriter &out, const UBLContact &v)
{
    Object(out)
        .add("name", v.name)
        .add("telephone", v.telephone)
        .add("electronicMail", v.electronicMail);
}

void write(JsonWriter &out, const UBLParty &v)
{
    Object(out)
        .add("endpointID", v.endpointID)
        .add("endpointSchemeID", v.endpointSchemeID)
        .add("partyNames", v.partyNames)
        .add("postalAddress", v.postalAddress)
        .add("partyTaxScheme", v.partyTaxScheme)
        .add("legalEntity", v.legalEntity)
        .add("contact", v.contact);
}

void write(JsonWriter &out, const UBLLegalMonetaryTotal &v)
{
    Object(out)
        .add("lineExtensionAmount", v.lineExtensionAmount)
        .add("taxExclusiveAmount", v.taxExclusiveAmount)
        .add("taxInclusiveAmount", v.taxInclusiveAmount)
        .add("allowanceTotalAmount", v.allowanceTotalAmount)
        .add("chargeTotalAmount", v.chargeTotalAmount)
        .add("prepaidAmount", v.prepaidAmount)
        .add("payableRoundingAmount", v.payableRoundingAmount)
        .add("payableAmount", v.payableAmount);
}

void write(JsonWriter &out, const UBLTaxCategory &v)
{
    Object(out)
        .add("id", v.id)
        .add("name", v.name)
        .add("percent", v.percent)
        .add("taxExemptionReasonCode", v.taxExemptionReasonCode)
        .add("taxExemptionReason", v.taxExemptionReason)
        .add("taxScheme", v.taxScheme);
}

void write(JsonWriter &out, const UBLTaxSubTotal &v)
{
    Object(out)
        .add("taxableAmount", v.taxableAmount)
        .add("taxAmount", v.taxAmount)
        .add("taxCategory", v.taxCategory);
}

void write(JsonWriter &out, const UBLTaxTotal &v)
{
    Object(out).add("taxAmount", v.taxAmount).add("taxSubtotals", v.taxSubtotals);
}

void write(JsonWriter &out, const UBLAllowanceCharge &v)
{
    Object(out)
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

void write(JsonWriter &out, const UBLInvoicePeriod &v)
{
    Object(out)
        .add("startDate", v.startDate)
        .add("endDate", v.endDate)
        .add("durationMeasure", v.durationMeasure)
        .add("durationMeasureUnitCode", v.durationMeasureUnitCode)
        .add("descriptionCode", v.descriptionCode)
        .add("description", v.description);
}

void write(JsonWriter &out, const UBLOrderReference &v)
{
    Object(out).add("id", v.id).add("salesOrderID", v.salesOrderID).add("issueDate", v.issueDate);
}

void write(JsonWriter &out, const UBLOrderLineReference &v)
{
    Object(out)
        .add("lineID", v.lineID)
        .add("salesOrderLineID", v.salesOrderLineID)
        .add("uuid", v.uuid)
        .add("orderReference", v.orderReference);
}

void write(JsonWriter &out, const UBLCommodityClassification &v)
{
    Object(out)
        .add("itemClassificationCode", v.itemClassificationCode)
        .add("itemClassificationCodeListID", v.itemClassificationCodeListID)
        .add("itemClassificationCodeListVersionID", v.itemClassificationCodeListVersionID)
        .add("cargoTypeCode", v.cargoTypeCode)
        .add("commodityCode", v.commodityCode);
}

void write(JsonWriter &out, const UBLItemProperty &v)
{
    Object(out).add("name", v.name).add("value", v.value);
}

void write(JsonWriter &out, const UBLItem &v)
{
    Object(out)
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

void write(JsonWriter &out, const UBLPrice &v)
{
    Object(out)
        .add("priceAmount", v.priceAmount)
        .add("priceAmountCurrencyID", v.priceAmountCurrencyID)
        .add("baseQuantity", v.baseQuantity)
        .add("baseQuantityUnitCode", v.baseQuantityUnitCode)
        .add("allowanceCharges", v.allowanceCharges);
}

// The two line records differ only in the name of their quantity pair.
template <typename Line>
void writeLine(JsonWriter &out, const Line &v, const char *quantityKey,
               const std::optional<Decimal> &quantity, const char *unitCodeKey,
               const std::optional<std::string> &unitCode)
{
    Object(out)
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

void write(JsonWriter &out, const UBLInvoiceLine &v)
{
    writeLine(out, v, "invoicedQuantity", v.invoicedQuantity, "invoicedQuantityUnitCode",
              v.invoicedQuantityUnitCode);
}

void write(JsonWriter &out, const UBLCreditNoteLine &v)
{
    writeLine(out, v, "creditedQuantity", v.creditedQuantity, "creditedQuantityUnitCode",
              v.creditedQuantityUnitCode);
}

void write(JsonWriter &out, const UBLFinancialInstitutionBranch &v)
{
    Object(out).add("id", v.id).add("name", v.name);
}

void write(JsonWriter &out, const UBLPayeeFinancialAccount &v)
{
    Object(out)
        .add("id", v.id)
        .add("name", v.name)
        .add("financialInstitutionBranch", v.financialInstitutionBranch);
}

void write(JsonWriter &out, const UBLPaymentMeans &v)
{
    Object(out)
        .add("paymentMeansCode", v.paymentMeansCode)
        .add("paymentMeansCodeName", v.paymentMeansCodeName)
        .add("paymentDueDate", v.paymentDueDate)
        .add("instructionNote", v.instructionNote)
        .add("paymentID", v.paymentID)
        .add("cardAccount", v.cardAccount)
        .add("payeeFinancialAccount", v.payeeFinancialAccount);
}

void write(JsonWriter &out, const UBLSettlementPeriod &v)
{
    Object(out)
        .add("durationMeasure", v.durationMeasure)
        .add("durationMeasureUnitCode", v.durationMeasureUnitCode)
        .add("startDate", v.startDate)
        .add("endDate", v.endDate);
}

void write(JsonWriter &out, const UBLPaymentTerms &v)
{
    Object(out)
        .add("note", v.note)
        .add("paymentMeansID", v.paymentMeansID)
        .add("paymentDueDate", v.paymentDueDate)
        .add("installmentDueDate", v.installmentDueDate)
        .add("penaltyAmount", v.penaltyAmount)
        .add("settlementPeriod", v.settlementPeriod);
}

void write(JsonWriter &out, const UBLInvoiceDocumentReference &v)
{
    Object(out)
        .add("id", v.id)
        .add("uuid", v.uuid)
        .add("issueDate", v.issueDate)
        .add("invoiceTypeCode", v.invoiceTypeCode)
        .add("documentDescription", v.documentDescription);
}

void write(JsonWriter &out, const UBLBillingReference &v)
{
    Object(out).add("invoiceDocumentReference", v.invoiceDocumentReference);
}

void write(JsonWriter &out, const UBLContractDocumentReference &v)
{
    Object(out)
        .add("id", v.id)
        .add("uuid", v.uuid)
        .add("issueDate", v.issueDate)
        .add("contractType", v.contractType)
        .add("documentDescription", v.documentDescription);
}

void write(JsonWriter &out, const UBLProjectReference &v)
{
    Object(out).add("id", v.id).add("uuid", v.uuid).add("issueDate", v.issueDate);
}

void write(JsonWriter &out, const UBLDelivery &v)
{
    Object(out)
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

void write(JsonWriter &out, const UBLAttachment &v)
{
    Object(out)
        .add("id", v.id)
        .add("documentID", v.documentID)
        .add("filename", v.filename)
        .add("mimeType", v.mimeType)
        .add("embeddedData", v.embeddedData)
        .add("documentType", v.documentType)
        .add("documentTypeCode", v.documentTypeCode)
        .add("documentDescription", v.documentDescription)
        .add("externalReference", v.externalReference)
        .add("estimatedSize", v.estimatedSize());
}

// The twelve fields in declaration order, then the exact payload text.
void write(JsonWriter &out, const sepa::SEPAPaymentInfo &v)
{
    Object(out)
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
        .add("beneficiaryToOriginatorInfo", v.beneficiaryToOriginatorInfo)
        .add("payload", v.payloadText());
}

void write(JsonWriter &out, const UBLDocumentInfo &v)
{
    Object(out)
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

} // namespace

void writeDocumentFields(JsonWriter &out, const parser::VelloraDocument &document)
{
    const auto &outcome = document.validationResult();
    const UBLDocumentInfo *info = document.ublInfo();
    out.key("validation");
    out.string(info ? "valid" : "invalid");
    const std::string *message = outcome ? outcome->message() : nullptr;
    out.key("message");
    message ? out.string(*message) : out.null();
    out.key("document");
    info ? write(out, *info) : out.null();
    // Only a valid document has a model to derive a payment from.
    const std::optional<sepa::SEPAPaymentInfo> payment =
        info ? sepa::SEPAQRCodeService().makePaymentInfo(*info) : std::nullopt;
    out.key("sepa");
    payment ? write(out, *payment) : out.null();
    out.key("damage");
    document.damage() ? out.string(*document.damage()) : out.null();
    // The syntax the model was read in; null when none was read.
    const std::optional<parser::DocumentSyntax> syntax = document.syntax();
    out.key("syntax");
    if (!syntax) {
        out.null();
    } else {
        out.string(*syntax == parser::DocumentSyntax::cii ? "CII" : "UBL");
    }
}

Json documentJson(const parser::VelloraDocument &document)
{
    JsonWriter out;
    out.beginObject();
    writeDocumentFields(out, document);
    out.endObject();
    return Json::parse(out.text());
}

} // namespace vellora::cli
