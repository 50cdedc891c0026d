// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace vellora::app::crash {

// Starts the crash reporter: from now on a crash (a fatal signal or std::terminate) leaves a
// report in the user's application data folder, under "crash-reports"; the reports that
// earlier runs left are sent to `serviceAddress` on a background thread (an empty address
// keeps them on this machine only). Only the first call in a process does anything.
void startCrashReporter(const QString &serviceAddress);

// What a start did.
enum class CrashReporterStart
{
    started,
    alreadyStarted,  // an earlier call started it; this one changed nothing
    noReportsFolder, // the folder could not be made: crashes go unreported, nothing is sent
};

// As above, with the folder that holds the reports.
CrashReporterStart startCrashReporter(const QString &serviceAddress, const QString &reportsFolder);

} // namespace vellora::app::crash
