#pragma once

#include <string>
#include <string_view>

namespace sheet {

// Spreadsheet names, keywords and error literals ignore the case of ASCII letters only.
// Other bytes (parts of UTF-8 characters) stay as they are whatever the process locale.
inline char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperAscii(std::string_view text);
bool EqualNoCaseAscii(std::string_view a, std::string_view b);

} // namespace sheet
