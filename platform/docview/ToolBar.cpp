#include "platform/docview/ToolBar.h"

#include "platform/window/CmdUI.h"
#include "platform/docview/Frame.h"
#include "platform/docview/Resources.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    .OnLButtonDown(&CToolBar::OnLButtonDown)
    .OnMouseMove(&CToolBar::OnMouseMove)
    .OnPaint(&CToolBar::OnPaint) END_MESSAGE_MAP()

        namespace
{

    // Sets the state of one toolbar button from an update handler.
    class CToolCmdUI : public CCmdUI {
    public:
        void Enable(BOOL bOn) override
        {
            m_bEnableChanged = TRUE;
            auto* bar = static_cast<CToolBar*>(m_pOther);
            UINT style = bar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~TBBS_DISABLED;
            if (!bOn) {
                style = (style | TBBS_DISABLED) & ~TBBS_PRESSED;
            }
            bar->SetButtonStyle(static_cast<int>(m_nIndex), style);
        }
        void SetCheck(int nCheck) override
        {
            auto* bar = static_cast<CToolBar*>(m_pOther);
            UINT style =
                bar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
            if (nCheck == 1) {
                style |= TBBS_CHECKED;
            } else if (nCheck == 2) {
                style |= TBBS_INDETERMINATE;
            }
            bar->SetButtonStyle(static_cast<int>(m_nIndex), style | TBBS_CHECKBOX);
        }
        void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
        void SetText(const std::string&) override {}
    };

} // namespace

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID)
{
    ctrlStyle_ = dwCtrlStyle;
    const DWORD windowStyle = TakeBarStyle(dwStyle);
    if (!CWnd::Create("ToolbarWindow32", "", windowStyle | WS_CHILD, CRect(), pParentWnd, nID)) {
        return FALSE;
    }
    SetOwner(pParentWnd);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    const ToolBarTemplate* bar = GetResources().FindToolBar(nIDResource);
    if (bar == nullptr) {
        return FALSE;
    }
    SetSizes(CSize(bar->buttonWidth + 7, bar->buttonHeight + 6), CSize(bar->buttonWidth, bar->buttonHeight));
    const std::vector<std::string>* glyphs = GetResources().FindToolBarGlyphs(nIDResource);
    glyphs_ = glyphs != nullptr ? *glyphs : std::vector<std::string>();
    return SetButtons(bar->buttons.data(), static_cast<int>(bar->buttons.size()));
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    buttons_.clear();
    if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == nullptr)) {
        return FALSE;
    }
    for (int i = 0; i < nIDCount; ++i) {
        Button b;
        b.id = lpIDArray[i];
        b.style = b.id == ID_SEPARATOR ? TBBS_SEPARATOR : TBBS_BUTTON;
        buttons_.push_back(b);
    }
    pressed_ = hot_ = -1;
    Invalidate();
    return TRUE;
}

void CToolBar::SetSizes(CSize sizeButton, CSize)
{
    buttonSize_ = sizeButton;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? buttons_[static_cast<std::size_t>(nIndex)].id : 0;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (buttons_[static_cast<std::size_t>(i)].id == nIDFind && nIDFind != ID_SEPARATOR) {
            return i;
        }
    }
    return -1;
}

void CToolBar::GetItemRect(int nIndex, CRect* lpRect) const
{
    if (lpRect == nullptr) {
        return;
    }
    int x = kBorder;
    for (int i = 0; i < GetCount(); ++i) {
        const bool separator = (buttons_[static_cast<std::size_t>(i)].style & TBBS_SEPARATOR) != 0;
        const int width = separator ? kSeparatorWidth : buttonSize_.cx;
        if (i == nIndex) {
            *lpRect = CRect(x, kBorder, x + width, kBorder + buttonSize_.cy);
            return;
        }
        x += width;
    }
    lpRect->SetRectEmpty();
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? buttons_[static_cast<std::size_t>(nIndex)].style : 0;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        return;
    }
    Button& b = buttons_[static_cast<std::size_t>(nIndex)];
    if (b.style != nStyle) {
        b.style = nStyle;
        CRect r;
        GetItemRect(nIndex, &r);
        InvalidateRect(&r);
    }
}

int CToolBar::HitTest(CPoint point) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if ((buttons_[static_cast<std::size_t>(i)].style & TBBS_SEPARATOR) != 0) {
            continue;
        }
        CRect r;
        GetItemRect(i, &r);
        if (r.PtInRect(point)) {
            return i;
        }
    }
    return -1;
}

CSize CToolBar::CalcFixedLayout(BOOL, BOOL)
{
    int width = 2 * kBorder;
    for (const Button& b : buttons_) {
        width += (b.style & TBBS_SEPARATOR) != 0 ? kSeparatorWidth : buttonSize_.cx;
    }
    int height = buttonSize_.cy + 2 * kBorder;
    if ((m_dwStyle & (CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM)) != 0) {
        height += 2;
    }
    return {width, height};
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        const Button& b = buttons_[static_cast<std::size_t>(i)];
        if ((b.style & TBBS_SEPARATOR) != 0) {
            continue;
        }
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = b.id;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

void CToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // Presses on a button are the bar's own business; anywhere else starts a bar drag.
    if (HitTest(point) >= 0) {
        DefWindowProc(WM_LBUTTONDOWN, nFlags, PointToLParam(point));
    } else {
        CControlBar::OnLButtonDown(nFlags, point);
    }
}

void CToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    DefWindowProc(WM_MOUSEMOVE, nFlags, PointToLParam(point));
}

LRESULT CToolBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        const int hit = HitTest(LParamToPoint(lParam));
        if (hit >= 0 && (GetButtonStyle(hit) & TBBS_DISABLED) == 0) {
            pressed_ = hit;
            SetButtonStyle(hit, GetButtonStyle(hit) | TBBS_PRESSED);
            SetCapture();
        }
        return 0;
    }
    case WM_LBUTTONUP: {
        if (pressed_ < 0) {
            return 0;
        }
        const int down = pressed_;
        pressed_ = -1;
        SetButtonStyle(down, GetButtonStyle(down) & ~TBBS_PRESSED);
        if (GetCapture() == this) {
            ReleaseCapture();
        }
        if (HitTest(LParamToPoint(lParam)) == down && (GetButtonStyle(down) & TBBS_DISABLED) == 0) {
            if (CWnd* owner = GetOwner()) {
                owner->SendMessage(WM_COMMAND, MAKEWPARAM(GetItemID(down), 0),
                                   reinterpret_cast<LPARAM>(m_hWnd));
            }
        }
        return 0;
    }
    case WM_MOUSEMOVE: {
        const int hit = HitTest(LParamToPoint(lParam));
        if (hit != hot_) {
            hot_ = hit;
            // Fly-by help: the button's prompt in the message pane while the pointer is over it.
            if ((m_dwStyle & CBRS_FLYBY) != 0 && GetOwner() != nullptr) {
                GetOwner()->SendMessage(WM_SETMESSAGESTRING, hit >= 0 ? GetItemID(hit) : AFX_IDS_IDLEMESSAGE);
            }
        }
        return 0;
    }
    default:
        return CControlBar::DefWindowProc(message, wParam, lParam);
    }
}

void CToolBar::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* dc = BeginPaint(&ps);
    if (dc != nullptr) {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
        dc->SetBkMode(TRANSPARENT);
        for (int i = 0; i < GetCount(); ++i) {
            const Button& b = buttons_[static_cast<std::size_t>(i)];
            CRect r;
            GetItemRect(i, &r);
            if ((b.style & TBBS_SEPARATOR) != 0) {
                const int x = r.CenterPoint().x;
                dc->Draw3dRect(CRect(x - 1, r.top + 2, x + 1, r.bottom - 2), GetSysColor(COLOR_BTNSHADOW),
                               GetSysColor(COLOR_BTNHIGHLIGHT));
                continue;
            }
            // Flat buttons show an edge only when pressed, checked or under the pointer.
            if ((b.style & (TBBS_PRESSED | TBBS_CHECKED)) != 0 || i == pressed_) {
                dc->Draw3dRect(r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
            } else if (i == hot_ || (ctrlStyle_ & TBSTYLE_FLAT) == 0) {
                dc->Draw3dRect(r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
            }
            const std::size_t at = static_cast<std::size_t>(i);
            if (at < glyphs_.size() && !glyphs_[at].empty()) {
                dc->SetTextColor(GetSysColor((b.style & TBBS_DISABLED) != 0 ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
                CRect face = r;
                face.DeflateRect(2, 2);
                dc->DrawText(glyphs_[at], face, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            }
        }
    }
    EndPaint(&ps);
}
