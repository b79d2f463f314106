#include "platform/controls/SliderCtrl.h"

#include "platform/drawing/DC.h"

#include <algorithm>
#include <cstdlib>

BOOL CSliderCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("msctls_trackbar32", "", style, rect, parent, id);
}

void CSliderCtrl::SetRange(int minimum, int maximum, BOOL redraw)
{
    m_min = minimum;
    m_max = std::max(minimum, maximum);
    m_pos = std::clamp(m_pos, m_min, m_max);
    if (redraw)
        Invalidate();
}

void CSliderCtrl::GetRange(int& minimum, int& maximum) const
{
    minimum = m_min;
    maximum = m_max;
}

void CSliderCtrl::SetPos(int pos)
{
    m_pos = std::clamp(pos, m_min, m_max);
    Invalidate();
}

int CSliderCtrl::SetPageSize(int size)
{
    int old = m_page;
    m_page = size;
    return old;
}

int CSliderCtrl::SetLineSize(int size)
{
    int old = m_line;
    m_line = size;
    return old;
}

void CSliderCtrl::Scroll(UINT code, int pos)
{
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return;
    UINT message = (GetStyle() & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    parent->SendMessage(message, MAKEWPARAM(code, static_cast<unsigned>(pos)),
                        reinterpret_cast<LPARAM>(m_hWnd));
}

void CSliderCtrl::UserDrag(std::initializer_list<int> positions)
{
    if (!IsWindowEnabled() || positions.size() == 0)
        return;
    HWND self = m_hWnd;
    SetFocus();
    for (int p : positions) {
        if (CWnd::FromHandle(self) != this)
            return;
        m_pos = std::clamp(p, m_min, m_max);
        Invalidate();
        Scroll(TB_THUMBTRACK, m_pos);
    }
    if (CWnd::FromHandle(self) != this)
        return;
    Scroll(TB_THUMBPOSITION, m_pos);
    if (CWnd::FromHandle(self) == this)
        Scroll(TB_ENDTRACK, 0);
}

void CSliderCtrl::UserStep(int code)
{
    if (!IsWindowEnabled())
        return;
    int delta = code == SB_LINEUP     ? -m_line
                : code == SB_LINEDOWN ? m_line
                : code == SB_PAGEUP   ? -m_page
                                      : m_page;
    m_pos = std::clamp(m_pos + delta, m_min, m_max);
    Invalidate();
    HWND self = m_hWnd;
    Scroll(static_cast<UINT>(code), m_pos);
    if (CWnd::FromHandle(self) == this)
        Scroll(TB_ENDTRACK, 0);
}

CRect CSliderCtrl::Channel() const
{
    CRect r;
    GetClientRect(&r);
    if (GetStyle() & TBS_VERT) {
        const int cx = r.left + r.Width() / 2;
        return CRect(cx - 2, r.top + 8, cx + 2, r.bottom - 8);
    }
    const int cy = r.top + r.Height() / 2;
    return CRect(r.left + 8, cy - 2, r.right - 8, cy + 2);
}

int CSliderCtrl::ThumbAt() const
{
    const CRect c = Channel();
    const int span = std::max(1, m_max - m_min);
    return (GetStyle() & TBS_VERT) ? c.top + (c.Height() * (m_pos - m_min)) / span
                                   : c.left + (c.Width() * (m_pos - m_min)) / span;
}

int CSliderCtrl::PosAt(CPoint client) const
{
    const CRect c = Channel();
    const bool vertical = (GetStyle() & TBS_VERT) != 0;
    const int length = std::max(1, vertical ? c.Height() : c.Width());
    const int offset = vertical ? client.y - c.top : client.x - c.left;
    const int span = m_max - m_min;
    // Rounded to the nearest position.
    const int pos = m_min + (offset * span + (offset >= 0 ? length / 2 : -length / 2)) / length;
    return std::clamp(pos, m_min, m_max);
}

LRESULT CSliderCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: { // a quick second press pages again
        HWND self = m_hWnd;
        SetFocus();
        if (CWnd::FromHandle(self) != this || !IsWindowEnabled())
            return 0;
        // A press on the thumb takes it along with the pointer; one beside it pages toward
        // the press.
        const CPoint at = LParamToPoint(lParam);
        const int along = (GetStyle() & TBS_VERT) ? at.y : at.x;
        const int thumb = ThumbAt();
        if (std::abs(along - thumb) <= 6) {
            m_dragging = true;
            SetCapture();
        } else {
            UserStep(along < thumb ? SB_PAGEUP : SB_PAGEDOWN);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_dragging) {
            const int pos = PosAt(LParamToPoint(lParam));
            if (pos != m_pos) {
                m_pos = pos;
                Invalidate();
                Scroll(TB_THUMBTRACK, m_pos);
            }
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
        if (m_dragging) {
            m_dragging = false;
            if (CWnd::GetCapture() == this)
                ReleaseCapture();
            HWND self = m_hWnd;
            Scroll(TB_THUMBPOSITION, m_pos);
            if (CWnd::FromHandle(self) == this)
                Scroll(TB_ENDTRACK, 0);
        }
        return 0;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_LEFT:
        case VK_UP: UserStep(SB_LINEUP); break;
        case VK_RIGHT:
        case VK_DOWN: UserStep(SB_LINEDOWN); break;
        case VK_PRIOR: UserStep(SB_PAGEUP); break;
        case VK_NEXT: UserStep(SB_PAGEDOWN); break;
        default: break;
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    default:
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CSliderCtrl::Paint(CDC& dc)
{
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    const bool vertical = (GetStyle() & TBS_VERT) != 0;
    const int span = std::max(1, m_max - m_min);
    if (!vertical) {
        int cy = r.top + r.Height() / 2;
        CRect channel(r.left + 8, cy - 2, r.right - 8, cy + 2);
        dc.DrawEdge(&channel, EDGE_SUNKEN, BF_RECT);
        int x = channel.left + (channel.Width() * (m_pos - m_min)) / span;
        CRect thumb(x - 5, cy - 9, x + 6, cy + 9);
        dc.FillSolidRect(thumb, GetSysColor(COLOR_BTNFACE));
        dc.DrawEdge(&thumb, EDGE_RAISED, BF_RECT);
        if (!(GetStyle() & TBS_NOTICKS) && m_ticFreq > 0 && span / m_ticFreq <= 200)
            for (int v = m_min; v <= m_max; v += m_ticFreq) {
                int tx = channel.left + (channel.Width() * (v - m_min)) / span;
                dc.FillSolidRect(CRect(tx, cy + 11, tx + 1, cy + 14), RGB(0, 0, 0));
            }
    } else {
        int cx = r.left + r.Width() / 2;
        CRect channel(cx - 2, r.top + 8, cx + 2, r.bottom - 8);
        dc.DrawEdge(&channel, EDGE_SUNKEN, BF_RECT);
        int y = channel.top + (channel.Height() * (m_pos - m_min)) / span;
        CRect thumb(cx - 9, y - 5, cx + 9, y + 6);
        dc.FillSolidRect(thumb, GetSysColor(COLOR_BTNFACE));
        dc.DrawEdge(&thumb, EDGE_RAISED, BF_RECT);
    }
}
