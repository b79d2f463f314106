#include "tools/actionscript/Parser.h"

#include <array>
#include <string_view>

namespace actionscript {
namespace {

struct BinaryLevel {
    int precedence;
    std::string_view op;
};

// Binding strength of the binary operators, loosest first; || and && build Logical nodes.
constexpr std::array<BinaryLevel, 22> kBinary = {{
    {1, "||"}, {2, "&&"}, {3, "|"}, {4, "^"}, {5, "&"},
    {6, "=="}, {6, "!="}, {6, "==="}, {6, "!=="},
    {7, "<"}, {7, ">"}, {7, "<="}, {7, ">="}, {7, "instanceof"},
    {8, "<<"}, {8, ">>"}, {8, ">>>"},
    {9, "+"}, {9, "-"},
    {10, "*"}, {10, "/"}, {10, "%"},
}};

constexpr std::array<std::string_view, 12> kAssignOps = {"=", "+=", "-=", "*=", "/=", "%=",
                                                         "<<=", ">>=", ">>>=", "&=", "|=", "^="};

// Words that cannot name a variable.
constexpr std::array<std::string_view, 26> kReserved = {
    "break", "case", "continue", "default", "delete", "do", "else", "false", "for", "function",
    "if", "in", "instanceof", "new", "null", "return", "switch", "true", "typeof", "undefined",
    "var", "void", "while", "with", "class", "try",
};

constexpr const char* kTooDeep = "expressions or statements nest too deeply here";

class Parser {
public:
    explicit Parser(const std::vector<Token>& tokens) : tokens_(tokens) {}

    NodePtr Program()
    {
        auto block = Make(NodeKind::Block, Peek().at);
        while (Peek().kind != TokenKind::End)
            block->kids.push_back(Statement());
        return block;
    }

private:
    // --- tokens
    const Token& Peek(size_t ahead = 0) const
    {
        size_t i = pos_ + ahead;
        return i < tokens_.size() ? tokens_[i] : tokens_.back();
    }
    const Token& Next()
    {
        const Token& t = Peek();
        if (pos_ + 1 < tokens_.size())
            ++pos_;
        return t;
    }
    bool IsPunct(std::string_view p, size_t ahead = 0) const
    {
        const Token& t = Peek(ahead);
        return t.kind == TokenKind::Punctuator && t.text == p;
    }
    bool IsWord(std::string_view w) const
    {
        const Token& t = Peek();
        return t.kind == TokenKind::Identifier && t.text == w;
    }
    bool Accept(std::string_view p)
    {
        if (!IsPunct(p))
            return false;
        Next();
        return true;
    }
    bool AcceptWord(std::string_view w)
    {
        if (!IsWord(w))
            return false;
        Next();
        return true;
    }
    [[noreturn]] void Fail(const Token& at, std::string message) { throw SyntaxError{at.at, std::move(message)}; }
    static std::string Describe(const Token& t)
    {
        switch (t.kind) {
        case TokenKind::End: return "the end of the source";
        case TokenKind::Number: return "a number";
        case TokenKind::String: return "a string";
        case TokenKind::Include: return "#include";
        default: return "'" + t.text + "'";
        }
    }
    void Expect(std::string_view p, std::string_view what)
    {
        if (!Accept(p))
            Fail(Peek(), "expected '" + std::string(p) + "' " + std::string(what) + ", found " + Describe(Peek()));
    }
    std::string Name(std::string_view what)
    {
        const Token& t = Peek();
        if (t.kind != TokenKind::Identifier)
            Fail(t, "expected " + std::string(what) + ", found " + Describe(t));
        for (std::string_view r : kReserved)
            if (t.text == r)
                Fail(t, "'" + t.text + "' is a reserved word and cannot be " + std::string(what));
        Next();
        return t.text;
    }
    void EndOfStatement()
    {
        if (Accept(";") || IsPunct("}") || Peek().kind == TokenKind::End || Peek().newlineBefore)
            return;
        Fail(Peek(), "expected ';' after the statement, found " + Describe(Peek()));
    }
    NodePtr Make(NodeKind kind, SourceLocation at)
    {
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->at = at;
        return node;
    }

    // Each link of a left-leaning chain (a + b + c, a.b.c) is one more level of the tree.
    void Deepen(int& links)
    {
        ++links;
        if (++depth_ > kMaxNestingDepth)
            Fail(Peek(), kTooDeep);
    }

    // Counts nesting for the duration of one recursive step.
    class Nest {
    public:
        explicit Nest(Parser& p) : p_(p)
        {
            if (++p_.depth_ > kMaxNestingDepth)
                p_.Fail(p_.Peek(), kTooDeep);
        }
        ~Nest() { --p_.depth_; }

    private:
        Parser& p_;
    };

    // --- statements
    NodePtr Statement()
    {
        Nest nest(*this);
        const Token& t = Peek();
        if (t.kind == TokenKind::Punctuator && t.text == "{")
            return Block();
        if (t.kind == TokenKind::Punctuator && t.text == ";") {
            Next();
            return Make(NodeKind::Empty, t.at);
        }
        if (t.kind == TokenKind::Identifier)
            if (NodePtr keyword = KeywordStatement(t))
                return keyword;
        auto node = Make(NodeKind::ExpressionStatement, t.at);
        node->kids.push_back(Expression());
        EndOfStatement();
        return node;
    }

    // A statement that a keyword starts; null when the word starts an expression.
    NodePtr KeywordStatement(const Token& t)
    {
        if (t.text == "var") {
            Next();
            auto node = VarList(t.at);
            EndOfStatement();
            return node;
        }
        if (t.text == "function" && Peek(1).kind == TokenKind::Identifier) {
            auto decl = Make(NodeKind::FunctionDecl, t.at);
            decl->kids.push_back(FunctionRest(true));
            return decl;
        }
        if (t.text == "if")
            return If();
        if (t.text == "while")
            return While();
        if (t.text == "do")
            return DoWhile();
        if (t.text == "for")
            return For();
        if (t.text == "switch")
            return Switch();
        if (t.text == "break" || t.text == "continue") {
            Next();
            auto node = Make(t.text == "break" ? NodeKind::Break : NodeKind::Continue, t.at);
            EndOfStatement();
            return node;
        }
        if (t.text == "return")
            return Return();
        if (t.text == "with" || t.text == "try" || t.text == "throw" || t.text == "class")
            Fail(t, "'" + t.text + "' is not supported by the movies this compiler writes");
        if (t.text == "case" || t.text == "default")
            Fail(t, "'" + t.text + "' outside a switch");
        if (t.text == "else")
            Fail(t, "'else' without an 'if'");
        return nullptr;
    }

    NodePtr Return()
    {
        auto node = Make(NodeKind::Return, Next().at);
        if (!IsPunct(";") && !IsPunct("}") && Peek().kind != TokenKind::End && !Peek().newlineBefore)
            node->kids.push_back(Expression());
        EndOfStatement();
        return node;
    }

    NodePtr Block()
    {
        auto block = Make(NodeKind::Block, Peek().at);
        Expect("{", "to open the block");
        while (!IsPunct("}")) {
            if (Peek().kind == TokenKind::End)
                Fail(Peek(), "block opened at line " + std::to_string(block->at.line) + " is not closed");
            block->kids.push_back(Statement());
        }
        Next();
        return block;
    }

    // After "var": one or more names, each with an optional initial value.
    NodePtr VarList(SourceLocation at, bool noIn = false)
    {
        auto node = Make(NodeKind::Var, at);
        do {
            node->names.push_back(Name("a variable name"));
            if (Accept("="))
                node->kids.push_back(Assignment(noIn));
            else
                node->kids.push_back(Make(NodeKind::Empty, Peek().at));
        } while (Accept(","));
        return node;
    }

    NodePtr Condition()
    {
        Expect("(", "before the condition");
        auto test = Expression();
        Expect(")", "after the condition");
        return test;
    }

    NodePtr If()
    {
        auto node = Make(NodeKind::If, Next().at);
        node->kids.push_back(Condition());
        node->kids.push_back(Statement());
        if (AcceptWord("else"))
            node->kids.push_back(Statement());
        else
            node->kids.push_back(Make(NodeKind::Empty, Peek().at));
        return node;
    }

    NodePtr While()
    {
        auto node = Make(NodeKind::While, Next().at);
        node->kids.push_back(Condition());
        node->kids.push_back(Statement());
        return node;
    }

    NodePtr DoWhile()
    {
        auto node = Make(NodeKind::DoWhile, Next().at);
        node->kids.push_back(Statement());
        if (!AcceptWord("while"))
            Fail(Peek(), "expected 'while' after the body of 'do', found " + Describe(Peek()));
        node->kids.push_back(Condition());
        Accept(";");
        return node;
    }

    NodePtr For()
    {
        SourceLocation at = Next().at;
        Expect("(", "after 'for'");
        // for (var k in o) and for (k in o)
        bool declared = IsWord("var");
        size_t nameAt = declared ? 1 : 0;
        if (Peek(nameAt).kind == TokenKind::Identifier && Peek(nameAt + 1).kind == TokenKind::Identifier &&
            Peek(nameAt + 1).text == "in") {
            if (declared)
                Next();
            auto node = Make(NodeKind::ForIn, at);
            node->text = Name("the loop variable");
            node->number = declared ? 1 : 0;
            Next(); // in
            node->kids.push_back(Expression());
            Expect(")", "after the object of 'for ... in'");
            node->kids.push_back(Statement());
            return node;
        }
        auto node = Make(NodeKind::For, at);
        if (IsPunct(";"))
            node->kids.push_back(Make(NodeKind::Empty, Peek().at));
        else if (IsWord("var"))
            node->kids.push_back(VarList(Next().at, true));
        else
            node->kids.push_back(ExpressionStatementOf(Expression(true)));
        Expect(";", "after the start of the 'for' loop");
        node->kids.push_back(IsPunct(";") ? Make(NodeKind::Empty, Peek().at) : Expression());
        Expect(";", "after the condition of the 'for' loop");
        node->kids.push_back(IsPunct(")") ? Make(NodeKind::Empty, Peek().at) : ExpressionStatementOf(Expression()));
        Expect(")", "after the 'for' clauses");
        node->kids.push_back(Statement());
        return node;
    }

    NodePtr ExpressionStatementOf(NodePtr expr)
    {
        auto node = Make(NodeKind::ExpressionStatement, expr->at);
        node->kids.push_back(std::move(expr));
        return node;
    }

    NodePtr Switch()
    {
        auto node = Make(NodeKind::Switch, Next().at);
        node->kids.push_back(Condition());
        Expect("{", "to open the cases of 'switch'");
        bool sawDefault = false;
        while (!Accept("}")) {
            const Token& t = Peek();
            auto entry = Make(NodeKind::Case, t.at);
            if (AcceptWord("case")) {
                entry->kids.push_back(Expression());
            } else if (AcceptWord("default")) {
                if (sawDefault)
                    Fail(t, "a switch has only one 'default'");
                sawDefault = true;
                entry->kids.push_back(Make(NodeKind::Empty, t.at));
            } else {
                Fail(t, "expected 'case', 'default' or '}' in the switch, found " + Describe(t));
            }
            Expect(":", "after the case");
            while (!IsPunct("}") && !IsWord("case") && !IsWord("default")) {
                if (Peek().kind == TokenKind::End)
                    Fail(Peek(), "switch opened at line " + std::to_string(node->at.line) + " is not closed");
                entry->kids.push_back(Statement());
            }
            node->kids.push_back(std::move(entry));
        }
        return node;
    }

    // After "function" (the keyword is still the current token).
    NodePtr FunctionRest(bool named)
    {
        auto fn = Make(NodeKind::Function, Next().at);
        if (named || Peek().kind == TokenKind::Identifier)
            fn->text = Name("a function name");
        Expect("(", "before the parameters");
        if (!IsPunct(")")) {
            do {
                fn->names.push_back(Name("a parameter name"));
            } while (Accept(","));
        }
        Expect(")", "after the parameters");
        auto body = Block();
        fn->kids = std::move(body->kids);
        return fn;
    }

    // --- expressions
    NodePtr Expression(bool noIn = false)
    {
        auto first = Assignment(noIn);
        if (!IsPunct(","))
            return first;
        auto seq = Make(NodeKind::Sequence, first->at);
        seq->kids.push_back(std::move(first));
        while (Accept(","))
            seq->kids.push_back(Assignment(noIn));
        return seq;
    }

    NodePtr Assignment(bool noIn = false)
    {
        Nest nest(*this);
        auto target = Conditional(noIn);
        const Token& t = Peek();
        if (t.kind != TokenKind::Punctuator)
            return target;
        for (std::string_view op : kAssignOps) {
            if (t.text != op)
                continue;
            if (target->kind != NodeKind::Identifier && target->kind != NodeKind::Member &&
                target->kind != NodeKind::Index)
                Fail(t, "the left side of '" + t.text + "' cannot be assigned to");
            Next();
            auto node = Make(NodeKind::Assign, t.at);
            node->text = t.text;
            node->kids.push_back(std::move(target));
            node->kids.push_back(Assignment(noIn));
            return node;
        }
        return target;
    }

    NodePtr Conditional(bool noIn)
    {
        auto test = Binary(1, noIn);
        if (!IsPunct("?"))
            return test;
        auto node = Make(NodeKind::Conditional, Next().at);
        node->kids.push_back(std::move(test));
        node->kids.push_back(Assignment());
        Expect(":", "in the conditional expression");
        node->kids.push_back(Assignment(noIn));
        return node;
    }

    // The binary operator at the current token, if it binds at least as strongly as minimum.
    const BinaryLevel* BinaryAt(int minimum) const
    {
        const Token& t = Peek();
        if (t.kind != TokenKind::Punctuator && !(t.kind == TokenKind::Identifier && t.text == "instanceof"))
            return nullptr;
        for (const auto& level : kBinary)
            if (level.op == t.text && level.precedence >= minimum)
                return &level;
        return nullptr;
    }

    NodePtr Binary(int minimum, bool noIn)
    {
        Nest nest(*this);
        auto left = Unary();
        int links = 0;
        while (const BinaryLevel* level = BinaryAt(minimum)) {
            const Token& t = Next();
            Deepen(links);
            auto right = Binary(level->precedence + 1, noIn);
            bool logical = level->op == "||" || level->op == "&&";
            auto node = Make(logical ? NodeKind::Logical : NodeKind::Binary, t.at);
            node->text = t.text;
            node->kids.push_back(std::move(left));
            node->kids.push_back(std::move(right));
            left = std::move(node);
        }
        depth_ -= links;
        return left;
    }

    NodePtr Unary()
    {
        Nest nest(*this);
        const Token& t = Peek();
        bool word = t.kind == TokenKind::Identifier &&
                    (t.text == "typeof" || t.text == "void" || t.text == "delete");
        bool sign = t.kind == TokenKind::Punctuator &&
                    (t.text == "!" || t.text == "~" || t.text == "-" || t.text == "+");
        if (word || sign) {
            Next();
            auto node = Make(NodeKind::Unary, t.at);
            node->text = t.text;
            node->kids.push_back(Unary());
            return node;
        }
        if (IsPunct("++") || IsPunct("--")) {
            Next();
            auto node = Make(NodeKind::Update, t.at);
            node->text = t.text;
            node->number = 1;
            node->kids.push_back(AssignableTarget(Unary(), t));
            return node;
        }
        auto expr = Postfix(LeftHandSide());
        return expr;
    }

    NodePtr AssignableTarget(NodePtr target, const Token& op)
    {
        if (target->kind != NodeKind::Identifier && target->kind != NodeKind::Member &&
            target->kind != NodeKind::Index)
            Fail(op, "'" + op.text + "' needs a variable, a member or an element");
        return target;
    }

    NodePtr Postfix(NodePtr expr)
    {
        const Token& t = Peek();
        if ((IsPunct("++") || IsPunct("--")) && !t.newlineBefore) {
            Next();
            auto node = Make(NodeKind::Update, t.at);
            node->text = t.text;
            node->kids.push_back(AssignableTarget(std::move(expr), t));
            return node;
        }
        return expr;
    }

    NodePtr LeftHandSide()
    {
        NodePtr expr;
        if (IsWord("new")) {
            const Token& t = Next();
            Nest nest(*this);
            auto node = Make(NodeKind::New, t.at);
            node->kids.push_back(MemberChain(Primary(), false));
            if (IsPunct("("))
                Arguments(*node);
            expr = std::move(node);
        } else {
            expr = Primary();
        }
        return MemberChain(std::move(expr), true);
    }

    // Member access, indexing and (when allowed) calls following an expression.
    NodePtr MemberChain(NodePtr expr, bool calls)
    {
        int links = 0;
        for (;;) {
            const Token& t = Peek();
            if (IsPunct(".") || IsPunct("[") || (calls && IsPunct("(")))
                Deepen(links);
            if (Accept(".")) {
                auto node = Make(NodeKind::Member, t.at);
                const Token& name = Peek();
                if (name.kind != TokenKind::Identifier)
                    Fail(name, "expected a member name after '.', found " + Describe(name));
                Next();
                node->text = name.text;
                node->kids.push_back(std::move(expr));
                expr = std::move(node);
            } else if (Accept("[")) {
                Nest nest(*this);
                auto node = Make(NodeKind::Index, t.at);
                node->kids.push_back(std::move(expr));
                node->kids.push_back(Expression());
                Expect("]", "to close the index");
                expr = std::move(node);
            } else if (calls && IsPunct("(")) {
                Nest nest(*this);
                auto node = Make(NodeKind::Call, t.at);
                node->kids.push_back(std::move(expr));
                Arguments(*node);
                expr = std::move(node);
            } else {
                depth_ -= links;
                return expr;
            }
        }
    }

    void Arguments(Node& call)
    {
        Expect("(", "before the arguments");
        if (Accept(")"))
            return;
        do {
            call.kids.push_back(Assignment());
        } while (Accept(","));
        Expect(")", "after the arguments");
    }

    NodePtr Primary()
    {
        Nest nest(*this);
        const Token& t = Peek();
        switch (t.kind) {
        case TokenKind::Number: {
            Next();
            auto node = Make(NodeKind::Number, t.at);
            node->number = t.number;
            return node;
        }
        case TokenKind::String: {
            Next();
            auto node = Make(NodeKind::String, t.at);
            node->text = t.text;
            return node;
        }
        case TokenKind::Identifier: return Word();
        case TokenKind::Punctuator:
            if (t.text == "(") {
                Next();
                auto inner = Expression();
                Expect(")", "to close the parenthesis");
                return inner;
            }
            if (t.text == "[")
                return ArrayLiteral();
            if (t.text == "{")
                return ObjectLiteral();
            break;
        default: break;
        }
        Fail(t, "expected an expression, found " + Describe(t));
    }

    NodePtr Word()
    {
        const Token& t = Peek();
        if (t.text == "function")
            return FunctionRest(false);
        if (t.text == "true" || t.text == "false") {
            Next();
            auto node = Make(NodeKind::Boolean, t.at);
            node->number = t.text == "true" ? 1 : 0;
            return node;
        }
        if (t.text == "null" || t.text == "undefined") {
            Next();
            return Make(t.text == "null" ? NodeKind::Null : NodeKind::Undefined, t.at);
        }
        auto node = Make(NodeKind::Identifier, t.at);
        node->text = Name("an expression");
        return node;
    }

    NodePtr ArrayLiteral()
    {
        auto node = Make(NodeKind::ArrayLiteral, Next().at);
        while (!Accept("]")) {
            node->kids.push_back(Assignment());
            if (!IsPunct("]"))
                Expect(",", "between array elements");
        }
        return node;
    }

    NodePtr ObjectLiteral()
    {
        auto node = Make(NodeKind::ObjectLiteral, Next().at);
        while (!Accept("}")) {
            const Token& key = Peek();
            if (key.kind == TokenKind::Identifier || key.kind == TokenKind::String)
                node->names.push_back(key.text);
            else if (key.kind == TokenKind::Number)
                node->names.push_back(NumberKey(key.number));
            else
                Fail(key, "expected a property name, found " + Describe(key));
            Next();
            Expect(":", "after the property name");
            node->kids.push_back(Assignment());
            if (!IsPunct("}"))
                Expect(",", "between properties");
        }
        return node;
    }

    static std::string NumberKey(double value)
    {
        if (value >= 0 && value < 1e15 && value == static_cast<double>(static_cast<long long>(value)))
            return std::to_string(static_cast<long long>(value));
        return std::to_string(value);
    }

    const std::vector<Token>& tokens_;
    size_t pos_ = 0;
    int depth_ = 0;
};

} // namespace

NodePtr ParseProgram(const std::vector<Token>& tokens)
{
    return Parser(tokens).Program();
}

} // namespace actionscript
