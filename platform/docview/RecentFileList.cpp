#include "platform/docview/RecentFileList.h"

#include <algorithm>
#include <filesystem>

#include "platform/window/CmdUI.h"
#include "platform/docview/Menu.h"
#include "base/Profile.h"

CRecentFileList::CRecentFileList(UINT nStart, std::string section, std::string entryFormat, int nSize,
                                 int nMaxDispLen)
    : start_(nStart), section_(std::move(section)), entryFormat_(std::move(entryFormat)),
      size_(std::clamp(nSize, 0, 16)), maxDispLen_(nMaxDispLen)
{
}

void CRecentFileList::Add(const std::string& path)
{
    if (path.empty() || size_ == 0) {
        return;
    }
    files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
    files_.insert(files_.begin(), path);
    if (static_cast<int>(files_.size()) > size_) {
        files_.resize(static_cast<std::size_t>(size_));
    }
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < GetCount()) {
        files_.erase(files_.begin() + nIndex);
    }
}

namespace {
std::string EntryName(const std::string& format, int n)
{
    std::string name = format;
    const std::size_t at = name.find("%d");
    if (at != std::string::npos) {
        name.replace(at, 2, std::to_string(n));
    } else {
        name += std::to_string(n);
    }
    return name;
}
} // namespace

void CRecentFileList::ReadList(const CProfileStore& store)
{
    files_.clear();
    for (int i = 0; i < size_; ++i) {
        auto value = store.GetString(section_, EntryName(entryFormat_, i + 1));
        if (value && !value->empty() && std::find(files_.begin(), files_.end(), *value) == files_.end()) {
            files_.push_back(*value);
        }
    }
}

void CRecentFileList::WriteList(CProfileStore& store) const
{
    store.RemoveSection(section_);
    for (int i = 0; i < GetCount(); ++i) {
        store.WriteString(section_, EntryName(entryFormat_, i + 1), files_[static_cast<std::size_t>(i)]);
    }
}

std::string CRecentFileList::GetDisplayName(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        return {};
    }
    std::string name = files_[static_cast<std::size_t>(nIndex)];
    if (static_cast<int>(name.size()) > maxDispLen_) {
        const std::string leaf = std::filesystem::path(name).filename().string();
        name = leaf.size() + 4 >= name.size() ? leaf : ".../" + leaf;
    }
    std::string escaped;
    for (char c : name) {
        escaped += c;
        if (c == '&') {
            escaped += '&';
        }
    }
    return "&" + std::to_string(nIndex + 1) + " " + escaped;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* menu = pCmdUI != nullptr ? pCmdUI->m_pMenu : nullptr;
    if (menu == nullptr) {
        if (pCmdUI != nullptr) {
            pCmdUI->Enable(GetCount() > 0);
        }
        return;
    }
    if (placeholder_.empty()) {
        placeholder_ = menu->GetMenuString(pCmdUI->m_nIndex, MF_BYPOSITION);
    }
    // Take out what stands at the placeholder's place now: the placeholder or old entries.
    int at = static_cast<int>(pCmdUI->m_nIndex);
    while (at < menu->GetMenuItemCount()) {
        const UINT id = menu->GetMenuItemID(at);
        if (id < start_ || id >= start_ + static_cast<UINT>(std::max(size_, 1))) {
            break;
        }
        menu->RemoveMenu(static_cast<UINT>(at), MF_BYPOSITION);
    }
    // The entries' state is set here; the caller must not grey them for want of a handler.
    pCmdUI->m_bEnableChanged = TRUE;
    if (files_.empty()) {
        menu->InsertMenu(static_cast<UINT>(at), MF_BYPOSITION | MF_STRING | MF_GRAYED, start_,
                         placeholder_.c_str());
        return;
    }
    for (int i = 0; i < GetCount(); ++i) {
        menu->InsertMenu(static_cast<UINT>(at + i), MF_BYPOSITION | MF_STRING, start_ + static_cast<UINT>(i),
                         GetDisplayName(i).c_str());
    }
}
