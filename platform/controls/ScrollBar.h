#pragma once

#include "platform/controls/ControlWnd.h"

// A scroll bar control. It never moves itself: the user's request goes to the parent as
// WM_HSCROLL or WM_VSCROLL (then SB_ENDSCROLL), and the parent sets the new position.
class CScrollBar : public ui::ControlWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    int GetScrollPos() const { return m_pos; }
    void SetScrollRange(int minimum, int maximum, BOOL redraw = TRUE);
    void GetScrollRange(int* minimum, int* maximum) const;
    BOOL SetScrollInfo(const SCROLLINFO* info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const;
    int GetScrollLimit() const;

    // --- what the user does --------------------------------------------------------------
    void UserScroll(UINT code, int thumbPos = 0);

protected:
    void Paint(CDC& dc) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int m_min = 0;
    int m_max = 100;
    UINT m_page = 0;
    int m_pos = 0;
    // The arrows, the thumb and the track as Paint lays them out (client coordinates).
    void Layout(CRect& lessArrow, CRect& moreArrow, CRect& thumb) const;
    int PosAt(CPoint client) const;
    bool m_dragging = false;
    int m_grab = 0; // where in the thumb it was taken
    int m_track = 0;
};
