// SPDX-License-Identifier: MIT
// Times the XML source views on a generated invoice:
//
//   bench_xmlview [LINES] [RUNS]          (default 10,000 lines, 5 runs)
//
// - the tree: from loadXML until the tree is on show, against `xmllint --noout` on the
//   same file in the same run; the longest the UI thread went without handling its events
//   while the tree loaded; the memory the tree holds (resident size before and after);
// - the raw view: from show() until its first pieces are painted (the 50 ms pause
//   included);
// - expanding an element with 10,000 children: from the toggle's deferred step until the
//   rows are painted.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "invoicegenerator.h"
#include "xmlview/treerows.h"
#include "xmlview/views/asynchighlightedxmlview.h"
#include "xmlview/views/xmltreemodel.h"
#include "xmlview/views/xmltreeview.h"
#include "xmlview/xmltreeparser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace vellora::xmlview;
using namespace vellora::xmlview::views;

namespace {

long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the event loop until `done` holds; returns the time taken and, in `longestGapMs`, the
// longest gap between two ticks of a 5 ms timer meanwhile, that is how long the UI thread
// was kept from its events. The loop sleeps between events, leaving the CPU to the worker.
template <typename Done>
double runUntil(Done done, double &longestGapMs)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.elapsed();
    longestGapMs = 0;
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestGapMs = std::max(longestGapMs, double(now - last));
        last = now;
        if (done()) {
            loop.quit();
        }
    });
    tick.start();
    if (!done()) {
        loop.exec();
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

double xmllintMs(const QString &file)
{
    QElapsedTimer clock;
    clock.start();
    QProcess::execute(QStringLiteral("xmllint"), {QStringLiteral("--noout"), file});
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 10'000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;

    const std::string invoice = vellora::bench::generateInvoice(std::size_t(lines));
    QTemporaryDir directory;
    const QString file = directory.filePath(QStringLiteral("invoice.xml"));
    std::ofstream(file.toStdString(), std::ios::binary) << invoice;
    std::printf("invoice: %d lines, %.1f MB\n", lines, double(invoice.size()) / 1e6);

    // The tree against xmllint, taking turns.
    std::vector<double> treeMs, lintMs, parseMs, rowsMs, gaps;
    long treeKilobytes = 0;
    std::size_t nodes = 0, rows = 0;
    auto text = std::make_shared<const std::string>(invoice);
    for (int run = 0; run < runs; ++run) {
        lintMs.push_back(xmllintMs(file));
        {
            QElapsedTimer clock;
            clock.start();
            XMLTreeParser parser;
            auto result = parser.parse(invoice);
            parseMs.push_back(double(clock.nsecsElapsed()) / 1e6);
            if (!std::holds_alternative<XMLNode>(result)) {
                std::fprintf(stderr, "the invoice did not parse\n");
                return 1;
            }
            clock.restart();
            XMLTreeRows visible(
                std::make_shared<const XMLNode>(std::get<XMLNode>(std::move(result))));
            rowsMs.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
        const long before = residentKilobytes();
        auto view = std::make_unique<XMLTreeView>(text);
        view->resize(1000, 800);
        bool finished = false;
        QObject::connect(view.get(), &XMLTreeView::loadFinished, [&] { finished = true; });
        view->show(); // starts the load
        double gap = 0;
        treeMs.push_back(runUntil([&] { return finished; }, gap));
        view->repaint();
        gaps.push_back(gap);
        if (view->content() != XMLTreeView::Content::tree) {
            std::fprintf(stderr, "no tree\n");
            return 1;
        }
        treeKilobytes = residentKilobytes() - before;
        nodes = view->rows()->nodeCount();
        rows = view->rows()->rows().size();
        view.reset();
        // Let the worker free the tree before the next run.
        QThreadPool::globalInstance()->waitForDone();
    }
    std::printf("tree ready (loadXML to tree on show), median of %d: %.0f ms\n", runs,
                median(treeMs));
    std::printf(
        "  XMLTreeParser::parse alone: %.0f ms; the rows of the default expansion: %.0f ms\n",
        median(parseMs), median(rowsMs));
    std::printf("xmllint --noout, same file, same runs: %.0f ms\n", median(lintMs));
    std::printf("ratio tree / xmllint: %.2f\n", median(treeMs) / median(lintMs));
    std::printf("longest UI-thread stall while loading: %.0f ms (worst run)\n",
                *std::max_element(gaps.begin(), gaps.end()));
    std::printf("tree: %zu nodes, %zu rows on show; resident memory added: %.0f MB\n", nodes, rows,
                double(treeKilobytes) / 1024);

    // Raw view: show() until the first pieces are painted.
    std::vector<double> rawMs, rawGaps;
    for (int run = 0; run < runs; ++run) {
        AsyncHighlightedXMLView view(invoice);
        view.resize(1000, 800);
        bool prepared = false;
        QObject::connect(&view, &AsyncHighlightedXMLView::textPrepared, [&] { prepared = true; });
        QElapsedTimer clock;
        clock.start();
        view.show();
        double gap = 0;
        runUntil([&] { return prepared; }, gap);
        rawGaps.push_back(gap);
        view.repaint();
        rawMs.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (view.displayedChunks() == 0) {
            std::fprintf(stderr, "no pieces shown\n");
            return 1;
        }
    }
    std::printf("raw view, show() to first pieces painted (50 ms pause included), median: "
                "%.0f ms\n",
                median(rawMs));
    std::printf("  longest UI-thread stall meanwhile (cutting the text runs there): %.0f ms\n",
                *std::max_element(rawGaps.begin(), rawGaps.end()));

    // Expanding 10,000 children.
    std::string wide = "<r><a><b><big>";
    for (int i = 0; i < 10'000; ++i) {
        wide += "<Item n=\"" + std::to_string(i) + "\">value</Item>";
    }
    wide += "</big></b></a></r>";
    std::vector<double> expandMs;
    for (int run = 0; run < runs; ++run) {
        XMLTreeView view(std::make_shared<const std::string>(wide));
        view.resize(1000, 800);
        bool finished = false;
        QObject::connect(&view, &XMLTreeView::loadFinished, [&] { finished = true; });
        view.show();
        double gap = 0;
        runUntil([&] { return finished; }, gap);
        QElapsedTimer clock;
        clock.start();
        view.model()->expand(3); // the step the deferred toggle runs
        view.rowsView()->scrollToBottom();
        view.repaint();
        QCoreApplication::processEvents();
        expandMs.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (view.model()->rowCount() != 10'004) {
            std::fprintf(stderr, "expansion failed\n");
            return 1;
        }
    }
    std::printf("expanding 10,000 children, rows painted and scrolled to the end, median: "
                "%.1f ms\n",
                median(expandMs));
    return 0;
}
