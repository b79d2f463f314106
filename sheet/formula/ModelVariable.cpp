#include "sheet/formula/ModelVariable.h"

#include "sheet/cells/VariableTable.h"

#include <utility>

CModelVariable::~CModelVariable()
{
    // Take the grandchildren over before each child dies, so no destructor call nests.
    std::vector<std::unique_ptr<CModelVariable>> pending = std::move(children_);
    while (!pending.empty()) {
        std::unique_ptr<CModelVariable> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children_)
            pending.push_back(std::move(child));
        node->children_.clear();
    }
}

const std::string& CModelVariable::NoText()
{
    static const std::string none;
    return none;
}

const CCellRef& CModelVariable::NoCell()
{
    static const CCellRef none;
    return none;
}

std::unique_ptr<CModelVariable> CModelVariable::CModelVariableFromText(std::string text)
{
    auto node = std::make_unique<CModelVariable>(ModelKind::String);
    node->text_ = std::make_unique<std::string>(std::move(text));
    return node;
}

std::unique_ptr<CModelVariable> CModelVariable::MakeNumber(double value)
{
    auto node = std::make_unique<CModelVariable>(ModelKind::Number);
    node->number_ = value;
    return node;
}

std::unique_ptr<CModelVariable> CModelVariable::MakeBoolean(bool value)
{
    auto node = std::make_unique<CModelVariable>(ModelKind::Boolean);
    node->number_ = value ? 1 : 0;
    return node;
}

std::unique_ptr<CModelVariable> CModelVariable::MakeFunction(std::string name)
{
    auto node = std::make_unique<CModelVariable>(ModelKind::Function);
    node->text_ = std::make_unique<std::string>(std::move(name));
    return node;
}

std::unique_ptr<CModelVariable> CModelVariable::MakeCell(const CCellRef& cell)
{
    auto node = std::make_unique<CModelVariable>(ModelKind::Cell);
    node->cell_ = std::make_unique<CCellRef>(cell);
    return node;
}

std::unique_ptr<CModelVariable> CModelVariable::MakeRange(int rangeIndex, Whole whole)
{
    auto node = std::make_unique<CModelVariable>(ModelKind::Range);
    node->rangeIndex_ = rangeIndex;
    node->number_ = static_cast<int>(whole);
    return node;
}

std::unique_ptr<CModelVariable> CModelVariable::Clone() const
{
    auto copyOne = [](const CModelVariable& from) {
        auto node = std::make_unique<CModelVariable>(from.kind_);
        if (from.text_)
            node->text_ = std::make_unique<std::string>(*from.text_);
        node->number_ = from.number_;
        if (from.cell_)
            node->cell_ = std::make_unique<CCellRef>(*from.cell_);
        node->rangeIndex_ = from.rangeIndex_;
        return node;
    };
    auto root = copyOne(*this);
    std::vector<std::pair<const CModelVariable*, CModelVariable*>> pending{{this, root.get()}};
    while (!pending.empty()) {
        auto [from, to] = pending.back();
        pending.pop_back();
        for (const auto& child : from->children_) {
            to->children_.push_back(copyOne(*child));
            pending.emplace_back(child.get(), to->children_.back().get());
        }
    }
    return root;
}

void CModelVariable::CollectReferences(std::vector<CCellRef>& cells, std::vector<int>& ranges,
                                       const CVariableTable& table) const
{
    // Post-order without recursion: a node is reported after all of its children.
    std::vector<std::pair<const CModelVariable*, std::size_t>> stack{{this, 0}};
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next < node->children_.size()) {
            const CModelVariable* child = node->children_[next++].get();
            stack.emplace_back(child, 0);
            continue;
        }
        if (node->kind_ == ModelKind::Cell) {
            cells.push_back(node->GetCell());
        } else if (node->kind_ == ModelKind::Range && node->rangeIndex_ >= 0) {
            ranges.push_back(node->rangeIndex_);
            if (const CRange* range = table.GetRange(static_cast<std::size_t>(node->rangeIndex_)))
                table.ForEachNumberedCell(*range, [&cells](const CCellRef& cell) { cells.push_back(cell); });
        }
        stack.pop_back();
    }
}
