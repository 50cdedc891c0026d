// SPDX-License-Identifier: MIT
#include "preferences.h"

namespace vellora::app {

std::unique_ptr<QSettings> userPreferences()
{
    return std::make_unique<QSettings>(QStringLiteral("Vellora"), QStringLiteral("Vellora"));
}

} // namespace vellora::app
