// SPDX-License-Identifier: MIT
#include "sepapaymentinfo.h"

#include <array>
#include <functional>

namespace vellora::sepa {

std::string SEPAPaymentInfo::payloadText() const
{
    static const std::string none;
    const std::array<std::reference_wrapper<const std::string>, 12> lines{
        serviceTag,
        version,
        characterSet,
        identification,
        bic ? *bic : none,
        beneficiaryName,
        beneficiaryAccount,
        amount,
        purpose ? *purpose : none,
        remittanceReference ? *remittanceReference : none,
        remittanceText ? *remittanceText : none,
        beneficiaryToOriginatorInfo ? *beneficiaryToOriginatorInfo : none,
    };
    std::string payload;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            payload += '\n';
        }
        payload += lines[i].get();
    }
    return payload;
}

} // namespace vellora::sepa
