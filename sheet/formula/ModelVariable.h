#pragma once

#include "sheet/cells/CellRef.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CVariableTable;

// Kinds of expression node; the numbers are stored in documents and must not change.
enum class ModelKind : int {
    Function = 0, // function or operator name, arguments as children
    Range = 1,    // index of a range of the variable table
    Cell = 2,     // a cell of the variable table
    String = 3,
    Boolean = 4,
    Number = 5,
    Integer = 6, // a number that came as a whole number; emitted like Number
    Missing = 7, // an argument left out, as in IF(A1,,2)
    NoValue = 8, // undefined: a cell without value
};

// An expression node made by the formula parser, and the value of a constant cell.
// Trees can be thousands of levels deep (a running sum A1+A2+...), so copying, walking
// and destroying them never recurses.
class CModelVariable {
public:
    explicit CModelVariable(ModelKind kind) : kind_(kind) {}
    ~CModelVariable();
    CModelVariable(const CModelVariable&) = delete;
    CModelVariable& operator=(const CModelVariable&) = delete;

    static std::unique_ptr<CModelVariable> CModelVariableFromText(std::string text);
    static std::unique_ptr<CModelVariable> MakeNumber(double value);
    static std::unique_ptr<CModelVariable> MakeBoolean(bool value);
    static std::unique_ptr<CModelVariable> MakeFunction(std::string name);
    static std::unique_ptr<CModelVariable> MakeCell(const CCellRef& cell);
    // Whole rows or whole columns as written (1:1, A:A), whose range is cut to the sheet's used
    // part; None for a range as written.
    enum class Whole { None = 0, Rows = 1, Columns = 2 };
    static std::unique_ptr<CModelVariable> MakeRange(int rangeIndex, Whole whole = Whole::None);

    ModelKind GetKind() const { return kind_; }
    bool IsNumber() const { return kind_ == ModelKind::Number || kind_ == ModelKind::Integer; }
    // Function name or string value.
    const std::string& GetText() const { return text_ ? *text_ : NoText(); }
    double GetNumber() const { return number_; }
    bool GetBoolean() const { return number_ != 0; }
    const CCellRef& GetCell() const { return cell_ ? *cell_ : NoCell(); }
    int GetRangeIndex() const { return rangeIndex_; }
    // Whole rows or columns: the cells past the range, across them, are empty, not absent.
    Whole GetWhole() const { return kind_ == ModelKind::Range ? static_cast<Whole>(static_cast<int>(number_)) : Whole::None; }

    void AddChild(std::unique_ptr<CModelVariable> child) { children_.push_back(std::move(child)); }
    std::size_t GetChildCount() const { return children_.size(); }
    const CModelVariable& GetChild(std::size_t index) const { return *children_[index]; }
    // The children, taken out of the node: a call is rebuilt around its arguments.
    std::vector<std::unique_ptr<CModelVariable>> TakeChildren() { return std::move(children_); }

    std::unique_ptr<CModelVariable> Clone() const;

    // Appends every cell and range the tree refers to, children first, left to right. A
    // range's cells follow the range, so that everything the formula reads can be compiled.
    void CollectReferences(std::vector<CCellRef>& cells, std::vector<int>& ranges,
                           const CVariableTable& table) const;

private:
    static const std::string& NoText();
    static const CCellRef& NoCell();

    ModelKind kind_;
    int rangeIndex_ = -1;
    double number_ = 0;
    // Only texts and functions have a text, only cells a cell: a constant cell's number, of
    // which a large model holds hundreds of thousands, takes no room for either.
    std::unique_ptr<std::string> text_;
    std::unique_ptr<CCellRef> cell_;
    std::vector<std::unique_ptr<CModelVariable>> children_;
};
