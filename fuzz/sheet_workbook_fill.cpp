// The designer's import fills its cell model from a workbook the reader made of a file: every
// value, formula text, array area and name of it comes from the file. The workbook is built
// here straight from the input, keeping only what the reader guarantees (places within the
// sheet, each once, in order), so that the fill itself meets the odd texts rather than the
// package reader refusing most inputs first. It is filled as the import worker fills it, with
// its progress reports, and must end in a result, never a crash, an exception or an over-read.
#include "sheet/cells/CellModel.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxAddress.h"
#include "sheet/workbook/XlsxWorkbook.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace {

using namespace sheet::xlsx;

// Mostly near the top-left corner, where cells meet their neighbours' formulas.
std::uint32_t Place(FuzzedDataProvider& in, std::uint32_t limit)
{
    return in.ConsumeBool() ? in.ConsumeIntegralInRange<std::uint32_t>(0, 20)
                            : in.ConsumeIntegralInRange<std::uint32_t>(0, limit - 1);
}

Cell MakeCell(FuzzedDataProvider& in)
{
    Cell cell;
    cell.row = Place(in, kMaxRows);
    cell.column = Place(in, kMaxColumns);
    cell.type = static_cast<CellType>(in.ConsumeIntegralInRange<int>(0, 5));
    cell.number = in.ConsumeFloatingPoint<double>();
    cell.text = in.ConsumeRandomLengthString(64);
    if (in.ConsumeBool())
        cell.formula = in.ConsumeRandomLengthString(256);
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0) {
        Area area{cell.row, cell.column, Place(in, kMaxRows), Place(in, kMaxColumns)};
        area.lastRow = std::max(area.lastRow, area.firstRow);
        area.lastColumn = std::max(area.lastColumn, area.firstColumn);
        cell.arrayRange = area;
    }
    cell.numFmtId = in.ConsumeIntegral<std::uint8_t>();
    cell.formatCode = in.ConsumeBool() ? "General" : in.ConsumeRandomLengthString(32);
    cell.isDate = in.ConsumeBool();
    return cell;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    Workbook workbook;
    workbook.date1904 = in.ConsumeBool();
    workbook.iterate = in.ConsumeBool();
    workbook.iterateCount = in.ConsumeIntegralInRange<int>(-1, 1000);
    workbook.iterateDelta = in.ConsumeFloatingPoint<double>();
    const int sheets = in.ConsumeIntegralInRange<int>(1, 3);
    for (int s = 0; s < sheets; ++s) {
        Sheet sheet;
        sheet.name = in.ConsumeRandomLengthString(31);
        sheet.hidden = in.ConsumeBool();
        const int cells = in.ConsumeIntegralInRange<int>(0, 48);
        for (int c = 0; c < cells; ++c)
            sheet.cells.push_back(MakeCell(in));
        std::stable_sort(sheet.cells.begin(), sheet.cells.end(), [](const Cell& a, const Cell& b) {
            return a.row != b.row ? a.row < b.row : a.column < b.column;
        });
        sheet.cells.erase(
            std::unique(sheet.cells.begin(), sheet.cells.end(),
                        [](const Cell& a, const Cell& b) { return a.row == b.row && a.column == b.column; }),
            sheet.cells.end());
        if (!sheet.cells.empty()) {
            Area used{sheet.cells.front().row, kMaxColumns, sheet.cells.back().row, 0};
            for (const Cell& cell : sheet.cells) {
                used.firstColumn = std::min(used.firstColumn, cell.column);
                used.lastColumn = std::max(used.lastColumn, cell.column);
            }
            sheet.usedRange = used;
        }
        workbook.sheets.push_back(std::move(sheet));
    }
    const int names = in.ConsumeIntegralInRange<int>(0, 4);
    for (int n = 0; n < names; ++n) {
        DefinedName name;
        name.name = in.ConsumeRandomLengthString(16);
        name.formula = in.ConsumeRandomLengthString(64);
        name.localSheet = in.ConsumeIntegralInRange<int>(-1, sheets - 1);
        workbook.names.push_back(std::move(name));
    }
    // The worker runs the fill outside any handler: an exception would end the program.
    std::atomic<bool> stop{false};
    sheet::FillOptions options;
    options.stop = &stop;
    options.progress = [](std::size_t) {};
    options.keepUnreadFormulas = in.ConsumeBool();
    CCellModel model;
    (void)sheet::FillCellModel(std::move(workbook), model, options);
    return 0;
}
