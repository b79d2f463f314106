#pragma once

#include "platform/dialogs/Dialog.h"

#include <functional>
#include <string>

class CBaseMovie;
class CCellModel;
class CDrawDoc;
class CVariableTable;
namespace publish {
class ITempFileMaker;
}

// What the Import Model dialog needs of the document.
struct ImportModelDocument {
    // The workbook the model was imported from; empty before the first import.
    std::string modelFileName;
    // The folder of the document's file; empty for a document never saved.
    std::string documentFolder;
    // The current model and the variable table of its bound cells (a re-import compares the
    // new workbook's sheets with them and clears the cells' changed flags).
    CCellModel* cellModel = nullptr;
    const CVariableTable* table = nullptr;
    // Where the copy of the chosen workbook is made.
    publish::ITempFileMaker* tempFiles = nullptr;
    // Starts the import of the copy (the chosen path is the model's file name from then on);
    // false when it could not start, the document keeping its model.
    std::function<bool(const std::string& chosenPath, const std::string& copyPath)> importModel;
    // A re-import that keeps the bindings: the components take the new model's values, and
    // with refreshFormat its formats too.
    std::function<void(bool refreshFormat)> refreshDataSources;
    // A re-import that drops every component's bindings (the whole model when the canvas is
    // empty).
    std::function<void()> clearDataSources;
};

// The "Import Model" dialog: picks the workbook that becomes the document's model and, on a
// re-import, whether the bindings are kept (and the formats refreshed) or cleared. The
// workbook is read before anything changes, so a file that is not a readable workbook is
// refused here and the document keeps its model; the import itself runs on a copy.
class CImportModelDlg : public CDialog {
public:
    enum { IDD = 158 };
    enum : int {
        IDC_EXCEL_FILE = 154,
        IDC_BROWSE = 155,
        IDC_REFRESH_DATA_SOURCES = 566,
        IDC_CLEAR_DATA_SOURCES = 521,
        IDC_REFRESH_FORMAT = 522,
    };
    static constexpr const char* kCaption = "Import Model";
    static constexpr const char* kImportingCaption = "Importing Model..";
    static constexpr const char* kEmptyPathText = "Please import an Excel file ";
    static constexpr const char* kMissingFileText = "Please import a valid Excel file.";
    static constexpr const char* kSheetNamesText =
        "Sheet Names are Different.\nIt is recommended you clear data sources.\nDo you want to continue?";
    static constexpr const char* kReimportText = "You are about to re-import a model\ninto your document. "
                                                 "Existing functionality\ncould be affected. Do you want to continue?";
    static constexpr const char* kUnreadableText = "The workbook cannot be read:\n";
    static constexpr const char* kCopyFailedText = "The workbook could not be copied for the import:\n";
    static constexpr const char* kFilter = "Excel Files (*.xlsx;*.xlsm)|*.xlsx;*.xlsm|";

    CImportModelDlg(CWnd* parent, ImportModelDocument document);

    static DialogTemplate MakeTemplate();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // The choices of the last showing: clear the bindings, refresh the formats.
    bool GetClearDataSources() const { return m_clearDataSources; }
    bool GetRefreshFormat() const { return m_refreshFormat; }
    // The temporary copy the import was started on.
    const std::string& GetCopyPath() const { return m_copyPath; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    void OnBrowse();
    void OnDataSourceOption();
    void OnRefreshFormat();
    // Copies the workbook in pieces; false (with the reason) when a read or write fails.
    bool CopyWorkbook(const std::string& from, const std::string& to, std::string& reason) const;
    void Refuse(const std::string& text);

    ImportModelDocument m_document;
    std::string m_path;
    std::string m_copyPath;
    bool m_clearDataSources = false;
    bool m_refreshFormat = false;
};

// The document side of the dialog for a canvas document: its base movie's model and table, and
// its components' bindings. A refresh marks the document for taking over the new model (with
// the formats when asked: tables refreshed in full); a clear drops the bindings. The caller
// gives the model's file name and how the import starts.
ImportModelDocument MakeImportModelDocument(
    CDrawDoc& doc, CBaseMovie& base, publish::ITempFileMaker* tempFiles, std::string modelFileName,
    std::function<bool(const std::string& chosenPath, const std::string& copyPath)> importModel);

// Drops every component's bindings; on an empty canvas the whole model goes instead.
void ClearDataSources(CDrawDoc& doc);
