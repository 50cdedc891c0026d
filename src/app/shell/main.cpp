// SPDX-License-Identifier: MIT
// The viewer: one window per file named on the command line, or the Open dialog.
#include "app/shell/commandline.h"
#include "app/shell/velloraapp.h"

int main(int argc, char **argv)
{
    // --help and --version are answered in the terminal, also where there is no display.
    if (const std::optional<int> status = vellora::app::shell::answerInTerminal(argc, argv)) {
        return *status;
    }
    vellora::app::shell::VelloraApp application(argc, argv);
    return application.run();
}
