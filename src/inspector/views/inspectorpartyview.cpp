// SPDX-License-Identifier: MIT
#include "inspectorpartyview.h"

#include "app/style/localization.h"
#include "app/style/theme.h"
#include "inspector/tabrows.h"
#include "inspectorblocks.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vellora::inspector::views {

namespace {

void addRows(QBoxLayout &layout, QWidget *parent, const std::vector<InfoRowData> &rows)
{
    for (const InfoRowData &row : rows) {
        layout.addWidget(new InfoRow(inspectorText(row.label),
                                     QString::fromStdString(row.value), parent));
    }
}

// An address line: plain 12 pt text, wrapping, not selectable.
QLabel *addressLine(const std::string &text, QWidget *parent)
{
    auto *label = new QLabel(QString::fromStdString(text), parent);
    label->setFont(app::style::theme::systemFont(12));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

InspectorPartyView::InspectorPartyView(const model::UBLParty &party, QWidget *parent)
    : QWidget(parent)
{
    const PartyContent content = partyContent(party);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(8);
    InspectorContentStyle::apply(*layout);
    addRows(*layout, this, content.rows);

    if (content.address) {
        layout->addWidget(new Divider(4, this));
        layout->addWidget(new InspectorSectionHeader(
            app::style::localized(QT_TRANSLATE_NOOP("Localizable", "party.address")), this));
        auto *block = new QWidget(this);
        block->setObjectName(QStringLiteral("addressBlock"));
        auto *lines = new QVBoxLayout(block);
        lines->setContentsMargins(0, 0, 0, 0);
        lines->setSpacing(2);
        for (const std::string &line : content.address->streetLines) {
            lines->addWidget(addressLine(line, block));
        }
        // Postal zone and city share a row, which is there even when both are missing.
        auto *cityRow = new QHBoxLayout;
        cityRow->setSpacing(4);
        for (const std::string &piece : content.address->postalCityRow) {
            cityRow->addWidget(addressLine(piece, block));
        }
        cityRow->addStretch(1);
        lines->addLayout(cityRow);
        if (content.address->countryName) {
            lines->addWidget(addressLine(*content.address->countryName, block));
        }
        layout->addWidget(block);
    }

    if (content.contact) {
        layout->addWidget(new Divider(4, this));
        layout->addWidget(new InspectorSectionHeader(
            app::style::localized(QT_TRANSLATE_NOOP("Localizable", "party.contact")), this));
        addRows(*layout, this, *content.contact);
    }
}

} // namespace vellora::inspector::views
