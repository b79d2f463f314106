#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/formula/CallingConvention.h"
#include "sheet/formula/ExprNodes.h"
#include "sheet/formula/FormulaNode.h"
#include "sheet/formula/FormulaParser.h"
#include "sheet/formula/FunctionLibraryHook.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/VariableTable.h"

#include "SheetTestSupport.h"
#include "tests/support/ActionText.h"
#include "swf/ActionEmitter.h"
#include "swf/Actions.h"
#include "swf/SwfWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

// A library holding SUM, STDEV_S and the operator functions, that keeps count of uses.
class CountingLibrary : public IFunctionLibrary {
public:
    CountingLibrary() { SetFunctionLibraryHook(this); }
    ~CountingLibrary() override { SetFunctionLibraryHook(nullptr); }
    int GetSymbolKind(std::string_view name) override
    {
        static const std::map<std::string, int, std::less<>> kinds = {
            {"+", 1},  {"-", 2},  {"*", 3},   {"/", 4},  {">", 5},    {"<", 6},       {"=", 7},
            {"<=", 8}, {">=", 9}, {"<>", 10}, {"&", 11}, {"SUM", 20}, {"STDEV_S", 20}};
        auto it = kinds.find(name);
        return it == kinds.end() ? 0 : it->second;
    }
    void UseFunction(std::string_view name) override { ++uses[std::string(name)]; }
    void ReleaseFunction(std::string_view name) override { --uses[std::string(name)]; }
    std::map<std::string, int> uses;
};

class CompiledFormulaTest : public ::testing::Test {
protected:
    CompiledFormulaTest()
    {
        context.sheet = "S";
        context.table = &table;
    }

    std::string Emit(const std::string& formula, const CompilePlace& place = {})
    {
        auto tree = CFormulaParser::Parse(formula, context);
        if (!tree)
            return "unparsed";
        auto compiled = CCompiledExpr::Compile(*tree, place);
        CActionList actions;
        compiled->WriteActions(actions);
        return testsupport::ActionText(actions);
    }

    CountingLibrary library;
    CVariableTable table;
    FormulaContext context;
};

TEST_F(CompiledFormulaTest, EmitsCallsWithTheFirstArgumentOnTop)
{
    struct Case {
        const char* formula;
        const char* actions;
    };
    const Case cases[] = {
        {"A1", "push 'V0'; getvar"},
        {"1.5", "push d1.5"},
        {"-0", "push 0; push 0; push 2; push 'kvLib'; getvar; push 'kvSub'; callmethod"},
        {"\"x\"", "push 'x'"},
        {"TRUE", "push true"},
        {"A1+B1", "push 'V1'; getvar; push 'V0'; getvar; push 2; push 'kvLib'; getvar; push 'kvAdd'; callmethod"},
        {"\"a\"&\"b\"", "push 'b'; push 'a'; push 2; push 'kvLib'; getvar; push 'kvConcat'; callmethod"},
        {"A1<>1", "push 1; push 'V0'; getvar; push 2; push 'kvLib'; getvar; push 'kvNE'; callmethod"},
        {"SUM(A1:B2)", "push 'A0'; getvar; push 1; push 'kvLib'; getvar; push 'SUM'; callmethod"},
        {"IF(1,,2)", "push 2; push undef; push 1; push 3; push 'kvLib'; getvar; push 'IF'; callmethod"},
        {"PI()", "push 0; push 'kvLib'; getvar; push 'PI'; callmethod"},
        {"_xlfn.STDEV.S(1)", "push 1; push 1; push 'kvLib'; getvar; push 'STDEV_S'; callmethod"},
        {"#N/A", "push '#N/A'; push 1; push 'kvLib'; getvar; push 'kvError'; callmethod"},
        {"3000000000", "push d3e+09"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Emit(c.formula), c.actions) << c.formula;
}

// The movie knows no addresses: ROW and COLUMN become numbers, and the cells they name are
// not read (nor is the library asked for ROW).
TEST_F(CompiledFormulaTest, RowAndColumnOfAPlaceAreNumbers)
{
    CCellRef self("S", 7, 3);
    const CompilePlace place{&table, &self};
    EXPECT_EQ(Emit("ROW(B5)", place), "push 5");
    EXPECT_EQ(Emit("column(D2:F9)", place), "push 4");
    EXPECT_EQ(Emit("ROW()+COLUMN()", place), "push 3; push 7; push 2; push 'kvLib'; getvar; push 'kvAdd'; callmethod");
    EXPECT_EQ(library.uses.count("ROW"), 0u);
    // Without the place ROW() stays a call, which a library without ROW lists as missing.
    EXPECT_EQ(Emit("ROW()"), "push 0; push 'kvLib'; getvar; push 'ROW'; callmethod");
    EXPECT_TRUE(Emit("ROW(B5,C6)", place).ends_with("push 2; push 'kvLib'; getvar; push 'ROW'; callmethod"));
}

// A cell's formula that may hand on an empty cell shows 0 there: a reference alone and the
// choices are taken through kvShown; formulas that compute something, and array formulas, not.
TEST_F(CompiledFormulaTest, ACellsFormulaThatMayHandOnAnEmptyCellIsShown)
{
    CCellRef self("S", 7, 3);
    CompilePlace place{&table, &self};
    place.shown = true;
    const std::string shown = "push 1; push 'kvLib'; getvar; push 'kvShown'; callmethod";
    for (const char* formula : {"A1", "B1:B9", "IF(1,A1)", "CHOOSE(1,A1)", "IFERROR(A1,0)", "SWITCH(A1,1,A2)"})
        EXPECT_TRUE(Emit(formula, place).ends_with(shown)) << formula;
    for (const char* formula : {"A1+0", "SUM(A1)", "\"x\"", "5", "IF(A1=1,SUM(A1),0)"})
        EXPECT_FALSE(Emit(formula, place).ends_with(shown)) << formula;
    // Not where the value is no cell's own, nor in an array formula, which keeps its array.
    EXPECT_FALSE(Emit("A1").ends_with(shown));
    place.array = true;
    EXPECT_FALSE(Emit("A1:A3", place).ends_with(shown));
}

// An array formula of a whole row (column) over more cells than the sheet uses gives 0 past
// the used part, as empty cells do; inside it, and across a whole row's rows, its elements.
TEST_F(CompiledFormulaTest, AWholeRowArrayFormulaIsZeroPastTheUsedPart)
{
    CCellModel model;
    model.AddSheet("S");
    model.SetCell("S", 1, 3, CCellData{"5", "number", "", false}); // the used part: A1:C1
    context.model = &model;
    CCellRef self("S", 2, 1);
    CompilePlace place{&table, &self};
    place.array = true;
    place.arrayAnchor = table.AddCell("S", 2, 1);
    auto at = [&](const char* formula, int row, int column) {
        place.arrayRow = row;
        place.arrayColumn = column;
        return Emit(formula, place);
    };
    EXPECT_EQ(at("1:1", 0, 5), "push 0");
    EXPECT_EQ(at("A:A", 4, 0), "push 0");
    EXPECT_NE(at("1:1", 0, 2), "push 0");
    EXPECT_NE(at("1:1", 3, 1), "push 0"); // a row stretches down the area
    EXPECT_NE(at("A1:C1", 0, 5), "push 0"); // a range as written ends where it says: #N/A there
}

// A range where one value is taken is cut to its cell in the formula's own row (a column) or
// column (a row), else #VALUE!, so a cell never shows the range's variable names; where a
// function takes a range it stays whole, and IF's branches are taken as IF itself is.
TEST_F(CompiledFormulaTest, RangesWhereOneValueIsTakenAreCutToOneCell)
{
    CCellRef self("S", 7, 3);
    const CompilePlace place{&table, &self};
    auto cell = [&](int row, int column) { return "push 'V" + std::to_string(table.AddCell("S", row, column)) + "'; getvar"; };
    const std::string valueError = "push '#VALUE!'; push 1; push 'kvLib'; getvar; push 'kvError'; callmethod";
    Emit("B1:B9", place); // numbers the range's cells
    Emit("A7:F7", place);
    const std::string b7 = cell(7, 2);
    const std::string c7 = cell(7, 3);
    struct Case {
        const char* formula;
        std::string actions;
    };
    const Case cases[] = {
        {"B1:B9", b7},
        {"A7:F7", c7},
        {"B1:B5", valueError},
        {"B1:C9", valueError},
        {"B1:B9*2", "push 2; " + b7 + "; push 2; push 'kvLib'; getvar; push 'kvMul'; callmethod"},
        {"IF(1,B1:B9)", b7 + "; push 1; push 2; push 'kvLib'; getvar; push 'IF'; callmethod"},
        {"SUM(B1:B9*2)", "push 2; " + b7 + "; push 2; push 'kvLib'; getvar; push 'kvMul'; callmethod; push 1; push 'kvLib'; getvar; push 'SUM'; callmethod"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Emit(c.formula, place), c.actions) << c.formula;
    // Whole where a function takes a range, also through IF.
    EXPECT_NE(Emit("SUM(B1:B9)", place).find("push 'A"), std::string::npos);
    EXPECT_NE(Emit("SUM(IF(1,B1:B9))", place).find("push 'A"), std::string::npos);
    // A call that may give a range is taken through kvOne.
    EXPECT_TRUE(Emit("INDEX(B1:C9,0,1)", place).ends_with("push 1; push 'kvLib'; getvar; push 'kvOne'; callmethod"));
    // Not where MATCH gives the row: a position is never the 0 of a whole column.
    EXPECT_TRUE(Emit("INDEX(B1:B9,MATCH(C1,A1:A9,0))", place).ends_with("push 'INDEX'; callmethod"));
    EXPECT_TRUE(Emit("INDEX(B1:B9,MATCH(C1,A1:A9,0),0)", place).ends_with("push 'kvOne'; callmethod"));
    // Without the place nothing is cut.
    EXPECT_NE(Emit("B1:B9").find("push 'A"), std::string::npos);
}

// Where an array is taken, calls over arrays go through kvLift with the bits of the arguments
// that may be arrays; everywhere else, and over single values, calls stay plain.
TEST_F(CompiledFormulaTest, CallsOverArraysWhereArraysAreTakenGoThroughKvLift)
{
    CCellRef self("S", 20, 1);
    const CompilePlace place{&table, &self};
    auto lifts = [](const std::string& actions) {
        std::size_t n = 0;
        for (std::size_t at = actions.find("'kvLift'"); at != std::string::npos; at = actions.find("'kvLift'", at + 1))
            ++n;
        return n;
    };
    struct Case {
        const char* formula;
        std::size_t lifts;
    };
    const Case cases[] = {
        {"SUMPRODUCT((B1:B9=1)*C1:C9)", 2}, // = and *
        {"SUMPRODUCT(B1:B9*C1:C9)", 1},
        {"SUMPRODUCT(A1*2,B1:B9)", 0},      // nothing there may be an array
        {"SUM((B1:B9=1)*C1:C9)", 0},        // SUM takes ranges, but as one value each
        {"MATCH(1,(B1:B9=1)*(C1:C9>2),0)", 3},
        {"SUMPRODUCT(ABS(B1:B9))", 1},
        {"SUMPRODUCT(ROW(B1:B9)*1)", 1},    // ROW of a range is an array there
        {"SUMPRODUCT(SUM(B1:B9)*2)", 0},    // SUM gives one value
        {"SUM(SUMIF(B1:B9,{1,2}))", 1},     // a typed array as a criterion gives an array
        {"SUM(SUMIF(B1:B9,A1))", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lifts(Emit(c.formula, place)), c.lifts) << c.formula;
    EXPECT_NE(Emit("SUMPRODUCT(ABS(B1:B9))", place).find("push 1; push 'ABS'; push 3; push 'kvLib'; getvar; push 'kvLift'"),
              std::string::npos);
    {
        // The movie carries the function that kvLift calls.
        auto tree = CFormulaParser::Parse("SUMPRODUCT(ABS(B1:B9))", context);
        auto compiled = CCompiledExpr::Compile(*tree, place);
        EXPECT_EQ(library.uses["ABS"], 1);
        EXPECT_EQ(library.uses["kvLift"], 1);
    }

    // An array formula takes its arguments as arrays, and each cell its element.
    CompilePlace second = place;
    second.array = true;
    second.arrayRow = 1;
    std::string element = Emit("B1:B9*2", second);
    EXPECT_EQ(lifts(element), 1u);
    EXPECT_TRUE(element.starts_with("push 0; push 1; ")) << element;
    EXPECT_TRUE(element.ends_with("push 3; push 'kvLib'; getvar; push 'kvElem'; callmethod")) << element;
    EXPECT_EQ(lifts(Emit("B1:B9*2", place)), 0u);

    // With the top-left cell known, it keeps the array and the others read their elements of it
    // without computing the formula again.
    second.arrayAnchor = 5;
    EXPECT_EQ(Emit("B1:B9*2", second),
              "push 0; push 1; push 5; push 'V5'; getvar; push 4; push 'kvLib'; getvar; push 'kvElemOf'; callmethod");
    second.arrayRow = 0;
    std::string keep = Emit("B1:B9*2", second);
    EXPECT_EQ(lifts(keep), 1u);
    EXPECT_TRUE(keep.starts_with("push 5; ")) << keep;
    EXPECT_TRUE(keep.ends_with("push 2; push 'kvLib'; getvar; push 'kvElemKeep'; callmethod")) << keep;
}

TEST_F(CompiledFormulaTest, RegistersTheFunctionsItCalls)
{
    {
        auto tree = CFormulaParser::Parse("SUM(A1,2)+SUM(3)+FOO(1)", context);
        auto compiled = CCompiledExpr::Compile(*tree);
        EXPECT_EQ(library.uses["SUM"], 2);
        EXPECT_EQ(library.uses["kvAdd"], 2);
        EXPECT_EQ(library.uses["FOO"], 1); // unknown: counted, so it is listed as unsupported
        EXPECT_EQ(library.uses.count("+"), 0u);
        auto node = static_cast<const CStringNode*>(&compiled->GetRoot());
        EXPECT_EQ(node->GetKind(), 1);
        EXPECT_EQ(static_cast<const CStringNode&>(node->GetChild(1)).GetKind(), 20);
    }
    for (const auto& [name, count] : library.uses)
        EXPECT_EQ(count, 0) << name;
}

// A library whose table lacks the operator symbols.
class FunctionsOnlyLibrary : public IFunctionLibrary {
public:
    explicit FunctionsOnlyLibrary(std::set<std::string, std::less<>> names = {"SUM"}) : names_(std::move(names))
    {
        SetFunctionLibraryHook(this);
    }
    ~FunctionsOnlyLibrary() override { SetFunctionLibraryHook(nullptr); }
    int GetSymbolKind(std::string_view name) override { return names_.count(name) ? 20 : 0; }
    void UseFunction(std::string_view name) override { used.emplace_back(name); }
    void ReleaseFunction(std::string_view) override {}
    std::vector<std::string> used;

private:
    std::set<std::string, std::less<>> names_;
};

TEST(CompiledFormulaLibraryTest, OperatorsNeverBecomeCallsOfTheirSymbol)
{
    FunctionsOnlyLibrary library;
    CVariableTable table;
    FormulaContext context;
    context.sheet = "S";
    context.table = &table;
    auto tree = CFormulaParser::Parse("SUM(A1)>=-B1&\"x\"", context);
    ASSERT_NE(tree, nullptr);
    auto compiled = CCompiledExpr::Compile(*tree);
    CActionList actions;
    compiled->WriteActions(actions);
    EXPECT_EQ(
        testsupport::ActionText(actions),
        "push 'x'; push 'V1'; getvar; push 0; push 2; push 'kvLib'; getvar; push 'kvSub'; callmethod; push 2; push 'kvLib'; getvar; push 'kvConcat'; callmethod; "
        "push 'V0'; getvar; push 1; push 'kvLib'; getvar; push 'SUM'; callmethod; push 2; push 'kvLib'; getvar; push 'kvGE'; callmethod");
    EXPECT_EQ(static_cast<const CStringNode&>(compiled->GetRoot()).GetKind(), 9);
    // The library still hears of every function the movie calls, so it can list the ones it lacks.
    EXPECT_EQ(library.used, (std::vector<std::string>{"kvGE", "SUM", "kvConcat", "kvSub"}));
}

TEST_F(CompiledFormulaTest, FormulaNodeAssignsItsVariable)
{
    auto tree = CFormulaParser::Parse("B1*2", context);
    CFormulaCellNode node(7, CCompiledExpr::Compile(*tree));
    CActionList actions;
    node.WriteVariableAction(actions);
    EXPECT_EQ(testsupport::ActionText(actions),
              "push 'V7'; push 2; push 'V0'; getvar; push 2; push 'kvLib'; getvar; push 'kvMul'; callmethod; setvar");

    CConstantCellNode empty(3, nullptr);
    CActionList none;
    empty.WriteVariableAction(none);
    EXPECT_EQ(testsupport::ActionText(none), "push 'V3'; push undef; setvar");
    EXPECT_EQ(empty.GetValueType(), CValueNode::NoValue);
    CConstantCellNode text(4, std::make_unique<CCompiledExpr>(CValueNode::MakeText("t")));
    EXPECT_EQ(text.GetValueType(), CValueNode::Text);
}

// Nodes by id, linked as a formula's references would link them.
class Network {
public:
    CFormulaNode* Formula(int32_t id)
    {
        nodes_[id] = std::make_unique<CFormulaCellNode>(id, nullptr);
        return nodes_[id].get();
    }
    CFormulaNode* Constant(int32_t id)
    {
        nodes_[id] = std::make_unique<CConstantCellNode>(id, nullptr);
        return nodes_[id].get();
    }
    void Link(int32_t from, int32_t reader)
    {
        nodes_[reader]->AddPrecedent(nodes_[from].get());
        nodes_[from]->AddDependent(nodes_[reader].get());
    }
    CFormulaNode* operator[](int32_t id) { return nodes_[id].get(); }

private:
    std::map<int32_t, std::unique_ptr<CFormulaNode>> nodes_;
};

std::vector<int32_t> Ids(const std::vector<CFormulaNode*>& nodes)
{
    std::vector<int32_t> ids;
    for (const CFormulaNode* node : nodes)
        ids.push_back(node->GetCellId());
    return ids;
}

TEST(NetworkTest, OrdersPrecedentsFirstEachOnce)
{
    // 1 is an input; 2 = f(1); 3 = f(1); 4 = f(2, 3); 5 = f(4, 2)
    Network net;
    net.Constant(1);
    for (int id = 2; id <= 5; ++id)
        net.Formula(id);
    net.Link(1, 2);
    net.Link(1, 3);
    net.Link(2, 4);
    net.Link(3, 4);
    net.Link(4, 5);
    net.Link(2, 5);
    std::vector<CFormulaNode*> order;
    NodeVisitSet visited;
    CycleList cycles;
    net[5]->AppendInOrder(order, visited, &cycles);
    net[4]->AppendInOrder(order, visited, &cycles); // shared visits: nothing twice
    EXPECT_EQ(Ids(order), (std::vector<int32_t>{2, 3, 4, 5}));
    EXPECT_TRUE(cycles.empty());
    EXPECT_TRUE(net[2]->HasDependents());
    EXPECT_FALSE(net[5]->HasDependents());

    NodeVisitSet fresh;
    static_cast<CConstantCellNode*>(net[1])->BuildRecalcList(fresh);
    auto recalc = Ids(static_cast<CConstantCellNode*>(net[1])->GetRecalcList());
    ASSERT_EQ(recalc.size(), 4u);
    auto at = [&recalc](int32_t id) { return std::find(recalc.begin(), recalc.end(), id) - recalc.begin(); };
    EXPECT_LT(at(2), at(4));
    EXPECT_LT(at(3), at(4));
    EXPECT_LT(at(4), at(5));
    EXPECT_LT(at(2), at(5));
}

} // namespace

TEST(NetworkTest, NodesSharingOrLackingDenseIdsStayApart)
{
    // Ids that do not index a table (shared, negative, huge) must still be told apart, and a
    // circle through them must still show: e reads a, a reads b, b -> c -> d -> b.
    CFormulaCellNode a(7, nullptr), b(7, nullptr), c(-1, nullptr), d(2000000000, nullptr), e(3, nullptr);
    auto link = [](CFormulaNode& from, CFormulaNode& reader) {
        reader.AddPrecedent(&from);
        from.AddDependent(&reader);
    };
    link(a, e);
    link(b, a);
    link(c, b);
    link(d, c);
    link(b, d);
    std::vector<CFormulaNode*> order;
    NodeVisitSet visited;
    CycleList cycles;
    e.AppendInOrder(order, visited, &cycles);
    a.AppendInOrder(order, visited, &cycles);
    EXPECT_EQ(order, (std::vector<CFormulaNode*>{&d, &c, &b, &a, &e}));
    ASSERT_EQ(cycles.size(), 1u);
    EXPECT_EQ(cycles[0], (std::vector<int32_t>{7, -1, 2000000000}));
    EXPECT_EQ(visited.size(), 5u);
    CFormulaCellNode stranger(7, nullptr);
    EXPECT_FALSE(visited.Contains(&stranger));
    EXPECT_TRUE(visited.Contains(&b));
}

// A constant cell's assignment written straight as bytes is the one its action list writes, for
// every kind of value; a formula is left to the list.
TEST(ConstantValueBytes, AreTheBytesOfTheActionList)
{
    std::vector<std::unique_ptr<CExprNode>> values;
    values.push_back(CValueNode::MakeNumber(42));
    values.push_back(CValueNode::MakeNumber(-0.0));
    values.push_back(CValueNode::MakeNumber(0.1));
    values.push_back(CValueNode::MakeNumber(4e9));
    values.push_back(CValueNode::MakeInteger(-7));
    values.push_back(CValueNode::MakeText("x y"));
    values.push_back(CValueNode::MakeBoolean(true));
    values.push_back(CValueNode::MakeNoValue());
    values.push_back(nullptr);
    for (std::size_t i = 0; i < values.size(); ++i) {
        CConstantCellNode node(static_cast<int32_t>(i),
                               values[i] ? std::make_unique<CCompiledExpr>(std::move(values[i])) : nullptr);
        CActionList list;
        node.WriteVariableAction(list);
        swf::Writer bytes;
        swf::ActionEmitter emit(bytes);
        ASSERT_TRUE(node.WriteValueAction(emit)) << i;
        EXPECT_EQ(bytes.Take(), list.ToBytes(false)) << i;
    }
    auto sum = std::make_unique<CCellNode>(1);
    CFormulaCellNode formula(9, std::make_unique<CCompiledExpr>(std::move(sum)));
    swf::Writer bytes;
    swf::ActionEmitter emit(bytes);
    EXPECT_FALSE(formula.WriteValueAction(emit));
    EXPECT_EQ(bytes.Size(), 0u);
}

// What the spreadsheet decides from the formula alone: ROWS and COLUMNS of one cell are 1
// whatever it holds, text typed into a total counts as its number or gives #VALUE!, and a
// cell holding SUBTOTAL is marked so that the totals over it leave it out.
TEST_F(CompiledFormulaTest, DecidesWhatTheFormulaAloneTells)
{
    CCellRef self("S", 7, 3);
    self.id = table.AddCell("S", 7, 3);
    CompilePlace place{&table, &self};
    EXPECT_EQ(Emit("COLUMNS(A1)+ROWS(B2)", place), "push 1; push 1; push 2; push 'kvLib'; getvar; push 'kvAdd'; callmethod");
    EXPECT_EQ(Emit("SUM(\"x\",A1)", place),
              "push 'V1'; getvar; push 'x'; push 0; push 2; push 'kvLib'; getvar; push 'kvAdd'; callmethod; "
              "push 2; push 'kvLib'; getvar; push 'SUM'; callmethod");
    // text elsewhere stays text
    EXPECT_EQ(Emit("LEN(\"x\")", place), "push 'x'; push 1; push 'kvLib'; getvar; push 'LEN'; callmethod");
    // the cell's name goes first, the call of the mark last
    const std::string name = "push '" + CellVariableName(self.id) + "'; ";
    const std::string mark = "push 2; push 'kvLib'; getvar; push 'kvSubCell'; callmethod";
    const std::string total = Emit("SUBTOTAL(9,A1:A2)*2", place);
    EXPECT_TRUE(total.starts_with(name) && total.ends_with(mark)) << total;
    EXPECT_FALSE(Emit("SUM(A1:A2)", place).ends_with(mark));
}

// A function the library lacks gives #NAME? where the library has the error value, and stays
// listed.
TEST(CompiledFormulaLibraryTest, AFunctionTheLibraryLacksGivesNameError)
{
    FunctionsOnlyLibrary library({"SUM", "kvError"});
    CVariableTable table;
    FormulaContext context;
    context.sheet = "S";
    context.table = &table;
    auto tree = CFormulaParser::Parse("SUM(NOSUCH(A1),1)", context);
    ASSERT_TRUE(tree);
    auto compiled = CCompiledExpr::Compile(*tree);
    CActionList actions;
    compiled->WriteActions(actions);
    EXPECT_EQ(testsupport::ActionText(actions),
              "push 1; push '#NAME?'; push 1; push 'kvLib'; getvar; push 'kvError'; callmethod; "
              "push 2; push 'kvLib'; getvar; push 'SUM'; callmethod");
    EXPECT_EQ(std::count(library.used.begin(), library.used.end(), "NOSUCH"), 1);
}
