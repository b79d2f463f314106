#include "platform/drawing/SystemText.h"

#if VANTOREL_HAS_PANGO

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>

namespace ui::systemtext {
namespace {

// The faces the program's dialogs and lists name are the desktop's interface font, at the
// interface size: an 8-point dialog face shows at that size, a larger heading in proportion.
bool IsInterfaceFace(const std::string& face)
{
    return face.empty() || face == "MS Shell Dlg" || face == "MS Shell Dlg 2" || face == "MS Sans Serif" ||
           face == "System" || face == "Tahoma" || face == "Segoe UI";
}

struct Resolved {
    std::string family;
    double pixels = 11;
    bool bold = false;
    bool italic = false;
    std::string Key() const
    {
        char size[32];
        std::snprintf(size, sizeof size, "%.3f", pixels);
        return family + '|' + size + (bold ? "b" : "") + (italic ? "i" : "");
    }
};

Resolved Resolve(const LOGFONT& font)
{
    const std::string face(font.lfFaceName, strnlen(font.lfFaceName, sizeof(font.lfFaceName)));
    Resolved r;
    const int h = font.lfHeight;
    r.pixels = h < 0 ? -h : h > 0 ? std::max(1.0, h * 0.8) : 11.0;
    r.pixels = std::clamp(r.pixels, 1.0, 2000.0);
    if (IsInterfaceFace(face)) {
        const InterfaceFontChoice& ui = GetInterfaceFont();
        r.family = ui.family;
        r.pixels = r.pixels * ui.pointSize10 / 80.0;
    } else if (face == "Courier" || face == "Courier New" || face == "Fixedsys" || face == "Terminal") {
        r.family = "Monospace";
    } else {
        r.family = face;
    }
    r.bold = font.lfWeight >= FW_BOLD;
    r.italic = font.lfItalic != 0;
    return r;
}

// One font map and context for the whole program, with fixed rendering options so a measure
// taken anywhere matches the drawing: grey antialiasing, slight hinting, whole-pixel advances.
class Engine {
public:
    Engine()
    {
        m_map = pango_cairo_font_map_new();
        m_context = pango_font_map_create_context(m_map);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
        pango_cairo_context_set_font_options(m_context, options);
        cairo_font_options_destroy(options);
    }

    std::mutex& Lock() { return m_lock; }

    PangoFontDescription* Describe(const Resolved& r) const
    {
        PangoFontDescription* desc = pango_font_description_new();
        pango_font_description_set_family(desc, r.family.c_str());
        pango_font_description_set_absolute_size(desc, r.pixels * PANGO_SCALE);
        pango_font_description_set_weight(desc, r.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        pango_font_description_set_style(desc, r.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
        return desc;
    }

    PangoLayout* Layout(const Resolved& r, std::string_view text)
    {
        PangoLayout* layout = pango_layout_new(m_context);
        PangoFontDescription* desc = Describe(r);
        pango_layout_set_font_description(layout, desc);
        pango_font_description_free(desc);
        pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
        return layout;
    }

    TEXTMETRIC Metrics(const LOGFONT& font)
    {
        const Resolved r = Resolve(font);
        const std::string key = r.Key();
        if (auto it = m_metrics.find(key); it != m_metrics.end()) {
            TEXTMETRIC tm = it->second;
            tm.tmWeight = font.lfWeight;
            return tm;
        }
        PangoFontDescription* desc = Describe(r);
        PangoFontMetrics* m = pango_context_get_metrics(m_context, desc, pango_language_from_string("en"));
        const int ascent = PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(m));
        const int descent = PANGO_PIXELS_CEIL(pango_font_metrics_get_descent(m));
        pango_font_metrics_unref(m);
        pango_font_description_free(desc);
        TEXTMETRIC tm;
        tm.tmAscent = ascent;
        tm.tmDescent = descent;
        tm.tmHeight = ascent + descent;
        tm.tmInternalLeading = std::max(0, tm.tmHeight - static_cast<int>(std::lround(r.pixels)));
        tm.tmExternalLeading = 0;
        // The average over the letters of the alphabet, as dialog units are reckoned.
        const int letters = MeasureLocked(r, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        tm.tmAveCharWidth = std::max(1, (letters / 26 + 1) / 2);
        tm.tmMaxCharWidth = std::max(tm.tmAveCharWidth, MeasureLocked(r, "W"));
        tm.tmWeight = font.lfWeight;
        m_metrics.emplace(key, tm);
        return tm;
    }

    int Width(std::string_view text, const LOGFONT& font)
    {
        if (text.empty())
            return 0;
        const Resolved r = Resolve(font);
        std::string key = r.Key();
        key.push_back('\0');
        key.append(text);
        if (auto it = m_widths.find(key); it != m_widths.end())
            return it->second;
        const int width = MeasureLocked(r, text);
        if (m_widths.size() > 50000)
            m_widths.clear();
        m_widths.emplace(std::move(key), width);
        return width;
    }

    void Forget()
    {
        m_metrics.clear();
        m_widths.clear();
    }

private:
    int MeasureLocked(const Resolved& r, std::string_view text)
    {
        PangoLayout* layout = Layout(r, text);
        PangoRectangle logical{};
        pango_layout_get_pixel_extents(layout, nullptr, &logical);
        g_object_unref(layout);
        return logical.width;
    }

    std::mutex m_lock;
    PangoFontMap* m_map = nullptr;
    PangoContext* m_context = nullptr;
    std::unordered_map<std::string, TEXTMETRIC> m_metrics;
    std::unordered_map<std::string, int> m_widths;
};

Engine& TheEngine()
{
    static Engine* engine = new Engine; // lives as long as the fonts it caches
    return *engine;
}

// The layer keeps 0x00BBGGRR, cairo's RGB24 is 0x00RRGGBB: the swap is its own inverse.
std::uint32_t Swap(std::uint32_t c)
{
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

} // namespace

bool Available()
{
    return true;
}

TEXTMETRIC Metrics(const LOGFONT& font)
{
    Engine& e = TheEngine();
    std::lock_guard lock(e.Lock());
    return e.Metrics(font);
}

int Width(std::string_view text, const LOGFONT& font)
{
    Engine& e = TheEngine();
    std::lock_guard lock(e.Lock());
    return e.Width(text, font);
}

void InterfaceFontChanged()
{
    Engine& e = TheEngine();
    std::lock_guard lock(e.Lock());
    e.Forget();
}

void DrawLine(CBitmap& target, const CRect& clip, const TextLine& line, const DrawOp& op)
{
    if (line.text.empty())
        return;
    Engine& e = TheEngine();
    std::lock_guard lock(e.Lock());
    const TEXTMETRIC tm = e.Metrics(op.font);
    const Resolved r = Resolve(op.font);
    // The line's own box with a little room for descenders, slanted glyphs and a bold overhang.
    const CRect box(line.x - 1, line.y, line.x + line.width + tm.tmHeight / 4 + 1, line.y + tm.tmHeight + 2);
    CRect area;
    if (!area.IntersectRect(box, clip) || !area.IntersectRect(area, CRect(0, 0, target.Width(), target.Height())))
        return;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, area.Width(), area.Height());
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::vector<COLORREF>& pixels = target.Pixels();
    const int width = target.Width();
    for (int y = area.top; y < area.bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y - area.top) * stride);
        const COLORREF* from = pixels.data() + static_cast<std::size_t>(y) * width;
        for (int x = area.left; x < area.right; ++x)
            row[x - area.left] = Swap(from[x]);
    }
    cairo_surface_mark_dirty(surface);

    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, -area.left, -area.top);
    PangoLayout* layout = e.Layout(r, line.text);
    PangoAttrList* attrs = pango_attr_list_new();
    if (op.font.lfUnderline)
        pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (op.font.lfStrikeOut)
        pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(layout, attrs);
    PangoRectangle logical{};
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    const double baseline = static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
    cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
    cairo_clip(cr);
    cairo_translate(cr, line.x, line.y + tm.tmAscent - baseline);
    // The line was laid out at the width measured here; a text cut to fit by the caller's own
    // arithmetic is never wider, but a cached measure from another interface font could be.
    if (logical.width > line.width && line.width > 0)
        cairo_scale(cr, static_cast<double>(line.width) / logical.width, 1.0);
    const COLORREF c = op.textColour;
    cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0);
    pango_cairo_show_layout(cr, layout);
    cairo_surface_flush(surface);
    for (int y = area.top; y < area.bottom; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y - area.top) * stride);
        COLORREF* to = pixels.data() + static_cast<std::size_t>(y) * width;
        for (int x = area.left; x < area.right; ++x)
            to[x] = Swap(row[x - area.left]) & 0xFFFFFFu;
    }
    pango_attr_list_unref(attrs);
    g_object_unref(layout);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

namespace {
class CSystemPainter final : public IGlyphPainter {
public:
    void DrawLine(CBitmap& target, const CRect& clip, const TextLine& line, const DrawOp& op) override
    {
        systemtext::DrawLine(target, clip, line, op);
    }
};
} // namespace

IGlyphPainter& Painter()
{
    static CSystemPainter painter;
    return painter;
}

} // namespace ui::systemtext

#else

namespace ui::systemtext {

bool Available()
{
    return false;
}
TEXTMETRIC Metrics(const LOGFONT&)
{
    return {};
}
int Width(std::string_view, const LOGFONT&)
{
    return 0;
}
void InterfaceFontChanged() {}
void DrawLine(CBitmap&, const CRect&, const TextLine&, const DrawOp&) {}
IGlyphPainter& Painter()
{
    struct None final : IGlyphPainter {
        void DrawLine(CBitmap&, const CRect&, const TextLine&, const DrawOp&) override {}
    };
    static None none;
    return none;
}

} // namespace ui::systemtext

#endif
