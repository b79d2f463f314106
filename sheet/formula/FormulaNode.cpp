#include "sheet/formula/FormulaNode.h"

#include "base/RecordStream.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/SheetRecords.h"
#include "swf/ActionEmitter.h"
#include "swf/ActionList.h"
#include "swf/Actions.h"

#include <algorithm>
#include <string>
#include <utility>

CFormulaNode::~CFormulaNode() = default;

void CFormulaNode::AppendInOrder(std::vector<CFormulaNode*>& order, NodeVisitSet& visited, CycleList* cycles)
{
    using Mark = NodeVisitSet::Mark;
    if (IsConstant() || visited.Add(this, cellId_, Mark::OnPath) != Mark::None)
        return;
    // Depth-first over precedents with an explicit stack; the stack is the current path, so a
    // precedent reached but not finished closes a circle.
    std::vector<std::pair<CFormulaNode*, std::size_t>> path{{this, 0}};
    while (!path.empty()) {
        auto& [node, next] = path.back();
        if (next < node->precedents_.size()) {
            CFormulaNode* precedent = node->precedents_[next++];
            if (precedent->IsConstant())
                continue;
            Mark had = visited.Add(precedent, precedent->cellId_, Mark::OnPath);
            if (had == Mark::None) {
                path.emplace_back(precedent, 0);
            } else if (had == Mark::OnPath && cycles) {
                auto start = std::find_if(path.begin(), path.end(),
                                          [precedent](const auto& step) { return step.first == precedent; });
                std::vector<int32_t> circle;
                for (auto it = start; it != path.end(); ++it)
                    if (!it->first->IsPassThrough())
                        circle.push_back(it->first->cellId_);
                cycles->push_back(std::move(circle));
            }
            continue;
        }
        if (!node->IsPassThrough())
            order.push_back(node);
        visited.Finish(node, node->cellId_);
        path.pop_back();
    }
}

void CFormulaNode::WriteVariableAction(CActionList& actions) const
{
    swf::ActionEmitter emit(actions);
    if (WriteValueAction(emit))
        return;
    emit.Str(CellVariableName(cellId_));
    GetExpression()->WriteActions(actions);
    emit.Op(swf::ActionCode::SetVariable);
}

bool CFormulaNode::WriteValueAction(swf::ActionEmitter& emit) const
{
    if (!WriteValuePushes(emit))
        return false;
    emit.Op(swf::ActionCode::SetVariable);
    return true;
}

bool CFormulaNode::WriteValuePushes(swf::ActionEmitter& emit) const
{
    const CCompiledExpr* expression = GetExpression();
    const auto* value = expression ? dynamic_cast<const CValueNode*>(&expression->GetRoot()) : nullptr;
    if (expression && (!value || value->GetChildCount() != 0))
        return false;
    emit.Str(CellVariableName(cellId_));
    if (value)
        value->WriteValue(emit);
    else
        emit.Undefined();
    return true;
}

int CConstantCellNode::GetValueType() const
{
    const CCompiledExpr* expression = GetExpression();
    if (!expression)
        return CValueNode::NoValue;
    const auto* value = dynamic_cast<const CValueNode*>(&expression->GetRoot());
    return value ? value->GetType() : CValueNode::NoValue;
}

void CConstantCellNode::BuildRecalcList(NodeVisitSet& visited)
{
    // Reverse post-order of a depth-first walk along dependents is an order in which every
    // formula follows those it reads.
    recalc_.reset();
    std::vector<CFormulaNode*> finished;
    std::vector<std::pair<CFormulaNode*, std::size_t>> stack{{this, 0}};
    using Mark = NodeVisitSet::Mark;
    if (visited.Add(this, GetCellId(), Mark::Finished) != Mark::None)
        visited.Finish(this, GetCellId());
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next < node->GetDependents().size()) {
            CFormulaNode* dependent = node->GetDependents()[next++];
            if (!dependent->IsConstant() &&
                visited.Add(dependent, dependent->GetCellId(), Mark::Finished) == Mark::None)
                stack.emplace_back(dependent, 0);
            continue;
        }
        if (node != this && !node->IsPassThrough())
            finished.push_back(node);
        stack.pop_back();
    }
    if (!finished.empty())
        recalc_ = std::make_unique<std::vector<CFormulaNode*>>(finished.rbegin(), finished.rend());
}

const std::vector<CFormulaNode*>& CConstantCellNode::GetRecalcList() const
{
    static const std::vector<CFormulaNode*> none;
    return recalc_ ? *recalc_ : none;
}

void CFormulaNode::Save(base::RecordWriter& out) const
{
    out.WriteI32(cellId_);
    sheetrec::WriteCompiledExpr(out, GetExpression());
}

void CFormulaNode::Load(base::RecordReader& in)
{
    int32_t id = in.ReadI32("network node cell id");
    if (id < 0)
        in.Fail("network node cell id", "negative id " + std::to_string(id));
    cellId_ = id;
    SetExpression(sheetrec::ReadCompiledExpr(in));
}

void CFormulaCellNode::Save(base::RecordWriter& out) const
{
    CFormulaNode::Save(out);
    out.WriteU32(static_cast<uint32_t>(referenced_.size()));
    for (int32_t id : referenced_)
        out.WriteI32(id);
}

void CFormulaCellNode::Load(base::RecordReader& in)
{
    CFormulaNode::Load(in);
    ranges_.clear();
    rangesKnown_ = false;
    uint32_t count = in.ReadCount("referenced cell count", 4);
    referenced_.clear();
    referenced_.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        referenced_.push_back(in.ReadI32("referenced cell id"));
}
