#pragma once

// The designer's application object: it chooses the base folder and makes the designer
// context when constructed, starts the program (player check, document template, command
// line, main window, office check, Welcome), routes the application's commands and tears
// everything down again when destroyed.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "app/core/DesignerContext.h"
#include "platform/docview/WinApp.h"
#include "platform/window/WindowHost.h"

class CMainFrame;
class CStageFlashCtrl;
struct COfficeInfo;

// The command line: "-f:<path>" imports a workbook at start, "-r" switches the automation
// busy dialogs off, "-s" skips the office check; a plain file name opens as a document.
class CAppCommandLineInfo : public CCommandLineInfo {
public:
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override;

    std::string m_strModelPath;
    std::uint8_t m_bQuietAutomation = 0;
    std::uint8_t m_bSkipOfficeCheck = 0;
};

// True when a Flash player can be made and reports a version above 6.0 (0x60000).
bool CheckFlashPlayer();
// Asks Excel, Outlook and PowerPoint for their versions; each is usable when its version
// begins with the required text. PowerPoint must also open the presentation the export uses.
void DetectOfficeApps(COfficeInfo& info);

// The automation objects the program itself offers: the workbook engine answers for the
// spreadsheet program the office check asks for.
class CObjectFactory;
void RegisterProgramObjects(CObjectFactory& factory);

class CKVApp : public CWinApp {
public:
    // A visible front end passes the host that shows the windows; without one the windows
    // stay headless (or keep the host installed already).
    explicit CKVApp(std::unique_ptr<IWindowHost> host = nullptr);
    ~CKVApp() override;

    BOOL InitInstance() override;

    void OnFileNew();
    void OnFileOpen();
    void OnAppAbout();
    void OnHelpContents();
    // Help > Welcome: the dialog shown at start, on request.
    void OnHelpWelcome();
    void OnFileNewFromTemplate();
    void OnFileSamples();
    // Help for a command or dialog id (command 1, the id in the low 16 bits of data).
    void WinHelp(std::uintptr_t data, UINT nCmd = 1);
    // The template (1) or samples (2) browser; the chosen document opens as a new untitled
    // one. True when one was opened.
    bool BrowseDocuments(int mode);

    CDesignerContext& Designer() { return *m_designer; }
    CMainFrame* MainFrame() const;
    // The stage of the canvas view, or null when none could be made.
    CStageFlashCtrl* Stage() const;

    std::string m_strModulePath;

    // The stage player's control id in the canvas view.
    static constexpr UINT kStageControlId = 158;
    static constexpr const char* kCompanyKey = "Caldermoorix";
    static constexpr const char* kFlashMessage = "Problem accessing Macromedia Flash Player.\n"
                                                 "Macromedia Flash Player Version 6.0 or higher needed.\n"
                                                 "Please reinstall Vantorel with the Flash Player option.";
    static constexpr const char* kExcelMessage =
        "Problem accessing Microsoft Office 2000 version of Excel.\n"
        "Please consult your Microsoft Office help on how to install or fix your installation.\n"
        "Please restart Vantorel after this problem has been fixed.";

    DECLARE_MESSAGE_MAP()

private:
    void OpenHelpPage();
    // Puts the stage into the canvas view and gives it to the document.

    std::unique_ptr<CDesignerContext> m_designer;
    std::unique_ptr<CDesignerContext::Scope> m_designerScope;
    // The folder the program was started in: names on its command line are relative to it.
    std::filesystem::path m_startFolder;
};
