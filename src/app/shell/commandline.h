// SPDX-License-Identifier: MIT
// The command line: the files to open, or a request to answer in the terminal.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vellora::app::shell {

struct CommandLineRequest
{
    enum class Action
    {
        open,       // open `files`, one window each; none named: the Open dialog
        help,       // print `text` (the help) on standard output
        version,    // print `text` (name and version) on standard output
        wrongUsage, // print `text` (what is wrong, and where to find help) on standard error
    };

    Action action = Action::open;
    QStringList files;
    QString text;

    // The status the program ends with when it answers without opening a window.
    int exitStatus() const { return action == Action::wrongUsage ? 1 : 0; }
};

// Reads `arguments` (the program's name first). The application object must exist: the
// help names the program and its version from it, in the language of the installed tables.
// An unknown option is wrong usage; everything after "--" is a file.
CommandLineRequest readCommandLine(const QStringList &arguments);

// Prints the request's text: on standard error for wrong usage, else on standard output.
void printAnswer(const CommandLineRequest &request);

// Answers --help and --version before the window system is touched, so that both work in a
// terminal without a display: returns the exit status when it has answered, nullopt when the
// program is to start. Wrong usage is left to the start, after the toolkit has taken its own
// options (-platform, -style, ...) out of the arguments.
std::optional<int> answerInTerminal(int argc, char **argv);

} // namespace vellora::app::shell
