#pragma once

// Views: the child windows that show a document inside a frame, and the scrolling view whose
// logical area may be larger than its window.

#include <memory>

#include "platform/window/Wnd.h"

class CDocument;
class CFrameWnd;
class CViewScrollBars;
struct CPrintInfo;

class CView : public CWnd {
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    virtual void OnDraw(CDC* pDC);
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnInitialUpdate();
    // Default: repaint everything.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, void* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    LRESULT OnInitialUpdateMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);

    // Set for views a frame makes (they delete themselves when destroyed); a view owned by
    // other code keeps it false.
    bool m_bAutoDelete = false;

protected:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;

    DECLARE_MESSAGE_MAP()
};

// A view over a logical area larger than its window. Positions are in logical units, which
// equal device pixels in MM_TEXT; the view's window scroll bars follow the position.
class CScrollView : public CView {
public:
    static const CSize sizeDefault;

    CScrollView();
    ~CScrollView() override;

    void SetScrollSizes(int nMapMode, CSize sizeTotal, const CSize& sizePage = sizeDefault,
                        const CSize& sizeLine = sizeDefault);
    CSize GetTotalSize() const { return m_totalLog; }
    int GetMapMode() const { return m_nMapMode; }
    CPoint GetScrollPosition() const { return m_scrollPos; }
    CPoint GetDeviceScrollPosition() const { return m_scrollPos; }
    // Clamped to the scrollable range.
    void ScrollToPosition(CPoint pt);
    // The largest position on each axis (0 when the window is at least as large as the area).
    CSize GetScrollLimit() const;
    bool HasHorzBar() const { return (GetStyle() & WS_HSCROLL) != 0; }
    bool HasVertBar() const { return (GetStyle() & WS_VSCROLL) != 0; }

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    // Moves by a scroll request (SB_ code) on one axis; true when the position changed.
    virtual BOOL OnScroll(int nBar, UINT nSBCode, UINT nPos);
    // The scroll bars shown along the window's edges (null before the first need of one).
    const CViewScrollBars* GetScrollBars() const { return m_bars.get(); }

protected:
    void UpdateBars();
    // The wheel scrolls down and up, with Shift across.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int m_nMapMode = 0;
    CSize m_totalLog;
    CSize m_pageDev;
    CSize m_lineDev;
    CPoint m_scrollPos;
    std::unique_ptr<CViewScrollBars> m_bars;

    DECLARE_MESSAGE_MAP()
};
