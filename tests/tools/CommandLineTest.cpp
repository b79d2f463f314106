// The command-line programs as a user runs them, each run a child process whose exit code,
// words and files are checked; and the option and installation-folder rules they share.
#include "tests/sheet/XlsxTestPackages.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WatchedChild.h"
#include "tools/cli/CommandLine.h"
#include "tools/cli/InstallFolder.h"
#include "platform/drawing/Png.h"

#include <gtest/gtest.h>

#include <jpeglib.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct Ran {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs a program with its arguments and the environment given (plus PATH and HOME), its
// standard input from /dev/null; stopped after the time allowed (60 seconds unless given),
// which then fails the case.
Ran RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment = {},
               std::chrono::seconds allowed = std::chrono::seconds(60))
{
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        dup2(err[1], 2);
        close(out[0]);
        close(err[0]);
        const int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        std::vector<std::string> env = environment;
        for (const char* keep : {"PATH", "HOME", "TMPDIR", "ASAN_OPTIONS", "UBSAN_OPTIONS"})
            if (const char* value = std::getenv(keep))
                env.push_back(std::string(keep) + "=" + value);
        std::vector<char*> envp;
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    Ran run;
    const auto began = std::chrono::steady_clock::now();
    bool outOpen = true, errOpen = true;
    while (outOpen || errOpen) {
        pollfd p[2] = {{outOpen ? out[0] : -1, POLLIN, 0}, {errOpen ? err[0] : -1, POLLIN, 0}};
        poll(p, 2, 100);
        for (int i = 0; i < 2; ++i) {
            if (!(p[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[4096];
            const ssize_t n = read(p[i].fd, buffer, sizeof buffer);
            if (n <= 0)
                (i == 0 ? outOpen : errOpen) = false;
            else
                (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(n));
        }
        if (std::chrono::steady_clock::now() - began > allowed) {
            kill(pid, SIGKILL);
            run.err += "[stopped after " + std::to_string(allowed.count()) + " s]";
            break;
        }
    }
    close(out[0]);
    close(err[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

Ran Publish(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {})
{
    return RunProgram(VANTOREL_PUBLISH_PROGRAM, arguments, environment);
}

Ran Doc(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {})
{
    return RunProgram(VANTOREL_DOC_PROGRAM, arguments, environment);
}

std::string Text(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

fs::path Sample()
{
    return testsupport::InstallDir() / "samples" / "Dashboards" / "regional-sales.vtd";
}

// A workbook whose second formula calls a function no movie can calculate.
fs::path UnsupportedBook(const testsupport::TempDir& dir)
{
    const std::vector<std::uint8_t> book = xlsxtest::OneSheet(xlsxtest::SheetXml(
        "<row r=\"1\"><c r=\"A1\"><v>2</v></c><c r=\"B1\"><f>A1*3</f><v>6</v></c>"
        "<c r=\"C1\"><f>NOSUCHFUNCTION(B1)</f><v>0</v></c></row>"));
    testsupport::WriteBytes(dir / "book.xlsx", std::vector<unsigned char>(book.begin(), book.end()));
    return dir / "book.xlsx";
}

// Hidden temporary files the writers left in a folder.
std::vector<std::string> Leftovers(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(".vantorel-") != std::string::npos)
            names.push_back(entry.path().filename().string());
    return names;
}

TEST(CommandLine, OptionsAreReadAsCommandLineToolsReadThem)
{
    const std::vector<cli::OptionSpec> specs = {
        {"--map", 0, true}, {"--quiet", 'q', false}, {"--help", 'h', false}};
    struct Case {
        std::vector<const char*> argv;
        std::string error;
        std::string map;
        std::vector<std::string> positional;
    };
    const Case cases[] = {
        {{"p", "--map", "m.txt", "a", "b"}, "", "m.txt", {"a", "b"}},
        {{"p", "--map=m.txt", "a"}, "", "m.txt", {"a"}},
        {{"p", "--map=", "a"}, "", "", {"a"}},
        {{"p", "-q", "--", "--map", "-"}, "", "", {"--map", "-"}},
        {{"p", "--mapp", "a"}, "unknown option --mapp", "", {}},
        {{"p", "--nothing=3"}, "unknown option --nothing", "", {}},
        {{"p", "-x"}, "unknown option -x", "", {}},
        {{"p", "--map"}, "option --map needs a value", "", {}},
        {{"p", "--quiet=yes"}, "option --quiet takes no value", "", {}},
    };
    for (const Case& c : cases) {
        const cli::ParseResult result =
            cli::ParseArguments(static_cast<int>(c.argv.size()), c.argv.data(), specs);
        EXPECT_EQ(result.error, c.error) << c.argv[1];
        if (!c.error.empty())
            continue;
        EXPECT_EQ(result.arguments.Value("--map").value_or(""), c.map) << c.argv[1];
        EXPECT_EQ(result.arguments.positional, c.positional) << c.argv[1];
    }
}

TEST(CommandLine, TheInstallationFolderIsTheOneNamedElseTheVariableElseBesideTheProgram)
{
    testsupport::TempDir dir;
    for (const char* folder : {"share/vantorel/asset", "named/asset", "variable/asset", "bin"})
        fs::create_directories(dir / folder);
    for (const char* folder : {"share/vantorel", "named", "variable"})
        WriteText(dir / folder / "asset" / "func.dat", "FWS");
    const fs::path program = dir / "bin" / "vantorel-publish";

    EXPECT_EQ(cli::FindInstallFolder(std::string((dir / "named").string()), (dir / "variable").c_str(), program).found,
              dir / "named");
    EXPECT_EQ(cli::FindInstallFolder(std::nullopt, (dir / "variable").c_str(), program).found, dir / "variable");
    EXPECT_EQ(cli::FindInstallFolder(std::nullopt, "", program).found, dir / "share" / "vantorel");
    // A folder the user named is never replaced by another: the user meant that one.
    const cli::InstallSearch wrong = cli::FindInstallFolder(std::nullopt, (dir / "bin").c_str(), program);
    EXPECT_FALSE(wrong.found);
    EXPECT_NE(cli::NotFoundMessage(wrong).find((dir / "bin").string() + " (VANTOREL_INSTALL_DIR)"), std::string::npos);
    fs::remove_all(dir / "share");
    const cli::InstallSearch none = cli::FindInstallFolder(std::nullopt, nullptr, program);
    EXPECT_FALSE(none.found);
    EXPECT_NE(cli::NotFoundMessage(none).find("beside the program"), std::string::npos);
}

TEST(CommandLine, HelpVersionAndMistakesOfTheLine)
{
    struct Case {
        std::vector<std::string> arguments;
        int code;
        std::string out; // text the standard output holds
        std::string err; // text the error output holds
    };
    const Case cases[] = {
        {{"--help"}, 0, "usage: vantorel-publish", ""},
        {{"-h"}, 0, "--strict", ""},
        {{"--version"}, 0, "vantorel-publish 0.", ""},
        {{"--frobnicate", "a.vtd", "b.swf"}, 2, "", "unknown option --frobnicate"},
        {{"--map"}, 2, "", "option --map needs a value"},
        {{"--map=", "a.vtd", "b.swf"}, 2, "", "--map needs the name of the file to write"},
        {{"a.vtd"}, 2, "", "name what to publish and the movie to write"},
        {{"--all-formulas", "a.json", "b.xlsx", "c.swf"}, 2, "", "--all-formulas takes one workbook"},
    };
    for (const Case& c : cases) {
        const Ran run = Publish(c.arguments);
        EXPECT_EQ(run.code, c.code) << c.arguments[0] << "\n" << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << c.arguments[0] << ": " << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.arguments[0] << ": " << run.err;
    }
    EXPECT_EQ(Doc({"--help"}).code, 0);
    EXPECT_EQ(Doc({"--version"}).out.rfind("vantorel-doc 0.", 0), 0u);
    EXPECT_NE(Doc({"--check", "--bogus", "x.vtd"}).err.find("unknown option --bogus"), std::string::npos);
}

TEST(CommandLine, BothProgramsFindTheInstallationFolderTheSameWayAndSayWhereTheyLooked)
{
    testsupport::TempDir dir;
    // The build lays the folder out beside the programs, so neither needs to be told.
    const Ran published = Publish({"--quiet", Sample().string(), (dir / "m.swf").string()});
    EXPECT_EQ(published.code, 0) << published.err;
    const Ran checked = Doc({"--check", Sample().string()});
    EXPECT_EQ(checked.code, 0) << checked.err;
    EXPECT_NE(checked.out.find("KVSliderHSymbol"), std::string::npos);

    const std::string nowhere = (dir / "nowhere").string();
    for (const Ran& run : {Publish({"--install=" + nowhere, Sample().string(), (dir / "n.swf").string()}),
                           Doc({"--check", "--install", nowhere, Sample().string()}),
                           Doc({"--check", Sample().string()}, {"VANTOREL_INSTALL_DIR=" + nowhere})}) {
        EXPECT_EQ(run.code, 6) << run.err;
        EXPECT_NE(run.err.find("no installation folder"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(nowhere), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(dir / "n.swf"));
}

TEST(CommandLine, AMissingFileIsTheSameFaultWhereverItIsNamed)
{
    testsupport::TempDir dir;
    WriteText(dir / "d.json", R"({"workbook": "absent.xlsx", "canvas": {"width": 80, "height": 60}})");
    WriteText(dir / "plain.json", R"({"canvas": {"width": 80, "height": 60}})");
    for (const Ran& run : {Publish({(dir / "absent.vtd").string(), (dir / "m.swf").string()}),
                           Publish({(dir / "d.json").string(), (dir / "m.swf").string()}),
                           Publish({(dir / "plain.json").string(), (dir / "absent.xlsx").string(),
                                    (dir / "m.swf").string()}),
                           Publish({"--all-formulas", (dir / "absent.xlsx").string(), (dir / "m.swf").string()})}) {
        EXPECT_EQ(run.code, 3) << run.err;
        EXPECT_NE(run.err.find("absent."), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(": no such file"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(dir / "m.swf"));
}

// The workbook is read while the installation loads: what goes wrong in the reading is still
// reported as the reading's fault.
TEST(CommandLine, AWorkbookReadBesideTheInstallationReportsItsOwnFaults)
{
    testsupport::TempDir dir;
    WriteText(dir / "text.xlsx", "not a workbook");
    const Ran damaged = Publish({"--all-formulas", (dir / "text.xlsx").string(), (dir / "m.swf").string()});
    EXPECT_EQ(damaged.code, 5) << damaged.err;
    EXPECT_NE(damaged.err.find("text.xlsx: "), std::string::npos) << damaged.err;
    EXPECT_FALSE(fs::exists(dir / "m.swf"));
}

TEST(CommandLine, DescriptionMistakesNameTheFileTheComponentAndTheGroup)
{
    testsupport::TempDir dir;
    WriteText(dir / "bad-name.json", R"({"canvas": {"width": 80, "height": 60}, "components": [
        {"symbol": "KVLabelCompSymbol", "name": "Sales.Total", "x": 0, "y": 0, "width": 50, "height": 20}]})");
    WriteText(dir / "bad-parameter.json", R"({"canvas": {"width": 80, "height": 60}, "components": [
        {"symbol": "KVSliderHSymbol", "name": "Amount", "x": 0, "y": 0, "width": 50, "height": 20,
         "parameters": {"noSuchParameter": 1}}]})");
    const Ran name = Publish({(dir / "bad-name.json").string(), (dir / "m.swf").string()});
    EXPECT_EQ(name.code, 5);
    EXPECT_NE(name.err.find((dir / "bad-name.json").string() + ": description.components[0].name: "),
              std::string::npos)
        << name.err;
    const Ran parameter = Publish({(dir / "bad-parameter.json").string(), (dir / "m.swf").string()});
    EXPECT_EQ(parameter.code, 5);
    EXPECT_NE(parameter.err.find((dir / "bad-parameter.json").string() + ": description.components[0] (Amount)"),
              std::string::npos)
        << parameter.err;
    EXPECT_NE(parameter.err.find("no parameter \"noSuchParameter\""), std::string::npos) << parameter.err;
}

TEST(CommandLine, StrictRefusesAMovieThatCannotCalculateEveryFormula)
{
    testsupport::TempDir dir;
    const fs::path book = UnsupportedBook(dir);
    const Ran lenient = Publish({"--all-formulas", book.string(), (dir / "m.swf").string()});
    EXPECT_EQ(lenient.code, 0) << lenient.err;
    EXPECT_NE(lenient.err.find("NOSUCHFUNCTION"), std::string::npos);
    // Not a terminal: no progress, only the results.
    EXPECT_EQ(lenient.err.find("compiling"), std::string::npos) << lenient.err;

    const Ran strict = Publish({"--strict", "--all-formulas", book.string(), (dir / "s.swf").string()});
    EXPECT_EQ(strict.code, 7);
    EXPECT_NE(strict.err.find("NOSUCHFUNCTION"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "s.swf"));
}

// A formula the reader cannot take is listed with its cell and keeps its stored value; the
// movie is written, unless --strict.
TEST(CommandLine, AnUnreadableFormulaIsListedAndRefusedOnlyWhenStrict)
{
    testsupport::TempDir dir;
    const std::vector<std::uint8_t> bytes = xlsxtest::OneSheet(xlsxtest::SheetXml(
        "<row r=\"1\"><c r=\"A1\"><v>2</v></c><c r=\"B1\"><f>[1]Other!A1</f><v>4</v></c>"
        "<c r=\"C1\"><f>A1+B1</f><v>6</v></c></row>"));
    const fs::path book = dir / "linked.xlsx";
    testsupport::WriteBytes(book, std::vector<unsigned char>(bytes.begin(), bytes.end()));
    const Ran lenient = Publish({"--all-formulas", book.string(), (dir / "m.swf").string()});
    EXPECT_EQ(lenient.code, 0) << lenient.err;
    EXPECT_NE(lenient.err.find("'S'!$B$1 keeps its stored value: the formula cannot be read"), std::string::npos)
        << lenient.err;
    EXPECT_TRUE(fs::exists(dir / "m.swf"));

    const Ran strict = Publish({"--strict", "--all-formulas", book.string(), (dir / "s.swf").string()});
    EXPECT_EQ(strict.code, 7) << strict.err;
    EXPECT_NE(strict.err.find("'S'!$B$1"), std::string::npos) << strict.err;
    EXPECT_FALSE(fs::exists(dir / "s.swf"));
}

// Ranges cost what they cover: seventeen sums over 250,000 empty rows each (once past what
// the ranges of a movie could list) publish into a small movie.
TEST(CommandLine, RangesOverEmptyCellsCostTheCellsTheyCover)
{
    testsupport::TempDir dir;
    std::string row = "<row r=\"1\"><c r=\"A1\"><v>2</v></c><c r=\"B1\"><f>A1*3</f><v>6</v></c>";
    for (char column = 'C'; column < 'C' + 17; ++column)
        row += std::string("<c r=\"") + column + "1\"><f>SUM(" + column + "2:" + column + "250001)</f><v>0</v></c>";
    const std::vector<std::uint8_t> book = xlsxtest::OneSheet(xlsxtest::SheetXml(row + "</row>"));
    testsupport::WriteBytes(dir / "big.xlsx", std::vector<unsigned char>(book.begin(), book.end()));
    const Ran run = RunProgram(VANTOREL_PUBLISH_PROGRAM,
                               {"--all-formulas", (dir / "big.xlsx").string(), (dir / "m.swf").string()}, {},
                               std::chrono::seconds(120));
    EXPECT_EQ(run.code, 0) << run.err;
    ASSERT_TRUE(fs::exists(dir / "m.swf"));
    EXPECT_LT(fs::file_size(dir / "m.swf"), 200000u);
}

TEST(CommandLine, OutputsNeverReplaceAnInputADeviceOrAFileALinkPointsAt)
{
    testsupport::TempDir dir;
    const fs::path book = UnsupportedBook(dir);
    const std::string bookBytes = Text(book);
    fs::copy_file(Sample(), dir / "doc.vtd");
    fs::create_hard_link(dir / "doc.vtd", dir / "same.vtd");
    const std::string docBytes = Text(dir / "doc.vtd");
    WriteText(dir / "victim.txt", "the user's own file");
    // What another user of a shared folder might plant where a careless writer would write.
    fs::create_symlink(dir / "victim.txt", dir / "m.swf.tmp");
    fs::create_directory(dir / "folder.swf");
    mkfifo((dir / "fifo.swf").c_str(), 0600);

    struct Case {
        std::vector<std::string> arguments;
        int code;
        std::string err;
    };
    const Case cases[] = {
        {{"--all-formulas", book.string(), book.string()}, 1, "is an input of the publication"},
        {{(dir / "doc.vtd").string(), (dir / "same.vtd").string()}, 1, "is an input of the publication"},
        {{"--map", book.string(), "--all-formulas", book.string(), (dir / "x.swf").string()}, 1, "is an input"},
        {{"--map", (dir / "x.swf").string(), "--all-formulas", book.string(), (dir / "x.swf").string()}, 1,
         "need files of their own"},
        {{(dir / "doc.vtd").string(), "/dev/null"}, 1, "/dev/null: exists and is not a regular file"},
        {{(dir / "doc.vtd").string(), (dir / "folder.swf").string()}, 1, "exists and is not a regular file"},
        {{(dir / "doc.vtd").string(), (dir / "fifo.swf").string()}, 1, "exists and is not a regular file"},
        {{(dir / "doc.vtd").string(), (dir / "none" / "m.swf").string()}, 1, "No such file or directory"},
        // The map's folder is missing: the movie, which could be written, is not either.
        {{"--map", (dir / "none" / "m.txt").string(), (dir / "doc.vtd").string(), (dir / "y.swf").string()}, 1,
         "No such file or directory"},
    };
    for (const Case& c : cases) {
        const Ran run = Publish(c.arguments);
        EXPECT_EQ(run.code, c.code) << c.arguments.back() << "\n" << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
    EXPECT_EQ(Text(book), bookBytes);
    EXPECT_EQ(Text(dir / "doc.vtd"), docBytes);
    EXPECT_FALSE(fs::exists(dir / "x.swf"));
    EXPECT_FALSE(fs::exists(dir / "y.swf"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(fs::is_fifo(dir / "fifo.swf"));

    const Ran written = Publish({(dir / "doc.vtd").string(), (dir / "m.swf").string()});
    EXPECT_EQ(written.code, 0) << written.err;
    EXPECT_EQ(Text(dir / "victim.txt"), "the user's own file");
    EXPECT_TRUE(Leftovers(dir.path()).empty());
}

TEST(CommandLine, AKilledRunLeavesNothingTheNextRunKeeps)
{
    testsupport::TempDir dir;
    // What a run that was killed while writing leaves: its temporary file, named after a
    // process that no longer runs (process ids never reach this number).
    WriteText(dir / ".m.swf.vantorel-2147483646-17.tmp", "half a movie");
    // One of a run still going is not touched.
    const std::string live = ".m.swf.vantorel-" + std::to_string(getpid()) + "-3.tmp";
    WriteText(dir / live, "being written");
    const Ran run = Publish({Sample().string(), (dir / "m.swf").string()});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Leftovers(dir.path()), std::vector<std::string>{live});
}

// A workbook of long formulas takes far more memory to publish than its size says; past the
// budget the publication stops with a message instead of taking the machine's memory.
TEST(CommandLine, PublishingStopsAtItsMemoryBudgetWithAMessage)
{
    testsupport::TempDir dir;
    std::string rows = "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>";
    std::string formula = "A1*2";
    for (int i = 1; i < 300; ++i)
        formula += "+A1*2";
    for (int r = 2; r < 300; ++r)
        rows += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) + "\"><f>" + formula +
                "</f><v>600</v></c></row>";
    const std::vector<std::uint8_t> book = xlsxtest::OneSheet(xlsxtest::SheetXml(rows));
    testsupport::WriteBytes(dir / "long.xlsx", std::vector<unsigned char>(book.begin(), book.end()));
#ifdef VANTOREL_HOSTILE_SANITIZED
    GTEST_SKIP() << "the sanitizers manage memory of their own";
#endif
    const Ran run = Publish({"--memory-budget=48", "--all-formulas", (dir / "long.xlsx").string(), (dir / "m.swf").string()});
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_NE(run.err.find("more memory than its budget of 48 MB"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "m.swf"));
    EXPECT_EQ(Publish({"--memory-budget=0", "x.vtd", "y.swf"}).code, 2);
}

// The workbook's reader is bounded by the budget the user gives, not by a budget of its own: a
// sheet of a million formulas is refused within the budget named (and read with a larger one).
TEST(CommandLine, TheWorkbooksReaderKeepsToTheMemoryBudgetGiven)
{
    testsupport::TempDir dir;
    std::string rows = "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>";
    for (int r = 2; r <= 1000000; ++r) {
        const std::string n = std::to_string(r);
        rows += "<row r=\"" + n + "\"><c r=\"A" + n + "\"><f>A" + std::to_string(r - 1) + "+1</f><v>" + n +
                "</v></c></row>";
    }
    const std::vector<std::uint8_t> book = xlsxtest::OneSheet(xlsxtest::SheetXml(rows));
    rows = {};
    testsupport::WriteBytes(dir / "million.xlsx", std::vector<unsigned char>(book.begin(), book.end()));
#ifdef VANTOREL_HOSTILE_SANITIZED
    GTEST_SKIP() << "the sanitizers manage memory of their own";
#endif
    const Ran run =
        Publish({"--memory-budget=300", "--all-formulas", (dir / "million.xlsx").string(), (dir / "m.swf").string()});
    EXPECT_EQ(run.code, 5) << run.err;
    // What is left of the budget once the package itself is held.
    const std::size_t within = run.err.find("within ");
    ASSERT_NE(within, std::string::npos) << run.err;
    const int megabytes = std::atoi(run.err.c_str() + within + 7);
    EXPECT_GT(megabytes, 250) << run.err;
    EXPECT_LE(megabytes, 300) << run.err;
    EXPECT_FALSE(fs::exists(dir / "m.swf"));
}

// A workbook of a few kilobytes whose sheet holds a million empty elements after its cells:
// tens of megabytes once parsed.
std::vector<std::uint8_t> ManyElementsBook()
{
    std::string filler = "<extLst>";
    filler.reserve(4000020);
    for (int i = 0; i < 1000000; ++i)
        filler += "<x/>";
    filler += "</extLst>";
    return xlsxtest::OneSheet(xlsxtest::SheetXml("<row r=\"1\"><c r=\"A1\"><v>7</v></c></row>", "", filler));
}

// A run the workbook's reader refused within the budget named: what is left of it once the
// package itself is held.
void ExpectRefusedWithin(const Ran& run, int budget)
{
    EXPECT_NE(run.code, 0) << run.err;
    const std::size_t within = run.err.find("within ");
    ASSERT_NE(within, std::string::npos) << run.err;
    const int megabytes = std::atoi(run.err.c_str() + within + 7);
    EXPECT_GT(megabytes, budget / 2) << run.err;
    EXPECT_LE(megabytes, budget) << run.err;
}

// The budget bounds every workbook a run reads, not only one published whole: the workbook a
// description names, or the command line names for it, is refused within a small budget and
// read with the usual one. A document's embedded workbook is carried into the movie's files,
// not read, so a document embedding that workbook publishes within the small budget.
TEST(CommandLine, EveryWorkbookARunReadsKeepsToTheMemoryBudget)
{
    testsupport::TempDir dir;
    const std::vector<std::uint8_t> many = ManyElementsBook();
    ASSERT_LT(many.size(), 200000u);
    testsupport::WriteBytes(dir / "many.xlsx", std::vector<unsigned char>(many.begin(), many.end()));
    WriteText(dir / "named.json", R"({"workbook": "many.xlsx", "canvas": {"width": 80, "height": 60}})");
    WriteText(dir / "plain.json", R"({"canvas": {"width": 80, "height": 60}})");
    const Ran made = Doc({(dir / "named.json").string(), (dir / "embedded.vtd").string()});
    ASSERT_EQ(made.code, 0) << made.err;
#ifdef VANTOREL_HOSTILE_SANITIZED
    GTEST_SKIP() << "the sanitizers manage memory of their own";
#endif
    const std::string movie = (dir / "m.swf").string();
    const std::vector<std::vector<std::string>> roads = {{(dir / "named.json").string()},
                                                         {(dir / "plain.json").string(), (dir / "many.xlsx").string()}};
    for (const std::vector<std::string>& inputs : roads) {
        SCOPED_TRACE(inputs.back());
        std::vector<std::string> arguments = {"--memory-budget=48"};
        arguments.insert(arguments.end(), inputs.begin(), inputs.end());
        arguments.push_back(movie);
        const Ran refused = Publish(arguments);
        EXPECT_EQ(refused.code, 5) << refused.err;
        ExpectRefusedWithin(refused, 48);
        EXPECT_NE(refused.err.find("many.xlsx"), std::string::npos) << refused.err;
        EXPECT_FALSE(fs::exists(movie));
        arguments.erase(arguments.begin());
        const Ran read = Publish(arguments);
        EXPECT_EQ(read.code, 0) << read.err;
        EXPECT_TRUE(fs::exists(movie));
        fs::remove(movie);
    }
    const Ran document = Publish({"--memory-budget=48", (dir / "embedded.vtd").string(), movie});
    EXPECT_EQ(document.code, 0) << document.err;
    EXPECT_TRUE(fs::exists(movie));
}

// The movie's values beside the workbook's, played in the test player: a cached value the
// movie does not give is marked, and the cells of a circle show what the spreadsheet shows.
TEST(CommandLine, CheckValuesListsTheMoviesValuesBesideTheWorkbooks)
{
    if (!fs::exists(testsupport::SourceDir() / "tests" / "player" / "node_modules" / "@ruffle-rs" / "ruffle") ||
        std::system("command -v node >/dev/null 2>&1 && test -x /usr/bin/chromium") != 0)
        GTEST_SKIP() << "the test player is not installed (tools/setup.sh --tests)";
    testsupport::TempDir dir;
    const std::vector<std::uint8_t> book = xlsxtest::OneSheet(xlsxtest::SheetXml(
        "<row r=\"1\"><c r=\"A1\"><v>2</v></c><c r=\"B1\"><f>A1*3</f><v>6</v></c>"
        "<c r=\"C1\"><f>A1+1</f><v>99</v></c>"
        "<c r=\"D1\" t=\"e\"><f>E1+1</f><v>#VALUE!</v></c><c r=\"E1\" t=\"e\"><f>D1+1</f><v>#VALUE!</v></c></row>"));
    testsupport::WriteBytes(dir / "book.xlsx", std::vector<unsigned char>(book.begin(), book.end()));
    const Ran run = Publish({"--check-values", "--all-formulas", (dir / "book.xlsx").string(), (dir / "m.swf").string()},
                            {"VANTOREL_PLAYER_DIR=" + (testsupport::SourceDir() / "tests" / "player").string()});
    EXPECT_EQ(run.code, 8) << run.out << run.err; // values differ: not a failure to build
    EXPECT_NE(run.out.find("S!B1\t"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("movie: 6\tworkbook: 6\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("movie: 3\tworkbook: 99\tDIFFERS\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("movie: #VALUE!\tworkbook: #VALUE!\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("3 of 4 formula cells show the workbook's cached value in the movie"), std::string::npos)
        << run.out << run.err;
    EXPECT_NE(run.err.find("circular reference: "), std::string::npos) << run.err;

    // Only the cells that differ; a date compares as its number, TRUE as the 1 a spreadsheet
    // program may cache, a complex number by its parts; a cell without a cached value is
    // none that differs.
    const std::vector<std::uint8_t> dated = xlsxtest::OneSheet(xlsxtest::SheetXml(
        "<row r=\"1\"><c r=\"A1\"><v>45292</v></c><c r=\"B1\"><f>A1+1</f><v>45293</v></c>"
        "<c r=\"C1\"><f>A1&gt;0</f><v>1</v></c><c r=\"D1\"><f>A1*2</f><v>1</v></c>"
        "<c r=\"E1\" t=\"str\"><f>COMPLEX(A1/3,1)</f><v>15097.333333333332+i</v></c>"
        "<c r=\"F1\"><f>A1*3</f></c></row>"));
    testsupport::WriteBytes(dir / "dated.xlsx", std::vector<unsigned char>(dated.begin(), dated.end()));
    const Ran only = Publish({"--check-values", "--differences-only", "--all-formulas", (dir / "dated.xlsx").string(),
                              (dir / "d.swf").string()},
                             {"VANTOREL_PLAYER_DIR=" + (testsupport::SourceDir() / "tests" / "player").string()});
    EXPECT_EQ(only.code, 8) << only.out << only.err;
    EXPECT_EQ(only.out.find("S!B1\t"), std::string::npos) << only.out;
    EXPECT_EQ(only.out.find("S!C1\t"), std::string::npos) << only.out;
    EXPECT_NE(only.out.find("S!D1\t"), std::string::npos) << only.out;
    EXPECT_EQ(only.out.find("S!E1\t"), std::string::npos) << only.out;
    EXPECT_EQ(only.out.find("S!F1\t"), std::string::npos) << only.out;
    EXPECT_NE(only.out.find("3 of 4 formula cells"), std::string::npos) << only.out;
    EXPECT_NE(only.out.find("1 formula cells have no cached value"), std::string::npos) << only.out;
}

// A workbook set to iterate its circular references is told that the movie iterates them; one
// that is not, that they show the circular value.
TEST(CommandLine, AnIteratingWorkbooksCirclesAreSaidToBeIterated)
{
    testsupport::TempDir dir;
    const std::string circle = "<row r=\"1\"><c r=\"A1\"><f>B1+1</f><v>0</v></c><c r=\"B1\"><f>A1/2</f><v>0</v></c></row>";
    auto write = [&](const std::string& name, const std::string& calculation) {
        const std::vector<std::uint8_t> bytes =
            xlsxtest::Zip({{"_rels/.rels", xlsxtest::kRootRels},
                           {"xl/workbook.xml", xlsxtest::WorkbookXml({"S"}, calculation)},
                           {"xl/_rels/workbook.xml.rels", xlsxtest::WorkbookRels(1)},
                           {"xl/worksheets/sheet1.xml", xlsxtest::SheetXml(circle)}});
        testsupport::WriteBytes(dir / name, std::vector<unsigned char>(bytes.begin(), bytes.end()));
        return (dir / name).string();
    };
    const Ran iterating = Publish({"--all-formulas", write("iterating.xlsx", "<calcPr iterate=\"1\" iterateCount=\"50\"/>"),
                                   (dir / "i.swf").string()});
    EXPECT_EQ(iterating.code, 0) << iterating.err;
    EXPECT_NE(iterating.err.find("circular reference: "), std::string::npos) << iterating.err;
    EXPECT_NE(iterating.err.find("the movie iterates it"), std::string::npos) << iterating.err;
    EXPECT_EQ(iterating.err.find("#VALUE!"), std::string::npos) << iterating.err;
    const Ran plain = Publish({"--all-formulas", write("plain.xlsx", "<calcPr/>"), (dir / "p.swf").string()});
    EXPECT_EQ(plain.err.find("the movie iterates"), std::string::npos) << plain.err;
    EXPECT_NE(plain.err.find("#VALUE!"), std::string::npos) << plain.err;
}

// "-" as the output writes the movie to standard output and the report to the error stream.
TEST(CommandLine, AMovieWrittenToStandardOutput)
{
    testsupport::TempDir dir;
    const std::vector<std::uint8_t> book = xlsxtest::OneSheet(
        xlsxtest::SheetXml("<row r=\"1\"><c r=\"A1\"><v>2</v></c><c r=\"B1\"><f>A1*3</f><v>6</v></c></row>"));
    testsupport::WriteBytes(dir / "book.xlsx", std::vector<unsigned char>(book.begin(), book.end()));
    const Ran run = Publish({"--all-formulas", (dir / "book.xlsx").string(), "-"});
    EXPECT_EQ(run.code, 0) << run.err;
    ASSERT_GT(run.out.size(), 8u);
    EXPECT_TRUE(run.out.compare(0, 3, "CWS") == 0 || run.out.compare(0, 3, "FWS") == 0) << run.out.substr(0, 3);
    EXPECT_NE(run.err.find("wrote "), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists("-"));
}

// An input that is there but is a folder is not missing: it is refused as the workbook it
// should have been, saying what to give instead.
TEST(CommandLine, AFolderGivenAsTheWorkbookIsNoMissingFile)
{
    testsupport::TempDir dir;
    fs::create_directories(dir / "book.xlsx");
    const Ran run = Publish({"--all-formulas", (dir / "book.xlsx").string(), (dir / "m.swf").string()});
    EXPECT_EQ(run.code, 5) << run.err;
    EXPECT_NE(run.err.find("a folder, not a file"), std::string::npos) << run.err;
    const Ran lonely = Publish({"--differences-only", "--all-formulas", (dir / "x.xlsx").string(), (dir / "m.swf").string()});
    EXPECT_EQ(lonely.code, 2) << lonely.err;
}

} // namespace

// The program that turns the walk-through's screenshots into a help movie's pictures: the part
// asked for, shrunk to fit the box with every pixel of the shot counted, as a JPEG.
namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

Picture ReadJpeg(const fs::path& file)
{
    const std::vector<unsigned char> bytes = testsupport::ReadBytes(file);
    Picture picture;
    if (bytes.empty())
        return picture;
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    picture.width = static_cast<int>(info.output_width);
    picture.height = static_cast<int>(info.output_height);
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row[] = {&picture.rgb[static_cast<size_t>(info.output_scanline) * picture.width * 3]};
        jpeg_read_scanlines(&info, row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return picture;
}

int Shot(const std::vector<std::string>& arguments)
{
    return RunProgram(VANTOREL_SHOT_PROGRAM, arguments).code;
}

} // namespace

TEST(ShotProgram, CutsShrinksAndCompressesAShot)
{
    testsupport::TempDir dir;
    // 200 by 100: the left half red, the right half a one-pixel black and white check.
    CBitmap shot(200, 100, RGB(255, 0, 0));
    for (int y = 0; y < 100; ++y)
        for (int x = 100; x < 200; ++x)
            shot.SetPixel(x, y, (x + y) % 2 == 0 ? RGB(0, 0, 0) : RGB(255, 255, 255));
    ASSERT_TRUE(WritePng(dir / "shot.png", shot));
    const std::string in = (dir / "shot.png").string(), out = (dir / "out.jpg").string();

    // The right half, shrunk to a quarter each way: each pixel the mean of its 16, a mid grey,
    // never the black or white that picking one pixel of the check would give.
    ASSERT_EQ(Shot({in, out, "25", "100", "90", "100", "0", "100", "100"}), 0);
    Picture half = ReadJpeg(out);
    ASSERT_EQ(half.width, 25);
    ASSERT_EQ(half.height, 25);
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(half.At(12, 12)[c], 127, 12) << c;
        EXPECT_NEAR(half.At(0, 0)[c], 127, 12) << "the red half is outside the part";
    }

    // The whole shot in a box of another shape keeps its proportions and is never enlarged.
    ASSERT_EQ(Shot({in, out, "100", "100", "90"}), 0);
    Picture whole = ReadJpeg(out);
    EXPECT_EQ(whole.width, 100);
    EXPECT_EQ(whole.height, 50);
    EXPECT_GT(whole.At(10, 25)[0], 200);
    EXPECT_LT(whole.At(10, 25)[1], 60);
    ASSERT_EQ(Shot({in, out, "400", "400", "90"}), 0);
    EXPECT_EQ(ReadJpeg(out).width, 200);

    // A part reaching outside the shot, a quality outside 1 to 100 and a file that is no PNG are
    // refused, and no picture is written.
    fs::remove(out);
    EXPECT_EQ(Shot({in, out, "50", "50", "90", "150", "0", "100", "100"}), 2);
    EXPECT_EQ(Shot({in, out, "50", "50", "0"}), 2);
    testsupport::WriteBytes(dir / "not.png", std::vector<unsigned char>{'n', 'o'});
    EXPECT_EQ(Shot({(dir / "not.png").string(), out, "50", "50", "90"}), 1);
    EXPECT_FALSE(fs::exists(out));
}
