#include "AppFixture.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "app/core/DesignerContext.h"
#include "app/core/TempFileManager.h"
#include "publish/ProgramContext.h"

namespace {

namespace fs = std::filesystem;

// A folder an earlier run left; with `held` its run is still alive.
struct OldRun {
    OldRun(const fs::path& temp, const std::string& name, bool held) : folder(temp / name)
    {
        fs::create_directories(folder);
        testsupport::WriteBytes(folder / "gen0.swf", {1, 2, 3});
        lock = ::open((folder / ".lock").c_str(), O_RDWR | O_CREAT, 0600);
        if (held)
            ::flock(lock, LOCK_EX);
    }
    ~OldRun() { ::close(lock); }
    fs::path folder;
    int lock = -1;
};

TEST_F(AppTest, ASecondStartCleansTheFolderACrashedRunLeft)
{
    OldRun crashed(temp.path(), "vantorel-crashed", false);
    OldRun running(temp.path(), "vantorel-running", true);
    testsupport::WriteBytes(temp / "vantorel-notes.txt", {'x'}); // not a run's folder
    SkipWelcome();
    ASSERT_TRUE(Start());
    CTempFileManager& files = app->Designer().TempFiles();
    EXPECT_FALSE(fs::exists(crashed.folder));
    EXPECT_TRUE(fs::exists(running.folder / "gen0.swf")) << "a live run keeps its files";
    EXPECT_TRUE(fs::exists(temp / "vantorel-notes.txt"));
    ASSERT_EQ(files.GetCleanedFolders().size(), 1u);
    EXPECT_EQ(files.GetCleanedFolders()[0], crashed.folder);

    // This run's folder is locked as well: another start leaves it alone.
    const fs::path own = files.GetTempPath();
    CTempFileManager other(temp.path());
    EXPECT_TRUE(fs::exists(own));
    EXPECT_NE(other.GetTempPath(), files.GetTempPath());
}

TEST(TempFileManager, NamesAreCreatedNumberedAndRemoved)
{
    testsupport::TempDir temp;
    std::string folder;
    {
        // The program's temporary files, as its designer context makes them.
        CDesignerContext designer({{}, std::nullopt, temp.path()});
        CDesignerContext::Scope current(designer);
        CTempFileManager& files = designer.TempFiles();
        EXPECT_EQ(GetTempFileManager(), &files);
        folder = files.GetTempPath();
        ASSERT_EQ(folder.back(), '/');
        testsupport::WriteBytes(folder + "gen0.swf", {});
        testsupport::WriteBytes(folder + "gen1.swf", {});
        const std::string first = files.CreateTempFile("gen", ".swf", true);
        EXPECT_EQ(first, folder + "gen2.swf");
        EXPECT_TRUE(fs::exists(first)) << "a name is taken by creating its file";
        EXPECT_EQ(files.CreateTempFile("gen", ".swf", true), folder + "gen3.swf") << "never handed out twice";
        EXPECT_EQ(files.CreateTempFile("kv", "", false), folder + "kv0");

        // The document reader's files land here too, once the program lends the manager to its
        // context, and go with the others.
        CProgramContext context;
        CProgramContext::Scope use(context);
        context.SetTempFileMaker(&files);
        const fs::path restored = publish::GetTempFileMaker().Create("kv", ".xls");
        context.SetTempFileMaker(nullptr);
        EXPECT_EQ(restored, folder + "kv0.xls");
        EXPECT_EQ(files.GetRemembered().size(), 3u);

        files.DeleteAll();
        EXPECT_FALSE(fs::exists(first));
        EXPECT_FALSE(fs::exists(restored));
        EXPECT_TRUE(fs::exists(folder + "kv0")) << "not remembered, not deleted";
        EXPECT_TRUE(files.GetRemembered().empty());
        files.DeleteAll(); // nothing left to do
        EXPECT_EQ(files.CreateTempFile("gen", ".swf", true), folder + "gen2.swf");
    }
    EXPECT_FALSE(fs::exists(folder)) << "the run's folder goes at exit";
    EXPECT_EQ(GetTempFileManager(), nullptr);
}

TEST(TempFileManager, NoNameLeftGivesAnEmptyName)
{
    testsupport::TempDir temp;
    CTempFileManager files(temp.path());
    // A name the system cannot make: none is handed out, rather than one another caller holds.
    EXPECT_EQ(files.CreateTempFile(std::string(300, 'g'), ".swf", true), "");
    EXPECT_TRUE(files.GetRemembered().empty());
    EXPECT_EQ(files.CreateTempFile("kv", ".xls", true), files.GetTempPath() + "kv0.xls");
}

} // namespace
