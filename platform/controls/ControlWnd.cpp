#include "platform/controls/ControlWnd.h"

#include "platform/drawing/DC.h"
#include "platform/drawing/Font.h"

#include <cctype>

namespace ui {

LRESULT ControlImage::Set(WPARAM type, LPARAM image)
{
    const LRESULT old = Get(type);
    if (type == IMAGE_ICON)
        icon = static_cast<int>(image);
    else
        bitmap = reinterpret_cast<const CBitmap*>(image);
    return old;
}

LRESULT ControlImage::Get(WPARAM type) const
{
    return type == IMAGE_ICON ? icon : reinterpret_cast<LRESULT>(bitmap);
}

BOOL SubclassDlgItem(CWnd& replacement, UINT nID, CWnd* pParent)
{
    if (pParent == nullptr || replacement.GetSafeHwnd() != nullptr)
        return FALSE;
    CWnd* old = pParent->GetDlgItem(static_cast<int>(nID));
    if (old == nullptr)
        return FALSE;
    const std::string className = old->GetClassName();
    const std::string text = old->GetWindowText();
    const DWORD style = old->GetStyle();
    const DWORD exStyle = old->GetExStyle();
    const CRect rect = old->GetRectInParent();
    auto* font = reinterpret_cast<CFont*>(old->SendMessage(WM_GETFONT));
    const bool hadFocus = CWnd::GetFocus() == old;
    CWnd* above = nullptr;
    std::vector<CWnd*> siblings = pParent->GetChildren();
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i] == old && i > 0)
            above = siblings[i - 1];
    old->DestroyWindow();
    if (!replacement.CreateEx(exStyle, className.c_str(), text.c_str(), style, rect, pParent, nID))
        return FALSE;
    replacement.SetWindowPos(above != nullptr ? above : &wndTop, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (font != nullptr)
        replacement.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (hadFocus)
        replacement.SetFocus();
    return TRUE;
}

const LOGFONT& ControlWnd::FontRecord() const
{
    return (m_font != nullptr && m_font->IsCreated()) ? m_font->GetLogFontRef() : DefaultLogFont();
}

LRESULT ControlWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFONT:
        m_font = reinterpret_cast<CFont*>(wParam);
        if (lParam != 0)
            Invalidate();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (CDC* dc = BeginPaint(&ps)) {
            Paint(*dc);
        }
        EndPaint(&ps);
        return 0;
    }
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void ControlWnd::InvalidateWithBackground()
{
    CWnd* parent = GetParent();
    if (parent != nullptr && (GetStyle() & WS_CHILD) != 0) {
        const CRect area = GetRectInParent();
        parent->InvalidateRect(&area, TRUE);
        for (CWnd* sibling : parent->GetChildren()) {
            CRect overlap;
            if (sibling != this && sibling->IsWindowVisible() && overlap.IntersectRect(area, sibling->GetRectInParent()))
                sibling->Invalidate();
        }
    }
    Invalidate();
}

LRESULT ControlWnd::NotifyParent(UINT code)
{
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return 0;
    return parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(GetDlgCtrlID()), code),
                               reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT ControlWnd::SendNotify(NMHDR& header, UINT code)
{
    header.hwndFrom = m_hWnd;
    header.idFrom = static_cast<std::uintptr_t>(GetDlgCtrlID());
    header.code = code;
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return 0;
    return parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                               reinterpret_cast<LPARAM>(&header));
}

} // namespace ui

namespace ui {

void ClickWindow(CWnd& window)
{
    CRect r;
    window.GetClientRect(&r);
    ClickWindowAt(window, r.CenterPoint());
}

void ClickWindowAt(CWnd& window, CPoint client)
{
    HWND h = window.GetSafeHwnd();
    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(client));
    if (CWnd* w = CWnd::FromHandle(h))
        w->SendMessage(WM_LBUTTONUP, 0, PointToLParam(client));
}

int ReadItemText(CWnd& control, UINT lengthMessage, UINT textMessage, int index, std::string& text)
{
    const int len = static_cast<int>(control.SendMessage(lengthMessage, static_cast<WPARAM>(index)));
    if (len < 0) {
        text.clear();
        return -1;
    }
    text.assign(static_cast<std::size_t>(len) + 1, '\0');
    control.SendMessage(textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(len));
    return len;
}

void TypeChars(CWnd& window, std::string_view utf8)
{
    HWND h = window.GetSafeHwnd();
    for (char32_t c : DecodeUtf8(utf8)) {
        CWnd* w = CWnd::FromHandle(h);
        if (w == nullptr)
            return;
        w->SendMessage(WM_CHAR, static_cast<WPARAM>(c), 0);
    }
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

} // namespace ui

namespace {
int g_beeps = 0;
}

BOOL MessageBeep(UINT)
{
    ++g_beeps;
    return TRUE;
}

namespace ui {
int BeepCount()
{
    return g_beeps;
}
void ResetBeepCount()
{
    g_beeps = 0;
}
} // namespace ui

// A member of the base window, defined with the controls whose transplant it is, so that the
// window core needs none of them.
BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return ui::SubclassDlgItem(*this, nID, pParent);
}
