#include "platform/docview/Frame.h"
#include "platform/docview/MenuBar.h"

#include <algorithm>
#include <map>

#include "platform/window/CmdUI.h"
#include "platform/docview/Document.h"
#include "platform/docview/StatusBar.h"
#include "platform/docview/View.h"
#include "platform/docview/WinApp.h"

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    .OnCreate(&CFrameWnd::OnCreate)
    .OnSize(&CFrameWnd::OnSize)
    .OnClose(&CFrameWnd::OnClose)
    .OnDestroy(&CFrameWnd::OnDestroy)
    .OnSetFocus(&CFrameWnd::OnSetFocus)
    .Message(WM_INITMENUPOPUP, &CFrameWnd::OnInitMenuPopupMsg)
    .Message(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
    .Message(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
    .Message(WM_DROPFILES, &CFrameWnd::OnDropFiles)
    .UpdateCommandUI(ID_INDICATOR_CAPS, &CFrameWnd::OnUpdateKeyIndicator)
    .UpdateCommandUI(ID_INDICATOR_NUM, &CFrameWnd::OnUpdateKeyIndicator)
    .UpdateCommandUI(ID_INDICATOR_SCRL, &CFrameWnd::OnUpdateKeyIndicator)
    .UpdateCommandUI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu)
    .UpdateCommandUI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
    .CommandEx(ID_VIEW_TOOLBAR, &CFrameWnd::OnBarCheck)
    .CommandEx(ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck) END_MESSAGE_MAP()

        CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    if (m_hWnd != nullptr) {
        // Destroy while this class's handlers can still run (the base destructor cannot).
        m_bAutoDelete = false;
        DestroyWindow();
    }
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDResource = nIDResource;
    const std::string full = GetResources().LoadString(nIDResource);
    m_strTitle = ExtractSubString(full, 0);
    if (GetResources().FindMenu(nIDResource) != nullptr) {
        m_menu = std::make_unique<CMenu>();
        m_menu->LoadMenu(nIDResource);
    }
    if (!Create(nullptr, m_strTitle.c_str(), dwDefaultStyle, CRect(0, 0, 800, 600), pParentWnd, 0,
                pContext)) {
        return FALSE;
    }
    m_hAccelTable = LoadAccelerators(nIDResource);
    if (pContext == nullptr) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    }
    return TRUE;
}

BOOL CFrameWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                       const CRect& rect, CWnd* pParentWnd, UINT nIDMenu, CCreateContext* pContext)
{
    if (nIDMenu != 0 && !m_menu && GetResources().FindMenu(nIDMenu) != nullptr) {
        m_menu = std::make_unique<CMenu>();
        m_menu->LoadMenu(nIDMenu);
    }
    if (!CreateEx(0, lpszClassName != nullptr ? lpszClassName : "AfxFrameOrView", lpszWindowName, dwStyle,
                  rect, pParentWnd, 0, pContext)) {
        return FALSE;
    }
    if (m_menu) {
        SetMenu(m_menu.get());
        // A top-level frame shows its menu in a bar of its own along the top edge.
        if (GetParent() == nullptr) {
            m_menuBar = std::make_unique<CMenuBar>();
            if (m_menuBar->Create(this)) {
                m_menuBar->SetMenu(m_menu.get());
                RecalcLayout();
            } else {
                m_menuBar.reset();
            }
        }
    }
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    // The document's name goes in front of the program's in the title.
    if ((cs.style & FWS_ADDTOTITLE) != 0) {
        cs.style |= FWS_PREFIXTITLE;
    }
    return TRUE;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* old = m_pViewActive;
    if (old == pViewNew) {
        return;
    }
    m_pViewActive = pViewNew;
    if (bNotify) {
        if (old != nullptr) {
            old->OnActivateView(FALSE, pViewNew, old);
        }
        if (pViewNew != nullptr) {
            pViewNew->OnActivateView(TRUE, pViewNew, old);
            pViewNew->SetFocus();
        }
    }
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (pContext == nullptr || !pContext->m_pNewViewClass) {
        return nullptr;
    }
    std::unique_ptr<CView> view = pContext->m_pNewViewClass();
    if (!view) {
        return nullptr;
    }
    if (!view->Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(), this, nID, pContext)) {
        return nullptr;
    }
    view->m_bAutoDelete = true;
    return view.release();
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* view = GetActiveView();
    if (view == nullptr) {
        view = dynamic_cast<CView*>(GetDescendantWindow(AFX_IDW_PANE_FIRST));
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    }
    if (view != nullptr) {
        SetActiveView(view);
    }
    static_cast<void>(pDoc);
    OnUpdateFrameTitle(TRUE);
    if (bMakeVisible) {
        ActivateFrame(-1);
    }
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        nCmdShow = IsWindowVisible() ? -1 : SW_SHOW;
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd == this && app->m_nCmdShow != -1) {
            nCmdShow = app->m_nCmdShow;
            app->m_nCmdShow = -1; // only the first show uses the start-up state
        }
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
    }
    SetActiveWindow();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (m_hWnd == nullptr) {
        return;
    }
    CDocument* doc = GetActiveDocument();
    std::string title = m_strTitle;
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) != 0 && doc != nullptr) {
        if ((GetStyle() & FWS_PREFIXTITLE) != 0) {
            title = doc->GetTitle() + (m_strTitle.empty() ? "" : " - " + m_strTitle);
        } else {
            title = m_strTitle + (doc->GetTitle().empty() ? "" : " - " + doc->GetTitle());
        }
    }
    if (GetWindowText() != title) {
        SetWindowText(title);
    }
}

// ----- bars and layout ---------------------------------------------------------------------

void CFrameWnd::RemoveFromDock(CControlBar* pBar)
{
    m_docked.erase(
        std::remove_if(m_docked.begin(), m_docked.end(), [pBar](const Docked& d) { return d.bar == pBar; }),
        m_docked.end());
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, const CRect* lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr) {
        return;
    }
    UINT side = nDockBarID;
    if (side == 0) {
        const DWORD align = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
        side = (align & CBRS_ALIGN_TOP) != 0      ? AFX_IDW_DOCKBAR_TOP
               : (align & CBRS_ALIGN_BOTTOM) != 0 ? AFX_IDW_DOCKBAR_BOTTOM
               : (align & CBRS_ALIGN_LEFT) != 0   ? AFX_IDW_DOCKBAR_LEFT
               : (align & CBRS_ALIGN_RIGHT) != 0  ? AFX_IDW_DOCKBAR_RIGHT
                                                  : AFX_IDW_DOCKBAR_TOP;
    }
    RemoveFromDock(pBar);
    const bool horz = IsHorizontalSide(side);
    // Along the side ("along") and across it ("across") in client coordinates.
    auto along = [horz](const CRect& r) { return horz ? r.left : r.top; };
    auto acrossStart = [horz](const CRect& r) { return horz ? r.top : r.left; };
    auto acrossEnd = [horz](const CRect& r) { return horz ? r.bottom : r.right; };

    Docked entry;
    entry.bar = pBar;
    entry.side = side;
    int minRow = 0;
    int maxRow = -1;
    for (const Docked& d : m_docked) {
        if (d.side == side) {
            minRow = maxRow < minRow ? d.row : std::min(minRow, d.row);
            maxRow = std::max(maxRow, d.row);
        }
    }
    entry.row = maxRow + 1;
    if (lpRect != nullptr) {
        CRect wanted = *lpRect;
        ScreenToClient(&wanted);
        entry.x = along(wanted);
        bool placed = false;
        int nearestStart = 0;
        bool any = false;
        for (const Docked& d : m_docked) {
            if (d.side != side) {
                continue;
            }
            CRect r;
            d.bar->GetWindowRect(&r);
            ScreenToClient(&r);
            if (acrossStart(wanted) >= acrossStart(r) && acrossStart(wanted) < acrossEnd(r)) {
                entry.row = d.row;
                placed = true;
                break;
            }
            nearestStart = any ? std::min(nearestStart, acrossStart(r)) : acrossStart(r);
            any = true;
        }
        if (!placed && any && side != AFX_IDW_DOCKBAR_BOTTOM && side != AFX_IDW_DOCKBAR_RIGHT &&
            acrossStart(wanted) < nearestStart) {
            entry.row = minRow - 1; // a new row nearer the edge than the others
        }
    }
    m_docked.push_back(entry);
    RecalcLayout();
}

std::vector<std::vector<CControlBar*>> CFrameWnd::DockedRows(UINT nDockBarID) const
{
    std::map<int, std::vector<const Docked*>> rows;
    for (const Docked& d : m_docked) {
        if (d.side == nDockBarID) {
            rows[d.row].push_back(&d);
        }
    }
    std::vector<std::vector<CControlBar*>> result;
    for (auto& [row, bars] : rows) {
        std::stable_sort(bars.begin(), bars.end(),
                         [](const Docked* a, const Docked* b) { return a->x < b->x; });
        std::vector<CControlBar*> line;
        for (const Docked* d : bars) {
            line.push_back(d->bar);
        }
        result.push_back(std::move(line));
    }
    return result;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL)
{
    if (pBar != nullptr) {
        pBar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
        RecalcLayout();
    }
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    for (CWnd* child : GetChildren()) {
        if (auto* bar = dynamic_cast<CControlBar*>(child);
            bar != nullptr && bar->GetDlgCtrlID() == static_cast<int>(nID)) {
            return bar;
        }
    }
    return nullptr;
}

CStatusBar* CFrameWnd::GetMessageBar()
{
    return dynamic_cast<CStatusBar*>(GetDescendantWindow(AFX_IDW_STATUS_BAR));
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_hWnd == nullptr) {
        return;
    }
    CRect area;
    GetClientRect(&area);
    std::vector<CControlBar*> docked;
    for (const Docked& d : m_docked) {
        docked.push_back(d.bar);
    }
    auto isDocked = [&docked](CControlBar* bar) {
        return std::find(docked.begin(), docked.end(), bar) != docked.end();
    };
    auto visible = [](CWnd* w) { return (w->GetStyle() & WS_VISIBLE) != 0; };

    // The menu bar heads the frame, above every other bar.
    if (m_menuBar && ::IsWindow(m_menuBar->GetSafeHwnd()) && visible(m_menuBar.get())) {
        const int height = m_menuBar->CalcFixedLayout(TRUE, TRUE).cy;
        m_menuBar->SetWindowPos(nullptr, area.left, area.top, area.Width(), height, SWP_NOZORDER);
        area.top += height;
    }

    // Bars that are not docked sit on their own edge across the whole width: the status bar at
    // the bottom, a top bar before it is docked at the top.
    for (CWnd* child : GetChildren()) {
        auto* bar = dynamic_cast<CControlBar*>(child);
        if (bar == nullptr || bar == m_menuBar.get() || isDocked(bar) || !visible(bar)) {
            continue;
        }
        const CSize size = bar->CalcFixedLayout(TRUE, TRUE);
        const DWORD align = bar->GetBarStyle() & CBRS_ALIGN_ANY;
        if ((align & CBRS_ALIGN_BOTTOM) != 0) {
            area.bottom -= size.cy;
            bar->SetWindowPos(nullptr, area.left, area.bottom, area.Width(), size.cy, SWP_NOZORDER);
        }
    }

    // Docked rows, each as deep as its deepest bar; bars keep their wished position along the
    // row but never overlap the one before.
    for (UINT side :
         {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
        const bool horz = IsHorizontalSide(side);
        std::map<int, std::vector<const Docked*>> rows;
        for (const Docked& d : m_docked) {
            if (d.side == side && visible(d.bar)) {
                rows[d.row].push_back(&d);
            }
        }
        for (auto& [row, bars] : rows) {
            std::stable_sort(bars.begin(), bars.end(),
                             [](const Docked* a, const Docked* b) { return a->x < b->x; });
            int depth = 0;
            for (const Docked* d : bars) {
                const CSize s = d->bar->CalcFixedLayout(FALSE, horz ? TRUE : FALSE);
                depth = std::max(depth, horz ? s.cy : s.cx);
            }
            int cursor = horz ? area.left : area.top;
            for (const Docked* d : bars) {
                const CSize s = d->bar->CalcFixedLayout(FALSE, horz ? TRUE : FALSE);
                const int start = std::max(cursor, d->x);
                switch (side) {
                case AFX_IDW_DOCKBAR_TOP:
                    d->bar->SetWindowPos(nullptr, start, area.top, s.cx, s.cy, SWP_NOZORDER);
                    break;
                case AFX_IDW_DOCKBAR_BOTTOM:
                    d->bar->SetWindowPos(nullptr, start, area.bottom - depth, s.cx, s.cy, SWP_NOZORDER);
                    break;
                case AFX_IDW_DOCKBAR_LEFT:
                    d->bar->SetWindowPos(nullptr, area.left, start, s.cx, s.cy, SWP_NOZORDER);
                    break;
                default:
                    d->bar->SetWindowPos(nullptr, area.right - depth, start, s.cx, s.cy, SWP_NOZORDER);
                    break;
                }
                cursor = start + (horz ? s.cx : s.cy);
            }
            switch (side) {
            case AFX_IDW_DOCKBAR_TOP:
                area.top += depth;
                break;
            case AFX_IDW_DOCKBAR_BOTTOM:
                area.bottom -= depth;
                break;
            case AFX_IDW_DOCKBAR_LEFT:
                area.left += depth;
                break;
            default:
                area.right -= depth;
                break;
            }
        }
        if (side == AFX_IDW_DOCKBAR_TOP) {
            for (CWnd* child : GetChildren()) {
                auto* bar = dynamic_cast<CControlBar*>(child);
                if (bar == nullptr || bar == m_menuBar.get() || isDocked(bar) || !visible(bar) ||
                    (bar->GetBarStyle() & CBRS_ALIGN_TOP) == 0) {
                    continue;
                }
                const CSize size = bar->CalcFixedLayout(FALSE, TRUE);
                bar->SetWindowPos(nullptr, area.left, area.top, size.cx, size.cy, SWP_NOZORDER);
                area.top += size.cy;
            }
        }
    }

    if (area.bottom < area.top) {
        area.bottom = area.top;
    }
    if (area.right < area.left) {
        area.right = area.left;
    }
    m_clientArea = area;
    if (CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST)) {
        pane->MoveWindow(area);
    }
}

// ----- commands and messages ---------------------------------------------------------------

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYDOWN && pMsg->message <= WM_SYSCHAR && m_hAccelTable != nullptr &&
        TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg) != 0) {
        return TRUE;
    }
    // Alt with a title's underlined letter opens that menu.
    if (pMsg->message == WM_SYSKEYDOWN && m_menuBar && ::IsWindow(m_menuBar->GetSafeHwnd())) {
        const WPARAM key = pMsg->wParam;
        if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
            const int title = m_menuBar->FindMnemonic(static_cast<char>(key));
            if (title >= 0) {
                m_menuBar->OpenTitle(title);
                return TRUE;
            }
        }
    }
    return FALSE;
}

void CFrameWnd::SetMessageText(const std::string& text)
{
    if (CStatusBar* bar = GetMessageBar()) {
        const int pane = bar->CommandToIndex(ID_SEPARATOR);
        bar->SetPaneText(pane < 0 ? 0 : pane, text);
    }
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    std::string text;
    if (lParam != 0) {
        text = reinterpret_cast<const char*>(lParam);
    } else if (wParam == AFX_IDS_IDLEMESSAGE) {
        if (!GetResources().LoadString(AFX_IDS_IDLEMESSAGE, text)) {
            text = "Ready";
        }
    } else if (wParam != 0) {
        // The prompt is the part of the command's string before the tool tip.
        text = ExtractSubString(GetResources().LoadString(static_cast<UINT>(wParam)), 0);
    }
    SetMessageText(text);
    return 0;
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (pPopupMenu == nullptr || bSysMenu) {
        return;
    }
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    for (int i = 0; i < pPopupMenu->GetMenuItemCount(); ++i) {
        state.m_nIndexMax = static_cast<UINT>(pPopupMenu->GetMenuItemCount());
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = pPopupMenu->GetMenuItemID(i);
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) {
            continue; // separators and submenus have no command
        }
        state.m_pSubMenu = nullptr;
        state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        // The recent-file entries replace their placeholder: step over the items they added.
        if (state.m_nID >= ID_FILE_MRU_FILE1 && state.m_nID <= ID_FILE_MRU_LAST) {
            while (i + 1 < pPopupMenu->GetMenuItemCount()) {
                const UINT next = pPopupMenu->GetMenuItemID(i + 1);
                if (next < ID_FILE_MRU_FILE1 || next > ID_FILE_MRU_LAST) {
                    break;
                }
                ++i;
            }
        }
    }
}

LRESULT CFrameWnd::OnInitMenuPopupMsg(WPARAM wParam, LPARAM lParam)
{
    OnInitMenuPopup(reinterpret_cast<CMenu*>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
                    HIWORD(static_cast<std::uintptr_t>(lParam)));
    return 0;
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    OnUpdateFrameTitle(TRUE);
    return 0;
}

LRESULT CFrameWnd::OnDropFiles(WPARAM wParam, LPARAM)
{
    auto* drop = reinterpret_cast<const DropFiles*>(wParam);
    CWinApp* app = AfxGetApp();
    if (drop == nullptr || app == nullptr || !AcceptsFiles()) {
        return 0;
    }
    SetActiveWindow();
    for (const std::string& file : drop->files) {
        app->OpenDocumentFile(file.c_str());
    }
    return 0;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    const UINT vk = pCmdUI->m_nID == ID_INDICATOR_CAPS  ? VK_CAPITAL
                    : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                        : VK_SCROLL;
    pCmdUI->Enable((GetKeyState(vk) & 1) != 0);
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* bar = GetControlBar(pCmdUI->m_nID);
    if (bar == nullptr) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) != 0 ? 1 : 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* bar = GetControlBar(nID);
    if (bar == nullptr) {
        return FALSE;
    }
    ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    auto* context =
        lpCreateStruct != nullptr ? static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams) : nullptr;
    return OnCreateClient(lpCreateStruct, context) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass) {
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr ? TRUE : FALSE;
    }
    return TRUE;
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED) {
        RecalcLayout();
    }
}

void CFrameWnd::OnClose()
{
    CDocument* doc = GetActiveDocument();
    if (doc != nullptr && !doc->CanCloseFrame(this)) {
        return;
    }
    HWND self = m_hWnd;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        // Closing the main window closes every document (and with it this frame).
        app->CloseAllDocuments(FALSE);
        if (CWnd::FromHandle(self) == this) {
            DestroyWindow();
        }
        return;
    }
    if (doc != nullptr && doc->GetViews().size() == 1) {
        doc->OnCloseDocument();
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    m_pViewActive = nullptr;
}

void CFrameWnd::OnSetFocus(CWnd*)
{
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr) {
        m_pViewActive->SetFocus();
    }
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    if (m_bAutoDelete) {
        delete this;
    }
}
