#include "sheet/formula/ExprNodes.h"

#include "sheet/AsciiCase.h"
#include "sheet/formula/CallingConvention.h"
#include "sheet/cells/CellRef.h"
#include "sheet/formula/FunctionLibraryHook.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"
#include "swf/ActionList.h"
#include "swf/Actions.h"

#include <cmath>
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
void PushNumber(CActionList& actions, double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && value >= -2147483648.0 &&
        value <= 2147483647.0 && !(value == 0 && std::signbit(value)))
        actions.Add(CActionPush::CActionPushInt(static_cast<int32_t>(value)));
    else
        actions.Add(CActionPush::CActionPushDouble(value));
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

CStringNode::~CStringNode()
{
    if (!callName_.empty())
        GetFunctionLibraryHook().ReleaseFunction(callName_);
}

void CStringNode::SetText(const std::string& name)
{
    IFunctionLibrary& library = GetFunctionLibraryHook();
    if (!callName_.empty())
        library.ReleaseFunction(callName_);
    name_ = name;
    kind_ = library.GetSymbolKind(name);
    // An operator stays an operator whatever the library answers: a library without "+" in
    // its table would otherwise have the movie call a function named "+", which the player
    // does not have, and the formula would silently give undefined.
    if (int symbolKind = callconv::OperatorKindOf(name); symbolKind != 0)
        kind_ = symbolKind;
    if (kind_ >= callconv::kAdd && kind_ <= callconv::kConcat) {
        callName_ = std::string(callconv::OperatorFunction(kind_));
    } else {
        kind_ = callconv::kFunction;
        callName_ = callconv::MovieFunctionName(name);
    }
    library.UseFunction(callName_);
}

void CStringNode::WriteOwnActions(CActionList& actions) const
{
    actions.Add(CActionPush::CActionPushInt(static_cast<int32_t>(GetChildCount())));
    Push(actions, callconv::kLibraryObject);
    Code(actions, swf::ActionCode::GetVariable);
    Push(actions, callName_);
    Code(actions, swf::ActionCode::CallMethod);
}

std::unique_ptr<CValueNode> CValueNode::MakeNumber(double value)
{
    std::unique_ptr<CValueNode> node(new CValueNode(Number));
    node->number_ = value;
    return node;
}

std::unique_ptr<CValueNode> CValueNode::MakeText(std::string text)
{
    std::unique_ptr<CValueNode> node(new CValueNode(Text));
    node->text_ = std::move(text);
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

void CValueNode::WriteOwnActions(CActionList& actions) const
{
    switch (type_) {
    case Number:
    case Integer:
        PushNumber(actions, number_);
        break;
    case Text:
        Push(actions, text_);
        break;
    case Boolean:
        actions.Add(CActionPush::CActionPushBool(number_ != 0));
        break;
    case NoValue:
        actions.Add(CActionPush::CActionPushUndefined());
        break;
    }
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

// The row (or column) that ROW(ref) or COLUMN(ref) stands for: of the reference's first cell,
// or of the formula's own cell without an argument; 0 when the place does not tell.
int PlaceNumber(const CModelVariable& call, const CompilePlace& place)
{
    const std::string& name = call.GetText();
    bool row = sheet::EqualNoCaseAscii(name, "ROW");
    if (!row && !sheet::EqualNoCaseAscii(name, "COLUMN"))
        return 0;
    const CCellRef* cell = nullptr;
    if (call.GetChildCount() == 0) {
        cell = place.cell;
    } else if (call.GetChildCount() == 1) {
        const CModelVariable& argument = call.GetChild(0);
        if (argument.GetKind() == ModelKind::Cell) {
            cell = &argument.GetCell();
        } else if (argument.GetKind() == ModelKind::Range && place.table && argument.GetRangeIndex() >= 0) {
            const CRange* range = place.table->GetRange(static_cast<std::size_t>(argument.GetRangeIndex()));
            cell = range ? range->GetCell(0) : nullptr;
        }
    }
    if (!cell)
        return 0;
    return row ? cell->row : cell->column;
}

// A node, and whether its children are compiled as well.
std::pair<std::unique_ptr<CExprNode>, bool> CompileOne(const CModelVariable& from, const CompilePlace& place)
{
    if (from.GetKind() == ModelKind::Function)
        if (int number = PlaceNumber(from, place); number > 0)
            return {CValueNode::MakeNumber(number), false};
    return {CompileOne(from), true};
}

} // namespace

std::unique_ptr<CCompiledExpr> CCompiledExpr::Compile(const CModelVariable& tree, const CompilePlace& place)
{
    auto [root, descend] = CompileOne(tree, place);
    if (!root)
        return nullptr;
    std::vector<std::pair<const CModelVariable*, CExprNode*>> pending;
    if (descend)
        pending.emplace_back(&tree, root.get());
    while (!pending.empty()) {
        auto [from, to] = pending.back();
        pending.pop_back();
        for (std::size_t i = 0; i < from->GetChildCount(); ++i) {
            auto [child, childDescends] = CompileOne(from->GetChild(i), place);
            if (!child)
                return nullptr;
            CExprNode* raw = child.get();
            to->AddChild(std::move(child));
            if (childDescends)
                pending.emplace_back(&from->GetChild(i), raw);
        }
    }
    return std::make_unique<CCompiledExpr>(std::move(root));
}
