#pragma once

#include "tools/actionscript/Diagnostic.h"

#include <string>
#include <string_view>
#include <vector>

namespace actionscript {

enum class TokenKind {
    End,
    Identifier, // also the keywords; the parser tells them apart
    Number,
    String,
    Punctuator,
    Include, // #include "path": text holds the path
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text; // identifier, punctuator, decoded string (UTF-8) or include path
    double number = 0;
    SourceLocation at;
    bool newlineBefore = false;
};

// Thrown by the lexer and the parser; the compiler turns it into a Diagnostic.
struct SyntaxError {
    SourceLocation at;
    std::string message;
};

// Splits one source file into tokens. String escapes are resolved here, so string tokens hold
// the UTF-8 text the movie will carry. Throws SyntaxError.
std::vector<Token> Tokenize(std::string_view source, int fileIndex);

} // namespace actionscript
