#include "AppFixture.h"

#include "app/panels/CanvasPropertiesPanel.h"
#include "app/shell/PropertyEditing.h"
#include "app/canvas/ComponentObj.h"
#include "app/canvas/MultiSelectObj.h"
#include "app/core/AppIds.h"
#include "app/modeldialogs/ImportModelDlg.h"
#include "app/modeldialogs/ReplaceDataDlg.h"
#include "app/workbook/WorkbookDlg.h"
#include "app/workbook/WorkbookGrid.h"
#include "app/workbook/WorkbookPicker.h"
#include "platform/controls/Button.h"
#include "platform/controls/Edit.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "propui/ComponentPropertySheet.h"
#include "publish/BaseMovie.h"
#include "publish/ExportRecord.h"
#include "sheet/cells/CellModel.h"
#include "sheet/host/ExcelHost.h"
#include "sheet/workbook/XlsxWriter.h"
#include "model/FileBytes.h"
#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/Component.h"

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
// the workbook window; Data > Replace Data Selection edits the base movie's own range list,
// and an import it offers is picked from at once (the dialog reads the new model, not the one
// the import replaced).
TEST_F(AppTest, TheDataCommandsRunTheModelDialogsOverTheDocument)
{
    // Found before the program moves into its installation folder.
    const std::string book = Workbook();
    InstallRasterWindowHost();
    SkipWelcome();
    ASSERT_TRUE(Start());
    GetBaseMovie()->GetRangeEntries().clear();
    AnswerImport(book);
    boxes->Answer(IDOK);
    ui::SetDialogHook(CWorkbookDlg::IDD, [](CDialog& dlg) {
        auto& w = static_cast<CWorkbookDlg&>(dlg);
        CUserInput::Drag(w.Grid(), w.Grid().CellCentre(1, 1), w.Grid().CellCentre(3, 1));
        Click(w, IDOK);
    });
    ui::SetDialogHook(CReplaceDataDlg::IDD, [this](CDialog& dlg) {
        Click(dlg, CReplaceDataDlg::IDC_ADD);
        Click(dlg, CReplaceDataDlg::IDC_PICK_RANGE); // no model yet: the import is offered
        ASSERT_NE(Doc().GetExcelHost(), nullptr);
        ASSERT_TRUE(Doc().GetExcelHost()->WaitForWorker(60000));
        Click(dlg, CReplaceDataDlg::IDC_PICK_RANGE);
        EXPECT_EQ(dlg.GetDlgItemText(CReplaceDataDlg::IDC_RANGE_SELECTION), "'Inputs'!$B$2:$B$4");
        Click(dlg, CReplaceDataDlg::IDC_CLOSE);
    });
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_REPLACE_DATA_SELECTION));
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, CReplaceDataDlg::kNoModelText);
    EXPECT_EQ(Doc().GetModelPath(), book);
    CExcelHost* host = Doc().GetExcelHost();
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->GetWorkbookPath(), Doc().GetModelCopyPath());
    EXPECT_NE(dynamic_cast<CWorkbookPicker*>(host->GetRangePicker()), nullptr);
    ASSERT_EQ(GetBaseMovie()->GetRangeEntries().size(), 1u);
    EXPECT_EQ(GetBaseMovie()->GetRangeEntries()[0].rangeText, "'Inputs'!$B$2:$B$4");
    EXPECT_GE(GetBaseMovie()->GetRangeEntries()[0].rangeIndex, 0);
    PumpUntilIdle();

    // Data > Import Model again: a re-import of the same workbook, the questions answered yes.
    AnswerImport(book);
    boxes->Answer(IDYES);
    // The old link goes before the new one is made, so the new one may take its address: the
    // fresh cell model (made while the old one still lives) tells that the import ran again.
    const CCellModel* oldModel = &GetBaseMovie()->GetCellModel();
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_DATA_IMPORT_MODEL));
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(boxes->Log()[1].text, CImportModelDlg::kReimportText);
    ASSERT_NE(Doc().GetExcelHost(), nullptr);
    EXPECT_NE(&GetBaseMovie()->GetCellModel(), oldModel);
    ASSERT_TRUE(Doc().GetExcelHost()->WaitForWorker(60000));
    PumpUntilIdle();
    EXPECT_GT(GetBaseMovie()->GetCellModel().GetCellCount(), 0u);
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
    const std::string book = Workbook();
    SkipWelcome();
    ASSERT_TRUE(Start());
    CPropertyPageContext& context = Frame().PropertyEditing()->Context();
    ASSERT_TRUE(context.importModel);
    ui::SetDialogHook(CImportModelDlg::IDD, [](CDialog& dlg) { Click(dlg, IDCANCEL); });
    EXPECT_FALSE(context.importModel());
    AnswerImport(book);
    EXPECT_TRUE(context.importModel());
    EXPECT_EQ(Doc().GetModelPath(), book);
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

CComponentObj* Named(CDrawDoc& doc, const std::string& name)
{
    for (CDrawObj* obj : doc.GetObjects())
        if (auto* c = dynamic_cast<CComponentObj*>(obj); c != nullptr && c->GetName() == name)
            return c;
    return nullptr;
}

// The sheet follows the canvas: a double-click opens the component's sheet, a click on
// another component shows that one's in its place, a click on the empty canvas closes it.
TEST_F(AppTest, ThePropertiesSheetFollowsTheCanvasSelection)
{
    CRasterWindowHost& raster = InstallRasterWindowHost();
    SkipWelcome();
    ASSERT_TRUE(Start());
    UseScriptedCommonDialogs().AnswerFile(Sample("regional-sales").string());
    ASSERT_TRUE(CUserInput::PressKey('O', CUserInput::Control));
    Frame().ShowWindow(SW_SHOWNORMAL);
    Frame().MoveWindow(CRect(0, 0, 1200, 800));
    PumpUntilIdle();
    CDrawView& view = *GetActiveDrawView();
    CComponentObj* chart = Named(Doc(), "RevenueChart");
    CComponentObj* slider = Named(Doc(), "GrowthSlider");
    ASSERT_TRUE(chart != nullptr && slider != nullptr);
    const auto centre = [&](CComponentObj* obj) { return view.DocToClient(obj->m_position.CenterPoint()); };

    ASSERT_TRUE(CUserInput::DoubleClick(view, centre(chart)));
    PumpUntilIdle();
    EXPECT_EQ(CComponentObj::GetCurrentPanel(), &chart->GetPanel());
    EXPECT_TRUE(chart->GetPanel().IsSheetOpen());

    ASSERT_TRUE(CUserInput::Click(view, centre(slider)));
    PumpUntilIdle();
    EXPECT_EQ(view.GetSelection(), std::vector<CDrawObj*>{slider});
    EXPECT_EQ(CComponentObj::GetCurrentPanel(), &slider->GetPanel());
    EXPECT_TRUE(slider->GetPanel().IsSheetOpen());
    EXPECT_FALSE(chart->GetPanel().IsSheetOpen());
    EXPECT_TRUE(WritePng(artefacts / "sheet-follows-selection.png", raster.Snapshot(Frame())));
    CComponentPropertySheet* sheet = dynamic_cast<CCanvasPropertiesPanel&>(slider->GetPanel()).Panel().GetSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(WritePng(artefacts / "sheet-follows-selection-sheet.png", raster.Snapshot(*sheet)));

    ASSERT_TRUE(CUserInput::Click(view, view.DocToClient(CPoint(5, 5))));
    PumpUntilIdle();
    EXPECT_TRUE(view.GetSelection().empty());
    EXPECT_FALSE(slider->GetPanel().IsSheetOpen());
}

// A workbook imported into a new document is a model at once: the status bar says so, the
// preview is made rather than refused, and it is generated with the model compiled and no
// export flag left behind.
TEST_F(AppTest, AWorkbookImportedIntoANewDocumentIsPreviewedWithItsModel)
{
    const std::string book = Workbook();
    SkipWelcome();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(CUserInput::PressKey('N', CUserInput::Control));
    AnswerImport(book);
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_DATA_IMPORT_MODEL));
    ASSERT_NE(Doc().GetExcelHost(), nullptr);
    ASSERT_TRUE(Doc().GetExcelHost()->WaitForWorker(60000));
    PumpUntilIdle();
    EXPECT_EQ(Frame().StatusBar().GetPaneText(1), "Model Import Done");
    EXPECT_TRUE(CDrawDoc::HoldsModel());

    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_SWF_PREVIEW));
    EXPECT_TRUE(boxes->Log().empty()) << boxes->Log().front().text;
    EXPECT_TRUE(GetActiveDrawView()->IsPreview());
    EXPECT_FALSE(GetBaseMovie()->IsModelChanged()) << "the preview compiles the model";
    const auto& flags = GetBaseMovie()->GetExportFlags();
    EXPECT_FALSE(flags.hostedPlayer || flags.exporting || flags.webService);
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_VIEW_EDIT_MODE));
}

// The named component's parameter of its General group.
CParameter* GeneralParameter(CDrawDoc& doc, const std::string& component, const std::string& key)
{
    for (CComponent* instance : doc.CollectComponents())
        if (instance->GetName() == component)
            if (CParameter* general = instance->GetParameters()->FindParameter("General"))
                return general->GetSet()->FindParameter(key);
    return nullptr;
}

// Data > Import Model of a changed workbook keeps the links: a chart title bound to a cell
// stays bound and shows the cell's new text, a slider's value takes the new number, and the
// stage is told of every component again.
TEST_F(AppTest, AReimportedWorkbookRefreshesEveryComponentFromItsCells)
{
    testsupport::TempDir dir;
    std::vector<std::uint8_t> source;
    ASSERT_TRUE(model::ReadFileBytes((testsupport::InstallDir() / "samples" / "regional-sales.xlsx").string(), source));
    const std::string changed = (dir / "regional-sales.xlsx").string();
    sheet::xlsx::WritePackage(source, changed,
                              {{"Sales", *sheet::xlsx::ParseCellAddress("D1"), sheet::xlsx::CellValue::Text("Revenue 2027")},
                               {"Sales", *sheet::xlsx::ParseCellAddress("B8"), sheet::xlsx::CellValue::Number(0.3)}});
    SkipWelcome();
    ASSERT_TRUE(Start());
    UseScriptedCommonDialogs().AnswerFile(Sample("regional-sales").string());
    ASSERT_TRUE(CUserInput::PressKey('O', CUserInput::Control));
    CParameter* title = GeneralParameter(Doc(), "RevenueChart", "chartTitle");
    CParameter* slider = GeneralParameter(Doc(), "GrowthSlider", "mv");
    ASSERT_TRUE(title != nullptr && slider != nullptr);
    const std::string titleCell = title->GetBinding()->GetTexts().rangeText;
    ASSERT_FALSE(titleCell.empty());

    AnswerImport(changed);
    boxes->Answer(IDYES); // "You are about to re-import a model..."
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_DATA_IMPORT_MODEL));
    ASSERT_NE(Doc().GetExcelHost(), nullptr);
    ASSERT_TRUE(Doc().GetExcelHost()->WaitForWorker(60000));
    PumpUntilIdle();
    EXPECT_EQ(Frame().StatusBar().GetPaneText(1), "Model Import Done");

    EXPECT_TRUE(title->GetBinding()->IsBound());
    EXPECT_EQ(title->GetBinding()->GetTexts().rangeText, titleCell);
    EXPECT_EQ(title->GetBinding()->GetValue().GetString(), "Revenue 2027");
    EXPECT_TRUE(slider->GetBinding()->IsBound());
    EXPECT_DOUBLE_EQ(slider->GetBinding()->GetValue().GetDouble(), 0.3);
    Doc().SetModifiedFlag(FALSE);
}

} // namespace
