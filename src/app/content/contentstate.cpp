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

QString shortened(const QString &text, qsizetype longest)
{
    if (text.size() <= longest) {
        return text;
    }
    // Never between the two halves of a surrogate pair.
    qsizetype cut = longest - 1;
    if (cut > 0 && text.at(cut - 1).isHighSurrogate()) {
        --cut;
    }
    return text.left(cut) + QChar(0x2026);
}

std::optional<DamageNotice> damageNotice(const parser::VelloraDocument &document)
{
    if (!document.damage()) {
        return std::nullopt;
    }
    // The error quotes names from the file, which a hostile file makes as long as it likes.
    const QString reason = shortened(QString::fromStdString(*document.damage()), 300);
    return DamageNotice{
        style::localized(QT_TRANSLATE_NOOP(
            "Localizable", "This file is damaged. Only the part that could be read is shown.")),
        style::localized(QT_TRANSLATE_NOOP("Localizable", "First error: %1")).arg(reason)};
}

} // namespace vellora::app::content
