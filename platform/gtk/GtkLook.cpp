// The layer's own drawing dressed in the desktop's theme: the theme's named colours become the
// system colours, icons come from the toolkit's icon theme, and toolbar tips are the toolkit's
// own tool tips.

#include "platform/controls/ListCtrl.h"
#include "platform/docview/ToolBar.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/IconTheme.h"
#include "platform/drawing/Look.h"
#include "platform/gtk/GtkHost.h"
#include "platform/gtk/GtkScreen.h"
#include "platform/window/Wnd.h"

namespace gtkscreen {

namespace {

COLORREF ToColorRef(const GdkRGBA& c)
{
    auto channel = [](double v) { return static_cast<int>(v * 255.0 + 0.5); };
    return RGB(channel(c.red), channel(c.green), channel(c.blue));
}

// The named colours every GTK 3 theme defines for applications to use.
void TakeThemeColours()
{
    GtkWidget* probe = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkStyleContext* style = gtk_widget_get_style_context(probe);
    const auto named = [style](const char* name, int index) {
        GdkRGBA colour;
        if (gtk_style_context_lookup_color(style, name, &colour)) {
            SetSysColor(index, ToColorRef(colour));
            return true;
        }
        return false;
    };
    named("theme_bg_color", COLOR_BTNFACE);
    named("theme_fg_color", COLOR_BTNTEXT);
    named("theme_base_color", COLOR_WINDOW);
    named("theme_text_color", COLOR_WINDOWTEXT);
    named("theme_selected_bg_color", COLOR_HIGHLIGHT);
    named("theme_selected_fg_color", COLOR_HIGHLIGHTTEXT);
    named("insensitive_fg_color", COLOR_GRAYTEXT);
    if (named("borders", COLOR_BTNSHADOW)) {
        SetSysColor(COLOR_WINDOWFRAME, GetSysColor(COLOR_BTNSHADOW));
        SetSysColor(COLOR_3DDKSHADOW, ui::MixColours(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNTEXT), 80));
    }
    SetSysColor(COLOR_3DLIGHT, ui::MixColours(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), 50));
    SetSysColor(COLOR_SCROLLBAR, ui::MixColours(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT), 85));
    gtk_widget_destroy(probe);
}

// One node of a style path: its widget type, CSS name and an optional style class.
struct Node {
    GType type;
    const char* name;
    const char* styleClass = nullptr;
};

// The colour the theme paints at (x, y) of a 24-pixel square drawn as the last node of the path
// in the given state (background and frame), over the window's background.
COLORREF SampleNode(std::initializer_list<Node> nodes, GtkStateFlags state, int x, int y)
{
    GtkWidgetPath* path = gtk_widget_path_new();
    gtk_widget_path_append_type(path, GTK_TYPE_WINDOW);
    gtk_widget_path_iter_set_object_name(path, -1, "window");
    for (const Node& node : nodes) {
        gtk_widget_path_append_type(path, node.type);
        gtk_widget_path_iter_set_object_name(path, -1, node.name);
        if (node.styleClass != nullptr) {
            gtk_widget_path_iter_add_class(path, -1, node.styleClass);
        }
    }
    GtkStyleContext* style = gtk_style_context_new();
    gtk_style_context_set_path(style, path);
    gtk_style_context_set_state(style, state);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 24, 24);
    cairo_t* cr = cairo_create(surface);
    const COLORREF window = GetSysColor(COLOR_BTNFACE);
    cairo_set_source_rgb(cr, GetRValue(window) / 255.0, GetGValue(window) / 255.0, GetBValue(window) / 255.0);
    cairo_paint(cr);
    gtk_render_background(style, cr, 0, 0, 24, 24);
    gtk_render_frame(style, cr, 0, 0, 24, 24);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface));
    const COLORREF colour = ToCairo(row[x] & 0xFFFFFFu);
    cairo_surface_destroy(surface);
    g_object_unref(style);
    gtk_widget_path_unref(path);
    return colour;
}

// The theme's buttons, check boxes, scroll bars and tabs, as the layer's controls draw them.
void TakeLookColours()
{
    ui::LookColours look;
    const Node button{GTK_TYPE_BUTTON, "button"};
    look.buttonFace = SampleNode({button}, GTK_STATE_FLAG_NORMAL, 12, 12);
    look.buttonHover = SampleNode({button}, GTK_STATE_FLAG_PRELIGHT, 12, 12);
    look.buttonPressed = SampleNode({button}, GTK_STATE_FLAG_ACTIVE, 12, 12);
    look.border = SampleNode({button}, GTK_STATE_FLAG_NORMAL, 12, 0);
    look.borderBottom = SampleNode({button}, GTK_STATE_FLAG_NORMAL, 12, 23);
    const Node checkButton{GTK_TYPE_CHECK_BUTTON, "checkbutton"};
    const Node check{GTK_TYPE_CHECK_BUTTON, "check"};
    look.accent = SampleNode({checkButton, check}, GTK_STATE_FLAG_CHECKED, 12, 12);
    look.accentBorder = SampleNode({checkButton, check}, GTK_STATE_FLAG_CHECKED, 12, 0);
    const Node scrollbar{GTK_TYPE_SCROLLBAR, "scrollbar", "vertical"};
    const Node contents{GTK_TYPE_SCROLLBAR, "contents"};
    const Node trough{GTK_TYPE_SCROLLBAR, "trough"};
    const Node slider{GTK_TYPE_SCROLLBAR, "slider"};
    // The theme paints the bar itself; its trough is clear.
    look.trough = SampleNode({scrollbar}, GTK_STATE_FLAG_NORMAL, 12, 12);
    look.slider = SampleNode({scrollbar, contents, trough, slider}, GTK_STATE_FLAG_NORMAL, 12, 12);
    look.sliderHover = SampleNode({scrollbar, contents, trough, slider}, GTK_STATE_FLAG_PRELIGHT, 12, 12);
    const Node notebook{GTK_TYPE_NOTEBOOK, "notebook"};
    const Node header{GTK_TYPE_NOTEBOOK, "header", "top"};
    look.tabHeader = SampleNode({notebook, header}, GTK_STATE_FLAG_NORMAL, 12, 12);
    ui::SetLookColours(look);
}

std::optional<RgbaImage> FromPixbuf(GdkPixbuf* pixbuf)
{
    if (pixbuf == nullptr || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8) {
        return std::nullopt;
    }
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* bytes = gdk_pixbuf_read_pixels(pixbuf);
    RgbaImage image;
    image.width = gdk_pixbuf_get_width(pixbuf);
    image.height = gdk_pixbuf_get_height(pixbuf);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const guchar* p = bytes + y * stride + x * channels;
            const std::uint32_t alpha = channels == 4 ? p[3] : 255u;
            image.pixels.push_back((alpha << 24) | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2]);
        }
    }
    return image;
}

// The toolkit's icon theme: the desktop's own theme, whatever it is, at the asked size.
std::optional<RgbaImage> LoadThemeIcon(const std::string& name, int size)
{
    GtkIconInfo* info =
        gtk_icon_theme_lookup_icon(gtk_icon_theme_get_default(), name.c_str(), size, GTK_ICON_LOOKUP_FORCE_SIZE);
    if (info == nullptr) {
        return std::nullopt;
    }
    GdkPixbuf* pixbuf = gtk_icon_info_load_icon(info, nullptr);
    std::optional<RgbaImage> image = FromPixbuf(pixbuf);
    if (pixbuf != nullptr) {
        g_object_unref(pixbuf);
    }
    g_object_unref(info);
    return image;
}

gboolean OnQueryTooltip(GtkWidget*, gint x, gint y, gboolean keyboard, GtkTooltip* tooltip, gpointer data)
{
    auto* native = static_cast<NativeWindow*>(data);
    CWnd* top = CWnd::FromHandle(native->hwnd);
    // A window held off by a modal dialog shows no tips over the dialog.
    if (top == nullptr || keyboard || !top->IsWindowEnabled()) {
        return FALSE;
    }
    const CPoint point(ToDevice(x), ToDevice(y));
    CWnd* under = top->ChildFromPoint(point);
    if (under == nullptr) {
        return FALSE;
    }
    CPoint local = point;
    top->ClientToScreen(&local);
    under->ScreenToClient(&local);
    // The toolbars' buttons and the items of a list (the palette's components) have tips.
    CRect button;
    std::string tip;
    if (auto* bar = dynamic_cast<CToolBar*>(under)) {
        tip = bar->ToolTipAt(local, &button);
    } else if (auto* list = dynamic_cast<CListCtrl*>(under)) {
        tip = list->ToolTipAt(local, &button);
    }
    if (tip.empty()) {
        return FALSE;
    }
    // The tip stays while the pointer is over the same button and is asked again on the next.
    under->ClientToScreen(&button);
    top->ScreenToClient(&button);
    GdkRectangle area{ToLogical(button.left), ToLogical(button.top), ToLogical(button.Width()),
                      ToLogical(button.Height())};
    gtk_tooltip_set_tip_area(tooltip, &area);
    gtk_tooltip_set_text(tooltip, tip.c_str());
    return TRUE;
}

} // namespace

namespace {

// The desktop's interface font ("Cantarell 11", "Sans 10"...): the family and size the dialog
// faces show in.
void TakeInterfaceFont()
{
    gchar* name = nullptr;
    g_object_get(gtk_settings_get_default(), "gtk-font-name", &name, nullptr);
    if (name == nullptr) {
        return;
    }
    PangoFontDescription* desc = pango_font_description_from_string(name);
    const char* family = pango_font_description_get_family(desc);
    int size10 = 100;
    if (pango_font_description_get_size(desc) > 0 && !pango_font_description_get_size_is_absolute(desc)) {
        size10 = pango_font_description_get_size(desc) * 10 / PANGO_SCALE;
    }
    ui::SetInterfaceFont(family != nullptr ? family : "", size10);
    pango_font_description_free(desc);
    g_free(name);
}

} // namespace

void InstallNativeLook()
{
    TakeThemeColours();
    TakeLookColours();
    TakeInterfaceFont();
    GetIconTheme().SetLoader(LoadThemeIcon);
}

void RemoveNativeLook()
{
    ResetSysColors();
    ui::ResetLookColours();
    ui::ResetInterfaceFont();
    GetIconTheme().SetLoader(nullptr);
}

void ConnectToolTips(NativeWindow& native)
{
    gtk_widget_set_has_tooltip(native.area, TRUE);
    g_signal_connect(native.area, "query-tooltip", G_CALLBACK(OnQueryTooltip), &native);
}

namespace {

// A selected row of a list as the theme draws it, through a style context of its own: a
// window that is never focused (an offscreen one) would show the unfocused selection.
void RenderSelectedRow(cairo_t* cr, const GdkRectangle& area)
{
    GtkWidgetPath* path = gtk_widget_path_new();
    gtk_widget_path_append_type(path, GTK_TYPE_WINDOW);
    gtk_widget_path_iter_set_object_name(path, -1, "window");
    gtk_widget_path_append_type(path, GTK_TYPE_LIST_BOX);
    gtk_widget_path_iter_set_object_name(path, -1, "list");
    gtk_widget_path_append_type(path, GTK_TYPE_LIST_BOX_ROW);
    gtk_widget_path_iter_set_object_name(path, -1, "row");
    GtkStyleContext* style = gtk_style_context_new();
    gtk_style_context_set_path(style, path);
    gtk_style_context_set_state(style, GTK_STATE_FLAG_SELECTED);
    gtk_render_background(style, cr, area.x, area.y, area.width, area.height);
    g_object_unref(style);
    gtk_widget_path_unref(path);
}

} // namespace

ToolkitSample DrawToolkitSample()
{
    GtkWidget* window = gtk_offscreen_window_new();
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    GtkWidget* label = gtk_label_new("Face");
    gtk_widget_set_size_request(label, 120, 30);
    GtkWidget* list = gtk_list_box_new();
    GtkWidget* row = gtk_label_new("");
    gtk_widget_set_size_request(row, 120, 30);
    gtk_container_add(GTK_CONTAINER(list), row);
    gtk_box_pack_start(GTK_BOX(box), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), list, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(window), box);
    gtk_widget_show_all(window);
    for (int i = 0; i < 50 && gtk_events_pending(); ++i) {
        gtk_main_iteration_do(FALSE);
    }
    GtkAllocation listArea{};
    gtk_widget_get_allocation(list, &listArea);
    const int width = gtk_widget_get_allocated_width(window);
    const int height = gtk_widget_get_allocated_height(window);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    gtk_widget_draw(window, cr);
    RenderSelectedRow(cr, listArea);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    ToolkitSample sample;
    sample.picture = CBitmap(width, height);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            sample.picture.SetPixel(x, y, ToCairo(line[x] & 0xFFFFFFu)); // the swap is its own inverse
        }
    }
    cairo_surface_destroy(surface);
    gtk_widget_destroy(window);
    sample.face = CPoint(2, 2);
    sample.selection = CPoint(listArea.x + 2, listArea.y + listArea.height / 2);
    return sample;
}

namespace {

CRect AllocationOf(GtkWidget* widget)
{
    GtkAllocation a{};
    gtk_widget_get_allocation(widget, &a);
    return CRect(a.x, a.y, a.x + a.width, a.y + a.height);
}

} // namespace

ToolkitGallery DrawToolkitGallery()
{
    GtkWidget* window = gtk_offscreen_window_new();
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
    gtk_container_set_border_width(GTK_CONTAINER(box), 10);
    GtkWidget* button = gtk_button_new_with_label("Button");
    GtkWidget* check = gtk_check_button_new_with_label("Check");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(check), TRUE);
    GtkWidget* radio = gtk_radio_button_new_with_label(nullptr, "Radio");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(radio), TRUE);
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(entry), "Entry");
    GtkWidget* notebook = gtk_notebook_new();
    gtk_notebook_append_page(GTK_NOTEBOOK(notebook), gtk_label_new(""), gtk_label_new("First"));
    gtk_notebook_append_page(GTK_NOTEBOOK(notebook), gtk_label_new(""), gtk_label_new("Second"));
    gtk_widget_set_size_request(notebook, 200, 60);
    GtkAdjustment* adjustment = gtk_adjustment_new(0, 0, 100, 1, 10, 30);
    GtkWidget* scrollbar = gtk_scrollbar_new(GTK_ORIENTATION_VERTICAL, adjustment);
    gtk_widget_set_size_request(scrollbar, -1, 100);
    gtk_widget_set_halign(scrollbar, GTK_ALIGN_START);
    for (GtkWidget* w : {button, check, radio, entry, notebook, scrollbar}) {
        gtk_box_pack_start(GTK_BOX(box), w, FALSE, FALSE, 0);
    }
    gtk_widget_set_halign(button, GTK_ALIGN_START);
    gtk_container_add(GTK_CONTAINER(window), box);
    gtk_widget_show_all(window);
    // The entry shows itself focused, as it does in the active window.
    gtk_widget_grab_focus(entry);
    gtk_widget_set_state_flags(entry, GTK_STATE_FLAG_FOCUSED, FALSE);
    gtk_widget_set_state_flags(window, GTK_STATE_FLAG_NORMAL, TRUE);
    for (int i = 0; i < 50 && gtk_events_pending(); ++i) {
        gtk_main_iteration_do(FALSE);
    }
    ToolkitGallery gallery;
    gallery.button = AllocationOf(button);
    gallery.check = AllocationOf(check);
    gallery.radio = AllocationOf(radio);
    gallery.entry = AllocationOf(entry);
    gallery.notebook = AllocationOf(notebook);
    gallery.scrollbar = AllocationOf(scrollbar);
    const int width = gtk_widget_get_allocated_width(window);
    const int height = gtk_widget_get_allocated_height(window);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    gtk_widget_draw(window, cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    gallery.picture = CBitmap(width, height);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            gallery.picture.SetPixel(x, y, ToCairo(line[x] & 0xFFFFFFu));
        }
    }
    cairo_surface_destroy(surface);
    gtk_widget_destroy(window);
    return gallery;
}

} // namespace gtkscreen
