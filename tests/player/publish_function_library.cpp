// Writes function_library.swf: formulas compiled against the function library the build
// installs, with the library's own tag, which carries the code of exactly the functions those
// formulas call, after the shared spreadsheet code of the base movie's manager. The movie
// reports each formula's value through fscommand("C<row>", value), then "done".

#include "publish/FunctionLibrary.h"
#include "publish/ProgramContext.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/formula/ExprNodes.h"
#include "sheet/formula/FormulaNode.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/VariableTable.h"
#include "swf/ActionEmitter.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfMovie.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfTags.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PlayerReport.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    std::filesystem::path install = testsupport::InstallDir();

    // The helpers every library function relies on (coercions, the error value, kvLib) are
    // the initialisation of the manager clip "mgr".
    CSwfMovie base;
    base.LoadFile(install / "asset" / "kvbase.dat");
    const CSwfRawData* shared = nullptr;
    for (const ClipEntry& clip : base.GetClipEntries())
        if (clip.GetName() == "mgr")
            shared = clip.GetInitActions();
    CProgramContext context(install);
    CProgramContext::Scope use(context);
    CFunctionLibrary& library =
        *context.SetFunctionLibrary(std::make_unique<CFunctionLibrary>((install / "asset" / "func.dat").string()));
    if (shared == nullptr || library.GetFunctionCount() == 0) {
        std::fprintf(stderr, "the installed base movie or function library is unusable\n");
        return 1;
    }

    // Column C over A1 = 2 and A2 = 3.5.
    const std::vector<std::pair<int, std::string>> formulas = {{1, "A1+A2"},
                                                               {2, "SUM(A1,A2,4)"},
                                                               {3, "AVERAGE(A1,A2)"},
                                                               {4, "ABS(-A1)"},
                                                               {5, "\"x\"&A1"},
                                                               {6, "ROUND(A2/3,2)"},
                                                               {7, "IF(A1>A2,\"more\",\"less\")"}};
    CCellModel model;
    model.SetCell("Data", 1, 1, CCellData{"2", std::string(CellTypeName(CellType::Number)), "", false});
    model.SetCell("Data", 2, 1, CCellData{"3.5", std::string(CellTypeName(CellType::Number)), "", false});
    for (const auto& [row, formula] : formulas)
        model.SetCell("Data", row, 3, CCellData{"", "", formula, false});

    CVariableTable table;
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
            return 1;
        }
        nodes.push_back(std::make_unique<CFormulaCellNode>(cell.id, CCompiledExpr::Compile(*tree)));
        reports.emplace_back("C" + std::to_string(row), cell.id);
    }
    for (int i = 0; i < library.GetUnsupportedCount(); ++i)
        std::fprintf(stderr, "unsupported: %s\n", library.GetUnsupportedName(i).c_str());
    if (library.GetUnsupportedCount() > 0)
        return 1;

    CActionList calculation;
    for (const auto& node : nodes)
        node->WriteVariableAction(calculation);
    for (const auto& [name, id] : reports)
        playertest::Report(calculation, name, CellVariableName(id));
    playertest::Report(calculation, "done", "");
    swf::ActionEmitter(calculation).Op(swf::ActionCode::Stop);

    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(255, 255, 255));
    movie.AddTag(std::make_unique<CSwfDoAction>(*shared));
    movie.AddTag(&library);
    movie.AddTag(std::make_unique<CSwfDoAction>(std::move(calculation)));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(folder / "function_library.swf", 200, 100, 12.0, false);
    return 0;
}
