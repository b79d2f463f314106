#include "platform/controls/ComboBox.h"

#include "platform/drawing/Look.h"

#include "platform/docview/Menu.h"
#include "platform/drawing/DC.h"
#include "platform/drawing/Font.h"

#include <algorithm>
#include <cstring>

BOOL CComboBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("ComboBox", "", style, rect, parent, id);
}

#define SELF const_cast<CComboBox*>(this)

int CComboBox::AddString(const char* text)
{
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}
int CComboBox::InsertString(int index, const char* text)
{
    return static_cast<int>(
        SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}
int CComboBox::DeleteString(UINT index)
{
    return static_cast<int>(SendMessage(CB_DELETESTRING, index));
}
void CComboBox::ResetContent()
{
    SendMessage(CB_RESETCONTENT);
}
int CComboBox::GetCount() const
{
    return static_cast<int>(SELF->SendMessage(CB_GETCOUNT));
}
int CComboBox::GetCurSel() const
{
    return static_cast<int>(SELF->SendMessage(CB_GETCURSEL));
}
int CComboBox::SetCurSel(int index)
{
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
}
int CComboBox::GetLBTextLen(int index) const
{
    return static_cast<int>(SELF->SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)));
}
int CComboBox::GetLBText(int index, std::string& text) const
{
    return ui::ReadItemText(*SELF, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, text);
}
std::string CComboBox::GetLBText(int index) const
{
    std::string t;
    GetLBText(index, t);
    return t;
}
int CComboBox::SetItemData(int index, std::uintptr_t data)
{
    return static_cast<int>(
        SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}
std::uintptr_t CComboBox::GetItemData(int index) const
{
    return static_cast<std::uintptr_t>(SELF->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)));
}
int CComboBox::FindString(int startAfter, const char* text) const
{
    return static_cast<int>(
        SELF->SendMessage(CB_FINDSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
}
int CComboBox::FindStringExact(int startAfter, const char* text) const
{
    return static_cast<int>(SELF->SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter),
                                              reinterpret_cast<LPARAM>(text)));
}
int CComboBox::SelectString(int startAfter, const char* text)
{
    return static_cast<int>(
        SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
}
int CComboBox::SetItemHeight(int index, UINT height)
{
    return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), height));
}
int CComboBox::GetItemHeight(int index) const
{
    return static_cast<int>(SELF->SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(index)));
}
void CComboBox::ShowDropDown(BOOL show)
{
    SendMessage(CB_SHOWDROPDOWN, show);
}
BOOL CComboBox::GetDroppedState() const
{
    return SELF->SendMessage(CB_GETDROPPEDSTATE) != 0;
}
BOOL CComboBox::LimitText(int chars)
{
    return SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(chars)) != 0;
}

#undef SELF

void CComboBox::ShowSelection()
{
    const char* text = m_items.Valid(m_cur) ? m_items.At(m_cur).text.c_str() : "";
    ControlWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    Invalidate();
}

void CComboBox::UserSelect(int index)
{
    if (!IsWindowEnabled() || !m_items.Valid(index))
        return;
    HWND self = m_hWnd;
    auto alive = [&] { return CWnd::FromHandle(self) == this; };
    SetFocus();
    if (!alive())
        return;
    if (!m_dropped) {
        m_dropped = true;
        NotifyParent(CBN_DROPDOWN);
        if (!alive())
            return;
    }
    m_cur = index;
    ShowSelection();
    NotifyParent(CBN_SELENDOK);
    if (!alive())
        return;
    m_dropped = false;
    NotifyParent(CBN_CLOSEUP);
    if (!alive())
        return;
    NotifyParent(CBN_SELCHANGE);
}

int CComboBox::FieldHeight() const
{
    CRect r;
    GetClientRect(&r);
    const int h = static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)));
    return std::min(r.Height(), h + 6);
}

BOOL CComboBox::TakesPointerAt(CPoint clientPoint) const
{
    return clientPoint.y < FieldHeight();
}

void CComboBox::DropListByPointer()
{
    HWND self = m_hWnd;
    auto alive = [&] { return CWnd::FromHandle(self) == this; };
    m_dropped = true;
    NotifyParent(CBN_DROPDOWN);
    if (!alive() || !m_dropped)
        return;
    // The items open as a pop-up list under the field, the current one marked; a click on
    // one chooses it, a click elsewhere or Escape closes the list without a choice.
    CMenu list;
    list.CreatePopupMenu();
    for (int i = 0; i < m_items.Count(); ++i) {
        std::string text;
        for (char c : m_items.At(i).text)
            text += c == '&' ? std::string("&&") : std::string(1, c);
        list.AppendMenu(MF_STRING | (i == m_cur ? MF_CHECKED : 0u), static_cast<UINT_PTR>(i + 1), text.c_str());
    }
    CPoint below(0, FieldHeight());
    ClientToScreen(&below);
    const int picked = list.GetMenuItemCount() > 0
                           ? static_cast<int>(list.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, below.x, below.y, this))
                           : 0;
    if (!alive())
        return;
    if (picked > 0 && m_items.Valid(picked - 1)) {
        m_cur = picked - 1;
        ShowSelection();
        NotifyParent(CBN_SELENDOK);
    } else {
        NotifyParent(CBN_SELENDCANCEL);
    }
    if (!alive())
        return;
    if (m_dropped) {
        m_dropped = false;
        NotifyParent(CBN_CLOSEUP);
    }
    if (picked > 0 && alive())
        NotifyParent(CBN_SELCHANGE);
}

void CComboBox::UserType(const std::string& text)
{
    if (IsDropList())
        return;
    SetFocus();
    std::string cut = ui::TruncateCharacters(text, m_limit);
    ControlWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cut.c_str()));
    m_cur = -1;
    HWND self = m_hWnd;
    NotifyParent(CBN_EDITUPDATE);
    if (CWnd::FromHandle(self) == this)
        NotifyParent(CBN_EDITCHANGE);
}

LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto text = [&] {
        return lParam != 0 ? std::string_view(reinterpret_cast<const char*>(lParam)) : std::string_view();
    };
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    switch (message) {
    case CB_ADDSTRING: {
        int at = m_items.Add(text(), (GetStyle() & CBS_SORT) != 0);
        if (m_cur >= at)
            ++m_cur;
        return at;
    }
    case CB_INSERTSTRING: {
        int at = m_items.Insert(index, text());
        if (at >= 0 && m_cur >= at)
            ++m_cur;
        return at < 0 ? CB_ERR : at;
    }
    case CB_DELETESTRING:
        if (!m_items.Delete(index))
            return CB_ERR;
        if (m_cur == index) {
            m_cur = -1;
            if (IsDropList())
                ShowSelection();
        } else if (m_cur > index) {
            --m_cur;
        }
        return m_items.Count();
    case CB_RESETCONTENT:
        m_items.Clear();
        m_cur = -1;
        ShowSelection();
        return 0;
    case CB_GETCOUNT:
        return m_items.Count();
    case CB_GETCURSEL:
        return m_cur;
    case CB_SETCURSEL:
        m_cur = m_items.Valid(index) ? index : -1;
        ShowSelection();
        return m_cur < 0 ? CB_ERR : m_cur;
    case CB_GETLBTEXTLEN:
        return m_items.Valid(index) ? static_cast<LRESULT>(m_items.At(index).text.size()) : CB_ERR;
    case CB_GETLBTEXT: {
        if (!m_items.Valid(index) || lParam == 0)
            return CB_ERR;
        const std::string& t = m_items.At(index).text;
        std::memcpy(reinterpret_cast<char*>(lParam), t.c_str(), t.size() + 1);
        return static_cast<LRESULT>(t.size());
    }
    case CB_SETITEMDATA:
        if (!m_items.Valid(index))
            return CB_ERR;
        m_items.At(index).data = static_cast<std::uintptr_t>(lParam);
        return 0;
    case CB_GETITEMDATA:
        return m_items.Valid(index) ? static_cast<LRESULT>(m_items.At(index).data) : CB_ERR;
    case CB_FINDSTRING:
        return m_items.FindPrefix(index, text());
    case CB_FINDSTRINGEXACT:
        return m_items.FindExact(index, text());
    case CB_SELECTSTRING: {
        int found = m_items.FindPrefix(index, text());
        if (found < 0)
            return CB_ERR; // the selection stays as it was
        m_cur = found;
        ShowSelection();
        return found;
    }
    case CB_SETITEMHEIGHT:
        if (index == -1)
            m_fieldHeight = static_cast<int>(lParam);
        else
            m_itemHeight = static_cast<int>(lParam);
        return 0;
    case CB_GETITEMHEIGHT:
        if (index == -1 && m_fieldHeight > 0)
            return m_fieldHeight;
        if (index != -1 && m_itemHeight > 0)
            return m_itemHeight;
        return ui::MetricsFor(FontRecord()).tmHeight + (index == -1 ? 5 : 0);
    case CB_SHOWDROPDOWN:
        if ((wParam != 0) != m_dropped) {
            m_dropped = wParam != 0;
            NotifyParent(m_dropped ? CBN_DROPDOWN : CBN_CLOSEUP);
        }
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return m_dropped ? TRUE : FALSE;
    case CB_LIMITTEXT:
        m_limit = wParam == 0 ? 0x7FFFFFFE : static_cast<UINT>(wParam);
        return TRUE;
    case WM_SETTEXT:
        // A drop-down list shows only its items; text set by code selects nothing.
        if (IsDropList())
            return CB_ERR;
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    case WM_LBUTTONDOWN: {
        HWND self = m_hWnd;
        SetFocus();
        // A drop-down list opens wherever its field is clicked, a drop-down combo box at its
        // button (its text field takes the caret).
        const CPoint at = LParamToPoint(lParam);
        CRect r;
        GetClientRect(&r);
        if (CWnd::FromHandle(self) == this && IsWindowEnabled() && !m_dropped && at.y < FieldHeight() &&
            (IsDropList() || at.x >= r.right - 18))
            DropListByPointer();
        return 0;
    }
    case WM_SETFOCUS:
        Invalidate();
        NotifyParent(CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        Invalidate();
        if (m_dropped) {
            m_dropped = false;
            NotifyParent(CBN_CLOSEUP);
        }
        NotifyParent(CBN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN: {
        // Arrow keys move the selection of a closed list and notify at once.
        int next = m_cur;
        if (wParam == VK_DOWN)
            next = std::min(m_cur + 1, m_items.Count() - 1);
        else if (wParam == VK_UP)
            next = std::max(m_cur - 1, 0);
        else
            return 0;
        if (next != m_cur && m_items.Valid(next)) {
            // A choice made with the keys is a choice like one from the list: owners that
            // act on the ended selection see it too.
            HWND self = m_hWnd;
            m_cur = next;
            ShowSelection();
            NotifyParent(CBN_SELENDOK);
            if (CWnd::FromHandle(self) == this)
                NotifyParent(CBN_SELCHANGE);
        }
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CComboBox::Paint(CDC& dc)
{
    CRect r;
    GetClientRect(&r);
    CRect field(r.left, r.top, r.right, r.top + FieldHeight());
    dc.FillSolidRect(field, IsWindowEnabled() ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE));
    CRect edge = field;
    dc.DrawEdge(&edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    // A focused field's border takes the accent colour, as an edit's does.
    const bool focused = CWnd::GetFocus() == this && IsWindowEnabled();
    if (focused)
        dc.Draw3dRect(field, ui::GetLookColours().accent, ui::GetLookColours().accent);
    CRect button(edge.right - 16, edge.top, edge.right, edge.bottom);
    // The drop-down button: a flat face with a chevron, parted from the field by a line.
    ui::ButtonLook look;
    look.disabled = !IsWindowEnabled();
    look.pressed = m_dropped;
    dc.FillSolidRect(button, look.pressed ? ui::GetLookColours().buttonPressed : ui::GetLookColours().buttonFace);
    dc.FillSolidRect(CRect(button.left, button.top, button.left + 1, button.bottom), ui::GetLookColours().border);
    ui::DrawChevron(dc, CPoint(button.CenterPoint().x, button.CenterPoint().y), 0, 1, 8,
                    IsWindowEnabled() ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
    dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(IsWindowEnabled() ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
    CRect text(edge.left + 2, edge.top, button.left - 1, edge.bottom);
    // A focused drop-down list shows its choice on the highlight colour: the arrow keys change it.
    if (focused && IsDropList() && !m_dropped && !GetWindowText().empty()) {
        CRect chosen(edge.left + 1, edge.top + 1, button.left - 1, edge.bottom - 1);
        dc.FillSolidRect(chosen, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    dc.DrawText(GetWindowText(), &text, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
}
