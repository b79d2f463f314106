#include "platform/docview/View.h"

#include <algorithm>

#include "platform/drawing/DC.h"
#include "platform/docview/Document.h"
#include "platform/docview/Frame.h"
#include "platform/docview/ViewScrollBars.h"

BEGIN_MESSAGE_MAP(CView, CWnd)
    .OnCreate(&CView::OnCreate)
    .OnDestroy(&CView::OnDestroy)
    .OnPaint(&CView::OnPaint)
    .Message(WM_INITIALUPDATE, &CView::OnInitialUpdateMsg)
    .Message(WM_MOUSEACTIVATE, &CView::OnMouseActivate) END_MESSAGE_MAP()

        CView::CView() = default;

CView::~CView()
{
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
}

CFrameWnd* CView::GetParentFrame() const
{
    for (CWnd* w = GetParent(); w != nullptr; w = w->GetParent()) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(w)) {
            return frame;
        }
    }
    return nullptr;
}

void CView::OnDraw(CDC*)
{
}

void CView::OnPrepareDC(CDC*, CPrintInfo*)
{
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, void*)
{
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL, CView*, CView*)
{
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return TRUE;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
        return TRUE;
    }
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::PostNcDestroy()
{
    if (m_bAutoDelete) {
        delete this;
    }
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    auto* context = lpcs != nullptr ? static_cast<CCreateContext*>(lpcs->lpCreateParams) : nullptr;
    if (context != nullptr && context->m_pCurrentDoc != nullptr) {
        context->m_pCurrentDoc->AddView(this);
    }
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame()) {
        if (frame->GetActiveView() == this) {
            frame->SetActiveView(nullptr, FALSE);
        }
    }
}

void CView::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* dc = BeginPaint(&ps);
    if (dc != nullptr) {
        OnPrepareDC(dc);
        OnDraw(dc);
    }
    EndPaint(&ps);
}

LRESULT CView::OnInitialUpdateMsg(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

LRESULT CView::OnMouseActivate(WPARAM, LPARAM)
{
    // A click in a view makes it the frame's active view and gives it the keyboard.
    if (CFrameWnd* frame = GetParentFrame()) {
        if (frame->GetActiveView() != this) {
            frame->SetActiveView(this);
        }
    }
    return 1;
}

// ----- CScrollView -------------------------------------------------------------------------

const CSize CScrollView::sizeDefault{0, 0};

BEGIN_MESSAGE_MAP(CScrollView, CView)
    .OnSize(&CScrollView::OnSize)
    .OnHScroll(&CScrollView::OnHScroll)
    .OnVScroll(&CScrollView::OnVScroll) END_MESSAGE_MAP()

        void CScrollView::SetScrollSizes(int nMapMode, CSize sizeTotal, const CSize& sizePage,
                                         const CSize& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = CSize(std::max(0, sizeTotal.cx), std::max(0, sizeTotal.cy));
    // Defaults as users know them: a page is a tenth of the area, a line a tenth of a page.
    m_pageDev = sizePage;
    if (m_pageDev.cx <= 0) {
        m_pageDev.cx = std::max(1, m_totalLog.cx / 10);
    }
    if (m_pageDev.cy <= 0) {
        m_pageDev.cy = std::max(1, m_totalLog.cy / 10);
    }
    m_lineDev = sizeLine;
    if (m_lineDev.cx <= 0) {
        m_lineDev.cx = std::max(1, m_pageDev.cx / 10);
    }
    if (m_lineDev.cy <= 0) {
        m_lineDev.cy = std::max(1, m_pageDev.cy / 10);
    }
    UpdateBars();
}

CScrollView::CScrollView() = default;

CScrollView::~CScrollView() = default;

CSize CScrollView::GetScrollLimit() const
{
    CRect client;
    GetClientRect(&client);
    // The bars take their share of the window.
    const CSize shown = CViewScrollBars::Visible(client.Size(), m_totalLog);
    return {std::max(0, m_totalLog.cx - shown.cx), std::max(0, m_totalLog.cy - shown.cy)};
}

void CScrollView::ScrollToPosition(CPoint pt)
{
    const CSize limit = GetScrollLimit();
    const CPoint next(std::clamp(pt.x, 0, limit.cx), std::clamp(pt.y, 0, limit.cy));
    if (next != m_scrollPos) {
        m_scrollPos = next;
        Invalidate();
    }
    if (m_bars != nullptr && m_hWnd != nullptr)
        m_bars->Update(*this, m_totalLog, m_scrollPos);
}

void CScrollView::UpdateBars()
{
    const CSize limit = GetScrollLimit();
    ModifyStyle(limit.cx > 0 ? 0 : WS_HSCROLL, limit.cx > 0 ? WS_HSCROLL : 0);
    ModifyStyle(limit.cy > 0 ? 0 : WS_VSCROLL, limit.cy > 0 ? WS_VSCROLL : 0);
    if (m_bars == nullptr && m_hWnd != nullptr && (limit.cx > 0 || limit.cy > 0))
        m_bars = std::make_unique<CViewScrollBars>();
    // A window that grew past the area shows its start again.
    ScrollToPosition(m_scrollPos);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC != nullptr) {
        pDC->SetMapMode(m_nMapMode != 0 ? m_nMapMode : MM_TEXT);
        pDC->SetViewportOrg(-m_scrollPos.x, -m_scrollPos.y);
    }
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::OnSize(UINT, int, int)
{
    UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CWnd*)
{
    OnScroll(SB_HORZ, nSBCode, nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CWnd*)
{
    OnScroll(SB_VERT, nSBCode, nPos);
}

BOOL CScrollView::OnScroll(int nBar, UINT nSBCode, UINT nPos)
{
    const bool horz = nBar == SB_HORZ;
    const int current = horz ? m_scrollPos.x : m_scrollPos.y;
    const int line = horz ? m_lineDev.cx : m_lineDev.cy;
    const int page = horz ? m_pageDev.cx : m_pageDev.cy;
    const CSize limit = GetScrollLimit();
    const int max = horz ? limit.cx : limit.cy;
    int next = current;
    switch (nSBCode) {
    case SB_LINEUP:
        next -= line;
        break;
    case SB_LINEDOWN:
        next += line;
        break;
    case SB_PAGEUP:
        next -= page;
        break;
    case SB_PAGEDOWN:
        next += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        next = static_cast<int>(nPos);
        break;
    case SB_TOP:
        next = 0;
        break;
    case SB_BOTTOM:
        next = max;
        break;
    default:
        return FALSE;
    }
    next = std::clamp(next, 0, max);
    if (next == current) {
        return FALSE;
    }
    ScrollToPosition(horz ? CPoint(next, m_scrollPos.y) : CPoint(m_scrollPos.x, next));
    return TRUE;
}

LRESULT CScrollView::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEWHEEL) {
        const int notches = static_cast<short>(HIWORD(wParam)) / 120;
        const bool across = (LOWORD(wParam) & MK_SHIFT) != 0;
        const CSize limit = GetScrollLimit();
        if ((across ? limit.cx : limit.cy) == 0)
            return CView::DefWindowProc(message, wParam, lParam);
        // Three lines a notch, as desktops scroll.
        const int line = std::max(1, across ? m_lineDev.cx : m_lineDev.cy);
        const int step = std::max(16, 3 * line);
        const CPoint to = across ? CPoint(m_scrollPos.x - notches * step, m_scrollPos.y)
                                 : CPoint(m_scrollPos.x, m_scrollPos.y - notches * step);
        ScrollToPosition(to);
        return 0;
    }
    return CView::DefWindowProc(message, wParam, lParam);
}
