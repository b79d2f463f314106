// Writes sheet_functions.swf and sheet_functions.json: every case formula of the reference
// workbooks (tests/player/workbooks/*.xlsx, column A of each) compiled the way published
// movies compute it, with the function library and the base movie of the installation folder.
// The movie reports each case's value as fscommand("<group>!A<row>", "<typeof>:<value>"),
// then "done"; the JSON holds what each case must give and the functions the library lacks.
// sheet_functions_trimmed.swf computes the same cases over range bands without the cells that
// hold nothing.
//
// Usage: make_sheet_functions <output folder> <workbooks folder> <installation folder>

#include "publish/ModelNetwork.h"
#include "sheet/formula/CallingConvention.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/formula/FunctionLibraryHook.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxReader.h"
#include "swf/ActionEmitter.h"
#include "swf/ClipEntry.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfError.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfTags.h"
#include "tests/player/FormulaMovie.h"
#include "tests/player/InitClip.h"
#include "tests/player/JsonText.h"
#include "tools/actionscript/Compiler.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using playertest::JsonText;

namespace fs = std::filesystem;

// The library as the movie will have it: every export of func.dat is a function.
class AssetLibrary : public IFunctionLibrary {
public:
    explicit AssetLibrary(std::set<std::string, std::less<>> names) : names_(std::move(names)) {}
    int GetSymbolKind(std::string_view name) override
    {
        if (int kind = callconv::OperatorKindOf(name))
            return kind;
        return names_.count(name) ? callconv::kFunction : 0;
    }
    void UseFunction(std::string_view name) override { used.insert(std::string(name)); }
    void ReleaseFunction(std::string_view) override {}
    std::set<std::string, std::less<>> used;

private:
    std::set<std::string, std::less<>> names_;
};

struct Case {
    std::string id; // group!A<row>
    std::string formula;
    std::string expected; // "n:5", "s:text", "b:TRUE", "e:#N/A"
    std::string note;     // why the expectation departs from the computing program
    double tolerance = 0; // relative, where the case has one of its own
    int32_t cell = -1;
    std::set<std::string> functions;
};

std::string Expectation(const sheet::xlsx::Cell& cell)
{
    switch (cell.type) {
    case CellType::Number: {
        char text[40];
        std::snprintf(text, sizeof text, "n:%.17g", cell.number);
        return text;
    }
    case CellType::Boolean:
        return cell.number != 0 ? "b:TRUE" : "b:FALSE";
    case CellType::Error:
        return "e:" + cell.text;
    case CellType::Text:
        return "s:" + cell.text;
    case CellType::Empty:
    case CellType::DateTime:
        break;
    }
    return "s:";
}

// The names a formula calls, as the emitter spells them, for the report of missing ones.
std::set<std::string> CalledNames(const std::string& formula)
{
    std::set<std::string> names;
    std::string word;
    bool quoted = false;
    for (char c : formula) {
        if (c == '"')
            quoted = !quoted;
        if (!quoted && (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_')) {
            word += c;
            continue;
        }
        if (!quoted && c == '(' && !word.empty()) {
            std::string name = word.rfind("_xlfn.", 0) == 0 ? word.substr(6) : word;
            std::transform(name.begin(), name.end(), name.begin(), [](unsigned char ch) { return std::toupper(ch); });
            names.insert(callconv::MovieFunctionName(name));
        }
        word.clear();
    }
    return names;
}

// fscommand(id, typeof v + ":" + v) for the case's cell.
void ReportTyped(CActionList& actions, const std::string& command, const std::string& variable)
{
    using swf::ActionCode;
    swf::ActionEmitter(actions)
        .Str("FSCommand:" + command)
        .Get(variable)
        .Op(ActionCode::TypeOf)
        .Str(":")
        .Op(ActionCode::Add2)
        .Get(variable)
        .Op(ActionCode::Add2)
        .Raw(static_cast<uint8_t>(ActionCode::GetUrl2), {0});
}

// Strips the bands of the range views, before any formula runs, of the names of the cells that
// hold neither value nor formula: rows left without a name become undefined, and the rows
// after the last named one go, as the bands of a model whose empty cells have no variables
// are. Reports how many rows went or became undefined as "trimmed".
const char* kTrimBands = R"(
var kvTrimmed = 0;
for (var k = 0; _root["kvB" + k] != undefined; k++) {
    var b = _root["kvB" + k];
    var last = -1;
    for (var r = 0; r < b.length; r++) {
        var row = b[r];
        var used = false;
        for (var c = 0; c < row.length; c++) {
            if (kvUsed[row[c]] == true) {
                used = true;
            } else {
                row[c] = undefined;
            }
        }
        if (used) {
            last = r;
        } else {
            b[r] = undefined;
            kvTrimmed++;
        }
    }
    b.length = last + 1;
}
fscommand("trimmed", kvTrimmed);
)";

// The cases' movie whose ranges read bands trimmed as kTrimBands says: every case must give
// what it gives over full bands.
void WriteTrimmedMovie(const fs::path& file, const std::vector<const CSwfRawData*>& inits, const CVariableTable& table,
                       const CModelNetwork& network, const CCellModel& model, const std::vector<Case>& cases,
                       const std::function<bool(const Case&)>& reported)
{
    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(255, 255, 255));
    uint16_t id = 1;
    for (const CSwfRawData* init : inits)
        playertest::AddInitClip(movie, id++, "", init->GetBytes());
    CActionList ranges;
    ::WriteRangeArrays(table, ranges, nullptr, &model);
    swf::ActionEmitter used(ranges);
    used.Str("kvUsed").New("Object").Op(swf::ActionCode::SetVariable);
    for (std::size_t i = 0; i < table.GetCellCount(); ++i)
        if (const std::optional<CCellRef> cell = table.GetCellAt(i); cell && model.GetCell(*cell))
            used.Get("kvUsed").Str(CellVariableName(static_cast<int32_t>(i))).Bool(true).Op(swf::ActionCode::SetMember);
    movie.AddTag(std::make_unique<CSwfDoAction>(std::move(ranges)));
    actionscript::CompileResult trim = actionscript::CompileSource(kTrimBands, "trim.as");
    if (!trim.ok())
        throw std::runtime_error(trim.error->ToString());
    trim.actions.push_back(0);
    movie.AddTag(std::make_unique<CSwfRawTag>(static_cast<uint16_t>(swf::TagCode::DoAction), std::move(trim.actions)));
    CActionList actions;
    for (const auto& [cellId, node] : network.PlainConstants())
        node->WriteVariableAction(actions);
    for (const CFormulaNode* node : network.GetEvaluationOrder())
        node->WriteVariableAction(actions);
    for (const Case& c : cases)
        if (reported(c))
            ReportTyped(actions, c.id, CellVariableName(c.cell));
    playertest::Report(actions, "done", "");
    actions.Add(std::make_unique<CActionCode>(swf::ActionCode::Stop));
    movie.AddTag(std::make_unique<CSwfDoAction>(std::move(actions)));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(file, 200, 100, 12.0, false);
}

// The calculation of a network between two readings of the clock; reports
// fscommand("elapsed", milliseconds).
void WriteTimedCalculation(CActionList& actions, const CVariableTable& table, const CModelNetwork& network)
{
    actions.Add(std::make_unique<CActionPush>("started"));
    actions.Add(std::make_unique<CActionCode>(swf::ActionCode::GetTime));
    actions.Add(std::make_unique<CActionCode>(swf::ActionCode::SetVariable));
    playertest::WriteNetwork(table, network, actions);
    actions.Add(std::make_unique<CActionPush>("elapsed"));
    actions.Add(std::make_unique<CActionCode>(swf::ActionCode::GetTime));
    actions.Add(std::make_unique<CActionPush>("started"));
    actions.Add(std::make_unique<CActionCode>(swf::ActionCode::GetVariable));
    actions.Add(std::make_unique<CActionCode>(swf::ActionCode::Subtract));
    actions.Add(std::make_unique<CActionCode>(swf::ActionCode::SetVariable));
    playertest::Report(actions, "elapsed", "elapsed");
}

// sheet_speed.swf: 5,000 SUMIF calls over 5,000-row ranges, a 5,000-deep running total,
// 5,000 exact VLOOKUP calls into 5,000 rows, 5,000 RANK calls over them and 1,000 each of
// SUMIFS and COUNTIFS, computed once; reports fscommand("elapsed",
// milliseconds) and the last values.
void WriteSpeedMovie(const fs::path& out, const std::vector<const CSwfRawData*>& inits)
{
    constexpr int kRows = 5000;
    // The player runs *IFS calls slowly even through an index: the last rows only.
    constexpr int kIfsRows = 1000;
    CCellModel model;
    const std::string sheet = "Speed";
    auto set = [&](int row, int column, const std::string& value, CellType type, const std::string& formula) {
        model.SetCell(sheet, row, column, CCellData{value, std::string(CellTypeName(type)), formula, false});
    };
    for (int row = 1; row <= kRows; ++row) {
        set(row, 1, std::to_string(row % 100), CellType::Number, "");
        set(row, 2, std::to_string(row), CellType::Number, "");
        std::string r = std::to_string(row);
        set(row, 3, "", CellType::Empty, "SUMIF($A$1:$A$5000,A" + r + ",$B$1:$B$5000)");
        set(row, 4, "", CellType::Empty, row == 1 ? "B1" : "D" + std::to_string(row - 1) + "+B" + r);
        set(row, 5, "", CellType::Empty, "VLOOKUP(A" + r + ",$A$1:$B$5000,2,FALSE)");
        set(row, 6, "", CellType::Empty, "RANK(A" + r + ",$A$1:$A$5000)");
        if (row > kRows - kIfsRows) {
            set(row, 7, "", CellType::Empty, "SUMIFS($B$1:$B$5000,$B$1:$B$5000,B" + r + ",$A$1:$A$5000,\"<=\"&A" + r + ")");
            set(row, 8, "", CellType::Empty, "COUNTIFS($A$1:$A$5000,A" + r + ",$B$1:$B$5000,B" + r + ")");
        }
    }
    CVariableTable table;
    BoundCells bound;
    for (int row = 1; row <= kRows; ++row)
        for (int column : {3, 4, 5, 6, 7, 8})
            if (column < 7 || row > kRows - kIfsRows)
                bound.formulas.insert(table.AddCell(sheet, row, column));
    CModelNetwork network;
    CCellValueMap values;
    for (int32_t cell : bound.formulas)
        network.CompileCell(cell, model, table, bound, values);
    network.Link(table);

    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(255, 255, 255));
    uint16_t id = 1;
    for (const CSwfRawData* init : inits)
        playertest::AddInitClip(movie, id++, "", init->GetBytes());
    CActionList actions;
    // As the first frame's calculation: the base movie has started pass 1.
    WriteTimedCalculation(actions, table, network);
    playertest::Report(actions, "sumif", CellVariableName(table.AddCell(sheet, kRows, 3)));
    playertest::Report(actions, "total", CellVariableName(table.AddCell(sheet, kRows, 4)));
    playertest::Report(actions, "lookup", CellVariableName(table.AddCell(sheet, kRows, 5)));
    playertest::Report(actions, "rank", CellVariableName(table.AddCell(sheet, kRows, 6)));
    playertest::Report(actions, "sumifs", CellVariableName(table.AddCell(sheet, kRows - 1, 7)));
    playertest::Report(actions, "countifs", CellVariableName(table.AddCell(sheet, kRows - 1, 8)));
    playertest::Report(actions, "done", "");
    actions.Add(std::make_unique<CActionCode>(swf::ActionCode::Stop));
    movie.AddTag(std::make_unique<CSwfDoAction>(std::move(actions)));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(out / "sheet_speed.swf", 200, 100, 12.0, false);
}

// array_speed_<name>.swf: 10,000 rows of keys (the row mod 10) and amounts (the row) and one
// formula over them, computed once as a movie's first frame computes it; reports
// fscommand("elapsed", milliseconds of the whole calculation) and fscommand("value", ...).
void WriteRowsMovie(const fs::path& out, const std::string& name, const std::string& formula,
                    const std::map<std::string, const CSwfRawData*, std::less<>>& library,
                    const std::vector<const CSwfRawData*>& base, AssetLibrary& hook)
{
    constexpr int kRows = 10000;
    CCellModel model;
    const std::string sheet = "Rows";
    for (int row = 1; row <= kRows; ++row) {
        model.SetCell(sheet, row, 1, CCellData{std::to_string(row % 10), std::string(CellTypeName(CellType::Number)), "", false});
        model.SetCell(sheet, row, 2, CCellData{std::to_string(row), std::string(CellTypeName(CellType::Number)), "", false});
    }
    model.SetCell(sheet, 1, 3, CCellData{"", "", formula, false});
    CVariableTable table;
    BoundCells bound;
    const int32_t result = table.AddCell(sheet, 1, 3);
    bound.formulas.insert(result);
    hook.used.clear();
    CModelNetwork network;
    CCellValueMap values;
    network.CompileCell(result, model, table, bound, values);
    network.Link(table);

    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(255, 255, 255));
    uint16_t id = 1;
    for (const CSwfRawData* init : base)
        playertest::AddInitClip(movie, id++, "", init->GetBytes());
    for (const std::string& used : hook.used)
        playertest::AddInitClip(movie, id++, "", library.at(used)->GetBytes());
    CActionList actions;
    WriteTimedCalculation(actions, table, network);
    playertest::Report(actions, "value", CellVariableName(result));
    playertest::Report(actions, "done", "");
    actions.Add(std::make_unique<CActionCode>(swf::ActionCode::Stop));
    movie.AddTag(std::make_unique<CSwfDoAction>(std::move(actions)));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(out / ("array_speed_" + name + ".swf"), 200, 100, 12.0, false);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <output folder> <workbooks folder> <installation folder>\n", argv[0]);
        return 2;
    }
    fs::path out = argv[1];
    fs::path workbooks = argv[2];
    fs::path install = argv[3];
    try {
        CSwfOutputMovie base;
        base.LoadFile(install / "asset" / "kvbase.dat");
        CSwfOutputMovie functions;
        functions.LoadFile(install / "asset" / "func.dat");
        std::map<std::string, const CSwfRawData*, std::less<>> library;
        for (ClipEntry& clip : functions.GetClipEntries())
            if (clip.GetInitActions())
                library[clip.GetName()] = clip.GetInitActions();
        std::set<std::string, std::less<>> names;
        for (const auto& [name, actions] : library)
            names.insert(name);
        AssetLibrary hook(names);
        SetFunctionLibraryHook(&hook);

        // One model of all workbooks, a sheet per group.
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(workbooks))
            if (entry.path().extension() == ".xlsx")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        sheet::xlsx::Workbook all;
        for (const fs::path& file : files) {
            sheet::xlsx::Workbook book = sheet::xlsx::ReadWorkbookFile(file.string());
            if (book.sheets.empty())
                continue;
            book.sheets[0].name = file.stem().string();
            all.sheets.push_back(std::move(book.sheets[0]));
            // a group's names refer to its sheet by the group's name
            for (sheet::xlsx::DefinedName& name : book.names)
                if (name.localSheet < 0)
                    all.names.push_back(std::move(name));
        }
        CCellModel model;
        sheet::FillResult filled = sheet::FillCellModel(all, model);
        if (filled.outcome != sheet::FillOutcome::Done) {
            std::fprintf(stderr, "cannot fill the model: %s %s\n", filled.failedItem.c_str(), filled.failure.c_str());
            return 1;
        }

        CVariableTable table;
        std::vector<Case> cases;
        BoundCells bound;
        for (const sheet::xlsx::Sheet& group : all.sheets) {
            for (const sheet::xlsx::Cell& cell : group.cells) {
                if (cell.column != 0 || !cell.HasFormula())
                    continue;
                Case c;
                c.id = group.name + "!A" + std::to_string(cell.row + 1);
                c.formula = cell.formula;
                c.expected = Expectation(cell);
                if (const auto* rule = group.FindCell(cell.row, 1); rule && !rule->text.empty())
                    c.expected = rule->text;
                if (const auto* why = group.FindCell(cell.row, 2); why)
                    c.note = why->text;
                if (const auto* tolerance = group.FindCell(cell.row, 3); tolerance && tolerance->type == CellType::Number)
                    c.tolerance = tolerance->number;
                c.functions = CalledNames(cell.formula);
                c.cell = table.AddCell(group.name, static_cast<int>(cell.row) + 1, 1);
                bound.formulas.insert(c.cell);
                cases.push_back(std::move(c));
            }
        }
        // The compile walk of published movies; each case counts as a formula a component shows.
        CModelNetwork network;
        CCellValueMap values;
        for (const Case& c : cases)
            network.CompileCell(c.cell, model, table, bound, values);
        network.Link(table);
        std::map<std::string, std::string> unreadable(network.GetProblems().unreadableFormulas.begin(),
                                                      network.GetProblems().unreadableFormulas.end());
        auto unparsed = [&](const Case& c) -> const std::string* {
            auto found = unreadable.find(table.GetCellAt(static_cast<size_t>(c.cell))->GetText());
            return found == unreadable.end() ? nullptr : &found->second;
        };

        CSwfOutputMovie movie;
        movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(255, 255, 255));
        uint16_t id = 1;
        for (ClipEntry& clip : base.GetClipEntries())
            if (clip.GetInitActions())
                playertest::AddInitClip(movie, id++, "", clip.GetInitActions()->GetBytes());
        std::vector<const CSwfRawData*> inits;
        for (ClipEntry& clip : base.GetClipEntries())
            if (clip.GetInitActions())
                inits.push_back(clip.GetInitActions());
        std::set<std::string> missing;
        for (const std::string& name : hook.used) {
            auto found = library.find(name);
            // NOSUCHFUNCTION stands for a function no library has: its cases check what the
            // movie gives for such a call
            if (found == library.end()) {
                if (name != "NOSUCHFUNCTION")
                    missing.insert(name);
            } else {
                playertest::AddInitClip(movie, id++, "", found->second->GetBytes());
            }
        }
        CActionList actions;
        playertest::WriteNetwork(table, network, actions, &model);
        for (const Case& c : cases)
            if (!unparsed(c))
                ReportTyped(actions, c.id, CellVariableName(c.cell));
        playertest::Report(actions, "done", "");
        actions.Add(std::make_unique<CActionCode>(swf::ActionCode::Stop));
        movie.AddTag(std::make_unique<CSwfDoAction>(std::move(actions)));
        movie.AddTag(std::make_unique<CSwfShowFrame>());
        fs::create_directories(out);
        movie.WriteFile(out / "sheet_functions.swf", 200, 100, 12.0, false);
        std::vector<const CSwfRawData*> caseInits;
        for (ClipEntry& clip : base.GetClipEntries())
            if (clip.GetInitActions())
                caseInits.push_back(clip.GetInitActions());
        for (const std::string& name : hook.used)
            if (auto found = library.find(name); found != library.end())
                caseInits.push_back(found->second);
        WriteTrimmedMovie(out / "sheet_functions_trimmed.swf", caseInits, table, network, model, cases,
                          [&](const Case& c) { return !unparsed(c); });
        SetFunctionLibraryHook(nullptr);

        std::ostringstream json;
        json << "{\n\"cases\": [\n";
        for (size_t i = 0; i < cases.size(); ++i) {
            const Case& c = cases[i];
            json << "{\"id\": " << JsonText(c.id) << ", \"formula\": " << JsonText(c.formula)
                 << ", \"expected\": " << JsonText(c.expected) << ", \"note\": " << JsonText(c.note);
            if (c.tolerance > 0) {
                char tolerance[32];
                std::snprintf(tolerance, sizeof tolerance, "%.17g", c.tolerance);
                json << ", \"tolerance\": " << tolerance;
            }
            if (const std::string* failure = unparsed(c))
                json << ", \"unparsed\": " << JsonText(*failure);
            json << ", \"missing\": [";
            bool first = true;
            for (const std::string& name : c.functions)
                if (missing.count(name)) {
                    json << (first ? "" : ", ") << JsonText(name);
                    first = false;
                }
            json << "]}" << (i + 1 < cases.size() ? "," : "") << "\n";
        }
        json << "],\n\"missing\": [";
        bool first = true;
        for (const std::string& name : missing) {
            json << (first ? "" : ", ") << JsonText(name);
            first = false;
        }
        json << "]\n}\n";
        std::ofstream(out / "sheet_functions.json") << json.str();

        hook.used.clear();
        SetFunctionLibraryHook(&hook);
        for (const char* name : {"SUMIF", "VLOOKUP", "RANK", "SUMIFS", "COUNTIFS", "kvAdd", "kvConcat", "kvShown"})
            inits.push_back(library.at(name));
        WriteSpeedMovie(out, inits);

        // The same 10,000 rows summed by key through SUMIF and through an array expression,
        // and a movie that only sets the cells (ROWS reads none), whose time both include.
        std::vector<const CSwfRawData*> baseInits;
        for (ClipEntry& clip : base.GetClipEntries())
            if (clip.GetInitActions())
                baseInits.push_back(clip.GetInitActions());
        WriteRowsMovie(out, "cells", "ROWS(A1:B10000)", library, baseInits, hook);
        WriteRowsMovie(out, "sumif", "SUMIF(A1:A10000,5,B1:B10000)", library, baseInits, hook);
        WriteRowsMovie(out, "array", "SUMPRODUCT((A1:A10000=5)*B1:B10000)", library, baseInits, hook);
        SetFunctionLibraryHook(nullptr);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
