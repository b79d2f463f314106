#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Worksheet limits of the workbooks we import (columns A..XFD, rows 1..1048576).
inline constexpr int kMaxSheetRow = 1048576;
inline constexpr int kMaxSheetColumn = 16384;

// A cell that formulas or bindings refer to. Rows and columns count from 1. The id is the
// cell's position in the variable table's cell list and names its movie variable "V" + id;
// it stays -1 until the table has taken the cell in.
class CCellRef {
public:
    CCellRef() = default;
    CCellRef(std::string sheetName, int rowNumber, int columnNumber, int32_t cellId = -1)
        : id(cellId), sheet(std::move(sheetName)), row(rowNumber), column(columnNumber)
    {
    }

    // 'Sheet1'!$B$3 (a quote inside the sheet name is doubled, as the workbook writes it).
    std::string GetText() const;
    // "V" followed by the id.
    std::string GetVariableName() const;
    // B3, without sheet or anchors.
    std::string GetShortText() const;

    // Same sheet, row and column; the id takes no part, so a cell can be compared with one
    // that the table has not numbered yet.
    bool SamePlace(const CCellRef& other) const
    {
        return row == other.row && column == other.column && sheet == other.sheet;
    }

    int32_t id = -1;
    std::string sheet;
    int row = 0;
    int column = 0;
};

inline int32_t GetVariableId(const CCellRef& cell)
{
    return cell.id;
}

// A cell's place as one number, for tables that keep cells by place: the sheet's position from
// bit 36 up, the row (21 bits) and the column (15 bits) below it, so keys order by sheet
// position, then row, then column. Rows and columns inside the sheet only.
inline std::uint64_t CellPlaceKey(std::size_t sheet, int row, int column)
{
    return (static_cast<std::uint64_t>(sheet) << 36) | (static_cast<std::uint64_t>(row) << 15) |
           static_cast<std::uint64_t>(column);
}
inline std::size_t CellPlaceSheet(std::uint64_t key)
{
    return static_cast<std::size_t>(key >> 36);
}
inline int CellPlaceRow(std::uint64_t key)
{
    return static_cast<int>((key >> 15) & 0x1FFFFF);
}
inline int CellPlaceColumn(std::uint64_t key)
{
    return static_cast<int>(key & 0x7FFF);
}

// "A" for 1, "Z" for 26, "AA" for 27; empty for a column outside 1..kMaxSheetColumn.
std::string ColumnLetters(int column);
// The inverse, case-insensitive; 0 when the text is not a column inside the sheet.
int ColumnFromLetters(std::string_view letters);
// "V" followed by the decimal id: the movie variable of a cell.
std::string CellVariableName(int32_t id);
// "A" followed by the decimal index: the movie array of a range of the variable table.
std::string RangeArrayName(int32_t index);
