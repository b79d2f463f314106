// A workbook with formulas the reader cannot take: with keepUnreadFormulas the rest is stored,
// those cells keep the values the file stored, and each is listed with its reason.
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellType.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxWorkbook.h"

#include <gtest/gtest.h>

using namespace sheet;

namespace {

xlsx::Cell Number(std::uint32_t row, std::uint32_t column, double value, std::string formula = {})
{
    xlsx::Cell cell;
    cell.row = row;
    cell.column = column;
    cell.type = CellType::Number;
    cell.number = value;
    cell.formula = std::move(formula);
    return cell;
}

// A1 7, then formulas: one that reads, a link to another workbook, a table reference, an
// intersection of two ranges, one that reads again, a link to another workbook's quoted sheet.
xlsx::Workbook Mixed()
{
    xlsx::Workbook workbook;
    xlsx::Sheet sheet;
    sheet.name = "S";
    sheet.cells = {Number(0, 0, 7), Number(1, 0, 8, "A1+1"), Number(2, 0, 42, "[1]Other!A1"),
                   Number(3, 0, 5, "SUM(Sales[Amount])"), Number(4, 0, 7, "A1:A2 A1:B1"), Number(5, 0, 14, "A1*2"),
                   Number(6, 0, 137, "'[1]Cost rates'!F17*2")};
    workbook.sheets.push_back(std::move(sheet));
    return workbook;
}

} // namespace

TEST(UnreadFormulas, RefuseTheWorkbookUnlessAskedToKeepThem)
{
    CCellModel model;
    const FillResult result = FillCellModel(Mixed(), model);
    EXPECT_EQ(result.outcome, FillOutcome::FormulaFailed);
    EXPECT_EQ(result.failedItem, "'S'!$A$3");
    EXPECT_EQ(model.GetCellCount(), 0u);
}

TEST(UnreadFormulas, KeepTheirStoredValuesAndAreListedInOrder)
{
    CCellModel model;
    FillOptions options;
    options.keepUnreadFormulas = true;
    const FillResult result = FillCellModel(Mixed(), model, options);
    ASSERT_EQ(result.outcome, FillOutcome::Done);
    ASSERT_EQ(result.unreadFormulas.size(), 4u);
    EXPECT_EQ(result.unreadFormulas[0].cell, "'S'!$A$3");
    EXPECT_EQ(result.unreadFormulas[1].cell, "'S'!$A$4");
    EXPECT_EQ(result.unreadFormulas[2].cell, "'S'!$A$5");
    EXPECT_EQ(result.unreadFormulas[3].cell, "'S'!$A$7");
    for (const UnreadFormula& unread : result.unreadFormulas)
        EXPECT_NE(unread.reason.find("cannot be read"), std::string::npos) << unread.cell;

    // The formulas around them are stored as formulas, the unread ones as their values.
    EXPECT_EQ(model.GetCell("S", 2, 1)->formula, "A1+1");
    EXPECT_EQ(model.GetCell("S", 6, 1)->formula, "A1*2");
    for (int row : {3, 4, 5, 7}) {
        const std::optional<CCellData> cell = model.GetCell("S", row, 1);
        ASSERT_TRUE(cell) << row;
        EXPECT_TRUE(cell->formula.empty()) << row;
    }
    EXPECT_EQ(model.GetCell("S", 3, 1)->valueText, "42");
    EXPECT_EQ(model.GetCell("S", 7, 1)->valueText, "137");
    EXPECT_TRUE(model.IsLoaded());
}

TEST(UnreadFormulas, ManyAreListedInWorkbookOrderWhenCheckedOnSeveralThreads)
{
    // Enough formulas for the check to be shared among threads: the list keeps the order.
    xlsx::Workbook workbook;
    xlsx::Sheet sheet;
    sheet.name = "S";
    for (std::uint32_t row = 0; row < 20000; ++row)
        sheet.cells.push_back(Number(row, 0, row, row % 5000 == 7 ? "[2]X!A1" : "1+" + std::to_string(row)));
    workbook.sheets.push_back(std::move(sheet));
    CCellModel model;
    FillOptions options;
    options.keepUnreadFormulas = true;
    const FillResult result = FillCellModel(std::move(workbook), model, options);
    ASSERT_EQ(result.outcome, FillOutcome::Done);
    ASSERT_EQ(result.unreadFormulas.size(), 4u);
    EXPECT_EQ(result.unreadFormulas[0].cell, "'S'!$A$8");
    EXPECT_EQ(result.unreadFormulas[3].cell, "'S'!$A$15008");
    EXPECT_TRUE(model.GetCell("S", 15008, 1)->formula.empty());
    EXPECT_EQ(model.GetCell("S", 15008, 1)->valueText, "15007");
    EXPECT_EQ(model.GetCell("S", 15009, 1)->formula, "1+15008");
}
