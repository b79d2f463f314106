#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sheet {

// The named locale values an import stores in the cell model, for the stage and the
// published movie: separators, day and month names. Our movies compute in the C locale, so
// these are fixed English values; docs/workbook-engine.md lists the names.
std::vector<std::pair<std::string, std::string>> WorkbookLocaleValues();

} // namespace sheet
