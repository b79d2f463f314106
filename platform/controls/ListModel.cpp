#include "platform/controls/ListModel.h"

#include "platform/controls/ControlWnd.h"

#include <cctype>

namespace ui {

namespace {

int CompareNoCase(std::string_view a, std::string_view b)
{
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        int ca = std::tolower(static_cast<unsigned char>(a[i]));
        int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

int ListModel::Add(std::string_view text, bool sorted)
{
    std::size_t at = m_items.size();
    if (sorted) {
        at = 0;
        while (at < m_items.size() && CompareNoCase(m_items[at].text, text) <= 0)
            ++at;
    }
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), ListItem{std::string(text)});
    return static_cast<int>(at);
}

int ListModel::Insert(int index, std::string_view text)
{
    if (index == -1)
        index = Count();
    if (index < 0 || index > Count())
        return -1;
    m_items.insert(m_items.begin() + index, ListItem{std::string(text)});
    return index;
}

bool ListModel::Delete(int index)
{
    if (!Valid(index))
        return false;
    m_items.erase(m_items.begin() + index);
    return true;
}

int ListModel::FindPrefix(int start, std::string_view text) const
{
    const int n = Count();
    if (start < -1 || start >= n)
        start = -1;
    for (int k = 1; k <= n; ++k) {
        int i = (start + k) % n;
        if (StartsWithNoCase(m_items[static_cast<std::size_t>(i)].text, text))
            return i;
    }
    return -1;
}

int ListModel::FindExact(int start, std::string_view text) const
{
    const int n = Count();
    if (start < -1 || start >= n)
        start = -1;
    for (int k = 1; k <= n; ++k) {
        int i = (start + k) % n;
        if (EqualsNoCase(m_items[static_cast<std::size_t>(i)].text, text))
            return i;
    }
    return -1;
}

} // namespace ui
