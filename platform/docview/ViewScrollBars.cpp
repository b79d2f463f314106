#include "platform/docview/ViewScrollBars.h"

#include <algorithm>

#include "platform/controls/ScrollBar.h"
#include "platform/window/Screen.h"
#include "platform/window/Wnd.h"

namespace {

constexpr UINT kHorzId = 0xE901;
constexpr UINT kVertId = 0xE902;

int Thickness()
{
    return GetSystemMetrics(SM_CXVSCROLL);
}

// Shows or hides one bar, creating it on first need; sets its range, page and position.
void Place(std::unique_ptr<CScrollBar>& bar, CWnd& view, bool vertical, bool shown, const CRect& where, int total,
           int page, int pos)
{
    if (!shown) {
        if (bar != nullptr && bar->GetSafeHwnd() != nullptr && bar->IsWindowVisible())
            bar->ShowWindow(SW_HIDE);
        return;
    }
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr) {
        bar = std::make_unique<CScrollBar>();
        if (!bar->Create(WS_CHILD | (vertical ? SBS_VERT : SBS_HORZ), where, &view, vertical ? kVertId : kHorzId)) {
            bar.reset();
            return;
        }
    }
    SCROLLINFO info{};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, total - 1);
    info.nPage = static_cast<UINT>(std::max(0, page));
    info.nPos = pos;
    bar->SetScrollInfo(&info, TRUE);
    if (bar->GetRectInParent() != where)
        bar->MoveWindow(where, TRUE);
    if (!bar->IsWindowVisible())
        bar->ShowWindow(SW_SHOW);
}

} // namespace

CViewScrollBars::CViewScrollBars() = default;

CViewScrollBars::~CViewScrollBars() = default;

CSize CViewScrollBars::Visible(CSize client, CSize total, bool* horz, bool* vert)
{
    const int t = Thickness();
    bool h = total.cx > client.cx;
    bool v = total.cy > client.cy - (h ? t : 0);
    h = total.cx > client.cx - (v ? t : 0);
    if (horz != nullptr)
        *horz = h;
    if (vert != nullptr)
        *vert = v;
    return {std::max(0, client.cx - (v ? t : 0)), std::max(0, client.cy - (h ? t : 0))};
}

void CViewScrollBars::Update(CWnd& view, CSize total, CPoint pos)
{
    CRect client;
    view.GetClientRect(&client);
    bool h = false;
    bool v = false;
    const CSize shown = Visible(client.Size(), total, &h, &v);
    const int t = Thickness();
    Place(m_horz, view, false, h, CRect(0, client.bottom - t, shown.cx, client.bottom), total.cx, shown.cx, pos.x);
    Place(m_vert, view, true, v, CRect(client.right - t, 0, client.right, shown.cy), total.cy, shown.cy, pos.y);
}

bool CViewScrollBars::HorzShown() const
{
    return m_horz != nullptr && m_horz->GetSafeHwnd() != nullptr && m_horz->IsWindowVisible();
}

bool CViewScrollBars::VertShown() const
{
    return m_vert != nullptr && m_vert->GetSafeHwnd() != nullptr && m_vert->IsWindowVisible();
}
