// SPDX-License-Identifier: MIT
#include "xmlview/textchunks.h"

#include "model/text.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace vx = vellora::xmlview;

namespace {

std::string joined(const std::vector<std::string> &pieces)
{
    return std::accumulate(pieces.begin(), pieces.end(), std::string());
}

std::string linesOf(std::size_t lineLength, std::size_t count)
{
    std::string line(lineLength - 1, 'a');
    line += '\n';
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += line;
    }
    return text;
}

struct SplitCase
{
    const char *name;
    std::string text;
    std::size_t size;
    std::vector<std::size_t> pieceLengths; // in bytes (all ASCII but where noted)
};

const SplitCase splitCases[] = {
    {"empty_gives_nothing", "", 5000, {}},
    {"shorter_than_size_one_piece", "abc\ndef", 5000, {7}},
    {"sixty_thousand_without_line_feeds", std::string(60'000, 'x'), 5000,
     std::vector<std::size_t>(12, 5000)},
    {"fifty_thousand_and_one",
     std::string(50'001, 'x'),
     5000,
     {5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000, 1}},
    // 100-character lines: the 5,000 mark falls on a line end, the cut stays there.
    {"hundred_character_lines", linesOf(100, 120), 5000, {5000, 5000, 2000}},
    // 201-character lines: the last line feed before the mark lies 177 characters back,
    // inside the window; the cut moves just after it.
    {"line_feed_in_window_used", linesOf(201, 30), 5000, {4824, 1206}},
    // The window is the 200 characters before the mark: a line feed at its first character
    // is used, one a character earlier is not.
    {"line_feed_at_window_start_used",
     std::string(4800, 'a') + "\n" + std::string(1000, 'b'),
     5000,
     {4801, 1000}},
    {"line_feed_before_window_ignored",
     std::string(4799, 'a') + "\n" + std::string(1200, 'b'),
     5000,
     {5000, 1000}},
    // Window is size / 10 for small sizes: 4 characters for 40.
    {"small_size_window_used", std::string(37, 'a') + "\n" + std::string(39, 'b'), 40, {38, 39}},
    {"small_size_window_missed", std::string(35, 'a') + "\n" + std::string(39, 'b'), 40, {40, 35}},
    // Plain ASCII pieces and pieces with longer characters side by side: "é" is two bytes.
    {"ascii_then_two_byte_character",
     std::string(5000, 'a') + "\xc3\xa9" + std::string(5000, 'b'),
     5000,
     {5000, 5001, 1}},
    // CR LF counts as one character and ends a line like a line feed.
    {"crlf_is_one_character_and_a_line_end",
     [] {
         std::string text;
         for (int i = 0; i < 100; ++i) {
             text += std::string(98, 'a') + "\r\n";
         }
         return text;
     }(),
     5000,
     {5000, 5000}},
};

class SplitIntoChunks : public testing::TestWithParam<SplitCase>
{};

TEST_P(SplitIntoChunks, CutsAtLineEndsNearTheMark)
{
    const auto pieces = vx::splitIntoChunks(GetParam().text, GetParam().size);
    std::vector<std::size_t> lengths;
    for (const auto &piece : pieces) {
        lengths.push_back(piece.size());
    }
    EXPECT_EQ(lengths, GetParam().pieceLengths);
    EXPECT_EQ(joined(pieces), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Texts, SplitIntoChunks, testing::ValuesIn(splitCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SplitIntoChunksProperties, HundredCharacterLinesEndEveryPieceAfterALineFeed)
{
    const std::string text = linesOf(100, 1234) + "tail";
    const auto pieces = vx::splitIntoChunks(text, 5000);
    ASSERT_GT(pieces.size(), 20u);
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
        EXPECT_EQ(pieces[i].back(), '\n') << i;
        EXPECT_LE(pieces[i].size(), 5000u) << i;
    }
    EXPECT_EQ(joined(pieces), text);
}

TEST(SplitIntoChunksProperties, CountsUserPerceivedCharactersNotBytes)
{
    // "é" as e + combining acute: two code points, three bytes, one character.
    std::string text;
    for (int i = 0; i < 12; ++i) {
        text += "e\xcc\x81";
    }
    const auto pieces = vx::splitIntoChunks(text, 5);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(vellora::model::characterCount(pieces[0]), 5u);
    EXPECT_EQ(pieces[0].size(), 15u); // never between the e and its accent
    EXPECT_EQ(vellora::model::characterCount(pieces[2]), 2u);
    EXPECT_EQ(joined(pieces), text);
}

TEST(SplitIntoChunksProperties, AsciiFollowedByACombiningMarkStaysTogether)
{
    // The mark falls between "x" and its accent: the cut goes after the whole character.
    const std::string text = "abcdx\xcc\x81z";
    const auto pieces = vx::splitIntoChunks(text, 5);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], "abcdx\xcc\x81");
    EXPECT_EQ(pieces[1], "z");
}

struct PrepareCase
{
    const char *name;
    std::size_t characters;
    std::size_t expectedPieces;
};

const PrepareCase prepareCases[] = {
    {"one_character", 1, 1},
    {"exactly_fifty_thousand", 50'000, 1},
    {"fifty_thousand_and_one", 50'001, 11},
    {"sixty_thousand", 60'000, 12},
};

class PrepareTextPieces : public testing::TestWithParam<PrepareCase>
{};

TEST_P(PrepareTextPieces, OnePieceUpToFiftyThousandCharacters)
{
    const std::string text(GetParam().characters, 'x');
    const auto pieces = vx::prepareTextPieces(text);
    EXPECT_EQ(pieces.size(), GetParam().expectedPieces);
    EXPECT_EQ(joined(pieces), text);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PrepareTextPieces, testing::ValuesIn(prepareCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PrepareTextPiecesCounts, CharactersNotBytes)
{
    // 50,000 characters in 100,000 bytes is still one piece.
    std::string text;
    for (int i = 0; i < 50'000; ++i) {
        text += "\xc3\xbc";
    }
    EXPECT_EQ(vx::prepareTextPieces(text).size(), 1u);
}

// Reaching the last shown piece each time: the display grows by five, capped at the count.
std::vector<std::size_t> growth(std::size_t pieceCount)
{
    std::vector<std::size_t> steps;
    std::size_t displayed = vx::firstDisplayedPieces(0, pieceCount);
    steps.push_back(displayed);
    while (true) {
        const std::size_t next =
            vx::displayedPiecesAfterReaching(displayed - 1, displayed, pieceCount);
        if (next == displayed) {
            return steps;
        }
        displayed = next;
        steps.push_back(displayed);
    }
}

TEST(ChunkedDisplay, GrowsByFiveFromTen)
{
    EXPECT_EQ(growth(23), (std::vector<std::size_t>{10, 15, 20, 23}));
    EXPECT_EQ(growth(11), (std::vector<std::size_t>{10, 11}));
    EXPECT_EQ(growth(25), (std::vector<std::size_t>{10, 15, 20, 25}));
}

TEST(ChunkedDisplay, OnlyTheLastShownPieceGrowsIt)
{
    EXPECT_EQ(vx::displayedPiecesAfterReaching(8, 10, 23), 10u);  // not the last shown
    EXPECT_EQ(vx::displayedPiecesAfterReaching(10, 10, 23), 10u); // not shown at all
    EXPECT_EQ(vx::displayedPiecesAfterReaching(22, 23, 23), 23u); // all shown already
    EXPECT_EQ(vx::displayedPiecesAfterReaching(0, 0, 23), 0u);    // nothing shown yet
    EXPECT_EQ(vx::firstDisplayedPieces(15, 23), 15u);             // kept when already shown
    EXPECT_EQ(vx::firstDisplayedPieces(0, 3), 3u);
}

} // namespace
