// Writes what the end-to-end check of published movies needs besides the movies themselves,
// which the check writes with the vantorel-publish command:
//   <name>.cells.json   {"Sheet!A1": [cached value, type, formula], ...} of every cell of each
//                       shipped document's workbook, and of each shipped sample workbook as
//                       <stem>-formulas (the all-formulas movie), and of the samples as
//                       LibreOffice calculated them after the check moved their inputs
//                       (tests/player/moved-samples/<sample>-moved.xlsx)
//   probe-values.swf    loads the movie named by kvMovie into level 1, lets it calculate, sets
//                       the variable kvInput to kvTo and calculates again when asked, and
//                       reports every cell variable ("V<id>") and then "done"
//   probe-<name>.swf    for each shipped document, at its stage size: loads kvMovie into level 1
//                       and reports what the components named in kvNames show (see kShownProbe)
// Given a workbook after the folder, it writes only that workbook's all-formulas movie, with a
// probe of its last formulas (reported once the movie has calculated, after the wait at the
// least) and <name>.expected.json, for the speed script.

#include "publish/BaseMovie.h"
#include "publish/DocData.h"
#include "publish/Publisher.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/workbook/XlsxWriter.h"
#include "swf/ActionEmitter.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfTags.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/ScriptMovie.h"
#include "tests/player/PlayerReport.h"
#include "tests/sheet/XlsxTestPackages.h"
#include "tools/actionscript/Compiler.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Frames the probes wait for the published movie to load and calculate.
constexpr int kWaitFrames = 45;
constexpr std::size_t kFewVariables = 3;

// The cell variables of the movie in level 1, reported one by one after the wait; with kInput
// given, after setting it to kTo and calculating again.
// Components in the dashboard the check builds over several frames (the column H of its workbook).
constexpr std::uint32_t kManyComponents = 450;
// Rows of the workbook whose cells one list box is bound to: its scripts take more than one
// function of the movie.
constexpr int kLongListRows = 2000;

const char* kValuesProbe = R"(
getURL(kvMovie, "_level1");
var kvFrames = 0;
this.onEnterFrame = function () {
    if (++kvFrames != WAIT)
        return;
    if (kvInput != undefined && kvInput != "") {
        _level1[kvInput] = Number(kvTo);
        // a recalculation is a new pass, as the manager counts them
        if (kvLib.kvPass != undefined)
            kvLib.kvPass++;
        _level1.kvCalc();
    }
    for (var k in _level1) {
        if (k.charAt(0) == "V" && k.length > 1 && !isNaN(Number(k.substr(1))))
            fscommand(k, _level1[k]);
    }
    fscommand("done", "");
};
)";

// Once the movie in level 1 has drawn the components named in kvNames (comma-separated), sends
// "ready" with four numbers per component, where a test can take hold of it: a slider's track
// from, to, across and its thumb; a dial's centre, its needle's angle and 0; any other its x, y,
// width and height.
// Then, whenever it changes, "state": a line "cells" with every cell variable as V<id>=value,
// and a line per component with its name, each text it shows as field=text, and what its
// drawing shows as @bars= (column heights), @widths= (bar lengths), @points= (heights over the
// plot's bottom), @slices= (sweeps in degrees), @needle= (degrees) and @mv= (its value), and
// #clipped= with the fields whose text is wider than they are, all separated by tabs.
const char* kShownProbe = R"(
getURL(kvMovie, "_level1");
var kvList = kvNames == undefined || kvNames == "" ? [] : kvNames.split(",");
var kvFrames = 0, kvState = "";

function kvEach(list, pick) {
    var out = [];
    for (var i = 0; i < list.length; i++)
        out.push(pick(list[i]));
    return out.join(",");
}

function kvPlace(c) {
    if (c.kvThumb != undefined && c.kvTrackStart != undefined)
        return [c._x + c.kvTrackStart, c._x + c.kvTrackStart + c.kvTrackLength, c._y + c.kvTrackAcross,
                c._x + c.kvThumb._x];
    if (c.kvCentre != undefined && c.kvTurnFrom != undefined)
        return [c._x + c.kvCentre[0], c._y + c.kvCentre[1], c.kvNeedleAngle, 0];
    return [c._x, c._y, c.kvW, c.kvH];
}

function kvShown(name, c) {
    var parts = [name], clipped = [];
    for (var f in c.kvFields) {
        parts.push(f + "=" + c.kvFields[f]);
        // The field's text runs past its edges (2 pixels of margin each side).
        if (c[f].textWidth > c[f]._width - 4)
            clipped.push(f);
    }
    if (clipped.length > 0)
        parts.push("#clipped=" + clipped.join(","));
    if (c.kvBars.length > 0) {
        parts.push("@bars=" + kvEach(c.kvBars, function (b) { return b[3]; }));
        parts.push("@widths=" + kvEach(c.kvBars, function (b) { return b[2]; }));
    }
    if (c.kvPoints.length > 0) {
        var bottom = c.kvPlotArea[1] + c.kvPlotArea[3];
        parts.push("@points=" + kvEach(c.kvPoints, function (p) { return bottom - p[1]; }));
    }
    if (c.kvSlices != undefined)
        parts.push("@slices=" + kvEach(c.kvSlices, function (s) { return s[1]; }));
    if (c.kvNeedleAngle != undefined)
        parts.push("@needle=" + c.kvNeedleAngle);
    if (c.mv != undefined)
        parts.push("@mv=" + c.mv);
    // A list holds more items than its rows show: how many, the first and the last.
    if (typeof c.labels == "object" && c.labels.length > 0)
        parts.push("#labels=" + c.labels.length + "," + escape(c.labels[0]) + "," + escape(c.labels[c.labels.length - 1]));
    return parts.join("\t");
}

this.onEnterFrame = function () {
    var level = _level1;
    if (level == undefined || level._framesloaded < level._totalframes)
        return;
    for (var i = 0; i < kvList.length; i++) {
        if (level[kvList[i]].kvSeen == undefined)
            return;
    }
    if (++kvFrames < 3)
        return;
    if (kvFrames == 3) {
        var places = [];
        for (var j = 0; j < kvList.length; j++)
            places.push(kvPlace(level[kvList[j]]).join(","));
        fscommand("ready", places.join(","));
    }
    var cells = ["cells"];
    for (var k in level) {
        if (k.charAt(0) == "V" && k.length > 1 && !isNaN(Number(k.substr(1))))
            cells.push(k + "=" + level[k]);
    }
    var lines = [cells.join("\t")];
    for (var n = 0; n < kvList.length; n++)
        lines.push(kvShown(kvList[n], level[kvList[n]]));
    var state = lines.join("\n");
    if (state != kvState) {
        kvState = state;
        fscommand("state", state);
    }
};
)";

// A one-frame movie whose frame runs the probe's source, with WAIT replaced.
void WriteScriptMovie(const fs::path& file, std::string source, std::int32_t width, std::int32_t height)
{
    for (std::size_t at; (at = source.find("WAIT")) != std::string::npos;)
        source.replace(at, 4, std::to_string(kWaitFrames));
    playertest::WriteScriptMovie(file, source, width, height);
}

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

void WriteCells(const CCellModel& cells, const fs::path& file)
{
    std::ofstream out(file);
    const char* separator = "{";
    cells.ForEachCell([&](const CCellRef& cell, const CCellData& data) {
        out << separator << "\n " << JsonText(cell.sheet + "!" + cell.GetShortText()) << ": ["
            << JsonText(data.valueText) << ", " << JsonText(data.typeName) << ", " << JsonText(data.formula) << "]";
        separator = ",";
    });
    out << (*separator == '{' ? "{" : "") << "\n}\n";
}

// The probe of a document at its stage size and the cells of its workbook.
void WriteDocumentFiles(const fs::path& install, const fs::path& document, const fs::path& folder)
{
    publish::CPublisher publisher(install);
    publisher.OpenDocument(document);
    WriteCells(publisher.GetBaseMovie().GetCellModel(), folder / (document.stem().string() + ".cells.json"));
    std::int32_t width = 0, height = 0;
    publisher.GetDocument().GetStageSize(width, height);
    WriteScriptMovie(folder / ("probe-" + document.stem().string() + ".swf"), kShownProbe, width * 20, height * 20);
}

void WriteWorkbookCells(const fs::path& install, const fs::path& workbook, const fs::path& file)
{
    publish::CPublisher publisher(install);
    publisher.OpenWorkbookFormulas(workbook);
    WriteCells(publisher.GetBaseMovie().GetCellModel(), file);
}

// The speed script's probe: reports the variables named after the wait.
void WriteProbe(const fs::path& file, const std::string& movie, const std::vector<std::string>& variables)
{
    CSwfOutputMovie out;
    CActionList load;
    swf::ActionEmitter(load).Str(movie).Str("_level1").Raw(static_cast<uint8_t>(swf::ActionCode::GetUrl2), {0});
    out.AddTag(std::make_unique<CSwfDoAction>(std::move(load)));
    for (int i = 0; i < kWaitFrames; ++i)
        out.AddTag(std::make_unique<CSwfShowFrame>());
    CActionList report;
    for (const std::string& name : variables)
        playertest::Report(report, name, "_level1." + name);
    playertest::Report(report, "done", "");
    swf::ActionEmitter(report).Op(swf::ActionCode::Stop);
    // A first calculation longer than the wait goes on over frames: until the movie's manager
    // is ready, the playhead goes back a frame and comes here again.
    auto offset = [](const CActionList& actions) {
        const std::size_t size = actions.ToBytes(false).size();
        return std::vector<uint8_t>{static_cast<uint8_t>(size & 0xFF), static_cast<uint8_t>(size >> 8)};
    };
    CActionList again;
    swf::ActionEmitter(again)
        .Raw(static_cast<uint8_t>(swf::ActionCode::GotoFrame), {kWaitFrames - 1, 0})
        .Op(swf::ActionCode::Play)
        .Raw(static_cast<uint8_t>(swf::ActionCode::Jump), offset(report));
    CActionList check;
    swf::ActionEmitter(check)
        .Get("_level1.mgr.kvRun")
        .Op(swf::ActionCode::TypeOf)
        .Str("function")
        .Op(swf::ActionCode::StrictEquals)
        .Raw(static_cast<uint8_t>(swf::ActionCode::If), offset(again));
    check.Append(std::move(again));
    check.Append(std::move(report));
    out.AddTag(std::make_unique<CSwfDoAction>(std::move(check)));
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

// The all-formulas movie of a large workbook, a probe of its last formulas and their values.
void WriteSpeedMovie(const fs::path& install, const fs::path& workbook, const fs::path& folder)
{
    const std::string name = workbook.stem().string() + "-formulas";
    publish::CPublisher publisher(install);
    publisher.OpenWorkbookFormulas(workbook);
    publisher.Publish(folder / (name + ".swf"), false);
    std::vector<std::string> variables = WriteExpected(publisher, folder / (name + ".expected.json"));
    if (variables.size() > kFewVariables)
        variables.erase(variables.begin(), variables.end() - kFewVariables);
    // The player resolves the name against the page, which serves the movies from "movies/".
    WriteProbe(folder / ("probe-" + name + ".swf"), "movies/" + name + ".swf", variables);
}

// A dashboard of more components than one frame builds: a copy of the regional-sales workbook
// with a column of numbers, one for each component, and the probe at its canvas size (the
// description comes from the check itself).
void WriteManyComponentFiles(const fs::path& source, const fs::path& folder)
{
    std::ifstream in(source / "assets" / "samples" / "regional-sales.xlsx", std::ios::binary);
    const std::vector<std::uint8_t> workbook((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<sheet::xlsx::CellWrite> writes;
    for (std::uint32_t row = 0; row < kManyComponents; ++row)
        writes.push_back({"Sales", {row, 7}, sheet::xlsx::CellValue::Number(row * 3.0 + 1)});
    sheet::xlsx::WritePackage(workbook, (folder / "many.xlsx").string(), writes);
    WriteScriptMovie(folder / "probe-many.swf", kShownProbe, 800 * 20, 600 * 20);
}

// A list box over thousands of cells: the labels "Item <n>" are formulas over the numbers beside
// them and their sum is a formula too, none with a stored value, so what the movie shows is what
// it calculated.
void WriteLongListFiles(const fs::path& folder)
{
    std::string rows;
    for (int row = 1; row <= kLongListRows; ++row) {
        const std::string r = std::to_string(row);
        rows += "<row r=\"" + r + "\"><c r=\"A" + r + "\" t=\"str\"><f>\"Item \"&amp;B" + r + "</f></c><c r=\"B" + r +
                "\"><v>" + r + "</v></c>";
        if (row == 1)
            rows += "<c r=\"C1\"><f>SUM(B1:B" + std::to_string(kLongListRows) + ")</f></c>";
        rows += "</row>";
    }
    const std::vector<std::uint8_t> book = xlsxtest::OneSheet(xlsxtest::SheetXml(rows));
    std::ofstream((folder / "longlist.xlsx").string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(book.data()), static_cast<std::streamsize>(book.size()));
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<playertest::PublishingFolders> folders = playertest::PublishingMaker(argc, argv);
    if (!folders)
        return 2;
    const fs::path& folder = folders->output;
    const char* install = folders->install;
    const char* source = folders->source;
    fs::create_directories(folder);
    try {
        if (argc > 2) {
            WriteSpeedMovie(install, argv[2], folder);
            return 0;
        }
        WriteScriptMovie(folder / "probe-values.swf", kValuesProbe, 8000, 6000);
        WriteManyComponentFiles(source, folder);
        WriteLongListFiles(folder);
        for (const char* shipped : {"samples", "template"}) {
            for (const auto& entry : fs::recursive_directory_iterator(fs::path(install) / shipped)) {
                if (entry.path().extension() == ".vtd")
                    WriteDocumentFiles(install, entry.path(), folder);
            }
        }
        for (const auto& entry : fs::directory_iterator(fs::path(source) / "assets" / "samples")) {
            if (entry.path().extension() == ".xlsx")
                WriteWorkbookCells(install, entry.path(), folder / (entry.path().stem().string() + "-formulas.cells.json"));
        }
        // The samples as LibreOffice calculated them after the check's moves of their inputs.
        for (const auto& entry : fs::directory_iterator(fs::path(source) / "tests" / "player" / "moved-samples")) {
            if (entry.path().extension() == ".xlsx" && entry.path().stem().string().ends_with("-moved"))
                WriteWorkbookCells(install, entry.path(), folder / (entry.path().stem().string() + ".cells.json"));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "publish_movies: %s\n", error.what());
        return 1;
    }
    return 0;
}
