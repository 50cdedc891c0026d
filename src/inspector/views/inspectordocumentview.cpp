// SPDX-License-Identifier: MIT
#include "inspectordocumentview.h"

#include "app/style/localization.h"
#include "formatlocale.h"
#include "inspector/tabrows.h"
#include "inspectorblocks.h"

#include <QVBoxLayout>

namespace vellora::inspector::views {

InspectorDocumentView::InspectorDocumentView(const model::UBLDocumentInfo &ublInfo, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(8);
    InspectorContentStyle::apply(*layout);
    for (const InfoRowData &row : documentRows(ublInfo, formatLocale())) {
        layout->addWidget(new InfoRow(inspectorText(row.label),
                                      QString::fromStdString(row.value), this));
    }
}

} // namespace vellora::inspector::views
