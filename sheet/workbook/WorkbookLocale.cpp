#include "sheet/workbook/WorkbookLocale.h"

namespace sheet {

std::vector<std::pair<std::string, std::string>> WorkbookLocaleValues()
{
    static const char* const days[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                       "Friday", "Saturday", "Sunday"};
    static const char* const months[] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};
    std::vector<std::pair<std::string, std::string>> values = {
        {"KVDecimalSeparator", "."},
        {"KVThousandSeparator", ","},
        {"KVListSeparator", ","},
        {"KVDateSeparator", "/"},
        {"KVTimeSeparator", ":"},
        {"KVCurrencySymbol", "$"},
        {"KVShortDate", "M/d/yyyy"},
        {"KVAM", "AM"},
        {"KVPM", "PM"},
    };
    for (int i = 0; i < 7; ++i) {
        std::string n = std::to_string(i + 1);
        values.emplace_back("KVSDAYNAME" + n, days[i]);
        values.emplace_back("KVSABBREVDAYNAME" + n, std::string(days[i], 3));
    }
    for (int i = 0; i < 12; ++i) {
        std::string n = std::to_string(i + 1);
        values.emplace_back("KVSMONTHNAME" + n, months[i]);
        values.emplace_back("KVSABBREVMONTHNAME" + n, std::string(months[i], 3));
    }
    return values;
}

} // namespace sheet
