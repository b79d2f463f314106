#include "platform/controls/PagePlayer.h"

#include <gtest/gtest.h>

namespace {

// The helper's lines carry movie texts of any kind: what goes out comes back the same.
TEST(PagePlayerLines, TextsSurviveTheRoundTripAndBrokenLinesAreRefused)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"set", "_root.obj0.title", ""},
        {"set", "_root.a", "a\rb\nc\t\"q\"\\"},
        {"set", "_root.b", std::string("\x01\x1f", 2)},
        {"fscommand", "UpdateComp", "Chart_1 220 520 20 219"},
        {"set", "_root.c", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
    };
    for (const auto& texts : cases) {
        std::vector<std::string> back;
        const std::string line = player::EncodeLine(texts);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        ASSERT_TRUE(player::DecodeLine(line, back)) << line;
        EXPECT_EQ(back, texts) << line;
    }
    std::vector<std::string> texts;
    ASSERT_TRUE(player::DecodeLine(R"( ["a\u00e9\ud83d\ude00", "x\/y"] )", texts));
    EXPECT_EQ(texts, (std::vector<std::string>{"a\xC3\xA9\xF0\x9F\x98\x80", "x/y"}));
    for (const char* broken : {"", "[", "[\"a\"", "[\"a\",]", "[\"a\" \"b\"]", "[1]", "[\"\\u12\"]", "[\"a\"] x",
                               "{\"a\":1}", "[\"\\q\"]"})
        EXPECT_FALSE(player::DecodeLine(broken, texts)) << broken;
}

// A helper that cannot start leaves a player that reports it and does nothing.
TEST(PagePlayerLines, AHelperThatIsNotThereEndsTheConnection)
{
    CPagePlayer player({"/nonexistent/vantorel-player-helper"});
    player.SetVariable("_root.a", "1");
    EXPECT_FALSE(player.Sync(2000));
    EXPECT_FALSE(player.IsRunning());
}

} // namespace
