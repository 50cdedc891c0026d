// SPDX-License-Identifier: MIT
#include "inspectortab.h"

namespace vellora::inspector {

namespace {

struct TabTraits
{
    std::string_view raw;
    std::string_view icon;
    std::string_view title;
};

constexpr TabTraits traits(InspectorTab tab)
{
    switch (tab) {
    case InspectorTab::document:
        return {"document", "doc.text", "document.document"};
    case InspectorTab::supplier:
        return {"supplier", "building.2", "party.supplier"};
    case InspectorTab::customer:
        return {"customer", "person.crop.circle", "party.customer"};
    case InspectorTab::totals:
        return {"totals", "dollarsign.circle", "Totals"};
    case InspectorTab::lines:
        return {"lines", "list.bullet.rectangle", "Lines"};
    case InspectorTab::sepa:
        return {"sepa", "qrcode", "SEPA"};
    }
    return {};
}

TabContent emptyContent(std::string title, std::optional<std::string> message = std::nullopt,
                        std::string icon = "info.circle")
{
    TabContent content;
    content.kind = TabContent::Kind::emptyState;
    content.emptyState = EmptyState{std::move(icon), std::move(title), std::move(message)};
    return content;
}

TabContent viewContent(TabContent::Kind kind)
{
    TabContent content;
    content.kind = kind;
    return content;
}

} // namespace

std::string_view rawValue(InspectorTab tab)
{
    return traits(tab).raw;
}

std::optional<InspectorTab> inspectorTabFromRawValue(std::string_view raw)
{
    for (InspectorTab tab : allInspectorTabs) {
        if (rawValue(tab) == raw) {
            return tab;
        }
    }
    return std::nullopt;
}

std::string_view tabIcon(InspectorTab tab)
{
    return traits(tab).icon;
}

std::string_view tabTitle(InspectorTab tab)
{
    return traits(tab).title;
}

TabContent tabContent(InspectorTab tab, const model::UBLDocumentInfo &info)
{
    using Kind = TabContent::Kind;
    switch (tab) {
    case InspectorTab::document:
        return viewContent(Kind::documentView);
    case InspectorTab::supplier:
        return info.supplierParty ? viewContent(Kind::supplierView)
                                  : emptyContent("No supplier information");
    case InspectorTab::customer:
        return info.customerParty ? viewContent(Kind::customerView)
                                  : emptyContent("No customer information");
    case InspectorTab::totals:
        // A tax total alone is not shown: the totals view needs the monetary total.
        return info.monetaryTotal ? viewContent(Kind::totalsView)
                                  : emptyContent("No totals information");
    case InspectorTab::lines:
        return viewContent(Kind::linesView);
    case InspectorTab::sepa: {
        const sepa::SEPAQRCodeService service;
        if (std::optional<sepa::SEPAPaymentInfo> payment = service.makePaymentInfo(info)) {
            TabContent content = viewContent(Kind::sepaView);
            content.paymentInfo = std::move(payment);
            return content;
        }
        TabContent content = emptyContent(
            "No SEPA Payment Info",
            "This UBL document does not contain the required payment information (IBAN, "
            "amount, beneficiary) to generate a SEPA QR code.",
            "qrcode");
        content.noPaymentInfoReason = service.missingPaymentInfoReason(info);
        return content;
    }
    }
    return viewContent(Kind::documentView);
}

} // namespace vellora::inspector
