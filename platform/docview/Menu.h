#pragma once

// Menus as data: items with id, text and state flags, and owned submenus. Items are reached by
// command id (searching submenus too) or by position. Popup menus are answered by a hook in
// place of a user picking an item, so tests decide what is chosen.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/Messages.h"

class CWnd;

struct MenuTemplateItem {
    MenuTemplateItem() = default; // a separator
    MenuTemplateItem(std::string itemText, UINT itemId, UINT itemFlags = 0)
        : text(std::move(itemText)), id(itemId), flags(itemFlags)
    {
    }
    static MenuTemplateItem Popup(std::string popupText, std::vector<MenuTemplateItem> items)
    {
        MenuTemplateItem item(std::move(popupText), 0);
        item.popup = std::move(items);
        item.isPopup = true;
        return item;
    }

    std::string text; // empty with id 0: a separator
    UINT id = 0;
    UINT flags = 0; // MF_GRAYED, MF_CHECKED, ...
    std::vector<MenuTemplateItem> popup;
    bool isPopup = false;
};

class CMenu {
public:
    struct Item {
        UINT flags = 0;
        UINT id = 0;
        std::string text;
        std::unique_ptr<CMenu> popup;
    };

    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL CreateMenu();
    BOOL CreatePopupMenu() { return CreateMenu(); }
    BOOL DestroyMenu();
    // Fills the menu from the menu resource of that id; false when none is registered.
    BOOL LoadMenu(UINT nIDResource);
    void LoadFromTemplate(const std::vector<MenuTemplateItem>& items);

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr);
    // Appends a submenu and returns it (owned by this menu).
    CMenu* AppendPopup(const std::string& text, UINT nFlags = 0);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags) { return RemoveMenu(nPosition, nFlags); }

    // Returns the previous state (MF_ENABLED, MF_GRAYED, MF_DISABLED) or (UINT)-1 when missing.
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    // Returns the previous check state or (UINT)-1.
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuItemCount() const { return static_cast<int>(items_.size()); }
    // The command id, (UINT)-1 for a submenu, 0 for a separator or a bad position.
    UINT GetMenuItemID(int nPos) const;
    int GetMenuString(UINT nIDItem, std::string& text, UINT nFlags) const;
    std::string GetMenuString(UINT nIDItem, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const;
    // The menu holding the item and its position there (submenus searched), or null.
    CMenu* FindItem(UINT nID, int* pPos);
    const std::vector<Item>& Items() const { return items_; }

    // Sends the owner WM_INITMENUPOPUP for this menu (as the popup at `index` of its parent)
    // and then for each submenu inside it, so that the update handlers have set every item's
    // state before the whole tree is handed to the toolkit, which opens submenus on its own.
    void InitPopups(CWnd& owner, UINT index);

    // Asks the popup hook which item the user picks. The owner first gets WM_INITMENUPOPUP
    // (for the submenus too) so its update handlers set the items' state; a picked item that
    // is disabled counts as no pick. With TPM_RETURNCMD the id is returned, otherwise it is
    // posted to the owner as a command. Returns 0 when nothing was picked.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const void* lpRect = nullptr);

    // Counts of TrackPopupMenu calls, for tests.
    int TrackCount() const { return trackCount_; }

private:
    Item* Find(UINT nID, UINT nFlags);
    const Item* Find(UINT nID, UINT nFlags) const;

    std::vector<Item> items_;
    int trackCount_ = 0;
};

// The user's pick for a popup menu at a screen point: a command id, or 0 to dismiss.
using PopupMenuHook = std::function<UINT(CMenu& menu, CPoint screenPoint, CWnd* owner)>;
void SetPopupMenuHook(PopupMenuHook hook);
void ResetPopupMenuHook();
