// SPDX-License-Identifier: MIT
// Every embedded attachment of the shared invoice corpus, previewed: none may crash or hang,
// and each ends in one state. Prints how many ended in which.
#include "app/preview/attachmentpreviewview.h"
#include "app/preview/imagepreviewview.h"
#include "app/preview/pdfpreviewview.h"
#include "parser/velloradocument.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QMap>
#include <QSignalSpy>
#include <QTest>

#include <cstdio>

using namespace vellora::app::preview;
using vellora::parser::VelloraDocument;

class TestCorpusPreview : public QObject
{
    Q_OBJECT

private slots:
    void everyAttachmentPreviews()
    {
        const QString corpus = QStringLiteral(VELLORA_SOURCE_DIR "/../shared/corpus/ubl");
        if (!QFileInfo(corpus).isDir()) {
            QSKIP("the shared corpus is not here");
        }
        QStringList files;
        QDirIterator it(corpus, {QStringLiteral("*.xml")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files << it.next();
        }
        files.sort();
        QVERIFY(!files.isEmpty());

        QMap<QString, int> outcomes;
        int embedded = 0;
        qint64 slowest = 0;
        for (const QString &file : files) {
            auto read = VelloraDocument::fromFile(file.toStdString());
            if (!std::holds_alternative<VelloraDocument>(read)) {
                continue;
            }
            const VelloraDocument &document = std::get<VelloraDocument>(read);
            if (!document.ublInfo()) {
                continue;
            }
            for (const auto &attachment : document.ublInfo()->attachments) {
                if (!attachment.embeddedData) {
                    continue;
                }
                ++embedded;
                QElapsedTimer timer;
                timer.start();
                AttachmentPreviewView view(attachment);
                view.resize(600, 700);
                QSignalSpy loaded(&view, &AttachmentPreviewView::loaded);
                view.show();
                QVERIFY2(loaded.wait(10000), qPrintable(file));
                QString outcome;
                switch (view.kind()) {
                case PreviewKind::pdf: {
                    auto *pdf = qobject_cast<PDFPreviewView *>(view.content());
                    QTRY_VERIFY_WITH_TIMEOUT(pdf->isReadable() || pdf->unreadableNote(), 10000);
                    outcome = pdf->isReadable() ? QStringLiteral("PDF")
                                                : QStringLiteral("PDF, unreadable");
                    break;
                }
                case PreviewKind::image:
                    outcome = qobject_cast<ImagePreviewView *>(view.content())->isDecoded()
                                  ? QStringLiteral("image")
                                  : QStringLiteral("image, unreadable");
                    break;
                case PreviewKind::unsupported:
                    outcome = QStringLiteral("unsupported");
                    break;
                case PreviewKind::error:
                    outcome = QStringLiteral("error");
                    break;
                case PreviewKind::loading:
                    QFAIL(qPrintable(file + QStringLiteral(": still loading")));
                }
                ++outcomes[outcome];
                slowest = std::max(slowest, timer.elapsed());
            }
        }

        std::printf("embedded attachments: %d in %lld files; slowest preview %lld ms\n", embedded,
                    static_cast<long long>(files.size()), static_cast<long long>(slowest));
        int counted = 0;
        for (auto it = outcomes.cbegin(); it != outcomes.cend(); ++it) {
            std::printf("  %-18s %d\n", qPrintable(it.key()), it.value());
            counted += it.value();
        }
        QCOMPARE(counted, embedded);
        QVERIFY(embedded > 0);
    }
};

QTEST_MAIN(TestCorpusPreview)
#include "test_corpuspreview.moc"
