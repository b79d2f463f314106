#pragma once

#include "model/BindingLink.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

// An XML map of a document: where the movie fetches data from (a fixed URL, or the URL a
// cell holds) and which ranges the named parameters fill.
struct CExportRecord {
    // The link over the URL cell, made by the compile walk while the map is cell-bound.
    std::unique_ptr<CBindingLink> link;
    std::string name;
    std::string urlText;
    std::map<std::string, uint32_t> parameters;
    bool active = true;
    int32_t refreshSeconds = 0;
    bool cellBound = false;
    // Variable id of the URL cell; -1 for none.
    int32_t urlCell = -1;
};

// An entry of the Replace Data Selection list: a range of the variable table (-1 for none)
// published under a name.
struct CRangeEntry {
    int32_t rangeIndex = -1;
    std::string name;
    std::string rangeText;
};
