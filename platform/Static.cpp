#include "platform/Static.h"

#include "platform/DC.h"

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
    case STM_SETICON: {
        int old = m_icon;
        m_icon = static_cast<int>(wParam);
        Invalidate();
        return old;
    }
    case STM_GETICON:
        return m_icon;
    case STM_SETIMAGE: {
        if (wParam == IMAGE_ICON) {
            int old = m_icon;
            m_icon = static_cast<int>(lParam);
            Invalidate();
            return old;
        }
        const CBitmap* old = m_bitmap;
        m_bitmap = reinterpret_cast<const CBitmap*>(lParam);
        Invalidate();
        return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
        return wParam == IMAGE_ICON ? m_icon : reinterpret_cast<LRESULT>(m_bitmap);
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
    switch (GetStyle() & SS_TYPEMASK) {
    case SS_ICON:
        if (m_icon != 0)
            dc.DrawIcon(0, 0, m_icon);
        return;
    case SS_BITMAP:
        if (m_bitmap != nullptr)
            dc.DrawImage(0, 0, *m_bitmap, false);
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
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(IsWindowEnabled() ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
    unsigned align = (GetStyle() & SS_TYPEMASK) == SS_CENTER  ? DT_CENTER
                     : (GetStyle() & SS_TYPEMASK) == SS_RIGHT ? DT_RIGHT
                                                              : DT_LEFT;
    dc.DrawText(GetWindowText(), &r, align | DT_WORDBREAK);
}
