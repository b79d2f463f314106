#pragma once

#include "model/CellBinding.h"

#include <string>

// One entry of an XML data connection: the cells whose values it carries, an optional cell
// that supplies its name, and the typed name.
class CXMLDataEntry {
public:
    CXMLDataEntry();

    CCellBinding& GetRangeBinding() { return range_; }
    CCellBinding& GetNameBinding() { return nameBinding_; }
    std::string GetName() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    // When the name binding holds a range, the name becomes the value text of its first cell.
    void RefreshText();

private:
    CCellBinding range_;
    CCellBinding nameBinding_;
    std::string name_;
};
