#include "sheet/workbook/XlsxAddress.h"

#include "sheet/formula/FormulaScanner.h"

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

// One coordinate of a reference, 0-based, and whether "$" keeps it in place.
struct Coordinate {
    bool absolute = false;
    std::int64_t value = 0;
};

Coordinate ColumnOf(const RefPart& part)
{
    return {part.absoluteColumn, part.column - 1};
}

Coordinate RowOf(const RefPart& part)
{
    return {part.absoluteRow, part.row - 1};
}

std::string FormatPart(const Coordinate& part, bool column)
{
    std::string s = part.absolute ? "$" : "";
    if (column)
        s += ColumnLettersOf(static_cast<std::uint32_t>(part.value));
    else
        s += std::to_string(part.value + 1);
    return s;
}

// Moves a relative part; false when it leaves the sheet.
bool Shift(Coordinate& part, std::int64_t offset, std::int64_t limit)
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
    Coordinate column1, row1, column2, row2;
    bool range = false;
    std::size_t end = 0;
};

// The second end after ":" when it has the given shape and stands alone.
std::optional<RefPart> SecondEnd(std::string_view s, std::size_t& pos, RefPart::Shape shape)
{
    if (pos >= s.size() || s[pos] != ':')
        return std::nullopt;
    std::size_t q = pos + 1;
    auto second = ScanRefPart(s, q);
    if (!second || second->shape != shape || (q < s.size() && IsNameChar(s[q])))
        return std::nullopt;
    pos = q;
    return second;
}

bool ReadCellOrSpan(std::string_view s, std::size_t pos, RefToken& token)
{
    std::size_t p = pos;
    auto first = ScanRefPart(s, p);
    if (!first)
        return false;
    auto second = SecondEnd(s, p, first->shape);
    // A lone column or row is no reference; a lone cell is.
    if (!second && first->shape != RefPart::Shape::Cell)
        return false;
    token.kind = first->shape == RefPart::Shape::Cell     ? RefToken::CellRef
                 : first->shape == RefPart::Shape::Column ? RefToken::Columns
                                                          : RefToken::Rows;
    token.column1 = ColumnOf(*first);
    token.row1 = RowOf(*first);
    token.range = second.has_value();
    if (second) {
        token.column2 = ColumnOf(*second);
        token.row2 = RowOf(*second);
    }
    token.end = p;
    return true;
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

// The end of what a shift copies unchanged from i, or i itself when nothing of that kind
// starts there: a text literal or a quoted sheet name (a doubled quote standing for one; the
// reference after its "!" is read on the next turn), a structured reference or an external
// book index in brackets, or an error literal such as #REF! or #N/A.
std::size_t UnshiftedEnd(std::string_view f, std::size_t i)
{
    const char c = f[i];
    std::size_t j = i + 1;
    if (c == '"' || c == '\'') {
        while (j < f.size()) {
            if (f[j] == c) {
                if (j + 1 < f.size() && f[j + 1] == c) {
                    j += 2;
                    continue;
                }
                return j + 1;
            }
            ++j;
        }
        return j;
    }
    if (c == '[') {
        std::size_t depth = 1;
        while (j < f.size()) {
            if (f[j] == '[')
                ++depth;
            else if (f[j] == ']' && --depth == 0)
                return j + 1;
            ++j;
        }
        return j;
    }
    if (c == '#') {
        while (j < f.size() && (IsNameChar(f[j]) || f[j] == '/' || f[j] == '!' || f[j] == '?'))
            ++j;
        return j;
    }
    return i;
}

} // namespace

std::optional<CellAddress> ParseCellAddress(std::string_view text)
{
    std::size_t pos = 0;
    auto part = ScanRefPart(text, pos);
    if (!part || part->shape != RefPart::Shape::Cell || pos != text.size())
        return std::nullopt;
    return CellAddress{static_cast<std::uint32_t>(part->row - 1),
                       static_cast<std::uint32_t>(part->column - 1)};
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
        if (const std::size_t j = UnshiftedEnd(f, i); j != i) {
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
