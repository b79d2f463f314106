#include "platform/gtk/GtkHost.h"
#include "platform/gtk/GtkScreen.h"

#include <webkit2/webkit2.h>

#include <deque>
#include <filesystem>
#include <set>
#include <sstream>

#include "platform/controls/FlashPlayer.h"
#include "platform/controls/ShockwaveFlash.h"
#include "platform/window/Wnd.h"

namespace gtkscreen {
namespace {

// A text as a JavaScript string literal.
std::string Quote(const std::string& text)
{
    std::ostringstream out;
    out << '"';
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (c < 0x20 || c == 0x7F) {
            static const char* hex = "0123456789abcdef";
            out << "\\u00" << hex[c >> 4] << hex[c & 15];
        } else {
            out << c;
        }
    }
    // Line and paragraph separators end a literal in older engines.
    std::string s = out.str();
    for (const char* sep : {"\xE2\x80\xA8", "\xE2\x80\xA9"}) {
        for (std::size_t at = s.find(sep); at != std::string::npos; at = s.find(sep, at)) {
            s.replace(at, 3, sep[2] == '\xA8' ? "\\u2028" : "\\u2029");
        }
    }
    return s + '"';
}

class CWebKitPlayer;
std::set<CWebKitPlayer*>& LivePlayers()
{
    static std::set<CWebKitPlayer*> players;
    return players;
}

// The player page of the installation (player/index.html: Ruffle playing the bridge movie,
// which loads the program's movie) in a WebKit view. The program's calls go to the page's
// `window.vantorel`; the page's reports come back through the script message handler the view
// installs as `window.vantorelHost`. The view lies over the control's rectangle in the native
// window of the control's top-level window.
class CWebKitPlayer final : public IFlashPlayer {
public:
    explicit CWebKitPlayer(std::filesystem::path page) : page_(std::move(page))
    {
        WebKitUserContentManager* content = webkit_user_content_manager_new();
        webkit_user_content_manager_register_script_message_handler(content, "vantorel");
        g_signal_connect(content, "script-message-received::vantorel", G_CALLBACK(OnMessage), this);
        WebKitUserScript* script = webkit_user_script_new(
            "window.vantorelHost = function (kind, a, b) {"
            "  window.webkit.messageHandlers.vantorel.postMessage([String(kind), String(a), String(b)]);"
            "};",
            WEBKIT_USER_CONTENT_INJECT_TOP_FRAME, WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
        webkit_user_content_manager_add_script(content, script);
        webkit_user_script_unref(script);
        view_ = GTK_WIDGET(webkit_web_view_new_with_user_content_manager(content));
        g_object_unref(content);
        g_object_ref_sink(view_);
        WebKitSettings* settings = webkit_web_view_get_settings(WEBKIT_WEB_VIEW(view_));
        // The page, Ruffle and the movies are files of the installation and of the document.
        webkit_settings_set_allow_file_access_from_file_urls(settings, TRUE);
        webkit_settings_set_allow_universal_access_from_file_urls(settings, TRUE);
        webkit_settings_set_enable_write_console_messages_to_stdout(settings, FALSE);
        webkit_settings_set_hardware_acceleration_policy(settings, WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
        GdkRGBA clear{0, 0, 0, 0};
        webkit_web_view_set_background_color(WEBKIT_WEB_VIEW(view_), &clear);
        g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
        gtk_widget_set_halign(view_, GTK_ALIGN_START);
        gtk_widget_set_valign(view_, GTK_ALIGN_START);
        gchar* uri = g_filename_to_uri(page_.c_str(), nullptr, nullptr);
        if (uri != nullptr) {
            webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view_), uri);
            g_free(uri);
        }
        LivePlayers().insert(this);
    }

    ~CWebKitPlayer() override
    {
        LivePlayers().erase(this);
        if (deliverSource_ != 0) {
            g_source_remove(deliverSource_);
        }
        g_signal_handlers_disconnect_by_data(view_, this);
        if (GtkWidget* parent = gtk_widget_get_parent(view_)) {
            gtk_container_remove(GTK_CONTAINER(parent), view_);
        }
        gtk_widget_destroy(view_);
        g_object_unref(view_);
    }

    void LoadMovie(int layer, const std::string& url) override
    {
        if (layer == 0) {
            movie_ = url;
        }
        std::string target = url;
        if (url != "loadblank" && !url.empty() && url.find("://") == std::string::npos) {
            // A file: as a URL, made new at every load so that a movie rewritten in place is
            // read again rather than taken from a cache.
            if (gchar* uri = g_filename_to_uri(std::filesystem::absolute(url).c_str(), nullptr, nullptr)) {
                target = std::string(uri) + "?load=" + std::to_string(++loads_);
                g_free(uri);
            }
        }
        Run("window.vantorel.load(" + Quote(std::to_string(layer)) + ", " + Quote(target) + ")");
    }
    std::string GetMovie() const override { return movie_; }
    void SetMovie(const std::string& url) override { LoadMovie(0, url); }
    void Play() override {}
    long FlashVersion() const override { return 0x00080000; }
    void SetVariable(const std::string& name, const std::string& value) override
    {
        Run("window.vantorel.set(" + Quote(name) + ", " + Quote(value) + ")");
    }
    void TCallLabel(const std::string& target, const std::string& label) override
    {
        Run("window.vantorel.call(" + Quote(target) + ", " + Quote(label) + ")");
    }
    long GetBackgroundColor() const override { return background_; }
    void SetBackgroundColor(long colour) override { background_ = colour; }
    bool GetMenu() const override { return menu_; }
    void SetMenu(bool enabled) override { menu_ = enabled; }
    void Zoom(int) override {}
    // The view shows the movie on the screen itself; the layer's picture keeps what is below.
    void Draw(CDC&, const CRect&) override {}
    void SetEventSink(IFlashPlayerEvents* sink) override { sink_ = sink; }

    GtkWidget* View() const { return view_; }
    bool Idle() const { return pageLoaded_ && calls_.empty() && idle_; }
    bool Ready() const { return ready_; }

private:
    void Run(const std::string& script)
    {
        idle_ = false;
        calls_.push_back(script);
        if (pageLoaded_) {
            Flush();
        }
    }

    void Flush()
    {
        while (!calls_.empty()) {
            const std::string script = calls_.front();
            calls_.pop_front();
            webkit_web_view_evaluate_javascript(WEBKIT_WEB_VIEW(view_), script.c_str(), -1, nullptr, nullptr, nullptr,
                                                nullptr, nullptr);
        }
    }

    static void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer data)
    {
        auto* self = static_cast<CWebKitPlayer*>(data);
        if (event == WEBKIT_LOAD_FINISHED) {
            self->pageLoaded_ = true;
            self->Flush();
        }
    }

    static void OnMessage(WebKitUserContentManager*, WebKitJavascriptResult* result, gpointer data)
    {
        auto* self = static_cast<CWebKitPlayer*>(data);
        JSCValue* value = webkit_javascript_result_get_js_value(result);
        std::string parts[3];
        for (guint i = 0; i < 3; ++i) {
            JSCValue* item = jsc_value_object_get_property_at_index(value, i);
            if (item != nullptr) {
                gchar* text = jsc_value_to_string(item);
                parts[i] = text != nullptr ? text : "";
                g_free(text);
                g_object_unref(item);
            }
        }
        if (parts[0] == "idle") {
            self->idle_ = true;
        } else if (parts[0] == "fscommand") {
            // Handed to the control when the toolkit is idle: the control may open a window
            // and wait in a loop of its own, which must not happen inside the view's message.
            self->commands_.emplace_back(parts[1], parts[2]);
            if (self->deliverSource_ == 0) {
                self->deliverSource_ = g_idle_add(Deliver, self);
            }
        } else if (parts[0] == "log") {
            g_printerr("player: %s %s\n", parts[1].c_str(), parts[2].c_str());
        }
        // Readiness comes with the first idle report after the bridge started.
        if (parts[0] == "idle" || parts[0] == "loaded") {
            self->ready_ = true;
        }
    }

    static gboolean Deliver(gpointer data)
    {
        auto* self = static_cast<CWebKitPlayer*>(data);
        self->deliverSource_ = 0;
        while (!self->commands_.empty()) {
            const auto [command, args] = self->commands_.front();
            self->commands_.pop_front();
            if (self->sink_ != nullptr) {
                self->sink_->OnPlayerCommand(command, args);
            }
        }
        return G_SOURCE_REMOVE;
    }

    std::filesystem::path page_;
    GtkWidget* view_ = nullptr;
    IFlashPlayerEvents* sink_ = nullptr;
    std::deque<std::string> calls_;
    std::deque<std::pair<std::string, std::string>> commands_;
    guint deliverSource_ = 0;
    std::string movie_;
    long background_ = 0xFFFFFF;
    bool menu_ = false;
    bool pageLoaded_ = false;
    bool idle_ = false;
    bool ready_ = false;
    int loads_ = 0;
};

CWebKitPlayer* PlayerOf(CWnd& wnd)
{
    auto* control = dynamic_cast<CShockwaveFlash*>(&wnd);
    return control != nullptr ? dynamic_cast<CWebKitPlayer*>(control->GetPlayer()) : nullptr;
}

void CollectControls(CWnd& w, std::vector<CWnd*>& out)
{
    for (CWnd* c : w.GetChildren()) {
        if (PlayerOf(*c) != nullptr) {
            out.push_back(c);
        }
        CollectControls(*c, out);
    }
}

} // namespace

void PlacePlayerViews(CGtkWindowHost& host)
{
    if (LivePlayers().empty()) {
        return;
    }
    for (CWnd* top : TopLevelWindows()) {
        NativeWindow* n = host.Find(top->GetSafeHwnd());
        std::vector<CWnd*> controls;
        CollectControls(*top, controls);
        for (CWnd* control : controls) {
            GtkWidget* view = PlayerOf(*control)->View();
            if (n == nullptr) {
                continue;
            }
            if (gtk_widget_get_parent(view) != n->overlay) {
                if (GtkWidget* old = gtk_widget_get_parent(view)) {
                    gtk_container_remove(GTK_CONTAINER(old), view);
                }
                gtk_overlay_add_overlay(GTK_OVERLAY(n->overlay), view);
                // The pointer goes to the layer's windows below: the control's window decides
                // what a click on the movie does, as it does for the stage's drags.
                gtk_overlay_set_overlay_pass_through(GTK_OVERLAY(n->overlay), view, TRUE);
            }
            CRect r;
            control->GetWindowRect(&r);
            CRect topRect;
            top->GetWindowRect(&topRect);
            r.OffsetRect(-topRect.left, -topRect.top);
            gtk_widget_set_margin_start(view, std::max(0, r.left));
            gtk_widget_set_margin_top(view, std::max(0, r.top));
            gtk_widget_set_size_request(view, std::max(1, r.Width()), std::max(1, r.Height()));
            gtk_widget_set_visible(view, control->IsWindowVisible() && !r.IsRectEmpty());
        }
    }
}

bool UseWebKitPlayer(const std::string& installDir, std::string* error)
{
    const std::filesystem::path page = std::filesystem::path(installDir) / "player" / "index.html";
    const std::filesystem::path ruffle = std::filesystem::path(installDir) / "player" / "ruffle" / "ruffle.js";
    if (!std::filesystem::exists(page) || !std::filesystem::exists(ruffle)) {
        if (error != nullptr) {
            *error = "the player page or Ruffle is not installed (" + page.string() + ", " + ruffle.string() + ")";
        }
        return false;
    }
    SetFlashPlayerFactory([page] { return std::make_unique<CWebKitPlayer>(page); });
    return true;
}

bool PlayerIdle(CWnd& control)
{
    CWebKitPlayer* player = PlayerOf(control);
    return player != nullptr && player->Ready() && player->Idle();
}

} // namespace gtkscreen
