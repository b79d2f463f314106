#pragma once

#include "model/ParameterSet.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What a default-parameter file ("component/default/<symbol>.xml") says about one component:
// its palette facts and the parameters every new instance starts from. The XML form is
// described in docs/model-records.md.
struct ComponentDefaults {
    std::string symbol;
    std::string label;
    std::string category;
    std::string description;
    // 0 not resizable, 1 fixed height, 2 fixed width, 4 keep aspect ratio; 3 when not given.
    int scalingMode = 3;
    // What the designer treats the component as, beyond its parameters ("table", "line"...):
    // the words of the file's traits attribute, in their order.
    std::vector<std::string> traits;
    // The symbol's bounds in twips (xmin, xmax, ymin, ymax) when the file gives them.
    std::optional<std::array<double, 4>> bounds;
    std::unique_ptr<CParameterSet> parameters = std::make_unique<CParameterSet>();
};

namespace model {
// Throws ModelError naming the element that is wrong.
ComponentDefaults ReadDefaultParameters(const std::string& xml);
ComponentDefaults ReadDefaultParametersFile(const std::string& path);
std::string WriteDefaultParameters(const ComponentDefaults& defaults);
} // namespace model
