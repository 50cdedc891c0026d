// SPDX-License-Identifier: MIT
#include "app/content/contentstate.h"

#include "app/style/localization.h"
#include "model/ubldocumentinfo.h"
#include "parser/velloradocument.h"

namespace vellora::app::content {

ContentLayout contentLayout(const parser::VelloraDocument &document)
{
    return document.ublInfo() ? ContentLayout::split : ContentLayout::source;
}

InitialSelection initialSelection(const model::UBLDocumentInfo &info)
{
    if (info.attachments.empty()) {
        return {std::nullopt, SidebarVisibility::detailOnly};
    }
    return {SidebarItem::attachment(info.attachments.front()), SidebarVisibility::all};
}

const model::UBLAttachment *selectedAttachment(const std::optional<SidebarItem> &selection)
{
    return selection ? selection->attachmentValue() : nullptr;
}

bool isDownloadEnabled(const std::optional<SidebarItem> &selection)
{
    const model::UBLAttachment *attachment = selectedAttachment(selection);
    return attachment && attachment->embeddedData && !attachment->embeddedData->empty();
}

PlaceholderVariant placeholderVariant(const model::UBLDocumentInfo &info)
{
    return info.attachments.empty() ? PlaceholderVariant::noAttachments
                                    : PlaceholderVariant::selectItem;
}

DetailPlaceholder detailPlaceholder(PlaceholderVariant variant)
{
    switch (variant) {
    case PlaceholderVariant::selectItem:
        return {QStringLiteral("doc.text"), QStringLiteral("Select an Item"),
                QStringLiteral("Choose an attachment or view from the sidebar")};
    case PlaceholderVariant::noAttachments:
        break;
    }
    return {QStringLiteral("paperclip"), style::localized(QT_TRANSLATE_NOOP("Localizable", "attachments.no_attachments_title")),
            style::localized(QT_TRANSLATE_NOOP("Localizable", "attachments.no_attachments_description"))};
}

} // namespace vellora::app::content
