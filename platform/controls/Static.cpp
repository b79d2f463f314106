#include "platform/controls/Static.h"

#include "platform/drawing/DC.h"
#include "platform/drawing/Look.h"

BOOL CStatic::Create(const char* text, DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("Static", text, style, rect, parent, id);
}

int CStatic::SetIcon(int iconId)
{
    return static_cast<int>(SendMessage(STM_SETICON, static_cast<WPARAM>(iconId)));
}

const CBitmap* CStatic::SetBitmap(const CBitmap* bitmap)
{
    return reinterpret_cast<const CBitmap*>(
        SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}

LRESULT CStatic::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case STM_SETICON:
    case STM_SETIMAGE: {
        const LRESULT old = message == STM_SETICON ? m_image.Set(IMAGE_ICON, static_cast<LPARAM>(wParam))
                                                   : m_image.Set(wParam, lParam);
        Invalidate();
        return old;
    }
    case STM_GETICON:
        return m_image.icon;
    case STM_GETIMAGE:
        return m_image.Get(wParam);
    case WM_SETTEXT: {
        // The label draws on its parent's face: the old text goes only with what lies beneath.
        const LRESULT result = ControlWnd::DefWindowProc(message, wParam, lParam);
        InvalidateWithBackground();
        return result;
    }
    case WM_LBUTTONUP:
        if (GetStyle() & SS_NOTIFY)
            NotifyParent(STN_CLICKED);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    default:
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CStatic::Paint(CDC& dc)
{
    CRect r;
    GetClientRect(&r);
    CFont* font = GetFont();
    dc.SelectObject(font);
    // A bordered label is a read-only field: a thin frame with its text kept off the frame.
    if ((GetStyle() & WS_BORDER) != 0) {
        const COLORREF frame = ui::GetLookColours().border;
        dc.Draw3dRect(r, frame, frame);
        r.DeflateRect(1, 1);
    }
    switch (GetStyle() & SS_TYPEMASK) {
    case SS_ICON:
        if (m_image.icon != 0)
            dc.DrawIcon(r.left, r.top, m_image.icon);
        return;
    case SS_BITMAP:
        if (m_image.bitmap != nullptr)
            dc.DrawImage(r.left, r.top, *m_image.bitmap, false);
        return;
    case SS_ETCHEDFRAME:
        dc.DrawEdge(&r, EDGE_ETCHED, BF_RECT);
        return;
    case SS_BLACKRECT:
        dc.FillSolidRect(r, RGB(0, 0, 0));
        return;
    default:
        break;
    }
    if ((GetStyle() & WS_BORDER) != 0)
        r.DeflateRect(1, 0);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(IsWindowEnabled() ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
    unsigned align = (GetStyle() & SS_TYPEMASK) == SS_CENTER  ? DT_CENTER
                     : (GetStyle() & SS_TYPEMASK) == SS_RIGHT ? DT_RIGHT
                                                              : DT_LEFT;
    dc.DrawText(GetWindowText(), &r, align | DT_WORDBREAK);
}
