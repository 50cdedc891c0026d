// SPDX-License-Identifier: MIT
#include "sepainforows.h"

#include <string_view>

namespace vellora::sepa {

std::vector<SEPAInfoRow> sepaInfoRows(const SEPAPaymentInfo &info,
                                      const std::optional<std::string> &reference)
{
    std::vector<SEPAInfoRow> rows;
    rows.push_back({"sepa.beneficiary", info.beneficiaryName});
    rows.push_back({"sepa.iban", info.beneficiaryAccount});
    if (info.bic) {
        rows.push_back({"sepa.bic", *info.bic});
    }
    std::string_view amount = info.amount;
    if (amount.substr(0, 3) == "EUR") {
        amount.remove_prefix(3);
    }
    rows.push_back({"sepa.amount", std::string(amount) + " EUR"});
    if (reference) {
        rows.push_back({"sepa.payment_reference", *reference});
    }
    return rows;
}

} // namespace vellora::sepa
