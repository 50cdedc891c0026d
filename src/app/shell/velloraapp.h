// SPDX-License-Identifier: MIT
// The application object.
#pragma once

#include <QApplication>
#include <QTranslator>

#include <memory>

namespace vellora::app::shell {

class DocumentController;

// Constructing it starts the crash reporter (once, with the service address as its only
// setting), installs the text table for the system locale and picks the icon theme for the
// palette. It reads no settings or environment of its own; the command line holds the files
// to open, --help and --version.
class VelloraApp : public QApplication
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VelloraApp)

public:
    using StartReporter = void (*)(const QString &serviceAddress);

    // `startReporter` is replaced only by tests.
    VelloraApp(int &argc, char **argv, StartReporter startReporter = nullptr);
    ~VelloraApp() override;

    // The program's organisation, name and version, which the crash reports' folder, the
    // preferences and --version go by. Static: also set before a terminal-only answer.
    static void declareIdentity();

    // Opens the files named on the command line, or shows the Open dialog, then runs the
    // event loop until the last window closes or the user quits. Returns at once when no
    // window opened (the dialog was cancelled, or no file could be read), and at once with
    // the help, the version or what is wrong printed when the command line asks for that.
    // The result is the program's exit status: 1 for wrong usage, else 0.
    int run();

    DocumentController &documents() { return *m_documents; }

protected:
    bool event(QEvent *event) override;

private:
    QTranslator m_qtTranslator; // Qt's own dialog texts
    std::unique_ptr<DocumentController> m_documents;
};

} // namespace vellora::app::shell
