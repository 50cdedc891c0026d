// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace vellora::app {

// Installs the crash handlers and sends the reports left by earlier runs to serviceAddress
// on a background thread (an empty address keeps them on this machine only). Only the first
// call in a process does anything.
void startCrashReporter(const QString &serviceAddress);

} // namespace vellora::app
