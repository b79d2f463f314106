#pragma once

#include "sheet/formula/ExprNodes.h"
#include "sheet/formula/NodeVisitSet.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class CActionList;
class CFormulaNode;
namespace base {
class RecordReader;
class RecordWriter;
} // namespace base

// Formula cells that refer to each other in a circle, each circle as the cell ids along it.
using CycleList = std::vector<std::vector<int32_t>>;

// A node of the calculation network: one compiled cell. Precedents are the nodes whose
// values it reads, dependents those that read it; both are borrowed from the maps that own
// the nodes. Every traversal is iterative: a running total down 100,000 rows is one chain.
class CFormulaNode {
public:
    virtual ~CFormulaNode();
    CFormulaNode(const CFormulaNode&) = delete;
    CFormulaNode& operator=(const CFormulaNode&) = delete;

    int32_t GetCellId() const { return cellId_; }
    const CCompiledExpr* GetExpression() const { return expression_.HasRoot() ? &expression_ : nullptr; }
    virtual bool IsConstant() const = 0;

    void AddPrecedent(CFormulaNode* node) { precedents_.push_back(node); }
    void AddDependent(CFormulaNode* node) { dependents_.push_back(node); }
    const std::vector<CFormulaNode*>& GetPrecedents() const { return precedents_; }
    const std::vector<CFormulaNode*>& GetDependents() const { return dependents_; }
    bool HasDependents() const { return !dependents_.empty(); }
    // Forgets precedents and dependents, so that the network can be linked again.
    void ClearLinks()
    {
        precedents_.clear();
        dependents_.clear();
    }
    // A node that only joins others (a shared range) and has no movie variable: orderings
    // pass through it without listing it.
    virtual bool IsPassThrough() const { return false; }

    // Appends this node to order after every formula node it depends on, each node once
    // (nodes in visited are skipped, reached ones are added). Constant nodes are the model's
    // inputs and never enter the order: recalculating them would overwrite what a component
    // put there. Formulas that reach themselves are still ordered, each once, and every
    // circle met is added to cycles (when given), so the caller can report it.
    void AppendInOrder(std::vector<CFormulaNode*>& order, NodeVisitSet& visited, CycleList* cycles = nullptr);

    // Push "V" + id, the expression's actions (undefined without one), SetVariable.
    void WriteVariableAction(CActionList& actions) const;
    // The same through an emitter when the expression is a plain value (as a constant cell's
    // is) or none; false, writing nothing, otherwise.
    bool WriteValueAction(swf::ActionEmitter& emit) const;
    // Only the pushes of the name and the value, for a SetVariable written later: values of
    // many cells are pushed in a run and assigned by as many SetVariables after it.
    bool WriteValuePushes(swf::ActionEmitter& emit) const;

    // The node's document record (docs/sheet-records.md): a node made by the default
    // constructor reads itself. Links are not part of it; the network is linked again after
    // reading. Load throws ModelError on a damaged record.
    virtual void Save(base::RecordWriter& out) const;
    virtual void Load(base::RecordReader& in);

protected:
    CFormulaNode() = default;
    CFormulaNode(int32_t cellId, std::unique_ptr<CCompiledExpr> expression)
        : cellId_(cellId)
    {
        SetExpression(std::move(expression));
    }
    void SetExpression(std::unique_ptr<CCompiledExpr> expression)
    {
        expression_ = expression ? std::move(*expression) : CCompiledExpr(nullptr);
    }

private:
    int32_t cellId_ = -1;
    // Held in the node rather than apart: a large model has hundreds of thousands of nodes.
    CCompiledExpr expression_{nullptr};
    std::vector<CFormulaNode*> precedents_;
    std::vector<CFormulaNode*> dependents_;
};

// A cell holding a constant; its compiled value is one CValueNode.
class CConstantCellNode : public CFormulaNode {
public:
    CConstantCellNode() = default;
    CConstantCellNode(int32_t cellId, std::unique_ptr<CCompiledExpr> expression)
        : CFormulaNode(cellId, std::move(expression))
    {
    }
    bool IsConstant() const override { return true; }

    // The type of the compiled value: 0 number, 1 text, 2 integer, 3 boolean, 4 no value.
    int GetValueType() const;

    // Collects the formula nodes that depend on this constant, directly or through other
    // formulas, in an order in which each comes after the formulas it reads.
    void BuildRecalcList(NodeVisitSet& visited);
    const std::vector<CFormulaNode*>& GetRecalcList() const;

private:
    // Apart and only when built: of the constants of a large model only its inputs have one.
    std::unique_ptr<std::vector<CFormulaNode*>> recalc_;
};

// A cell holding a formula, with the ids of the cells its formula refers to.
class CFormulaCellNode : public CFormulaNode {
public:
    CFormulaCellNode() = default;
    CFormulaCellNode(int32_t cellId, std::unique_ptr<CCompiledExpr> expression)
        : CFormulaNode(cellId, std::move(expression))
    {
    }
    bool IsConstant() const override { return false; }

    void AddReferencedCell(int32_t id) { referenced_.push_back(id); }
    const std::vector<int32_t>& GetReferencedCells() const { return referenced_; }
    // The table indexes of the ranges the formula reads, as its compiler found them; none when
    // not known (a node read back from a document), and the formula must be walked for them.
    void SetReferencedRanges(std::vector<int> ranges)
    {
        ranges_ = std::move(ranges);
        rangesKnown_ = true;
    }
    const std::vector<int>* GetReferencedRanges() const { return rangesKnown_ ? &ranges_ : nullptr; }
    // The formula is dropped for a value that reads no cell (a circular reference's error).
    void ReplaceFormula(std::unique_ptr<CCompiledExpr> expression)
    {
        SetExpression(std::move(expression));
        referenced_.clear();
        ranges_.clear();
        rangesKnown_ = false;
    }

    void Save(base::RecordWriter& out) const override;
    void Load(base::RecordReader& in) override;

private:
    std::vector<int32_t> referenced_;
    std::vector<int> ranges_;
    bool rangesKnown_ = false;
};

// A range that compiled formulas read, as one node shared by all of them: its precedents
// are the range's cells, its dependents the formulas. Linking each formula to every cell of
// its ranges instead would make a column of "share of total" formulas quadratic.
class CSharedRangeNode : public CFormulaNode {
public:
    explicit CSharedRangeNode(int rangeIndex) : rangeIndex_(rangeIndex) {}
    bool IsConstant() const override { return false; }
    bool IsPassThrough() const override { return true; }
    int GetRangeIndex() const { return rangeIndex_; }

private:
    int rangeIndex_;
};

// A formula cell that a component observes.
class CWatchedFormulaNode : public CFormulaCellNode {
public:
    CWatchedFormulaNode() = default;
    CWatchedFormulaNode(int32_t cellId, std::unique_ptr<CCompiledExpr> expression)
        : CFormulaCellNode(cellId, std::move(expression))
    {
    }
};
