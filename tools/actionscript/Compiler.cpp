#include "tools/actionscript/Compiler.h"

#include "tools/actionscript/Assembler.h"
#include "tools/actionscript/Ast.h"
#include "tools/actionscript/Lexer.h"
#include "tools/actionscript/Parser.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace actionscript {

std::string Diagnostic::ToString() const
{
    return file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message;
}

namespace {

std::optional<std::string> ReadFromDisk(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string text;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<size_t>(in.gcount()));
        if (text.size() > kMaxSourceBytes)
            break;
    }
    return text;
}

// Reads the main file and expands every #include into one token stream.
class SourceLoader {
public:
    explicit SourceLoader(const CompileOptions& options) : options_(options)
    {
        if (!options_.readFile)
            options_.readFile = ReadFromDisk;
    }

    std::vector<Token> Load(std::string_view text, const fs::path& name)
    {
        std::vector<Token> tokens;
        Expand(text, name, tokens, 0);
        Token end;
        end.at = endAt_;
        tokens.push_back(end);
        return tokens;
    }

    std::vector<fs::path>& Files() { return files_; }

private:
    void Expand(std::string_view text, const fs::path& name, std::vector<Token>& out, int depth)
    {
        int index = static_cast<int>(files_.size());
        files_.push_back(name);
        if (text.size() > kMaxSourceBytes)
            throw SyntaxError{{index, 1, 1}, "source is larger than 16 MB"};
        stack_.push_back(name.lexically_normal());
        std::vector<Token> tokens = Tokenize(text, index);
        endAt_ = tokens.back().at;
        bool includes = std::any_of(tokens.begin(), tokens.end(), [](const Token& t) { return t.kind == TokenKind::Include; });
        if (out.empty() && !includes) { // the usual case: one file, taken as it is
            tokens.pop_back();
            if (tokens.size() > kMaxTokens)
                throw SyntaxError{tokens[kMaxTokens].at, "the sources with their #includes exceed 4,000,000 tokens"};
            out = std::move(tokens);
            stack_.pop_back();
            return;
        }
        out.reserve(out.size() + tokens.size());
        for (auto& token : tokens) {
            if (token.kind == TokenKind::End)
                break;
            if (token.kind != TokenKind::Include) {
                if (out.size() >= kMaxTokens)
                    throw SyntaxError{token.at, "the sources with their #includes exceed 4,000,000 tokens"};
                out.push_back(std::move(token));
                continue;
            }
            if (depth + 1 > kMaxIncludeDepth)
                throw SyntaxError{token.at, "#include nests more than 16 files deep"};
            fs::path found;
            std::optional<std::string> included = Find(token.text, name, found);
            if (!included)
                throw SyntaxError{token.at, "cannot read the included file \"" + token.text + "\""};
            if (std::find(stack_.begin(), stack_.end(), found.lexically_normal()) != stack_.end())
                throw SyntaxError{token.at, "\"" + token.text + "\" includes itself"};
            bool newline = token.newlineBefore;
            size_t first = out.size();
            Expand(*included, found, out, depth + 1);
            if (first < out.size())
                out[first].newlineBefore = newline;
        }
        stack_.pop_back();
    }

    std::optional<std::string> Find(const std::string& request, const fs::path& from, fs::path& found)
    {
        std::vector<fs::path> candidates;
        fs::path requested(request);
        if (requested.is_absolute()) {
            candidates.push_back(requested);
        } else {
            candidates.push_back(from.parent_path() / requested);
            for (const auto& dir : options_.includeDirs)
                candidates.push_back(dir / requested);
        }
        for (auto& candidate : candidates) {
            if (auto text = options_.readFile(candidate)) {
                found = candidate;
                return text;
            }
        }
        return std::nullopt;
    }

    CompileOptions options_;
    std::vector<fs::path> files_;
    std::vector<fs::path> stack_;
    SourceLocation endAt_;
};

// Builds action code from the syntax tree, one Code per function body.
class Generator {
public:
    std::unique_ptr<Code> Program(const Node& block)
    {
        auto code = std::make_unique<Code>();
        code_ = code.get();
        Body(block.kids);
        return code;
    }

private:
    struct Loop {
        int breakLabel = -1;
        int continueLabel = -1; // -1 for a switch, which continue passes through
        bool forIn = false;
    };

    [[noreturn]] void Fail(const Node& at, std::string message) { throw SyntaxError{at.at, std::move(message)}; }

    void Push(PushValue v) { code_->Push(std::move(v)); }
    void Emit(Op op) { code_->Emit(op); }
    void PushName(const std::string& name) { Push(PushValue::Str(name)); }

    // --- statements

    // A function body or the program: function declarations first, wherever they stand, so a
    // function can be called above its definition.
    void Body(const std::vector<NodePtr>& statements)
    {
        for (const auto& s : statements)
            HoistFunctions(*s);
        for (const auto& s : statements)
            Statement(*s);
    }

    void HoistFunctions(const Node& s)
    {
        if (s.kind == NodeKind::FunctionDecl) {
            FunctionLiteral(*s.kids[0], true);
            return;
        }
        if (s.kind == NodeKind::Function || s.kind == NodeKind::ExpressionStatement || s.kind == NodeKind::Var)
            return;
        for (const auto& kid : s.kids)
            HoistFunctions(*kid);
    }

    void Statement(const Node& s)
    {
        switch (s.kind) {
        case NodeKind::Empty:
        case NodeKind::FunctionDecl: return;
        case NodeKind::Block:
            for (const auto& kid : s.kids)
                Statement(*kid);
            return;
        case NodeKind::Var: return Var(s);
        case NodeKind::ExpressionStatement: return Discard(*s.kids[0]);
        case NodeKind::If: return If(s);
        case NodeKind::While: return While(s);
        case NodeKind::DoWhile: return DoWhile(s);
        case NodeKind::For: return For(s);
        case NodeKind::ForIn: return ForIn(s);
        case NodeKind::Switch: return Switch(s);
        case NodeKind::Break: return Break(s);
        case NodeKind::Continue: return Continue(s);
        case NodeKind::Return: return Return(s);
        default: Fail(s, "statement cannot be compiled");
        }
    }

    void Var(const Node& s)
    {
        for (size_t i = 0; i < s.names.size(); ++i) {
            PushName(s.names[i]);
            if (s.kids[i]->kind == NodeKind::Empty) {
                Emit(Op::DefineLocal2);
            } else {
                Value(*s.kids[i]);
                Emit(Op::DefineLocal);
            }
        }
    }

    // Jumps to label when the condition is false; a negation in the condition and the one the
    // jump needs cancel out.
    void JumpUnless(const Node& test, int label)
    {
        const BinaryEntry* binary = test.kind == NodeKind::Binary ? FindBinary(test.text) : nullptr;
        if (test.kind == NodeKind::Unary && test.text == "!") {
            Value(*test.kids[0]);
        } else if (binary != nullptr && binary->negate) {
            Value(*test.kids[0]);
            Value(*test.kids[1]);
            Emit(binary->code);
        } else {
            Value(test);
            Emit(Op::Not);
        }
        code_->Branch(Op::If, label, test.at);
    }

    void If(const Node& s)
    {
        int otherwise = code_->NewLabel();
        JumpUnless(*s.kids[0], otherwise);
        Statement(*s.kids[1]);
        if (s.kids[2]->kind == NodeKind::Empty) {
            code_->Place(otherwise);
            return;
        }
        int end = code_->NewLabel();
        code_->Branch(Op::Jump, end, s.at);
        code_->Place(otherwise);
        Statement(*s.kids[2]);
        code_->Place(end);
    }

    void LoopBody(const Node& body, Loop loop)
    {
        loops_.push_back(loop);
        Statement(body);
        loops_.pop_back();
    }

    void While(const Node& s)
    {
        int top = code_->NewLabel();
        int end = code_->NewLabel();
        code_->Place(top);
        JumpUnless(*s.kids[0], end);
        LoopBody(*s.kids[1], {end, top, false});
        code_->Branch(Op::Jump, top, s.at);
        code_->Place(end);
    }

    void DoWhile(const Node& s)
    {
        int top = code_->NewLabel();
        int next = code_->NewLabel();
        int end = code_->NewLabel();
        code_->Place(top);
        LoopBody(*s.kids[0], {end, next, false});
        code_->Place(next);
        Value(*s.kids[1]);
        code_->Branch(Op::If, top, s.at);
        code_->Place(end);
    }

    void For(const Node& s)
    {
        Statement(*s.kids[0]);
        int top = code_->NewLabel();
        int next = code_->NewLabel();
        int end = code_->NewLabel();
        code_->Place(top);
        if (s.kids[1]->kind != NodeKind::Empty)
            JumpUnless(*s.kids[1], end);
        LoopBody(*s.kids[3], {end, next, false});
        code_->Place(next);
        Statement(*s.kids[2]);
        code_->Branch(Op::Jump, top, s.at);
        code_->Place(end);
    }

    // The enumeration leaves every name on the stack above an end marker; each turn takes one.
    void ForIn(const Node& s)
    {
        Value(*s.kids[0]);
        Emit(Op::Enumerate2);
        int top = code_->NewLabel();
        int end = code_->NewLabel();
        code_->Place(top);
        code_->StoreRegister(0);
        Push(PushValue::Null());
        Emit(Op::Equals2);
        code_->Branch(Op::If, end, s.at);
        PushName(s.text);
        Push(PushValue::Reg(0));
        Emit(s.number != 0 ? Op::DefineLocal : Op::SetVariable);
        LoopBody(*s.kids[1], {end, top, true});
        code_->Branch(Op::Jump, top, s.at);
        code_->Place(end);
    }

    // Takes the names a left for-in loop still has on the stack, its end marker included.
    void Drain(const Node& at)
    {
        int again = code_->NewLabel();
        code_->Place(again);
        Push(PushValue::Null());
        Emit(Op::Equals2);
        Emit(Op::Not);
        code_->Branch(Op::If, again, at.at);
    }

    // The value stays on the stack while the cases are tested by strict equality; every way
    // out of the tests pops it before a body runs.
    void Switch(const Node& s)
    {
        Value(*s.kids[0]);
        int end = code_->NewLabel();
        std::vector<int> entries;
        std::vector<int> bodies;
        int defaultBody = -1;
        for (size_t i = 1; i < s.kids.size(); ++i) {
            const Node& c = *s.kids[i];
            bodies.push_back(code_->NewLabel());
            entries.push_back(-1);
            if (c.kids[0]->kind == NodeKind::Empty) {
                defaultBody = bodies.back();
                continue;
            }
            entries.back() = code_->NewLabel();
            Emit(Op::PushDuplicate);
            Value(*c.kids[0]);
            Emit(Op::StrictEquals);
            code_->Branch(Op::If, entries.back(), c.at);
        }
        Emit(Op::Pop);
        code_->Branch(Op::Jump, defaultBody >= 0 ? defaultBody : end, s.at);
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i] < 0)
                continue;
            code_->Place(entries[i]);
            Emit(Op::Pop);
            code_->Branch(Op::Jump, bodies[i], s.at);
        }
        loops_.push_back({end, -1, false});
        for (size_t i = 1; i < s.kids.size(); ++i) {
            code_->Place(bodies[i - 1]);
            const Node& c = *s.kids[i];
            for (size_t k = 1; k < c.kids.size(); ++k)
                Statement(*c.kids[k]);
        }
        loops_.pop_back();
        code_->Place(end);
    }

    void Break(const Node& s)
    {
        if (loops_.empty())
            Fail(s, "'break' outside a loop or switch");
        if (loops_.back().forIn)
            Drain(s);
        code_->Branch(Op::Jump, loops_.back().breakLabel, s.at);
    }

    void Continue(const Node& s)
    {
        for (size_t i = loops_.size(); i-- > 0;) {
            if (loops_[i].continueLabel < 0)
                continue;
            for (size_t k = loops_.size(); --k > i;)
                if (loops_[k].forIn)
                    Drain(s);
            code_->Branch(Op::Jump, loops_[i].continueLabel, s.at);
            return;
        }
        Fail(s, "'continue' outside a loop");
    }

    void Return(const Node& s)
    {
        if (!inFunction_)
            Fail(s, "'return' outside a function");
        for (const auto& loop : loops_)
            if (loop.forIn)
                Drain(s);
        if (s.kids.empty())
            Push(PushValue::Undef());
        else
            Value(*s.kids[0]);
        Emit(Op::Return);
    }

    // --- functions

    void FunctionLiteral(const Node& fn, bool declaration)
    {
        auto code = std::make_unique<FunctionCode>();
        code->name = declaration ? fn.text : std::string();
        code->parameters = fn.names;
        code->at = fn.at;
        Code* outer = code_;
        bool outerInFunction = inFunction_;
        std::vector<Loop> outerLoops = std::move(loops_);
        loops_.clear();
        code_ = &code->body;
        inFunction_ = true;
        Body(fn.kids);
        code_ = outer;
        inFunction_ = outerInFunction;
        loops_ = std::move(outerLoops);
        code_->Function(std::move(code));
    }

    // --- expressions

    // Evaluates for its effect only.
    void Discard(const Node& e)
    {
        switch (e.kind) {
        case NodeKind::Assign: return Assign(e, false);
        case NodeKind::Update: return Update(e, false);
        case NodeKind::Sequence:
            for (const auto& kid : e.kids)
                Discard(*kid);
            return;
        case NodeKind::Call:
            if (Builtin(e, false))
                return;
            break;
        default: break;
        }
        Value(e);
        Emit(Op::Pop);
    }

    // Leaves exactly one value on the stack.
    void Value(const Node& e)
    {
        switch (e.kind) {
        case NodeKind::Number: return Push(PushValue::Num(e.number));
        case NodeKind::String: return Push(PushValue::Str(e.text));
        case NodeKind::Boolean: return Push(PushValue::Bool(e.number != 0));
        case NodeKind::Null: return Push(PushValue::Null());
        case NodeKind::Undefined: return Push(PushValue::Undef());
        case NodeKind::Identifier:
            PushName(e.text);
            return Emit(Op::GetVariable);
        case NodeKind::ArrayLiteral:
            for (size_t i = e.kids.size(); i-- > 0;)
                Value(*e.kids[i]);
            Push(PushValue::Num(static_cast<double>(e.kids.size())));
            return Emit(Op::InitArray);
        case NodeKind::ObjectLiteral:
            for (size_t i = 0; i < e.kids.size(); ++i) {
                PushName(e.names[i]);
                Value(*e.kids[i]);
            }
            Push(PushValue::Num(static_cast<double>(e.kids.size())));
            return Emit(Op::InitObject);
        case NodeKind::Function: return FunctionLiteral(e, false);
        case NodeKind::Member:
            Value(*e.kids[0]);
            PushName(e.text);
            return Emit(Op::GetMember);
        case NodeKind::Index:
            Value(*e.kids[0]);
            Value(*e.kids[1]);
            return Emit(Op::GetMember);
        case NodeKind::Call: return Call(e);
        case NodeKind::New: return New(e);
        case NodeKind::Unary: return Unary(e);
        case NodeKind::Update: return Update(e, true);
        case NodeKind::Binary: return Binary(e);
        case NodeKind::Logical: return Logical(e);
        case NodeKind::Conditional: return Conditional(e);
        case NodeKind::Assign: return Assign(e, true);
        case NodeKind::Sequence:
            for (size_t i = 0; i + 1 < e.kids.size(); ++i)
                Discard(*e.kids[i]);
            return Value(*e.kids.back());
        default: Fail(e, "expression cannot be compiled");
        }
    }

    // Arguments last first, then their count.
    void Arguments(const Node& call)
    {
        for (size_t i = call.kids.size(); i-- > 1;)
            Value(*call.kids[i]);
        Push(PushValue::Num(static_cast<double>(call.kids.size() - 1)));
    }

    void Call(const Node& e)
    {
        if (!Builtin(e, true))
            Invoke(e, Op::CallFunction, Op::CallMethod);
    }

    void New(const Node& e) { Invoke(e, Op::NewObject, Op::NewMethod); }

    // A call or a construction: the arguments, then the callee by name, or as an object and
    // the name of its method (undefined for a callee that is any other value).
    void Invoke(const Node& e, Op byName, Op byMethod)
    {
        const Node& callee = *e.kids[0];
        Arguments(e);
        switch (callee.kind) {
        case NodeKind::Identifier:
            PushName(callee.text);
            return Emit(byName);
        case NodeKind::Member:
            Value(*callee.kids[0]);
            PushName(callee.text);
            return Emit(byMethod);
        case NodeKind::Index:
            Value(*callee.kids[0]);
            Value(*callee.kids[1]);
            return Emit(byMethod);
        default:
            Value(callee);
            Push(PushValue::Undef());
            return Emit(byMethod);
        }
    }

    static bool SameName(std::string_view a, std::string_view b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) ==
                                                      std::tolower(static_cast<unsigned char>(y)); });
    }

    void ArgumentOr(const Node& call, size_t index, PushValue fallback)
    {
        if (index < call.kids.size())
            Value(*call.kids[index]);
        else
            Push(std::move(fallback));
    }

    enum class BuiltinKind { Trace, FsCommand, GetUrl, GetTimer, Stop, Play, NextFrame, PrevFrame, GotoAndStop, GotoAndPlay, Call };

    struct BuiltinInfo {
        std::string_view name;
        BuiltinKind kind;
        size_t minArgs;
        size_t maxArgs;
        bool hasValue;
    };

    static const BuiltinInfo* FindBuiltin(std::string_view name)
    {
        static constexpr std::array<BuiltinInfo, 11> kBuiltins = {{
            {"trace", BuiltinKind::Trace, 1, 1, false},
            {"fscommand", BuiltinKind::FsCommand, 1, 2, false},
            {"getURL", BuiltinKind::GetUrl, 1, 3, false},
            {"getTimer", BuiltinKind::GetTimer, 0, 0, true},
            {"stop", BuiltinKind::Stop, 0, 0, false},
            {"play", BuiltinKind::Play, 0, 0, false},
            {"nextFrame", BuiltinKind::NextFrame, 0, 0, false},
            {"prevFrame", BuiltinKind::PrevFrame, 0, 0, false},
            {"gotoAndStop", BuiltinKind::GotoAndStop, 1, 1, false},
            {"gotoAndPlay", BuiltinKind::GotoAndPlay, 1, 1, false},
            {"call", BuiltinKind::Call, 1, 1, false},
        }};
        for (const auto& info : kBuiltins)
            if (SameName(name, info.name))
                return &info;
        return nullptr;
    }

    // The player's actions that source calls like functions; true when the call was one.
    bool Builtin(const Node& e, bool wantValue)
    {
        const Node& callee = *e.kids[0];
        const BuiltinInfo* info = callee.kind == NodeKind::Identifier ? FindBuiltin(callee.text) : nullptr;
        if (info == nullptr)
            return false;
        size_t args = e.kids.size() - 1;
        if (args < info->minArgs || args > info->maxArgs) {
            std::string count = info->minArgs == info->maxArgs
                                    ? std::to_string(info->minArgs)
                                    : std::to_string(info->minArgs) + " to " + std::to_string(info->maxArgs);
            Fail(e, callee.text + " takes " + count + " argument" + (info->maxArgs == 1 ? "" : "s"));
        }
        EmitBuiltin(info->kind, e);
        if (!info->hasValue && wantValue)
            Push(PushValue::Undef());
        if (info->hasValue && !wantValue)
            Emit(Op::Pop);
        return true;
    }

    void EmitBuiltin(BuiltinKind kind, const Node& e)
    {
        switch (kind) {
        case BuiltinKind::Trace:
            Value(*e.kids[1]);
            return Emit(Op::Trace);
        case BuiltinKind::FsCommand: return FsCommand(e);
        case BuiltinKind::GetUrl: return GetUrl(e);
        case BuiltinKind::GetTimer: return Emit(Op::GetTime);
        case BuiltinKind::Stop: return Emit(Op::Stop);
        case BuiltinKind::Play: return Emit(Op::Play);
        case BuiltinKind::NextFrame: return Emit(Op::NextFrame);
        case BuiltinKind::PrevFrame: return Emit(Op::PreviousFrame);
        case BuiltinKind::GotoAndStop:
        case BuiltinKind::GotoAndPlay:
            Value(*e.kids[1]);
            return code_->GotoFrame2(kind == BuiltinKind::GotoAndPlay);
        case BuiltinKind::Call:
            // Runs the actions of a frame ("label" or "target:label") without going there.
            Value(*e.kids[1]);
            return Emit(Op::Call);
        }
    }

    // A URL "FSCommand:<command>" hands the command and its argument to the host.
    void FsCommand(const Node& e)
    {
        if (e.kids[1]->kind == NodeKind::String) {
            Push(PushValue::Str("FSCommand:" + e.kids[1]->text));
        } else {
            Push(PushValue::Str("FSCommand:"));
            Value(*e.kids[1]);
            Emit(Op::Add2);
        }
        ArgumentOr(e, 2, PushValue::Str(""));
        code_->GetUrl2(0);
    }

    void GetUrl(const Node& e)
    {
        Value(*e.kids[1]);
        ArgumentOr(e, 2, PushValue::Str(""));
        uint8_t method = 0;
        if (e.kids.size() == 4) {
            const Node& m = *e.kids[3];
            if (m.kind != NodeKind::String || (!SameName(m.text, "GET") && !SameName(m.text, "POST")))
                Fail(m, "getURL's method is the string \"GET\" or \"POST\"");
            method = SameName(m.text, "GET") ? 1 : 2;
        }
        code_->GetUrl2(method);
    }

    void Unary(const Node& e)
    {
        const Node& operand = *e.kids[0];
        const std::string& op = e.text;
        if (op == "-" && operand.kind == NodeKind::Number)
            return Push(PushValue::Num(-operand.number));
        if (op == "delete")
            return Delete(operand);
        if (op == "-") {
            Push(PushValue::Num(0));
            Value(operand);
            return Emit(Op::Subtract);
        }
        Value(operand);
        if (op == "!")
            return Emit(Op::Not);
        if (op == "+")
            return Emit(Op::ToNumber);
        if (op == "~") {
            Push(PushValue::Num(-1));
            return Emit(Op::BitXor);
        }
        if (op == "typeof")
            return Emit(Op::TypeOf);
        // void
        Emit(Op::Pop);
        Push(PushValue::Undef());
    }

    void Delete(const Node& target)
    {
        switch (target.kind) {
        case NodeKind::Identifier:
            PushName(target.text);
            return Emit(Op::Delete2);
        case NodeKind::Member:
            Value(*target.kids[0]);
            PushName(target.text);
            return Emit(Op::Delete);
        case NodeKind::Index:
            Value(*target.kids[0]);
            Value(*target.kids[1]);
            return Emit(Op::Delete);
        default:
            Value(target);
            Emit(Op::Pop);
            Push(PushValue::Bool(true));
        }
    }

    struct BinaryEntry {
        std::string_view op;
        Op code;
        bool negate; // the action computes the opposite, followed by Not
    };

    static const BinaryEntry* FindBinary(std::string_view op)
    {
        static constexpr std::array<BinaryEntry, 20> kOps = {{
            {"+", Op::Add2, false}, {"-", Op::Subtract, false}, {"*", Op::Multiply, false},
            {"/", Op::Divide, false}, {"%", Op::Modulo, false}, {"==", Op::Equals2, false},
            {"!=", Op::Equals2, true}, {"===", Op::StrictEquals, false}, {"!==", Op::StrictEquals, true},
            {"<", Op::Less2, false}, {">", Op::Greater, false}, {"<=", Op::Greater, true},
            {">=", Op::Less2, true}, {"&", Op::BitAnd, false}, {"|", Op::BitOr, false},
            {"^", Op::BitXor, false}, {"<<", Op::BitLShift, false}, {">>", Op::BitRShift, false},
            {">>>", Op::BitURShift, false}, {"instanceof", Op::InstanceOf, false},
        }};
        for (const auto& entry : kOps)
            if (entry.op == op)
                return &entry;
        return nullptr;
    }

    void Binary(const Node& e)
    {
        const BinaryEntry* entry = FindBinary(e.text);
        if (entry == nullptr)
            Fail(e, "unknown operator '" + e.text + "'");
        Value(*e.kids[0]);
        Value(*e.kids[1]);
        Emit(entry->code);
        if (entry->negate)
            Emit(Op::Not);
    }

    static Op CompoundOp(const Node& e, std::string_view op)
    {
        static constexpr std::array<std::pair<std::string_view, Op>, 11> kCompound = {{
            {"+=", Op::Add2}, {"-=", Op::Subtract}, {"*=", Op::Multiply}, {"/=", Op::Divide},
            {"%=", Op::Modulo}, {"<<=", Op::BitLShift}, {">>=", Op::BitRShift}, {">>>=", Op::BitURShift},
            {"&=", Op::BitAnd}, {"|=", Op::BitOr}, {"^=", Op::BitXor},
        }};
        for (const auto& [text, code] : kCompound)
            if (text == op)
                return code;
        throw SyntaxError{e.at, "unknown assignment '" + std::string(op) + "'"};
    }

    void Logical(const Node& e)
    {
        int end = code_->NewLabel();
        Value(*e.kids[0]);
        Emit(Op::PushDuplicate);
        if (e.text == "&&")
            Emit(Op::Not);
        code_->Branch(Op::If, end, e.at);
        Emit(Op::Pop);
        Value(*e.kids[1]);
        code_->Place(end);
    }

    void Conditional(const Node& e)
    {
        int whenTrue = code_->NewLabel();
        int end = code_->NewLabel();
        Value(*e.kids[0]);
        code_->Branch(Op::If, whenTrue, e.at);
        Value(*e.kids[2]);
        code_->Branch(Op::Jump, end, e.at);
        code_->Place(whenTrue);
        Value(*e.kids[1]);
        code_->Place(end);
    }

    // Pushes what a store into the target needs below the value: the name, or the object and
    // the member name. With current, the target's present value follows; the object and an
    // index are then read back from registers 1 and 2 right after they were set, so no call can
    // come between.
    void Reference(const Node& target, bool current)
    {
        switch (target.kind) {
        case NodeKind::Identifier:
            PushName(target.text);
            if (current) {
                PushName(target.text);
                Emit(Op::GetVariable);
            }
            return;
        case NodeKind::Member:
            Value(*target.kids[0]);
            if (current)
                code_->StoreRegister(1);
            PushName(target.text);
            if (current) {
                Push(PushValue::Reg(1));
                PushName(target.text);
                Emit(Op::GetMember);
            }
            return;
        case NodeKind::Index:
            Value(*target.kids[0]);
            Value(*target.kids[1]);
            if (current) {
                code_->StoreRegister(2);
                Emit(Op::StackSwap);
                code_->StoreRegister(1);
                Emit(Op::StackSwap);
                Push(PushValue::Reg(1));
                Push(PushValue::Reg(2));
                Emit(Op::GetMember);
            }
            return;
        default: Fail(target, "cannot assign to this expression");
        }
    }

    // Stores the value on top into the reference below it; with the value wanted, register 0
    // carries it across the store.
    void Store(const Node& target, bool wantValue)
    {
        if (wantValue)
            code_->StoreRegister(0);
        Emit(target.kind == NodeKind::Identifier ? Op::SetVariable : Op::SetMember);
        if (wantValue)
            Push(PushValue::Reg(0));
    }

    void Assign(const Node& e, bool wantValue)
    {
        const Node& target = *e.kids[0];
        bool compound = e.text != "=";
        Reference(target, compound);
        Value(*e.kids[1]);
        if (compound)
            Emit(CompoundOp(e, e.text));
        Store(target, wantValue);
    }

    void Update(const Node& e, bool wantValue)
    {
        const Node& target = *e.kids[0];
        bool prefix = e.number != 0;
        Op step = e.text == "++" ? Op::Increment : Op::Decrement;
        Reference(target, true);
        if (wantValue && !prefix) {
            Emit(Op::ToNumber);
            code_->StoreRegister(0);
            Emit(step);
            Emit(target.kind == NodeKind::Identifier ? Op::SetVariable : Op::SetMember);
            Push(PushValue::Reg(0));
            return;
        }
        Emit(step);
        Store(target, wantValue);
    }

    Code* code_ = nullptr;
    std::vector<Loop> loops_;
    bool inFunction_ = false;
};

CompileResult Fault(SourceLoader& loader, SourceLocation at, std::string message)
{
    CompileResult result;
    auto& files = loader.Files();
    Diagnostic d;
    d.file = at.file >= 0 && static_cast<size_t>(at.file) < files.size() ? files[static_cast<size_t>(at.file)].string() : "";
    d.line = at.line;
    d.column = at.column;
    d.message = std::move(message);
    result.error = std::move(d);
    result.files = std::move(files);
    return result;
}

} // namespace

CompileResult CompileSource(std::string_view source, const fs::path& fileName, const CompileOptions& options)
{
    SourceLoader loader(options);
    try {
        std::vector<Token> tokens = loader.Load(source, fileName);
        NodePtr program = ParseProgram(tokens);
        std::unique_ptr<Code> code = Generator().Program(*program);
        CompileResult result;
        result.actions = Assemble(*code, options.constantPool);
        result.files = std::move(loader.Files());
        return result;
    } catch (const SyntaxError& e) {
        return Fault(loader, e.at, e.message);
    } catch (const AssemblyError& e) {
        return Fault(loader, e.at, e.message);
    }
}

CompileResult CompileFile(const fs::path& file, const CompileOptions& options)
{
    auto read = options.readFile ? options.readFile : ReadFromDisk;
    std::optional<std::string> text = read(file);
    if (!text) {
        CompileResult result;
        result.error = Diagnostic{file.string(), 0, 0, "cannot read the file"};
        return result;
    }
    return CompileSource(*text, file, options);
}

} // namespace actionscript
