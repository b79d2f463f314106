#pragma once

#include <string>

// Which office programs the view may deliver to: each is usable when the version it reports
// begins with the required one.
struct COfficeInfo {
    bool outlookUsable = true;
    bool excelUsable = true;
    bool powerPointUsable = true;
    std::string outlookRequired = "9.0";
    std::string excelRequired = "9.0";
    std::string powerPointRequired = "9.0";
    std::string outlookVersion;
    std::string excelVersion;
    std::string powerPointVersion;
};
