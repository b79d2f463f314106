#include "platform/docview/StatusBar.h"

#include <algorithm>

#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"
#include "platform/drawing/Look.h"
#include "platform/window/CmdUI.h"
#include "platform/docview/Frame.h"
#include "platform/docview/Resources.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"

namespace {

// An indicator's width: its text as the status bar draws it, in the font it draws with.
int TextWidth(const std::string& text)
{
    return ui::TextWidth(text, ui::DefaultLogFont());
}

// The standard indicators have built-in texts when the program registers none.
bool IndicatorText(UINT id, std::string& text)
{
    if (GetResources().LoadString(id, text)) {
        return true;
    }
    switch (id) {
    case ID_INDICATOR_CAPS:
        text = "CAP";
        return true;
    case ID_INDICATOR_NUM:
        text = "NUM";
        return true;
    case ID_INDICATOR_SCRL:
        text = "SCRL";
        return true;
    default:
        return false;
    }
}

class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        auto* bar = static_cast<CStatusBar*>(m_pOther);
        UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_DISABLED;
        if (!bOn) {
            style |= SBPS_DISABLED;
        }
        bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
    }
    void SetCheck(int nCheck) override
    {
        auto* bar = static_cast<CStatusBar*>(m_pOther);
        UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_POPOUT;
        if (nCheck != 0) {
            style |= SBPS_POPOUT;
        }
        bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(const std::string& text) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), text);
    }
};

} // namespace

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    const DWORD windowStyle = TakeBarStyle(dwStyle);
    if (!CWnd::Create("msctls_statusbar32", "", windowStyle | WS_CHILD, CRect(), pParentWnd, nID)) {
        return FALSE;
    }
    SetOwner(pParentWnd);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == nullptr)) {
        return FALSE;
    }
    panes_.clear();
    BOOL result = TRUE;
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane;
        pane.id = lpIDArray[i];
        if (pane.id == ID_SEPARATOR) {
            pane.style = SBPS_NOBORDERS | (i == 0 ? UINT(SBPS_STRETCH) : 0u);
        } else if (IndicatorText(pane.id, pane.text)) {
            pane.cxText = TextWidth(pane.text);
        } else {
            result = FALSE;
        }
        panes_.push_back(pane);
    }
    Invalidate();
    return result;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (panes_[static_cast<std::size_t>(i)].id == nIDFind) {
            return i;
        }
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? panes_[static_cast<std::size_t>(nIndex)].id : 0;
}

void CStatusBar::GetItemRect(int nIndex, CRect* lpRect) const
{
    if (lpRect == nullptr) {
        return;
    }
    lpRect->SetRectEmpty();
    if (nIndex < 0 || nIndex >= GetCount()) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    // Fixed panes take their width plus margins; stretching panes share what is left.
    int fixed = kGap;
    int stretching = 0;
    for (const Pane& p : panes_) {
        if ((p.style & SBPS_STRETCH) != 0) {
            ++stretching;
        } else {
            fixed += p.cxText + kPaneMargin;
        }
        fixed += kGap;
    }
    const int spare = std::max(0, client.Width() - fixed);
    int x = kGap;
    for (int i = 0; i < GetCount(); ++i) {
        const Pane& p = panes_[static_cast<std::size_t>(i)];
        const int width = (p.style & SBPS_STRETCH) != 0 ? spare / stretching : p.cxText + kPaneMargin;
        if (i == nIndex) {
            *lpRect = CRect(x, kGap, x + width, std::max(kGap, client.Height() - 1));
            return;
        }
        x += width + kGap;
    }
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    const Pane& p = panes_[static_cast<std::size_t>(nIndex)];
    nID = p.id;
    nStyle = p.style;
    cxWidth = p.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        return;
    }
    Pane& p = panes_[static_cast<std::size_t>(nIndex)];
    p.id = nID;
    p.style = nStyle;
    p.cxText = std::max(0, cxWidth);
    Invalidate();
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? panes_[static_cast<std::size_t>(nIndex)].style : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex >= 0 && nIndex < GetCount() && panes_[static_cast<std::size_t>(nIndex)].style != nStyle) {
        panes_[static_cast<std::size_t>(nIndex)].style = nStyle;
        CRect r;
        GetItemRect(nIndex, &r);
        InvalidateRect(&r);
    }
}

BOOL CStatusBar::SetPaneText(int nIndex, const std::string& text, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        return FALSE;
    }
    Pane& p = panes_[static_cast<std::size_t>(nIndex)];
    if (p.text != text) {
        p.text = text;
        CRect r;
        GetItemRect(nIndex, &r);
        InvalidateRect(&r);
    }
    if (bUpdate) {
        UpdateWindow();
    }
    return TRUE;
}

std::string CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? panes_[static_cast<std::size_t>(nIndex)].text : std::string();
}

std::string CStatusBar::GetDisplayedText(int nIndex) const
{
    return (GetPaneStyle(nIndex) & SBPS_DISABLED) != 0 ? std::string() : GetPaneText(nIndex);
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    return {32767, kHeight};
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = panes_[static_cast<std::size_t>(i)].id;
        // The message pane is written directly, never asked. A pane whose id nobody handles
        // keeps showing its text (the program writes it), as status bars do.
        if (state.m_nID != ID_SEPARATOR) {
            state.DoUpdate(pTarget, FALSE);
        }
    }
}

void CStatusBar::Paint()
{
    PAINTSTRUCT ps;
    CDC* dc = BeginPaint(&ps);
    if (dc != nullptr) {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
        // Flat, as the toolkit's status bars: a line above, and a short line between panes
        // instead of sunken boxes.
        const COLORREF line = ui::GetLookColours().border;
        dc->FillSolidRect(CRect(client.left, client.top, client.right, client.top + 1), line);
        CFont* font = GetFont();
        CFont* old = font != nullptr ? dc->SelectObject(font) : nullptr;
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
        for (int i = 0; i < GetCount(); ++i) {
            CRect pane;
            GetItemRect(i, &pane);
            if ((panes_[static_cast<std::size_t>(i)].style & SBPS_NOBORDERS) == 0) {
                dc->FillSolidRect(CRect(pane.left - 2, pane.top + 3, pane.left - 1, pane.bottom - 3), line);
            }
            pane.DeflateRect(kGap, 1);
            dc->DrawText(GetDisplayedText(i), pane, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        if (font != nullptr) {
            dc->SelectObject(old);
        }
    }
    EndPaint(&ps);
}

LRESULT CStatusBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        Paint();
        return 0;
    }
    // The bar's own text is the message pane's.
    if (message == WM_SETTEXT) {
        SetPaneText(CommandToIndex(ID_SEPARATOR), lParam != 0 ? reinterpret_cast<const char*>(lParam) : "",
                    FALSE);
        return TRUE;
    }
    return CControlBar::DefWindowProc(message, wParam, lParam);
}
