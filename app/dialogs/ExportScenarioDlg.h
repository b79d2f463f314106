#pragma once

#include "platform/dialogs/Dialog.h"

#include <functional>
#include <string>

// What the Export Scenario dialog starts; the exports themselves belong to the canvas view.
struct ExportScenarioActions {
    // A snapshot movie of the values the preview shows, written to the path.
    std::function<void(const std::string& path)> exportSwf;
    // The values the preview shows, written into a copy of the model workbook at the path.
    std::function<void(const std::string& path)> exportExcel;
    // The imported workbook, which the Excel export must never overwrite.
    std::string modelSourcePath;
};

// The "Export Scenario" dialog: a launcher for the two snapshot outputs of the preview.
class CExportScenarioDlg : public CDialog {
public:
    enum { IDD = 289 };
    enum : int {
        IDC_EXPORT_SWF = 321,
        IDC_EXPORT_EXCEL = 320,
        IDC_SWF_SETTINGS = 322,
        IDC_EXCEL_SETTINGS = 323,
    };
    static constexpr int kSwfIcon = 290;
    static constexpr int kExcelIcon = 291;
    static constexpr const char* kImportFileText =
        "Please select a different file.  Cannot write to import file.";

    CExportScenarioDlg(CWnd* view, ExportScenarioActions actions);

    static DialogTemplate MakeTemplate();
    BOOL OnInitDialog() override;

protected:
    DECLARE_MESSAGE_MAP()

private:
    void OnExportSwf();
    void OnExportExcel();

    ExportScenarioActions m_actions;
};
