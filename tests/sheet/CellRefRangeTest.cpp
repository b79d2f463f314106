#include "sheet/cells/CellRef.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"

#include <gtest/gtest.h>

#include <thread>

TEST(CellRefTest, ColumnLettersBothWays)
{
    struct Case {
        int column;
        const char* letters;
    };
    for (const Case& c : {Case{1, "A"}, Case{26, "Z"}, Case{27, "AA"}, Case{52, "AZ"}, Case{53, "BA"},
                          Case{702, "ZZ"}, Case{703, "AAA"}, Case{16384, "XFD"}}) {
        EXPECT_EQ(ColumnLetters(c.column), c.letters) << c.column;
        EXPECT_EQ(ColumnFromLetters(c.letters), c.column) << c.letters;
    }
    EXPECT_EQ(ColumnFromLetters("xfd"), 16384);
    for (const char* outside : {"", "XFE", "AAAA", "A1", "$A"})
        EXPECT_EQ(ColumnFromLetters(outside), 0) << outside;
    EXPECT_EQ(ColumnLetters(0), "");
    EXPECT_EQ(ColumnLetters(16385), "");
}

TEST(CellRefTest, TextsAndVariableName)
{
    CCellRef cell("Sheet1", 3, 2, 17);
    EXPECT_EQ(cell.GetText(), "'Sheet1'!$B$3");
    EXPECT_EQ(cell.GetVariableName(), "V17");
    EXPECT_EQ(GetVariableId(cell), 17);
    // The workbook doubles a quote inside a quoted sheet name; so must we, or the text
    // cannot be read back.
    EXPECT_EQ(CCellRef("Bob's data", 1, 1).GetText(), "'Bob''s data'!$A$1");
}

TEST(RangeTest, AreasExpandInReadingOrder)
{
    CRange range;
    ASSERT_TRUE(range.AddArea(CCellRef("S", 3, 3), CCellRef("S", 2, 1))); // corners in any order
    ASSERT_TRUE(range.AddArea(CCellRef("T", 5, 1), CCellRef("T", 5, 1)));
    EXPECT_EQ(range.GetAreaCount(), 2u);
    int rows = 0, columns = 0;
    ASSERT_TRUE(range.GetAreaSize(0, rows, columns));
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(columns, 3);
    ASSERT_EQ(range.GetCellCount(), 7u);
    EXPECT_EQ(range.GetCell(0)->GetShortText(), "A2");
    EXPECT_EQ(range.GetCell(2)->GetShortText(), "C2");
    EXPECT_EQ(range.GetCell(3)->GetShortText(), "A3");
    EXPECT_EQ(range.GetCell(6)->sheet, "T");
    CCellRef cell;
    ASSERT_TRUE(range.GetCells(0, 1, 2, cell));
    EXPECT_EQ(cell.GetShortText(), "C3");
    ASSERT_TRUE(range.GetCells(1, 0, 0, cell));
    EXPECT_EQ(cell.GetText(), "'T'!$A$5");
    EXPECT_EQ(range.GetText(), "'S'!$A$2:$C$3,'T'!$A$5");

    // Every index past the end is refused instead of read.
    EXPECT_FALSE(range.GetCell(7).has_value());
    EXPECT_FALSE(range.GetCell(7, cell));
    EXPECT_FALSE(range.GetCells(0, 2, 0, cell));
    EXPECT_FALSE(range.GetCells(0, 0, -1, cell));
    EXPECT_FALSE(range.GetCells(2, 0, 0, cell));
    EXPECT_FALSE(range.GetAreaSize(2, rows, columns));
    CCellRef start, end;
    EXPECT_FALSE(range.GetArea(2, start, end));
}

TEST(RangeTest, RefusesBadAreas)
{
    CRange range;
    EXPECT_FALSE(range.AddArea(CCellRef("S", 0, 1), CCellRef("S", 1, 1)));
    EXPECT_FALSE(range.AddArea(CCellRef("S", 1, 1), CCellRef("T", 1, 1)));
    EXPECT_EQ(range.GetAreaCount(), 0u);
    EXPECT_EQ(range.GetCellCount(), 0u);
    // A range does not list its cells, so the whole sheet is one area like any other.
    EXPECT_TRUE(range.AddArea(CCellRef("S", 1, 1), CCellRef("S", kMaxSheetRow, kMaxSheetColumn)));
    EXPECT_EQ(range.GetCellCount(), std::size_t{kMaxSheetRow} * kMaxSheetColumn);
    EXPECT_EQ(range.GetCell(range.GetCellCount() - 1)->GetShortText(), "XFD1048576");
}

TEST(VariableTableTest, CellsAreNumberedOnceInOrder)
{
    CVariableTable table;
    EXPECT_EQ(table.AddCell("S", 1, 1), 0);
    EXPECT_EQ(table.AddCell("S", 1, 2), 1);
    EXPECT_EQ(table.AddCell("T", 1, 1), 2);
    EXPECT_EQ(table.AddCell("S", 1, 1), 0);
    EXPECT_EQ(table.AddCell("S", 0, 1), -1);
    EXPECT_EQ(table.FindCell("T", 1, 1), 2);
    EXPECT_EQ(table.FindCell("U", 1, 1), -1);
    ASSERT_TRUE(table.GetCellAt(1).has_value());
    EXPECT_EQ(table.GetCellAt(1)->GetText(), "'S'!$B$1");
    EXPECT_EQ(table.GetCellAt(1)->id, 1);
    EXPECT_FALSE(table.GetCellAt(3).has_value());
    table.Clear();
    EXPECT_EQ(table.GetCellCount(), 0u);
    EXPECT_EQ(table.AddCell("T", 1, 1), 0);
}

TEST(VariableTableTest, RangesAreStoredOnceAndNumberTheirCells)
{
    CVariableTable table;
    table.AddCell("S", 2, 1);
    CRange range;
    range.AddArea(CCellRef("S", 1, 1), CCellRef("S", 2, 1));
    bool added = false;
    EXPECT_EQ(table.AddRange(range, &added), 0);
    EXPECT_TRUE(added);
    const CRange* stored = table.GetRange(0);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetCell(0)->id, 1);
    EXPECT_EQ(stored->GetCell(1)->id, 0); // known before, keeps its id

    CRange same;
    same.AddArea(CCellRef("S", 2, 1), CCellRef("S", 1, 1));
    EXPECT_EQ(table.FindRange(same), 0);
    EXPECT_EQ(table.AddRange(same, &added), 0);
    EXPECT_FALSE(added);
    CRange other;
    other.AddArea(CCellRef("S", 1, 1), CCellRef("S", 3, 1));
    EXPECT_EQ(table.FindRange(other), -1);
    EXPECT_EQ(table.AddRange(other), 1);
    EXPECT_EQ(table.GetRange(2), nullptr);
}

TEST(VariableTableTest, ConcurrentAddsGiveDistinctIds)
{
    CVariableTable table;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&table] {
            for (int row = 1; row <= 500; ++row)
                table.AddCell("S", row, 1);
        });
    for (auto& thread : threads)
        thread.join();
    ASSERT_EQ(table.GetCellCount(), 500u);
    for (std::size_t i = 0; i < 500; ++i)
        EXPECT_EQ(table.GetCellAt(i)->id, static_cast<int32_t>(i));
}
