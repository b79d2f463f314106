#pragma once

#include "platform/controls/ControlWnd.h"

// The track bar. Code that moves it never notifies; a drag sends WM_HSCROLL (WM_VSCROLL when
// vertical) to the parent with TB_THUMBTRACK for every position, then TB_THUMBPOSITION and
// TB_ENDTRACK when the thumb is let go.
class CSliderCtrl : public ui::ControlWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE);
    void GetRange(int& minimum, int& maximum) const;
    void SetRangeMin(int minimum, BOOL redraw = FALSE) { SetRange(minimum, m_max, redraw); }
    void SetRangeMax(int maximum, BOOL redraw = FALSE) { SetRange(m_min, maximum, redraw); }
    int GetRangeMin() const { return m_min; }
    int GetRangeMax() const { return m_max; }
    void SetPos(int pos);
    int GetPos() const { return m_pos; }
    void SetTicFreq(int freq) { m_ticFreq = freq; }
    int SetPageSize(int size);
    int SetLineSize(int size);

    // --- what the user does --------------------------------------------------------------
    // Drags the thumb through each of the positions and lets it go at the last one.
    void UserDrag(std::initializer_list<int> positions);
    // Arrow or page keys: one step, then TB_ENDTRACK.
    void UserStep(int code);

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC& dc) override;

private:
    void Scroll(UINT code, int pos);
    // The channel the thumb runs along, as Paint draws it, and the thumb's place on it.
    CRect Channel() const;
    int ThumbAt() const;
    int PosAt(CPoint client) const;

    bool m_dragging = false;

    int m_min = 0;
    int m_max = 100;
    int m_pos = 0;
    int m_ticFreq = 1;
    int m_page = 20;
    int m_line = 1;
};
