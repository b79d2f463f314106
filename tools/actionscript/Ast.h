#pragma once

#include "tools/actionscript/Diagnostic.h"

#include <memory>
#include <string>
#include <vector>

namespace actionscript {

enum class NodeKind {
    // Expressions
    Number,      // number
    String,      // text
    Boolean,     // number 0 or 1
    Null,
    Undefined,
    Identifier,  // text (also this, _root, _parent, _global)
    ArrayLiteral,  // kids: elements
    ObjectLiteral, // names: keys; kids: values
    Function,    // text: name (empty for an expression); names: parameters; kids: body statements
    Member,      // kids[0].text
    Index,       // kids[0][kids[1]]
    Call,        // kids[0](kids[1..])
    New,         // new kids[0](kids[1..])
    Unary,       // text: ! ~ - + typeof void delete; kids[0]
    Update,      // text: ++ or --; number 1 for prefix; kids[0]
    Binary,      // text: operator; kids[0], kids[1]
    Logical,     // text: && or ||
    Conditional, // kids[0] ? kids[1] : kids[2]
    Assign,      // text: = or a compound operator; kids[0] the target, kids[1] the value
    Sequence,    // kids, the value of the last
    // Statements
    Var,         // names; kids: initial values, Empty where none
    FunctionDecl, // kids[0]: Function
    ExpressionStatement,
    Block,
    If,          // kids: test, then, else (Empty when none)
    While,       // kids: test, body
    DoWhile,     // kids: body, test
    For,         // kids: init, test, update (Empty when absent), body
    ForIn,       // text: the variable; number 1 when declared with var; kids: object, body
    Break,
    Continue,
    Return,      // kids: value or nothing
    Switch,      // kids[0] the value, then Case nodes
    Case,        // kids[0] the test (Empty for default), then statements
    Empty,
};

struct Node {
    NodeKind kind = NodeKind::Empty;
    SourceLocation at;
    std::string text;
    double number = 0;
    std::vector<std::string> names;
    std::vector<std::unique_ptr<Node>> kids;
};

using NodePtr = std::unique_ptr<Node>;

} // namespace actionscript
