#pragma once

#include "sheet/formula/FormulaNode.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

class CCellModel;
class CCellRef;
class CCellValueMap;
class CCompiledExpr;
class CVariableTable;

// What went wrong while compiling cells, in words for the user. None of it stops a
// publication, but each item means a movie variable that is never computed or a value that
// depends on itself.
struct CompileProblems {
    // A1 texts of formula cells the parser refused, each with the parser's reason.
    std::vector<std::pair<std::string, std::string>> unreadableFormulas;
    // Formulas that read each other in a circle, each circle as the A1 texts along it. Their
    // cells are given the error a spreadsheet not set to iterate shows (kCircularValue), and
    // the formulas that read them calculate from it.
    std::vector<std::vector<std::string>> cycles;

    bool empty() const { return unreadableFormulas.empty() && cycles.empty(); }
    void clear()
    {
        unreadableFormulas.clear();
        cycles.clear();
    }
};

// What a cell of a circular reference shows in a spreadsheet that is not set to iterate: an
// error ("Err:522"), which it saves as #VALUE!.
inline constexpr const char* kCircularValue = "#VALUE!";

// How a workbook set to iterate calculates its circles: the whole calculation is repeated,
// at most count times, until no cell of a circle changes by more than maxChange.
struct IterationSettings {
    bool enabled = false;
    int count = 100;
    double maxChange = 0.001;
};

// Which compiled cells the components bind: a bound constant is an input of the movie, a
// bound formula one whose value a component shows.
struct BoundCells {
    std::unordered_set<int32_t> constants;
    std::unordered_set<int32_t> formulas;
};

// The calculation network of a published movie: the compiled cells in four maps by cell id,
// the ranges that formulas read, and the order in which the movie recalculates.
//
// Compiling never recurses (a running total is a chain as long as the column) and takes
// time linear in the cells reached plus the references read: a range counts once however
// many formulas read it, because it is one shared node of the network.
class CModelNetwork {
public:
    using NodeMap = std::map<int32_t, std::unique_ptr<CFormulaNode>>;

    CModelNetwork() = default;
    CModelNetwork(CModelNetwork&&) = default;
    CModelNetwork& operator=(CModelNetwork&&) = default;

    // Compiles the cell with that variable id and everything its formula reads, unless it is
    // compiled already. Constants get a value record in values (an existing one is kept).
    void CompileCell(int32_t cellId, const CCellModel& cells, CVariableTable& table, const BoundCells& bound,
                     CCellValueMap& values);
    // Compiles every formula cell of the workbook, each bound as if a component showed it, and
    // what they read, so that linking orders them all. Each formula cell gets its variable.
    void CompileAllFormulas(const CCellModel& cells, CVariableTable& table, CCellValueMap& values);

    // Links precedents and dependents (a formula to the cells it names and to one shared node
    // per range it reads, the range node to its cells), orders the watched formulas and
    // what they need, and gives every bound constant its recalculation list. Any earlier
    // linking is dropped first, so linking twice gives the same network.
    void Link(const CVariableTable& table);

    // Searches bound constants, formulas and watched formulas; plain constants are never
    // returned, since nothing recalculates because of them.
    CFormulaNode* FindVariableNode(int32_t cellId) const;
    // Bound constants, then plain ones.
    CFormulaNode* FindConstantNode(int32_t cellId) const;

    void Clear();
    bool empty() const;
    std::size_t GetNodeCount() const;

    NodeMap& PlainConstants() { return plainConstants_; }
    NodeMap& BoundConstants() { return boundConstants_; }
    NodeMap& Formulas() { return formulas_; }
    NodeMap& WatchedFormulas() { return watchedFormulas_; }
    const NodeMap& PlainConstants() const { return plainConstants_; }
    const NodeMap& BoundConstants() const { return boundConstants_; }
    const NodeMap& Formulas() const { return formulas_; }
    const NodeMap& WatchedFormulas() const { return watchedFormulas_; }

    const std::vector<CFormulaNode*>& GetEvaluationOrder() const { return evaluationOrder_; }
    std::vector<CFormulaNode*>& EvaluationOrder() { return evaluationOrder_; }
    // Indexes of the variable table's ranges that compiled formulas read.
    const std::set<int>& GetReferencedRanges() const { return referencedRanges_; }
    const CompileProblems& GetProblems() const { return problems_; }

    // With iteration enabled, linking keeps the circles (still reported as problems) for the
    // movie to calculate repeatedly instead of giving their cells the circular value. Kept
    // by Clear; takes effect at the next Link.
    void SetIteration(const IterationSettings& settings) { iteration_ = settings; }
    const IterationSettings& GetIteration() const { return iteration_; }
    // The cells of the circles the movie iterates, by ascending cell id (none unless iterating).
    const std::vector<int32_t>& IteratedCells() const { return iteratedCells_; }
    // The formulas that read cells by place (OFFSET, INDIRECT, ...), by ascending cell id.
    std::vector<const CFormulaNode*> ByPlaceReaders() const;

private:
    void CompileFormula(const CCellRef& cell, const CCellModel& cells, CVariableTable& table,
                        const BoundCells& bound, std::vector<int32_t>& pending);
    void CompileConstant(const CCellRef& cell, const CCellModel& cells, const BoundCells& bound,
                         CCellValueMap& values);
    // What FindVariableNode finds, by cell id: linking looks up every cell a formula reads.
    using VariableIndex = std::vector<CFormulaNode*>;
    VariableIndex IndexVariables() const;
    CFormulaNode* FindIndexed(const VariableIndex& variables, int32_t cellId) const;
    CFormulaNode* RangeNode(int rangeIndex, const CVariableTable& table, const VariableIndex& variables);
    void LinkFormula(CFormulaCellNode& node, const CVariableTable& table, const VariableIndex& variables);
    // Walks from the nodes of first before the watched formulas.
    void Order(const CVariableTable& table, const std::vector<CFormulaNode*>& first = {});
    // Formulas that read cells by place come after every formula that does not depend on
    // them, through one shared node: which cells they read is known only when the movie runs.
    void OrderByPlaceReaders();
    // Gives every formula of a circle found by Order the circular value; false when none is.
    bool BreakCycles();

    NodeMap plainConstants_;
    NodeMap boundConstants_;
    NodeMap formulas_;
    NodeMap watchedFormulas_;
    std::vector<CFormulaNode*> evaluationOrder_;
    std::set<int> referencedRanges_;
    std::map<int, std::unique_ptr<CSharedRangeNode>> rangeNodes_;
    // The formulas reading cells by place, by cell id, and the node they are ordered after.
    std::unordered_set<int32_t> byPlaceReaders_;
    std::unique_ptr<CSharedRangeNode> anyCell_;
    CompileProblems problems_;
    // The circles found and broken since the network was cleared: linking again finds them no
    // more, and they must still be reported.
    std::vector<std::vector<std::string>> brokenCycles_;
    CycleList foundCycles_;
    IterationSettings iteration_;
    std::vector<int32_t> iteratedCells_;
    // Formula cells already reported as unreadable, so a cell read by many is reported once.
    std::unordered_set<int32_t> unreadable_;
    // Cells the compile has looked at, by id: a cell read by thousands of formulas is looked
    // up in the cell model once.
    std::vector<bool> visited_;
};

// Appends the cell ids and range indexes that a compiled expression reads, in the order the
// expression names them (a repeated reference is listed again). With byPlace given, the views
// of whole sheets through which OFFSET, INDIRECT and the like reach cells by their place go
// there instead of into ranges: the formula may read any of their cells, or none.
void CollectCompiledReferences(const CCompiledExpr& expression, std::vector<int32_t>& cells,
                               std::vector<int>& ranges, std::vector<int>* byPlace = nullptr);
