#include "model/FileBytes.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

const std::vector<std::uint8_t> kData = {'d', 'a', 't', 'a'};

bool Stage(model::CFileBatch& batch, const fs::path& target, std::string& reason)
{
    return batch.Stage(target, kData.data(), kData.size(), reason);
}

// Files written together are named from one another (the sample data file from the movie's
// name): none may land on an input or on another of the batch, under any of its names.
TEST(FileBatch, AnInputOrATargetStagedBeforeIsRefusedUnderAnyName)
{
    testsupport::TempDir dir;
    const std::vector<unsigned char> document = {'d', 'o', 'c'};
    testsupport::WriteBytes(dir / "m4.xml", document);
    fs::create_directory_symlink(dir.path(), dir / "again");
    {
        model::CFileBatch batch;
        batch.Protect(dir / "m4.xml");
        std::string reason;
        EXPECT_TRUE(Stage(batch, dir / "m4.swf", reason)) << reason;
        for (const fs::path& name : {dir / "m4.xml", dir / "again" / "m4.xml", dir / "." / "m4.xml"}) {
            reason.clear();
            EXPECT_FALSE(Stage(batch, name, reason)) << name;
            EXPECT_NE(reason.find("is an input of the publication"), std::string::npos) << reason;
        }
        // A map named as the data file the movie's name gives, whether it exists yet or not.
        EXPECT_TRUE(Stage(batch, dir / "m5.xml", reason)) << reason;
        EXPECT_FALSE(Stage(batch, dir / "again" / "m5.xml", reason));
        EXPECT_NE(reason.find("is written twice"), std::string::npos) << reason;
        ASSERT_TRUE(batch.Commit(reason)) << reason;
    }
    EXPECT_EQ(testsupport::ReadBytes(dir / "m4.xml"), document);
    EXPECT_TRUE(fs::exists(dir / "m4.swf"));
    EXPECT_EQ(testsupport::ReadBytes(dir / "m5.xml"), std::vector<unsigned char>(kData.begin(), kData.end()));
}

// A file written again keeps its owner's permissions; a new one gets the user's usual ones.
TEST(FileBatch, ATargetWrittenAgainKeepsItsPermissions)
{
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir / "private.swf", {'o', 'l', 'd'});
    fs::permissions(dir / "private.swf", fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    model::CFileBatch batch;
    std::string reason;
    ASSERT_TRUE(Stage(batch, dir / "private.swf", reason)) << reason;
    ASSERT_TRUE(batch.Commit(reason)) << reason;
    EXPECT_EQ(fs::status(dir / "private.swf").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(testsupport::ReadBytes(dir / "private.swf"), std::vector<unsigned char>(kData.begin(), kData.end()));
}

// The movie and its map cannot be renamed in one step: the old map goes first and the new one
// comes last, so a publication stopped between the renames leaves no map rather than the new
// map beside the old movie.
TEST(FileBatch, ADescriptionIsNeverLeftBesideFilesItDoesNotDescribe)
{
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir / "m.txt", {'o', 'l', 'd'});
    testsupport::WriteBytes(dir / "m.swf", {'o', 'l', 'd'});
    model::CFileBatch batch;
    std::string reason;
    ASSERT_TRUE(Stage(batch, dir / "m.txt", reason)) << reason;
    batch.MarkDescription(dir / "m.txt");
    ASSERT_TRUE(Stage(batch, dir / "m.swf", reason)) << reason;
    // The movie's rename fails, as a stop between the renames would leave it.
    for (const auto& entry : fs::directory_iterator(dir.path()))
        if (entry.path().filename().string().rfind(".m.swf.", 0) == 0)
            fs::remove(entry.path());
    EXPECT_FALSE(batch.Commit(reason));
    EXPECT_EQ(testsupport::ReadBytes(dir / "m.swf"), (std::vector<unsigned char>{'o', 'l', 'd'}));
    EXPECT_FALSE(fs::exists(dir / "m.txt")) << "no map rather than a map of another movie";
}

} // namespace
