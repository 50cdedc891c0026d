// SPDX-License-Identifier: MIT
#include "formatlocale.h"

namespace vellora::inspector::views {

icu::Locale formatLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::C) {
        return icu::Locale("en_US");
    }
    return icu::Locale(locale.name().toStdString().c_str());
}

} // namespace vellora::inspector::views
