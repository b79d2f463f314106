// How the import grows with what a workbook holds: sheets, and cells that hold nothing. Each
// size is measured against the others in the same run, and the fitted complexity is printed;
// a lookup that scans all sheets, or a cell kept for nothing, shows as a worse than linear fit.
#include "sheet/cells/CellModel.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxReader.h"
#include "tests/sheet/XlsxTestPackages.h"

#include <benchmark/benchmark.h>

namespace {

std::vector<unsigned char> ManySheets(int count)
{
    std::vector<std::string> names;
    xlsxtest::Parts parts = {{"_rels/.rels", xlsxtest::kRootRels}};
    for (int i = 1; i <= count; ++i) {
        names.push_back("Sheet" + std::to_string(i));
        std::string formula = i > 1 ? "<f>Sheet" + std::to_string(i - 1) + "!A1+1</f>" : "";
        parts.emplace_back("xl/worksheets/sheet" + std::to_string(i) + ".xml",
                           xlsxtest::SheetXml("<row r=\"1\"><c r=\"A1\">" + formula + "<v>1</v></c></row>"));
    }
    parts.emplace_back("xl/workbook.xml", xlsxtest::WorkbookXml(names));
    parts.emplace_back("xl/_rels/workbook.xml.rels", xlsxtest::WorkbookRels(count));
    return xlsxtest::Zip(parts);
}

std::vector<unsigned char> EmptyCells(int rows)
{
    std::string row = "<row>";
    for (int i = 0; i < 10000; ++i)
        row += "<c s=\"1\"/>";
    row += "</row>";
    std::string data;
    for (int r = 0; r < rows; ++r)
        data += row;
    return xlsxtest::OneSheet(xlsxtest::SheetXml(data + "<row><c><v>1</v></c></row>"));
}

void Import(benchmark::State& state, const std::vector<unsigned char>& bytes)
{
    for (auto _ : state) {
        CCellModel model;
        auto result = sheet::FillCellModel(sheet::xlsx::ReadWorkbook(bytes), model);
        benchmark::DoNotOptimize(result);
    }
    state.SetComplexityN(state.range(0));
}

void ImportSheets(benchmark::State& state)
{
    Import(state, ManySheets(static_cast<int>(state.range(0))));
}

void ImportEmptyCells(benchmark::State& state)
{
    Import(state, EmptyCells(static_cast<int>(state.range(0))));
}

BENCHMARK(ImportSheets)
    ->RangeMultiplier(2)
    ->Range(2500, 20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
// Rows of 10,000 cells listed only for their style.
BENCHMARK(ImportEmptyCells)
    ->RangeMultiplier(2)
    ->Range(10, 80)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
