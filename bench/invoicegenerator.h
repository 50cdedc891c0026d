// SPDX-License-Identifier: MIT
// Writes realistic UBL invoices of any size in memory, for the benchmarks.
#pragma once

#include <cstddef>
#include <string>

namespace vellora::bench {

// An invoice with parties, totals and payment data and `lines` invoice lines, each with an
// item, a price, a classified tax category and an additional property. With
// `attachmentBytes` > 0 it embeds a PDF-like attachment of that many bytes as Base64.
std::string generateInvoice(std::size_t lines, std::size_t attachmentBytes = 0);

} // namespace vellora::bench
