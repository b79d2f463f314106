#include "AppFixture.h"

#include "app/commands/ExportCommands.h"
#include "app/core/AppIds.h"
#include "app/delivery/HtmlExport.h"
#include "app/delivery/OfficeDelivery.h"
#include "app/dialogs/ExportScenarioDlg.h"
#include "app/dialogs/PortalExportDlg.h"
#include "app/stage/PreviewFlashCtrl.h"
#include "platform/controls/Button.h"
#include "platform/window/CmdUI.h"
#include "platform/window/UserInput.h"
#include "publish/BaseMovie.h"
#include "publish/DocData.h"
#include "publish/ExportSettings.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/cells/Range.h"
#include "sheet/host/ExcelApp.h"
#include "sheet/host/ExcelHost.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The movie's uncompressed body.
std::string MovieBody(const std::filesystem::path& path)
{
    const std::string file = ReadText(path);
    if (file.size() < 8)
        return {};
    uLongf size = static_cast<std::uint8_t>(file[4]) | static_cast<std::uint8_t>(file[5]) << 8 |
                  static_cast<std::uint8_t>(file[6]) << 16 | static_cast<uLongf>(static_cast<std::uint8_t>(file[7])) << 24;
    std::string body(size, '\0');
    if (uncompress(reinterpret_cast<Bytef*>(body.data()), &size, reinterpret_cast<const Bytef*>(file.data() + 8),
                   file.size() - 8) != Z_OK)
        return {};
    body.resize(size);
    return body;
}

// A mail program that takes every mail, or none.
class CRecordingMail final : public IMailProgram {
public:
    bool IsAvailable() const override { return available; }
    bool Compose(const std::string& subject, const std::string& attachment, std::string&) override
    {
        mails.push_back({subject, attachment});
        return true;
    }
    bool available = true;
    std::vector<std::pair<std::string, std::string>> mails;
};

// The designer with the regional sales sample open, as a person exports it from the menus'
// commands; files are asked for through scripted save dialogs.
class ExportCommandsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        SkipWelcome();
        ASSERT_TRUE(Start());
        files = &UseScriptedCommonDialogs();
        files->AnswerFile(Sample("regional-sales").string());
        ASSERT_TRUE(CUserInput::PressKey('O', CUserInput::Control));
        view = GetActiveDrawView();
        ASSERT_NE(view, nullptr);
        auto recording = std::make_unique<CRecordingMail>();
        mail = recording.get();
        view->Export().SetMailProgram(std::move(recording));
        view->Export().m_nQueryTimeoutMs = 3000;
    }
    void TearDown() override
    {
        EXPECT_TRUE(files->Unexpected().empty()) << "unexpected file dialog";
        AppTest::TearDown();
    }
    // A command of the menus is chosen there; the others (a toolbar button, none at all) are
    // sent as their button would.
    void Command(UINT id)
    {
        static const UINT menu[] = {ID_EXPORT_SETTINGS,     ID_EXPORT_PREVIEW,   ID_EXPORT_SWF,       ID_EXPORT_HTML,
                                    ID_EXPORT_POWERPOINT,   ID_EXPORT_OUTLOOK,   ID_EXPORT_PORTAL,    ID_SNAPSHOT_EXCEL,
                                    ID_SNAPSHOT_SWF,        ID_SNAPSHOT_HTML,    ID_SNAPSHOT_POWERPOINT,
                                    ID_SNAPSHOT_OUTLOOK,    ID_DATA_IMPORT_MODEL, ID_REPLACE_DATA_SELECTION};
        if (std::find(std::begin(menu), std::end(menu), id) != std::end(menu))
            EXPECT_TRUE(CUserInput::ChooseMenuItem(Frame(), id)) << id;
        else
            Frame().SendMessage(WM_COMMAND, id, 0);
    }
    CBaseMovie& Base() { return *GetBaseMovie(); }
    bool NoFlagLeft()
    {
        const auto& f = Base().GetExportFlags();
        return !f.snapshot && !f.webService && !f.otherFile && !f.exporting && !f.hostedPlayer;
    }
    static bool IsMovie(const std::filesystem::path& path)
    {
        const std::string text = ReadText(path);
        return text.size() > 8 && text.compare(0, 3, "CWS") == 0 && text[3] == 6;
    }
    // The preview plays a movie whose query answers with the given replies.
    CFakeFlashPlayer& PreviewAnswering(std::vector<CFakeFlashPlayer::Command> replies)
    {
        view->SetPreviewMoviePath((out / "preview.swf").string());
        std::ofstream(out / "preview.swf") << "movie";
        auto& player = *static_cast<CFakeFlashPlayer*>(view->GetPreviewCtrl().GetPlayer());
        player.OnLabel("GetData", replies);
        player.OnLabel("GetData2", replies);
        return player;
    }

    CScriptedCommonDialogs* files = nullptr;
    CDrawView* view = nullptr;
    CRecordingMail* mail = nullptr;
    testsupport::TempDir out;
};

TEST_F(ExportCommandsTest, ExportSwfWritesTheMovieAndOffersItsNameNextTime)
{
    files->AnswerFile((out / "dash").string());
    Command(ID_EXPORT_SWF);
    EXPECT_TRUE(IsMovie(out / "dash.swf"));
    EXPECT_TRUE(NoFlagLeft());
    PumpUntilIdle();
    EXPECT_EQ(Frame().StatusBar().GetPaneText(0), "Movie written to " + (out / "dash.swf").string());
    files->AnswerFile(std::nullopt);
    Command(ID_EXPORT_SWF);
    ASSERT_EQ(files->Log().size(), 3u);
    // The first time the dialog offers the document's name in the document's folder.
    EXPECT_EQ(files->Log()[1].file.fileName, "regional-sales.swf");
    EXPECT_EQ(files->Log()[1].file.initialDir, Sample("regional-sales").parent_path().string());
    EXPECT_EQ(files->Log()[1].file.title, "Export Macromedia Flash (SWF)");
    EXPECT_EQ(files->Log()[1].file.filter, "SWF Files (*.swf)|*.swf|");
    EXPECT_TRUE(files->Log()[1].file.flags & OFN_OVERWRITEPROMPT);
    EXPECT_EQ(files->Log()[2].file.fileName, "dash.swf");
}

TEST_F(ExportCommandsTest, ExportHtmlWritesThePageTheMovieAndThePlayerBesideIt)
{
    files->AnswerFile((out / "page.htm").string());
    Command(ID_EXPORT_HTML);
    EXPECT_TRUE(IsMovie(out / "page.swf"));
    EXPECT_EQ(ReadText(out / "page.htm"),
              MakeHtmlPage({"page.swf", "page.swf", Doc().GetCanvasWidth(), Doc().GetCanvasHeight()}));
    EXPECT_TRUE(std::filesystem::exists(out / "ruffle" / "ruffle.js"));
    EXPECT_TRUE(NoFlagLeft());
}

TEST_F(ExportCommandsTest, APortalPageAddressesTheMovieByItsUrlAtTheScaledSize)
{
    ui::SetDialogHook(CPortalExportDlg::IDD, [](CDialog& dlg) {
        dlg.SetDlgItemText(CPortalExportDlg::IDC_URL_PATH, "http://intra/dash");
        dlg.SetDlgItemText(CPortalExportDlg::IDC_SCALED_WIDTH, "300");
        dlg.SetDlgItemText(CPortalExportDlg::IDC_SCALED_HEIGHT, "200");
        dlg.OnOK();
    });
    files->AnswerFile((out / "portal.html").string());
    Command(ID_EXPORT_PORTAL);
    EXPECT_TRUE(IsMovie(out / "portal.swf"));
    EXPECT_EQ(ReadText(out / "portal.html"), MakeHtmlPage({"portal.swf", "http://intra/dash/portal.swf", 300, 200}));
}

TEST_F(ExportCommandsTest, ACommandThatCannotWriteSaysSoAndLeavesTheEarlierFiles)
{
    std::ofstream(out / "page.html") << "earlier page";
    std::filesystem::create_directory(out / "page.swf"); // the movie's name is taken by a folder
    files->AnswerFile((out / "page.html").string());
    boxes->Answer(IDYES); // replace the page
    boxes->Answer(IDOK);
    Command(ID_EXPORT_HTML);
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(boxes->Log()[1].caption, "Export Error");
    EXPECT_EQ(boxes->Log()[1].text.rfind("The movie could not be written:", 0), 0u);
    EXPECT_EQ(ReadText(out / "page.html"), "earlier page");
    EXPECT_FALSE(std::filesystem::exists(out / "ruffle"));
    EXPECT_TRUE(NoFlagLeft());
}

TEST_F(ExportCommandsTest, AMissingOtherWorkbookStopsExportsButNotSnapshots)
{
    Base().GetExportSettings().mode = DataSourceMode::OtherExcelFile;
    Base().GetExportSettings().excelFile = (out / "gone.xlsx").string();
    files->AnswerFile((out / "a.swf").string());
    boxes->Answer(IDOK);
    Command(ID_EXPORT_SWF);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text,
              (out / "gone.xlsx").string() + " does not exist.\nPlease go to export settings and fix the filename.");
    EXPECT_EQ(boxes->Log()[0].caption, "Replace File Name Error");
    EXPECT_FALSE(std::filesystem::exists(out / "a.swf"));
    EXPECT_TRUE(NoFlagLeft());

    PreviewAnswering({{"done", ""}});
    files->AnswerFile((out / "snap.swf").string());
    Command(ID_SNAPSHOT_SWF);
    EXPECT_TRUE(IsMovie(out / "snap.swf"));
    EXPECT_TRUE(NoFlagLeft());
}

TEST_F(ExportCommandsTest, ReplacedDataComesFromAnotherWorkbook)
{
    // The published ranges of Replace Data Selection name the region labels; another workbook
    // with "Nordland" in the place of "North" gives the movie that label.
    CVariableTable& table = Base().GetVariableTable();
    int index = -1;
    CCellRef north;
    for (std::size_t i = 0; i < table.GetRangeCount() && index < 0; ++i)
        table.ForEachNumberedCell(*table.GetRange(i), [&](const CCellRef& c) {
            if (index < 0 && c.row == 2 && c.column == 1) {
                index = static_cast<int>(i);
                north = c;
            }
        });
    ASSERT_GE(index, 0) << "no published range holds A2";
    Base().GetRangeEntries().push_back({index, "Regions", "A2:A5"});
    {
        CExcelApp excel(Doc().GetDocData()->GetPathName());
        excel.SaveWorkbookAs((out / "other.xlsx").string());
        excel.WriteCells({{north.sheet, {1, 0}, sheet::xlsx::CellValue::Text("Nordland")}});
        excel.SaveWorkbook();
        excel.CloseAllAndQuit();
    }
    files->AnswerFile((out / "own.swf").string());
    Command(ID_EXPORT_SWF);
    EXPECT_EQ(MovieBody(out / "own.swf").find("Nordland"), std::string::npos);

    Base().GetExportSettings().mode = DataSourceMode::OtherExcelFile;
    Base().GetExportSettings().excelFile = (out / "other.xlsx").string();
    files->AnswerFile((out / "other.swf").string());
    Command(ID_EXPORT_SWF);
    EXPECT_NE(MovieBody(out / "other.swf").find("Nordland"), std::string::npos);
    EXPECT_TRUE(NoFlagLeft());
}

TEST_F(ExportCommandsTest, SnapshotsTakeThePreviewsValuesAndNeedAPreview)
{
    // Without a preview there are no values to take.
    files->AnswerFile((out / "none.swf").string());
    boxes->Answer(IDOK);
    Command(ID_SNAPSHOT_SWF);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, exporttext::kNoPreview);
    EXPECT_FALSE(std::filesystem::exists(out / "none.swf"));

    // A preview that never answers gives up instead of hanging.
    view->Export().m_nQueryTimeoutMs = 100;
    CFakeFlashPlayer& player = PreviewAnswering({});
    files->AnswerFile((out / "silent.swf").string());
    boxes->Answer(IDOK);
    Command(ID_SNAPSHOT_SWF);
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(boxes->Log()[1].text, exporttext::kNoAnswer);
    EXPECT_FALSE(std::filesystem::exists(out / "silent.swf"));

    // The snapshot movie starts from the reported value of a constant cell instead of the
    // model's; the snapshot flag is on for its generation only.
    Command(ID_EXPORT_PREVIEW); // the model is compiled with the components' bindings
    std::int32_t constant = -1;
    for (std::int32_t id = 0; id < static_cast<std::int32_t>(Base().GetVariableTable().GetCellCount()); ++id)
        if (Base().FindConstantNode(id) != nullptr) {
            constant = id;
            break;
        }
    ASSERT_GE(constant, 0);
    player.OnLabel("GetData", [constant](CFakeFlashPlayer&, const std::string&) {
        return std::vector<CFakeFlashPlayer::Command>{
            {"data", "V" + std::to_string(constant) + " string Snapshotted value"}, {"done", ""}};
    });
    files->AnswerFile((out / "snap.html").string());
    Command(ID_SNAPSHOT_HTML);
    EXPECT_TRUE(IsMovie(out / "snap.swf"));
    EXPECT_NE(MovieBody(out / "snap.swf").find("Snapshotted value"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(out / "snap.html"));
    EXPECT_EQ(player.CallsOf("TCallLabel").back().args, (std::vector<std::string>{"/", "GetData"}));
    EXPECT_TRUE(NoFlagLeft());
}

TEST_F(ExportCommandsTest, BackToExcelWritesACopyAndNeverTheImportedWorkbook)
{
    const CDocData* data = Doc().GetDocData();
    ASSERT_NE(data, nullptr);
    ASSERT_FALSE(data->GetPathName().empty());
    const std::string copyBefore = ReadText(data->GetPathName());

    // The model's own workbook is refused.
    files->AnswerFile(data->GetPathName());
    boxes->Answer(IDOK);
    Command(ID_SNAPSHOT_EXCEL);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "Please select a different file.  Cannot write to import file.");
    EXPECT_EQ(boxes->Log()[0].caption, "Invalid File");
    EXPECT_FALSE(files->Log().back().file.flags & OFN_OVERWRITEPROMPT);

    // The first cell of the model takes the value the preview shows.
    const std::optional<CCellRef> cell = Base().GetVariableTable().GetCellAt(0);
    ASSERT_TRUE(cell);
    CFakeFlashPlayer& player = PreviewAnswering({{"data", "V0 number 98765"}, {"done", ""}});
    std::ofstream(out / "copy.xlsx") << "an earlier file that is replaced";
    files->AnswerFile((out / "copy.xlsx").string());
    Command(ID_SNAPSHOT_EXCEL);
    EXPECT_EQ(player.CallsOf("TCallLabel").back().args, (std::vector<std::string>{"/", "GetData2"}));
    CExcelApp reread((out / "copy.xlsx").string());
    const sheet::xlsx::Sheet* sheet = reread.GetWorkbook().FindSheet(cell->sheet);
    ASSERT_NE(sheet, nullptr);
    const sheet::xlsx::Cell* written = sheet->FindCell(cell->row - 1, cell->column - 1);
    const bool found = written != nullptr;
    if (written != nullptr) {
        EXPECT_EQ(written->number, 98765);
    }
    EXPECT_TRUE(found) << cell->GetText();
    EXPECT_EQ(ReadText(data->GetPathName()), copyBefore);
}

TEST_F(ExportCommandsTest, PresentationsCarryTheMovieAndOpenOnTheDesktop)
{
    files->AnswerFile((out / "deck").string());
    Command(ID_EXPORT_POWERPOINT);
    EXPECT_TRUE(IsMovie(out / "deck.swf"));
    const std::string package = ReadText(out / "deck.pptx");
    EXPECT_EQ(package.compare(0, 2, "PK"), 0);
    EXPECT_NE(package.find("{D27CDB6E-AE6D-11CF-96B8-444553540000}"), std::string::npos);
    EXPECT_NE(package.find("ppt/activeX/movie1.swf"), std::string::npos);
    ASSERT_FALSE(shell->requests.empty());
    EXPECT_EQ(shell->requests.back().target, (out / "deck.pptx").string());

    // Send to PowerPoint makes a presentation of its own, which the person may save where the
    // desktop's program opened it: beside the document and named after it, not in the run's
    // temporary folder.
    view->GetDocument()->SetPathName((out / "regional-sales.vtd").string(), FALSE);
    Command(ID_SEND_POWERPOINT);
    const std::string sent = shell->requests.back().target;
    EXPECT_EQ(std::filesystem::path(sent), out / "regional-sales.pptx");
    EXPECT_EQ(ReadText(sent).compare(0, 2, "PK"), 0);
    // The slide links to a movie that lasts, beside the presentation, not to the run's own.
    EXPECT_TRUE(IsMovie(out / "regional-sales.swf"));
    EXPECT_NE(ReadText(sent).find("Target=\"regional-sales.swf\" TargetMode=\"External\""), std::string::npos);

    // A snapshot presentation asks the preview for its values first.
    CFakeFlashPlayer& player = PreviewAnswering({{"done", ""}});
    Command(ID_SNAPSHOT_POWERPOINT);
    EXPECT_EQ(player.CallsOf("TCallLabel").size(), 1u);
    EXPECT_EQ(std::filesystem::path(shell->requests.back().target), out / "regional-sales (2).pptx");
    EXPECT_TRUE(NoFlagLeft());
}

TEST_F(ExportCommandsTest, MailsAttachTheMovieOrAreSavedWhereNoMailProgramIs)
{
    Command(ID_EXPORT_OUTLOOK);
    ASSERT_EQ(mail->mails.size(), 1u);
    EXPECT_TRUE(IsMovie(mail->mails[0].second));

    // Without a mail program the mail is kept beside the document and named after it, not in
    // the run's temporary folder, which goes when the program ends; a second one gets a name
    // of its own.
    view->GetDocument()->SetPathName((out / "regional-sales.vtd").string(), FALSE);
    mail->available = false;
    boxes->Answer(IDOK);
    boxes->Answer(IDOK);
    Command(ID_EXPORT_OUTLOOK);
    Command(ID_EXPORT_OUTLOOK);
    ASSERT_EQ(boxes->Log().size(), 2u);
    const auto savedBy = [&](std::size_t box) {
        return boxes->Log()[box].text.substr(boxes->Log()[box].text.find('\n') + 1);
    };
    EXPECT_EQ(std::filesystem::path(savedBy(0)), out / "regional-sales.eml");
    EXPECT_EQ(std::filesystem::path(savedBy(1)), out / "regional-sales (2).eml");
    EXPECT_NE(ReadText(savedBy(0)).find("Content-Disposition: attachment; filename=\"regional-sales.swf\""),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(savedBy(1)));

    // Send to Outlook sends the preview's movie, and needs one.
    mail->available = true;
    boxes->Answer(IDOK);
    Command(ID_SEND_TO_OUTLOOK);
    EXPECT_EQ(boxes->Log().back().text, exporttext::kNoPreview);
    PreviewAnswering({{"done", ""}});
    Command(ID_SEND_TO_OUTLOOK);
    EXPECT_EQ(mail->mails.back().second, (out / "preview.swf").string());
    Command(ID_SNAPSHOT_OUTLOOK);
    ASSERT_EQ(mail->mails.size(), 3u);
    EXPECT_TRUE(IsMovie(mail->mails.back().second));
}

TEST_F(ExportCommandsTest, OfficeProgramsMissingAreReportedBeforeAnythingIsAsked)
{
    view->Export().m_officeInfo.powerPointUsable = false;
    view->Export().m_officeInfo.outlookUsable = false;
    boxes->Answer(IDOK);
    boxes->Answer(IDOK);
    Command(ID_EXPORT_POWERPOINT);
    Command(ID_SNAPSHOT_OUTLOOK);
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(boxes->Log()[0].text, std::string(exporttext::kPowerPointMissing) + exporttext::kOfficeTail);
    EXPECT_EQ(boxes->Log()[1].text, std::string(exporttext::kOutlookMissing) + exporttext::kOfficeTail);
    EXPECT_EQ(boxes->Log()[0].caption, "Warning");
}

TEST_F(ExportCommandsTest, PreviewOpensATemporaryMovieAndTheDataCommandsAskForAModel)
{
    bool settingsShown = false;
    ui::SetDialogHook(288, [&](CDialog& dlg) {
        settingsShown = true;
        dlg.EndDialog(IDCANCEL);
    });
    Command(ID_EXPORT_SETTINGS);
    EXPECT_TRUE(settingsShown);

    Command(ID_EXPORT_PREVIEW);
    ASSERT_FALSE(shell->requests.empty());
    EXPECT_TRUE(IsMovie(shell->requests.back().target));
    EXPECT_EQ(std::filesystem::path(shell->requests.back().target).filename().string().rfind("gen", 0), 0u);

    // The opened sample's workbook is linked again: the Data dialog shows its bindings.
    bool dataShown = false;
    ui::SetDialogHook(178, [&](CDialog& dlg) {
        dataShown = true;
        dlg.EndDialog(IDCANCEL);
    });
    Command(ID_DATA_DIALOG);
    EXPECT_TRUE(dataShown);
    // Without a model the Data dialog asks for one.
    view->GetDocument()->ResetModel();
    boxes->Answer(IDOK);
    Command(ID_DATA_DIALOG);
    ASSERT_FALSE(boxes->Log().empty());
    EXPECT_EQ(boxes->Log().back().text, exporttext::kImportFirst);

    int imports = 0, replaces = 0;
    view->Export().m_runImportModel = [&](CDrawView&) { ++imports; };
    view->Export().m_runReplaceData = [&](CDrawView&) { ++replaces; };
    Command(ID_DATA_IMPORT_MODEL);
    Command(ID_REPLACE_DATA_SELECTION);
    EXPECT_EQ(imports, 1);
    EXPECT_EQ(replaces, 1);
}

TEST_F(ExportCommandsTest, NoModelNoExport)
{
    // Without a model the menu offers no export; should the command arrive all the same (a
    // model dropped between the menu's update and the click), it still says why it stops.
    Base().GetCellModel().SetLoaded(false);
    EXPECT_FALSE(CUserInput::ChooseMenuItem(Frame(), ID_EXPORT_SWF));
    EXPECT_TRUE(boxes->Log().empty());
    boxes->Answer(IDOK);
    view->OnExportSwf();
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "Not Done Importing");
}

// Export Scenario is reached in preview only; its movie is the snapshot of what the preview
// shows, and its workbook takes the preview's values into a copy of the model's workbook.
TEST_F(ExportCommandsTest, ExportScenarioWritesTheSnapshotMovieAndWorkbookOfThePreview)
{
    EXPECT_FALSE(IsCommandEnabled(Frame(), ID_EXPORT_SCENARIO));
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
    ASSERT_TRUE(view->IsPreview());
    EXPECT_TRUE(IsCommandEnabled(Frame(), ID_EXPORT_SCENARIO));

    const std::optional<CCellRef> cell = Base().GetVariableTable().GetCellAt(0);
    ASSERT_TRUE(cell);
    CFakeFlashPlayer& player = PreviewAnswering({});
    std::vector<std::string> labels;
    player.OnLabel("GetData", [&](CFakeFlashPlayer&, const std::string&) {
        labels.push_back("GetData");
        return std::vector<CFakeFlashPlayer::Command>{{"data", "V0 number 4242"}, {"done", ""}};
    });
    player.OnLabel("GetData2", [&](CFakeFlashPlayer&, const std::string&) {
        labels.push_back("GetData2");
        return std::vector<CFakeFlashPlayer::Command>{{"data", "V0 number 4242"}, {"done", ""}};
    });
    files->AnswerFile((out / "scenario.swf").string());
    files->AnswerFile((out / "scenario.xlsx").string());
    bool shown = false;
    ui::SetDialogHook(CExportScenarioDlg::IDD, [&](CDialog& dlg) {
        shown = true;
        static_cast<CButton*>(dlg.GetDlgItem(CExportScenarioDlg::IDC_EXPORT_SWF))->Click();
        EXPECT_FALSE(dlg.IsEnded());
        static_cast<CButton*>(dlg.GetDlgItem(CExportScenarioDlg::IDC_EXPORT_EXCEL))->Click();
        EXPECT_TRUE(dlg.IsEnded());
    });
    Frame().SendMessage(WM_COMMAND, ID_EXPORT_SCENARIO, 0);
    PumpUntilIdle();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(IsMovie(out / "scenario.swf"));
    EXPECT_EQ(labels, (std::vector<std::string>{"GetData", "GetData2"}));
    EXPECT_TRUE(NoFlagLeft());
    CExcelApp reread((out / "scenario.xlsx").string());
    const sheet::xlsx::Sheet* sheet = reread.GetWorkbook().FindSheet(cell->sheet);
    ASSERT_NE(sheet, nullptr);
    const sheet::xlsx::Cell* written = sheet->FindCell(cell->row - 1, cell->column - 1);
    ASSERT_NE(written, nullptr) << cell->GetText();
    EXPECT_EQ(written->number, 4242);

    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_EDIT_MODE));
    EXPECT_FALSE(IsCommandEnabled(Frame(), ID_EXPORT_SCENARIO));
}

} // namespace
