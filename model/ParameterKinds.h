#pragma once

#include <cstdint>
#include <string>

// Every numbered code of the parameter model, in one place. The numbers are stored in
// documents and default-parameter files and must not change.

namespace model {

// Value type of a parameter. 5, 12 and 13 are index-addressed lists ("0", "1", ...); 7 is the
// group whose members have names (a component's top-level groups are of this type).
enum ParamType : std::uint8_t {
    kTypeString = 0,
    kTypeDouble = 1,
    kTypeBool = 2,
    kTypeInt = 3,
    kTypeColor = 4,
    kTypeList = 5,
    kTypeChoice = 6,
    kTypeGroup = 7,
    kTypeCellBinding = 8,
    kTypeNoValue9 = 9,
    kTypeNoValue10 = 10,
    kTypeString2 = 11,
    kTypeCellList = 12,
    kTypeCellList2 = 13,
};
constexpr int kParamTypeCount = 14;

inline bool IsStringType(int type)
{
    return type == kTypeString || type == kTypeString2;
}
inline bool HasNestedSet(int type)
{
    return type == kTypeList || type == kTypeGroup || type == kTypeCellList || type == kTypeCellList2;
}
inline bool IsIndexedList(int type)
{
    return type == kTypeList || type == kTypeCellList || type == kTypeCellList2;
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
