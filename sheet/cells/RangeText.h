#pragma once

#include <string>
#include <vector>

class CCellModel;
class CCellRef;

namespace sheet {

// Splits a range text into its areas: 'Sheet'!$A$1:$B$2 or 'Sheet'!$A$1, joined by ",".
// Commas inside a quoted sheet name belong to the name.
std::vector<std::string> SplitRangeAreas(const std::string& text);

// One sheet-qualified area (Sheet1!A1:B3, 'My sheet'!$A$1 or a single cell) of a sheet the
// model holds, as its two end cells; false when malformed or of an unknown sheet.
bool ParseRangeArea(const std::string& text, const CCellModel& model, CCellRef& start, CCellRef& end);

} // namespace sheet
