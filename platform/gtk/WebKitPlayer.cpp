#include "platform/gtk/GtkHost.h"
#include "platform/gtk/GtkScreen.h"

#include <webkit2/webkit2.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string_view>
#include <vector>

#include "platform/controls/FlashPlayer.h"
#include "platform/controls/PlayerAddress.h"
#include "platform/controls/ShockwaveFlash.h"
#include "platform/drawing/DC.h"
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

// The page, Ruffle and the movies reach the view through a scheme of our own (PlayerAddress.h):
// Ruffle fetches its code and the movies as a web server would hand them out, which plain files
// are not (no status, no types).
struct Served : PlayerFiles {
    int next = 0;
    std::map<int, std::vector<std::string>> fetched; // what each base handed out last, in order
    int nextPlayer = 0;
};
Served& Files()
{
    static Served served;
    return served;
}

const char* ContentType(const std::filesystem::path& file)
{
    const std::string ext = file.extension().string();
    if (ext == ".html") {
        return "text/html";
    }
    if (ext == ".js") {
        return "text/javascript";
    }
    if (ext == ".wasm") {
        return "application/wasm";
    }
    if (ext == ".swf") {
        return "application/x-shockwave-flash";
    }
    if (ext == ".json" || ext == ".map") {
        return "application/json";
    }
    return "application/octet-stream";
}

void Serve(WebKitURISchemeRequest* request, gpointer)
{
    const std::string path = webkit_uri_scheme_request_get_path(request);
    const PlayerAddressTarget target = ResolvePlayerAddress(Files(), path);
    const std::filesystem::path& file = target.file;
    const std::filesystem::path& inside = target.inside;
    const int basePlayer = target.basePlayer;
    gchar* bytes = nullptr;
    gsize length = 0;
    if (file.empty() || !g_file_get_contents(file.c_str(), &bytes, &length, nullptr)) {
        GError* error = g_error_new(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "not found: %s", path.c_str());
        webkit_uri_scheme_request_finish_error(request, error);
        g_error_free(error);
        return;
    }
    if (basePlayer != 0) {
        std::vector<std::string>& fetched = Files().fetched[basePlayer];
        if (fetched.size() >= 256) // a movie that polls its data for hours
            fetched.erase(fetched.begin());
        fetched.push_back(inside.generic_string());
    }
    GBytes* data = g_bytes_new_take(bytes, length);
    GInputStream* stream = g_memory_input_stream_new_from_bytes(data);
    WebKitURISchemeResponse* response = webkit_uri_scheme_response_new(stream, static_cast<gint64>(length));
    webkit_uri_scheme_response_set_status(response, 200, "OK");
    webkit_uri_scheme_response_set_content_type(response, ContentType(file));
    // The program rewrites its movies in place: never keep an old copy.
    SoupMessageHeaders* headers = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
    soup_message_headers_set_content_type(headers, ContentType(file), nullptr);
    soup_message_headers_append(headers, "Cache-Control", "no-store");
    soup_message_headers_append(headers, "Access-Control-Allow-Origin", "*");
    webkit_uri_scheme_response_set_http_headers(response, headers);
    webkit_uri_scheme_request_finish_with_response(request, response);
    g_object_unref(response);
    g_object_unref(stream);
    g_bytes_unref(data);
}

// The context of every player's page. A movie's shared objects live in its page's local
// storage, which an ephemeral context keeps in memory only: nothing one movie stores outlasts
// the program, so no later document, nor anything else, finds what an unsaved preview left.
// Each player's page has an origin of its own (CWebKitPlayer::Origin), so that no movie reads what
// another player's stored meanwhile.
WebKitWebContext* PlayerContext()
{
    static WebKitWebContext* const context = [] {
        WebKitWebContext* made = webkit_web_context_new_ephemeral();
        webkit_web_context_register_uri_scheme(made, "vantorel", Serve, nullptr, nullptr);
        WebKitSecurityManager* security = webkit_web_context_get_security_manager(made);
        webkit_security_manager_register_uri_scheme_as_secure(security, "vantorel");
        webkit_security_manager_register_uri_scheme_as_cors_enabled(security, "vantorel");
        // The page's language: without one (a process in the C locale) the browser reports "c",
        // which Ruffle refuses as a language tag.
        static const gchar* const languages[] = {"en-US", nullptr};
        webkit_web_context_set_preferred_languages(made, languages);
        return made;
    }();
    return context;
}

// Marks a player's view (and an overlay that places such views).
constexpr const char* kPlayerView = "vantorel-player-view";

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
// The player control that the last click in a player's view gave the keyboard to; none once
// the person clicks into the program's own windows.
HWND& ClickedPlayer()
{
    static HWND clicked = nullptr;
    return clicked;
}

class CWebKitPlayer final : public IFlashPlayer {
public:
    CWebKitPlayer()
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
        view_ = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", PlayerContext(), "user-content-manager",
                                        content, nullptr));
        g_object_unref(content);
        g_object_ref_sink(view_);
        WebKitSettings* settings = webkit_web_view_get_settings(WEBKIT_WEB_VIEW(view_));
        webkit_settings_set_enable_write_console_messages_to_stdout(settings, std::getenv("VANTOREL_PLAYER_CONSOLE") != nullptr);
        webkit_settings_set_hardware_acceleration_policy(settings, WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
        PaintPaper();
        g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
        // The pointer reaches the movie as it reaches a player control on the desktop, save
        // while the control or a window it lies in is disabled (behind a modal dialog).
        for (const char* signal : {"button-press-event", "button-release-event", "motion-notify-event", "scroll-event"}) {
            g_signal_connect(view_, signal, G_CALLBACK(OnPointer), this);
        }
        g_object_set_data(G_OBJECT(view_), kPlayerView, this);
        gtk_widget_set_halign(view_, GTK_ALIGN_START);
        gtk_widget_set_valign(view_, GTK_ALIGN_START);
        LivePlayers().insert(this);
        Waiting().push_back(this);
        ScheduleStarts();
    }

    ~CWebKitPlayer() override
    {
        LivePlayers().erase(this);
        std::erase(Waiting(), this);
        Files().bases.erase(id_);
        Files().fetched.erase(id_);
        if (deliverSource_ != 0) {
            g_source_remove(deliverSource_);
        }
        if (snapshotSource_ != 0) {
            g_source_remove(snapshotSource_);
        }
        if (flushSource_ != 0) {
            g_source_remove(flushSource_);
        }
        // A snapshot still on its way finishes as cancelled and no longer reaches this player.
        g_cancellable_cancel(cancel_);
        g_object_unref(cancel_);
        g_signal_handlers_disconnect_by_data(view_, this);
        if (GtkWidget* parent = gtk_widget_get_parent(view_)) {
            gtk_container_remove(GTK_CONTAINER(parent), view_);
        }
        gtk_widget_destroy(view_);
        g_object_unref(view_);
        if (offscreen_ != nullptr) {
            gtk_widget_destroy(offscreen_);
        }
    }

    void LoadMovie(int layer, const std::string& url) override
    {
        if (layer == 0) {
            movie_ = url;
        }
        std::string target = url;
        if (url != "loadblank" && !url.empty() && url.find("://") == std::string::npos) {
            // As a player does with a movie it opened from a file: what the movie names
            // relative to itself is found beside it, unless the program named a base.
            if (layer == 0 && base_.empty())
                Files().bases[id_] = std::filesystem::absolute(url).parent_path();
            // A file, under a name of its own at every load, so that a movie rewritten in
            // place is read again.
            const std::string id = std::to_string(++Files().next) + std::filesystem::path(url).extension().string();
            Files().movies[id] = std::filesystem::absolute(url);
            target = Origin() + "/movie/" + id;
        }
        Run("load", std::to_string(layer), target);
        if (target != "loadblank") {
            loadWaits_ = true;
            times_.loaded = 0;
        }
        if (layer == 0 && target != "loadblank" && frame_.IsCreated()) {
            // The picture of the movie this one replaces (another document's components) is
            // not shown any more, nor one taken before the page has played the new movie.
            frame_ = CBitmap();
            CWnd* control = IsWindow(control_) ? CWnd::FromHandle(control_) : nullptr;
            if (CWnd* parent = control != nullptr ? control->GetParent() : nullptr) {
                parent->InvalidateRect(nullptr, FALSE);
            }
        }
        if (layer == 0 && target != "loadblank") {
            picturesWait_ = true;
        }
        if (fit_ && layer == 0)
            SendFit();
    }
    std::string GetMovie() const override { return movie_; }
    void SetMovie(const std::string& url) override { LoadMovie(0, url); }
    void Play() override {}
    long FlashVersion() const override { return 0x00080000; }
    void SetVariable(const std::string& name, const std::string& value) override
    {
        Run("set", name, value);
    }
    void TCallLabel(const std::string& target, const std::string& label) override
    {
        Run("call", target, label);
    }
    long GetBackgroundColor() const override { return background_; }
    void SetBackgroundColor(long colour) override
    {
        background_ = colour;
        PaintPaper();
    }
    bool GetMenu() const override { return menu_; }
    void SetMenu(bool enabled) override { menu_ = enabled; }
    void SetBase(const std::string& folder) override
    {
        base_ = folder;
        if (!folder.empty())
            Files().bases[id_] = std::filesystem::absolute(folder);
    }
    // The address every file of this player's page is fetched under: the page, Ruffle, the
    // movies and their files share it, and no other player's page has it.
    std::string Origin() const { return "vantorel://player" + std::to_string(id_); }
    std::vector<std::string> Fetched() const
    {
        auto it = Files().fetched.find(id_);
        return it != Files().fetched.end() ? it->second : std::vector<std::string>();
    }
    void Zoom(int factor) override
    {
        if (factor != 0)
            return;
        fit_ = true;
        SendFit();
    }
    // The whole movie in the view: its declared size goes to the page, which scales it.
    void SendFit()
    {
        if (movie_.empty() || movie_ == "loadblank" || movie_.find("://") != std::string::npos)
            return;
        if (const std::optional<CSize> size = MovieFrameSize(movie_))
            Run("zoom", std::to_string(size->cx), std::to_string(size->cy));
    }
    // A control on the screen shows the movie through the view lying over it. A control that
    // its parent draws (the canvas's stage, whose window stays hidden so that the pointer
    // reaches the canvas's tools) gets the page's last snapshot; the paper is white until the
    // first one arrives.
    void Draw(CDC& dc, const CRect& rect) override
    {
        drawn_ = true;
        WantPictures();
        if (frame_.IsCreated()) {
            dc.DrawImage(rect.left, rect.top, frame_, false);
        } else {
            dc.FillSolidRect(rect, RGB(255, 255, 255));
        }
    }
    void SetEventSink(IFlashPlayerEvents* sink) override { sink_ = sink; }
    bool TakesPictures() const override { return true; }
    bool Picture(CBitmap& picture) override
    {
        drawn_ = true;
        if (settledFrames_ < kFirstFrames || !frame_.IsCreated()) {
            // Someone waits for a picture: keep taking them until one is ready.
            WantPictures();
            return false;
        }
        picture = frame_;
        return true;
    }
    bool CaughtUp() const override { return Idle(); }
    // What waits here goes, and the page forgets what waits there.
    void DropUnsent() override
    {
        calls_.clear();
        Run("drop", "", "");
    }

    GtkWidget* View() const { return view_; }
    bool Idle() const { return pageLoaded_ && calls_.empty() && idle_; }
    bool Ready() const { return ready_; }
    // Asking for the count is waiting for a picture: pictures are taken again for a while.
    int Snapshots()
    {
        WantPictures();
        return snapshots_;
    }
    const PlayerSteps& Times() const { return times_; }
    // The window off the screen where the view plays while its control's parent draws it.
    GtkWidget* Offscreen()
    {
        if (offscreen_ == nullptr) {
            offscreen_ = gtk_offscreen_window_new();
            gtk_widget_show(offscreen_);
        }
        return offscreen_;
    }

    // Whether the control's parent draws the movie (its own window hidden): the view then
    // stays on the screen, unseen, so the page keeps playing, and its snapshots are taken
    // while the page plays.
    void SetDrawnThrough(HWND control, bool drawnThrough)
    {
        control_ = control;
        if (drawnThrough != drawnThrough_) {
            drawnThrough_ = drawnThrough;
            PaintPaper();
        }
        if (drawnThrough && snapshotSource_ == 0) {
            snapshotSource_ = g_timeout_add(kSnapshotMs, SnapshotTick, this);
        } else if (!drawnThrough && snapshotSource_ != 0) {
            g_source_remove(snapshotSource_);
            snapshotSource_ = 0;
        }
    }

    // The view shows on the screen (its parent does not draw it) and has the toolkit's
    // keyboard focus.
    bool TakesKeys() const
    {
        return snapshotSource_ == 0 && gtk_widget_get_visible(view_) && gtk_widget_has_focus(view_);
    }

private:
    // A view on the screen shows the control's paper from the start, under the page's word while
    // its player starts (a view without a page is otherwise black); a view its parent draws stays
    // clear, so that what the page leaves uncovered takes the canvas's paper.
    void PaintPaper()
    {
        GdkRGBA paper{0, 0, 0, 0};
        if (!drawnThrough_) {
            paper = {static_cast<double>((background_ >> 16) & 0xFF) / 255, static_cast<double>((background_ >> 8) & 0xFF) / 255,
                     static_cast<double>(background_ & 0xFF) / 255, 1};
        }
        webkit_web_view_set_background_color(WEBKIT_WEB_VIEW(view_), &paper);
    }

    // Each page starts its own copy of Ruffle, whose start takes a few seconds of a processor.
    // Pages start one after another, so that the first one asked to show a movie (the stage)
    // does not share the processors with those that wait for their first use (the previews);
    // a player waits until no started page works, or for a few seconds after the last start.
    static std::vector<CWebKitPlayer*>& Waiting()
    {
        static std::vector<CWebKitPlayer*> waiting;
        return waiting;
    }

    // A player made at start-up waits a moment for the calls that show which page is needed
    // first.
    static constexpr gint64 kLeastWaitUs = G_USEC_PER_SEC;
    static constexpr gint64 kMostWaitUs = 8 * G_USEC_PER_SEC;
    static guint& StartSource()
    {
        static guint source = 0;
        return source;
    }
    static gint64& LastStart()
    {
        static gint64 at = 0;
        return at;
    }

    static void ScheduleStarts()
    {
        if (StartSource() == 0 && !Waiting().empty()) {
            StartSource() = g_timeout_add(100, StartNext, nullptr);
        }
    }

    static gboolean StartNext(gpointer)
    {
        if (Waiting().empty()) {
            StartSource() = 0;
            return G_SOURCE_REMOVE;
        }
        bool busy = false;
        for (CWebKitPlayer* player : LivePlayers()) {
            busy = busy || (player->started_ && !(player->ready_ && player->Idle()));
        }
        CWebKitPlayer* next = Waiting().front();
        const gint64 now = g_get_monotonic_time();
        if (now - next->createdAt_ > kLeastWaitUs && (!busy || now - LastStart() > kMostWaitUs)) {
            next->Start();
        }
        return G_SOURCE_CONTINUE;
    }

    void Start()
    {
        started_ = true;
        LastStart() = g_get_monotonic_time();
        times_.pageStarted = LastStart() / 1000;
        std::erase(Waiting(), this);
        const std::string page =
            Origin() + "/player/index.html?base=" + Origin() + "/base/" + std::to_string(id_) + "/";
        webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view_), page.c_str());
    }

    // The calls of one turn of the main loop go to the page together, as one script: a
    // script for each costs the page more than the call itself.
    void Run(const char* op, const std::string& a, const std::string& b)
    {
        // A player that is to show something starts now, whatever else starts.
        if (!started_ && (std::string_view(op) != "load" || b != "loadblank")) {
            Start();
        }
        idle_ = false;
        settledFrames_ = 0;
        WantPictures();
        calls_.push_back("[" + Quote(op) + "," + Quote(a) + "," + Quote(b) + "]");
        if (pageLoaded_ && flushSource_ == 0) {
            flushSource_ = g_idle_add(FlushSoon, this);
        }
    }

    static gboolean FlushSoon(gpointer data)
    {
        auto* self = static_cast<CWebKitPlayer*>(data);
        self->flushSource_ = 0;
        self->Flush();
        return G_SOURCE_REMOVE;
    }

    // Scripts of a bounded size, however many calls wait.
    static constexpr std::size_t kScriptBytes = 1 << 20;

    void Flush()
    {
        idle_ = false;
        if (loadWaits_ && !calls_.empty()) {
            loadWaits_ = false;
            times_.loadSent = g_get_monotonic_time() / 1000;
        }
        while (!calls_.empty()) {
            std::string script = "window.vantorel.batch([";
            for (bool first = true; !calls_.empty() && script.size() < kScriptBytes; first = false) {
                if (!first) {
                    script += ',';
                }
                script += calls_.front();
                calls_.pop_front();
            }
            // The page reports idle with the number of the last script it took, so that a
            // report from before this one is not taken for its end.
            script += "]," + std::to_string(++scripts_) + ")";
            webkit_web_view_evaluate_javascript(WEBKIT_WEB_VIEW(view_), script.c_str(), -1, nullptr, nullptr, nullptr,
                                                nullptr, nullptr);
        }
    }

    // True (the event goes no further) while the control does not take input.
    static gboolean OnPointer(GtkWidget* view, GdkEvent* event, gpointer data)
    {
        auto* self = static_cast<CWebKitPlayer*>(data);
        CWnd* control = IsWindow(self->control_) ? CWnd::FromHandle(self->control_) : nullptr;
        if (control == nullptr || !control->TakesInput()) {
            return TRUE;
        }
        if (event->type == GDK_BUTTON_PRESS) {
            // A click in the movie gives the control the keyboard, as a click in a player
            // control on the desktop does: what is typed then reaches the movie's fields.
            ClickedPlayer() = control->GetSafeHwnd();
            gtk_widget_grab_focus(view);
        }
        return FALSE;
    }

    static void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer data)
    {
        auto* self = static_cast<CWebKitPlayer*>(data);
        if (event == WEBKIT_LOAD_FINISHED) {
            self->pageLoaded_ = true;
            self->times_.pageLoaded = g_get_monotonic_time() / 1000;
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
            self->idle_ = parts[1] == std::to_string(self->scripts_);
        } else if (parts[0] == "fscommand") {
            // Handed to the control when the toolkit is idle: the control may open a window
            // and wait in a loop of its own, which must not happen inside the view's message.
            self->commands_.emplace_back(parts[1], parts[2]);
            if (self->deliverSource_ == 0) {
                self->deliverSource_ = g_idle_add(Deliver, self);
            }
        } else if (parts[0] == "failed") {
            self->failures_.emplace_back(parts[1], parts[2]);
            if (self->deliverSource_ == 0) {
                self->deliverSource_ = g_idle_add(Deliver, self);
            }
        } else if (parts[0] == "log") {
            g_printerr("player: %s %s\n", parts[1].c_str(), parts[2].c_str());
        }
        // Readiness comes with the first idle report after the bridge started.
        if ((parts[0] == "idle" || parts[0] == "loaded") && !self->ready_) {
            self->ready_ = true;
            self->times_.playerReady = g_get_monotonic_time() / 1000;
        }
        if (parts[0] == "loaded") {
            self->times_.loaded = g_get_monotonic_time() / 1000;
        }
        if (parts[0] == "loaded" || parts[0] == "failed") {
            self->picturesWait_ = false;
        }
        if (parts[0] == "idle" || parts[0] == "loaded") {
            self->WantPictures();
        }
    }

    // Often enough that a component the canvas adds or moves shows within a few frames, and
    // rare enough that the page's own frames keep their pace.
    static constexpr guint kSnapshotMs = 120;
    // The snapshots a picture waits for after the page took the last call: the movie's first
    // second, in which its components draw themselves.
    static constexpr int kFirstFrames = 9;
    // A picture costs the page a drawing and the program a pass over every pixel, which on a
    // busy machine delays what the person does: pictures are taken only for a while after the
    // page was sent something, reported its work done or was drawn by its parent (which each
    // picture that differs from the last makes happen), not while the stage stands still.
    static constexpr gint64 kPicturesUs = 3 * G_USEC_PER_SEC;
    void WantPictures() { wantPicturesUntil_ = g_get_monotonic_time() + kPicturesUs; }
    // A movie the person works in (the preview, a dialog's player, the stage being clicked)
    // changes by itself, without anything sent to its page: while its view has the keyboard its
    // pictures go on, so what the person types and clicks shows.
    bool PicturesWanted() const
    {
        return g_get_monotonic_time() < wantPicturesUntil_ || (view_ != nullptr && gtk_widget_has_focus(view_));
    }

    static gboolean SnapshotTick(gpointer data)
    {
        auto* self = static_cast<CWebKitPlayer*>(data);
        // Only a player some window draws (the preview's, hidden while the canvas is edited, is
        // not) needs its pictures.
        if (!self->snapshotting_ && self->pageLoaded_ && self->drawn_ && self->PicturesWanted()) {
            self->snapshotting_ = true;
            webkit_web_view_get_snapshot(WEBKIT_WEB_VIEW(self->view_), WEBKIT_SNAPSHOT_REGION_VISIBLE,
                                         WEBKIT_SNAPSHOT_OPTIONS_NONE, self->cancel_, OnSnapshot, self);
        }
        return G_SOURCE_CONTINUE;
    }

    static void OnSnapshot(GObject* source, GAsyncResult* result, gpointer data)
    {
        GError* error = nullptr;
        cairo_surface_t* surface = webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(source), result, &error);
        if (surface == nullptr) {
            const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
            g_clear_error(&error);
            if (!cancelled) {
                static_cast<CWebKitPlayer*>(data)->snapshotting_ = false;
            }
            return;
        }
        auto* self = static_cast<CWebKitPlayer*>(data);
        self->snapshotting_ = false;
        self->TakeFrame(surface);
        cairo_surface_destroy(surface);
    }

    // The snapshot laid on white paper, in the layer's pixel order; the parent repaints when
    // it differs from the last.
    void TakeFrame(cairo_surface_t* surface)
    {
        if (picturesWait_) {
            return;
        }
        const int width = cairo_image_surface_get_width(surface);
        const int height = cairo_image_surface_get_height(surface);
        if (cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE || width <= 0 || height <= 0) {
            return;
        }
        cairo_surface_flush(surface);
        const cairo_format_t format = cairo_image_surface_get_format(surface);
        if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) {
            return;
        }
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        CBitmap frame(width, height);
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
            for (int x = 0; x < width; ++x) {
                const std::uint32_t p = row[x];
                // Premultiplied: what the page leaves uncovered lets the paper show.
                const std::uint32_t paper = format == CAIRO_FORMAT_ARGB32 ? 255 - (p >> 24) : 0;
                const std::uint32_t r = std::min<std::uint32_t>(255, ((p >> 16) & 0xFF) + paper);
                const std::uint32_t g = std::min<std::uint32_t>(255, ((p >> 8) & 0xFF) + paper);
                const std::uint32_t b = std::min<std::uint32_t>(255, (p & 0xFF) + paper);
                frame.SetPixel(x, y, RGB(r, g, b));
            }
        }
        ++snapshots_;
        if (ready_ && Idle())
            ++settledFrames_;
        if (frame_.IsCreated() && frame_.Width() == width && frame_.Height() == height &&
            frame_.Pixels() == frame.Pixels()) {
            return;
        }
        frame_ = std::move(frame);
        CWnd* control = IsWindow(control_) ? CWnd::FromHandle(control_) : nullptr;
        if (CWnd* parent = control != nullptr ? control->GetParent() : nullptr) {
            parent->InvalidateRect(nullptr, FALSE);
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
        while (!self->failures_.empty()) {
            const auto [movie, why] = self->failures_.front();
            self->failures_.pop_front();
            if (self->sink_ != nullptr) {
                self->sink_->OnMovieNotLoaded(movie, why);
            }
        }
        return G_SOURCE_REMOVE;
    }

    GtkWidget* view_ = nullptr;
    GtkWidget* offscreen_ = nullptr;
    GCancellable* cancel_ = g_cancellable_new();
    CBitmap frame_;
    HWND control_ = nullptr;
    guint snapshotSource_ = 0;
    int snapshots_ = 0;
    int settledFrames_ = 0; // snapshots taken since the page took the last call
    bool snapshotting_ = false;
    bool drawn_ = false;
    bool drawnThrough_ = false;
    bool picturesWait_ = false; // for the page to play the movie of a layer 0 load
    gint64 wantPicturesUntil_ = 0;
    IFlashPlayerEvents* sink_ = nullptr;
    std::deque<std::string> calls_;
    std::deque<std::pair<std::string, std::string>> commands_;
    std::deque<std::pair<std::string, std::string>> failures_; // movies the page gave up on, and why
    guint deliverSource_ = 0;
    guint flushSource_ = 0;
    unsigned scripts_ = 0;
    std::string movie_;
    const int id_ = ++Files().nextPlayer;
    std::string base_; // the program's base folder; empty: the layer 0 movie's
    long background_ = 0xFFFFFF;
    bool menu_ = false;
    bool fit_ = false; // Zoom(0): every movie of layer 0 shown whole
    bool started_ = false;
    gint64 createdAt_ = g_get_monotonic_time();
    bool pageLoaded_ = false;
    PlayerSteps times_;
    bool loadWaits_ = false; // a movie's load waits to go to the page
    bool idle_ = false;
    bool ready_ = false;
};

// An overlay gives a child its natural size, which for a web view is its page's, however
// small its size request: a player view takes exactly the rectangle its margins and its size
// request give it, so that it never spreads over the windows around its control.
gboolean PlaceView(GtkOverlay*, GtkWidget* child, GdkRectangle* allocation, gpointer)
{
    if (g_object_get_data(G_OBJECT(child), kPlayerView) == nullptr) {
        return FALSE;
    }
    int width = 0;
    int height = 0;
    gtk_widget_get_size_request(child, &width, &height);
    allocation->x = 0;
    allocation->y = 0;
    allocation->width = gtk_widget_get_margin_start(child) + std::max(1, width);
    allocation->height = gtk_widget_get_margin_top(child) + std::max(1, height);
    return TRUE;
}

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

void ForgetClickedPlayer()
{
    ClickedPlayer() = nullptr;
}

bool KeyGoesToPlayer(const GdkEventKey& key, CWnd& top)
{
    if ((key.state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SUPER_MASK)) != 0) {
        return false;
    }
    switch (key.keyval) {
    case GDK_KEY_Escape: // closes the dialog or leaves the mode the player shows in
    case GDK_KEY_F10:
    case GDK_KEY_Alt_L:
    case GDK_KEY_Alt_R:
    case GDK_KEY_Menu:
        return false;
    default:
        break;
    }
    // The player a click gave the keyboard to, in the window the key was typed in, while it
    // shows, takes input and its page still has the toolkit's focus.
    CWnd* control = IsWindow(ClickedPlayer()) ? CWnd::FromHandle(ClickedPlayer()) : nullptr;
    CWebKitPlayer* player = control != nullptr ? PlayerOf(*control) : nullptr;
    return player != nullptr && control->GetTopLevelParent() == &top && control->IsWindowVisible() &&
           control->TakesInput() && player->TakesKeys();
}

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
            CRect r;
            control->GetWindowRect(&r);
            // A view on the screen lies over the toolkit's window, which clips nothing of the
            // layer's: the parents' client areas clip it here (the page's movie keeps its top
            // left corner).
            if (control->IsWindowVisible()) {
                for (CWnd* p = control->GetParent(); p != nullptr && p != top; p = p->GetParent()) {
                    CRect client;
                    p->GetClientRect(&client);
                    p->ClientToScreen(&client);
                    if (!r.IntersectRect(r, client)) {
                        r.SetRectEmpty();
                    }
                }
            }
            CRect topRect;
            top->GetWindowRect(&topRect);
            r.OffsetRect(-topRect.left, -topRect.top);
            // A hidden control whose parent shows is drawn by the parent from the page's
            // snapshots: its view plays in a window of its own off the screen, out of the way
            // of the pointer, which goes to the parent's tools.
            CWnd* parent = control->GetParent();
            const bool drawnThrough = !control->IsWindowVisible() && parent != nullptr && parent->IsWindowVisible();
            GtkWidget* home = drawnThrough ? PlayerOf(*control)->Offscreen() : n->overlay;
            if (gtk_widget_get_parent(view) != home) {
                if (GtkWidget* old = gtk_widget_get_parent(view)) {
                    gtk_container_remove(GTK_CONTAINER(old), view);
                }
                if (drawnThrough) {
                    gtk_container_add(GTK_CONTAINER(home), view);
                } else {
                    if (g_object_get_data(G_OBJECT(home), kPlayerView) == nullptr) {
                        g_signal_connect(home, "get-child-position", G_CALLBACK(PlaceView), nullptr);
                        g_object_set_data(G_OBJECT(home), kPlayerView, home);
                    }
                    gtk_overlay_add_overlay(GTK_OVERLAY(home), view);
                }
            }
            gtk_widget_set_margin_start(view, drawnThrough ? 0 : std::max(0, ToLogical(r.left)));
            gtk_widget_set_margin_top(view, drawnThrough ? 0 : std::max(0, ToLogical(r.top)));
            gtk_widget_set_size_request(view, std::max(1, ToLogical(r.Width())), std::max(1, ToLogical(r.Height())));
            gtk_widget_set_visible(view, (control->IsWindowVisible() || drawnThrough) && !r.IsRectEmpty());
            PlayerOf(*control)->SetDrawnThrough(control->GetSafeHwnd(), drawnThrough && !r.IsRectEmpty());
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
    Files().playerDir = page.parent_path();
    SetFlashPlayerFactory([] { return std::make_unique<CWebKitPlayer>(); });
    return true;
}

bool PlayerIdle(CWnd& control)
{
    CWebKitPlayer* player = PlayerOf(control);
    return player != nullptr && player->Ready() && player->Idle();
}

} // namespace gtkscreen

namespace gtkscreen {

PlayerSteps PlayerTimes(CWnd& control)
{
    CWebKitPlayer* player = PlayerOf(control);
    return player != nullptr ? player->Times() : PlayerSteps();
}

int PlayerSnapshots(CWnd& control)
{
    CWebKitPlayer* player = PlayerOf(control);
    return player != nullptr ? player->Snapshots() : 0;
}

std::vector<std::string> PlayerFetched(CWnd& control)
{
    CWebKitPlayer* player = PlayerOf(control);
    return player != nullptr ? player->Fetched() : std::vector<std::string>();
}

} // namespace gtkscreen
