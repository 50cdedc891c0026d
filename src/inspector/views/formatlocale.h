// SPDX-License-Identifier: MIT
// The locale the inspector formats amounts, quantities and dates in.
#pragma once

#include <QLocale>

#include <string>

namespace vellora::inspector::views {

// The ICU locale id of `locale` (the application's default locale, which follows the user's
// LANG and LC_ALL): "de_DE" for German in Germany. The "C" locale formats as en_US.
std::string formatLocale(const QLocale &locale = QLocale());

} // namespace vellora::inspector::views
