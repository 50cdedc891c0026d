// SPDX-License-Identifier: MIT
// The document tab: type, number, issue date, currency and UBL version.
#pragma once

#include "model/ubldocumentinfo.h"

#include <QWidget>

namespace vellora::inspector::views {

class InspectorDocumentView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectorDocumentView)

public:
    explicit InspectorDocumentView(const model::UBLDocumentInfo &ublInfo,
                                   QWidget *parent = nullptr);
};

} // namespace vellora::inspector::views
