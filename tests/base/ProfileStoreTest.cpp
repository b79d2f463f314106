#include "base/Profile.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WatchedChild.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

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

// What cannot be read is kept: damaged lines go back into the file where they stood, and a
// file that is not read at all is never replaced.
TEST(ProfileStore, DamagedLinesAreWrittenBackAsTheyWere)
{
    testsupport::TempDir dir;
    const std::string text = "orphan=s:before any section\n"
                             "[Good]\n"
                             "a=s:kept\n"
                             "b=i:12x\n"
                             "[Unclosed\n"
                             "g=s:lost with its section\n";
    testsupport::WriteBytes(dir / "app.ini", std::vector<unsigned char>(text.begin(), text.end()));
    CProfileStore store;
    ASSERT_TRUE(store.Load(dir / "app.ini"));
    EXPECT_EQ(store.Problems().size(), 4u);
    store.WriteInt("Good", "c", 3);
    store.WriteString("New", "x", "y");
    ASSERT_TRUE(store.Save(dir / "app.ini"));
    const std::vector<unsigned char> saved = testsupport::ReadBytes(dir / "app.ini");
    EXPECT_EQ(std::string(saved.begin(), saved.end()), "orphan=s:before any section\n"
                                                      "[Good]\n"
                                                      "a=s:kept\n"
                                                      "c=i:3\n"
                                                      "b=i:12x\n"
                                                      "[Unclosed\n"
                                                      "g=s:lost with its section\n"
                                                      "[New]\n"
                                                      "x=s:y\n");
    CProfileStore again;
    ASSERT_TRUE(again.Load(dir / "app.ini"));
    EXPECT_EQ(again.Problems().size(), 4u) << "read again, the same lines are damaged and kept";
    EXPECT_EQ(again.GetInt("Good", "c"), 3);
}

TEST(ProfileStore, AFileThatCannotBeReadIsLeftAloneAndSaidSo)
{
    testsupport::TempDir dir;
    const std::vector<unsigned char> large((16u << 20) + 1, 'x');
    testsupport::WriteBytes(dir / "large.ini", large);
    ASSERT_EQ(mkfifo((dir / "fifo.ini").c_str(), 0600), 0);
    const testsupport::Outcome outcome = testsupport::RunWatched([&] {
        std::string report;
        for (const char* name : {"large.ini", "fifo.ini"}) {
            CProfileStore store;
            const bool loaded = store.Load(dir / name);
            store.WriteString("Recent File List", "File1", "/tmp/a.vtd");
            report += std::string(name) + (loaded ? " loaded" : " not loaded") +
                      (store.IsUnreadable() ? " unreadable" : "") + (store.Save(dir / name) ? " saved" : " kept") +
                      " " + (store.Problems().empty() ? "" : store.Problems()[0]) + "\n";
        }
        return report;
    });
    ASSERT_FALSE(outcome.tooSlow) << "a FIFO is not waited on";
    EXPECT_NE(outcome.report.find("large.ini not loaded unreadable kept " + (dir / "large.ini").string() +
                                  ": larger than"),
              std::string::npos)
        << outcome.report;
    EXPECT_NE(outcome.report.find("fifo.ini not loaded unreadable kept " + (dir / "fifo.ini").string() +
                                  ": not a regular file; not read, and left as it is"),
              std::string::npos)
        << outcome.report;
    EXPECT_EQ(testsupport::ReadBytes(dir / "large.ini").size(), large.size());

    // A folder where the file belongs is refused as a target too.
    std::filesystem::create_directory(dir / "folder.ini");
    CProfileStore store;
    EXPECT_FALSE(store.Load(dir / "folder.ini"));
    EXPECT_FALSE(store.Save(dir / "folder.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.ini"));
}

// The temporary file is made exclusively under a name of the writer's own: a link planted
// under the name the temporary file once had is neither followed nor replaced.
TEST(ProfileStore, APlantedLinkIsNotFollowed)
{
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir / "victim", {'v'});
    std::filesystem::create_symlink(dir / "victim", dir / "app.ini.tmp");
    CProfileStore store;
    store.WriteString("S", "k", "v");
    ASSERT_TRUE(store.Save(dir / "app.ini"));
    EXPECT_EQ(testsupport::ReadBytes(dir / "victim"), std::vector<unsigned char>{'v'});
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "app.ini.tmp"));
    EXPECT_EQ(std::filesystem::status(dir / "app.ini").permissions() & std::filesystem::perms::others_read,
              std::filesystem::perms::none)
        << "settings are the user's alone";
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 3u) << "no temporary file is left";
}

} // namespace
