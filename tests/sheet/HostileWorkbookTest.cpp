// Workbooks made by an attacker or a careless user, generated here rather than stored. Each
// is imported (or written back) in a child process that must end within a time and memory
// limit with a model or a clear message. The limits are watched from outside, so they hold
// under the sanitizers too, where address-space limits do not work.
#include "sheet/cells/CellModel.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxReader.h"
#include "sheet/workbook/XlsxWriter.h"
#include "tests/sheet/XlsxTestPackages.h"
#include "tests/support/WatchedChild.h"

#include <cstdint>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>

using namespace sheet;
using namespace xlsxtest;
using testsupport::kMegabytes;
using testsupport::kSeconds;
using testsupport::Outcome;
using testsupport::RunWatched;

namespace {

// The import as the host runs it: read, then fill the model.
std::string Import(const std::vector<std::uint8_t>& bytes)
{
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir / "hostile.xlsx", bytes);
    xlsx::Workbook workbook = xlsx::ReadWorkbookFile((dir / "hostile.xlsx").string());
    if (StoredCellCount(workbook) == 0)
        return "no cells";
    CCellModel model;
    FillResult result = FillCellModel(std::move(workbook), model);
    if (result.outcome != FillOutcome::Done)
        return "formula failed: " + result.failure;
    return "model of " + std::to_string(model.GetCellCount()) + " cells";
}

std::string Row(const std::string& cells)
{
    return "<row r=\"1\">" + cells + "</row>";
}

std::vector<std::uint8_t> WithNames(const std::string& names, const std::string& sheetData)
{
    return Zip({{"_rels/.rels", kRootRels},
                {"xl/workbook.xml", WorkbookXml({"S"}, "<definedNames>" + names + "</definedNames>")},
                {"xl/_rels/workbook.xml.rels", WorkbookRels(1)},
                {"xl/worksheets/sheet1.xml", SheetXml(sheetData)}});
}

// _n0 is 1 and each further name adds up ten of the one before.
std::string NamesOfNames(int deepest)
{
    std::string names = "<definedName name=\"_n0\">1</definedName>";
    for (int k = 1; k <= deepest; ++k) {
        names += "<definedName name=\"_n" + std::to_string(k) + "\">";
        for (int i = 0; i < 10; ++i)
            names += (i ? "+_n" : "_n") + std::to_string(k - 1);
        names += "</definedName>";
    }
    return names;
}

std::string Repeated(const std::string& piece, std::size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// Rows of 16,000 cells that hold nothing.
std::string EmptyRows(std::size_t rows)
{
    return Repeated("<row>" + Repeated("<c/>", 16000) + "</row>", rows);
}

std::vector<std::uint8_t> ManySheets(int count)
{
    std::vector<std::string> names;
    Parts parts = {{"_rels/.rels", kRootRels}};
    for (int i = 1; i <= count; ++i) {
        names.push_back("Sheet" + std::to_string(i));
        std::string formula = i > 1 ? "<f>Sheet" + std::to_string(i - 1) + "!A1+1</f>" : "";
        parts.emplace_back("xl/worksheets/sheet" + std::to_string(i) + ".xml",
                           SheetXml(Row("<c r=\"A1\">" + formula + "<v>" + std::to_string(i) + "</v></c>")));
    }
    parts.emplace_back("xl/workbook.xml", WorkbookXml(names));
    parts.emplace_back("xl/_rels/workbook.xml.rels", WorkbookRels(count));
    return Zip(parts);
}

struct HostileCase {
    const char* name;
    std::function<std::vector<std::uint8_t>()> make;
    const char* expected; // found in the report
};

void ExpectEachEndsInTime(const std::vector<HostileCase>& cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> bytes = c.make();
        Outcome outcome = RunWatched([&] { return Import(bytes); });
        EXPECT_FALSE(outcome.tooSlow) << "longer than " << kSeconds << " s";
        EXPECT_FALSE(outcome.tooLarge) << "more than " << kMegabytes << " MB";
        EXPECT_LE(outcome.growthMegabytes, kMegabytes);
        EXPECT_NE(outcome.report.find(c.expected), std::string::npos) << outcome.report;
        EXPECT_LT(outcome.report.size(), 1000u) << "messages stay readable";
    }
}

} // namespace

TEST(HostileWorkbook, NamesBuiltOfNamesEndQuickly)
{
    std::string usesDeepest = Row("<c r=\"A1\"><f>_n9</f></c>");
    std::vector<HostileCase> cases = {
        {"nine levels of ten uses", [&] { return WithNames(NamesOfNames(9), usesDeepest); },
         "too large to read"},
        {"one level deeper", [&] { return WithNames(NamesOfNames(10), usesDeepest); }, "too large to read"},
        // Each formula stays below its own limit; together they must not take minutes.
        {"many formulas each near the limit",
         [&] {
             std::string row = Row(Repeated("<c><f>_n3+_n3+_n3</f></c>", 2000));
             return WithNames(NamesOfNames(3), row);
         },
         "formula failed"},
        {"a name cut at the formula limit would read another cell",
         [] {
             std::string padded = "0" + Repeated("+0", 4100) + "+S!B10";
             return WithNames("<definedName name=\"_t\">" + padded + "</definedName>",
                              Row("<c r=\"A1\"><f>_t</f></c>"));
         },
         "Defined name _t is longer than 8192"},
        {"a sheet the workbook lacks", [] { return WithNames("", Row("<c r=\"A1\"><f>Gone!A1+1</f></c>")); },
         "model of 1 cells"},
    };
    ExpectEachEndsInTime(cases);
}

TEST(HostileWorkbook, LongTextsAreNotCopiedIntoEveryCell)
{
    auto stringUsedBy = [](std::size_t length, std::size_t cells) {
        return OneSheet(
            SheetXml(Row(Repeated("<c t=\"s\"><v>0</v></c>", cells))),
            {{"xl/sharedStrings.xml", "<sst><si><t>" + std::string(length, 'x') + "</t></si></sst>"}});
    };
    std::vector<HostileCase> cases = {
        {"a 16 MB shared string in 100 cells", [&] { return stringUsedBy(16u << 20, 100); },
         "longer than 32767"},
        {"the longest text in 20,000 cells", [&] { return stringUsedBy(xlsx::kMaxCellTextChars, 20000); },
         "MB of memory"},
        {"a long shared formula",
         [] {
             std::string anchor = "<c r=\"A1\"><f t=\"shared\" si=\"0\" ref=\"A1:A100\">" +
                                  std::string(1u << 20, '1') + "</f></c>";
             return OneSheet(SheetXml(Row(anchor + Repeated("<c><f t=\"shared\" si=\"0\"/></c>", 99))));
         },
         "longer than 8192"},
        {"a long number format in many cells",
         [] {
             return OneSheet(
                 SheetXml(Row(Repeated("<c s=\"1\"><v>1</v></c>", 1000))),
                 {{"xl/styles.xml", "<styleSheet><numFmts><numFmt numFmtId=\"164\" formatCode=\"" +
                                        std::string(1u << 20, '0') +
                                        "\"/></numFmts><cellXfs><xf/><xf numFmtId=\"164\"/>"
                                        "</cellXfs></styleSheet>"}});
         },
         "longer than 255"},
        {"a huge cell reference quoted in the message",
         [] { return OneSheet(SheetXml(Row("<c r=\"A" + std::string(20u << 20, '1') + "\"><v>1</v></c>"))); },
         "invalid reference \"A111"},
    };
    ExpectEachEndsInTime(cases);
}

TEST(HostileWorkbook, CellsAndSheetsCostWhatTheyHold)
{
    std::vector<HostileCase> cases = {
        {"20 million empty cells", [] { return OneSheet(SheetXml(EmptyRows(1250))); }, "too many elements"},
        {"two million empty cells around one value",
         [] { return OneSheet(SheetXml(EmptyRows(125) + "<row><c><v>1</v></c></row>")); },
         "model of 1 cells"},
        {"20,000 sheets", [] { return ManySheets(20000); }, "model of 20000 cells"},
        {"a cell nested a million levels deep",
         [] {
             return OneSheet(SheetXml(Row("<c r=\"A1\" t=\"inlineStr\"><is>" + Repeated("<r>", 1'000'000) +
                                          Repeated("</r>", 1'000'000) + "</is></c>")));
         },
         "levels deep"},
        {"a cell nested deep in the last of 5,000 rows",
         [] {
             return OneSheet(SheetXml(Repeated("<row><c><v>1</v></c></row>", 5000) +
                                      Row("<c r=\"A5001\" t=\"inlineStr\"><is>" + Repeated("<r>", 100'000) +
                                          Repeated("</r>", 100'000) + "</is></c>")));
         },
         "levels deep"},
    };
    ExpectEachEndsInTime(cases);
}

TEST(HostileWorkbook, WritingBackRefusesDeepNesting)
{
    // The writer removes a cell's old content; the XML library does that recursively.
    auto bytes = OneSheet(SheetXml(Row("<c r=\"A1\" t=\"inlineStr\"><is>" + Repeated("<r>", 1'000'000) +
                                       Repeated("</r>", 1'000'000) + "</is></c>")));
    Outcome outcome = RunWatched([&] {
        testsupport::TempDir dir;
        xlsx::WritePackage(bytes, (dir / "out.xlsx").string(), {{"S", {0, 0}, xlsx::CellValue::Number(1)}});
        return std::string("written");
    });
    EXPECT_FALSE(outcome.tooSlow);
    EXPECT_NE(outcome.report.find("levels deep"), std::string::npos) << outcome.report;
}
