#include "publish/ModelScriptBuilder.h"

#include "model/BindingLink.h"
#include "publish/ExportSettings.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/formula/FormulaNode.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/Range.h"
#include "swf/ActionEmitter.h"
#include "swf/Actions.h"
#include "swf/SwfDoAction.h"
#include "tests/publish/PublishTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/actionscript/Disassembler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>

namespace {

using publishtest::BaseMovieFixture;

// The actions as text, a value a Push: the code written for every cell joins its pushes, which
// says nothing of what it does.
std::string Listing(const CActionList& actions)
{
    swf::Writer split;
    for (const auto& action : swf::ParseActions(actions.ToBytes(false))) {
        const auto* push = dynamic_cast<const CActionPush*>(action.get());
        if (push == nullptr || push->GetValues().size() < 2) {
            action->Write(split);
            continue;
        }
        for (const CPushValue& value : push->GetValues()) {
            CActionPush one;
            one.AddValue(value);
            one.Write(split);
        }
    }
    return actionscript::Disassemble(split.Data());
}

// The actions as written.
std::string JoinedListing(const CActionList& actions)
{
    return actionscript::Disassemble(actions.ToBytes(false));
}

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

// The names of the functions the listing defines, in order (not the anonymous ones).
std::vector<std::string> DefinedFunctions(const std::string& listing)
{
    std::vector<std::string> names;
    static const std::regex definition("DefineFunction \"([A-Za-z0-9]+)\"");
    for (std::sregex_iterator it(listing.begin(), listing.end(), definition), end; it != end; ++it)
        names.push_back((*it)[1]);
    return names;
}

class ModelScript : public ::testing::Test, protected BaseMovieFixture {
protected:
    // count formula cells B1..B<count>, each =A1+<row>, all watched.
    void Formulas(int count)
    {
        Number("A1", 1);
        BoundCells bound;
        std::vector<std::string> roots;
        for (int row = 1; row <= count; ++row) {
            const std::string cell = "B" + std::to_string(row);
            Formula(cell, "A1+" + std::to_string(row));
            bound.formulas.insert(Id(cell));
            roots.push_back(cell);
        }
        Compile(roots, bound);
        movie->GetNetwork().Link(table());
    }

    std::string ModelCode(bool preview = false)
    {
        CModelScriptBuilder(*movie).BuildModelCode({}, preview);
        return Listing(movie->GetInitCode()->GetActions());
    }

    // A range of sheet S over the given areas ("A1", "C2" pairs), stored in the table.
    int Range(std::initializer_list<std::pair<std::string, std::string>> areas)
    {
        CRange range;
        for (const auto& [from, to] : areas) {
            auto [r1, c1] = Place(from);
            auto [r2, c2] = Place(to);
            EXPECT_TRUE(range.AddArea(CCellRef("S", r1, c1), CCellRef("S", r2, c2)));
        }
        return table().AddRange(range);
    }

    std::vector<std::unique_ptr<CBindingLink>> links_;
    CBindingLink& AddLink(int kind, const std::string& owner, const std::string& field, int32_t cell)
    {
        CVariablePath path;
        path.AddName(field);
        links_.push_back(std::make_unique<CBindingLink>(path, cell));
        links_.back()->SetKind(kind);
        links_.back()->SetOwnerName(owner);
        if (kind == 1)
            movie->AddKind1DataRecord(links_.back().get());
        else
            movie->AddDataRecord(links_.back().get());
        return *links_.back();
    }
};

TEST_F(ModelScript, FormulasSplitIntoFunctionsOfFiftyCalledInOrder)
{
    Formulas(50);
    std::string code = ModelCode();
    EXPECT_EQ(DefinedFunctions(code), std::vector<std::string>{"kvCalc"});
    EXPECT_EQ(Count(code, "SetVariable"), 50u + 1 + 1 + 1); // formulas, DAT, INP, the constant A1

    movie->ClearNetwork();
    Formulas(51);
    code = ModelCode();
    EXPECT_EQ(DefinedFunctions(code), (std::vector<std::string>{"kvCalc1", "kvCalc2", "kvCalc"}));
    // kvCalc2 holds the last formula alone, and kvCalc calls the parts in order.
    const std::string second =
        code.substr(code.find("\"kvCalc2\""), code.find("\"kvCalc\"") - code.find("\"kvCalc2\""));
    EXPECT_EQ(Count(second, "SetVariable"), 1u);
    const std::string dispatcher = code.substr(code.find("DefineFunction \"kvCalc\""));
    EXPECT_LT(dispatcher.find("\"kvCalc1\""), dispatcher.find("\"kvCalc2\""));
    EXPECT_EQ(Count(dispatcher.substr(0, dispatcher.find('}')), "CallFunction"), 2u);
}

// The cell ids of the formulas an input's own recalculation runs, in its order.
std::vector<int32_t> Recalculated(const std::vector<InputCalculation>& inputs, int32_t input)
{
    std::vector<int32_t> ids;
    for (const InputCalculation& calculation : inputs)
        if (calculation.cellId == input)
            for (const CFormulaNode* node : calculation.formulas)
                ids.push_back(node->GetCellId());
    return ids;
}

// The input recalculations of a model of the inputs A1, A2 and A3 (constants components write,
// each 1) and the formulas given, of which the outputs are observed; A3 is calculated as well.
std::vector<InputCalculation> LinkedInputs(publishtest::BaseMovieFixture& model,
                                           const std::vector<std::pair<std::string, std::string>>& formulas,
                                           const std::vector<std::string>& outputs)
{
    BoundCells bound;
    for (const char* input : {"A1", "A2", "A3"}) {
        model.Number(input, 1);
        bound.constants.insert(model.Id(input));
    }
    for (const auto& [cell, formula] : formulas)
        model.Formula(cell, formula);
    std::vector<std::string> roots = outputs;
    roots.push_back("A3");
    for (const std::string& output : outputs)
        bound.formulas.insert(model.Id(output));
    model.Compile(roots, bound);
    model.movie->GetNetwork().Link(model.table());
    return InputCalculations(model.movie->GetNetwork());
}

// A change of one input recalculates what depends on it in the full calculation's order and
// nothing else.
TEST_F(ModelScript, EachInputRecalculatesOnlyItsDependentsInOrder)
{
    const std::vector<InputCalculation> inputs =
        LinkedInputs(*this, {{"B1", "A1*2"}, {"B2", "B1+A2"}, {"D1", "B2*2"}, {"C1", "A2+1"}}, {"D1", "C1"});
    EXPECT_EQ(Recalculated(inputs, Id("A1")), (std::vector<int32_t>{Id("B1"), Id("B2"), Id("D1")}));
    EXPECT_EQ(Recalculated(inputs, Id("A2")), (std::vector<int32_t>{Id("B2"), Id("D1"), Id("C1")}));
    // Nothing reads A3: no function, and a change of it recalculates everything.
    EXPECT_EQ(inputs.size(), 2u);
    const std::vector<std::string> functions = DefinedFunctions(ModelCode());
    EXPECT_EQ(functions,
              (std::vector<std::string>{"kvCalc", InputCalcFunctionName(Id("A1")), InputCalcFunctionName(Id("A2"))}));
}

// A cell whose value changes by itself is recalculated with whatever reads it after a change
// of any input, in the full calculation's order, beside the input's own dependents; an input
// nothing reads then recalculates those alone instead of everything.
TEST_F(ModelScript, VolatileCellsRecalculateWithEveryInput)
{
    const std::vector<InputCalculation> inputs = LinkedInputs(
        *this, {{"B1", "A1*2"}, {"C1", "TODAY()+1"}, {"C2", "C1*2"}, {"C3", "SUM(C1:C2)"}, {"D1", "B1+A2"}},
        {"D1", "C3"});
    ASSERT_EQ(inputs.size(), 3u);
    std::vector<int32_t> full;
    for (const CFormulaNode* node : movie->GetNetwork().GetEvaluationOrder())
        full.push_back(node->GetCellId());
    auto inOrder = [&](std::vector<int32_t> ids) {
        std::erase_if(full, [&](int32_t id) { return std::find(ids.begin(), ids.end(), id) == ids.end(); });
        return full;
    };
    const std::vector<int32_t> volatileOnly = inOrder({Id("C1"), Id("C2"), Id("C3")});
    EXPECT_EQ(Recalculated(inputs, Id("A3")), volatileOnly);
    const std::vector<int32_t> withA1 = Recalculated(inputs, Id("A1"));
    EXPECT_EQ(withA1.size(), 5u);
    // Each formula after the ones it reads.
    auto at = [&](const char* cell) { return std::find(withA1.begin(), withA1.end(), Id(cell)) - withA1.begin(); };
    EXPECT_LT(at("B1"), at("D1"));
    EXPECT_LT(at("C1"), at("C2"));
    EXPECT_LT(at("C2"), at("C3"));
    EXPECT_EQ(Recalculated(inputs, Id("A2")).size(), 4u);
}

// A formula changes by itself only when it calls such a function, however it is spelt, never
// for text that merely reads like a call: the input's recalculation is its dependents alone.
TEST_F(ModelScript, TextReadingLikeAVolatileCallIsNoCall)
{
    Number("A1", 1);
    BoundCells bound;
    bound.constants = {Id("A1")};
    bound.formulas = {Id("B1"), Id("C1")};
    for (const char* text : {"\"BUY NOW()\"", "\"rand()\"&\"TODAY()\"", "IF(1>0,\"OFFSET(\",\"\")"}) {
        movie->ClearNetwork();
        Formula("B1", "A1*2");
        Formula("C1", text);
        Compile({"B1", "C1"}, bound);
        movie->GetNetwork().Link(table());
        EXPECT_EQ(Recalculated(InputCalculations(movie->GetNetwork()), Id("A1")), (std::vector<int32_t>{Id("B1")}))
            << text;
    }
}

// The functions of the inputs repeat their dependents' code; past twice the model's formulas
// the inputs with the most dependents keep the full calculation.
TEST_F(ModelScript, InputRecalculationsStayWithinTwiceTheModel)
{
    for (const char* input : {"A1", "A2", "A3"})
        Number(input, 1);
    Formula("A4", "A3*2");
    BoundCells bound;
    bound.constants = {Id("A1"), Id("A2"), Id("A3")};
    std::vector<std::string> roots;
    for (int row = 1; row <= 1200; ++row) {
        const std::string cell = "B" + std::to_string(row);
        Formula(cell, "A1+A2+A4+" + std::to_string(row));
        bound.formulas.insert(Id(cell));
        roots.push_back(cell);
    }
    Compile(roots, bound);
    movie->GetNetwork().Link(table());
    // A3 feeds A4 as well: it has the most dependents and is the one left out.
    const std::vector<InputCalculation> inputs = InputCalculations(movie->GetNetwork());
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(inputs[0].cellId, Id("A1"));
    EXPECT_EQ(inputs[1].cellId, Id("A2"));
    EXPECT_EQ(inputs[1].formulas.size(), 1200u);
}


TEST_F(ModelScript, LinksSplitLikeFormulasConstantsFirst)
{
    for (int i = 0; i < 70; ++i)
        AddLink(1, "In_" + std::to_string(i), "value", i);
    for (int i = 0; i < 50; ++i)
        AddLink(2, "Out_" + std::to_string(i), "value", 100 + i);
    // Links that tie nothing are left out rather than written as "V-1" or an empty store.
    AddLink(1, "Unbound_1", "value", -1);
    links_.push_back(std::make_unique<CBindingLink>(CVariablePath(), 5));
    movie->AddKind1DataRecord(links_.back().get());

    const std::string code = ModelCode();
    EXPECT_EQ(DefinedFunctions(code),
              (std::vector<std::string>{"kvInitModel1", "kvInitModel2", "kvInitModel3", "kvInitModel"}));
    EXPECT_EQ(code.find("V-1"), std::string::npos);
    // The second part holds the last 20 constant links and the first 30 formula links.
    const std::size_t second = code.find("\"kvInitModel2\""), third = code.find("\"kvInitModel3\"");
    const std::string part = code.substr(second, third - second);
    EXPECT_NE(part.find("In_69"), std::string::npos);
    EXPECT_NE(part.find("Out_29"), std::string::npos);
    EXPECT_EQ(part.find("Out_30"), std::string::npos);
}

TEST_F(ModelScript, FunctionsStayWithinTheFormatsBodyLimit)
{
    // 50 formulas of about 2 KB each do not fit one 64 KB function: they are split by size.
    Number("A1", 1);
    BoundCells bound;
    std::vector<std::string> roots;
    const std::string text(2000, 'x');
    for (int row = 1; row <= 50; ++row) {
        const std::string cell = "B" + std::to_string(row);
        Formula(cell, "A1&\"" + text + std::to_string(row) + "\"");
        bound.formulas.insert(Id(cell));
        roots.push_back(cell);
    }
    Compile(roots, bound);
    movie->GetNetwork().Link(table());
    CModelScriptBuilder(*movie).BuildModelCode({}, false);

    std::size_t formulas = 0, parts = 0;
    for (const auto& action : movie->GetInitCode()->GetActions()) {
        const auto* function = dynamic_cast<const CActionDefineFunction*>(action.get());
        if (!function || function->GetName() == "kvCalc")
            continue;
        ++parts;
        EXPECT_LE(function->GetBody().ToBytes(false).size(), 65535u);
        formulas += Count(Listing(function->GetBody()), "SetVariable");
    }
    EXPECT_GE(parts, 2u);
    EXPECT_EQ(formulas, 50u);
    // The whole tag still writes (a body over the limit would throw here).
    EXPECT_NO_THROW(movie->GetInitCode()->GetActions().ToBytes(true));

    // A single formula over the limit cannot be split: it is refused with its cell named.
    movie->ClearNetwork();
    std::string sum = "A1";
    while (sum.size() < 8000)
        sum += "+A1";
    Formula("C1", sum);
    BoundCells one;
    one.formulas.insert(Id("C1"));
    Compile({"C1"}, one);
    movie->GetNetwork().Link(table());
    try {
        CModelScriptBuilder(*movie).BuildModelCode({}, false);
        FAIL() << "an oversized formula was written";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("V" + std::to_string(Id("C1"))), std::string::npos);
    }
}

TEST_F(ModelScript, RangesAreViewsOnBandsSharedByTheAreasOverTheSameColumns)
{
    for (int i = 1; i <= 4; ++i)
        Range({{"J" + std::to_string(i), "J" + std::to_string(i)}});
    ASSERT_EQ(Range({{"A1", "C2"}}), 4);
    ASSERT_EQ(Range({{"A1", "B1"}, {"D3", "D4"}}), 5);
    const std::string code = ModelCode();
    auto v = [&](const std::string& a1) { return "Push \"V" + std::to_string(Id(a1)) + "\"\n"; };
    auto view = [](int index, int columns, int rows, int offset, int band) {
        return "Push \"A" + std::to_string(index) + "\"\nPush " + std::to_string(columns) + "\nPush " +
               std::to_string(rows) + "\nPush " + std::to_string(offset) + "\nPush \"kvB" +
               std::to_string(band) + "\"\nGetVariable\nPush 4\nPush \"kvRangeC\"\nNewObject\nSetVariable\n";
    };
    // The constructor comes first, defined only when no movie defined it before.
    const std::string guard = "Push \"_global\"\nGetVariable\nPush \"kvRangeC\"\nGetMember\nPush undefined\n"
                              "Equals2\nNot\nIf";
    EXPECT_EQ(code.find(guard), 0u) << code;
    // J1..J4: one band of four rows, each range a view on one row of it.
    const std::string one = "Push 1\nInitArray\n";
    EXPECT_NE(code.find("Push \"kvB0\"\n" + v("J4") + one + v("J3") + one + v("J2") + one + v("J1") + one +
                        "Push 4\nInitArray\nSetVariable\n"),
              std::string::npos)
        << code;
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(code.find(view(i, 1, 1, i, 0)), std::string::npos) << i;
    EXPECT_NE(code.find("Push \"kvB1\"\n" + v("C2") + v("B2") + v("A2") + "Push 3\nInitArray\n" + v("C1") + v("B1") +
                        v("A1") + "Push 3\nInitArray\nPush 2\nInitArray\nSetVariable\n"),
              std::string::npos)
        << code;
    EXPECT_NE(code.find(view(4, 3, 2, 0, 1)), std::string::npos) << code;
    // Rows of the second area (D3, D4) follow the row of the first (A1, B1): three rows of the
    // widest area's two columns, taken from the bands of A1:B1 and D3:D4.
    auto row = [](int at, int band, int bandRow) {
        return "PushDuplicate\nPush " + std::to_string(at) + "\nPush \"kvB" + std::to_string(band) +
               "\"\nGetVariable\nPush " + std::to_string(bandRow) + "\nGetMember\nSetMember\n";
    };
    EXPECT_NE(code.find("Push \"A5\"\nPush 2\nPush 3\nPush 0\nPush 0\nPush \"Array\"\nNewObject\n" + row(0, 2, 0) +
                        row(1, 3, 0) + row(2, 3, 1) + "Push 4\nPush \"kvRangeC\"\nNewObject\nSetVariable\n"),
              std::string::npos)
        << code;
    EXPECT_EQ(Count(code, "Push \"kvB"), 4u + 4u + 1u + 3u + 4u) << "bands defined, read and, holding no formula, marked";
}

// Rows of a band without a variable cost nothing: a gap is an undefined row, and a band mostly
// of gaps is made empty and filled row by row.
TEST_F(ModelScript, BandsLeaveRowsWithoutVariablesUndefined)
{
    Range({{"A1", "A3"}});
    Range({{"A10", "A12"}});
    Range({{"C1", "C1"}});
    Range({{"C50000", "C50000"}});
    CActionList actions;
    ::WriteRangeArrays(table(), actions);
    const std::string code = Listing(actions);
    auto v = [&](const std::string& a1) { return "Push \"V" + std::to_string(Id(a1)) + "\"\n"; };
    std::string gap;
    for (int i = 0; i < 6; ++i)
        gap += "Push undefined\n";
    EXPECT_NE(code.find("Push \"kvB0\"\n" + v("A12") + "Push 1\nInitArray\n" + v("A11") + "Push 1\nInitArray\n" +
                        v("A10") + "Push 1\nInitArray\n" + gap + v("A3")),
              std::string::npos)
        << code;
    EXPECT_NE(code.find("Push \"kvB1\"\nPush 0\nPush \"Array\"\nNewObject\nPushDuplicate\nPush 0\n" + v("C1") +
                        "Push 1\nInitArray\nSetMember\nPushDuplicate\nPush 49999\n" + v("C50000") +
                        "Push 1\nInitArray\nSetMember\nSetVariable\n"),
              std::string::npos)
        << code;
    // The view keeps the written place: C50000 is row 49999 of its band.
    EXPECT_NE(code.find("Push \"A3\"\nPush 1\nPush 1\nPush 49999\nPush \"kvB1\""), std::string::npos) << code;
    EXPECT_LT(actions.ToBytes(false).size(), 1500u);
}

// A band whose cells the calculation never writes is marked, so that the movie may sum it
// ahead of the ranges asking; one formula among its cells, or no word of what is computed,
// leaves it unmarked.
TEST_F(ModelScript, BandsWithoutFormulasAreMarkedForReadingAhead)
{
    Range({{"A1", "A3"}});
    Range({{"C1", "C3"}});
    std::vector<bool> computed(static_cast<std::size_t>(Id("C2")) + 1);
    computed[static_cast<std::size_t>(Id("C2"))] = true;
    CActionList marked;
    ::WriteRangeArrays(table(), marked, &computed);
    const std::string code = Listing(marked);
    EXPECT_EQ(Count(code, "Push \"kvB0\"\nGetVariable\nPush \"kvNoFormulas\"\nPush true\nSetMember\n"), 1u) << code;
    EXPECT_EQ(Count(code, "Push \"kvB1\"\nGetVariable\nPush \"kvNoFormulas\""), 0u) << code;
    CActionList unknown;
    ::WriteRangeArrays(table(), unknown);
    EXPECT_EQ(Count(Listing(unknown), "kvNoFormulas"), 0u);
}

// The ranges of a running total (A2:A2, A2:A3, ...) share one band: the code grows with the
// rows, not with the sum of the ranges' sizes.
TEST_F(ModelScript, RunningTotalRangesCostInProportionToTheirRows)
{
    const int rows = 1000;
    for (int r = 2; r <= rows + 1; ++r)
        Range({{"A2", "A" + std::to_string(r)}});
    CActionList actions;
    ::WriteRangeArrays(table(), actions);
    const std::string code = Listing(actions);
    EXPECT_EQ(Count(code, "Push \"kvB0\"\n"), 1u + rows);
    EXPECT_EQ(Count(code, "Push \"kvB1\"\n"), 0u);
    EXPECT_LT(actions.ToBytes(false).size(), 100u * rows);
}

TEST_F(ModelScript, DataTableInputListAndLocaleValues)
{
    const int range = Range({{"A1", "A2"}});
    movie->GetRangeEntries().push_back({range, "sales", ""});
    movie->GetRangeEntries().push_back({-1, "nothing", ""});
    cells().SetNamedValue("KVSDAYNAME1", "Sunday");
    cells().SetNamedValue("KVDecimalSeparator", ".");
    Number("A1", 1);
    Number("A2", 2);
    Number("A3", 3);
    BoundCells bound;
    bound.constants = {Id("A1"), Id("A3")};
    Compile({"A1", "A2", "A3"}, bound);

    const std::string code = ModelCode();
    EXPECT_NE(code.find("Push \"DAT\"\nGetVariable\nPush \"sales\"\nPush \"A" + std::to_string(range) +
                        "\"\nGetVariable\nSetMember\n"),
              std::string::npos);
    EXPECT_EQ(code.find("nothing"), std::string::npos);
    EXPECT_LT(code.find("\"KVDecimalSeparator\""), code.find("\"KVSDAYNAME1\""));
    // INP lists the bound constants in descending order: InitArray takes the last push first.
    EXPECT_NE(code.find("Push \"INP\"\nPush \"V" + std::to_string(Id("A1")) + "\"\nPush \"V" +
                        std::to_string(Id("A3")) + "\"\nPush 2\nInitArray\nSetVariable\n"),
              std::string::npos);
    // Initial values: bound constants first, then plain ones.
    EXPECT_LT(code.find("Push \"V" + std::to_string(Id("A3")) + "\"\nPush 3"),
              code.find("Push \"V" + std::to_string(Id("A2")) + "\"\nPush 2"));
}

TEST_F(ModelScript, SnapshotValuesOfEveryKind)
{
    auto listing = [](const CModelVariable* value) {
        CActionList actions;
        CModelScriptBuilder::WriteSnapshotValue(value, actions, 7);
        return Listing(actions);
    };
    auto text = CModelVariable::CModelVariableFromText("north");
    EXPECT_EQ(listing(text.get()), "Push \"V7\"\nPush \"north\"\nSetVariable\n");
    EXPECT_EQ(listing(CModelVariable::MakeBoolean(true).get()), "Push \"V7\"\nPush true\nSetVariable\n");
    EXPECT_NE(listing(CModelVariable::MakeNumber(2.5).get()).find("Push 2.5"), std::string::npos);
    EXPECT_EQ(listing(std::make_unique<CModelVariable>(ModelKind::NoValue).get()),
              "Push \"V7\"\nPush undefined\nSetVariable\n");
    // A kind no cell holds still assigns a value, so the player's stack stays balanced.
    EXPECT_EQ(listing(CModelVariable::MakeRange(3).get()), "Push \"V7\"\nPush undefined\nSetVariable\n");
    EXPECT_EQ(listing(nullptr), "Push \"V7\"\nPush undefined\nSetVariable\n");
}

TEST_F(ModelScript, SnapshotReplacesMarkedValuesOnly)
{
    Number("A1", 1);
    Number("A2", 2);
    BoundCells bound;
    Compile({"A1", "A2"}, bound);
    CCellValueRecord* record = movie->GetValueMap().Lookup(Id("A2"));
    ASSERT_NE(record, nullptr);
    record->SetValue(CModelVariable::CModelVariableFromText("frozen"));
    record->mark = 1;
    movie->GetExportFlags().snapshot = true;
    const std::string code = ModelCode();
    EXPECT_NE(code.find("Push \"V" + std::to_string(Id("A2")) + "\"\nPush \"frozen\""), std::string::npos);
    EXPECT_NE(code.find("Push \"V" + std::to_string(Id("A1")) + "\"\nPush 1"), std::string::npos);
}

// Plain values are pushed in a run, names and values in one record, and assigned by as many
// SetVariables after it; a value the run cannot hold ends it, so the values before it are set
// first.
TEST_F(ModelScript, PlainValuesArePushedInRunsAndAssignedAfterThem)
{
    Number("A1", 1);
    Number("A2", 2);
    Number("A3", 3);
    Number("A4", 4);
    BoundCells bound;
    Compile({"A1", "A2", "A3", "A4"}, bound);
    CCellValueRecord* record = movie->GetValueMap().Lookup(Id("A3"));
    ASSERT_NE(record, nullptr);
    record->SetValue(CModelVariable::CModelVariableFromText("frozen"));
    record->mark = 1;
    movie->GetExportFlags().snapshot = true;
    ModelCode();
    auto v = [&](const std::string& a1) { return "\"V" + std::to_string(Id(a1)) + "\""; };
    const std::string code = JoinedListing(movie->GetInitCode()->GetActions());
    EXPECT_NE(code.find("Push " + v("A1") + " 1 " + v("A2") + " 2\nSetVariable\nSetVariable\nPush " + v("A3") +
                        "\nPush \"frozen\"\nSetVariable\nPush " + v("A4") + " 4\nSetVariable\n"),
              std::string::npos)
        << code;
}

TEST_F(ModelScript, DataConnectionLeavesTheModelToTheLoaderButAPreviewComputesIt)
{
    Formulas(3);
    Range({{"A1", "A2"}});
    movie->GetExportFlags().webService = true;
    std::string code = ModelCode();
    EXPECT_EQ(code.find("\"A0\""), std::string::npos);
    EXPECT_EQ(code.find("\"DAT\""), std::string::npos);
    EXPECT_TRUE(DefinedFunctions(code).empty());
    EXPECT_NE(code.find("\"STATIC\""), std::string::npos);
    EXPECT_LT(code.find("\"xmlToModel\""), code.find("\"initStaticDataSources\""));

    // A preview carries no loader: a document with XML maps still gets its model.
    movie->GetExportFlags().webService = false;
    movie->SetConnectionInputs(true);
    code = ModelCode(true);
    EXPECT_EQ(DefinedFunctions(code), std::vector<std::string>{"kvCalc"});
    EXPECT_NE(code.find("\"A0\""), std::string::npos);
    EXPECT_EQ(code.find("\"initStaticDataSources\""), std::string::npos);
}

TEST_F(ModelScript, GuidOnlyInExports)
{
    movie->SetGuidSource([] { return std::string("0123ABCD-0000-4000-8000-00000000FFFF"); });
    EXPECT_EQ(ModelCode().find("GUID"), std::string::npos);
    movie->GetExportFlags().exporting = true;
    EXPECT_NE(ModelCode().find("Push \"GUID\"\nPush \"0123ABCD-0000-4000-8000-00000000FFFF\"\nSetVariable"),
              std::string::npos);

    movie->SetGuidSource({});
    const std::string code = ModelCode();
    static const std::regex guid(
        "Push \"GUID\"\nPush \"[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\"");
    EXPECT_TRUE(std::regex_search(code, guid)) << code;
}

TEST_F(ModelScript, SampleDataFileIsNamedAfterTheMovie)
{
    testsupport::TempDir dir;
    Number("A1", 4);
    BoundCells bound;
    bound.constants = {Id("A1")};
    Compile({"A1"}, bound);
    movie->GetExportFlags().webService = true;
    movie->GetExportSettings().sampleQuery = true;

    const std::filesystem::path folder = dir.path() / "my.dir";
    std::filesystem::create_directories(folder);
    movie->SetOutputPath((folder / "report.swf").string());
    ModelCode();
    EXPECT_EQ(movie->GetOutputPath(), (folder / "report.txt").string());
    EXPECT_TRUE(std::filesystem::exists(folder / "report.txt"));

    // A file name without extension keeps the dot of its folder.
    movie->GetExportSettings().edited = true;
    movie->SetOutputPath((folder / "report").string());
    ModelCode();
    EXPECT_EQ(movie->GetOutputPath(), (folder / "report.xml").string());
    EXPECT_TRUE(std::filesystem::exists(folder / "report.xml"));

    // A sample that cannot be written is an error, not a silent success.
    movie->SetOutputPath((dir.path() / "missing" / "report.swf").string());
    EXPECT_THROW(ModelCode(), std::runtime_error);
}

TEST_F(ModelScript, FrameScriptConnectsToTheGatewayOutsidePreviews)
{
    // An empty model defines no function, yet the frame script calls both, in this order.
    EXPECT_TRUE(DefinedFunctions(ModelCode()).empty());
    CExportSettings& settings = movie->GetExportSettings();
    settings.collaboration = true;
    settings.gatewayUrl = "rtmp://gateway";
    settings.password = "secret";
    CModelScriptBuilder(*movie).BuildConnectCode(false);
    const std::string calls =
        "Push 0\nPush \"kvCalc\"\nCallFunction\nPop\nPush 0\nPush \"kvInitModel\"\nCallFunction\nPop\n";
    EXPECT_EQ(Listing(movie->GetFrameScript()->GetActions()),
              calls +
                  "Push \"this\"\nGetVariable\nPush \"nc\"\nGetMember\nPush \"targetURI\"\nPush "
                  "\"rtmp://gateway\"\n"
                  "SetMember\n"
                  "Push \"secret\"\nPush \"\"\nPush 2\nPush \"this\"\nGetVariable\nPush \"nc\"\nGetMember\n"
                  "Push \"myConnect\"\nCallMethod\nPop\n");

    settings.connectionMethod = ConnectionMethod::LoginComponent;
    CModelScriptBuilder(*movie).BuildConnectCode(false);
    EXPECT_EQ(Listing(movie->GetFrameScript()->GetActions()).find("myConnect"), std::string::npos);

    CModelScriptBuilder(*movie).BuildConnectCode(true);
    EXPECT_EQ(Listing(movie->GetFrameScript()->GetActions()), calls);
}

TEST_F(ModelScript, FrameScriptRunsItsRestAfterTheFirstCalculation)
{
    // The rest is one function ending in Stop (one frame) or Play (more to come), defined
    // before the call that calculates and then runs it; the gateway connection stays in it.
    CExportSettings& settings = movie->GetExportSettings();
    settings.collaboration = true;
    settings.gatewayUrl = "rtmp://gateway";
    const std::string call = "Push 0\nPush \"kvFirstCalc\"\nCallFunction\nPop\n";
    struct Case {
        bool preview, stopAtEnd;
        const char* last;
    };
    for (const Case& c : {Case{false, true, "Stop"}, Case{false, false, "Play"}, Case{true, true, "Stop"}}) {
        std::vector<CActionList> after(1);
        swf::ActionEmitter(after[0]).Str("kvWidth").Int(400).Op(swf::ActionCode::SetVariable);
        CModelScriptBuilder(*movie).BuildFrameScript(c.preview, std::move(after), c.stopAtEnd);
        const CActionList& actions = movie->GetFrameScript()->GetActions();
        const std::string listing = Listing(actions);
        EXPECT_EQ(DefinedFunctions(listing), std::vector<std::string>{"kvAfterFirstCalc"});
        ASSERT_GE(listing.size(), call.size());
        EXPECT_EQ(listing.substr(listing.size() - call.size()), call);
        const auto& function = dynamic_cast<const CActionDefineFunction&>(actions[0]);
        const std::string body = Listing(function.GetBody());
        EXPECT_EQ(body.find("Push 0\nPush \"kvInitModel\"\nCallFunction\nPop\n"), 0u);
        EXPECT_LT(body.find("kvInitModel"), body.find("kvWidth"));
        EXPECT_EQ(body.find("myConnect") != std::string::npos, !c.preview);
        EXPECT_EQ(body.substr(body.size() - std::string(c.last).size() - 1), std::string(c.last) + "\n");
    }
}

TEST_F(ModelScript, LongFrameScriptRestIsSplitIntoFunctionsOfTheMovieFormat)
{
    // Two thousand statements of 100 bytes each pass what one function body may hold; the
    // numbered parts each fit and keep the statements' order, and every statement is kept.
    std::vector<CActionList> after(2000);
    for (std::size_t i = 0; i < after.size(); ++i)
        swf::ActionEmitter(after[i]).Str("s" + std::to_string(i) + std::string(90, 'x')).Op(swf::ActionCode::Pop);
    CModelScriptBuilder(*movie).BuildFrameScript(false, std::move(after), true);
    const CActionList& actions = movie->GetFrameScript()->GetActions();
    const std::vector<std::string> functions = DefinedFunctions(Listing(actions));
    ASSERT_GE(functions.size(), 5u);
    EXPECT_EQ(functions.back(), "kvAfterFirstCalc");
    std::size_t statements = 0, next = 0;
    bool ordered = true;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const auto* function = dynamic_cast<const CActionDefineFunction*>(&actions[i]);
        if (function == nullptr || function->GetName() == "kvAfterFirstCalc")
            continue;
        EXPECT_LE(function->GetBody().ToBytes(false).size(), 65535u) << function->GetName();
        const std::string body = Listing(function->GetBody());
        static const std::regex statement("\"s([0-9]+)x");
        for (std::sregex_iterator it(body.begin(), body.end(), statement), end; it != end; ++it, ++statements)
            ordered = ordered && std::stoul((*it)[1]) == next++;
    }
    EXPECT_EQ(statements, 2000u);
    EXPECT_TRUE(ordered);
}

} // namespace
