#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/formula/FormulaParser.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/VariableTable.h"

#include "SheetTestSupport.h"

#include <gtest/gtest.h>

TEST(CellModelTest, ConstantsFollowTheStoredType)
{
    CCellModel model;
    struct Case {
        CCellData data;
        const char* constant; // none when empty
    };
    const Case cases[] = {
        {{"3.5", "number", "", false}, "3.5"},
        {{"45000", "datetime", "", false}, "45000"},
        {{"010", "string", "", false}, "\"010\""},
        {{"", "string", "", false}, "\"\""},
        {{"TRUE", "boolean", "", false}, "TRUE"},
        {{"0", "boolean", "", false}, "FALSE"},
        // an error is the error value itself, so that it spreads; text that names no error stays text
        {{"#N/A", "error", "", false}, "(kvError \"#N/A\")"},
        {{"#DIV/0!", "error", "", false}, "(kvError \"#DIV/0!\")"},
        {{"#WHAT", "error", "", false}, "\"#WHAT\""},
        {{"12abc", "number", "", false}, "\"12abc\""},
        {{"", "number", "", false}, ""},
        {{"", "", "A1", false}, ""},
    };
    int row = 1;
    for (const Case& c : cases) {
        model.SetCell("S", row, 1, c.data);
        auto constant = model.MakeConstantNode(CCellRef("S", row, 1));
        EXPECT_EQ(constant ? sheettest::Describe(*constant) : "", c.constant) << "row " << row;
        ++row;
    }
    EXPECT_EQ(model.MakeConstantNode(CCellRef("S", 99, 1)), nullptr);
}

TEST(CellModelTest, FormulasAreParsedOnTheirSheet)
{
    CCellModel model;
    CVariableTable table;
    model.SetCell("Calc", 1, 1, CCellData{"5", "number", "B1*2", false});
    model.SetCell("Calc", 2, 1, CCellData{"", "", "SUM(", false});
    model.SetCell("Calc", 3, 1, CCellData{"1", "number", "", false});
    EXPECT_TRUE(model.HasFormula(CCellRef("Calc", 1, 1)));
    EXPECT_FALSE(model.HasFormula(CCellRef("Calc", 3, 1)));
    EXPECT_FALSE(model.HasFormula(CCellRef("Calc", 9, 1)));

    auto tree = model.ParseCellFormula(CCellRef("Calc", 1, 1), table);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(sheettest::Describe(*tree), "(* Calc!B1 2)");
    EXPECT_EQ(table.GetCellCount(), 1u);

    FormulaError error;
    EXPECT_EQ(model.ParseCellFormula(CCellRef("Calc", 2, 1), table, &error), nullptr);
    EXPECT_FALSE(error.message.empty());
    EXPECT_EQ(model.ParseCellFormula(CCellRef("Calc", 9, 1), table), nullptr);
}

TEST(CellModelTest, SheetsNamedValuesAndFlags)
{
    CCellModel model;
    model.AddSheet("First");
    model.SetCell("Second", 7, 3, CCellData{"x", "string", "", true});
    model.SetCell("first", 2, 9, CCellData{"y", "string", "", true});
    EXPECT_EQ(model.GetSheetNames(), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(model.FindSheet("SECOND").value_or(""), "Second");
    EXPECT_EQ(model.GetLastRow("Second"), 7);
    EXPECT_EQ(model.GetLastColumn("First"), 9);
    EXPECT_TRUE(model.GetCell("First", 2, 9).has_value());
    EXPECT_TRUE(model.GetCell("FIRST", 2, 9).has_value());
    EXPECT_FALSE(model.GetCell("Third", 2, 9).has_value());
    EXPECT_FALSE(model.SetCell("First", 0, 1, CCellData{}));

    model.ClearChangedFlags();
    EXPECT_FALSE(model.GetCell("Second", 7, 3)->changed);

    model.SetNamedValue("KVSDAYNAME1", "Sunday");
    model.SetNamedValue("KVDecimalSeparator", ".");
    auto values = model.GetNamedValues();
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values.begin()->first, "KVDecimalSeparator");
}

// Cell ids follow this order, so a movie's variables depend on it; the sheet's largest row
// and column must not run into the next sheet or place.
TEST(CellModelTest, WalkVisitsSheetsByNameThenRowsAndColumns)
{
    CCellModel model;
    model.SetCell("Zeta", 1, 1, CCellData{"1", "number", "", false});
    model.SetCell("Alpha", kMaxSheetRow, kMaxSheetColumn, CCellData{"last", "string", "", false});
    model.SetCell("Alpha", 2, 1, CCellData{"2", "number", "A1", false});
    model.SetCell("Alpha", 1, kMaxSheetColumn, CCellData{"3", "number", "", false});
    model.SetCell("Alpha", 2, 1, CCellData{"4", "number", "", false});
    std::vector<std::string> visited;
    model.ForEachCell([&](const CCellRef& cell, const CCellData& data) {
        visited.push_back(cell.sheet + "!" + std::to_string(cell.row) + "," + std::to_string(cell.column) +
                          "=" + data.valueText);
    });
    EXPECT_EQ(visited, (std::vector<std::string>{"Alpha!1,16384=3", "Alpha!2,1=4", "Alpha!1048576,16384=last",
                                                 "Zeta!1,1=1"}));
    EXPECT_EQ(model.GetCellCount(), 4u);
    EXPECT_FALSE(model.HasFormula(CCellRef("alpha", 2, 1)));
    EXPECT_EQ(model.GetCell("ALPHA", kMaxSheetRow, kMaxSheetColumn)->valueText, "last");
}

TEST(CellValueMapTest, InsertKeepsFindNeedsTheMark)
{
    CCellValueMap map;
    auto number = CModelVariable::MakeNumber(3.5);
    CCellValueRecord first(12, "V12", "'S'!$A$1", number.get());
    CCellValueRecord& stored = map.insert(first);
    EXPECT_EQ(map.Find(12), nullptr);
    EXPECT_EQ(map.Lookup(12), &stored);
    stored.mark = 1;
    EXPECT_EQ(map.Find(12), &stored);

    auto text = CModelVariable::CModelVariableFromText("abc");
    CCellValueRecord second(12, "V12", "'S'!$A$1", text.get());
    EXPECT_EQ(map.insert(second).GetValue()->GetNumber(), 3.5); // the first record stays
    map.Replace(second);
    EXPECT_EQ(map.Lookup(12)->GetValue()->GetText(), "abc");

    map.insert(CCellValueRecord(3, "V3", "'S'!$A$2", nullptr));
    ASSERT_EQ(map.GetCount(), 2u);
    EXPECT_EQ(map.NthIterator(0)->GetCellId(), 3);
    EXPECT_EQ(map.NthIterator(1)->GetCellId(), 12);
    EXPECT_EQ(map.NthIterator(2), nullptr);

    CCellValueRecord copy = *map.NthIterator(1);
    EXPECT_NE(copy.GetValue(), map.NthIterator(1)->GetValue()); // a deep copy
    EXPECT_EQ(copy.GetValue()->GetText(), "abc");
}
