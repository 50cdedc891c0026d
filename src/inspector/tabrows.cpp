// SPDX-License-Identifier: MIT
#include "tabrows.h"

#include "model/text.h"
#include "valueformat.h"

namespace vellora::inspector {

namespace {

void addIfPresent(std::vector<InfoRowData> &rows, std::string label,
                  const std::optional<std::string> &value)
{
    if (value) {
        rows.push_back({std::move(label), *value});
    }
}

void addAmount(std::vector<InfoRowData> &rows, std::string label,
               const std::optional<model::Decimal> &amount, std::string_view currency,
               const std::string &locale)
{
    if (amount) {
        rows.push_back({std::move(label), formatCurrency(currency, *amount, locale)});
    }
}

template <typename Line>
DocumentLineRow lineRow(const Line &line, const std::optional<model::Decimal> &quantity,
                        const std::optional<std::string> &unitCode, const std::string &currency)
{
    DocumentLineRow row;
    if (line.item) {
        row.itemName = line.item->name;
    }
    row.quantity = quantity;
    row.unitCode = unitCode;
    row.amount = line.lineExtensionAmount;
    row.currency = currency;
    return row;
}

} // namespace

std::vector<InfoRowData> documentRows(const model::UBLDocumentInfo &info, const std::string &locale)
{
    std::vector<InfoRowData> rows;
    rows.push_back(
        {"document.document_type", model::upperCased(model::rawValue(info.documentType))});
    rows.push_back({"document.id", info.documentID});
    if (info.issueDate) {
        rows.push_back({"document.issue_date", formatIssueDate(*info.issueDate, locale)});
    }
    rows.push_back({"document.currency", info.currency});
    if (!info.ublVersion.empty()) {
        rows.push_back({"document.ubl_version", info.ublVersion});
    }
    return rows;
}

PartyContent partyContent(const model::UBLParty &party)
{
    PartyContent content;
    if (!party.partyNames.empty()) {
        content.rows.push_back({"party.name", party.partyNames.front()});
    }
    if (party.legalEntity) {
        addIfPresent(content.rows, "party.registration_name", party.legalEntity->registrationName);
        addIfPresent(content.rows, "party.company_id", party.legalEntity->companyID);
    }
    if (party.partyTaxScheme) {
        addIfPresent(content.rows, "party.vat_id", party.partyTaxScheme->companyID);
    }
    if (const auto &address = party.postalAddress) {
        AddressBlock block;
        for (const auto *line : {&address->streetName, &address->additionalStreetName}) {
            if (*line) {
                block.streetLines.push_back(**line);
            }
        }
        for (const auto *piece : {&address->postalZone, &address->cityName}) {
            if (*piece) {
                block.postalCityRow.push_back(**piece);
            }
        }
        if (address->country) {
            block.countryName = address->country->name;
        }
        content.address = std::move(block);
    }
    if (const auto &contact = party.contact) {
        std::vector<InfoRowData> rows;
        addIfPresent(rows, "party.phone", contact->telephone);
        addIfPresent(rows, "party.email", contact->electronicMail);
        content.contact = std::move(rows);
    }
    return content;
}

TotalsContent totalsContent(const model::UBLLegalMonetaryTotal &total,
                            const std::optional<model::UBLTaxTotal> &taxTotal,
                            std::string_view currency, const std::string &locale)
{
    TotalsContent content;
    auto &rows = content.rows;
    addAmount(rows, "financial.line_extension_amount", total.lineExtensionAmount, currency, locale);
    addAmount(rows, "financial.tax_exclusive_amount", total.taxExclusiveAmount, currency, locale);
    if (taxTotal) {
        addAmount(rows, "Tax Amount", taxTotal->taxAmount, currency, locale);
    }
    addAmount(rows, "financial.tax_inclusive_amount", total.taxInclusiveAmount, currency, locale);
    addAmount(rows, "financial.allowance_total_amount", total.allowanceTotalAmount, currency,
              locale);
    addAmount(rows, "financial.charge_total_amount", total.chargeTotalAmount, currency, locale);
    addAmount(rows, "financial.prepaid_amount", total.prepaidAmount, currency, locale);
    addAmount(rows, "financial.rounding_amount", total.payableRoundingAmount, currency, locale);
    if (total.payableAmount) {
        content.payableAmount = formatCurrency(currency, *total.payableAmount, locale);
    }
    return content;
}

std::optional<std::string> DocumentLineRow::quantityText(const std::string &locale) const
{
    if (!quantity) {
        return std::nullopt;
    }
    return formatNumber(*quantity, 2, locale) + ' ' + unitCode.value_or(std::string());
}

std::optional<std::string> DocumentLineRow::amountText(const std::string &locale) const
{
    if (!amount) {
        return std::nullopt;
    }
    return formatCurrency(currency, *amount, locale);
}

LinesContent linesContent(const model::UBLDocumentInfo &info)
{
    LinesContent content;
    if (!info.invoiceLines.empty()) {
        content.caption = "Invoice Lines";
        content.rows.reserve(info.invoiceLines.size());
        for (const model::UBLInvoiceLine &line : info.invoiceLines) {
            content.rows.push_back(
                lineRow(line, line.invoicedQuantity, line.invoicedQuantityUnitCode, info.currency));
        }
    } else if (!info.creditNoteLines.empty()) {
        content.caption = "Credit Note Lines";
        content.rows.reserve(info.creditNoteLines.size());
        for (const model::UBLCreditNoteLine &line : info.creditNoteLines) {
            content.rows.push_back(
                lineRow(line, line.creditedQuantity, line.creditedQuantityUnitCode, info.currency));
        }
    }
    return content;
}

} // namespace vellora::inspector
