#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/stage/PreviewFlashCtrl.h"
#include "model/CompoundParameter.h"
#include "model/Parameter.h"

// A running movie's reply is text the program does not control: splitting it and writing its
// value into a parameter of any kind must never crash, and the change must be undone whole.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string args(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> tokens;
    std::string rest;
    bool hasRest = false;
    for (std::size_t count = 0; count < 4; ++count) {
        if (SplitFlashArgs(args, count, tokens, rest, hasRest) && tokens.size() != count)
            __builtin_trap();
    }
    for (int type = 0; type < model::kParamTypeCount; ++type) {
        CParameter parameter("p", static_cast<model::ParamType>(type));
        const auto value = [&parameter] {
            return parameter.GetString() + "|" + std::to_string(parameter.GetDouble()) + "|" +
                   std::to_string(parameter.GetBool()) + "|" + std::to_string(parameter.GetInt());
        };
        const std::string before = value();
        CParameterValueList changes;
        ApplyFlashValue(&parameter, size % 2 == 0 ? &args : nullptr, changes);
        changes.Apply();
        if (value() != before)
            __builtin_trap();
    }
    return 0;
}
