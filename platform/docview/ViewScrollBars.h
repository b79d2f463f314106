#pragma once

// The scroll bars of a scrolling view: scroll bar controls along its right and bottom edges,
// shown while the view's area is larger than the part of its window they leave free. They
// report to the view as a window's own scroll bars do (WM_HSCROLL, WM_VSCROLL).

#include <memory>

#include "platform/drawing/Geometry.h"

class CScrollBar;
class CWnd;

class CViewScrollBars {
public:
    CViewScrollBars();
    ~CViewScrollBars();
    CViewScrollBars(const CViewScrollBars&) = delete;
    CViewScrollBars& operator=(const CViewScrollBars&) = delete;

    // The part of a client area the view shows when an area of `total` is laid in it: the
    // client less the bars that area needs (a bar taken on one axis can make the other needed).
    static CSize Visible(CSize client, CSize total, bool* horz = nullptr, bool* vert = nullptr);

    // Shows, places and sets the bars of `view` for an area of `total` at position `pos`.
    void Update(CWnd& view, CSize total, CPoint pos);
    bool HorzShown() const;
    bool VertShown() const;
    CScrollBar* Horz() const { return m_horz.get(); }
    CScrollBar* Vert() const { return m_vert.get(); }

private:
    std::unique_ptr<CScrollBar> m_horz;
    std::unique_ptr<CScrollBar> m_vert;
};
