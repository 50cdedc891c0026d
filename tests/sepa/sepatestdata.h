// SPDX-License-Identifier: MIT
// Values the SEPA tests share.
#pragma once

#include "sepa/sepapaymentinfo.h"

#include <string>

namespace vellora::sepa::testdata {

// The payment info of a complete invoice INV-7 of Muster GmbH over 1234.50 EUR, without an
// instruction note.
inline SEPAPaymentInfo invoicePaymentInfo()
{
    SEPAPaymentInfo info;
    info.serviceTag = "BCD";
    info.version = "002";
    info.characterSet = "1";
    info.identification = "SCT";
    info.bic = "COBADEFFXXX";
    info.beneficiaryName = "Muster GmbH";
    info.beneficiaryAccount = "DE89370400440532013000";
    info.amount = "EUR1234.50";
    info.remittanceText = "INV-7";
    return info;
}

// `piece` written `count` times.
inline std::string repeated(const std::string &piece, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += piece;
    }
    return out;
}

} // namespace vellora::sepa::testdata
