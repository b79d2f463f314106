#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A small, strict JSON reader (RFC 8259) for the descriptions our tools read. It accepts
// nothing the standard does not: no comments, no trailing commas, no NaN, no single quotes, no
// control characters or broken UTF-8 in strings, and no key twice in one object. Input size and
// nesting depth are bounded, so hostile input cannot exhaust the stack or memory.
namespace json {

enum class Kind { Null, Boolean, Number, String, Array, Object };

struct Member;

class Value {
public:
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<Value> items;    // Array
    std::vector<Member> members; // Object, in the order written

    // The member named key of an object, or null (also when this is not an object).
    const Value* Find(std::string_view key) const;
    bool IsNull() const { return kind == Kind::Null; }
};

struct Member {
    std::string key;
    Value value;
};

struct Limits {
    std::size_t maxSize = std::size_t(64) << 20;
    int maxDepth = 64;
};

struct Error {
    std::size_t line = 0;   // 1-based
    std::size_t column = 0; // 1-based, in bytes
    std::string message;
    // "line 3, column 7: expected ':' after an object key"
    std::string ToString() const;
};

// The value that makes up all of text (white space around it allowed), or nothing with error
// filled in.
std::optional<Value> Parse(std::string_view text, Error* error = nullptr, const Limits& limits = {});

// The name of a kind for messages ("an object", "a number", ...).
const char* KindName(Kind kind);

} // namespace json
