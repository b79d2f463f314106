#include "AppFixture.h"

#include "app/AppIds.h"
#include "app/ComponentObj.h"
#include "app/ImportModelDlg.h"
#include "app/MultiSelectObj.h"
#include "app/PropertiesPanel.h"
#include "app/ReplaceDataDlg.h"
#include "app/workbook/WorkbookPicker.h"
#include "platform/controls/Button.h"
#include "platform/controls/Edit.h"
#include "platform/window/UserInput.h"
#include "publish/BaseMovie.h"
#include "publish/ExportRecord.h"
#include "sheet/cells/CellModel.h"
#include "sheet/host/ExcelHost.h"

namespace {

std::string Workbook()
{
    return (testsupport::SourceDir() / "tests/data/workbooks/model.xlsx").string();
}

void Click(CDialog& dlg, int id)
{
    static_cast<CButton*>(dlg.GetDlgItem(id))->Click();
}

// The Import Model dialog answered with a workbook typed into its path box.
void AnswerImport(const std::string& path)
{
    ui::SetDialogHook(CImportModelDlg::IDD, [path](CDialog& dlg) {
        auto* edit = static_cast<CEdit*>(dlg.GetDlgItem(CImportModelDlg::IDC_EXCEL_FILE));
        edit->SetSel(0, -1);
        edit->Type(path);
        Click(dlg, IDOK);
    });
}

// Data > Import Model imports into the document itself, and the model's host picks ranges in
// the workbook window; Data > Replace Data Selection edits the base movie's own range list.
TEST_F(AppTest, TheDataCommandsRunTheModelDialogsOverTheDocument)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    const std::string book = Workbook();
    AnswerImport(book);
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_DATA_IMPORT_MODEL));
    EXPECT_EQ(Doc().GetModelPath(), book);
    CExcelHost* host = Doc().GetExcelHost();
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(host->WaitForWorker(60000));
    PumpUntilIdle();
    EXPECT_EQ(host->GetWorkbookPath(), Doc().GetModelCopyPath());
    EXPECT_NE(dynamic_cast<CWorkbookPicker*>(host->GetRangePicker()), nullptr);
    EXPECT_GT(GetBaseMovie()->GetCellModel().GetCellCount(), 0u);

    GetBaseMovie()->GetRangeEntries().clear();
    ui::SetDialogHook(CReplaceDataDlg::IDD, [](CDialog& dlg) {
        Click(dlg, CReplaceDataDlg::IDC_ADD);
        Click(dlg, IDOK);
    });
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_REPLACE_DATA_SELECTION));
    EXPECT_EQ(GetBaseMovie()->GetRangeEntries().size(), 1u);
    EXPECT_TRUE(boxes->Log().empty());
}

// A reopened document links its stored workbook copy again: that host picks in the workbook
// window too.
TEST_F(AppTest, AReopenedDocumentsHostPicksInTheWorkbookWindow)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    UseScriptedCommonDialogs().AnswerFile(Sample("loan-planner").string());
    ASSERT_TRUE(CUserInput::PressKey('O', CUserInput::Control));
    Doc().ReimportModel();
    ASSERT_NE(Doc().GetExcelHost(), nullptr);
    EXPECT_NE(dynamic_cast<CWorkbookPicker*>(Doc().GetExcelHost()->GetRangePicker()), nullptr);
}

// The property pages reach the Import Model dialog of the canvas view; the multiple
// selection is let go once its own sheet closes, and only then.
TEST_F(AppTest, ThePropertyPagesHooksReachTheCanvasView)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    CPropertyPageContext& context = Frame().PropertyEditing()->Context();
    ASSERT_TRUE(context.importModel);
    ui::SetDialogHook(CImportModelDlg::IDD, [](CDialog& dlg) { Click(dlg, IDCANCEL); });
    EXPECT_FALSE(context.importModel());
    AnswerImport(Workbook());
    EXPECT_TRUE(context.importModel());
    EXPECT_EQ(Doc().GetModelPath(), Workbook());
    ASSERT_TRUE(Doc().GetExcelHost()->WaitForWorker(60000));
    PumpUntilIdle();

    UseScriptedCommonDialogs().AnswerFile(Sample("regional-sales").string());
    ASSERT_TRUE(CUserInput::PressKey('O', CUserInput::Control));
    ASSERT_GE(Doc().GetObjects().size(), 2u);
    CDrawView& view = *GetActiveDrawView();
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_SELECT_ALL));
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_EDIT_PROPERTIES));
    CMultiSelectObj& multi = view.GetMultiSelect();
    ASSERT_GE(multi.GetMembers().size(), 2u);
    ASSERT_EQ(CComponentObj::GetCurrentPanel(), &multi.GetPanel());
    ASSERT_TRUE(multi.GetPanel().IsSheetOpen());

    multi.GetPanel().CloseSheet();
    PumpUntilIdle();
    EXPECT_TRUE(multi.GetMembers().empty());
    EXPECT_EQ(CComponentObj::GetCurrentPanel(), nullptr);
}

} // namespace
