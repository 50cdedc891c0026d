// SPDX-License-Identifier: MIT
// Fuzzes the split of a text into the raw view's pieces: every piece is whole UTF-8 of at
// most the size asked for (unless one character is longer), and together they are the text.
#include "model/text.h"
#include "xmlview/textchunks.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1) {
        return 0;
    }
    // The first byte chooses the piece size.
    const std::size_t pieceSize = std::size_t{data[0]} + 1;
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);
    // Only a document's text, checked to be UTF-8, is ever split.
    if (vellora::model::firstInvalidUtf8Offset(text)) {
        return 0;
    }
    const std::vector<std::string> pieces = vellora::xmlview::splitIntoChunks(text, pieceSize);
    std::string joined;
    for (const std::string &piece : pieces) {
        if (piece.empty()) {
            std::abort();
        }
        joined += piece;
    }
    if (joined != text) {
        std::abort();
    }
    return 0;
}
