// SPDX-License-Identifier: MIT
// Everything that runs after a crash (onFatalSignal, onTerminate and what they call) uses only
// async-signal-safe calls — open, write, close, clock_gettime, getpid, nanosleep, sigaction,
// raise, backtrace after a first call at installation, backtrace_symbols_fd, lock-free atomics —
// and memory set aside at installation or on the stack. No allocation, no stdio, no locks, no
// Qt. onTerminate is not a signal handler, but the heap may be broken by then, so it keeps to
// the same rules (the exception's type_info is static data).
#include "app/crash/crashhandler.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <cxxabi.h>
#include <exception>
#include <execinfo.h>
#include <fcntl.h>
#include <limits.h>
#include <typeinfo>
#include <unistd.h>

namespace vellora::app::crash {
namespace {

struct FatalSignal
{
    int number;
    const char *name;
};

constexpr FatalSignal fatalSignals[] = {
    {SIGSEGV, "SIGSEGV"}, {SIGBUS, "SIGBUS"},   {SIGILL, "SIGILL"},
    {SIGFPE, "SIGFPE"},   {SIGABRT, "SIGABRT"},
};
constexpr int fatalSignalCount = sizeof(fatalSignals) / sizeof(fatalSignals[0]);

constexpr int maxFrames = 64;
constexpr std::size_t alternateStackSize = 64 * 1024;

// Set once at installation, only read afterwards.
char g_folder[PATH_MAX];
struct sigaction g_previousActions[fatalSignalCount];
std::terminate_handler g_previousTerminate = nullptr;
alignas(16) char g_alternateStack[alternateStackSize];

// The first crash in any thread writes the report; the others wait for it to be written.
enum ReportState
{
    noReport,
    writingReport,
    reportWritten,
};
std::atomic<int> g_reportState{noReport};
static_assert(std::atomic<int>::is_always_lock_free);

// A fixed buffer that holds text and numbers formatted by hand; whatever does not fit is cut.
class Line
{
public:
    Line &text(const char *text)
    {
        while (*text != '\0' && m_length < sizeof(m_buffer) - 1) {
            m_buffer[m_length++] = *text++;
        }
        m_buffer[m_length] = '\0';
        return *this;
    }

    Line &number(std::uint64_t value, int minimumDigits = 1)
    {
        char digits[20];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count < minimumDigits && count < 20) {
            digits[count++] = '0';
        }
        char reversed[21];
        for (int i = 0; i < count; ++i) {
            reversed[i] = digits[count - 1 - i];
        }
        reversed[count] = '\0';
        return text(reversed);
    }

    Line &hex(std::uintptr_t value)
    {
        char digits[2 + 2 * sizeof(value) + 1] = "0x";
        int count = 2;
        for (int shift = 8 * sizeof(value) - 4; shift >= 0; shift -= 4) {
            digits[count++] = "0123456789abcdef"[(value >> shift) & 0xf];
        }
        digits[count] = '\0';
        return text(digits);
    }

    const char *data() const { return m_buffer; }
    std::size_t size() const { return m_length; }

private:
    char m_buffer[PATH_MAX + 64] = {};
    std::size_t m_length = 0;
};

void writeAll(int fd, const Line &line)
{
    const char *data = line.data();
    std::size_t left = line.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
}

// Calendar date and time in UTC of a count of seconds since 1970-01-01.
struct UtcTime
{
    std::int64_t year;
    unsigned month, day, hour, minute, second;
};

UtcTime utcTime(std::int64_t seconds)
{
    std::int64_t days = seconds / 86400;
    std::int64_t secondOfDay = seconds % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    // Days to a proleptic Gregorian date, counting in 400-year eras that begin on 1 March.
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {year,
            month,
            day,
            static_cast<unsigned>(secondOfDay / 3600),
            static_cast<unsigned>(secondOfDay / 60 % 60),
            static_cast<unsigned>(secondOfDay % 60)};
}

// "20240610T081502Z"
void appendCompactTime(Line &line, const UtcTime &time)
{
    line.number(static_cast<std::uint64_t>(time.year), 4)
        .number(time.month, 2)
        .number(time.day, 2)
        .text("T")
        .number(time.hour, 2)
        .number(time.minute, 2)
        .number(time.second, 2)
        .text("Z");
}

// Creates a new report file that no earlier crash used; -1 when the folder is not writable.
int createReportFile(const UtcTime &time)
{
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        Line path;
        path.text(g_folder).text("/").text(crashReportPrefix);
        appendCompactTime(path, time);
        path.text("-").number(static_cast<std::uint64_t>(getpid()));
        if (attempt > 0) {
            path.text("-").number(attempt);
        }
        path.text(crashReportSuffix);
        const int fd = open(path.data(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// The report never holds anything the program was working on: no document text, no names of
// the user's files, no exception message; only when, where and how it died.
void writeReport(const char *cause, const siginfo_t *info)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const UtcTime time = utcTime(now.tv_sec);
    const int fd = createReportFile(time);
    if (fd < 0) {
        return;
    }

    Line header;
    header.text("Vellora crash report\nversion: ").text(VELLORA_VERSION).text("\ntime: ");
    header.number(static_cast<std::uint64_t>(time.year), 4).text("-").number(time.month, 2);
    header.text("-").number(time.day, 2).text("T").number(time.hour, 2).text(":");
    header.number(time.minute, 2).text(":").number(time.second, 2).text("Z\n");
    header.text("cause: ").text(cause).text("\n");
    writeAll(fd, header);

    if (info != nullptr) {
        Line detail;
        detail.text("signal code: ");
        if (info->si_code < 0) {
            detail.text("-");
        }
        detail.number(
            static_cast<std::uint64_t>(info->si_code < 0 ? -info->si_code : info->si_code));
        if (info->si_code > 0) { // raised by a fault, not sent by kill() or raise()
            detail.text("\nfault address: ").hex(reinterpret_cast<std::uintptr_t>(info->si_addr));
        }
        detail.text("\n");
        writeAll(fd, detail);
    }

    writeAll(fd, Line().text("backtrace:\n"));
    void *frames[maxFrames];
    const int frameCount = backtrace(frames, maxFrames);
    backtrace_symbols_fd(frames, frameCount, fd);
    close(fd);
}

// True when this thread is to write the report. Otherwise another thread is writing or has
// written it; this one gives it up to two seconds to finish before the process dies.
bool claimReport()
{
    int expected = noReport;
    if (g_reportState.compare_exchange_strong(expected, writingReport)) {
        return true;
    }
    for (int wait = 0; wait < 200 && g_reportState.load() == writingReport; ++wait) {
        const timespec tenMilliseconds{0, 10'000'000};
        nanosleep(&tenMilliseconds, nullptr);
    }
    return false;
}

int signalIndex(int number)
{
    for (int i = 0; i < fatalSignalCount; ++i) {
        if (fatalSignals[i].number == number) {
            return i;
        }
    }
    return 0; // not reached: the handler is installed for these signals only
}

void onFatalSignal(int number, siginfo_t *info, void *)
{
    const int savedErrno = errno;
    const int index = signalIndex(number);
    if (claimReport()) {
        writeReport(fatalSignals[index].name, info);
        g_reportState.store(reportWritten);
    }
    errno = savedErrno;
    // Back to what was installed before (normally the default: die, maybe with a core dump).
    // The signal stays blocked until this handler returns, then it is delivered again.
    sigaction(number, &g_previousActions[index], nullptr);
    raise(number);
}

[[noreturn]] void onTerminate()
{
    if (claimReport()) {
        Line cause;
        cause.text("std::terminate");
        // The type of an uncaught exception says where it came from; its message could quote
        // the document, so it stays out.
        if (const std::type_info *type = abi::__cxa_current_exception_type()) {
            cause.text(", uncaught exception of type ").text(type->name());
        }
        writeReport(cause.data(), nullptr);
        g_reportState.store(reportWritten);
    }
    // The previous handler prints what it knows to stderr and ends in abort(); the SIGABRT
    // handler then finds the report written and lets the process die.
    if (g_previousTerminate != nullptr) {
        g_previousTerminate();
    }
    std::abort();
}

void installAlternateStack()
{
    stack_t current{};
    if (sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE) == 0) {
        return; // someone else already gave this thread one
    }
    stack_t stack{};
    stack.ss_sp = g_alternateStack;
    stack.ss_size = sizeof(g_alternateStack);
    sigaltstack(&stack, nullptr);
}

} // namespace

bool installCrashHandlers(std::string_view reportsFolder)
{
    if (reportsFolder.size() >= sizeof(g_folder) - 64) {
        return false; // leave room for the file name
    }
    std::memcpy(g_folder, reportsFolder.data(), reportsFolder.size());
    g_folder[reportsFolder.size()] = '\0';

    // The first call loads the unwinder, which allocates; in a crash that could deadlock.
    void *frames[1];
    backtrace(frames, 1);

    installAlternateStack();

    struct sigaction action = {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    // A second fault while the report is written kills the process at once.
    sigemptyset(&action.sa_mask);
    for (const FatalSignal &signal : fatalSignals) {
        sigaddset(&action.sa_mask, signal.number);
    }
    for (int i = 0; i < fatalSignalCount; ++i) {
        sigaction(fatalSignals[i].number, &action, &g_previousActions[i]);
    }
    g_previousTerminate = std::set_terminate(onTerminate);
    return true;
}

} // namespace vellora::app::crash
