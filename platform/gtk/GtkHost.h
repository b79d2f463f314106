#pragma once

// Inside of the screen host, shared by the files of this folder only.

#include <gtk/gtk.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/DC.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Messages.h"
#include "platform/window/WindowHost.h"

class CWnd;
class CMenu;
class CMenuBar;
class IMenuBarWidget;

namespace gtkscreen {

// One native top-level window: the toolkit's window, the area that shows the layer's picture,
// the picture the layer's windows paint into, and its copy in the toolkit's pixel order.
struct NativeWindow {
    HWND hwnd = nullptr;
    GtkWidget* window = nullptr;
    GtkWidget* overlay = nullptr;
    GtkWidget* area = nullptr;
    CBitmap picture;
    cairo_surface_t* surface = nullptr;
    std::string title;
    CRect dirty; // picture coordinates not yet drawn into the native window
    bool drawPending = false;
    int draws = 0;
    // Set while the host itself moves or sizes the native window, so that the toolkit's
    // answer is not taken for the user's.
    bool syncing = false;
    // Where the host last asked the window to go (logical), until the window is seen there or
    // the window manager says where it put it instead.
    std::optional<CPoint> askedPlace;
    bool maximized = false; // asked of the window manager
};

class CGtkWindowHost final : public IWindowHost, public IQueueWaiter {
public:
    CGtkWindowHost();
    ~CGtkWindowHost() override;

    // IWindowHost
    void WindowCreated(CWnd&) override {}
    void WindowDestroyed(CWnd& wnd) override;
    void WindowChanged(CWnd& wnd) override;
    CDC* AcquireDC(CWnd& wnd, const CRect* paintRect) override;
    void ReleaseDC(CWnd& wnd, CDC* dc) override;

    // IQueueWaiter
    void Wait(std::optional<std::uint64_t> dueMs) override;
    void Poll() override;
    void Wake() override;

    NativeWindow* Find(HWND top);
    NativeWindow* FindFor(CWnd& wnd);
    // Copies a part of the picture (its own coordinates) into the toolkit's surface and asks
    // for it to be drawn.
    void Present(NativeWindow& native, const CRect& area);
    // Draws the whole surface into the native window now, bypassing the frame clock.
    void DrawNow(NativeWindow& native);
    // True when no native window waits to be drawn.
    bool AllDrawn() const;
    void DestroyAll();

    // The characters the keys pressed last typed, by scan code, for the keyboard layout.
    std::map<unsigned, std::string> typedByScanCode;

private:
    void Sync(CWnd& top);
    void Release(NativeWindow& native);
    NativeWindow& Make(CWnd& top);
    void Resize(NativeWindow& native, int width, int height);
    void InvalidateAbove(CWnd& top, CWnd& painted, const CRect& area);
    void UpdateCursor();
    static gboolean RunPendingSyncs(gpointer host);
    static gboolean DrawPending(gpointer host);

    struct Lease {
        HWND top = nullptr;
        HWND wnd = nullptr;
        CRect area; // picture coordinates
        bool paint = false;
    };
    std::map<HWND, std::unique_ptr<NativeWindow>> natives_;
    std::map<const CDC*, Lease> leases_;
    unsigned shownCursor_ = 0;
    std::set<HWND> pendingSyncs_;
    guint syncSource_ = 0;
    guint drawSource_ = 0;
};

CGtkWindowHost* Host();

// Input (GtkInput.cpp).
void ConnectInput(CGtkWindowHost& host, NativeWindow& native);
std::string TypedByKey(CGtkWindowHost& host, const MSG& keyDown);
// The user's last press of a button or a key (owned here, may be null): the layer opens its
// pop-ups from its queue, after the toolkit's handler has returned, so the menu is told which
// press opened it, and the release of that press neither picks nor closes it.
GdkEvent* LastPressEvent();

// The player views (WebKitPlayer.cpp): each player control's view over the control's
// rectangle in its top-level window's native window.
void PlacePlayerViews(CGtkWindowHost& host);
// True when a key typed in top belongs to a movie: that of the player control shown on the
// screen whose view the last click went to (a click in the program's own windows ends that).
// Keys with Control, Alt or the logo key held, Escape and the menu keys, stay the program's
// (its shortcuts, dialogs, menus).
bool KeyGoesToPlayer(const GdkEventKey& key, CWnd& top);
// A click in the program's own windows: no player keeps the keyboard a click gave it.
void ForgetClickedPlayer();

// The theme's colours and icons, and the toolbars' tips (GtkLook.cpp).
void InstallNativeLook();
void RemoveNativeLook();
void ConnectToolTips(NativeWindow& native);

// Message boxes and common dialogs (GtkDialogs.cpp).
void InstallNativeDialogs();
// Popup menus (GtkMenus.cpp).
void InstallNativeMenus();
void RemoveNativeMenus();
// A menu resource's label for the toolkit: "&File" becomes "_File"; a letter already in `used`
// (an earlier item's of the same menu) is shown plain, and the new one is added to it.
std::string Mnemonic(const std::string& text, std::string& used);
// Appends the layer's menu's items (submenus too) to a toolkit menu shell; each item's
// activation calls `onActivate` with `data`, the command id in the item's "vantorel-id".
void FillMenu(GtkWidget* shell, const CMenu& menu, GCallback onActivate, gpointer data);
// The frames' menu bars shown as the toolkit's own (GtkMenuBar.cpp): each lies over its bar's
// window; placed again when the windows change.
std::unique_ptr<IMenuBarWidget> MakeMenuBarWidget(CMenuBar& bar);
void PlaceMenuBars(CGtkWindowHost& host);
bool MenuBarMenuShown();
// Runs the layer's messages and the toolkit's events until `done`; the caller wakes the
// loop (a posted message) when `done` changes from a toolkit callback.
void RunNested(const std::function<bool()>& done);
// What the screen shows at a toolkit window's place (windows over it included).
CBitmap ReadScreenAt(GdkWindow* window);

// The screen's scale factor (2 on a double-density screen, GDK_SCALE): the layer counts the
// screen's own pixels, so its text and icons are drawn at the density shown; the toolkit
// counts logical pixels, `Scale()` of the layer's each.
int Scale();
inline int ToLogical(int devicePixels)
{
    return devicePixels / Scale();
}
inline int ToDevice(double logicalPixels)
{
    return static_cast<int>(logicalPixels * Scale());
}

// Pixel order: the layer keeps 0x00BBGGRR, cairo's RGB24 is 0x00RRGGBB.
inline std::uint32_t ToCairo(std::uint32_t c)
{
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

} // namespace gtkscreen
