#pragma once

#include "swf/VariablePath.h"

#include <cstdint>
#include <map>
#include <set>
#include <span>

class CActionList;
class CComponent;
class CParameter;

// Component fields that are filled once from the model when the movie starts instead of
// following it live: those of bindings with data direction "none", and a chart's series names
// whatever their direction. The movie learns them from the object STATIC, which maps the decimal
// id of each model variable to an array of [parent path, field name] pairs, one per field the
// variable feeds.
class CStaticDataTable {
public:
    // Starts over and collects the fields of the components' static bindings.
    void Collect(std::span<CComponent* const> components);
    // The fields below one bound value parameter, path holding the names above it.
    void CollectStaticPaths(const CParameter& parameter, CVariablePath& path);
    void AddStaticPath(std::int32_t variableId, const CVariablePath& path);

    // STATIC = {}; then per variable id, ascending: STATIC["<id>"] = [pairs of its fields, the
    // last added first].
    void Emit(CActionList& actions) const;

    const std::set<std::int32_t>& GetVariableIds() const { return variableIds_; }

private:
    std::set<std::int32_t> variableIds_;
    // Paths of one id keep the order in which they were added.
    std::multimap<std::int32_t, CVariablePath> paths_;
};

// Collects the table from the components and appends the actions that build STATIC.
void ExportSeriesArrays(std::span<CComponent* const> components, CActionList& actions);
