// SPDX-License-Identifier: MIT
// The decisions of a document window's content, kept apart from the widgets that show them.
#pragma once

#include "app/content/sidebaritem.h"

#include <QString>

#include <optional>

namespace vellora::model {
struct UBLDocumentInfo;
}

namespace vellora::parser {
class VelloraDocument;
}

namespace vellora::app::content {

// The source layout shows the document's text in the whole window (no model: not a UBL
// document, or a new one); the split layout shows sidebar, detail and inspector. Chosen once
// per window: the model never changes while the window is open.
enum class ContentLayout
{
    source,
    split,
};

ContentLayout contentLayout(const parser::VelloraDocument &document);

// Which columns of the split view are shown.
enum class SidebarVisibility
{
    all,
    detailOnly,
};

struct InitialSelection
{
    std::optional<SidebarItem> selection;
    SidebarVisibility sidebarVisibility = SidebarVisibility::all;

    bool operator==(const InitialSelection &) const = default;
};

// When the split layout first comes on screen: the first attachment in document order is
// selected; without attachments nothing is, and the sidebar column is hidden.
InitialSelection initialSelection(const model::UBLDocumentInfo &info);

// The attachment a selection shows in the detail area; nullptr for no selection and for
// the XML source item, which the detail area treats alike.
const model::UBLAttachment *selectedAttachment(const std::optional<SidebarItem> &selection);

// Download is offered only for a selected attachment that carries embedded content.
bool isDownloadEnabled(const std::optional<SidebarItem> &selection);

// What the detail area shows while no attachment is selected.
enum class PlaceholderVariant
{
    selectItem,    // the document has attachments: choose one
    noAttachments, // the document has none
};

struct DetailPlaceholder
{
    QString symbol;
    QString title;
    QString message;

    bool operator==(const DetailPlaceholder &) const = default;
};

PlaceholderVariant placeholderVariant(const model::UBLDocumentInfo &info);
DetailPlaceholder detailPlaceholder(PlaceholderVariant variant);

// The bar above the content of a damaged file (one that is not well-formed XML): what is
// shown may be incomplete, so the window says so, in either layout, with the first error.
struct DamageNotice
{
    QString title;  // that the file is damaged and only what could be read is shown
    QString reason; // the first XML error, "line L, column C: reason"

    bool operator==(const DamageNotice &) const = default;
};

// `text` with at most `longest` UTF-16 units: cut short with "…" when longer.
QString shortened(const QString &text, qsizetype longest);

// The notice for `document`; nullopt for a well-formed text and a new document.
std::optional<DamageNotice> damageNotice(const parser::VelloraDocument &document);

} // namespace vellora::app::content
