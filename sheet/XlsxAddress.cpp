#include "sheet/XlsxAddress.h"

namespace sheet::xlsx {

namespace {

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Characters that may continue a name or a reference token in a formula.
bool IsNameChar(char c)
{
    return IsLetter(c) || IsDigit(c) || c == '_' || c == '.' || c == '\\' || c == '$' ||
           static_cast<unsigned char>(c) >= 0x80;
}

struct RefPart {
    bool absolute = false;
    std::int64_t value = 0; // 0-based
};

// Parses [$]letters at pos; advances pos on success.
bool ReadColumnPart(std::string_view s, std::size_t& pos, RefPart& out)
{
    std::size_t p = pos;
    bool absolute = p < s.size() && s[p] == '$';
    if (absolute)
        ++p;
    std::size_t start = p;
    while (p < s.size() && IsLetter(s[p]) && p - start < 4)
        ++p;
    int column = ColumnFromLetters(s.substr(start, p - start));
    if (column == 0)
        return false;
    out = {absolute, column - 1};
    pos = p;
    return true;
}

bool ReadRowPart(std::string_view s, std::size_t& pos, RefPart& out)
{
    std::size_t p = pos;
    bool absolute = p < s.size() && s[p] == '$';
    if (absolute)
        ++p;
    std::size_t start = p;
    std::int64_t value = 0;
    while (p < s.size() && IsDigit(s[p]) && p - start < 8) {
        value = value * 10 + (s[p] - '0');
        ++p;
    }
    if (p == start || value < 1 || value > kMaxRows)
        return false;
    out = {absolute, value - 1};
    pos = p;
    return true;
}

std::string FormatPart(const RefPart& part, bool column)
{
    std::string s = part.absolute ? "$" : "";
    if (column)
        s += ColumnLettersOf(static_cast<std::uint32_t>(part.value));
    else
        s += std::to_string(part.value + 1);
    return s;
}

// Moves a relative part; false when it leaves the sheet.
bool Shift(RefPart& part, std::int64_t offset, std::int64_t limit)
{
    if (part.absolute)
        return true;
    part.value += offset;
    return part.value >= 0 && part.value < limit;
}

// One reference token: a cell (A1), a column span (A:C) or a row span (1:3), each side
// optionally absolute. The whole token must stand alone in the formula.
struct RefToken {
    enum Kind { CellRef, Columns, Rows } kind = CellRef;
    RefPart column1, row1, column2, row2;
    bool range = false;
    std::size_t end = 0;
};

bool ReadCellOrSpan(std::string_view s, std::size_t pos, RefToken& token)
{
    std::size_t p = pos;
    RefPart column, row;
    std::size_t save = p;
    if (ReadColumnPart(s, p, column)) {
        std::size_t afterColumn = p;
        if (ReadRowPart(s, p, row)) {
            token.kind = RefToken::CellRef;
            token.column1 = column;
            token.row1 = row;
            token.end = p;
            // A second cell after ":" makes it an area.
            if (p < s.size() && s[p] == ':') {
                std::size_t q = p + 1;
                RefPart column2, row2;
                if (ReadColumnPart(s, q, column2) && ReadRowPart(s, q, row2) &&
                    (q >= s.size() || !IsNameChar(s[q]))) {
                    token.range = true;
                    token.column2 = column2;
                    token.row2 = row2;
                    token.end = q;
                }
            }
            return true;
        }
        // Column span A:C.
        p = afterColumn;
        if (p < s.size() && s[p] == ':') {
            std::size_t q = p + 1;
            RefPart column2;
            if (ReadColumnPart(s, q, column2) && (q >= s.size() || !IsNameChar(s[q]))) {
                token.kind = RefToken::Columns;
                token.column1 = column;
                token.column2 = column2;
                token.range = true;
                token.end = q;
                return true;
            }
        }
        return false;
    }
    p = save;
    if (ReadRowPart(s, p, row) && p < s.size() && s[p] == ':') {
        std::size_t q = p + 1;
        RefPart row2;
        if (ReadRowPart(s, q, row2) && (q >= s.size() || !IsNameChar(s[q]))) {
            token.kind = RefToken::Rows;
            token.row1 = row;
            token.row2 = row2;
            token.range = true;
            token.end = q;
            return true;
        }
    }
    return false;
}

std::string FormatToken(RefToken t, std::int64_t dr, std::int64_t dc, bool& offSheet)
{
    offSheet = false;
    switch (t.kind) {
    case RefToken::CellRef: {
        bool ok = Shift(t.column1, dc, kMaxColumns) && Shift(t.row1, dr, kMaxRows);
        if (t.range)
            ok = ok && Shift(t.column2, dc, kMaxColumns) && Shift(t.row2, dr, kMaxRows);
        if (!ok) {
            offSheet = true;
            return "#REF!";
        }
        std::string s = FormatPart(t.column1, true) + FormatPart(t.row1, false);
        if (t.range)
            s.append(":").append(FormatPart(t.column2, true)).append(FormatPart(t.row2, false));
        return s;
    }
    case RefToken::Columns:
        if (!Shift(t.column1, dc, kMaxColumns) || !Shift(t.column2, dc, kMaxColumns)) {
            offSheet = true;
            return "#REF!";
        }
        return FormatPart(t.column1, true).append(":").append(FormatPart(t.column2, true));
    case RefToken::Rows:
        if (!Shift(t.row1, dr, kMaxRows) || !Shift(t.row2, dr, kMaxRows)) {
            offSheet = true;
            return "#REF!";
        }
        return FormatPart(t.row1, false).append(":").append(FormatPart(t.row2, false));
    }
    return {};
}

} // namespace

std::optional<CellAddress> ParseCellAddress(std::string_view text)
{
    std::size_t pos = 0;
    RefPart column, row;
    if (!ReadColumnPart(text, pos, column) || !ReadRowPart(text, pos, row) || pos != text.size())
        return std::nullopt;
    return CellAddress{static_cast<std::uint32_t>(row.value), static_cast<std::uint32_t>(column.value)};
}

std::optional<Area> ParseArea(std::string_view text)
{
    auto colon = text.find(':');
    auto first = ParseCellAddress(text.substr(0, colon));
    if (!first)
        return std::nullopt;
    CellAddress last = *first;
    if (colon != std::string_view::npos) {
        auto second = ParseCellAddress(text.substr(colon + 1));
        if (!second)
            return std::nullopt;
        last = *second;
    }
    Area area;
    area.firstRow = std::min(first->row, last.row);
    area.lastRow = std::max(first->row, last.row);
    area.firstColumn = std::min(first->column, last.column);
    area.lastColumn = std::max(first->column, last.column);
    return area;
}

std::string FormatArea(const Area& area)
{
    std::string s = ColumnLettersOf(area.firstColumn) + std::to_string(area.firstRow + 1);
    if (area.firstRow != area.lastRow || area.firstColumn != area.lastColumn)
        s.append(":").append(ColumnLettersOf(area.lastColumn)).append(std::to_string(area.lastRow + 1));
    return s;
}

std::optional<QualifiedCell> ParseQualifiedCell(std::string_view text)
{
    QualifiedCell result;
    std::size_t pos = 0;
    if (!text.empty() && text[0] == '\'') {
        pos = 1;
        for (;;) {
            if (pos >= text.size())
                return std::nullopt;
            if (text[pos] == '\'') {
                if (pos + 1 < text.size() && text[pos + 1] == '\'') {
                    result.sheet += '\'';
                    pos += 2;
                    continue;
                }
                ++pos;
                break;
            }
            result.sheet += text[pos++];
        }
        if (pos >= text.size() || text[pos] != '!')
            return std::nullopt;
        ++pos;
    } else {
        auto bang = text.rfind('!');
        if (bang == std::string_view::npos)
            return std::nullopt;
        result.sheet = std::string(text.substr(0, bang));
        pos = bang + 1;
    }
    if (result.sheet.empty())
        return std::nullopt;
    auto cell = ParseCellAddress(text.substr(pos));
    if (!cell)
        return std::nullopt;
    result.cell = *cell;
    return result;
}

std::string FormatQualifiedCell(const std::string& sheet, CellAddress cell)
{
    std::string quoted;
    for (char c : sheet) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return "'" + quoted + "'!$" + ColumnLettersOf(cell.column) + "$" + std::to_string(cell.row + 1);
}

std::string ShiftFormula(std::string_view f, std::int64_t rowOffset, std::int64_t columnOffset)
{
    std::string out;
    out.reserve(f.size() + 8);
    std::size_t i = 0;
    while (i < f.size()) {
        char c = f[i];
        if (c == '"' || c == '\'') {
            // A text literal or a quoted sheet name (its reference after "!" is handled on the
            // next turn), a doubled quote standing for one; copied unchanged.
            std::size_t j = i + 1;
            while (j < f.size()) {
                if (f[j] == c) {
                    if (j + 1 < f.size() && f[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            out.append(f.substr(i, j - i));
            i = j;
            continue;
        }
        if (c == '[') {
            // Structured references and external book indexes are never shifted.
            std::size_t depth = 0, j = i;
            while (j < f.size()) {
                if (f[j] == '[')
                    ++depth;
                else if (f[j] == ']' && --depth == 0) {
                    ++j;
                    break;
                }
                ++j;
            }
            out.append(f.substr(i, j - i));
            i = j;
            continue;
        }
        if (c == '#') {
            // Error literals such as #REF! or #N/A.
            std::size_t j = i + 1;
            while (j < f.size() && (IsNameChar(f[j]) || f[j] == '/' || f[j] == '!' || f[j] == '?'))
                ++j;
            out.append(f.substr(i, j - i));
            i = j;
            continue;
        }
        if (IsNameChar(c)) {
            RefToken token;
            if (ReadCellOrSpan(f, i, token)) {
                std::size_t end = token.end;
                bool standsAlone = end >= f.size() || (!IsNameChar(f[end]) && f[end] != '(' && f[end] != '!');
                if (standsAlone) {
                    bool offSheet = false;
                    out += FormatToken(token, rowOffset, columnOffset, offSheet);
                    i = end;
                    continue;
                }
            }
            // A name, a number, a function or an unquoted sheet name: copy it whole.
            std::size_t j = i;
            while (j < f.size() && IsNameChar(f[j]))
                ++j;
            // Exponents such as 1E+5 keep their sign with the number.
            if (j < f.size() && (f[j] == '+' || f[j] == '-') && j > i &&
                (f[j - 1] == 'E' || f[j - 1] == 'e') && IsDigit(f[i])) {
                ++j;
                while (j < f.size() && IsDigit(f[j]))
                    ++j;
            }
            out.append(f.substr(i, j - i));
            i = j;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

} // namespace sheet::xlsx
