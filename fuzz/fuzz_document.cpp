// SPDX-License-Identifier: MIT
// Fuzzes the road of an opened file: the UTF-8 check, the pre-check, the parser and its
// extractors, then the SEPA derivation and its payload.
#include "parser/velloradocument.h"
#include "sepa/sepaqrcodeservice.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using vellora::parser::VelloraDocument;
    VelloraDocument::ReadResult read =
        VelloraDocument::fromBytes(std::string(reinterpret_cast<const char *>(data), size));
    auto *document = std::get_if<VelloraDocument>(&read);
    if (!document) {
        return 0;
    }
    if (const vellora::model::UBLDocumentInfo *info = document->ublInfo()) {
        const vellora::sepa::SEPAQRCodeService service;
        if (const auto payment = service.makePaymentInfo(*info)) {
            const std::string payload = payment->payloadText();
            (void)payload;
        }
        (void)service.missingPaymentInfoReason(*info);
        (void)vellora::sepa::SEPAQRCodeService::paymentReference(*info);
    }
    // The whole parse as a caller without a document sees it.
    (void)document->parser().parse(document->text());
    return 0;
}
