#include "publish/ComponentNames.h"

#include "model/Component.h"

#include <algorithm>
#include <array>
#include <set>

namespace publish {

namespace {

constexpr std::size_t kMaxNameLength = 63;

// Names the published movie sets on its main timeline or reads as the player's own, compared
// in small letters.
constexpr std::array kTakenNames = {
    // the player's own
    "_root", "_parent", "_global", "_level0", "this", "super", "arguments", "true", "false", "null", "undefined",
    "newline", "nan", "infinity", "math", "array", "object", "string", "number", "boolean", "date", "function",
    "movieclip", "textfield", "xml", "loadvars", "sound", "color", "key", "mouse", "stage", "system", "selection",
    "localconnection", "sharedobject", "netconnection", "asbroadcaster",
    // keywords
    "break", "case", "continue", "default", "delete", "do", "else", "for", "if", "in", "instanceof", "new",
    "return", "switch", "typeof", "var", "void", "while", "with", "eq", "ne", "lt", "le", "gt", "ge", "and", "or",
    "not", "add",
    // the model script's and the data connection's variables
    "guid", "dat", "inp", "nc", "myconnect", "xmlurl", "xmlinterval", "targeturi", "calcdirty", "refresh",
    "addoutputcomponent", "range", "xpath", "arr", "dynamic", "static",
};

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The designer names a component after its symbol and a number (KVSliderHSymbol_3); no helper
// of the movie is named so, although the symbols begin with kv.
bool IsSymbolName(const std::string& lower)
{
    const std::size_t mark = lower.rfind("symbol_");
    return mark != std::string::npos && mark + 7 < lower.size() &&
           std::all_of(lower.begin() + static_cast<std::ptrdiff_t>(mark + 7), lower.end(), IsDigit);
}

} // namespace

std::optional<std::string> ComponentNameProblem(std::string_view name)
{
    if (name.empty() || name.size() > kMaxNameLength)
        return "a name has 1 to " + std::to_string(kMaxNameLength) + " characters";
    if (!IsLetter(name[0]) || !std::all_of(name.begin(), name.end(), [](char c) { return IsLetter(c) || IsDigit(c); }))
        return "a name is a letter or _ then letters, digits and _ (no dots, colons, spaces or other signs)";
    const std::string lower = Lower(name);
    if (lower.rfind("kv", 0) == 0 && !IsSymbolName(lower))
        return "names beginning with kv are the movie's own";
    // V<id> are the cells and A<index> the ranges of the model.
    if ((lower[0] == 'v' || lower[0] == 'a') && lower.size() > 1 &&
        std::all_of(lower.begin() + 1, lower.end(), IsDigit))
        return "V and A followed by digits name the model's cells and ranges";
    if (std::find(kTakenNames.begin(), kTakenNames.end(), lower) != kTakenNames.end())
        return "the movie already uses this name";
    return std::nullopt;
}

std::optional<std::string> FirstNameProblem(const std::vector<std::string>& names, std::size_t& index)
{
    std::set<std::string> seen;
    for (index = 0; index < names.size(); ++index) {
        if (names[index].empty())
            continue; // the program names it
        if (std::optional<std::string> problem = ComponentNameProblem(names[index]))
            return problem;
        if (!seen.insert(Lower(names[index])).second)
            return "another component has this name (letter case does not count)";
    }
    return std::nullopt;
}

std::vector<std::string> RenameUnusableComponents(const std::vector<CComponent*>& components)
{
    std::set<std::string> taken;
    for (const CComponent* component : components)
        taken.insert(Lower(component->GetName()));
    std::set<std::string> kept;
    std::vector<std::string> renamed;
    for (CComponent* component : components) {
        const std::string name = component->GetName();
        if (!ComponentNameProblem(name) && kept.insert(Lower(name)).second)
            continue;
        std::string symbol = component->GetTypeName();
        if (ComponentNameProblem(symbol + "_1"))
            symbol = "Component";
        std::string fresh;
        for (int n = 1;; ++n) {
            const std::string suffix = "_" + std::to_string(n);
            fresh = symbol.substr(0, kMaxNameLength - suffix.size()) + suffix;
            if (!taken.count(Lower(fresh)) && !ComponentNameProblem(fresh))
                break;
        }
        taken.insert(Lower(fresh));
        kept.insert(Lower(fresh));
        component->SetName(fresh);
        std::string shown = name;
        std::replace(shown.begin(), shown.end(), '\0', '?');
        renamed.push_back("component \"" + shown + "\" is now " + fresh);
    }
    return renamed;
}

} // namespace publish
