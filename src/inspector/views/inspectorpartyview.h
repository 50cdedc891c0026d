// SPDX-License-Identifier: MIT
// The supplier and customer tabs: names and identifiers, the address and the contact.
#pragma once

#include "model/ublparty.h"

#include <QWidget>

namespace vellora::inspector::views {

class InspectorPartyView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectorPartyView)

public:
    explicit InspectorPartyView(const model::UBLParty &party, QWidget *parent = nullptr);
};

} // namespace vellora::inspector::views
