#pragma once

#include <stdexcept>
#include <string>

namespace sheet {

// Failure to read or write a workbook package. The text names the part and, where it helps,
// the cell, so it can be shown to the user as it stands.
class WorkbookError : public std::runtime_error {
public:
    explicit WorkbookError(const std::string& what) : std::runtime_error(what) {}
};

} // namespace sheet
