// vantorel-publish: publishes a document as a movie without the program's windows.
//
//   vantorel-publish [options] <document.vtd> <movie.swf>
//   vantorel-publish [options] <description.json> [<workbook.xlsx>] <movie.swf>
//   vantorel-publish [options] --all-formulas <workbook.xlsx> <movie.swf>
//
// options: --install <folder> (default: $VANTOREL_INSTALL_DIR), --preview, --map <file>
//
// Exit codes: 0 written; 1 the output cannot be written or built; 2 usage; 3 a file is
// missing; 4 a damaged document; 5 a workbook or description it cannot read; 6 a damaged
// installation.

#include "publish/MovieBuilder.h"
#include "publish/Publisher.h"
#include "swf/SwfError.h"
#include "swf/SwfMovie.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options {
    std::filesystem::path install;
    bool preview = false;
    bool allFormulas = false;
    std::optional<std::filesystem::path> map;
    std::vector<std::filesystem::path> paths;
};

int Usage()
{
    std::fprintf(stderr,
                 "usage: vantorel-publish [--install <folder>] [--preview] [--map <file>] <document.vtd> <movie.swf>\n"
                 "       vantorel-publish [...] <description.json> [<workbook.xlsx>] <movie.swf>\n"
                 "       vantorel-publish [...] --all-formulas <workbook.xlsx> <movie.swf>\n");
    return 2;
}

std::optional<Options> ParseArguments(int argc, char** argv)
{
    Options options;
    if (const char* install = std::getenv("VANTOREL_INSTALL_DIR"))
        options.install = install;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--install" && i + 1 < argc)
            options.install = argv[++i];
        else if (arg == "--map" && i + 1 < argc)
            options.map = argv[++i];
        else if (arg == "--preview")
            options.preview = true;
        else if (arg == "--all-formulas")
            options.allFormulas = true;
        else if (!arg.empty() && arg[0] == '-')
            return std::nullopt;
        else
            options.paths.emplace_back(arg);
    }
    const std::size_t inputs = options.paths.size() < 2 ? 0 : options.paths.size() - 1;
    const bool description = inputs >= 1 && options.paths[0].extension() == ".json";
    if (options.install.empty() || inputs == 0 || (inputs == 2 && !description) || inputs > 2 ||
        (options.allFormulas && inputs != 1))
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
    case publish::PublishError::Kind::Installation: return 6;
    }
    return 1;
}

void Open(publish::CPublisher& publisher, const Options& options)
{
    const std::filesystem::path& input = options.paths[0];
    if (options.allFormulas)
        publisher.OpenWorkbookFormulas(input);
    else if (input.extension() == ".json")
        publisher.OpenDescription(input, options.paths.size() == 3 ? std::optional(options.paths[1]) : std::nullopt);
    else
        publisher.OpenDocument(input);
}

void WriteMap(const publish::CPublisher& publisher, const std::filesystem::path& path)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : publisher.VariableMap())
        out << line << '\n';
    out.close();
    if (!out)
        throw publish::PublishError(publish::PublishError::Kind::Output, path.string() + ": cannot be written");
}

void Report(const publish::CPublisher& publisher, const std::filesystem::path& output,
            const publish::MovieBuildResult& result)
{
    // Read back with our own reader: what is reported is what the file holds.
    CSwfMovie written;
    written.LoadFile(output);
    const unsigned frames = written.GetFrameCount();
    std::printf("wrote %s: %zu tags, %u %s, %zu bytes\n", output.string().c_str(), written.GetTagCount(), frames,
                frames == 1 ? "frame" : "frames", result.byteCount);
    std::string used;
    for (const std::string& name : publisher.UsedFunctions())
        used += (used.empty() ? "" : " ") + name;
    std::printf("library functions: %s\n", used.empty() ? "(none)" : used.c_str());
    for (const std::string& problem : result.assetProblems)
        std::fprintf(stderr, "vantorel-publish: %s\n", problem.c_str());
    if (result.externalAssets)
        std::printf("assets copied beside the movie: keep the folder %s with it\n",
                    output.parent_path().append(output.stem().string()).string().c_str());
    const std::string unsupported = publish::UnsupportedFunctionsMessage(publisher.UnsupportedFunctions());
    if (!unsupported.empty())
        std::fprintf(stderr, "Unsupported Functions\n%s\n", unsupported.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    std::optional<Options> options = ParseArguments(argc, argv);
    if (!options)
        return Usage();
    const std::filesystem::path output = options->paths.back();
    try {
        publish::CPublisher publisher(options->install);
        Open(publisher, *options);
        publish::MovieBuildResult result = publisher.Publish(output, options->preview);
        if (options->map)
            WriteMap(publisher, *options->map);
        Report(publisher, output, result);
    } catch (const publish::PublishError& error) {
        std::fprintf(stderr, "vantorel-publish: %s\n", error.what());
        return ExitCode(error.GetKind());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vantorel-publish: %s\n", error.what());
        return 1;
    }
    return 0;
}
