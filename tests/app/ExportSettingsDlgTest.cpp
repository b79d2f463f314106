#include "DialogFixture.h"

#include "app/dialogs/ExportSettingsDlg.h"
#include "sheet/cells/CellModel.h"
#include "sheet/host/ExcelHost.h"
#include "tests/support/ScriptedRangePicker.h"
#include "sheet/cells/VariableTable.h"
#include "tests/support/TestSupport.h"

#include <fstream>

namespace {

using Dlg = CExportSettingsDlg;

class ExportSettingsDlgTest : public DialogTest {
protected:
    // Opens the dialog on the record, lets the script act on it and returns how it ended.
    INT_PTR Run(const std::function<void(CDialog&)>& script, ExportSettingsDocument document = {})
    {
        ui::SetDialogHook(Dlg::IDD, script);
        Dlg dlg(&owner, record, std::move(document));
        return dlg.DoModal();
    }

    CExportSettings record;
};

struct Opening {
    DataSourceMode stored;
    bool refresh;
    int radio;
    DataSourceMode storedAfterOk;
};

TEST_F(ExportSettingsDlgTest, OpensOnTheRecordsModeAndStoresItBack)
{
    const std::vector<Opening> cases = {
        {DataSourceMode::Unset, false, Dlg::IDC_USE_CURRENT_DATA, DataSourceMode::CurrentExcel},
        {DataSourceMode::CurrentExcel, true, Dlg::IDC_USE_CURRENT_DATA, DataSourceMode::CurrentExcel},
        {DataSourceMode::WebService, false, Dlg::IDC_USE_WEB_SERVICE, DataSourceMode::WebService},
        {DataSourceMode::WebService, true, Dlg::IDC_USE_WEB_SERVICE, DataSourceMode::WebService},
    };
    for (const Opening& c : cases) {
        record.mode = c.stored;
        record.refresh = c.refresh;
        record.edited = false;
        const bool service = c.radio == Dlg::IDC_USE_WEB_SERVICE;
        EXPECT_EQ(Run([&](CDialog& dlg) {
                      EXPECT_EQ(
                          dlg.GetCheckedRadioButton(Dlg::IDC_USE_CURRENT_DATA, Dlg::IDC_USE_WEB_SERVICE),
                          c.radio);
                      EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_URL), "http://");
                      EXPECT_FALSE(Enabled(dlg, Dlg::IDC_EXCEL_FILE));
                      EXPECT_EQ(Enabled(dlg, Dlg::IDC_URL), service);
                      EXPECT_EQ(Enabled(dlg, Dlg::IDC_REFRESH), service);
                      EXPECT_EQ(Enabled(dlg, Dlg::IDC_REFRESH_SECONDS), service && c.refresh);
                      EXPECT_EQ(Enabled(dlg, Dlg::IDC_SECONDS_LABEL), service && c.refresh);
                      Button(dlg, IDOK).Click();
                  }),
                  IDOK);
        EXPECT_EQ(record.mode, c.storedAfterOk);
        EXPECT_TRUE(record.edited);
        EXPECT_EQ(record.refresh, c.refresh);
    }
}

TEST_F(ExportSettingsDlgTest, AnotherExcelFileMustExist)
{
    testsupport::TempDir dir;
    const std::string book = (dir / "book.xlsx").string();
    std::ofstream(book) << "x";
    record.url = "http://kept.test/";
    Run([&](CDialog& dlg) {
        Button(dlg, Dlg::IDC_USE_OTHER_FILE).Click();
        EXPECT_TRUE(Enabled(dlg, Dlg::IDC_EXCEL_FILE));
        EXPECT_TRUE(Enabled(dlg, Dlg::IDC_BROWSE_EXCEL_FILE));
        EXPECT_FALSE(Enabled(dlg, Dlg::IDC_URL));
        EXPECT_FALSE(Enabled(dlg, Dlg::IDC_SAMPLE_QUERY));
        Retype(dlg, Dlg::IDC_EXCEL_FILE, (dir / "missing.xlsx").string());
        boxes->Answer(IDOK);
        Button(dlg, IDOK).Click();
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_EQ(record.mode, DataSourceMode::Unset);
        Retype(dlg, Dlg::IDC_EXCEL_FILE, book);
        Button(dlg, IDOK).Click();
    });
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "Please select a valid Excel file.");
    EXPECT_EQ(record.mode, DataSourceMode::OtherExcelFile);
    EXPECT_EQ(record.excelFile, book);
    EXPECT_EQ(record.url, "http://kept.test/");
}

TEST_F(ExportSettingsDlgTest, BrowseOffersOurWorkbooks)
{
    testsupport::TempDir dir;
    const std::string book = (dir / "sales.xlsm").string();
    std::ofstream(book) << "x";
    files->AnswerFile(book);
    Run([&](CDialog& dlg) {
        Button(dlg, Dlg::IDC_USE_OTHER_FILE).Click();
        Button(dlg, Dlg::IDC_BROWSE_EXCEL_FILE).Click();
        EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_EXCEL_FILE), book);
        Button(dlg, IDCANCEL).Click();
    });
    ASSERT_EQ(files->Log().size(), 1u);
    const FileDialogRequest& asked = files->Log()[0].file;
    EXPECT_TRUE(asked.open);
    EXPECT_EQ(asked.title, "Replace Excel File");
    EXPECT_EQ(asked.filter, "Excel Files (*.xlsx;*.xlsm)|*.xlsx;*.xlsm|");
    EXPECT_TRUE(asked.flags & OFN_FILEMUSTEXIST);
    EXPECT_TRUE(asked.flags & OFN_HIDEREADONLY);
    EXPECT_TRUE(asked.flags & OFN_NOCHANGEDIR);
    EXPECT_TRUE(record.excelFile.empty()); // cancelled
}

TEST_F(ExportSettingsDlgTest, RefreshCheckGovernsTheSecondsAndTextIsRefused)
{
    record.mode = DataSourceMode::WebService;
    record.refreshSeconds = 10;
    Run([&](CDialog& dlg) {
        Button(dlg, Dlg::IDC_REFRESH).Click();
        EXPECT_TRUE(Enabled(dlg, Dlg::IDC_REFRESH_SECONDS));
        Button(dlg, Dlg::IDC_REFRESH).Click();
        EXPECT_FALSE(Enabled(dlg, Dlg::IDC_REFRESH_SECONDS));
        Button(dlg, Dlg::IDC_REFRESH).Click();
        dlg.SetDlgItemText(Dlg::IDC_REFRESH_SECONDS, "ten");
        boxes->Answer(IDOK);
        Button(dlg, IDOK).Click();
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_FALSE(record.edited);
        dlg.SetDlgItemText(Dlg::IDC_REFRESH_SECONDS, "90");
        Button(dlg, IDOK).Click();
    });
    EXPECT_EQ(boxes->Log().size(), 1u);
    EXPECT_TRUE(record.refresh);
    EXPECT_EQ(record.refreshSeconds, 90);
}

TEST_F(ExportSettingsDlgTest, CollaborationControlsFollowTheirSwitches)
{
    record.collaboration = false;
    record.connectionMethod = ConnectionMethod::LoginComponent;
    Run([&](CDialog& dlg) {
        EXPECT_EQ(dlg.GetCheckedRadioButton(Dlg::IDC_AUTOMATIC_CONNECT, Dlg::IDC_LOGIN_CONNECT),
                  Dlg::IDC_LOGIN_CONNECT);
        for (int id :
             {Dlg::IDC_REAL_TIME, Dlg::IDC_GATEWAY_URL, Dlg::IDC_AUTOMATIC_CONNECT, Dlg::IDC_PASSWORD})
            EXPECT_FALSE(Enabled(dlg, id)) << id;
        Button(dlg, Dlg::IDC_COLLABORATION).Click();
        EXPECT_TRUE(Enabled(dlg, Dlg::IDC_GATEWAY_URL));
        EXPECT_FALSE(Enabled(dlg, Dlg::IDC_PASSWORD)); // the login component asks for it
        Button(dlg, Dlg::IDC_AUTOMATIC_CONNECT).Click();
        EXPECT_TRUE(Enabled(dlg, Dlg::IDC_PASSWORD));
        EXPECT_TRUE(Enabled(dlg, Dlg::IDC_PASSWORD_LABEL));
        Retype(dlg, Dlg::IDC_GATEWAY_URL, "rtmp://gw.test/app");
        Retype(dlg, Dlg::IDC_PASSWORD, "pw");
        Button(dlg, Dlg::IDC_REAL_TIME).Click();
        Button(dlg, IDOK).Click();
    });
    EXPECT_TRUE(record.collaboration);
    EXPECT_TRUE(record.realTimeCollaboration);
    EXPECT_EQ(record.connectionMethod, ConnectionMethod::Automatic);
    EXPECT_EQ(record.gatewayUrl, "rtmp://gw.test/app");
    EXPECT_EQ(record.password, "pw");
}

TEST_F(ExportSettingsDlgTest, CancelWritesNothing)
{
    record.url = "http://a.test/";
    Run([&](CDialog& dlg) {
        Button(dlg, Dlg::IDC_USE_WEB_SERVICE).Click();
        Retype(dlg, Dlg::IDC_URL, "http://b.test/");
        Button(dlg, Dlg::IDC_COLLABORATION).Click();
        Button(dlg, IDCANCEL).Click();
    });
    EXPECT_EQ(record.url, "http://a.test/");
    EXPECT_EQ(record.mode, DataSourceMode::Unset);
    EXPECT_FALSE(record.collaboration || record.edited);
}

// The URL cell is picked from an imported workbook through the current Excel host.
class UrlCellTest : public ExportSettingsDlgTest {
protected:
    struct Window : sheet::IExcelHostWindow {
        void PostImportMessage(sheet::ImportCode, long) override {}
        void EnableMainWindow(bool) override {}
        void ShowWarning(const std::string&, const std::string&) override {}
    };

    void SetUp() override
    {
        ExportSettingsDlgTest::SetUp();
        host = std::make_unique<CExcelHost>(
            &window, (testsupport::SourceDir() / "tests/data/workbooks/model.xlsx").string());
        auto scripted = std::make_unique<sheet::CScriptedRangePicker>();
        picker = scripted.get();
        host->SetRangePicker(std::move(scripted));
    }
    void TearDown() override
    {
        host.reset();
        CExcelHost::SetCurrent(nullptr);
        ExportSettingsDlgTest::TearDown();
    }
    void Import()
    {
        host->StartWorker(&model);
        ASSERT_TRUE(host->WaitForWorker(10000));
        ASSERT_TRUE(model.IsLoaded());
    }
    ExportSettingsDocument Document()
    {
        return {.model = &model,
                .table = &table,
                .importModel =
                    [this] {
                        ++importOffers;
                        if (importSucceeds)
                            Import();
                        return importSucceeds;
                    },
                .modelChanged = [this] { ++modelChanges; }};
    }

    Window window;
    CCellModel model;
    CVariableTable table;
    std::unique_ptr<CExcelHost> host;
    sheet::CScriptedRangePicker* picker = nullptr;
    bool importSucceeds = false;
    int importOffers = 0;
    int modelChanges = 0;
};

TEST_F(UrlCellTest, APickedRangeGivesItsFirstCell)
{
    Import();
    record.mode = DataSourceMode::WebService;
    picker->Answer(sheet::RangePickOutcome::Picked, "'Inputs'!$B$2:$C$4");
    Run(
        [&](CDialog& dlg) {
            // The picker's button shows the cell grid, as the other pickers' do.
            EXPECT_NE(Button(dlg, Dlg::IDC_PICK_URL_CELL).GetBitmap(), nullptr);
            Button(dlg, Dlg::IDC_PICK_URL_CELL).Click();
            EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_URL), "'Inputs'!$B$2");
            Button(dlg, IDOK).Click();
        },
        Document());
    ASSERT_TRUE(record.GetUrlCell());
    EXPECT_EQ(record.GetUrlCell()->GetText(), "'Inputs'!$B$2");
    EXPECT_EQ(table.GetCellAt(record.GetUrlCell()->id)->GetText(), "'Inputs'!$B$2");
    EXPECT_EQ(modelChanges, 1);

    // Showing the cell's address on opening is not typing: OK keeps the cell.
    Run([&](CDialog& dlg) { Button(dlg, IDOK).Click(); }, Document());
    ASSERT_TRUE(record.GetUrlCell());
    EXPECT_EQ(modelChanges, 1);

    // Reopened, the cell shows and the picker starts from it; an empty pick forgets it.
    picker->Answer(sheet::RangePickOutcome::Cleared);
    Run(
        [&](CDialog& dlg) {
            EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_URL), "'Inputs'!$B$2");
            Button(dlg, Dlg::IDC_PICK_URL_CELL).Click();
            EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_URL), "http://");
            Button(dlg, IDOK).Click();
        },
        Document());
    EXPECT_EQ(picker->startTexts, (std::vector<std::string>{"", "'Inputs'!$B$2"}));
    EXPECT_FALSE(record.GetUrlCell());
    EXPECT_EQ(record.url, "http://");
}

TEST_F(UrlCellTest, TypingAfterAPickStoresTheTypedUrl)
{
    Import();
    record.mode = DataSourceMode::WebService;
    picker->Answer(sheet::RangePickOutcome::Picked, "'Inputs'!$B$2");
    picker->Answer(sheet::RangePickOutcome::Cancelled);
    Run(
        [&](CDialog& dlg) {
            Button(dlg, Dlg::IDC_PICK_URL_CELL).Click();
            Button(dlg, Dlg::IDC_PICK_URL_CELL).Click(); // cancelled: the cell stays
            EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_URL), "'Inputs'!$B$2");
            Retype(dlg, Dlg::IDC_URL, "http://typed.test/q");
            Button(dlg, IDOK).Click();
        },
        Document());
    EXPECT_FALSE(record.GetUrlCell());
    EXPECT_EQ(record.url, "http://typed.test/q");
    EXPECT_EQ(modelChanges, 0);
}

TEST_F(UrlCellTest, WithoutAModelTheImportIsOfferedFirst)
{
    record.mode = DataSourceMode::WebService;
    picker->Answer(sheet::RangePickOutcome::Picked, "'Calc Sheet'!$A$1");
    boxes->Answer(IDOK);
    boxes->Answer(IDOK);
    Run(
        [&](CDialog& dlg) {
            Button(dlg, Dlg::IDC_PICK_URL_CELL).Click(); // import cancelled
            EXPECT_TRUE(picker->startTexts.empty());
            importSucceeds = true;
            Button(dlg, Dlg::IDC_PICK_URL_CELL).Click();
            EXPECT_EQ(dlg.GetDlgItemText(Dlg::IDC_URL), "'Calc Sheet'!$A$1");
            Button(dlg, IDOK).Click();
        },
        Document());
    EXPECT_EQ(importOffers, 2);
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(boxes->Log()[0].text, "Please import a model or data before selecting a range.");
    EXPECT_EQ(boxes->Log()[0].caption, "Warning");
    EXPECT_EQ(boxes->Log()[0].flags & MB_ICONEXCLAMATION, UINT(MB_ICONEXCLAMATION));
    ASSERT_TRUE(record.GetUrlCell());
}

} // namespace
