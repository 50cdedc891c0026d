// SPDX-License-Identifier: MIT
#include "app/shell/velloraapp.h"

#include "app/crash/crashreporter.h"
#include "app/shell/commandline.h"
#include "app/shell/documentcontroller.h"
#include "app/style/localization.h"
#include "app/style/symbols.h"
#include "app/stats/userstatsmanager.h"

#include <QIcon>
#include <QLibraryInfo>

namespace vellora::app::shell {

VelloraApp::VelloraApp(int &argc, char **argv, StartReporter startReporter)
    : QApplication(argc, argv)
{
    // The names come first: they decide the data folder the crash reports are kept in.
    declareIdentity();
    // The launcher's name: desktops match the windows to its entry and icon by it.
    setDesktopFileName(QStringLiteral("io.github.vellora.Vellora"));

    (startReporter ? startReporter : static_cast<StartReporter>(&crash::startCrashReporter))(
        QStringLiteral(VELLORA_CRASH_REPORT_URL));

    style::installTranslations(*this, QLocale::system());
    if (m_qtTranslator.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(&m_qtTranslator);
    }
    style::setUpIconTheme(palette());
    // The installed icon, for the About panel and the window decorations; running from the
    // build folder, where nothing is installed, Qt's default stands in.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.vellora.Vellora")));

    m_documents = std::make_unique<DocumentController>(
        [] { stats::UserStatsManager::shared().recordDocumentOpen(); });
}

VelloraApp::~VelloraApp()
{
    // Windows refer to the controller: close them first.
    m_documents.reset();
    style::removeTranslations(*this);
}

void VelloraApp::declareIdentity()
{
    setOrganizationName(QStringLiteral("Vellora"));
    setApplicationName(QStringLiteral("Vellora"));
    setApplicationVersion(QStringLiteral(VELLORA_VERSION));
}

int VelloraApp::run()
{
    // Qt has taken its own options (-platform, -style, ...) out of the arguments: what is left
    // is ours.
    const CommandLineRequest request = readCommandLine(arguments());
    if (request.action != CommandLineRequest::Action::open) {
        printAnswer(request);
        return request.exitStatus();
    }
    if (m_documents->start(request.files)) {
        exec();
    }
    return 0;
}

bool VelloraApp::event(QEvent *event)
{
    if (event->type() == QEvent::ApplicationPaletteChange) {
        // Breeze or Breeze Dark, whichever suits the new window colour.
        style::setUpIconTheme(palette());
    }
    return QApplication::event(event);
}

} // namespace vellora::app::shell
