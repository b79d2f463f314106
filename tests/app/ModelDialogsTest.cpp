#include "DialogFixture.h"

#include "app/core/TempFileManager.h"
#include "app/modeldialogs/ImportModelDlg.h"
#include "app/modeldialogs/ReplaceDataDlg.h"
#include "app/modeldialogs/XmlMapsDlg.h"
#include "app/workbook/WorkbookDlg.h"
#include "app/workbook/WorkbookPicker.h"
#include "model/CellBinding.h"
#include "model/ModelHooks.h"
#include "model/ComponentCatalog.h"
#include "model/Component.h"
#include "model/ComponentDef.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListCtrl.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "publish/ExportRecord.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/host/ExcelHost.h"
#include "tests/support/ComponentFixture.h"
#include "tests/support/ScriptedRangePicker.h"
#include "tests/support/TestSupport.h"

#include <fstream>
#include <iterator>

namespace {

std::string ModelPath()
{
    return (testsupport::SourceDir() / "tests/data/workbooks/model.xlsx").string();
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Snap(CRasterWindowHost& host, CWnd& window, const std::string& name)
{
    EXPECT_TRUE(WritePng(testsupport::ArtefactDir("app") / name, host.Snapshot(window)));
}

// ---------------------------------------------------------------------------------------
// Import Model

class ImportModelDlgTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        temp = std::make_unique<CTempFileManager>(dir.path());
        document.tempFiles = temp.get();
        document.cellModel = &model;
        document.table = &table;
        document.importModel = [this](const std::string& chosen, const std::string& copy) {
            imports.emplace_back(chosen, copy);
            return true;
        };
        document.refreshDataSources = [this](bool format) { log.push_back(format ? "refresh+format" : "refresh"); };
        document.clearDataSources = [this] { log.push_back("clear"); };
    }
    void TearDown() override
    {
        temp.reset();
        DialogTest::TearDown();
    }
    INT_PTR Run(const std::function<void(CDialog&)>& script)
    {
        ui::SetDialogHook(CImportModelDlg::IDD, script);
        CImportModelDlg dlg(&owner, document);
        return dlg.DoModal();
    }

    testsupport::TempDir dir;
    std::unique_ptr<CTempFileManager> temp;
    CCellModel model;
    CVariableTable table;
    ImportModelDocument document;
    std::vector<std::pair<std::string, std::string>> imports;
    std::vector<std::string> log;
};

TEST_F(ImportModelDlgTest, AFirstImportAsksOnlyForTheWorkbookAndImportsACopy)
{
    const std::string notBook = (dir / "notes.xlsx").string();
    std::ofstream(notBook) << "not a zip";
    // The document's host for the new workbook, as the import makes it.
    CExcelHost host(nullptr, "");
    CExcelHost::SetCurrent(&host);
    for (int i = 0; i < 3; ++i)
        boxes->Answer(IDOK);
    document.documentFolder = dir.path().string();
    EXPECT_EQ(Run([&](CDialog& dlg) {
                  for (int id : {CImportModelDlg::IDC_REFRESH_DATA_SOURCES, CImportModelDlg::IDC_CLEAR_DATA_SOURCES,
                                 CImportModelDlg::IDC_REFRESH_FORMAT})
                      EXPECT_FALSE(dlg.GetDlgItem(id)->IsWindowVisible()) << id;
                  EXPECT_TRUE(dlg.GetDlgItem(CImportModelDlg::IDC_BROWSE)->IsWindowVisible());
                  Button(dlg, IDOK).Click();
                  Retype(dlg, CImportModelDlg::IDC_EXCEL_FILE, (dir / "missing.xlsx").string());
                  Button(dlg, IDOK).Click();
                  Retype(dlg, CImportModelDlg::IDC_EXCEL_FILE, notBook);
                  Button(dlg, IDOK).Click();
                  EXPECT_FALSE(dlg.IsEnded());
                  EXPECT_EQ(dlg.GetWindowText(), "Import Model");
                  files->AnswerFile(ModelPath());
                  Button(dlg, CImportModelDlg::IDC_BROWSE).Click();
                  Button(dlg, IDOK).Click();
              }),
              IDOK);
    ASSERT_EQ(boxes->Log().size(), 3u);
    EXPECT_EQ(boxes->Log()[0].text, "Please import an Excel file ");
    EXPECT_EQ(boxes->Log()[1].text,
              "The file missing.xlsx is missing from " + (dir / "missing.xlsx").parent_path().string() + ".\nPlease import a valid Excel file.");
    EXPECT_EQ(boxes->Log()[2].text.rfind(CImportModelDlg::kUnreadableText, 0), 0u);
    ASSERT_EQ(files->Log().size(), 1u);
    EXPECT_EQ(files->Log()[0].file.fileName, "*.xlsx");
    EXPECT_EQ(files->Log()[0].file.filter, "Excel Files (*.xlsx;*.xlsm)|*.xlsx;*.xlsm|");
    EXPECT_TRUE(files->Log()[0].file.defaultExt.empty());
    EXPECT_EQ(files->Log()[0].file.initialDir, dir.path().string()) << "the chooser starts beside the document";

    ASSERT_EQ(imports.size(), 1u);
    EXPECT_EQ(imports[0].first, ModelPath());
    const std::string copy = imports[0].second;
    EXPECT_EQ(std::filesystem::path(copy).filename().string().rfind("im", 0), 0u);
    EXPECT_EQ(std::filesystem::path(copy).extension(), ".xlsx");
    EXPECT_EQ(ReadAll(copy), ReadAll(ModelPath()));
    EXPECT_TRUE(log.empty()); // a first import has no bindings to keep or clear
    // Range picks show the copy in the workbook window.
    EXPECT_EQ(host.GetWorkbookPath(), copy);
    EXPECT_NE(dynamic_cast<CWorkbookPicker*>(host.GetRangePicker()), nullptr);
    CExcelHost::SetCurrent(nullptr);
}

TEST_F(ImportModelDlgTest, AReimportKeepsOrClearsTheBindingsAfterTheQuestions)
{
    document.modelFileName = ModelPath();
    table.AddCell("Inputs", 1, 1);
    CCellData changed;
    changed.valueText = "1";
    changed.changed = true;
    model.SetCell("Inputs", 1, 1, changed);

    // The same sheets: one question. No keeps everything as it was.
    boxes->Answer(IDNO);
    Run([&](CDialog& dlg) {
        EXPECT_EQ(dlg.GetDlgItemText(CImportModelDlg::IDC_EXCEL_FILE), ModelPath());
        EXPECT_EQ(dlg.IsDlgButtonChecked(CImportModelDlg::IDC_REFRESH_DATA_SOURCES), BST_CHECKED);
        EXPECT_EQ(dlg.IsDlgButtonChecked(CImportModelDlg::IDC_CLEAR_DATA_SOURCES), BST_UNCHECKED);
        EXPECT_TRUE(Enabled(dlg, CImportModelDlg::IDC_REFRESH_FORMAT));
        Button(dlg, CImportModelDlg::IDC_REFRESH_FORMAT).Click();
        Button(dlg, CImportModelDlg::IDC_CLEAR_DATA_SOURCES).Click();
        EXPECT_FALSE(Enabled(dlg, CImportModelDlg::IDC_REFRESH_FORMAT));
        EXPECT_EQ(dlg.IsDlgButtonChecked(CImportModelDlg::IDC_REFRESH_FORMAT), BST_UNCHECKED);
        Button(dlg, CImportModelDlg::IDC_REFRESH_DATA_SOURCES).Click();
        EXPECT_TRUE(Enabled(dlg, CImportModelDlg::IDC_REFRESH_FORMAT));
        EXPECT_EQ(dlg.IsDlgButtonChecked(CImportModelDlg::IDC_REFRESH_FORMAT), BST_UNCHECKED);
        Button(dlg, CImportModelDlg::IDC_REFRESH_FORMAT).Click();
        Button(dlg, IDOK).Click();
        EXPECT_FALSE(dlg.IsEnded());
        boxes->Answer(IDYES);
        Button(dlg, IDOK).Click();
    });
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(boxes->Log()[0].text, CImportModelDlg::kReimportText);
    EXPECT_EQ(boxes->Log()[0].flags & MB_YESNO, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(log, std::vector<std::string>{"refresh+format"});
    EXPECT_FALSE(model.GetCell("Inputs", 1, 1)->changed);
    ASSERT_EQ(imports.size(), 1u);
    // The same workbook again still gets its own copy.
    EXPECT_NE(imports[0].second, ModelPath());
    EXPECT_EQ(ReadAll(imports[0].second), ReadAll(ModelPath()));

    // A sheet the model uses is missing from the workbook: two questions, clear chosen.
    table.AddCell("Gone", 1, 1);
    boxes->Answer(IDYES);
    boxes->Answer(IDYES);
    Run([&](CDialog& dlg) {
        Button(dlg, CImportModelDlg::IDC_CLEAR_DATA_SOURCES).Click();
        Button(dlg, IDOK).Click();
    });
    ASSERT_EQ(boxes->Log().size(), 4u);
    EXPECT_EQ(boxes->Log()[2].text, CImportModelDlg::kSheetNamesText);
    EXPECT_EQ(log.back(), "clear");
    EXPECT_EQ(imports.size(), 2u);

    // Declining the sheet question changes nothing.
    boxes->Answer(IDNO);
    Run([&](CDialog& dlg) {
        Button(dlg, CImportModelDlg::IDC_CLEAR_DATA_SOURCES).Click();
        Button(dlg, IDOK).Click();
        Button(dlg, IDCANCEL).Click();
    });
    EXPECT_EQ(log.size(), 2u);
    EXPECT_EQ(imports.size(), 2u);
}

TEST_F(ImportModelDlgTest, AnImportThatCannotStartKeepsTheBindings)
{
    document.modelFileName = ModelPath();
    document.importModel = [](const std::string&, const std::string&) { return false; };
    document.tempFiles = nullptr; // no temporary folder: the copy cannot be made
    boxes->Answer(IDYES);
    boxes->Answer(IDOK);
    Run([&](CDialog& dlg) {
        Button(dlg, CImportModelDlg::IDC_CLEAR_DATA_SOURCES).Click();
        Button(dlg, IDOK).Click();
        EXPECT_FALSE(dlg.IsEnded());
        Button(dlg, IDCANCEL).Click();
    });
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(boxes->Log()[1].text.rfind(CImportModelDlg::kCopyFailedText, 0), 0u);
    EXPECT_TRUE(log.empty());
}

// ---------------------------------------------------------------------------------------
// Replace Data Selection

// A host over model.xlsx with its model read, and the window picker answering range picks.
class HostedTest : public DialogTest {
protected:
    struct Window : sheet::IExcelHostWindow {
        void PostImportMessage(sheet::ImportCode, long) override {}
        void EnableMainWindow(bool) override {}
        void ShowWarning(const std::string& text, const std::string&) override { warnings.push_back(text); }
        std::vector<std::string> warnings;
    };
    void Host()
    {
        host = std::make_unique<CExcelHost>(&window, ModelPath());
        host->StartWorker(&model);
        ASSERT_TRUE(host->WaitForWorker(20000));
        ASSERT_TRUE(model.IsLoaded());
        InstallWorkbookPicker(*host);
        CExcelHost::SetCurrent(host.get());
    }
    void TearDown() override
    {
        CExcelHost::SetCurrent(nullptr);
        host.reset();
        DialogTest::TearDown();
    }
    // The user's pick in the workbook window: a drag between two cells of a sheet.
    static void DragInWorkbook(int sheet, CPoint from, CPoint to)
    {
        ui::SetDialogHook(CWorkbookDlg::IDD, [=](CDialog& dlg) {
            auto& w = static_cast<CWorkbookDlg&>(dlg);
            if (sheet != w.Tabs().GetCurSel())
                CUserInput::Click(w.Tabs(), w.Tabs().TabRect(sheet).CenterPoint());
            CUserInput::Drag(w.Grid(), w.Grid().CellCentre(from.y, from.x), w.Grid().CellCentre(to.y, to.x));
            Button(w, IDOK).Click();
        });
    }

    Window window;
    CCellModel model;
    CVariableTable table;
    std::unique_ptr<CExcelHost> host;
};

class ReplaceDataDlgTest : public HostedTest {
protected:
    INT_PTR Run(const std::function<void(CDialog&)>& script)
    {
        ui::SetDialogHook(CReplaceDataDlg::IDD, script);
        CReplaceDataDlg dlg(&owner, {&entries, &model, &table, [this] {
                                         ++importOffers;
                                         return false;
                                     },
                                     {}});
        return dlg.DoModal();
    }
    static CListBox& List(CDialog& dlg)
    {
        return *static_cast<CListBox*>(dlg.GetDlgItem(CReplaceDataDlg::IDC_RANGE_LIST));
    }

    std::vector<CRangeEntry> entries;
    int importOffers = 0;
};

TEST_F(ReplaceDataDlgTest, AddNamesTheFirstFreeRangeAndRemoveSelectsANeighbour)
{
    entries = {{-1, "Range0", ""}, {3, "Range2", "'Inputs'!$B$2"}, {-1, "range3", ""}};
    Run([&](CDialog& dlg) {
        EXPECT_EQ(List(dlg).GetCount(), 3);
        EXPECT_FALSE(Enabled(dlg, CReplaceDataDlg::IDC_RANGE_NAME));
        EXPECT_FALSE(Enabled(dlg, CReplaceDataDlg::IDC_PICK_RANGE));
        Button(dlg, CReplaceDataDlg::IDC_ADD).Click();
        Button(dlg, CReplaceDataDlg::IDC_ADD).Click(); // Range3 is taken in another case
        EXPECT_EQ(List(dlg).GetText(4), "Range4");
        EXPECT_EQ(List(dlg).GetCurSel(), 4);
        EXPECT_TRUE(Enabled(dlg, CReplaceDataDlg::IDC_RANGE_NAME));
        EXPECT_EQ(dlg.GetDlgItemText(CReplaceDataDlg::IDC_RANGE_NAME), "Range4");
        List(dlg).UserSelect(1);
        EXPECT_EQ(dlg.GetDlgItemText(CReplaceDataDlg::IDC_RANGE_SELECTION), "'Inputs'!$B$2");
        Button(dlg, CReplaceDataDlg::IDC_REMOVE).Click();
        EXPECT_EQ(List(dlg).GetCurSel(), 1); // the one that took its place
        EXPECT_EQ(dlg.GetDlgItemText(CReplaceDataDlg::IDC_RANGE_NAME), "range3");
        List(dlg).UserSelect(3);
        Button(dlg, CReplaceDataDlg::IDC_REMOVE).Click();
        EXPECT_EQ(List(dlg).GetCurSel(), 2); // the last went: the one before it
        Button(dlg, CReplaceDataDlg::IDC_CLOSE).Click();
    });
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "Range0");
    EXPECT_EQ(entries[1].name, "range3");
    EXPECT_EQ(entries[2].name, "Range1");
    EXPECT_EQ(entries[2].rangeIndex, -1);

    entries = {{-1, "Only", ""}};
    Run([&](CDialog& dlg) {
        List(dlg).UserSelect(0);
        Button(dlg, CReplaceDataDlg::IDC_REMOVE).Click();
        EXPECT_EQ(List(dlg).GetCurSel(), -1);
        EXPECT_EQ(dlg.GetDlgItemText(CReplaceDataDlg::IDC_RANGE_NAME), "");
        EXPECT_FALSE(Enabled(dlg, CReplaceDataDlg::IDC_RANGE_NAME));
        EXPECT_FALSE(Enabled(dlg, CReplaceDataDlg::IDC_PICK_RANGE));
        Button(dlg, CReplaceDataDlg::IDC_REMOVE).Click(); // nothing selected: nothing happens
        Button(dlg, CReplaceDataDlg::IDC_CLOSE).Click();
    });
    EXPECT_TRUE(entries.empty());
}

struct Rename {
    std::string typed;
    std::string kept;     // the entry's name afterwards
    std::string message;  // the refusal, empty when accepted
};

TEST_F(ReplaceDataDlgTest, RenamingWhenTheNameEditIsLeft)
{
    const std::vector<Rename> cases = {
        {"Sales", "Sales", ""},
        {"Range1", "Range0", "Range1 is already in the list"},
        // Names only differing in case would be one name in the published movie.
        {"range1", "Range0", "range1 is already in the list"},
        {"", "Range0", CReplaceDataDlg::kEmptyNameText},
        {"Range0", "Range0", ""},
    };
    for (const Rename& c : cases) {
        SCOPED_TRACE(c.typed);
        entries = {{-1, "Range0", ""}, {-1, "Range1", ""}};
        const std::size_t before = boxes->Log().size();
        if (!c.message.empty())
            boxes->Answer(IDOK);
        Run([&](CDialog& dlg) {
            List(dlg).UserSelect(0);
            Edit(dlg, CReplaceDataDlg::IDC_RANGE_NAME).SetFocus();
            if (c.typed.empty()) {
                Edit(dlg, CReplaceDataDlg::IDC_RANGE_NAME).SetSel(0, -1);
                CUserInput::PressKey(VK_DELETE);
            }
            else
                Retype(dlg, CReplaceDataDlg::IDC_RANGE_NAME, c.typed);
            // Tab leaves the edit.
            CUserInput::PressKey(VK_TAB);
            if (c.message.empty()) {
                EXPECT_EQ(List(dlg).GetText(0), c.kept);
                EXPECT_EQ(List(dlg).GetCurSel(), 0);
            } else {
                EXPECT_EQ(dlg.GetDlgItemText(CReplaceDataDlg::IDC_RANGE_NAME), c.kept);
                EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(CReplaceDataDlg::IDC_RANGE_NAME));
            }
            Button(dlg, CReplaceDataDlg::IDC_CLOSE).Click();
        });
        EXPECT_EQ(entries[0].name, c.kept);
        if (!c.message.empty()) {
            ASSERT_EQ(boxes->Log().size(), before + 1);
            EXPECT_EQ(boxes->Log()[before].text, c.message);
            EXPECT_EQ(boxes->Log()[before].caption, "Warning");
        }
    }
}

TEST_F(ReplaceDataDlgTest, ARangeIsPickedInTheWorkbookWindow)
{
    entries = {{-1, "Prices", ""}};
    // Without a model the user is sent to import one and picks afterwards.
    boxes->Answer(IDOK);
    Run([&](CDialog& dlg) {
        List(dlg).UserSelect(0);
        Button(dlg, CReplaceDataDlg::IDC_PICK_RANGE).Click();
        Button(dlg, CReplaceDataDlg::IDC_CLOSE).Click();
    });
    EXPECT_EQ(importOffers, 1);
    EXPECT_EQ(boxes->Log().at(0).text, CReplaceDataDlg::kNoModelText);
    EXPECT_EQ(entries[0].rangeIndex, -1);

    Host();
    DragInWorkbook(0, CPoint(1, 1), CPoint(1, 3));
    Run([&](CDialog& dlg) {
        List(dlg).UserSelect(0);
        Button(dlg, CReplaceDataDlg::IDC_PICK_RANGE).Click();
        EXPECT_EQ(dlg.GetDlgItemText(CReplaceDataDlg::IDC_RANGE_SELECTION), "'Inputs'!$B$2:$B$4");
        EXPECT_TRUE(dlg.IsWindowEnabled());
        EXPECT_FALSE(owner.IsWindowEnabled()); // still modal over its owner
        Button(dlg, CReplaceDataDlg::IDC_CLOSE).Click();
    });
    EXPECT_TRUE(owner.IsWindowEnabled());
    ASSERT_GE(entries[0].rangeIndex, 0);
    EXPECT_EQ(table.GetRange(static_cast<std::size_t>(entries[0].rangeIndex))->GetText(), "'Inputs'!$B$2:$B$4");
    EXPECT_EQ(entries[0].rangeText, "'Inputs'!$B$2:$B$4");

    // Cancelling the window keeps the range.
    ui::SetDialogHook(CWorkbookDlg::IDD, [](CDialog& dlg) { Button(dlg, IDCANCEL).Click(); });
    Run([&](CDialog& dlg) {
        List(dlg).UserSelect(0);
        Button(dlg, CReplaceDataDlg::IDC_PICK_RANGE).Click();
        Button(dlg, CReplaceDataDlg::IDC_CLOSE).Click();
    });
    EXPECT_EQ(entries[0].rangeText, "'Inputs'!$B$2:$B$4");
}

// ---------------------------------------------------------------------------------------
// XML Maps

class XmlMapsDlgTest : public HostedTest {
protected:
    void SetUp() override
    {
        HostedTest::SetUp();
        CExportRecord plain;
        plain.name = "Orders";
        plain.urlText = "http://orders.test/feed.xml";
        plain.refreshSeconds = 30;
        records["Orders"] = std::move(plain);
        CExportRecord bound;
        bound.name = "Accounts";
        bound.cellBound = true;
        bound.urlCell = table.AddCell("Inputs", 2, 2);
        bound.active = false;
        records["Accounts"] = std::move(bound);
    }
    INT_PTR Run(const std::function<void(CDialog&)>& script)
    {
        ui::SetDialogHook(CXmlMapsDlg::IDD, script);
        CXmlMapsDlg dlg(&owner, {&records, &model, &table, [] { return false; }, [this] { ++modelChanges; }});
        return dlg.DoModal();
    }
    static CListCtrl& List(CDialog& dlg) { return *static_cast<CListCtrl*>(dlg.GetDlgItem(CXmlMapsDlg::IDC_MAP_LIST)); }

    std::map<std::string, CExportRecord> records;
    int modelChanges = 0;
};

TEST_F(XmlMapsDlgTest, MapsAreListedAndEditedInPlace)
{
    Run([&](CDialog& dlg) {
        CListCtrl& list = List(dlg);
        ASSERT_EQ(list.GetItemCount(), 2);
        EXPECT_EQ(list.GetItemText(0, 0), "Accounts");
        EXPECT_EQ(list.GetItemText(0, 1), "'Inputs'!$B$2");
        EXPECT_FALSE(list.GetCheck(0));
        EXPECT_EQ(list.GetItemText(1, 2), "30");
        EXPECT_TRUE(list.GetCheck(1));
        // The first map is selected and shown; showing it wrote nothing back.
        EXPECT_EQ(dlg.GetDlgItemText(CXmlMapsDlg::IDC_MAP_NAME), "Accounts");
        EXPECT_EQ(dlg.GetDlgItemText(CXmlMapsDlg::IDC_URL), "'Inputs'!$B$2");
        EXPECT_TRUE(records["Accounts"].cellBound);

        list.UserClick(1);
        EXPECT_EQ(dlg.GetDlgItemText(CXmlMapsDlg::IDC_URL), "http://orders.test/feed.xml");
        EXPECT_EQ(records["Orders"].urlText, "http://orders.test/feed.xml");
        // Typing a seconds value keeps the number it starts with; a negative one is not taken.
        Edit(dlg, CXmlMapsDlg::IDC_SECONDS).SetFocus();
        Retype(dlg, CXmlMapsDlg::IDC_SECONDS, "12abc");
        EXPECT_EQ(records["Orders"].refreshSeconds, 12);
        EXPECT_EQ(list.GetItemText(1, 2), "12");
        Retype(dlg, CXmlMapsDlg::IDC_SECONDS, "-5");
        EXPECT_EQ(records["Orders"].refreshSeconds, 12);
        // The check box switches the map at once.
        list.UserToggleCheck(1);
        EXPECT_FALSE(records["Orders"].active);

        // Typing a URL for the cell-bound map makes it a plain URL again.
        list.UserClick(0);
        EXPECT_EQ(dlg.GetDlgItemText(CXmlMapsDlg::IDC_SECONDS), "0");
        Edit(dlg, CXmlMapsDlg::IDC_URL).SetFocus();
        Retype(dlg, CXmlMapsDlg::IDC_URL, "http://accounts.test/");
        EXPECT_FALSE(records["Accounts"].cellBound);
        EXPECT_EQ(records["Accounts"].urlText, "http://accounts.test/");
        EXPECT_EQ(list.GetItemText(0, 1), "http://accounts.test/");
        Button(dlg, IDOK).Click();
    });
    EXPECT_EQ(records["Orders"].refreshSeconds, 12);
    EXPECT_EQ(modelChanges, 0);
}

TEST_F(XmlMapsDlgTest, TheUrlIsTakenFromACellPickedInTheWorkbook)
{
    Host();
    DragInWorkbook(1, CPoint(0, 2), CPoint(1, 3));
    Run([&](CDialog& dlg) {
        List(dlg).UserClick(1);
        Button(dlg, CXmlMapsDlg::IDC_DATA_SELECT).Click();
        EXPECT_EQ(dlg.GetDlgItemText(CXmlMapsDlg::IDC_URL), "'Calc Sheet'!$A$3");
        EXPECT_EQ(List(dlg).GetItemText(1, 1), "'Calc Sheet'!$A$3");
        Button(dlg, IDOK).Click();
    });
    const CExportRecord& orders = records["Orders"];
    EXPECT_TRUE(orders.cellBound);
    EXPECT_EQ(table.GetCellAt(static_cast<std::size_t>(orders.urlCell))->GetText(), "'Calc Sheet'!$A$3");
    EXPECT_EQ(modelChanges, 1);
    // The first cell of the dragged block is the URL cell; a block is one area, so no warning.
    EXPECT_TRUE(window.warnings.empty());
}

TEST_F(XmlMapsDlgTest, WithoutMapsNothingCanBeTyped)
{
    records.clear();
    Run([&](CDialog& dlg) {
        EXPECT_EQ(dlg.GetDlgItemText(CXmlMapsDlg::IDC_MAP_NAME), "Static");
        for (int id : {CXmlMapsDlg::IDC_URL, CXmlMapsDlg::IDC_SECONDS, CXmlMapsDlg::IDC_DATA_SELECT})
            EXPECT_FALSE(Enabled(dlg, id)) << id;
        Button(dlg, IDOK).Click();
    });
}

// ---------------------------------------------------------------------------------------
// A component's binding changed by picking cells in the workbook window.

// Bindings read their range texts through the program's model link; this one knows the
// test's variable table.
class BindingPickTest : public HostedTest, model::IModelLink {
protected:
    void SetUp() override
    {
        HostedTest::SetUp();
        model::SetModelLink(this);
    }
    void TearDown() override
    {
        model::ResetModelLink();
        HostedTest::TearDown();
    }
    std::string GetRangeText(const model::RangeHandle& range) override
    {
        return static_cast<const CRange&>(range).GetText();
    }
    std::vector<model::RangeArea> ReadRange(const model::RangeHandle&) override { return {}; }
    bool HasFormula(std::int32_t) override { return false; }
    int FindRange(const model::RangeHandle& range) override
    {
        return table.FindRange(static_cast<const CRange&>(range));
    }
    const model::RangeHandle* GetRange(int index) override
    {
        return index < 0 ? nullptr : table.GetRange(static_cast<std::size_t>(index));
    }
    const model::RangeHandle* MakeSubRange(const model::RangeHandle&, int, int, int, int, int) override
    {
        return nullptr;
    }
    void ModelLinksChanged() override {}
    std::uint64_t GetTableGeneration() override { return 1; }
};

TEST_F(BindingPickTest, AComponentsBindingTakesTheCellsPickedInTheWorkbookWindow)
{
    Host();
    testsupport::TempDir install;
    testsupport::WriteComponentFixture(install.path(), {"KVGaugeSymbol"});
    CComponentCatalog catalog;
    ASSERT_TRUE(catalog.Load(install.path()));
    auto gauge = catalog.FindByTypeName("KVGaugeSymbol")->CreateInstance();
    CParameter* general = gauge->GetParameters()->FindParameter("General");
    ASSERT_NE(general, nullptr);
    CParameter* data = general->GetSet()->FindParameter("data");
    ASSERT_NE(data, nullptr);
    CCellBinding* binding = data->GetBinding();
    ASSERT_NE(binding, nullptr);
    EXPECT_FALSE(binding->IsBound());

    // The user opens the window from the binding's (empty) text and drags over B3:B4 of the
    // first sheet; one area, so no warning.
    DragInWorkbook(0, CPoint(1, 2), CPoint(1, 3));
    std::string text = binding->GetTexts().GetRangeText();
    CRangeSelection picked = host->GetSelectedRange(model, table, text, false);
    ASSERT_EQ(picked.outcome, sheet::RangePickOutcome::Picked);
    binding->SetRange(picked.range);
    EXPECT_TRUE(binding->IsBound());
    EXPECT_EQ(binding->GetTexts().GetRangeText(), "'Inputs'!$B$3:$B$4");

    // Picked again, the window starts on the bound cells; Ctrl adds a second area, of which
    // a single binding keeps the first, with the host's warning.
    ui::SetDialogHook(CWorkbookDlg::IDD, [](CDialog& dlg) {
        auto& w = static_cast<CWorkbookDlg&>(dlg);
        EXPECT_EQ(w.GetDlgItemText(CWorkbookDlg::IDC_WB_REFERENCE), "'Inputs'!$B$3:$B$4");
        CUserInput::Click(w.Grid(), w.Grid().CellCentre(0, 0));
        CUserInput::Click(w.Grid(), w.Grid().CellCentre(5, 1), CUserInput::Control);
        Button(w, IDOK).Click();
    });
    text = binding->GetTexts().GetRangeText();
    picked = host->GetSelectedRange(model, table, text, false);
    ASSERT_EQ(picked.outcome, sheet::RangePickOutcome::Picked);
    binding->SetRange(picked.range);
    EXPECT_EQ(binding->GetTexts().GetRangeText(), "'Inputs'!$A$1");
    EXPECT_EQ(window.warnings, std::vector<std::string>{CExcelHost::kMultipleRangesText});
}

// ---------------------------------------------------------------------------------------
// Pictures of the three dialogs, for a person to look at.

TEST_F(XmlMapsDlgTest, Pictures)
{
    CRasterWindowHost& raster = InstallRasterWindowHost();
    Run([&](CDialog& dlg) {
        Snap(raster, dlg, "xml-maps.png");
        Button(dlg, IDOK).Click();
    });
    std::vector<CRangeEntry> entries = {{-1, "Range0", ""}, {2, "QuarterlySalesByRegion", "'Inputs'!$B$2:$B$4"}};
    ui::SetDialogHook(CReplaceDataDlg::IDD, [&](CDialog& dlg) {
        static_cast<CListBox*>(dlg.GetDlgItem(CReplaceDataDlg::IDC_RANGE_LIST))->UserSelect(1);
        Snap(raster, dlg, "replace-data-selection.png");
        Button(dlg, CReplaceDataDlg::IDC_CLOSE).Click();
    });
    CReplaceDataDlg replace(&owner, {&entries, &model, &table, {}, {}});
    replace.DoModal();

    ImportModelDocument document;
    document.modelFileName = ModelPath();
    ui::SetDialogHook(CImportModelDlg::IDD, [&](CDialog& dlg) {
        Snap(raster, dlg, "import-model.png");
        Button(dlg, IDCANCEL).Click();
    });
    CImportModelDlg import(&owner, document);
    import.DoModal();
}

} // namespace
