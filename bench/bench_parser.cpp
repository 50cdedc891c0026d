// SPDX-License-Identifier: MIT
// How long UBLParser::parse takes on generated invoices of growing size.
#include "invoicegenerator.h"

#include "parser/ublparser.h"

#include <benchmark/benchmark.h>

namespace {

void parseInvoice(benchmark::State &state)
{
    const std::string xml = vellora::bench::generateInvoice(static_cast<std::size_t>(state.range(0)));
    const vellora::parser::UBLParser parser;
    for (auto _ : state) {
        auto result = parser.parse(xml);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * xml.size()));
    state.counters["lines"] = static_cast<double>(state.range(0));
}

BENCHMARK(parseInvoice)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void parseInvoiceWithAttachment(benchmark::State &state)
{
    const std::string xml = vellora::bench::generateInvoice(
        10, static_cast<std::size_t>(state.range(0)) * 1000 * 1000);
    const vellora::parser::UBLParser parser;
    for (auto _ : state) {
        auto result = parser.parse(xml);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * xml.size()));
}

BENCHMARK(parseInvoiceWithAttachment)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
