#include "platform/gtk/GtkHost.h"

#include <algorithm>
#include <set>

#include "platform/docview/Menu.h"
#include "platform/docview/MenuBar.h"
#include "platform/window/Wnd.h"

// A frame's menu bar on the screen: the toolkit's own menu bar, lying over the bar's window in
// the native window's overlay, so the titles, the menus, hovering from title to title and the
// keys inside a menu are the desktop's. The layer's bar stays underneath: it keeps the menu,
// answers Alt with a title's letter, runs the update handlers when a title opens and sends the
// pick to the frame.

namespace gtkscreen {
namespace {

class CGtkMenuBarWidget;

std::set<CGtkMenuBarWidget*>& LiveBars()
{
    static std::set<CGtkMenuBarWidget*> bars;
    return bars;
}

class CGtkMenuBarWidget final : public IMenuBarWidget {
public:
    explicit CGtkMenuBarWidget(CMenuBar& bar) : bar_(bar)
    {
        widget_ = gtk_menu_bar_new();
        g_object_ref_sink(widget_);
        gtk_widget_set_halign(widget_, GTK_ALIGN_START);
        gtk_widget_set_valign(widget_, GTK_ALIGN_START);
        g_signal_connect(widget_, "size-allocate", G_CALLBACK(OnAllocated), this);
        // Behind a modal dialog (the frame disabled) a click opens no menu, as on the layer's bar.
        g_signal_connect(widget_, "button-press-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer data) -> gboolean {
                             return !static_cast<CGtkMenuBarWidget*>(data)->bar_.Usable();
                         }),
                         this);
        LiveBars().insert(this);
    }

    ~CGtkMenuBarWidget() override
    {
        LiveBars().erase(this);
        Clear();
        if (GtkWidget* parent = gtk_widget_get_parent(widget_)) {
            gtk_container_remove(GTK_CONTAINER(parent), widget_);
        }
        gtk_widget_destroy(widget_);
        g_object_unref(widget_);
    }

    void TitlesChanged() override
    {
        Clear();
        CMenu* menu = bar_.GetBarMenu();
        if (menu == nullptr) {
            return;
        }
        std::string used;
        int index = 0;
        for (const CMenu::Item& item : menu->Items()) {
            GtkWidget* title = gtk_menu_item_new_with_mnemonic(Mnemonic(item.text, used).c_str());
            g_object_set_data(G_OBJECT(title), "vantorel-title", GINT_TO_POINTER(index));
            gtk_widget_set_sensitive(title, (item.flags & (MF_GRAYED | MF_DISABLED)) == 0);
            if (item.popup != nullptr) {
                GtkWidget* sub = gtk_menu_new();
                g_object_set_data(G_OBJECT(sub), "vantorel-title", GINT_TO_POINTER(index));
                // Filled now so the toolkit has a menu to open; filled again, after the update
                // handlers, each time it opens.
                FillMenu(sub, *item.popup, G_CALLBACK(OnItem), this);
                g_signal_connect(sub, "show", G_CALLBACK(OnMenuShow), this);
                g_signal_connect(sub, "hide", G_CALLBACK(OnMenuHide), this);
                gtk_menu_item_set_submenu(GTK_MENU_ITEM(title), sub);
            } else {
                g_object_set_data(G_OBJECT(title), "vantorel-id", GUINT_TO_POINTER(item.id));
                g_signal_connect(title, "activate", G_CALLBACK(OnItem), this);
            }
            gtk_menu_shell_append(GTK_MENU_SHELL(widget_), title);
            titles_.push_back(title);
            ++index;
        }
        gtk_widget_show_all(widget_);
    }

    int Height() override
    {
        int minimum = 0;
        int natural = 0;
        gtk_widget_get_preferred_height(widget_, &minimum, &natural);
        return ToDevice(std::max(minimum, natural));
    }

    std::vector<CRect> TitleRects() override
    {
        std::vector<CRect> rects;
        if (!gtk_widget_get_mapped(widget_)) {
            return rects;
        }
        for (GtkWidget* title : titles_) {
            int x = 0;
            int y = 0;
            GtkAllocation a{};
            gtk_widget_get_allocation(title, &a);
            gtk_widget_translate_coordinates(title, widget_, 0, 0, &x, &y);
            rects.emplace_back(ToDevice(x), ToDevice(y), ToDevice(x + a.width), ToDevice(y + a.height));
        }
        return rects;
    }

    void Open(int index) override
    {
        if (index < 0 || index >= static_cast<int>(titles_.size()) || !gtk_widget_get_mapped(widget_)) {
            return;
        }
        GtkWidget* title = titles_[static_cast<std::size_t>(index)];
        // What the toolkit does for Alt with the letter: the bar takes the keyboard, the title's
        // menu opens with its first item chosen, and an item's letter chooses that item. (With no
        // item chosen the menu would hand every key back to the bar, and the letters of the
        // items would do nothing.)
        gtk_widget_mnemonic_activate(title, FALSE);
    }

    int OpenTitle() override { return open_; }

    // True while a title's menu shows on the screen.
    bool MenuShown() const
    {
        if (open_ < 0 || open_ >= static_cast<int>(titles_.size())) {
            return false;
        }
        GtkWidget* sub = gtk_menu_item_get_submenu(GTK_MENU_ITEM(titles_[static_cast<std::size_t>(open_)]));
        GtkWidget* top = sub != nullptr ? gtk_widget_get_toplevel(sub) : nullptr;
        GdkWindow* window = top != nullptr ? gtk_widget_get_window(top) : nullptr;
        return gtk_widget_get_mapped(sub) && window != nullptr && gdk_window_is_viewable(window);
    }

    // Lays the toolkit's bar over the layer's bar window, in the native window showing it.
    void Place(CGtkWindowHost& host)
    {
        NativeWindow* native = ::IsWindow(bar_.GetSafeHwnd()) ? host.FindFor(bar_) : nullptr;
        GtkWidget* home = native != nullptr ? native->overlay : nullptr;
        GtkWidget* parent = gtk_widget_get_parent(widget_);
        if (parent != home) {
            if (parent != nullptr) {
                gtk_container_remove(GTK_CONTAINER(parent), widget_);
            }
            if (home == nullptr) {
                return;
            }
            gtk_overlay_add_overlay(GTK_OVERLAY(home), widget_);
        }
        if (home == nullptr) {
            return;
        }
        CRect r;
        bar_.GetWindowRect(&r);
        CRect top;
        bar_.GetTopLevelParent()->GetWindowRect(&top);
        r.OffsetRect(-top.left, -top.top);
        gtk_widget_set_margin_start(widget_, std::max(0, ToLogical(r.left)));
        gtk_widget_set_margin_top(widget_, std::max(0, ToLogical(r.top)));
        gtk_widget_set_size_request(widget_, std::max(1, ToLogical(r.Width())), std::max(1, ToLogical(r.Height())));
        gtk_widget_set_visible(widget_, bar_.IsWindowVisible() && !r.IsRectEmpty());
    }

private:
    void Clear()
    {
        for (GtkWidget* title : titles_) {
            gtk_widget_destroy(title);
        }
        titles_.clear();
        open_ = -1;
    }

    // Laid out at last: the window draws it over the picture at once, not waiting for the
    // toolkit's next frame.
    static void OnAllocated(GtkWidget*, GdkRectangle* a, gpointer data)
    {
        auto* self = static_cast<CGtkMenuBarWidget*>(data);
        NativeWindow* native =
            Host() != nullptr && ::IsWindow(self->bar_.GetSafeHwnd()) ? Host()->FindFor(self->bar_) : nullptr;
        if (native != nullptr) {
            Host()->Present(*native, CRect(ToDevice(a->x), ToDevice(a->y), ToDevice(a->x + a->width),
                                           ToDevice(a->y + a->height)));
        }
    }

    static void OnMenuShow(GtkWidget* sub, gpointer data)
    {
        auto* self = static_cast<CGtkMenuBarWidget*>(data);
        const int index = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(sub), "vantorel-title"));
        self->open_ = index;
        // The handlers may add or remove items (the recent files): the menu is made anew
        // before the toolkit measures it.
        CMenu* popup = self->bar_.PrepareTitle(index);
        GList* children = gtk_container_get_children(GTK_CONTAINER(sub));
        for (GList* c = children; c != nullptr; c = c->next) {
            gtk_widget_destroy(GTK_WIDGET(c->data));
        }
        g_list_free(children);
        if (popup != nullptr) {
            FillMenu(sub, *popup, G_CALLBACK(OnItem), self);
        }
        GList* made = gtk_container_get_children(GTK_CONTAINER(sub));
        for (GList* c = made; c != nullptr; c = c->next) {
            gtk_widget_show_all(GTK_WIDGET(c->data));
        }
        g_list_free(made);
    }

    static void OnMenuHide(GtkWidget* sub, gpointer data)
    {
        auto* self = static_cast<CGtkMenuBarWidget*>(data);
        // Moving from title to title shows the next menu before the last one hides.
        if (self->open_ == GPOINTER_TO_INT(g_object_get_data(G_OBJECT(sub), "vantorel-title"))) {
            self->open_ = -1;
        }
    }

    static void OnItem(GtkMenuItem* item, gpointer data)
    {
        auto* self = static_cast<CGtkMenuBarWidget*>(data);
        self->bar_.Pick(static_cast<UINT>(GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(item), "vantorel-id"))));
        GetMessageQueue().Post(nullptr, WM_NULL, 0, 0);
    }

    CMenuBar& bar_;
    GtkWidget* widget_ = nullptr;
    std::vector<GtkWidget*> titles_;
    int open_ = -1;
};

} // namespace

std::unique_ptr<IMenuBarWidget> MakeMenuBarWidget(CMenuBar& bar)
{
    return std::make_unique<CGtkMenuBarWidget>(bar);
}

bool MenuBarMenuShown()
{
    for (CGtkMenuBarWidget* bar : LiveBars()) {
        if (bar->MenuShown()) {
            return true;
        }
    }
    return false;
}

void PlaceMenuBars(CGtkWindowHost& host)
{
    for (CGtkMenuBarWidget* bar : LiveBars()) {
        bar->Place(host);
    }
}

} // namespace gtkscreen
