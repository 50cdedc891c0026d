// SPDX-License-Identifier: MIT
// The inspector's six tabs, and what fills the content area for each.
#pragma once

#include "model/ubldocumentinfo.h"
#include "sepa/sepaqrcodeservice.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vellora::inspector {

// The cases in tab order. The raw text names a tab (and its button) for good.
enum class InspectorTab
{
    document,
    supplier,
    customer,
    totals,
    lines,
    sepa,
};

inline constexpr std::array<InspectorTab, 6> allInspectorTabs{
    InspectorTab::document, InspectorTab::supplier, InspectorTab::customer,
    InspectorTab::totals,   InspectorTab::lines,    InspectorTab::sepa};

// "document", "supplier", "customer", "totals", "lines", "sepa".
std::string_view rawValue(InspectorTab tab);
// Exact and case-sensitive; any other text gives nullopt.
std::optional<InspectorTab> inspectorTabFromRawValue(std::string_view raw);
// The symbol name of the tab's icon ("doc.text", …).
std::string_view tabIcon(InspectorTab tab);
// The text looked up for the tab's title: a key ("document.document") for the first three,
// a phrase ("Totals", "Lines", "SEPA") for the others.
std::string_view tabTitle(InspectorTab tab);

// Icon, title and optional explanation of a tab that has nothing to show. Title and message
// are phrases, looked up with themselves as key.
struct EmptyState
{
    std::string icon;
    std::string title;
    std::optional<std::string> message;

    bool operator==(const EmptyState &) const = default;
};

// What fills the content area of a tab.
struct TabContent
{
    enum class Kind
    {
        documentView,
        supplierView,
        customerView,
        totalsView,
        linesView, // the lines view decides about its own empty state
        sepaView,
        emptyState,
    };
    Kind kind = Kind::emptyState;
    std::optional<EmptyState> emptyState;             // for Kind::emptyState
    std::optional<sepa::SEPAPaymentInfo> paymentInfo; // for Kind::sepaView
    // For the SEPA empty state: the first condition the derivation failed.
    std::optional<sepa::NoPaymentInfoReason> noPaymentInfoReason;

    bool operator==(const TabContent &) const = default;
};

// Decides what the tab shows for the model. The SEPA payment info is derived anew each time.
TabContent tabContent(InspectorTab tab, const model::UBLDocumentInfo &info);

} // namespace vellora::inspector
