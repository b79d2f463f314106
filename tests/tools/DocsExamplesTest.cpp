// Every example of the documentation is run: a description or a component written in docs/
// must publish with the shipped sample workbook, without an unsupported function or a
// circular reference, exactly as printed.
#include "publish/Json.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// The ```json blocks of a Markdown file, with their line numbers.
std::vector<std::pair<int, std::string>> JsonBlocks(const fs::path& file)
{
    std::vector<std::pair<int, std::string>> blocks;
    std::ifstream in(file);
    std::string line, block;
    int number = 0, start = 0;
    bool inside = false;
    while (std::getline(in, line)) {
        ++number;
        if (!inside && line.rfind("```json", 0) == 0) {
            inside = true;
            start = number;
            block.clear();
        } else if (inside && line.rfind("```", 0) == 0) {
            inside = false;
            blocks.emplace_back(start, block);
        } else if (inside) {
            block += line + "\n";
        }
    }
    return blocks;
}

// Runs a command line through the shell; its exit code and what it printed.
std::pair<int, std::string> Shell(const std::string& command)
{
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return {-1, "no shell"};
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string Quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

TEST(DocsExamples, EveryDescriptionAndComponentInTheDocsPublishes)
{
    testsupport::TempDir dir;
    const fs::path samples = testsupport::SourceDir() / "assets" / "samples";
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(testsupport::SourceDir() / "docs")) {
        if (entry.path().extension() != ".md")
            continue;
        for (const auto& [line, block] : JsonBlocks(entry.path())) {
            const std::string where = entry.path().filename().string() + ":" + std::to_string(line);
            json::Error error;
            const std::optional<json::Value> value = json::Parse(block, &error);
            ASSERT_TRUE(value) << where << ": " << error.ToString();
            std::string description = block;
            std::string workbook = "regional-sales.xlsx";
            if (value->Find("symbol")) {
                description = R"({"canvas": {"width": 800, "height": 600}, "components": [)" + block + "]}";
            } else if (const json::Value* named = value->Find("workbook")) {
                workbook = named->text;
            } else {
                ADD_FAILURE() << where << ": neither a description nor a component";
                continue;
            }
            const fs::path file = dir / ("example-" + std::to_string(++examples) + ".json");
            std::ofstream(file) << description;
            const auto [code, output] =
                Shell(std::string(VANTOREL_PUBLISH_PROGRAM) + " --strict " + Quoted(file) + " " +
                      Quoted(samples / workbook) + " " + Quoted(dir / "example.swf"));
            EXPECT_EQ(code, 0) << where << "\n" << output;
        }
    }
    EXPECT_GE(examples, 2);
}

// The parameter list is written from the components themselves, so it names every one the
// installation has, each parameter under its group.
TEST(DocsExamples, TheParameterListNamesEveryComponentAndTheGroupsOfItsParameters)
{
    const auto [code, list] = Shell(std::string(VANTOREL_DOC_PROGRAM) + " --parameters");
    ASSERT_EQ(code, 0) << list;
    for (const auto& entry : fs::directory_iterator(testsupport::InstallDir() / "component" / "default")) {
        if (entry.path().extension() == ".xml") {
            EXPECT_NE(list.find("\n## " + entry.path().stem().string() + "\n"), std::string::npos)
                << entry.path().stem();
        }
    }
    const std::size_t slider = list.find("\n## KVSliderHSymbol\n");
    ASSERT_NE(slider, std::string::npos);
    const std::string section = list.substr(slider, list.find("\n## ", slider + 1) - slider);
    EXPECT_NE(section.find("| `minValue` | `Behavior` | number | 0 |"), std::string::npos) << section;
    EXPECT_NE(section.find("| `mv` | `General` | cells"), std::string::npos) << section;
    EXPECT_NE(section.find("| `font` | `Appearance.titleTextFormat` | text | Verdana |"), std::string::npos) << section;
}

} // namespace
