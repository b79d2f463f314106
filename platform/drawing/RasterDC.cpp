#include "platform/drawing/RasterDC.h"

#include "platform/drawing/SystemText.h"

#include <algorithm>
#include <cstdlib>

CRasterDC::CRasterDC() = default;

CRasterDC::CRasterDC(int width, int height, COLORREF fill)
{
    m_surface.CreateBitmap(width, height, fill);
}

const CBitmap* CRasterDC::GetSurface() const
{
    if (const CBitmap* selected = GetSelectedBitmap())
        return selected;
    return m_surface.IsCreated() ? &m_surface : nullptr;
}

CBitmap* CRasterDC::GetSurface()
{
    if (CBitmap* selected = GetSelectedBitmap())
        return selected;
    return m_surface.IsCreated() ? &m_surface : nullptr;
}

void CRasterDC::Render(const DrawOp& op)
{
    if (CBitmap* target = GetSurface())
        ui::RenderOp(*target, op);
}

namespace ui {
namespace {

COLORREF Rop3(unsigned table, COLORREF p, COLORREF s, COLORREF d)
{
    std::uint32_t r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (((table >> i) & 1) == 0)
            continue;
        std::uint32_t m = ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        r |= m;
    }
    return r & 0xFFFFFF;
}

class Painter {
public:
    Painter(CBitmap& target, const DrawOp& op) : m_target(target)
    {
        m_clip = CRect(0, 0, target.Width(), target.Height());
        if (op.hasClip) {
            CRect both;
            both.IntersectRect(m_clip, op.clip);
            m_clip = both;
        }
    }
    void ClipTo(const CRect& r)
    {
        CRect both;
        both.IntersectRect(m_clip, r);
        m_clip = both;
    }
    bool Inside(int x, int y) const { return m_clip.PtInRect(CPoint(x, y)); }
    const CRect& Clip() const { return m_clip; }
    void Plot(int x, int y, COLORREF c)
    {
        if (Inside(x, y))
            m_target.SetPixel(x, y, c);
    }
    COLORREF Get(int x, int y) const { return m_target.GetPixel(x, y); }
    void Fill(const CRect& r, COLORREF c)
    {
        CRect area;
        if (!area.IntersectRect(r, m_clip))
            return;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                m_target.SetPixel(x, y, c);
    }
    CRect Area(const CRect& r) const
    {
        CRect area;
        area.IntersectRect(r, m_clip);
        return area;
    }

private:
    CBitmap& m_target;
    CRect m_clip;
};

void DrawLine(Painter& p, const DrawOp& op)
{
    if (op.pen.GetStyle() == PS_NULL)
        return;
    int x0 = op.device.left, y0 = op.device.top, x1 = op.device.right, y1 = op.device.bottom;
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int w = op.pen.GetWidth();
    int step = 0;
    // The end point itself is not drawn, so that joined lines do not overlap.
    while (!(x0 == x1 && y0 == y1)) {
        bool on =
            op.pen.GetStyle() == PS_SOLID || (op.pen.GetStyle() == PS_DOT ? step % 2 == 0 : step % 6 < 4);
        if (on) {
            for (int oy = 0; oy < w; ++oy)
                for (int ox = 0; ox < w; ++ox)
                    p.Plot(x0 + ox - w / 2, y0 + oy - w / 2, op.pen.GetColour());
        }
        ++step;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void DrawEdgePass(Painter& p, CRect& r, unsigned flags, COLORREF tl, COLORREF br)
{
    if (flags & BF_TOP)
        p.Fill(CRect(r.left, r.top, r.right, r.top + 1), tl);
    if (flags & BF_LEFT)
        p.Fill(CRect(r.left, r.top, r.left + 1, r.bottom), tl);
    if (flags & BF_BOTTOM)
        p.Fill(CRect(r.left, r.bottom - 1, r.right, r.bottom), br);
    if (flags & BF_RIGHT)
        p.Fill(CRect(r.right - 1, r.top, r.right, r.bottom), br);
    if (flags & BF_TOP)
        ++r.top;
    if (flags & BF_LEFT)
        ++r.left;
    if (flags & BF_BOTTOM)
        --r.bottom;
    if (flags & BF_RIGHT)
        --r.right;
}

// Edges in the flat style of the desktop theme: the outer line is a one-pixel border of even
// colour (a raised one a shade darker at the bottom, as buttons are), the inner line keeps
// whatever the control painted there, so a field's white or a button's face reaches the border.
void DrawEdge(Painter& p, const DrawOp& op)
{
    CRect r = op.device;
    const unsigned edge = op.flags;
    const unsigned flags = op.edgeFlags;
    const COLORREF border = GetSysColor(COLOR_3DSHADOW);
    if (edge & BDR_RAISEDOUTER)
        DrawEdgePass(p, r, flags, border, GetSysColor(COLOR_3DDKSHADOW));
    else if (edge & BDR_SUNKENOUTER)
        DrawEdgePass(p, r, flags, border, border);
    const bool outer = (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) != 0;
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        if (outer) {
            r.DeflateRect((flags & BF_LEFT) ? 1 : 0, (flags & BF_TOP) ? 1 : 0, (flags & BF_RIGHT) ? 1 : 0,
                          (flags & BF_BOTTOM) ? 1 : 0);
        } else {
            DrawEdgePass(p, r, flags, border, border);
        }
    }
    if (flags & BF_MIDDLE)
        p.Fill(r, GetSysColor(COLOR_BTNFACE));
}

IGlyphPainter*& GlyphPainterSlot()
{
    static IGlyphPainter* painter = nullptr;
    return painter;
}

void DrawGlyphs(Painter& p, CBitmap& target, const TextLine& line, const DrawOp& op)
{
    const TEXTMETRIC tm = MetricsFor(op.font);
    if (op.bkMode == OPAQUE)
        p.Fill(CRect(line.x, line.y, line.x + line.width, line.y + tm.tmHeight), op.bkColour);
    if (IGlyphPainter* painter = GlyphPainterSlot()) {
        painter->DrawLine(target, p.Clip(), line, op);
        return;
    }
    if (!UsesBuiltInGlyphs()) {
        systemtext::DrawLine(target, p.Clip(), line, op);
        return;
    }
    const int k = GlyphScale(op.font);
    const int advance = CharAdvance(op.font);
    const int baseline = line.y + tm.tmAscent;
    int x = line.x;
    for (char32_t c : DecodeUtf8(line.text)) {
        const std::uint8_t* cols = GlyphColumns(c);
        for (int col = 0; col < 5; ++col) {
            for (int row = 0; row < 7; ++row) {
                if (((cols[col] >> row) & 1) == 0)
                    continue;
                int gx = x + col * k;
                int gy = baseline - (7 - row) * k;
                for (int oy = 0; oy < k; ++oy)
                    for (int ox = 0; ox < k; ++ox) {
                        p.Plot(gx + ox, gy + oy, op.textColour);
                        if (op.font.lfWeight >= FW_BOLD)
                            p.Plot(gx + ox + 1, gy + oy, op.textColour);
                    }
            }
        }
        if (op.font.lfUnderline)
            for (int ux = 0; ux < advance; ++ux)
                for (int oy = 0; oy < k; ++oy)
                    p.Plot(x + ux, baseline + k + oy - 1, op.textColour);
        x += advance;
    }
}

void Blit(Painter& p, CBitmap& target, const DrawOp& op)
{
    const unsigned table = (op.rop >> 16) & 0xFF;
    CRect area = p.Area(op.device);
    const int dw = op.device.Width();
    const int dh = op.device.Height();
    if (dw <= 0 || dh <= 0)
        return;
    // A blit onto its own surface must read the pixels as they were before it began.
    CBitmap copy;
    const CBitmap* source = op.sourcePixels;
    if (source == &target) {
        copy = target;
        source = &copy;
    }
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            COLORREF s = 0;
            if (source != nullptr) {
                int sx = op.source.left + static_cast<int>(static_cast<long long>(x - op.device.left) *
                                                           op.source.Width() / dw);
                int sy = op.source.top + static_cast<int>(static_cast<long long>(y - op.device.top) *
                                                          op.source.Height() / dh);
                if (sx < 0 || sy < 0 || sx >= source->Width() || sy >= source->Height())
                    continue;
                s = source->GetPixel(sx, sy);
            }
            COLORREF pat = op.brush.ColourAt(x, y, op.brushOrg);
            target.SetPixel(x, y, Rop3(table, pat, s, target.GetPixel(x, y)));
        }
    }
}

} // namespace

void RenderOp(CBitmap& target, const DrawOp& op)
{
    if (!target.IsCreated())
        return;
    Painter p(target, op);
    switch (op.kind) {
    case DrawOp::Kind::FillSolidRect:
        p.Fill(op.device, op.colour);
        break;
    case DrawOp::Kind::FillRect:
        if (op.brush.GetKind() == CBrush::Kind::Null)
            break;
        [[fallthrough]];
    case DrawOp::Kind::PatBlt: {
        const unsigned table = (op.rop >> 16) & 0xFF;
        CRect area = p.Area(op.device);
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                target.SetPixel(x, y,
                                Rop3(table, op.brush.ColourAt(x, y, op.brushOrg), 0, target.GetPixel(x, y)));
        break;
    }
    case DrawOp::Kind::BitBlt:
    case DrawOp::Kind::StretchBlt:
        Blit(p, target, op);
        break;
    case DrawOp::Kind::FocusRect: {
        const CRect& r = op.device;
        auto invert = [&](int x, int y) {
            if (((x + y) & 1) == 0 && p.Inside(x, y))
                target.SetPixel(x, y, ~target.GetPixel(x, y) & 0xFFFFFF);
        };
        for (int x = r.left; x < r.right; ++x) {
            invert(x, r.top);
            if (r.bottom - 1 > r.top)
                invert(x, r.bottom - 1);
        }
        for (int y = r.top + 1; y < r.bottom - 1; ++y) {
            invert(r.left, y);
            if (r.right - 1 > r.left)
                invert(r.right - 1, y);
        }
        break;
    }
    case DrawOp::Kind::Rectangle: {
        CRect inner = op.device;
        bool outline = op.pen.GetStyle() != PS_NULL;
        if (outline)
            inner.DeflateRect(1, 1);
        if (op.brush.GetKind() != CBrush::Kind::Null) {
            CRect area = p.Area(inner);
            for (int y = area.top; y < area.bottom; ++y)
                for (int x = area.left; x < area.right; ++x)
                    target.SetPixel(x, y, op.brush.ColourAt(x, y, op.brushOrg));
        }
        if (outline) {
            const CRect& r = op.device;
            COLORREF c = op.pen.GetColour();
            p.Fill(CRect(r.left, r.top, r.right, r.top + 1), c);
            p.Fill(CRect(r.left, r.bottom - 1, r.right, r.bottom), c);
            p.Fill(CRect(r.left, r.top, r.left + 1, r.bottom), c);
            p.Fill(CRect(r.right - 1, r.top, r.right, r.bottom), c);
        }
        break;
    }
    case DrawOp::Kind::Line:
        DrawLine(p, op);
        break;
    case DrawOp::Kind::Edge:
        DrawEdge(p, op);
        break;
    case DrawOp::Kind::Text: {
        if ((op.flags & DT_NOCLIP) == 0)
            p.ClipTo(op.device);
        TextLayout layout = LayoutText(op.text, op.device, op.flags, op.font);
        for (const TextLine& line : layout.lines)
            DrawGlyphs(p, target, line, op);
        break;
    }
    case DrawOp::Kind::Image: {
        const CBitmap* src = op.sourcePixels;
        if (src == nullptr)
            break;
        for (int y = 0; y < src->Height(); ++y)
            for (int x = 0; x < src->Width(); ++x)
                if (!(op.useMask && src->IsTransparent(x, y)))
                    p.Plot(op.device.left + x, op.device.top + y, src->GetPixel(x, y));
        break;
    }
    case DrawOp::Kind::SetPixel:
        p.Plot(op.device.left, op.device.top, op.colour);
        break;
    }
}

void SetGlyphPainter(IGlyphPainter* painter)
{
    GlyphPainterSlot() = painter;
}

IGlyphPainter* GetGlyphPainter()
{
    if (IGlyphPainter* painter = GlyphPainterSlot())
        return painter;
    return UsesBuiltInGlyphs() ? nullptr : &systemtext::Painter();
}

} // namespace ui
