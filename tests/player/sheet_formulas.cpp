// Writes sheet_formulas.swf: a small workbook compiled the way published movies compute it,
// with a hand-written function library that follows our formula calling convention. The
// movie reports each formula's value through fscommand("<cell>", value), then "done".

#include "publish/ModelNetwork.h"
#include "sheet/formula/CallingConvention.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/formula/ExprNodes.h"
#include "sheet/formula/FormulaNode.h"
#include "sheet/formula/FormulaParser.h"
#include "sheet/formula/FunctionLibraryHook.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/VariableTable.h"
#include "swf/Actions.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfTags.h"
#include "swf/SwfWriter.h"
#include "tests/player/FormulaMovie.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PlayerReport.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using swf::ActionCode;

// Straight-line actions with labels and forward or backward branches, resolved to byte
// offsets when the body is finished.
class Assembler {
public:
    Assembler& Push(const std::string& text) { return Add(std::make_unique<CActionPush>(text)); }
    Assembler& Push(int32_t value) { return Add(CActionPush::CActionPushInt(value)); }
    Assembler& Op(uint8_t code) { return Add(std::make_unique<CActionCode>(code)); }
    Assembler& Op(ActionCode code) { return Op(static_cast<uint8_t>(code)); }
    Assembler& Call(const std::string& name, int32_t arguments)
    {
        Push(arguments).Push(name);
        return Op(ActionCode::CallFunction);
    }
    // Local variable name = arguments[index].
    Assembler& Argument(const std::string& name, int32_t index)
    {
        Push(name).Push("arguments").Op(ActionCode::GetVariable).Push(index).Op(ActionCode::GetMember);
        return Op(kDefineLocal);
    }
    Assembler& Label(const std::string& name)
    {
        items_.push_back({nullptr, name, false, 0});
        return *this;
    }
    Assembler& If(const std::string& label) { return Branch(ActionCode::If, label); }
    Assembler& Jump(const std::string& label) { return Branch(ActionCode::Jump, label); }

    void Into(CActionList& list)
    {
        std::map<std::string, size_t> labels;
        std::vector<size_t> ends;
        size_t offset = 0;
        for (Item& item : items_) {
            if (!item.action && !item.branch)
                labels[item.label] = offset;
            else
                offset += item.branch ? 5 : SizeOf(*item.action);
            ends.push_back(offset);
        }
        for (size_t i = 0; i < items_.size(); ++i) {
            Item& item = items_[i];
            if (item.branch) {
                auto distance = static_cast<int16_t>(static_cast<long>(labels.at(item.label)) -
                                                     static_cast<long>(ends[i]));
                auto bits = static_cast<uint16_t>(distance);
                list.Add(std::make_unique<CActionRaw>(item.code,
                                                      std::vector<uint8_t>{static_cast<uint8_t>(bits & 0xFF),
                                                                           static_cast<uint8_t>(bits >> 8)}));
            } else if (item.action) {
                list.Add(std::move(item.action));
            }
        }
        items_.clear();
    }

    static constexpr uint8_t kDefineLocal = 0x3C;
    static constexpr uint8_t kTypeOf = 0x44;
    static constexpr uint8_t kIncrement = 0x50;

private:
    struct Item {
        std::unique_ptr<CAction> action;
        std::string label;
        bool branch;
        uint8_t code;
    };
    Assembler& Add(std::unique_ptr<CAction> action)
    {
        items_.push_back({std::move(action), {}, false, 0});
        return *this;
    }
    Assembler& Branch(ActionCode code, const std::string& label)
    {
        items_.push_back({nullptr, label, true, static_cast<uint8_t>(code)});
        return *this;
    }
    static size_t SizeOf(const CAction& action)
    {
        swf::Writer out;
        action.Write(out);
        return out.Size();
    }
    std::vector<Item> items_;
};

// A helper of the library: a named function on the timeline, reached by its bare name.
void Function(CActionList& into, const std::string& name, Assembler& body)
{
    auto function = std::make_unique<CActionDefineFunction>(name);
    body.Into(function->GetBody());
    into.Add(std::move(function));
}

// A function that formulas call: a method of the library object, kvLib.name = function ...
void Method(CActionList& into, const std::string& name, Assembler& body)
{
    into.Add(std::make_unique<CActionPush>(std::string(callconv::kLibraryObject)));
    into.Add(std::make_unique<CActionCode>(ActionCode::GetVariable));
    into.Add(std::make_unique<CActionPush>(name));
    auto function = std::make_unique<CActionDefineFunction>("");
    body.Into(function->GetBody());
    into.Add(std::move(function));
    into.Add(std::make_unique<CActionCode>(ActionCode::SetMember));
}

// The library functions of the convention that this movie needs, written by hand.
void WriteLibrary(CActionList& actions)
{
    using A = Assembler;
    // _global.kvLib = new Object()
    A lib;
    lib.Push("_global").Op(ActionCode::GetVariable).Push(std::string(callconv::kLibraryObject));
    lib.Push(0).Push("Object").Op(ActionCode::NewObject).Op(ActionCode::SetMember);
    lib.Into(actions);
    {
        // kvNum(v): a spreadsheet number; text is read as decimal ("010" is 10, not octal 8).
        A a;
        a.Argument("v", 0);
        a.Push("v")
            .Op(ActionCode::GetVariable)
            .Op(A::kTypeOf)
            .Push("string")
            .Op(ActionCode::Equals2)
            .If("text");
        a.Push("v").Op(ActionCode::GetVariable).Op(ActionCode::ToNumber).Op(ActionCode::Return);
        a.Label("text").Push("v").Op(ActionCode::GetVariable).Call("parseFloat", 1).Op(ActionCode::Return);
        Function(actions, "kvNum", a);
    }
    {
        A a; // kvAdd(x, y) = kvNum(x) + kvNum(y)
        a.Push("arguments").Op(ActionCode::GetVariable).Push(1).Op(ActionCode::GetMember).Call("kvNum", 1);
        a.Push("arguments").Op(ActionCode::GetVariable).Push(0).Op(ActionCode::GetMember).Call("kvNum", 1);
        a.Op(ActionCode::Add2).Op(ActionCode::Return);
        Method(actions, "kvAdd", a);
    }
    {
        A a; // kvSub(x, y) = kvNum(x) - kvNum(y)
        a.Push("arguments").Op(ActionCode::GetVariable).Push(0).Op(ActionCode::GetMember).Call("kvNum", 1);
        a.Push("arguments").Op(ActionCode::GetVariable).Push(1).Op(ActionCode::GetMember).Call("kvNum", 1);
        a.Op(ActionCode::Subtract).Op(ActionCode::Return);
        Method(actions, "kvSub", a);
    }
    {
        A a; // kvConcat(x, y) = String(x) + String(y)
        a.Push("arguments")
            .Op(ActionCode::GetVariable)
            .Push(0)
            .Op(ActionCode::GetMember)
            .Op(ActionCode::ToString);
        a.Push("arguments")
            .Op(ActionCode::GetVariable)
            .Push(1)
            .Op(ActionCode::GetMember)
            .Op(ActionCode::ToString);
        a.Op(ActionCode::Add2).Op(ActionCode::Return);
        Method(actions, "kvConcat", a);
    }
    {
        A a; // kvEQ(x, y): text compares without regard to case
        a.Argument("x", 0).Argument("y", 1);
        a.Push("x")
            .Op(ActionCode::GetVariable)
            .Op(A::kTypeOf)
            .Push("string")
            .Op(ActionCode::Equals2)
            .If("text");
        a.Push("x").Op(ActionCode::GetVariable).Push("y").Op(ActionCode::GetVariable).Op(ActionCode::Equals2);
        a.Op(ActionCode::Return);
        a.Label("text")
            .Push(0)
            .Push("x")
            .Op(ActionCode::GetVariable)
            .Push("toUpperCase")
            .Op(ActionCode::CallMethod);
        a.Push(0).Push("y").Op(ActionCode::GetVariable).Op(ActionCode::ToString).Push("toUpperCase");
        a.Op(ActionCode::CallMethod).Op(ActionCode::Equals2).Op(ActionCode::Return);
        Method(actions, "kvEQ", a);
    }
    {
        // SUM(...): a range arrives as a view on rows of variable names and adds the numbers among the
        // cells' values; any other argument adds as kvNum.
        A a;
        a.Push("t").Push(0).Op(A::kDefineLocal).Push("i").Push(0).Op(A::kDefineLocal);
        a.Label("args").Push("i").Op(ActionCode::GetVariable).Push("arguments").Op(ActionCode::GetVariable);
        a.Push("length").Op(ActionCode::GetMember).Op(ActionCode::Less2).Op(ActionCode::Not).If("end");
        a.Push("a").Push("arguments").Op(ActionCode::GetVariable).Push("i").Op(ActionCode::GetVariable);
        a.Op(ActionCode::GetMember).Op(A::kDefineLocal);
        a.Push("a")
            .Op(ActionCode::GetVariable)
            .Op(A::kTypeOf)
            .Push("object")
            .Op(ActionCode::Equals2)
            .If("range");
        a.Push("t")
            .Push("t")
            .Op(ActionCode::GetVariable)
            .Push("a")
            .Op(ActionCode::GetVariable)
            .Call("kvNum", 1);
        a.Op(ActionCode::Add2).Op(ActionCode::SetVariable).Jump("next");
        a.Label("range").Push("r").Push(0).Op(A::kDefineLocal);
        a.Label("rows").Push("r").Op(ActionCode::GetVariable).Push("a").Op(ActionCode::GetVariable);
        a.Push("rows").Op(ActionCode::GetMember).Op(ActionCode::Less2).Op(ActionCode::Not).If("next");
        // row = a.b[a.o + r]; an undefined row reads as empty cells
        a.Push("row").Push("a").Op(ActionCode::GetVariable).Push("b").Op(ActionCode::GetMember);
        a.Push("a").Op(ActionCode::GetVariable).Push("o").Op(ActionCode::GetMember);
        a.Push("r").Op(ActionCode::GetVariable).Op(ActionCode::Add2);
        a.Op(ActionCode::GetMember).Op(A::kDefineLocal).Push("c").Push(0).Op(A::kDefineLocal);
        a.Label("cols").Push("c").Op(ActionCode::GetVariable).Push("a").Op(ActionCode::GetVariable);
        a.Push("cols").Op(ActionCode::GetMember).Op(ActionCode::Less2).Op(ActionCode::Not).If("rowdone");
        a.Push("x").Push("row").Op(ActionCode::GetVariable).Push("c").Op(ActionCode::GetVariable);
        a.Op(ActionCode::GetMember).Op(ActionCode::GetVariable).Op(A::kDefineLocal);
        a.Push("x").Op(ActionCode::GetVariable).Op(A::kTypeOf).Push("number").Op(ActionCode::Equals2);
        a.Op(ActionCode::Not).If("skip");
        a.Push("t").Push("t").Op(ActionCode::GetVariable).Push("x").Op(ActionCode::GetVariable);
        a.Op(ActionCode::Add2).Op(ActionCode::SetVariable);
        a.Label("skip")
            .Push("c")
            .Push("c")
            .Op(ActionCode::GetVariable)
            .Op(A::kIncrement)
            .Op(ActionCode::SetVariable);
        a.Jump("cols");
        a.Label("rowdone")
            .Push("r")
            .Push("r")
            .Op(ActionCode::GetVariable)
            .Op(A::kIncrement)
            .Op(ActionCode::SetVariable);
        a.Jump("rows");
        a.Label("next")
            .Push("i")
            .Push("i")
            .Op(ActionCode::GetVariable)
            .Op(A::kIncrement)
            .Op(ActionCode::SetVariable);
        a.Jump("args");
        a.Label("end").Push("t").Op(ActionCode::GetVariable).Op(ActionCode::Return);
        Method(actions, "SUM", a);
    }
    {
        // COUNTARGS(...): how many arguments arrived, left-out ones included.
        A a;
        a.Push("arguments").Op(ActionCode::GetVariable).Push("length").Op(ActionCode::GetMember);
        a.Op(ActionCode::Return);
        Method(actions, "COUNTARGS", a);
    }
    {
        // SECOND(...): the second argument as it arrived ("undefined" when left out).
        A a;
        a.Push("arguments").Op(ActionCode::GetVariable).Push(1).Op(ActionCode::GetMember).Op(A::kTypeOf);
        a.Op(ActionCode::Return);
        Method(actions, "SECOND", a);
    }
    {
        // DATE(y, m, d): the day of the month that Date.UTC normalises to, so the player's Date
        // class must still be reachable from inside the library's DATE.
        A a;
        a.Push(0).Push("arguments").Op(ActionCode::GetVariable).Push(2).Op(ActionCode::GetMember);
        a.Push("arguments").Op(ActionCode::GetVariable).Push(1).Op(ActionCode::GetMember).Push(1);
        a.Op(ActionCode::Subtract);
        a.Push("arguments").Op(ActionCode::GetVariable).Push(0).Op(ActionCode::GetMember);
        a.Push(3).Push("Date").Op(ActionCode::GetVariable).Push("UTC").Op(ActionCode::CallMethod);
        a.Push(1).Push("Date").Op(ActionCode::NewObject).Push("getUTCDate").Op(ActionCode::CallMethod);
        a.Op(ActionCode::Return);
        Method(actions, "DATE", a);
    }
    {
        A a; // T(v): its argument
        a.Push("arguments").Op(ActionCode::GetVariable).Push(0).Op(ActionCode::GetMember).Op(ActionCode::Return);
        Method(actions, "T", a);
    }
}

class HandWrittenLibrary : public IFunctionLibrary {
public:
    int GetSymbolKind(std::string_view name) override
    {
        static const std::set<std::string, std::less<>> functions = {"SUM", "kvAdd", "kvSub", "kvConcat",
                                                                     "kvEQ"};
        if (int kind = callconv::OperatorKindOf(name))
            return kind;
        return functions.count(name) ? 20 : 0;
    }
    void UseFunction(std::string_view name) override { used.insert(std::string(name)); }
    void ReleaseFunction(std::string_view) override {}
    std::set<std::string> used;
};

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    HandWrittenLibrary library;
    SetFunctionLibraryHook(&library);

    CCellModel model;
    auto text = [&model](int row, int column, const char* value) {
        model.SetCell("Data", row, column, CCellData{value, std::string(CellTypeName(CellType::Text)), "", false});
    };
    auto number = [&model](int row, int column, const char* value) {
        model.SetCell("Data", row, column, CCellData{value, std::string(CellTypeName(CellType::Number)), "", false});
    };
    text(1, 1, "2");
    text(2, 1, "3.5");
    text(3, 1, "010");
    text(4, 1, "abc");
    text(5, 1, "ABC");
    number(1, 2, "4");
    number(2, 2, "5");
    // Formulas in column C; C8 comes first but reads C1 and C4, so only the order makes it right.
    const std::vector<std::pair<std::string, std::string>> used = {
        {"C14", "SUM(C1:C2)"},
        {"C8", "C4+C1"},
        {"C1", "A1+A2"},
        {"C2", "A3+0"},
        {"C3", "A4=A5"},
        {"C4", "SUM(B1:B2)"},
        {"C5", "SUM(B1:B2,A1)"},
        {"C6", "-A2"},
        {"C7", "\"x\"&A1"},
        {"C9", "COUNTARGS(1,,A1)"},
        {"C10", "SECOND(1,,A1)"},
        {"C11", "SECOND(A1:A2,B1)"},
        {"C12", "DATE(2024,2,30)"},
        {"C13", "T(\"t\")&T(A1)"},
    };
    for (const auto& [cell, formula] : used)
        model.SetCell("Data", std::stoi(cell.substr(1)), 3, CCellData{"", "", formula, false});

    // Compile every cell that a formula reaches with the compile walk of published movies;
    // each reported formula counts as one a component shows.
    CVariableTable table;
    BoundCells bound;
    std::vector<std::pair<std::string, int32_t>> reports;
    for (const auto& [cell, formula] : used) {
        int32_t id = table.AddCell("Data", std::stoi(cell.substr(1)), 3);
        reports.emplace_back(cell, id);
        bound.formulas.insert(id);
    }
    CModelNetwork network;
    CCellValueMap values;
    for (const auto& [cell, id] : reports)
        network.CompileCell(id, model, table, bound, values);
    network.Link(table);
    if (!network.GetProblems().empty()) {
        std::fprintf(stderr, "the sample workbook does not compile cleanly\n");
        return 1;
    }

    CActionList actions;
    WriteLibrary(actions);
    playertest::WriteNetwork(table, network, actions);
    for (const auto& [cell, id] : reports)
        playertest::Report(actions, cell, CellVariableName(id));
    // The spreadsheet names live in kvLib, so the player's own names are untouched.
    actions.Add(std::make_unique<CActionPush>("dateClass"));
    actions.Add(std::make_unique<CActionPush>("Date"));
    actions.Add(std::make_unique<CActionCode>(ActionCode::GetVariable));
    actions.Add(std::make_unique<CActionCode>(Assembler::kTypeOf));
    actions.Add(std::make_unique<CActionCode>(ActionCode::SetVariable));
    playertest::Report(actions, "dateClass", "dateClass");
    playertest::Report(actions, "done", "");
    actions.Add(std::make_unique<CActionCode>(ActionCode::Stop));

    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(255, 255, 255));
    movie.AddTag(std::make_unique<CSwfDoAction>(std::move(actions)));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(folder / "sheet_formulas.swf", 200, 100, 12.0, false);
    SetFunctionLibraryHook(nullptr);
    return 0;
}
