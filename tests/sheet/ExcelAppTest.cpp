#include "sheet/host/ExcelApp.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/XlsxReader.h"
#include "tests/sheet/XlsxTestPackages.h"

#include <cstdint>
#include <gtest/gtest.h>

#include <filesystem>

using sheet::WorkbookError;
namespace xlsx = sheet::xlsx;

namespace {

struct ExcelAppTest : ::testing::Test {
    void SetUp() override
    {
        std::filesystem::copy_file(xlsxtest::WorkbookData("model.xlsx"), copy);
        source = testsupport::ReadBytes(copy);
    }

    CCellValueRecord Record(int32_t id, const std::string& a1, std::unique_ptr<CModelVariable> value,
                            bool exported)
    {
        CCellValueRecord record(id, CellVariableName(id), a1, value.get());
        record.exportFlag = exported ? 1 : 0;
        return record;
    }

    testsupport::TempDir dir;
    std::string copy = (dir / "model copy.xlsx").string();
    std::vector<std::uint8_t> source;
};

const xlsx::Cell* At(const xlsx::Workbook& book, const std::string& sheet, std::uint32_t row,
                     std::uint32_t column)
{
    for (const auto& cell : book.FindSheet(sheet)->cells)
        if (cell.row == row && cell.column == column)
            return &cell;
    return nullptr;
}

} // namespace

TEST_F(ExcelAppTest, WritesExportedValuesIntoACopyAndLeavesTheModelCopyAlone)
{
    CCellValueMap values;
    values.insert(Record(0, "'Inputs'!$B$2", CModelVariable::MakeNumber(2500), true));
    values.insert(Record(1, "'Inputs'!$A$1", CModelVariable::CModelVariableFromText("Interest"), true));
    values.insert(Record(2, "'Inputs'!$B$3", CModelVariable::MakeBoolean(false), true));
    values.insert(Record(3, "'Inputs'!$A$5", CModelVariable::MakeNumber(42), false));
    values.insert(Record(4, "'Calc Sheet'!$B$9", nullptr, true));
    std::string target = (dir / "exported.xlsx").string();

    CExcelApp app(copy);
    app.SaveWorkbookAs(target);
    app.WriteModel(values);
    app.SaveWorkbook();
    app.CloseAllAndQuit();
    EXPECT_FALSE(app.HasWorkbook());

    auto book = xlsx::ReadWorkbookFile(target);
    EXPECT_DOUBLE_EQ(At(book, "Inputs", 1, 1)->number, 2500);
    EXPECT_EQ(At(book, "Inputs", 0, 0)->text, "Interest");
    EXPECT_EQ(At(book, "Inputs", 2, 1)->type, CellType::Boolean);
    EXPECT_DOUBLE_EQ(At(book, "Inputs", 4, 0)->number, 1); // not exported
    EXPECT_EQ(At(book, "Calc Sheet", 8, 1), nullptr);      // emptied
    EXPECT_EQ(testsupport::ReadBytes(copy), source);
}

TEST_F(ExcelAppTest, NeverOverwritesTheImportedWorkbook)
{
    CExcelApp app(copy);
    app.ProtectPath(copy);
    std::filesystem::create_directory(dir / "sub");
    std::filesystem::create_symlink(copy, dir / "link.xlsx");
    // Other spellings of the same file are refused as well as the plain one.
    for (const auto& path :
         {copy, (dir / "sub" / ".." / "model copy.xlsx").string(), (dir / "link.xlsx").string()}) {
        SCOPED_TRACE(path);
        app.WriteCells({{"Inputs", {0, 0}, xlsx::CellValue::Number(1)}});
        EXPECT_THROW(app.SaveWorkbookAs(path), WorkbookError);
    }
    EXPECT_THROW(app.SaveWorkbook(), WorkbookError);
    EXPECT_EQ(testsupport::ReadBytes(copy), source);
    EXPECT_THROW(app.SaveWorkbookAs((dir / "no such folder" / "x.xlsx").string()), WorkbookError);
    // A new name is written, with the cells written since, and the source stays as it was.
    app.SaveWorkbookAs((dir / "other.xlsx").string());
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "other.xlsx"));
    EXPECT_NE(testsupport::ReadBytes(dir / "other.xlsx"), source);
    EXPECT_EQ(testsupport::ReadBytes(copy), source);
}

TEST_F(ExcelAppTest, ReadsMarkedValuesAndComparesSheetNames)
{
    CVariableTable table;
    CCellModel model;
    int32_t rate = table.AddCell("Inputs", 1, 2);
    int32_t flag = table.AddCell("inputs", 3, 2);
    int32_t text = table.AddCell("Calc Sheet", 2, 1);
    int32_t empty = table.AddCell("Calc Sheet", 20, 1);
    int32_t unmarked = table.AddCell("Inputs", 2, 2);
    CCellValueMap values;
    for (int32_t id : {rate, flag, text, empty, unmarked}) {
        CCellValueRecord& record = values.insert(Record(id, "", CModelVariable::MakeNumber(-1), false));
        record.mark = id == unmarked ? 0 : 1;
    }

    CExcelApp app;
    EXPECT_THROW(app.ImportWorkbook(table, model, values), WorkbookError);
    app.OpenWorkbook(copy);
    app.ImportWorkbook(table, model, values);
    EXPECT_DOUBLE_EQ(values.Lookup(rate)->GetValue()->GetNumber(), 0.05);
    EXPECT_EQ(values.Lookup(flag)->GetValue()->GetKind(), ModelKind::Boolean);
    EXPECT_EQ(values.Lookup(text)->GetValue()->GetText(), "yes");
    EXPECT_EQ(values.Lookup(empty)->GetValue()->GetKind(), ModelKind::NoValue);
    EXPECT_DOUBLE_EQ(values.Lookup(unmarked)->GetValue()->GetNumber(), -1);

    // A save reads the workbook anew; its sheets are still found afterwards.
    app.SaveWorkbookAs((dir / "saved.xlsx").string());
    CCellValueMap again;
    again.insert(Record(rate, "", CModelVariable::MakeNumber(-1), false)).mark = 1;
    app.ImportWorkbook(table, model, again);
    EXPECT_DOUBLE_EQ(again.Lookup(rate)->GetValue()->GetNumber(), 0.05);

    EXPECT_FALSE(app.CheckSheetNames(table));
    table.AddCell("Gone", 1, 1);
    EXPECT_TRUE(app.CheckSheetNames(table));
    EXPECT_EQ(CExcelApp::GetVersion().substr(0, 3), "9.0");
}

TEST_F(ExcelAppTest, RefusesWorkbooksItCannotRead)
{
    std::string bad = (dir / "bad.xlsx").string();
    testsupport::WriteBytes(bad, {'n', 'o'});
    CExcelApp app;
    EXPECT_THROW(app.OpenWorkbook(bad), WorkbookError);
    EXPECT_THROW(app.OpenWorkbook((dir / "missing.xlsx").string()), WorkbookError);
    EXPECT_FALSE(app.HasWorkbook());
    EXPECT_THROW(app.SaveWorkbook(), WorkbookError);
}
