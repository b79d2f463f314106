#include "publish/ModelNetwork.h"

#include "model/Trace.h"
#include "sheet/formula/CallingConvention.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/formula/ExprNodes.h"
#include "sheet/formula/FormulaParser.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/VariableTable.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace {

CFormulaNode* FindIn(const CModelNetwork::NodeMap& map, int32_t cellId)
{
    auto found = map.find(cellId);
    return found == map.end() ? nullptr : found->second.get();
}

std::string CellText(const CVariableTable& table, int32_t cellId)
{
    std::optional<CCellRef> cell =
        cellId >= 0 ? table.GetCellAt(static_cast<std::size_t>(cellId)) : std::nullopt;
    return cell ? cell->GetText() : CellVariableName(cellId);
}

} // namespace

void CollectCompiledReferences(const CCompiledExpr& expression, std::vector<int32_t>& cells,
                               std::vector<int>& ranges, std::vector<int>* byPlace)
{
    // A sheet's view is an argument of kvRef (the second) or of INDIRECT (from the seventh on).
    auto isSheetView = [](const CExprNode& call, std::size_t index) {
        const auto* name = dynamic_cast<const CStringNode*>(&call);
        if (!name)
            return false;
        if (name->GetText() == callconv::kReferenceFunction)
            return index == 1;
        return name->GetText() == "INDIRECT" && index >= 5;
    };
    std::vector<std::pair<const CExprNode*, bool>> pending{{&expression.GetRoot(), false}};
    while (!pending.empty()) {
        auto [node, sheetView] = pending.back();
        pending.pop_back();
        if (const auto* cell = dynamic_cast<const CCellNode*>(node))
            cells.push_back(cell->GetCellId());
        else if (const auto* range = dynamic_cast<const CRangeNode*>(node))
            (sheetView && byPlace ? *byPlace : ranges).push_back(range->GetRangeIndex());
        for (std::size_t i = node->GetChildCount(); i-- > 0;)
            pending.emplace_back(&node->GetChild(i), isSheetView(*node, i));
    }
}

CFormulaNode* CModelNetwork::FindVariableNode(int32_t cellId) const
{
    if (CFormulaNode* node = FindIn(boundConstants_, cellId))
        return node;
    if (CFormulaNode* node = FindIn(formulas_, cellId))
        return node;
    return FindIn(watchedFormulas_, cellId);
}

CFormulaNode* CModelNetwork::FindConstantNode(int32_t cellId) const
{
    if (CFormulaNode* node = FindIn(boundConstants_, cellId))
        return node;
    return FindIn(plainConstants_, cellId);
}

void CModelNetwork::Clear()
{
    // Nodes that read ranges point at the range nodes: drop the order and the links first.
    evaluationOrder_.clear();
    rangeNodes_.clear();
    anyCell_.reset();
    byPlaceReaders_.clear();
    plainConstants_.clear();
    boundConstants_.clear();
    formulas_.clear();
    watchedFormulas_.clear();
    referencedRanges_.clear();
    problems_.clear();
    brokenCycles_.clear();
    foundCycles_.clear();
    unreadable_.clear();
    visited_.clear();
}

bool CModelNetwork::empty() const
{
    return GetNodeCount() == 0;
}

std::size_t CModelNetwork::GetNodeCount() const
{
    return plainConstants_.size() + boundConstants_.size() + formulas_.size() + watchedFormulas_.size();
}

void CModelNetwork::CompileCell(int32_t cellId, const CCellModel& cells, CVariableTable& table,
                                const BoundCells& bound, CCellValueMap& values)
{
    // A worklist instead of recursion: each cell is looked at once per reference to it, and
    // a range's cells are queued once, when the first formula reading the range is compiled.
    std::vector<int32_t> pending{cellId};
    while (!pending.empty()) {
        int32_t id = pending.back();
        pending.pop_back();
        const auto index = static_cast<std::size_t>(id);
        if (id >= 0 && index < visited_.size() && visited_[index])
            continue;
        std::optional<CCellRef> cell = id >= 0 ? table.GetCellAt(index) : std::nullopt;
        if (!cell) {
            Trace("Cell %d is not in the variable table", id);
            continue;
        }
        if (cells.HasFormula(*cell)) {
            if (!FindVariableNode(id) && !unreadable_.count(id))
                CompileFormula(*cell, cells, table, bound, pending);
        } else if (!FindConstantNode(id)) {
            // A blank cell of a sheet is an empty constant; a cell of a sheet the model no longer
            // has gets no node at all, and the formulas reading it keep its id without one.
            if (cells.FindSheet(cell->sheet))
                CompileConstant(*cell, cells, bound, values);
            else
                Trace("Cell does not exist, sheet names changed on re-import?");
        }
        if (index >= visited_.size())
            visited_.resize(std::max(index + 1, table.GetCellCount()));
        visited_[index] = true;
    }
}

void CModelNetwork::CompileAllFormulas(const CCellModel& cells, CVariableTable& table, CCellValueMap& values)
{
    BoundCells bound;
    std::vector<int32_t> formulas;
    cells.ForEachCell([&](const CCellRef& cell, const CCellData& data) {
        if (data.formula.empty())
            return;
        const int32_t id = table.AddCell(cell.sheet, cell.row, cell.column);
        bound.formulas.insert(id);
        formulas.push_back(id);
    });
    for (int32_t id : formulas)
        CompileCell(id, cells, table, bound, values);
}

void CModelNetwork::CompileFormula(const CCellRef& cell, const CCellModel& cells, CVariableTable& table,
                                   const BoundCells& bound, std::vector<int32_t>& pending)
{
    FormulaError error;
    std::unique_ptr<CModelVariable> tree = cells.ParseCellFormula(cell, table, &error);
    CompilePlace place{&table, &cell};
    place.shown = true;
    if (tree) {
        if (auto element = cells.GetArrayPlace(cell)) {
            place.array = true;
            place.arrayRow = element->first;
            place.arrayColumn = element->second;
            place.arrayAnchor = table.AddCell(cell.sheet, cell.row - element->first, cell.column - element->second);
        }
    }
    std::unique_ptr<CCompiledExpr> expression = tree ? CCompiledExpr::Compile(*tree, place) : nullptr;
    if (!expression) {
        if (error.message.empty())
            error.message = "the formula holds a part that cannot be compiled";
        Trace("Formula of %s not compiled: %s", cell.GetText().c_str(), error.message.c_str());
        problems_.unreadableFormulas.emplace_back(cell.GetText(), error.message);
        unreadable_.insert(cell.id);
        return;
    }
    std::vector<int32_t> referencedCells;
    std::vector<int> ranges;
    std::vector<int> byPlace;
    CollectCompiledReferences(*expression, referencedCells, ranges, &byPlace);

    std::unique_ptr<CFormulaCellNode> node;
    if (bound.formulas.count(cell.id))
        node = std::make_unique<CWatchedFormulaNode>(cell.id, std::move(expression));
    else
        node = std::make_unique<CFormulaCellNode>(cell.id, std::move(expression));
    for (int32_t id : referencedCells) {
        node->AddReferencedCell(id);
        pending.push_back(id);
    }
    if (!byPlace.empty())
        byPlaceReaders_.insert(cell.id);
    else
        byPlaceReaders_.erase(cell.id);
    // The cells a formula may reach by place are compiled like those it names, but not linked.
    for (int index : byPlace)
        ranges.push_back(index);
    const std::size_t linked = ranges.size() - byPlace.size();
    for (int index : ranges) {
        const CRange* range = index >= 0 ? table.GetRange(static_cast<std::size_t>(index)) : nullptr;
        if (range && referencedRanges_.insert(index).second)
            for (int32_t id : table.GetNumberedIds(*range)) {
                // Ranges overlap (a running total's all do): a cell looked at already is not queued again.
                const auto at = static_cast<std::size_t>(id);
                if (at >= visited_.size() || !visited_[at])
                    pending.push_back(id);
            }
    }
    ranges.resize(linked);
    node->SetReferencedRanges(std::move(ranges));
    NodeMap& map = bound.formulas.count(cell.id) ? watchedFormulas_ : formulas_;
    // Cells are mostly compiled in the order of their ids; the hint makes that order cheap.
    map.insert_or_assign(map.end(), cell.id, std::move(node));
}

void CModelNetwork::CompileConstant(const CCellRef& cell, const CCellModel& cells, const BoundCells& bound,
                                    CCellValueMap& values)
{
    std::unique_ptr<CModelVariable> constant = cells.MakeConstantNode(cell);
    auto node =
        std::make_unique<CConstantCellNode>(cell.id, constant ? CCompiledExpr::Compile(*constant) : nullptr);
    NodeMap& map = bound.constants.count(cell.id) ? boundConstants_ : plainConstants_;
    map.insert_or_assign(map.end(), cell.id, std::move(node));
    // The record takes the constant over rather than a copy of it.
    CCellValueRecord record(cell.id, CellVariableName(cell.id), cell.GetText(), nullptr);
    record.SetValue(std::move(constant));
    values.insert(std::move(record));
}

CModelNetwork::VariableIndex CModelNetwork::IndexVariables() const
{
    VariableIndex index;
    // In reverse order of FindVariableNode's search, so the node it would find is the one kept.
    for (const NodeMap* map : {&watchedFormulas_, &formulas_, &boundConstants_}) {
        for (const auto& [id, node] : *map) {
            if (id < 0)
                continue;
            const auto at = static_cast<std::size_t>(id);
            if (at >= index.size())
                index.resize(at + 1);
            index[at] = node.get();
        }
    }
    return index;
}

CFormulaNode* CModelNetwork::FindIndexed(const VariableIndex& variables, int32_t cellId) const
{
    if (cellId < 0)
        return FindVariableNode(cellId);
    const auto at = static_cast<std::size_t>(cellId);
    return at < variables.size() ? variables[at] : nullptr;
}

CFormulaNode* CModelNetwork::RangeNode(int rangeIndex, const CVariableTable& table,
                                       const VariableIndex& variables)
{
    auto found = rangeNodes_.find(rangeIndex);
    if (found != rangeNodes_.end())
        return found->second.get();
    const CRange* range = rangeIndex >= 0 ? table.GetRange(static_cast<std::size_t>(rangeIndex)) : nullptr;
    if (!range)
        return nullptr;
    auto node = std::make_unique<CSharedRangeNode>(rangeIndex);
    for (int32_t id : table.GetNumberedIds(*range))
        if (CFormulaNode* precedent = FindIndexed(variables, id)) {
            node->AddPrecedent(precedent);
            precedent->AddDependent(node.get());
        }
    return rangeNodes_.emplace(rangeIndex, std::move(node)).first->second.get();
}

void CModelNetwork::LinkFormula(CFormulaCellNode& node, const CVariableTable& table,
                                const VariableIndex& variables)
{
    auto link = [&node](CFormulaNode* precedent) {
        // A formula naming a cell twice (A1*A1) reads it once as far as ordering goes.
        const auto& precedents = node.GetPrecedents();
        if (std::find(precedents.begin(), precedents.end(), precedent) != precedents.end())
            return;
        node.AddPrecedent(precedent);
        precedent->AddDependent(&node);
    };
    for (int32_t id : node.GetReferencedCells())
        if (CFormulaNode* precedent = FindIndexed(variables, id))
            link(precedent);
    if (!node.GetExpression())
        return;
    std::vector<int> walked;
    const std::vector<int>* ranges = node.GetReferencedRanges();
    if (!ranges) {
        std::vector<int32_t> cells;
        std::vector<int> byPlace;
        CollectCompiledReferences(*node.GetExpression(), cells, walked, &byPlace);
        ranges = &walked;
        if (!byPlace.empty())
            byPlaceReaders_.insert(node.GetCellId());
        else
            byPlaceReaders_.erase(node.GetCellId());
    }
    for (int index : *ranges)
        if (CFormulaNode* range = RangeNode(index, table, variables))
            link(range);
}

void CModelNetwork::Link(const CVariableTable& table)
{
    evaluationOrder_.clear();
    rangeNodes_.clear();
    anyCell_.reset();
    problems_.cycles.clear();
    iteratedCells_.clear();
    for (NodeMap* map : {&plainConstants_, &boundConstants_, &formulas_, &watchedFormulas_})
        for (auto& [id, node] : *map)
            node->ClearLinks();
    const VariableIndex variables = IndexVariables();
    for (NodeMap* map : {&formulas_, &watchedFormulas_})
        for (auto& [id, node] : *map)
            LinkFormula(static_cast<CFormulaCellNode&>(*node), table, variables);
    OrderByPlaceReaders();
    const std::size_t broken = brokenCycles_.size();
    Order(table);
    if (iteration_.enabled && !foundCycles_.empty()) {
        // The circles stay in the order; the movie repeats the calculation over them. A
        // spreadsheet calculates a circle from its first cell by row and column, which comes
        // first when the walk enters the circle at the cell that first cell reads.
        std::vector<CFormulaNode*> entries;
        for (const std::vector<int32_t>& cycle : foundCycles_) {
            std::optional<std::size_t> first;
            std::optional<CCellRef> firstCell;
            for (std::size_t i = 0; i < cycle.size(); ++i) {
                std::optional<CCellRef> cell = table.GetCellAt(static_cast<std::size_t>(cycle[i]));
                if (cell && (!firstCell || std::tie(cell->sheet, cell->row, cell->column) <
                                               std::tie(firstCell->sheet, firstCell->row, firstCell->column))) {
                    first = i;
                    firstCell = cell;
                }
            }
            if (first)
                if (CFormulaNode* entry = FindVariableNode(cycle[(*first + 1) % cycle.size()]))
                    entries.push_back(entry);
        }
        evaluationOrder_.clear();
        brokenCycles_.resize(broken);
        foundCycles_.clear();
        Order(table, entries);
        problems_.cycles = brokenCycles_;
        brokenCycles_.resize(broken);
        for (const std::vector<int32_t>& cycle : foundCycles_)
            iteratedCells_.insert(iteratedCells_.end(), cycle.begin(), cycle.end());
        std::sort(iteratedCells_.begin(), iteratedCells_.end());
        iteratedCells_.erase(std::unique(iteratedCells_.begin(), iteratedCells_.end()), iteratedCells_.end());
        foundCycles_.clear();
    } else {
        if (BreakCycles()) {
            Link(table);
            return;
        }
        problems_.cycles = brokenCycles_;
    }
    for (auto& [id, node] : boundConstants_) {
        NodeVisitSet visited;
        static_cast<CConstantCellNode&>(*node).BuildRecalcList(visited);
    }
}

void CModelNetwork::Order(const CVariableTable& table, const std::vector<CFormulaNode*>& first)
{
    NodeVisitSet visited;
    visited.reserve(table.GetCellCount());
    CycleList cycles;
    for (CFormulaNode* node : first)
        node->AppendInOrder(evaluationOrder_, visited, &cycles);
    for (auto& [id, node] : watchedFormulas_)
        if (!node->HasDependents())
            node->AppendInOrder(evaluationOrder_, visited, &cycles);
    // Watched formulas that only other formulas read, in a circle among themselves, have no
    // end point to start from; they must still be computed.
    for (auto& [id, node] : watchedFormulas_)
        if (!visited.Contains(node.get()))
            node->AppendInOrder(evaluationOrder_, visited, &cycles);
    // A formula read by place is linked to nothing that reads it: one that depends on what such
    // a read fetched (or fetches itself) would otherwise be left out, and the fetch would find
    // its cell never calculated.
    if (anyCell_)
        for (auto& [id, node] : formulas_)
            if (!visited.Contains(node.get()))
                node->AppendInOrder(evaluationOrder_, visited, &cycles);
    for (const std::vector<int32_t>& cycle : cycles) {
        std::vector<std::string> texts;
        for (int32_t id : cycle)
            texts.push_back(CellText(table, id));
        brokenCycles_.push_back(std::move(texts));
    }
    foundCycles_ = std::move(cycles);
}

std::vector<const CFormulaNode*> CModelNetwork::ByPlaceReaders() const
{
    // By cell id, so that the same model always gives the same order.
    std::vector<int32_t> ids(byPlaceReaders_.begin(), byPlaceReaders_.end());
    std::sort(ids.begin(), ids.end());
    std::vector<const CFormulaNode*> readers;
    for (int32_t id : ids)
        if (const CFormulaNode* node = FindVariableNode(id); node && !node->IsConstant())
            readers.push_back(node);
    return readers;
}

void CModelNetwork::OrderByPlaceReaders()
{
    std::vector<CFormulaNode*> readers;
    for (const CFormulaNode* reader : ByPlaceReaders())
        readers.push_back(FindVariableNode(reader->GetCellId()));
    if (readers.empty())
        return;
    // Whatever depends on a reader may change with what it reads: ordering the readers after
    // it would be a circle. The rest is computed first.
    std::unordered_set<const CFormulaNode*> downstream(readers.begin(), readers.end());
    std::vector<const CFormulaNode*> pending(readers.begin(), readers.end());
    while (!pending.empty()) {
        const CFormulaNode* node = pending.back();
        pending.pop_back();
        for (const CFormulaNode* dependent : node->GetDependents())
            if (downstream.insert(dependent).second)
                pending.push_back(dependent);
    }
    anyCell_ = std::make_unique<CSharedRangeNode>(-1);
    for (NodeMap* map : {&formulas_, &watchedFormulas_})
        for (auto& [id, node] : *map)
            if (!downstream.count(node.get())) {
                anyCell_->AddPrecedent(node.get());
                node->AddDependent(anyCell_.get());
            }
    for (CFormulaNode* reader : readers) {
        reader->AddPrecedent(anyCell_.get());
        anyCell_->AddDependent(reader);
    }
}

bool CModelNetwork::BreakCycles()
{
    if (foundCycles_.empty())
        return false;
    // The value of a circle would otherwise depend on the order the movie happens to
    // calculate it in.
    std::unique_ptr<CModelVariable> error = CModelVariable::MakeFunction(std::string(callconv::kErrorFunction));
    error->AddChild(CModelVariable::CModelVariableFromText(kCircularValue));
    bool replaced = false;
    for (const std::vector<int32_t>& cycle : foundCycles_)
        for (int32_t id : cycle)
            if (auto* node = dynamic_cast<CFormulaCellNode*>(FindVariableNode(id))) {
                node->ReplaceFormula(CCompiledExpr::Compile(*error));
                replaced = true;
            }
    foundCycles_.clear();
    return replaced;
}
