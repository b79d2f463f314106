#pragma once

// The list of recently opened files shown in the File menu, newest first, kept in the
// profile store between runs.

#include <string>
#include <vector>

#include "platform/window/Messages.h"

class CCmdUI;
class CProfileStore;

class CRecentFileList {
public:
    CRecentFileList(UINT nStart, std::string section, std::string entryFormat, int nSize,
                    int nMaxDispLen = 30);

    int GetSize() const { return size_; }
    int GetCount() const { return static_cast<int>(files_.size()); }
    const std::string& operator[](int nIndex) const { return files_.at(static_cast<std::size_t>(nIndex)); }
    // Moves (or adds) the path to the front; the oldest entry drops off a full list.
    void Add(const std::string& path);
    void Remove(int nIndex);
    void ReadList(const CProfileStore& store);
    void WriteList(CProfileStore& store) const;
    // The menu text of an entry: "&<n> <name>", the name shortened when long and "&" doubled.
    std::string GetDisplayName(int nIndex) const;
    // Replaces the placeholder item of the File menu by the entries (or greys the
    // placeholder when the list is empty).
    void UpdateMenu(CCmdUI* pCmdUI);

private:
    UINT start_;
    std::string section_;
    std::string entryFormat_; // "File%d"
    int size_;
    int maxDispLen_;
    std::vector<std::string> files_;
    std::string placeholder_; // the placeholder's own text, kept while entries replace it
};
