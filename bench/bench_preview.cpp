// SPDX-License-Identifier: MIT
// How long an invoice that embeds a large PDF takes to show the PDF's first page.
//
//   bench_preview [MEGABYTES] [RUNS]      (default 50 MB, 5 runs)
//
// Writes a real PDF of about MEGABYTES (pages carrying pictures of random pixels, which do
// not compress), embeds it as indented Base64 lines in an invoice, then for each run times
// the whole road in a window of 1100 × 720: reading the invoice, building the content view
// (which selects the attachment), decoding it, loading the PDF, and the first page on screen.
// Runs on the offscreen platform unless another one is chosen.
#include "app/content/contentview.h"
#include "app/preview/attachmentpreviewview.h"
#include "app/preview/pdfpreviewview.h"
#include "parser/velloradocument.h"
#include "pdffixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPdfDocument>
#include <QPdfView>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

using namespace vellora::app;
using vellora::parser::VelloraDocument;

namespace {

std::string invoiceWith(const QByteArray &pdf)
{
    std::string xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<Invoice xmlns="urn:oasis:names:specification:ubl:schema:xsd:Invoice-2"
    xmlns:cac="urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2"
    xmlns:cbc="urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2">
  <cbc:ID>BENCH-PDF</cbc:ID>
  <cbc:IssueDate>2026-12-11</cbc:IssueDate>
  <cbc:DocumentCurrencyCode>EUR</cbc:DocumentCurrencyCode>
  <cac:AdditionalDocumentReference>
    <cbc:ID>BIG</cbc:ID>
    <cac:Attachment>
      <cbc:EmbeddedDocumentBinaryObject mimeCode="application/pdf" filename="big.pdf">
)";
    xml += vellora::testing::wrappedBase64(pdf, "        ").toStdString();
    xml += R"(
      </cbc:EmbeddedDocumentBinaryObject>
    </cac:Attachment>
  </cac:AdditionalDocumentReference>
  <cac:LegalMonetaryTotal><cbc:PayableAmount currencyID="EUR">1.00</cbc:PayableAmount></cac:LegalMonetaryTotal>
</Invoice>
)";
    return xml;
}

// CPU time of the whole process (all threads), in milliseconds: on a busy machine the wall
// time also counts the waits for a core, this does not.
qint64 cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

struct Run
{
    qint64 cpu = 0;       // CPU time of the whole road
    qint64 read = 0;      // bytes → model
    qint64 viewBuilt = 0; // … → content view with sidebar and (loading) preview
    qint64 decoded = 0;   // … → PDF view with a loaded document
    qint64 firstPage = 0; // … → first page's pixels on screen
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 50;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;

    // The writer compresses the random pictures as it likes: measure one page, then make
    // as many as the size asks for.
    const qsizetype perPage =
        vellora::testing::makePdf(2, 1024).size() - vellora::testing::makePdf(1, 1024).size();
    const int pages = std::max<int>(1, qRound(megabytes * 1e6 / double(perPage)));
    const QByteArray pdf = vellora::testing::makePdf(pages, 1024);
    const std::string invoice = invoiceWith(pdf);
    std::printf("PDF: %d pages, %.1f MB; invoice: %.1f MB\n", pages, pdf.size() / 1e6,
                invoice.size() / 1e6);

    std::vector<Run> results;
    for (int i = 0; i < runs; ++i) {
        Run run;
        QElapsedTimer timer;
        timer.start();
        const qint64 cpuStart = cpuMs();
        auto read = VelloraDocument::fromBytes(invoice);
        if (!std::holds_alternative<VelloraDocument>(read)) {
            std::fprintf(stderr, "the invoice cannot be read\n");
            return 1;
        }
        const VelloraDocument document = std::get<VelloraDocument>(std::move(read));
        run.read = timer.elapsed();

        content::ContentView view(document);
        run.viewBuilt = timer.elapsed();
        view.resize(1100, 720);
        view.show();
        auto *preview = qobject_cast<preview::AttachmentPreviewView *>(view.detailContent());
        if (!preview) {
            std::fprintf(stderr, "no preview\n");
            return 1;
        }
        preview::PDFPreviewView *pdfView = nullptr;
        if (!QTest::qWaitFor(
                [&] {
                    pdfView = qobject_cast<preview::PDFPreviewView *>(preview->content());
                    return pdfView && pdfView->isReadable();
                },
                30000)) {
            std::fprintf(stderr, "the PDF did not load\n");
            return 1;
        }
        run.decoded = timer.elapsed();
        // The first page is on screen when its coloured block is painted.
        const QColor colour = vellora::testing::pageColor(0);
        const bool painted = QTest::qWaitFor(
            [&] {
                const QImage shot = pdfView->pdfView()->viewport()->grab().toImage();
                // The block fills the upper part of the page, below a margin.
                const QRgb pixel = shot.pixel(shot.width() / 2, std::min(250, shot.height() - 1));
                return qAbs(qRed(pixel) - colour.red()) < 24 &&
                       qAbs(qGreen(pixel) - colour.green()) < 24 &&
                       qAbs(qBlue(pixel) - colour.blue()) < 24;
            },
            30000);
        if (!painted) {
            std::fprintf(stderr, "the first page was not drawn\n");
            return 1;
        }
        run.firstPage = timer.elapsed();
        run.cpu = cpuMs() - cpuStart;
        std::printf("run %d: read %lld ms, view built %lld ms, PDF loaded %lld ms, first page "
                    "%lld ms (CPU %lld ms)\n",
                    i + 1, static_cast<long long>(run.read), static_cast<long long>(run.viewBuilt),
                    static_cast<long long>(run.decoded), static_cast<long long>(run.firstPage),
                    static_cast<long long>(run.cpu));
        results.push_back(run);
    }
    std::sort(results.begin(), results.end(),
              [](const Run &a, const Run &b) { return a.firstPage < b.firstPage; });
    const Run &median = results[results.size() / 2];
    std::vector<qint64> cpu;
    for (const Run &run : results) {
        cpu.push_back(run.cpu);
    }
    std::sort(cpu.begin(), cpu.end());
    std::printf("median of %d: first page after %lld ms (read %lld ms, PDF loaded %lld ms); "
                "min %lld ms, max %lld ms; CPU median %lld ms\n",
                runs, static_cast<long long>(median.firstPage), static_cast<long long>(median.read),
                static_cast<long long>(median.decoded),
                static_cast<long long>(results.front().firstPage),
                static_cast<long long>(results.back().firstPage),
                static_cast<long long>(cpu[cpu.size() / 2]));
    return 0;
}
