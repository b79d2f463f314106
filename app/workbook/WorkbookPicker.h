#pragma once

#include "sheet/host/RangePicker.h"
#include "sheet/workbook/XlsxWorkbook.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class CCellModel;
class CExcelHost;
class CWnd;
class CWorkbookDlg;

// Gives the host the workbook window as its range picker (reading the host's workbook path at
// each pick), unless it has a picker already. The window is titled with the file shownName
// gives (the workbook the user chose, of which the host reads a temporary copy); without one,
// with the host's own file.
void InstallWorkbookPicker(CExcelHost& host, std::function<std::string()> shownName = {});

// The small picture of a cell grid that the buttons opening the workbook window show (as the
// icon 156 and the bitmap 163), registered once unless the program registered its own.
void RegisterPickerPictures();

// The host to pick cells of the model with, or null when there is no host or the model is not
// loaded yet: the dialog then shows the warning text and offers the import, which runs on its
// own (the user picks once it is done, not from a model still being read).
CExcelHost* HostReadyToPick(CWnd* dialog, const char* warning, const CCellModel* model,
                            const std::function<bool()>& importModel);

// The range picker the program hands to the Excel host: it reads the workbook the host
// imports (read again only when the file changed) and shows it in the workbook window.
//
//   CanStart()             true while the host names a workbook;
//   PickRange(text, many)  opens the window modal on the cells `text` names and answers
//                          Picked ('Sheet1'!$A$1:$B$4,...), Cleared (the reference box
//                          emptied) or Cancelled; a workbook that cannot be read (gone, not
//                          a workbook, damaged) is reported in a message box and cancels;
//   ShowSession(show)      keeps the window on view beside the active dialog (the Data
//                          dialog) while it is open, for reading the cells.
//
// The calling window (the active one) is disabled while the user picks.
class CWorkbookPicker : public sheet::IRangePicker {
public:
    static constexpr const char* kUnreadableText = "The workbook cannot be read:\n";
    static constexpr const char* kCaption = "Select Cells";

    // workbookPath names the workbook at each pick (the host's path can change on a re-import).
    explicit CWorkbookPicker(std::function<std::string()> workbookPath, std::function<std::string()> shownName = {});
    ~CWorkbookPicker() override;

    bool CanStart() const override;
    sheet::RangePickAnswer PickRange(const std::string& startText, bool multipleAreasAllowed) override;
    void ShowSession(bool show) override;

    // The window kept on view during a session, or null.
    CWorkbookDlg* GetSessionWindow() const { return m_session.get(); }

private:
    // The workbook of the current path, read when it is new or changed; null (with a
    // message shown) when it cannot be read.
    const sheet::xlsx::Workbook* Load(CWnd* owner);

    // The window's title: the name of the file the user knows.
    std::string Title() const;

    std::function<std::string()> m_workbookPath;
    std::function<std::string()> m_shownName;
    std::unique_ptr<sheet::xlsx::Workbook> m_book;
    std::string m_loadedPath;
    std::filesystem::file_time_type m_loadedTime{};
    std::uintmax_t m_loadedSize = 0;
    std::unique_ptr<CWorkbookDlg> m_session;
};
