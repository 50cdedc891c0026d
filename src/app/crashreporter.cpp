// SPDX-License-Identifier: MIT
#include "app/crashreporter.h"

namespace vellora::app {

void startCrashReporter(const QString &serviceAddress)
{
    Q_UNUSED(serviceAddress);
}

} // namespace vellora::app
