#include "platform/controls/ProgressCtrl.h"

#include "platform/drawing/DC.h"

#include <algorithm>

BOOL CProgressCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("msctls_progress32", "", style, rect, parent, id);
}

void CProgressCtrl::SetRange32(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    m_pos = std::clamp(m_pos, std::min(lower, upper), std::max(lower, upper));
    Invalidate();
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    lower = m_lower;
    upper = m_upper;
}

int CProgressCtrl::SetPos(int pos)
{
    int old = m_pos;
    m_pos = std::clamp(pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
    Invalidate();
    return old;
}

int CProgressCtrl::OffsetPos(int delta)
{
    return SetPos(m_pos + delta);
}

int CProgressCtrl::SetStep(int step)
{
    int old = m_step;
    m_step = step;
    return old;
}

int CProgressCtrl::StepIt()
{
    int old = m_pos;
    long long next = static_cast<long long>(m_pos) + m_step;
    long long span = static_cast<long long>(m_upper) - m_lower;
    if (span <= 0) {
        m_pos = m_lower;
    } else if (next > m_upper) {
        m_pos = static_cast<int>(m_lower + (next - m_lower) % span);
    } else if (next < m_lower) {
        m_pos = m_upper;
    } else {
        m_pos = static_cast<int>(next);
    }
    Invalidate();
    return old;
}

void CProgressCtrl::Paint(CDC& dc)
{
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    CRect inner = r;
    dc.DrawEdge(&inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    long long span = std::max(1LL, static_cast<long long>(m_upper) - m_lower);
    int filled = static_cast<int>(inner.Width() * (static_cast<long long>(m_pos) - m_lower) / span);
    dc.FillSolidRect(CRect(inner.left, inner.top, inner.left + filled, inner.bottom),
                     GetSysColor(COLOR_HIGHLIGHT));
}
