// SPDX-License-Identifier: MIT
// The viewer: one window per file named on the command line, or the Open dialog.
#include "app/shell/velloraapp.h"

int main(int argc, char **argv)
{
    vellora::app::shell::VelloraApp application(argc, argv);
    application.run();
    return 0;
}
