#include "platform/gtk/GtkHost.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace gtkscreen {
namespace {

std::string& InterfaceFamily()
{
    static std::string family = "Sans";
    return family;
}

// The faces the program's dialogs and components name, as the fonts a Linux machine has: the
// dialog faces are the desktop's interface font.
std::string FamilyFor(const LOGFONT& font)
{
    const std::string face(font.lfFaceName, strnlen(font.lfFaceName, sizeof(font.lfFaceName)));
    if (face.empty() || face == "MS Shell Dlg" || face == "MS Shell Dlg 2" || face == "MS Sans Serif" ||
        face == "System" || face == "Tahoma" || face == "Segoe UI") {
        return InterfaceFamily();
    }
    if (face == "Courier" || face == "Courier New" || face == "Fixedsys" || face == "Terminal") {
        return "Monospace";
    }
    return face;
}

// Real glyphs inside the layer's line boxes: a line keeps the place and width the layer gave
// it, placed by the text's alignment when the real text is narrower and squeezed when it is
// wider, so text never runs over what the window drew next to it.
class CPangoGlyphs final : public ui::IGlyphPainter {
public:
    void DrawLine(CBitmap& target, const CRect& clip, const ui::TextLine& line, const DrawOp& op) override
    {
        if (line.text.empty()) {
            return;
        }
        const TEXTMETRIC tm = ui::MetricsFor(op.font);
        // The real text may use the whole rectangle the window gave the text, not only the
        // layer's estimate of the line: squeezing every line to that estimate drew texts of one
        // font at different widths side by side (a list's header against its rows).
        const bool centred = (op.flags & DT_CENTER) != 0;
        const bool rightAligned = !centred && (op.flags & DT_RIGHT) != 0;
        const CRect& given = op.device;
        int room = line.width;
        if (given.Width() > 0) {
            if (centred)
                room = std::max(room, given.Width());
            else if (rightAligned)
                room = std::max(room, line.x + line.width - given.left);
            else
                room = std::max(room, given.right - line.x);
        }
        const int spare = room - line.width;
        const int left = centred ? line.x - spare / 2 : rightAligned ? line.x - spare : line.x;
        // A little room below and to the right for descenders and slanted glyphs.
        const CRect box(left, line.y, left + room + tm.tmHeight / 4, line.y + tm.tmHeight + 2);
        CRect area;
        if (!area.IntersectRect(box, clip) ||
            !area.IntersectRect(area, CRect(0, 0, target.Width(), target.Height()))) {
            return;
        }
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, area.Width(), area.Height());
        unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        std::vector<COLORREF>& pixels = target.Pixels();
        const int width = target.Width();
        for (int y = area.top; y < area.bottom; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y - area.top) * stride);
            const COLORREF* from = pixels.data() + static_cast<std::size_t>(y) * width;
            for (int x = area.left; x < area.right; ++x) {
                row[x - area.left] = ToCairo(from[x]);
            }
        }
        cairo_surface_mark_dirty(surface);

        cairo_t* cr = cairo_create(surface);
        cairo_translate(cr, -area.left, -area.top);
        PangoLayout* layout = pango_cairo_create_layout(cr);
        PangoFontDescription* desc = pango_font_description_new();
        pango_font_description_set_family(desc, FamilyFor(op.font).c_str());
        const int em = std::max(1, tm.tmHeight - tm.tmInternalLeading);
        pango_font_description_set_absolute_size(desc, static_cast<double>(em) * PANGO_SCALE);
        pango_font_description_set_weight(desc, op.font.lfWeight >= FW_BOLD ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        if (op.font.lfItalic) {
            pango_font_description_set_style(desc, PANGO_STYLE_ITALIC);
        }
        pango_layout_set_font_description(layout, desc);
        PangoAttrList* attrs = pango_attr_list_new();
        if (op.font.lfUnderline) {
            pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        }
        if (op.font.lfStrikeOut) {
            pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
        }
        pango_layout_set_attributes(layout, attrs);
        pango_layout_set_text(layout, line.text.c_str(), static_cast<int>(line.text.size()));

        PangoRectangle logical{};
        pango_layout_get_pixel_extents(layout, nullptr, &logical);
        const double baseline = static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
        double x = line.x;
        double scale = 1.0;
        // A left-aligned line that starts inside the clip but runs past its right edge (a label
        // a little longer than its control) is fitted into what shows, if a slight squeeze does
        // it; the layer's own glyphs are cut there.
        const bool leftAligned = !centred && !rightAligned;
        if (leftAligned && line.x >= clip.left && logical.width > clip.right - line.x &&
            (clip.right - line.x) * 4 >= logical.width * 3) {
            room = std::min(room, clip.right - line.x - 1);
        }
        if (logical.width > room && logical.width > 0) {
            scale = static_cast<double>(room) / logical.width;
            x = left;
        } else if ((op.flags & DT_CENTER) != 0) {
            x += (line.width - logical.width) / 2.0;
        } else if ((op.flags & DT_RIGHT) != 0) {
            x += line.width - logical.width;
        }
        cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
        cairo_clip(cr);
        cairo_translate(cr, x, line.y + tm.tmAscent - baseline);
        cairo_scale(cr, scale, 1.0);
        const COLORREF c = op.textColour;
        cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0);
        pango_cairo_show_layout(cr, layout);
        cairo_surface_flush(surface);

        for (int y = area.top; y < area.bottom; ++y) {
            const auto* row =
                reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y - area.top) * stride);
            COLORREF* to = pixels.data() + static_cast<std::size_t>(y) * width;
            for (int x2 = area.left; x2 < area.right; ++x2) {
                to[x2] = ToCairo(row[x2 - area.left]) & 0xFFFFFFu;
            }
        }
        pango_attr_list_unref(attrs);
        pango_font_description_free(desc);
        g_object_unref(layout);
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
};

} // namespace

void SetInterfaceFamily(const std::string& family)
{
    InterfaceFamily() = family.empty() ? "Sans" : family;
}

ui::IGlyphPainter& PangoGlyphs()
{
    static CPangoGlyphs painter;
    return painter;
}

} // namespace gtkscreen
