#include "platform/gtk/GtkHost.h"

#include <cctype>

#include "platform/docview/Menu.h"
#include "platform/docview/MenuBar.h"
#include "platform/window/Wnd.h"

// Popup menus on the screen: the layer's menu shown as a toolkit menu at the point the layer
// asks for, run in a nested loop so the caller gets the pick back as it does headless.

namespace gtkscreen {
namespace {

struct Pick {
    UINT id = 0;
    bool done = false;
};

void OnActivate(GtkMenuItem* item, gpointer data)
{
    auto* pick = static_cast<Pick*>(data);
    pick->id = static_cast<UINT>(GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(item), "vantorel-id")));
}

gboolean FinishLater(gpointer data)
{
    static_cast<Pick*>(data)->done = true;
    GetMessageQueue().Post(nullptr, WM_NULL, 0, 0);
    return G_SOURCE_REMOVE;
}

void OnDeactivate(GtkMenuShell*, gpointer data)
{
    // The item's activation follows the menu's deactivation; the loop ends after both.
    g_idle_add(FinishLater, data);
}

GtkWidget* Build(const CMenu& menu, Pick& pick)
{
    GtkWidget* shell = gtk_menu_new();
    FillMenu(shell, menu, G_CALLBACK(OnActivate), &pick);
    return shell;
}

// The pop-up menu open now, for the tests' wait until it shows.
GtkWidget* g_openMenu = nullptr;

UINT ShowPopup(CMenu& menu, CPoint screenPoint, CWnd* owner)
{
    CWnd* anchor = owner != nullptr ? owner : CWnd::GetActiveWindow();
    NativeWindow* native = anchor != nullptr && Host() != nullptr ? Host()->FindFor(*anchor) : nullptr;
    if (native == nullptr || menu.GetMenuItemCount() == 0) {
        return 0;
    }
    Pick pick;
    GtkWidget* shell = Build(menu, pick);
    g_signal_connect(shell, "deactivate", G_CALLBACK(OnDeactivate), &pick);
    gtk_widget_show_all(shell);
    // The point in the native window's coordinates: the layer's top-level window fills it.
    CRect top;
    CWnd::FromHandle(native->hwnd)->GetWindowRect(&top);
    GdkRectangle at{ToLogical(screenPoint.x - top.left), ToLogical(screenPoint.y - top.top), 1, 1};
    gtk_menu_popup_at_rect(GTK_MENU(shell), gtk_widget_get_window(native->area), &at, GDK_GRAVITY_NORTH_WEST,
                           GDK_GRAVITY_NORTH_WEST, LastPressEvent());
    if (!gtk_widget_get_visible(shell)) {
        // No pointer grab could be had (no display focus): nothing shows, nothing is picked.
        gtk_widget_destroy(shell);
        return 0;
    }
    GtkWidget* outer = g_openMenu;
    g_openMenu = shell;
    RunNested([&pick] { return pick.done; });
    g_openMenu = outer;
    gtk_widget_destroy(shell);
    return pick.id;
}

} // namespace

// "&File" becomes "_File" and a literal '_' is doubled; the text after a tab (the shortcut)
// goes to the item's accelerator label. A letter an earlier item of the same menu underlines
// already (in `used`) is shown plain: with two items on one letter the toolkit would only
// move between them, and the first would no longer be chosen by its key.
std::string Mnemonic(const std::string& text, std::string& used)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t') {
            break;
        }
        if (c == '&' && i + 1 < text.size()) {
            ++i;
            const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
            if (text[i] == '&') {
                out += "&";
            } else if (used.find(letter) != std::string::npos) {
                out += text[i] == '_' ? "__" : std::string(1, text[i]);
            } else {
                used += letter;
                out += std::string("_") + text[i];
            }
            continue;
        }
        out += c == '_' ? "__" : std::string(1, c);
    }
    return out;
}

void FillMenu(GtkWidget* shell, const CMenu& menu, GCallback onActivate, gpointer data)
{
    std::string used;
    for (const CMenu::Item& item : menu.Items()) {
        GtkWidget* widget = nullptr;
        if (item.popup == nullptr && item.id == 0 && item.text.empty()) {
            widget = gtk_separator_menu_item_new();
        } else {
            const std::string label = Mnemonic(item.text, used);
            if ((item.flags & MF_CHECKED) != 0) {
                widget = gtk_check_menu_item_new_with_mnemonic(label.c_str());
                gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(widget), TRUE);
            } else {
                widget = gtk_menu_item_new_with_mnemonic(label.c_str());
            }
            const std::size_t tab = item.text.find('\t');
            if (tab != std::string::npos) {
                GtkWidget* child = gtk_bin_get_child(GTK_BIN(widget));
                if (GTK_IS_ACCEL_LABEL(child)) {
                    // Shown only: the layer's accelerator table does the work.
                    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
                    g_object_ref(child);
                    gtk_container_remove(GTK_CONTAINER(widget), child);
                    gtk_box_pack_start(GTK_BOX(box), child, TRUE, TRUE, 0);
                    g_object_unref(child);
                    GtkWidget* keys = gtk_label_new(item.text.substr(tab + 1).c_str());
                    gtk_widget_set_sensitive(keys, FALSE);
                    gtk_box_pack_end(GTK_BOX(box), keys, FALSE, FALSE, 0);
                    gtk_container_add(GTK_CONTAINER(widget), box);
                }
            }
            if ((item.flags & (MF_GRAYED | MF_DISABLED)) != 0) {
                gtk_widget_set_sensitive(widget, FALSE);
            }
            if (item.popup != nullptr) {
                GtkWidget* sub = gtk_menu_new();
                FillMenu(sub, *item.popup, onActivate, data);
                gtk_menu_item_set_submenu(GTK_MENU_ITEM(widget), sub);
            } else {
                g_object_set_data(G_OBJECT(widget), "vantorel-id", GUINT_TO_POINTER(item.id));
                g_signal_connect(widget, "activate", onActivate, data);
            }
        }
        gtk_menu_shell_append(GTK_MENU_SHELL(shell), widget);
    }
}

bool PopupMenuShown()
{
    if (g_openMenu == nullptr) {
        return MenuBarMenuShown();
    }
    GtkWidget* top = gtk_widget_get_toplevel(g_openMenu);
    GdkWindow* window = top != nullptr ? gtk_widget_get_window(top) : nullptr;
    return gtk_widget_get_mapped(g_openMenu) && window != nullptr && gdk_window_is_viewable(window);
}

void InstallNativeMenus()
{
    SetPopupMenuHook(ShowPopup);
    SetMenuBarWidgetFactory(MakeMenuBarWidget);
}

void RemoveNativeMenus()
{
    ResetPopupMenuHook();
    SetMenuBarWidgetFactory(nullptr);
}

} // namespace gtkscreen
