#include "ShellTestApp.h"

namespace shelltest {

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

BEGIN_MESSAGE_MAP(TestDoc, CDocument)
    .Command(ID_SHARED, &TestDoc::OnShared)
    .Command(ID_DOC_ONLY, &TestDoc::OnDocOnly)
    .UpdateCommandUI(ID_FILE_SAVE, &TestDoc::OnUpdateSave) END_MESSAGE_MAP()

        BOOL TestDoc::OnOpenDocument(const char* path)
{
    Log().push_back(std::string("doc:open ") + path);
    const std::string p = path;
    // ".refused": refused before anything is let go, as a document that checks the file first.
    if (p.ends_with(".refused"))
        return FALSE;
    CDocument::OnOpenDocument(path);
    const bool opened = p.ends_with(".ok");
    if (!opened)
        SetModifiedFlag(); // half read
    return opened;
}

BEGIN_MESSAGE_MAP(TestView, CView)
    .Command(ID_SHARED, &TestView::OnShared) END_MESSAGE_MAP()

        BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    .OnCreate(&TestFrame::OnCreate)
    .Command(ID_SHARED, &TestFrame::OnShared)
    .Command(ID_FRAME_ONLY, &TestFrame::OnFrameOnly)
    .Command(ID_PROPERTIES, &TestFrame::OnProperties)
    .Command(ID_TOOL_SELECT, &TestFrame::OnToolSelect)
    .Command(ID_IMPORT_MODEL, &TestFrame::OnImport)
    .UpdateCommandUI(ID_IMPORT_MODEL, &TestFrame::OnUpdateImport)
    .UpdateCommandUI(ID_TOOL_SELECT, &TestFrame::OnUpdateToolSelect) END_MESSAGE_MAP()

        int TestFrame::OnCreate(LPCREATESTRUCT cs)
{
    if (CFrameWnd::OnCreate(cs) == -1) {
        return -1;
    }
    const DWORD barStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    if (!tools.CreateEx(this, TBSTYLE_FLAT, barStyle) || !tools.LoadToolBar(IDR_TOOLS) ||
        !import.CreateEx(this, TBSTYLE_FLAT, barStyle) || !import.LoadToolBar(IDR_IMPORT)) {
        return -1;
    }
    static const UINT indicators[] = {ID_SEPARATOR, IDS_MODEL_STATE, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                      ID_INDICATOR_SCRL};
    if (!status.Create(this) || !status.SetIndicators(indicators, 5)) {
        return -1;
    }
    status.SetPaneInfo(1, IDS_MODEL_STATE, SBPS_NORMAL, 200);
    tools.EnableDocking(CBRS_ALIGN_ANY);
    import.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&tools);
    return 0;
}

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    .Command(ID_FILE_NEW, &CWinApp::OnFileNew)
    .Command(ID_FILE_OPEN, &CWinApp::OnFileOpen)
    .Command(ID_SHARED, &TestApp::OnShared)
    .Command(ID_APP_ONLY, &TestApp::OnAppOnly) END_MESSAGE_MAP()

        BOOL TestApp::InitInstance()
{
    SetRegistryKey("Caldermoorix");
    LoadStdProfileSettings(4);
    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        IDR_MAIN, [] { return std::make_unique<TestDoc>(); }, [] { return std::make_unique<TestFrame>(); },
        [] { return std::make_unique<TestView>(); }));
    CCommandLineInfo info;
    ParseCommandLine(info);
    if (!ProcessShellCommand(info)) {
        return FALSE;
    }
    m_pMainWnd->DragAcceptFiles();
    m_pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);
    return TRUE;
}

void RegisterResources()
{
    CResourceTable& r = GetResources();
    r.AddString(IDR_MAIN,
                "Vantorel\nUntitled\nVantorel Document\nVantorel Files (*.vtd)\n.vtd\nVantorel.Document\n"
                "Vantorel Document\nINFO\nVantorel Files");
    r.AddString(IDS_MODEL_STATE, "Model Not Loaded");
    r.AddString(ID_IMPORT_MODEL, "Import a workbook as the model\nImport Model");
    r.AddString(ID_TOOL_SELECT, "Select objects\nSelect");
    const auto file = MenuTemplateItem::Popup("&File", {{"&New\tCtrl+N", ID_FILE_NEW},
                                                        {"&Open...", ID_FILE_OPEN},
                                                        {"&Save", ID_FILE_SAVE},
                                                        {},
                                                        {"Recent File", ID_FILE_MRU_FILE1, MF_GRAYED},
                                                        {},
                                                        {"E&xit", ID_APP_EXIT}});
    const auto edit =
        MenuTemplateItem::Popup("&Edit", {{"Properties\tAlt+Enter", ID_PROPERTIES}, {"Nobody", ID_NOBODY}});
    r.AddMenu(IDR_MAIN, {file, edit});
    r.AddAccelerators(IDR_MAIN,
                      {{FVIRTKEY | FALT, VK_RETURN, ID_PROPERTIES}, {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW}});
    r.AddToolBar(IDR_TOOLS,
                 {16, 15, {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_TOOL_SELECT, ID_TOOL_COMPONENT}});
    r.AddToolBar(IDR_IMPORT, {16, 15, {ID_IMPORT_MODEL}});
}

} // namespace shelltest
