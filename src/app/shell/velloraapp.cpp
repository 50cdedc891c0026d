// SPDX-License-Identifier: MIT
#include "app/shell/velloraapp.h"

#include "app/crash/crashreporter.h"
#include "app/shell/documentcontroller.h"
#include "app/style/localization.h"
#include "app/style/symbols.h"
#include "app/stats/userstatsmanager.h"

#include <QLibraryInfo>

namespace vellora::app::shell {

VelloraApp::VelloraApp(int &argc, char **argv, StartReporter startReporter)
    : QApplication(argc, argv)
{
    // The names come first: they decide the data folder the crash reports are kept in.
    setOrganizationName(QStringLiteral("Vellora"));
    setApplicationName(QStringLiteral("Vellora"));
    setApplicationVersion(QStringLiteral(VELLORA_VERSION));
    setDesktopFileName(QStringLiteral("vellora"));

    (startReporter ? startReporter : static_cast<StartReporter>(&crash::startCrashReporter))(
        QStringLiteral(VELLORA_CRASH_REPORT_URL));

    style::installTranslations(*this, QLocale::system());
    if (m_qtTranslator.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(&m_qtTranslator);
    }
    style::setUpIconTheme(palette());

    m_documents = std::make_unique<DocumentController>(
        [] { stats::UserStatsManager::shared().recordDocumentOpen(); });
}

VelloraApp::~VelloraApp()
{
    // Windows refer to the controller: close them first.
    m_documents.reset();
    style::removeTranslations(*this);
}

void VelloraApp::run()
{
    // Everything after the program name that Qt left is a file to open.
    if (!m_documents->start(arguments().mid(1))) {
        return;
    }
    exec();
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
