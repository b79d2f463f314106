#include "platform/gtk/GtkHost.h"
#include "platform/gtk/GtkScreen.h"

#include <gdk/gdk.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/docview/WinApp.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/Png.h"
#include "platform/drawing/RasterDC.h"
#include "base/Clock.h"
#include "platform/window/Input.h"
#include "platform/window/Screen.h"
#include "platform/window/Wnd.h"

namespace gtkscreen {
namespace {

CGtkWindowHost* g_host = nullptr;
int g_scale = 1;

// A window's rectangle in the coordinates of its top-level window's picture.
CRect RectInTop(const CWnd& wnd)
{
    CRect r;
    wnd.GetWindowRect(&r);
    CRect top;
    wnd.GetTopLevelParent()->GetWindowRect(&top);
    r.OffsetRect(-top.left, -top.top);
    return r;
}

// What shows of a window: its rectangle inside every ancestor's.
CRect VisibleInTop(const CWnd& wnd)
{
    CRect visible = RectInTop(wnd);
    for (const CWnd* p = wnd.GetParent(); p != nullptr; p = p->GetParent()) {
        CRect both;
        both.IntersectRect(visible, RectInTop(*p));
        visible = both;
    }
    return visible;
}

gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer data)
{
    auto* native = static_cast<NativeWindow*>(data);
    if (native->surface != nullptr) {
        cairo_set_source_surface(cr, native->surface, 0, 0);
        cairo_paint(cr);
    }
    native->drawPending = false;
    ++native->draws;
    return TRUE;
}

void OnAreaAllocated(GtkWidget*, GdkRectangle* allocation, gpointer data)
{
    auto* native = static_cast<NativeWindow*>(data);
    CWnd* wnd = CWnd::FromHandle(native->hwnd);
    if (wnd == nullptr || native->syncing) {
        return;
    }
    CRect r;
    wnd->GetWindowRect(&r);
    const int width = ToDevice(allocation->width);
    const int height = ToDevice(allocation->height);
    if (ToLogical(r.Width()) != allocation->width || ToLogical(r.Height()) != allocation->height) {
        // The user resized the window: the layer's window follows.
        wnd->MoveWindow(r.left, r.top, width, height, TRUE);
    }
}

gboolean OnConfigure(GtkWidget* widget, GdkEventConfigure* event, gpointer data)
{
    auto* native = static_cast<NativeWindow*>(data);
    CWnd* wnd = CWnd::FromHandle(native->hwnd);
    if (wnd != nullptr && !native->syncing) {
        int x = 0;
        int y = 0;
        gtk_window_get_position(GTK_WINDOW(widget), &x, &y);
        if (native->askedPlace) {
            if (*native->askedPlace == CPoint(x, y)) {
                native->askedPlace.reset();
                return FALSE;
            }
            // While the window manager is still placing a window, the server reports where
            // it lies for now (the screen's corner, often): taken for the user's move, that
            // place would become the window's for real. The window manager's own word on
            // where it put the window comes as a sent event.
            if (event->send_event == 0) {
                return FALSE;
            }
            native->askedPlace.reset();
        }
        CRect r;
        wnd->GetWindowRect(&r);
        if (ToLogical(r.left) != x || ToLogical(r.top) != y) {
            wnd->SetWindowPos(nullptr, ToDevice(x), ToDevice(y), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
        }
    }
    return FALSE;
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data)
{
    // The layer decides: a frame may ask to save first, and destroys itself when it goes.
    auto* native = static_cast<NativeWindow*>(data);
    ::PostMessage(native->hwnd, WM_CLOSE, 0, 0);
    return TRUE;
}

gboolean OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer data)
{
    auto* native = static_cast<NativeWindow*>(data);
    CWnd* top = CWnd::FromHandle(native->hwnd);
    if (top == nullptr) {
        return FALSE;
    }
    if (!top->IsWindowEnabled()) {
        // A window behind a modal one was clicked (the window manager raised it): the modal
        // window comes forward again, as on the desktop, rather than staying covered.
        CWnd* active = CWnd::GetActiveWindow();
        NativeWindow* modal = active != nullptr && active != top && active->IsWindowEnabled() && Host() != nullptr
                                  ? Host()->Find(active->GetSafeHwnd())
                                  : nullptr;
        if (modal != nullptr) {
            gtk_window_present(GTK_WINDOW(modal->window));
        }
        return FALSE;
    }
    if (CWnd::GetActiveWindow() != top) {
        top->SetActiveWindow();
    }
    CWnd* focus = CWnd::GetFocus();
    if (IsWindow(native->hwnd) && (focus == nullptr || focus->GetTopLevelParent() != top)) {
        top->SetFocus();
    }
    return FALSE;
}

const char* CursorName(unsigned id)
{
    switch (id) {
    case IDC_IBEAM:
        return "text";
    case IDC_WAIT:
        return "wait";
    case IDC_APPSTARTING:
        return "progress";
    case IDC_CROSS:
        return "crosshair";
    case IDC_SIZENWSE:
        return "nwse-resize";
    case IDC_SIZENESW:
        return "nesw-resize";
    case IDC_SIZEWE:
        return "ew-resize";
    case IDC_SIZENS:
        return "ns-resize";
    case IDC_SIZEALL:
        return "move";
    case IDC_NO:
        return "not-allowed";
    case IDC_HAND:
        return "pointer";
    default:
        return "default";
    }
}

} // namespace

CGtkWindowHost* Host()
{
    return g_host;
}

int Scale()
{
    return g_scale;
}

int ScreenScale()
{
    return g_scale;
}

CGtkWindowHost::CGtkWindowHost() = default;

CGtkWindowHost::~CGtkWindowHost()
{
    if (syncSource_ != 0) {
        g_source_remove(syncSource_);
    }
    if (drawSource_ != 0) {
        g_source_remove(drawSource_);
    }
    DestroyAll();
}

void CGtkWindowHost::DestroyAll()
{
    for (auto& [hwnd, native] : natives_) {
        Release(*native);
    }
    natives_.clear();
}

NativeWindow* CGtkWindowHost::Find(HWND top)
{
    auto it = natives_.find(top);
    return it == natives_.end() ? nullptr : it->second.get();
}

NativeWindow* CGtkWindowHost::FindFor(CWnd& wnd)
{
    return Find(wnd.GetTopLevelParent()->GetSafeHwnd());
}

void CGtkWindowHost::WindowDestroyed(CWnd& wnd)
{
    auto it = natives_.find(wnd.GetSafeHwnd());
    if (it == natives_.end()) {
        return;
    }
    std::unique_ptr<NativeWindow> native = std::move(it->second);
    natives_.erase(it);
    Release(*native);
}

void CGtkWindowHost::Release(NativeWindow& native)
{
    // The player views lying over the picture belong to their players, which may outlive the
    // window (they are placed again if their control shows elsewhere).
    GList* children = gtk_container_get_children(GTK_CONTAINER(native.overlay));
    for (GList* c = children; c != nullptr; c = c->next) {
        if (c->data != native.area) {
            gtk_container_remove(GTK_CONTAINER(native.overlay), GTK_WIDGET(c->data));
        }
    }
    g_list_free(children);
    if (native.surface != nullptr) {
        cairo_surface_destroy(native.surface);
    }
    gtk_widget_destroy(native.window);
}

void CGtkWindowHost::WindowChanged(CWnd& wnd)
{
    // A window that became a child (or stopped being one) takes its native window along.
    if (wnd.GetParent() != nullptr) {
        if (Find(wnd.GetSafeHwnd()) != nullptr) {
            WindowDestroyed(wnd);
        }
        // The player views follow their controls when the toolkit is idle.
        if (syncSource_ == 0) {
            syncSource_ = g_idle_add_full(G_PRIORITY_HIGH_IDLE, RunPendingSyncs, this, nullptr);
        }
        return;
    }
    NativeWindow* n = Find(wnd.GetSafeHwnd());
    if (n == nullptr) {
        if (wnd.IsWindowVisible()) {
            Sync(wnd);
            // Whatever lies over the new window's children (its menu bar) is placed when idle.
            if (syncSource_ == 0) {
                syncSource_ = g_idle_add_full(G_PRIORITY_HIGH_IDLE, RunPendingSyncs, this, nullptr);
            }
        }
        return;
    }
    // The picture follows at once, so the painting that follows the change fits it; the
    // native window follows when the toolkit is idle, never from inside its own layout (a
    // resize asked for there would wait for an answer the paused events cannot bring).
    CRect r;
    wnd.GetWindowRect(&r);
    Resize(*n, r.Width(), r.Height());
    pendingSyncs_.insert(n->hwnd);
    if (syncSource_ == 0) {
        syncSource_ = g_idle_add_full(G_PRIORITY_HIGH_IDLE, RunPendingSyncs, this, nullptr);
    }
}

gboolean CGtkWindowHost::RunPendingSyncs(gpointer data)
{
    auto* host = static_cast<CGtkWindowHost*>(data);
    host->syncSource_ = 0;
    std::set<HWND> pending;
    pending.swap(host->pendingSyncs_);
    for (HWND h : pending) {
        if (CWnd* wnd = CWnd::FromHandle(h); wnd != nullptr && wnd->GetParent() == nullptr) {
            host->Sync(*wnd);
        }
    }
    PlacePlayerViews(*host);
    PlaceMenuBars(*host);
    return G_SOURCE_REMOVE;
}

NativeWindow& CGtkWindowHost::Make(CWnd& top)
{
    auto native = std::make_unique<NativeWindow>();
    NativeWindow& n = *native;
    n.hwnd = top.GetSafeHwnd();
    const DWORD style = top.GetStyle();
    // Pop-ups without a caption (drop-down lists, tips) sit exactly where the layer puts them.
    const bool bare = (style & WS_POPUP) != 0 && (style & WS_CAPTION) != WS_CAPTION;
    n.window = gtk_window_new(bare ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
    n.overlay = gtk_overlay_new();
    n.area = gtk_drawing_area_new();
    gtk_widget_add_events(n.area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                      GDK_SCROLL_MASK | GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
    gtk_widget_set_can_focus(n.area, TRUE);
    gtk_container_add(GTK_CONTAINER(n.overlay), n.area);
    gtk_container_add(GTK_CONTAINER(n.window), n.overlay);
    gtk_window_set_resizable(GTK_WINDOW(n.window), (style & WS_THICKFRAME) != 0);
    // A tool window (a palette, a browser) is a utility window of its owner's: the window
    // manager keeps it above the owner and out of the task list.
    if (!bare && (top.GetExStyle() & kToolWindow) != 0) {
        gtk_window_set_type_hint(GTK_WINDOW(n.window), GDK_WINDOW_TYPE_HINT_UTILITY);
        gtk_window_set_skip_taskbar_hint(GTK_WINDOW(n.window), TRUE);
    }
    g_signal_connect(n.area, "draw", G_CALLBACK(OnDraw), &n);
    g_signal_connect(n.area, "size-allocate", G_CALLBACK(OnAreaAllocated), &n);
    g_signal_connect(n.window, "configure-event", G_CALLBACK(OnConfigure), &n);
    g_signal_connect(n.window, "delete-event", G_CALLBACK(OnDelete), &n);
    g_signal_connect(n.window, "focus-in-event", G_CALLBACK(OnFocusIn), &n);
    ConnectInput(*this, n);
    ConnectToolTips(n);
    natives_[n.hwnd] = std::move(native);
    return n;
}

void CGtkWindowHost::Resize(NativeWindow& n, int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    if (n.picture.Width() == width && n.picture.Height() == height) {
        return;
    }
    n.picture = CBitmap(width, height, GetSysColor(COLOR_BTNFACE));
    if (n.surface != nullptr) {
        cairo_surface_destroy(n.surface);
    }
    n.surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    // One pixel of the picture for each of the screen's: drawn into a window of the toolkit's
    // logical size, it is shown as it is, not stretched.
    cairo_surface_set_device_scale(n.surface, Scale(), Scale());
    Present(n, CRect(0, 0, width, height));
}

void CGtkWindowHost::Sync(CWnd& top)
{
    NativeWindow* n = Find(top.GetSafeHwnd());
    const bool visible = top.IsWindowVisible() != FALSE;
    const bool made = n == nullptr;
    if (made) {
        if (!visible) {
            return;
        }
        n = &Make(top);
    }
    CRect r;
    top.GetWindowRect(&r);
    const int width = std::max(1, r.Width());
    const int height = std::max(1, r.Height());
    n->syncing = true;
    Resize(*n, width, height);
    const std::string title = top.GetWindowText();
    if (title != n->title) {
        n->title = title;
        gtk_window_set_title(GTK_WINDOW(n->window), title.c_str());
    }
    // A window the user cannot resize takes the size its content asks for; the others keep
    // no minimum, so the user can make them smaller.
    const int logicalWidth = std::max(1, ToLogical(width));
    const int logicalHeight = std::max(1, ToLogical(height));
    if ((top.GetStyle() & WS_THICKFRAME) == 0) {
        gtk_widget_set_size_request(n->area, logicalWidth, logicalHeight);
    } else {
        gtk_widget_set_size_request(n->area, -1, -1);
    }
    int shownWidth = 0;
    int shownHeight = 0;
    gtk_window_get_size(GTK_WINDOW(n->window), &shownWidth, &shownHeight);
    if (made) {
        gtk_window_set_default_size(GTK_WINDOW(n->window), logicalWidth, logicalHeight);
    } else if (shownWidth != logicalWidth || shownHeight != logicalHeight) {
        gtk_window_resize(GTK_WINDOW(n->window), logicalWidth, logicalHeight);
    }
    int x = 0;
    int y = 0;
    gtk_window_get_position(GTK_WINDOW(n->window), &x, &y);
    if (made || x != ToLogical(r.left) || y != ToLogical(r.top)) {
        gtk_window_move(GTK_WINDOW(n->window), ToLogical(r.left), ToLogical(r.top));
        n->askedPlace = CPoint(ToLogical(r.left), ToLogical(r.top));
    }
    if (CWnd* owner = top.GetOwner()) {
        if (NativeWindow* o = Find(owner->GetTopLevelParent()->GetSafeHwnd())) {
            gtk_window_set_transient_for(GTK_WINDOW(n->window), GTK_WINDOW(o->window));
        }
    }
    const bool zoomed = top.IsZoomed() && (top.GetStyle() & WS_THICKFRAME) != 0;
    if (zoomed != n->maximized) {
        n->maximized = zoomed;
        // The layer's maximized window fills the work area; on the screen the window manager
        // fits it, frame and title bar included, and the layer's window takes the size left
        // (its status bar stays on the screen).
        if (zoomed) {
            gtk_window_maximize(GTK_WINDOW(n->window));
        } else {
            gtk_window_unmaximize(GTK_WINDOW(n->window));
        }
    }
    if (visible && !gtk_widget_get_visible(n->window)) {
        gtk_widget_show_all(n->window);
        gtk_window_present(GTK_WINDOW(n->window));
    } else if (!visible && gtk_widget_get_visible(n->window)) {
        gtk_widget_hide(n->window);
    }
    n->syncing = false;
}

CDC* CGtkWindowHost::AcquireDC(CWnd& wnd, const CRect* paintRect)
{
    NativeWindow* n = FindFor(wnd);
    if (n == nullptr) {
        return nullptr;
    }
    const CRect rect = RectInTop(wnd);
    CRect visible = VisibleInTop(wnd);
    if (paintRect != nullptr) {
        CRect asked = *paintRect;
        asked.OffsetRect(rect.left, rect.top);
        CRect both;
        both.IntersectRect(visible, asked);
        visible = both;
    }
    auto* dc = new CRasterDC();
    dc->SetDpi(GetScreenMetrics().dpiY);
    dc->SelectObject(&n->picture);
    dc->SetViewportOrg(rect.left, rect.top);
    CRect clip = visible;
    clip.OffsetRect(-rect.left, -rect.top);
    dc->IntersectClipRect(clip);
    Lease lease;
    lease.top = n->hwnd;
    lease.wnd = wnd.GetSafeHwnd();
    lease.area = visible;
    lease.paint = paintRect != nullptr;
    leases_[dc] = lease;
    return dc;
}

void CGtkWindowHost::ReleaseDC(CWnd& wnd, CDC* dc)
{
    auto it = leases_.find(dc);
    if (it == leases_.end()) {
        delete dc;
        return;
    }
    const Lease lease = it->second;
    leases_.erase(it);
    delete dc;
    NativeWindow* n = Find(lease.top);
    if (n == nullptr || lease.area.IsRectEmpty()) {
        return;
    }
    Present(*n, lease.area);
    CWnd* top = CWnd::FromHandle(lease.top);
    if (lease.paint && top != nullptr) {
        InvalidateAbove(*top, wnd, lease.area);
    }
}

// A window paints over whatever lies above it in the same place (its children and the
// windows higher in the z-order): those paint again afterwards, in the order a full repaint
// would take (parents first, children from the bottom of the z-order up).
void CGtkWindowHost::InvalidateAbove(CWnd& top, CWnd& painted, const CRect& area)
{
    bool after = false;
    std::function<void(CWnd&)> walk = [&](CWnd& w) {
        if ((w.GetStyle() & WS_VISIBLE) == 0) {
            return;
        }
        if (after) {
            CRect both;
            if (both.IntersectRect(VisibleInTop(w), area)) {
                const CRect rect = RectInTop(w);
                both.OffsetRect(-rect.left, -rect.top);
                w.InvalidateRect(&both, TRUE);
            }
        }
        if (&w == &painted) {
            after = true;
        }
        std::vector<CWnd*> children = w.GetChildren();
        for (auto c = children.rbegin(); c != children.rend(); ++c) {
            walk(**c);
        }
    };
    walk(top);
}

void CGtkWindowHost::Present(NativeWindow& n, const CRect& asked)
{
    if (n.surface == nullptr) {
        return;
    }
    CRect area;
    if (!area.IntersectRect(asked, CRect(0, 0, n.picture.Width(), n.picture.Height()))) {
        return;
    }
    cairo_surface_flush(n.surface);
    unsigned char* data = cairo_image_surface_get_data(n.surface);
    const int stride = cairo_image_surface_get_stride(n.surface);
    const std::vector<COLORREF>& pixels = n.picture.Pixels();
    const int width = n.picture.Width();
    for (int y = area.top; y < area.bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        const COLORREF* from = pixels.data() + static_cast<std::size_t>(y) * width;
        for (int x = area.left; x < area.right; ++x) {
            row[x] = ToCairo(from[x]);
        }
    }
    cairo_surface_mark_dirty(n.surface);
    // Drawn straight into the native window when the toolkit is idle, not through its frame
    // clock: the clock holds the display's events back while it runs, and a window that
    // repaints after every key would keep it running.
    CRect dirty;
    dirty.UnionRect(n.dirty, area);
    n.dirty = dirty;
    n.drawPending = gtk_widget_get_mapped(n.area);
    if (drawSource_ == 0) {
        drawSource_ = g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, DrawPending, this, nullptr);
    }
}

gboolean CGtkWindowHost::DrawPending(gpointer data)
{
    auto* host = static_cast<CGtkWindowHost*>(data);
    host->drawSource_ = 0;
    for (auto& [hwnd, n] : host->natives_) {
        if (!n->dirty.IsRectEmpty()) {
            host->DrawNow(*n);
        }
    }
    return G_SOURCE_REMOVE;
}

void CGtkWindowHost::DrawNow(NativeWindow& n)
{
    GdkWindow* window = gtk_widget_get_window(n.area);
    if (window == nullptr || n.surface == nullptr || !gtk_widget_get_mapped(n.area)) {
        return;
    }
    CRect area = n.dirty.IsRectEmpty() ? CRect(0, 0, n.picture.Width(), n.picture.Height()) : n.dirty;
    n.dirty.SetRectEmpty();
    n.drawPending = false;
    ++n.draws;
    // The window's logical pixels that hold the area's.
    const int s = Scale();
    cairo_rectangle_int_t whole{area.left / s, area.top / s, (area.right + s - 1) / s - area.left / s,
                                (area.bottom + s - 1) / s - area.top / s};
    cairo_region_t* region = cairo_region_create_rectangle(&whole);
    // The menu bars lying over the picture are drawn again over it here, as their own drawing
    // goes through the frame clock this bypasses. (The player views draw themselves.)
    std::vector<GtkWidget*> redrawn;
    GList* children = gtk_container_get_children(GTK_CONTAINER(n.overlay));
    for (GList* c = children; c != nullptr; c = c->next) {
        auto* child = GTK_WIDGET(c->data);
        GtkAllocation a{};
        gtk_widget_get_allocation(child, &a);
        if (GTK_IS_MENU_BAR(child) && gtk_widget_get_mapped(child) && a.width > 1 && a.height > 1) {
            redrawn.push_back(child);
        }
    }
    g_list_free(children);
    GdkDrawingContext* context = gdk_window_begin_draw_frame(window, region);
    cairo_t* cr = gdk_drawing_context_get_cairo_context(context);
    cairo_set_source_surface(cr, n.surface, 0, 0);
    cairo_paint(cr);
    for (GtkWidget* child : redrawn) {
        GtkAllocation a{};
        gtk_widget_get_allocation(child, &a);
        cairo_save(cr);
        cairo_translate(cr, a.x, a.y);
        cairo_rectangle(cr, 0, 0, a.width, a.height);
        cairo_clip(cr);
        gtk_widget_draw(child, cr);
        cairo_restore(cr);
    }
    gdk_window_end_draw_frame(window, context);
    cairo_region_destroy(region);
    gdk_display_sync(gdk_window_get_display(window));
}

bool CGtkWindowHost::AllDrawn() const
{
    for (const auto& [hwnd, n] : natives_) {
        if (n->drawPending && gtk_widget_get_mapped(n->area)) {
            return false;
        }
    }
    return true;
}

void CGtkWindowHost::UpdateCursor()
{
    const unsigned id = CursorId(GetInputState().WaitCount() > 0 ? LoadCursorId(IDC_WAIT) : GetInputState().Cursor());
    if (id == shownCursor_) {
        return;
    }
    shownCursor_ = id;
    GdkDisplay* display = gdk_display_get_default();
    GdkCursor* cursor = gdk_cursor_new_from_name(display, CursorName(id));
    for (auto& [hwnd, n] : natives_) {
        if (GdkWindow* w = gtk_widget_get_window(n->area)) {
            gdk_window_set_cursor(w, cursor);
        }
    }
    if (cursor != nullptr) {
        g_object_unref(cursor);
    }
}

namespace {

struct Deadline {
    bool fired = false;
};

gboolean DeadlineReached(gpointer data)
{
    static_cast<Deadline*>(data)->fired = true;
    return G_SOURCE_REMOVE;
}

} // namespace

void CGtkWindowHost::Wait(std::optional<std::uint64_t> dueMs)
{
    UpdateCursor();
    Deadline deadline;
    guint source = 0;
    if (dueMs) {
        const std::uint64_t now = GetClock().NowMs();
        const guint wait = *dueMs > now ? static_cast<guint>(std::min<std::uint64_t>(*dueMs - now, 1u << 30)) : 0;
        source = g_timeout_add(wait, DeadlineReached, &deadline);
    }
    g_main_context_iteration(nullptr, TRUE);
    if (source != 0 && !deadline.fired) {
        g_source_remove(source);
    }
}

void CGtkWindowHost::Poll()
{
    for (int i = 0; i < 16 && g_main_context_pending(nullptr); ++i) {
        g_main_context_iteration(nullptr, FALSE);
    }
}

void CGtkWindowHost::Wake()
{
    g_main_context_wakeup(nullptr);
}

// ----- the screen -------------------------------------------------------------------------

bool DisplayAvailable()
{
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((x == nullptr || *x == '\0') && (wayland == nullptr || *wayland == '\0')) {
        return false;
    }
    return gtk_init_check(nullptr, nullptr) != FALSE;
}

namespace {

void TakeScreenMetrics()
{
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (monitor == nullptr && gdk_display_get_n_monitors(display) > 0) {
        monitor = gdk_display_get_monitor(display, 0);
    }
    if (monitor == nullptr) {
        return;
    }
    GdkRectangle geometry{};
    GdkRectangle work{};
    gdk_monitor_get_geometry(monitor, &geometry);
    gdk_monitor_get_workarea(monitor, &work);
    // The layer counts the screen's pixels; its fonts and icons follow the density.
    g_scale = std::max(1, gdk_monitor_get_scale_factor(monitor));
    ScreenMetrics metrics = GetScreenMetrics();
    metrics.width = geometry.width * g_scale;
    metrics.height = geometry.height * g_scale;
    metrics.workArea = CRect(work.x * g_scale, work.y * g_scale, (work.x + work.width) * g_scale,
                             (work.y + work.height) * g_scale);
    metrics.dpiX = 96 * g_scale;
    metrics.dpiY = 96 * g_scale;
    SetScreenMetrics(metrics);
}

} // namespace

bool OpenScreen(const ScreenOptions& options, std::string* error)
{
    if (g_host != nullptr) {
        return true;
    }
    if (options.coreEvents) {
        gdk_disable_multidevice();
    }
    if (!DisplayAvailable()) {
        if (error != nullptr) {
            *error = "no display: set DISPLAY (or WAYLAND_DISPLAY), or run under Xvfb";
        }
        return false;
    }
    TakeScreenMetrics();
    ui::SetDefaultFontDpi(GetScreenMetrics().dpiY);
    auto host = std::make_unique<CGtkWindowHost>();
    g_host = host.get();
    SetWindowHost(std::move(host));
    GetMessageQueue().SetWaiter(g_host);
    SetKeyboardLayout([](const MSG& keyDown) { return TypedByKey(*g_host, keyDown); });
    InstallNativeDialogs();
    InstallNativeMenus();
    InstallNativeLook();
    ui::SetModalLoopWaits(true);
    return true;
}

bool ScreenOpen()
{
    return g_host != nullptr;
}

void CloseScreen()
{
    if (g_host == nullptr) {
        return;
    }
    GetMessageQueue().SetWaiter(nullptr);
    SetKeyboardLayout(nullptr);
    ui::ResetDefaultFontDpi();
    ui::SetModalLoopWaits(false);
    RemoveNativeLook();
    RemoveNativeMenus();
    ResetMessageBoxService();
    ResetCommonDialogService();
    g_host->DestroyAll();
    g_host = nullptr;
    ResetWindowHost();
    while (g_main_context_pending(nullptr)) {
        g_main_context_iteration(nullptr, FALSE);
    }
}

namespace {

void PumpOnce()
{
    PumpPendingMessages();
    for (int i = 0; i < 64 && g_main_context_pending(nullptr); ++i) {
        g_main_context_iteration(nullptr, FALSE);
    }
    PumpPendingMessages();
}

gboolean Tick(gpointer)
{
    return G_SOURCE_REMOVE;
}

} // namespace

bool RunUntil(const std::function<bool()>& done, int timeoutMs)
{
    const gint64 end = g_get_monotonic_time() + static_cast<gint64>(timeoutMs) * 1000;
    for (;;) {
        PumpOnce();
        if (done()) {
            return true;
        }
        if (g_get_monotonic_time() >= end) {
            return false;
        }
        // Let time pass for the display's answers and the frame clock, without spinning.
        g_timeout_add(5, Tick, nullptr);
        g_main_context_iteration(nullptr, TRUE);
    }
}

void Flush()
{
    if (g_host == nullptr) {
        return;
    }
    gdk_display_sync(gdk_display_get_default());
    RunUntil([] { return g_host->AllDrawn() && !GetMessageQueue().HasWork(); }, 2000);
    gdk_display_sync(gdk_display_get_default());
}

const CBitmap* WindowPicture(CWnd& top)
{
    NativeWindow* n = g_host != nullptr ? g_host->Find(top.GetSafeHwnd()) : nullptr;
    return n != nullptr ? &n->picture : nullptr;
}

CBitmap ReadScreen(CWnd& top)
{
    NativeWindow* n = g_host != nullptr ? g_host->Find(top.GetSafeHwnd()) : nullptr;
    if (n == nullptr) {
        return CBitmap();
    }
    Flush();
    return ReadScreenAt(gtk_widget_get_window(n->window));
}

CBitmap ReadScreenAt(GdkWindow* window)
{
    if (window == nullptr) {
        return CBitmap();
    }
    const int width = gdk_window_get_width(window);
    const int height = gdk_window_get_height(window);
    // Read from the screen at the window's place, so that windows lying over it (a docked
    // properties sheet, a dialog) show as the user sees them.
    int x = 0;
    int y = 0;
    gdk_window_get_origin(window, &x, &y);
    GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, width, height);
    if (pixbuf == nullptr) {
        return CBitmap();
    }
    CBitmap picture(gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf));
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const guchar* p = pixels + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * channels;
            picture.SetPixel(x, y, RGB(p[0], p[1], p[2]));
        }
    }
    g_object_unref(pixbuf);
    return picture;
}

bool SaveScreenshot(CWnd& top, const std::string& pngPath)
{
    CBitmap picture = ReadScreen(top);
    if (!picture.IsCreated()) {
        return false;
    }
    return WritePng(pngPath, picture);
}

bool RequestClose(CWnd& top)
{
    NativeWindow* n = g_host != nullptr ? g_host->Find(top.GetSafeHwnd()) : nullptr;
    if (n == nullptr) {
        return false;
    }
    gtk_window_close(GTK_WINDOW(n->window));
    Flush();
    return true;
}

bool ResizeByUser(CWnd& top, int width, int height)
{
    NativeWindow* n = g_host != nullptr ? g_host->Find(top.GetSafeHwnd()) : nullptr;
    if (n == nullptr) {
        return false;
    }
    gtk_window_resize(GTK_WINDOW(n->window), std::max(1, ToLogical(width)), std::max(1, ToLogical(height)));
    return RunUntil(
        [&top, width, height] {
            CRect r;
            top.GetWindowRect(&r);
            return r.Width() == width && r.Height() == height;
        },
        3000);
}

void RepaintNow(CWnd& top, bool whole)
{
    NativeWindow* n = g_host != nullptr ? g_host->Find(top.GetSafeHwnd()) : nullptr;
    if (n == nullptr) {
        return;
    }
    if (whole) {
        top.Invalidate(TRUE);
    }
    PumpPendingMessages();
    g_host->DrawNow(*n);
}

} // namespace gtkscreen
