// SPDX-License-Identifier: MIT
// Times the inspector's lines tab on a generated invoice: showing the tab (from the click to
// the first painted frame) and scrolling it from top to bottom one step at a time, painting
// every step.
//
//   bench_linestab [LINES] [RUNS]      (default 10000 lines, 5 runs; QT_QPA_PLATFORM=offscreen)
#include "inspector/views/inspectorlinesview.h"
#include "inspector/views/inspectorpanel.h"
#include "invoicegenerator.h"
#include "parser/ublparser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <vector>

using vellora::inspector::InspectorTab;
using vellora::inspector::views::InspectorLinesView;
using vellora::inspector::views::InspectorPanel;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const std::size_t lines = argc > 1 ? std::stoul(argv[1]) : 10000;
    const int runs = argc > 2 ? std::stoi(argv[2]) : 5;

    const auto result = vellora::parser::UBLParser().parse(vellora::bench::generateInvoice(lines));
    if (!result.documentInfo() || result.documentInfo()->invoiceLines.size() != lines) {
        std::fprintf(stderr, "the generated invoice did not give %zu lines\n", lines);
        return 1;
    }

    std::vector<double> showMs;
    std::vector<double> scrollMs;
    std::vector<double> frameMs;
    int steps = 0;
    for (int run = 0; run < runs; ++run) {
        InspectorPanel panel(*result.documentInfo());
        panel.resize(300, 800);
        panel.show();
        QApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        panel.setSelectedTab(InspectorTab::lines);
        QApplication::processEvents();
        panel.repaint();
        showMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);

        auto *view = qobject_cast<InspectorLinesView *>(panel.content());
        if (!view || !view->listView()) {
            std::fprintf(stderr, "the lines tab shows no list\n");
            return 1;
        }
        QScrollBar *bar = view->listView()->verticalScrollBar();
        // One wheel notch per step: three rows' worth of pixels, as a mouse wheel scrolls.
        const int step = std::max(1, bar->singleStep() * 3);
        steps = 0;
        timer.restart();
        while (bar->value() < bar->maximum()) {
            bar->setValue(bar->value() + step);
            view->listView()->viewport()->repaint();
            ++steps;
        }
        const double total = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        scrollMs.push_back(total);
        frameMs.push_back(total / std::max(1, steps));
        const QModelIndex last = view->listView()->indexAt(
            QPoint(10, view->listView()->viewport()->height() - 12));
        if (last.row() != static_cast<int>(lines)) {
            std::fprintf(stderr, "the scroll did not end at the last line (row %d)\n", last.row());
            return 1;
        }
    }
    std::printf("lines tab of a %zu-line invoice, median of %d runs\n", lines, runs);
    std::printf("  show tab (click to first frame): %8.1f ms\n", median(showMs));
    std::printf("  scroll top to bottom:            %8.1f ms in %d steps\n", median(scrollMs),
                steps);
    std::printf("  per step (scroll and repaint):   %8.3f ms\n", median(frameMs));
    return 0;
}
