#include "app/dialogs/ExportScenarioDlg.h"

#include "platform/controls/Button.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/MessageBox.h"
#include "sheet/host/SameFile.h"

namespace {

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP;

} // namespace

BEGIN_MESSAGE_MAP(CExportScenarioDlg, CDialog)
    .Command(IDC_EXPORT_SWF, &CExportScenarioDlg::OnExportSwf)
    .Command(IDC_EXPORT_EXCEL, &CExportScenarioDlg::OnExportExcel) END_MESSAGE_MAP()

        DialogTemplate CExportScenarioDlg::MakeTemplate()
{
    DialogTemplate t;
    t.id = IDD;
    t.caption = "Export Scenario";
    t.cx = 230;
    t.cy = 110;
    t.Add("Static", "Export to Macromedia Flash (SWF) : ", 0xFFFF, 7, 16, 120, 8, WS_VISIBLE)
        .Add("Button", "", IDC_EXPORT_SWF, 130, 7, 28, 26, kButton | BS_ICON)
        .Add("Button", "Settings...", IDC_SWF_SETTINGS, 166, 13, 55, 14, kButton)
        .Add("Static", "Export to Excel : ", 0xFFFF, 7, 50, 120, 8, WS_VISIBLE)
        .Add("Button", "", IDC_EXPORT_EXCEL, 130, 41, 28, 26, kButton | BS_ICON)
        .Add("Button", "Settings...", IDC_EXCEL_SETTINGS, 166, 47, 55, 14, kButton)
        .Add("Button", "Cancel", IDCANCEL, 171, 89, 50, 14, kButton);
    return t;
}

CExportScenarioDlg::CExportScenarioDlg(CWnd* view, ExportScenarioActions actions)
    : CDialog(IDD, view), m_actions(std::move(actions))
{
    if (GetDialogTemplates().Find(IDD) == nullptr)
        GetDialogTemplates().Add(MakeTemplate());
}

BOOL CExportScenarioDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* swf = dynamic_cast<CButton*>(GetDlgItem(IDC_EXPORT_SWF)))
        swf->SetIcon(kSwfIcon);
    if (auto* excel = dynamic_cast<CButton*>(GetDlgItem(IDC_EXPORT_EXCEL)))
        excel->SetIcon(kExcelIcon);
    return TRUE;
}

void CExportScenarioDlg::OnExportSwf()
{
    CFileDialog save(FALSE, "swf", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR,
                     "SWF Files (*.swf)|*.swf|", this);
    save.m_ofn.title = "Export Macromedia Flash (SWF)";
    if (save.DoModal() != IDOK || !m_actions.exportSwf)
        return;
    m_actions.exportSwf(save.GetPathName());
}

void CExportScenarioDlg::OnExportExcel()
{
    // Writing over an existing copy is expected; no overwrite prompt.
    CFileDialog save(FALSE, "xlsx", nullptr, OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                     "Excel Files (*.xlsx)|*.xlsx|", this);
    save.m_ofn.title = "Export Excel Workbook";
    if (save.DoModal() != IDOK)
        return;
    const std::string path = save.GetPathName();
    if (path.empty())
        return;
    // The copy is written from the imported workbook; writing it over that workbook would
    // destroy the user's model.
    if (!m_actions.modelSourcePath.empty() && sheet::IsSameFile(path, m_actions.modelSourcePath)) {
        ShowMessageBox(this, kImportFileText, "Invalid File", MB_OK | MB_ICONERROR);
        return;
    }
    if (m_actions.exportExcel)
        m_actions.exportExcel(path);
    EndDialog(IDOK);
}
