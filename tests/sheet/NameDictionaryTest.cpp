#include "sheet/cells/NameDictionary.h"
#include "sheet/AsciiCase.h"

#include <gtest/gtest.h>

using namespace sheet;

namespace {

TEST(NameDictionaryTest, FindsRegardlessOfCaseAndKeepsTheLastSpelling)
{
    NameDictionary names;
    names.Set("Rate", "Inputs!$B$1");
    names.Set("costs", "Inputs!$B$2");
    names.Set("RATE", "Inputs!$C$1"); // the same name respelled replaces the first
    EXPECT_EQ(names.Find("rate").value_or(""), "Inputs!$C$1");
    EXPECT_EQ(names.Find("Costs").value_or(""), "Inputs!$B$2");
    EXPECT_FALSE(names.Find("Rates").has_value());
    using Entries = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(names.List(), (Entries{{"costs", "Inputs!$B$2"}, {"RATE", "Inputs!$C$1"}}));
    names.Clear();
    EXPECT_TRUE(names.List().empty());
}

TEST(NameDictionaryTest, OnlyAsciiLettersFold)
{
    // Bytes of UTF-8 characters must come through unchanged: folding them one by one would
    // corrupt the text.
    EXPECT_EQ(UpperAscii("umsatz_\xC3\xA4z1"), "UMSATZ_\xC3\xA4Z1");
    EXPECT_TRUE(EqualNoCaseAscii("Sheet1", "SHEET1"));
    EXPECT_FALSE(EqualNoCaseAscii("\xC3\xA4", "\xC3\x84"));
    EXPECT_FALSE(EqualNoCaseAscii("Sheet1", "Sheet"));
}

} // namespace
