#pragma once

#include <string>

namespace ui {

// Value of one hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char c);
// Appends the UTF-8 of one code point.
void AppendUtf8(std::string& out, char32_t c);
std::string EncodeUtf8(char32_t c);

} // namespace ui
