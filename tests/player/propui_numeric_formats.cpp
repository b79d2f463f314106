// Writes numeric_formats.swf: the number formats the numeric format control writes, each shown
// by the movie's two formatting functions, the components' kvShowNumber and the spreadsheet's
// TEXT, reported as fscommand("case:<name>", "<kvShowNumber>|<TEXT>"), then "done"; and
// cases.json with the texts the control's table promises.
#include "publish/FunctionLibrary.h"
#include "publish/ProgramContext.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfMovie.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfTags.h"
#include "tests/player/InitClip.h"
#include "tests/player/JsonText.h"
#include "tests/player/OutputFolder.h"
#include "tests/propui/NumericFormatCases.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A number as ActionScript source, exactly.
std::string NumberSource(double v)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    std::filesystem::path install = testsupport::InstallDir();
    try {
        CSwfMovie base;
        base.LoadFile(install / "asset" / "kvbase.dat");
        const CSwfRawData* shared = nullptr;
        for (const ClipEntry& clip : base.GetClipEntries())
            if (clip.GetName() == "mgr")
                shared = clip.GetInitActions();
        CProgramContext context(install);
        CProgramContext::Scope use(context);
        CFunctionLibrary& library = *context.SetFunctionLibrary(
            std::make_unique<CFunctionLibrary>((install / "asset" / "func.dat").string()));
        if (shared == nullptr || library.GetFunctionCount() == 0) {
            std::fprintf(stderr, "the installed base movie or function library is unusable\n");
            return 1;
        }
        library.UseFunction("TEXT");

        std::string source, cases = "[\n";
        bool first = true;
        for (const auto& c : numfmt_cases::kCases) {
            std::string code = playertest::JsonText(c.code), value = NumberSource(c.value);
            source += "fscommand(\"case:" + std::string(c.name) + "\", kvShowNumber(" + value + ", " + code +
                      ") + \"|\" + kvLib.TEXT(" + value + ", " + code + "));\n";
            cases += std::string(first ? "" : ",\n") + "{\"name\": " + playertest::JsonText(c.name) +
                     ", \"code\": " + code + ", \"text\": " + playertest::JsonText(c.text) + "}";
            first = false;
        }
        source += "fscommand(\"done\", \"\");\nstop();\n";

        CSwfOutputMovie movie;
        movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(255, 255, 255));
        movie.AddTag(std::make_unique<CSwfDoAction>(*shared));
        movie.AddTag(&library);
        std::string component = ReadText(testsupport::SourceDir() / "assets" / "shared" / "component.as");
        movie.AddTag(std::make_unique<CSwfDoAction>(
            CSwfRawData(playertest::CompileChecked(component, "component.as"))));
        movie.AddTag(
            std::make_unique<CSwfDoAction>(CSwfRawData(playertest::CompileChecked(source, "numeric formats"))));
        movie.AddTag(std::make_unique<CSwfShowFrame>());
        movie.WriteFile(folder / "numeric_formats.swf", 200, 100, 12.0, false);
        std::ofstream(folder / "cases.json", std::ios::binary) << cases << "\n]\n";
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
