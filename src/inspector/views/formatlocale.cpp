// SPDX-License-Identifier: MIT
#include "formatlocale.h"

namespace vellora::inspector::views {

std::string formatLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::C) {
        return "en_US";
    }
    return locale.name().toStdString();
}

} // namespace vellora::inspector::views
