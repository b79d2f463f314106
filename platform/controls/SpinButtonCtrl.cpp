#include "platform/controls/SpinButtonCtrl.h"

#include "platform/drawing/Look.h"

#include "platform/drawing/DC.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

BOOL CSpinButtonCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("msctls_updown32", "", style, rect, parent, id);
}

void CSpinButtonCtrl::SetRange32(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    lower = m_lower;
    upper = m_upper;
}

int CSpinButtonCtrl::SetPos(int pos)
{
    int old = m_pos;
    m_pos = std::clamp(pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
    ShowInBuddy();
    return old;
}

int CSpinButtonCtrl::GetPos() const
{
    if ((GetStyle() & UDS_SETBUDDYINT) && GetBuddy() != nullptr) {
        std::string text = GetBuddy()->GetWindowText();
        text.erase(std::remove(text.begin(), text.end(), ','), text.end());
        errno = 0;
        char* end = nullptr;
        long v = std::strtol(text.c_str(), &end, m_base);
        if (end != text.c_str() && errno == 0)
            return static_cast<int>(
                std::clamp<long>(v, std::min(m_lower, m_upper), std::max(m_lower, m_upper)));
    }
    return m_pos;
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy)
{
    CWnd* old = GetBuddy();
    m_buddy = buddy != nullptr ? buddy->GetSafeHwnd() : nullptr;
    return old;
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    return CWnd::FromHandle(m_buddy);
}

int CSpinButtonCtrl::SetBase(int base)
{
    if (base != 10 && base != 16)
        return 0;
    int old = m_base;
    m_base = base;
    return old;
}

void CSpinButtonCtrl::ShowInBuddy()
{
    CWnd* buddy = GetBuddy();
    if (buddy == nullptr || !(GetStyle() & UDS_SETBUDDYINT))
        return;
    char text[32];
    std::snprintf(text, sizeof text, m_base == 16 ? "0x%X" : "%d", m_pos);
    buddy->SetWindowText(text);
}

void CSpinButtonCtrl::UserStep(int towardsUpper)
{
    if (!IsWindowEnabled())
        return;
    HWND self = m_hWnd;
    auto alive = [&] { return CWnd::FromHandle(self) == this; };
    m_pos = GetPos();
    int delta = (m_upper >= m_lower ? 1 : -1) * towardsUpper;
    NMUPDOWN nm;
    nm.iPos = m_pos;
    nm.iDelta = delta;
    if (SendNotify(nm.hdr, UDN_DELTAPOS) != 0 || !alive())
        return;
    int lo = std::min(m_lower, m_upper), hi = std::max(m_lower, m_upper);
    int next = m_pos + nm.iDelta;
    if (next < lo || next > hi)
        next = (GetStyle() & UDS_WRAP) ? (next < lo ? hi : lo) : std::clamp(next, lo, hi);
    m_pos = next;
    ShowInBuddy();
    if (!alive())
        return;
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return;
    UINT message = (GetStyle() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    parent->SendMessage(message, MAKEWPARAM(SB_THUMBPOSITION, static_cast<unsigned>(m_pos)),
                        reinterpret_cast<LPARAM>(self));
    if (alive() && GetParent() != nullptr)
        GetParent()->SendMessage(message, MAKEWPARAM(SB_ENDSCROLL, static_cast<unsigned>(m_pos)),
                                 reinterpret_cast<LPARAM>(self));
}

LRESULT CSpinButtonCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        CRect r;
        GetClientRect(&r);
        CPoint p = LParamToPoint(lParam);
        bool first = (GetStyle() & UDS_HORZ) ? p.x < r.CenterPoint().x : p.y < r.CenterPoint().y;
        // The upper (or left) button counts towards the upper end.
        UserStep(((GetStyle() & UDS_HORZ) ? !first : first) ? +1 : -1);
        return 0;
    }
    default:
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CSpinButtonCtrl::Paint(CDC& dc)
{
    CRect r;
    GetClientRect(&r);
    // Horizontal: the left button lowers the value, the right raises it.
    ui::DrawStepButtons(dc, r, (GetStyle() & UDS_HORZ) != 0, !IsWindowEnabled());
}
