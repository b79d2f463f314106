#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sheet {

// Defined names and their definitions. Names are found regardless of ASCII case and keep
// the spelling they were last set with. Not locked: its owner guards it with its own mutex.
class NameDictionary {
public:
    void Set(const std::string& name, const std::string& definition);
    std::optional<std::string> Find(std::string_view name) const;
    // Name and definition, in ascending order of the upper-cased name.
    std::vector<std::pair<std::string, std::string>> List() const;
    void Clear() { entries_.clear(); }

private:
    std::map<std::string, std::pair<std::string, std::string>> entries_;
};

} // namespace sheet
