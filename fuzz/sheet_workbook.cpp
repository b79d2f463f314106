// Workbook packages from untrusted files: the reader must end in a WorkbookError or a
// workbook, never a crash, an over-read or an allocation beyond its limits. A package that
// reads is also written back with a cell changed, since values are exported into copies of
// the same user workbooks.
#include "sheet/cells/CellModel.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxAddress.h"
#include "sheet/workbook/XlsxNumberFormats.h"
#include "sheet/workbook/XlsxReader.h"
#include "sheet/workbook/XlsxWriter.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Far below the defaults, so that anything the import makes of a package beyond its
    // budget (names expanded again and again, texts copied into every cell, nodes of empty
    // cells) goes over the memory limit in fuzz/sheet_workbook.options.
    sheet::xlsx::ReadOptions options;
    options.limits.maxPartBytes = 64u << 20;
    options.limits.maxTotalBytes = 128u << 20;
    options.limits.maxXmlTreeBytes = 128u << 20;
    options.maxMemoryBytes = 128u << 20;
    std::vector<std::uint8_t> bytes(data, data + size);
    try {
        auto workbook = sheet::xlsx::ReadWorkbook(bytes, options);
        for (const auto& sheet : workbook.sheets)
            for (const auto& cell : sheet.cells)
                if (cell.HasFormula())
                    (void)sheet::xlsx::ShiftFormula(cell.formula, 1, 1);
        // The import reads every formula before it stores the cells.
        CCellModel model;
        (void)sheet::FillCellModel(workbook, model);
        if (!workbook.sheets.empty()) {
            static const std::string target =
                "/tmp/fuzz_sheet_workbook." + std::to_string(getpid()) + ".xlsx";
            const auto& first = workbook.sheets.front();
            sheet::xlsx::CellAddress at{};
            if (!first.cells.empty())
                at = {first.cells.back().row, first.cells.back().column};
            sheet::xlsx::WritePackage(bytes, target,
                                      {{first.name, {0, 0}, sheet::xlsx::CellValue::Number(1)},
                                       {first.name, at, sheet::xlsx::CellValue::Text("x")}},
                                      options.limits);
            unlink(target.c_str());
        }
    } catch (const sheet::WorkbookError&) {
    }
    // The text helpers see formula and format texts straight from the parts.
    std::string_view text(reinterpret_cast<const char*>(data), size < 4096 ? size : 4096);
    (void)sheet::xlsx::ShiftFormula(text, -3, 2);
    (void)sheet::xlsx::IsDateFormat(text);
    (void)sheet::xlsx::ParseQualifiedCell(text);
    return 0;
}
