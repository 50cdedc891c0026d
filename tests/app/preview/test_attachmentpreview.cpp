// SPDX-License-Identifier: MIT
// The attachment preview: its states, a real PDF rendered page after page, images at their
// size, and the notes that say why something cannot be shown.
#include "app/preview/attachmentpreviewview.h"
#include "app/preview/externalopen.h"
#include "app/preview/imagepreviewview.h"
#include "app/preview/noteview.h"
#include "app/preview/pdfpreviewview.h"
#include "app/style/localization.h"
#include "pdffixture.h"

#include <QAction>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfView>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace vellora::app::style;
using namespace vellora::app::preview;
using vellora::model::UBLAttachment;
using vellora::testing::makePdf;
using vellora::testing::makePng;
using vellora::testing::pageColor;
using vellora::testing::wrappedBase64;

Q_DECLARE_METATYPE(std::optional<std::string>)
Q_DECLARE_METATYPE(vellora::app::preview::PreviewKind)

namespace {

UBLAttachment attachmentOf(std::optional<std::string> mimeType,
                           std::optional<std::string> embeddedData,
                           std::optional<std::string> filename = "file")
{
    UBLAttachment attachment;
    attachment.documentID = "A1";
    attachment.filename = std::move(filename);
    attachment.mimeType = std::move(mimeType);
    attachment.embeddedData = std::move(embeddedData);
    return attachment;
}

std::string base64Of(const QByteArray &bytes)
{
    return wrappedBase64(bytes).toStdString();
}

// Shows a preview and waits until it has left the loading state.
std::unique_ptr<AttachmentPreviewView> shownPreview(const UBLAttachment &attachment,
                                                    QSize size = QSize(600, 500))
{
    auto view = std::make_unique<AttachmentPreviewView>(attachment);
    view->resize(size);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get()) ||
        !QTest::qWaitFor([&] { return view->kind() != PreviewKind::loading; })) {
        return nullptr;
    }
    return view;
}

// Whether a pixel is close to a colour (the renderer smooths edges).
bool near(QRgb pixel, const QColor &color)
{
    return qAbs(qRed(pixel) - color.red()) < 24 && qAbs(qGreen(pixel) - color.green()) < 24 &&
           qAbs(qBlue(pixel) - color.blue()) < 24;
}

// The first row of `image` in which a run of pixels has `color`, -1 when there is none.
int firstRowOf(const QImage &image, const QColor &color)
{
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = near(image.pixel(x, y), color) ? run + 1 : 0;
            if (run >= 20) {
                return y;
            }
        }
    }
    return -1;
}

// A PNG whose header claims a picture of width × height but that holds no pixel data.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray ihdr("IHDR");
    for (quint32 v : {width, height}) {
        ihdr.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
    }
    ihdr.append(char(8)).append(char(6)).append(char(0)).append(char(0)).append(char(0));
    const quint32 crc = [&] {
        quint32 c = 0xffffffffu;
        for (const char byte : ihdr) {
            c ^= quint8(byte);
            for (int k = 0; k < 8; ++k) {
                c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
            }
        }
        return ~c;
    }();
    QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d");
    png += ihdr;
    png.append(char(crc >> 24)).append(char(crc >> 16)).append(char(crc >> 8)).append(char(crc));
    return png;
}

} // namespace

// Stands in for the desktop's handler of file URLs.
class DesktopRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestAttachmentPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installTranslations(*QCoreApplication::instance(), QLocale(QLocale::English));
    }

    void startsLoadingAndDrawsThatFirst()
    {
        AttachmentPreviewView view(
            attachmentOf("application/pdf", base64Of(makePdf(1)), "invoice.pdf"));
        QCOMPARE(view.kind(), PreviewKind::loading);
        view.resize(400, 300);
        view.show();
        // Shown: loading, with the decoding still to come.
        QCOMPARE(view.kind(), PreviewKind::loading);
        QWidget *loading = view.content();
        QCOMPARE(loading->objectName(), QStringLiteral("previewLoading"));
        QCOMPARE(loading->findChild<QLabel *>(QStringLiteral("loadingLabel"))->text(),
                 QStringLiteral("Loading…"));
        // Paints of the loading indicator, counted until the outcome replaces it.
        struct PaintCounter : QObject
        {
            int paints = 0;
            bool eventFilter(QObject *, QEvent *event) override
            {
                paints += event->type() == QEvent::Paint;
                return false;
            }
        } counter;
        loading->installEventFilter(&counter);
        QSignalSpy loaded(&view, &AttachmentPreviewView::loaded);
        QVERIFY(loaded.wait());
        QCOMPARE(view.kind(), PreviewKind::pdf);
        QVERIFY(counter.paints > 0);
    }

    void showingAgainLoadsAgain()
    {
        auto view = shownPreview(attachmentOf("image/png", base64Of(makePng(QSize(10, 10)))));
        QVERIFY(view);
        QCOMPARE(view->kind(), PreviewKind::image);
        view->hide();
        view->show();
        QCOMPARE(view->kind(), PreviewKind::loading);
        QTRY_COMPARE(view->kind(), PreviewKind::image);
    }

    void viewGoneBeforeItsTaskRuns()
    {
        auto view = std::make_unique<AttachmentPreviewView>(
            attachmentOf("application/pdf", base64Of(makePdf(1))));
        view->show();
        view.reset(); // the scheduled decoding must not touch the freed view
        QTest::qWait(50);
    }

    void notes_data()
    {
        QTest::addColumn<std::optional<std::string>>("mimeType");
        QTest::addColumn<std::optional<std::string>>("embeddedData");
        QTest::addColumn<PreviewKind>("kind");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");

        using S = std::optional<std::string>;
        const std::string png = base64Of(makePng(QSize(8, 8)));
        const QString decodeFailed = localized("error.attachment_decode_failed");
        const QString unsupported = localized("error.unsupported_format");
        QTest::newRow("pdf, invalid base64") << S("application/pdf") << S("JVBE$$")
                                             << PreviewKind::error << "exclamationmark.triangle"
                                             << "Something Went Wrong" << decodeFailed;
        QTest::newRow("pdf, empty content")
            << S("application/pdf") << S("") << PreviewKind::error << "exclamationmark.triangle"
            << "Something Went Wrong" << decodeFailed;
        QTest::newRow("webp with valid content")
            << S("image/webp") << S(png) << PreviewKind::error << "exclamationmark.triangle"
            << "Something Went Wrong" << decodeFailed;
        QTest::newRow("no type") << S() << S(png) << PreviewKind::unsupported << "doc"
                                 << "Preview Not Available" << unsupported;
        QTest::newRow("text/xml") << S("text/xml") << S("PGEvPg==") << PreviewKind::unsupported
                                  << "doc"
                                  << "Preview Not Available" << unsupported;
        QTest::newRow("pdf without content")
            << S("application/pdf") << S() << PreviewKind::unsupported << "doc"
            << "Preview Not Available" << unsupported;
    }

    void notes()
    {
        QFETCH(std::optional<std::string>, mimeType);
        QFETCH(std::optional<std::string>, embeddedData);
        QFETCH(PreviewKind, kind);
        QFETCH(QString, symbol);
        QFETCH(QString, title);
        QFETCH(QString, message);

        auto view = shownPreview(attachmentOf(mimeType, embeddedData));
        QVERIFY(view);
        QCOMPARE(view->kind(), kind);
        auto *note = qobject_cast<NoteView *>(view->content());
        QVERIFY(note);
        QCOMPARE(note->symbol(), symbol);
        QCOMPARE(note->title(), title);
        QCOMPARE(note->message(), message);
        QVERIFY(!view->openExternallyAction());
    }

    void pdfPagesRenderInOrder()
    {
        // Three pages, fitted to a narrow view tall enough to show them all.
        auto view = shownPreview(attachmentOf("APPLICATION/PDF", base64Of(makePdf(3)), "three.pdf"),
                                 QSize(300, 1400));
        QVERIFY(view);
        QCOMPARE(view->kind(), PreviewKind::pdf);
        auto *pdf = qobject_cast<PDFPreviewView *>(view->content());
        QVERIFY(pdf);
        QVERIFY(pdf->isReadable());
        QCOMPARE(pdf->pageCount(), 3);
        QCOMPARE(pdf->pageCountLabel()->text(), QStringLiteral("3 pages"));
        QCOMPARE(pdf->pdfView()->pageMode(), QPdfView::PageMode::MultiPage);
        QCOMPARE(pdf->pdfView()->zoomMode(), QPdfView::ZoomMode::FitToWidth);
        QVERIFY(view->openExternallyAction());

        // Pages render in the background: wait until every page shows its colour.
        QImage shot;
        QVERIFY(QTest::qWaitFor(
            [&] {
                shot = pdf->pdfView()->viewport()->grab().toImage();
                return firstRowOf(shot, pageColor(0)) >= 0 && firstRowOf(shot, pageColor(1)) >= 0 &&
                       firstRowOf(shot, pageColor(2)) >= 0;
            },
            10000));
        const int first = firstRowOf(shot, pageColor(0));
        const int second = firstRowOf(shot, pageColor(1));
        const int third = firstRowOf(shot, pageColor(2));
        QVERIFY2(first < second && second < third,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(first).arg(second).arg(third)));
        // Fitted to the width: the coloured block of a page spans most of the view.
        int run = 0;
        for (int x = 0; x < shot.width(); ++x) {
            run += near(shot.pixel(x, first + 2), pageColor(0));
        }
        QVERIFY2(run > shot.width() * 0.7, qPrintable(QString::number(run)));
    }

    void pageCountSpeaksOfOnePage()
    {
        auto view = shownPreview(attachmentOf("application/pdf", base64Of(makePdf(1))));
        QVERIFY(view);
        auto *pdf = qobject_cast<PDFPreviewView *>(view->content());
        QVERIFY(pdf);
        QCOMPARE(pdf->pageCountLabel()->text(), QStringLiteral("1 page"));
    }

    void zoomStepsAndFit()
    {
        auto view = shownPreview(attachmentOf("application/pdf", base64Of(makePdf(2))));
        QVERIFY(view);
        auto *pdf = qobject_cast<PDFPreviewView *>(view->content());
        QVERIFY(pdf);
        QPdfView *pdfView = pdf->pdfView();
        const qreal fit =
            fitToWidthFactor(pdf->document()->pagePointSize(0), pdfView->viewport()->width(),
                             pdfView->documentMargins(), pdfView->logicalDpiX());

        pdf->zoomInAction()->trigger();
        QCOMPARE(pdfView->zoomMode(), QPdfView::ZoomMode::Custom);
        QVERIFY(qFuzzyCompare(pdfView->zoomFactor(), fit * 1.25));
        pdf->zoomInAction()->trigger();
        QVERIFY(qFuzzyCompare(pdfView->zoomFactor(), fit * 1.25 * 1.25));
        pdf->zoomOutAction()->trigger();
        QVERIFY(qFuzzyCompare(pdfView->zoomFactor(), fit * 1.25));
        pdf->fitWidthAction()->trigger();
        QCOMPARE(pdfView->zoomMode(), QPdfView::ZoomMode::FitToWidth);
        // From the fitted width, zooming out starts at the fitted factor, not at 100 %.
        QTest::qWait(50); // the scroll bars settle for the new width
        const qreal fitAgain =
            fitToWidthFactor(pdf->document()->pagePointSize(0), pdfView->viewport()->width(),
                             pdfView->documentMargins(), pdfView->logicalDpiX());
        pdf->zoomOutAction()->trigger();
        QVERIFY(qFuzzyCompare(pdfView->zoomFactor(), fitAgain / 1.25));

        // The keys of the actions.
        QCOMPARE(pdf->zoomInAction()->shortcut(), QKeySequence(QKeySequence::ZoomIn));
        QCOMPARE(pdf->zoomOutAction()->shortcut(), QKeySequence(QKeySequence::ZoomOut));
        QCOMPARE(pdf->fitWidthAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        QTest::keyClick(view.get(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(pdfView->zoomMode(), QPdfView::ZoomMode::FitToWidth);
        QTest::keyClick(view.get(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(pdfView->zoomMode(), QPdfView::ZoomMode::Custom);
    }

    void zoomLimits_data()
    {
        QTest::addColumn<qreal>("factor");
        QTest::addColumn<qreal>("in");
        QTest::addColumn<qreal>("out");
        QTest::newRow("100 %") << 1.0 << 1.25 << 0.8;
        QTest::newRow("at the top") << 8.0 << 8.0 << 6.4;
        QTest::newRow("near the bottom") << 0.11 << 0.1375 << 0.1;
    }

    void zoomLimits()
    {
        QFETCH(qreal, factor);
        QFETCH(qreal, in);
        QFETCH(qreal, out);
        QVERIFY(qFuzzyCompare(zoomedIn(factor), in));
        QVERIFY(qFuzzyCompare(zoomedOut(factor), out));
    }

    void unreadablePdfSaysSo_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not a pdf") << QByteArray("these bytes are no PDF at all");
        QByteArray truncated = makePdf(2);
        truncated.truncate(truncated.size() / 3);
        QTest::newRow("cut off") << truncated;
    }

    void unreadablePdfSaysSo()
    {
        QFETCH(QByteArray, bytes);
        auto view = shownPreview(attachmentOf("application/pdf", base64Of(bytes)));
        QVERIFY(view);
        QCOMPARE(view->kind(), PreviewKind::pdf);
        auto *pdf = qobject_cast<PDFPreviewView *>(view->content());
        QVERIFY(pdf);
        QTRY_VERIFY(pdf->unreadableNote());
        QVERIFY(!pdf->isReadable());
        QCOMPARE(pdf->unreadableNote()->title(), QStringLiteral("Unable to Display PDF"));
        QVERIFY(pdf->unreadableNote()->isVisible());
        QVERIFY(!pdf->pdfView()->isVisible());
        QVERIFY(!pdf->zoomInAction()->isEnabled());
        // Another viewer may read what this one cannot.
        QVERIFY(view->openExternallyAction());
    }

    void openWithDefaultApplication_data()
    {
        QTest::addColumn<std::optional<std::string>>("mimeType");
        QTest::addColumn<std::optional<std::string>>("filename");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("pdf") << std::optional<std::string>("application/pdf")
                             << std::optional<std::string>("invoice.pdf") << makePdf(1)
                             << "invoice.pdf";
        QTest::newRow("hostile name, png type")
            << std::optional<std::string>("image/png")
            << std::optional<std::string>("../../autostart/run.desktop") << makePng(QSize(4, 4))
            << "run.png";
    }

    void openWithDefaultApplication()
    {
        QFETCH(std::optional<std::string>, mimeType);
        QFETCH(std::optional<std::string>, filename);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fileName);

        // The desktop's handler for files, replaced: it records what it is handed.
        DesktopRecorder desktop;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
        auto view = shownPreview(attachmentOf(mimeType, base64Of(bytes), filename));
        QVERIFY(view);
        QVERIFY(view->openExternallyAction());
        view->openExternallyAction()->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

        QCOMPARE(desktop.opened.size(), 1);
        const QString path = desktop.opened.front().toLocalFile();
        QCOMPARE(QFileInfo(path).fileName(), fileName);
        QVERIFY(path.startsWith(privateTemporaryFolder() + QLatin1Char('/')));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

    void pngShowsAtItsSize()
    {
        const QByteArray png = makePng(QSize(37, 23), QColor(200, 40, 160));
        auto view = shownPreview(attachmentOf("image/PNG", base64Of(png)), QSize(400, 300));
        QVERIFY(view);
        QCOMPARE(view->kind(), PreviewKind::image);
        auto *image = qobject_cast<ImagePreviewView *>(view->content());
        QVERIFY(image);
        QVERIFY(image->isDecoded());
        QCOMPARE(image->imageSize(), QSize(37, 23));
        QCOMPARE(image->imageLabel()->pixmap().size(), QSize(37, 23));
        // Smaller than the area: centred, nothing to scroll.
        QCOMPARE(image->scrollArea()->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(image->scrollArea()->verticalScrollBar()->maximum(), 0);
        const QImage shot = image->scrollArea()->viewport()->grab().toImage();
        int coloured = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                coloured += near(shot.pixel(x, y), QColor(200, 40, 160));
            }
        }
        QCOMPARE(coloured, 37 * 23);
        const QPoint centre = image->imageLabel()->mapTo(image->scrollArea()->viewport(),
                                                         image->imageLabel()->rect().center());
        QVERIFY(qAbs(centre.x() - shot.width() / 2) <= 1);
        QVERIFY(qAbs(centre.y() - shot.height() / 2) <= 1);
        QVERIFY(view->openExternallyAction());
    }

    void largeImageScrollsBothWays()
    {
        auto view = shownPreview(attachmentOf("image/png", base64Of(makePng(QSize(1500, 1200)))),
                                 QSize(400, 300));
        QVERIFY(view);
        auto *image = qobject_cast<ImagePreviewView *>(view->content());
        QVERIFY(image);
        QCOMPARE(image->imageLabel()->pixmap().size(), QSize(1500, 1200));
        QTRY_VERIFY(image->scrollArea()->horizontalScrollBar()->isVisible());
        QTRY_VERIFY(image->scrollArea()->verticalScrollBar()->isVisible());
        QVERIFY(image->scrollArea()->horizontalScrollBar()->maximum() > 1000);
        QVERIFY(image->scrollArea()->verticalScrollBar()->maximum() > 800);
    }

    void unreadableImage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not an image") << QByteArray("plain words, no picture");
        QTest::newRow("png header without pixels") << pngClaiming(64, 64);
        QTest::newRow("decompression bomb, 100000 x 100000") << pngClaiming(100000, 100000);
    }

    void unreadableImage()
    {
        QFETCH(QByteArray, bytes);
        QElapsedTimer timer;
        timer.start();
        auto view = shownPreview(attachmentOf("image/png", base64Of(bytes)));
        QVERIFY(view);
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(view->kind(), PreviewKind::image);
        auto *image = qobject_cast<ImagePreviewView *>(view->content());
        QVERIFY(image);
        QVERIFY(!image->isDecoded());
        QCOMPARE(image->unreadableNote()->symbol(), QStringLiteral("photo"));
        QCOMPARE(image->unreadableNote()->title(), QStringLiteral("Unable to Display Image"));
        QVERIFY(!view->openExternallyAction());
    }

    void allocationLimitIsApplied_data()
    {
        QTest::addColumn<int>("limitMB");
        QTest::addColumn<bool>("decoded");
        // 1200 × 1000 pixels of 4 bytes: 4.8 MB once decoded, from a file of a few KB.
        QTest::newRow("within the limit") << 16 << true;
        QTest::newRow("over the limit") << 2 << false;
    }

    void allocationLimitIsApplied()
    {
        QFETCH(int, limitMB);
        QFETCH(bool, decoded);
        const QByteArray png = makePng(QSize(1200, 1000));
        QVERIFY(png.size() < 100 * 1024);
        QCOMPARE(decodeImage(png, limitMB).has_value(), decoded);
        ImagePreviewView view(png, nullptr, limitMB);
        QCOMPARE(view.isDecoded(), decoded);
    }
};

QTEST_MAIN(TestAttachmentPreview)
#include "test_attachmentpreview.moc"
