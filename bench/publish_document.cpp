// Opening a document whose model holds 20,000 formulas and whose canvas holds 100
// components, against importing the same workbook into a fresh cell model. Opening reads the
// compiled model back instead of parsing formulas, so it should cost a fraction of an import;
// the ratio is printed as the counter "open/import".
#include "bench/BenchTiming.h"
#include "model/ComponentCatalog.h"
#include "base/PlatformServices.h"
#include "publish/BaseMovie.h"
#include "publish/DocData.h"
#include "publish/DocWriter.h"
#include "publish/TempFiles.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxReader.h"

#include "tests/publish/PublishTestSupport.h"
#include "tests/sheet/XlsxTestPackages.h"
#include "tests/support/ComponentFixture.h"
#include "tests/support/TestSupport.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 10000; // two formulas a row

std::vector<unsigned char> FormulaWorkbook()
{
    std::string rows;
    for (int r = 1; r <= kRows; ++r) {
        const std::string n = std::to_string(r);
        rows += "<row r=\"" + n + "\"><c r=\"A" + n + "\"><v>" + n + "</v></c><c r=\"B" + n + "\"><v>" +
                std::to_string(r % 97) + ".5</v></c><c r=\"C" + n + "\"><f>A" + n + "*B" + n +
                "+1</f></c><c r=\"D" + n + "\"><f>SUM(A" + n + ":C" + n + ")/2</f></c></row>";
    }
    return xlsxtest::OneSheet(xlsxtest::SheetXml(rows));
}

using benchtiming::Seconds;

void OpenDocumentAgainstImport(benchmark::State& state)
{
    testsupport::TempDir dir;
    testsupport::WriteComponentFixture(dir.path(), {"KVTestGaugeSymbol"});
    auto catalog = std::make_unique<CComponentCatalog>();
    catalog->Load(dir.path());
    GetPlatformServices().SetTempFolder(dir.path());
    publishtest::BaseMovieFixture base;
    base.context.SetCatalog(std::move(catalog));
    const std::vector<unsigned char> workbook = FormulaWorkbook();

    // The document: the workbook's model with every formula compiled, and 100 components.
    sheet::FillCellModel(sheet::xlsx::ReadWorkbook(workbook), base.cells());
    BoundCells bound;
    for (int r = 1; r <= kRows; ++r) {
        for (int column : {3, 4}) {
            const int32_t id = base.table().AddCell("S", r, column);
            bound.formulas.insert(id);
            base.movie->GetNetwork().CompileCell(id, base.cells(), base.table(), bound,
                                                 base.movie->GetValueMap());
        }
    }
    base.movie->GetNetwork().Link(base.table());
    std::vector<std::unique_ptr<CComponent>> components;
    CDocData source;
    for (int i = 0; i < 100; ++i) {
        components.push_back(GetComponentCatalog()->FindByTypeName("KVTestGaugeSymbol")->CreateInstance());
        auto record = std::make_unique<CObjectRecord>();
        record->components = {components.back().get()};
        source.AddComponent(std::move(record));
    }
    publish::DocFileContent content;
    content.doc = &source;
    content.base = base.movie.get();
    content.workbook = workbook;
    const std::vector<unsigned char> document = publish::WriteDocumentFile(content);
    state.counters["nodes"] = static_cast<double>(base.movie->GetNetwork().GetNodeCount());

    double open = 0;
    double importing = 0;
    for (auto _ : state) {
        open += Seconds([&] {
            CDocData doc;
            std::string version = kDocumentVersion;
            if (!doc.Load(document, version)) {
                state.SkipWithError(doc.GetLoadError().c_str());
            }
        });
        importing += Seconds([&] {
            CCellModel cells;
            sheet::FillCellModel(sheet::xlsx::ReadWorkbook(workbook), cells);
            benchmark::DoNotOptimize(cells.GetCellCount());
        });
        base.context.RemoveTempFiles();
    }
    state.counters["open ms"] = 1000 * open / static_cast<double>(state.iterations());
    state.counters["import ms"] = 1000 * importing / static_cast<double>(state.iterations());
    state.counters["open/import"] = open / importing;
    ResetPlatformServices();
}

BENCHMARK(OpenDocumentAgainstImport)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
