#include "model/TextUtil.h"
#include "model/Trace.h"
#include "swf/SwfTrace.h"

#include <gtest/gtest.h>

TEST(TextUtil, FormatAndSmallHelpers)
{
    const struct {
        double value;
        int digits;
        const char* text;
    } cases[] = {{1.5, 6, "1.5"}, {100, 3, "100"}, {1234567, 3, "1.23e+06"}, {0.1, 15, "0.1"}, {-2, 1, "-2"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDouble(c.value, c.digits), c.text);
    }
    char buffer[4];
    EXPECT_STREQ(FormatDouble(3.14159, 6, buffer, sizeof buffer), "3.1");

    EXPECT_EQ(ClampDouble(0, 10, -1), 0);
    EXPECT_EQ(ClampDouble(0, 10, 11), 10);
    EXPECT_EQ(ClampDouble(0, 10, 5), 5);

    char out[16];
    EXPECT_STREQ(CopyWithoutBlanks("a b  c d", 6, out), "abc");
    EXPECT_STREQ(CopyWithoutBlanks("ab", 10, out), "ab");

    EXPECT_EQ(GetFileExtension("dir.v1/file.vgs"), "vgs");
    EXPECT_EQ(GetFileExtension("noext"), "");
    EXPECT_EQ(GetFileExtension("dir.v1/noext"), "");
    EXPECT_EQ(GetFileExtension("C:\\my.files\\picture"), "");
    EXPECT_EQ(GetFileExtension("C:\\my.files\\picture.JPG"), "JPG");
}

TEST(Trace, CutsMessagesTo510Characters)
{
    std::string seen;
    swf::SetTraceSink([&](std::string_view line) { seen = line; });
    std::string longText(2000, 'x');
    Trace("%s", longText.c_str());
    EXPECT_EQ(seen.size(), 510u);
    Trace("value %d", 7);
    EXPECT_EQ(seen, "value 7");
    swf::ResetTraceSink();
}
