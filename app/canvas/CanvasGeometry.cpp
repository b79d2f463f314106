#include "app/canvas/CanvasGeometry.h"

namespace {

// Floor division, so that points left of or above the canvas map to negative twips steadily.
int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int Centred(int client, int canvas, int scroll)
{
    return (client > canvas ? (client - canvas) / 2 : 0) - scroll;
}

} // namespace

CCanvasGeometry::CCanvasGeometry(const CRect& client, int canvasWidth, int canvasHeight, CPoint scroll)
    : m_offset(Centred(client.Width(), canvasWidth, scroll.x), Centred(client.Height(), canvasHeight, scroll.y)),
      m_width(canvasWidth), m_height(canvasHeight)
{
}

CPoint CCanvasGeometry::DocToClient(CPoint point) const
{
    return {m_offset.x + FloorDiv(point.x, kTwipsPerPixel), m_offset.y + FloorDiv(point.y, kTwipsPerPixel)};
}

CRect CCanvasGeometry::DocToClient(const CRect& rect) const
{
    CRect r(DocToClient(rect.TopLeft()), DocToClient(rect.BottomRight()));
    r.NormalizeRect();
    return r;
}

CPoint CCanvasGeometry::ClientToDoc(CPoint point) const
{
    return {(point.x - m_offset.x) * kTwipsPerPixel, (point.y - m_offset.y) * kTwipsPerPixel};
}

CRect CCanvasGeometry::ClientToDoc(const CRect& rect) const
{
    CRect r(ClientToDoc(rect.TopLeft()), ClientToDoc(rect.BottomRight()));
    r.NormalizeRect();
    return r;
}

CRect CCanvasGeometry::CanvasClientRect() const
{
    return {m_offset.x, m_offset.y, m_offset.x + m_width, m_offset.y + m_height};
}
