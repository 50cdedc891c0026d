// SPDX-License-Identifier: MIT
#include "inspectortotalsview.h"

#include "app/style/localization.h"
#include "app/style/theme.h"
#include "formatlocale.h"
#include "inspector/tabrows.h"
#include "inspectorblocks.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vellora::inspector::views {

InspectorTotalsView::InspectorTotalsView(const model::UBLLegalMonetaryTotal &monetaryTotal,
                                         const std::optional<model::UBLTaxTotal> &taxTotal,
                                         const std::string &currency, QWidget *parent)
    : QWidget(parent)
{
    const TotalsContent content = totalsContent(monetaryTotal, taxTotal, currency, formatLocale());
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(8);
    InspectorContentStyle::apply(*layout);
    for (const InfoRowData &row : content.rows) {
        layout->addWidget(new InfoRow(inspectorText(row.label),
                                      QString::fromStdString(row.value), this));
    }
    layout->addWidget(new Divider(0, this));
    if (content.payableAmount) {
        auto *row = new QHBoxLayout;
        auto *label =
            new QLabel(inspectorText(payableAmountLabel), this);
        styleAsCaption(*label);
        m_payable = new QLabel(QString::fromStdString(*content.payableAmount), this);
        m_payable->setObjectName(QStringLiteral("payableAmount"));
        m_payable->setFont(app::style::theme::systemFont(12, QFont::Bold));
        m_payable->setTextFormat(Qt::PlainText);
        m_payable->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);
        row->addWidget(label, 0, Qt::AlignVCenter);
        row->addStretch(1);
        row->addWidget(m_payable, 0, Qt::AlignVCenter);
        layout->addLayout(row);
    }
}

} // namespace vellora::inspector::views
