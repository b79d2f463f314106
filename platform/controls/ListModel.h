#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// The items of a combo box or list box and their searches, shared by both.
struct ListItem {
    std::string text;
    std::uintptr_t data = 0;
    bool selected = false; // multiple-selection list boxes
};

class ListModel {
public:
    // Adds at the end, or in case-insensitive order when sorted; returns the index.
    int Add(std::string_view text, bool sorted);
    // Inserts before index (-1 = at the end); -1 when the index is out of range.
    int Insert(int index, std::string_view text);
    bool Delete(int index);
    void Clear() { m_items.clear(); }
    int Count() const { return static_cast<int>(m_items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    ListItem& At(int index) { return m_items[static_cast<std::size_t>(index)]; }
    const ListItem& At(int index) const { return m_items[static_cast<std::size_t>(index)]; }
    // The platform's searches: case-insensitive, starting after `start` (-1 = from the
    // top) and wrapping round; -1 when nothing matches.
    int FindPrefix(int start, std::string_view text) const;
    int FindExact(int start, std::string_view text) const;

private:
    std::vector<ListItem> m_items;
};

} // namespace ui
