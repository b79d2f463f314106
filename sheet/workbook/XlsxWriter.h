#pragma once

#include "sheet/workbook/XlsxAddress.h"
#include "sheet/workbook/XlsxPackage.h"

#include <cstdint>
#include <string>
#include <vector>

// Puts values into the cells of an existing workbook package. Only the parts of the sheets
// written change; every other part is carried over exactly as it was stored.
namespace sheet::xlsx {

struct CellValue {
    enum class Kind { Empty, Number, Text, Boolean };
    Kind kind = Kind::Empty;
    double number = 0;
    std::string text;

    static CellValue Number(double v) { return {Kind::Number, v, {}}; }
    static CellValue Text(std::string v) { return {Kind::Text, 0, std::move(v)}; }
    static CellValue Boolean(bool v) { return {Kind::Boolean, v ? 1.0 : 0.0, {}}; }
};

struct CellWrite {
    std::string sheet; // matched without regard to case, as the program does
    CellAddress cell;
    CellValue value;
};

// Writes the package given by its bytes to targetPath with the cells changed. The target is
// replaced only once the new package is complete, so a failure leaves it as it was. A cell
// that loses its formula also leaves the calculation chain, and the workbook is marked to
// recalculate when next opened so that formulas show results of the new values. Throws
// WorkbookError naming the cell or part that could not be written.
void WritePackage(const std::vector<std::uint8_t>& source, const std::string& targetPath,
                  const std::vector<CellWrite>& writes, const PackageLimits& limits = {});

} // namespace sheet::xlsx
