#pragma once

#include "platform/dialogs/Dialog.h"
#include "publish/ExportSettings.h"

#include <functional>
#include <optional>
#include <string>

class CCellModel;
class CVariableTable;

// What the Export Settings dialog needs of the document to pick the URL cell.
struct ExportSettingsDocument {
    // The imported model and its variable table; the URL cell is picked from them through the
    // current Excel host's range picker.
    const CCellModel* model = nullptr;
    CVariableTable* table = nullptr;
    // Offers the Import Model dialog when no model is loaded; true when a model is then loaded.
    std::function<bool()> importModel;
    // A newly picked URL cell must be compiled with the model before the next export.
    std::function<void()> modelChanged;
};

// The "Export Settings" dialog: where a published movie takes its data and how it joins a
// collaboration gateway. It edits a copy of the record's values and writes them back on OK.
class CExportSettingsDlg : public CDialog {
public:
    enum { IDD = 288 };
    static constexpr int kCellBitmap = 163;
    enum : int {
        IDC_USE_CURRENT_DATA = 539,
        IDC_USE_OTHER_FILE = 524,
        IDC_EXCEL_FILE = 523,
        IDC_BROWSE_EXCEL_FILE = 320,
        IDC_USE_WEB_SERVICE = 541,
        IDC_URL = 525,
        IDC_PICK_URL_CELL = 601,
        IDC_SAMPLE_QUERY = 559,
        IDC_REFRESH = 545,
        IDC_REFRESH_SECONDS = 546,
        IDC_SECONDS_LABEL = 547,
        IDC_COLLABORATION_GROUP = 694,
        IDC_COLLABORATION = 617,
        IDC_REAL_TIME = 618,
        IDC_GATEWAY_LABEL = 623,
        IDC_GATEWAY_URL = 622,
        IDC_METHOD_LABEL = 693,
        IDC_AUTOMATIC_CONNECT = 620,
        IDC_LOGIN_CONNECT = 624,
        IDC_PASSWORD_LABEL = 675,
        IDC_PASSWORD = 621,
    };
    static constexpr int kUrlCellBitmap = 163;
    static constexpr const char* kEmptyUrl = "http://";
    static constexpr const char* kInvalidFileText = "Please select a valid Excel file.";
    static constexpr const char* kNoModelText = "Please import a model or data before selecting a range.";

    CExportSettingsDlg(CWnd* parent, CExportSettings& record, ExportSettingsDocument document = {});

    // The dialog's template, registered under IDD the first time a dialog is made.
    static DialogTemplate MakeTemplate();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelectUrlRange();

protected:
    DECLARE_MESSAGE_MAP()

private:
    void OnUseCurrentData();
    void OnUseOtherFile();
    void OnUseWebService();
    void OnRefresh();
    void OnUrlChanged();
    void OnAutomaticConnect();
    void OnLoginConnect();
    void OnCollaboration();
    void OnBrowseExcelFile();

    void SelectMode(DataSourceMode mode);
    void EnableControls();
    void Enable(int id, bool enable);
    // Shows a URL the user did not type, without taking it for typing.
    void ShowUrl(const std::string& text);
    bool PickUrlCell();

    CExportSettings& m_record;
    ExportSettingsDocument m_document;

    DataSourceMode m_mode = DataSourceMode::CurrentExcel;
    std::string m_url;
    std::string m_excelFile;
    int m_seconds = 0;
    int m_sampleQuery = 0;
    int m_refresh = 0;
    int m_collaboration = 0;
    int m_realTime = 0;
    ConnectionMethod m_method = ConnectionMethod::Automatic;
    std::string m_gatewayUrl;
    std::string m_password;
    // Set while the URL edit shows a cell's address rather than a typed URL.
    std::optional<CCellRef> m_urlCell;
    bool m_cellPicked = false;
    bool m_showingUrl = false;
};
