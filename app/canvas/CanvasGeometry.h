#pragma once

// Where the canvas lies in the view: a canvas of W x H pixels is shown as W*20 x H*20 twips,
// y downward, centred in the client area when the client is larger, else scrolled. A value
// taken for one moment of the view (its client size, canvas size and scroll position).

#include "platform/drawing/Geometry.h"

class CCanvasGeometry {
public:
    static constexpr int kTwipsPerPixel = 20;

    CCanvasGeometry(const CRect& client, int canvasWidth, int canvasHeight, CPoint scroll);

    // The canvas's top left corner in client pixels.
    CPoint Offset() const { return m_offset; }
    // Twips to client pixels; points left of or above the canvas map steadily to pixels
    // left of or above it.
    CPoint DocToClient(CPoint point) const;
    CRect DocToClient(const CRect& rect) const;
    CPoint ClientToDoc(CPoint point) const;
    CRect ClientToDoc(const CRect& rect) const;
    // The canvas in client pixels.
    CRect CanvasClientRect() const;

private:
    CPoint m_offset;
    int m_width;
    int m_height;
};
