#include "sheet/formula/FormulaParser.h"

#include "sheet/AsciiCase.h"
#include "sheet/formula/CallingConvention.h"
#include "sheet/cells/CellModel.h"
#include "sheet/formula/FormulaScanner.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/VariableTable.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace {

using Node = std::unique_ptr<CModelVariable>;

struct ParseFailure {
    ParseFailure(std::string text, std::size_t at) : message(std::move(text)), offset(at) {}

    std::string message;
    std::size_t offset;
    // When the failure lies in the text of a defined name: that name and the reason, so
    // names used through names are reported once, not as a chain.
    std::string name;
    std::string reason;
    bool aboutWholeFormula = false; // a limit of the whole formula, not a fault of one text
};

Node MakeCall(std::string_view name, Node a, Node b)
{
    Node call = CModelVariable::MakeFunction(std::string(name));
    call->AddChild(std::move(a));
    call->AddChild(std::move(b));
    return call;
}

Node MakeError(std::string literal)
{
    Node call = CModelVariable::MakeFunction(std::string(callconv::kErrorFunction));
    call->AddChild(CModelVariable::CModelVariableFromText(std::move(literal)));
    return call;
}

// What one formula has cost so far, its defined names included.
struct Work {
    std::size_t tokens = 0;
};

// A parser's list of tokens, taken from those the parsers of this thread let go and given back
// with its room kept: a workbook's formulas are parsed one after another by the hundred
// thousand, and a list allocated for each would cost more than scanning them. A list grown past
// kKeptTokens is let go, so a huge formula holds no memory afterwards.
class TokenList {
public:
    TokenList()
    {
        std::vector<std::vector<FormulaToken>>& kept = Kept();
        if (!kept.empty()) {
            tokens_ = std::move(kept.back());
            kept.pop_back();
        }
    }
    ~TokenList()
    {
        tokens_.clear();
        if (tokens_.capacity() <= kKeptTokens)
            Kept().push_back(std::move(tokens_));
    }
    TokenList(const TokenList&) = delete;
    TokenList& operator=(const TokenList&) = delete;

    std::vector<FormulaToken>& operator*() { return tokens_; }
    const std::vector<FormulaToken>& operator*() const { return tokens_; }
    std::vector<FormulaToken>* operator->() { return &tokens_; }

private:
    static constexpr std::size_t kKeptTokens = 4096;
    static std::vector<std::vector<FormulaToken>>& Kept()
    {
        thread_local std::vector<std::vector<FormulaToken>> kept;
        return kept;
    }

    std::vector<FormulaToken> tokens_;
};

class Parser {
public:
    Parser(const FormulaContext& context, int nameDepth, Work& work)
        : context_(context), nameDepth_(nameDepth), work_(work)
    {
    }

    // Returns none and sets failure_ on error.
    Node Run(std::string_view text)
    {
        CFormulaScanner scanner(text);
        tokens_->reserve(std::min<std::size_t>(text.size() / 2 + 2, 64));
        for (;;) {
            FormulaToken token = scanner.Next();
            if (token.kind == TokenKind::Invalid) {
                failure_ = ParseFailure{token.text, token.offset};
                return nullptr;
            }
            if (!TakeWork()) {
                failure_ = ParseFailure{work_.tokens > kMaxFormulaTokens
                                            ? "the formula and the defined names it uses are too large to "
                                              "read (more than " +
                                                  std::to_string(kMaxFormulaTokens) + " parts)"
                                            : std::string("the workbook's formulas use their defined names "
                                                          "too often to be read in reasonable time"),
                                        token.offset};
                failure_->aboutWholeFormula = true;
                return nullptr;
            }
            tokens_->push_back(std::move(token));
            if (tokens_->back().kind == TokenKind::End)
                break;
        }
        Node root = ParseExpression(0);
        if (root && Peek().kind != TokenKind::End)
            Fail("unexpected text after the formula");
        if (failure_)
            return nullptr;
        return root;
    }

    const std::optional<ParseFailure>& Failure() const { return failure_; }

private:
    bool TakeWork()
    {
        if (++work_.tokens > kMaxFormulaTokens)
            return false;
        if (context_.tokenBudget) {
            if (*context_.tokenBudget == 0)
                return false;
            --*context_.tokenBudget;
        }
        return true;
    }

    const FormulaToken& Peek() const { return (*tokens_)[pos_]; }
    const FormulaToken& Take()
    {
        const FormulaToken& token = (*tokens_)[pos_];
        if (token.kind != TokenKind::End)
            ++pos_;
        return token;
    }
    bool PeekOperator(std::string_view op) const
    {
        return Peek().kind == TokenKind::Operator && Peek().text == op;
    }
    Node Fail(std::string message)
    {
        if (!failure_)
            failure_ = ParseFailure{std::move(message), Peek().offset};
        return nullptr;
    }

    Node ParseExpression(int depth)
    {
        if (depth > kMaxFormulaDepth)
            return Fail("the formula is nested too deeply");
        return ParseBinary(0, depth);
    }

    // Binary operators from the loosest level to the tightest; within a level they are
    // left-associative.
    static constexpr std::array<std::array<std::string_view, 6>, 5> kBinaryLevels = {{
        {"=", "<>", "<", ">", "<=", ">="},
        {"&"},
        {"+", "-"},
        {"*", "/"},
        {"^"},
    }};

    bool PeekOperatorOf(std::size_t level) const
    {
        if (Peek().kind != TokenKind::Operator)
            return false;
        for (std::string_view op : kBinaryLevels[level])
            if (!op.empty() && Peek().text == op)
                return true;
        return false;
    }

    Node ParseBinary(std::size_t level, int depth)
    {
        if (level == kBinaryLevels.size())
            return ParsePercent(depth);
        Node left = ParseBinary(level + 1, depth);
        while (left && PeekOperatorOf(level)) {
            std::string op = Take().text;
            Node right = ParseBinary(level + 1, depth);
            if (!right)
                return nullptr;
            left = MakeCall(op == "^" ? callconv::kPowerFunction : std::string_view(op), std::move(left),
                            std::move(right));
        }
        return left;
    }

    Node ParsePercent(int depth)
    {
        Node operand = ParseUnary(depth);
        while (operand && PeekOperator("%")) {
            Take();
            operand = MakeCall("/", std::move(operand), CModelVariable::MakeNumber(100));
        }
        return operand;
    }

    Node ParseUnary(int depth)
    {
        if (PeekOperator("-") || PeekOperator("+")) {
            bool negate = Take().text == "-";
            if (depth + 1 > kMaxFormulaDepth)
                return Fail("the formula is nested too deeply");
            Node operand = ParseUnary(depth + 1);
            if (!operand || !negate)
                return operand;
            return MakeCall("-", CModelVariable::MakeNumber(0), std::move(operand));
        }
        return ParseRangeBetween(depth);
    }

    // ":" between references that calls give (INDEX(...):INDEX(...), A1:OFFSET(...)), the
    // tightest operator: the area from the one to the other, worked out when the movie runs.
    Node ParseRangeBetween(int depth)
    {
        Node left = ParsePrimary(depth);
        while (left && PeekOperator(":")) {
            Take();
            Node right = ParsePrimary(depth);
            if (!right)
                return nullptr;
            if (!GivesReference(*left) || !GivesReference(*right))
                return Fail("\":\" joins only references and the calls that give them (INDEX, OFFSET, INDIRECT)");
            left = AsReference(std::move(left));
            right = left ? AsReference(std::move(right)) : nullptr;
            if (!right)
                return nullptr;
            left = MakeCall(callconv::kRangeBetweenFunction, std::move(left), std::move(right));
        }
        return left;
    }

    Node ParsePrimary(int depth)
    {
        const FormulaToken& token = Peek();
        switch (token.kind) {
        case TokenKind::Number:
            return CModelVariable::MakeNumber(Take().number);
        case TokenKind::String:
            return CModelVariable::CModelVariableFromText(Take().text);
        case TokenKind::Boolean:
            return CModelVariable::MakeBoolean(Take().number != 0);
        case TokenKind::Error:
            return MakeError(Take().text);
        case TokenKind::Reference:
            return MakeReference(Take());
        case TokenKind::Name:
            return ResolveName(Take());
        case TokenKind::Function:
            return ParseCall(depth);
        case TokenKind::LeftBrace:
            return ParseArray();
        case TokenKind::LeftParen:
            return ParseGroup(depth);
        case TokenKind::End:
            return Fail("the formula ends too early");
        default:
            return Fail("unexpected \"" + (token.text.empty() ? std::string("separator") : token.text) +
                        "\"");
        }
    }

    Node ParseGroup(int depth)
    {
        Take();
        Node inner = ParseExpression(depth + 1);
        if (!inner)
            return nullptr;
        if (Peek().kind == TokenKind::Comma) {
            // Only references can be joined this way: (A1:A3,C1:C3) is one range of two areas.
            std::vector<Node> parts;
            parts.push_back(std::move(inner));
            while (Peek().kind == TokenKind::Comma) {
                Take();
                Node next = ParseExpression(depth + 1);
                if (!next)
                    return nullptr;
                parts.push_back(std::move(next));
            }
            inner = MakeUnion(parts);
            if (!inner)
                return nullptr;
        }
        if (Peek().kind != TokenKind::RightParen)
            return Fail("\")\" expected");
        Take();
        return inner;
    }

    Node ParseCall(int depth)
    {
        const FormulaToken& token = Take();
        if (depth + 1 > kMaxFormulaDepth)
            return Fail("the formula is nested too deeply");
        const std::string name = callconv::SpreadsheetFunctionName(token.text);
        // Functions that make functions have no counterpart in the movie's calculation.
        if (name == "LAMBDA" || name == "LET")
            return Fail(name + " is not supported");
        Node call = CModelVariable::MakeFunction(name);
        if (Peek().kind == TokenKind::RightParen) {
            Take();
            return FinishCall(std::move(call));
        }
        for (;;) {
            if (Peek().kind == TokenKind::Comma || Peek().kind == TokenKind::RightParen) {
                call->AddChild(std::make_unique<CModelVariable>(ModelKind::Missing));
            } else {
                Node argument = ParseExpression(depth + 1);
                if (argument && TakesReference(name, call->GetChildCount(), *argument))
                    argument = AsReference(std::move(argument));
                if (!argument)
                    return nullptr;
                call->AddChild(std::move(argument));
            }
            if (Peek().kind == TokenKind::Comma) {
                Take();
                continue;
            }
            if (Peek().kind == TokenKind::RightParen) {
                Take();
                return FinishCall(std::move(call));
            }
            return Fail("\",\" or \")\" expected in the arguments of " + token.text);
        }
    }

    static bool GivesReference(const CModelVariable& node)
    {
        if (node.GetKind() == ModelKind::Cell || node.GetKind() == ModelKind::Range)
            return true;
        if (node.GetKind() != ModelKind::Function)
            return false;
        const std::string& name = node.GetText();
        return name == "INDEX" || name == "OFFSET" || name == "INDIRECT" || name == callconv::kRangeBetweenFunction;
    }

    // Arguments that name cells by where they are, not by what they hold: OFFSET's reference,
    // CELL's, and INDEX inside ROW or COLUMN (static references there are numbers already).
    static bool TakesReference(const std::string& function, std::size_t index, const CModelVariable& argument)
    {
        if (index == 0 && function == "OFFSET")
            return true;
        if (index == 1 && function == "CELL")
            return true;
        return index == 0 && (function == "ROW" || function == "COLUMN") &&
               argument.GetKind() == ModelKind::Function && argument.GetText() == "INDEX";
    }

    // What the movie needs beyond the written arguments: CELL without a reference reads the
    // formula's own cell; INDIRECT gets the formula's place (for R1C1 text) and the view of
    // every sheet, its own first; CELL also the formula's sheet, for addresses on others.
    Node FinishCall(Node call)
    {
        const std::string name = call->GetText();
        if (name == "CELL") {
            if (call->GetChildCount() == 0)
                return call;
            if (call->GetChildCount() < 2) {
                Node own = SheetReference(context_.sheet, CModelVariable::MakeFunction("ROW"),
                                          CModelVariable::MakeFunction("COLUMN"), 1, 1);
                if (!own)
                    return nullptr;
                call->AddChild(std::move(own));
            }
            call->AddChild(CModelVariable::CModelVariableFromText(context_.sheet));
        } else if (name == "INDIRECT") {
            if (call->GetChildCount() == 0)
                return call;
            while (call->GetChildCount() < 2)
                call->AddChild(std::make_unique<CModelVariable>(ModelKind::Missing));
            call->AddChild(CModelVariable::MakeFunction("ROW"));
            call->AddChild(CModelVariable::MakeFunction("COLUMN"));
            std::vector<std::string> sheets{context_.sheet};
            if (context_.model)
                for (const std::string& sheet : context_.model->GetSheetNames())
                    if (sheet != context_.sheet)
                        sheets.push_back(sheet);
            call->AddChild(CModelVariable::MakeNumber(static_cast<double>(sheets.size())));
            for (const std::string& sheet : sheets) {
                Node view = SheetView(sheet);
                if (!view)
                    return nullptr;
                call->AddChild(CModelVariable::CModelVariableFromText(sheet));
                call->AddChild(std::move(view));
            }
            if (!AddNamedReferences(*call))
                return nullptr;
        }
        return call;
    }

    bool IsSingleArea(const CModelVariable& node) const
    {
        if (node.GetKind() == ModelKind::Cell)
            return true;
        if (node.GetKind() != ModelKind::Range || node.GetRangeIndex() < 0 || !context_.table)
            return false;
        const CRange* range = context_.table->GetRange(static_cast<std::size_t>(node.GetRangeIndex()));
        return range && range->GetAreaCount() == 1;
    }

    // The defined names that stand for one cell or one area, as name and kvRef pairs, so that
    // INDIRECT("Sales") finds them. Names of calls (dynamic ranges) are left out: reading
    // them for every INDIRECT would read the names they use again and again. The names are
    // the workbook's, not the formula's: they count against no formula's budget of tokens, and
    // at most kMaxIndirectNames are offered.
    bool AddNamedReferences(CModelVariable& call)
    {
        if (!context_.model || nameDepth_ + 1 > kMaxNameDepth)
            return true;
        FormulaContext names = context_;
        names.tokenBudget = nullptr;
        std::size_t offered = 0;
        for (const auto& [name, definition] : context_.model->GetDefinedNames()) {
            std::string_view text = definition;
            if (!text.empty() && text.front() == '=')
                text.remove_prefix(1);
            if (text.find('(') != std::string_view::npos || text.size() > kMaxFormulaLength)
                continue;
            Work work;
            Parser inner(names, kMaxNameDepth, work);
            Node target = inner.Run(text);
            if (!target || !IsSingleArea(*target))
                continue;
            Node reference = AsReference(std::move(target));
            if (!reference)
                return false;
            call.AddChild(CModelVariable::CModelVariableFromText(name));
            call.AddChild(std::move(reference));
            if (++offered == kMaxIndirectNames)
                break;
        }
        return true;
    }

    // The view of a whole sheet, from A1 to its last used row and column, through which the
    // movie reaches cells by where they are: every cell the sheet uses gets its variable.
    Node SheetView(const std::string& sheet)
    {
        if (!context_.table)
            return CModelVariable::MakeRange(-1);
        int lastRow = context_.model ? context_.model->GetLastRow(sheet) : 0;
        int lastColumn = context_.model ? context_.model->GetLastColumn(sheet) : 0;
        CCellRef start(sheet, 1, 1);
        CCellRef end(sheet, std::max(lastRow, 1), std::max(lastColumn, 1));
        if (int known = context_.table->FindRangeText(CRange::AreaText(start, end)); known >= 0)
            return CModelVariable::MakeRange(known);
        CRange range;
        if (!range.AddArea(start, end))
            return Fail("the sheet " + sheet + " is too large to be read by place");
        return StoreRange(range);
    }

    // kvRef(sheet, view, row, column, rows, columns): an area of a sheet as the movie reaches it.
    Node SheetReference(const std::string& sheet, Node row, Node column, int rows, int columns)
    {
        Node view = SheetView(sheet);
        if (!view)
            return nullptr;
        Node call = CModelVariable::MakeFunction(std::string(callconv::kReferenceFunction));
        call->AddChild(CModelVariable::CModelVariableFromText(sheet));
        call->AddChild(std::move(view));
        call->AddChild(std::move(row));
        call->AddChild(std::move(column));
        call->AddChild(CModelVariable::MakeNumber(rows));
        call->AddChild(CModelVariable::MakeNumber(columns));
        return call;
    }

    // An operand taken as a reference: a cell or an area becomes kvRef, INDEX over one gives
    // the cells it picks (kvIndexRef); calls that give references (OFFSET, INDIRECT, ":") and
    // anything else stay as they are, and the movie refuses what gives no reference.
    Node AsReference(Node node)
    {
        if (node->GetKind() == ModelKind::Cell) {
            const CCellRef& cell = node->GetCell();
            return SheetReference(cell.sheet, CModelVariable::MakeNumber(cell.row),
                                  CModelVariable::MakeNumber(cell.column), 1, 1);
        }
        if (node->GetKind() == ModelKind::Range) {
            if (node->GetRangeIndex() < 0 || !context_.table)
                return node; // only checking
            const CRange* range = context_.table->GetRange(static_cast<std::size_t>(node->GetRangeIndex()));
            if (!range || range->GetAreaCount() != 1)
                return Fail("a range of several areas cannot be taken by place");
            const CRangeArea& area = range->GetAreas()[0];
            int top = std::min(area.start.row, area.end.row);
            int left = std::min(area.start.column, area.end.column);
            return SheetReference(area.start.sheet, CModelVariable::MakeNumber(top), CModelVariable::MakeNumber(left),
                                  std::abs(area.end.row - area.start.row) + 1,
                                  std::abs(area.end.column - area.start.column) + 1);
        }
        if (node->GetKind() == ModelKind::Function && node->GetText() == "INDEX" && node->GetChildCount() > 0) {
            std::vector<Node> arguments = node->TakeChildren();
            Node call = CModelVariable::MakeFunction(std::string(callconv::kIndexReferenceFunction));
            Node array = std::move(arguments[0]);
            if (array->GetKind() == ModelKind::Cell || array->GetKind() == ModelKind::Range) {
                array = AsReference(std::move(array));
                if (!array)
                    return nullptr;
            }
            call->AddChild(std::move(array));
            for (std::size_t i = 1; i < arguments.size(); ++i)
                call->AddChild(std::move(arguments[i]));
            return call;
        }
        return node;
    }

    Node ParseArrayElement()
    {
        bool negate = false;
        if (PeekOperator("-") || PeekOperator("+"))
            negate = Take().text == "-";
        const FormulaToken& token = Peek();
        if (token.kind == TokenKind::Number)
            return CModelVariable::MakeNumber(negate ? -Take().number : Take().number);
        if (negate)
            return Fail("a number expected in the array");
        if (token.kind == TokenKind::String)
            return CModelVariable::CModelVariableFromText(Take().text);
        if (token.kind == TokenKind::Boolean)
            return CModelVariable::MakeBoolean(Take().number != 0);
        if (token.kind == TokenKind::Error)
            return MakeError(Take().text);
        return Fail("a constant expected in the array");
    }

    Node ParseArray()
    {
        Take();
        std::vector<Node> values;
        std::size_t columns = 0;
        std::size_t rows = 0;
        std::size_t inRow = 0;
        for (;;) {
            Node value = ParseArrayElement();
            if (!value)
                return nullptr;
            values.push_back(std::move(value));
            ++inRow;
            if (Peek().kind == TokenKind::Comma) {
                Take();
                continue;
            }
            if (rows == 0)
                columns = inRow;
            else if (inRow != columns)
                return Fail("the rows of an array must have the same length");
            ++rows;
            inRow = 0;
            if (Peek().kind == TokenKind::Semicolon) {
                Take();
                continue;
            }
            if (Peek().kind == TokenKind::RightBrace) {
                Take();
                break;
            }
            return Fail("\"}\" expected");
        }
        Node call = CModelVariable::MakeFunction(std::string(callconv::kArrayFunction));
        call->AddChild(CModelVariable::MakeNumber(static_cast<double>(rows)));
        call->AddChild(CModelVariable::MakeNumber(static_cast<double>(columns)));
        for (Node& value : values)
            call->AddChild(std::move(value));
        return call;
    }

    std::string SheetOf(const FormulaToken& token) const
    {
        if (token.sheet.empty())
            return context_.sheet;
        if (context_.model)
            if (auto stored = context_.model->FindSheet(token.sheet))
                return *stored;
        return token.sheet;
    }

    // The area a reference token covers. Whole columns and rows end at the sheet's used part
    // in both directions: the cells beyond are empty, and A:XFD must not become a million
    // movie variables.
    void AreaOf(const FormulaToken& token, const std::string& sheet, CCellRef& start, CCellRef& end) const
    {
        const RefPart& a = token.first;
        const RefPart& b = token.second ? *token.second : token.first;
        start = CCellRef(sheet, a.row, a.column);
        end = CCellRef(sheet, b.row, b.column);
        if (a.shape == RefPart::Shape::Cell)
            return;
        int lastRow = context_.model ? context_.model->GetLastRow(sheet) : 0;
        int lastColumn = context_.model ? context_.model->GetLastColumn(sheet) : 0;
        auto clip = [](int& low, int& high, int last) {
            if (low > high)
                std::swap(low, high);
            high = std::max(low, std::min(high, std::max(last, 1)));
        };
        if (a.shape == RefPart::Shape::Column) {
            start.row = 1;
            end.row = std::max(lastRow, 1);
            clip(start.column, end.column, lastColumn);
        } else {
            start.column = 1;
            end.column = std::max(lastColumn, 1);
            clip(start.row, end.row, lastRow);
        }
    }

    // A reference of a defined name's text moved from A1 to the formula's own cell, wrapping
    // round the sheet's edges as the spreadsheet does; its absolute parts stay.
    FormulaToken PlacedInFormula(const FormulaToken& token) const
    {
        FormulaToken placed = token;
        auto move = [](int at, int by, int size) { return (at - 1 + by) % size + 1; };
        for (RefPart* part : {&placed.first, placed.second ? &*placed.second : nullptr}) {
            if (!part)
                continue;
            if (!part->absoluteRow && part->shape != RefPart::Shape::Column)
                part->row = move(part->row, context_.row - 1, kMaxSheetRow);
            if (!part->absoluteColumn && part->shape != RefPart::Shape::Row)
                part->column = move(part->column, context_.column - 1, kMaxSheetColumn);
        }
        return placed;
    }

    Node MakeReference(const FormulaToken& written)
    {
        const bool inName = nameDepth_ > 0 && context_.row > 0 && context_.column > 0;
        const FormulaToken placed = inName ? PlacedInFormula(written) : FormulaToken{};
        const FormulaToken& token = inName ? placed : written;
        // A sheet the workbook does not have: the spreadsheet shows #REF! for it.
        if (!token.sheet.empty() && context_.model && !context_.model->FindSheet(token.sheet))
            return MakeError("#REF!");
        std::string sheet = SheetOf(token);
        if (!token.second) {
            CCellRef cell(sheet, token.first.row, token.first.column);
            if (context_.table)
                cell.id = context_.table->AddCell(sheet, cell.row, cell.column);
            return CModelVariable::MakeCell(cell);
        }
        CCellRef start, end;
        AreaOf(token, sheet, start, end);
        using Whole = CModelVariable::Whole;
        const Whole whole = token.first.shape == RefPart::Shape::Row      ? Whole::Rows
                            : token.first.shape == RefPart::Shape::Column ? Whole::Columns
                                                                          : Whole::None;
        // Workbooks repeat the same ranges over and over: look the text up before expanding.
        if (context_.table)
            if (int known = context_.table->FindRangeText(CRange::AreaText(start, end)); known >= 0)
                return CModelVariable::MakeRange(known, whole);
        if (!context_.table)
            return CModelVariable::MakeRange(-1); // only checking: a range costs nothing here
        CRange range;
        if (!range.AddArea(start, end))
            return Fail("the range is too large");
        Node stored = StoreRange(range);
        return stored && stored->GetKind() == ModelKind::Range
                   ? CModelVariable::MakeRange(stored->GetRangeIndex(), whole)
                   : std::move(stored);
    }

    Node StoreRange(const CRange& range)
    {
        if (!context_.table)
            return CModelVariable::MakeRange(-1);
        // A range a formula reads numbers only the cells the workbook uses inside it.
        int index = context_.model ? context_.table->AddFormulaRange(range, *context_.model)
                                   : context_.table->AddRange(range);
        if (index < 0)
            return Fail("the workbook's formulas refer to too many cells");
        return CModelVariable::MakeRange(index);
    }

    Node MakeUnion(const std::vector<Node>& parts)
    {
        CRange joined;
        for (const Node& part : parts) {
            if (part->GetKind() == ModelKind::Cell) {
                if (!joined.AddArea(part->GetCell(), part->GetCell()))
                    return Fail("the range is too large");
            } else if (part->GetKind() == ModelKind::Range) {
                const CRange* range =
                    context_.table ? context_.table->GetRange(static_cast<std::size_t>(part->GetRangeIndex()))
                                   : nullptr;
                if (range)
                    for (const CRangeArea& area : range->GetAreas())
                        if (!joined.AddArea(area.start, area.end))
                            return Fail("the range is too large");
            } else {
                return Fail("only references can be joined with \",\"");
            }
        }
        return StoreRange(joined);
    }

    Node ResolveName(const FormulaToken& token)
    {
        std::optional<std::string> definition;
        if (context_.model)
            definition = context_.model->FindDefinedName(token.text);
        if (!definition && context_.table)
            definition = context_.table->FindName(token.text);
        if (!definition)
            return MakeError("#NAME?");
        if (nameDepth_ + 1 > kMaxNameDepth)
            return Fail("the defined name " + token.text + " refers to itself or is nested too deeply");
        std::string_view text = *definition;
        if (!text.empty() && text.front() == '=')
            text.remove_prefix(1);
        // Cutting the text could leave a reference that names another cell (B10 read as B1).
        if (text.size() > kMaxFormulaLength)
            return Fail("the defined name " + token.text + " is longer than " +
                        std::to_string(kMaxFormulaLength) + " characters");
        Parser inner(context_, nameDepth_ + 1, work_);
        Node node = inner.Run(text);
        if (!node)
            return FailInName(token.text, inner.Failure());
        return node;
    }

    Node FailInName(const std::string& name, const std::optional<ParseFailure>& inner)
    {
        ParseFailure failure{"", Peek().offset};
        failure.reason = !inner ? "unreadable" : inner->reason.empty() ? inner->message : inner->reason;
        failure.name = inner && !inner->name.empty() ? inner->name : name;
        failure.aboutWholeFormula = inner && inner->aboutWholeFormula;
        if (failure.aboutWholeFormula)
            failure.message = failure.reason;
        else if (failure.name == name)
            failure.message = "the defined name " + name + " cannot be read: " + failure.reason;
        else
            failure.message = "the defined name " + name + " cannot be read (in " + failure.name +
                              ", a name it uses): " + failure.reason;
        if (!failure_)
            failure_ = std::move(failure);
        return nullptr;
    }

    const FormulaContext& context_;
    int nameDepth_;
    Work& work_;
    TokenList tokens_;
    std::size_t pos_ = 0;
    std::optional<ParseFailure> failure_;
};

} // namespace

std::unique_ptr<CModelVariable> CFormulaParser::Parse(std::string_view formula, const FormulaContext& context,
                                                      FormulaError* error)
{
    std::size_t skipped = 0;
    if (!formula.empty() && formula.front() == '=') {
        formula.remove_prefix(1);
        skipped = 1;
    }
    if (formula.size() > kMaxFormulaLength) {
        if (error)
            *error = FormulaError{"the formula is longer than " + std::to_string(kMaxFormulaLength) +
                                      " characters",
                                  skipped + kMaxFormulaLength};
        return nullptr;
    }
    Work work;
    Parser parser(context, 0, work);
    Node root = parser.Run(formula);
    if (!root && error) {
        const auto& failure = parser.Failure();
        *error = failure ? FormulaError{failure->message, skipped + failure->offset}
                         : FormulaError{"unreadable formula", skipped};
    }
    return root;
}
