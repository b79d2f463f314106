// Writes function_library.swf: formulas compiled against a function library read from an
// enciphered library movie, and the library's own tag, which carries the code of exactly the
// functions those formulas call. The movie reports each formula's value through
// fscommand("<cell>", value), then "done".

#include "publish/FunctionLibrary.h"
#include "sheet/CallingConvention.h"
#include "sheet/CellModel.h"
#include "sheet/CellRef.h"
#include "sheet/ExprNodes.h"
#include "sheet/FormulaNode.h"
#include "sheet/ModelVariable.h"
#include "sheet/VariableTable.h"
#include "swf/ActionEmitter.h"
#include "swf/Actions.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfTags.h"
#include "tests/player/PlayerReport.h"
#include "tests/publish/LibraryFixture.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using swf::ActionCode;

// arguments[index]
void Argument(swf::ActionEmitter& emit, int32_t index)
{
    emit.Get("arguments").Int(index).Op(ActionCode::GetMember);
}

// A clip's code: kvLib.<name> = function () { <body> }, after what runs first.
std::vector<uint8_t> Method(const std::string& name, CActionList body, CActionList before = {})
{
    CActionList code = std::move(before);
    swf::ActionEmitter(code).Get(callconv::kLibraryObject).Str(name);
    auto function = std::make_unique<CActionDefineFunction>("");
    function->GetBody() = std::move(body);
    code.Add(std::move(function));
    swf::ActionEmitter(code).Op(ActionCode::SetMember);
    return code.ToBytes(false);
}

std::vector<testsupport::LibraryClip> Clips()
{
    std::vector<testsupport::LibraryClip> clips;
    auto clip = [&clips](const std::string& name, auto body, auto before) {
        CActionList code, prelude;
        swf::ActionEmitter emit(code), first(prelude);
        body(emit);
        before(first);
        clips.push_back({name, Method(name, std::move(code), std::move(prelude))});
    };
    auto nothing = [](swf::ActionEmitter&) {};
    // kvAdd(x, y) = Number(x) + Number(y)
    clip(
        "kvAdd",
        [](swf::ActionEmitter& a) {
            Argument(a, 0);
            a.Op(ActionCode::ToNumber);
            Argument(a, 1);
            a.Op(ActionCode::ToNumber).Op(ActionCode::Add2).Op(ActionCode::Return);
        },
        nothing);
    // SQRT(x) = Math.sqrt(x)
    clip(
        "SQRT",
        [](swf::ActionEmitter& a) {
            Argument(a, 0);
            a.Int(1).Get("Math").Str("sqrt").Op(ActionCode::CallMethod).Op(ActionCode::Return);
        },
        nothing);
    // A first LEN that a later clip of the same name replaces.
    clip(
        "LEN", [](swf::ActionEmitter& a) { a.Int(-1).Op(ActionCode::Return); }, nothing);
    // PI: no formula calls it, so its code must not run at all.
    clip(
        "PI", [](swf::ActionEmitter& a) { a.Dbl(3.14159).Op(ActionCode::Return); },
        [](swf::ActionEmitter& a) { a.Str("kvProbe").Str("PI was written").Op(ActionCode::SetVariable); });
    // LEN(x) = String(x).length
    clip(
        "LEN",
        [](swf::ActionEmitter& a) {
            Argument(a, 0);
            a.Op(ActionCode::ToString).Str("length").Op(ActionCode::GetMember).Op(ActionCode::Return);
        },
        nothing);
    return clips;
}

using playertest::Report;

// Compiles the formulas of column C over A1 = 2 and A2 = 3.5 against the installed library and
// writes a movie of: the prelude, the library's tag, the calculation and one report per formula
// ("C<row>"), then "probe" (the variable kvProbe) and "done". False when a formula cannot be read
// or names a function the library lacks.
bool WriteMovie(const std::filesystem::path& file, CFunctionLibrary& library,
                std::unique_ptr<CSwfDoAction> prelude,
                const std::vector<std::pair<int, std::string>>& formulas)
{
    CCellModel model;
    model.SetCell("Data", 1, 1, CCellData{"2", std::string(CellType::Number), "", false});
    model.SetCell("Data", 2, 1, CCellData{"3.5", std::string(CellType::Number), "", false});
    for (const auto& [row, formula] : formulas)
        model.SetCell("Data", row, 3, CCellData{"", "", formula, false});

    CVariableTable table;
    CActionList calculation;
    std::vector<std::unique_ptr<CFormulaNode>> nodes;
    for (int row : {1, 2}) {
        CCellRef cell = *table.GetCellAt(static_cast<size_t>(table.AddCell("Data", row, 1)));
        nodes.push_back(std::make_unique<CConstantCellNode>(
            cell.id, CCompiledExpr::Compile(*model.MakeConstantNode(cell))));
    }
    std::vector<std::pair<std::string, int32_t>> reports;
    for (const auto& [row, formula] : formulas) {
        CCellRef cell = *table.GetCellAt(static_cast<size_t>(table.AddCell("Data", row, 3)));
        auto tree = model.ParseCellFormula(cell, table);
        if (!tree) {
            std::fprintf(stderr, "cannot parse %s\n", formula.c_str());
            return false;
        }
        nodes.push_back(std::make_unique<CFormulaCellNode>(cell.id, CCompiledExpr::Compile(*tree)));
        reports.emplace_back("C" + std::to_string(row), cell.id);
    }
    for (const auto& node : nodes)
        node->WriteVariableAction(calculation);
    for (const auto& [name, id] : reports)
        Report(calculation, name, CellVariableName(id));
    Report(calculation, "probe", "kvProbe");
    Report(calculation, "done", "");
    swf::ActionEmitter(calculation).Op(ActionCode::Stop);

    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(255, 255, 255));
    movie.AddTag(std::move(prelude));
    movie.AddTag(&library);
    movie.AddTag(std::make_unique<CSwfDoAction>(std::move(calculation)));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(file, 200, 100, 12.0, false);
    for (int i = 0; i < library.GetUnsupportedCount(); ++i)
        std::fprintf(stderr, "%s: unsupported %s\n", file.filename().c_str(),
                     library.GetUnsupportedName(i).c_str());
    return library.GetUnsupportedCount() == 0;
}

// The library made in memory; the movie makes the library object itself, as the base movie's
// code does in a published movie.
bool WriteFixtureMovie(const std::filesystem::path& folder)
{
    testsupport::WriteLibraryAsset(folder / "func.dat", Clips());
    CFunctionLibrary library((folder / "func.dat").string());
    CActionList prelude;
    swf::ActionEmitter(prelude)
        .Get("_global")
        .Str(callconv::kLibraryObject)
        .New("Object")
        .Op(ActionCode::SetMember);
    return WriteMovie(folder / "function_library.swf", library,
                      std::make_unique<CSwfDoAction>(std::move(prelude)),
                      {{1, "A1+A2"}, {2, "SQRT(16)"}, {3, "LEN(\"abcd\")"}, {4, "LEN(A2)+A1"}});
}

// The library the build installs, with the shared spreadsheet code it relies on: the base
// movie's manager initialisation, run as the first script.
bool WriteInstalledMovie(const std::filesystem::path& folder, const std::filesystem::path& install)
{
    CSwfMovie base;
    base.LoadFile(install / "asset" / "kvbase.dat");
    const CSwfRawData* shared = nullptr;
    for (const ClipEntry& clip : base.GetClipEntries())
        if (clip.GetName() == "mgr")
            shared = clip.GetInitActions();
    CFunctionLibrary library((install / "asset" / "func.dat").string());
    if (shared == nullptr || library.GetFunctionCount() == 0) {
        std::fprintf(stderr, "the installed base movie or function library is unusable\n");
        return false;
    }
    return WriteMovie(folder / "function_library_installed.swf", library,
                      std::make_unique<CSwfDoAction>(*shared),
                      {{1, "A1+A2"},
                       {2, "SUM(A1,A2,4)"},
                       {3, "AVERAGE(A1,A2)"},
                       {4, "ABS(-A1)"},
                       {5, "\"x\"&A1"},
                       {6, "ROUND(A2/3,2)"},
                       {7, "IF(A1>A2,\"more\",\"less\")"}});
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    if (!WriteFixtureMovie(folder))
        return 1;
    return WriteInstalledMovie(folder, testsupport::InstallDir()) ? 0 : 1;
}
