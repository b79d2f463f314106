#pragma once

// The number-format codes the numeric format control writes into "numFormat", and how it reads
// a code back into its settings. Kept apart from the window so the codes can be checked
// against the movie's own formatting without any window.

#include <string>
#include <vector>

namespace numfmt {

enum Kind { General = 0, Numeric, Currency, Percent, Date, Time, Text, FromSpreadsheet };

// The kind list's texts by kind; "From Spreadsheet" shows only while a foreign code is loaded.
extern const char* const kKindNames[8];

constexpr int kDateFormats = 12;
constexpr int kTimeFormats = 4;
constexpr int kMaxDecimals = 20;
// The affix edits take at most this many characters.
constexpr std::size_t kMaxAffix = 3;

struct DateTimeFormat {
    const char* sample; // shown in the second list: March 17, 2003 at 13:30:55
    const char* code;
};
extern const DateTimeFormat kDateTable[kDateFormats];
extern const DateTimeFormat kTimeTable[kTimeFormats];

// Negative-value styles of Numeric and Currency, by their place in the second list.
enum NegativeStyle { MinusSign = 0, Red, Parentheses, ParenthesesRed };

struct Settings {
    int kind = General;
    int decimals = 2;
    bool separator = false;
    bool prefixOn = false;
    bool suffixOn = false;
    std::string prefix = "$";
    std::string suffix;
    // The second list's selection: the negative style, or the date or time index.
    int choice = 0;
};

// The code for the settings; From Spreadsheet has none of its own (the empty text).
std::string BuildCode(const Settings& settings);

// The settings a code stands for. A code the control never writes reads as From Spreadsheet;
// fields a code does not speak of keep the values of `start`.
Settings ReadCode(const std::string& code, const Settings& start = Settings());

// The second list's entries for a kind: the number samples of Numeric and Currency in the four
// negative styles, or the date and time samples. Currency samples always show the separator.
std::vector<std::string> SampleList(int kind, int decimals, bool separator, const std::string& prefix,
                                    const std::string& suffix);

// The sample number of the lists: 1234, then as many decimals as asked, "1234.10" for two.
std::string SampleNumber(int decimals, bool separator);

} // namespace numfmt
