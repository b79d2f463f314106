// The model compile walk over a workbook of the shapes dashboards use: a running total, lookups
// into a small table and conditional sums over a long column. Its time per compiled cell must
// stay flat from 2,000 to 20,000 formulas; the ratio of the two is printed at the end.
#include "publish/ModelNetwork.h"
#include "sheet/CellModel.h"
#include "sheet/CellValueMap.h"
#include "sheet/VariableTable.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Workbook {
    CCellModel cells;
    CVariableTable table;
    BoundCells bound;
    std::vector<int32_t> roots;
};

void Put(Workbook& book, const std::string& column, int row, const std::string& formula, double value = 0)
{
    CCellData data;
    if (formula.empty()) {
        data.valueText = std::to_string(value);
        data.typeName = "number";
    } else {
        data.formula = formula;
    }
    int columnNumber = ColumnFromLetters(column);
    book.cells.SetCell("Data", row, columnNumber, std::move(data));
    if (!formula.empty()) {
        int32_t id = book.table.AddCell("Data", row, columnNumber);
        book.roots.push_back(id);
        book.bound.formulas.insert(id);
    }
}

// formulas / 20,000 of: a running total down 5,000 rows, 10,000 lookups into a 50-row table
// and 5,000 conditional sums over 5,000 rows; with the inputs and unrelated cells, five cells
// per formula.
void MakeWorkbook(Workbook& book, int formulas)
{
    const int scale = formulas / 20;
    const int total = 5 * scale;
    const int lookups = 10 * scale;
    for (int row = 1; row <= lookups; ++row)
        Put(book, "A", row, "", row % 97);
    for (int row = 1; row <= total; ++row)
        Put(book, "E", row, "", row * 0.5);
    for (int row = 1; row <= 50; ++row) {
        Put(book, "X", row, "", row * 2);
        Put(book, "Y", row, "", row * 3);
    }
    for (int row = 1; row <= formulas * 5 - lookups - total * 4 - 100; ++row)
        Put(book, "K", row, "", row);
    const std::string last = std::to_string(total);
    for (int row = 1; row <= total; ++row) {
        std::string r = std::to_string(row);
        Put(book, "B", row, row == 1 ? "A1" : "B" + std::to_string(row - 1) + "+A" + r);
        Put(book, "D", row, "SUMIF($A$1:$A$" + last + ",\">\"&A" + r + ",$E$1:$E$" + last + ")");
    }
    for (int row = 1; row <= lookups; ++row)
        Put(book, "C", row, "VLOOKUP(A" + std::to_string(row) + ",$X$1:$Y$50,2,TRUE)");
}

std::map<int, double> g_nanosPerCell;

void BM_CompileWalk(benchmark::State& state)
{
    const int formulas = static_cast<int>(state.range(0));
    Workbook book;
    MakeWorkbook(book, formulas);
    std::size_t compiled = 0;
    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        CModelNetwork network;
        CCellValueMap values;
        for (int32_t root : book.roots)
            network.CompileCell(root, book.cells, book.table, book.bound, values);
        network.Link(book.table);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        compiled = network.GetNodeCount();
        benchmark::DoNotOptimize(network.GetEvaluationOrder().data());
    }
    g_nanosPerCell[formulas] =
        seconds * 1e9 / static_cast<double>(state.iterations()) / static_cast<double>(compiled);
    state.counters["cells"] = static_cast<double>(compiled);
    state.counters["per_cell"] =
        benchmark::Counter(static_cast<double>(compiled),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CompileWalk)->ArgName("formulas")->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_nanosPerCell.count(2000) && g_nanosPerCell.count(20000))
        std::printf(
            "time per compiled cell: %.0f ns at 2k formulas, %.0f ns at 20k; ratio %.2f (1 is linear)\n",
            g_nanosPerCell[2000], g_nanosPerCell[20000], g_nanosPerCell[20000] / g_nanosPerCell[2000]);
    return 0;
}
