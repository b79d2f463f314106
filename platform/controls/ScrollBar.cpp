#include "platform/controls/ScrollBar.h"

#include "platform/drawing/Look.h"

#include "platform/drawing/DC.h"

#include <algorithm>

BOOL CScrollBar::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("ScrollBar", "", style, rect, parent, id);
}

int CScrollBar::GetScrollLimit() const
{
    int limit = m_max - (m_page > 0 ? static_cast<int>(m_page) - 1 : 0);
    return std::max(m_min, limit);
}

int CScrollBar::SetScrollPos(int pos, BOOL redraw)
{
    int old = m_pos;
    m_pos = std::clamp(pos, m_min, GetScrollLimit());
    if (redraw)
        Invalidate();
    return old;
}

void CScrollBar::SetScrollRange(int minimum, int maximum, BOOL redraw)
{
    m_min = minimum;
    m_max = std::max(minimum, maximum);
    m_pos = std::clamp(m_pos, m_min, GetScrollLimit());
    if (redraw)
        Invalidate();
}

void CScrollBar::GetScrollRange(int* minimum, int* maximum) const
{
    if (minimum != nullptr)
        *minimum = m_min;
    if (maximum != nullptr)
        *maximum = m_max;
}

BOOL CScrollBar::SetScrollInfo(const SCROLLINFO* info, BOOL redraw)
{
    if (info == nullptr)
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        m_min = info->nMin;
        m_max = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE)
        m_page = info->nPage;
    if (info->fMask & SIF_POS)
        m_pos = info->nPos;
    m_pos = std::clamp(m_pos, m_min, GetScrollLimit());
    if (redraw)
        Invalidate();
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(SCROLLINFO* info, UINT mask) const
{
    if (info == nullptr)
        return FALSE;
    info->fMask = mask;
    info->nMin = m_min;
    info->nMax = m_max;
    info->nPage = m_page;
    info->nPos = m_pos;
    info->nTrackPos = m_pos;
    return TRUE;
}

void CScrollBar::UserScroll(UINT code, int thumbPos)
{
    CWnd* parent = GetParent();
    if (parent == nullptr || !IsWindowEnabled())
        return;
    HWND self = m_hWnd;
    UINT message = (GetStyle() & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    parent->SendMessage(message, MAKEWPARAM(code, static_cast<unsigned>(thumbPos)),
                        reinterpret_cast<LPARAM>(self));
    if (CWnd::FromHandle(self) == this && GetParent() != nullptr)
        GetParent()->SendMessage(message, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(self));
}

void CScrollBar::Layout(CRect& lessArrow, CRect& moreArrow, CRect& thumbRect) const
{
    CRect r;
    GetClientRect(&r);
    const bool vertical = (GetStyle() & SBS_VERT) != 0;
    const int length = vertical ? r.Height() : r.Width();
    const int breadth = vertical ? r.Width() : r.Height();
    // A bar shorter than its two square arrows shares its length between them and has no
    // thumb: a small bar beside a number box is a pair of step buttons.
    const int arrow = std::min(breadth, length / 2);
    const int track = length - 2 * arrow;
    const int span = std::max(1, m_max - m_min + 1);
    const int thumb = m_page > 0 ? std::max(8, track * static_cast<int>(m_page) / span) : breadth;
    lessArrow = vertical ? CRect(r.left, r.top, r.right, r.top + arrow) : CRect(r.left, r.top, r.left + arrow, r.bottom);
    moreArrow = vertical ? CRect(r.left, r.bottom - arrow, r.right, r.bottom)
                         : CRect(r.right - arrow, r.top, r.right, r.bottom);
    if (thumb > track) {
        thumbRect = CRect();
        return;
    }
    const int at = arrow + (track - thumb) * (m_pos - m_min) / std::max(1, GetScrollLimit() - m_min);
    thumbRect = vertical ? CRect(r.left, r.top + at, r.right, r.top + at + thumb)
                         : CRect(r.left + at, r.top, r.left + at + thumb, r.bottom);
}

int CScrollBar::PosAt(CPoint client) const
{
    CRect less, more, thumb;
    Layout(less, more, thumb);
    const bool vertical = (GetStyle() & SBS_VERT) != 0;
    const int start = vertical ? less.bottom : less.right;
    const int thumbLength = vertical ? thumb.Height() : thumb.Width();
    const int room = std::max(1, (vertical ? more.top : more.left) - start - thumbLength);
    const int offset = (vertical ? client.y : client.x) - m_grab - start;
    const int span = GetScrollLimit() - m_min;
    return std::clamp(m_min + (offset * span + room / 2) / room, m_min, GetScrollLimit());
}

LRESULT CScrollBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool vertical = (GetStyle() & SBS_VERT) != 0;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: { // a quick second click steps again
        if (!IsWindowEnabled())
            return 0;
        // The arrows step a line, the track beside the thumb a page; the thumb is dragged.
        // The owner moves the bar, as it does for any scroll request.
        const CPoint at = LParamToPoint(lParam);
        CRect less, more, thumb;
        Layout(less, more, thumb);
        if (less.PtInRect(at)) {
            UserScroll(SB_LINEUP, 0);
        } else if (more.PtInRect(at)) {
            UserScroll(SB_LINEDOWN, 0);
        } else if (thumb.PtInRect(at)) {
            m_dragging = true;
            m_grab = vertical ? at.y - thumb.top : at.x - thumb.left;
            m_track = m_pos;
            SetCapture();
        } else if (!thumb.IsRectEmpty()) {
            const bool before = vertical ? at.y < thumb.top : at.x < thumb.left;
            UserScroll(before ? SB_PAGEUP : SB_PAGEDOWN, 0);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_dragging) {
            const int pos = PosAt(LParamToPoint(lParam));
            if (pos != m_track) {
                m_track = pos;
                CWnd* parent = GetParent();
                if (parent != nullptr)
                    parent->SendMessage(vertical ? WM_VSCROLL : WM_HSCROLL,
                                        MAKEWPARAM(SB_THUMBTRACK, static_cast<unsigned>(pos)),
                                        reinterpret_cast<LPARAM>(m_hWnd));
            }
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
        if (m_dragging) {
            m_dragging = false;
            if (CWnd::GetCapture() == this)
                ReleaseCapture();
            UserScroll(SB_THUMBPOSITION, m_track);
        }
        return 0;
    default:
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CScrollBar::Paint(CDC& dc)
{
    CRect r;
    GetClientRect(&r);
    const bool vertical = (GetStyle() & SBS_VERT) != 0;
    CRect less, more, thumb;
    Layout(less, more, thumb);
    if (thumb.IsRectEmpty() && (vertical ? more.top - less.bottom : more.left - less.right) <= 1) {
        // No room but for the arrows: two step buttons, as a spin control shows them.
        ui::DrawStepButtons(dc, r, !vertical, !IsWindowEnabled());
        return;
    }
    // A flat trough, the step buttons as chevrons at its ends and the slider a pill.
    const ui::LookColours& look = ui::GetLookColours();
    dc.FillSolidRect(r, look.trough);
    const COLORREF arrow = IsWindowEnabled() ? look.slider : ui::MixColours(look.slider, look.trough, 40);
    const int size = std::max(4, std::min(less.Width(), less.Height()) / 2);
    ui::DrawChevron(dc, less.CenterPoint(), vertical ? 0 : -1, vertical ? -1 : 0, size, arrow);
    ui::DrawChevron(dc, more.CenterPoint(), vertical ? 0 : 1, vertical ? 1 : 0, size, arrow);
    if (IsWindowEnabled() && !thumb.IsRectEmpty())
        ui::DrawSlider(dc, thumb, vertical, m_dragging);
}
