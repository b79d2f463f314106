#include "platform/docview/ToolBar.h"

#include <algorithm>

#include "platform/window/CmdUI.h"
#include "platform/docview/Frame.h"
#include "platform/docview/Resources.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"
#include "platform/drawing/IconTheme.h"
#include "platform/window/Input.h"
#include "platform/window/Screen.h"

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    .OnLButtonDown(&CToolBar::OnLButtonDown)
    .OnMouseMove(&CToolBar::OnMouseMove)
    .OnTimer(&CToolBar::OnTimer)
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

    // Whole multiples of the screen's 96 dots per inch: icon themes ship 1x and 2x pictures.
    int ScreenScale()
    {
        return std::max(1, (GetScreenMetrics().dpiY + 48) / 96);
    }

    // The flat bar colours: a hovered button is a shade darker than the bar, a pressed or
    // checked one darker again, as the toolkit's flat tool buttons are.
    COLORREF Shade(COLORREF c, int by)
    {
        auto down = [by](int v) { return std::clamp(v - by, 0, 255); };
        return RGB(down(GetRValue(c)), down(GetGValue(c)), down(GetBValue(c)));
    }

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
    const int scale = ScreenScale();
    const int imageHeight = std::max(bar->buttonHeight, 16);
    SetSizes(CSize((bar->buttonWidth + 7) * scale, (imageHeight + 6) * scale),
             CSize(bar->buttonWidth * scale, imageHeight * scale));
    const std::vector<std::string>* glyphs = GetResources().FindToolBarGlyphs(nIDResource);
    glyphs_ = glyphs != nullptr ? *glyphs : std::vector<std::string>();
    const std::vector<std::string>* icons = GetResources().FindToolBarIcons(nIDResource);
    icons_ = icons != nullptr ? *icons : std::vector<std::string>();
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
    sizesSet_ = true;
}

CSize CToolBar::ButtonSize() const
{
    if (sizesSet_) {
        return buttonSize_;
    }
    // A bar whose sizes were never set has buttons for a 16-pixel icon at the screen's scale.
    const int scale = ScreenScale();
    return {buttonSize_.cx * scale, buttonSize_.cy * scale};
}

int CToolBar::ItemWidth(int index) const
{
    const int base = ButtonSize().cx;
    const std::size_t at = static_cast<std::size_t>(index);
    if (at >= glyphs_.size() || glyphs_[at].empty()) {
        return base;
    }
    // A button with a label is as wide as its icon, the label and their margins need.
    const int icon = GetIconName(index).empty() ? 0 : GetIconSize() + 3;
    return std::max(base, 4 + icon + ui::TextWidth(glyphs_[at], ui::DefaultLogFont()) + 6);
}

int CToolBar::SeparatorWidth() const
{
    return kSeparatorWidth * ScreenScale();
}

const std::string& CToolBar::GetIconName(int nIndex) const
{
    static const std::string none;
    return nIndex >= 0 && static_cast<std::size_t>(nIndex) < icons_.size() ? icons_[static_cast<std::size_t>(nIndex)]
                                                                           : none;
}

std::string CToolBar::GetToolTipText(int nIndex) const
{
    const UINT id = GetItemID(nIndex);
    if (id == ID_SEPARATOR) {
        return {};
    }
    return ExtractSubString(GetResources().LoadString(id), 1);
}

std::string CToolBar::ToolTipAt(CPoint point, CRect* button) const
{
    if ((m_dwStyle & CBRS_TOOLTIPS) == 0) {
        return {};
    }
    const int hit = HitTest(point);
    if (hit < 0) {
        return {};
    }
    if (button != nullptr) {
        GetItemRect(hit, button);
    }
    return GetToolTipText(hit);
}

int CToolBar::GetIconSize() const
{
    return 16 * ScreenScale();
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
        const int width = separator ? SeparatorWidth() : ItemWidth(i);
        if (i == nIndex) {
            *lpRect = CRect(x, kBorder, x + width, kBorder + ButtonSize().cy);
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
    for (int i = 0; i < GetCount(); ++i) {
        width += (buttons_[static_cast<std::size_t>(i)].style & TBBS_SEPARATOR) != 0 ? SeparatorWidth() : ItemWidth(i);
    }
    int height = ButtonSize().cy + 2 * kBorder;
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
            const HWND self = m_hWnd;
            if (CWnd* owner = GetOwner()) {
                owner->SendMessage(WM_COMMAND, MAKEWPARAM(GetItemID(down), 0), reinterpret_cast<LPARAM>(self));
            }
            // The command may have changed what the buttons stand for (a tool chosen, a mode
            // left); show that now rather than at the next idle moment. The command may also
            // have closed the bar's frame.
            if (FromHandle(self) == this) {
                SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            }
        }
        return 0;
    }
    case WM_MOUSEMOVE: {
        const int hit = HitTest(LParamToPoint(lParam));
        if (hit != hot_) {
            SetHot(hit);
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

void CToolBar::SetHot(int index)
{
    for (int button : {hot_, index}) {
        if (button >= 0) {
            CRect r;
            GetItemRect(button, &r);
            InvalidateRect(&r);
        }
    }
    hot_ = index;
    // The bar hears of the pointer only while it is over the bar: a timer notices it leave.
    if (hot_ >= 0) {
        SetTimer(kHoverTimer, 100);
    } else {
        KillTimer(kHoverTimer);
    }
}

void CToolBar::OnTimer(std::uintptr_t id)
{
    if (id != kHoverTimer) {
        return;
    }
    CPoint pointer;
    GetCursorPos(&pointer);
    ScreenToClient(&pointer);
    if (HitTest(pointer) < 0) {
        SendMessage(WM_MOUSEMOVE, 0, PointToLParam(pointer));
    }
}

void CToolBar::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* dc = BeginPaint(&ps);
    if (dc != nullptr) {
        CRect client;
        GetClientRect(&client);
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        dc->FillSolidRect(client, face);
        dc->SetBkMode(TRANSPARENT);
        for (int i = 0; i < GetCount(); ++i) {
            CRect r;
            GetItemRect(i, &r);
            if ((buttons_[static_cast<std::size_t>(i)].style & TBBS_SEPARATOR) != 0) {
                const int x = r.CenterPoint().x;
                dc->FillSolidRect(CRect(x, r.top + 3, x + 1, r.bottom - 3), GetSysColor(COLOR_BTNSHADOW));
                continue;
            }
            PaintButton(*dc, i, r, face);
        }
    }
    EndPaint(&ps);
}

void CToolBar::PaintButton(CDC& dc, int index, const CRect& r, COLORREF face)
{
    const UINT style = buttons_[static_cast<std::size_t>(index)].style;
    const bool disabled = (style & TBBS_DISABLED) != 0;
    // Flat buttons show a face only when pressed, checked or under the pointer.
    COLORREF back = face;
    if ((style & (TBBS_PRESSED | TBBS_CHECKED)) != 0 || index == pressed_) {
        back = Shade(face, 38);
    } else if (index == hot_ && !disabled) {
        back = Shade(face, 18);
    }
    if (back != face || (ctrlStyle_ & TBSTYLE_FLAT) == 0) {
        CRect inner = r;
        inner.DeflateRect(1, 1);
        dc.FillSolidRect(inner, back);
        dc.Draw3dRect(inner, Shade(back, 20), Shade(back, 20));
    }
    const COLORREF ink = GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    const std::size_t at = static_cast<std::size_t>(index);
    const bool hasLabel = at < glyphs_.size() && !glyphs_[at].empty();
    const int size = GetIconSize();
    int x = hasLabel ? r.left + 4 : r.left + (r.Width() - size) / 2;
    if (const RgbaImage* icon = GetIconTheme().Find(GetIconName(index), size)) {
        const CBitmap picture = CompositeIcon(*icon, back, GetSysColor(COLOR_BTNTEXT),
                                              IsSymbolicIcon(GetIconName(index)), disabled);
        dc.DrawImage(x, r.top + (r.Height() - size) / 2, picture, true);
        x += size + 3;
    } else if (!hasLabel) {
        x = r.left; // no icon to show: the label, if any, takes the whole face
    }
    if (hasLabel) {
        dc.SetTextColor(ink);
        CRect text(x, r.top, r.right - 2, r.bottom);
        dc.DrawText(glyphs_[at], text, (x > r.left ? DT_LEFT : DT_CENTER) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}
