#include "app/modeldialogs/ImportModelDlg.h"

#include <filesystem>

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/workbook/WorkbookPicker.h"
#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "publish/BaseMovie.h"
#include "platform/controls/Button.h"
#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "publish/TempFiles.h"
#include "sheet/cells/CellModel.h"
#include "sheet/host/ExcelApp.h"
#include "sheet/host/ExcelHost.h"
#include "sheet/workbook/WorkbookError.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;
constexpr std::size_t kCopyChunk = 4096;

bool FileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// A path that names no file says which file is missing and where it was looked for; one that
// names something else (a folder, a device) is not a workbook.
std::string MissingFileText(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::exists(path, error))
        return CImportModelDlg::kMissingFileText;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::filesystem::path file = error ? std::filesystem::path(path) : absolute;
    return "The file " + file.filename().string() + " is missing from " + file.parent_path().string() + ".\n" +
           CImportModelDlg::kMissingFileText;
}

} // namespace

BEGIN_MESSAGE_MAP(CImportModelDlg, CDialog)
    .Command(IDC_BROWSE, &CImportModelDlg::OnBrowse)
    .Command(IDC_REFRESH_DATA_SOURCES, &CImportModelDlg::OnDataSourceOption)
    .Command(IDC_CLEAR_DATA_SOURCES, &CImportModelDlg::OnDataSourceOption)
    .Command(IDC_REFRESH_FORMAT, &CImportModelDlg::OnRefreshFormat) END_MESSAGE_MAP()

DialogTemplate CImportModelDlg::MakeTemplate()
{
    DialogTemplate t;
    t.id = IDD;
    t.caption = kCaption;
    t.cx = 260;
    t.cy = 96;
    t.Add("Static", "Excel File:", 0xFFFF, 7, 9, 48, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_EXCEL_FILE, 56, 7, 174, 14, kTab | WS_BORDER | ES_AUTOHSCROLL)
        .Add("Button", "...", IDC_BROWSE, 234, 7, 19, 14, kTab)
        .Add("Button", "Refresh Data Sources", IDC_REFRESH_DATA_SOURCES, 56, 28, 100, 10,
             kTab | BS_AUTORADIOBUTTON | WS_GROUP)
        .Add("Button", "Clear Data Sources", IDC_CLEAR_DATA_SOURCES, 158, 28, 95, 10, kTab | BS_AUTORADIOBUTTON)
        .Add("Button", "Refresh Spreadsheet Format", IDC_REFRESH_FORMAT, 68, 44, 150, 10,
             kTab | BS_AUTOCHECKBOX | WS_GROUP)
        .Add("Button", "OK", IDOK, 149, 75, 50, 14, kTab | BS_DEFPUSHBUTTON)
        .Add("Button", "Cancel", IDCANCEL, 203, 75, 50, 14, kTab);
    return t;
}

CImportModelDlg::CImportModelDlg(CWnd* parent, ImportModelDocument document)
    : CDialog(IDD, parent), m_document(std::move(document))
{
    if (GetDialogTemplates().Find(IDD) == nullptr)
        GetDialogTemplates().Add(MakeTemplate());
}

void CImportModelDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_EXCEL_FILE, m_path);
}

BOOL CImportModelDlg::OnInitDialog()
{
    m_path = m_document.modelFileName;
    if (!m_path.empty()) {
        // A re-import: the bindings are kept unless the user clears them.
        m_clearDataSources = false;
        m_refreshFormat = false;
        CheckDlgButton(IDC_REFRESH_DATA_SOURCES, BST_CHECKED);
        CheckDlgButton(IDC_CLEAR_DATA_SOURCES, BST_UNCHECKED);
        GetDlgItem(IDC_REFRESH_FORMAT)->EnableWindow(TRUE);
        CheckDlgButton(IDC_REFRESH_FORMAT, BST_UNCHECKED);
    } else {
        for (int id : {IDC_CLEAR_DATA_SOURCES, IDC_REFRESH_DATA_SOURCES, IDC_REFRESH_FORMAT})
            GetDlgItem(id)->ShowWindow(SW_HIDE);
    }
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CImportModelDlg::OnBrowse()
{
    // No default extension: a name typed without one is taken as it stands.
    CFileDialog browse(TRUE, nullptr, "*.xlsx", OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST, kFilter,
                       this);
    // Beside the workbook imported before, else beside the document; without either, where a
    // file was chosen last.
    const std::filesystem::path model(m_document.modelFileName);
    std::error_code ec;
    if (model.has_parent_path() && std::filesystem::is_directory(model.parent_path(), ec))
        browse.m_ofn.initialDir = model.parent_path().string();
    else
        browse.m_ofn.initialDir = m_document.documentFolder;
    if (browse.DoModal() != IDOK)
        return;
    m_path = browse.GetPathName();
    SetDlgItemText(IDC_EXCEL_FILE, m_path);
}

void CImportModelDlg::OnDataSourceOption()
{
    CWnd* format = GetDlgItem(IDC_REFRESH_FORMAT);
    if (IsDlgButtonChecked(IDC_CLEAR_DATA_SOURCES) != BST_CHECKED) {
        format->EnableWindow(TRUE);
        m_clearDataSources = false;
    } else {
        // Nothing is left to refresh once the bindings go.
        m_clearDataSources = true;
        format->EnableWindow(FALSE);
        CheckDlgButton(IDC_REFRESH_FORMAT, BST_UNCHECKED);
        m_refreshFormat = false;
    }
}

void CImportModelDlg::OnRefreshFormat()
{
    m_refreshFormat = IsDlgButtonChecked(IDC_REFRESH_FORMAT) == BST_CHECKED;
}

void CImportModelDlg::Refuse(const std::string& text)
{
    ShowMessageBox(this, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
}

bool CImportModelDlg::CopyWorkbook(const std::string& from, const std::string& to, std::string& reason) const
{
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        reason = from + ": " + std::strerror(errno);
        return false;
    }
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!out) {
        reason = to + ": " + std::strerror(errno);
        return false;
    }
    char chunk[kCopyChunk];
    while (in) {
        in.read(chunk, sizeof chunk);
        const std::streamsize got = in.gcount();
        if (got > 0 && !out.write(chunk, got)) {
            reason = to + ": the copy could not be written";
            return false;
        }
    }
    if (in.bad()) {
        reason = from + ": the workbook could not be read to its end";
        return false;
    }
    out.close();
    if (!out) {
        reason = to + ": the copy could not be written";
        return false;
    }
    return true;
}

void CImportModelDlg::OnOK()
{
    UpdateData(TRUE);
    if (m_path.empty()) {
        Refuse(kEmptyPathText);
        return;
    }
    if (!FileExists(m_path)) {
        Refuse(MissingFileText(m_path));
        return;
    }
    // The workbook is read before anything changes, for a first import too: a file that is
    // not a readable workbook is refused here, and the document keeps the model it has.
    const bool reimport = !m_document.modelFileName.empty();
    {
        CExcelApp excel;
        try {
            excel.OpenWorkbook(m_path);
        } catch (const sheet::WorkbookError& failure) {
            Refuse(std::string(kUnreadableText) + failure.what());
            return;
        }
        if (reimport) {
            if (m_document.table != nullptr && excel.CheckSheetNames(*m_document.table) &&
                ShowMessageBox(this, kSheetNamesText, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
                return;
            if (ShowMessageBox(this, kReimportText, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
                return;
        }
    }

    CWaitCursor wait;
    SetWindowText(kImportingCaption);
    // The import reads a copy, so the user may keep editing the workbook meanwhile. The copy
    // keeps the workbook's own extension, which is how the engine knows a macro workbook.
    std::string extension = std::filesystem::path(m_path).extension().string();
    if (extension.empty())
        extension = ".xlsx";
    std::string reason;
    std::filesystem::path copy =
        m_document.tempFiles != nullptr ? m_document.tempFiles->Create("im", extension) : std::filesystem::path();
    if (copy.empty())
        reason = m_document.tempFiles != nullptr ? m_document.tempFiles->LastError() : "no temporary folder";
    else if (!CopyWorkbook(m_path, copy.string(), reason)) {
        m_document.tempFiles->Discard(copy);
        copy.clear();
    }
    if (copy.empty()) {
        SetWindowText(kCaption);
        Refuse(std::string(kCopyFailedText) + reason);
        return;
    }

    // The bindings change only once the new workbook is known to be readable and its copy
    // is in place; nothing is cleared for an import that cannot start.
    if (reimport) {
        if (m_document.cellModel != nullptr)
            m_document.cellModel->ClearChangedFlags();
        if (!m_clearDataSources) {
            if (m_document.refreshDataSources)
                m_document.refreshDataSources(m_refreshFormat);
        } else if (m_document.clearDataSources) {
            m_document.clearDataSources();
        }
    }
    m_copyPath = copy.string();
    if (m_document.importModel && !m_document.importModel(m_path, m_copyPath)) {
        SetWindowText(kCaption);
        return;
    }
    if (CExcelHost* host = CExcelHost::GetCurrent()) {
        host->SetWorkbookPath(m_copyPath);
        // The workbook window picks cells of the imported workbook for every range
        // selection; a host already given a picker keeps it.
        InstallWorkbookPicker(*host);
    }
    EndDialog(IDOK);
}

void ClearDataSources(CDrawDoc& doc)
{
    std::size_t instances = 0;
    for (CDrawObj* obj : doc.GetObjects()) {
        const auto* holder = dynamic_cast<const CComponentObj*>(obj);
        if (holder == nullptr)
            continue;
        for (CComponent* component : holder->GetInstances()) {
            if (component == nullptr || component->GetParameters() == nullptr)
                continue;
            ++instances;
            ForEachCellBinding(*component->GetParameters(), [](CParameter& parameter) {
                if (CCellBinding* binding = parameter.GetBinding())
                    binding->SetRange(nullptr);
            });
        }
    }
    if (instances == 0)
        doc.ResetModel();
}

ImportModelDocument MakeImportModelDocument(
    CDrawDoc& doc, CBaseMovie& base, publish::ITempFileMaker* tempFiles, std::string modelFileName,
    std::function<bool(const std::string& chosenPath, const std::string& copyPath)> importModel)
{
    ImportModelDocument document;
    document.modelFileName = std::move(modelFileName);
    document.documentFolder = std::filesystem::path(doc.GetPathName()).parent_path().string();
    document.cellModel = &base.GetCellModel();
    document.table = &base.GetVariableTable();
    document.tempFiles = tempFiles;
    document.importModel = std::move(importModel);
    document.refreshDataSources = [&doc](bool refreshFormat) {
        doc.m_bModelUpdatePending = true;
        doc.m_bTableRefresh = refreshFormat;
    };
    document.clearDataSources = [&doc] { ClearDataSources(doc); };
    return document;
}
