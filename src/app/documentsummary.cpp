// SPDX-License-Identifier: MIT
#include "documentsummary.h"

#include "parser/velloradocument.h"

namespace vellora::app {

QString documentSummary(const parser::VelloraDocument &document)
{
    const auto &outcome = document.validationResult();
    if (!outcome) {
        return QStringLiteral("New document");
    }
    if (const model::UBLDocumentInfo *info = outcome->documentInfo()) {
        return QStringLiteral("Valid %1 %2")
            .arg(QString::fromUtf8(model::rawValue(info->documentType)),
                 QString::fromStdString(info->documentID));
    }
    return QStringLiteral("Invalid: %1").arg(QString::fromStdString(*outcome->message()));
}

} // namespace vellora::app
