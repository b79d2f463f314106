#pragma once

#include <string>

class CParameterSet;

namespace model {

// Told of every key looked up by name in a parameter set and the set it was looked up in, found
// or not: lets a check learn which keys the property pages of a component look for by driving
// them. One watcher at a time; null stops watching.
using ParameterLookupWatcher = void (*)(const CParameterSet& set, const std::string& name, void* context);
void WatchParameterLookups(ParameterLookupWatcher watcher, void* context);

} // namespace model
