#include "platform/controls/Edit.h"

#include "platform/drawing/Look.h"

#include "platform/drawing/DC.h"
#include "platform/drawing/Font.h"
#include "base/TextCodes.h"

#include <algorithm>

namespace {

// Byte offset of the character at index (clamped to the end).
std::size_t ByteOffset(const std::string& text, int index)
{
    if (index <= 0)
        return 0;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == static_cast<std::size_t>(index))
                return i;
            ++chars;
        }
    }
    return text.size();
}

} // namespace

BOOL CEdit::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("Edit", "", style, rect, parent, id);
}

void CEdit::SetSel(int start, int end, BOOL)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD s = 0, e = 0;
    const_cast<CEdit*>(this)->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s),
                                          reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
}

void CEdit::ReplaceSel(const char* text, BOOL canUndo)
{
    SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
}

void CEdit::LimitText(int chars)
{
    SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(chars));
}

UINT CEdit::GetLimitText() const
{
    return static_cast<UINT>(const_cast<CEdit*>(this)->SendMessage(EM_GETLIMITTEXT));
}

BOOL CEdit::SetReadOnly(BOOL readOnly)
{
    return SendMessage(EM_SETREADONLY, readOnly) != 0;
}

int CEdit::GetLineCount() const
{
    return static_cast<int>(const_cast<CEdit*>(this)->SendMessage(EM_GETLINECOUNT));
}

void CEdit::Paste(std::string_view utf8)
{
    if (GetStyle() & ES_READONLY) {
        MessageBeep(0);
        return;
    }
    std::string text(utf8);
    if (!Multiline()) {
        // A single-line edit keeps the first line of what was pasted.
        std::size_t cut = text.find_first_of("\r\n");
        if (cut != std::string::npos)
            text.resize(cut);
    }
    if (UserReplace(text, true))
        UserChanged();
}

void CEdit::ReplaceRange(std::size_t start, std::size_t end, std::string_view utf8)
{
    std::string text = GetWindowText();
    text.replace(start, end - start, utf8);
    // Store without the notification a text set by code would send.
    CWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool CEdit::UserReplace(std::string_view utf8, bool limitCuts)
{
    std::string text = GetWindowText();
    int s = std::min(m_selStart, m_selEnd), e = std::max(m_selStart, m_selEnd);
    std::size_t bs = ByteOffset(text, s), be = ByteOffset(text, e);
    std::size_t kept = ui::CountCharacters(text) - static_cast<std::size_t>(e - s);
    std::size_t adding = ui::CountCharacters(utf8);
    std::string insert(utf8);
    if (kept + adding > m_limit) {
        if (!limitCuts || kept >= m_limit) {
            MessageBeep(0);
            NotifyParent(EN_MAXTEXT);
            return false;
        }
        insert = ui::TruncateCharacters(utf8, m_limit - kept);
        adding = ui::CountCharacters(insert);
        NotifyParent(EN_MAXTEXT);
    }
    ReplaceRange(bs, be, insert);
    m_selStart = m_selEnd = s + static_cast<int>(adding);
    return true;
}

void CEdit::UserChanged()
{
    m_modified = true;
    HWND self = m_hWnd;
    NotifyParent(EN_UPDATE);
    if (CWnd::FromHandle(self) == this)
        NotifyParent(EN_CHANGE);
    if (CWnd::FromHandle(self) == this)
        Invalidate();
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT: {
        LRESULT r = ControlWnd::DefWindowProc(message, wParam, lParam);
        m_selStart = m_selEnd = 0;
        m_modified = false;
        Invalidate();
        if (!Multiline())
            NotifyParent(EN_CHANGE);
        return r;
    }
    case EM_SETSEL: {
        int count = static_cast<int>(ui::CountCharacters(GetWindowText()));
        int s = static_cast<int>(static_cast<std::intptr_t>(wParam));
        int e = static_cast<int>(lParam);
        if (s == -1) {
            m_selStart = m_selEnd = std::clamp(m_selEnd, 0, count);
            return 0;
        }
        if (e == -1 || e > count)
            e = count;
        m_selStart = std::clamp(s, 0, count);
        m_selEnd = std::clamp(e, 0, count);
        Invalidate();
        return 0;
    }
    case EM_GETSEL: {
        int s = std::min(m_selStart, m_selEnd), e = std::max(m_selStart, m_selEnd);
        if (wParam != 0)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(s);
        if (lParam != 0)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(e);
        return static_cast<LRESULT>(MAKELPARAM(static_cast<unsigned>(s), static_cast<unsigned>(e)) &
                                    0xFFFFFFFF);
    }
    case EM_REPLACESEL:
        if (UserReplace(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "", false))
            UserChanged();
        return 0;
    case EM_LIMITTEXT:
        m_limit = wParam == 0 ? 0x7FFFFFFE : static_cast<UINT>(wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return m_limit;
    case EM_SETREADONLY:
        ModifyStyle(wParam ? 0u : DWORD(ES_READONLY), wParam ? DWORD(ES_READONLY) : 0u);
        Invalidate();
        return TRUE;
    case EM_GETLINECOUNT: {
        if (!Multiline())
            return 1;
        std::string t = GetWindowText();
        return 1 + std::count(t.begin(), t.end(), '\n');
    }
    case WM_CHAR: {
        auto c = static_cast<char32_t>(wParam);
        if (GetStyle() & ES_READONLY) {
            if (c >= 0x20)
                MessageBeep(0);
            return 0;
        }
        if (c == 0x08) { // backspace
            if (m_selStart == m_selEnd) {
                if (m_selStart == 0)
                    return 0;
                m_selStart -= 1;
            }
            if (UserReplace("", false))
                UserChanged();
            return 0;
        }
        if (c == '\r') {
            if (Multiline() && (GetStyle() & ES_WANTRETURN) && UserReplace("\r\n", false))
                UserChanged();
            return 0;
        }
        if (c == 0x01) { // Control+A selects the whole text
            m_selStart = 0;
            m_selEnd = static_cast<int>(ui::CountCharacters(GetWindowText()));
            Invalidate();
            return 0;
        }
        if (c < 0x20 && c != '\t')
            return 0;
        if ((GetStyle() & ES_NUMBER) && (c < '0' || c > '9')) {
            MessageBeep(0);
            return 0;
        }
        if (UserReplace(ui::EncodeUtf8(c), false))
            UserChanged();
        return 0;
    }
    case WM_KEYDOWN: {
        int count = static_cast<int>(ui::CountCharacters(GetWindowText()));
        // With Shift the caret moves and the selection's other end stays.
        const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        switch (wParam) {
        case VK_DELETE:
            if (GetStyle() & ES_READONLY)
                return 0;
            if (m_selStart == m_selEnd) {
                if (m_selEnd >= count)
                    return 0;
                m_selEnd += 1;
            }
            if (UserReplace("", false))
                UserChanged();
            return 0;
        case VK_LEFT:
            if (shift)
                m_selEnd = std::max(0, m_selEnd - 1);
            else
                m_selStart = m_selEnd =
                    std::max(0, std::min(m_selStart, m_selEnd) - (m_selStart == m_selEnd ? 1 : 0));
            Invalidate();
            return 0;
        case VK_RIGHT:
            if (shift)
                m_selEnd = std::min(count, m_selEnd + 1);
            else
                m_selStart = m_selEnd =
                    std::min(count, std::max(m_selStart, m_selEnd) + (m_selStart == m_selEnd ? 1 : 0));
            Invalidate();
            return 0;
        case VK_HOME:
            m_selEnd = 0;
            if (!shift)
                m_selStart = m_selEnd;
            Invalidate();
            return 0;
        case VK_END:
            m_selEnd = count;
            if (!shift)
                m_selStart = m_selEnd;
            Invalidate();
            return 0;
        default:
            return 0;
        }
    }
    case WM_LBUTTONDOWN:
        SetFocus();
        // A third click soon after a double click keeps the whole text, as a desktop's fields
        // do, so that what is typed next replaces it.
        if (std::chrono::steady_clock::now() - m_doubleClickAt <= std::chrono::milliseconds(500)) {
            m_doubleClickAt = {};
            return 0;
        }
        // The caret goes where the field was clicked; dragging from there selects.
        if (!Multiline() && CWnd::GetFocus() == this) {
            m_selStart = m_selEnd = CharacterAt(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))));
            SetCapture();
            Invalidate();
        }
        return 0;
    case WM_MOUSEMOVE:
        if (CWnd::GetCapture() == this && (wParam & MK_LBUTTON) != 0) {
            const int at = CharacterAt(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))));
            if (at != m_selEnd) {
                m_selEnd = at;
                Invalidate();
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (CWnd::GetCapture() == this)
            ReleaseCapture();
        return 0;
    case WM_LBUTTONDBLCLK:
        // A double click takes the whole text (the fields hold single values).
        SetFocus();
        m_selStart = 0;
        m_selEnd = static_cast<int>(ui::CountCharacters(GetWindowText()));
        m_doubleClickAt = std::chrono::steady_clock::now();
        Invalidate();
        return 0;
    case WM_SETFOCUS:
        Invalidate();
        NotifyParent(EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if (CWnd::GetCapture() == this)
            ReleaseCapture();
        Invalidate();
        NotifyParent(EN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE: {
        UINT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        if (Multiline() && (GetStyle() & ES_WANTRETURN))
            code |= DLGC_WANTALLKEYS;
        return code;
    }
    default:
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    }
}

CRect CEdit::TextArea() const
{
    CRect r;
    GetClientRect(&r);
    const bool plain = IsWindowEnabled() && (GetStyle() & ES_READONLY) == 0;
    // The accent border of a focused field is one pixel, the sunken edge two.
    if ((GetStyle() & WS_BORDER) || (GetExStyle() & 0x200 /* client edge */)) {
        const int border = CWnd::GetFocus() == this && plain ? 1 : 2;
        r.DeflateRect(border, border);
    }
    r.DeflateRect(2, 1);
    return r;
}

std::string CEdit::ShownText() const
{
    std::string text = GetWindowText();
    if (GetStyle() & ES_PASSWORD)
        text.assign(ui::CountCharacters(text), '*');
    return text;
}

int CEdit::CharacterAt(int x) const
{
    const std::string text = ShownText();
    const CRect r = TextArea();
    const LOGFONT& font = FontRecord();
    const int origin = TextOrigin(r, ui::TextWidth(text, font));
    const int count = static_cast<int>(ui::CountCharacters(text));
    int before = origin;
    for (int i = 0; i < count; ++i) {
        const int after = origin + ui::TextWidth(std::string_view(text).substr(0, ByteOffset(text, i + 1)), font);
        if (x < (before + after) / 2)
            return i;
        before = after;
    }
    return count;
}

int CEdit::TextOrigin(const CRect& area, int width) const
{
    if (width > area.Width())
        return area.left - m_scroll;
    return (GetStyle() & ES_CENTER) ? area.left + (area.Width() - width) / 2
           : (GetStyle() & ES_RIGHT) ? area.right - width
                                     : area.left;
}

void CEdit::Paint(CDC& dc)
{
    CRect r;
    GetClientRect(&r);
    const bool plain = IsWindowEnabled() && (GetStyle() & ES_READONLY) == 0;
    dc.FillSolidRect(r, plain ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE));
    if ((GetStyle() & WS_BORDER) || (GetExStyle() & 0x200 /* client edge */)) {
        // A focused field's border takes the accent colour, as the toolkit's entries do.
        if (CWnd::GetFocus() == this && plain)
            dc.Draw3dRect(r, ui::GetLookColours().accent, ui::GetLookColours().accent);
        else
            dc.DrawEdge(&r, EDGE_SUNKEN, BF_RECT);
    }
    r = TextArea();
    dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(IsWindowEnabled() ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
    const std::string text = ShownText();
    // A one-line field keeps its text in the middle of its height, as the toolkit's entries do.
    unsigned format = DT_NOPREFIX | (Multiline() ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
    format |= (GetStyle() & ES_CENTER) ? DT_CENTER : (GetStyle() & ES_RIGHT) ? DT_RIGHT : DT_LEFT;
    if (Multiline() || CWnd::GetFocus() != this || !IsWindowEnabled()) {
        m_scroll = 0;
        dc.DrawText(text, &r, format);
        return;
    }
    // A focused one-line field shows where typing goes: the selection on the highlight colour,
    // or a caret between two characters; a text longer than the field scrolls to the caret.
    const auto widthTo = [&](int index) {
        return dc.GetTextExtent(std::string_view(text).substr(0, ByteOffset(text, index))).cx;
    };
    const int full = dc.GetTextExtent(text).cx;
    const int caret = widthTo(m_selEnd);
    if (full <= r.Width() || r.Width() <= 0) {
        m_scroll = 0;
    } else {
        m_scroll = std::clamp(m_scroll, caret - r.Width() + 1, caret);
        m_scroll = std::clamp(m_scroll, 0, full - r.Width() + 1);
    }
    const int origin = TextOrigin(r, full);
    const auto xAt = [&](int index) { return origin + widthTo(index); };
    const int height = std::min(dc.GetTextExtent("Ag").cy, r.Height());
    const int top = r.top + (r.Height() - height) / 2;
    const int start = std::min(m_selStart, m_selEnd);
    const int end = std::max(m_selStart, m_selEnd);
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(r);
    const unsigned line = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    CRect whole(origin, r.top, origin + full + 1, r.bottom);
    if (start == end) {
        dc.DrawText(text, &whole, line);
        const int x = std::clamp(xAt(end), static_cast<int>(r.left), static_cast<int>(r.right) - 1);
        dc.FillSolidRect(CRect(x, top, x + 1, top + height), GetSysColor(COLOR_WINDOWTEXT));
    } else {
        const CRect chosen(xAt(start), top, xAt(end), top + height);
        dc.FillSolidRect(chosen, GetSysColor(COLOR_HIGHLIGHT));
        dc.DrawText(text, &whole, line);
        // The chosen characters again, in the highlight's text colour, where they were drawn.
        const std::size_t from = ByteOffset(text, start);
        CRect at(chosen.left, r.top, chosen.right + 1, r.bottom);
        dc.IntersectClipRect(CRect(chosen.left, r.top, chosen.right, r.bottom));
        dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc.DrawText(text.substr(from, ByteOffset(text, end) - from), &at, line);
    }
    dc.RestoreDC(saved);
}
