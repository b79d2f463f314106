#include "platform/controls/TabCtrl.h"

#include "platform/drawing/Look.h"

#include "platform/drawing/DC.h"
#include "platform/drawing/Font.h"

#include <algorithm>

BOOL CTabCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("SysTabControl32", "", style, rect, parent, id);
}

int CTabCtrl::InsertItem(int index, const char* text)
{
    TCITEM item;
    item.mask = TCIF_TEXT;
    item.pszText = text;
    return InsertItem(index, &item);
}

// The fields of a tab that the request's mask names.
void CTabCtrl::Fill(Item& it, const TCITEM& item)
{
    if ((item.mask & TCIF_TEXT) && item.pszText != nullptr)
        it.text = item.pszText;
    if (item.mask & TCIF_IMAGE)
        it.image = item.iImage;
    if (item.mask & TCIF_PARAM)
        it.data = item.lParam;
}

int CTabCtrl::InsertItem(int index, const TCITEM* item)
{
    if (item == nullptr || index < 0)
        return -1;
    index = std::min(index, GetItemCount());
    Item it;
    Fill(it, *item);
    m_items.insert(m_items.begin() + index, std::move(it));
    if (m_cur >= index)
        ++m_cur;
    if (m_cur < 0)
        m_cur = 0;
    Invalidate();
    return index;
}

BOOL CTabCtrl::DeleteItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return FALSE;
    m_items.erase(m_items.begin() + index);
    if (m_cur == index)
        m_cur = m_items.empty() ? -1 : std::min(index, GetItemCount() - 1);
    else if (m_cur > index)
        --m_cur;
    Invalidate();
    return TRUE;
}

BOOL CTabCtrl::DeleteAllItems()
{
    m_items.clear();
    m_cur = -1;
    Invalidate();
    return TRUE;
}

BOOL CTabCtrl::SetItem(int index, const TCITEM* item)
{
    if (item == nullptr || index < 0 || index >= GetItemCount())
        return FALSE;
    Item& it = m_items[static_cast<std::size_t>(index)];
    Fill(it, *item);
    Invalidate();
    return TRUE;
}

std::string CTabCtrl::GetItemText(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_items[static_cast<std::size_t>(index)].text : "";
}

LPARAM CTabCtrl::GetItemData(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_items[static_cast<std::size_t>(index)].data : 0;
}

int CTabCtrl::SetCurSel(int index)
{
    if (index < 0 || index >= GetItemCount())
        return -1;
    int old = m_cur;
    m_cur = index;
    Invalidate();
    return old;
}

void CTabCtrl::SetPadding(CSize padding)
{
    SendMessage(TCM_SETPADDING, 0,
                MAKELPARAM(static_cast<unsigned>(padding.cx), static_cast<unsigned>(padding.cy)));
}

CSize CTabCtrl::SetItemSize(CSize size)
{
    LRESULT old = SendMessage(TCM_SETITEMSIZE, 0,
                              MAKELPARAM(static_cast<unsigned>(size.cx), static_cast<unsigned>(size.cy)));
    return {LOWORD(static_cast<std::uintptr_t>(old)), HIWORD(static_cast<std::uintptr_t>(old))};
}

int CTabCtrl::GetRowHeight() const
{
    if (m_itemSize.cy > 0)
        return m_itemSize.cy;
    return ui::MetricsFor(FontRecord()).tmHeight + 2 * m_padding.cy + 2;
}

int CTabCtrl::TabWidth(int index) const
{
    if (m_itemSize.cx > 0 && (GetStyle() & TCS_FIXEDWIDTH))
        return m_itemSize.cx;
    return ui::TextWidth(ui::StripPrefix(m_items[static_cast<std::size_t>(index)].text), FontRecord()) +
           2 * m_padding.cx;
}

BOOL CTabCtrl::GetItemRect(int index, CRect* rect) const
{
    if (rect == nullptr || index < 0 || index >= GetItemCount())
        return FALSE;
    int x = 2;
    for (int i = 0; i < index; ++i)
        x += TabWidth(i);
    *rect = CRect(x, 2, x + TabWidth(index), 2 + GetRowHeight());
    return TRUE;
}

void CTabCtrl::AdjustRect(BOOL larger, CRect* rect) const
{
    if (rect == nullptr)
        return;
    // TCS_BUTTONS tabs sit above the area without a frame around it.
    const int top = GetRowHeight() + 2;
    const int frame = (GetStyle() & TCS_BUTTONS) ? 0 : 2;
    if (larger)
        rect->InflateRect(frame, top, frame, frame);
    else
        rect->DeflateRect(frame, top, frame, frame);
}

void CTabCtrl::UserSelect(int index)
{
    if (index < 0 || index >= GetItemCount() || !IsWindowEnabled())
        return;
    HWND self = m_hWnd;
    NMHDR h;
    if (SendNotify(h, TCN_SELCHANGING) != 0 || CWnd::FromHandle(self) != this)
        return;
    m_cur = index;
    Invalidate();
    NMHDR changed;
    SendNotify(changed, TCN_SELCHANGE);
}

LRESULT CTabCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TCM_SETPADDING:
        m_padding = {LOWORD(static_cast<std::uintptr_t>(lParam)),
                     HIWORD(static_cast<std::uintptr_t>(lParam))};
        Invalidate();
        return 0;
    case TCM_SETITEMSIZE: {
        LRESULT old = MAKELPARAM(static_cast<unsigned>(m_itemSize.cx), static_cast<unsigned>(m_itemSize.cy));
        m_itemSize = {LOWORD(static_cast<std::uintptr_t>(lParam)),
                      HIWORD(static_cast<std::uintptr_t>(lParam))};
        Invalidate();
        return old;
    }
    case WM_LBUTTONDOWN: {
        CPoint p = LParamToPoint(lParam);
        for (int i = 0; i < GetItemCount(); ++i) {
            CRect r;
            GetItemRect(i, &r);
            if (r.PtInRect(p)) {
                UserSelect(i);
                break;
            }
        }
        return 0;
    }
    default:
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CTabCtrl::Paint(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
    const ui::LookColours& look = ui::GetLookColours();
    const bool buttons = (GetStyle() & TCS_BUTTONS) != 0;
    if (!buttons) {
        // A header band the tabs sit on, over a page framed by a one-pixel border.
        const CRect header(client.left, client.top, client.right, 3 + GetRowHeight());
        dc.FillSolidRect(header, look.tabHeader);
        dc.Draw3dRect(CRect(client.left, client.top, client.right, client.bottom), look.border, look.border);
        dc.FillSolidRect(CRect(client.left, header.bottom - 1, client.right, header.bottom), look.border);
    }
    dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect r;
        GetItemRect(i, &r);
        const bool current = i == m_cur;
        if (buttons) {
            ui::ButtonLook face;
            face.pressed = current;
            ui::DrawButtonFace(dc, r, face);
            dc.SetTextColor(text);
        } else {
            // The current tab is marked by a line in the accent colour along its foot; the
            // others show their text a little faded.
            if (current)
                dc.FillSolidRect(CRect(r.left, r.bottom - 3, r.right, r.bottom), look.accent);
            dc.SetTextColor(current ? text : ui::MixColours(text, look.tabHeader, 70));
        }
        dc.DrawText(m_items[static_cast<std::size_t>(i)].text, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (current && CWnd::GetFocus() == this) {
            CRect f = r;
            f.DeflateRect(2, 2, 2, 4);
            ui::DrawFocusRing(dc, f, text, buttons ? look.buttonPressed : look.tabHeader);
        }
    }
}

BOOL CTabCtrl::TakesPointerAt(CPoint clientPoint) const
{
    return clientPoint.y < GetRowHeight() + 2;
}
