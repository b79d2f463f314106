#pragma once

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/Geometry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;
// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
// Raster operations: the middle byte is the truth table over pattern, source and destination.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t SRCPAINT = 0x00EE0086;
constexpr std::uint32_t SRCAND = 0x008800C6;
constexpr std::uint32_t SRCINVERT = 0x00660046;
constexpr std::uint32_t SRCERASE = 0x00440328;
constexpr std::uint32_t NOTSRCCOPY = 0x00330008;
constexpr std::uint32_t MERGECOPY = 0x00C000CA;
constexpr std::uint32_t PATCOPY = 0x00F00021;
constexpr std::uint32_t PATPAINT = 0x00FB0A09;
constexpr std::uint32_t PATINVERT = 0x005A0049;
constexpr std::uint32_t DSTINVERT = 0x00550009;
constexpr std::uint32_t BLACKNESS = 0x00000042;
constexpr std::uint32_t WHITENESS = 0x00FF0062;
// DrawText formats.
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_EXPANDTABS = 0x0040;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
// DrawEdge edges and border flags.
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_RECT = 0xF;
constexpr unsigned BF_MIDDLE = 0x800;
constexpr unsigned BF_SOFT = 0x1000;
constexpr unsigned BF_ADJUST = 0x2000;
constexpr unsigned BF_FLAT = 0x4000;
constexpr unsigned BF_MONO = 0x8000;
// Device capability indexes.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

// A fill: one colour, an 8x8 two-colour pattern (bit set = foreground), or nothing.
class CBrush {
public:
    enum class Kind { Null, Solid, Pattern };

    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    bool CreateSolidBrush(COLORREF colour);
    bool CreateSysColorBrush(int index);
    bool CreatePatternBrush(const std::uint8_t (&rows)[8], COLORREF foreground, COLORREF background);
    // The checkerboard used for disabled swatches.
    bool CreateHalftoneBrush(COLORREF foreground, COLORREF background);
    static CBrush Null() { return CBrush(); }

    Kind GetKind() const { return m_kind; }
    COLORREF GetColour() const { return m_fg; }
    COLORREF GetBackground() const { return m_bg; }
    int GetSysColorIndex() const { return m_sysIndex; }
    bool IsHalftone() const { return m_halftone; }
    // The colour at a device pixel, with the pattern aligned to the brush origin.
    COLORREF ColourAt(int x, int y, CPoint brushOrg) const;
    bool operator==(const CBrush&) const = default;

private:
    Kind m_kind = Kind::Null;
    COLORREF m_fg = 0;
    COLORREF m_bg = 0;
    std::uint8_t m_rows[8] = {};
    int m_sysIndex = -1;
    bool m_halftone = false;
};

class CPen {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    bool CreatePen(int style, int width, COLORREF colour);
    int GetStyle() const { return m_style; }
    int GetWidth() const { return m_width; }
    COLORREF GetColour() const { return m_colour; }
    bool operator==(const CPen&) const = default;

private:
    int m_style = PS_SOLID;
    int m_width = 1;
    COLORREF m_colour = 0;
};

// One drawing operation as the context saw it: in the caller's logical units and in device
// pixels, with the state that shaped it. Recording contexts keep these for assertions.
struct DrawOp {
    enum class Kind {
        FillSolidRect,
        FillRect,
        PatBlt,
        BitBlt,
        StretchBlt,
        FocusRect,
        Rectangle,
        Line,
        Edge,
        Text,
        Image,
        SetPixel,
    };
    Kind kind = Kind::FillSolidRect;
    CRect logical;    // the target area as given
    CRect device;     // the same in device pixels
    CRect source;     // blits: the source area in the source's device pixels
    int sourceId = 0; // blits and images: resource id of the picture, 0 when it has none
    std::string text;
    unsigned flags = 0;     // DrawText format, or the DrawEdge edge
    unsigned edgeFlags = 0; // DrawEdge border flags
    std::uint32_t rop = 0;
    COLORREF colour = 0; // fills and pixels
    COLORREF textColour = 0;
    COLORREF bkColour = 0;
    int bkMode = OPAQUE;
    CBrush brush;
    CPen pen;
    LOGFONT font{};
    CPoint brushOrg;
    CRect clip; // device pixels; empty when nothing clips
    bool hasClip = false;
    const CBitmap* sourcePixels = nullptr; // valid only while the operation is rendered
    bool useMask = false;
};

// A device context: the drawing state and the coordinate mapping, shared by the recording
// and the raster context. Calls take logical units; everything below is in device pixels.
class CDC {
public:
    explicit CDC(int dpi = 96);
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Mapping. Device = (logical - window origin) * viewport extent / window extent +
    // viewport origin; MM_TEXT keeps extents at 1.
    int SetMapMode(int mode);
    int GetMapMode() const { return m_mapMode; }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(CPoint p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const { return m_windowOrg; }
    CPoint OffsetWindowOrg(int dx, int dy);
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(CSize s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const { return m_windowExt; }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(CPoint p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const { return m_viewportOrg; }
    CPoint OffsetViewportOrg(int dx, int dy);
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(CSize s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const { return m_viewportExt; }
    void LPtoDP(CPoint* points, int count = 1) const;
    void LPtoDP(CRect* rect) const;
    void LPtoDP(CSize* size) const;
    void DPtoLP(CPoint* points, int count = 1) const;
    void DPtoLP(CRect* rect) const;
    void DPtoLP(CSize* size) const;

    // State.
    COLORREF SetTextColor(COLORREF c);
    COLORREF GetTextColor() const { return m_textColour; }
    COLORREF SetBkColor(COLORREF c);
    COLORREF GetBkColor() const { return m_bkColour; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_bkMode; }
    CPoint SetBrushOrg(int x, int y);
    CPoint GetBrushOrg() const { return m_brushOrg; }
    // Selecting returns what was selected before (null for the built-in default).
    CFont* SelectObject(CFont* font);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    // Memory contexts draw into the selected picture.
    CBitmap* SelectObject(CBitmap* bitmap);
    CBitmap* GetSelectedBitmap() const { return m_bitmap; }
    const LOGFONT& GetCurrentLogFont() const;
    int SaveDC();
    bool RestoreDC(int saved);
    int IntersectClipRect(const CRect& logical);
    void SelectClipRgn(std::nullptr_t);
    // The clipping box in logical units (the whole surface when nothing clips).
    int GetClipBox(CRect* logical) const;
    int GetDeviceCaps(int index) const;
    void SetDpi(int dpi) { m_dpi = dpi; }
    virtual bool IsPrinting() const { return false; }
    // The device size, or an empty size for contexts without pixels.
    virtual CSize GetDeviceSize() const;

    // Text measuring, consistent with what the raster context draws.
    CSize GetTextExtent(std::string_view text) const;
    bool GetTextMetrics(TEXTMETRIC* tm) const;

    // Drawing.
    void FillSolidRect(const CRect& rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    void FillRect(const CRect& rect, const CBrush* brush);
    bool PatBlt(int x, int y, int width, int height, std::uint32_t rop);
    bool BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, std::uint32_t rop);
    bool StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, std::uint32_t rop);
    void DrawFocusRect(const CRect& rect);
    bool Rectangle(const CRect& rect);
    bool Rectangle(int l, int t, int r, int b) { return Rectangle(CRect(l, t, r, b)); }
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint p) { return MoveTo(p.x, p.y); }
    bool LineTo(int x, int y);
    bool LineTo(CPoint p) { return LineTo(p.x, p.y); }
    void Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight);
    bool DrawEdge(CRect* rect, unsigned edge, unsigned flags);
    bool TextOut(int x, int y, std::string_view text);
    // Returns the height of the drawn text; DT_CALCRECT only measures and adjusts rect.
    int DrawText(std::string_view text, CRect* rect, unsigned format);
    int DrawText(std::string_view text, const CRect& rect, unsigned format);
    // An icon of the resource table at its own size; false when there is no such icon.
    bool DrawIcon(int x, int y, int iconId);
    bool DrawIcon(CPoint p, int iconId) { return DrawIcon(p.x, p.y, iconId); }
    // A picture at its own size; with the mask its transparent pixels are skipped.
    void DrawImage(int x, int y, const CBitmap& picture, bool useMask);
    COLORREF SetPixel(int x, int y, COLORREF colour);
    COLORREF GetPixel(int x, int y) const;

    // The pixels a blit from this context reads; contexts without pixels have none.
    virtual const CBitmap* GetSurface() const { return m_bitmap; }

protected:
    virtual void Render(const DrawOp& op) = 0;
    DrawOp MakeOp(DrawOp::Kind kind, const CRect& logical) const;
    CSize EffectiveViewportExt() const;
    int ScaleX(int v) const;
    int ScaleY(int v) const;

private:
    struct State {
        int mapMode;
        CPoint windowOrg, viewportOrg;
        CSize windowExt, viewportExt;
        COLORREF textColour, bkColour;
        int bkMode;
        CPoint brushOrg;
        CFont* font;
        CPen* pen;
        CBrush* brush;
        CBitmap* bitmap;
        CRect clip;
        bool hasClip;
        CPoint current;
    };
    State Capture() const;
    void Apply(const State& s);
    bool Blit(DrawOp::Kind kind, int x, int y, int w, int h, CDC* source, int xs, int ys, int ws, int hs,
              std::uint32_t rop);

    int m_dpi;
    int m_mapMode = MM_TEXT;
    CPoint m_windowOrg;
    CPoint m_viewportOrg;
    CSize m_windowExt{1, 1};
    CSize m_viewportExt{1, 1};
    COLORREF m_textColour = RGB(0, 0, 0);
    COLORREF m_bkColour = RGB(255, 255, 255);
    int m_bkMode = OPAQUE;
    CPoint m_brushOrg;
    CFont* m_font = nullptr;
    CPen* m_pen = nullptr;
    CBrush* m_brush = nullptr;
    CBitmap* m_bitmap = nullptr;
    CRect m_clip;
    bool m_hasClip = false;
    CPoint m_current;
    std::vector<State> m_saved;
};

namespace ui {

// The lines DrawText produces inside a device rectangle, in device pixels.
struct TextLine {
    std::string text;
    int x = 0;
    int y = 0;
    int width = 0;
};
struct TextLayout {
    std::vector<TextLine> lines;
    int height = 0;
    int width = 0;
};
TextLayout LayoutText(std::string_view text, const CRect& rect, unsigned format, const LOGFONT& font);
// The text with the '&' prefixes resolved ("&&" shows one '&', "&x" shows x).
std::string StripPrefix(std::string_view text);
int TextWidth(std::string_view text, const LOGFONT& font);

// Draws the glyphs of one laid-out line of a text operation into a picture, inside `clip`
// (device pixels), over the line's background the caller has filled. Without one installed the
// machine's fonts draw (the built-in bitmap glyphs where there is no font library), exactly as
// they were measured. The painter is borrowed.
class IGlyphPainter {
public:
    virtual void DrawLine(CBitmap& target, const CRect& clip, const TextLine& line, const DrawOp& op) = 0;

protected:
    ~IGlyphPainter() = default;
};
void SetGlyphPainter(IGlyphPainter* painter);
IGlyphPainter* GetGlyphPainter();

} // namespace ui
