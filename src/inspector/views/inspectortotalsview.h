// SPDX-License-Identifier: MIT
// The totals tab: the document's amounts, then the payable amount, emphasised.
#pragma once

#include "model/ubltotals.h"

#include <QWidget>

#include <optional>
#include <string>

class QLabel;

namespace vellora::inspector::views {

class InspectorTotalsView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectorTotalsView)

public:
    InspectorTotalsView(const model::UBLLegalMonetaryTotal &monetaryTotal,
                        const std::optional<model::UBLTaxTotal> &taxTotal,
                        const std::string &currency, QWidget *parent = nullptr);

    // The emphasised payable amount; nullptr without one.
    QLabel *payableAmountView() const { return m_payable; }

private:
    QLabel *m_payable = nullptr;
};

} // namespace vellora::inspector::views
