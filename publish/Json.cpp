#include "publish/Json.h"

#include "base/TextCodes.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <set>

namespace json {

namespace {

class Parser {
public:
    Parser(std::string_view text, const Limits& limits) : text_(text), limits_(limits) {}

    bool ParseDocument(Value& out)
    {
        if (text_.size() > limits_.maxSize) {
            return Fail("the input is larger than the reader accepts");
        }
        SkipSpace();
        if (!ParseValue(out, 0)) {
            return false;
        }
        SkipSpace();
        if (pos_ != text_.size()) {
            return Fail("unexpected text after the value");
        }
        return true;
    }

    Error TakeError() { return std::move(error_); }

private:
    bool Fail(const char* message)
    {
        error_.line = 1;
        error_.column = 1;
        for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) {
            if (text_[i] == '\n') {
                ++error_.line;
                error_.column = 1;
            } else {
                ++error_.column;
            }
        }
        error_.message = message;
        return false;
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

    void SkipSpace()
    {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
            ++pos_;
        }
    }

    bool Literal(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word) {
            return Fail("unknown word (expected true, false or null)");
        }
        pos_ += word.size();
        return true;
    }

    bool ParseValue(Value& out, int depth)
    {
        switch (Peek()) {
        case '{':
            return ParseObject(out, depth + 1);
        case '[':
            return ParseArray(out, depth + 1);
        case '"':
            out.kind = Kind::String;
            return ParseString(out.text);
        case 't':
            out.kind = Kind::Boolean;
            out.boolean = true;
            return Literal("true");
        case 'f':
            out.kind = Kind::Boolean;
            return Literal("false");
        case 'n':
            out.kind = Kind::Null;
            return Literal("null");
        default:
            if (Peek() == '-' || (Peek() >= '0' && Peek() <= '9')) {
                out.kind = Kind::Number;
                return ParseNumber(out.number);
            }
            return Fail(AtEnd() ? "the input ends where a value should be" : "expected a value");
        }
    }

    bool ParseObject(Value& out, int depth)
    {
        out.kind = Kind::Object;
        std::set<std::string> keys;
        return ParseList('}', "expected ',' or '}' in an object", depth, [&] {
            if (Peek() != '"') {
                return Fail("expected a key in double quotes");
            }
            std::string key;
            const std::size_t keyAt = pos_;
            if (!ParseString(key)) {
                return false;
            }
            if (!keys.insert(key).second) {
                pos_ = keyAt;
                return Fail("a key appears twice in one object");
            }
            SkipSpace();
            if (Peek() != ':') {
                return Fail("expected ':' after an object key");
            }
            ++pos_;
            SkipSpace();
            out.members.push_back(Member{std::move(key), Value{}});
            return ParseValue(out.members.back().value, depth);
        });
    }

    bool ParseArray(Value& out, int depth)
    {
        out.kind = Kind::Array;
        return ParseList(']', "expected ',' or ']' in an array", depth, [&] {
            out.items.emplace_back();
            return ParseValue(out.items.back(), depth);
        });
    }

    // The frame of an object or an array: its opening mark, then elements separated by commas
    // up to the closing mark; element reads one where it starts.
    template <class Element> bool ParseList(char close, const char* badSeparator, int depth, Element element)
    {
        if (depth > limits_.maxDepth) {
            return Fail("objects and arrays nest too deeply");
        }
        ++pos_;
        SkipSpace();
        if (Peek() == close) {
            ++pos_;
            return true;
        }
        for (;;) {
            if (!element()) {
                return false;
            }
            SkipSpace();
            if (Peek() == close) {
                ++pos_;
                return true;
            }
            if (Peek() != ',') {
                return Fail(badSeparator);
            }
            ++pos_;
            SkipSpace();
        }
    }

    bool ParseNumber(double& out)
    {
        const std::size_t start = pos_;
        auto digits = [this] {
            std::size_t n = 0;
            while (Peek() >= '0' && Peek() <= '9') {
                ++pos_;
                ++n;
            }
            return n;
        };
        if (Peek() == '-') {
            ++pos_;
        }
        if (Peek() == '0') {
            ++pos_;
        } else if (digits() == 0) {
            return Fail("a number needs digits");
        }
        if (Peek() == '.') {
            ++pos_;
            if (digits() == 0) {
                return Fail("a number needs digits after its decimal point");
            }
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++pos_;
            if (Peek() == '+' || Peek() == '-') {
                ++pos_;
            }
            if (digits() == 0) {
                return Fail("a number needs digits in its exponent");
            }
        }
        const char* first = text_.data() + start;
        const char* last = text_.data() + pos_;
        auto [end, ec] = std::from_chars(first, last, out);
        if (ec != std::errc() || end != last || !std::isfinite(out)) {
            pos_ = start;
            return Fail("the number is out of range");
        }
        return true;
    }

    bool Hex4(std::uint32_t& out)
    {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = ui::HexDigitValue(Peek());
            if (digit < 0) {
                return Fail("\\u needs four hexadecimal digits");
            }
            out = out * 16 + static_cast<std::uint32_t>(digit);
            ++pos_;
        }
        return true;
    }

    bool Escape(std::string& out)
    {
        const char c = Peek();
        ++pos_;
        switch (c) {
        case '"':
            out += '"';
            return true;
        case '\\':
            out += '\\';
            return true;
        case '/':
            out += '/';
            return true;
        case 'b':
            out += '\b';
            return true;
        case 'f':
            out += '\f';
            return true;
        case 'n':
            out += '\n';
            return true;
        case 'r':
            out += '\r';
            return true;
        case 't':
            out += '\t';
            return true;
        case 'u':
            break;
        default:
            --pos_;
            return Fail("unknown escape in a string");
        }
        std::uint32_t code;
        if (!Hex4(code)) {
            return false;
        }
        if (code >= 0xDC00 && code <= 0xDFFF) {
            return Fail("a low surrogate without its high one");
        }
        if (code >= 0xD800 && code <= 0xDBFF) {
            std::uint32_t low;
            if (text_.substr(pos_, 2) != "\\u") {
                return Fail("a high surrogate without its low one");
            }
            pos_ += 2;
            if (!Hex4(low)) {
                return false;
            }
            if (low < 0xDC00 || low > 0xDFFF) {
                return Fail("a high surrogate without its low one");
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        ui::AppendUtf8(out, static_cast<char32_t>(code));
        return true;
    }

    // One UTF-8 sequence, checked for shortest form, surrogates and the Unicode range.
    bool Utf8(std::string& out)
    {
        const auto lead = static_cast<unsigned char>(Peek());
        int extra;
        std::uint32_t code;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            code = lead & 0x07;
        } else {
            return Fail("a string holds bytes that are not UTF-8");
        }
        const std::size_t start = pos_++;
        for (int i = 0; i < extra; ++i) {
            const auto next = static_cast<unsigned char>(Peek());
            if ((next & 0xC0) != 0x80) {
                pos_ = start;
                return Fail("a string holds bytes that are not UTF-8");
            }
            code = (code << 6) | (next & 0x3F);
            ++pos_;
        }
        static constexpr std::uint32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (code < kMinimum[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            pos_ = start;
            return Fail("a string holds bytes that are not UTF-8");
        }
        out.append(text_.substr(start, pos_ - start));
        return true;
    }

    bool ParseString(std::string& out)
    {
        ++pos_;
        for (;;) {
            if (AtEnd()) {
                return Fail("a string has no closing quote");
            }
            const auto c = static_cast<unsigned char>(Peek());
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c < 0x20) {
                return Fail("a control character inside a string must be escaped");
            }
            if (c == '\\') {
                ++pos_;
                if (!Escape(out)) {
                    return false;
                }
            } else if (c >= 0x80) {
                if (!Utf8(out)) {
                    return false;
                }
            } else {
                out += static_cast<char>(c);
                ++pos_;
            }
        }
    }

    std::string_view text_;
    Limits limits_;
    std::size_t pos_ = 0;
    Error error_;
};

} // namespace

const Value* Value::Find(std::string_view key) const
{
    for (const Member& member : members) {
        if (member.key == key) {
            return &member.value;
        }
    }
    return nullptr;
}

std::string Error::ToString() const
{
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + message;
}

std::optional<Value> Parse(std::string_view text, Error* error, const Limits& limits)
{
    Parser parser(text, limits);
    Value value;
    if (!parser.ParseDocument(value)) {
        if (error) {
            *error = parser.TakeError();
        }
        return std::nullopt;
    }
    return value;
}

const char* KindName(Kind kind)
{
    switch (kind) {
    case Kind::Null:
        return "null";
    case Kind::Boolean:
        return "a boolean";
    case Kind::Number:
        return "a number";
    case Kind::String:
        return "a string";
    case Kind::Array:
        return "an array";
    case Kind::Object:
        return "an object";
    }
    return "a value";
}

} // namespace json
