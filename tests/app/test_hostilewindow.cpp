// SPDX-License-Identifier: MIT
// Every hostile file opens in a window (or is refused with a message) without crash or hang:
// the layout, the attachment preview, and the source as raw text and as a tree.
#include "app/content/contentview.h"
#include "app/preview/attachmentdata.h"
#include "app/shell/documentcontroller.h"
#include "parser/velloradocument.h"
#include "support/hostilefiles.h"
#include "xmlview/views/asynchighlightedxmlview.h"
#include "xmlview/views/xmltreeview.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vellora::app::content;
using vellora::parser::DocumentReadError;
using vellora::parser::VelloraDocument;
using vellora::xmlview::views::XMLTreeView;

class TestHostileWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensWithoutCrashOrHang_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        m_folder = std::make_unique<QTemporaryDir>();
        const std::string secret = (m_folder->path() + QStringLiteral("/secret.txt")).toStdString();
        // Nothing listens on port 9 of the loopback address; the reader must not try.
        for (const auto &file :
             vellora::testing::hostileFiles(secret, "http://127.0.0.1:9/x")) {
            QTest::newRow(file.name.c_str())
                << QByteArray(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
        }
    }

    void opensWithoutCrashOrHang()
    {
        QFETCH(QByteArray, bytes);
        VelloraDocument::ReadResult read = VelloraDocument::fromBytes(bytes.toStdString());
        if (const auto *error = std::get_if<DocumentReadError>(&read)) {
            // Refused: the window's message names the file and a reason.
            const auto message = vellora::app::shell::openFailureMessage(
                QStringLiteral("hostile.xml"), *error);
            QVERIFY(message.text.contains(QStringLiteral("hostile.xml")));
            QVERIFY(!message.reason.isEmpty());
            return;
        }
        const VelloraDocument &document = std::get<VelloraDocument>(read);
        ContentView view(document);
        view.resize(1000, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.damageBar() != nullptr, document.damage().has_value());

        // The source, raw and then as a tree, until the tree's parse is over.
        if (view.layoutKind() == ContentLayout::split) {
            view.xmlSourceAction()->trigger();
        }
        auto *source = view.xmlSourceView();
        QTRY_VERIFY_WITH_TIMEOUT(source->rawAction()->isEnabled(), 30000);
        source->treeAction()->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!source->treeView()->isLoading(), 60000);
        QVERIFY(source->treeView()->content() != XMLTreeView::Content::loading);
        QTest::qWait(50);

        // Every name proposed for saving stays inside the chosen folder and fits a file system.
        if (const auto *info = document.ublInfo()) {
            for (const auto &attachment : info->attachments) {
                const QString name = vellora::app::preview::suggestedFileName(
                    QString::fromStdString(attachment.filename.value_or("")),
                    attachment.mimeType ? std::optional(QString::fromStdString(*attachment.mimeType))
                                        : std::nullopt);
                QVERIFY(!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')));
                QVERIFY(name != QStringLiteral("..") && !name.isEmpty());
                QVERIFY(name.toUtf8().size() <= 255);
            }
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};

QTEST_MAIN(TestHostileWindow)
#include "test_hostilewindow.moc"
