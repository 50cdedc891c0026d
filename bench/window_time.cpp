// SPDX-License-Identifier: MIT
// bench-window-time FILE: opens FILE in a document window as the application does, and
// ends the process the moment the window is on screen and its first events are handled.
// Timing the whole process (window_time.sh) gives "from process start to window shown".
// Prints the milliseconds from main() to the shown window on standard output.
#include "app/shell/documentcontroller.h"
#include "app/shell/documentwindow.h"
#include "app/shell/velloraapp.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace {

// No crash reporter, no one's reports touched.
void noReporter(const QString &) {}

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench-window-time FILE\n");
        return 64;
    }
    // The opening is counted and the file noted as recent in preferences of its own.
    QTemporaryDir preferences;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, preferences.path());
    vellora::app::shell::VelloraApp application(argc, argv, &noReporter);

    vellora::app::shell::DocumentWindow *window =
        application.documents().openFile(QString::fromLocal8Bit(argv[1]));
    if (!window) {
        return 1;
    }
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) {
        return 1;
    }
    QCoreApplication::processEvents();
    std::printf("%lld\n", static_cast<long long>(sinceMain.elapsed()));
    std::fflush(stdout);
    // Tearing the window down is not part of showing it.
    std::_Exit(0);
}
