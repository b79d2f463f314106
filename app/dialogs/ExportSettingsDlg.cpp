#include "app/dialogs/ExportSettingsDlg.h"

#include "app/workbook/WorkbookPicker.h"
#include "platform/controls/Button.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/drawing/Bitmap.h"
#include "sheet/cells/CellModel.h"
#include "sheet/host/ExcelHost.h"
#include "sheet/cells/Range.h"

#include <filesystem>

namespace {

constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kRadio = kTab | BS_AUTORADIOBUTTON;
constexpr DWORD kCheck = kTab | BS_AUTOCHECKBOX;
constexpr DWORD kEdit = kTab | WS_BORDER | ES_AUTOHSCROLL;

// Our workbooks are Office Open XML files, with or without macros.
constexpr const char* kExcelFilter = "Excel Files (*.xlsx;*.xlsm)|*.xlsx;*.xlsm|";

bool FileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

} // namespace

BEGIN_MESSAGE_MAP(CExportSettingsDlg, CDialog)
    .Command(IDC_USE_CURRENT_DATA, &CExportSettingsDlg::OnUseCurrentData)
    .Command(IDC_USE_OTHER_FILE, &CExportSettingsDlg::OnUseOtherFile)
    .Command(IDC_USE_WEB_SERVICE, &CExportSettingsDlg::OnUseWebService)
    .Command(IDC_REFRESH, &CExportSettingsDlg::OnRefresh)
    .Control(EN_CHANGE, IDC_URL, &CExportSettingsDlg::OnUrlChanged)
    .Command(IDC_AUTOMATIC_CONNECT, &CExportSettingsDlg::OnAutomaticConnect)
    .Command(IDC_LOGIN_CONNECT, &CExportSettingsDlg::OnLoginConnect)
    .Command(IDC_COLLABORATION, &CExportSettingsDlg::OnCollaboration)
    .Command(IDC_BROWSE_EXCEL_FILE, &CExportSettingsDlg::OnBrowseExcelFile)
    .Command(IDC_PICK_URL_CELL, &CExportSettingsDlg::OnSelectUrlRange) END_MESSAGE_MAP()

        DialogTemplate CExportSettingsDlg::MakeTemplate()
{
    DialogTemplate t;
    t.id = IDD;
    t.caption = "Export Settings";
    t.cx = 300;
    t.cy = 250;
    t.Add("Button", "Use Current Excel Data", IDC_USE_CURRENT_DATA, 7, 7, 200, 10, kRadio | WS_GROUP)
        .Add("Button", "Use Another Excel File", IDC_USE_OTHER_FILE, 7, 21, 100, 10, kRadio)
        .Add("Edit", "", IDC_EXCEL_FILE, 110, 19, 160, 14, kEdit)
        .Add("Button", "...", IDC_BROWSE_EXCEL_FILE, 274, 19, 19, 14, kTab)
        .Add("Button", "Use Web Service    URL:", IDC_USE_WEB_SERVICE, 7, 39, 100, 10, kRadio)
        .Add("Edit", "", IDC_URL, 110, 37, 160, 14, kEdit)
        .Add("Button", "", IDC_PICK_URL_CELL, 274, 37, 19, 14, kTab | BS_BITMAP)
        .Add("Button", "Generate Sample Query Result", IDC_SAMPLE_QUERY, 20, 57, 150, 10, kCheck)
        .Add("Button", "Refresh Dynamic Data Sources Every", IDC_REFRESH, 20, 73, 140, 10, kCheck)
        .Add("Edit", "", IDC_REFRESH_SECONDS, 165, 71, 40, 14, kEdit | ES_NUMBER)
        .Add("Static", "Seconds", IDC_SECONDS_LABEL, 210, 73, 40, 8, WS_VISIBLE)
        .Add("Button", "Collaboration ", IDC_COLLABORATION_GROUP, 7, 92, 286, 130, WS_VISIBLE | BS_GROUPBOX)
        .Add("Button", "Enable Collaboration", IDC_COLLABORATION, 15, 106, 120, 10, kCheck)
        .Add("Button", "Enable Real Time Collaboration", IDC_REAL_TIME, 140, 106, 140, 10, kCheck)
        .Add("Static", "Gateway URL", IDC_GATEWAY_LABEL, 15, 124, 60, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_GATEWAY_URL, 80, 122, 200, 14, kEdit)
        .Add("Static", "Connection Method", IDC_METHOD_LABEL, 15, 144, 80, 8, WS_VISIBLE)
        .Add("Button", "Automatic Connect", IDC_AUTOMATIC_CONNECT, 25, 158, 200, 10, kRadio | WS_GROUP)
        .Add("Button", "Use Login Component To Connect (Must Have One On Stage)", IDC_LOGIN_CONNECT, 25, 172,
             250, 10, kRadio)
        .Add("Static", "Password (Optional)", IDC_PASSWORD_LABEL, 35, 190, 80, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_PASSWORD, 120, 188, 150, 14, kEdit | ES_PASSWORD | WS_GROUP)
        .Add("Button", "OK", IDOK, 187, 229, 50, 14, kTab | BS_DEFPUSHBUTTON)
        .Add("Button", "Cancel", IDCANCEL, 243, 229, 50, 14, kTab);
    return t;
}

CExportSettingsDlg::CExportSettingsDlg(CWnd* parent, CExportSettings& record, ExportSettingsDocument document)
    : CDialog(IDD, parent), m_record(record), m_document(std::move(document))
{
    if (GetDialogTemplates().Find(IDD) == nullptr)
        GetDialogTemplates().Add(MakeTemplate());

    m_url = record.url.empty() ? kEmptyUrl : record.url;
    if (const auto& cell = record.GetUrlCell()) {
        m_urlCell = cell;
        m_url = cell->GetText();
    }
    m_seconds = record.refreshSeconds;
    m_excelFile = record.excelFile;
    m_sampleQuery = record.sampleQuery ? 1 : 0;
    m_refresh = record.refresh ? 1 : 0;
    m_mode = record.GetEffectiveMode();
    m_collaboration = record.collaboration ? 1 : 0;
    m_realTime = record.realTimeCollaboration ? 1 : 0;
    m_method = record.connectionMethod;
    m_gatewayUrl = record.gatewayUrl;
    m_password = record.password;
}

void CExportSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    // The URL is exchanged by hand: showing it must not count as typing.
    DDX_Text(pDX, IDC_EXCEL_FILE, m_excelFile);
    DDX_Text(pDX, IDC_REFRESH_SECONDS, m_seconds);
    DDX_Check(pDX, IDC_SAMPLE_QUERY, m_sampleQuery);
    DDX_Check(pDX, IDC_REFRESH, m_refresh);
    DDX_Check(pDX, IDC_COLLABORATION, m_collaboration);
    DDX_Check(pDX, IDC_REAL_TIME, m_realTime);
    DDX_Text(pDX, IDC_GATEWAY_URL, m_gatewayUrl);
    DDX_Text(pDX, IDC_PASSWORD, m_password);
    if (pDX->m_bSaveAndValidate)
        m_url = GetDlgItemText(IDC_URL);
}

BOOL CExportSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The button that picks the URL's cell shows the cell grid, as the other pickers' do.
    RegisterPickerPictures();
    static_cast<CButton*>(GetDlgItem(IDC_PICK_URL_CELL))->SetBitmap(GetImageResources().FindBitmap(kCellBitmap));
    ShowUrl(m_url);
    // A web-service record reopens as one: selecting anything else here would switch the
    // movie's data source on the next OK without the user asking.
    SelectMode(m_mode);
    CheckRadioButton(IDC_AUTOMATIC_CONNECT, IDC_LOGIN_CONNECT,
                     m_method == ConnectionMethod::LoginComponent ? IDC_LOGIN_CONNECT
                                                                  : IDC_AUTOMATIC_CONNECT);
    CenterWindow();
    return TRUE;
}

void CExportSettingsDlg::SelectMode(DataSourceMode mode)
{
    int radio = IDC_USE_CURRENT_DATA;
    if (mode == DataSourceMode::OtherExcelFile)
        radio = IDC_USE_OTHER_FILE;
    else if (mode == DataSourceMode::WebService)
        radio = IDC_USE_WEB_SERVICE;
    else
        mode = DataSourceMode::CurrentExcel;
    CheckRadioButton(IDC_USE_CURRENT_DATA, IDC_USE_WEB_SERVICE, radio);
    m_mode = mode;
    EnableControls();
}

void CExportSettingsDlg::Enable(int id, bool enable)
{
    if (CWnd* item = GetDlgItem(id))
        item->EnableWindow(enable ? TRUE : FALSE);
}

void CExportSettingsDlg::EnableControls()
{
    const bool otherFile = m_mode == DataSourceMode::OtherExcelFile;
    const bool service = m_mode == DataSourceMode::WebService;
    const bool refresh = IsDlgButtonChecked(IDC_REFRESH) == BST_CHECKED;
    Enable(IDC_EXCEL_FILE, otherFile);
    Enable(IDC_BROWSE_EXCEL_FILE, otherFile);
    for (int id : {IDC_URL, IDC_PICK_URL_CELL, IDC_SAMPLE_QUERY, IDC_REFRESH})
        Enable(id, service);
    Enable(IDC_REFRESH_SECONDS, service && refresh);
    Enable(IDC_SECONDS_LABEL, service && refresh);

    const bool collaboration = IsDlgButtonChecked(IDC_COLLABORATION) == BST_CHECKED;
    const bool automatic = IsDlgButtonChecked(IDC_LOGIN_CONNECT) != BST_CHECKED;
    for (int id : {IDC_REAL_TIME, IDC_GATEWAY_LABEL, IDC_GATEWAY_URL, IDC_METHOD_LABEL, IDC_AUTOMATIC_CONNECT,
                   IDC_LOGIN_CONNECT})
        Enable(id, collaboration);
    Enable(IDC_PASSWORD_LABEL, collaboration && automatic);
    Enable(IDC_PASSWORD, collaboration && automatic);
}

void CExportSettingsDlg::OnUseCurrentData()
{
    SelectMode(DataSourceMode::CurrentExcel);
}

void CExportSettingsDlg::OnUseOtherFile()
{
    SelectMode(DataSourceMode::OtherExcelFile);
}

void CExportSettingsDlg::OnUseWebService()
{
    SelectMode(DataSourceMode::WebService);
}

void CExportSettingsDlg::OnRefresh()
{
    m_refresh = IsDlgButtonChecked(IDC_REFRESH) == BST_CHECKED ? 1 : 0;
    EnableControls();
}

void CExportSettingsDlg::OnCollaboration()
{
    EnableControls();
}

void CExportSettingsDlg::OnAutomaticConnect()
{
    m_method = ConnectionMethod::Automatic;
    EnableControls();
}

void CExportSettingsDlg::OnLoginConnect()
{
    m_method = ConnectionMethod::LoginComponent;
    EnableControls();
}

void CExportSettingsDlg::ShowUrl(const std::string& text)
{
    m_showingUrl = true;
    SetDlgItemText(IDC_URL, text);
    m_showingUrl = false;
}

void CExportSettingsDlg::OnUrlChanged()
{
    // A typed URL replaces the cell; the edit reports our own updates too, which must not.
    if (!m_showingUrl)
        m_urlCell.reset();
}

void CExportSettingsDlg::OnBrowseExcelFile()
{
    CFileDialog browse(TRUE, "xlsx", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                       kExcelFilter, this);
    browse.m_ofn.title = "Replace Excel File";
    if (browse.DoModal() == IDOK)
        SetDlgItemText(IDC_EXCEL_FILE, browse.GetPathName());
}

void CExportSettingsDlg::OnSelectUrlRange()
{
    const CCellModel* model = m_document.model;
    if (model == nullptr || !model->IsLoaded()) {
        ShowMessageBox(this, kNoModelText, "Warning", MB_OK | MB_ICONEXCLAMATION);
        if (!m_document.importModel || !m_document.importModel())
            return;
        model = m_document.model;
        if (model == nullptr || !model->IsLoaded())
            return;
    }
    PickUrlCell();
}

bool CExportSettingsDlg::PickUrlCell()
{
    CExcelHost* host = CExcelHost::GetCurrent();
    if (host == nullptr || m_document.table == nullptr)
        return false;
    std::string text = m_urlCell ? m_urlCell->GetText() : std::string();
    CRangeSelection picked = host->GetSelectedRange(*m_document.model, *m_document.table, text, false);
    switch (picked.outcome) {
    case sheet::RangePickOutcome::Picked: {
        const std::optional<CCellRef> first = picked.range != nullptr ? picked.range->GetCell(0) : std::nullopt;
        if (!first)
            return false;
        ShowUrl(first->GetText());
        m_urlCell = *first;
        m_cellPicked = true;
        return true;
    }
    case sheet::RangePickOutcome::Cleared:
        ShowUrl(kEmptyUrl);
        m_urlCell.reset();
        return true;
    default:
        return false;
    }
}

void CExportSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_mode == DataSourceMode::OtherExcelFile && !FileExists(m_excelFile)) {
        ShowMessageBox(this, kInvalidFileText, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_record.edited = true;
    m_record.url = m_url;
    m_record.refreshSeconds = m_seconds;
    m_record.excelFile = m_excelFile;
    m_record.sampleQuery = m_sampleQuery != 0;
    m_record.refresh = m_refresh != 0;
    m_record.mode = m_mode;
    const bool sameCell = m_urlCell && m_record.GetUrlCell() && m_urlCell->id == m_record.GetUrlCell()->id;
    if (!sameCell)
        m_record.SetUrlCell(m_urlCell);
    if (m_urlCell && m_cellPicked && m_document.modelChanged)
        m_document.modelChanged();
    m_record.collaboration = m_collaboration != 0;
    m_record.realTimeCollaboration = m_realTime != 0;
    m_record.connectionMethod = m_method;
    m_record.gatewayUrl = m_gatewayUrl;
    m_record.password = m_password;
    EndDialog(IDOK);
}
