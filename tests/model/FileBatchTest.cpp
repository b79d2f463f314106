#include "model/FileBytes.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

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

namespace {

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<std::uint8_t> kNew = {'n', 'e', 'w', '!'};

std::vector<std::uint8_t> Read(const fs::path& file)
{
    const std::vector<unsigned char> bytes = testsupport::ReadBytes(file);
    return {bytes.begin(), bytes.end()};
}

// Runs checks in a child that is not the superuser (it gives the rights up when the tests run
// as root), where the permissions a root run passes by hold; true when every check held.
bool AsOrdinaryUser(const std::function<bool()>& checks)
{
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        ::_exit(checks() ? 0 : 1);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Saving through a symbolic link writes the file it names and keeps the link; a file with
// several names is written so that every name sees the new content.
TEST(FileSave, ALinkedFileIsWrittenWhereItIsAndEveryNameSeesIt)
{
    testsupport::TempDir dir;
    fs::create_directories(dir / "work");
    testsupport::WriteBytes(dir / "work" / "real.vtd", {'o', 'l', 'd'});
    fs::create_symlink("work/real.vtd", dir / "link.vtd");
    std::string reason;
    ASSERT_TRUE(model::SaveFileBytes((dir / "link.vtd").string(), kNew, &reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(dir / "link.vtd"));
    EXPECT_EQ(Read(dir / "work" / "real.vtd"), kNew);

    fs::create_hard_link(dir / "work" / "real.vtd", dir / "other.vtd");
    ASSERT_TRUE(model::SaveFileBytes((dir / "other.vtd").string(), kOld, &reason)) << reason;
    EXPECT_EQ(Read(dir / "work" / "real.vtd"), kOld);
    EXPECT_EQ(Read(dir / "link.vtd"), kOld);
    EXPECT_EQ(fs::hard_link_count(dir / "other.vtd"), 2u);

    // A link to a file not made yet makes it where the link points.
    fs::create_symlink("work/later.vtd", dir / "ahead.vtd");
    ASSERT_TRUE(model::SaveFileBytes((dir / "ahead.vtd").string(), kNew, &reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(dir / "ahead.vtd"));
    EXPECT_EQ(Read(dir / "work" / "later.vtd"), kNew);
    for (const fs::directory_entry& entry : fs::directory_iterator(dir / "work"))
        EXPECT_EQ(entry.path().filename().string().find(".vantorel-"), std::string::npos) << entry.path();
}

// A file its owner made read-only, or one of another user, is refused and kept, for the
// superuser too, and through a link.
TEST(FileSave, AProtectedFileIsRefusedAndKept)
{
    testsupport::TempDir dir;
    fs::permissions(dir.path(), fs::perms::all, fs::perm_options::replace);
    testsupport::WriteBytes(dir / "kept.vtd", {'o', 'l', 'd'});
    fs::permissions(dir / "kept.vtd", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::replace);
    fs::create_symlink("kept.vtd", dir / "link.vtd");
    const auto refused = [&dir](const std::string& name) {
        std::string reason;
        return model::IsReadOnlyFile(dir / name) && !model::SaveFileBytes((dir / name).string(), kNew, &reason) &&
               reason.find("read-only") != std::string::npos && Read(dir / "kept.vtd") == kOld &&
               fs::is_symlink(dir / "link.vtd");
    };
    EXPECT_TRUE(refused("kept.vtd"));
    EXPECT_TRUE(refused("link.vtd"));
    EXPECT_TRUE(AsOrdinaryUser([&] { return refused("kept.vtd") && refused("link.vtd"); }));

    // Writable by its owner alone: when the tests run as root, the child is another user.
    testsupport::WriteBytes(dir / "theirs.vtd", {'o', 'l', 'd'});
    fs::permissions(dir / "theirs.vtd", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                            fs::perms::others_read,
                    fs::perm_options::replace);
    if (::geteuid() == 0) {
        EXPECT_TRUE(AsOrdinaryUser([&dir] {
            std::string reason;
            return model::IsReadOnlyFile(dir / "theirs.vtd") &&
                   !model::SaveFileBytes((dir / "theirs.vtd").string(), kNew, &reason) &&
                   Read(dir / "theirs.vtd") == kOld;
        }));
    }
    // And a file of one's own that one may write is saved as ever.
    EXPECT_FALSE(model::IsReadOnlyFile(dir / "theirs.vtd"));
    EXPECT_FALSE(model::IsReadOnlyFile(dir / "absent.vtd"));
}

} // namespace
