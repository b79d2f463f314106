#include "app/shell/MainFrm.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "app/panels/CanvasPropertiesPanel.h"
#include "app/shell/PropertyEditing.h"
#include "app/panels/ComponentPalette.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawView.h"
#include "app/commands/ModelCommands.h"
#include "app/core/AppIds.h"
#include "app/shell/AppResources.h"
#include "app/stage/StageFlashCtrl.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/services/Services.h"
#include "platform/drawing/DC.h"
#include "platform/window/Input.h"
#include "platform/window/WindowClass.h"
#include "platform/window/Screen.h"

namespace {

// The import's report of a formula it could not read: a formula beyond the reader's bounds is a
// length error, as it always was; any other (a link to another workbook, a typing error) says
// why, since calling it long would send the user looking for the wrong fault.
std::string FormulaFailureText(const std::string& item, const std::string& failure)
{
    const bool bound = failure.empty() || failure.find("longer than") != std::string::npos ||
                       failure.find("too deeply") != std::string::npos ||
                       failure.find("too many") != std::string::npos;
    return bound ? "Formula Length Error in " + item : failure;
}

constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr int kModelPane = 1;
constexpr int kModelPaneWidth = 200;

} // namespace

// --- CFixedToolBar ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFixedToolBar, CToolBar)
    .OnLButtonDown(&CFixedToolBar::OnLButtonDown) END_MESSAGE_MAP()

void CFixedToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // Straight to the bar's own handling of buttons: a press never starts a bar drag.
    DefWindowProc(WM_LBUTTONDOWN, nFlags, PointToLParam(point));
}

// --- CStatusProgressCtrl ------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CStatusProgressCtrl, CProgressCtrl)
    .OnEraseBkgnd(&CStatusProgressCtrl::OnEraseBkgnd) END_MESSAGE_MAP()

BOOL CStatusProgressCtrl::OnEraseBkgnd(CDC* pDC)
{
    if (m_frame != nullptr) {
        m_frame->PlaceProgressBar();
    }
    return static_cast<BOOL>(DefWindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(pDC), 0));
}

// --- CSplashWnd ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
    .OnPaint(&CSplashWnd::OnPaint)
    .OnEraseBkgnd(&CSplashWnd::OnEraseBkgnd) END_MESSAGE_MAP()

BOOL CSplashWnd::Create(CWnd* parent)
{
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.hCursor = LoadCursorId(IDC_ARROW);
    wc.hbrBackground = COLOR_WINDOW + 1;
    wc.lpszClassName = "splash";
    AfxRegisterClass(&wc);
    return CreateEx(WS_EX_TOOLWINDOW, "splash", "", WS_POPUP, CRect(0, 0, 1, 1), parent, 0);
}

BOOL CSplashWnd::LoadBitmap(UINT id)
{
    if (!m_bitmap.LoadBitmap(static_cast<int>(id))) {
        return FALSE;
    }
    const ScreenMetrics& screen = GetScreenMetrics();
    const int x = (screen.width - m_bitmap.Width()) / 2;
    const int y = (screen.height - m_bitmap.Height()) / 2;
    m_rect = CRect(x, y, x + m_bitmap.Width(), y + m_bitmap.Height());
    return TRUE;
}

void CSplashWnd::Show()
{
    SetWindowPos(nullptr, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(SW_SHOW);
}

void CSplashWnd::Hide()
{
    ShowWindow(SW_HIDE);
    DestroyWindow();
}

void CSplashWnd::OnPaint()
{
    PAINTSTRUCT ps;
    if (CDC* dc = BeginPaint(&ps)) {
        dc->DrawImage(0, 0, m_bitmap, false);
        dc->SetBkMode(TRANSPARENT);
        dc->DrawText(m_text, CRect(0, 0, 100, 100), DT_LEFT);
    }
    EndPaint(&ps);
}

// --- CMainFrame ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    .OnCreate(&CMainFrame::OnCreate)
    .OnSize(&CMainFrame::OnSize)
    .OnShowWindow(&CMainFrame::OnShowWindow)
    .OnActivateApp(&CMainFrame::OnActivateApp)
    .OnClose(&CMainFrame::OnClose)
    .Message(WM_IMPORT_MODEL_PROGRESS, &CMainFrame::OnImportProgress)
    .Message(WM_SHELL_OPEN_FAILED, &CMainFrame::OnShellOpenFailed) END_MESSAGE_MAP()

CMainFrame::CMainFrame()
{
    m_wndProgress.SetFrame(this);
    // The frame has no window yet, so the splash has no owner.
    m_pSplash = new CSplashWnd;
    if (m_pSplash->Create(nullptr) && m_pSplash->LoadBitmap(IDB_SPLASH)) {
        m_pSplash->Show();
    } else if (m_pSplash->GetSafeHwnd() != nullptr) {
        m_pSplash->DestroyWindow();
        m_pSplash = nullptr;
    } else {
        delete m_pSplash;
        m_pSplash = nullptr;
    }
}

CMainFrame::~CMainFrame()
{
    SetShellFailureNotice(nullptr, 0);
    if (m_pSplash != nullptr && IsWindow(m_pSplash->GetSafeHwnd())) {
        m_pSplash->Hide();
    }
    m_pSplash = nullptr;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // Before the base makes the canvas view: the view's multiple selection makes its panel
    // then, and that panel's sheet needs the program's page classes and services too.
    // A range pick without a model offers the Import Model dialog of the canvas view.
    m_propertyEditing = std::make_unique<CPropertyEditing>(this, [] {
        CDrawView* view = GetActiveDrawView();
        return view != nullptr && RunImportModel(*view);
    });
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    static const UINT kToolBars[4] = {IDR_TOOLBAR_MAIN, IDR_TOOLBAR_PREVIEW, IDR_TOOLBAR_OFFICE, IDR_TOOLBAR_IMPORT};
    const DWORD barStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    for (int i = 0; i < 4; ++i) {
        if (!m_wndToolBar[i].CreateEx(this, TBSTYLE_FLAT, barStyle, CRect(), AFX_IDW_TOOLBAR) ||
            !m_wndToolBar[i].LoadToolBar(kToolBars[i])) {
            return -1;
        }
    }
    static const UINT kIndicators[] = {ID_SEPARATOR, IDS_MODEL_NOT_LOADED, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                       ID_INDICATOR_SCRL};
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)))) {
        return -1;
    }
    UINT id = 0, style = 0;
    int width = 0;
    m_wndStatusBar.GetPaneInfo(kModelPane, id, style, width);
    m_wndStatusBar.SetPaneInfo(kModelPane, id, style, kModelPaneWidth);

    CRect pane;
    m_wndStatusBar.GetItemRect(kModelPane, &pane);
    m_wndProgress.Create(WS_CHILD, pane, &m_wndStatusBar, IDC_STATUS_PROGRESS);

    for (CFixedToolBar& bar : m_wndToolBar) {
        bar.EnableDocking(CBRS_ALIGN_ANY);
    }
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar[0]);
    DockToolBars();
    SetShellFailureNotice(GetSafeHwnd(), WM_SHELL_OPEN_FAILED);
    return 0;
}

void CMainFrame::DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf)
{
    RecalcLayout(TRUE);
    CRect own, reference;
    pBar->GetWindowRect(&own);
    pLeftOf->GetWindowRect(&reference);
    const CRect place(reference.right, reference.top, reference.right + own.Width(), reference.bottom);
    DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP, &place);
}

void CMainFrame::DockToolBars()
{
    // One row: 2, 320, 297, 319.
    DockControlBarLeftOf(&m_wndToolBar[3], &m_wndToolBar[0]);
    DockControlBarLeftOf(&m_wndToolBar[1], &m_wndToolBar[3]);
    DockControlBarLeftOf(&m_wndToolBar[2], &m_wndToolBar[1]);
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    PlaceProgressBar();
    if (nType == SIZE_RESTORED && m_wndToolBar[3].GetSafeHwnd() != nullptr) {
        DockToolBars();
    }
}

void CMainFrame::OnShowWindow(BOOL bShow, UINT)
{
    if (bShow && m_pSplash != nullptr) {
        m_pSplash->Hide();
        m_pSplash = nullptr;
    }
}

void CMainFrame::OnActivateApp(BOOL bActive, DWORD)
{
    if (bActive) {
        BringWindowToTop();
        // Back in the program, the keys go to the palette, where the next component is chosen;
        // a palette hidden by the preview leaves them with the preview's movie.
        CDrawView* view = GetActiveDrawView();
        CComponentPalette* palette = view != nullptr ? view->GetPalette() : nullptr;
        if (palette != nullptr && palette->IsWindowVisible())
            palette->SetFocus();
    }
}

void CMainFrame::OnClose()
{
    // A changed style is saved or dropped on the user's word; Cancel keeps the window open.
    if (CDrawView* view = GetActiveDrawView(); view != nullptr && !view->QuerySaveStyle())
        return;
    // The base asks the document to save its changes first; Cancel keeps the program open.
    CFrameWnd::OnClose();
}

void CMainFrame::PlaceProgressBar()
{
    if (m_wndProgress.GetSafeHwnd() == nullptr || !m_wndProgress.IsWindowVisible()) {
        return;
    }
    CRect r;
    m_wndStatusBar.GetItemRect(kModelPane, &r);
    const int tenth = r.Height() / 10;
    r.left += 30;
    r.right = std::max(r.right, r.left);
    r.top += tenth;
    r.bottom -= tenth;
    m_wndProgress.MoveWindow(r, FALSE);
    m_wndProgress.Invalidate();
}

UINT CMainFrame::BeginImport()
{
    // Numbers stay within the high word of wParam and never come back to 0 (untagged).
    const UINT next = m_nImportSerial.load() % 0xFFFF + 1;
    m_nImportSerial = next;
    return next;
}

void CMainFrame::PostImportMessage(sheet::ImportCode code, long value)
{
    const WPARAM tagged = static_cast<WPARAM>(static_cast<UINT>(code) | (m_nImportSerial.load() << 16));
    ::PostMessage(GetSafeHwnd(), WM_IMPORT_MODEL_PROGRESS, tagged, static_cast<LPARAM>(value));
}

void CMainFrame::ShowWarning(const std::string& text, const std::string& caption)
{
    ShowMessageBox(nullptr, text, caption.c_str(), MB_ICONSTOP);
}

void CMainFrame::SetModelText(const std::string& text)
{
    m_wndStatusBar.SetPaneText(kModelPane, text, TRUE);
}

LRESULT CMainFrame::OnShellOpenFailed(WPARAM, LPARAM)
{
    for (const std::string& target : TakeShellFailures()) {
        const std::filesystem::path file(target);
        const bool help = file.has_parent_path() && file.parent_path().filename() == "help";
        AfxMessageBox(help ? std::string(kNoBrowserMessage) : "No program could be started to open " + target + ".",
                      MB_ICONEXCLAMATION);
    }
    return 0;
}

LRESULT CMainFrame::OnImportProgress(WPARAM wParam, LPARAM lParam)
{
    const UINT serial = HIWORD(wParam);
    if (serial != 0 && serial != m_nImportSerial) {
        return 0; // left over from an import that was stopped or replaced
    }
    const UINT code = LOWORD(wParam);
    auto* doc = dynamic_cast<CDrawDoc*>(GetActiveDocument());
    char text[32];
    switch (code) {
    case kImportStart: {
        // A worker never posts progress for an empty import; should one, the bar counts
        // from 0 to 1 instead of dividing by nothing.
        const int steps = static_cast<int>(lParam);
        m_nProgressMax = steps > 0 ? steps : 1;
        std::snprintf(text, sizeof text, "%d%%", 0);
        SetModelText(text);
        m_wndProgress.SetPos(0);
        m_wndProgress.SetRange32(0, m_nProgressMax);
        m_wndProgress.ShowWindow(SW_SHOW);
        PlaceProgressBar();
        break;
    }
    case kImportStep: {
        const long long done = static_cast<long long>(lParam);
        std::snprintf(text, sizeof text, "%lld%%", done * 100 / m_nProgressMax);
        SetModelText(text);
        m_wndProgress.SetPos(static_cast<int>(std::min<long long>(done, m_nProgressMax)));
        break;
    }
    case kImportFormulaError: {
        const std::string item = m_failedItem ? m_failedItem() : std::string();
        const std::string failure = m_failure ? m_failure() : std::string();
        ShowMessageBox(this, FormulaFailureText(item, failure), nullptr, MB_OK);
        m_wndProgress.ShowWindow(SW_HIDE);
        SetModelText("Error Importing");
        if (doc != nullptr) {
            doc->ResetModel();
        }
        break;
    }
    case kImportNoModel:
        m_wndProgress.ShowWindow(SW_HIDE);
        SetModelText("Model Not Loaded");
        // A workbook that could not be read says why, whichever way it was named (the command
        // line, a reopened document): the status bar alone leaves the person guessing.
        if (lParam != 0) {
            const std::string failure = m_failure ? m_failure() : std::string();
            const std::string name = doc != nullptr ? doc->GetModelPath() : std::string();
            ShowMessageBox(this, "The workbook " + name + " cannot be read:\n" + failure, nullptr,
                           MB_OK | MB_ICONEXCLAMATION);
        }
        break;
    case kImportDone:
        m_wndProgress.ShowWindow(SW_HIDE);
        // The stage's components format numbers and dates with the workbook's own settings.
        if (CStageFlashCtrl* stage = doc != nullptr ? doc->GetStage() : nullptr)
            stage->SetModelVariables();
        if (doc != nullptr && doc->m_bModelUpdatePending) {
            CWaitCursor wait;
            SetModelText("Updating Model...");
            doc->RefreshFromModel();
            doc->RefreshStage(doc->m_bTableRefresh);
            doc->m_bModelUpdatePending = false;
            if (CView* view = GetActiveView()) {
                view->Invalidate();
                view->UpdateWindow();
            }
            doc->m_bTableRefresh = true;
        }
        SetModelText("Model Import Done");
        break;
    default:
        break;
    }
    return 0;
}
