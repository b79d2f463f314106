#include "propui/ColorButton.h"

#include <algorithm>

#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"
#include "platform/drawing/IconTheme.h"
#include "platform/drawing/RasterDC.h"
#include "platform/window/WindowClass.h"

namespace {

constexpr std::size_t kMaxCaption = 512;

std::string Caption(const CWnd& w)
{
    std::string text = w.GetWindowText();
    if (text.size() > kMaxCaption)
        text.resize(kMaxCaption);
    return text;
}

CRect Inner(const CRect& r)
{
    CRect inner = r;
    inner.DeflateRect(4, 4);
    return inner;
}

} // namespace

void RegisterPropertyButtonClasses()
{
    for (const char* name : {"ColorButton", "ToggleButton"}) {
        WNDCLASS wc;
        if (GetClassInfo(name, &wc))
            continue;
        wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        wc.hbrBackground = COLOR_BTNFACE + 1;
        wc.lpszClassName = name;
        AfxRegisterClass(&wc);
    }
}

// ---- colour button ----

CColorButton::CColorButton()
{
    RegisterPropertyButtonClasses();
    m_arrow.LoadOEMBitmap(OBM_DNARROW);
}

BOOL CColorButton::SubclassDlgItem(UINT id, CWnd* parent, COLORREF swatch, COLORREF textColour,
                                   COLORREF disabledText, int style)
{
    if (!CWnd::SubclassDlgItem(id, parent))
        return FALSE;
    m_swatch = swatch;
    m_text = textColour;
    m_disabledText = disabledText;
    m_style = style;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    Invalidate();
    return TRUE;
}

BOOL CColorButton::Create(const char* caption, DWORD style, const CRect& rect, CWnd* parent, UINT id,
                          COLORREF swatch, COLORREF textColour, COLORREF disabledText, int styleValue)
{
    m_swatch = swatch;
    m_text = textColour;
    m_disabledText = disabledText;
    m_style = styleValue;
    return CButton::Create(caption, (style & ~BS_TYPEMASK) | BS_OWNERDRAW, rect, parent, id);
}

void CColorButton::SetColor(COLORREF colour)
{
    m_swatch = colour;
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

void CColorButton::DrawFace(CDC& dc, const CRect& r, bool enabled)
{
    if (enabled) {
        dc.FillSolidRect(r, m_swatch);
    } else {
        // Black behind the white dots when the swatch itself is white, so the pattern shows.
        CBrush halftone;
        halftone.CreateHalftoneBrush(RGB(255, 255, 255), m_swatch == RGB(255, 255, 255) ? RGB(0, 0, 0) : m_swatch);
        dc.FillRect(r, &halftone);
    }
    CRect edge = r;
    dc.DrawEdge(&edge, EDGE_BUMP, BF_RECT);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_text);
    CRect text = r;
    dc.DrawText(Caption(*this), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CColorButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    CDC& dc = *item->hDC;
    const CRect r = item->rcItem;
    const bool enabled = (item->itemState & ODS_DISABLED) == 0;
    const bool focus = (item->itemState & ODS_FOCUS) != 0;
    dc.SelectObject(GetFont());
    DrawFace(dc, r, enabled);
    if (enabled && m_arrow.IsCreated()) {
        CRasterDC source;
        source.SelectObject(&m_arrow);
        dc.StretchBlt(r.right - 3 - 10, r.bottom - 3 - 10, 10, 10, &source, 0, 0, m_arrow.Width(),
                      m_arrow.Height(), SRCCOPY);
    }
    if (focus) {
        dc.DrawFocusRect(Inner(r));
        if ((item->itemState & ODS_SELECTED) != 0) {
            DrawFace(dc, r, enabled);
            dc.DrawFocusRect(Inner(r));
        }
    } else if (!enabled) {
        dc.SetTextColor(m_disabledText);
        CRect text = r;
        dc.DrawText(Caption(*this), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

LRESULT CColorButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_LBUTTONUP)
        return CButton::WindowProc(message, wParam, lParam);
    const int id = GetDlgCtrlID();
    CWnd* parent = GetParent();
    const LRESULT result = CButton::WindowProc(message, wParam, lParam);
    if (parent != nullptr && CWnd::FromHandle(parent->m_hWnd) == parent)
        parent->SendMessage(WM_NULL, 0, id);
    return result;
}

// ---- toggle button ----

CToggleButton::CToggleButton()
{
    RegisterPropertyButtonClasses();
}

BOOL CToggleButton::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!CWnd::SubclassDlgItem(id, parent))
        return FALSE;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    return TRUE;
}

void CToggleButton::SetChecked(int state)
{
    m_pressed = std::clamp(state, 0, 1);
    if (m_hWnd != nullptr)
        Invalidate();
}

void CToggleButton::SetIcon(int iconId)
{
    m_icon = iconId;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CToggleButton::SetPicture(const CBitmap* bitmap)
{
    m_bitmap = bitmap;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CToggleButton::DrawFace(CDC& dc, CRect edge, bool enabled)
{
    const CRect r = edge;
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    dc.DrawEdge(&edge, m_pressed != 0 ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (m_bitmap != nullptr)
        dc.DrawImage(r.left + (r.Width() - m_bitmap->Width()) / 2, r.top + 5, *m_bitmap, false);
    if (m_icon != 0)
        dc.DrawIcon(r.left + (r.Width() - 48) / 2, r.top + 10, m_icon);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT));
    CRect text = r;
    if (m_pressed != 0)
        text.OffsetRect(1, 1);
    bool image = m_bitmap != nullptr || m_icon != 0;
    if (!image && !m_iconName.empty()) {
        const std::string caption = Caption(*this);
        const CSize extent = dc.GetTextExtent(caption);
        // A tall button shows its picture above the caption, a low one beside it.
        const bool above = r.Height() >= 24 + extent.cy + 8;
        const int size = above ? 24 : 16;
        if (const RgbaImage* icon = r.Height() >= size + 4 ? GetIconTheme().Find(m_iconName, size) : nullptr) {
            const CBitmap picture = CompositeIcon(*icon, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT),
                                                  IsSymbolicIcon(m_iconName), !enabled);
            if (above) {
                dc.DrawImage(text.left + (r.Width() - size) / 2, text.top + 5, picture, true);
                image = true;
            } else {
                const int left = text.left + (r.Width() - size - 4 - extent.cx) / 2;
                dc.DrawImage(left, text.top + (r.Height() - size) / 2, picture, true);
                text.left = left + size + 4;
                dc.DrawText(caption, &text, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
                return;
            }
        }
    }
    dc.DrawText(Caption(*this), &text, DT_CENTER | DT_SINGLELINE | (image ? DT_BOTTOM : DT_VCENTER));
}

void CToggleButton::SetIconName(std::string name)
{
    m_iconName = std::move(name);
    if (m_hWnd != nullptr)
        Invalidate();
}

void CToggleButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    CDC& dc = *item->hDC;
    const bool enabled = (item->itemState & ODS_DISABLED) == 0;
    dc.SelectObject(GetFont());
    DrawFace(dc, item->rcItem, enabled);
    if ((item->itemState & ODS_FOCUS) != 0 && m_pressed != 0) {
        CRect edge = item->rcItem;
        edge.DeflateRect(1, 1);
        DrawFace(dc, edge, enabled);
        dc.DrawFocusRect(Inner(item->rcItem));
    }
}

LRESULT CToggleButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_LBUTTONUP)
        return CButton::WindowProc(message, wParam, lParam);
    // Every release flips the state, also one that completes no click: the parent hears of it
    // through WM_NULL either way.
    m_pressed ^= 1;
    const int id = GetDlgCtrlID();
    CWnd* parent = GetParent();
    const LRESULT result = CButton::WindowProc(message, wParam, lParam);
    if (parent != nullptr && CWnd::FromHandle(parent->m_hWnd) == parent)
        parent->SendMessage(WM_NULL, 0, id);
    if (m_hWnd != nullptr)
        Invalidate();
    return result;
}
