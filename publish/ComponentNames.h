#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CComponent;

// A component's name becomes a clip instance name on the movie's main timeline, where the
// model's own variables live too (V<id> cells, A<index> ranges, the kv... helpers and the
// connection's variables) and where the player looks names up without regard to case. A name
// that is not a plain identifier cannot be reached (Sales.Total, Rate:Pct), and one that
// another variable or another component already holds shadows it: either way the component
// shows nothing or the model stops calculating, without a word.
namespace publish {

// Why name cannot name a component of a movie; none when it can.
std::optional<std::string> ComponentNameProblem(std::string_view name);

// Checks the names of components read from a description: the first name that cannot be used
// or is held twice (in any letter case) gives its problem, with the name.
std::optional<std::string> FirstNameProblem(const std::vector<std::string>& names, std::size_t& index);

// For a document whose names the program made or an older version kept: every name that
// cannot be used is replaced by one that can (the symbol and a number, as the designer names
// a new component); returns one line per renaming ("Sales.Total is now KVLabelSymbol_4").
std::vector<std::string> RenameUnusableComponents(const std::vector<CComponent*>& components);

} // namespace publish
