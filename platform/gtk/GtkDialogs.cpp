#include "platform/gtk/GtkHost.h"
#include "platform/gtk/GtkScreen.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/PrintService.h"
#include "platform/docview/WinApp.h"
#include "platform/window/Screen.h"
#include "platform/window/Wnd.h"

namespace gtkscreen {

void RunNested(const std::function<bool()>& done)
{
    CMessageQueue& queue = GetMessageQueue();
    while (!done()) {
        MSG msg;
        if (!queue.Get(msg)) {
            // The quit request belongs to the outer loop.
            queue.PostQuit(static_cast<int>(msg.wParam));
            return;
        }
        bool handled = false;
        if (CWinApp* app = AfxGetApp()) {
            handled = app->PreTranslateMessage(&msg) != FALSE;
        }
        if (!handled) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

namespace {

GtkWindow* NativeOwner(CWnd* owner)
{
    if (owner == nullptr) {
        owner = CWnd::GetActiveWindow();
    }
    if (owner == nullptr || Host() == nullptr) {
        return nullptr;
    }
    NativeWindow* n = Host()->FindFor(*owner);
    return n != nullptr ? GTK_WINDOW(n->window) : nullptr;
}

struct Answer {
    bool done = false;
    gint response = GTK_RESPONSE_NONE;
};

void OnResponse(GtkDialog*, gint response, gpointer data)
{
    auto* answer = static_cast<Answer*>(data);
    answer->response = response;
    answer->done = true;
    // Wakes the layer's loop, which waits for a message.
    GetMessageQueue().Post(nullptr, WM_NULL, 0, 0);
}

// Shows a toolkit dialog while the layer's windows keep running (their owner disabled, as
// behind any modal window of the layer) and returns the response.
gint RunDialog(GtkWidget* dialog, CWnd* owner)
{
    ui::ModalOwner modalOwner(owner);
    Answer answer;
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    const gulong handler = g_signal_connect(dialog, "response", G_CALLBACK(OnResponse), &answer);
    gtk_widget_show_all(dialog);
    gtk_window_present(GTK_WINDOW(dialog));
    RunNested([&answer] { return answer.done; });
    g_signal_handler_disconnect(dialog, handler);
    return answer.response;
}

// A message box laid out as the desktop's message dialogs are: the icon of its kind beside the
// text, room around both, and the buttons at their natural width at the right end of the row
// below. The toolkit's own message dialog under the default theme has no icon, sets the text
// against the title bar and stretches the buttons across the box.
class CGtkMessageBoxes final : public IMessageBoxService {
public:
    int Show(const MessageBoxRequest& request) override
    {
        const char* iconName = nullptr;
        switch (request.flags & MB_ICONMASK) {
        case MB_ICONERROR:
            iconName = "dialog-error";
            break;
        case MB_ICONQUESTION:
            iconName = "dialog-question";
            break;
        case MB_ICONWARNING:
            iconName = "dialog-warning";
            break;
        case MB_ICONINFORMATION:
            iconName = "dialog-information";
            break;
        default:
            break;
        }
        GtkWidget* box = GTK_WIDGET(g_object_new(GTK_TYPE_DIALOG, "use-header-bar", FALSE, nullptr));
        if (GtkWindow* owner = NativeOwner(request.owner)) {
            gtk_window_set_transient_for(GTK_WINDOW(box), owner);
        }
        gtk_window_set_destroy_with_parent(GTK_WINDOW(box), TRUE);
        gtk_window_set_resizable(GTK_WINDOW(box), FALSE);
        gtk_window_set_type_hint(GTK_WINDOW(box), GDK_WINDOW_TYPE_HINT_DIALOG);
        gtk_window_set_title(GTK_WINDOW(box), request.caption.c_str());
        GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 18);
        gtk_container_set_border_width(GTK_CONTAINER(row), 18);
        if (iconName != nullptr) {
            GtkWidget* icon = gtk_image_new_from_icon_name(iconName, GTK_ICON_SIZE_DIALOG);
            gtk_widget_set_valign(icon, GTK_ALIGN_START);
            gtk_box_pack_start(GTK_BOX(row), icon, FALSE, FALSE, 0);
        }
        GtkWidget* text = gtk_label_new(request.text.c_str());
        gtk_label_set_line_wrap(GTK_LABEL(text), TRUE);
        gtk_label_set_max_width_chars(GTK_LABEL(text), 60);
        gtk_label_set_xalign(GTK_LABEL(text), 0.0f);
        gtk_label_set_yalign(GTK_LABEL(text), 0.0f);
        gtk_widget_set_valign(text, GTK_ALIGN_CENTER);
        gtk_box_pack_start(GTK_BOX(row), text, TRUE, TRUE, 0);
        gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(box))), row, TRUE, TRUE, 0);
        std::vector<std::pair<const char*, int>> buttons;
        switch (request.flags & MB_TYPEMASK) {
        case MB_OKCANCEL:
            buttons = {{"OK", IDOK}, {"Cancel", IDCANCEL}};
            break;
        case MB_ABORTRETRYIGNORE:
            buttons = {{"_Abort", IDABORT}, {"_Retry", IDRETRY}, {"_Ignore", IDIGNORE}};
            break;
        case MB_YESNOCANCEL:
            buttons = {{"_Yes", IDYES}, {"_No", IDNO}, {"Cancel", IDCANCEL}};
            break;
        case MB_YESNO:
            buttons = {{"_Yes", IDYES}, {"_No", IDNO}};
            break;
        case MB_RETRYCANCEL:
            buttons = {{"_Retry", IDRETRY}, {"Cancel", IDCANCEL}};
            break;
        default:
            buttons = {{"OK", IDOK}};
            break;
        }
        for (const auto& [label, id] : buttons) {
            gtk_dialog_add_button(GTK_DIALOG(box), label, id);
        }
        // The buttons keep their natural width at the row's right end (a dialog's action area
        // is a button box; the margin matches the room around the text).
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        GtkWidget* actions = gtk_dialog_get_action_area(GTK_DIALOG(box));
        G_GNUC_END_IGNORE_DEPRECATIONS
        if (GTK_IS_BUTTON_BOX(actions)) {
            gtk_button_box_set_layout(GTK_BUTTON_BOX(actions), GTK_BUTTONBOX_END);
            gtk_box_set_homogeneous(GTK_BOX(actions), FALSE);
        }
        gtk_container_set_border_width(GTK_CONTAINER(actions), 12);
        const std::size_t defaultIndex = (request.flags & MB_DEFBUTTON3) != 0   ? 2
                                         : (request.flags & MB_DEFBUTTON2) != 0 ? 1
                                                                                : 0;
        if (defaultIndex < buttons.size()) {
            gtk_dialog_set_default_response(GTK_DIALOG(box), buttons[defaultIndex].second);
        }
        // Closing the box (Escape, the title bar) is its Cancel, or its OK when that is all it
        // has; a box without either waits for one of its buttons.
        int closeAnswer = 0;
        for (const auto& [label, id] : buttons) {
            if (id == IDCANCEL || (buttons.size() == 1 && id == IDOK)) {
                closeAnswer = id;
            }
        }
        gtk_window_set_deletable(GTK_WINDOW(box), closeAnswer != 0 ? TRUE : FALSE);
        gint response = RunDialog(box, request.owner);
        while (response <= 0 && closeAnswer == 0 && response != GTK_RESPONSE_NONE) {
            response = RunDialog(box, request.owner);
        }
        gtk_widget_destroy(box);
        if (response > 0) {
            return response;
        }
        // The program is quitting (the loop gave up): the box's default.
        return closeAnswer != 0 && response != GTK_RESPONSE_NONE ? closeAnswer : DefaultMessageBoxAnswer(request.flags);
    }
};

// The parts of a dialog, in the dialog's coordinates: images, labels outside buttons, buttons.
void CollectParts(GtkWidget* widget, GtkWidget* dialog, NativeDialogLook& look)
{
    if (!gtk_widget_get_visible(widget)) {
        return;
    }
    GtkAllocation a;
    gtk_widget_get_allocation(widget, &a);
    int x = 0;
    int y = 0;
    gtk_widget_translate_coordinates(widget, dialog, 0, 0, &x, &y);
    const int scale = gtk_widget_get_scale_factor(dialog);
    const CRect r(x * scale, y * scale, (x + a.width) * scale, (y + a.height) * scale);
    if (GTK_IS_BUTTON(widget)) {
        look.buttons.push_back(r);
        return;
    }
    if (GTK_IS_IMAGE(widget) && look.icon.IsRectEmpty()) {
        look.icon = r;
    } else if (GTK_IS_LABEL(widget) && look.text.IsRectEmpty()) {
        look.text = r;
    }
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* c = children; c != nullptr; c = c->next) {
            CollectParts(static_cast<GtkWidget*>(c->data), dialog, look);
        }
        g_list_free(children);
    }
}

} // namespace

bool ReadNativeDialog(NativeDialogLook& look)
{
    GtkWidget* dialog = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w != nullptr && dialog == nullptr; w = w->next) {
        auto* widget = static_cast<GtkWidget*>(w->data);
        if (GTK_IS_DIALOG(widget) && gtk_widget_get_mapped(widget)) {
            dialog = widget;
        }
    }
    g_list_free(windows);
    if (dialog == nullptr) {
        return false;
    }
    Flush();
    look = NativeDialogLook();
    look.picture = ReadScreenAt(gtk_widget_get_window(dialog));
    CollectParts(gtk_bin_get_child(GTK_BIN(dialog)), dialog, look);
    return look.picture.IsCreated();
}

namespace {

// "Workbooks|*.xlsx;*.xlsm|All files|*.*|" as the toolkit's filters.
void AddFilters(GtkFileChooser* chooser, const std::string& filter)
{
    for (const FileKind& kind : ParseFileFilter(filter)) {
        GtkFileFilter* f = gtk_file_filter_new();
        gtk_file_filter_set_name(f, kind.name.c_str());
        for (const std::string& pattern : kind.patterns) {
            gtk_file_filter_add_pattern(f, pattern.c_str());
        }
        gtk_file_chooser_add_filter(chooser, f);
    }
}

class CGtkCommonDialogs final : public ICommonDialogService {
public:
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override
    {
        const bool open = request.open;
        const std::string title = !request.title.empty() ? request.title : (open ? "Open" : "Save As");
        GtkWidget* dialog = gtk_file_chooser_dialog_new(
            title.c_str(), NativeOwner(nullptr), open ? GTK_FILE_CHOOSER_ACTION_OPEN : GTK_FILE_CHOOSER_ACTION_SAVE,
            "_Cancel", GTK_RESPONSE_CANCEL, open ? "_Open" : "_Save", GTK_RESPONSE_ACCEPT, nullptr);
        auto* chooser = GTK_FILE_CHOOSER(dialog);
        AddFilters(chooser, request.filter);
        if (!request.initialDir.empty()) {
            gtk_file_chooser_set_current_folder(chooser, request.initialDir.c_str());
        }
        // A name without wildcards is the one offered; a pattern only filters.
        if (!request.fileName.empty() && request.fileName.find_first_of("*?") == std::string::npos) {
            if (open) {
                gtk_file_chooser_set_filename(chooser, request.fileName.c_str());
            } else {
                // A full path offers its folder and its name apart, as the chooser shows them.
                const std::filesystem::path offered(request.fileName);
                if (offered.has_parent_path() && std::filesystem::is_directory(offered.parent_path())) {
                    gtk_file_chooser_set_current_folder(chooser, offered.parent_path().c_str());
                }
                gtk_file_chooser_set_current_name(chooser, offered.filename().c_str());
            }
        }
        const gint response = RunDialog(dialog, nullptr);
        std::optional<std::string> chosen;
        if (response == GTK_RESPONSE_ACCEPT) {
            if (gchar* name = gtk_file_chooser_get_filename(chooser)) {
                chosen = std::string(name);
                g_free(name);
            }
        }
        gtk_widget_destroy(dialog);
        return chosen;
    }

    std::optional<COLORREF> ChooseColour(ColorDialogRequest& request) override
    {
        GtkWidget* dialog = gtk_color_chooser_dialog_new("Color", NativeOwner(nullptr));
        const COLORREF c = request.colour;
        GdkRGBA rgba{(c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0, 1.0};
        gtk_color_chooser_set_use_alpha(GTK_COLOR_CHOOSER(dialog), FALSE);
        gtk_color_chooser_set_rgba(GTK_COLOR_CHOOSER(dialog), &rgba);
        const gint response = RunDialog(dialog, nullptr);
        std::optional<COLORREF> chosen;
        if (response == GTK_RESPONSE_OK) {
            gtk_color_chooser_get_rgba(GTK_COLOR_CHOOSER(dialog), &rgba);
            chosen = RGB(static_cast<int>(std::lround(rgba.red * 255)), static_cast<int>(std::lround(rgba.green * 255)),
                         static_cast<int>(std::lround(rgba.blue * 255)));
        }
        gtk_widget_destroy(dialog);
        return chosen;
    }

    std::optional<FontDialogRequest> ChooseFont(const FontDialogRequest& request) override
    {
        GtkWidget* dialog = gtk_font_chooser_dialog_new("Font", NativeOwner(nullptr));
        const int dpi = GetScreenMetrics().dpiY;
        const std::string face(request.font.lfFaceName, strnlen(request.font.lfFaceName, sizeof(request.font.lfFaceName)));
        if (!face.empty()) {
            const int pixels = std::abs(request.font.lfHeight);
            const int points = pixels > 0 ? std::max(1, static_cast<int>(std::lround(pixels * 72.0 / dpi))) : 10;
            const std::string name = face + (request.font.lfWeight >= FW_BOLD ? " Bold" : "") +
                                     (request.font.lfItalic ? " Italic" : "") + " " + std::to_string(points);
            gtk_font_chooser_set_font(GTK_FONT_CHOOSER(dialog), name.c_str());
        }
        const gint response = RunDialog(dialog, nullptr);
        std::optional<FontDialogRequest> chosen;
        if (response == GTK_RESPONSE_OK) {
            if (PangoFontDescription* desc = gtk_font_chooser_get_font_desc(GTK_FONT_CHOOSER(dialog))) {
                FontDialogRequest answer = request;
                LOGFONT& lf = answer.font;
                std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
                if (const char* family = pango_font_description_get_family(desc)) {
                    std::strncpy(lf.lfFaceName, family, sizeof(lf.lfFaceName) - 1);
                }
                const double points = static_cast<double>(pango_font_description_get_size(desc)) / PANGO_SCALE;
                lf.lfHeight = -static_cast<std::int32_t>(std::lround(points * dpi / 72.0));
                lf.lfWeight = pango_font_description_get_weight(desc) >= PANGO_WEIGHT_BOLD ? FW_BOLD : FW_NORMAL;
                lf.lfItalic = pango_font_description_get_style(desc) != PANGO_STYLE_NORMAL ? 1 : 0;
                pango_font_description_free(desc);
                chosen = answer;
            }
        }
        gtk_widget_destroy(dialog);
        return chosen;
    }
};

void OnBeginPrint(GtkPrintOperation* operation, GtkPrintContext*, gpointer)
{
    gtk_print_operation_set_n_pages(operation, 1);
}

// The picture on the page's printable area, scaled down to fit if it is larger, never up.
void OnDrawPage(GtkPrintOperation*, GtkPrintContext* context, gint, gpointer data)
{
    auto* picture = static_cast<cairo_surface_t*>(data);
    cairo_t* cr = gtk_print_context_get_cairo_context(context);
    const double width = cairo_image_surface_get_width(picture);
    const double height = cairo_image_surface_get_height(picture);
    const double scale = std::min({1.0, gtk_print_context_get_width(context) / width,
                                   gtk_print_context_get_height(context) / height});
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_paint(cr);
}

class CGtkPrinting final : public IPrintService {
public:
    bool PrintPicture(CWnd* owner, const std::string& picturePath, const std::string& title, bool preview,
                      std::string& error) override
    {
        cairo_surface_t* picture = cairo_image_surface_create_from_png(picturePath.c_str());
        if (cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(picture);
            error = "the page's picture could not be read";
            return false;
        }
        GtkPrintOperation* operation = gtk_print_operation_new();
        gtk_print_operation_set_job_name(operation, title.empty() ? "Vantorel" : title.c_str());
        gtk_print_operation_set_unit(operation, GTK_UNIT_POINTS);
        g_signal_connect(operation, "begin-print", G_CALLBACK(OnBeginPrint), nullptr);
        g_signal_connect(operation, "draw-page", G_CALLBACK(OnDrawPage), picture);
        ui::ModalOwner modalOwner(owner);
        GError* failure = nullptr;
        const GtkPrintOperationResult result = gtk_print_operation_run(
            operation, preview ? GTK_PRINT_OPERATION_ACTION_PREVIEW : GTK_PRINT_OPERATION_ACTION_PRINT_DIALOG,
            NativeOwner(owner), &failure);
        bool printed = result != GTK_PRINT_OPERATION_RESULT_ERROR;
        if (!printed) {
            error = failure != nullptr ? failure->message : "the printing system refused the page";
        }
        if (failure != nullptr) {
            g_error_free(failure);
        }
        g_object_unref(operation);
        cairo_surface_destroy(picture);
        return printed;
    }
};

} // namespace

void InstallNativeDialogs()
{
    SetMessageBoxService(std::make_unique<CGtkMessageBoxes>());
    SetCommonDialogService(std::make_unique<CGtkCommonDialogs>());
    SetPrintService(std::make_unique<CGtkPrinting>());
}

} // namespace gtkscreen
