#include "platform/controls/Button.h"

#include "platform/drawing/DC.h"
#include "platform/drawing/IconTheme.h"
#include "platform/drawing/Look.h"
#include "platform/window/Input.h"

#include <algorithm>
#include <cmath>

BOOL CButton::Create(const char* caption, DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("Button", caption, style, rect, parent, id);
}

int CButton::GetCheck() const
{
    return static_cast<int>(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK));
}

void CButton::SetCheck(int check)
{
    SendMessage(BM_SETCHECK, static_cast<WPARAM>(check));
}

UINT CButton::GetState() const
{
    return static_cast<UINT>(const_cast<CButton*>(this)->SendMessage(BM_GETSTATE));
}

void CButton::SetState(BOOL pushed)
{
    SendMessage(BM_SETSTATE, pushed ? 1 : 0);
}

void CButton::SetButtonStyle(UINT style, BOOL redraw)
{
    SendMessage(BM_SETSTYLE, style, redraw);
}

void CButton::SetIconName(std::string name)
{
    m_iconName = std::move(name);
    Repaint();
}

const CBitmap* CButton::SetBitmap(const CBitmap* bitmap)
{
    return reinterpret_cast<const CBitmap*>(
        SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}

int CButton::SetIcon(int iconId)
{
    return static_cast<int>(SendMessage(BM_SETIMAGE, IMAGE_ICON, iconId));
}

void CButton::CheckRadioInGroup()
{
    for (CButton* b : RadioGroupOf(*this))
        if (b != this)
            b->SetCheck(BST_UNCHECKED);
    SetCheck(BST_CHECKED);
}

void CButton::Clicked()
{
    HWND self = m_hWnd;
    switch (GetStyle() & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
        SetCheck(m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE:
        SetCheck((m_check + 1) % 3);
        break;
    case BS_AUTORADIOBUTTON:
        CheckRadioInGroup();
        break;
    default:
        break;
    }
    if (CWnd::FromHandle(self) == this)
        NotifyParent(BN_CLICKED);
}

namespace {

bool IsPushButton(const CWnd& wnd)
{
    const UINT type = wnd.GetStyle() & BS_TYPEMASK;
    return dynamic_cast<const CButton*>(&wnd) != nullptr && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// A push button beside this one that holds the focus acts as the default: the default button
// then shows no frame of its own, so that one button shows it.
bool DefaultFrameTakenBeside(const CWnd& self)
{
    const CWnd* focus = CWnd::GetFocus();
    return focus != nullptr && focus != &self && focus->GetParent() == self.GetParent() && IsPushButton(*focus);
}

} // namespace

LRESULT CButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const UINT type = GetStyle() & BS_TYPEMASK;
    switch (message) {
    case BM_GETCHECK:
        return m_check;
    case BM_SETCHECK: {
        int check = static_cast<int>(wParam);
        m_check = check == BST_CHECKED || check == BST_INDETERMINATE ? check : BST_UNCHECKED;
        Repaint();
        return 0;
    }
    case BM_GETSTATE:
        return m_check | (m_pushed ? BST_PUSHED : 0) | (CWnd::GetFocus() == this ? BST_FOCUS : 0);
    case BM_SETSTATE:
        m_pushed = wParam != 0;
        Repaint();
        return 0;
    case BM_SETSTYLE:
        ModifyStyle(0xFF, static_cast<DWORD>(wParam) & 0xFF);
        if (lParam != 0)
            Repaint();
        return 0;
    case BM_SETIMAGE: {
        const LRESULT old = m_image.Set(wParam, lParam);
        Repaint();
        return old;
    }
    case BM_GETIMAGE:
        return m_image.Get(wParam);
    case BM_CLICK:
        if (IsWindowEnabled())
            Clicked();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (type == BS_GROUPBOX || !IsWindowEnabled())
            return 0;
        SetFocus();
        m_tracking = true;
        m_pushed = true;
        SetCapture();
        Repaint();
        return 0;
    case WM_MOUSEMOVE:
        if (type != BS_GROUPBOX && IsWindowEnabled()) {
            CRect r;
            GetClientRect(&r);
            SetHot(r.PtInRect(LParamToPoint(lParam)));
        }
        if (m_tracking) {
            CRect r;
            GetClientRect(&r);
            bool inside = r.PtInRect(LParamToPoint(lParam));
            if (inside != m_pushed) {
                m_pushed = inside;
                Repaint();
            }
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!m_tracking)
            return 0;
        m_tracking = false;
        bool click = m_pushed;
        m_pushed = false;
        if (CWnd::GetCapture() == this)
            ReleaseCapture();
        Repaint();
        if (click)
            Clicked();
        return 0;
    }
    case WM_TIMER:
        if (wParam == kHoverTimer && m_hot) {
            CPoint pointer;
            GetCursorPos(&pointer);
            ScreenToClient(&pointer);
            CRect r;
            GetClientRect(&r);
            if (!r.PtInRect(pointer) || !IsWindowEnabled())
                SetHot(false);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && type != BS_GROUPBOX && IsWindowEnabled())
            Clicked();
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = ControlWnd::DefWindowProc(message, wParam, lParam);
        Repaint();
        return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Repaint();
        // The default button beside gives up its frame, or takes it back.
        if (IsPushButton(*this) && GetParent() != nullptr) {
            for (CWnd* sibling : GetParent()->GetChildren()) {
                if (sibling != this && (sibling->GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON && IsPushButton(*sibling))
                    sibling->Invalidate();
            }
        }
        return 0;
    case WM_GETDLGCODE:
        if (type == BS_GROUPBOX)
            return DLGC_STATIC;
        if (type == BS_DEFPUSHBUTTON)
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (type == BS_PUSHBUTTON || type == BS_OWNERDRAW)
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        return DLGC_BUTTON;
    default:
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    }
}


void CButton::Paint(CDC& dc)
{
    CRect r;
    GetClientRect(&r);
    const UINT type = GetStyle() & BS_TYPEMASK;
    const bool focus = CWnd::GetFocus() == this;
    if (type == BS_OWNERDRAW) {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (m_pushed ? UINT(ODS_SELECTED) : 0u) | (focus ? UINT(ODS_FOCUS) : 0u) |
                        (IsWindowEnabled() ? 0u : UINT(ODS_DISABLED));
        dis.hwndItem = m_hWnd;
        dis.hDC = &dc;
        dis.rcItem = r;
        // A parent that draws the item itself answers non-zero; otherwise the button draws.
        CWnd* parent = GetParent();
        if (parent == nullptr ||
            parent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis)) == 0)
            DrawItem(&dis);
        return;
    }
    dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(IsWindowEnabled() ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
    const std::string text = GetWindowText();
    if (type == BS_GROUPBOX) {
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        CRect frame(r.left, r.top + tm.tmHeight / 2, r.right, r.bottom);
        dc.Draw3dRect(frame, ui::GetLookColours().border, ui::GetLookColours().border);
        CSize extent = dc.GetTextExtent(ui::StripPrefix(text));
        dc.FillSolidRect(CRect(r.left + 6, r.top, r.left + 10 + extent.cx, r.top + tm.tmHeight),
                         GetSysColor(COLOR_BTNFACE));
        dc.DrawText(text, CRect(r.left + 8, r.top, r.right, r.top + tm.tmHeight), DT_LEFT | DT_SINGLELINE);
        return;
    }
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
        type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
        const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
        // A box as tall as the text's capitals and a little more, at least 13 pixels.
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        const int side = std::max(13, tm.tmAscent);
        CRect box(r.left, r.top + (r.Height() - side) / 2, r.left + side, r.top + (r.Height() - side) / 2 + side);
        ui::DrawCheckMark(dc, box, m_check == BST_CHECKED ? 1 : m_check == BST_INDETERMINATE ? 2 : 0, radio,
                          !IsWindowEnabled());
        CRect label(box.right + 4, r.top, r.right, r.bottom);
        dc.DrawText(text, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (focus) {
            const int width = dc.GetTextExtent(ui::StripPrefix(text)).cx;
            const int top = r.top + std::max(0, (r.Height() - tm.tmHeight) / 2 - 1);
            ui::DrawFocusRing(dc, CRect(label.left - 2, top, std::min(r.right, label.left + width + 2),
                                        std::min(r.bottom, top + tm.tmHeight + 2)),
                              GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE));
        }
        return;
    }
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    ui::ButtonLook look;
    look.hot = m_hot;
    look.pressed = m_pushed;
    look.disabled = !IsWindowEnabled();
    // One button shows the default frame: a focused push button takes it from the default one.
    look.isDefault = (type == BS_DEFPUSHBUTTON && !DefaultFrameTakenBeside(*this)) || focus;
    ui::DrawButtonFace(dc, r, look);
    if (m_image.icon != 0) {
        const CBitmap* icon = GetImageResources().FindIcon(m_image.icon);
        if (icon != nullptr)
            dc.DrawIcon(r.left + (r.Width() - icon->Width()) / 2, r.top + (r.Height() - icon->Height()) / 2,
                        m_image.icon);
    } else if (m_image.bitmap != nullptr) {
        dc.DrawImage(r.left + (r.Width() - m_image.bitmap->Width()) / 2,
                     r.top + (r.Height() - m_image.bitmap->Height()) / 2, *m_image.bitmap, false);
    } else if (const RgbaImage* icon = NamedIcon(r)) {
        const int x = r.left + (r.Width() - icon->width) / 2 + (m_pushed ? 1 : 0);
        const int y = r.top + (r.Height() - icon->height) / 2 + (m_pushed ? 1 : 0);
        dc.DrawImage(x, y,
                     CompositeIcon(*icon, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT),
                                   IsSymbolicIcon(m_iconName), !IsWindowEnabled()),
                     true);
    } else {
        CRect label = r;
        if (m_pushed)
            label.OffsetRect(1, 1);
        dc.DrawText(text, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (focus) {
        CRect f = r;
        f.DeflateRect(3, 3);
        ui::DrawFocusRing(dc, f, GetSysColor(COLOR_BTNTEXT), ui::GetLookColours().buttonFace);
    }
}

void CButton::Repaint()
{
    const UINT type = GetStyle() & BS_TYPEMASK;
    // A push button paints its own face; a check box, radio button or group box draws its
    // label and focus ring straight on its parent's face, which must be painted again too.
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW)
        Invalidate();
    else
        InvalidateWithBackground();
}

void CButton::SetHot(bool hot)
{
    if (hot == m_hot)
        return;
    m_hot = hot;
    // The button hears of the pointer only while it is over it: a timer notices it leave.
    if (hot)
        SetTimer(kHoverTimer, 100);
    else
        KillTimer(kHoverTimer);
    Repaint();
}

const RgbaImage* CButton::NamedIcon(const CRect& face) const
{
    if (m_iconName.empty())
        return nullptr;
    // The face keeps at least its one-pixel edge on every side.
    for (int size : {24, 16, 8})
        if (size <= face.Width() - 2 && size <= face.Height() - 2)
            return GetIconTheme().Find(m_iconName, size);
    return nullptr;
}

void CButton::FillDisc(CDC& dc, CPoint centre, double radius, COLORREF colour)
{
    // Row by row: each row of pixels whose centre lies inside the circle.
    const int reach = static_cast<int>(radius);
    for (int dy = -reach; dy <= reach; ++dy) {
        const double half = std::sqrt(std::max(0.0, radius * radius - dy * dy));
        const int dx = static_cast<int>(half + 0.5);
        dc.FillSolidRect(CRect(centre.x - dx, centre.y + dy, centre.x + dx + 1, centre.y + dy + 1), colour);
    }
}

namespace {

bool IsRadioButton(CWnd& w)
{
    const UINT type = w.GetStyle() & BS_TYPEMASK;
    return dynamic_cast<CButton*>(&w) != nullptr && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
}

} // namespace

std::vector<CButton*> RadioGroupOf(CWnd& button)
{
    std::vector<CButton*> group;
    CWnd* parent = button.GetParent();
    if (!IsRadioButton(button))
        return group;
    if (parent == nullptr)
        return {static_cast<CButton*>(&button)};
    const std::vector<CWnd*> siblings = parent->GetChildren();
    std::size_t self = 0;
    while (self < siblings.size() && siblings[self] != &button)
        ++self;
    std::size_t first = self;
    while (first > 0 && (siblings[first]->GetStyle() & WS_GROUP) == 0)
        --first;
    std::size_t last = self + 1;
    while (last < siblings.size() && (siblings[last]->GetStyle() & WS_GROUP) == 0)
        ++last;
    for (std::size_t i = first; i < last; ++i)
        if (IsRadioButton(*siblings[i]))
            group.push_back(static_cast<CButton*>(siblings[i]));
    return group;
}

void CheckRadioButton(CWnd* parent, int firstId, int lastId, int checkId)
{
    if (parent == nullptr)
        return;
    for (int id = firstId; id <= lastId; ++id)
        if (CWnd* w = parent->GetDlgItem(id))
            w->SendMessage(BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED);
}

int GetCheckedRadioButton(CWnd* parent, int firstId, int lastId)
{
    if (parent == nullptr)
        return 0;
    for (int id = firstId; id <= lastId; ++id)
        if (CWnd* w = parent->GetDlgItem(id))
            if (w->SendMessage(BM_GETCHECK) == BST_CHECKED)
                return id;
    return 0;
}

BOOL CButton::TakesPointerAt(CPoint) const
{
    return (GetStyle() & BS_TYPEMASK) != BS_GROUPBOX;
}
