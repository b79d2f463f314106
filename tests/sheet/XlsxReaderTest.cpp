#include "sheet/workbook/XlsxReader.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/XlsxAddress.h"
#include "sheet/workbook/XlsxNumberFormats.h"
#include "tests/sheet/XlsxTestPackages.h"

#include <cstdint>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <string>

using namespace sheet::xlsx;
using namespace xlsxtest;

namespace {

const Cell* At(const Sheet& sheet, const char* a1)
{
    auto address = ParseCellAddress(a1);
    for (const auto& cell : sheet.cells)
        if (address && cell.row == address->row && cell.column == address->column)
            return &cell;
    return nullptr;
}

// One cell of a workbook written by a spreadsheet program, as that program's source says.
struct ExpectedCell {
    int sheet;
    const char* cell;
    CellType type;
    double number;
    const char* text;
    const char* formula;
    bool isDate;
    const char* format;
};

void ExpectCells(const Workbook& book, const std::vector<ExpectedCell>& table)
{
    for (const auto& e : table) {
        SCOPED_TRACE(std::string(e.cell) + " of sheet " + std::to_string(e.sheet));
        const Cell* cell = At(book.sheets.at(static_cast<std::size_t>(e.sheet)), e.cell);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->type, e.type);
        EXPECT_DOUBLE_EQ(cell->number, e.number);
        EXPECT_EQ(cell->text, e.text);
        EXPECT_EQ(cell->formula, e.formula);
        EXPECT_EQ(cell->isDate, e.isDate);
        EXPECT_EQ(cell->formatCode, e.format);
    }
}

} // namespace

// The workbook here was written by Gnumeric from model.gnumeric; the expectations are what
// that source says, so the test fails if we read anything other than what the program wrote.
TEST(XlsxReader, ReadsWhatASpreadsheetProgramWrote)
{
    Workbook book = ReadWorkbookFile(WorkbookData("model.xlsx").string());
    ASSERT_EQ(book.sheets.size(), 2u);
    EXPECT_EQ(book.sheets[0].name, "Inputs");
    EXPECT_EQ(book.sheets[1].name, "Calc Sheet");
    EXPECT_FALSE(book.date1904);

    ExpectCells(
        book,
        {
            {0, "A1", CellType::Text, 0, "Rate", "", false, "General"},
            {0, "B1", CellType::Number, 0.05, "", "", false, "0.00%"},
            {0, "A2", CellType::Text, 0, "Amount", "", false, "General"},
            {0, "B2", CellType::Number, 1234.5, "", "", false, "#,##0.00 \"EUR\""},
            {0, "A3", CellType::Number, 45292, "", "", true, "yyyy-mm-dd"},
            {0, "B3", CellType::Boolean, 1, "", "", false, "General"},
            {0, "A4", CellType::Error, 0, "#N/A", "", false, "General"},
            {0, "B4", CellType::Text, 0, "Text & \"quotes\" <here>", "", false, "General"},
            {0, "B5", CellType::Number, 0.05, "", "A5*Rate", false, "General"},
            {0, "B7", CellType::Number, 0.15, "", "A7*Rate", false, "General"},
            {1, "A1", CellType::Number, 1296.225, "", "Inputs!B2*(1+Inputs!B1)", false, "General"},
            {1, "A2", CellType::Text, 0, "yes", "IF(Inputs!B3,\"yes\",\"no\")", false, "General"},
            {1, "A3", CellType::Number, 6, "", "SUM(Inputs!A5:A7)", false, "General"},
            {1, "A4", CellType::Error, 0, "#DIV/0!", "1/0", false, "General"},
            {1, "A5", CellType::Text, 0, "1296.225 total", "'Calc Sheet'!A1&\" total\"", false, "General"},
            {1, "C1", CellType::Number, 1, "", "TRANSPOSE(Inputs!A5:C5)", false, "General"},
            {1, "C2", CellType::Number, 0.05, "", "TRANSPOSE(Inputs!A5:C5)", false, "General"},
        });
    const Cell* array = At(book.sheets[1], "C1");
    ASSERT_TRUE(array->arrayRange.has_value());
    EXPECT_EQ(FormatArea(*array->arrayRange), "C1:C3");
    // Every listed cell of the area carries the formula and the area, to take its element.
    ASSERT_TRUE(At(book.sheets[1], "C2")->arrayRange.has_value());
    EXPECT_EQ(FormatArea(*At(book.sheets[1], "C2")->arrayRange), "C1:C3");

    EXPECT_EQ(book.sheets[0].usedRange, (Area{0, 0, 6, 1}));
    EXPECT_EQ(book.sheets[1].usedRange, (Area{0, 0, 4, 2}));
    EXPECT_EQ(book.CellCount(), 14u + 8u);
    EXPECT_EQ(book.FormulaCount(), 3u + 8u); // C3 is listed too

    ASSERT_FALSE(book.names.empty());
    EXPECT_EQ(book.names[0].name, "Rate");
    EXPECT_EQ(book.names[0].formula, "Inputs!$B$1");
    EXPECT_EQ(book.names[0].localSheet, -1);
    for (std::size_t i = 1; i < book.names.size(); ++i)
        EXPECT_NE(book.names[i].localSheet, -1) << book.names[i].name;
}

TEST(XlsxReader, ReadsNumbersTextsAndFormulasAsWritten)
{
    Workbook book = ReadWorkbookFile(WorkbookData("extras.xlsx").string());
    ASSERT_EQ(book.sheets.size(), 2u);
    ExpectCells(
        book, {
                  {0, "A1", CellType::Text, 0, "Z\u00fcrich \u20ac \u6771\u4eac", "", false, "General"},
                  {0, "B1", CellType::Number, 0.75, "", "", true, "h:mm"},
                  {0, "A2", CellType::Number, -42.5, "", "", false, "General"},
                  {0, "B2", CellType::Number, 1.5e-7, "", "", false, "0.00E+00"},
                  {0, "A3", CellType::Number, 1e300, "", "", false, "General"},
                  {0, "B3", CellType::Number, 36526, "", "", true, "d-mmm-yy"},
                  {0, "A4", CellType::Boolean, 0, "", "", false, "General"},
                  {0, "B4", CellType::Error, 0, "#VALUE!", "", false, "General"},
                  {0, "A5", CellType::Text, 0, "two", "VLOOKUP(2,Lookup!A1:B3,2,FALSE)", false, "General"},
                  {0, "A6", CellType::Text, 0, "Z\u00fcrich \u20ac \u6771\u4eac 18:00",
                   "IF(A4,\"no\",CONCATENATE(A1,\" \",TEXT(B1,\"h:mm\")))", false, "General"},
                  {0, "A7", CellType::Boolean, 1, "", "AND(A2<0,B2>=0)", false, "General"},
                  {0, "A8", CellType::Number, 1796.25, "", "A2^2-ROUND(A3/1.00000000000000000005e+299,0)",
                   false, "General"},
              });
    EXPECT_EQ(At(book.sheets[1], "B3")->text, "three");
}

TEST(XlsxReader, ExpandsSharedFormulasToEachCell)
{
    std::string data =
        R"(<row r="2"><c r="B2"><f t="shared" ref="B2:C4" si="0">A2*$D$1+SUM(A$1:A2)</f><v>1</v></c>)"
        R"(<c r="C2"><f t="shared" si="0"/><v>2</v></c></row>)"
        R"(<row r="3"><c r="B3"><f t="shared" si="0"/><v>3</v></c></row>)"
        R"(<row r="4"><c r="C4"><f t="shared" si="0"/></c></row>)";
    Workbook book = ReadWorkbook(OneSheet(SheetXml(data)));
    const Sheet& s = book.sheets[0];
    EXPECT_EQ(At(s, "B2")->formula, "A2*$D$1+SUM(A$1:A2)");
    EXPECT_EQ(At(s, "C2")->formula, "B2*$D$1+SUM(B$1:B2)");
    EXPECT_EQ(At(s, "B3")->formula, "A3*$D$1+SUM(A$1:A3)");
    EXPECT_EQ(At(s, "C4")->formula, "B4*$D$1+SUM(B$1:B4)");
    EXPECT_EQ(At(s, "C4")->type, CellType::Empty);
    EXPECT_DOUBLE_EQ(At(s, "B3")->number, 3);
}

TEST(XlsxReader, ReadsSheetStateStringsAndDates)
{
    Parts more = {
        {"xl/sharedStrings.xml",
         R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>plain</t></si>)"
         R"(<si><r><t>ri</t></r><r><rPr/><t>ch</t></r><rPh><t>ignored</t></rPh></si><si><t>a_x000D_b</t></si></sst>)"},
        {"xl/styles.xml",
         R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><numFmts count="1">)"
         R"(<numFmt numFmtId="164" formatCode="[h]:mm"/></numFmts><cellXfs count="3"><xf numFmtId="0"/>)"
         R"(<xf numFmtId="14"/><xf numFmtId="164"/></cellXfs></styleSheet>)"},
    };
    std::string data =
        R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c></row>)"
        R"(<row r="2" hidden="1"><c r="A2" s="1"><v>45292</v></c><c r="B2" s="2"><v>1.5</v></c>)"
        R"(<c r="C2" t="d"><v>2024-01-01T12:00:00</v></c><c r="D2" t="d"><v>1900-01-01</v></c></row>)"
        R"(<row><c><v>7</v></c><c><v>8</v></c><c t="s"><v/></c></row>)";
    more.emplace_back(
        "xl/workbook.xml",
        R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
        R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
        R"(<sheets><sheet name="S" sheetId="4" state="hidden" r:id="rId1"/></sheets></workbook>)");
    auto bytes = OneSheet(SheetXml(data, "", R"(<sheetProtection sheet="1" objects="1"/>)"), more);
    Workbook book = ReadWorkbook(bytes);
    const Sheet& s = book.sheets[0];
    EXPECT_TRUE(s.isProtected);
    EXPECT_TRUE(s.hidden);
    EXPECT_EQ(At(s, "A1")->text, "plain");
    EXPECT_EQ(At(s, "B1")->text, "rich");
    EXPECT_EQ(At(s, "C1")->text, "a\rb");
    EXPECT_TRUE(At(s, "A2")->isDate);
    EXPECT_EQ(At(s, "A2")->formatCode, "m/d/yyyy");
    EXPECT_TRUE(At(s, "B2")->isDate);
    EXPECT_EQ(At(s, "B2")->formatCode, "[h]:mm");
    EXPECT_DOUBLE_EQ(At(s, "C2")->number, 45292.5);
    EXPECT_DOUBLE_EQ(At(s, "D2")->number, 1);
    // Rows and cells without numbers follow the ones before them.
    EXPECT_DOUBLE_EQ(At(s, "A3")->number, 7);
    EXPECT_DOUBLE_EQ(At(s, "B3")->number, 8);
    // A cell without a value or formula is not kept, but still counts for the used range.
    EXPECT_EQ(At(s, "C3"), nullptr);
    EXPECT_EQ(s.usedRange, (Area{0, 0, 2, 3}));
    EXPECT_EQ(s.hiddenRows, std::vector<std::uint32_t>{1});
}

TEST(XlsxReader, OpensWhatOtherReadersOpen)
{
    // An empty style index is the default style; a very hidden sheet listed without a
    // relationship has no cells and is left out; the sheets around it are read.
    Parts more = {{"xl/workbook.xml",
                   R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
                   R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>)"
                   R"(<sheet name="Gone" sheetId="2" state="veryHidden" r:id=""/>)"
                   R"(<sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>)"}};
    auto bytes = OneSheet(SheetXml(R"(<row r="1"><c r="A1" s=""><v>5</v></c></row>)"), more);
    Workbook book = ReadWorkbook(bytes);
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(book.sheets[0].name, "S");
    EXPECT_DOUBLE_EQ(At(book.sheets[0], "A1")->number, 5);
    // A style index that is not a number is still refused.
    EXPECT_THROW(ReadWorkbook(OneSheet(SheetXml(R"(<row r="1"><c r="A1" s="x"><v>5</v></c></row>)"))),
                 sheet::WorkbookError);
}

// The calculation settings of a workbook set to iterate, as LibreOffice writes them; counts
// below one and negative changes keep the defaults.
TEST(XlsxReader, ReadsTheIterationSettings)
{
    auto read = [](const std::string& calculation) {
        return ReadWorkbook(OneSheet(SheetXml(""), {{"xl/workbook.xml", WorkbookXml({"S"}, calculation)}}));
    };
    Workbook set = read(R"(<calcPr iterateCount="10" iterate="true" iterateDelta="1E-5"/>)");
    EXPECT_TRUE(set.iterate);
    EXPECT_EQ(set.iterateCount, 10);
    EXPECT_DOUBLE_EQ(set.iterateDelta, 1e-5);
    Workbook unset = read("<calcPr/>");
    EXPECT_FALSE(unset.iterate);
    EXPECT_EQ(unset.iterateCount, 100);
    EXPECT_DOUBLE_EQ(unset.iterateDelta, 0.001);
    Workbook bad = read(R"(<calcPr iterate="1" iterateCount="0" iterateDelta="-1"/>)");
    EXPECT_TRUE(bad.iterate);
    EXPECT_EQ(bad.iterateCount, 100);
    EXPECT_DOUBLE_EQ(bad.iterateDelta, 0.001);
}

TEST(XlsxReader, RefusesBadInputWithAClearMessage)
{
    auto good = testsupport::ReadBytes(WorkbookData("model.xlsx"));
    std::vector<std::uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    std::vector<std::uint8_t> ole = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1, 0, 0, 0, 0};
    std::string laughs =
        R"(<?xml version="1.0"?><!DOCTYPE w [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;">]>)"
        R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)"
        R"(<row r="1"><c r="A1" t="str"><v>&b;</v></c></row></sheetData></worksheet>)";
    Parts noSheetPart = {{"_rels/.rels", kRootRels},
                         {"xl/workbook.xml", WorkbookXml({"S"})},
                         {"xl/_rels/workbook.xml.rels", WorkbookRels(1)}};
    Parts noWorkbook = {{"docProps/app.xml", "<x/>"}};
    // Zip tools cannot write one name twice: write a stand-in name and rename it in place.
    auto twice = [](const std::string& name) {
        std::string standIn = name.substr(0, name.size() - 1) + "#";
        Parts parts = {{"_rels/.rels", kRootRels},
                       {"xl/workbook.xml", WorkbookXml({"S"})},
                       {"xl/_rels/workbook.xml.rels", WorkbookRels(1)},
                       {"xl/worksheets/sheet1.xml", SheetXml("")},
                       {standIn, SheetXml(R"(<row r="1"><c r="A1"><v>1</v></c></row>)")}};
        auto bytes = Zip(parts);
        for (auto at = bytes.begin();
             (at = std::search(at, bytes.end(), standIn.begin(), standIn.end())) != bytes.end();)
            at = std::copy(name.begin(), name.end(), at);
        return bytes;
    };
    // A workbook saved with a password: a compound file holding an "EncryptedPackage" stream.
    std::vector<std::uint8_t> encrypted = ole;
    encrypted.resize(512);
    for (char c : std::string("EncryptedPackage")) {
        encrypted.push_back(static_cast<unsigned char>(c));
        encrypted.push_back(0);
    }
    // The limits on long texts, formulas, names and nesting are tried by the hostile workbooks.
    std::string tooLong(sheet::xlsx::kMaxCellTextChars + 1, 'x');
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    const Case cases[] = {
        {"not a zip", {'h', 'e', 'l', 'l', 'o'}, "not a zip"},
        {"empty file", {}, "not a zip"},
        {"truncated zip", truncated, "zip"},
        {"old binary workbook", ole, ".xls"},
        {"entity expansion", OneSheet(laughs), "document type"},
        {"missing sheet part", Zip(noSheetPart), "missing"},
        {"no workbook part", Zip(noWorkbook), "no workbook"},
        {"OpenDocument spreadsheet",
         Zip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", "<x/>"}}),
         "(.ods) are not read; save the workbook as .xlsx"},
        {"shared string out of range", OneSheet(SheetXml(R"(<row r="1"><c r="A1" t="s"><v>5</v></c></row>)")),
         "'S'!$A$1"},
        {"bad cell reference", OneSheet(SheetXml(R"(<row r="1"><c r="AAAA1"><v>1</v></c></row>)")), "AAAA1"},
        {"bad number", OneSheet(SheetXml(R"(<row r="1"><c r="A1"><v>1,5</v></c></row>)")), "1,5"},
        {"number beyond every double", OneSheet(SheetXml(R"(<row r="1"><c r="A1"><v>1e400</v></c></row>)")), "1e400"},
        {"shared formula without master",
         OneSheet(SheetXml(R"(<row r="1"><c r="A1"><f t="shared" si="3"/></c></row>)")),
         "before it is defined"},
        {"malformed xml", OneSheet("<worksheet><sheetData>"), "not well-formed"},
        {"unknown cell type", OneSheet(SheetXml(R"(<row r="1"><c r="A1" t="q"><v>1</v></c></row>)")),
         "\"q\""},
        // Two programs would read two different workbooks from these.
        {"part twice", twice("xl/worksheets/sheet1.xml"),
         "damaged: it holds the part xl/worksheets/sheet1.xml twice"},
        {"part twice in other case", twice("xl/worksheets/Sheet1.xml"), "twice"},
        {"encrypted zip entries", Zip({{"_rels/.rels", kRootRels}}, false, "secret"),
         "is encrypted in the zip"},
        {"workbook with a password", encrypted, "protected with a password"},
        {"text too long",
         OneSheet(SheetXml("<row r=\"1\"><c r=\"B1\" t=\"str\"><v>" + tooLong + "</v></c></row>")),
         "text in cell 'S'!$B$1 is longer than 32767"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ReadWorkbook(c.bytes);
            ADD_FAILURE() << "accepted";
        } catch (const sheet::WorkbookError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

// Numbers too small for the smallest normal double are read as the nearest double, as other
// readers of workbooks do, instead of stopping the import.
TEST(XlsxReader, ReadsNumbersBelowTheNormalRangeAsTheNearestDouble)
{
    const std::pair<const char*, double> cases[] = {
        {"1e-330", 0.0}, {"1e-320", 1e-320}, {"-4.9e-324", -4.9e-324}, {"1e-400", 0.0}, {"2.2250738585072014e-308", 2.2250738585072014e-308}};
    for (const auto& [text, expected] : cases) {
        Workbook book = ReadWorkbook(
            OneSheet(SheetXml(std::string("<row r=\"1\"><c r=\"A1\"><v>") + text + "</v></c></row>")));
        ASSERT_NE(At(book.sheets[0], "A1"), nullptr) << text;
        EXPECT_EQ(At(book.sheets[0], "A1")->number, expected) << text;
    }
}

TEST(XlsxReader, QuotesBadValuesShortAndEscaped)
{
    std::string value = "\x1b[2J" + std::string(1 << 20, '9');
    try {
        ReadWorkbook(OneSheet(SheetXml("<row r=\"1\"><c r=\"A1\"><v>" + value + "</v></c></row>")));
        ADD_FAILURE() << "accepted";
    } catch (const sheet::WorkbookError& e) {
        std::string message = e.what();
        EXPECT_LT(message.size(), 200u);
        EXPECT_EQ(message.find('\x1b'), std::string::npos);
        EXPECT_NE(message.find("\"\\x1B[2J999"), std::string::npos) << message;
        EXPECT_NE(message.find("...\" in cell 'S'!$A$1"), std::string::npos) << message;
    }
}

TEST(XlsxReader, SaysWhatAFileThatIsNoWorkbookIs)
{
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir / "book.xlsx");
    ASSERT_EQ(mkfifo((dir / "pipe.xlsx").c_str(), 0600), 0);
    auto messageOf = [](const std::filesystem::path& path) {
        try {
            ReadWorkbookFile(path.string());
        } catch (const sheet::WorkbookError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_NE(messageOf(dir / "book.xlsx").find("is a folder"), std::string::npos);
    // Opening a pipe must not wait for a writer.
    EXPECT_NE(messageOf(dir / "pipe.xlsx").find("not a regular file"), std::string::npos);
    EXPECT_NE(messageOf(dir / "none.xlsx").find("Cannot open"), std::string::npos);
}

TEST(XlsxReader, BoundsWhatAPartMayInflateTo)
{
    // A megabyte of zeros compresses to about a kilobyte; the reader must stop at its limit
    // instead of believing either the size header or the data.
    std::string zeros(1 << 20, '0');
    auto bytes = OneSheet(SheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>", "<!--" + zeros + "-->"));
    ASSERT_LT(bytes.size(), 20000u);
    ReadOptions options;
    options.limits.maxPartBytes = 64 << 10;
    EXPECT_THROW(ReadWorkbook(bytes, options), sheet::WorkbookError);
    EXPECT_EQ(ReadWorkbook(bytes).sheets[0].cells.size(), 1u);
}

TEST(XlsxReader, BoundsTheMemoryOfTreesAndCells)
{
    std::string cells;
    for (int i = 1; i <= 2000; ++i)
        cells += "<c><v>" + std::to_string(i) + "</v></c>";
    auto bytes = OneSheet(SheetXml("<row r=\"1\">" + cells + "</row>"));
    auto refusedWithin = [&](std::uint64_t memory, std::uint64_t tree) {
        ReadOptions options;
        options.maxMemoryBytes = memory;
        options.limits.maxXmlTreeBytes = tree;
        try {
            ReadWorkbook(bytes, options);
            return std::string();
        } catch (const sheet::WorkbookError& e) {
            return std::string(e.what());
        }
    };
    EXPECT_EQ(refusedWithin(64 << 20, 64 << 20), "");
    // The tree of the sheet alone is too large: refused before it is parsed.
    EXPECT_NE(refusedWithin(64 << 20, 200 << 10).find("too many elements"), std::string::npos);
    // The tree fits, the cells it holds do not.
    EXPECT_NE(refusedWithin(400 << 10, 64 << 20).find("MB of memory"), std::string::npos);
}

TEST(XlsxAddress, ShiftsRelativeReferencesOnly)
{
    struct Case {
        const char* formula;
        int rows, columns;
        const char* expected;
    };
    const Case cases[] = {
        {"A1+$B$2+C$3+$D4", 1, 1, "B2+$B$2+D$3+$D5"},
        {"SUM(A1:B2)*2", 2, 0, "SUM(A3:B4)*2"},
        {"LOG10(A1)", 1, 0, "LOG10(A2)"},
        {"\"A1\"&A1", 1, 0, "\"A1\"&A2"},
        {"'My A1'!A1+Sheet2!B1", 0, 1, "'My A1'!B1+Sheet2!C1"},
        {"Rate*A1", 0, 1, "Rate*B1"},
        {"A1-1", -1, 0, "#REF!-1"},
        {"SUM(A:A)+SUM(1:1)", 1, 1, "SUM(B:B)+SUM(2:2)"},
        {"1E+3+A1", 1, 0, "1E+3+A2"},
        {"Table1[Col A]+A1", 1, 0, "Table1[Col A]+A2"},
        {"IF(ISERROR(#N/A),XFD1,0)", 0, 1, "IF(ISERROR(#N/A),#REF!,0)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShiftFormula(c.formula, c.rows, c.columns), c.expected) << c.formula;
}

TEST(XlsxAddress, ParsesAndFormatsCellTexts)
{
    EXPECT_EQ(ColumnLettersOf(27), "AB");
    EXPECT_FALSE(ParseCellAddress("A0"));
    EXPECT_FALSE(ParseCellAddress("A1048577"));
    auto q = ParseQualifiedCell("'It''s'!$B$3");
    ASSERT_TRUE(q);
    EXPECT_EQ(q->sheet, "It's");
    EXPECT_EQ(q->cell, (CellAddress{2, 1}));
    EXPECT_EQ(FormatQualifiedCell("It's", {2, 1}), "'It''s'!$B$3");
    auto plain = ParseQualifiedCell("Sheet1!C10");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->sheet, "Sheet1");
    EXPECT_FALSE(ParseQualifiedCell("C10"));
    EXPECT_FALSE(ParseQualifiedCell("'open!A1"));
}

TEST(XlsxNumberFormats, TellsDatesFromOtherFormats)
{
    for (const char* code :
         {"yyyy-mm-dd", "m/d/yy", "[h]:mm:ss", "h:mm AM/PM", "[$-409]mmmm d", "dd\"x\"", "[ss]"})
        EXPECT_TRUE(IsDateFormat(code)) << code;
    for (const char* code : {"General", "0.00%", "#,##0.00 \"EUR\"", "0.00E+00", "[Red]0.0", "\"day\" 0", "@",
                             "0;[Red]-0;\"mm\""})
        EXPECT_FALSE(IsDateFormat(code)) << code;
    EXPECT_TRUE(IsDateFormatId(14));
    EXPECT_FALSE(IsDateFormatId(10));
    EXPECT_EQ(BuiltInFormatCode(10), "0.00%");
}

namespace {

// A sheet of many rows, read on one thread and in order, and on several: the same workbook, or
// the same fault. A comment among the rows keeps the one-thread read from cutting a large sheet
// into pieces read apart.
struct ReadBothWays {
    std::string one;
    std::string several;
    Workbook oneBook;
    Workbook severalBook;
};

ReadBothWays ReadOnOneAndOnSeveralThreads(const std::string& rows, std::uint64_t memory = 512ull << 20)
{
    ReadBothWays result;
    for (unsigned threads : {1u, 4u}) {
        const std::vector<std::uint8_t> bytes = OneSheet(SheetXml(threads == 1 ? "<!-- in order -->" + rows : rows));
        ReadOptions options;
        options.threads = threads;
        options.maxMemoryBytes = memory;
        std::string& fault = threads == 1 ? result.one : result.several;
        try {
            (threads == 1 ? result.oneBook : result.severalBook) = ReadWorkbook(bytes, options);
        } catch (const sheet::WorkbookError& e) {
            fault = e.what();
        }
    }
    return result;
}

std::string RowsWith(int rows, const std::function<std::string(int)>& extra)
{
    std::string data;
    for (int r = 1; r <= rows; ++r)
        data += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) + "\"><v>" + std::to_string(r) +
                "</v></c>" + extra(r) + "</row>";
    return data;
}

} // namespace

// Rows are read in parts on several threads, and a sheet large enough is parsed in pieces, each
// read apart; shared formulas defined in one part are used in the next, some cells spell their
// shared formula out without defining it, and cells listed only for their style widen the used
// range.
TEST(XlsxReader, ASheetOfManyRowsReadsTheSameOnSeveralThreads)
{
    for (const int rows : {9000, 40000}) {
        const std::string last = std::to_string(rows);
        const int defining = rows * 5 / 9;
        const std::string data = RowsWith(rows, [&](int r) {
            const std::string n = std::to_string(r);
            std::string cells;
            if (r == 1)
                cells += "<c r=\"B1\"><f t=\"shared\" ref=\"B1:B" + last + "\" si=\"0\">A1*2</f><v>2</v></c>";
            else
                cells += "<c r=\"B" + n + "\"><f t=\"shared\" si=\"0\"/><v>" + std::to_string(2 * r) + "</v></c>";
            // si 1: spelt out in every cell without a defining one until a late row defines it.
            if (r < defining)
                cells += "<c r=\"C" + n + "\"><f t=\"shared\" si=\"1\">A" + n + "+1</f></c>";
            else if (r == defining)
                cells += "<c r=\"C" + n + "\"><f t=\"shared\" ref=\"C" + n + ":C" + last + "\" si=\"1\">A" + n +
                         "+7</f></c>";
            else
                cells += "<c r=\"C" + n + "\"><f t=\"shared\" si=\"1\"/></c>";
            cells += "<c r=\"D" + n + "\" t=\"inlineStr\"><is><t>row " + n + "</t></is></c>";
            if (r == rows)
                cells += "<c r=\"F" + n + "\" s=\"0\"/>";
            return cells;
        });
        // hidden rows in the first, a middle and the last part of the rows
        std::string hiding = data;
        std::vector<std::uint32_t> hidden;
        for (const int r : {3, rows / 2, rows}) {
            const std::string tag = "<row r=\"" + std::to_string(r) + "\"";
            hiding.insert(hiding.find(tag + ">") + tag.size(), " hidden=\"true\"");
            hidden.push_back(static_cast<std::uint32_t>(r - 1));
        }
        const ReadBothWays read = ReadOnOneAndOnSeveralThreads(hiding);
        ASSERT_EQ(read.one, "");
        ASSERT_EQ(read.several, "");
        const Sheet& one = read.oneBook.sheets.at(0);
        const Sheet& several = read.severalBook.sheets.at(0);
        ASSERT_EQ(one.cells.size(), several.cells.size());
        for (std::size_t i = 0; i < one.cells.size(); ++i) {
            const Cell& a = one.cells[i];
            const Cell& b = several.cells[i];
            ASSERT_TRUE(a.row == b.row && a.column == b.column && a.type == b.type && a.number == b.number &&
                        a.text == b.text && a.formula == b.formula)
                << "cell " << i << ": " << a.formula << " / " << b.formula;
        }
        EXPECT_EQ(several.usedRange->lastColumn, 5u);
        EXPECT_EQ(one.hiddenRows, hidden);
        EXPECT_EQ(several.hiddenRows, hidden);
        EXPECT_EQ(At(several, ("B" + std::to_string(rows - 1)).c_str())->formula,
                  "A" + std::to_string(rows - 1) + "*2");
        EXPECT_EQ(At(several, ("C" + std::to_string(defining - 1)).c_str())->formula,
                  "A" + std::to_string(defining - 1) + "+1");
        EXPECT_EQ(At(several, ("C" + last).c_str())->formula, "A" + last + "+7");
    }
}

// Whatever goes wrong, and wherever, is reported as reading the rows in order reports it.
TEST(XlsxReader, AFaultInAnyPartOfTheRowsIsTheOneReadingInOrderMeetsFirst)
{
    for (const int rows : {9000, 60000}) {
        // The row at this part of the way through the sheet.
        auto at = [rows](int ninths) { return std::to_string(rows / 9 * ninths); };
        auto faultAt = [&](const std::string& bad, const std::string& cell) {
            return RowsWith(rows, [&](int r) { return std::to_string(r) == bad ? cell : std::string(); });
        };
        for (const std::string& data :
             {faultAt(at(7), "<c r=\"B" + at(7) + "\"><v>oops</v></c>"),
              faultAt(at(8), "<c r=\"B" + at(8) + "\"><f t=\"shared\" si=\"9\"/></c>"),
              RowsWith(rows, [&](int r) {
                  const std::string n = std::to_string(r);
                  return n == at(3)   ? "<c r=\"B" + n + "\"><v>bad</v></c>"
                         : n == at(8) ? "<c r=\"B" + n + "\"><f t=\"shared\" si=\"4\"/></c>"
                                      : std::string();
              })}) {
            const ReadBothWays read = ReadOnOneAndOnSeveralThreads(data);
            EXPECT_NE(read.one, "");
            EXPECT_EQ(read.several, read.one) << rows;
        }
    }
    // A piece of a large sheet that does not parse, or goes too deep, leaves the cells of the
    // pieces read so far to be let go, and the part is read whole for its fault.
    std::string deep;
    for (int i = 0; i < 300; ++i)
        deep = "<r>" + deep + "</r>";
    for (const std::string& bad : {std::string("<c r=\"B40000\"><v>1</v>"), deep}) {
        const ReadBothWays read =
            ReadOnOneAndOnSeveralThreads(RowsWith(60000, [&](int r) { return r == 40000 ? bad : std::string(); }));
        // The same fault; the offset in the part differs by the comment that keeps it whole.
        const auto fault = [](const std::string& text) { return text.substr(0, text.find(" at offset")); };
        EXPECT_NE(read.one, "");
        EXPECT_EQ(fault(read.several), fault(read.one));
    }

    // A row numbered wrongly comes after the faults of the rows before it.
    std::string numbered = RowsWith(3000, [](int r) {
        return r == 1000 ? std::string(R"(<c r="B1000"><v>bad</v></c>)") : std::string();
    });
    numbered += R"(<row r="0"><c r="A1"><v>1</v></c></row>)";
    const ReadBothWays order = ReadOnOneAndOnSeveralThreads(numbered);
    EXPECT_NE(order.one.find("$B$1000"), std::string::npos) << order.one;
    EXPECT_EQ(order.several, order.one);

    // Over the memory budget: the same refusal.
    const ReadBothWays big = ReadOnOneAndOnSeveralThreads(
        RowsWith(9000, [](int) { return std::string(R"(<c t="inlineStr"><is><t>)") + std::string(200, 'x') + "</t></is></c>"; }),
        4 << 20);
    EXPECT_NE(big.one.find("MB of memory"), std::string::npos) << big.one;
    EXPECT_EQ(big.several, big.one);
}

namespace {

// How a test takes a sheet part's pieces: kept (ReadXmlInPieces), or given to a reader one by
// one (ReadXmlPieceByPiece) that keeps what it read, that declines them before the first, or
// that refuses them in the end.
enum class Pieces { Kept, Read, Declined, Refused };

// The rows of a sheet part as the package gives them: how many, whether their numbers run
// 1, 2, 3... in order, and the name of the part's last element; or the fault it reports.
std::string RowsInPieces(const std::string& xml, std::size_t* pieceCount = nullptr, Pieces how = Pieces::Kept)
{
    sheet::xlsx::Package package(Zip({{"sheet.xml", xml}}));
    try {
        Package::PiecedXml read;
        std::vector<std::vector<int>> numbers; // of each piece's rows, as the reader saw them
        if (how == Pieces::Kept) {
            read = package.ReadXmlInPieces("sheet.xml", "sheetData", "row", pugi::parse_default, UINT64_MAX);
        } else {
            Package::PieceReader reader;
            reader.start = [&](const std::vector<std::string_view>& texts) {
                numbers.resize(texts.size());
                return how != Pieces::Declined;
            };
            reader.read = [&](std::size_t i, const pugi::xml_node& piece) {
                for (const pugi::xml_node& row : piece.children())
                    numbers[i].push_back(row.attribute("r").as_int());
            };
            reader.keep = [&] { return how == Pieces::Read; };
            const bool kept = package.ReadXmlPieceByPiece(read, "sheet.xml", "sheetData", "row", pugi::parse_default,
                                                          UINT64_MAX, 3, reader);
            EXPECT_TRUE(!kept || how == Pieces::Read);
            EXPECT_TRUE(how != Pieces::Declined ||
                        std::all_of(numbers.begin(), numbers.end(), [](const auto& n) { return n.empty(); }));
            if (!kept)
                numbers.clear();
        }
        if (pieceCount)
            *pieceCount = how == Pieces::Read ? numbers.size() : read.pieces.size();
        std::vector<pugi::xml_node> holders{read.doc.find_node([](const pugi::xml_node& node) {
            return std::string_view(node.name()).ends_with("sheetData");
        })};
        for (const auto& piece : read.pieces)
            holders.push_back(*piece);
        for (const pugi::xml_node& holder : holders) {
            numbers.emplace_back();
            for (const pugi::xml_node& row : holder.children())
                numbers.back().push_back(row.attribute("r").as_int());
        }
        int rows = 0;
        bool inOrder = true;
        for (const std::vector<int>& piece : numbers)
            for (int number : piece)
                inOrder = inOrder && number == ++rows;
        return std::to_string(rows) + (inOrder ? " rows in order | " : " rows out of order | ") +
               read.doc.document_element().last_child().name();
    } catch (const sheet::WorkbookError& e) {
        return e.what();
    }
}

std::string WholeFault(const std::string& xml)
{
    sheet::xlsx::Package package(Zip({{"sheet.xml", xml}}));
    try {
        package.ReadXml("sheet.xml");
    } catch (const sheet::WorkbookError& e) {
        return e.what();
    }
    return "";
}

std::string PrefixedSheet(const std::string& p, int rows)
{
    std::string xml = "<?xml version=\"1.0\"?><" + p + "worksheet xmlns:x=\"urn:x\"><" + p + "sheetData>";
    for (int r = 1; r <= rows; ++r)
        xml += "<" + p + "row r=\"" + std::to_string(r) + "\"><" + p + "c><" + p + "v>1</" + p + "v></" + p +
               "c><" + p + "c t=\"inlineStr\"><" + p + "is><" + p + "t>a &lt;" + p + "row&gt;</" + p + "t></" + p +
               "is></" + p + "c></" + p + "row>";
    return xml + "</" + p + "sheetData><" + p + "mergeCells/></" + p + "worksheet>";
}

} // namespace

// A large sheet's rows are parsed in pieces, kept or read one by one: every row comes once, in
// order, with or without a prefix on the names; text that cannot be cut safely is parsed whole;
// a fault in any piece, or a row cut in two, is reported as parsing the whole text reports it.
TEST(XlsxPackage, ALargeSheetIsParsedInPiecesWithTheSameRowsAndFaults)
{
    for (const Pieces how : {Pieces::Kept, Pieces::Read, Pieces::Declined, Pieces::Refused}) {
        SCOPED_TRACE(static_cast<int>(how));
        const std::string expected = "30000 rows in order | mergeCells";
        std::size_t pieces = 0;
        for (const std::string prefix : {"", "x:"}) {
            EXPECT_EQ(RowsInPieces(PrefixedSheet(prefix, 30000), &pieces, how),
                      "30000 rows in order | " + prefix + "mergeCells");
            EXPECT_GT(pieces, 1u);
        }
        // Pieces are read as UTF-8: a part declared in another encoding is parsed whole.
        for (auto [encoding, split] : {std::pair<std::string, bool>{"utf-8", true}, {"ISO-8859-1", false}}) {
            std::string declared = PrefixedSheet("", 30000);
            declared.replace(0, declared.find("?>"), "<?xml version=\"1.0\" encoding=\"" + encoding + "\"");
            EXPECT_EQ(RowsInPieces(declared, &pieces, how), expected);
            EXPECT_EQ(pieces > 1, split) << encoding;
        }
        std::string commented = PrefixedSheet("", 30000);
        commented.insert(commented.find("<row r=\"7\""), "<!-- a comment -->");
        EXPECT_EQ(RowsInPieces(commented, &pieces, how), expected);
        EXPECT_EQ(pieces, 0u);

        const std::string data = PrefixedSheet("", 30000);
        const std::size_t middle = data.find("<row r=\"20000\"");
        for (const std::string& broken : {data.substr(0, middle) + "<row><c>" + data.substr(middle),
                                          data.substr(0, middle) + "<c><v>1</v></c></row>" + data.substr(middle),
                                          data.substr(0, data.size() - 30) + "</worksheet>"}) {
            const std::string fault = RowsInPieces(broken, nullptr, how);
            EXPECT_NE(fault.find("not well-formed"), std::string::npos) << fault.substr(0, 200);
            EXPECT_EQ(fault, WholeFault(broken));
        }
        std::string deep;
        for (int i = 0; i < 300; ++i)
            deep += "<r>";
        for (int i = 0; i < 300; ++i)
            deep += "</r>";
        const std::string nested = data.substr(0, middle) + "<row r=\"0\">" + deep + "</row>" + data.substr(middle);
        EXPECT_NE(RowsInPieces(nested, nullptr, how).find("levels deep"), std::string::npos);
        EXPECT_EQ(RowsInPieces(nested, nullptr, how), WholeFault(nested));
    }
}

// A sheet large enough to be parsed in pieces reads as it always did: rows without a number
// follow the row before, whichever piece they are in, and a wrongly numbered row in a late piece
// still comes after the faults of the rows before it.
TEST(XlsxReader, ASheetParsedInPiecesNumbersItsRowsAcrossThePieces)
{
    auto sheet = [](const std::function<std::string(int)>& extra) {
        std::string data;
        for (int r = 1; r <= 30000; ++r) {
            const std::string n = std::to_string(r);
            data += (r % 3 ? "<row r=\"" + n + "\">" : std::string("<row>")) + "<c t=\"inlineStr\"><is><t>row " +
                    n + " of the sheet, padded to make the sheet long enough to cut</t></is></c>" + extra(r) + "</row>";
        }
        return OneSheet(SheetXml(data));
    };
    Workbook book = ReadWorkbook(sheet([](int) { return std::string(); }));
    const Sheet& read = book.sheets.at(0);
    ASSERT_EQ(read.cells.size(), 30000u);
    for (int r : {1, 3, 14999, 15000, 29999, 30000}) {
        const Cell* cell = At(read, ("A" + std::to_string(r)).c_str());
        ASSERT_NE(cell, nullptr) << r;
        EXPECT_EQ(cell->text, "row " + std::to_string(r) + " of the sheet, padded to make the sheet long enough to cut");
    }

    auto fault = [&](const std::function<std::string(int)>& extra) {
        try {
            ReadWorkbook(sheet(extra));
        } catch (const sheet::WorkbookError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    const std::string numbered =
        fault([](int r) { return r == 25000 ? std::string("</row><row r=\"0\">") : std::string(); });
    EXPECT_NE(numbered.find("invalid number \"0\""), std::string::npos) << numbered;
    const std::string first = fault([](int r) {
        return r == 25000 ? std::string("</row><row r=\"0\">")
                          : r == 10000 ? std::string("<c r=\"B10000\"><v>bad</v></c>") : std::string();
    });
    EXPECT_NE(first.find("$B$10000"), std::string::npos) << first;
}
