#include "sheet/formula/CallingConvention.h"

#include "sheet/AsciiCase.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

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

namespace {

// Which arguments a function takes as ranges. first: the first such index; step: every step-th
// one after it (0: that one only, 1: all from first on); second: one more index, or -1.
struct RangeArguments {
    std::string_view function;
    ArgumentClass kind;
    int first;
    int step;
    int second;
};

constexpr RangeArguments kRangeArguments[] = {
    // Aggregates: every argument a range as it is.
    {"AND", ArgumentClass::Reference, 0, 1, -1},
    {"AVERAGE", ArgumentClass::Reference, 0, 1, -1},
    {"AVERAGEA", ArgumentClass::Reference, 0, 1, -1},
    {"AVERAGEIF", ArgumentClass::Reference, 0, 0, 2},
    {"AVERAGEIFS", ArgumentClass::Reference, 0, 0, 1},
    {"AVERAGEIFS", ArgumentClass::Reference, 1, 2, -1},
    {"AVEDEV", ArgumentClass::Reference, 0, 1, -1},
    {"CELL", ArgumentClass::Reference, 1, 0, -1},
    {"COLUMN", ArgumentClass::Reference, 0, 0, -1},
    {"COLUMNS", ArgumentClass::Reference, 0, 0, -1},
    {"CONCAT", ArgumentClass::Reference, 0, 1, -1},
    {"COUNT", ArgumentClass::Reference, 0, 1, -1},
    {"COUNTA", ArgumentClass::Reference, 0, 1, -1},
    {"COUNTBLANK", ArgumentClass::Reference, 0, 1, -1},
    {"COUNTIF", ArgumentClass::Reference, 0, 0, -1},
    {"COUNTIFS", ArgumentClass::Reference, 0, 2, -1},
    // The database functions: the table and the criteria area.
    {"DAVERAGE", ArgumentClass::Reference, 0, 0, 2},
    {"DCOUNT", ArgumentClass::Reference, 0, 0, 2},
    {"DCOUNTA", ArgumentClass::Reference, 0, 0, 2},
    {"DGET", ArgumentClass::Reference, 0, 0, 2},
    {"DMAX", ArgumentClass::Reference, 0, 0, 2},
    {"DMIN", ArgumentClass::Reference, 0, 0, 2},
    {"DPRODUCT", ArgumentClass::Reference, 0, 0, 2},
    {"DSUM", ArgumentClass::Reference, 0, 0, 2},
    {"FREQUENCY", ArgumentClass::Reference, 0, 0, 1},
    {"GCD", ArgumentClass::Reference, 0, 1, -1},
    {"GEOMEAN", ArgumentClass::Reference, 0, 1, -1},
    {"IMPRODUCT", ArgumentClass::Reference, 0, 1, -1},
    {"IMSUM", ArgumentClass::Reference, 0, 1, -1},
    {"INDEX", ArgumentClass::Reference, 0, 0, -1},
    {"INDIRECT", ArgumentClass::Reference, 6, 2, -1},
    {"IRR", ArgumentClass::Reference, 0, 0, -1},
    {"LARGE", ArgumentClass::Reference, 0, 0, -1},
    {"LCM", ArgumentClass::Reference, 0, 1, -1},
    {"LINEST", ArgumentClass::Reference, 0, 0, 1},
    {"MAX", ArgumentClass::Reference, 0, 1, -1},
    {"MAXA", ArgumentClass::Reference, 0, 1, -1},
    {"MAXIFS", ArgumentClass::Reference, 0, 0, 1},
    {"MAXIFS", ArgumentClass::Reference, 1, 2, -1},
    {"MEDIAN", ArgumentClass::Reference, 0, 1, -1},
    {"MIN", ArgumentClass::Reference, 0, 1, -1},
    {"MINA", ArgumentClass::Reference, 0, 1, -1},
    {"MINIFS", ArgumentClass::Reference, 0, 0, 1},
    {"MINIFS", ArgumentClass::Reference, 1, 2, -1},
    {"MIRR", ArgumentClass::Reference, 0, 0, -1},
    {"MMULT", ArgumentClass::Reference, 0, 0, 1},
    {"MODE", ArgumentClass::Reference, 0, 1, -1},
    {"MODE.SNGL", ArgumentClass::Reference, 0, 1, -1},
    {"NETWORKDAYS", ArgumentClass::Reference, 2, 0, -1},
    {"NPV", ArgumentClass::Reference, 1, 1, -1},
    {"OFFSET", ArgumentClass::Reference, 0, 0, -1},
    {"OR", ArgumentClass::Reference, 0, 1, -1},
    {"PERCENTILE", ArgumentClass::Reference, 0, 0, -1},
    {"PERCENTILE.INC", ArgumentClass::Reference, 0, 0, -1},
    {"PERCENTRANK", ArgumentClass::Reference, 0, 0, -1},
    {"PROB", ArgumentClass::Reference, 0, 0, 1},
    {"PRODUCT", ArgumentClass::Reference, 0, 1, -1},
    {"QUARTILE", ArgumentClass::Reference, 0, 0, -1},
    {"QUARTILE.INC", ArgumentClass::Reference, 0, 0, -1},
    {"RANK", ArgumentClass::Reference, 1, 0, -1},
    {"RANK.AVG", ArgumentClass::Reference, 1, 0, -1},
    {"RANK.EQ", ArgumentClass::Reference, 1, 0, -1},
    {"ROW", ArgumentClass::Reference, 0, 0, -1},
    {"ROWS", ArgumentClass::Reference, 0, 0, -1},
    {"SMALL", ArgumentClass::Reference, 0, 0, -1},
    {"STDEV", ArgumentClass::Reference, 0, 1, -1},
    {"STDEV.P", ArgumentClass::Reference, 0, 1, -1},
    {"STDEV.S", ArgumentClass::Reference, 0, 1, -1},
    {"STDEVA", ArgumentClass::Reference, 0, 1, -1},
    {"STDEVP", ArgumentClass::Reference, 0, 1, -1},
    {"SUBTOTAL", ArgumentClass::Reference, 1, 1, -1},
    {"SUM", ArgumentClass::Reference, 0, 1, -1},
    {"SUMIF", ArgumentClass::Reference, 0, 0, 2},
    {"SUMIFS", ArgumentClass::Reference, 0, 0, 1},
    {"SUMIFS", ArgumentClass::Reference, 1, 2, -1},
    {"SUMSQ", ArgumentClass::Reference, 0, 1, -1},
    {"T.TEST", ArgumentClass::Reference, 0, 0, 1},
    {"TEXTJOIN", ArgumentClass::Reference, 2, 1, -1},
    {"TRANSPOSE", ArgumentClass::Reference, 0, 0, -1},
    {"TREND", ArgumentClass::Reference, 0, 1, -1},
    {"TYPE", ArgumentClass::Reference, 0, 0, -1},
    {"VAR", ArgumentClass::Reference, 0, 1, -1},
    {"VAR.P", ArgumentClass::Reference, 0, 1, -1},
    {"VAR.S", ArgumentClass::Reference, 0, 1, -1},
    {"VARP", ArgumentClass::Reference, 0, 1, -1},
    {"WORKDAY", ArgumentClass::Reference, 2, 0, -1},
    {"XIRR", ArgumentClass::Reference, 0, 0, 1},
    {"XLOOKUP", ArgumentClass::Reference, 1, 0, 2},
    {"XNPV", ArgumentClass::Reference, 1, 0, 2},
    {"XOR", ArgumentClass::Reference, 0, 1, -1},
    {"kvIndexRef", ArgumentClass::Reference, 0, 0, -1},
    {"kvRangeTo", ArgumentClass::Reference, 0, 0, 1},
    {"kvRef", ArgumentClass::Reference, 1, 0, -1},
    // The spreadsheet evaluates these as arrays even in an ordinary formula.
    {"CORREL", ArgumentClass::ForceArray, 0, 0, 1},
    {"COVAR", ArgumentClass::ForceArray, 0, 0, 1},
    {"FORECAST", ArgumentClass::ForceArray, 1, 0, 2},
    {"HLOOKUP", ArgumentClass::ForceArray, 1, 0, -1},
    {"INTERCEPT", ArgumentClass::ForceArray, 0, 0, 1},
    {"LOOKUP", ArgumentClass::ForceArray, 1, 0, 2},
    {"MATCH", ArgumentClass::ForceArray, 1, 0, -1},
    {"RSQ", ArgumentClass::ForceArray, 0, 0, 1},
    {"SLOPE", ArgumentClass::ForceArray, 0, 0, 1},
    {"SUMPRODUCT", ArgumentClass::ForceArray, 0, 1, -1},
    {"VLOOKUP", ArgumentClass::ForceArray, 1, 0, -1},
    // Results handed on as they are.
    {"CHOOSE", ArgumentClass::Through, 1, 1, -1},
    {"IF", ArgumentClass::Through, 1, 0, 2},
    {"IFERROR", ArgumentClass::Through, 0, 0, 1},
    {"IFNA", ArgumentClass::Through, 0, 0, 1},
    {"IFS", ArgumentClass::Through, 1, 2, -1},
};

bool Covers(const RangeArguments& entry, std::size_t index)
{
    auto i = static_cast<int>(index);
    if (i == entry.second || i == entry.first)
        return true;
    return entry.step > 0 && i > entry.first && (i - entry.first) % entry.step == 0;
}

} // namespace

ArgumentClass ArgumentClassOf(std::string_view function, std::size_t index)
{
    // Looked up for every argument of every compiled call: sorted once, then halved.
    static const std::vector<RangeArguments> sorted = [] {
        std::vector<RangeArguments> entries(std::begin(kRangeArguments), std::end(kRangeArguments));
        std::stable_sort(entries.begin(), entries.end(),
                         [](const RangeArguments& a, const RangeArguments& b) { return a.function < b.function; });
        return entries;
    }();
    auto it = std::lower_bound(sorted.begin(), sorted.end(), function,
                               [](const RangeArguments& entry, std::string_view name) { return entry.function < name; });
    for (; it != sorted.end() && it->function == function; ++it)
        if (Covers(*it, index))
            return it->kind;
    return ArgumentClass::Value;
}

bool MayGiveGrid(std::string_view function)
{
    return function == "INDEX" || function == "TRANSPOSE" || function == "MMULT" || function == "FREQUENCY" ||
           function == "LINEST" || function == "TREND" || function == kArrayFunction || ReadsByPlace(function);
}

bool ReadsByPlace(std::string_view function)
{
    return function == "OFFSET" || function == "INDIRECT" || function == kReferenceFunction ||
           function == kRangeBetweenFunction || function == kIndexReferenceFunction;
}

std::string SpreadsheetFunctionName(std::string_view written)
{
    std::string name = sheet::UpperAscii(written);
    for (std::string_view prefix : {"_XLFN.", "_XLWS.", "_XLUDF.", "_XLFNGNUMERIC."})
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0)
            name.erase(0, prefix.size());
    return name;
}

} // namespace callconv
