#include "app/shell/KVApp.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawTool.h"
#include "app/canvas/DrawView.h"
#include "app/commands/ExportCommands.h"
#include "app/commands/ModelCommands.h"
#include "app/core/AppData.h"
#include "app/core/AppIds.h"
#include "app/core/DesignerContext.h"
#include "app/delivery/OfficeDelivery.h"
#include "app/delivery/OfficeInfo.h"
#include "app/dialogs/TemplateDlg.h"
#include "app/dialogs/WelcomeDlg.h"
#include "app/shell/AppResources.h"
#include "app/shell/Help.h"
#include "app/shell/MainFrm.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/ComponentCatalog.h"
#include "publish/BaseMovie.h"
#include "sheet/cells/CellModel.h"
#include "platform/controls/FlashPlayer.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/docview/DocTemplate.h"
#include "platform/docview/Resources.h"
#include "platform/services/ObjectFactory.h"
#include "platform/services/Services.h"
#include "platform/window/WindowHost.h"
#include "sheet/host/ExcelHost.h"

namespace {

constexpr long kOldestFlashVersion = 0x60000;

// What the settings file holds that could not be used, for the message at start. The lines stay
// in the file as they were; a file that cannot be read at all is not written over.
std::string ProfileProblemsText(const CProfileStore& profile)
{
    constexpr std::size_t kShownLines = 5;
    const std::vector<std::string>& problems = profile.Problems();
    std::string text = profile.IsUnreadable()
                           ? "The settings file cannot be read:\n"
                           : "Some lines of the settings file cannot be read; they are kept as they are:\n";
    for (std::size_t i = 0; i < problems.size() && i < kShownLines; ++i) {
        text += problems[i] + "\n";
    }
    if (problems.size() > kShownLines) {
        text += "(and " + std::to_string(problems.size() - kShownLines) + " more)\n";
    }
    text += profile.IsUnreadable() ? "Vantorel starts with the default settings and does not save them."
                                   : "Vantorel starts with the other settings.";
    return text;
}

bool StartsWithNoCase(const std::string& text, const std::string& start)
{
    if (text.size() < start.size()) {
        return false;
    }
    for (std::size_t i = 0; i < start.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(start[i]))) {
            return false;
        }
    }
    return true;
}

// The version an application reports, or nothing when it cannot be made or asked.
std::optional<std::string> ReportedVersion(IAutomationObject& app)
{
    std::optional<AutomationValue> version = app.GetProperty("Version");
    if (!version || !std::holds_alternative<std::string>(*version)) {
        return std::nullopt;
    }
    return std::get<std::string>(*version);
}

// Usable when the reported version, cut or padded with NULs to the length of the required
// one, equals it.
bool VersionMatches(const std::string& reported, const std::string& required)
{
    std::string cut = reported.substr(0, required.size());
    cut.resize(required.size(), '\0');
    return cut == required;
}

// The workbook engine of sheet/ in the place of the spreadsheet program: it reads and writes
// what the 2000 edition did, so it reports that edition's version.
class CWorkbookEngineObject final : public IAutomationObject {
public:
    std::optional<AutomationValue> GetProperty(const std::string& name) override
    {
        if (name == "Version") {
            return AutomationValue(std::string("9.0"));
        }
        return std::nullopt;
    }
};

} // namespace

void RegisterProgramObjects(CObjectFactory& factory)
{
    factory.Register("Excel.Application", [] { return std::make_unique<CWorkbookEngineObject>(); });
    RegisterOfficeObjects(factory);
}

// --- command line -------------------------------------------------------------------------

void CAppCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    const std::string param = pszParam != nullptr ? pszParam : "";
    if (bFlag) {
        if (param.compare(0, 2, "f:") == 0) {
            m_strModelPath = param.substr(2);
            return;
        }
        if (param == "r") {
            m_bQuietAutomation = 1;
        } else if (param == "s") {
            m_bSkipOfficeCheck = 1;
        }
    }
    CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
}

// --- checks -------------------------------------------------------------------------------

bool CheckFlashPlayer()
{
    std::unique_ptr<IAutomationObject> player = GetObjectFactory().Create("ShockwaveFlash.ShockwaveFlash");
    if (!player) {
        return false;
    }
    std::optional<AutomationValue> version = player->GetProperty("FlashVersion");
    if (!version || !std::holds_alternative<std::int64_t>(*version)) {
        return false;
    }
    return std::get<std::int64_t>(*version) > kOldestFlashVersion;
}

void DetectOfficeApps(COfficeInfo& info)
{
    info.excelRequired = info.outlookRequired = info.powerPointRequired = "9.0";
    struct App {
        const char* progId;
        bool& usable;
        std::string& reported;
        const std::string& required;
        bool openPresentation;
    } apps[] = {
        {"Excel.Application", info.excelUsable, info.excelVersion, info.excelRequired, false},
        {"Outlook.Application", info.outlookUsable, info.outlookVersion, info.outlookRequired, false},
        {"Powerpoint.Application", info.powerPointUsable, info.powerPointVersion, info.powerPointRequired, true},
    };
    for (App& app : apps) {
        std::unique_ptr<IAutomationObject> object = GetObjectFactory().Create(app.progId);
        std::optional<std::string> version = object ? ReportedVersion(*object) : std::nullopt;
        if (!version) {
            app.usable = false;
            continue;
        }
        app.reported = *version;
        if (app.openPresentation) {
            // PowerPoint must be able to open the presentation its export starts from:
            // read-only, untitled, without a window.
            const std::string presentation = (GetCurrentDirectoryPath() / "asset" / "presentation1.ppt").string();
            if (!object->Invoke("Presentations.Open", {presentation, true, true, false})) {
                app.usable = false;
                continue;
            }
        }
        app.usable = VersionMatches(app.reported, app.required);
    }
}

// --- application --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKVApp, CWinApp)
    .Command(ID_APP_ABOUT, &CKVApp::OnAppAbout)
    .Command(ID_HELP_CONTENTS, &CKVApp::OnHelpContents)
    .Command(ID_HELP_WELCOME, &CKVApp::OnHelpWelcome)
    .Command(ID_FILE_NEW_FROM_TEMPLATE, &CKVApp::OnFileNewFromTemplate)
    .Command(ID_FILE_SAMPLES, &CKVApp::OnFileSamples)
    .Command(ID_FILE_NEW, &CKVApp::OnFileNew)
    .Command(ID_FILE_OPEN, &CKVApp::OnFileOpen) END_MESSAGE_MAP()

CKVApp::CKVApp(std::unique_ptr<IWindowHost> host) : CWinApp("Vantorel")
{
    if (host) {
        SetWindowHost(std::move(host));
    }
    RegisterAppResources();

    CPlatformServices& platform = GetPlatformServices();
    m_strModulePath = platform.ModuleFileName().string();
    std::string programFolder = std::filesystem::path(m_strModulePath).parent_path().string();
    if (programFolder.empty() || programFolder.back() != '/') {
        programFolder += '/';
    }
    // A development tree runs the program from below "<MY_SOFT>/ui" while its data folders
    // lie in the current directory; an installed program finds them beside itself.
    m_startFolder = GetCurrentDirectoryPath();
    const std::optional<std::string> soft = platform.GetEnv("MY_SOFT");
    CDesignerContext::Folders folders;
    if (soft && StartsWithNoCase(programFolder, *soft + "/ui")) {
        folders.install = GetCurrentDirectoryPath();
    } else {
        SetCurrentDirectoryPath(programFolder);
        folders.install = programFolder;
    }
    folders.settings = platform.AppDataFolder();
    RegisterInstalledPictures(folders.install);
    folders.temp = platform.TempFolder();
    m_designer = std::make_unique<CDesignerContext>(folders);
    m_designerScope = std::make_unique<CDesignerContext::Scope>(*m_designer);
    InstallDrawTools(*m_designer);
}

CKVApp::~CKVApp()
{
    // Windows and documents go before the services they use.
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
        m_pMainWnd->DestroyWindow();
    }
    m_pMainWnd = nullptr;
    m_templates.clear();
    m_designerScope.reset();
    m_designer.reset();
}

CMainFrame* CKVApp::MainFrame() const
{
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

BOOL CKVApp::InitInstance()
{
    if (!AfxOleInit()) {
        AfxMessageBox(GetResources().LoadString(IDP_OLE_INIT_FAILED));
        return FALSE;
    }
    if (!CheckFlashPlayer()) {
        AfxMessageBox(kFlashMessage, MB_ICONSTOP);
        return FALSE;
    }
    if (!m_designer->InstallationProblem().empty()) {
        AfxMessageBox("Vantorel cannot start: " + m_designer->InstallationProblem() +
                          ".\nPlease reinstall Vantorel.",
                      MB_ICONSTOP);
        return FALSE;
    }
    if (!m_designer->LibraryProblem().empty()) {
        AfxMessageBox(m_designer->LibraryProblem() +
                          ".\nVantorel starts without its spreadsheet functions: the formulas of a published movie "
                          "are not calculated, and their functions are listed as unsupported.\nPlease reinstall "
                          "Vantorel.",
                      MB_ICONEXCLAMATION);
    }
    CAppData& settings = m_designer->Settings();
    if (!settings.LoadProblem().empty()) {
        AfxMessageBox("The settings file " + settings.FilePath()->string() + " is damaged (" + settings.LoadProblem() +
                          ").\nVantorel starts with the default settings and leaves the file as it is.",
                      MB_ICONEXCLAMATION);
    }

    SetRegistryKey(kCompanyKey);
    LoadStdProfileSettings(4);
    if (!Profile().Problems().empty()) {
        AfxMessageBox(ProfileProblemsText(Profile()), MB_ICONEXCLAMATION);
    }
    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, [] { return std::make_unique<CDrawDoc>(); }, [] { return std::make_unique<CMainFrame>(); },
        [this] {
            auto view = std::make_unique<CDrawView>(*m_designer);
            InstallModelCommands(*view);
            return view;
        }));

    CAppCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    // The program has moved to its installation folder by now; the user named these files
    // from where the program was started.
    for (std::string* name : {&cmdInfo.m_strFileName, &cmdInfo.m_strModelPath}) {
        if (!name->empty() && std::filesystem::path(*name).is_relative())
            *name = (m_startFolder / *name).lexically_normal().string();
    }
    if (!ProcessShellCommand(cmdInfo)) {
        return FALSE;
    }
    if (CMainFrame* frame = MainFrame()) {
        frame->SetFailedItemSource([] {
            const CExcelHost* host = CExcelHost::GetCurrent();
            return host != nullptr ? host->GetFailedItemText() : std::string();
        });
        frame->SetFailureSource([] {
            const CExcelHost* host = CExcelHost::GetCurrent();
            return host != nullptr ? host->GetLastError() : std::string();
        });
    }
    m_pMainWnd->DragAcceptFiles();
    m_pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);

    CDrawView* view = GetActiveDrawView();
    CDrawDoc* doc = view != nullptr ? view->GetDocument() : nullptr;
    if (doc != nullptr) {
        if (doc->GetPathName().empty()) {
            doc->FitCanvasToWindow();
        }
        doc->RefreshStage(FALSE);
        m_pMainWnd->UpdateWindow();
    }
    if (cmdInfo.m_bQuietAutomation) {
        settings.quietAutomation = 1;
    }
    // A workbook named with "f:" is imported as it is: it serves as its own working copy and is
    // only read.
    if (doc != nullptr && !cmdInfo.m_strModelPath.empty()) {
        doc->ImportModel(cmdInfo.m_strModelPath, cmdInfo.m_strModelPath);
    }
    if (view != nullptr && !cmdInfo.m_bSkipOfficeCheck) {
        DetectOfficeApps(view->Export().m_officeInfo);
    }
    if (view != nullptr && !view->Export().m_officeInfo.excelUsable) {
        ShowMessageBox(m_pMainWnd, kExcelMessage, "Warning", MB_ICONSTOP);
        return FALSE;
    }
    if (settings.showWelcome) {
        OnHelpWelcome();
    }
    return TRUE;
}

void CKVApp::OnHelpWelcome()
{
    CWelcomeDlg welcome(m_pMainWnd, m_designer->Settings().showWelcome,
                        [this](int mode) { return BrowseDocuments(mode); });
    welcome.DoModal();
}

CStageFlashCtrl* CKVApp::Stage() const
{
    // The canvas view makes and owns the stage (docs/stage.md).
    CDrawView* view = GetActiveDrawView();
    return view != nullptr ? view->GetStage() : nullptr;
}

void CKVApp::OnFileNew()
{
    // The document asks to save its changes before it gives way (CDocument::SaveModified).
    CWinApp::OnFileNew();
}

void CKVApp::OnFileOpen()
{
    CWinApp::OnFileOpen();
}

void CKVApp::OnAppAbout()
{
    CAboutDlg(m_pMainWnd).DoModal();
}

void CKVApp::OpenHelpPage()
{
    if (ShellExecute(nullptr, "open", kOnlineHelpPage, nullptr, ".", SW_SHOWNORMAL) <= 32) {
        AfxMessageBox(kNoBrowserMessage, MB_ICONEXCLAMATION);
    }
}

void CKVApp::OnHelpContents()
{
    if (CallHtmlHelp(m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr, kHelpFileName, HH_DISPLAY_TOPIC,
                     0) == nullptr) {
        OpenHelpPage();
    }
}

void CKVApp::WinHelp(std::uintptr_t data, UINT nCmd)
{
    if (nCmd == 1) {
        const int topic = FindHelpContext(static_cast<UINT>(data & 0xFFFF));
        const HWND owner = m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr;
        const HWND shown = topic >= 0 ? CallHtmlHelp(owner, kHelpFileName, HH_HELP_CONTEXT,
                                                     static_cast<std::uintptr_t>(topic))
                                      : CallHtmlHelp(owner, kHelpFileName, HH_DISPLAY_TOPIC, 0);
        if (shown != nullptr) {
            return;
        }
    }
    OpenHelpPage();
}

bool CKVApp::BrowseDocuments(int mode)
{
    CTemplateDlg browser(m_designer->BaseFolder(), mode, m_pMainWnd);
    if (browser.DoModal() != IDOK) {
        return false;
    }
    CDrawView* view = GetActiveDrawView();
    CDrawDoc* doc = view != nullptr ? view->GetDocument() : nullptr;
    return doc != nullptr && doc->OpenTemplateAsNew(browser.GetPath());
}

void CKVApp::OnFileNewFromTemplate()
{
    BrowseDocuments(CTemplateDlg::kTemplates);
}

void CKVApp::OnFileSamples()
{
    BrowseDocuments(CTemplateDlg::kSamples);
}
