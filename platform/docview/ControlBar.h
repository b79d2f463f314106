#pragma once

// Bars along the edges of a frame (toolbars, the status bar). A bar reports the size it wants;
// the frame places it. Bars update their elements from the command targets while the program
// is idle (WM_IDLEUPDATECMDUI).

#include "platform/window/Wnd.h"

class CFrameWnd;

// Bar styles (kept apart from the window style).
enum : DWORD {
    CBRS_BORDER_LEFT = 0x0100,
    CBRS_BORDER_TOP = 0x0200,
    CBRS_BORDER_RIGHT = 0x0400,
    CBRS_BORDER_BOTTOM = 0x0800,
    CBRS_BORDER_ANY = 0x0F00,
    CBRS_ALIGN_LEFT = 0x1000,
    CBRS_ALIGN_TOP = 0x2000,
    CBRS_ALIGN_RIGHT = 0x4000,
    CBRS_ALIGN_BOTTOM = 0x8000,
    CBRS_ALIGN_ANY = 0xF000,
    CBRS_TOOLTIPS = 0x0010,
    CBRS_FLYBY = 0x0020,
    CBRS_SIZE_DYNAMIC = 0x0040,
    CBRS_SIZE_FIXED = 0x0080,
    CBRS_FLOAT_MULTI = 0x0004,
    CBRS_GRIPPER = 0x00400000,
    CBRS_ALL = 0x0040FFFF,
    CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM,
    CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP,
    CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT,
    CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT,
};

// Dock places of a frame.
enum : UINT {
    AFX_IDW_DOCKBAR_TOP = 0xE81B,
    AFX_IDW_DOCKBAR_LEFT = 0xE81C,
    AFX_IDW_DOCKBAR_RIGHT = 0xE81D,
    AFX_IDW_DOCKBAR_BOTTOM = 0xE81E,
};

// The idle prompt shown in the message pane.
enum : UINT { AFX_IDS_IDLEMESSAGE = 0xE001 };

class CControlBar : public CWnd {
public:
    // The size the bar wants when laid out along an edge.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) = 0;
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle & CBRS_ALL; }
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY; }
    DWORD GetDockStyle() const { return m_dwDockStyle; }
    BOOL IsFloating() const { return FALSE; }
    CFrameWnd* GetParentFrame() const;
    // How often the user started to drag the bar off its dock.
    int DragStartCount() const { return m_nDragStarts; }

    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT nFlags, CPoint point);

protected:
    // Splits a creation style into the window part and the bar part.
    DWORD TakeBarStyle(DWORD dwStyle);

    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    int m_nDragStarts = 0;

    DECLARE_MESSAGE_MAP()
};
