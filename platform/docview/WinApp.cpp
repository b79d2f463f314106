#include "platform/docview/WinApp.h"

#include <filesystem>
#include <system_error>

#include "platform/window/CmdUI.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/docview/DocTemplate.h"
#include "platform/docview/Document.h"
#include "platform/window/MessageQueue.h"
#include "platform/docview/RecentFileList.h"
#include "platform/docview/Resources.h"
#include "platform/services/Services.h"
#include "platform/window/Wnd.h"

namespace {

CWinApp*& AppSlot()
{
    static CWinApp* app = nullptr;
    return app;
}

FileNamePrompt& PromptSlot()
{
    static FileNamePrompt prompt;
    return prompt;
}

} // namespace

CWinApp* AfxGetApp()
{
    return AppSlot();
}

CWnd* AfxGetMainWnd()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_pMainWnd : nullptr;
}

void SetFileNamePrompt(FileNamePrompt prompt)
{
    PromptSlot() = std::move(prompt);
}

void ResetFileNamePrompt()
{
    PromptSlot() = nullptr;
}

// ----- CWinThread --------------------------------------------------------------------------

int CWinThread::ExitInstance()
{
    return m_nExitCode;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Mouse moves, paints and timer ticks alone do not restart idle work, or it would run
    // constantly.
    return pMsg->message != WM_MOUSEMOVE && pMsg->message != WM_PAINT && pMsg->message != WM_TIMER;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* main = m_pMainWnd;
    const bool key = pMsg->message >= WM_KEYDOWN && pMsg->message <= WM_SYSCHAR;
    for (CWnd* w = CWnd::FromHandle(pMsg->hwnd); w != nullptr; w = w->GetParent()) {
        if (w->PreTranslateMessage(pMsg)) {
            return TRUE;
        }
        if (w == main) {
            return FALSE;
        }
        // A dialog owns the keys typed in it (a property sheet's Ctrl+A selects the text of
        // its edit, Delete deletes in it): they never reach the windows behind it. A page goes
        // on to the dialog it sits in, whose Tab, Enter and Escape the page's controls follow.
        if (key && w->GetClassName() == "#32770") {
            CWnd* holder = w->GetParent();
            const bool page = (w->GetStyle() & WS_CHILD) != 0 && holder != nullptr && holder->GetClassName() == "#32770";
            if (!page) {
                return FALSE;
            }
        }
    }
    // Keys typed in other top-level windows (modeless pop-ups) still reach the main window's
    // accelerators; it ignores them while it is disabled.
    if (main != nullptr && main->m_hWnd != nullptr) {
        CWnd* target = CWnd::FromHandle(pMsg->hwnd);
        if (target == nullptr || target->GetTopLevelParent() != main) {
            return main->PreTranslateMessage(pMsg);
        }
    }
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    MSG& msg = m_msgCur;
    if (!GetMessageQueue().Get(msg)) {
        m_nExitCode = static_cast<int>(msg.wParam);
        return FALSE;
    }
    if (!PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return TRUE;
}

BOOL CWinThread::OnIdle(long)
{
    return FALSE;
}

int CWinThread::Run()
{
    long idleCount = 0;
    bool idle = true;
    for (;;) {
        while (idle && !GetMessageQueue().HasWork()) {
            if (!OnIdle(idleCount++)) {
                idle = false;
            }
        }
        // Idle work comes back after the message just delivered, which on a screen mostly
        // arrived while the loop waited for it (a click, a key).
        if (!PumpMessage()) {
            return ExitInstance();
        }
        if (IsIdleMessage(&m_msgCur)) {
            idle = true;
            idleCount = 0;
        }
    }
}

// ----- CCommandLineInfo --------------------------------------------------------------------

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    const std::string param = pszParam != nullptr ? pszParam : "";
    if (bFlag) {
        if (param == "pt") {
            m_nShellCommand = FilePrintTo;
        } else if (param == "p") {
            m_nShellCommand = FilePrint;
        } else if (param == "dde") {
            m_nShellCommand = FileDDE;
        } else if (param == "Unregister" || param == "unregister" || param == "Unregserver" ||
                   param == "unregserver") {
            m_nShellCommand = AppUnregister;
        } else if (param == "Register" || param == "register" || param == "Regserver" ||
                   param == "regserver") {
            m_nShellCommand = AppRegister;
        } else if (param == "Embedding" || param == "embedding") {
            m_bRunEmbedded = TRUE;
            m_bShowSplash = FALSE;
        } else if (param == "Automation" || param == "automation") {
            m_bRunAutomated = TRUE;
            m_bShowSplash = FALSE;
        }
    } else if (m_strFileName.empty()) {
        m_strFileName = param;
    } else if (m_nShellCommand == FilePrintTo && m_strPrinterName.empty()) {
        m_strPrinterName = param;
    }
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.empty()) {
        m_nShellCommand = FileOpen;
    }
    if (bLast && (m_bRunEmbedded || m_bRunAutomated) && m_nShellCommand == FileNew) {
        m_nShellCommand = FileNothing;
    }
}

// ----- CWinApp -----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    .CommandExRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &CWinApp::OnOpenRecentFile)
    .UpdateCommandUI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu)
    .Command(ID_APP_EXIT, &CWinApp::OnAppExit) END_MESSAGE_MAP()

        CWinApp::CWinApp(const char* lpszAppName)
{
    m_pszAppName = lpszAppName != nullptr ? lpszAppName : "";
    AppSlot() = this;
    SetMessageLoopHooks(this);
}

CWinApp::~CWinApp()
{
    // A main window still open goes before the documents it shows, and those before the
    // application object.
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
        m_pMainWnd->DestroyWindow();
    }
    m_templates.clear();
    if (AppSlot() == this) {
        AppSlot() = nullptr;
    }
    if (GetMessageLoopHooks() == this) {
        SetMessageLoopHooks(nullptr);
    }
}

bool IsCommandLineFlag(const std::string& arg)
{
    if (arg.size() < 2 || (arg[0] != '-' && arg[0] != '/')) {
        return false;
    }
    if (arg[0] == '-') {
        return true;
    }
    // A slash also starts every absolute path here. It is a flag only when its name (up to a
    // ':' value) has no further slash and the whole text names no existing file.
    const std::string body = arg.substr(1);
    const std::string name = body.substr(0, body.find(':'));
    if (name.find('/') != std::string::npos) {
        return false;
    }
    std::error_code ec;
    return !std::filesystem::exists(arg, ec);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (std::size_t i = 0; i < m_args.size(); ++i) {
        const std::string& arg = m_args[i];
        const bool flag = IsCommandLineFlag(arg);
        const std::string param = flag ? arg.substr(1) : arg;
        rCmdInfo.ParseParam(param.c_str(), flag ? TRUE : FALSE, i + 1 == m_args.size() ? TRUE : FALSE);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr)) {
            OnFileNew();
        }
        return m_pMainWnd != nullptr ? TRUE : FALSE;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName.c_str()) != nullptr ? TRUE : FALSE;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        // Printing, DDE and registration are not offered by this program.
        return FALSE;
    }
}

void CWinApp::AddDocTemplate(std::unique_ptr<CDocTemplate> pTemplate)
{
    if (pTemplate) {
        m_templates.push_back(std::move(pTemplate));
    }
}

CDocument* CWinApp::OpenDocumentFile(const char* lpszFileName)
{
    if (m_templates.empty() || lpszFileName == nullptr) {
        return nullptr;
    }
    return m_templates.front()->OpenDocumentFile(lpszFileName);
}

void CWinApp::CloseAllDocuments(BOOL)
{
    for (auto& t : m_templates) {
        if (CDocument* doc = t->GetOnlyDocument()) {
            doc->OnCloseDocument();
        }
    }
}

BOOL CWinApp::SaveAllModified()
{
    for (auto& t : m_templates) {
        if (CDocument* doc = t->GetOnlyDocument(); doc != nullptr && !doc->SaveModified()) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CWinApp::DoPromptFileName(std::string& fileName, BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    std::string filter;
    std::string ext;
    if (pTemplate != nullptr) {
        std::string name;
        pTemplate->GetDocString(name, CDocTemplate::filterName);
        pTemplate->GetDocString(ext, CDocTemplate::filterExt);
        if (!name.empty()) {
            filter = name + "|*" + ext + "|";
        }
    }
    filter += "All Files (*.*)|*.*||";
    if (!PromptSlot()) {
        const DWORD flags = OFN_HIDEREADONLY | (bOpenFileDialog ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
        CFileDialog dialog(bOpenFileDialog, ext.empty() ? nullptr : ext.c_str(), fileName.c_str(), flags,
                           filter.c_str(), AfxGetMainWnd());
        // Documents are opened where the open one lies, as the exports are written there.
        for (auto& t : m_templates) {
            if (CDocument* doc = t->GetOnlyDocument(); doc != nullptr && fileName.empty() && !doc->GetPathName().empty())
                dialog.m_ofn.initialDir = std::filesystem::path(doc->GetPathName()).parent_path().string();
        }
        if (dialog.DoModal() != IDOK) {
            return FALSE;
        }
        fileName = dialog.GetPathName();
        return TRUE;
    }
    std::optional<std::string> chosen = PromptSlot()(fileName, bOpenFileDialog != FALSE, filter);
    if (!chosen || chosen->empty()) {
        return FALSE;
    }
    fileName = *chosen;
    return TRUE;
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty()) {
        m_templates.front()->OpenDocumentFile(nullptr);
    }
}

void CWinApp::OnFileOpen()
{
    std::string name;
    if (!DoPromptFileName(name, TRUE, m_templates.empty() ? nullptr : m_templates.front().get())) {
        return;
    }
    OpenDocumentFile(name.c_str());
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList) {
        return FALSE;
    }
    const int index = static_cast<int>(nID) - static_cast<int>(ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetCount()) {
        return FALSE;
    }
    const std::string path = (*m_pRecentFileList)[index];
    // An entry whose file is gone leaves the list; one the user kept from opening (Cancel on
    // the question about unsaved changes) stays.
    std::error_code error;
    if (OpenDocumentFile(path.c_str()) == nullptr && m_pRecentFileList && !std::filesystem::exists(path, error)) {
        for (int i = 0; i < m_pRecentFileList->GetCount(); ++i) {
            if ((*m_pRecentFileList)[i] == path) {
                m_pRecentFileList->Remove(i);
                break;
            }
        }
    }
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (!m_pRecentFileList) {
        pCmdUI->Enable(FALSE);
        return;
    }
    m_pRecentFileList->UpdateMenu(pCmdUI);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr) {
        m_pMainWnd->SendMessage(WM_CLOSE);
    }
}

void CWinApp::SetRegistryKey(const char* lpszRegistryKey)
{
    m_pszRegistryKey = lpszRegistryKey != nullptr ? lpszRegistryKey : "";
    m_profile.Load(ProfilePath());
}

std::filesystem::path CWinApp::ProfilePath() const
{
    if (m_pszRegistryKey.empty()) {
        return {};
    }
    auto root = GetPlatformServices().AppDataFolder();
    if (!root) {
        return {};
    }
    return *root / m_pszRegistryKey / ((m_pszAppName.empty() ? std::string("app") : m_pszAppName) + ".ini");
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU == 0) {
        m_pRecentFileList.reset();
        return;
    }
    m_pRecentFileList = std::make_unique<CRecentFileList>(ID_FILE_MRU_FILE1, "Recent File List", "File%d",
                                                          static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList(m_profile);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList) {
        m_pRecentFileList->WriteList(m_profile);
    }
    const std::filesystem::path path = ProfilePath();
    if (!path.empty()) {
        m_profile.Save(path);
    }
}

void CWinApp::AddToRecentFileList(const std::string& path)
{
    if (m_pRecentFileList) {
        m_pRecentFileList->Add(path);
    }
}

std::string CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue)
{
    auto value = m_profile.GetString(section != nullptr ? section : "", entry != nullptr ? entry : "");
    return value ? *value : std::string(defaultValue != nullptr ? defaultValue : "");
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    if (section == nullptr) {
        return FALSE;
    }
    if (entry == nullptr) {
        m_profile.RemoveSection(section);
    } else if (value == nullptr) {
        m_profile.Remove(section, entry);
    } else {
        m_profile.WriteString(section, entry, value);
    }
    return TRUE;
}

int CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue)
{
    auto value = m_profile.GetInt(section != nullptr ? section : "", entry != nullptr ? entry : "");
    if (!value || *value < INT32_MIN || *value > INT32_MAX) {
        return defaultValue;
    }
    return static_cast<int>(*value);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    if (section == nullptr || entry == nullptr) {
        return FALSE;
    }
    m_profile.WriteInt(section, entry, value);
    return TRUE;
}

BOOL CWinApp::OnIdle(long lCount)
{
    if (lCount <= 0) {
        // Bars and frame titles follow the command state while nothing else happens.
        if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
            m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
        }
        return TRUE;
    }
    return FALSE;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return m_nExitCode;
}

int CWinApp::Run()
{
    if (m_pMainWnd == nullptr) {
        // Nothing to show: leave at once instead of waiting for a window that never comes.
        PostQuitMessage(0);
    }
    return CWinThread::Run();
}

int AfxWinMain(CWinApp& app, std::vector<std::string> args)
{
    app.SetCommandLine(std::move(args));
    if (!app.InitInstance()) {
        if (app.m_pMainWnd != nullptr && app.m_pMainWnd->m_hWnd != nullptr) {
            app.m_pMainWnd->DestroyWindow();
        }
        return app.ExitInstance();
    }
    return app.Run();
}

int PumpPendingMessages()
{
    int delivered = 0;
    MSG msg;
    CWinApp* app = AfxGetApp();
    while (GetMessageQueue().Peek(msg, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) {
            break;
        }
        GetMessageQueue().Peek(msg, PM_REMOVE);
        // Without an application object the windows still see their keys first (a dialog's
        // Enter, Escape and Tab), as they would in the program's own loop.
        bool handled = false;
        if (app != nullptr) {
            handled = app->PreTranslateMessage(&msg) != FALSE;
        } else {
            for (CWnd* w = CWnd::FromHandle(msg.hwnd); w != nullptr && !handled; w = w->GetParent()) {
                handled = w->PreTranslateMessage(&msg) != FALSE;
            }
        }
        if (!handled) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        ++delivered;
    }
    return delivered;
}

void PumpUntilIdle()
{
    PumpPendingMessages();
    if (CWinApp* app = AfxGetApp()) {
        for (long count = 0; app->OnIdle(count); ++count) {
        }
    }
    PumpPendingMessages();
}
