#include "ScreenFixture.h"

#include <gmock/gmock.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/controls/ShockwaveFlash.h"
#include "platform/docview/Frame.h"
#include "tests/player/ScriptMovie.h"

extern char** environ;

namespace {

// A document's movie that keeps a note in a local shared object, as the scenario component
// keeps its plans: it says what note it finds, then stores its own and says whether the
// store took it. The object is named for the whole site ("/"), so that two movies sharing one
// store would find each other's note.
std::filesystem::path WriteNoteMovie(const std::string& name, const std::string& note)
{
    const std::filesystem::path movie = testsupport::ArtefactDir("screen") / (name + ".swf");
    playertest::WriteScriptMovie(
        movie,
        "var so = SharedObject.getLocal(\"kvNote\", \"/\");\n"
        "fscommand(\"kvFound\", so.data.note == undefined ? \"nothing\" : so.data.note);\n"
        "so.data.note = \"" +
            note +
            "\";\n"
            "fscommand(\"kvStored\", String(so.flush()));\n",
        8000, 6000);
    return movie;
}

// One document's player control in a window of its own.
struct Document {
    class Player : public CShockwaveFlash {
    public:
        BOOL OnFSCommand(const std::string& command, const std::string& args) override
        {
            said[command] = args;
            return TRUE;
        }
        std::map<std::string, std::string> said;
    };

    explicit Document(const std::string& title)
    {
        EXPECT_TRUE(frame.Create(nullptr, title.c_str(), WS_OVERLAPPEDWINDOW, CRect(20, 20, 460, 380)));
        EXPECT_TRUE(player.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 420, 320), &frame, 1));
        frame.ShowWindow(SW_SHOW);
    }
    ~Document() { frame.DestroyWindow(); }

    // Plays the movie and waits until it has stored its note; what it found there before.
    std::string Play(const std::filesystem::path& movie)
    {
        player.said.clear();
        player.LoadMovie(0, movie.string());
        EXPECT_TRUE(gtkscreen::RunUntil([&] { return player.said.count("kvStored") != 0; }, 180000))
            << movie.filename() << " never stored its note";
        EXPECT_EQ(player.said["kvStored"], "true") << "the store refused the note of " << movie.filename();
        return player.said["kvFound"];
    }

    CFrameWnd frame;
    Player player;
};

using PlayerOnScreenStorage = ScreenTest;

TEST_F(PlayerOnScreenStorage, EachDocumentsMovieFindsOnlyWhatItsOwnDocumentStored)
{
    const std::filesystem::path first = WriteNoteMovie("note-first", "the first document's note");
    const std::filesystem::path second = WriteNoteMovie("note-second", "the second document's note");
    Document a("First");
    EXPECT_EQ(a.Play(first), "nothing");
    // The document's own movie, played again, finds its note: the store works at all.
    EXPECT_EQ(a.Play(first), "the first document's note");
    // Another document open beside it, whose movie asks for the very same shared object.
    Document b("Second");
    EXPECT_EQ(b.Play(second), "nothing") << "one document's movie read what another's stored";
    EXPECT_EQ(a.Play(first), "the first document's note");
}

// What a whole run of the program leaves behind: run by the next case in a process of its own,
// with a home folder of its own.
TEST_F(PlayerOnScreenStorage, DISABLED_AnUnsavedPreviewStoresItsNote)
{
    Document preview("Preview");
    preview.Play(WriteNoteMovie("note-unsaved", "an unsaved preview's note"));
}

// What a run left under a home folder that lasts: the person's data folder, and any file or
// folder the web view named for the program (its stores, caches and their keys).
std::vector<std::string> LastingFiles(const std::filesystem::path& home, const std::string& program)
{
    std::vector<std::string> lasting;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(home)) {
        const std::string name = entry.path().lexically_relative(home).string();
        if (name.rfind(".local", 0) == 0 || name.find(program) != std::string::npos) {
            lasting.push_back(name);
        }
    }
    return lasting;
}

TEST_F(PlayerOnScreenStorage, NothingAnUnsavedPreviewStoredOutlastsTheProgram)
{
    const testsupport::TempDir home;
    // The program's environment, with the home folder standing for the person's and no other
    // folder of the person's named.
    std::vector<std::string> variables{"HOME=" + home.path().string()};
    for (char** v = environ; *v != nullptr; ++v) {
        const std::string variable = *v;
        if (variable.rfind("HOME=", 0) != 0 && variable.rfind("XDG_DATA_HOME=", 0) != 0 &&
            variable.rfind("XDG_CACHE_HOME=", 0) != 0 && variable.rfind("XDG_CONFIG_HOME=", 0) != 0 &&
            variable.rfind("XDG_STATE_HOME=", 0) != 0) {
            variables.push_back(variable);
        }
    }
    // The program by its own name, which the web view names its folders after.
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    std::vector<std::string> arguments{
        program.string(), "--gtest_filter=PlayerOnScreenStorage.DISABLED_AnUnsavedPreviewStoresItsNote",
        "--gtest_also_run_disabled_tests"};
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (std::string& a : arguments) {
        argv.push_back(a.data());
    }
    for (std::string& v : variables) {
        envp.push_back(v.data());
    }
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    // A process group of its own: the web view's helper processes, which write what the pages
    // stored, belong to it too, and the run is over once the whole group is gone.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t run = 0;
    const int spawned = posix_spawn(&run, argv[0], nullptr, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    ASSERT_EQ(spawned, 0) << std::strerror(spawned);
    int status = -1;
    const bool closed = gtkscreen::RunUntil(
        [&] {
            if (status == -1 && waitpid(run, &status, WNOHANG) != run) {
                status = -1;
            }
            return status != -1 && kill(-run, 0) != 0 && errno == ESRCH;
        },
        300000);
    if (!closed) {
        kill(-run, SIGKILL);
        waitpid(run, &status, 0);
        FAIL() << "the program did not close";
    }
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the program's run failed: " << status;
    EXPECT_THAT(LastingFiles(home.path(), program.filename().string()), testing::IsEmpty());
}

} // namespace
