// SPDX-License-Identifier: MIT
// The part of the crash reporter that runs when the process dies: no Qt here.
#pragma once

#include <string_view>

namespace vellora::app::crash {

// Every report file is named "crash-<UTC time as YYYYMMDDTHHMMSSZ>-<pid>[-n].txt", so the
// order of the names is the order of the crashes.
inline constexpr char crashReportPrefix[] = "crash-";
inline constexpr char crashReportSuffix[] = ".txt";

// Installs handlers for SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT and std::terminate that write
// one report (time, signal, program version, backtrace) into `reportsFolder`, an existing
// directory named in the file system's encoding, and then let the process die as it would
// have without them. The calling thread also gets an alternate signal stack, so that its stack
// overflowing is reported too (another thread's overflow kills the process unreported).
// Call at most once. Returns false, installing nothing, when the folder's name is too long.
bool installCrashHandlers(std::string_view reportsFolder);

} // namespace vellora::app::crash
