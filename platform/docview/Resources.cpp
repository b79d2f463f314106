#include "platform/docview/Resources.h"

#include "base/ServiceSlot.h"

#include <memory>

#include "platform/window/Input.h"
#include "platform/window/Wnd.h"

bool CResourceTable::LoadString(UINT id, std::string& text) const
{
    auto it = strings_.find(id);
    if (it == strings_.end()) {
        text.clear();
        return false;
    }
    text = it->second;
    return true;
}

std::string CResourceTable::LoadString(UINT id) const
{
    std::string text;
    LoadString(id, text);
    return text;
}

const std::vector<MenuTemplateItem>* CResourceTable::FindMenu(UINT id) const
{
    auto it = menus_.find(id);
    return it == menus_.end() ? nullptr : &it->second;
}

const std::vector<ACCEL>* CResourceTable::FindAccelerators(UINT id) const
{
    auto it = accelerators_.find(id);
    return it == accelerators_.end() ? nullptr : &it->second;
}

const std::vector<std::string>* CResourceTable::FindToolBarGlyphs(UINT id) const
{
    auto it = glyphs_.find(id);
    return it != glyphs_.end() ? &it->second : nullptr;
}

const std::vector<std::string>* CResourceTable::FindToolBarIcons(UINT id) const
{
    auto it = icons_.find(id);
    return it != icons_.end() ? &it->second : nullptr;
}

std::vector<UINT> CResourceTable::ToolBarIds() const
{
    std::vector<UINT> ids;
    for (const auto& entry : toolbars_)
        ids.push_back(entry.first);
    return ids;
}

const ToolBarTemplate* CResourceTable::FindToolBar(UINT id) const
{
    auto it = toolbars_.find(id);
    return it == toolbars_.end() ? nullptr : &it->second;
}

namespace {
ui::ServiceSlot<CResourceTable>& Slot()
{
    static ui::ServiceSlot<CResourceTable> table;
    return table;
}
} // namespace

CResourceTable& GetResources()
{
    return Slot().Get();
}

void ResetResources()
{
    Slot().Reset();
}

std::string ExtractSubString(const std::string& text, int index, char separator)
{
    if (index < 0) {
        return {};
    }
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const std::size_t next = text.find(separator, start);
        if (next == std::string::npos) {
            return {};
        }
        start = next + 1;
    }
    const std::size_t end = text.find(separator, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

HACCEL LoadAccelerators(UINT id)
{
    if (GetResources().FindAccelerators(id) == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<HACCEL>(static_cast<std::uintptr_t>(id));
}

int TranslateAccelerator(HWND hwnd, HACCEL table, const MSG* msg)
{
    if (table == nullptr || msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) {
        return 0;
    }
    const auto* entries =
        GetResources().FindAccelerators(static_cast<UINT>(reinterpret_cast<std::uintptr_t>(table)));
    if (entries == nullptr) {
        return 0;
    }
    // A disabled window (the frame behind a modal dialog) takes no accelerators.
    CWnd* target = CWnd::FromHandle(hwnd);
    if (target == nullptr || !target->IsWindowEnabled()) {
        return 0;
    }
    const CInputState& keys = GetInputState();
    const bool shift = keys.IsKeyDown(VK_SHIFT);
    const bool control = keys.IsKeyDown(VK_CONTROL);
    const bool alt = keys.IsKeyDown(VK_MENU) || msg->message == WM_SYSKEYDOWN;
    for (const ACCEL& a : *entries) {
        if ((a.fVirt & FVIRTKEY) == 0 || a.key != msg->wParam) {
            continue;
        }
        if (((a.fVirt & FSHIFT) != 0) != shift || ((a.fVirt & FCONTROL) != 0) != control ||
            ((a.fVirt & FALT) != 0) != alt) {
            continue;
        }
        SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
        return 1;
    }
    return 0;
}
