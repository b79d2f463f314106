#include "DialogFixture.h"

#include "app/workbook/CellText.h"
#include "app/workbook/WorkbookDlg.h"
#include "app/workbook/WorkbookPicker.h"
#include "platform/controls/ControlMessages.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "sheet/workbook/XlsxReader.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <fstream>
#include <map>

namespace {

using sheet::RangePickOutcome;
using sheet::xlsx::Workbook;

std::string SamplePath()
{
    return (testsupport::SourceDir() / "assets/samples/regional-sales.xlsx").string();
}

std::string ModelPath()
{
    return (testsupport::SourceDir() / "tests/data/workbooks/model.xlsx").string();
}

// A sheet of rows x columns numbers, row by row as the reader gives them.
Workbook GridBook(std::uint32_t rows, std::uint32_t columns)
{
    Workbook book;
    book.sheets.resize(2);
    book.sheets[0].name = "Data";
    book.sheets[1].name = "Other sheet";
    auto& cells = book.sheets[0].cells;
    cells.reserve(static_cast<std::size_t>(rows) * columns);
    for (std::uint32_t r = 0; r < rows; ++r)
        for (std::uint32_t c = 0; c < columns; ++c) {
            sheet::xlsx::Cell cell;
            cell.row = r;
            cell.column = c;
            cell.type = CellType::Number;
            cell.number = r * 1000.0 + c;
            cell.formatCode = "General";
            cells.push_back(cell);
        }
    book.sheets[0].usedRange = sheet::xlsx::Area{0, 0, rows - 1, columns - 1};
    return book;
}

class WorkbookWndTest : public DialogTest {
protected:
    // Opens the window on the workbook, runs the script in it and returns its answer.
    sheet::RangePickAnswer Pick(const Workbook& book, const std::string& start,
                                const std::function<void(CWorkbookDlg&)>& script)
    {
        ui::SetDialogHook(CWorkbookDlg::IDD, [&](CDialog& dlg) { script(static_cast<CWorkbookDlg&>(dlg)); });
        CWorkbookDlg window(&owner, book, "book.xlsx", start);
        window.DoModal();
        return window.GetAnswer();
    }
};

TEST_F(WorkbookWndTest, DragShiftAndCtrlBuildTheAreasThePickersHandBack)
{
    const Workbook book = GridBook(40, 12);
    const auto answer = Pick(book, "", [](CWorkbookDlg& w) {
        CWorkbookGrid& grid = w.Grid();
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE), "");
        // Drag from A1 to B4.
        CUserInput::Drag(grid, grid.CellCentre(0, 0), grid.CellCentre(3, 1));
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE), "'Data'!$A$1:$B$4");
        // Shift stretches the last area from its anchor.
        CUserInput::Click(grid, grid.CellCentre(5, 2), CUserInput::Shift);
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE), "'Data'!$A$1:$C$6");
        // Ctrl adds an area; a drag with Ctrl adds a block.
        CUserInput::Click(grid, grid.CellCentre(1, 3), CUserInput::Control);
        CUserInput::Drag(grid, grid.CellCentre(8, 0), grid.CellCentre(7, 1), 3, CUserInput::Control);
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE),
                  "'Data'!$A$1:$C$6,'Data'!$D$2,'Data'!$A$8:$B$9");
        // The formula bar shows the active cell: the last press.
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_FORMULA), "8000");
        // A typed reference that names cells shows its first cell's content at once.
        Retype(w, CWorkbookDlg::IDC_WB_REFERENCE, "C3");
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_FORMULA), "2002");
        Retype(w, CWorkbookDlg::IDC_WB_REFERENCE, "'Data'!$A$1:$C$6,'Data'!$D$2,'Data'!$A$8:$B$9");
        Button(w, IDOK).Click();
    });
    EXPECT_EQ(answer.outcome, RangePickOutcome::Picked);
    EXPECT_EQ(answer.rangeText, "'Data'!$A$1:$C$6,'Data'!$D$2,'Data'!$A$8:$B$9");
}

TEST_F(WorkbookWndTest, HeadersTakeWholeColumnsAndRowsAndAPlainClickStartsAgain)
{
    const Workbook book = GridBook(10, 5);
    const auto answer = Pick(book, "", [](CWorkbookDlg& w) {
        CWorkbookGrid& grid = w.Grid();
        CRect column = grid.CellRect(0, 1);
        CUserInput::Click(grid, CPoint(column.CenterPoint().x, CWorkbookGrid::kHeaderHeight / 2));
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE), "'Data'!$B$1:$B$1048576");
        CRect row = grid.CellRect(2, 0);
        CUserInput::Click(grid, CPoint(4, row.CenterPoint().y), CUserInput::Control);
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE),
                  "'Data'!$B$1:$B$1048576,'Data'!$A$3:$XFD$3");
        CUserInput::Click(grid, grid.CellCentre(4, 4));
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE), "'Data'!$E$5");
        // Arrows move the active cell; with Shift they stretch the area.
        CUserInput::PressKey(VK_DOWN);
        CUserInput::PressKey(VK_LEFT, CUserInput::Shift);
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE), "'Data'!$D$6:$E$6");
        Button(w, IDOK).Click();
    });
    EXPECT_EQ(answer.rangeText, "'Data'!$D$6:$E$6");
}

struct TypedCase {
    std::string typed;
    RangePickOutcome outcome;
    std::string result;  // the answer, or the start of the refusal
};

TEST_F(WorkbookWndTest, TypedReferencesAreCheckedAgainstTheWorkbook)
{
    const Workbook book = GridBook(5, 5);
    const std::vector<TypedCase> cases = {
        {"b2:a1", RangePickOutcome::Picked, "'Data'!$A$1:$B$2"},
        {"'Other sheet'!C3, 'Other sheet'!$A$1", RangePickOutcome::Picked, "'Other sheet'!$C$3,'Other sheet'!$A$1"},
        {"data!A1", RangePickOutcome::Picked, "'Data'!$A$1"},
        // Nothing was linked: there is nothing to clear.
        {"", RangePickOutcome::Cancelled, CWorkbookDlg::kNoReferenceText},
        {"Missing!A1", RangePickOutcome::Cancelled, "The workbook has no sheet named \"Missing\"."},
        {"A1048577", RangePickOutcome::Cancelled, "\"A1048577\" is not a cell"},
        {"XFE1", RangePickOutcome::Cancelled, "\"XFE1\" is not a cell"},
        {"Data!A1,'Other sheet'!A1", RangePickOutcome::Cancelled, "All the cells must be on one sheet."},
        {"'Data!A1", RangePickOutcome::Cancelled, "The workbook has no sheet"},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.typed);
        if (c.outcome == RangePickOutcome::Cancelled)
            boxes->Answer(IDOK);
        const auto answer = Pick(book, "", [&](CWorkbookDlg& w) {
            Retype(w, CWorkbookDlg::IDC_WB_REFERENCE, c.typed);
            Button(w, IDOK).Click();
            if (!w.IsEnded()) {
                // Refused: the window stays open with the text selected for retyping.
                EXPECT_EQ(CWnd::GetFocus(), w.GetDlgItem(CWorkbookDlg::IDC_WB_REFERENCE));
                Button(w, IDCANCEL).Click();
            }
        });
        EXPECT_EQ(answer.outcome, c.outcome);
        if (c.outcome == RangePickOutcome::Cancelled) {
            ASSERT_FALSE(boxes->Log().empty());
            EXPECT_EQ(boxes->Log().back().text.rfind(c.result, 0), 0u) << boxes->Log().back().text;
        } else {
            EXPECT_EQ(answer.rangeText, c.result);
        }
    }
}

// OK on an empty reference removes a link only when the user says so.
TEST_F(WorkbookWndTest, AnEmptyReferenceAsksBeforeTheLinkGoes)
{
    const Workbook book = GridBook(5, 5);
    for (const int reply : {IDNO, IDYES}) {
        boxes->Answer(reply);
        const auto answer = Pick(book, "'Data'!$B$2", [&](CWorkbookDlg& w) {
            w.SetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE, "");
            Button(w, IDOK).Click();
            if (!w.IsEnded())
                Button(w, IDCANCEL).Click();
        });
        ASSERT_FALSE(boxes->Log().empty());
        EXPECT_EQ(boxes->Log().back().text, std::string(CWorkbookDlg::kRemoveLinkText) + "'Data'!$B$2?");
        EXPECT_EQ(answer.outcome, reply == IDYES ? RangePickOutcome::Cleared : RangePickOutcome::Cancelled);
    }
}

TEST_F(WorkbookWndTest, StartsOnTheHeldRangeAndSheetTabsSwitchSheets)
{
    const Workbook book = GridBook(300, 5);
    const auto answer = Pick(book, "'Data'!$B$200:$C$201", [](CWorkbookDlg& w) {
        CWorkbookGrid& grid = w.Grid();
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE), "'Data'!$B$200:$C$201");
        // Scrolled so that the held cells show.
        EXPECT_LE(grid.GetTopRow(), 199u);
        EXPECT_GT(grid.GetTopRow() + grid.VisibleRows(), 200u);
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_FORMULA), "199001");
        CUserInput::Click(w.Tabs(), w.Tabs().TabRect(1).CenterPoint());
        EXPECT_EQ(grid.GetTopRow(), 0u);
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE), "'Other sheet'!$A$1");
        Button(w, IDCANCEL).Click();
    });
    EXPECT_EQ(answer.outcome, RangePickOutcome::Cancelled);
    EXPECT_TRUE(answer.rangeText.empty());
}

TEST_F(WorkbookWndTest, ScrollingPaintsOnlyTheCellsThatShowOfALargeSheet)
{
    CRasterWindowHost& host = InstallRasterWindowHost();
    const Workbook book = GridBook(10000, 10); // 100,000 cells
    Pick(book, "", [&](CWorkbookDlg& w) {
        CWorkbookGrid& grid = w.Grid();
        grid.UpdateWindow();
        const int shown = static_cast<int>(grid.VisibleRows() * std::min<std::uint32_t>(grid.VisibleColumns(), 10));
        EXPECT_EQ(grid.CellsPainted(), shown);
        // A page down through the scroll bar and a drag past the bottom edge both scroll;
        // each paint draws the cells that show, never the sheet.
        w.VerticalBar().UserScroll(SB_PAGEDOWN);
        grid.UpdateWindow();
        EXPECT_GT(grid.GetTopRow(), 0u);
        EXPECT_EQ(grid.CellsPainted(), shown);
        w.VerticalBar().UserScroll(SB_THUMBTRACK, 9990);
        grid.UpdateWindow();
        EXPECT_EQ(grid.GetTopRow(), 9990u);
        EXPECT_LE(grid.CellsPainted(), shown);
        EXPECT_GT(grid.CellsPainted(), 0);
        std::size_t texts = 0;
        for (const DrawOp& op : host.LastPaint(grid))
            texts += op.kind == DrawOp::Kind::Text ? 1 : 0;
        // Values plus the headers of the rows and columns that show.
        EXPECT_LE(texts, static_cast<std::size_t>(shown) + grid.VisibleRows() + grid.VisibleColumns());

        CRect client;
        grid.GetClientRect(&client);
        const std::uint32_t top = grid.GetTopRow();
        CUserInput::Press(grid, grid.CellCentre(top + 1, 1));
        CUserInput::MoveTo(grid, CPoint(client.CenterPoint().x, client.bottom + 5));
        CUserInput::MoveTo(grid, CPoint(client.CenterPoint().x, client.bottom + 5));
        CUserInput::Release(grid, CPoint(client.CenterPoint().x, client.bottom + 5));
        EXPECT_EQ(grid.GetTopRow(), top + 2);
        Button(w, IDCANCEL).Click();
    });
}

// A long text runs on over the empty cells at its right and stops at the next value; a
// number too wide for its column shows as "#" within it.
TEST_F(WorkbookWndTest, LongTextsRunOnOverEmptyCellsAndWideNumbersShowHashes)
{
    CRasterWindowHost& host = InstallRasterWindowHost();
    Workbook book;
    book.sheets.resize(1);
    book.sheets[0].name = "Data";
    auto add = [&](std::uint32_t row, std::uint32_t column, CellType type, double number, const char* text) {
        sheet::xlsx::Cell cell;
        cell.row = row;
        cell.column = column;
        cell.type = type;
        cell.number = number;
        cell.text = text;
        cell.formatCode = type == CellType::Number ? "#,##0" : "General";
        book.sheets[0].cells.push_back(cell);
    };
    add(0, 0, CellType::Text, 0, "A heading long enough for three columns");
    add(1, 0, CellType::Text, 0, "A label cut at its value");
    add(1, 1, CellType::Number, 5, "");
    add(2, 0, CellType::Number, 123456789012.0, "");
    Pick(book, "", [&](CWorkbookDlg& w) {
        CWorkbookGrid& grid = w.Grid();
        host.Snapshot(w);
        std::map<std::string, CRect> drawn;
        for (const DrawOp& op : host.LastPaint(grid))
            if (op.kind == DrawOp::Kind::Text)
                drawn[op.text] = op.logical;
        const int column = grid.CellRect(0, 1).left - grid.CellRect(0, 0).left;
        EXPECT_GT(drawn["A heading long enough for three columns"].Width(), 3 * column);
        EXPECT_LT(drawn["A label cut at its value"].Width(), column);
        auto hashes = std::find_if(drawn.begin(), drawn.end(), [](const auto& d) { return d.first.rfind("##", 0) == 0; });
        ASSERT_NE(hashes, drawn.end());
        EXPECT_EQ(hashes->first.find_first_not_of('#'), std::string::npos);
        Button(w, IDCANCEL).Click();
    });
}

// Cells, headers and sheet tabs read in the dialog's font, whatever the program-wide default
// is (here made larger than the dialog's).
TEST_F(WorkbookWndTest, TheGridAndItsTabsDrawInTheDialogsFont)
{
    CRasterWindowHost& host = InstallRasterWindowHost();
    ui::SetDefaultFontDpi(144);
    const Workbook book = GridBook(5, 3);
    Pick(book, "", [&](CWorkbookDlg& w) {
        const LOGFONT& dialogFont = w.GetFont()->GetLogFontRef();
        ASSERT_NE(dialogFont.lfHeight, ui::DefaultLogFont().lfHeight);
        host.Snapshot(w);
        for (CWnd* part : {static_cast<CWnd*>(&w.Grid()), static_cast<CWnd*>(&w.Tabs())}) {
            std::size_t texts = 0;
            for (const DrawOp& op : host.LastPaint(*part)) {
                if (op.kind != DrawOp::Kind::Text)
                    continue;
                ++texts;
                EXPECT_EQ(op.font.lfHeight, dialogFont.lfHeight) << op.text;
                EXPECT_STREQ(op.font.lfFaceName, dialogFont.lfFaceName) << op.text;
            }
            EXPECT_GT(texts, 3u);
        }
        Button(w, IDCANCEL).Click();
    });
    ui::ResetDefaultFontDpi();
}

TEST(CellText, ValuesShowAsTheirFormatsSay)
{
    struct Case {
        double value;
        const char* code;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {1234.5, "General", "1234.5"},
        {0.1 + 0.2, "General", "0.3"},
        {123456789012.0, "General", "1.23457E+11"},
        {-2.5, "0", "-3"},
        {1234.567, "#,##0.00", "1,234.57"},
        {-1234.567, "#,##0.00;(#,##0.00)", "(1,234.57)"},
        {0, "0.0;-0.0;\"zero\"", "zero"},
        {0.256, "0.0%", "25.6%"},
        {1500000, "#,##0,\"K\"", "1,500K"},
        {12345.678, "0.00E+00", "1.23E+04"},
        {42, "[Red]\\$0.00_)", "$42.00 "},
        {42, "[$€-407] #,##0", "€ 42"},
        {0.5, "#.##", ".5"},
        {45292, "yyyy-mm-dd", "2024-01-01"},
        {45292.75, "d-mmm-yy h:mm AM/PM", "1-Jan-24 6:00 PM"},
        {45292.5, "dddd, mmmm d", "Monday, January 1"},
        {60, "yyyy-mm-dd", "1900-02-29"},
        {61, "m/d/yyyy", "3/1/1900"},
        {0.3, "hh:mm:ss", "07:12:00"},
        {1e307, "0%", "#NUM!"}, // a hundredfold past the largest number
        {-1, "yyyy", "###########"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(workbook::FormatNumber(c.value, c.code, false), c.shown) << c.code;
    EXPECT_EQ(workbook::FormatNumber(0, "yyyy-mm-dd", true), "1904-01-01");
}

// A number wider than its column is never shown cut: a general one is rounded to fewer
// decimals, anything else fills the column with "#".
TEST(CellText, NumbersTooWideForTheirColumnShowRoundedOrAsHashes)
{
    auto cell = [](double value, const char* code) {
        sheet::xlsx::Cell c;
        c.type = CellType::Number;
        c.number = value;
        c.formatCode = code;
        return c;
    };
    auto within = [](std::size_t width) {
        return [width](const std::string& text) { return text.size() <= width; };
    };
    EXPECT_EQ(workbook::FitNumberText(cell(3.14159265, "General"), false, within(20)), "3.14159265");
    EXPECT_EQ(workbook::FitNumberText(cell(3.14159265, "General"), false, within(6)), "3.1416");
    EXPECT_EQ(workbook::FitNumberText(cell(-0.0004, "General"), false, within(3)), "0");
    EXPECT_EQ(workbook::FitNumberText(cell(1234567.8, "General"), false, within(5)), "#####");
    EXPECT_EQ(workbook::FitNumberText(cell(1234567, "#,##0"), false, within(6)), "######");
    EXPECT_EQ(workbook::FitNumberText(cell(45292, "yyyy-mm-dd"), false, within(0)), "#");
}

// The picker the program hands to the Excel host reads the imported workbook itself.
class WorkbookPickerTest : public DialogTest {};

TEST_F(WorkbookPickerTest, PicksFromTheImportedWorkbookAndRefusesABadOne)
{
    testsupport::TempDir dir;
    std::string path = ModelPath();
    CWorkbookPicker picker([&] { return path; });
    EXPECT_TRUE(picker.CanStart());

    ui::SetDialogHook(CWorkbookDlg::IDD, [](CDialog& dlg) {
        auto& w = static_cast<CWorkbookDlg&>(dlg);
        EXPECT_EQ(w.GetWindowText(), "Select Cells - model.xlsx");
        CUserInput::Click(w.Tabs(), w.Tabs().TabRect(1).CenterPoint());
        CUserInput::Drag(w.Grid(), w.Grid().CellCentre(1, 0), w.Grid().CellCentre(2, 1));
        Button(w, IDOK).Click();
    });
    owner.EnableWindow(TRUE);
    owner.SetActiveWindow();
    auto answer = picker.PickRange("", true);
    EXPECT_EQ(answer.outcome, RangePickOutcome::Picked);
    EXPECT_EQ(answer.rangeText, "'Calc Sheet'!$A$2:$B$3");
    EXPECT_TRUE(owner.IsWindowEnabled());

    // Not a workbook, then a workbook that has gone: a message and a cancelled pick.
    path = (dir / "notes.xlsx").string();
    std::ofstream(path) << "plain text";
    boxes->Answer(IDOK);
    EXPECT_EQ(picker.PickRange("", true).outcome, RangePickOutcome::Cancelled);
    path = (dir / "gone.xlsx").string();
    boxes->Answer(IDOK);
    EXPECT_EQ(picker.PickRange("", true).outcome, RangePickOutcome::Cancelled);
    ASSERT_EQ(boxes->Log().size(), 2u);
    for (const auto& box : boxes->Log())
        EXPECT_EQ(box.text.rfind(CWorkbookPicker::kUnreadableText, 0), 0u) << box.text;
    EXPECT_NE(boxes->Log()[1].text.find("missing"), std::string::npos);
    path.clear();
    EXPECT_FALSE(picker.CanStart());
}

// The host reads a temporary copy of the workbook; the window names the workbook the user chose.
TEST_F(WorkbookPickerTest, TheWindowIsTitledWithTheChosenWorkbookNotItsCopy)
{
    testsupport::TempDir dir;
    const std::string copy = (dir / "kv0.xlsx").string();
    std::filesystem::copy_file(ModelPath(), copy);
    CWorkbookPicker picker([&] { return copy; }, [] { return std::string("/home/someone/Budget 2026.xlsx"); });
    ui::SetDialogHook(CWorkbookDlg::IDD, [](CDialog& dlg) {
        EXPECT_EQ(dlg.GetWindowText(), "Select Cells - Budget 2026.xlsx");
        Button(dlg, IDCANCEL).Click();
    });
    owner.EnableWindow(TRUE);
    owner.SetActiveWindow();
    EXPECT_EQ(picker.PickRange("", false).outcome, RangePickOutcome::Cancelled);
}

TEST_F(WorkbookPickerTest, TheSessionWindowStaysBesideTheDataDialog)
{
    std::string path = SamplePath();
    CWorkbookPicker picker([&] { return path; });
    owner.MoveWindow(10, 10, 300, 200);
    owner.SetActiveWindow();
    picker.ShowSession(true);
    ASSERT_NE(picker.GetSessionWindow(), nullptr);
    CRect session;
    picker.GetSessionWindow()->GetWindowRect(&session);
    EXPECT_EQ(session.left, 314);
    EXPECT_EQ(session.top, 10);
    EXPECT_TRUE(picker.GetSessionWindow()->IsWindowVisible());

    ui::SetDialogHook(CWorkbookDlg::IDD, [](CDialog& dlg) {
        auto& w = static_cast<CWorkbookDlg&>(dlg);
        if (!w.IsModal())
            return; // the session window shown again afterwards
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE), "'Sales'!$B$2");
        Button(w, IDOK).Click();
    });
    EXPECT_EQ(picker.PickRange("Sales!B2", false).rangeText, "'Sales'!$B$2");
    ASSERT_NE(picker.GetSessionWindow(), nullptr);
    EXPECT_TRUE(picker.GetSessionWindow()->IsWindowVisible());
    picker.ShowSession(false);
    EXPECT_EQ(picker.GetSessionWindow(), nullptr);
}

TEST_F(WorkbookPickerTest, PictureOfTheSample)
{
    CRasterWindowHost& host = InstallRasterWindowHost();
    const Workbook book = sheet::xlsx::ReadWorkbookFile(SamplePath());
    ui::SetDialogHook(CWorkbookDlg::IDD, [&](CDialog& dlg) {
        auto& w = static_cast<CWorkbookDlg&>(dlg);
        CUserInput::Drag(w.Grid(), w.Grid().CellCentre(1, 1), w.Grid().CellCentre(4, 3));
        CUserInput::Click(w.Grid(), w.Grid().CellCentre(8, 1), CUserInput::Control);
        const CBitmap picture = host.Snapshot(w);
        EXPECT_TRUE(WritePng(testsupport::ArtefactDir("app") / "workbook-window.png", picture));
        Button(w, IDOK).Click();
    });
    CWorkbookDlg window(&owner, book, "regional-sales.xlsx", "");
    window.DoModal();
    EXPECT_EQ(window.GetAnswer().rangeText, "'Sales'!$B$2:$D$5,'Sales'!$B$9");
}

} // namespace
