// SPDX-License-Identifier: MIT
#include "app/shell/preferences.h"

namespace vellora::app::shell {

std::unique_ptr<QSettings> userPreferences()
{
    return std::make_unique<QSettings>(QStringLiteral("Vellora"), QStringLiteral("Vellora"));
}

} // namespace vellora::app::shell
