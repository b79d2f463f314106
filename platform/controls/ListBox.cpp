#include "platform/controls/ListBox.h"

#include "platform/drawing/DC.h"
#include "platform/drawing/Font.h"

#include <algorithm>
#include <cstring>

#define SELF const_cast<CListBox*>(this)

BOOL CListBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("ListBox", "", style, rect, parent, id);
}
int CListBox::AddString(const char* text)
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}
int CListBox::InsertString(int index, const char* text)
{
    return static_cast<int>(
        SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}
int CListBox::DeleteString(UINT index)
{
    return static_cast<int>(SendMessage(LB_DELETESTRING, index));
}
void CListBox::ResetContent()
{
    SendMessage(LB_RESETCONTENT);
}
int CListBox::GetCount() const
{
    return static_cast<int>(SELF->SendMessage(LB_GETCOUNT));
}
int CListBox::GetCurSel() const
{
    return static_cast<int>(SELF->SendMessage(LB_GETCURSEL));
}
int CListBox::SetCurSel(int index)
{
    return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)));
}
int CListBox::GetTextLen(int index) const
{
    return static_cast<int>(SELF->SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index)));
}
int CListBox::GetText(int index, std::string& text) const
{
    return ui::ReadItemText(*SELF, LB_GETTEXTLEN, LB_GETTEXT, index, text);
}
std::string CListBox::GetText(int index) const
{
    std::string t;
    GetText(index, t);
    return t;
}
int CListBox::SetItemData(int index, std::uintptr_t data)
{
    return static_cast<int>(
        SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}
std::uintptr_t CListBox::GetItemData(int index) const
{
    return static_cast<std::uintptr_t>(SELF->SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)));
}
int CListBox::FindString(int startAfter, const char* text) const
{
    return static_cast<int>(
        SELF->SendMessage(LB_FINDSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
}
int CListBox::FindStringExact(int startAfter, const char* text) const
{
    return static_cast<int>(SELF->SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter),
                                              reinterpret_cast<LPARAM>(text)));
}
int CListBox::SelectString(int startAfter, const char* text)
{
    return static_cast<int>(
        SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
}
int CListBox::SetSel(int index, BOOL select)
{
    return static_cast<int>(SendMessage(LB_SETSEL, select, index));
}
int CListBox::GetSel(int index) const
{
    return static_cast<int>(SELF->SendMessage(LB_GETSEL, static_cast<WPARAM>(index)));
}
int CListBox::GetSelCount() const
{
    return static_cast<int>(SELF->SendMessage(LB_GETSELCOUNT));
}
int CListBox::GetTopIndex() const
{
    return static_cast<int>(SELF->SendMessage(LB_GETTOPINDEX));
}
int CListBox::SetTopIndex(int index)
{
    return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index)));
}
void CListBox::SetHorizontalExtent(int extent)
{
    SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent));
}
int CListBox::GetHorizontalExtent() const
{
    return static_cast<int>(SELF->SendMessage(LB_GETHORIZONTALEXTENT));
}

#undef SELF

void CListBox::UserSelect(int index)
{
    if (!IsWindowEnabled() || !m_items.Valid(index))
        return;
    HWND self = m_hWnd;
    SetFocus();
    if (CWnd::FromHandle(self) != this)
        return;
    if (Multiple())
        m_items.At(index).selected = !m_items.At(index).selected;
    m_cur = index;
    Invalidate();
    if (GetStyle() & LBS_NOTIFY)
        NotifyParent(LBN_SELCHANGE);
}

void CListBox::UserDoubleClick(int index)
{
    HWND self = m_hWnd;
    UserSelect(index);
    if (CWnd::FromHandle(self) == this && (GetStyle() & LBS_NOTIFY))
        NotifyParent(LBN_DBLCLK);
}

LRESULT CListBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto text = [&] {
        return lParam != 0 ? std::string_view(reinterpret_cast<const char*>(lParam)) : std::string_view();
    };
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    switch (message) {
    case LB_ADDSTRING: {
        int at = m_items.Add(text(), (GetStyle() & LBS_SORT) != 0);
        if (m_cur >= at)
            ++m_cur;
        Invalidate();
        return at;
    }
    case LB_INSERTSTRING: {
        int at = m_items.Insert(index, text());
        if (at >= 0 && m_cur >= at)
            ++m_cur;
        Invalidate();
        return at < 0 ? LB_ERR : at;
    }
    case LB_DELETESTRING:
        if (!m_items.Delete(index))
            return LB_ERR;
        if (m_cur == index)
            m_cur = -1;
        else if (m_cur > index)
            --m_cur;
        Invalidate();
        return m_items.Count();
    case LB_RESETCONTENT:
        m_items.Clear();
        m_cur = -1;
        m_top = 0;
        Invalidate();
        return 0;
    case LB_GETCOUNT:
        return m_items.Count();
    case LB_GETCURSEL:
        return m_cur;
    case LB_SETCURSEL:
        if (Multiple())
            return LB_ERR;
        m_cur = m_items.Valid(index) ? index : -1;
        Invalidate();
        return m_cur < 0 && index != -1 ? LB_ERR : m_cur;
    case LB_GETTEXTLEN:
        return m_items.Valid(index) ? static_cast<LRESULT>(m_items.At(index).text.size()) : LB_ERR;
    case LB_GETTEXT: {
        if (!m_items.Valid(index) || lParam == 0)
            return LB_ERR;
        const std::string& t = m_items.At(index).text;
        std::memcpy(reinterpret_cast<char*>(lParam), t.c_str(), t.size() + 1);
        return static_cast<LRESULT>(t.size());
    }
    case LB_SETITEMDATA:
        if (!m_items.Valid(index))
            return LB_ERR;
        m_items.At(index).data = static_cast<std::uintptr_t>(lParam);
        return 0;
    case LB_GETITEMDATA:
        return m_items.Valid(index) ? static_cast<LRESULT>(m_items.At(index).data) : LB_ERR;
    case LB_FINDSTRING:
        return m_items.FindPrefix(index, text());
    case LB_FINDSTRINGEXACT:
        return m_items.FindExact(index, text());
    case LB_SELECTSTRING: {
        int found = m_items.FindPrefix(index, text());
        if (found >= 0) {
            m_cur = found;
            Invalidate();
        }
        return found;
    }
    case LB_SETSEL: {
        int item = static_cast<int>(lParam);
        if (!Multiple())
            return LB_ERR;
        for (int i = 0; i < m_items.Count(); ++i)
            if (item == -1 || i == item)
                m_items.At(i).selected = wParam != 0;
        Invalidate();
        return 0;
    }
    case LB_GETSEL:
        if (!m_items.Valid(index))
            return LB_ERR;
        return Multiple() ? (m_items.At(index).selected ? 1 : 0) : (index == m_cur ? 1 : 0);
    case LB_GETSELCOUNT: {
        if (!Multiple())
            return LB_ERR;
        int n = 0;
        for (int i = 0; i < m_items.Count(); ++i)
            n += m_items.At(i).selected ? 1 : 0;
        return n;
    }
    case LB_GETTOPINDEX:
        return m_top;
    case LB_SETTOPINDEX:
        if (!m_items.Valid(index) && index != 0)
            return LB_ERR;
        m_top = index;
        Invalidate();
        return 0;
    case LB_SETHORIZONTALEXTENT:
        m_extent = index;
        return 0;
    case LB_GETHORIZONTALEXTENT:
        return m_extent;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        HWND self = m_hWnd;
        SetFocus();
        if (CWnd::FromHandle(self) != this)
            return 0;
        const int at = ItemAt(LParamToPoint(lParam));
        if (at < 0)
            return 0;
        if (message == WM_LBUTTONDBLCLK)
            UserDoubleClick(at);
        else
            UserSelect(at);
        return 0;
    }
    case WM_KEYDOWN: {
        // The arrow keys, Home, End and the page keys move the current item, scrolling it
        // into view; Space toggles it in a list of several choices.
        const int count = m_items.Count();
        if (count == 0 || !IsWindowEnabled())
            return 0;
        const int page = std::max(1, VisibleRows() - 1);
        int next = m_cur;
        switch (wParam) {
        case VK_DOWN: next = m_cur < 0 ? 0 : m_cur + 1; break;
        case VK_UP: next = m_cur < 0 ? 0 : m_cur - 1; break;
        case VK_HOME: next = 0; break;
        case VK_END: next = count - 1; break;
        case VK_NEXT: next = m_cur + page; break;
        case VK_PRIOR: next = m_cur - page; break;
        case VK_SPACE:
            if (Multiple() && m_items.Valid(m_cur))
                UserSelect(m_cur);
            return 0;
        default: return 0;
        }
        next = std::clamp(next, 0, count - 1);
        if (next == m_cur && !Multiple())
            return 0;
        if (next < m_top)
            m_top = next;
        else if (next >= m_top + VisibleRows())
            m_top = std::max(0, next - VisibleRows() + 1);
        if (Multiple()) {
            m_cur = next;
            Invalidate();
        } else {
            UserSelect(next);
        }
        return 0;
    }
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<short>(HIWORD(wParam));
        const int rows = std::max(0, m_items.Count() - VisibleRows());
        m_top = std::clamp(m_top - delta / 40, 0, rows);
        Invalidate();
        return 0;
    }
    case WM_SETFOCUS:
        if (GetStyle() & LBS_NOTIFY)
            NotifyParent(LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if (GetStyle() & LBS_NOTIFY)
            NotifyParent(LBN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    }
}

int CListBox::GetItemHeight(int) const
{
    return RowHeight();
}

int CListBox::RowHeight() const
{
    return std::max(1, ui::MetricsFor(FontRecord()).tmHeight);
}

int CListBox::VisibleRows() const
{
    CRect r;
    GetClientRect(&r);
    return std::max(1, (r.Height() - 4) / RowHeight());
}

int CListBox::ItemAt(CPoint client) const
{
    // Rows start inside the sunken edge (two pixels), as Paint lays them out.
    const int row = (client.y - 2) / RowHeight();
    const int index = m_top + row;
    return client.y >= 2 && m_items.Valid(index) ? index : -1;
}

void CListBox::Paint(CDC& dc)
{
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(r, GetSysColor(COLOR_WINDOW));
    CRect inner = r;
    dc.DrawEdge(&inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    const int h = RowHeight();
    for (int i = m_top, y = inner.top; i < m_items.Count() && y < inner.bottom; ++i, y += h) {
        CRect row(inner.left, y, inner.right, std::min(y + h, inner.bottom));
        bool selected = Multiple() ? m_items.At(i).selected : i == m_cur;
        if (selected)
            dc.FillSolidRect(row, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT));
        CRect text = row;
        text.left += 2;
        dc.DrawText(m_items.At(i).text, &text, DT_NOPREFIX | DT_SINGLELINE);
    }
}
