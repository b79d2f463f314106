#include "AppFixture.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "app/core/DesignerContext.h"
#include "app/core/TempFileManager.h"
#include "publish/ProgramContext.h"

namespace {

namespace fs = std::filesystem;

// The user's folder of runs, made as a run makes it.
fs::path UserFolder(const fs::path& temp)
{
    const fs::path user = CTempFileManager::UserFolder(temp);
    fs::create_directories(user);
    fs::permissions(user, fs::perms::owner_all, fs::perm_options::replace);
    return user;
}

// A folder an earlier run left in `parent`; with `held` its run is still alive, without
// `marked` it lacks the run's mark.
struct OldRun {
    OldRun(const fs::path& parent, const std::string& name, bool held, bool marked = true) : folder(parent / name)
    {
        fs::create_directories(folder);
        testsupport::WriteBytes(folder / "gen0.swf", {1, 2, 3});
        if (marked) {
            const std::string text = CTempFileManager::kMarkText;
            testsupport::WriteBytes(folder / CTempFileManager::kMarkName,
                                    std::vector<unsigned char>(text.begin(), text.end()));
        }
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
    OldRun crashed(UserFolder(temp.path()), "run-crashed", false);
    OldRun running(UserFolder(temp.path()), "run-running", true);
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

TEST(TempFileManager, OnlyMarkedFoldersOfDeadRunsInTheUsersFolderAreRemoved)
{
    testsupport::TempDir temp;
    const fs::path user = UserFolder(temp.path());
    // Beside the user's folder: a user's own folders that merely share the name's beginning.
    OldRun work(temp.path(), "vantorel-work", false);
    OldRun runLike(temp.path(), "run-abc", false);
    // Inside it: an unmarked folder, a folder of another name, a link to a dead run's folder
    // elsewhere, a marked folder whose mark is a link, a mark with other text, and a dead run.
    OldRun unmarked(user, "run-unmarked", false, false);
    OldRun otherName(user, "kept-folder", false);
    OldRun elsewhere(temp.path(), "elsewhere", false);
    fs::create_directory_symlink(elsewhere.folder, user / "run-link");
    OldRun linkedMark(user, "run-linkedmark", false, false);
    fs::create_symlink(elsewhere.folder / CTempFileManager::kMarkName, linkedMark.folder / CTempFileManager::kMarkName);
    OldRun forged(user, "run-forged", false, false);
    testsupport::WriteBytes(forged.folder / CTempFileManager::kMarkName, {'x', '\n'});
    OldRun dead(user, "run-dead", false);
    // Someone else's marked folder (only where this test may give a folder away).
    OldRun foreign(user, "run-foreign", false);
    const bool gaveAway = ::chown(foreign.folder.c_str(), 4242, 4242) == 0;

    CTempFileManager files(temp.path());
    EXPECT_EQ(files.GetCleanedFolders(), std::vector<fs::path>{dead.folder});
    EXPECT_FALSE(fs::exists(dead.folder));
    for (const OldRun* kept : {&work, &runLike, &unmarked, &otherName, &elsewhere, &linkedMark, &forged})
        EXPECT_TRUE(fs::exists(kept->folder / "gen0.swf")) << kept->folder;
    EXPECT_TRUE(fs::is_symlink(user / "run-link"));
    if (gaveAway) {
        EXPECT_TRUE(fs::exists(foreign.folder / "gen0.swf"));
    }
    EXPECT_EQ(fs::path(files.GetTempPath()).parent_path().parent_path(), user);
    EXPECT_TRUE(fs::exists(fs::path(files.GetTempPath()) / CTempFileManager::kMarkName));
}

TEST(TempFileManager, AUsersFolderThatCannotBeTrustedIsNeitherUsedNorCleaned)
{
    testsupport::TempDir temp;
    // A link planted where the user's folder belongs, to a folder holding a dead run.
    OldRun dead(temp.path() / "planted", "run-dead", false);
    fs::permissions(temp.path() / "planted", fs::perms::owner_all, fs::perm_options::replace);
    fs::create_directory_symlink(temp.path() / "planted", CTempFileManager::UserFolder(temp.path()));
    {
        CTempFileManager files(temp.path());
        EXPECT_TRUE(files.GetCleanedFolders().empty());
        EXPECT_TRUE(fs::exists(dead.folder / "gen0.swf"));
        EXPECT_EQ(fs::path(files.GetTempPath()).parent_path().parent_path(), temp.path());
    }
    // A folder others may write into.
    fs::remove(CTempFileManager::UserFolder(temp.path()));
    OldRun loose(UserFolder(temp.path()), "run-loose", false);
    fs::permissions(CTempFileManager::UserFolder(temp.path()), fs::perms::all, fs::perm_options::replace);
    CTempFileManager files(temp.path());
    EXPECT_TRUE(files.GetCleanedFolders().empty());
    EXPECT_TRUE(fs::exists(loose.folder / "gen0.swf"));
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
