#include "tools/actionscript/Lexer.h"

#include "base/TextCodes.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace actionscript {
namespace {

// Longest first, so that ">>>=" wins over ">>" and ">".
constexpr std::array<std::string_view, 48> kPunctuators = {
    ">>>=", "===", "!==", ">>>", "<<=", ">>=", "==", "!=", "<=", ">=", "&&", "||", "++", "--",
    "+=",   "-=",  "*=",  "/=",  "%=",  "&=",  "|=", "^=", "<<", ">>", "{",  "}",  "(",  ")",
    "[",    "]",   ";",   ",",   "<",   ">",   "+",  "-",  "*",  "/",  "%",  "&",  "|",  "^",
    "!",    "~",   "?",   ":",   "=",   ".",
};

bool IsIdentStart(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$' || c >= 0x80;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class Lexer {
public:
    Lexer(std::string_view source, int file) : src_(source), file_(file) {}

    std::vector<Token> Run()
    {
        std::vector<Token> tokens;
        tokens.reserve(src_.size() / 3 + 1);
        for (;;) {
            bool newline = SkipSpace();
            Token token;
            token.at = Here();
            token.newlineBefore = newline || tokens.empty();
            if (pos_ >= src_.size()) {
                tokens.push_back(token);
                return tokens;
            }
            char c = src_[pos_];
            if (c == '#')
                ReadDirective(token);
            else if (IsIdentStart(static_cast<unsigned char>(c)))
                ReadIdentifier(token);
            else if (IsDigit(c) || (c == '.' && pos_ + 1 < src_.size() && IsDigit(src_[pos_ + 1])))
                ReadNumber(token);
            else if (c == '"' || c == '\'')
                ReadString(token);
            else
                ReadPunctuator(token);
            tokens.push_back(std::move(token));
        }
    }

private:
    SourceLocation Here() const { return {file_, line_, static_cast<int>(pos_ - lineStart_) + 1}; }
    [[noreturn]] void Fail(SourceLocation at, std::string message) { throw SyntaxError{at, std::move(message)}; }

    void Advance()
    {
        if (src_[pos_] == '\n') {
            ++line_;
            lineStart_ = pos_ + 1;
        }
        ++pos_;
    }

    // Skips blanks and comments; true when a line ended on the way.
    bool SkipSpace()
    {
        bool newline = false;
        while (pos_ < src_.size()) {
            char c = src_[pos_];
            if (c == '\n') {
                newline = true;
                Advance();
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                Advance();
            } else if (src_.substr(pos_, 2) == "//") {
                while (pos_ < src_.size() && src_[pos_] != '\n')
                    Advance();
            } else if (src_.substr(pos_, 2) == "/*") {
                SourceLocation at = Here();
                pos_ += 2;
                size_t close = src_.find("*/", pos_);
                if (close == std::string_view::npos)
                    Fail(at, "comment is not closed");
                while (pos_ < close) {
                    newline |= src_[pos_] == '\n';
                    Advance();
                }
                pos_ += 2;
            } else if (static_cast<unsigned char>(c) == 0xEF && src_.substr(pos_, 3) == "\xEF\xBB\xBF") {
                pos_ += 3; // a byte order mark
            } else {
                break;
            }
        }
        return newline;
    }

    void ReadDirective(Token& token)
    {
        constexpr std::string_view kInclude = "#include";
        if (src_.substr(pos_, kInclude.size()) != kInclude)
            Fail(token.at, "unknown directive; only #include is supported");
        pos_ += kInclude.size();
        while (pos_ < src_.size() && (src_[pos_] == ' ' || src_[pos_] == '\t'))
            ++pos_;
        if (pos_ >= src_.size() || src_[pos_] != '"')
            Fail(Here(), "#include needs a file name in double quotes");
        size_t close = src_.find_first_of("\"\n", pos_ + 1);
        if (close == std::string_view::npos || src_[close] != '"')
            Fail(Here(), "#include file name is not closed");
        token.kind = TokenKind::Include;
        token.text = std::string(src_.substr(pos_ + 1, close - pos_ - 1));
        if (token.text.empty())
            Fail(token.at, "#include needs a file name");
        pos_ = close + 1;
    }

    void ReadIdentifier(Token& token)
    {
        size_t start = pos_;
        while (pos_ < src_.size() &&
               (IsIdentStart(static_cast<unsigned char>(src_[pos_])) || IsDigit(src_[pos_])))
            ++pos_;
        token.kind = TokenKind::Identifier;
        token.text = std::string(src_.substr(start, pos_ - start));
    }

    void ReadNumber(Token& token)
    {
        size_t start = pos_;
        token.kind = TokenKind::Number;
        if (src_.substr(pos_, 2) == "0x" || src_.substr(pos_, 2) == "0X") {
            pos_ += 2;
            double value = 0;
            size_t digits = pos_;
            while (pos_ < src_.size() && ui::HexDigitValue(src_[pos_]) >= 0)
                value = value * 16 + ui::HexDigitValue(src_[pos_++]);
            if (pos_ == digits)
                Fail(token.at, "hexadecimal number has no digits");
            token.number = value;
        } else {
            while (pos_ < src_.size() && IsDigit(src_[pos_]))
                ++pos_;
            if (pos_ < src_.size() && src_[pos_] == '.') {
                ++pos_;
                while (pos_ < src_.size() && IsDigit(src_[pos_]))
                    ++pos_;
            }
            if (pos_ < src_.size() && (src_[pos_] == 'e' || src_[pos_] == 'E')) {
                size_t mark = pos_++;
                if (pos_ < src_.size() && (src_[pos_] == '+' || src_[pos_] == '-'))
                    ++pos_;
                if (pos_ >= src_.size() || !IsDigit(src_[pos_]))
                    pos_ = mark; // "1e" is the number 1 followed by a name; let the parser complain
                while (pos_ < src_.size() && IsDigit(src_[pos_]))
                    ++pos_;
            }
            token.number = ParseDecimal(src_.substr(start, pos_ - start));
        }
        if (pos_ < src_.size() && IsIdentStart(static_cast<unsigned char>(src_[pos_])))
            Fail(Here(), "a name cannot start right after a number");
    }

    // Correctly rounded, and independent of the process's locale.
    static double ParseDecimal(std::string_view text)
    {
        double value = 0;
        auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec == std::errc::result_out_of_range) {
            size_t e = text.find_first_of("eE");
            bool tiny = e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-';
            return tiny ? 0.0 : HUGE_VAL;
        }
        return value;
    }

    void ReadString(Token& token)
    {
        char quote = src_[pos_++];
        token.kind = TokenKind::String;
        for (;;) {
            if (pos_ >= src_.size() || src_[pos_] == '\n')
                Fail(token.at, "string is not closed on its line");
            char c = src_[pos_];
            if (c == quote) {
                ++pos_;
                return;
            }
            if (c == '\0')
                Fail(Here(), "a movie string cannot hold the character U+0000");
            if (c != '\\') {
                token.text += c;
                ++pos_;
                continue;
            }
            SourceLocation at = Here();
            if (++pos_ >= src_.size())
                Fail(at, "string is not closed");
            char e = src_[pos_++];
            switch (e) {
            case 'n': token.text += '\n'; break;
            case 'r': token.text += '\r'; break;
            case 't': token.text += '\t'; break;
            case 'b': token.text += '\b'; break;
            case 'f': token.text += '\f'; break;
            case 'x': AppendCodePoint(token, at, ReadHex(at, 2)); break;
            case 'u': AppendCodePoint(token, at, ReadUnicodeEscape(at)); break;
            case '0':
            case '\0': Fail(at, "a movie string cannot hold the character U+0000");
            case '\n': Fail(at, "string is not closed on its line");
            default: token.text += e; break; // \" \' \\ and any other character stands for itself
            }
        }
    }

    uint32_t ReadHex(SourceLocation at, int digits)
    {
        uint32_t value = 0;
        for (int i = 0; i < digits; ++i) {
            int d = pos_ < src_.size() ? ui::HexDigitValue(src_[pos_]) : -1;
            if (d < 0)
                Fail(at, digits == 2 ? "\\x needs two hexadecimal digits" : "\\u needs four hexadecimal digits");
            value = value * 16 + static_cast<uint32_t>(d);
            ++pos_;
        }
        return value;
    }

    // After "\u": a code point, two escapes of a surrogate pair joined into one, so characters
    // beyond U+FFFF become proper UTF-8.
    uint32_t ReadUnicodeEscape(SourceLocation at)
    {
        uint32_t cp = ReadHex(at, 4);
        if (cp >= 0xD800 && cp <= 0xDBFF && src_.substr(pos_, 2) == "\\u") {
            size_t mark = pos_;
            pos_ += 2;
            uint32_t low = ReadHex(at, 4);
            if (low >= 0xDC00 && low <= 0xDFFF)
                return 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            pos_ = mark;
        }
        return cp;
    }

    void AppendCodePoint(Token& token, SourceLocation at, uint32_t cp)
    {
        if (cp == 0)
            Fail(at, "a movie string cannot hold the character U+0000");
        ui::AppendUtf8(token.text, cp);
    }

    void ReadPunctuator(Token& token)
    {
        for (std::string_view p : kPunctuators) {
            if (p[0] == src_[pos_] && src_.substr(pos_, p.size()) == p) {
                token.kind = TokenKind::Punctuator;
                token.text = std::string(p);
                pos_ += p.size();
                return;
            }
        }
        Fail(token.at, "unexpected character '" + std::string(1, src_[pos_]) + "'");
    }

    std::string_view src_;
    int file_;
    size_t pos_ = 0;
    size_t lineStart_ = 0;
    int line_ = 1;
};

} // namespace

std::vector<Token> Tokenize(std::string_view source, int fileIndex)
{
    return Lexer(source, fileIndex).Run();
}

} // namespace actionscript
