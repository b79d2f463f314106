#include "sheet/formula/ExprNodes.h"

#include "sheet/AsciiCase.h"
#include "sheet/formula/CallingConvention.h"
#include "sheet/cells/CellRef.h"
#include "sheet/formula/FunctionLibraryHook.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"
#include "swf/ActionEmitter.h"
#include "swf/ActionList.h"
#include "swf/Actions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

void Push(CActionList& actions, std::string_view text)
{
    actions.Add(std::make_unique<CActionPush>(text));
}

void Code(CActionList& actions, swf::ActionCode code)
{
    actions.Add(std::make_unique<CActionCode>(code));
}

// Whole numbers go out as 32-bit integers: five bytes instead of nine, same value in the player.
void PushNumber(swf::ActionEmitter& emit, double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && value >= -2147483648.0 &&
        value <= 2147483647.0 && !(value == 0 && std::signbit(value)))
        emit.Int(static_cast<int32_t>(value));
    else
        emit.Dbl(value);
}

} // namespace

CExprNode::~CExprNode()
{
    std::vector<std::unique_ptr<CExprNode>> pending = std::move(children_);
    while (!pending.empty()) {
        std::unique_ptr<CExprNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children_)
            pending.push_back(std::move(child));
        node->children_.clear();
    }
}

void CExprNode::WriteActions(CActionList& actions) const
{
    // Post-order, children last first.
    std::vector<std::pair<const CExprNode*, std::size_t>> stack{{this, 0}};
    while (!stack.empty()) {
        auto& [node, written] = stack.back();
        if (written < node->children_.size()) {
            const CExprNode* child = node->children_[node->children_.size() - 1 - written].get();
            ++written;
            stack.emplace_back(child, 0);
            continue;
        }
        node->WriteOwnActions(actions);
        stack.pop_back();
    }
}

namespace {

// The one copy of a name that every node calling it points to. Names are never let go, not
// even at exit, where a node still held somewhere may yet be destroyed: they are the function
// names and operators formulas were written with, a small vocabulary.
const std::string* InternName(const std::string& name)
{
    struct Names {
        std::mutex guard;
        std::unordered_set<std::string> texts;
    };
    static Names* const names = new Names;
    std::lock_guard<std::mutex> lock(names->guard);
    return &*names->texts.insert(name).first;
}

const std::string* NoName()
{
    static const std::string* const none = InternName({});
    return none;
}

} // namespace

CStringNode::CStringNode() : name_(NoName()), callName_(NoName()) {}

CStringNode::~CStringNode()
{
    if (!callName_->empty())
        GetFunctionLibraryHook().ReleaseFunction(*callName_);
}

void CStringNode::SetText(const std::string& name)
{
    IFunctionLibrary& library = GetFunctionLibraryHook();
    if (!callName_->empty())
        library.ReleaseFunction(*callName_);
    name_ = InternName(name);
    kind_ = library.GetSymbolKind(name);
    // An operator stays an operator whatever the library answers: a library without "+" in
    // its table would otherwise have the movie call a function named "+", which the player
    // does not have, and the formula would silently give undefined.
    if (int symbolKind = callconv::OperatorKindOf(name); symbolKind != 0)
        kind_ = symbolKind;
    if (kind_ >= callconv::kAdd && kind_ <= callconv::kConcat) {
        callName_ = InternName(std::string(callconv::OperatorFunction(kind_)));
    } else {
        kind_ = callconv::kFunction;
        callName_ = InternName(callconv::MovieFunctionName(name));
    }
    library.UseFunction(*callName_);
}

void CStringNode::WriteOwnActions(CActionList& actions) const
{
    actions.Add(CActionPush::CActionPushInt(static_cast<int32_t>(GetChildCount())));
    Push(actions, callconv::kLibraryObject);
    Code(actions, swf::ActionCode::GetVariable);
    Push(actions, *callName_);
    Code(actions, swf::ActionCode::CallMethod);
}

void CFunctionNameNode::WriteOwnActions(CActionList& actions) const
{
    Push(actions, GetCallName());
}

std::unique_ptr<CValueNode> CValueNode::MakeNumber(double value)
{
    std::unique_ptr<CValueNode> node(new CValueNode(Number));
    node->number_ = value;
    return node;
}

const std::string& CValueNode::GetText() const
{
    static const std::string none;
    return text_ ? *text_ : none;
}

std::unique_ptr<CValueNode> CValueNode::MakeText(std::string text)
{
    std::unique_ptr<CValueNode> node(new CValueNode(Text));
    node->text_ = std::make_unique<std::string>(std::move(text));
    return node;
}

std::unique_ptr<CValueNode> CValueNode::MakeInteger(int32_t value)
{
    std::unique_ptr<CValueNode> node(new CValueNode(Integer));
    node->number_ = value;
    return node;
}

std::unique_ptr<CValueNode> CValueNode::MakeBoolean(bool value)
{
    std::unique_ptr<CValueNode> node(new CValueNode(Boolean));
    node->number_ = value ? 1 : 0;
    return node;
}

std::unique_ptr<CValueNode> CValueNode::MakeNoValue()
{
    return std::unique_ptr<CValueNode>(new CValueNode(NoValue));
}

void CValueNode::WriteValue(swf::ActionEmitter& emit) const
{
    switch (type_) {
    case Number:
    case Integer:
        PushNumber(emit, number_);
        break;
    case Text:
        emit.Str(GetText());
        break;
    case Boolean:
        emit.Bool(number_ != 0);
        break;
    case NoValue:
        emit.Undefined();
        break;
    }
}

void CValueNode::WriteOwnActions(CActionList& actions) const
{
    swf::ActionEmitter emit(actions);
    WriteValue(emit);
}

void CCellNode::WriteOwnActions(CActionList& actions) const
{
    Push(actions, CellVariableName(cellId_));
    Code(actions, swf::ActionCode::GetVariable);
}

void CRangeNode::WriteOwnActions(CActionList& actions) const
{
    if (rangeIndex_ < 0) {
        actions.Add(CActionPush::CActionPushUndefined());
        return;
    }
    Push(actions, RangeArrayName(rangeIndex_));
    Code(actions, swf::ActionCode::GetVariable);
}

namespace {

std::unique_ptr<CExprNode> CompileOne(const CModelVariable& from)
{
    switch (from.GetKind()) {
    case ModelKind::Function: {
        auto node = std::make_unique<CStringNode>();
        node->SetText(from.GetText());
        return node;
    }
    case ModelKind::Range:
        return std::make_unique<CRangeNode>(from.GetRangeIndex());
    case ModelKind::Cell:
        return std::make_unique<CCellNode>(from.GetCell().id);
    case ModelKind::String:
        return CValueNode::MakeText(from.GetText());
    case ModelKind::Boolean:
        return CValueNode::MakeBoolean(from.GetBoolean());
    case ModelKind::Number:
    case ModelKind::Integer:
        return CValueNode::MakeNumber(from.GetNumber());
    case ModelKind::Missing:
    case ModelKind::NoValue:
        return CValueNode::MakeNoValue();
    }
    return nullptr;
}

// How a node is taken where it stands: as one value (a range there is cut to one cell), as
// a range or array as it is (operators inside still take one value each), or as an array
// evaluated element by element (inside SUMPRODUCT and the like, and in array formulas).
enum class Taken { Value, Reference, Array };

Taken ChildTaken(const CModelVariable& call, std::size_t index, Taken parent)
{
    const std::string& name = call.GetText();
    if (callconv::OperatorKindOf(name) != 0)
        return parent == Taken::Array ? Taken::Array : Taken::Value;
    switch (callconv::ArgumentClassOf(name, index)) {
    case callconv::ArgumentClass::Value:
        return parent == Taken::Array ? Taken::Array : Taken::Value;
    case callconv::ArgumentClass::Reference:
        return parent == Taken::Array ? Taken::Array : Taken::Reference;
    case callconv::ArgumentClass::ForceArray:
        return Taken::Array;
    case callconv::ArgumentClass::Through:
        break;
    }
    return parent;
}

bool IsRowOrColumn(const std::string& name, bool& row)
{
    row = sheet::EqualNoCaseAscii(name, "ROW");
    return row || sheet::EqualNoCaseAscii(name, "COLUMN");
}

// The range a reference names, none when the place does not tell.
const CRange* RangeOf(const CModelVariable& reference, const CompilePlace& place)
{
    if (reference.GetKind() != ModelKind::Range || !place.table || reference.GetRangeIndex() < 0)
        return nullptr;
    return place.table->GetRange(static_cast<std::size_t>(reference.GetRangeIndex()));
}

// The row (or column) that ROW(ref) or COLUMN(ref) stands for: of the reference's first cell,
// or of the formula's own cell without an argument; 0 when the place does not tell.
int PlaceNumber(const CModelVariable& call, const CompilePlace& place)
{
    bool row = false;
    if (!IsRowOrColumn(call.GetText(), row))
        return 0;
    const CCellRef* cell = nullptr;
    if (call.GetChildCount() == 0) {
        cell = place.cell;
    } else if (call.GetChildCount() == 1) {
        const CModelVariable& argument = call.GetChild(0);
        if (argument.GetKind() == ModelKind::Cell) {
            cell = &argument.GetCell();
        } else if (const CRange* range = RangeOf(argument, place); range && range->GetAreaCount() > 0) {
            cell = &range->GetAreas()[0].start;
        }
    }
    if (!cell)
        return 0;
    return row ? cell->row : cell->column;
}

std::unique_ptr<CExprNode> MakeCall(std::string_view name)
{
    auto node = std::make_unique<CStringNode>();
    node->SetText(std::string(name));
    return node;
}

std::unique_ptr<CExprNode> MakeError(std::string_view literal)
{
    auto node = MakeCall(callconv::kErrorFunction);
    node->AddChild(CValueNode::MakeText(std::string(literal)));
    return node;
}

// ROW or COLUMN of a range of several rows (columns) where an array is taken: the array of
// their numbers, a column for ROW and a row for COLUMN; none for a single row (column).
std::unique_ptr<CExprNode> PlaceNumbers(const CModelVariable& call, const CompilePlace& place)
{
    bool row = false;
    if (!IsRowOrColumn(call.GetText(), row) || call.GetChildCount() != 1)
        return nullptr;
    const CRange* range = RangeOf(call.GetChild(0), place);
    if (!range || range->GetAreaCount() != 1)
        return nullptr;
    const CRangeArea& area = range->GetAreas()[0];
    int count = (row ? std::abs(area.end.row - area.start.row) : std::abs(area.end.column - area.start.column)) + 1;
    if (count < 2)
        return nullptr;
    auto array = MakeCall(callconv::kArrayFunction);
    array->AddChild(CValueNode::MakeNumber(row ? count : 1));
    array->AddChild(CValueNode::MakeNumber(row ? 1 : count));
    int first = std::min(row ? area.start.row : area.start.column, row ? area.end.row : area.end.column);
    for (int i = 0; i < count; ++i)
        array->AddChild(CValueNode::MakeNumber(first + i));
    return array;
}

// A cell of a range: its variable, or no value for a cell the workbook leaves empty (a range
// gives variables only to the cells it uses).
std::unique_ptr<CExprNode> CellOrEmpty(const CCellRef& cell)
{
    if (cell.id < 0)
        return CValueNode::MakeNoValue();
    return std::make_unique<CCellNode>(cell.id);
}

// A range where one value is taken: the spreadsheet's implicit intersection, the range's cell
// in the formula's own row (a range of one column) or column (of one row), else #VALUE!. A
// movie must never show a range's variable names as a cell's value.
std::unique_ptr<CExprNode> IntersectRange(const CModelVariable& reference, const CompilePlace& place)
{
    const CRange* range = RangeOf(reference, place);
    if (!range || !place.cell)
        return nullptr;
    if (range->GetCellCount() == 1)
        return CellOrEmpty(*range->GetCell(0));
    if (range->GetAreaCount() != 1)
        return MakeError("#VALUE!");
    const CRangeArea& area = range->GetAreas()[0];
    int top = std::min(area.start.row, area.end.row);
    int left = std::min(area.start.column, area.end.column);
    int rows = std::abs(area.end.row - area.start.row) + 1;
    int columns = std::abs(area.end.column - area.start.column) + 1;
    int row = -1;
    int column = -1;
    if (columns == 1 && place.cell->row >= top && place.cell->row < top + rows) {
        row = place.cell->row - top;
        column = 0;
    } else if (rows == 1 && place.cell->column >= left && place.cell->column < left + columns) {
        row = 0;
        column = place.cell->column - left;
    }
    if (row < 0)
        return MakeError("#VALUE!");
    std::optional<CCellRef> cell = range->GetCell(static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                                                  static_cast<std::size_t>(column));
    if (!cell)
        return MakeError("#VALUE!");
    return CellOrEmpty(*cell);
}

// The arguments over which a call applies element by element where an array is taken, as bits
// (argument i is bit i): those it takes as one value or hands on; all of an operator's. None for
// the calls that take or give arrays themselves (array constants, INDEX, ROW, COLUMN).
std::uint32_t LiftMask(const CModelVariable& call)
{
    const std::string& name = call.GetText();
    std::size_t count = std::min<std::size_t>(call.GetChildCount(), 31);
    std::uint32_t all = (std::uint32_t{1} << count) - 1;
    if (callconv::OperatorKindOf(name) != 0)
        return all;
    bool row = false;
    if (name == callconv::kArrayFunction || name == callconv::kErrorFunction || callconv::MayGiveGrid(name) ||
        IsRowOrColumn(name, row))
        return 0;
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < count; ++i) {
        callconv::ArgumentClass kind = callconv::ArgumentClassOf(name, i);
        if (kind == callconv::ArgumentClass::Value || kind == callconv::ArgumentClass::Through)
            mask |= std::uint32_t{1} << i;
    }
    return mask;
}

// Which nodes of a formula may give a range or an array when it runs: ranges, array
// constants, ROW and COLUMN of a range, INDEX, and calls of single values with such an
// argument. Worked out once per subtree, bottom up without recursion, when an array is first
// taken above it.
class ArrayShapes {
public:
    bool MayBeArray(const CModelVariable& node)
    {
        if (auto known = known_.find(&node); known != known_.end())
            return known->second;
        std::vector<std::pair<const CModelVariable*, bool>> stack{{&node, false}};
        while (!stack.empty()) {
            auto [at, childrenDone] = stack.back();
            if (known_.count(at)) {
                stack.pop_back();
                continue;
            }
            if (!childrenDone) {
                stack.back().second = true;
                for (std::size_t i = 0; i < at->GetChildCount(); ++i)
                    stack.emplace_back(&at->GetChild(i), false);
                continue;
            }
            stack.pop_back();
            known_[at] = Decide(*at);
        }
        return known_[&node];
    }

private:
    bool Decide(const CModelVariable& node) const
    {
        if (node.GetKind() == ModelKind::Range)
            return true;
        if (node.GetKind() != ModelKind::Function)
            return false;
        const std::string& name = node.GetText();
        bool row = false;
        if (name == callconv::kArrayFunction || callconv::MayGiveGrid(name))
            return true;
        if (IsRowOrColumn(name, row))
            return node.GetChildCount() == 1 && node.GetChild(0).GetKind() == ModelKind::Range;
        std::uint32_t mask = LiftMask(node);
        for (std::size_t i = 0; i < node.GetChildCount() && i < 31; ++i)
            if ((mask >> i & 1) && known_.at(&node.GetChild(i)))
                return true;
        return false;
    }

    std::unordered_map<const CModelVariable*, bool> known_;
};

// What a compiled node is: the node to place (top), the node its children go to (attach:
// the same, or a call inside a wrapper), and whether its children are compiled at all.
struct Compiled {
    std::unique_ptr<CExprNode> top;
    CExprNode* attach = nullptr;
    bool descend = false;
    bool arrayArguments = false; // its arguments are taken as arrays (a call lifted where a range is)
};

Compiled Leaf(std::unique_ptr<CExprNode> node)
{
    Compiled out;
    out.attach = node.get();
    out.top = std::move(node);
    return out;
}

// INDEX(grid, MATCH(...)): MATCH gives a position from 1 on or an error, never the 0 that has
// INDEX give a whole row or column, so the lookup is one value (or an error) as it stands.
bool IsIndexOfMatch(const CModelVariable& call)
{
    if (call.GetText() != "INDEX" || call.GetChildCount() != 2)
        return false;
    const CModelVariable& row = call.GetChild(1);
    return row.GetKind() == ModelKind::Function && row.GetText() == "MATCH";
}

// A function the library lacks: the spreadsheet's value of such a call is #NAME?, which IFERROR,
// ISERROR and the like must see, rather than the nothing a call of a missing method gives. It
// stays listed as unsupported. Only with a library that has the error value itself.
bool IsUnknownFunction(const CModelVariable& call)
{
    if (call.GetKind() != ModelKind::Function || callconv::OperatorKindOf(call.GetText()) != 0)
        return false;
    IFunctionLibrary& library = GetFunctionLibraryHook();
    const std::string name = callconv::MovieFunctionName(call.GetText());
    if (library.GetSymbolKind(name) != 0 || library.GetSymbolKind(callconv::kErrorFunction) == 0)
        return false;
    library.UseFunction(name);
    return true;
}

// ROWS or COLUMNS of one cell: 1 whatever the cell holds, an error included.
bool IsSizeOfCell(const CModelVariable& call)
{
    return call.GetChildCount() == 1 && call.GetChild(0).GetKind() == ModelKind::Cell &&
           (sheet::EqualNoCaseAscii(call.GetText(), "ROWS") || sheet::EqualNoCaseAscii(call.GetText(), "COLUMNS"));
}

// Text typed as an argument of the functions that total numbers counts as the number it reads
// as, else the function gives #VALUE! (text in a cell they read is skipped): such text is
// compiled as 0 + text, which gives exactly that.
bool TakesTypedTextAsNumber(const CModelVariable& call, const CModelVariable& argument)
{
    if (argument.GetKind() != ModelKind::String || call.GetKind() != ModelKind::Function)
        return false;
    static const std::unordered_set<std::string_view> totals = {
        "SUM",   "AVERAGE", "AVERAGEA", "MAX",  "MAXA",    "MIN",     "MINA", "PRODUCT",  "STDEV",
        "STDEV.S", "STDEV.P", "STDEVP", "STDEVA", "VAR", "VAR.S", "VAR.P", "VARP", "MEDIAN", "SUMSQ",
        "GEOMEAN", "MODE",  "MODE.SNGL"};
    return totals.count(call.GetText()) != 0;
}

// Whether a formula calls SUBTOTAL anywhere: the totals over its cell leave it out.
bool CallsSubtotal(const CModelVariable& tree)
{
    std::vector<const CModelVariable*> stack{&tree};
    while (!stack.empty()) {
        const CModelVariable* at = stack.back();
        stack.pop_back();
        if (at->GetKind() == ModelKind::Function && sheet::EqualNoCaseAscii(at->GetText(), "SUBTOTAL"))
            return true;
        for (std::size_t i = 0; i < at->GetChildCount(); ++i)
            stack.push_back(&at->GetChild(i));
    }
    return false;
}

Compiled CompileOne(const CModelVariable& from, const CompilePlace& place, Taken taken, ArrayShapes& shapes)
{
    if (IsUnknownFunction(from))
        return Leaf(MakeError("#NAME?"));
    if (from.GetKind() == ModelKind::Function && IsSizeOfCell(from))
        return Leaf(CValueNode::MakeNumber(1));
    if (from.GetKind() == ModelKind::Range && taken == Taken::Value)
        if (auto cut = IntersectRange(from, place))
            return Leaf(std::move(cut));
    if (from.GetKind() == ModelKind::Function) {
        if (taken != Taken::Value)
            if (auto numbers = PlaceNumbers(from, place))
                return Leaf(std::move(numbers));
        if (int number = PlaceNumber(from, place); number > 0)
            return Leaf(CValueNode::MakeNumber(number));
    }
    if (from.GetKind() == ModelKind::Function && taken != Taken::Value) {
        std::uint32_t mask = LiftMask(from);
        std::uint32_t arrays = 0;
        // Where a range is taken (SUM(SUMIF(A1:A9,{"a","b"}))), an array constant typed as an
        // argument of single values still gives an array, element by element.
        auto isArray = [&](const CModelVariable& child) {
            if (taken == Taken::Array)
                return shapes.MayBeArray(child);
            return child.GetKind() == ModelKind::Function && child.GetText() == callconv::kArrayFunction;
        };
        for (std::size_t i = 0; i < from.GetChildCount() && i < 31; ++i)
            if ((mask >> i & 1) && isArray(from.GetChild(i)))
                arrays |= std::uint32_t{1} << i;
        if (arrays != 0) {
            // Element by element over the arguments that may be arrays: kvLift(name, bits,
            // arguments...). Only here, where the compiler sees that an array may arrive, does a
            // call pay for the array path.
            auto name = std::make_unique<CFunctionNameNode>();
            name->SetText(from.GetText());
            Compiled out = Leaf(MakeCall(callconv::kLiftFunction));
            out.top->AddChild(std::move(name));
            out.top->AddChild(CValueNode::MakeNumber(arrays));
            out.descend = true;
            out.arrayArguments = taken == Taken::Reference;
            return out;
        }
    }
    Compiled out = Leaf(CompileOne(from));
    if (!out.top)
        return out;
    out.descend = true;
    if (from.GetKind() == ModelKind::Function && taken == Taken::Value && callconv::MayGiveGrid(from.GetText()) &&
        !IsIndexOfMatch(from)) {
        // A call that may give a range or an array (INDEX with row or column 0), where one
        // value is taken: the value of a single cell, the first of an array, else #VALUE!.
        auto one = MakeCall(callconv::kOneFunction);
        one->AddChild(std::move(out.top));
        out.top = std::move(one);
    }
    return out;
}

// Whether a formula may give what an empty cell holds: a reference alone, or a choice with a
// reference among its arguments that it may hand on. The spreadsheet shows 0 there, never
// nothing. Choices nest only as deep as formulas are written, so the walk stays short.
bool MayGiveEmpty(const CModelVariable& tree, int depth = 0)
{
    constexpr int kDeepest = 8;
    switch (tree.GetKind()) {
    case ModelKind::Cell:
    case ModelKind::Range:
        return true;
    case ModelKind::Function:
        if (depth >= kDeepest || callconv::ReadsByPlace(tree.GetText()))
            return true;
        for (std::string_view name : {"IF", "IFS", "CHOOSE", "SWITCH", "IFERROR", "IFNA"})
            if (tree.GetText() == name) {
                for (std::size_t i = 0; i < tree.GetChildCount(); ++i)
                    if (MayGiveEmpty(tree.GetChild(i), depth + 1))
                        return true;
                return false;
            }
        return false;
    default:
        return false;
    }
}

} // namespace

std::unique_ptr<CCompiledExpr> CCompiledExpr::Compile(const CModelVariable& tree, const CompilePlace& place)
{
    if (const auto whole = tree.GetWhole(); place.array && whole != CModelVariable::Whole::None && place.table) {
        // An array formula of whole rows or columns ({=Data!1:1}) over more cells than the
        // sheet uses: past the used part, along the rows (columns), its cells are those of
        // empty cells, 0.
        int rows = 0;
        int columns = 0;
        const CRange* range = place.table->GetRange(static_cast<std::size_t>(tree.GetRangeIndex()));
        if (range && range->GetAreaCount() == 1 && range->GetAreaSize(0, rows, columns) &&
            (whole == CModelVariable::Whole::Rows ? place.arrayColumn >= columns : place.arrayRow >= rows))
            return std::make_unique<CCompiledExpr>(CValueNode::MakeNumber(0));
    }
    if (place.array && place.arrayAnchor >= 0 && (place.arrayRow != 0 || place.arrayColumn != 0)) {
        // Another cell of an array formula's area: its element of the array that the top-left
        // cell keeps. Naming that cell's variable orders the calculation after it.
        auto element = MakeCall(callconv::kElementOfFunction);
        element->AddChild(std::make_unique<CCellNode>(place.arrayAnchor));
        element->AddChild(CValueNode::MakeNumber(place.arrayAnchor));
        element->AddChild(CValueNode::MakeNumber(place.arrayRow));
        element->AddChild(CValueNode::MakeNumber(place.arrayColumn));
        return std::make_unique<CCompiledExpr>(std::move(element));
    }
    Taken rootTaken = place.array ? Taken::Array : Taken::Value;
    ArrayShapes shapes;
    Compiled root = CompileOne(tree, place, rootTaken, shapes);
    if (!root.top)
        return nullptr;
    if (place.shown && rootTaken == Taken::Value && MayGiveEmpty(tree)) {
        auto shown = MakeCall(callconv::kShownFunction);
        shown->AddChild(std::move(root.top));
        root.top = std::move(shown);
    }
    struct Pending {
        const CModelVariable* from;
        CExprNode* to;
        Taken taken;
    };
    std::vector<Pending> pending;
    if (root.descend)
        pending.push_back({&tree, root.attach, root.arrayArguments ? Taken::Array : rootTaken});
    while (!pending.empty()) {
        Pending at = pending.back();
        pending.pop_back();
        for (std::size_t i = 0; i < at.from->GetChildCount(); ++i) {
            const CModelVariable& from = at.from->GetChild(i);
            Taken taken = ChildTaken(*at.from, i, at.taken);
            Compiled child;
            if (TakesTypedTextAsNumber(*at.from, from)) {
                child = Leaf(MakeCall("+"));
                child.top->AddChild(CValueNode::MakeNumber(0));
                child.top->AddChild(CValueNode::MakeText(from.GetText()));
            } else {
                child = CompileOne(from, place, taken, shapes);
            }
            if (!child.top)
                return nullptr;
            if (child.descend)
                pending.push_back({&from, child.attach, child.arrayArguments ? Taken::Array : taken});
            at.to->AddChild(std::move(child.top));
        }
    }
    std::unique_ptr<CExprNode> top = std::move(root.top);
    if (!place.array && place.cell && place.cell->id >= 0 && CallsSubtotal(tree)) {
        auto marked = MakeCall(callconv::kSubtotalCellFunction);
        marked->AddChild(std::move(top));
        marked->AddChild(CValueNode::MakeText(CellVariableName(place.cell->id)));
        top = std::move(marked);
    }
    if (place.array && place.arrayAnchor >= 0) {
        // The top-left cell of an array formula's area keeps the array and takes its element.
        auto keep = MakeCall(callconv::kKeepFunction);
        keep->AddChild(std::move(top));
        keep->AddChild(CValueNode::MakeNumber(place.arrayAnchor));
        top = std::move(keep);
    } else if (place.array) {
        // Each cell of an array formula takes its element of the result.
        auto element = MakeCall(callconv::kElementFunction);
        element->AddChild(std::move(top));
        element->AddChild(CValueNode::MakeNumber(place.arrayRow));
        element->AddChild(CValueNode::MakeNumber(place.arrayColumn));
        top = std::move(element);
    }
    return std::make_unique<CCompiledExpr>(std::move(top));
}
