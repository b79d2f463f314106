#include "sheet/cells/NameDictionary.h"

#include "sheet/AsciiCase.h"

namespace sheet {

void NameDictionary::Set(const std::string& name, const std::string& definition)
{
    entries_[UpperAscii(name)] = {name, definition};
}

std::optional<std::string> NameDictionary::Find(std::string_view name) const
{
    auto it = entries_.find(UpperAscii(name));
    if (it == entries_.end())
        return std::nullopt;
    return it->second.second;
}

std::vector<std::pair<std::string, std::string>> NameDictionary::List() const
{
    std::vector<std::pair<std::string, std::string>> names;
    names.reserve(entries_.size());
    for (const auto& entry : entries_)
        names.push_back(entry.second);
    return names;
}

} // namespace sheet
