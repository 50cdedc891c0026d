// SPDX-License-Identifier: MIT
// How long UBLParser::parse takes on generated invoices of growing size.
#include "invoicegenerator.h"
#include "parser/ublparser.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Parses `xml` once per iteration. A benchmark whose parse does not give the expected model
// reports an error instead of a time: a fast failure is no result.
void runParse(benchmark::State &state, const std::string &xml, std::size_t lines,
              std::size_t attachments)
{
    const vellora::parser::UBLParser parser;
    {
        const auto result = parser.parse(xml);
        const auto *info = result.documentInfo();
        if (!info || info->invoiceLines.size() != lines ||
            info->attachments.size() != attachments || !info->supplierParty ||
            !info->monetaryTotal) {
            state.SkipWithError("the generated invoice did not parse into the expected model");
            return;
        }
    }
    for (auto _ : state) {
        auto result = parser.parse(xml);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * xml.size()));
}

// 10, 100, 1,000 and 10,000 lines, each with an item, a price, a classified tax category
// and an additional property. The fitted complexity shows whether the cost grows linearly.
void parseInvoice(benchmark::State &state)
{
    const auto lines = static_cast<std::size_t>(state.range(0));
    runParse(state, vellora::bench::generateInvoice(lines), lines, 0);
    state.SetComplexityN(state.range(0));
    state.counters["lines"] = static_cast<double>(lines);
}

BENCHMARK(parseInvoice)
    ->RangeMultiplier(10)
    ->Range(10, 10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Ten lines and one embedded PDF of state.range(0) MB (Base64 in MIME lines of 76).
void parseInvoiceWithAttachment(benchmark::State &state)
{
    runParse(
        state,
        vellora::bench::generateInvoice(10, static_cast<std::size_t>(state.range(0)) * 1000 * 1000),
        10, 1);
}

BENCHMARK(parseInvoiceWithAttachment)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
