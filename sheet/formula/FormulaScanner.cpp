#include "sheet/formula/FormulaScanner.h"

#include "sheet/AsciiCase.h"
#include "sheet/cells/CellRef.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <string_view>
#include <utility>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr std::array<std::string_view, 10> kErrorLiterals = {
    "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A", "#GETTING_DATA", "#SPILL!", "#CALC!"};

// Marks that are tokens by themselves.
constexpr std::pair<char, TokenKind> kPunctuation[] = {
    {'(', TokenKind::LeftParen}, {')', TokenKind::RightParen}, {',', TokenKind::Comma},
    {';', TokenKind::Semicolon}, {'{', TokenKind::LeftBrace},  {'}', TokenKind::RightBrace},
};

FormulaToken Invalid(std::size_t offset, std::string message)
{
    FormulaToken token;
    token.kind = TokenKind::Invalid;
    token.offset = offset;
    token.text = std::move(message);
    return token;
}

} // namespace

bool IsErrorLiteral(std::string_view text)
{
    return std::find(kErrorLiterals.begin(), kErrorLiterals.end(), text) != kErrorLiterals.end();
}

bool CFormulaScanner::IsNameChar(std::size_t pos) const
{
    if (pos >= text_.size())
        return false;
    char c = text_[pos];
    return IsLetter(c) || IsDigit(c) || c == '_' || c == '.' || c == '\\' || c == '?' ||
           static_cast<unsigned char>(c) >= 0x80;
}

std::optional<RefPart> ScanRefPart(std::string_view text, std::size_t& pos)
{
    std::size_t p = pos;
    bool leadingAnchor = p < text.size() && text[p] == '$';
    if (leadingAnchor)
        ++p;
    std::size_t lettersStart = p;
    while (p < text.size() && IsLetter(text[p]) && p - lettersStart < 4)
        ++p;
    std::string_view letters = text.substr(lettersStart, p - lettersStart);
    bool rowAnchor = p < text.size() && text[p] == '$';
    std::size_t digitsStart = rowAnchor ? p + 1 : p;
    std::size_t q = digitsStart;
    while (q < text.size() && IsDigit(text[q]) && q - digitsStart < 8)
        ++q;
    std::string_view digits = text.substr(digitsStart, q - digitsStart);
    RefPart part;
    if (!letters.empty()) {
        part.column = ColumnFromLetters(letters);
        part.absoluteColumn = leadingAnchor;
        part.absoluteRow = rowAnchor;
        if (part.column == 0)
            return std::nullopt;
        if (digits.empty()) {
            if (rowAnchor)
                return std::nullopt;
            part.shape = RefPart::Shape::Column;
            pos = p;
            return part;
        }
    } else if (digits.empty() || rowAnchor) {
        return std::nullopt;
    } else {
        // Without letters the leading "$" is the row's.
        part.shape = RefPart::Shape::Row;
        part.absoluteRow = leadingAnchor;
    }
    int row = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), row);
    if (row < 1 || row > kMaxSheetRow)
        return std::nullopt;
    part.row = row;
    pos = q;
    return part;
}

bool CFormulaScanner::ScanReference(FormulaToken& token)
{
    std::size_t p = pos_;
    std::optional<RefPart> first = ScanRefPart(text_, p);
    if (!first)
        return false;
    std::optional<RefPart> second;
    if (p < text_.size() && text_[p] == ':') {
        std::size_t q = p + 1;
        second = ScanRefPart(text_, q);
        if (second && second->shape == first->shape && !IsNameChar(q) &&
            (q >= text_.size() || text_[q] != '('))
            p = q;
        else
            second.reset();
    }
    // A lone column or row is no reference ("A" is a name, "3" a number), and a reference
    // must not run on into a longer name or a call (LOG10( is a function).
    if (!second && first->shape != RefPart::Shape::Cell)
        return false;
    if (IsNameChar(p) || (p < text_.size() && (text_[p] == '(' || text_[p] == '!')))
        return false;
    token.kind = TokenKind::Reference;
    token.first = *first;
    token.second = second;
    pos_ = p;
    return true;
}

FormulaToken CFormulaScanner::Next()
{
    while (pos_ < text_.size() &&
           (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' || text_[pos_] == '\n'))
        ++pos_;
    FormulaToken token;
    token.offset = pos_;
    if (pos_ >= text_.size())
        return token;
    char c = text_[pos_];
    if (IsDigit(c) || c == '.')
        return ScanNumberOrRows(pos_);
    if (c == '"')
        return ScanString(pos_);
    if (c == '#')
        return ScanError(pos_);
    if (c == '\'')
        return ScanQuotedSheet(pos_);
    if (c == '$') {
        if (ScanReference(token))
            return token;
        return Invalid(pos_, "a reference expected after \"$\"");
    }
    if (IsLetter(c) || c == '_' || c == '\\' || static_cast<unsigned char>(c) >= 0x80)
        return ScanWord(pos_);
    ++pos_;
    for (const auto& [mark, kind] : kPunctuation) {
        if (c == mark) {
            token.kind = kind;
            return token;
        }
    }
    if (c == '[') {
        // Name[Column] is a table's column; a bracket elsewhere opens a link to a workbook.
        const bool afterName = token.offset > 0 && (IsNameChar(token.offset - 1) || text_[token.offset - 1] == ']');
        return Invalid(token.offset, afterName ? "table references (Table1[Column]) are not supported"
                                               : "references to other workbooks ([1]Sheet1!A1) are not supported");
    }
    // ":" between references that calls give (INDEX(...):INDEX(...)); areas written out
    // (A1:B3) are one reference token.
    if (std::string_view("+-*/^&%=<>:").find(c) == std::string_view::npos)
        return Invalid(token.offset, "unexpected character");
    token.kind = TokenKind::Operator;
    token.text = std::string(1, c);
    if ((c == '<' || c == '>') && pos_ < text_.size() &&
        (text_[pos_] == '=' || (c == '<' && text_[pos_] == '>')))
        token.text += text_[pos_++];
    return token;
}

FormulaToken CFormulaScanner::ScanNumberOrRows(std::size_t start)
{
    FormulaToken token;
    token.offset = start;
    if (ScanReference(token))
        return token;
    std::size_t p = start;
    while (p < text_.size() && IsDigit(text_[p]))
        ++p;
    if (p < text_.size() && text_[p] == '.') {
        ++p;
        while (p < text_.size() && IsDigit(text_[p]))
            ++p;
    }
    if (p < text_.size() && (text_[p] == 'e' || text_[p] == 'E')) {
        std::size_t q = p + 1;
        if (q < text_.size() && (text_[q] == '+' || text_[q] == '-'))
            ++q;
        if (q < text_.size() && IsDigit(text_[q])) {
            while (q < text_.size() && IsDigit(text_[q]))
                ++q;
            p = q;
        }
    }
    std::string_view digits = text_.substr(start, p - start);
    double value = 0;
    auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits == "." || result.ptr != digits.data() + digits.size() || result.ec != std::errc())
        return Invalid(start, "malformed number");
    pos_ = p;
    token.kind = TokenKind::Number;
    token.number = value;
    return token;
}

bool CFormulaScanner::ReadQuoted(std::size_t& pos, std::string& value) const
{
    const char quote = text_[pos];
    for (std::size_t p = pos + 1; p < text_.size(); ++p) {
        if (text_[p] != quote) {
            value += text_[p];
        } else if (p + 1 < text_.size() && text_[p + 1] == quote) {
            value += quote; // a doubled quote stands for one
            ++p;
        } else {
            pos = p + 1;
            return true;
        }
    }
    return false;
}

FormulaToken CFormulaScanner::ScanString(std::size_t start)
{
    std::string value;
    std::size_t p = start;
    if (!ReadQuoted(p, value))
        return Invalid(start, "unterminated text");
    pos_ = p;
    FormulaToken token;
    token.kind = TokenKind::String;
    token.offset = start;
    token.text = std::move(value);
    return token;
}

FormulaToken CFormulaScanner::ScanError(std::size_t start)
{
    for (std::string_view literal : kErrorLiterals) {
        if (text_.size() - start < literal.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < literal.size() && same; ++i)
            same = sheet::UpperAscii(text_[start + i]) == literal[i];
        if (same) {
            pos_ = start + literal.size();
            FormulaToken token;
            token.kind = TokenKind::Error;
            token.offset = start;
            token.text = std::string(literal);
            return token;
        }
    }
    return Invalid(start, "unknown error literal");
}

FormulaToken CFormulaScanner::ScanQuotedSheet(std::size_t start)
{
    std::string sheet;
    std::size_t p = start;
    if (!ReadQuoted(p, sheet))
        return Invalid(start, "unterminated sheet name");
    if (p >= text_.size() || text_[p] != '!' || sheet.empty())
        return Invalid(start, "a quoted sheet name must be followed by \"!\"");
    // No sheet name holds a bracket: '[1]Cost rates'!F17 names a sheet of another workbook.
    if (sheet.find('[') != std::string::npos)
        return Invalid(start, "references to other workbooks ([1]Sheet1!A1) are not supported");
    return ScanAfterSheet(start, p, std::move(sheet), true);
}

FormulaToken CFormulaScanner::ScanAfterSheet(std::size_t start, std::size_t bang, std::string sheet,
                                             bool quoted)
{
    pos_ = bang + 1;
    FormulaToken token;
    token.offset = start;
    if (pos_ < text_.size() && text_[pos_] == '#') {
        token = ScanError(pos_);
        token.offset = start;
        return token;
    }
    if (!ScanReference(token)) {
        // A name of that sheet's scope, as in Sheet1!Sales.
        std::size_t p = pos_;
        while (IsNameChar(p))
            ++p;
        if (p == pos_ || (p < text_.size() && (text_[p] == '(' || text_[p] == '!')))
            return Invalid(pos_, "a reference expected after the sheet name");
        token.kind = TokenKind::Name;
        token.text = std::string(text_.substr(pos_, p - pos_));
        pos_ = p;
    }
    token.offset = start;
    token.sheet = std::move(sheet);
    token.quotedSheet = quoted;
    return token;
}

FormulaToken CFormulaScanner::ScanWord(std::size_t start)
{
    FormulaToken token;
    token.offset = start;
    if (ScanReference(token))
        return token;
    std::size_t p = start;
    while (IsNameChar(p))
        ++p;
    std::string word(text_.substr(start, p - start));
    if (p < text_.size() && text_[p] == '!')
        return ScanAfterSheet(start, p, std::move(word), false);
    pos_ = p;
    if (p < text_.size() && text_[p] == '(') {
        ++pos_;
        token.kind = TokenKind::Function;
        token.text = std::move(word);
        return token;
    }
    std::string upper = sheet::UpperAscii(word);
    if (upper == "TRUE" || upper == "FALSE") {
        token.kind = TokenKind::Boolean;
        token.number = upper == "TRUE" ? 1 : 0;
        return token;
    }
    token.kind = TokenKind::Name;
    token.text = std::move(word);
    return token;
}
