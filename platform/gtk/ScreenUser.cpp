#include "platform/gtk/ScreenUser.h"

#include "platform/gtk/GtkHost.h"
#include "platform/gtk/GtkScreen.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/drawing/Png.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Wnd.h"

namespace gtkscreen {
namespace {

// One call waiting to run on the screen's thread. The person may give up waiting before the
// screen's thread gets to it: then it is not run at all.
struct Call {
    std::function<void()> fn;
    std::mutex mutex;
    std::condition_variable changed;
    bool started = false;
    bool cancelled = false;
    bool done = false;
};

gboolean RunCall(gpointer data)
{
    std::shared_ptr<Call> call = *static_cast<std::shared_ptr<Call>*>(data);
    {
        std::lock_guard<std::mutex> lock(call->mutex);
        if (call->cancelled) {
            return G_SOURCE_REMOVE;
        }
        call->started = true;
    }
    call->fn();
    {
        std::lock_guard<std::mutex> lock(call->mutex);
        call->done = true;
    }
    call->changed.notify_all();
    return G_SOURCE_REMOVE;
}

void Pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::vector<std::string> SplitChord(const std::string& chord)
{
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i < chord.size(); ++i) {
        // A '+' that is the whole key (or the last character) is the key itself.
        if (chord[i] == '+' && !part.empty()) {
            parts.push_back(part);
            part.clear();
        } else {
            part += chord[i];
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    return parts;
}

} // namespace

int Patient(int ms)
{
    static const int patience = [] {
        const char* text = std::getenv("VANTOREL_PATIENCE");
        const int n = text != nullptr ? std::atoi(text) : 0;
        return n > 0 ? std::min(n, 100) : 4;
    }();
    return ms > 0 && ms < std::numeric_limits<int>::max() / patience ? ms * patience : ms;
}

struct ScreenUser::State {
    Display* display = nullptr;
    std::string problem;
    std::atomic<bool>* abandoned = nullptr;
};

ScreenUser::ScreenUser() : state_(std::make_unique<State>())
{
    state_->display = XOpenDisplay(nullptr);
    if (state_->display == nullptr) {
        state_->problem = "the display cannot be opened";
        return;
    }
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(state_->display, &event, &error, &major, &minor)) {
        state_->problem = "the display has no XTest extension";
        XCloseDisplay(state_->display);
        state_->display = nullptr;
        return;
    }
    // A person's key goes down and up once. A program slowed down (a sanitized build, a busy
    // machine) may keep the key down longer than the server's repeat delay between the two
    // events; a repeated Return would then accept a dialog the script has not reached yet.
    XAutoRepeatOff(state_->display);
}

ScreenUser::~ScreenUser()
{
    if (state_->display != nullptr) {
        // No key or button is left held down for the next script.
        XTestFakeKeyEvent(state_->display, XKeysymToKeycode(state_->display, XK_Control_L), False, CurrentTime);
        XTestFakeKeyEvent(state_->display, XKeysymToKeycode(state_->display, XK_Shift_L), False, CurrentTime);
        XTestFakeKeyEvent(state_->display, XKeysymToKeycode(state_->display, XK_Alt_L), False, CurrentTime);
        XAutoRepeatOn(state_->display);
        XSync(state_->display, False);
        XCloseDisplay(state_->display);
    }
}

bool ScreenUser::Ready() const
{
    return state_->display != nullptr;
}

std::string ScreenUser::Problem() const
{
    return state_->problem;
}

bool ScreenUser::OnUi(const std::function<void()>& fn, int timeoutMs)
{
    if (state_->abandoned != nullptr && state_->abandoned->load()) {
        return false;
    }
    if (g_main_context_is_owner(g_main_context_default())) {
        // Asked from inside a call the screen's thread runs (a condition that reads a rectangle).
        fn();
        return true;
    }
    auto call = std::make_shared<Call>();
    call->fn = fn;
    // Otherwise always a source of the screen's loop: invoking the function on the loop's
    // context would run it here, on the person's thread, whenever that thread could take the
    // context (the screen's thread between two waits), the windows and the player then
    // touched by two threads at once.
    g_idle_add_full(G_PRIORITY_DEFAULT, RunCall, new std::shared_ptr<Call>(call),
                    [](gpointer data) { delete static_cast<std::shared_ptr<Call>*>(data); });
    std::unique_lock<std::mutex> lock(call->mutex);
    if (!call->changed.wait_for(lock, std::chrono::milliseconds(Patient(timeoutMs)), [&] { return call->done; })) {
        if (!call->started) {
            call->cancelled = true;
            return false;
        }
        // Once started it runs to its end: what it touches may not be left half done.
        call->changed.wait(lock, [&] { return call->done; });
    }
    return true;
}

bool ScreenUser::WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Patient(timeoutMs));
    for (;;) {
        bool holds = false;
        if (!OnUi([&] { holds = condition(); }, timeoutMs)) {
            return false;
        }
        if (holds) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        Pause(15);
    }
}

void ScreenUser::Settle()
{
    if (state_->display == nullptr) {
        return;
    }
    XSync(state_->display, False);
    // The events are in the screen's connection once the server has answered (a round trip
    // of the screen's own makes sure they were read); they are taken once the toolkit has none
    // pending and the layer no message left of them.
    OnUi([] { gdk_display_sync(gdk_display_get_default()); });
    WaitFor([] { return gdk_events_pending() == FALSE && !GetMessageQueue().HasWork(); }, 2000);
}

bool ScreenUser::WaitDrawn(int timeoutMs)
{
    Settle();
    return WaitFor(
        [] {
            CGtkWindowHost* host = Host();
            return host == nullptr || (host->AllDrawn() && !GetMessageQueue().HasWork());
        },
        timeoutMs);
}

bool ScreenUser::WaitForPopupMenu(int timeoutMs)
{
    if (!WaitFor([] { return PopupMenuShown(); }, timeoutMs)) {
        return false;
    }
    // Mapped is not yet drawn: one more round for the toolkit to paint it.
    Settle();
    XSync(state_->display, False);
    Pause(50);
    return true;
}

CRect ScreenUser::RectOf(CWnd& wnd)
{
    CRect shown;
    OnUi([&] {
        CGtkWindowHost* host = Host();
        if (host == nullptr || CWnd::FromHandle(wnd.GetSafeHwnd()) != &wnd || !wnd.IsWindowVisible()) {
            return;
        }
        NativeWindow* n = host->FindFor(wnd);
        if (n == nullptr || !gtk_widget_get_mapped(n->area)) {
            return;
        }
        int x = 0;
        int y = 0;
        gdk_window_get_origin(gtk_widget_get_window(n->area), &x, &y);
        x = ToDevice(x);
        y = ToDevice(y);
        CRect rect;
        wnd.GetWindowRect(&rect);
        CRect top;
        wnd.GetTopLevelParent()->GetWindowRect(&top);
        shown = CRect(x + rect.left - top.left, y + rect.top - top.top, x + rect.right - top.left,
                      y + rect.bottom - top.top);
    });
    return shown;
}

CPoint ScreenUser::PointOf(CWnd& wnd, CPoint client)
{
    CPoint at;
    CRect shown = RectOf(wnd);
    OnUi([&] {
        // The client area may lie inside a border: count from the client's origin.
        CPoint origin(0, 0);
        wnd.ClientToScreen(&origin);
        CRect rect;
        wnd.GetWindowRect(&rect);
        at = CPoint(shown.left + origin.x - rect.left + client.x, shown.top + origin.y - rect.top + client.y);
    });
    return at;
}

CPoint ScreenUser::CenterOf(CWnd& wnd)
{
    return RectOf(wnd).CenterPoint();
}

void ScreenUser::MoveTo(CPoint screen)
{
    if (state_->display == nullptr) {
        return;
    }
    XTestFakeMotionEvent(state_->display, -1, screen.x, screen.y, CurrentTime);
    Settle();
}

void ScreenUser::Press(int button)
{
    if (state_->display == nullptr) {
        return;
    }
    XTestFakeButtonEvent(state_->display, static_cast<unsigned>(button), True, CurrentTime);
    Settle();
}

void ScreenUser::Release(int button)
{
    if (state_->display == nullptr) {
        return;
    }
    XTestFakeButtonEvent(state_->display, static_cast<unsigned>(button), False, CurrentTime);
    Settle();
}

void ScreenUser::Click(CPoint screen, int button)
{
    MoveTo(screen);
    Press(button);
    Release(button);
}

void ScreenUser::QuickClick(CPoint screen)
{
    Clicks(screen, 1);
}

void ScreenUser::DoubleClick(CPoint screen)
{
    Clicks(screen, 2);
}

void ScreenUser::Clicks(CPoint screen, int count)
{
    MoveTo(screen);
    if (state_->display == nullptr) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        XTestFakeButtonEvent(state_->display, 1, True, CurrentTime);
        XTestFakeButtonEvent(state_->display, 1, False, CurrentTime);
        XFlush(state_->display);
    }
    Settle();
}

void ScreenUser::Drag(CPoint from, CPoint to, int steps)
{
    MoveTo(from);
    Press(1);
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i) {
        MoveTo(CPoint(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps));
    }
    Release(1);
}

void ScreenUser::Wheel(CPoint screen, int notches)
{
    MoveTo(screen);
    const unsigned button = notches > 0 ? 4 : 5;
    for (int i = 0; i < std::abs(notches); ++i) {
        XTestFakeButtonEvent(state_->display, button, True, CurrentTime);
        XTestFakeButtonEvent(state_->display, button, False, CurrentTime);
    }
    Settle();
}

void ScreenUser::Keys(const std::string& chord)
{
    Chord(chord, true);
}

void ScreenUser::KeysAhead(const std::string& chord)
{
    Chord(chord, false);
}

void ScreenUser::Chord(const std::string& chord, bool waitForTheProgram)
{
    Display* d = state_->display;
    if (d == nullptr) {
        return;
    }
    std::vector<std::string> parts = SplitChord(chord);
    if (parts.empty()) {
        return;
    }
    std::vector<KeyCode> held;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        std::string m = parts[i];
        std::transform(m.begin(), m.end(), m.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        KeySym sym = NoSymbol;
        if (m == "ctrl" || m == "control") {
            sym = XK_Control_L;
        } else if (m == "alt") {
            sym = XK_Alt_L;
        } else if (m == "shift") {
            sym = XK_Shift_L;
        }
        if (sym != NoSymbol) {
            held.push_back(XKeysymToKeycode(d, sym));
        }
    }
    std::string name = parts.back();
    if (name.size() == 1 && std::isupper(static_cast<unsigned char>(name[0]))) {
        name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    }
    const KeySym sym = XStringToKeysym(name.c_str());
    const KeyCode key = sym != NoSymbol ? XKeysymToKeycode(d, sym) : 0;
    if (key == 0) {
        return;
    }
    // At a typist's pace: the modifiers are down before the key, the key is up before them;
    // typed ahead, the events are in the server's hands, no more.
    const auto pace = [&] {
        if (waitForTheProgram) {
            Settle();
        } else {
            XSync(d, False);
        }
    };
    for (KeyCode k : held) {
        XTestFakeKeyEvent(d, k, True, CurrentTime);
    }
    if (!held.empty()) {
        pace();
    }
    XTestFakeKeyEvent(d, key, True, CurrentTime);
    pace();
    XTestFakeKeyEvent(d, key, False, CurrentTime);
    pace();
    for (auto k = held.rbegin(); k != held.rend(); ++k) {
        XTestFakeKeyEvent(d, *k, False, CurrentTime);
    }
    pace();
}

void ScreenUser::Type(const std::string& text)
{
    Display* d = state_->display;
    if (d == nullptr) {
        return;
    }
    const KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);
    for (unsigned char c : text) {
        KeySym sym = c;
        if (c == '\n') {
            sym = XK_Return;
        } else if (c == '\t') {
            sym = XK_Tab;
        }
        const KeyCode key = XKeysymToKeycode(d, sym);
        if (key == 0) {
            continue;
        }
        const bool shifted = XkbKeycodeToKeysym(d, key, 0, 0) != sym;
        if (shifted) {
            XTestFakeKeyEvent(d, shift, True, CurrentTime);
        }
        XTestFakeKeyEvent(d, key, True, CurrentTime);
        XTestFakeKeyEvent(d, key, False, CurrentTime);
        if (shifted) {
            XTestFakeKeyEvent(d, shift, False, CurrentTime);
        }
        // The layer posts a message per key: let it keep up, as a typist's pace would.
        Settle();
    }
}

namespace {

// The window holding the keyboard focus that carries a title (the focus may lie on a child of
// the top-level window, the toolkit's focus window); 0 when none has.
Window FocusedTitled(Display* d, std::string* title)
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    for (Window w = focus; w != 0 && w != PointerRoot && w != DefaultRootWindow(d);) {
        char* name = nullptr;
        if (XFetchName(d, w, &name) != 0 && name != nullptr) {
            if (title != nullptr) {
                *title = name;
            }
            XFree(name);
            return w;
        }
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(d, w, &root, &parent, &children, &count) == 0) {
            break;
        }
        if (children != nullptr) {
            XFree(children);
        }
        w = parent;
    }
    return 0;
}

} // namespace

std::string ScreenUser::FocusedTitle()
{
    Display* d = state_->display;
    std::string title;
    if (d != nullptr) {
        FocusedTitled(d, &title);
    }
    return title;
}

CRect ScreenUser::FocusedRect()
{
    Display* d = state_->display;
    const Window w = d != nullptr ? FocusedTitled(d, nullptr) : 0;
    XWindowAttributes attributes{};
    if (w == 0 || XGetWindowAttributes(d, w, &attributes) == 0) {
        return CRect();
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    return CRect(x, y, x + attributes.width, y + attributes.height);
}

bool ScreenUser::WaitForFocusedTitle(const std::string& part, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Patient(timeoutMs));
    while (FocusedTitle().find(part) == std::string::npos) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        Settle();
        Pause(20);
    }
    return true;
}

CBitmap ScreenUser::Screen()
{
    Display* d = state_->display;
    if (d == nullptr) {
        return CBitmap();
    }
    XSync(d, False);
    const Window root = DefaultRootWindow(d);
    XWindowAttributes attributes{};
    XGetWindowAttributes(d, root, &attributes);
    XImage* image = XGetImage(d, root, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return CBitmap();
    }
    CBitmap picture(attributes.width, attributes.height);
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            picture.SetPixel(x, y, RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        }
    }
    XDestroyImage(image);
    return picture;
}

bool ScreenUser::Shot(const std::string& pngPath, const CRect* part)
{
    CBitmap whole = Screen();
    if (!whole.IsCreated()) {
        return false;
    }
    if (part == nullptr) {
        return WritePng(pngPath, whole);
    }
    CRect r = *part;
    r.IntersectRect(r, CRect(0, 0, whole.Width(), whole.Height()));
    if (r.IsRectEmpty()) {
        return false;
    }
    CBitmap cut(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y) {
        for (int x = 0; x < r.Width(); ++x) {
            cut.SetPixel(x, y, whole.GetPixel(r.left + x, r.top + y));
        }
    }
    return WritePng(pngPath, cut);
}

// ----- the person's thread -------------------------------------------------------------------

struct PersonAtScreen::Run {
    std::thread thread;
    std::atomic<bool> done{false};
    std::atomic<bool> abandoned{false};
};

PersonAtScreen::PersonAtScreen(std::function<void(ScreenUser&)> script) : run_(std::make_shared<Run>())
{
    std::shared_ptr<Run> run = run_;
    run->thread = std::thread([run, script = std::move(script)] {
        {
            ScreenUser user;
            user.state_->abandoned = &run->abandoned;
            script(user);
        }
        run->done = true;
        // Wake the screen's loop, which may be waiting for nothing else.
        g_main_context_wakeup(nullptr);
    });
}

PersonAtScreen::~PersonAtScreen()
{
    Finish(1000);
}

bool PersonAtScreen::Done() const
{
    return run_->done.load();
}

bool PersonAtScreen::Finish(int timeoutMs)
{
    if (!run_->thread.joinable()) {
        return run_->done.load();
    }
    const bool ended = RunUntil([this] { return run_->done.load(); }, Patient(timeoutMs));
    if (!ended) {
        // The rest of the script no longer reaches the windows; it ends soon.
        run_->abandoned = true;
        RunUntil([this] { return run_->done.load(); }, 30000);
    }
    run_->thread.join();
    return ended;
}

bool RunPerson(const std::function<void(ScreenUser&)>& script, int timeoutMs)
{
    PersonAtScreen person(script);
    return person.Finish(timeoutMs);
}

} // namespace gtkscreen
