// SPDX-License-Identifier: MIT
// Cutting a long source text into pieces the raw view shows a few at a time.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vellora::xmlview {

// Texts up to this many user-perceived characters are shown as one piece.
inline constexpr std::size_t singlePieceLimit = 50'000;
// Longer ones are cut into pieces of about this many characters.
inline constexpr std::size_t pieceSize = 5'000;
// Pieces shown at first, and how many more each time the last shown one comes into view.
inline constexpr std::size_t initialPieces = 10;
inline constexpr std::size_t piecesPerStep = 5;

// Cuts `text` into pieces of `size` user-perceived characters (CR LF is one), moving each cut
// back to just after the last line feed among the min(size / 10, 200) characters before it;
// without a line feed there the cut stays, inside the line. The pieces joined give `text`;
// an empty text gives no pieces.
std::vector<std::string> splitIntoChunks(std::string_view text, std::size_t size);

// The pieces the raw view shows for `text`: the whole text as one piece up to
// `singlePieceLimit` characters, else splitIntoChunks at `pieceSize`.
std::vector<std::string> prepareTextPieces(std::string_view text);

// How many pieces the chunked display shows once it comes on screen.
std::size_t firstDisplayedPieces(std::size_t displayed, std::size_t pieceCount);

// How many it shows after the piece at `visibleIndex` came into view: five more when that is
// the last one shown and more remain, else unchanged.
std::size_t displayedPiecesAfterReaching(std::size_t visibleIndex, std::size_t displayed,
                                         std::size_t pieceCount);

} // namespace vellora::xmlview
