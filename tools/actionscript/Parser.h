#pragma once

#include "tools/actionscript/Ast.h"
#include "tools/actionscript/Lexer.h"

#include <vector>

namespace actionscript {

// Deeper syntax trees are refused, keeping the recursion of the parser and of the code
// generator far inside the stack. Each bracket level counts about four, each link of a chain
// such as a + b + c one.
inline constexpr int kMaxNestingDepth = 1000;

// Reads a token stream (includes already expanded, ending with one End token) into a Block of
// statements. Semicolons may be left out at the end of a line, before "}" and at the end of the
// source. Throws SyntaxError at the first fault.
NodePtr ParseProgram(const std::vector<Token>& tokens);

} // namespace actionscript
