#include "platform/gtk/GtkHost.h"
#include "platform/gtk/GtkScreen.h"

#include <gdk/gdkkeysyms.h>

#include <cstdlib>

#include "platform/window/Input.h"
#include "platform/window/Screen.h"
#include "platform/window/UserInput.h"
#include "platform/window/Wnd.h"

namespace gtkscreen {
namespace {

GdkEvent* g_lastPress = nullptr;

void KeepPress(const GdkEvent* e)
{
    if (g_lastPress != nullptr) {
        gdk_event_free(g_lastPress);
    }
    g_lastPress = gdk_event_copy(e);
}

// The system's codes of the keypad's operators and of the punctuation keys of a US keyboard
// (each named by the key that carries it); only this table gives them out.
enum : UINT {
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_OEM_1 = 0xBA,      // ; :
    VK_OEM_PLUS = 0xBB,   // = +
    VK_OEM_COMMA = 0xBC,  // , <
    VK_OEM_MINUS = 0xBD,  // - _
    VK_OEM_PERIOD = 0xBE, // . >
    VK_OEM_2 = 0xBF,      // / ?
    VK_OEM_3 = 0xC0,      // ` ~
    VK_OEM_4 = 0xDB,      // [ {
    VK_OEM_5 = 0xDC,      // \ |
    VK_OEM_6 = 0xDD,      // ] }
    VK_OEM_7 = 0xDE,      // ' "
};

// The key a punctuation character lies on (the system's layout gave its symbol, shifted or
// not). Without a key down for it an edit never learns that it was typed into: a minus sign or
// a decimal point typed on its own would be lost when the person leaves the field.
UINT PunctuationKey(guint keyval)
{
    switch (keyval) {
    case GDK_KEY_semicolon:
    case GDK_KEY_colon:
        return VK_OEM_1;
    case GDK_KEY_equal:
    case GDK_KEY_plus:
        return VK_OEM_PLUS;
    case GDK_KEY_comma:
    case GDK_KEY_less:
        return VK_OEM_COMMA;
    case GDK_KEY_minus:
    case GDK_KEY_underscore:
        return VK_OEM_MINUS;
    case GDK_KEY_period:
    case GDK_KEY_greater:
        return VK_OEM_PERIOD;
    case GDK_KEY_slash:
    case GDK_KEY_question:
        return VK_OEM_2;
    case GDK_KEY_grave:
    case GDK_KEY_asciitilde:
        return VK_OEM_3;
    case GDK_KEY_bracketleft:
    case GDK_KEY_braceleft:
        return VK_OEM_4;
    case GDK_KEY_backslash:
    case GDK_KEY_bar:
        return VK_OEM_5;
    case GDK_KEY_bracketright:
    case GDK_KEY_braceright:
        return VK_OEM_6;
    case GDK_KEY_apostrophe:
    case GDK_KEY_quotedbl:
        return VK_OEM_7;
    default:
        return 0;
    }
}

UINT VirtualKey(guint keyval)
{
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) {
        return 'A' + (keyval - GDK_KEY_a);
    }
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) {
        return 'A' + (keyval - GDK_KEY_A);
    }
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) {
        return '0' + (keyval - GDK_KEY_0);
    }
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) {
        return '0' + (keyval - GDK_KEY_KP_0);
    }
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) {
        return VK_F1 + (keyval - GDK_KEY_F1);
    }
    switch (keyval) {
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
        return VK_RETURN;
    case GDK_KEY_Escape:
        return VK_ESCAPE;
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab:
        return VK_TAB;
    case GDK_KEY_BackSpace:
        return VK_BACK;
    case GDK_KEY_space:
        return VK_SPACE;
    case GDK_KEY_Delete:
    case GDK_KEY_KP_Delete:
        return VK_DELETE;
    case GDK_KEY_Insert:
    case GDK_KEY_KP_Insert:
        return VK_INSERT;
    case GDK_KEY_Home:
    case GDK_KEY_KP_Home:
        return VK_HOME;
    case GDK_KEY_End:
    case GDK_KEY_KP_End:
        return VK_END;
    case GDK_KEY_Page_Up:
    case GDK_KEY_KP_Page_Up:
        return VK_PRIOR;
    case GDK_KEY_Page_Down:
    case GDK_KEY_KP_Page_Down:
        return VK_NEXT;
    case GDK_KEY_Left:
    case GDK_KEY_KP_Left:
        return VK_LEFT;
    case GDK_KEY_Right:
    case GDK_KEY_KP_Right:
        return VK_RIGHT;
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up:
        return VK_UP;
    case GDK_KEY_Down:
    case GDK_KEY_KP_Down:
        return VK_DOWN;
    case GDK_KEY_Shift_L:
    case GDK_KEY_Shift_R:
        return VK_SHIFT;
    case GDK_KEY_Control_L:
    case GDK_KEY_Control_R:
        return VK_CONTROL;
    case GDK_KEY_Alt_L:
    case GDK_KEY_Alt_R:
    case GDK_KEY_Meta_L:
    case GDK_KEY_Meta_R:
        return VK_MENU;
    case GDK_KEY_Caps_Lock:
        return VK_CAPITAL;
    case GDK_KEY_Pause:
        return VK_PAUSE;
    case GDK_KEY_Num_Lock:
        return VK_NUMLOCK;
    case GDK_KEY_Scroll_Lock:
        return VK_SCROLL;
    case GDK_KEY_KP_Multiply:
        return VK_MULTIPLY;
    case GDK_KEY_KP_Add:
        return VK_ADD;
    case GDK_KEY_KP_Subtract:
        return VK_SUBTRACT;
    case GDK_KEY_KP_Decimal:
    case GDK_KEY_KP_Separator:
        return VK_DECIMAL;
    case GDK_KEY_KP_Divide:
        return VK_DIVIDE;
    default:
        return PunctuationKey(keyval);
    }
}

// The modifier keys as the event saw them (the key of a modifier's own event excepted, which
// the caller sets).
void TakeModifiers(guint state)
{
    CInputState& keys = GetInputState();
    keys.SetKeyDown(VK_SHIFT, (state & GDK_SHIFT_MASK) != 0);
    keys.SetKeyDown(VK_CONTROL, (state & GDK_CONTROL_MASK) != 0);
    keys.SetKeyDown(VK_MENU, (state & GDK_MOD1_MASK) != 0);
    keys.SetKeyToggled(VK_CAPITAL, (state & GDK_LOCK_MASK) != 0);
}

// What a key typed, as the system's layout made it: the character of its key symbol, the
// control character for Control with a letter, nothing with Alt (a menu key) or for Delete.
std::string TypedBy(const GdkEventKey& e)
{
    if ((e.state & GDK_MOD1_MASK) != 0) {
        return {};
    }
    const UINT vk = VirtualKey(e.keyval);
    if ((e.state & GDK_CONTROL_MASK) != 0) {
        if (vk >= 'A' && vk <= 'Z') {
            return std::string(1, static_cast<char>(vk - 'A' + 1));
        }
        return {};
    }
    const gunichar c = gdk_keyval_to_unicode(e.keyval);
    if (c == 0 || c == 0x7F) {
        return {};
    }
    char utf8[8] = {};
    const gint n = g_unichar_to_utf8(c, utf8);
    return std::string(utf8, static_cast<std::size_t>(n));
}

CWnd* KeyTarget(CWnd& top)
{
    CWnd* target = CWnd::GetFocus();
    if (target == nullptr) {
        target = CWnd::GetActiveWindow();
    }
    if (target == nullptr) {
        target = &top;
    }
    // Keys never reach a window behind a modal one.
    for (CWnd* w = target; w != nullptr; w = w->GetParent()) {
        if (!w->IsWindowEnabled()) {
            return nullptr;
        }
    }
    return target;
}

gboolean OnKey(GtkWidget*, GdkEventKey* e, gpointer data)
{
    auto* native = static_cast<NativeWindow*>(data);
    CWnd* top = CWnd::FromHandle(native->hwnd);
    if (top == nullptr) {
        return TRUE;
    }
    const bool down = e->type == GDK_KEY_PRESS;
    const UINT vk = VirtualKey(e->keyval);
    TakeModifiers(e->state);
    if (KeyGoesToPlayer(*e, *top)) {
        // The toolkit takes it on to the player's view; the layer only keeps what is held.
        if (vk != 0) {
            GetInputState().SetKeyDown(vk, down);
        }
        return FALSE;
    }
    if (down) {
        KeepPress(reinterpret_cast<GdkEvent*>(e));
    }
    CWnd* target = KeyTarget(*top);
    const unsigned scan = e->hardware_keycode & 0xFFu;
    const bool alt = GetInputState().IsKeyDown(VK_MENU) || vk == VK_MENU || vk == VK_F10;
    if (down) {
        const std::string typed = TypedBy(*e);
        if (vk == 0) {
            // A key the layer has no code for still types its character.
            if (target != nullptr) {
                for (unsigned char c : typed) {
                    ::PostInputMessage(target->GetSafeHwnd(), WM_CHAR, c, 1);
                }
            }
            return TRUE;
        }
        Host()->typedByScanCode[scan] = typed;
        const bool repeat = GetInputState().IsKeyDown(vk);
        GetInputState().SetKeyDown(vk, true);
        if (target != nullptr) {
            const LPARAM lParam = static_cast<LPARAM>(1u | (scan << 16) | (repeat ? 1u << 30 : 0u));
            ::PostInputMessage(target->GetSafeHwnd(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, lParam);
        }
    } else if (vk != 0) {
        GetInputState().SetKeyDown(vk, false);
        if (target != nullptr) {
            const LPARAM lParam = static_cast<LPARAM>(0xC0000001u | (scan << 16));
            ::PostInputMessage(target->GetSafeHwnd(), alt ? WM_SYSKEYUP : WM_KEYUP, vk, lParam);
        }
    }
    return TRUE;
}

struct PressForDoubleClick {
    guint32 time = 0;
    CPoint at;
    HWND top = nullptr;
    bool valid = false;
};
PressForDoubleClick g_previousPress;

gboolean OnButton(GtkWidget*, GdkEventButton* e, gpointer data)
{
    auto* native = static_cast<NativeWindow*>(data);
    CWnd* top = CWnd::FromHandle(native->hwnd);
    // The toolkit's own double-click events repeat a press the layer has already seen.
    if (top == nullptr || e->type == GDK_2BUTTON_PRESS || e->type == GDK_3BUTTON_PRESS) {
        return TRUE;
    }
    TakeModifiers(e->state);
    const CPoint point(ToDevice(e->x), ToDevice(e->y));
    const bool press = e->type == GDK_BUTTON_PRESS;
    if (press) {
        KeepPress(reinterpret_cast<GdkEvent*>(e));
        ForgetClickedPlayer();
    }
    UINT message = 0;
    if (e->button == 1) {
        message = press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        if (press) {
            // A second press soon and near the first is a double click, as the layer counts it.
            gint doubleTime = 400;
            g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &doubleTime, nullptr);
            const int dx = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
            const int dy = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
            if (g_previousPress.valid && g_previousPress.top == native->hwnd &&
                e->time - g_previousPress.time <= static_cast<guint32>(doubleTime) &&
                std::abs(point.x - g_previousPress.at.x) <= dx && std::abs(point.y - g_previousPress.at.y) <= dy) {
                message = WM_LBUTTONDBLCLK;
                g_previousPress.valid = false;
            } else {
                g_previousPress = PressForDoubleClick{e->time, point, native->hwnd, true};
            }
        }
    } else if (e->button == 2) {
        message = press ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    } else if (e->button == 3) {
        message = press ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    } else {
        return TRUE;
    }
    CWnd* target = CUserInput::PostPointer(*top, point, message);
    if (message == WM_MBUTTONDOWN) {
        GetInputState().SetKeyDown(VK_MBUTTON, true);
    } else if (message == WM_MBUTTONUP) {
        GetInputState().SetKeyDown(VK_MBUTTON, false);
    }
    if (message == WM_RBUTTONUP && target != nullptr && IsWindow(native->hwnd)) {
        // The context-menu request follows the release, in screen coordinates.
        CPoint screen = point;
        top->ClientToScreen(&screen);
        CWnd* under = top->ChildFromPoint(point);
        if (under != nullptr) {
            ::PostMessage(under->GetSafeHwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(under->GetSafeHwnd()),
                          PointToLParam(screen));
        }
    }
    return TRUE;
}

gboolean OnMotion(GtkWidget*, GdkEventMotion* e, gpointer data)
{
    auto* native = static_cast<NativeWindow*>(data);
    CWnd* top = CWnd::FromHandle(native->hwnd);
    if (top == nullptr) {
        return TRUE;
    }
    TakeModifiers(e->state);
    CUserInput::PostPointer(*top, CPoint(ToDevice(e->x), ToDevice(e->y)), WM_MOUSEMOVE);
    return TRUE;
}

gboolean OnScroll(GtkWidget*, GdkEventScroll* e, gpointer data)
{
    auto* native = static_cast<NativeWindow*>(data);
    CWnd* top = CWnd::FromHandle(native->hwnd);
    if (top == nullptr) {
        return TRUE;
    }
    TakeModifiers(e->state);
    int delta = 0;
    if (e->direction == GDK_SCROLL_UP) {
        delta = 120;
    } else if (e->direction == GDK_SCROLL_DOWN) {
        delta = -120;
    } else if (e->direction == GDK_SCROLL_SMOOTH) {
        delta = static_cast<int>(-e->delta_y * 120);
    }
    if (delta == 0) {
        return TRUE;
    }
    const CPoint point(ToDevice(e->x), ToDevice(e->y));
    // The wheel scrolls what lies under the pointer, as on the desktop; a window that does not
    // scroll passes it on to the one it lies in.
    CWnd* target = top->ChildFromPoint(point);
    if (target == nullptr) {
        target = CWnd::GetFocus();
        if (target != nullptr && target->GetTopLevelParent() != top) {
            target = nullptr;
        }
    }
    if (target != nullptr && target->IsWindowEnabled()) {
        CPoint screen = point;
        top->ClientToScreen(&screen);
        const WPARAM w = MAKEWPARAM(GetInputState().MouseKeyFlags(), static_cast<unsigned>(delta) & 0xFFFFu);
        ::PostInputMessage(target->GetSafeHwnd(), WM_MOUSEWHEEL, w, PointToLParam(screen));
    }
    return TRUE;
}

} // namespace

GdkEvent* LastPressEvent()
{
    return g_lastPress;
}

void ConnectInput(CGtkWindowHost&, NativeWindow& native)
{
    g_signal_connect(native.window, "key-press-event", G_CALLBACK(OnKey), &native);
    g_signal_connect(native.window, "key-release-event", G_CALLBACK(OnKey), &native);
    g_signal_connect(native.area, "button-press-event", G_CALLBACK(OnButton), &native);
    g_signal_connect(native.area, "button-release-event", G_CALLBACK(OnButton), &native);
    g_signal_connect(native.area, "motion-notify-event", G_CALLBACK(OnMotion), &native);
    g_signal_connect(native.area, "scroll-event", G_CALLBACK(OnScroll), &native);
}

std::string TypedByKey(CGtkWindowHost& host, const MSG& keyDown)
{
    const unsigned scan = static_cast<unsigned>((keyDown.lParam >> 16) & 0xFF);
    auto it = host.typedByScanCode.find(scan);
    return it == host.typedByScanCode.end() ? std::string() : it->second;
}

// ----- the toolkit's event synthesis, for tests ---------------------------------------------

namespace {

// The native area showing a window, and the point in it.
GdkWindow* AreaAt(CWnd& wnd, CPoint point, CPoint* inArea)
{
    CGtkWindowHost* host = Host();
    NativeWindow* n = host != nullptr ? host->FindFor(wnd) : nullptr;
    if (n == nullptr) {
        return nullptr;
    }
    CRect rect;
    wnd.GetWindowRect(&rect);
    CRect top;
    wnd.GetTopLevelParent()->GetWindowRect(&top);
    // The toolkit's logical pixels.
    *inArea = CPoint(ToLogical(point.x + rect.left - top.left), ToLogical(point.y + rect.top - top.top));
    return gtk_widget_get_window(n->area);
}

bool Button(GdkWindow* window, CPoint p, GdkEventType type)
{
    const bool sent = gdk_test_simulate_button(window, p.x, p.y, 1, static_cast<GdkModifierType>(0), type) != FALSE;
    Flush();
    return sent;
}

void MovePointer(GdkWindow* window, CPoint p)
{
    int ox = 0;
    int oy = 0;
    gdk_window_get_origin(window, &ox, &oy);
    GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(window));
    GdkDevice* pointer = gdk_seat_get_pointer(seat);
    gdk_device_warp(pointer, gdk_window_get_screen(window), ox + p.x, oy + p.y);
    Flush();
}

GdkWindow* KeyWindow()
{
    CGtkWindowHost* host = Host();
    CWnd* target = CWnd::GetFocus();
    if (target == nullptr) {
        target = CWnd::GetActiveWindow();
    }
    NativeWindow* n = (host != nullptr && target != nullptr) ? host->FindFor(*target) : nullptr;
    return n != nullptr ? gtk_widget_get_window(n->window) : nullptr;
}

bool Key(guint keyval, bool deliver = true)
{
    GdkWindow* window = KeyWindow();
    if (window == nullptr || keyval == 0 || keyval == GDK_KEY_VoidSymbol) {
        return false;
    }
    const auto none = static_cast<GdkModifierType>(0);
    bool sent = gdk_test_simulate_key(window, -1, -1, keyval, none, GDK_KEY_PRESS) != FALSE;
    sent = gdk_test_simulate_key(window, -1, -1, keyval, none, GDK_KEY_RELEASE) != FALSE && sent;
    if (deliver) {
        Flush();
    }
    return sent;
}

} // namespace

bool SimulateClick(CWnd& wnd, CPoint point)
{
    CPoint p;
    GdkWindow* window = AreaAt(wnd, point, &p);
    if (window == nullptr) {
        return false;
    }
    return Button(window, p, GDK_BUTTON_PRESS) && Button(window, p, GDK_BUTTON_RELEASE);
}

bool SimulateDrag(CWnd& wnd, CPoint from, CPoint to, int steps)
{
    CPoint a;
    CPoint b;
    GdkWindow* window = AreaAt(wnd, from, &a);
    if (window == nullptr || AreaAt(wnd, to, &b) == nullptr) {
        return false;
    }
    if (!Button(window, a, GDK_BUTTON_PRESS)) {
        return false;
    }
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i) {
        MovePointer(window, CPoint(a.x + (b.x - a.x) * i / steps, a.y + (b.y - a.y) * i / steps));
    }
    return Button(window, b, GDK_BUTTON_RELEASE);
}

bool SimulateTyping(const std::string& text)
{
    for (unsigned char c : text) {
        guint keyval = gdk_unicode_to_keyval(c);
        if (c == '\n' || c == '\r') {
            keyval = GDK_KEY_Return;
        } else if (c == '\t') {
            keyval = GDK_KEY_Tab;
        }
        if (!Key(keyval)) {
            return false;
        }
    }
    return true;
}

bool SimulateKey(const std::string& keyName, bool deliver)
{
    return Key(gdk_keyval_from_name(keyName.c_str()), deliver);
}

} // namespace gtkscreen

namespace gtkscreen {

bool SimulateKeyInNativeDialog(const std::string& keyName)
{
    GList* windows = gtk_window_list_toplevels();
    GdkWindow* target = nullptr;
    for (GList* w = windows; w != nullptr && target == nullptr; w = w->next) {
        auto* widget = static_cast<GtkWidget*>(w->data);
        if (GTK_IS_DIALOG(widget) && gtk_widget_get_visible(widget)) {
            target = gtk_widget_get_window(widget);
        }
    }
    g_list_free(windows);
    const guint keyval = gdk_keyval_from_name(keyName.c_str());
    if (target == nullptr || keyval == GDK_KEY_VoidSymbol) {
        return false;
    }
    const auto none = static_cast<GdkModifierType>(0);
    return gdk_test_simulate_key(target, -1, -1, keyval, none, GDK_KEY_PRESS) != FALSE &&
           gdk_test_simulate_key(target, -1, -1, keyval, none, GDK_KEY_RELEASE) != FALSE;
}

} // namespace gtkscreen
