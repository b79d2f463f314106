#include "sheet/MessageText.h"

#include <gtest/gtest.h>

TEST(MessageText, EscapesControlsAndCutsWholeCharacters)
{
    struct Case {
        const char* text;
        std::size_t maxChars;
        const char* shown;
    };
    const Case cases[] = {
        {"plain", 64, "plain"},
        {"\x1b[31mred", 64, "\\x1B[31mred"},
        {"tab\there\r\n", 64, "tab\\x09here\\x0D\\x0A"},
        {"del\x7f", 64, "del\\x7F"},
        // C1 controls are two bytes in UTF-8 and act on terminals all the same.
        {"csi\xc2\x9b"
         "2J",
         64, "csi\\u009B2J"},
        {"caf\xc3\xa9", 64, "caf\xc3\xa9"},
        {"abcdef", 3, "abc..."},
        {"abc", 3, "abc"},
        // Cut after whole characters, never inside one.
        {"\xc3\xa9\xc3\xa9\xc3\xa9", 2, "\xc3\xa9\xc3\xa9..."},
        {"\xe2\x82\xac\xe2\x82\xac", 1, "\xe2\x82\xac..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sheet::PrintableText(c.text, c.maxChars), c.shown) << c.text;
    EXPECT_EQ(sheet::QuotedText(std::string(100, 'x'), 2), "\"xx...\"");
}
