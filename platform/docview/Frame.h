#pragma once

// The main frame: a top-level window with a menu, accelerators, docked bars along its edges,
// a status bar and one view filling the rest. Commands reach the active view (and its
// document) first, then the frame, then the application.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/docview/ControlBar.h"
#include "platform/docview/Menu.h"
#include "platform/docview/Resources.h"
#include "platform/window/Wnd.h"

class CDocument;
class CDocTemplate;
class CView;
class CStatusBar;
class CMenuBar;

// Frame styles.
enum : DWORD { FWS_ADDTOTITLE = 0x00008000, FWS_PREFIXTITLE = 0x00004000 };

// What a frame needs to build its view: how to make it and which document it shows.
struct CCreateContext {
    std::function<std::unique_ptr<CView>()> m_pNewViewClass;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    class CFrameWnd* m_pCurrentFrame = nullptr;
};

// The files of a drop (WM_DROPFILES carries a pointer to this in wParam).
struct DropFiles {
    std::vector<std::string> files;
};

// Sent to every view of a frame when its document is ready to show.
enum : UINT { WM_INITIALUPDATE = 0x0364 };

class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Title from the string resource (first part), menu and accelerators of the same id.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const CRect& rect = CRect(0, 0, 800, 600), CWnd* pParentWnd = nullptr, UINT nIDMenu = 0,
                CCreateContext* pContext = nullptr);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // --- view and document ----------------------------------------------------------------
    virtual CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    CFrameWnd* GetActiveFrame() { return this; }
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title) { m_strTitle = title; }

    // --- bars and layout ------------------------------------------------------------------
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY; }
    // Docks a bar on a side (AFX_IDW_DOCKBAR_* or 0 for the bar's own alignment). With a
    // rectangle (screen coordinates) the bar joins the row its top falls in, at its left edge,
    // pushing right when that place is taken; without one it starts a new row.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, const CRect* lpRect = nullptr);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // The docked bars of one side, row by row, each row left to right.
    std::vector<std::vector<CControlBar*>> DockedRows(UINT nDockBarID) const;
    CStatusBar* GetMessageBar();
    // The bar showing the frame's menu, null for a frame without one.
    CMenuBar* GetMenuBar() const { return m_menuBar.get(); }

    // --- commands and messages ------------------------------------------------------------
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void SetMessageText(const std::string& text);
    void SetMessageText(UINT nID);
    // Runs the update handlers of every item of a popup about to open.
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnDestroy();
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnInitMenuPopupMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);
    void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    BOOL OnBarCheck(UINT nID);

    void PostNcDestroy() override;

    HACCEL m_hAccelTable = nullptr;
    BOOL m_bAutoMenuEnable = TRUE;
    // Set for frames a document template makes (they delete themselves when destroyed); a
    // frame owned by other code keeps it false.
    bool m_bAutoDelete = false;
    std::string m_strTitle;

protected:
    struct Docked {
        CControlBar* bar = nullptr;
        UINT side = AFX_IDW_DOCKBAR_TOP;
        int row = 0;
        int x = 0;
    };
    void RemoveFromDock(CControlBar* pBar);
    bool IsHorizontalSide(UINT side) const
    {
        return side == AFX_IDW_DOCKBAR_TOP || side == AFX_IDW_DOCKBAR_BOTTOM;
    }

    CView* m_pViewActive = nullptr;
    DWORD m_dwDockStyle = 0;
    std::vector<Docked> m_docked;
    std::unique_ptr<CMenu> m_menu;
    std::unique_ptr<CMenuBar> m_menuBar;
    UINT m_nIDResource = 0;
    CRect m_clientArea; // what RecalcLayout left for the view

    DECLARE_MESSAGE_MAP()
};
