#include "platform/drawing/DC.h"

#include "platform/drawing/SystemText.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// Sets a window or viewport extent and returns the one before. Extents only mean something in
// the scalable modes, and never zero.
CSize SetExtent(CSize& extent, int mapMode, int cx, int cy)
{
    CSize old = extent;
    if (mapMode != MM_TEXT && cx != 0 && cy != 0)
        extent = {cx, cy};
    return old;
}

// a * b / c rounded half away from zero, without overflow for screen-sized values.
int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return 0;
    long long n = static_cast<long long>(a) * b;
    long long q = n / c;
    long long r = n % c;
    if (2 * std::llabs(r) >= std::llabs(static_cast<long long>(c)))
        q += ((n < 0) != (c < 0)) ? -1 : 1;
    return static_cast<int>(q);
}

CRect Normalised(CRect r)
{
    r.NormalizeRect();
    return r;
}

const CBrush& WhiteBrush()
{
    static const CBrush brush(RGB(255, 255, 255));
    return brush;
}

const CPen& BlackPen()
{
    static const CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    return pen;
}

} // namespace

bool CBrush::CreateSolidBrush(COLORREF colour)
{
    *this = CBrush();
    m_kind = Kind::Solid;
    m_fg = colour & 0xFFFFFF;
    return true;
}

bool CBrush::CreateSysColorBrush(int index)
{
    CreateSolidBrush(GetSysColor(index));
    m_sysIndex = index;
    return true;
}

bool CBrush::CreatePatternBrush(const std::uint8_t (&rows)[8], COLORREF foreground, COLORREF background)
{
    *this = CBrush();
    m_kind = Kind::Pattern;
    m_fg = foreground & 0xFFFFFF;
    m_bg = background & 0xFFFFFF;
    std::copy(std::begin(rows), std::end(rows), m_rows);
    return true;
}

bool CBrush::CreateHalftoneBrush(COLORREF foreground, COLORREF background)
{
    static const std::uint8_t checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    CreatePatternBrush(checker, foreground, background);
    m_halftone = true;
    return true;
}

COLORREF CBrush::ColourAt(int x, int y, CPoint brushOrg) const
{
    if (m_kind != Kind::Pattern)
        return m_fg;
    int px = ((x - brushOrg.x) % 8 + 8) % 8;
    int py = ((y - brushOrg.y) % 8 + 8) % 8;
    return (m_rows[py] & (0x80 >> px)) ? m_fg : m_bg;
}

bool CPen::CreatePen(int style, int width, COLORREF colour)
{
    m_style = style;
    m_width = std::max(1, width);
    m_colour = colour & 0xFFFFFF;
    return true;
}

CDC::CDC(int dpi) : m_dpi(dpi)
{
}

CDC::~CDC() = default;

int CDC::SetMapMode(int mode)
{
    int old = m_mapMode;
    m_mapMode = mode;
    if (mode == MM_TEXT) {
        m_windowExt = {1, 1};
        m_viewportExt = {1, 1};
    }
    return old;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    return std::exchange(m_windowOrg, CPoint{x, y});
}

CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    return SetWindowOrg(m_windowOrg.x + dx, m_windowOrg.y + dy);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    return SetExtent(m_windowExt, m_mapMode, cx, cy);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    return std::exchange(m_viewportOrg, CPoint{x, y});
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    return SetViewportOrg(m_viewportOrg.x + dx, m_viewportOrg.y + dy);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    return SetExtent(m_viewportExt, m_mapMode, cx, cy);
}

CSize CDC::EffectiveViewportExt() const
{
    if (m_mapMode != MM_ISOTROPIC)
        return m_viewportExt;
    // One logical unit must be as long on both axes: the axis with the larger scale is
    // shrunk to the other's, keeping its sign.
    long long sx = std::llabs(static_cast<long long>(m_viewportExt.cx)) * std::abs(m_windowExt.cy);
    long long sy = std::llabs(static_cast<long long>(m_viewportExt.cy)) * std::abs(m_windowExt.cx);
    CSize v = m_viewportExt;
    if (sx > sy) {
        int mag = MulDivRound(std::abs(m_viewportExt.cy), std::abs(m_windowExt.cx), std::abs(m_windowExt.cy));
        v.cx = (m_viewportExt.cx < 0 ? -1 : 1) * std::max(1, mag);
    } else if (sy > sx) {
        int mag = MulDivRound(std::abs(m_viewportExt.cx), std::abs(m_windowExt.cy), std::abs(m_windowExt.cx));
        v.cy = (m_viewportExt.cy < 0 ? -1 : 1) * std::max(1, mag);
    }
    return v;
}

int CDC::ScaleX(int v) const
{
    return MulDivRound(v, EffectiveViewportExt().cx, m_windowExt.cx);
}

int CDC::ScaleY(int v) const
{
    return MulDivRound(v, EffectiveViewportExt().cy, m_windowExt.cy);
}

void CDC::LPtoDP(CPoint* points, int count) const
{
    for (int i = 0; i < count; ++i) {
        points[i].x = ScaleX(points[i].x - m_windowOrg.x) + m_viewportOrg.x;
        points[i].y = ScaleY(points[i].y - m_windowOrg.y) + m_viewportOrg.y;
    }
}

void CDC::LPtoDP(CRect* rect) const
{
    CPoint p[2] = {rect->TopLeft(), rect->BottomRight()};
    LPtoDP(p, 2);
    *rect = CRect(p[0], p[1]);
}

void CDC::LPtoDP(CSize* size) const
{
    size->cx = ScaleX(size->cx);
    size->cy = ScaleY(size->cy);
}

void CDC::DPtoLP(CPoint* points, int count) const
{
    CSize v = EffectiveViewportExt();
    for (int i = 0; i < count; ++i) {
        points[i].x = MulDivRound(points[i].x - m_viewportOrg.x, m_windowExt.cx, v.cx) + m_windowOrg.x;
        points[i].y = MulDivRound(points[i].y - m_viewportOrg.y, m_windowExt.cy, v.cy) + m_windowOrg.y;
    }
}

void CDC::DPtoLP(CRect* rect) const
{
    CPoint p[2] = {rect->TopLeft(), rect->BottomRight()};
    DPtoLP(p, 2);
    *rect = CRect(p[0], p[1]);
}

void CDC::DPtoLP(CSize* size) const
{
    CSize v = EffectiveViewportExt();
    size->cx = MulDivRound(size->cx, m_windowExt.cx, v.cx);
    size->cy = MulDivRound(size->cy, m_windowExt.cy, v.cy);
}

COLORREF CDC::SetTextColor(COLORREF c)
{
    return std::exchange(m_textColour, c & 0xFFFFFF);
}

COLORREF CDC::SetBkColor(COLORREF c)
{
    return std::exchange(m_bkColour, c & 0xFFFFFF);
}

int CDC::SetBkMode(int mode)
{
    return std::exchange(m_bkMode, mode == TRANSPARENT ? TRANSPARENT : OPAQUE);
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    return std::exchange(m_brushOrg, CPoint{x, y});
}

CFont* CDC::SelectObject(CFont* font)
{
    return std::exchange(m_font, font);
}

CPen* CDC::SelectObject(CPen* pen)
{
    return std::exchange(m_pen, pen);
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return std::exchange(m_brush, brush);
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return std::exchange(m_bitmap, bitmap);
}

const LOGFONT& CDC::GetCurrentLogFont() const
{
    return (m_font && m_font->IsCreated()) ? m_font->GetLogFontRef() : ui::DefaultLogFont();
}

CDC::State CDC::Capture() const
{
    return State{m_mapMode,  m_windowOrg, m_viewportOrg, m_windowExt, m_viewportExt, m_textColour,
                 m_bkColour, m_bkMode,    m_brushOrg,    m_font,      m_pen,         m_brush,
                 m_bitmap,   m_clip,      m_hasClip,     m_current};
}

void CDC::Apply(const State& s)
{
    m_mapMode = s.mapMode;
    m_windowOrg = s.windowOrg;
    m_viewportOrg = s.viewportOrg;
    m_windowExt = s.windowExt;
    m_viewportExt = s.viewportExt;
    m_textColour = s.textColour;
    m_bkColour = s.bkColour;
    m_bkMode = s.bkMode;
    m_brushOrg = s.brushOrg;
    m_font = s.font;
    m_pen = s.pen;
    m_brush = s.brush;
    m_bitmap = s.bitmap;
    m_clip = s.clip;
    m_hasClip = s.hasClip;
    m_current = s.current;
}

int CDC::SaveDC()
{
    m_saved.push_back(Capture());
    return static_cast<int>(m_saved.size());
}

bool CDC::RestoreDC(int saved)
{
    // Negative values count back from the most recent save, as the platform allows.
    int index = saved < 0 ? static_cast<int>(m_saved.size()) + saved + 1 : saved;
    if (index < 1 || index > static_cast<int>(m_saved.size()))
        return false;
    Apply(m_saved[static_cast<std::size_t>(index - 1)]);
    m_saved.resize(static_cast<std::size_t>(index - 1));
    return true;
}

int CDC::IntersectClipRect(const CRect& logical)
{
    CRect d = logical;
    LPtoDP(&d);
    d = Normalised(d);
    if (m_hasClip) {
        CRect both;
        both.IntersectRect(m_clip, d);
        m_clip = both;
    } else {
        m_clip = d;
        m_hasClip = true;
    }
    return m_clip.IsRectEmpty() ? 1 : 2; // NULLREGION : SIMPLEREGION
}

void CDC::SelectClipRgn(std::nullptr_t)
{
    m_hasClip = false;
    m_clip = CRect();
}

CSize CDC::GetDeviceSize() const
{
    const CBitmap* s = GetSurface();
    return s ? CSize(s->Width(), s->Height()) : CSize();
}

int CDC::GetClipBox(CRect* logical) const
{
    CSize size = GetDeviceSize();
    CRect box = m_hasClip ? m_clip : CRect(0, 0, size.cx, size.cy);
    if (m_hasClip && size.cx > 0) {
        CRect both;
        both.IntersectRect(box, CRect(0, 0, size.cx, size.cy));
        box = both;
    }
    DPtoLP(&box);
    *logical = Normalised(box);
    return box.IsRectEmpty() ? 1 : 2;
}

int CDC::GetDeviceCaps(int index) const
{
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return m_dpi;
    case HORZRES:
        return GetDeviceSize().cx;
    case VERTRES:
        return GetDeviceSize().cy;
    case BITSPIXEL:
        return 32;
    default:
        return 0;
    }
}

CSize CDC::GetTextExtent(std::string_view text) const
{
    const LOGFONT& f = GetCurrentLogFont();
    CSize s(ui::TextWidth(text, f), ui::MetricsFor(f).tmHeight);
    DPtoLP(&s);
    return {std::abs(s.cx), std::abs(s.cy)};
}

bool CDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (tm == nullptr)
        return false;
    *tm = ui::MetricsFor(GetCurrentLogFont());
    return true;
}

DrawOp CDC::MakeOp(DrawOp::Kind kind, const CRect& logical) const
{
    DrawOp op;
    op.kind = kind;
    op.logical = logical;
    CRect d = logical;
    LPtoDP(&d);
    op.device = Normalised(d);
    op.textColour = m_textColour;
    op.bkColour = m_bkColour;
    op.bkMode = m_bkMode;
    op.brush = m_brush ? *m_brush : WhiteBrush();
    op.pen = m_pen ? *m_pen : BlackPen();
    op.font = GetCurrentLogFont();
    op.brushOrg = m_brushOrg;
    op.clip = m_clip;
    op.hasClip = m_hasClip;
    return op;
}

void CDC::FillSolidRect(const CRect& rect, COLORREF colour)
{
    // Like the platform, this leaves the background colour set to the fill colour.
    SetBkColor(colour);
    DrawOp op = MakeOp(DrawOp::Kind::FillSolidRect, rect);
    op.colour = colour & 0xFFFFFF;
    Render(op);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour)
{
    FillSolidRect(CRect(x, y, x + cx, y + cy), colour);
}

void CDC::FillRect(const CRect& rect, const CBrush* brush)
{
    DrawOp op = MakeOp(DrawOp::Kind::FillRect, rect);
    op.brush = brush ? *brush : CBrush::Null();
    op.rop = PATCOPY;
    Render(op);
}

bool CDC::PatBlt(int x, int y, int width, int height, std::uint32_t rop)
{
    DrawOp op = MakeOp(DrawOp::Kind::PatBlt, CRect(x, y, x + width, y + height));
    op.rop = rop;
    Render(op);
    return true;
}

bool CDC::Blit(DrawOp::Kind kind, int x, int y, int w, int h, CDC* source, int xs, int ys, int ws, int hs,
               std::uint32_t rop)
{
    DrawOp op = MakeOp(kind, CRect(x, y, x + w, y + h));
    op.rop = rop;
    if (source != nullptr) {
        CRect s(xs, ys, xs + ws, ys + hs);
        source->LPtoDP(&s);
        op.source = Normalised(s);
        op.sourcePixels = source->GetSurface();
        if (const CBitmap* b = source->GetSelectedBitmap())
            op.sourceId = b->GetResourceId();
    }
    // An operation that reads a source fails without one.
    unsigned table = (rop >> 16) & 0xFF;
    bool needsSource = ((table >> 2) & 0x33) != (table & 0x33);
    if (needsSource && source == nullptr)
        return false;
    Render(op);
    return true;
}

bool CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, std::uint32_t rop)
{
    return Blit(DrawOp::Kind::BitBlt, x, y, width, height, source, xSrc, ySrc, width, height, rop);
}

bool CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, std::uint32_t rop)
{
    return Blit(DrawOp::Kind::StretchBlt, x, y, width, height, source, xSrc, ySrc, srcWidth, srcHeight, rop);
}

void CDC::DrawFocusRect(const CRect& rect)
{
    Render(MakeOp(DrawOp::Kind::FocusRect, rect));
}

bool CDC::Rectangle(const CRect& rect)
{
    Render(MakeOp(DrawOp::Kind::Rectangle, rect));
    return true;
}

CPoint CDC::MoveTo(int x, int y)
{
    return std::exchange(m_current, CPoint{x, y});
}

bool CDC::LineTo(int x, int y)
{
    // The rectangle runs from the current position to the end point, unnormalised in the
    // logical record so the direction stays visible.
    DrawOp op = MakeOp(DrawOp::Kind::Line, CRect(m_current.x, m_current.y, x, y));
    CPoint p[2] = {m_current, CPoint(x, y)};
    LPtoDP(p, 2);
    op.device = CRect(p[0], p[1]);
    Render(op);
    m_current = {x, y};
    return true;
}

void CDC::Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    int x = rect.left, y = rect.top, cx = rect.Width(), cy = rect.Height();
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

bool CDC::DrawEdge(CRect* rect, unsigned edge, unsigned flags)
{
    if (rect == nullptr)
        return false;
    DrawOp op = MakeOp(DrawOp::Kind::Edge, *rect);
    op.flags = edge;
    op.edgeFlags = flags;
    Render(op);
    if (flags & BF_ADJUST) {
        int outer = (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) ? 1 : 0;
        int inner = (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) ? 1 : 0;
        int w = outer + inner;
        if (flags & BF_LEFT)
            rect->left += w;
        if (flags & BF_TOP)
            rect->top += w;
        if (flags & BF_RIGHT)
            rect->right -= w;
        if (flags & BF_BOTTOM)
            rect->bottom -= w;
    }
    return true;
}

bool CDC::TextOut(int x, int y, std::string_view text)
{
    const LOGFONT& f = GetCurrentLogFont();
    CSize extent(ui::TextWidth(text, f), ui::MetricsFor(f).tmHeight);
    DrawOp op = MakeOp(DrawOp::Kind::Text, CRect(x, y, x, y));
    CPoint p(x, y);
    LPtoDP(&p);
    op.device = CRect(p, extent);
    CSize logicalExtent = extent;
    DPtoLP(&logicalExtent);
    op.logical = CRect(x, y, x + std::abs(logicalExtent.cx), y + std::abs(logicalExtent.cy));
    op.text = std::string(text);
    op.flags = DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP;
    Render(op);
    return true;
}

int CDC::DrawText(std::string_view text, CRect* rect, unsigned format)
{
    if (rect == nullptr)
        return 0;
    DrawOp op = MakeOp(DrawOp::Kind::Text, *rect);
    ui::TextLayout layout = ui::LayoutText(text, op.device, format, op.font);
    CSize logicalSize(layout.width, layout.height);
    DPtoLP(&logicalSize);
    if (format & DT_CALCRECT) {
        rect->right = rect->left + std::abs(logicalSize.cx);
        rect->bottom = rect->top + std::abs(logicalSize.cy);
        return std::abs(logicalSize.cy);
    }
    op.text = std::string(text);
    op.flags = format;
    Render(op);
    return std::abs(logicalSize.cy);
}

int CDC::DrawText(std::string_view text, const CRect& rect, unsigned format)
{
    CRect r = rect;
    return DrawText(text, &r, format & ~static_cast<unsigned>(DT_CALCRECT));
}

bool CDC::DrawIcon(int x, int y, int iconId)
{
    const CBitmap* icon = GetImageResources().FindIcon(iconId);
    DrawOp op = MakeOp(DrawOp::Kind::Image, CRect(x, y, x, y));
    op.sourceId = iconId;
    op.useMask = true;
    if (icon != nullptr) {
        op = MakeOp(DrawOp::Kind::Image, CRect(x, y, x + icon->Width(), y + icon->Height()));
        op.sourceId = iconId;
        op.useMask = true;
        op.sourcePixels = icon;
        op.source = CRect(0, 0, icon->Width(), icon->Height());
    }
    Render(op);
    return icon != nullptr;
}

void CDC::DrawImage(int x, int y, const CBitmap& picture, bool useMask)
{
    DrawOp op = MakeOp(DrawOp::Kind::Image, CRect(x, y, x + picture.Width(), y + picture.Height()));
    op.sourceId = picture.GetResourceId();
    op.useMask = useMask;
    op.sourcePixels = &picture;
    op.source = CRect(0, 0, picture.Width(), picture.Height());
    Render(op);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour)
{
    DrawOp op = MakeOp(DrawOp::Kind::SetPixel, CRect(x, y, x + 1, y + 1));
    op.colour = colour & 0xFFFFFF;
    Render(op);
    return colour & 0xFFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    const CBitmap* s = GetSurface();
    if (s == nullptr)
        return 0xFFFFFFFF;
    CPoint p(x, y);
    LPtoDP(&p);
    return s->GetPixel(p.x, p.y);
}

namespace ui {

int TextWidth(std::string_view text, const LOGFONT& font)
{
    if (!UsesBuiltInGlyphs())
        return systemtext::Width(text, font);
    return static_cast<int>(CountCharacters(text)) * CharAdvance(font);
}

std::string StripPrefix(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size())
                out.push_back(text[++i]);
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

namespace {

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
            continue;
        }
        lines.back().push_back(text[i]);
    }
    return lines;
}

// Breaks one paragraph at spaces so that no line is wider than width; a word wider than
// the whole line stays on a line of its own.
std::vector<std::string> WrapWords(const std::string& paragraph, int width, const LOGFONT& font)
{
    std::vector<std::string> out;
    std::string line;
    std::size_t i = 0;
    while (i < paragraph.size()) {
        std::size_t end = paragraph.find(' ', i);
        std::string word = paragraph.substr(i, end == std::string::npos ? std::string::npos : end - i);
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(candidate, font) > width) {
            out.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
        if (end == std::string::npos)
            break;
        i = end + 1;
    }
    out.push_back(line);
    return out;
}

std::string Ellipsis(const std::string& line, int width, const LOGFONT& font)
{
    if (TextWidth(line, font) <= width)
        return line;
    std::size_t n = CountCharacters(line);
    while (n > 0) {
        --n;
        std::string cut = TruncateCharacters(line, n) + "...";
        if (TextWidth(cut, font) <= width)
            return cut;
    }
    return "...";
}

} // namespace

TextLayout LayoutText(std::string_view text, const CRect& rect, unsigned format, const LOGFONT& font)
{
    TextLayout layout;
    std::string shown = (format & DT_NOPREFIX) ? std::string(text) : StripPrefix(text);
    std::vector<std::string> lines;
    if (format & DT_SINGLELINE) {
        for (char& c : shown)
            if (c == '\r' || c == '\n')
                c = ' ';
        lines.push_back(shown);
    } else {
        for (const std::string& paragraph : SplitLines(shown)) {
            if (format & DT_WORDBREAK) {
                for (std::string& l : WrapWords(paragraph, rect.Width(), font))
                    lines.push_back(std::move(l));
            } else {
                lines.push_back(paragraph);
            }
        }
    }
    const int lineHeight = MetricsFor(font).tmHeight;
    layout.height = lineHeight * static_cast<int>(lines.size());
    int top = rect.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = rect.top + (rect.Height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = rect.bottom - lineHeight;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        TextLine line;
        line.text = (format & DT_END_ELLIPSIS) ? Ellipsis(lines[i], rect.Width(), font) : lines[i];
        line.width = TextWidth(line.text, font);
        line.y = top + static_cast<int>(i) * lineHeight;
        if (format & DT_CENTER)
            line.x = rect.left + (rect.Width() - line.width) / 2;
        else if (format & DT_RIGHT)
            line.x = rect.right - line.width;
        else
            line.x = rect.left;
        layout.width = std::max(layout.width, line.width);
        layout.lines.push_back(std::move(line));
    }
    return layout;
}

} // namespace ui
