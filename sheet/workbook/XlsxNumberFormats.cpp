#include "sheet/workbook/XlsxNumberFormats.h"

#include <cctype>

namespace sheet::xlsx {

std::string BuiltInFormatCode(std::uint32_t id)
{
    switch (id) {
    case 0:
        return "General";
    case 1:
        return "0";
    case 2:
        return "0.00";
    case 3:
        return "#,##0";
    case 4:
        return "#,##0.00";
    case 5:
        return "\"$\"#,##0_);(\"$\"#,##0)";
    case 6:
        return "\"$\"#,##0_);[Red](\"$\"#,##0)";
    case 7:
        return "\"$\"#,##0.00_);(\"$\"#,##0.00)";
    case 8:
        return "\"$\"#,##0.00_);[Red](\"$\"#,##0.00)";
    case 9:
        return "0%";
    case 10:
        return "0.00%";
    case 11:
        return "0.00E+00";
    case 12:
        return "# ?/?";
    case 13:
        return "# ?\?/??";
    case 14:
        return "m/d/yyyy";
    case 15:
        return "d-mmm-yy";
    case 16:
        return "d-mmm";
    case 17:
        return "mmm-yy";
    case 18:
        return "h:mm AM/PM";
    case 19:
        return "h:mm:ss AM/PM";
    case 20:
        return "h:mm";
    case 21:
        return "h:mm:ss";
    case 22:
        return "m/d/yyyy h:mm";
    case 37:
        return "#,##0_);(#,##0)";
    case 38:
        return "#,##0_);[Red](#,##0)";
    case 39:
        return "#,##0.00_);(#,##0.00)";
    case 40:
        return "#,##0.00_);[Red](#,##0.00)";
    case 41:
        return "_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_);_(@_)";
    case 42:
        return "_(\"$\"* #,##0_);_(\"$\"* \\(#,##0\\);_(\"$\"* \"-\"_);_(@_)";
    case 43:
        return "_(* #,##0.00_);_(* \\(#,##0.00\\);_(* \"-\"??_);_(@_)";
    case 44:
        return "_(\"$\"* #,##0.00_);_(\"$\"* \\(#,##0.00\\);_(\"$\"* \"-\"??_);_(@_)";
    case 45:
        return "mm:ss";
    case 46:
        return "[h]:mm:ss";
    case 47:
        return "mm:ss.0";
    case 48:
        return "##0.0E+0";
    case 49:
        return "@";
    default:
        return {};
    }
}

bool IsDateFormatId(std::uint32_t id)
{
    // 14-22 and 45-47 are fixed; 27-36 and 50-58 are the East Asian date formats whose code
    // depends on the locale but which are dates in every one.
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
           (id >= 50 && id <= 58);
}

bool IsDateFormat(std::string_view code)
{
    // Only the first section decides; quoted text, escaped and padding characters and
    // bracketed colours or conditions say nothing about dates, but [h], [m] and [s] do.
    for (std::size_t i = 0; i < code.size(); ++i) {
        char c = code[i];
        switch (c) {
        case ';':
            return false;
        case '"': {
            auto end = code.find('"', i + 1);
            if (end == std::string_view::npos)
                return false;
            i = end;
            continue;
        }
        case '\\':
        case '_':
        case '*':
            ++i;
            continue;
        case '[': {
            auto end = code.find(']', i + 1);
            if (end == std::string_view::npos)
                return false;
            std::string_view inside = code.substr(i + 1, end - i - 1);
            if (!inside.empty()) {
                char first = static_cast<char>(std::tolower(static_cast<unsigned char>(inside[0])));
                if (first == 'h' || first == 'm' || first == 's') {
                    bool allSame = true;
                    for (char k : inside)
                        allSame = allSame && std::tolower(static_cast<unsigned char>(k)) == first;
                    if (allSame)
                        return true;
                }
            }
            i = end;
            continue;
        }
        default:
            break;
        }
        switch (std::tolower(static_cast<unsigned char>(c))) {
        case 'y':
        case 'd':
        case 'h':
        case 's':
        case 'm':
            return true;
        case 'e':
            // "E+" is a scientific exponent; a lone "e" is the era year of some locales.
            if (i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-'))
                ++i;
            else
                return true;
            continue;
        case 'g':
            // "General" is the one word that can appear unquoted.
            if (code.substr(i).size() >= 7) {
                std::string word;
                for (std::size_t k = 0; k < 7; ++k)
                    word += static_cast<char>(std::tolower(static_cast<unsigned char>(code[i + k])));
                if (word == "general") {
                    i += 6;
                    continue;
                }
            }
            continue;
        default:
            continue;
        }
    }
    return false;
}

} // namespace sheet::xlsx
