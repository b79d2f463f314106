#include "sheet/workbook/XlsxWriter.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/XlsxPackage.h"
#include "sheet/workbook/XlsxReader.h"
#include "tests/sheet/XlsxTestPackages.h"

#include <cstdint>
#include <gtest/gtest.h>

using namespace sheet::xlsx;
using namespace xlsxtest;

namespace {

const Cell* At(const Workbook& book, const std::string& sheet, const char* a1)
{
    auto address = ParseCellAddress(a1);
    for (const auto& cell : book.FindSheet(sheet)->cells)
        if (cell.row == address->row && cell.column == address->column)
            return &cell;
    return nullptr;
}

CellWrite Put(const std::string& sheet, const char* a1, CellValue value)
{
    return {sheet, *ParseCellAddress(a1), std::move(value)};
}

} // namespace

TEST(XlsxWriter, ChangesOnlyTheCellsWritten)
{
    testsupport::TempDir dir;
    auto source = testsupport::ReadBytes(WorkbookData("model.xlsx"));
    std::string out = (dir / "out.xlsx").string();
    WritePackage(
        source, out,
        {Put("inputs", "B2", CellValue::Number(99.5)), Put("Inputs", "A1", CellValue::Text(" padded & <x> ")),
         Put("Inputs", "B3", CellValue::Boolean(false)), Put("Inputs", "D10", CellValue::Number(-7e-5)),
         Put("Inputs", "C1", CellValue::Text("ctl\x01_x0041_\r\n")), Put("Inputs", "A4", CellValue{}),
         Put("Inputs", "A5", CellValue::Text(" "))});

    Workbook book = ReadWorkbookFile(out);
    EXPECT_DOUBLE_EQ(At(book, "Inputs", "B2")->number, 99.5);
    EXPECT_EQ(At(book, "Inputs", "B2")->formatCode, "#,##0.00 \"EUR\""); // the cell keeps its style
    EXPECT_EQ(At(book, "Inputs", "A1")->text, " padded & <x> ");
    EXPECT_EQ(At(book, "Inputs", "B3")->type, CellType::Boolean);
    EXPECT_EQ(At(book, "Inputs", "B3")->number, 0);
    EXPECT_DOUBLE_EQ(At(book, "Inputs", "D10")->number, -7e-5);
    EXPECT_EQ(At(book, "Inputs", "C1")->text, "ctl\x01_x0041_\r\n");
    EXPECT_EQ(At(book, "Inputs", "A4"), nullptr); // emptied: only its style is left
    EXPECT_EQ(At(book, "Inputs", "A5")->text, " ");
    EXPECT_EQ(At(book, "Inputs", "B5")->formula, "A5*Rate");
    EXPECT_EQ(book.FindSheet("Inputs")->usedRange, (Area{0, 0, 9, 3}));

    // Cells must stay in order within the sheet part, or the program refuses the file.
    Package written(testsupport::ReadBytes(out));
    auto doc = written.ReadXml("xl/worksheets/sheet1.xml");
    std::uint32_t lastRow = 0;
    for (auto row : Child(doc.document_element(), "sheetData").children()) {
        std::uint32_t r = static_cast<std::uint32_t>(row.attribute("r").as_uint());
        EXPECT_GT(r, lastRow);
        lastRow = r;
        std::int64_t lastColumn = -1;
        for (auto c : row.children()) {
            auto address = ParseCellAddress(c.attribute("r").value());
            ASSERT_TRUE(address);
            EXPECT_EQ(address->row + 1, r);
            EXPECT_GT(static_cast<std::int64_t>(address->column), lastColumn);
            lastColumn = address->column;
        }
    }
    EXPECT_STREQ(Child(written.ReadXml("xl/workbook.xml").document_element(), "calcPr")
                     .attribute("fullCalcOnLoad")
                     .value(),
                 "1");

    Package original(source);
    ASSERT_EQ(written.PartNames(), original.PartNames());
    for (const auto& part : original.PartNames()) {
        if (part == "xl/worksheets/sheet1.xml" || part == "xl/workbook.xml")
            continue;
        EXPECT_EQ(written.ReadPart(part), original.ReadPart(part)) << part;
    }
    Workbook before = ReadWorkbook(source);
    ASSERT_EQ(book.names.size(), before.names.size());
    for (std::size_t i = 0; i < book.names.size(); ++i)
        EXPECT_EQ(book.names[i].formula, before.names[i].formula);
}

TEST(XlsxWriter, OverwritingAFormulaKeepsTheRestOfTheWorkbookWorking)
{
    std::string data =
        R"(<row r="2"><c r="A2"><v>1</v></c><c r="B2"><f t="shared" ref="B2:B4" si="0">A2*2</f><v>2</v></c></row>)"
        R"(<row r="3"><c r="A3"><v>2</v></c><c r="B3"><f t="shared" si="0"/><v>4</v></c></row>)"
        R"(<row r="4"><c r="A4"><v>3</v></c><c r="B4"><f t="shared" si="0"/><v>6</v></c></row>)";
    std::string types =
        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Override PartName="/xl/calcChain.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/></Types>)";
    auto source =
        Zip({{"[Content_Types].xml", types},
             {"_rels/.rels", kRootRels},
             {"xl/workbook.xml", WorkbookXml({"S"}, R"(<calcPr calcId="191029"/>)")},
             {"xl/_rels/workbook.xml.rels", WorkbookRels(1, false, false, true)},
             {"xl/worksheets/sheet1.xml", SheetXml(data)},
             {"xl/calcChain.xml", R"(<calcChain><c r="B2" i="1"/><c r="B3"/><c r="B4"/></calcChain>)"},
             {"xl/vbaProject.bin", std::string("\xD0\xCF\x11\xE0macros\0\x01", 12)}});
    testsupport::TempDir dir;
    std::string out = (dir / "out.xlsx").string();
    WritePackage(source, out, {Put("S", "B2", CellValue::Number(5))});

    Workbook book = ReadWorkbookFile(out);
    EXPECT_FALSE(At(book, "S", "B2")->HasFormula());
    EXPECT_EQ(At(book, "S", "B3")->formula, "A3*2");
    EXPECT_EQ(At(book, "S", "B4")->formula, "A4*2");
    Package written(testsupport::ReadBytes(out));
    EXPECT_FALSE(written.HasPart("xl/calcChain.xml"));
    EXPECT_EQ(written.ReadPart("xl/vbaProject.bin"), std::string("\xD0\xCF\x11\xE0macros\0\x01", 12));
    EXPECT_EQ(written.ReadPart("xl/_rels/workbook.xml.rels").find("calcChain"), std::string::npos);
    EXPECT_EQ(written.ReadPart("[Content_Types].xml").find("calcChain"), std::string::npos);
    EXPECT_NE(written.ReadPart("xl/workbook.xml").find("calcId=\"191029\""), std::string::npos);
}

TEST(XlsxWriter, RefusesWritesItCannotMakeAndLeavesTheTargetAlone)
{
    auto source = testsupport::ReadBytes(WorkbookData("model.xlsx"));
    testsupport::TempDir dir;
    std::string out = (dir / "out.xlsx").string();
    testsupport::WriteBytes(out, {'o', 'l', 'd'});
    struct Case {
        const char* name;
        CellWrite write;
        const char* message;
    };
    const Case cases[] = {
        {"inside an array formula", Put("Calc Sheet", "C2", CellValue::Number(1)), "array formula"},
        {"unknown sheet", Put("Nowhere", "A1", CellValue::Number(1)), "no such sheet"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            WritePackage(source, out, {Put("Inputs", "A1", CellValue::Number(1)), c.write});
            ADD_FAILURE() << "written";
        } catch (const sheet::WorkbookError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_EQ(testsupport::ReadBytes(out), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_THROW(WritePackage(source, (dir / "missing" / "out.xlsx").string(), {}), sheet::WorkbookError);
}
