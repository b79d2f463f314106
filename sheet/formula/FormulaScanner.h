#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// One end of a reference as written: a cell ($B$3), a whole column ($B) or a whole row (3).
// Rows and columns count from 1; "$" marks a row or column that stays when the formula moves.
struct RefPart {
    enum class Shape { Cell, Column, Row };
    Shape shape = Shape::Cell;
    int row = 0;
    int column = 0;
    bool absoluteRow = false;
    bool absoluteColumn = false;
};

// The one reader of A1 reference ends: [$]letters[$]digits, [$]letters or [$]digits at pos,
// inside the sheet. On success pos is just past it; otherwise none and pos is unchanged.
std::optional<RefPart> ScanRefPart(std::string_view text, std::size_t& pos);

// Whether text is one of the error values a formula or a cell can hold ("#N/A", "#DIV/0!"...),
// as the spreadsheet writes it.
bool IsErrorLiteral(std::string_view text);

enum class TokenKind {
    End,
    Number,
    String,    // text holds the unquoted value
    Boolean,   // number is 1 or 0
    Error,     // text holds the literal in capitals, e.g. "#DIV/0!"
    Reference, // sheet (empty when not given), first and, for an area, second part
    Name,      // a defined name
    Function,  // a function name; the "(" that follows is consumed
    Operator,  // text holds the operator: + - * / ^ & % = <> < > <= >=
    LeftParen,
    RightParen,
    Comma,
    Semicolon,
    LeftBrace,
    RightBrace,
    Invalid, // text says what is wrong
};

struct FormulaToken {
    TokenKind kind = TokenKind::End;
    std::size_t offset = 0;
    std::string text;
    double number = 0;
    bool quotedSheet = false;
    std::string sheet;
    RefPart first;
    std::optional<RefPart> second;
};

// Splits a spreadsheet formula (without its leading "=") into tokens. Never reads past the
// text; an unreadable character gives an Invalid token.
class CFormulaScanner {
public:
    explicit CFormulaScanner(std::string_view text) : text_(text) {}
    FormulaToken Next();
    std::size_t Offset() const { return pos_; }

private:
    FormulaToken ScanNumberOrRows(std::size_t start);
    FormulaToken ScanString(std::size_t start);
    FormulaToken ScanError(std::size_t start);
    FormulaToken ScanWord(std::size_t start);
    FormulaToken ScanQuotedSheet(std::size_t start);
    // Reads the text quoted by the character at pos up to its closing quote; on success pos is
    // just past it. False when the text ends first.
    bool ReadQuoted(std::size_t& pos, std::string& value) const;
    // After "Sheet!" (bang is the position of the "!"): the reference, or an error literal
    // such as Sheet1!#REF!.
    FormulaToken ScanAfterSheet(std::size_t start, std::size_t bang, std::string sheet, bool quoted);
    // A reference (cell, area, columns or rows) at pos_, or none (pos_ unchanged).
    bool ScanReference(FormulaToken& token);
    bool IsNameChar(std::size_t pos) const;

    std::string_view text_;
    std::size_t pos_ = 0;
};
