#include "platform/docview/Menu.h"

#include "platform/docview/Resources.h"
#include "platform/window/Wnd.h"

namespace {

PopupMenuHook& HookSlot()
{
    static PopupMenuHook hook;
    return hook;
}

constexpr UINT kStateMask = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_RADIOCHECK | MF_DEFAULT;

} // namespace

void SetPopupMenuHook(PopupMenuHook hook)
{
    HookSlot() = std::move(hook);
}

void ResetPopupMenuHook()
{
    HookSlot() = nullptr;
}

BOOL CMenu::CreateMenu()
{
    items_.clear();
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    items_.clear();
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    const std::vector<MenuTemplateItem>* items = GetResources().FindMenu(nIDResource);
    if (items == nullptr) {
        return FALSE;
    }
    LoadFromTemplate(*items);
    return TRUE;
}

void CMenu::LoadFromTemplate(const std::vector<MenuTemplateItem>& items)
{
    items_.clear();
    for (const MenuTemplateItem& t : items) {
        if (t.isPopup || !t.popup.empty()) {
            AppendPopup(t.text, t.flags)->LoadFromTemplate(t.popup);
        } else if (t.id == 0 && t.text.empty()) {
            AppendMenu(MF_SEPARATOR);
        } else {
            AppendMenu(t.flags, t.id, t.text.c_str());
        }
    }
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem)
{
    return InsertMenu(static_cast<UINT>(items_.size()), nFlags | MF_BYPOSITION, nIDNewItem, lpszNewItem);
}

CMenu* CMenu::AppendPopup(const std::string& text, UINT nFlags)
{
    Item item;
    item.flags = (nFlags & kStateMask) | MF_POPUP;
    item.id = static_cast<UINT>(-1);
    item.text = text;
    item.popup = std::make_unique<CMenu>();
    items_.push_back(std::move(item));
    return items_.back().popup.get();
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem)
{
    if ((nFlags & MF_POPUP) != 0) {
        return FALSE; // submenus are added with AppendPopup, which makes ownership plain
    }
    std::size_t at = items_.size();
    if ((nFlags & MF_BYPOSITION) != 0) {
        at = std::min<std::size_t>(nPosition, items_.size());
    } else {
        int pos = 0;
        CMenu* holder = FindItem(nPosition, &pos);
        if (holder != nullptr && holder != this) {
            return holder->InsertMenu(static_cast<UINT>(pos), nFlags | MF_BYPOSITION, nIDNewItem,
                                      lpszNewItem);
        }
        if (holder == this) {
            at = static_cast<std::size_t>(pos);
        }
    }
    Item item;
    item.flags = nFlags & (kStateMask | MF_SEPARATOR);
    item.id = (nFlags & MF_SEPARATOR) != 0 ? 0 : static_cast<UINT>(nIDNewItem);
    item.text = lpszNewItem != nullptr ? lpszNewItem : "";
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return TRUE;
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem)
{
    Item* item = Find(nPosition, nFlags);
    if (item == nullptr || (nFlags & MF_POPUP) != 0) {
        return FALSE;
    }
    item->flags = (item->flags & MF_POPUP) | (nFlags & (kStateMask | MF_SEPARATOR));
    if (!item->popup) {
        item->id = (nFlags & MF_SEPARATOR) != 0 ? 0 : static_cast<UINT>(nIDNewItem);
    }
    item->text = lpszNewItem != nullptr ? lpszNewItem : "";
    return TRUE;
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    if ((nFlags & MF_BYPOSITION) != 0) {
        if (nPosition >= items_.size()) {
            return FALSE;
        }
        items_.erase(items_.begin() + nPosition);
        return TRUE;
    }
    int pos = 0;
    CMenu* holder = FindItem(nPosition, &pos);
    if (holder == nullptr) {
        return FALSE;
    }
    holder->items_.erase(holder->items_.begin() + pos);
    return TRUE;
}

CMenu* CMenu::FindItem(UINT nID, int* pPos)
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (!items_[i].popup && (items_[i].flags & MF_SEPARATOR) == 0 && items_[i].id == nID) {
            if (pPos != nullptr) {
                *pPos = static_cast<int>(i);
            }
            return this;
        }
    }
    for (Item& item : items_) {
        if (item.popup) {
            if (CMenu* found = item.popup->FindItem(nID, pPos)) {
                return found;
            }
        }
    }
    return nullptr;
}

CMenu::Item* CMenu::Find(UINT nID, UINT nFlags)
{
    if ((nFlags & MF_BYPOSITION) != 0) {
        return nID < items_.size() ? &items_[nID] : nullptr;
    }
    int pos = 0;
    CMenu* holder = FindItem(nID, &pos);
    return holder != nullptr ? &holder->items_[static_cast<std::size_t>(pos)] : nullptr;
}

const CMenu::Item* CMenu::Find(UINT nID, UINT nFlags) const
{
    return const_cast<CMenu*>(this)->Find(nID, nFlags);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    Item* item = Find(nIDEnableItem, nEnable);
    if (item == nullptr) {
        return static_cast<UINT>(-1);
    }
    const UINT previous = item->flags & (MF_GRAYED | MF_DISABLED);
    item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (nEnable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    Item* item = Find(nIDCheckItem, nCheck);
    if (item == nullptr) {
        return static_cast<UINT>(-1);
    }
    const UINT previous = item->flags & MF_CHECKED;
    item->flags = (item->flags & ~(MF_CHECKED | MF_RADIOCHECK)) | (nCheck & MF_CHECKED);
    return previous;
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    if ((nFlags & MF_BYPOSITION) != 0) {
        if (nIDLast >= items_.size() || nIDFirst > nIDLast) {
            return FALSE;
        }
        for (UINT i = nIDFirst; i <= nIDLast; ++i) {
            items_[i].flags &= ~(MF_CHECKED | MF_RADIOCHECK);
            if (i == nIDItem) {
                items_[i].flags |= MF_CHECKED | MF_RADIOCHECK;
            }
        }
        return TRUE;
    }
    bool found = false;
    for (UINT id = nIDFirst; id <= nIDLast && id >= nIDFirst; ++id) {
        if (Item* item = Find(id, MF_BYCOMMAND)) {
            item->flags &= ~(MF_CHECKED | MF_RADIOCHECK);
            if (id == nIDItem) {
                item->flags |= MF_CHECKED | MF_RADIOCHECK;
                found = true;
            }
        }
        if (id == nIDLast) {
            break;
        }
    }
    return found ? TRUE : FALSE;
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    const Item* item = Find(nID, nFlags);
    return item != nullptr ? item->flags : static_cast<UINT>(-1);
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    if (nPos < 0 || static_cast<std::size_t>(nPos) >= items_.size()) {
        return 0;
    }
    const Item& item = items_[static_cast<std::size_t>(nPos)];
    return item.popup ? static_cast<UINT>(-1) : item.id;
}

int CMenu::GetMenuString(UINT nIDItem, std::string& text, UINT nFlags) const
{
    const Item* item = Find(nIDItem, nFlags);
    text = item != nullptr ? item->text : std::string();
    return static_cast<int>(text.size());
}

std::string CMenu::GetMenuString(UINT nIDItem, UINT nFlags) const
{
    std::string text;
    GetMenuString(nIDItem, text, nFlags);
    return text;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    if (nPos < 0 || static_cast<std::size_t>(nPos) >= items_.size()) {
        return nullptr;
    }
    return items_[static_cast<std::size_t>(nPos)].popup.get();
}

void CMenu::InitPopups(CWnd& owner, UINT index)
{
    const HWND alive = owner.GetSafeHwnd();
    owner.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(this), static_cast<LPARAM>(index));
    // The handlers may rebuild this menu (the recent files): walk it by position afresh.
    for (std::size_t i = 0; i < items_.size() && ::IsWindow(alive); ++i) {
        if (CMenu* sub = items_[i].popup.get()) {
            sub->InitPopups(owner, static_cast<UINT>(i));
        }
    }
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const void*)
{
    ++trackCount_;
    if (pWnd != nullptr) {
        InitPopups(*pWnd, 0);
    }
    UINT picked = 0;
    if (HookSlot()) {
        picked = HookSlot()(*this, CPoint(x, y), pWnd);
    }
    if (picked == 0) {
        return FALSE;
    }
    const UINT state = GetMenuState(picked, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1) || (state & (MF_GRAYED | MF_DISABLED)) != 0) {
        return FALSE;
    }
    if ((nFlags & TPM_RETURNCMD) != 0) {
        return static_cast<BOOL>(picked);
    }
    if (pWnd != nullptr) {
        pWnd->PostMessage(WM_COMMAND, MAKEWPARAM(picked, 0), 0);
    }
    return TRUE;
}
