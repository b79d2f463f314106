#pragma once

// What the chart pages share: the chart-type index in the two orders the pages use, help
// tables indexed by it, and the editor state they keep in the owner's property map.

#include <cstdint>
#include <string>

class CParameterSet;
class CPropertyMap;

namespace pages {

// "chartType" of the component (in its whole set or one group down); empty when it has none.
std::string ChartTypeOf(const CParameterSet* root);

// The General and Behavior pages' order: bar 0, bubble 1, column 2, line 3, pie 4, xy 5,
// combo 6, stackbar 7, stackcolumn 8; -1 for any other text.
int GeneralChartIndex(const std::string& type);
// The Appearance page's and its sub-pages' order: pie 0, bar 1, xy 2, bubble 3, line 4,
// column 5, combo 6, stackbar 7, stackcolumn 8; -1 for any other text.
int AppearanceChartIndex(const std::string& type);

// The topic of a table of nine indexed by a chart-type index; -1 outside the table.
int ChartTopic(const int (&table)[9], int index);

// Editor state: a 4-byte value or a 1-byte flag kept under a key of the property map. A read
// changes the value only when the key is there; a missing map reads nothing and writes nothing.
bool ReadStateInt(const CPropertyMap* map, const char* key, int& value);
void WriteStateInt(CPropertyMap* map, const char* key, int value);
bool ReadStateFlag(const CPropertyMap* map, const char* key, bool& value);
void WriteStateFlag(CPropertyMap* map, const char* key, bool value);

} // namespace pages
