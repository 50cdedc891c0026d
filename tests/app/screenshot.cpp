// SPDX-License-Identifier: MIT
// Renders a document window to a PNG, for the pictures in docs/screenshots.
//
//   vellora-screenshot OUT.png [FILE] [--dark] [--deselect] [--inspector] [--tab=NAME] [--about]
//                      [--select=N] [--source] [--tree] [--find TEXT]
//
// --select=N selects the attachment in row N,
// --source shows a valid invoice's XML source in the detail area (View > XML Source),
// --tree switches the source to its tree, --find searches the raw source.
//
// --tab=NAME shows the inspector on the tab of that raw name ("lines", "sepa", …).
// --about pictures the About panel over the window instead of the window.
// --select=N chooses the N-th attachment (from 1) in the sidebar and waits for its preview.
// Without FILE the window shows a new document. The text table follows the locale of the
// environment (LANG, LANGUAGE), as in the application. Run under a display, e.g.
//   xvfb-run -a -s "-screen 0 1280x900x24" vellora-screenshot out.png invoice.xml
#include "app/content/contentview.h"
#include "app/shell/documentcontroller.h"
#include "app/shell/documentwindow.h"
#include "app/content/inspectorcolumn.h"
#include "app/content/previewstylesidebar.h"
#include "app/style/theme.h"
#include "app/shell/velloraapp.h"
#include "inspector/views/inspectorpanel.h"
#include "xmlview/views/asynchighlightedxmlview.h"
#include "xmlview/views/xmltreeview.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPropertyAnimation>
#include <QSettings>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace vellora::app::content;
using namespace vellora::app::shell;
using namespace vellora::app::style;

namespace {

// The pictures must not start a crash reporter or touch anyone's reports.
void noReporter(const QString &) {}

} // namespace

int main(int argc, char **argv)
{
    // Counting the opening and noting the recent file go to a preference file of its own.
    QTemporaryDir preferences;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, preferences.path());
    VelloraApp application(argc, argv, &noReporter);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QStringList arguments = QApplication::arguments().mid(1);
    const bool dark = arguments.removeAll(QStringLiteral("--dark")) > 0;
    const bool deselect = arguments.removeAll(QStringLiteral("--deselect")) > 0;
    bool inspector = arguments.removeAll(QStringLiteral("--inspector")) > 0;
    QString tab;
    for (const QString &argument : arguments) {
        if (argument.startsWith(QStringLiteral("--tab="))) {
            tab = argument.mid(6);
            inspector = true;
        }
    }
    arguments.removeIf([](const QString &a) { return a.startsWith(QStringLiteral("--tab=")); });
    const bool about = arguments.removeAll(QStringLiteral("--about")) > 0;
    int selectRow = 0;
    for (const QString &argument : arguments) {
        if (argument.startsWith(QLatin1String("--select="))) {
            selectRow = argument.mid(9).toInt();
        }
    }
    arguments.removeIf([](const QString &a) { return a.startsWith(QLatin1String("--select=")); });
    const bool source = arguments.removeAll(QStringLiteral("--source")) > 0;
    const bool tree = arguments.removeAll(QStringLiteral("--tree")) > 0;
    QString find;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--find"));
        at >= 0 && at + 1 < arguments.size()) {
        find = arguments.at(at + 1);
        arguments.remove(at, 2);
    }
    if (arguments.isEmpty() || arguments.size() > 2) {
        std::fprintf(stderr, "usage: vellora-screenshot OUT.png [FILE] [--dark] [--deselect] "
                             "[--inspector] [--tab=NAME] [--about] [--select=N] [--source] "
                             "[--tree] [--find TEXT]\n");
        return 64;
    }
    if (dark) {
        QApplication::setPalette(theme::darkPalette());
    }

    DocumentController &documents = application.documents();
    DocumentWindow *window =
        arguments.size() == 2 ? documents.openFile(arguments.at(1)) : documents.newDocument();
    if (!window) {
        return 1;
    }
    window->resize(1100, 720);
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) {
        return 1;
    }

    ContentView *view = window->contentView();
    if (deselect && view->sidebar() && view->sidebar()->listView()) {
        view->sidebar()->listView()->selectionModel()->clearSelection();
    }
    if (selectRow > 0 && view->sidebar() && view->sidebar()->listView()) {
        QListView *list = view->sidebar()->listView();
        list->selectionModel()->select(list->model()->index(selectRow - 1, 0),
                                       QItemSelectionModel::ClearAndSelect);
        QTest::qWait(800); // the preview decodes, then renders its first pages
    }
    if (inspector && view->informationAction()) {
        view->informationAction()->trigger();
        view->inspectorAnimation()->setCurrentTime(view->inspectorAnimation()->duration());
        auto *panel = qobject_cast<vellora::inspector::views::InspectorPanel *>(
            view->inspectorColumn()->content());
        const auto chosen = vellora::inspector::inspectorTabFromRawValue(tab.toStdString());
        if (panel && chosen) {
            panel->setSelectedTab(*chosen);
        } else if (!tab.isEmpty()) {
            std::fprintf(stderr, "no inspector tab %s\n", qPrintable(tab));
            return 1;
        }
    }
    if (source && view->xmlSourceAction()) {
        view->xmlSourceAction()->trigger();
    }
    if (auto *xml = view->xmlSourceView(); xml && xml->isVisible()) {
        if (tree) {
            xml->treeAction()->trigger();
            QTest::qWaitFor([xml] { return !xml->treeView()->isLoading(); }, 10000);
        } else {
            QTest::qWaitFor([xml] { return xml->isTextCached(); }, 10000);
            if (!find.isEmpty()) {
                xml->findAction()->trigger();
                xml->findField()->setText(find);
            }
        }
    }
    QTest::qWait(200);

    if (about) {
        // The panel is modal: picture it and close it from inside its own event loop.
        bool saved = false;
        QTimer::singleShot(300, window, [&] {
            if (QWidget *panel = QApplication::activeModalWidget()) {
                saved = panel->grab().save(arguments.at(0));
                panel->close();
            }
        });
        documents.showAbout(window);
        return saved ? 0 : 1;
    }
    if (!window->grab().save(arguments.at(0))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(arguments.at(0)));
        return 1;
    }
    return 0;
}
