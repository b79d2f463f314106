#include "base/Profile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ProfileStore, RoundTripsEveryKindOfValueThroughAFile)
{
    testsupport::TempDir dir;
    CProfileStore store;
    store.WriteString("Settings", "Name", "line one\nline two = [x] \\ end");
    store.WriteString("Odd [section]=", "key=with=equals", "");
    store.WriteInt("Settings", "MaxRows", -512);
    store.WriteBinary("Settings", "Flags", {0x00, 0x01, 0xFF});
    ASSERT_TRUE(store.Save(dir / "sub" / "app.ini"));

    CProfileStore loaded;
    ASSERT_TRUE(loaded.Load(dir / "sub" / "app.ini"));
    EXPECT_EQ(loaded.GetString("Settings", "Name"), "line one\nline two = [x] \\ end");
    EXPECT_EQ(loaded.GetString("Odd [section]=", "key=with=equals"), "");
    EXPECT_EQ(loaded.GetInt("Settings", "MaxRows"), -512);
    EXPECT_EQ(loaded.GetBinary("Settings", "Flags"), (std::vector<std::uint8_t>{0x00, 0x01, 0xFF}));
    EXPECT_EQ(loaded.GetInt("Settings", "Name"), std::nullopt) << "text that is no number is no number";
    EXPECT_EQ(loaded.GetString("Settings", "Missing"), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(dir / "sub" / "app.ini.tmp"));

    CProfileStore missing;
    EXPECT_FALSE(missing.Load(dir / "none.ini"));
    EXPECT_TRUE(missing.Empty());
}

TEST(ProfileStore, DamagedLinesAreSkippedAndTheRestKept)
{
    CProfileStore store;
    const std::size_t skipped = store.Parse("orphan=s:before any section\n"
                                            "[Good]\r\n"
                                            "a=s:kept\n"
                                            "b=i:12x\n"
                                            "c=b:0g\n"
                                            "d=q:unknown kind\n"
                                            "e=s:bad escape \\q\n"
                                            "f=s:cut escape \\x4\n"
                                            "no equals sign\n"
                                            "[Unclosed\n"
                                            "g=s:lost with its section\n"
                                            "[Good]\n"
                                            "h=i:7\n");
    EXPECT_EQ(skipped, 9u);
    ASSERT_EQ(store.Problems().size(), 9u);
    EXPECT_EQ(store.Problems()[0], "profile line 1: value outside a section");
    EXPECT_EQ(store.Problems()[1], "profile line 4: bad number");
    EXPECT_EQ(store.GetString("Good", "a"), "kept");
    EXPECT_EQ(store.GetInt("Good", "h"), 7);
    EXPECT_EQ(store.GetString("Good", "b"), std::nullopt);
}

} // namespace
