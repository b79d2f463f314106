// Writes (or, given a workbook after the folder, only that workbook's all-formulas movie and a
// probe of its last formulas), with the publish command's own code, the movies of every shipped document and the
// all-formulas movie of every shipped sample workbook, each with a probe movie that loads it
// into level 1, lets it play, and reports the variables it names:
//   <name>.swf            the published movie (and <name>-preview.swf of each document)
//   probe-<name>.swf      reports every formula variable ("V<id>") and then "done"
//   <name>.expected.json  {"V<id>": [cached value, type, cell, formula], ...} from the workbook
// For the input check of an all-formulas movie, probe-input-<name>.swf first raises one
// constant (<name>.input.json) and runs the calculation again.

#include "publish/BaseMovie.h"
#include "publish/Publisher.h"
#include "sheet/CellModel.h"
#include "sheet/CellRef.h"
#include "sheet/VariableTable.h"
#include "swf/ActionEmitter.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfTags.h"
#include "tests/player/PlayerReport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Frames the probe waits for the published movie to load and calculate.
constexpr int kWaitFrames = 45;
constexpr std::size_t kFewVariables = 3;

struct Probe {
    std::vector<std::string> variables;
    // Set before reporting: variable and value, then the calculation is run again.
    std::string input;
    double inputValue = 0;
};

std::string JsonText(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) >= 0x20)
            out += c;
    }
    return out + "\"";
}

void WriteProbe(const fs::path& file, const std::string& movie, const Probe& probe)
{
    CSwfOutputMovie out;
    CActionList load;
    swf::ActionEmitter(load).Str(movie).Str("_level1").Raw(static_cast<uint8_t>(swf::ActionCode::GetUrl2), {0});
    out.AddTag(std::make_unique<CSwfDoAction>(std::move(load)));
    for (int i = 0; i < kWaitFrames; ++i)
        out.AddTag(std::make_unique<CSwfShowFrame>());
    CActionList report;
    swf::ActionEmitter e(report);
    if (!probe.input.empty()) {
        e.Str("_level1." + probe.input).Dbl(probe.inputValue).Op(swf::ActionCode::SetVariable);
        e.Int(0).Get("_level1").Str("kvCalc").Op(swf::ActionCode::CallMethod).Op(swf::ActionCode::Pop);
    }
    for (const std::string& name : probe.variables)
        playertest::Report(report, name, "_level1." + name);
    playertest::Report(report, "done", "");
    e.Op(swf::ActionCode::Stop);
    out.AddTag(std::make_unique<CSwfDoAction>(std::move(report)));
    out.AddTag(std::make_unique<CSwfShowFrame>());
    out.WriteFile(file, 8000, 6000, 30, true);
}

// Every formula cell the movie calculates, with the value the workbook cached for it.
std::vector<std::string> WriteExpected(publish::CPublisher& publisher, const fs::path& file)
{
    CBaseMovie& base = publisher.GetBaseMovie();
    const CVariableTable& table = base.GetVariableTable();
    std::vector<std::string> variables;
    std::ofstream out(file);
    out << "{";
    for (std::size_t i = 0; i < table.GetCellCount(); ++i) {
        std::optional<CCellRef> cell = table.GetCellAt(i);
        if (!cell)
            continue;
        std::optional<CCellData> data = base.GetCellModel().GetCell(cell->sheet, cell->row, cell->column);
        // Only what the movie calculates: a document computes the cells its components show.
        if (!data || data->formula.empty() || base.FindVariableNode(static_cast<int32_t>(i)) == nullptr)
            continue;
        const std::string name = CellVariableName(static_cast<int32_t>(i));
        out << (variables.empty() ? "" : ",") << "\n " << JsonText(name) << ": [" << JsonText(data->valueText)
            << ", " << JsonText(data->typeName) << ", " << JsonText(cell->sheet + "!" + cell->GetShortText()) << ", " << JsonText(data->formula) << "]";
        variables.push_back(name);
    }
    out << "\n}\n";
    return variables;
}

// The first number constant that a formula reads is raised by 100 and the calculation run
// again; the test checks the formulas that read it.
void WriteInputProbe(publish::CPublisher& publisher, const fs::path& file, const fs::path& description,
                     const std::string& url, Probe probe)
{
    CBaseMovie& base = publisher.GetBaseMovie();
    const CVariableTable& table = base.GetVariableTable();
    for (std::size_t i = 0; i < table.GetCellCount(); ++i) {
        std::optional<CCellRef> cell = table.GetCellAt(i);
        std::optional<CCellData> data = cell ? base.GetCellModel().GetCell(*cell) : std::nullopt;
        if (!data || !data->formula.empty() || data->typeName != CellType::Number ||
            base.FindConstantNode(static_cast<int32_t>(i)) == nullptr)
            continue;
        probe.input = CellVariableName(static_cast<int32_t>(i));
        const double from = std::stod(data->valueText);
        probe.inputValue = from + 100;
        std::ofstream(description) << "{\"variable\": " << JsonText(probe.input) << ", \"cell\": "
                                   << JsonText(cell->sheet + "!" + cell->GetShortText()) << ", \"from\": " << from
                                   << ", \"to\": " << probe.inputValue << "}\n";
        WriteProbe(file, url, probe);
        return;
    }
}

// reportAll false: only the last formulas of the order are reported (large workbooks).
bool Publish(const fs::path& install, const fs::path& input, const fs::path& folder, bool allFormulas,
             bool reportAll = true)
{
    const std::string name = input.stem().string() + (allFormulas ? "-formulas" : "");
    try {
        publish::CPublisher publisher(install);
        if (allFormulas)
            publisher.OpenWorkbookFormulas(input);
        else
            publisher.OpenDocument(input);
        publisher.Publish(folder / (name + ".swf"), false);
        Probe probe;
        probe.variables = WriteExpected(publisher, folder / (name + ".expected.json"));
        if (!reportAll && probe.variables.size() > kFewVariables)
            probe.variables.erase(probe.variables.begin(), probe.variables.end() - kFewVariables);
        // The player resolves the name against the page, which serves the movies from "movies/".
        const std::string url = "movies/" + name + ".swf";
        WriteProbe(folder / ("probe-" + name + ".swf"), url, probe);
        if (allFormulas)
            WriteInputProbe(publisher, folder / ("probe-input-" + name + ".swf"),
                            folder / (name + ".input.json"), url, probe);
        // The in-program preview of a document calculates the same values.
        if (!allFormulas) {
            const std::string preview = name + "-preview";
            publisher.Publish(folder / (preview + ".swf"), true);
            fs::copy_file(folder / (name + ".expected.json"), folder / (preview + ".expected.json"));
            WriteProbe(folder / ("probe-" + preview + ".swf"), "movies/" + preview + ".swf", probe);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", input.string().c_str(), error.what());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const char* install = std::getenv("VANTOREL_INSTALL_DIR");
    const char* source = std::getenv("VANTOREL_SOURCE_DIR");
    if (argc < 2 || install == nullptr || source == nullptr) {
        std::fprintf(stderr, "usage: VANTOREL_INSTALL_DIR=<folder> VANTOREL_SOURCE_DIR=<folder> %s <output folder>\n",
                     argv[0]);
        return 2;
    }
    const fs::path folder = argv[1];
    fs::create_directories(folder);
    // One workbook named: its all-formulas movie alone, for the speed script.
    if (argc > 2)
        return Publish(install, argv[2], folder, true, false) ? 0 : 1;
    bool ok = true;
    for (const char* shipped : {"samples", "template"}) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(fs::path(install) / shipped, error)) {
            if (entry.path().extension() == ".vtd")
                ok = Publish(install, entry.path(), folder, false) && ok;
        }
    }
    for (const auto& entry : fs::directory_iterator(fs::path(source) / "assets" / "samples")) {
        if (entry.path().extension() == ".xlsx")
            ok = Publish(install, entry.path(), folder, true) && ok;
    }
    return ok ? 0 : 1;
}
