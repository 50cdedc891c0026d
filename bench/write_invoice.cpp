// SPDX-License-Identifier: MIT
// write-bench-invoice LINES [ATTACHMENT_BYTES] > FILE: writes the benchmarks' generated
// invoice to standard output, so that command-line tools can be timed on the same text.
#include "invoicegenerator.h"

#include <charconv>
#include <cstring>
#include <iostream>
#include <string_view>

namespace {

bool readCount(std::string_view text, std::size_t &out)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

int main(int argc, char **argv)
{
    std::size_t lines = 0;
    std::size_t attachmentBytes = 0;
    if (argc < 2 || argc > 3 || !readCount(argv[1], lines) ||
        (argc == 3 && !readCount(argv[2], attachmentBytes))) {
        std::cerr << "usage: write-bench-invoice LINES [ATTACHMENT_BYTES]\n";
        return 64;
    }
    std::cout << vellora::bench::generateInvoice(lines, attachmentBytes);
    return std::cout.good() ? 0 : 1;
}
