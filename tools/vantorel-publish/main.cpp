// vantorel-publish: publishes a document as a movie without the program's windows.
//
//   vantorel-publish [options] <document.vtd> <movie.swf>
//   vantorel-publish [options] <description.json> [<workbook.xlsx>] <movie.swf>
//   vantorel-publish [options] --all-formulas <workbook.xlsx> <movie.swf>
//
// Exit codes: 0 written; 1 the output cannot be written or built (a formula the movie cannot
// hold included); 2 usage; 3 a file is
// missing; 4 a damaged document; 5 a workbook or description it cannot read; 6 a damaged or
// missing installation; 7 with --strict, the movie cannot calculate every formula as the
// spreadsheet does (unsupported functions, circular references, formulas it cannot read); 8
// with --check-values, the movie's values differ from the workbook's.

#include "model/FileBytes.h"
#include "publish/ModelNetwork.h"
#include "publish/MovieBuilder.h"
#include "publish/Publisher.h"
#include "sheet/workbook/XlsxReader.h"
#include "swf/SwfError.h"
#include "swf/SwfMovie.h"
#include "tools/cli/CommandLine.h"
#include "tools/cli/InstallFolder.h"
#include "tools/cli/Progress.h"
#include "tools/vantorel-publish/CheckValues.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int kUsage = 2;
constexpr int kInstallation = 6;
constexpr int kStrictFailure = 7;
// What a publication may take before it stops with a message instead of taking the machine's
// memory (a workbook of long formulas can ask for gigabytes).
constexpr std::size_t kDefaultMemoryMegabytes = 4096;

const char* const kUsageText =
    "usage: vantorel-publish [options] <document.vtd> <movie.swf>\n"
    "       vantorel-publish [options] <description.json> [<workbook.xlsx>] <movie.swf>\n"
    "       vantorel-publish [options] --all-formulas <workbook.xlsx> <movie.swf>\n"
    "(- as the movie writes it to standard output)\n"
    "\n"
    "options:\n"
    "  --install <folder>  the installation folder (default: $VANTOREL_INSTALL_DIR, else the one\n"
    "                      beside the program)\n"
    "  --preview           the in-program preview movie instead of the export\n"
    "  --map <file>        also write the movie's variables as V12<TAB>Sales<TAB>B7 lines\n"
    "  --all-formulas      a movie without components whose model is every formula of the workbook\n"
    "  --strict            fail (exit 7) on unsupported functions, circular references or formulas\n"
    "                      that cannot be read (which otherwise keep the workbook's stored values)\n"
    "  --memory-budget <MB> the memory publishing may take (default 4096)\n"
    "  --check-values      play the movie in the test player and list each formula cell's value\n"
    "                      beside the workbook's cached one, once the movie has calculated\n"
    "  --differences-only  with --check-values, list only the cells whose values differ\n"
    "  -q, --quiet         no progress on the terminal\n"
    "  -h, --help          this text\n"
    "  --version           the program's version\n"
    "\n"
    "exit codes: 1 the movie cannot be built or written (or cannot hold a formula), 2 usage,\n"
    "3 a missing file, 4 a damaged document, 5 a workbook or description it cannot read, 6 no\n"
    "usable installation folder, 7 unsupported functions, circular references or unreadable formulas\n"
    "with --strict, 8 values that differ with --check-values\n";

const std::vector<cli::OptionSpec> kOptions = {
    {"--install", 0, true},  {"--map", 0, true},    {"--preview", 0, false}, {"--all-formulas", 0, false},
    {"--strict", 0, false},  {"--quiet", 'q', false}, {"--help", 'h', false},  {"--version", 0, false},
    {"--memory-budget", 0, true}, {"--check-values", 0, false}, {"--differences-only", 0, false},
};

struct Options {
    bool preview = false;
    bool allFormulas = false;
    bool strict = false;
    bool quiet = false;
    bool checkValues = false;
    bool differencesOnly = false;
    std::optional<std::string> install;
    std::size_t memoryMegabytes = kDefaultMemoryMegabytes;
    std::optional<std::filesystem::path> map;
    std::vector<std::filesystem::path> paths;
};

int UsageError(const std::string& why)
{
    std::fprintf(stderr, "vantorel-publish: %s\n%s", why.c_str(), kUsageText);
    return kUsage;
}

// The options, or the text of what is wrong with the line.
std::optional<Options> ReadOptions(const cli::Arguments& arguments, std::string& problem)
{
    Options options;
    options.preview = arguments.Has("--preview");
    options.allFormulas = arguments.Has("--all-formulas");
    options.strict = arguments.Has("--strict");
    options.quiet = arguments.Has("--quiet");
    options.checkValues = arguments.Has("--check-values");
    options.differencesOnly = arguments.Has("--differences-only");
    options.install = arguments.Value("--install");
    if (std::optional<std::string> map = arguments.Value("--map")) {
        if (map->empty()) {
            problem = "--map needs the name of the file to write";
            return std::nullopt;
        }
        options.map = *map;
    }
    if (std::optional<std::string> budget = arguments.Value("--memory-budget")) {
        char* end = nullptr;
        const unsigned long long megabytes = std::strtoull(budget->c_str(), &end, 10);
        if (budget->empty() || *end != '\0' || megabytes == 0 || megabytes > (1ull << 30)) {
            problem = "--memory-budget takes a number of megabytes";
            return std::nullopt;
        }
        options.memoryMegabytes = static_cast<std::size_t>(megabytes);
    }
    for (const std::string& path : arguments.positional)
        options.paths.emplace_back(path);
    const std::size_t inputs = options.paths.size() < 2 ? 0 : options.paths.size() - 1;
    const bool description = inputs >= 1 && options.paths[0].extension() == ".json";
    if (inputs == 0)
        problem = "name what to publish and the movie to write";
    else if (options.allFormulas && inputs != 1)
        problem = "--all-formulas takes one workbook and the movie";
    else if (inputs > 2 || (inputs == 2 && !description))
        problem = "too many files named";
    else if (options.differencesOnly && !options.checkValues)
        problem = "--differences-only goes with --check-values";
    if (!problem.empty())
        return std::nullopt;
    return options;
}

int ExitCode(publish::PublishError::Kind kind)
{
    switch (kind) {
    case publish::PublishError::Kind::Output: return 1;
    case publish::PublishError::Kind::MissingFile: return 3;
    case publish::PublishError::Kind::DamagedDocument: return 4;
    case publish::PublishError::Kind::UnreadableWorkbook: return 5;
    case publish::PublishError::Kind::Installation: return kInstallation;
    }
    return 1;
}

void Open(publish::CPublisher& publisher, const Options& options, std::future<sheet::xlsx::Workbook> reading)
{
    const std::filesystem::path& input = options.paths[0];
    if (options.allFormulas)
        publisher.OpenWorkbookFormulas(input, std::move(reading));
    else if (input.extension() == ".json")
        publisher.OpenDescription(input, options.paths.size() == 3 ? std::optional(options.paths[1]) : std::nullopt);
    else
        publisher.OpenDocument(input);
}

std::vector<std::uint8_t> MapBytes(const publish::CPublisher& publisher)
{
    std::string text;
    for (const std::string& line : publisher.VariableMap())
        text += line + '\n';
    return {text.begin(), text.end()};
}

// The functions the movie cannot calculate, a line each with the cells that call them and what
// follows for those cells (the designer shows the same names in its own box).
void ReportUnsupportedFunctions(const publish::CPublisher& publisher)
{
    for (const std::string& line : publish::UnsupportedCallLines(publisher.UnsupportedFunctionCalls()))
        std::fprintf(stderr, "vantorel-publish: unsupported function %s: those cells and the cells reading them "
                             "show no value in the movie\n",
                     line.c_str());
}

// Counts a written movie's tags without decoding them: the movie is inflated and every tag
// header walked, which is what the report needs, while decoding the scripts of a large model
// would take a good part of the run and as much memory again as the scripts themselves.
class TagCounter : public CSwfMovie {
public:
    std::size_t GetCount() const { return count_; }

protected:
    void ParseTag(swf::TagLoader&, std::uint16_t, std::span<const std::uint8_t>, bool, std::size_t) override
    {
        ++count_;
    }
    void ClearForLoad() override
    {
        CSwfMovie::ClearForLoad();
        count_ = 0;
    }

private:
    std::size_t count_ = 0;
};

// The cells whose formulas the workbook reader could not take: the movie shows the values the
// file stored there, fixed.
void ReportUnreadFormulas(const publish::CPublisher& publisher)
{
    const std::vector<sheet::UnreadFormula>& unread = publisher.UnreadFormulas();
    constexpr std::size_t kShown = 10;
    for (std::size_t i = 0; i < unread.size() && i < kShown; ++i)
        std::fprintf(stderr, "vantorel-publish: %s keeps its stored value: the formula %s\n", unread[i].cell.c_str(),
                     unread[i].reason.c_str());
    if (unread.size() > kShown)
        std::fprintf(stderr, "vantorel-publish: and %zu more formulas keep their stored values\n",
                     unread.size() - kShown);
}

void Report(const publish::CPublisher& publisher, const std::filesystem::path& output,
            const publish::MovieBuildResult& result, FILE* lines)
{
    // Read back with our own reader: what is reported is what the file holds.
    TagCounter written;
    written.LoadFile(output);
    const unsigned frames = written.GetFrameCount();
    std::fprintf(lines, "wrote %s: %zu tags, %u %s, %zu bytes\n", output.string().c_str(), written.GetCount(), frames,
                frames == 1 ? "frame" : "frames", result.byteCount);
    std::string used;
    for (const std::string& name : publisher.UsedFunctions())
        used += (used.empty() ? "" : " ") + name;
    std::fprintf(lines, "library functions: %s\n", used.empty() ? "(none)" : used.c_str());
    for (const std::string& problem : result.assetProblems)
        std::fprintf(stderr, "vantorel-publish: %s\n", problem.c_str());
    if (result.externalAssets)
        std::fprintf(lines, "assets copied beside the movie: keep the folder %s with it\n",
                    output.parent_path().append(output.stem().string()).string().c_str());
    ReportUnsupportedFunctions(publisher);
    ReportUnreadFormulas(publisher);
}

// A new publisher, made on a thread of its own when one can be had.
std::future<publish::CPublisher*> LoadPublisherAside(const std::filesystem::path& install)
{
    auto load = [install] { return new publish::CPublisher(install); };
    try {
        return std::async(std::launch::async, load);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, load);
    }
}

// The publisher of the run. Freeing the model of a large workbook, cell by cell, takes a good
// part of the run, and the process ends right after and gives its memory back at once: the
// publisher is never taken down, only its temporary files are removed.
publish::CPublisher* g_publisher = nullptr;

// A movie written to standard output ("-" as the output) is built in a temporary folder of
// its own first; the folder goes when the run ends.
struct StandardOutput {
    std::filesystem::path folder;
    ~StandardOutput()
    {
        std::error_code error;
        if (!folder.empty())
            std::filesystem::remove_all(folder, error);
    }
};

// Copies the written movie to standard output.
void WriteToStandardOutput(const std::filesystem::path& movie)
{
    std::vector<std::uint8_t> bytes;
    std::string reason;
    if (!model::ReadFileBytes(movie.string(), bytes, std::size_t(1) << 31, &reason))
        throw publish::PublishError(publish::PublishError::Kind::Output, "the written movie: " + reason);
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
        throw publish::PublishError(publish::PublishError::Kind::Output, "standard output: cannot be written");
}

int Publish(const Options& options, const std::filesystem::path& install)
{
    const bool toStandardOutput = options.paths.back() == "-";
    StandardOutput standardOutput;
    if (toStandardOutput) {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantorel-publish-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw publish::PublishError(publish::PublishError::Kind::Output,
                                        "no temporary folder for the movie written to standard output");
        standardOutput.folder = pattern;
    }
    const std::filesystem::path output =
        toStandardOutput ? standardOutput.folder / "movie.swf" : options.paths.back();
    cli::Progress progress(stderr, options.quiet);
    // Reading a large workbook and loading the installation take a while each: both at once,
    // the installation on a thread of its own. The workbook is read on this thread, where the
    // memory it takes is used again by the rest of the run once it is let go. What goes wrong
    // in the reading is reported when the publisher opens the workbook, as it always is.
    // Every workbook the run reads (the one published whole, a description's) is bounded by the
    // budget the user gave, not by the reader's defaults: a larger budget reads a larger workbook.
    const sheet::xlsx::ReadOptions within =
        sheet::xlsx::ReadOptionsWithin(static_cast<std::uint64_t>(options.memoryMegabytes) << 20);
    std::future<sheet::xlsx::Workbook> reading;
    if (options.allFormulas) {
        std::future<publish::CPublisher*> loading = LoadPublisherAside(install);
        std::promise<sheet::xlsx::Workbook> read;
        try {
            read.set_value(sheet::xlsx::ReadWorkbookFile(options.paths[0].string(), within));
        } catch (...) {
            read.set_exception(std::current_exception());
        }
        reading = read.get_future();
        g_publisher = loading.get();
    } else {
        g_publisher = new publish::CPublisher(install);
    }
    publish::CPublisher& publisher = *g_publisher;
    publisher.SetWorkbookReading(within);
    struct EndOfRun {
        publish::CPublisher& publisher;
        ~EndOfRun()
        {
            publisher.SetProgress(nullptr);
            publisher.RemoveTemporaryFiles();
        }
    } endOfRun{publisher};
    // Only a progress line that shows is fed: the steps' texts cost a walk over every cell.
    if (progress.Enabled())
        publisher.SetProgress([&progress](const std::string& step) { progress.Step(step); });
    Open(publisher, options, std::move(reading));
    for (const std::string& note : publisher.Notes())
        std::fprintf(stderr, "vantorel-publish: %s\n", note.c_str());
    const std::vector<std::vector<std::string>> circles = publisher.CircularReferences();
    if (!circles.empty()) {
        progress.Done();
        for (const std::vector<std::string>& circle : circles) {
            std::string cells;
            for (const std::string& cell : circle)
                cells += " " + cell;
            if (publisher.WorkbookIterates())
                std::fprintf(stderr, "vantorel-publish: circular reference:%s (the movie iterates it as the "
                                     "workbook is set to)\n",
                             cells.c_str());
            else
                std::fprintf(stderr, "vantorel-publish: circular reference:%s (the movie shows %s there, as a "
                                     "spreadsheet not set to iterate does)\n",
                             cells.c_str(), kCircularValue);
        }
    }
    // A formula left out of the movie would leave its cell, and every cell reading it, wrong
    // without a word: the movie is not written.
    const std::vector<std::pair<std::string, std::string>> uncompiled = publisher.UncompiledFormulas();
    if (!uncompiled.empty()) {
        progress.Done();
        constexpr std::size_t kShown = 10;
        for (std::size_t i = 0; i < uncompiled.size() && i < kShown; ++i)
            std::fprintf(stderr, "vantorel-publish: the formula of %s cannot be put in the movie: %s\n",
                         uncompiled[i].first.c_str(), uncompiled[i].second.c_str());
        if (uncompiled.size() > kShown)
            std::fprintf(stderr, "vantorel-publish: and %zu more formulas\n", uncompiled.size() - kShown);
        std::fprintf(stderr, "vantorel-publish: nothing written\n");
        return 1;
    }
    if (options.strict &&
        (!publisher.UnsupportedFunctions().empty() || !circles.empty() || !publisher.UnreadFormulas().empty())) {
        progress.Done();
        ReportUnsupportedFunctions(publisher);
        ReportUnreadFormulas(publisher);
        std::fprintf(stderr, "vantorel-publish: --strict: the movie cannot calculate every formula as the "
                             "spreadsheet does; nothing written\n");
        return kStrictFailure;
    }
    // The movie, the files beside it and the map land together, or none of them does.
    model::CFileBatch outputs;
    if (options.map) {
        publisher.RefuseInputAsOutput(*options.map);
        if (options.map->lexically_normal() == output.lexically_normal() || model::SameFile(*options.map, output))
            throw publish::PublishError(publish::PublishError::Kind::Output,
                                        options.map->string() + ": the map and the movie need files of their own");
        const std::vector<std::uint8_t> map = MapBytes(publisher);
        std::string reason;
        if (!outputs.Stage(*options.map, map.data(), map.size(), reason))
            throw publish::PublishError(publish::PublishError::Kind::Output, reason);
        outputs.MarkDescription(*options.map);
    }
    publish::MovieBuildResult result = publisher.Publish(output, options.preview, &outputs);
    std::string reason;
    if (!outputs.Commit(reason))
        throw publish::PublishError(publish::PublishError::Kind::Output, reason);
    progress.Done();
    // Standard output carries the movie then, so the report goes to the error stream.
    Report(publisher, output, result, toStandardOutput ? stderr : stdout);
    if (toStandardOutput) {
        if (result.externalAssets)
            throw publish::PublishError(publish::PublishError::Kind::Output,
                                        "the movie needs files beside it: name an output file instead of -");
        WriteToStandardOutput(output);
    }
    return options.checkValues ? CheckMovieValues(publisher, output, options.differencesOnly) : 0;
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTOREL_PUBLISH_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VANTOREL_PUBLISH_SANITIZED 1
#endif

// Bounds the memory the process can take on top of what it holds now, so that a publication
// larger than the budget ends in an allocation failure, reported, rather than in the machine
// swapping. The sanitizers reserve memory of their own and manage without the bound.
void SetMemoryBudget(std::size_t megabytes)
{
#ifndef VANTOREL_PUBLISH_SANITIZED
    rlimit limit{};
    if (getrlimit(RLIMIT_DATA, &limit) != 0)
        return;
    const rlim_t budget = static_cast<rlim_t>(megabytes) << 20;
    if (limit.rlim_max != RLIM_INFINITY && budget > limit.rlim_max)
        return;
    limit.rlim_cur = budget;
    setrlimit(RLIMIT_DATA, &limit);
#else
    (void)megabytes;
#endif
}

} // namespace

int main(int argc, char** argv)
{
    const cli::ParseResult parsed = cli::ParseArguments(argc, argv, kOptions);
    if (!parsed.error.empty())
        return UsageError(parsed.error);
    if (parsed.arguments.Has("--help")) {
        std::fputs(kUsageText, stdout);
        return 0;
    }
    if (parsed.arguments.Has("--version")) {
        std::printf("%s\n", cli::VersionText("vantorel-publish").c_str());
        return 0;
    }
    std::string problem;
    std::optional<Options> options = ReadOptions(parsed.arguments, problem);
    if (!options)
        return UsageError(problem);
    const cli::InstallSearch search =
        cli::FindInstallFolder(options->install, std::getenv("VANTOREL_INSTALL_DIR"), cli::ProgramPath(argv[0]));
    if (!search.found) {
        std::fprintf(stderr, "vantorel-publish: %s\n", cli::NotFoundMessage(search).c_str());
        return kInstallation;
    }
    SetMemoryBudget(options->memoryMegabytes);
    try {
        return Publish(*options, *search.found);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr,
                     "vantorel-publish: publishing this needs more memory than its budget of %zu MB; nothing "
                     "written (a larger budget: --memory-budget)\n",
                     options->memoryMegabytes);
        return 1;
    } catch (const publish::PublishError& error) {
        std::fprintf(stderr, "vantorel-publish: %s\n", error.what());
        return ExitCode(error.GetKind());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vantorel-publish: %s\n", error.what());
        return 1;
    }
}
