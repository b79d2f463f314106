#include "sheet/cells/CellRef.h"

#include <charconv>

std::string CCellRef::GetText() const
{
    std::string text = "'";
    for (char c : sheet) {
        text += c;
        if (c == '\'')
            text += '\'';
    }
    text += "'!$";
    text += ColumnLetters(column);
    text += '$';
    text += std::to_string(row);
    return text;
}

std::string CCellRef::GetVariableName() const
{
    return CellVariableName(id);
}

std::string CCellRef::GetShortText() const
{
    return ColumnLetters(column) + std::to_string(row);
}

std::string ColumnLetters(int column)
{
    if (column < 1 || column > kMaxSheetColumn)
        return {};
    std::string letters;
    while (column > 0) {
        int digit = (column - 1) % 26;
        letters.insert(letters.begin(), static_cast<char>('A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

int ColumnFromLetters(std::string_view letters)
{
    if (letters.empty() || letters.size() > 3)
        return 0;
    int column = 0;
    for (char c : letters) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            return 0;
        column = column * 26 + (c - 'A' + 1);
    }
    return column <= kMaxSheetColumn ? column : 0;
}

namespace {

std::string PrefixedNumber(char prefix, int32_t number)
{
    char buffer[16] = {prefix};
    auto result = std::to_chars(buffer + 1, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

} // namespace

std::string CellVariableName(int32_t id)
{
    return PrefixedNumber('V', id);
}

std::string RangeArrayName(int32_t index)
{
    return PrefixedNumber('A', index);
}
