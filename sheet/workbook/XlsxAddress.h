#pragma once

#include "sheet/cells/CellRef.h"
#include "sheet/workbook/XlsxWorkbook.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Cell addresses as workbooks spell them, and the shifting of relative references that turns
// a shared formula into the text of each cell it covers.
namespace sheet::xlsx {

constexpr std::uint32_t kMaxRows = kMaxSheetRow;
constexpr std::uint32_t kMaxColumns = kMaxSheetColumn;

// Column letters of a 0-based column, as the 1-based ColumnLetters of CellRef.h spells it.
inline std::string ColumnLettersOf(std::uint32_t column)
{
    return ColumnLetters(static_cast<int>(column) + 1);
}

struct CellAddress {
    std::uint32_t row = 0; // 0-based
    std::uint32_t column = 0;
    bool operator==(const CellAddress&) const = default;
};

// "B3" or "$B$3" to a 0-based address; none when malformed or outside the sheet.
std::optional<CellAddress> ParseCellAddress(std::string_view text);
// "A1:C4" (or a single cell) to an area with first <= last.
std::optional<Area> ParseArea(std::string_view text);
std::string FormatArea(const Area& area);

// A sheet-qualified cell text such as 'Sheet 1'!$B$3 or Sheet1!B3.
struct QualifiedCell {
    std::string sheet;
    CellAddress cell;
};
std::optional<QualifiedCell> ParseQualifiedCell(std::string_view text);
// The form the cell model uses: 'Sheet1'!$B$3.
std::string FormatQualifiedCell(const std::string& sheet, CellAddress cell);

// The formula text as seen from a cell rowOffset rows and columnOffset columns away from the
// cell it was written for: relative references move, absolute ones stay, and references
// pushed off the sheet become #REF!. Strings, quoted sheet names and function names are left
// alone.
std::string ShiftFormula(std::string_view formula, std::int64_t rowOffset, std::int64_t columnOffset);

} // namespace sheet::xlsx
