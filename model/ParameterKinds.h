#pragma once

#include <cstdint>
#include <string>

// Every numbered code of the parameter model, in one place. The numbers are stored in
// documents and default-parameter files and must not change.

namespace model {

// Value type of a parameter; the numbers are the ones files store. List, CellList and CellTable
// hold index-addressed sets ("0", "1", ...): a list's values are the items of its first element,
// a cell list's one level deeper, and a cell table's one level deeper again, chosen by a row
// index. A Group holds members with names (a component's top-level groups are groups).
enum class ParamType : std::uint8_t {
    Text = 0,
    Number = 1,
    Boolean = 2,
    Integer = 3,
    Color = 4, // 0xRRGGBB
    List = 5,
    Choice = 6, // a value list: the current value and the allowed ones
    Group = 7,
    CellBinding = 8,
    NoValue = 9,
    OtherNoValue = 10,
    OtherText = 11, // text edited in a row of its own kind
    CellList = 12,
    CellTable = 13,
};
constexpr int kParamTypeCount = 14;

inline bool IsStringType(ParamType type)
{
    return type == ParamType::Text || type == ParamType::OtherText;
}
inline bool HasNestedSet(ParamType type)
{
    return type == ParamType::List || type == ParamType::Group || type == ParamType::CellList ||
           type == ParamType::CellTable;
}
inline bool IsIndexedList(ParamType type)
{
    return type == ParamType::List || type == ParamType::CellList || type == ParamType::CellTable;
}

enum ParamFlag : std::uint32_t {
    kFlagEnabled = 0x4,
    kFlagUndefined = 0x10,
};

// Page kind of a parameter set, from the "subtype" of its group.
enum PageKind : std::uint8_t {
    kPageDefault = 0,
    kPageTextFormat = 1,
    kPageExternalFile = 2,
    kPageAlerts = 3,
    kPageFormatArray = 4,
    kPageChartData = 5,
    kPageSelector = 6,
    kPageSelector2 = 7,
    kPageSingleValue = 8,
    kPageBg = 9,
    kPageLabel = 10,
    kPageTable = 11,
    kPagePlay = 12,
    kPageHelp = 13,
    kPageAlertIcon = 14,
    kPageTextArea = 15,
};
constexpr int kPageKindCount = 16;
const char* PageKindName(int kind);
// The kind of a subtype text, or -1 when unknown.
int PageKindFromName(const std::string& name);

// Data direction of a cell binding.
enum DataDirection : std::uint8_t {
    kDirectionBoth = 0,
    kDirectionInput = 1,
    kDirectionOutput = 2,
    kDirectionNone = 3,
};
const char* DirectionName(int direction);
int DirectionFromName(const std::string& name);

// Kind of a binding link (low half of its kind word).
enum LinkKind : std::uint16_t {
    kLinkConstant = 1,
    kLinkFormula = 2,
};

} // namespace model
