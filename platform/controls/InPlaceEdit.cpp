#include "platform/controls/InPlaceEdit.h"

#include <cstring>

#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DialogTemplate.h"

BOOL CInPlaceEdit::Create(CWnd* parent, const CRect& rect, int standsFor, bool pageMode, DWORD style)
{
    m_standsFor = standsFor;
    m_pageMode = pageMode;
    if (style == 0)
        style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
    if (pageMode)
        style |= WS_TABSTOP;
    if (!CreateEx(pageMode ? WS_EX_CLIENTEDGE : 0, "EDIT", "", style, rect, parent, kInPlaceEditId))
        return FALSE;
    LimitText(255);
    m_baseline.clear();
    SetFocus();
    return TRUE;
}

void CInPlaceEdit::Finish()
{
    const bool changed = HasChanged() && !m_cancelled;
    if (!changed && !m_notifyAlways)
        return;
    const std::string text = GetWindowText();
    // The receiver may close the edit's window; the object itself stays until its owner
    // lets it go, so the baseline can still be moved on afterwards.
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_INPLACE_NOTIFY, kInPlaceEditId, m_standsFor);
    if (changed)
        m_baseline = text;
}

bool CInPlaceEdit::AcceptChar(UINT ch)
{
    if (!m_numeric || ch < 0x20)
        return true;
    if (ch >= '0' && ch <= '9')
        return true;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const std::string text = GetWindowText();
    const std::string outside = text.substr(0, static_cast<std::size_t>(start)) +
                                text.substr(std::min<std::size_t>(static_cast<std::size_t>(end), text.size()));
    if (ch == '-')
        return start == 0 && outside.find_first_of("+-") == std::string::npos;
    if (ch == '.')
        return outside.find('.') == std::string::npos;
    // Letters, the space and the punctuation of a keyboard are no part of a number; characters
    // beyond ASCII neither.
    return false;
}

LRESULT CInPlaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: {
        const LRESULT code = CEdit::WindowProc(message, wParam, lParam);
        // A page's field, a tab stop among the page's controls, lets Tab move on to the next
        // one (leaving it finishes the edit); a cell's edit keeps every key.
        if (m_pageMode && wParam == VK_TAB)
            return code;
        return code | DLGC_WANTALLKEYS;
    }
    case WM_KEYDOWN:
        m_keyPressed = true;
        if (wParam == VK_RETURN) {
            m_cancelled = false;
            if (m_pageMode) {
                // Leaving the edit finishes it.
                if (CWnd* parent = GetParent())
                    parent->SetFocus();
            } else {
                m_keyPressed = false;
                Finish();
            }
            return 0;
        }
        if (wParam == VK_TAB && m_pageMode) {
            // Reached here when the key came through a loop that did not offer it to the
            // dialog first: it moves on all the same, and types nothing.
            if (CWnd* top = GetTopLevelParent())
                ui::MoveDialogFocus(*top, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            m_cancelled = true;
            m_keyPressed = false;
            SetWindowText(m_baseline);
            if (m_notifyAlways)
                Finish();
            if (m_hWnd != nullptr)
                if (CWnd* parent = GetParent())
                    parent->SetFocus();
            m_cancelled = false;
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == 0x1B || (wParam == '\t' && m_pageMode))
            return 0;
        if (!AcceptChar(static_cast<UINT>(wParam))) {
            MessageBeep(0);
            return 0;
        }
        // A character may come without a key down of its own (a key the layer has no code
        // for, an input method): what it typed is finished by leaving the field all the same.
        m_keyPressed = true;
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        if (m_keyPressed) {
            m_keyPressed = false;
            Finish();
        }
        return result;
    }
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
