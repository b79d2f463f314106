// Writes base_movie.swf: the installed base movie written by CBaseMovie, after the function
// library the formulas use, with a compiled model whose calculation its init code defines and
// a frame script that runs it and reports the values. It shows that the init code is there
// before the first frame's script, that the ranges formulas read come through the movie's range
// arrays in the order of the network, and that the manager is placed as "mgr".

#include "publish/BaseMovie.h"
#include "publish/FunctionLibrary.h"
#include "publish/ProgramContext.h"
#include "publish/ModelNetwork.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/cells/VariableTable.h"
#include "swf/ActionEmitter.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfTags.h"
#include "tests/player/FormulaMovie.h"
#include "tests/player/PlayerReport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const char* install = std::getenv("VANTOREL_INSTALL_DIR");
    if (argc < 2 || install == nullptr) {
        std::fprintf(stderr, "usage: VANTOREL_INSTALL_DIR=<folder> %s <output folder>\n", argv[0]);
        return 2;
    }
    std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    swf::IdCounter ids(1);
    swf::IdCounter depths(1);
    CProgramContext context(install);
    CProgramContext::Scope use(context);
    CFunctionLibrary& library = *context.SetFunctionLibrary(
        std::make_unique<CFunctionLibrary>((std::filesystem::path(install) / "asset" / "func.dat").string()));
    std::unique_ptr<CBaseMovie> base;
    try {
        base = CBaseMovie::Create(install, ids, depths);
    } catch (const BaseMovieError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    context.UseBaseMovie(base.get());

    // A share-of-total column: each B divides its A by the sum of the A column, and C1 adds the
    // shares up again; C1 is listed first so that only the order of the network makes it right.
    CCellModel& cells = base->GetCellModel();
    CVariableTable& table = base->GetVariableTable();
    const std::vector<std::pair<std::string, std::string>> formulas = {{"C1", "B1+B2+B3"},
                                                                       {"B1", "A1/SUM($A$1:$A$3)"},
                                                                       {"B2", "A2/SUM($A$1:$A$3)"},
                                                                       {"B3", "A3/SUM($A$1:$A$3)"}};
    const char* numbers[] = {"1", "2", "5"};
    for (int row = 1; row <= 3; ++row)
        cells.SetCell("Data", row, 1, CCellData{numbers[row - 1], "number", "", false});
    BoundCells bound;
    std::vector<std::pair<std::string, int32_t>> reports;
    for (const auto& [cell, formula] : formulas) {
        int row = std::stoi(cell.substr(1));
        int column = cell[0] - 'A' + 1;
        cells.SetCell("Data", row, column, CCellData{"", "", formula, false});
        int32_t id = table.AddCell("Data", row, column);
        bound.formulas.insert(id);
        reports.emplace_back(cell, id);
    }
    for (const auto& [cell, id] : reports)
        base->GetNetwork().CompileCell(id, cells, table, bound, base->GetValueMap());
    base->BuildExportMaps();
    if (!base->GetNetwork().GetProblems().empty()) {
        std::fprintf(stderr, "the sample model does not compile cleanly\n");
        return 1;
    }

    // As published movies do: the init code defines the calculation, the frame script runs it
    // once the library's functions are defined.
    auto calculate = std::make_unique<CActionDefineFunction>("kvCalc");
    playertest::WriteNetwork(table, base->GetNetwork(), calculate->GetBody());
    auto init = std::make_unique<CInitCodeTag>();
    init->GetActions().Add(std::move(calculate));
    base->SetInitCode(std::move(init));
    CActionList frame;
    swf::ActionEmitter(frame).Int(0).Str("kvCalc").Op(swf::ActionCode::CallFunction).Op(swf::ActionCode::Pop);
    for (const auto& [cell, id] : reports)
        playertest::Report(frame, cell, CellVariableName(id));
    swf::ActionEmitter(frame)
        .Str("managerPath")
        .Get("mgr")
        .Op(swf::ActionCode::ToString)
        .Op(swf::ActionCode::SetVariable);
    playertest::Report(frame, "mgr", "managerPath");
    playertest::Report(frame, "done", "");
    frame.Add(std::make_unique<CActionCode>(swf::ActionCode::Stop));
    base->SetFrameScript(std::make_unique<CSwfDoAction>(std::move(frame)));

    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(255, 255, 255));
    movie.AddTag(&library);
    movie.AddTag(base.get());
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    try {
        movie.WriteFile(folder / "base_movie.swf", 4000, 3000, 30.0, true);
    } catch (const swf::SwfError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    movie.RemoveAllTags();
    return 0;
}
