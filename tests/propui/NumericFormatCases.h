#pragma once

// One table of number formats, checked on both sides: the control writes `code` for the
// settings (and reads the code back into the same settings), and the movie's formatting of
// `value` with `code` shows `text` (tests/player/propui_numeric_formats.*). The negative values
// are the control's own samples, so the texts are what its second list promises.

#include "propui/NumericFormatCodes.h"

namespace numfmt_cases {

struct FormatCase {
    const char* name;
    numfmt::Settings settings;
    const char* code;
    double value;
    const char* text;
};

inline numfmt::Settings Num(int kind, int decimals, bool separator, int negative = 0, const char* prefix = nullptr,
                            const char* suffix = nullptr)
{
    numfmt::Settings s;
    s.kind = kind;
    s.decimals = decimals;
    s.separator = separator;
    s.choice = negative;
    if (prefix)
        s.prefixOn = true, s.prefix = prefix;
    if (suffix)
        s.suffixOn = true, s.suffix = suffix;
    return s;
}

inline numfmt::Settings Pick(int kind, int index)
{
    numfmt::Settings s;
    s.kind = kind;
    s.choice = index;
    return s;
}

// 17 March 2003 at 13:30:55 as a spreadsheet date.
constexpr double kSampleDate = 37697.0 + (13 * 3600 + 30 * 60 + 55) / 86400.0;

inline const FormatCase kCases[] = {
    {"numeric plain", Num(numfmt::Numeric, 0, false), "0", -1234, "-1234"},
    {"numeric decimals", Num(numfmt::Numeric, 3, false), "0.000", -1234.21, "-1234.210"},
    {"numeric separator", Num(numfmt::Numeric, 1, true), "#,##0.0", 1234.04, "1,234.0"},
    {"numeric red", Num(numfmt::Numeric, 1, true, numfmt::Red), "#,##0.0;[Red]#,##0.0", -1234.1, "1,234.1"},
    {"numeric parentheses", Num(numfmt::Numeric, 1, true, numfmt::Parentheses), "#,##0.0_);(#,##0.0)", -1234.1,
     "(1,234.1)"},
    {"numeric parentheses red", Num(numfmt::Numeric, 0, false, numfmt::ParenthesesRed), "0_);[Red](0)", -1234,
     "(1234)"},
    {"currency prefix", Num(numfmt::Currency, 2, true, 0, "$"), "\"$\"#,##0.00", -1234.1, "-$1,234.10"},
    {"currency prefix no separator", Num(numfmt::Currency, 0, false, 0, "$"), "\"$\"0", 1234, "$1234"},
    {"currency prefix parentheses red", Num(numfmt::Currency, 2, true, numfmt::ParenthesesRed, "$"),
     "\"$\"#,##0.00_);[Red](\"$\"#,##0.00)", -1234.1, "($1,234.10)"},
    {"currency suffix", Num(numfmt::Currency, 2, true, 0, nullptr, "kr"), "#,##0.00\"kr\"", 1234.1, "1,234.10kr"},
    {"currency suffix parentheses", Num(numfmt::Currency, 1, true, numfmt::Parentheses, nullptr, "EUR"),
     "#,##0.0\"EUR\"_);(#,##0.0\"EUR\")", -1234.1, "(1,234.1EUR)"},
    {"percent", Num(numfmt::Percent, 1, false), "0.0%", 0.1234, "12.3%"},
    {"percent whole", Num(numfmt::Percent, 0, false), "0%", 0.5, "50%"},
    {"date 0", Pick(numfmt::Date, 0), "m/d;@", kSampleDate, "3/17"},
    {"date 1", Pick(numfmt::Date, 1), "m/d/yy;@", kSampleDate, "3/17/03"},
    {"date 2", Pick(numfmt::Date, 2), "mm/dd/yy;@", kSampleDate, "03/17/03"},
    {"date 3", Pick(numfmt::Date, 3), "mm/dd/yyyy;@", kSampleDate, "03/17/2003"},
    {"date 4", Pick(numfmt::Date, 4), "[$-409]d-mmm;@", kSampleDate, "17-Mar"},
    {"date 5", Pick(numfmt::Date, 5), "[$-409]d-mmm-yy;@", kSampleDate, "17-Mar-03"},
    {"date 6", Pick(numfmt::Date, 6), "[$-409]mmm-yy;@", kSampleDate, "Mar-03"},
    {"date 7", Pick(numfmt::Date, 7), "[$-409]mmmm-yy;@", kSampleDate, "March-03"},
    {"date 8", Pick(numfmt::Date, 8), "[$-409]mmmm d, yyyy;@", kSampleDate, "March 17, 2003"},
    {"date 9", Pick(numfmt::Date, 9), "[$-409]m/d/yy h:mm AM/PM;@", kSampleDate, "3/17/03 1:30 PM"},
    {"date 10", Pick(numfmt::Date, 10), "m/d/yy h:mm;@", kSampleDate, "3/17/03 13:30"},
    {"date 11", Pick(numfmt::Date, 11), "[$-409]d-mmm-yyyy;@", kSampleDate, "17-Mar-2003"},
    {"time 0", Pick(numfmt::Time, 0), "h:mm;@", kSampleDate, "13:30"},
    {"time 1", Pick(numfmt::Time, 1), "[$-409]h:mm AM/PM;@", kSampleDate, "1:30 PM"},
    {"time 2", Pick(numfmt::Time, 2), "h:mm:ss;@", kSampleDate, "13:30:55"},
    {"time 3", Pick(numfmt::Time, 3), "[$-409]h:mm:ss AM/PM;@", kSampleDate, "1:30:55 PM"},
    {"text", Pick(numfmt::Text, 0), "@", 42, "42"},
};

} // namespace numfmt_cases
