#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CActionList;
namespace swf {
class ActionEmitter;
}
class CCellRef;
class CModelVariable;
class CVariableTable;

// A node of a compiled formula. It writes its own actions after those of its children; a
// call writes its children last first, so that the first argument ends on top of the stack.
class CExprNode {
public:
    virtual ~CExprNode();
    CExprNode(const CExprNode&) = delete;
    CExprNode& operator=(const CExprNode&) = delete;

    void AddChild(std::unique_ptr<CExprNode> child) { children_.push_back(std::move(child)); }
    std::size_t GetChildCount() const { return children_.size(); }
    const CExprNode& GetChild(std::size_t index) const { return *children_[index]; }

    // The actions of the whole subtree; never recurses, however deep the tree.
    void WriteActions(CActionList& actions) const;

protected:
    CExprNode() = default;
    // The node's own actions, written after its children's.
    virtual void WriteOwnActions(CActionList& actions) const = 0;

private:
    std::vector<std::unique_ptr<CExprNode>> children_;
};

// A function or operator call. The name is registered with the function library while the
// node lives, so the library writes exactly the functions that compiled formulas use.
class CStringNode : public CExprNode {
public:
    CStringNode();
    ~CStringNode() override;

    // Stores the name, asks the library for its token kind (0 counts as 20) and registers the
    // function the movie will call: the operator's library function for kinds 1..11, the
    // function itself otherwise.
    void SetText(const std::string& name);
    const std::string& GetText() const { return *name_; }
    int GetKind() const { return kind_; }
    // The name the movie calls ("kvAdd" for "+", "STDEV_S" for "STDEV.S").
    const std::string& GetCallName() const { return *callName_; }

protected:
    void WriteOwnActions(CActionList& actions) const override;

private:
    // Both names are kept once for the whole program (a large model has hundreds of thousands
    // of calls of a few dozen functions); empty until SetText.
    const std::string* name_;
    const std::string* callName_;
    int kind_ = 0;
};

// The name of a function handed to kvLift as its first argument, which calls the function
// element by element: registered with the library as a call of it would be.
class CFunctionNameNode : public CStringNode {
protected:
    void WriteOwnActions(CActionList& actions) const override;
};

// A constant.
class CValueNode : public CExprNode {
public:
    enum Type : int { Number = 0, Text = 1, Integer = 2, Boolean = 3, NoValue = 4 };

    static std::unique_ptr<CValueNode> MakeNumber(double value);
    static std::unique_ptr<CValueNode> MakeText(std::string text);
    static std::unique_ptr<CValueNode> MakeInteger(int32_t value);
    static std::unique_ptr<CValueNode> MakeBoolean(bool value);
    static std::unique_ptr<CValueNode> MakeNoValue();

    Type GetType() const { return type_; }
    double GetNumber() const { return number_; }
    const std::string& GetText() const;
    // The push of the value, through an emitter (which may write bytes straight away).
    void WriteValue(swf::ActionEmitter& emit) const;

protected:
    void WriteOwnActions(CActionList& actions) const override;

private:
    explicit CValueNode(Type type) : type_(type) {}
    Type type_;
    double number_ = 0;
    // Only a text value has one: a model's many numbers take no room for it.
    std::unique_ptr<std::string> text_;
};

// The value of a cell: its movie variable "V" + id.
class CCellNode : public CExprNode {
public:
    explicit CCellNode(int32_t cellId) : cellId_(cellId) {}
    int32_t GetCellId() const { return cellId_; }

protected:
    void WriteOwnActions(CActionList& actions) const override;

private:
    int32_t cellId_;
};

// A range: the movie array "A" + index of the variable table's range list (rows of the
// cells' variable names).
class CRangeNode : public CExprNode {
public:
    explicit CRangeNode(int rangeIndex) : rangeIndex_(rangeIndex) {}
    int GetRangeIndex() const { return rangeIndex_; }

protected:
    void WriteOwnActions(CActionList& actions) const override;

private:
    int rangeIndex_;
};

// Where a formula is compiled. A published movie knows no cell addresses, so ROW and COLUMN
// of a reference (and ROW() and COLUMN() of the formula's own cell, when given) become the
// numbers they stand for at compile time; without the place they stay calls.
// A range where one value is taken becomes the range's cell in the formula's own row or column
// (or #VALUE!) when the place is known. The cells of an array formula are compiled with array
// set and their offsets in the formula's area: arguments are evaluated as arrays, and each cell
// takes its element of the result.
struct CompilePlace {
    const CVariableTable* table = nullptr; // for the addresses of ranges
    const CCellRef* cell = nullptr;        // the formula's own cell
    bool array = false;
    int arrayRow = 0;
    int arrayColumn = 0;
    // The variable id of the area's top-left cell, when known: that cell keeps the whole array
    // for the pass and the others read their elements from it, so an area of n cells costs one
    // array, not n.
    int32_t arrayAnchor = -1;
    // The formula is a cell's, whose value is shown: an empty cell handed on shows as 0.
    bool shown = false;
};

// A formula (or a constant) compiled into expression nodes.
class CCompiledExpr {
public:
    explicit CCompiledExpr(std::unique_ptr<CExprNode> root) : root_(std::move(root)) {}

    // Function names go through CStringNode, ranges keep their table index, cells their id.
    // None for a tree holding a node of unknown kind.
    static std::unique_ptr<CCompiledExpr> Compile(const CModelVariable& tree, const CompilePlace& place = {});

    bool HasRoot() const { return root_ != nullptr; }
    const CExprNode& GetRoot() const { return *root_; }
    void WriteActions(CActionList& actions) const { root_->WriteActions(actions); }

private:
    std::unique_ptr<CExprNode> root_;
};
