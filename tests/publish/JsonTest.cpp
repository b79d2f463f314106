#include "publish/Json.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Json, ReadsEveryKindInOrder)
{
    json::Error error;
    auto value = json::Parse(R"( {"b": [1, -2.5e2, 0.125], "a": {"t": true, "f": false, "n": null},
                                  "s": "x\"\\\/\b\f\n\r\tq\u00e9\ud83d\ude00\u20AC", "z": []} )",
                             &error);
    ASSERT_TRUE(value) << error.ToString();
    ASSERT_EQ(value->kind, json::Kind::Object);
    ASSERT_EQ(value->members.size(), 4u);
    EXPECT_EQ(value->members[0].key, "b"); // the order written, not sorted
    const json::Value* numbers = value->Find("b");
    ASSERT_EQ(numbers->items.size(), 3u);
    EXPECT_EQ(numbers->items[1].number, -250);
    EXPECT_EQ(numbers->items[2].number, 0.125);
    EXPECT_TRUE(value->Find("a")->Find("t")->boolean);
    EXPECT_EQ(value->Find("a")->Find("f")->kind, json::Kind::Boolean);
    EXPECT_TRUE(value->Find("a")->Find("n")->IsNull());
    EXPECT_EQ(value->Find("s")->text, "x\"\\/\b\f\n\r\tq\xC3\xA9\xF0\x9F\x98\x80\xE2\x82\xAC");
    EXPECT_EQ(value->Find("z")->kind, json::Kind::Array);
    EXPECT_EQ(value->Find("missing"), nullptr);
    EXPECT_EQ(numbers->Find("b"), nullptr);
}

TEST(Json, RefusesWhatTheStandardDoesNotAllow)
{
    const char* bad[] = {
        "",
        "  ",
        "{",
        "[1,]",
        "{\"a\":1,}",
        "[1 2]",
        "{'a':1}",
        "{a:1}",
        "// c\n1",
        "NaN",
        "Infinity",
        "-",
        "01",
        "1.",
        ".5",
        "1e",
        "+1",
        "0x10",
        "tru",
        "nul",
        "\"abc",
        "\"a\nb\"",
        "\"\\x\"",
        "\"\\u12\"",
        "\"\\ud800\"",
        "\"\\udc00\"",
        "\"\\ud800\\u0041\"",
        "\"\xC0\x80\"",
        "\"\xED\xA0\x80\"",
        "\"\xF4\x90\x80\x80\"",
        "\"\xE2\x82\"",
        "\"\x80\"",
        "1e999",
        "[1] x",
        "{\"a\":1,\"a\":2}",
        "{\"a\" 1}",
        "[\"a\":1]",
    };
    for (const char* text : bad) {
        json::Error error;
        EXPECT_FALSE(json::Parse(text, &error)) << text;
        EXPECT_FALSE(error.message.empty()) << text;
    }
    // A NUL byte is a control character inside a string and text after the value outside it.
    EXPECT_FALSE(json::Parse(std::string("\"a\0b\"", 5)));
    EXPECT_FALSE(json::Parse(std::string("1\0", 2)));
}

TEST(Json, ErrorsSayWhere)
{
    json::Error error;
    ASSERT_FALSE(json::Parse("{\n  \"a\": 1,\n  \"a\": 2\n}", &error));
    EXPECT_EQ(error.line, 3u);
    EXPECT_EQ(error.column, 3u);
    EXPECT_EQ(error.ToString(), "line 3, column 3: a key appears twice in one object");
}

TEST(Json, NestingAndSizeAreBounded)
{
    const std::string deep = std::string(64, '[') + std::string(64, ']');
    EXPECT_TRUE(json::Parse(deep));
    const std::string deeper = std::string(65, '[') + std::string(65, ']');
    json::Error error;
    EXPECT_FALSE(json::Parse(deeper, &error));
    EXPECT_EQ(error.message, "objects and arrays nest too deeply");
    // Far past the limit stays an error rather than a stack overflow.
    EXPECT_FALSE(json::Parse(std::string(100000, '[')));

    json::Limits small;
    small.maxSize = 4;
    EXPECT_TRUE(json::Parse("1234", nullptr, small));
    EXPECT_FALSE(json::Parse("12345", nullptr, small));
}

} // namespace
