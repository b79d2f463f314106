#include "sheet/formula/CallingConvention.h"

#include <array>

namespace callconv {

namespace {

struct OperatorEntry {
    std::string_view symbol;
    std::string_view function;
};

constexpr std::array<OperatorEntry, 11> kOperators = {{
    {"+", "kvAdd"},
    {"-", "kvSub"},
    {"*", "kvMul"},
    {"/", "kvDiv"},
    {">", "kvGT"},
    {"<", "kvLT"},
    {"=", "kvEQ"},
    {"<=", "kvLE"},
    {">=", "kvGE"},
    {"<>", "kvNE"},
    {"&", "kvConcat"},
}};

} // namespace

int OperatorKindOf(std::string_view symbol)
{
    for (std::size_t i = 0; i < kOperators.size(); ++i)
        if (kOperators[i].symbol == symbol)
            return static_cast<int>(i) + 1;
    return 0;
}

std::string_view OperatorFunction(int kind)
{
    if (kind < kAdd || kind > kConcat)
        return {};
    return kOperators[static_cast<std::size_t>(kind - 1)].function;
}

std::string MovieFunctionName(std::string_view name)
{
    std::string movieName(name);
    for (char& c : movieName)
        if (c == '.')
            c = '_';
    return movieName;
}

} // namespace callconv
