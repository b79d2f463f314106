#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

// The kind of a cell's value, for the workbook reader and the cell model alike. The reader
// reads a date or time as a Number whose format shows a date (xlsx::Cell::isDate); the import
// stores it as DateTime, which the movie hands out as a date.
enum class CellType : std::uint8_t {
    Empty,    // listed in the sheet (usually for its style) but holding no value
    Number,   // also dates and times as the reader reads them, as serial numbers
    Text,     // shared, inline and formula strings alike
    Boolean,  // the reader's number holds 0 or 1
    Error,    // the text holds the error literal such as "#N/A"
    DateTime, // a serial number the workbook shows as a date or a time
};

// The name under which the cell model stores a type. Documents carry these names, so they never
// change; Empty has none, as no empty cell is stored.
constexpr std::string_view CellTypeName(CellType type)
{
    // In the order of the enumeration.
    constexpr std::string_view kNames[] = {"", "number", "string", "boolean", "error", "datetime"};
    const auto index = static_cast<std::size_t>(type);
    return index < std::size(kNames) ? kNames[index] : std::string_view();
}
