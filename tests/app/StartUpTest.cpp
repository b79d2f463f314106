#include "AppFixture.h"

#include "app/core/AppData.h"
#include "app/core/AppIds.h"
#include "app/commands/ExportCommands.h"
#include "app/dialogs/TemplateDlg.h"
#include "app/shell/AppResources.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ShockwaveFlash.h"
#include "app/core/DesignerContext.h"
#include "app/core/TempFileManager.h"
#include "app/delivery/OfficeInfo.h"
#include "platform/docview/RecentFileList.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "publish/BaseMovie.h"
#include "publish/FunctionLibrary.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/host/ExcelHost.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <set>
#include <thread>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// An office program that reports a version, or fails when asked.
class OfficeApp final : public IAutomationObject {
public:
    explicit OfficeApp(std::optional<std::string> version) : version_(std::move(version)) {}
    std::optional<AutomationValue> GetProperty(const std::string& name) override
    {
        if (name != "Version" || !version_)
            return std::nullopt;
        return AutomationValue(*version_);
    }
    std::optional<AutomationValue> Invoke(const std::string& name, const std::vector<AutomationValue>& args) override
    {
        opened.push_back(name + " " + std::get<std::string>(args.at(0)));
        return AutomationValue(true);
    }
    static inline std::vector<std::string> opened;

private:
    std::optional<std::string> version_;
};

void RegisterOffice(const char* progId, std::optional<std::string> version)
{
    GetObjectFactory().Register(progId, [version] { return std::make_unique<OfficeApp>(version); });
}

TEST_F(AppTest, StartsMaximisedWithItsBarsInOneRowAndTheWelcomeDialog)
{
    CRasterWindowHost& host = InstallRasterWindowHost();
    bool welcomed = false;
    ui::SetDialogHook(IDD_WELCOME, [&](CDialog& dlg) {
        welcomed = true;
        EXPECT_FALSE(Frame().IsWindowEnabled()) << "the Welcome is modal over the main window";
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_WELCOME_DONT_SHOW), 0u);
        dlg.EndDialog(IDOK);
    });
    ASSERT_TRUE(Start());
    EXPECT_TRUE(welcomed);
    CMainFrame& frame = Frame();
    EXPECT_TRUE(frame.IsZoomed());
    EXPECT_TRUE(frame.AcceptsFiles());
    EXPECT_EQ(frame.GetWindowText(), "Untitled - Vantorel");
    EXPECT_EQ(frame.Splash(), nullptr) << "the splash goes when the main window shows";
    // The main window and the canvas's tool windows (the Components palette and the Object Browser).
    EXPECT_EQ(TopLevelWindows().size(), 3u);

    // One docked row, in the order 2, 320, 297, 319, each bar right of the one before.
    auto rows = frame.DockedRows(AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), 4u);
    const CControlBar* order[] = {&frame.ToolBar(0), &frame.ToolBar(3), &frame.ToolBar(1), &frame.ToolBar(2)};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(rows[0][i], order[i]) << i;
    CRect previous;
    frame.ToolBar(0).GetWindowRect(&previous);
    for (int i = 1; i < 4; ++i) {
        CRect r;
        rows[0][i]->GetWindowRect(&r);
        EXPECT_EQ(r.left, previous.right);
        EXPECT_EQ(r.top, previous.top);
        previous = r;
    }
    // Restoring the window docks them in the same row again.
    frame.ShowWindow(SW_RESTORE);
    rows = frame.DockedRows(AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][1], &frame.ToolBar(3));

    EXPECT_EQ(frame.StatusBar().GetDisplayedText(1), "Model Not Loaded");
    EXPECT_FALSE(frame.Progress().IsWindowVisible());
    EXPECT_EQ(Doc().GetCanvasWidth() > 0, true);
    EXPECT_NE(GetBaseMovie(), nullptr);

    // A press on a toolbar never drags it off its dock.
    CRect gap;
    frame.ToolBar(0).GetItemRect(3, &gap);
    CUserInput::Click(frame.ToolBar(0), gap.CenterPoint());
    EXPECT_EQ(frame.ToolBar(0).DragStartCount(), 0);

    frame.ShowWindow(SW_SHOWMAXIMIZED);
    frame.PostMessage(WM_IMPORT_MODEL_PROGRESS, kImportStart, 4);
    frame.PostMessage(WM_IMPORT_MODEL_PROGRESS, kImportStep, 3);
    PumpUntilIdle();
    CBitmap picture = host.Snapshot(frame);
    EXPECT_TRUE(WritePng(artefacts / "main-window.png", picture));
    CRect bar;
    frame.ToolBar(0).GetWindowRect(&bar);
    frame.ScreenToClient(&bar);
    EXPECT_EQ(picture.GetPixel(bar.left + 1, bar.top + 1), GetSysColor(COLOR_BTNFACE));
}

TEST_F(AppTest, WithoutAUsablePlayerTheProgramSaysSoAndEnds)
{
    struct Case {
        const char* what;
        long version; // 0: no player at all
        bool started;
    } cases[] = {
        {"no player", 0, false},
        {"version 6.0 exactly", 0x60000, false},
        {"version 6.0.1", 0x60001, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UsePlayer(c.version);
        SkipWelcome();
        if (!c.started)
            boxes->Answer(IDOK);
        EXPECT_EQ(Start(), c.started);
        if (!c.started) {
            ASSERT_FALSE(boxes->Log().empty());
            EXPECT_EQ(boxes->Log().back().text, CKVApp::kFlashMessage);
            EXPECT_EQ(boxes->Log().back().flags & MB_ICONSTOP, UINT(MB_ICONSTOP));
            EXPECT_EQ(LiveWindowCount(), 0u);
        }
        const std::filesystem::path folder = app->Designer().TempFiles().GetTempPath();
        app.reset();
        EXPECT_FALSE(std::filesystem::exists(folder)) << "the run's temporary folder goes with it";
        EXPECT_TRUE(std::filesystem::exists(settings / "Vantorel" / "app.dat")) << "settings are saved either way";
        boxes->Clear();
    }
}

TEST_F(AppTest, TheSpreadsheetProgramMustBeTheRightEdition)
{
    struct Case {
        std::optional<std::string> excel;
        std::vector<std::string> args;
        bool started;
    } cases[] = {
        {"9.0", {}, true},
        {"9.0.3821 SR-1", {}, true},
        {"11.0", {}, false},
        {std::nullopt, {}, false},
        {"11.0", {"-s"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.excel.value_or("none") + (c.args.empty() ? "" : " -s"));
        RegisterOffice("Excel.Application", c.excel);
        SkipWelcome();
        if (!c.started)
            boxes->Answer(IDOK);
        EXPECT_EQ(Start(c.args), c.started);
        if (!c.started) {
            ASSERT_EQ(boxes->Log().size(), 1u);
            EXPECT_EQ(boxes->Log()[0].text, CKVApp::kExcelMessage);
            EXPECT_EQ(boxes->Log()[0].caption, "Warning");
        }
        app.reset();
        boxes->Clear();
    }
}

TEST_F(AppTest, OfficeDetectionFillsTheViewsRecord)
{
    RegisterOffice("Excel.Application", "9.0");
    RegisterOffice("Outlook.Application", "10.0");
    RegisterOffice("Powerpoint.Application", "9.0");
    OfficeApp::opened.clear();
    SkipWelcome();
    ASSERT_TRUE(Start());
    const COfficeInfo& info = GetActiveDrawView()->Export().m_officeInfo;
    EXPECT_TRUE(info.excelUsable);
    EXPECT_FALSE(info.outlookUsable);
    EXPECT_TRUE(info.powerPointUsable);
    EXPECT_EQ(info.outlookVersion, "10.0");
    ASSERT_EQ(OfficeApp::opened.size(), 1u);
    EXPECT_EQ(OfficeApp::opened[0],
              "Presentations.Open " + (testsupport::InstallDir() / "asset" / "presentation1.ppt").string());
}

TEST_F(AppTest, TheCommandLineNamesAWorkbookADocumentAndTwoSwitches)
{
    struct Case {
        std::vector<std::string> args;
        std::string model;
        int quiet;
        int skip;
        std::string file;
    } cases[] = {
        {{"-f:/data/book.xlsx"}, "/data/book.xlsx", 0, 0, ""},
        {{"-f:"}, "", 0, 0, ""},
        {{"f:book.xlsx"}, "", 0, 0, "f:book.xlsx"},
        {{"-r", "-s", "doc.vtd"}, "", 1, 1, "doc.vtd"},
        {{"-R", "-S"}, "", 0, 0, ""},
    };
    for (const Case& c : cases) {
        CWinApp parser("test");
        parser.SetCommandLine(c.args);
        CAppCommandLineInfo info;
        parser.ParseCommandLine(info);
        EXPECT_EQ(info.m_strModelPath, c.model) << c.args[0];
        EXPECT_EQ(info.m_bQuietAutomation, c.quiet) << c.args[0];
        EXPECT_EQ(info.m_bSkipOfficeCheck, c.skip) << c.args[0];
        EXPECT_EQ(info.m_strFileName, c.file) << c.args[0];
    }
}

// "-f:" imports its workbook at start-up, reading it in place and leaving it as it was.
TEST_F(AppTest, AWorkbookNamedOnTheCommandLineIsImported)
{
    ui::SetDialogHook(IDD_WELCOME, [](CDialog& dlg) { dlg.EndDialog(IDOK); });
    const std::filesystem::path book = testsupport::SourceDir() / "tests" / "player" / "workbooks" / "math.xlsx";
    const auto written = std::filesystem::last_write_time(book);
    ASSERT_TRUE(Start({"-f:" + book.string()}));
    EXPECT_EQ(Doc().GetModelPath(), book.string());
    EXPECT_EQ(Doc().GetModelCopyPath(), book.string());
    ASSERT_NE(Doc().GetExcelHost(), nullptr);
    ASSERT_TRUE(Doc().GetExcelHost()->WaitForWorker(60000));
    EXPECT_GT(GetBaseMovie()->GetCellModel().GetCellCount(), 0u);
    EXPECT_EQ(std::filesystem::last_write_time(book), written);
}

// A workbook named with "-f:" that cannot be read says why, with its name, as the import
// dialog does; the status bar alone said nothing of the reason.
TEST_F(AppTest, AWorkbookNamedOnTheCommandLineThatCannotBeReadSaysWhy)
{
    testsupport::TempDir folder;
    const std::filesystem::path book = folder / "prices.xlsx";
    testsupport::WriteBytes(book, {'n', 'o', 't', ' ', 'a', ' ', 'z', 'i', 'p'});
    SkipWelcome();
    boxes->Answer(IDOK);
    ASSERT_TRUE(Start({"-f:" + book.string()}));
    ASSERT_NE(Doc().GetExcelHost(), nullptr);
    ASSERT_TRUE(Doc().GetExcelHost()->WaitForWorker(60000));
    PumpUntilIdle();
    ASSERT_EQ(boxes->Log().size(), 1u);
    const std::string& text = boxes->Log()[0].text;
    EXPECT_EQ(text.rfind("The workbook " + book.string() + " cannot be read:\n", 0), 0u) << text;
    EXPECT_GT(text.size(), ("The workbook " + book.string() + " cannot be read:\n").size()) << "with the reason";
    EXPECT_EQ(Frame().StatusBar().GetPaneText(1), "Model Not Loaded");
}

TEST_F(AppTest, TheBaseFolderIsTheProgramsUnlessItRunsFromADevelopmentTree)
{
    testsupport::TempDir tree;
    fs::create_directories(tree / "UI" / "bin");
    struct Case {
        std::filesystem::path program;
        std::optional<std::string> soft;
        bool keepsCurrent;
    } cases[] = {
        {tree / "UI" / "bin" / "vantorel", (tree.path()).string(), true}, // compared without case
        {tree / "UI" / "bin" / "vantorel", std::nullopt, false},
        {tree / "UI" / "bin" / "vantorel", (tree / "elsewhere").string(), false},
    };
    for (const Case& c : cases) {
        std::filesystem::current_path(testsupport::InstallDir());
        GetPlatformServices().OverrideEnv("MY_SOFT", c.soft);
        GetPlatformServices().SetModuleFileName(c.program);
        Make();
        const std::filesystem::path expected =
            c.keepsCurrent ? testsupport::InstallDir() : std::filesystem::path(c.program.parent_path().string() + "/");
        EXPECT_EQ(GetBaseFolder(), expected) << c.soft.value_or("no MY_SOFT");
        EXPECT_TRUE(fs::equivalent(fs::current_path(), expected)) << "the base folder is the current directory";
        EXPECT_EQ(app->Designer().InstallationProblem().empty(), c.keepsCurrent);
        app.reset();
    }
}

TEST_F(AppTest, ASampleOpensFromTheWelcomeAsANewUntitledDocument)
{
    auto* player = static_cast<CFakeFlashPlayer*>(nullptr);
    ui::SetDialogHook(IDD_WELCOME, [](CDialog& dlg) {
        dlg.SendMessage(WM_COMMAND, IDC_WELCOME_SAMPLES);
    });
    ui::SetDialogHook(IDD_TEMPLATE, [&](CDialog& dlg) {
        auto& browser = dynamic_cast<CTemplateDlg&>(dlg);
        EXPECT_EQ(browser.GetWindowText(), "Samples");
        EXPECT_FALSE(browser.GetDlgItem(IDOK)->IsWindowEnabled());
        ASSERT_EQ(browser.Categories().GetCount(), 1);
        EXPECT_EQ(browser.Categories().GetCurSel(), -1) << "a lone category waits for the user";
        browser.Categories().UserSelect(0);
        const int item = browser.Items().FindStringExact(-1, "regional-sales");
        ASSERT_GE(item, 0);
        browser.Items().UserSelect(item);
        EXPECT_TRUE(browser.GetDlgItem(IDOK)->IsWindowEnabled());
        // The sample's description file is shipped with it.
        EXPECT_EQ(browser.GetDlgItemText(IDC_DESCRIPTION),
                  "Units, prices and revenue of four regions, their shares of the total and next year's estimate.");
        player = dynamic_cast<CFakeFlashPlayer*>(
            dynamic_cast<CShockwaveFlash*>(browser.GetDlgItem(IDC_FLASH))->GetPlayer());
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(player->LayerMovie(0), Sample("regional-sales").replace_extension(".swf").string());
        CUserInput::Click(*browser.GetDlgItem(IDOK), CPoint(5, 5));
    });
    ASSERT_TRUE(Start());
    EXPECT_EQ(ui::UnansweredDialogs().size(), 0u);
    EXPECT_EQ(Doc().GetTitle(), "Untitled");
    EXPECT_EQ(Doc().GetPathName(), "");
    EXPECT_GT(Doc().GetComponentCount(), 0u);
    EXPECT_EQ(Frame().GetWindowText(), "Untitled - Vantorel");
    EXPECT_EQ(LiveWindowCount() > 0, true);
    EXPECT_EQ(TopLevelWindows().size(), 3u) << "the browser and the Welcome are gone; the tool windows stay";
}

// The Welcome's four choices show the desktop's pictures of what they open, not flat tiles.
TEST_F(AppTest, TheWelcomesChoicesShowPicturesOfWhatTheyOpen)
{
    CRasterWindowHost& host = InstallRasterWindowHost();
    ui::SetDialogHook(IDD_WELCOME, [&](CDialog& dlg) {
        const CBitmap picture = host.Snapshot(dlg);
        EXPECT_TRUE(WritePng(artefacts / "welcome.png", picture));
        for (int id : {IDC_WELCOME_TUTORIAL1, IDC_WELCOME_TUTORIAL2, IDC_WELCOME_SAMPLES, IDC_WELCOME_TEMPLATES}) {
            SCOPED_TRACE(id);
            CRect face;
            dlg.GetDlgItem(id)->GetWindowRect(&face);
            dlg.ScreenToClient(&face);
            CRect frame;
            dlg.GetWindowRect(&frame);
            CRect client;
            dlg.GetClientRect(&client);
            dlg.ClientToScreen(&client);
            face.OffsetRect(client.left - frame.left, client.top - frame.top);
            // A picture has shades; a tile has its fill and its border.
            std::set<COLORREF> shades;
            for (int y = face.top + 2; y < face.bottom - 2; ++y)
                for (int x = face.left + 2; x < face.right - 2; ++x)
                    shades.insert(picture.GetPixel(x, y));
            EXPECT_GT(shades.size(), 24u);
        }
        dlg.EndDialog(IDOK);
    });
    ASSERT_TRUE(Start());
}

// File > Open starts in the open document's folder, as the exports do.
TEST_F(AppTest, OpenStartsInTheDocumentsFolder)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    testsupport::TempDir work;
    std::filesystem::copy_file(Sample("regional-sales"), work / "sales.vtd");
    OpenByKeys(work / "sales.vtd");
    CScriptedCommonDialogs& files = UseScriptedCommonDialogs(); // forgets where the last file was chosen
    files.AnswerFile(std::nullopt);
    EXPECT_TRUE(CUserInput::PressKey('O', CUserInput::Control));
    ASSERT_EQ(files.Log().size(), 1u);
    EXPECT_EQ(files.Log()[0].file.initialDir, work.path().string());
}

TEST_F(AppTest, TheRecentFileListKeepsTheLastOpensAcrossRuns)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    CScriptedCommonDialogs& files = UseScriptedCommonDialogs();
    const std::string opened[] = {Sample("loan-planner").string(), Sample("regional-sales").string(),
                                  (testsupport::InstallDir() / "template" / "Layouts" / "blank.vtd").string()};
    for (const std::string& file : opened) {
        files.AnswerFile(file);
        EXPECT_TRUE(CUserInput::PressKey('O', CUserInput::Control));
        EXPECT_EQ(Doc().GetPathName(), file);
    }
    auto expectList = [&] {
        const CRecentFileList* list = app->GetRecentFileList();
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->GetCount(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ((*list)[i], opened[2 - i]) << "newest first";
    };
    expectList();

    Frame().SendMessage(WM_CLOSE);
    app->ExitInstance();
    app.reset();
    SkipWelcome();
    ASSERT_TRUE(Start());
    expectList();
    CMenu* file = Frame().GetMenu()->GetSubMenu(0);
    Frame().SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_EQ(file->GetMenuString(ID_FILE_MRU_FILE3, MF_BYCOMMAND), "&3 .../loan-planner.vtd");
    EXPECT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_FILE_MRU_FILE3));
    EXPECT_EQ(Doc().GetPathName(), opened[0]);
}

// A document a newer version appended to opens with what this version knows of it, and says so.
TEST_F(AppTest, ADocumentWithBytesAfterItsLastSectionOpensWithAWarning)
{
    testsupport::TempDir folder;
    std::vector<unsigned char> bytes = testsupport::ReadBytes(Sample("loan-planner"));
    bytes.insert(bytes.end(), {'N', 'E', 'W'});
    testsupport::WriteBytes(folder / "newer.vtd", bytes);
    SkipWelcome();
    ASSERT_TRUE(Start());
    const std::size_t before = boxes->Log().size();
    boxes->Answer(IDOK);
    EXPECT_NE(app->OpenDocumentFile((folder / "newer.vtd").c_str()), nullptr);
    ASSERT_EQ(boxes->Log().size(), before + 1);
    EXPECT_NE(boxes->Log().back().text.find("3 bytes after the last section were not read"), std::string::npos)
        << boxes->Log().back().text;
    EXPECT_EQ(boxes->Log().back().flags, UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(Doc().GetPathName(), (folder / "newer.vtd").string());
    EXPECT_FALSE(Doc().GetObjects().empty());
}

// A file that cannot be opened is refused before the document open now is let go: after
// "Save changes?" and "No", the work is still there, unsaved.
TEST_F(AppTest, AFileThatIsNoDocumentIsRefusedWithAMessageAndTheWorkStays)
{
    testsupport::TempDir folder;
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        std::string message;
    } cases[] = {
        {"notes.vtd", {'\x1b', '[', '2', 'J', 'h', 'i', '!', '!', ' ', 'x'},
         "cannot be opened: it is not a Vantorel document, or its beginning is damaged."},
        {"cut.vtd", {'1', '.', '0', '.', '9', '.', '7', 0, 3}, "is damaged"},
        {"half.vtd", {}, "is damaged"},
    };
    {
        const std::vector<unsigned char> whole = testsupport::ReadBytes(Sample("loan-planner"));
        cases[2].bytes.assign(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2));
    }
    std::filesystem::copy_file(Sample("loan-planner"), folder / "work.vtd");
    SkipWelcome();
    ASSERT_TRUE(Start({(folder / "work.vtd").string()}));
    const std::size_t objects = Doc().GetObjects().size();
    ASSERT_GT(objects, 0u);
    // The document's bindings point into its model, which must be the same one afterwards.
    const CVariableTable* table = &GetBaseMovie()->GetVariableTable();
    const std::size_t cells = table->GetCellCount();
    Doc().SetModifiedFlag();
    for (const Case& c : cases) {
        const std::filesystem::path file = folder / c.name;
        testsupport::WriteBytes(file, c.bytes);
        boxes->Answer(IDNO); // Save changes?
        boxes->Answer(IDOK);
        EXPECT_EQ(app->OpenDocumentFile(file.c_str()), nullptr);
        ASSERT_FALSE(boxes->Log().empty());
        const std::string& text = boxes->Log().back().text;
        EXPECT_NE(text.find(c.message), std::string::npos) << text;
        EXPECT_NE(text.find(file.string()), std::string::npos) << text;
        EXPECT_EQ(text.find('\x1b'), std::string::npos) << "no raw bytes of the file";
        EXPECT_EQ(boxes->Log().back().flags, UINT(MB_ICONEXCLAMATION));
        EXPECT_EQ(testsupport::ReadBytes(file), c.bytes) << "the file is left as it was";
        EXPECT_EQ(Doc().GetPathName(), (folder / "work.vtd").string());
        EXPECT_EQ(Doc().GetObjects().size(), objects);
        EXPECT_TRUE(Doc().IsModified());
        EXPECT_EQ(&GetBaseMovie()->GetVariableTable(), table);
        EXPECT_EQ(table->GetCellCount(), cells);
    }
    boxes->Answer(IDNO);
    boxes->Answer(IDOK);
    EXPECT_EQ(app->OpenDocumentFile((folder / "absent.vtd").c_str()), nullptr);
    EXPECT_EQ(boxes->Log().back().text, "File Not Found " + (folder / "absent.vtd").string());
    EXPECT_EQ(Doc().GetObjects().size(), objects);
}

// Names on the command line are the user's: relative to the folder the program was started in,
// not to the installation folder the program moves to.
TEST_F(AppTest, RelativeNamesOnTheCommandLineAreFoundWhereTheProgramStarted)
{
    testsupport::TempDir folder;
    std::filesystem::copy_file(Sample("loan-planner"), folder / "doc.vtd");
    const std::filesystem::path was = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    SkipWelcome();
    const bool started = Start({"doc.vtd"});
    std::filesystem::current_path(was);
    ASSERT_TRUE(started);
    EXPECT_EQ(Doc().GetPathName(), (folder / "doc.vtd").string());
    EXPECT_FALSE(Doc().GetObjects().empty());
    for (const auto& box : boxes->Log())
        EXPECT_EQ(box.text.find("File Not Found"), std::string::npos) << box.text;
}

TEST_F(AppTest, AMissingInstallationEndsTheStartCleanly)
{
    testsupport::TempDir empty;
    InstallAt(empty / "gone");
    boxes->Answer(IDOK);
    EXPECT_FALSE(Start());
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_NE(boxes->Log()[0].text.find("is missing"), std::string::npos) << boxes->Log()[0].text;
    EXPECT_NE(boxes->Log()[0].text.find("Please reinstall Vantorel."), std::string::npos);
    app.reset();
    EXPECT_EQ(LiveWindowCount(), 0u);
    EXPECT_FALSE(std::filesystem::exists(empty / "gone"));
    EXPECT_TRUE(std::filesystem::is_empty(temp.path())) << "no temporary folder is left behind";
}

// Without its function library the program still starts, with an empty library, and says why.
TEST_F(AppTest, AMissingFunctionLibraryStartsWithAnEmptyOneAndSaysSo)
{
    // The installation as built, less asset/func.dat.
    testsupport::TempDir install;
    for (const fs::directory_entry& entry : fs::directory_iterator(testsupport::InstallDir()))
        if (entry.path().filename() != "asset")
            fs::create_symlink(entry.path(), install / entry.path().filename());
    fs::create_directory(install / "asset");
    for (const fs::directory_entry& entry : fs::directory_iterator(testsupport::InstallDir() / "asset"))
        if (entry.path().filename() != "func.dat")
            fs::create_symlink(entry.path(), install / "asset" / entry.path().filename());
    InstallAt(install.path());
    SkipWelcome();
    boxes->Answer(IDOK);
    ASSERT_TRUE(Start());
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_NE(boxes->Log()[0].text.find("func.dat: the function library is missing"), std::string::npos)
        << boxes->Log()[0].text;
    EXPECT_EQ(boxes->Log()[0].flags, UINT(MB_ICONEXCLAMATION));
    EXPECT_TRUE(app->Designer().InstallationProblem().empty());
    ASSERT_NE(app->Designer().FunctionLibrary(), nullptr);
    EXPECT_EQ(app->Designer().FunctionLibrary()->GetFunctionCount(), 0);
    EXPECT_NE(app->MainFrame(), nullptr);
}

TEST_F(AppTest, SettingsSurviveARunAndADamagedFileIsLeftAlone)
{
    const std::filesystem::path file = settings / "Vantorel" / "app.dat";
    // A first run writes the defaults; the Welcome's check box and -r change them.
    ui::SetDialogHook(IDD_WELCOME, [](CDialog& dlg) {
        CUserInput::Click(*dlg.GetDlgItem(IDC_WELCOME_DONT_SHOW), CPoint(2, 2));
        dlg.EndDialog(IDOK);
    });
    ASSERT_TRUE(Start({"-r"}));
    GetAppData()->quietAutomation = 0;
    GetAppData()->MaxRows = 0x12345678;
    ASSERT_TRUE(Start({"-r"})); // the first run ends here and saves
    EXPECT_EQ(GetAppData()->showWelcome, 0) << "the check box turned the Welcome off";
    EXPECT_EQ(GetAppData()->MaxRows, 0x5678u | (512u & 0xFFFF0000u)) << "only the low half is kept";
    EXPECT_EQ(GetAppData()->quietAutomation, 1) << "-r sets the quiet flag";
    app.reset();
    const std::vector<unsigned char> saved = testsupport::ReadBytes(file);
    // u32 count, then "AppData" (3 bytes) and "MaxRows" (2 bytes) records.
    ASSERT_EQ(saved.size(), 4u + (4 + 3 + 4 + 8) + (4 + 2 + 4 + 8));

    const std::vector<unsigned char> damaged = {5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 'x'};
    testsupport::WriteBytes(file, damaged);
    boxes->Answer(IDOK);
    SkipWelcome();
    ASSERT_TRUE(Start());
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_NE(boxes->Log()[0].text.find("is damaged"), std::string::npos);
    EXPECT_EQ(boxes->Log()[0].text.find(file.string()) != std::string::npos, true);
    EXPECT_EQ(GetAppData()->showWelcome, 1) << "defaults";
    EXPECT_EQ(GetAppData()->MaxRows, 512u);
    app.reset();
    EXPECT_EQ(testsupport::ReadBytes(file), damaged) << "the damaged file is not written over";
}

// The user learns at start what of the settings file cannot be used: damaged lines (kept as they
// stand) or a file that cannot be read at all (left alone).
TEST_F(AppTest, SettingsThatCannotBeReadAreShownAtStart)
{
    const std::filesystem::path file = settings / "Caldermoorix" / "Vantorel.ini";
    std::filesystem::create_directories(file.parent_path());
    const std::string text = "[Recent File List]\nFile1=q:/a.vtd\nFile2=i:xyz\n";
    testsupport::WriteBytes(file, std::vector<unsigned char>(text.begin(), text.end()));
    SkipWelcome();
    boxes->Answer(IDOK);
    ASSERT_TRUE(Start());
    ASSERT_EQ(boxes->Log().size(), 1u);
    const std::string& shown = boxes->Log()[0].text;
    EXPECT_NE(shown.find("kept as they are"), std::string::npos) << shown;
    EXPECT_NE(shown.find(file.string() + " line 2"), std::string::npos) << shown;
    EXPECT_NE(shown.find(file.string() + " line 3"), std::string::npos) << shown;
    EXPECT_EQ(boxes->Log()[0].flags, UINT(MB_ICONEXCLAMATION));
    app.reset();
    const std::vector<unsigned char> after = testsupport::ReadBytes(file);
    EXPECT_NE(std::string(after.begin(), after.end()).find("File2=i:xyz"), std::string::npos);

    // A folder where the file belongs cannot be read, and is neither read nor replaced.
    std::filesystem::remove(file);
    std::filesystem::create_directories(file / "inside");
    boxes->Answer(IDOK);
    SkipWelcome();
    ASSERT_TRUE(Start());
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_NE(boxes->Log()[1].text.find("cannot be read:\n" + file.string()), std::string::npos)
        << boxes->Log()[1].text;
    EXPECT_NE(boxes->Log()[1].text.find("does not save them"), std::string::npos);
    app.reset();
    EXPECT_TRUE(std::filesystem::is_directory(file / "inside"));
}

TEST_F(AppTest, HelpShowsTheTopicOfACommandOrFallsBackToTheOnlinePage)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    app->WinHelp(ID_FILE_SAMPLES);
    app->WinHelp(0x10000 | 4242); // only the low half names the id; this one has no topic
    EXPECT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_HELP_CONTENTS));
    shell->succeed = false;
    // With no browser to show even the contents, the user is told where the pages are.
    boxes->Answer(IDOK);
    app->WinHelp(ID_FILE_NEW);
    ASSERT_FALSE(boxes->Log().empty());
    EXPECT_EQ(boxes->Log().back().text, kNoBrowserMessage);
    const struct {
        const char* kind;
        std::string target;
        const char* detail;
    } expected[] = {
        {"help", "vantorel.chm", "context:45"}, {"help", "vantorel.chm", ""}, {"help", "vantorel.chm", ""},
        {"help", "vantorel.chm", "context:1"},  {"open", kOnlineHelpPage, "open"},
    };
    ASSERT_EQ(shell->requests.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(shell->requests[i].kind, expected[i].kind) << i;
        EXPECT_EQ(shell->requests[i].target, expected[i].target) << i;
        EXPECT_EQ(shell->requests[i].detail, expected[i].detail) << i;
    }
}

// Whether test() holds within a while (a guard against a hang, not a pace), looking again and
// again.
bool WaitFor(const std::function<bool()>& test)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!test()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// The desktop's opener as the program finds it on the PATH: a stand-in that notes what it was
// asked to open, or none at all.
class DesktopOpener {
public:
    DesktopOpener()
    {
        const char* path = std::getenv("PATH");
        saved_ = path != nullptr ? path : "";
        std::ofstream script(bin_ / "xdg-open");
        script << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << (bin_ / "opened.txt").string() << "'\n";
        script.close();
        fs::permissions(bin_ / "xdg-open", fs::perms::owner_all);
        // One that finds no browser, once the test lets it (or after 20 seconds).
        std::ofstream failing(failing_ / "xdg-open");
        failing << "#!/bin/sh\nfor i in $(seq 400); do [ -e '" << (failing_ / "go").string()
                << "' ] && break; sleep 0.05; done\nexit 3\n";
        failing.close();
        fs::permissions(failing_ / "xdg-open", fs::perms::owner_all);
    }
    ~DesktopOpener() { setenv("PATH", saved_.c_str(), 1); }
    void Present() { setenv("PATH", bin_.path().c_str(), 1); }
    void Absent() { setenv("PATH", empty_.path().c_str(), 1); }
    void FindsNoBrowser() { setenv("PATH", (failing_.path().string() + ":/usr/bin:/bin").c_str(), 1); }
    void LetItFail() { std::ofstream(failing_ / "go").close(); }
    std::vector<std::string> Opened() const
    {
        std::ifstream in(bin_ / "opened.txt");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

private:
    testsupport::TempDir bin_, empty_, failing_;
    std::string saved_;
};

TEST_F(AppTest, HelpOpensTheShippedPagesWithTheDesktopsOpenerAndSaysSoWhenThereIsNone)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    DesktopOpener opener;
    SetShellService(std::make_unique<CDesktopShell>());
    opener.Present();
    // Help > Contents, F1 on a command, a property page's topic and the contents page named
    // from the installation folder: each a shipped page, handed over by its whole path.
    EXPECT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_HELP_CONTENTS));
    app->WinHelp(ID_FILE_SAMPLES);
    EXPECT_NE(HtmlHelp(nullptr, kHelpFileName, HH_HELP_CONTEXT, 45), nullptr);
    EXPECT_TRUE(GetShellService().Open(kOnlineHelpPage, "open"));
    EXPECT_TRUE(boxes->Log().empty()) << boxes->Log().front().text;
    // The opener is not waited for: each one notes what it opened when it gets to run, in
    // whatever order they run.
    EXPECT_TRUE(WaitFor([&] { return opener.Opened().size() >= 4; }));
    const std::vector<std::string> opened = opener.Opened();
    ASSERT_EQ(opened.size(), 4u);
    const fs::path help = fs::weakly_canonical(testsupport::InstallDir() / "help");
    std::multiset<std::string> names;
    for (const std::string& page : opened) {
        EXPECT_TRUE(fs::path(page).is_absolute()) << page;
        EXPECT_TRUE(fs::is_regular_file(page)) << page;
        EXPECT_EQ(fs::weakly_canonical(page).parent_path(), help) << page;
        names.insert(fs::path(page).filename().string());
    }
    // The contents twice, and the File menu's page for the Samples command (a page of its own,
    // not the contents) and for the property page's topic.
    EXPECT_EQ(names.count("index.html"), 2u);
    EXPECT_EQ(names.count("file.html"), 2u);

    // With no opener on the PATH neither the topic nor the contents can be shown: the person is
    // told where the pages are, once for each request.
    opener.Absent();
    boxes->Answer(IDOK);
    EXPECT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_HELP_CONTENTS));
    boxes->Answer(IDOK);
    app->WinHelp(ID_FILE_NEW);
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(boxes->Log()[0].text, kNoBrowserMessage);
    EXPECT_EQ(boxes->Log()[1].text, kNoBrowserMessage);
    EXPECT_EQ(opener.Opened().size(), 4u);

    // An opener that takes its time to find no browser does not hold the window: the command
    // returns while it still looks, and the person is told once it has given up.
    opener.FindsNoBrowser();
    boxes->Answer(IDOK);
    EXPECT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_HELP_CONTENTS));
    PumpUntilIdle();
    EXPECT_EQ(boxes->Log().size(), 2u) << "the window waited for the opener";
    opener.LetItFail();
    EXPECT_TRUE(WaitFor([&] {
        PumpUntilIdle();
        return boxes->Log().size() == 3;
    })) << "the opener's failure was not told";
    EXPECT_EQ(boxes->Log().back().text, kNoBrowserMessage);
}

} // namespace
