#include "sheet/host/ExcelHost.h"
#include "sheet/cells/CellModel.h"
#include "sheet/formula/FormulaParser.h"
#include "sheet/cells/Range.h"
#include "tests/support/ScriptedRangePicker.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxReader.h"
#include "tests/sheet/XlsxTestPackages.h"

#include <cstdint>
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

using namespace sheet;

namespace {

// Stands in for the main window: records what the host posts and shows.
class RecordingWindow : public IExcelHostWindow {
public:
    void PostImportMessage(ImportCode code, long value) override
    {
        std::lock_guard lock(mutex_);
        messages_.emplace_back(code, value);
    }
    void EnableMainWindow(bool enable) override { enables.push_back(enable); }
    void ShowWarning(const std::string& text, const std::string& caption) override
    {
        warnings.push_back(caption + ": " + text);
    }
    std::vector<std::pair<ImportCode, long>> Messages()
    {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    std::vector<ImportCode> Codes()
    {
        std::vector<ImportCode> codes;
        for (const auto& [code, value] : Messages())
            if (codes.empty() || codes.back() != code)
                codes.push_back(code);
        return codes;
    }

    std::vector<bool> enables;
    std::vector<std::string> warnings;

private:
    std::mutex mutex_;
    std::vector<std::pair<ImportCode, long>> messages_;
};

struct Imported {
    RecordingWindow window;
    CCellModel model;
    std::unique_ptr<CExcelHost> host;

    explicit Imported(const std::string& path)
    {
        host = std::make_unique<CExcelHost>(&window, path);
        host->StartWorker(&model);
        EXPECT_TRUE(host->WaitForWorker(10000));
    }
};

std::string WriteTemp(const testsupport::TempDir& dir, const std::vector<std::uint8_t>& bytes)
{
    std::string path = (dir / "w.xlsx").string();
    testsupport::WriteBytes(path, bytes);
    return path;
}

} // namespace

TEST(ExcelHost, ImportsAWorkbookAndReportsThroughTheProtocol)
{
    Imported run(xlsxtest::WorkbookData("model.xlsx").string());
    auto messages = run.window.Messages();
    ASSERT_GE(messages.size(), 3u);
    EXPECT_EQ(messages.front(), std::make_pair(ImportCode::Start, 22L));
    EXPECT_EQ(messages[messages.size() - 2], std::make_pair(ImportCode::Progress, 22L));
    EXPECT_EQ(messages.back().first, ImportCode::Done);
    long last = 0;
    for (const auto& [code, value] : messages)
        if (code == ImportCode::Progress) {
            EXPECT_GE(value, last);
            EXPECT_LE(value, messages.front().second);
            last = value;
        }

    const CCellModel& model = run.model;
    EXPECT_TRUE(model.IsLoaded());
    EXPECT_EQ(model.GetSheetNames(), (std::vector<std::string>{"Inputs", "Calc Sheet"}));
    struct Expect {
        const char* sheet;
        int row, column;
        const char* value;
        CellType type;
        const char* formula;
    };
    const Expect table[] = {
        {"Inputs", 1, 2, "0.05", CellType::Number, ""},
        {"Inputs", 3, 1, "45292", CellType::DateTime, ""},
        {"Inputs", 3, 2, "TRUE", CellType::Boolean, ""},
        {"Inputs", 4, 1, "#N/A", CellType::Error, ""},
        {"Inputs", 5, 2, "0.05", CellType::Number, "A5*Rate"},
        {"Calc Sheet", 2, 1, "yes", CellType::Text, "IF(Inputs!B3,\"yes\",\"no\")"},
    };
    for (const auto& e : table) {
        SCOPED_TRACE(std::string(e.sheet) + " " + std::to_string(e.row) + "," + std::to_string(e.column));
        auto cell = model.GetCell(e.sheet, e.row, e.column);
        ASSERT_TRUE(cell);
        EXPECT_EQ(cell->valueText, e.value);
        EXPECT_EQ(cell->typeName, CellTypeName(e.type));
        EXPECT_EQ(cell->formula, e.formula);
    }
    EXPECT_EQ(model.FindDefinedName("Rate"), "Inputs!$B$1");
    EXPECT_FALSE(model.FindDefinedName("_xlnm.Print_Area"));
    EXPECT_EQ(model.GetNamedValue("KVDecimalSeparator"), ".");
    EXPECT_EQ(model.GetNamedValue("KVSDAYNAME1"), "Monday");
    EXPECT_EQ(CExcelHost::GetCurrent(), run.host.get());
    EXPECT_EQ(run.host->GetWorkbookText(), "model.xlsx");

    run.host.reset();
    EXPECT_EQ(CExcelHost::GetCurrent(), nullptr);
}

TEST(ExcelHost, ReportsFailuresWithoutLoadingAModel)
{
    testsupport::TempDir dir;
    std::string longFormula(kMaxFormulaLength + 1, '1');
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::vector<ImportCode> codes;
        const char* failedItem;
        const char* error;
    };
    // A readable formula comes first, so a failure must undo nothing.
    auto formulaSheet = [](const std::string& formula) {
        return xlsxtest::OneSheet(
            xlsxtest::SheetXml("<row r=\"1\"><c r=\"B1\"><v>1</v></c><c r=\"C1\"><f>B1*2</f>"
                               "</c></row><row r=\"2\"><c r=\"C2\"><f>" +
                               formula + "</f></c></row>"));
    };
    // The same with defined names: the check must read names as the compile will.
    auto namedSheet = [&](const std::string& names, const std::string& formula) {
        std::string rows = "<row r=\"1\"><c r=\"B1\"><v>1</v></c><c r=\"C1\"><f>B1*2</f></c></row>"
                           "<row r=\"2\"><c r=\"C2\"><f>" +
                           formula + "</f></c></row>";
        return xlsxtest::Zip(
            {{"_rels/.rels", xlsxtest::kRootRels},
             {"xl/workbook.xml", xlsxtest::WorkbookXml({"S"}, "<definedNames>" + names + "</definedNames>")},
             {"xl/_rels/workbook.xml.rels", xlsxtest::WorkbookRels(1)},
             {"xl/worksheets/sheet1.xml", xlsxtest::SheetXml(rows)}});
    };
    const std::vector<ImportCode> failed = {ImportCode::Start, ImportCode::FormulaFailed};
    const Case cases[] = {
        {"not a workbook", {'x', 'y', 'z'}, {ImportCode::NoModel}, "", "not a zip"},
        {"no cells", xlsxtest::OneSheet(xlsxtest::SheetXml("")), {ImportCode::NoModel}, "", "no cells"},
        {"formatted cells only",
         xlsxtest::OneSheet(xlsxtest::SheetXml("<row r=\"1\"><c r=\"A1\" s=\"0\"/></row>")),
         {ImportCode::NoModel},
         "",
         "no cells"},
        {"formula too long", formulaSheet(longFormula), {ImportCode::NoModel}, "", "'S'!$C$2 is longer than"},
        {"intersection", formulaSheet("SUM(A1:B2 B1:C2)"), failed, "'S'!$C$2", "'S'!$C$2 cannot be read"},
        {"R1C1 reference", formulaSheet("R[-1]C*2"), failed, "'S'!$C$2", "cannot be read"},
        {"unclosed call", formulaSheet("SUM(B1,"), failed, "'S'!$C$2", "cannot be read"},
        {"name standing for itself", namedSheet("<definedName name=\"Loop\">Loop+1</definedName>", "Loop*2"),
         failed, "'S'!$C$2", "cannot be read"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Imported run(WriteTemp(dir, c.bytes));
        EXPECT_EQ(run.window.Codes(), c.codes);
        EXPECT_EQ(run.host->GetFailedItemText(), c.failedItem);
        EXPECT_NE(run.host->GetLastError().find(c.error), std::string::npos) << run.host->GetLastError();
        EXPECT_FALSE(run.model.IsLoaded());
        EXPECT_EQ(run.model.GetCellCount(), 0u);
    }
    Imported missing((dir / "missing.xlsx").string());
    EXPECT_EQ(missing.window.Codes(), std::vector<ImportCode>{ImportCode::NoModel});
}

TEST(ExcelHost, StopsAWorkerPromptlyAndCopesWithNone)
{
    RecordingWindow window;
    CExcelHost idle(&window, "unused.xlsx");
    idle.StopWorker(); // no worker: must not wait
    EXPECT_FALSE(idle.IsWorkerRunning());

    std::string rows;
    for (int r = 1; r <= 20000; ++r)
        rows += "<row r=\"" + std::to_string(r) + "\"><c><v>1</v></c><c><v>2</v></c><c><f>A" +
                std::to_string(r) + "+B" + std::to_string(r) + "</f></c></row>";
    testsupport::TempDir dir;
    std::string path = WriteTemp(dir, xlsxtest::OneSheet(xlsxtest::SheetXml(rows)));
    CCellModel model;
    CExcelHost host(&window, path);
    host.StartWorker(&model);
    host.StopWorker();
    EXPECT_FALSE(host.IsWorkerRunning());
    auto codes = window.Codes();
    // Either the stop came in time or the import had finished; never a loaded half model.
    if (codes.empty() || codes.back() != ImportCode::Done) {
        EXPECT_FALSE(model.IsLoaded());
    }
    // A stop also ends the reading of the formulas (here before the one it cannot read).
    std::atomic<bool> stop{true};
    FillOptions stopped;
    stopped.stop = &stop;
    CCellModel untouched;
    auto unreadable = xlsx::ReadWorkbook(
        xlsxtest::OneSheet(xlsxtest::SheetXml("<row r=\"1\"><c r=\"A1\"><f>SUM(</f></c></row>")));
    EXPECT_EQ(FillCellModel(unreadable, untouched, stopped).outcome, FillOutcome::Stopped);
    EXPECT_EQ(untouched.GetCellCount(), 0u);

    // A second import on the same host runs to its end.
    CCellModel again;
    host.StartWorker(&again);
    EXPECT_TRUE(host.WaitForWorker(20000));
    EXPECT_TRUE(again.IsLoaded());
    EXPECT_EQ(again.GetCellCount(), 60000u);
}

TEST(ExcelHost, PicksRangesThroughThePicker)
{
    Imported run(xlsxtest::WorkbookData("model.xlsx").string());
    auto picker = std::make_unique<CScriptedRangePicker>();
    CScriptedRangePicker& script = *picker;
    run.host->SetRangePicker(std::move(picker));
    CVariableTable table;
    const std::string multipleWarning =
        std::string(CExcelHost::kMultipleRangesCaption) + ": " + CExcelHost::kMultipleRangesText;
    const std::string failedWarning =
        std::string(CExcelHost::kPickerFailedCaption) + ": " + CExcelHost::kPickerFailedText;

    struct Case {
        const char* name;
        RangePickOutcome scripted;
        const char* pickedText;
        bool multiple;
        RangePickOutcome outcome;
        const char* textAfter;
        std::string warning;
    };
    const Case cases[] = {
        {"one area", RangePickOutcome::Picked, "'inputs'!$B$1:$A$2", false, RangePickOutcome::Picked,
         "'Inputs'!$A$1:$B$2", ""},
        {"several areas, one allowed", RangePickOutcome::Picked, "'Inputs'!$A$5,'Calc Sheet'!$A$1:$A$3",
         false, RangePickOutcome::Picked, "'Inputs'!$A$5", multipleWarning},
        {"several areas allowed", RangePickOutcome::Picked, "'Inputs'!$A$5,'Calc Sheet'!$A$1:$A$3", true,
         RangePickOutcome::Picked, "'Inputs'!$A$5,'Calc Sheet'!$A$1:$A$3", ""},
        {"cleared", RangePickOutcome::Cleared, "", false, RangePickOutcome::Cleared, "", ""},
        {"cancelled", RangePickOutcome::Cancelled, "", false, RangePickOutcome::Cancelled, "start", ""},
        {"picker failed", RangePickOutcome::Failed, "", false, RangePickOutcome::Cancelled, "start",
         failedWarning},
        {"unknown sheet", RangePickOutcome::Picked, "'Other'!$A$1", false, RangePickOutcome::Cancelled,
         "start", failedWarning},
        {"too many cells", RangePickOutcome::Picked, "'Inputs'!$A$1:$A$600000", false, RangePickOutcome::Cancelled,
         "start", std::string(CExcelHost::kRangeTooLargeCaption) + ": " + CExcelHost::kRangeTooLargeText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        run.window.enables.clear();
        run.window.warnings.clear();
        script.Answer(c.scripted, c.pickedText);
        std::string text = "start";
        CRangeSelection selection = run.host->GetSelectedRange(run.model, table, text, c.multiple);
        EXPECT_EQ(selection.outcome, c.outcome);
        EXPECT_EQ(text, c.textAfter);
        EXPECT_EQ(run.window.enables, (std::vector<bool>{false, true}));
        EXPECT_EQ(run.window.warnings,
                  c.warning.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.warning});
        EXPECT_EQ(script.startTexts.back(), "start");
        if (c.outcome == RangePickOutcome::Picked) {
            ASSERT_NE(selection.range, nullptr);
            EXPECT_EQ(table.FindRange(*selection.range), selection.rangeIndex);
            EXPECT_EQ(selection.range->GetText(), c.textAfter);
        } else {
            EXPECT_EQ(selection.range, nullptr);
        }
    }
    // The same pick again finds the stored range instead of adding a second one.
    std::size_t ranges = table.GetRangeCount();
    script.Answer(RangePickOutcome::Picked, "'Inputs'!$A$1:$B$2");
    std::string text;
    run.host->GetSelectedRange(run.model, table, text, false);
    EXPECT_EQ(table.GetRangeCount(), ranges);

    script.SetCanStart(false);
    run.window.enables.clear();
    EXPECT_EQ(run.host->GetSelectedRange(run.model, table, text, false).outcome, RangePickOutcome::Cancelled);
    EXPECT_TRUE(run.window.enables.empty());

    run.host->BeginDataSession();
    EXPECT_TRUE(script.sessionShown);
    run.host->EndDataSession();
    EXPECT_FALSE(script.sessionShown);
}

// A workbook of many formulas is checked in parts side by side; the failure reported must
// still be the first in the workbook, and nothing is stored until every formula reads.
TEST(FillCellModelTest, ReportsTheFirstUnreadableFormulaOfManyInWorkbookOrder)
{
    xlsx::Workbook workbook;
    workbook.sheets.push_back({"Sheet", "xl/worksheets/sheet1.xml", false, false, std::nullopt, {}});
    for (std::uint32_t row = 0; row < 9000; ++row) {
        xlsx::Cell cell;
        cell.row = row;
        cell.formula = row == 299 ? "SUM(" : row == 7999 ? "1+" : "A1+1";
        workbook.sheets[0].cells.push_back(cell);
    }
    auto failedAt = [&] {
        CCellModel model;
        FillResult result = FillCellModel(workbook, model);
        EXPECT_EQ(model.GetCellCount(), 0u);
        return result.outcome == FillOutcome::FormulaFailed ? result.failedItem : "read";
    };
    EXPECT_EQ(failedAt(), "'Sheet'!$A$300");
    workbook.sheets[0].cells[299].formula = "A1+1";
    EXPECT_EQ(failedAt(), "'Sheet'!$A$8000");
    workbook.sheets[0].cells[7999].formula = "A1+1";
    CCellModel model;
    EXPECT_EQ(FillCellModel(workbook, model).outcome, FillOutcome::Done);
    EXPECT_EQ(model.GetCellCount(), 9000u);
}
