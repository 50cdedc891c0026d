// SPDX-License-Identifier: MIT
// JsonWriter must lay text out byte for byte as nlohmann's dump(2) did before it.
#include "cli/jsonwriter.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>
#include <string>

namespace {

using Json = nlohmann::ordered_json;
using vellora::cli::JsonWriter;

// Writes `value` through the writer, container by container.
void replay(JsonWriter &out, const Json &value)
{
    if (value.is_object()) {
        out.beginObject();
        for (const auto &[key, item] : value.items()) {
            out.key(key);
            replay(out, item);
        }
        out.endObject();
    } else if (value.is_array()) {
        out.beginArray();
        for (const Json &item : value) {
            replay(out, item);
        }
        out.endArray();
    } else if (value.is_null()) {
        out.null();
    } else if (value.is_boolean()) {
        out.boolean(value.get<bool>());
    } else if (value.is_number_integer()) {
        out.integer(value.get<std::int64_t>());
    } else {
        out.string(value.get_ref<const std::string &>());
    }
}

std::string dumped(const Json &value)
{
    return value.dump(2, ' ', false, Json::error_handler_t::replace);
}

struct LayoutCase
{
    const char *name;
    Json value;
};

const LayoutCase layoutCases[] = {
    {"empty_object", Json::object()},
    {"empty_array", Json::array()},
    {"scalars_in_order",
     Json{{"z", nullptr}, {"a", true}, {"m", false}, {"n", -42}, {"big", 9007199254740993LL}}},
    {"nested_empty_containers", Json{{"list", Json::array()},
                                     {"record", Json::object()},
                                     {"x", Json::array({Json::object()})}}},
    {"nested_records",
     Json{{"lines", Json::array({Json{{"id", "1"}, {"item", Json{{"name", "Pen"}}}},
                                 Json{{"id", "2"}, {"item", nullptr}}})}}},
    {"array_of_scalars", Json::array({1, "two", nullptr, false})},
    {"escapes", Json{{"quote\"key", "a\"b\\c/d\b\f\n\r\t"}}},
    {"control_characters", Json::array({std::string("\x01\x1f\x7f", 3), std::string("\0x", 2)})},
    {"non_ascii_as_is", Json{{"name", "M\xc3\xbcller \xe2\x82\xac \xf0\x9f\x98\x80"}}},
    {"invalid_utf8_replaced",
     Json::array({std::string("ok\xff"), std::string("\xc3("), std::string("\xe2\x82")})},
};

class Layout : public testing::TestWithParam<LayoutCase>
{};

TEST_P(Layout, MatchesNlohmannDump)
{
    JsonWriter out;
    replay(out, GetParam().value);
    EXPECT_EQ(out.text(), dumped(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(JsonWriter, Layout, testing::ValuesIn(layoutCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Through a FILE the text goes out in pieces; what arrives is the same text.
TEST(JsonWriter, WritesLargeOutputToAFileInPieces)
{
    Json value = Json::array();
    for (int i = 0; i < 5000; ++i) {
        value.push_back(Json{{"id", std::to_string(i)}, {"note", "line\nbreak \"quoted\""}});
    }
    // One text of several chunks (an attachment's Base64), with escapes and multi-byte
    // characters falling on every kind of boundary.
    std::string longText;
    while (longText.size() < 300 * 1024) {
        longText += "QUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVo=\r\n\"\\\x01 M\xc3\xbcller \xe2\x82\xac";
    }
    value.push_back(Json{{"embeddedData", longText}});
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::tmpfile(), &std::fclose);
    ASSERT_TRUE(file);
    {
        JsonWriter out(file.get());
        replay(out, value);
        EXPECT_LT(out.text().size(), 80u * 1024) << "the text is held instead of written";
        EXPECT_TRUE(out.flush());
    }
    std::rewind(file.get());
    std::string written;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        written.append(buffer, n);
    }
    EXPECT_EQ(written, dumped(value));
}

// A write the FILE refuses is reported, not passed over.
TEST(JsonWriter, ReportsAFailedWrite)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> full(std::fopen("/dev/full", "w"),
                                                          &std::fclose);
    if (!full) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    std::setvbuf(full.get(), nullptr, _IONBF, 0);
    JsonWriter out(full.get());
    out.string("text");
    EXPECT_FALSE(out.flush());
}

} // namespace
