// SPDX-License-Identifier: MIT
#include "model/text.h"

#include "support/scopedlocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>

namespace vm = vellora::model;

namespace {

struct TrimCase
{
    const char *name;
    std::string text;
    std::string expected;
};

const TrimCase trimCases[] = {
    {"ascii_blanks", "  a b  ", "a b"},
    {"tabs_and_line_breaks", "\t\r\n\v\fvalue\n\r", "value"},
    {"next_line_u0085", "\xc2\x85x\xc2\x85", "x"},
    {"no_break_space_zs", "\xc2\xa0x\xc2\xa0", "x"},
    {"ideographic_space_zs", "\xe3\x80\x80x", "x"},
    {"line_separator_zl", "\xe2\x80\xa8x", "x"},
    {"paragraph_separator_zp", "x\xe2\x80\xa9", "x"},
    {"zero_width_space_kept", "\xe2\x80\x8bx", "\xe2\x80\x8bx"},
    {"inner_kept", " a \n b ", "a \n b"},
    {"only_white", " \n\t ", ""},
    {"empty", "", ""},
    {"umlaut_untouched", " Müller ", "Müller"},
};

class Trim : public testing::TestWithParam<TrimCase>
{};

TEST_P(Trim, RemovesWhiteSpaceAndLineBreaksAtBothEnds)
{
    EXPECT_EQ(std::string(vm::trimmed(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(TrimmingSet, Trim, testing::ValuesIn(trimCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CharacterCount, CountsUserPerceivedCharacters)
{
    EXPECT_EQ(vm::characterCount(""), 0u);
    EXPECT_EQ(vm::characterCount("abcd"), 4u);
    EXPECT_EQ(vm::characterCount("a\r\nb"), 3u);         // CR LF is one
    EXPECT_EQ(vm::characterCount("a\n\rb"), 4u);         // LF CR is two
    EXPECT_EQ(vm::characterCount("Mu\xcc\x88ller"), 6u); // u + combining diaeresis
    EXPECT_EQ(vm::characterCount("\xf0\x9f\x87\xa9\xf0\x9f\x87\xaa"), 1u); // flag DE
    EXPECT_EQ(vm::characterCount("Stra\xc3\x9f"
                                 "e"),
              6u);
}

TEST(CharacterCount, LeadingCharactersCutsBetweenClusters)
{
    EXPECT_EQ(vm::leadingCharacters("abcdef", 3), "abc");
    EXPECT_EQ(vm::leadingCharacters("ab\r\ncd", 3), "ab\r\n");
    EXPECT_EQ(vm::leadingCharacters("Mu\xcc\x88ller", 2), "Mu\xcc\x88");
    EXPECT_EQ(vm::leadingCharacters("ab", 5), "ab");
    EXPECT_EQ(vm::leadingCharacters("ab", 0), "");
}

TEST(CaseMapping, IsFullAndLocaleIndependent)
{
    // The dotted and dotless i of Turkish must not leak in.
    const vellora::testing::ScopedLocale turkish("tr_TR.UTF-8");
    VELLORA_REQUIRE_LOCALE(turkish, "tr_TR.UTF-8");
    EXPECT_EQ(vm::upperCased("stra\xc3\x9f"
                             "e"),
              "STRASSE");
    EXPECT_EQ(vm::upperCased("caf\xc3\xa9"), "CAF\xc3\x89");
    EXPECT_EQ(vm::upperCased("invoice"), "INVOICE");
    EXPECT_EQ(vm::lowerCased("TRUE"), "true");
    EXPECT_EQ(vm::lowerCased("TITLE"), "title");
}

struct Utf8Case
{
    const char *name;
    std::string bytes;
    std::optional<std::size_t> firstInvalid;
};

const Utf8Case utf8Cases[] = {
    {"ascii", "plain <Invoice/>", std::nullopt},
    {"umlauts",
     "M\xc3\xbcller Stra\xc3\x9f"
     "e",
     std::nullopt},
    {"byte_order_mark", "\xef\xbb\xbf<a/>", std::nullopt},
    {"four_byte_emoji", "\xf0\x9f\x98\x80", std::nullopt},
    {"max_code_point", "\xf4\x8f\xbf\xbf", std::nullopt},
    {"latin1_umlaut", "M\xfcller", 1},
    {"overlong_slash", "a\xc0\xaf", 1},
    {"overlong_three_byte", "\xe0\x80\xaf", 0},
    {"surrogate_d800", "ab\xed\xa0\x80", 2},
    {"above_10ffff", "\xf4\x90\x80\x80", 0},
    {"f5_lead", "\xf5\x80\x80\x80", 0},
    {"truncated_at_end", "abc\xe2\x82", 3},
    {"truncated_before_ascii",
     "\xe2\x82"
     "a",
     0},
    {"lone_continuation", "a\x80", 1},
    {"utf16le_bom", "\xff\xfe<\0a\0", 0},
};

class Utf8 : public testing::TestWithParam<Utf8Case>
{};

TEST_P(Utf8, IsStrict)
{
    EXPECT_EQ(vm::firstInvalidUtf8Offset(GetParam().bytes), GetParam().firstInvalid);
}

INSTANTIATE_TEST_SUITE_P(Decoding, Utf8, testing::ValuesIn(utf8Cases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ForeignEncoding, RecognisesUtf16)
{
    using namespace std::string_literals;
    EXPECT_EQ(vm::guessForeignEncoding("\xff\xfe<\0?\0"s), "UTF-16");
    EXPECT_EQ(vm::guessForeignEncoding("\xfe\xff\0<\0?"s), "UTF-16");
    EXPECT_EQ(vm::guessForeignEncoding("<\0?\0x\0m\0l\0"s), "UTF-16");
    EXPECT_EQ(vm::guessForeignEncoding("\0<\0?\0x"s), "UTF-16");
    EXPECT_EQ(vm::guessForeignEncoding("<?xml version"), std::nullopt);
    EXPECT_EQ(vm::guessForeignEncoding("M\xfcller"), std::nullopt);
}

} // namespace
