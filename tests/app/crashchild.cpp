// SPDX-License-Identifier: MIT
// Starts the crash reporter like the application does, holds a document in memory and then
// dies the way its first argument names. The crash reporter's tests run it.
//
//   crashchild <segv|stack-overflow|abort|terminate|bus|ill|fpe> <document text>
//   crashchild quit <document text> <service address>
//
// "quit" runs the event loop for a moment, while the reports are being sent, and then ends
// normally.
#include "app/crash/crashreporter.h"
#include "parser/velloradocument.h"

#include <QCoreApplication>
#include <QTimer>

#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <variant>

namespace {

// Never inlined and never a loop, so each call takes a fresh stack frame.
[[gnu::noinline]] std::uint64_t recurse(std::uint64_t depth)
{
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    if (depth == 0) {
        return frame[0];
    }
    return recurse(depth - 1) + frame[depth % sizeof(frame)];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4) {
        return 2;
    }
    // The deliberate crashes leave no core files behind.
    const rlimit noCoreFiles{0, 0};
    setrlimit(RLIMIT_CORE, &noCoreFiles);

    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vellora"));
    QCoreApplication::setApplicationName(QStringLiteral("Vellora"));
    vellora::app::crash::startCrashReporter(argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString());

    const auto read = vellora::parser::VelloraDocument::fromBytes(argv[2]);
    const std::string &text = std::get<vellora::parser::VelloraDocument>(read).text();

    const char *mode = argv[1];
    if (std::strcmp(mode, "quit") == 0) {
        QTimer::singleShot(1000, &app, &QCoreApplication::quit);
        return app.exec();
    } else if (std::strcmp(mode, "segv") == 0) {
        volatile std::uintptr_t address = 16; // the page at 0 is never mapped
        *reinterpret_cast<volatile int *>(address) = static_cast<int>(text.size());
    } else if (std::strcmp(mode, "stack-overflow") == 0) {
        return static_cast<int>(recurse(UINT64_MAX));
    } else if (std::strcmp(mode, "abort") == 0) {
        std::abort();
    } else if (std::strcmp(mode, "terminate") == 0) {
        throw std::runtime_error(text); // uncaught, so std::terminate
    } else if (std::strcmp(mode, "bus") == 0) {
        raise(SIGBUS);
    } else if (std::strcmp(mode, "ill") == 0) {
        raise(SIGILL);
    } else if (std::strcmp(mode, "fpe") == 0) {
        raise(SIGFPE);
    }
    return 3; // survived
}
