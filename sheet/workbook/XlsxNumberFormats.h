#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number-format codes: the built-in ones that packages refer to by id only, and the test that
// tells a date or time format from the rest.
namespace sheet::xlsx {

// The code of a built-in format id, or an empty text for ids that have no fixed code.
std::string BuiltInFormatCode(std::uint32_t id);

// True when the code shows a date or a time, so a number under it is a serial date.
bool IsDateFormat(std::string_view code);
bool IsDateFormatId(std::uint32_t id);

} // namespace sheet::xlsx
