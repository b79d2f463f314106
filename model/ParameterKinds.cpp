#include "model/ParameterKinds.h"

namespace model {
namespace {

const char* const kPageNames[kPageKindCount] = {
    "default",  "textformat", "externalFile", "alerts",   "formatArray", "chartData",
    "selector", "selector2",  "singleValue",  "bg",       "label",       "table",
    "play",     "help",       "alerticon",    "textarea",
};

const char* const kDirectionNames[4] = {"both", "input", "output", "none"};

} // namespace

const char* PageKindName(int kind)
{
    return kind >= 0 && kind < kPageKindCount ? kPageNames[kind] : "";
}

int PageKindFromName(const std::string& name)
{
    for (int i = 0; i < kPageKindCount; ++i) {
        if (name == kPageNames[i]) {
            return i;
        }
    }
    return -1;
}

const char* DirectionName(int direction)
{
    return direction >= 0 && direction < 4 ? kDirectionNames[direction] : "";
}

int DirectionFromName(const std::string& name)
{
    for (int i = 0; i < 4; ++i) {
        if (name == kDirectionNames[i]) {
            return i;
        }
    }
    return -1;
}

} // namespace model
