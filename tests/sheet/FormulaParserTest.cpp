#include "sheet/formula/FormulaParser.h"
#include "sheet/cells/CellModel.h"
#include "sheet/formula/FormulaScanner.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/VariableTable.h"

#include "SheetTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class FormulaParserTest : public ::testing::Test {
protected:
    FormulaParserTest()
    {
        model.AddSheet("Sheet1");
        model.AddSheet("My Sheet");
        model.AddSheet("Bob's");
        model.SetCell("Data", 4, 2, CCellData{"1", "number", "", false});
        model.SetDefinedName("Sales", "Data!$A$1:$A$2");
        model.SetDefinedName("Rate", "=0.2");
        model.SetDefinedName("Loop", "Loop+1");
        context.sheet = "Sheet1";
        context.table = &table;
        context.model = &model;
    }

    std::string Parse(const std::string& formula)
    {
        FormulaError error;
        auto tree = CFormulaParser::Parse(formula, context, &error);
        if (!tree)
            return "error: " + error.message + " @" + std::to_string(error.offset);
        return sheettest::Describe(*tree, &table);
    }

    CCellModel model;
    CVariableTable table;
    FormulaContext context;
};

struct ParseCase {
    const char* formula;
    const char* tree;
};

TEST_F(FormulaParserTest, ReadsWhatWorkbooksWrite)
{
    const ParseCase cases[] = {
        // constants
        {"=42", "42"},
        {"1.5E3", "1500"},
        {".25", "0.25"},
        {"\"say \"\"hi\"\"\"", "\"say \"hi\"\""},
        {"true", "TRUE"},
        {"FALSE", "FALSE"},
        {"#N/A", "(kvError \"#N/A\")"},
        {"#div/0!", "(kvError \"#DIV/0!\")"},
        {"{1,2;3,-4}", "(kvArray 2 2 1 2 3 -4)"},
        {"{\"a\",TRUE}", "(kvArray 1 2 \"a\" TRUE)"},
        // references
        {"B3", "Sheet1!B3"},
        {"$b$3", "Sheet1!B3"},
        {"Sheet1!$A1", "Sheet1!A1"},
        {"sheet1!A1", "Sheet1!A1"},
        {"'My Sheet'!C2", "My Sheet!C2"},
        {"'Bob''s'!A1", "Bob's!A1"},
        {"A1:B2", "['Sheet1'!$A$1:$B$2]"},
        {"Data!B2:A1", "['Data'!$A$1:$B$2]"},
        {"Data!A:A", "['Data'!$A$1:$A$4]"},
        {"Data!$A:$B", "['Data'!$A$1:$B$4]"},
        {"Data!2:3", "['Data'!$A$2:$B$3]"},
        {"Data!A:XFD", "['Data'!$A$1:$B$4]"},
        {"Data!C:D", "['Data'!$C$1:$C$4]"},
        {"Data!1:1048576", "['Data'!$A$1:$B$4]"},
        {"Sheet1!A:A", "['Sheet1'!$A$1]"},
        {"SUM((A1:A2,C1))", "(SUM ['Sheet1'!$A$1:$A$2,'Sheet1'!$C$1])"},
        {"Sales", "['Data'!$A$1:$A$2]"},
        {"Data!Sales", "['Data'!$A$1:$A$2]"},
        {"rate*2", "(* 0.2 2)"},
        {"Unknown+1", "(+ (kvError \"#NAME?\") 1)"},
        {"Data!#REF!", "(kvError \"#REF!\")"},
        // a sheet the workbook lacks is #REF!, as the spreadsheet shows it
        {"Gone!A1+1", "(+ (kvError \"#REF!\") 1)"},
        {"SUM('No such'!A1:B2)", "(SUM (kvError \"#REF!\"))"},
        // operators and precedence
        {"1+2*3", "(+ 1 (* 2 3))"},
        {"(1+2)*3", "(* (+ 1 2) 3)"},
        {"1-2-3", "(- (- 1 2) 3)"},
        {"2^3^2", "(POWER (POWER 2 3) 2)"},
        {"-2^2", "(POWER (- 0 2) 2)"},
        {"-A1", "(- 0 Sheet1!A1)"},
        {"+A1", "Sheet1!A1"},
        {"--1", "(- 0 (- 0 1))"},
        {"50%", "(/ 50 100)"},
        {"A1%%", "(/ (/ Sheet1!A1 100) 100)"},
        {"2*50%^2", "(* 2 (POWER (/ 50 100) 2))"},
        {"\"a\"&1+2", "(& \"a\" (+ 1 2))"},
        {"1&2=\"12\"", "(= (& 1 2) \"12\")"},
        {"A1<>B1", "(<> Sheet1!A1 Sheet1!B1)"},
        {"1<2<=3>=4>5", "(> (>= (<= (< 1 2) 3) 4) 5)"},
        {" 1 +\t2 ", "(+ 1 2)"},
        // calls
        {"sum(A1:A3)", "(SUM ['Sheet1'!$A$1:$A$3])"},
        {"PI()", "(PI)"},
        {"IF(A1,,2)", "(IF Sheet1!A1 _ 2)"},
        {"IF(A1,1,)", "(IF Sheet1!A1 1 _)"},
        {"F(,)", "(F _ _)"},
        {"ROUND(SUM(A1,B1)/2,0)", "(ROUND (/ (SUM Sheet1!A1 Sheet1!B1) 2) 0)"},
        {"_xlfn.STDEV.S(A1:A2)", "(STDEV.S ['Sheet1'!$A$1:$A$2])"},
        {"_xlfngnumeric.IFNA(A1,2)", "(IFNA Sheet1!A1 2)"},
        {"LOG10(100)", "(LOG10 100)"},
        {"A1B", "(kvError \"#NAME?\")"},
    };
    for (const ParseCase& c : cases)
        EXPECT_EQ(Parse(c.formula), c.tree) << c.formula;
}

TEST_F(FormulaParserTest, RefusesWhatIsNoFormula)
{
    const char* bad[] = {
        "",
        "=",
        "1+",
        "(1",
        "1)",
        "SUM(1",
        "SUM(1;2)",
        "\"open",
        "'Sheet1",
        "'S'A1",
        "#BOGUS",
        "1..2",
        "A1:",
        "$",
        "1 2",
        "@",
        "{1,2;3}",
        "{A1}",
        "{1",
        "(1,2)",
        "Loop",
        "Sheet1!",
        "Sheet1!F(1)",
        "[1]Sheet1!A1",
        "Sheet1:Sheet2!A1",
        "A1:A1048577",
    };
    for (const char* formula : bad) {
        FormulaError error;
        EXPECT_EQ(CFormulaParser::Parse(formula, context, &error), nullptr) << formula;
        EXPECT_FALSE(error.message.empty()) << formula;
    }
}

// References found when the movie runs read the cells by place, through the view of their whole
// sheet (A1 to its last used cell): OFFSET's reference and ":" between calls become kvRef, and
// INDIRECT is handed the formula's place and every sheet's view, its own sheet first.
TEST_F(FormulaParserTest, ReferencesByPlaceGoThroughTheViewsOfTheirSheets)
{
    const ParseCase cases[] = {
        {"OFFSET(Data!B2,1,0)", "(OFFSET (kvRef \"Data\" ['Data'!$A$1:$B$4] 2 2 1 1) 1 0)"},
        {"SUM(OFFSET(Data!A1:A3,0,1))", "(SUM (OFFSET (kvRef \"Data\" ['Data'!$A$1:$B$4] 1 1 3 1) 0 1))"},
        {"SUM(Data!A1:INDEX(Data!A1:A4,2))",
         "(SUM (kvRangeTo (kvRef \"Data\" ['Data'!$A$1:$B$4] 1 1 1 1) (kvIndexRef (kvRef \"Data\" "
         "['Data'!$A$1:$B$4] 1 1 4 1) 2)))"},
        {"A1:OFFSET(A1,1,1)",
         "(kvRangeTo (kvRef \"Sheet1\" ['Sheet1'!$A$1] 1 1 1 1) (OFFSET (kvRef \"Sheet1\" ['Sheet1'!$A$1] 1 1 1 1) 1 1))"},
        {"CELL(\"row\")", "(CELL \"row\" (kvRef \"Sheet1\" ['Sheet1'!$A$1] (ROW) (COLUMN) 1 1) \"Sheet1\")"},
        {"ROW(INDEX(Data!A1:A4,3))", "(ROW (kvIndexRef (kvRef \"Data\" ['Data'!$A$1:$B$4] 1 1 4 1) 3))"},
        // the sheets, then the names that stand for one area (Rate is a number, Loop no reference)
        {"INDIRECT(\"B2\")",
         "(INDIRECT \"B2\" _ (ROW) (COLUMN) 4 \"Sheet1\" ['Sheet1'!$A$1] \"My Sheet\" ['My Sheet'!$A$1] \"Bob's\" "
         "['Bob''s'!$A$1] \"Data\" ['Data'!$A$1:$B$4] \"Sales\" (kvRef \"Data\" ['Data'!$A$1:$B$4] 1 1 2 1))"},
        // a calculated value, a number or a 3-D reference is no operand of ":"
        {"SUM(1):A1", "error: \":\" joins only references and the calls that give them (INDEX, OFFSET, INDIRECT) @9"},
    };
    for (const ParseCase& c : cases)
        EXPECT_EQ(Parse(c.formula), c.tree) << c.formula;
}

TEST_F(FormulaParserTest, ReportsWhereItFailed)
{
    FormulaError error;
    EXPECT_EQ(CFormulaParser::Parse("=SUM(1,2", context, &error), nullptr);
    EXPECT_EQ(error.offset, 8u);
    EXPECT_EQ(CFormulaParser::Parse("=1+@", context, &error), nullptr);
    EXPECT_EQ(error.offset, 3u);

    // A fault in a name used through another is reported once, naming both.
    model.SetDefinedName("Outer", "Inner*2");
    model.SetDefinedName("Inner", "SUM(1,");
    EXPECT_EQ(CFormulaParser::Parse("Outer+1", context, &error), nullptr);
    EXPECT_EQ(error.message,
              "the defined name Outer cannot be read (in Inner, a name it uses): the formula ends too early");
}

// A defined name's relative parts are written from A1 and count from the cell that uses it,
// wrapping round the sheet's edges; its absolute parts stay where they are.
TEST_F(FormulaParserTest, PlacesRelativeNamesAtTheFormulasCell)
{
    model.SetDefinedName("Beside", "Sheet1!$B1");
    model.SetDefinedName("Column", "Sheet1!A$1:A$2");
    model.SetDefinedName("Above", "Sheet1!A1048576");
    model.SetDefinedName("Outer", "Beside*2");
    context.row = 3;
    context.column = 2;
    EXPECT_EQ(Parse("Beside*10"), "(* Sheet1!B3 10)");
    EXPECT_EQ(Parse("SUM(Column)"), "(SUM ['Sheet1'!$B$1:$B$2])");
    EXPECT_EQ(Parse("Above"), "Sheet1!B2");
    EXPECT_EQ(Parse("Outer"), "(* Sheet1!B3 2)");
    EXPECT_EQ(Parse("Sales"), "['Data'!$A$1:$A$2]");
    // references written in the formula itself stay as written
    EXPECT_EQ(Parse("A1"), "Sheet1!A1");
}

// What the movie cannot calculate is named, not reported as a stray character.
TEST_F(FormulaParserTest, NamesWhatItDoesNotSupport)
{
    const std::pair<const char*, const char*> cases[] = {
        {"SUM(Table1[Sales])", "table references (Table1[Column]) are not supported"},
        {"Table1[[#This Row],[Sales]]*2", "table references (Table1[Column]) are not supported"},
        {"[1]Sheet1!A1+1", "references to other workbooks ([1]Sheet1!A1) are not supported"},
        {"'[1]Cost rates'!F17*2", "references to other workbooks ([1]Sheet1!A1) are not supported"},
        {"_xlfn.LAMBDA(_xlpm.x,_xlpm.x+1)(3)", "LAMBDA is not supported"},
        {"_xlfn.LET(_xlpm.x,2,_xlpm.x*3)", "LET is not supported"},
    };
    for (const auto& [formula, message] : cases) {
        FormulaError error;
        EXPECT_EQ(CFormulaParser::Parse(formula, context, &error), nullptr) << formula;
        EXPECT_EQ(error.message, message) << formula;
    }
}

TEST_F(FormulaParserTest, BoundsDepthAndLength)
{
    std::string deep(kMaxFormulaDepth + 1, '(');
    deep += "1" + std::string(kMaxFormulaDepth + 1, ')');
    FormulaError error;
    EXPECT_EQ(CFormulaParser::Parse(deep, context, &error), nullptr);
    EXPECT_NE(error.message.find("deeply"), std::string::npos);

    std::string calls;
    for (int i = 0; i < 200; ++i)
        calls += "ABS(";
    calls += "1" + std::string(200, ')');
    EXPECT_EQ(CFormulaParser::Parse(calls, context, &error), nullptr);
    EXPECT_EQ(CFormulaParser::Parse(std::string(150, '-') + "1", context, &error), nullptr);
    EXPECT_EQ(CFormulaParser::Parse(std::string(100000, '-') + "1", context, &error), nullptr);

    std::string shallow(20, '(');
    shallow += "1" + std::string(20, ')');
    EXPECT_NE(CFormulaParser::Parse(shallow, context), nullptr);

    std::string longSum = "A1";
    while (longSum.size() < kMaxFormulaLength - 4)
        longSum += "+A1";
    EXPECT_NE(CFormulaParser::Parse(longSum, context), nullptr);
    EXPECT_EQ(CFormulaParser::Parse(longSum + "+A1+A1", context, &error), nullptr);
}

TEST_F(FormulaParserTest, BoundsTheWorkOfDefinedNames)
{
    // Each name uses the one before ten times: the last stands for 10^9 ones in a few
    // hundred characters, and must be refused after a bounded amount of work.
    model.SetDefinedName("_n0", "1");
    for (int k = 1; k <= 9; ++k) {
        std::string uses;
        for (int i = 0; i < 10; ++i)
            uses += (i ? "+_n" : "_n") + std::to_string(k - 1);
        model.SetDefinedName("_n" + std::to_string(k), uses);
    }
    FormulaError error;
    EXPECT_NE(CFormulaParser::Parse("_n3", context), nullptr);
    EXPECT_EQ(CFormulaParser::Parse("_n9", context, &error), nullptr);
    EXPECT_NE(error.message.find("too large"), std::string::npos) << error.message;

    // Many formulas below the limit of one still share the budget of their workbook.
    std::size_t budget = 100000;
    FormulaContext shared = context;
    shared.tokenBudget = &budget;
    int read = 0;
    while (read < 100 && CFormulaParser::Parse("_n3", shared))
        ++read;
    EXPECT_GT(read, 1);
    EXPECT_LT(read, 100);

    // Cut to the formula limit, this name would refer to B1 instead of B10.
    std::string padded = "0";
    while (padded.size() < kMaxFormulaLength - 6)
        padded += "+0";
    model.SetDefinedName("Long", padded + "+Sheet1!B10");
    EXPECT_EQ(CFormulaParser::Parse("Long", context, &error), nullptr);
    EXPECT_NE(error.message.find("longer than"), std::string::npos) << error.message;
}

TEST_F(FormulaParserTest, RangesNumberOnlyTheCellsTheWorkbookUses)
{
    // Data!B4 is the one used cell: ranges of any size give a variable to it alone, and a
    // cell a binding writes keeps its variable inside them.
    model.SetCell("Data", 900000, 3, CCellData{"2", "number", "", false});
    ASSERT_NE(CFormulaParser::Parse("SUM(Data!A1:C1048576)+SUM(Data!B1:B10,Data!A1:XFD1048576)", context), nullptr);
    EXPECT_EQ(table.GetRangeCount(), 3u);
    EXPECT_EQ(table.GetCellCount(), 2u);
    EXPECT_GE(table.FindCell("Data", 4, 2), 0);
    EXPECT_GE(table.FindCell("Data", 900000, 3), 0);
    CRange bound;
    ASSERT_TRUE(bound.AddArea(CCellRef("Data", 1, 2), CCellRef("Data", 5, 2)));
    ASSERT_EQ(table.AddRange(bound), 3);
    EXPECT_EQ(table.GetCellCount(), 6u);
    std::vector<std::string> seen;
    table.ForEachNumberedCell(*table.GetRange(0), [&](const CCellRef& cell) { seen.push_back(cell.GetShortText()); });
    EXPECT_EQ(seen, (std::vector<std::string>{"B1", "B2", "B3", "B4", "B5", "C900000"}));
    // A component bound to a formula's range of the whole sheet is refused, not numbered.
    EXPECT_EQ(table.AddRange(*table.GetRange(2)), -1);
    EXPECT_EQ(table.GetCellCount(), 6u);
}

TEST_F(FormulaParserTest, OverlappingRangesNumberEachUsedCellOnce)
{
    // Ranges that overlap, touch or leave gaps number exactly the used cells they cover.
    for (int row = 1; row <= 12; ++row)
        model.SetCell("Col", row, 1, CCellData{std::to_string(row), "number", "", false});
    for (const char* sum : {"SUM(Col!A3:A5)", "SUM(Col!A8:A9)", "SUM(Col!A1:A4)", "SUM(Col!A6:A6)", "SUM(Col!A2:A9)"})
        ASSERT_NE(CFormulaParser::Parse(sum, context), nullptr) << sum;
    std::vector<int> rows;
    for (std::size_t i = 0; i < table.GetCellCount(); ++i)
        rows.push_back(table.GetCellAt(i)->row);
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(FormulaParserTest, LongChainsAreWalkedWithoutRecursion)
{
    // 1200 additions make a tree 1200 levels deep: copying, collecting and destroying it
    // must not depend on the stack.
    std::string sum = "A1";
    for (int row = 2; row <= 1200; ++row)
        sum += "+A" + std::to_string(row);
    auto tree = CFormulaParser::Parse(sum, context);
    ASSERT_NE(tree, nullptr);
    auto copy = tree->Clone();
    std::vector<CCellRef> cells;
    std::vector<int> ranges;
    copy->CollectReferences(cells, ranges, table);
    ASSERT_EQ(cells.size(), 1200u);
    EXPECT_EQ(cells.front().GetShortText(), "A1");
    EXPECT_EQ(cells.back().GetShortText(), "A1200");
}

TEST_F(FormulaParserTest, EntersReferencesIntoTheTable)
{
    auto tree = CFormulaParser::Parse("SUM(A1:A2)+A2+B7", context);
    ASSERT_NE(tree, nullptr);
    std::vector<CCellRef> cells;
    std::vector<int> ranges;
    tree->CollectReferences(cells, ranges, table);
    ASSERT_EQ(ranges.size(), 1u);
    // The range first, then the cells it holds variables for (A1 is empty and has none),
    // then the single cells, children before parents.
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0].GetShortText(), "A2");
    EXPECT_EQ(cells[1].GetShortText(), "A2");
    EXPECT_EQ(cells[2].GetShortText(), "B7");
    EXPECT_EQ(cells[0].id, cells[1].id);
    EXPECT_EQ(table.GetCellCount(), 2u);
    EXPECT_EQ(table.GetRangeCount(), 1u);
}

TEST_F(FormulaParserTest, CheckingWithoutTableEntersNothing)
{
    FormulaContext check;
    check.sheet = "Sheet1";
    auto tree = CFormulaParser::Parse("SUM(A1:A2)+B1", check);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(sheettest::Describe(*tree), "(+ (SUM [?]) Sheet1!B1)");
    EXPECT_EQ(tree->GetChild(1).GetCell().id, -1);
    // Ranges cost nothing to check, whatever their size.
    EXPECT_NE(CFormulaParser::Parse("SUM(A1:C50000,D1:F50000)", check), nullptr);
    EXPECT_NE(CFormulaParser::Parse("A1:XFD1048576", check), nullptr);
}

TEST(FormulaScannerTest, TokensAndOffsets)
{
    CFormulaScanner scanner("SUM( 'A b'!$C$3:D4 ,1)<>\"x\"");
    std::vector<TokenKind> kinds;
    std::vector<std::size_t> offsets;
    for (FormulaToken token = scanner.Next(); token.kind != TokenKind::End; token = scanner.Next()) {
        kinds.push_back(token.kind);
        offsets.push_back(token.offset);
        if (token.kind == TokenKind::Reference) {
            EXPECT_EQ(token.sheet, "A b");
            EXPECT_EQ(token.first.column, 3);
            ASSERT_TRUE(token.second.has_value());
            EXPECT_EQ(token.second->row, 4);
        }
    }
    EXPECT_EQ(kinds, (std::vector<TokenKind>{TokenKind::Function, TokenKind::Reference, TokenKind::Comma,
                                             TokenKind::Number, TokenKind::RightParen, TokenKind::Operator,
                                             TokenKind::String}));
    EXPECT_EQ(offsets, (std::vector<std::size_t>{0, 5, 19, 20, 21, 22, 24}));
}

} // namespace
