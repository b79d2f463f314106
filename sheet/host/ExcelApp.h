#pragma once

#include "sheet/workbook/XlsxWorkbook.h"
#include "sheet/workbook/XlsxWriter.h"

#include <memory>
#include <string>
#include <vector>

class CCellModel;
class CCellValueMap;
class CVariableTable;

// The workbook program the rest of the system talks to for opening, reading back and writing
// workbooks: our own engine on .xlsx packages. Opened workbooks are held in memory; writes
// collect on the active workbook until it is saved. Failures raise sheet::WorkbookError with
// a text fit for the user, and a failed save leaves the file on disk as it was.
class CExcelApp {
public:
    CExcelApp();
    explicit CExcelApp(const std::string& workbookPath);
    ~CExcelApp();
    CExcelApp(const CExcelApp&) = delete;
    CExcelApp& operator=(const CExcelApp&) = delete;

    // The version the engine reports, so that start-up, which asks for a "9.0" program,
    // goes on.
    static std::string GetVersion() { return "9.0"; }

    void OpenWorkbook(const std::string& path);
    bool HasWorkbook() const { return active_ != nullptr; }
    const sheet::xlsx::Workbook& GetWorkbook() const;
    const std::string& GetActivePath() const;

    // True when a sheet that the table's cells lie on is missing from the active workbook.
    bool CheckSheetNames(const CVariableTable& table) const;
    // Sets the value of every marked record from its cell of the active workbook: a number,
    // text (errors as their literal), boolean, or no value for an empty or missing cell.
    void ImportWorkbook(const CVariableTable& table, const CCellModel& model, CCellValueMap& values) const;
    // Collects the value of every record whose export flag is set for its cell (its A1 text)
    // of the active workbook; they reach the file with the next save.
    void WriteModel(const CCellValueMap& values);
    void WriteCells(const std::vector<sheet::xlsx::CellWrite>& writes);

    void SaveWorkbookAs(const std::string& path);
    void SaveWorkbook();
    void CloseAllAndQuit();

    // A file that no save may replace, compared as files, not as texts: the workbook the
    // model was imported from.
    void ProtectPath(const std::string& path) { protected_.push_back(path); }

private:
    struct OpenWorkbookState;
    // The active workbook; throws WorkbookError when none is open.
    OpenWorkbookState& Active() const;
    void SaveTo(const std::string& path);

    std::vector<std::unique_ptr<OpenWorkbookState>> open_;
    OpenWorkbookState* active_ = nullptr;
    std::vector<std::string> protected_;
};
