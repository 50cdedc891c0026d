// SPDX-License-Identifier: MIT
// Exact decimals written as text in test tables.
#pragma once

#include "model/decimal.h"

namespace vellora::testing {

// The decimal a table writes as text; the text must be a number.
inline model::Decimal decimal(const char *text)
{
    return *model::Decimal::fromString(text);
}

} // namespace vellora::testing
