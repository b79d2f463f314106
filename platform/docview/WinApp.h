#pragma once

// The application object and the user-interface thread's message loop: start-up from the
// command line, the document templates, File New / Open and the recent-file list, the profile
// store, idle processing.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/CmdTarget.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Messages.h"
#include "base/Profile.h"

class CWnd;
class CDocument;
class CDocTemplate;
class CRecentFileList;
class CCmdUI;

class CWinThread : public CCmdTarget, public IMessageLoopHooks {
public:
    CWinThread() = default;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // The message loop: runs idle work whenever the queue is empty, ends at WM_QUIT and returns
    // ExitInstance's value.
    virtual int Run();
    // Takes one message (waiting for it) and delivers it; false at WM_QUIT.
    virtual BOOL PumpMessage();
    // Windows from the target up to the main window get the first look at a message
    // (accelerators, dialog keys); true when one used it.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Idle work; lCount counts the calls since the last message. Returns true for more.
    BOOL OnIdle(long lCount) override;
    virtual BOOL IsIdleMessage(MSG* pMsg);

    CWnd* m_pMainWnd = nullptr;
    int m_nExitCode = 0;
    // The message PumpMessage delivered last.
    MSG m_msgCur{};
};

// The command line as the program's start-up reads it. A parameter after "-" or "/" is a flag
// (the sign is stripped); the first plain parameter is the file to open.
class CCommandLineInfo {
public:
    enum ShellCommand {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing
    };

    virtual ~CCommandLineInfo() = default;
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;
    std::string m_strPrinterName;
};

class CWinApp : public CWinThread {
public:
    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;

    // --- start-up -------------------------------------------------------------------------
    // The arguments after the program name.
    void SetCommandLine(std::vector<std::string> args) { m_args = std::move(args); }
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // New document, or open the named file; false when that fails or no main window results.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // --- documents ------------------------------------------------------------------------
    void AddDocTemplate(std::unique_ptr<CDocTemplate> pTemplate);
    const std::vector<std::unique_ptr<CDocTemplate>>& GetDocTemplates() const { return m_templates; }
    virtual CDocument* OpenDocumentFile(const char* lpszFileName);
    void CloseAllDocuments(BOOL bEndSession);
    BOOL SaveAllModified();
    // Asks the user for a file name (open or save); false when cancelled or nothing can ask.
    virtual BOOL DoPromptFileName(std::string& fileName, BOOL bOpenFileDialog, CDocTemplate* pTemplate);

    void OnFileNew();
    void OnFileOpen();
    BOOL OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    void OnAppExit();

    // --- profile --------------------------------------------------------------------------
    // Settings go to <app-data>/<key>/<app name>.ini from now on.
    void SetRegistryKey(const char* lpszRegistryKey);
    // Reads the recent-file list (of nMaxMRU entries) from the profile.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(const std::string& path);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }

    std::string GetProfileString(const char* section, const char* entry, const char* defaultValue = nullptr);
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);
    int GetProfileInt(const char* section, const char* entry, int defaultValue);
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    CProfileStore& Profile() { return m_profile; }
    // Where the profile lives; empty until SetRegistryKey (and when there is no app-data
    // folder).
    std::filesystem::path ProfilePath() const;

    BOOL OnIdle(long lCount) override;
    int ExitInstance() override;
    int Run() override;

    std::string m_pszAppName;
    std::string m_pszRegistryKey;
    int m_nCmdShow = 1; // SW_SHOWNORMAL for the first show of the main window

protected:
    std::vector<std::string> m_args;
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    CProfileStore m_profile;

    DECLARE_MESSAGE_MAP()
};

// Answers the open and save questions for file names in place of the common file dialog,
// which asks when no prompt is installed. Gets the proposed name and returns the chosen one,
// or nothing when cancelled.
using FileNamePrompt = std::function<std::optional<std::string>(const std::string& proposed, bool open,
                                                                const std::string& filter)>;
void SetFileNamePrompt(FileNamePrompt prompt);
void ResetFileNamePrompt();

// Whether a command-line argument is a flag: "-x", or "/x" when that cannot be an absolute
// path (its name before any ':' has no further '/' and no such file exists).
bool IsCommandLineFlag(const std::string& arg);

// The application object (registered by its constructor) and its main window.
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Start-up as the program's entry point runs it: InitInstance, then the loop; returns the
// exit code.
int AfxWinMain(CWinApp& app, std::vector<std::string> args);
// Delivers what is waiting in the queue without waiting (tests); returns the number of
// messages delivered.
int PumpPendingMessages();
// Delivers what is waiting, then runs idle work (command-state updates) until it is done.
void PumpUntilIdle();
