#include "app/workbook/CellText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

namespace workbook {
namespace {

// The sections of a code, split at ";" outside quotes, escapes and brackets.
std::vector<std::string> SplitSections(const std::string& code)
{
    std::vector<std::string> sections(1);
    bool quoted = false;
    int bracket = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '[')
            ++bracket;
        else if (!quoted && c == ']' && bracket > 0)
            --bracket;
        else if (!quoted && bracket == 0 && c == '\\' && i + 1 < code.size()) {
            sections.back() += code.substr(i, 2);
            ++i;
            continue;
        } else if (!quoted && bracket == 0 && c == ';') {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

// One piece of a section: a literal text or a format character.
struct Token {
    bool literal = false;
    std::string text;
};

// Cuts a section into literals and format characters; colours and conditions go, currency
// brackets leave their symbol, padding ("*x") goes and spacing ("_x") becomes a blank.
std::vector<Token> Tokenize(const std::string& section)
{
    std::vector<Token> tokens;
    auto literal = [&](std::string text) {
        if (!tokens.empty() && tokens.back().literal)
            tokens.back().text += text;
        else
            tokens.push_back({true, std::move(text)});
    };
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (c == '"') {
            const std::size_t end = section.find('"', i + 1);
            literal(section.substr(i + 1, (end == std::string::npos ? section.size() : end) - i - 1));
            i = end == std::string::npos ? section.size() : end;
        } else if (c == '\\' && i + 1 < section.size()) {
            literal(std::string(1, section[++i]));
        } else if (c == '_' && i + 1 < section.size()) {
            literal(" ");
            ++i;
        } else if (c == '*' && i + 1 < section.size()) {
            ++i;
        } else if (c == '[') {
            const std::size_t end = section.find(']', i);
            const std::string inner =
                section.substr(i + 1, (end == std::string::npos ? section.size() : end) - i - 1);
            if (!inner.empty() && inner[0] == '$') {
                const std::size_t dash = inner.find('-');
                literal(inner.substr(1, dash == std::string::npos ? std::string::npos : dash - 1));
            } else if (!inner.empty() && (inner[0] == 'h' || inner[0] == 'H' || inner[0] == 'm' ||
                                          inner[0] == 'M' || inner[0] == 's' || inner[0] == 'S')) {
                tokens.push_back({false, inner}); // elapsed time, shown as the plain unit
            }
            i = end == std::string::npos ? section.size() : end;
        } else if (c == '$' || c == '-' || c == '+' || c == '(' || c == ')' || c == ':' || c == ' ' ||
                   c == '/' || c == '!' || c == '&' || c == '\'' || c == '~' || c == '{' || c == '}' ||
                   c == '<' || c == '>' || c == '=' || c == '^' || static_cast<unsigned char>(c) >= 0x80) {
            literal(std::string(1, c));
        } else {
            tokens.push_back({false, std::string(1, c)});
        }
    }
    return tokens;
}

bool IsDateSection(const std::vector<Token>& tokens)
{
    for (const Token& t : tokens) {
        if (t.literal || t.text.empty())
            continue;
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t.text[0])));
        if (c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 's')
            return true;
    }
    return false;
}

std::string TwoDigits(int n)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

std::string FormatDate(double serial, const std::vector<Token>& tokens, bool date1904)
{
    static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    static const char* const kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    if (serial < 0 || serial > 2958465.0)
        return std::string(11, '#');
    long long seconds = std::llround(serial * 86400.0);
    long long days = seconds / 86400;
    const long long secondOfDay = seconds % 86400;
    // Day 0 is 1899-12-31 (1904-01-01 in the 1904 system); the 1900 system counts a 29th of
    // February 1900 that never was, as serial 60.
    int year = 0, month = 0, day = 0, weekday = 0;
    if (!date1904 && days == 60) {
        year = 1900, month = 2, day = 29, weekday = 3;
    } else {
        // Days since 1899-12-31 in the real calendar.
        const long long civil = date1904 ? days + 1461 : (days > 60 ? days - 1 : days);
        const long long z = civil - 25568 + 719468; // days since 0000-03-01
        const long long era = (z >= 0 ? z : z - 146096) / 146097;
        const long long doe = z - era * 146097;
        const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
        const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
        const long long mp = (5 * doy + 2) / 153;
        day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
        month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
        year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
        weekday = static_cast<int>(civil % 7); // 1899-12-31 was a Sunday
    }
    const int hour = static_cast<int>(secondOfDay / 3600);
    const int minute = static_cast<int>(secondOfDay / 60 % 60);
    const int second = static_cast<int>(secondOfDay % 60);

    bool twelveHour = false;
    for (const Token& t : tokens)
        if (!t.literal && (t.text == "A" || t.text == "a"))
            twelveHour = true;

    std::string out;
    // Runs of one letter form one field: "yyyy", "mmm", "dd", "hh".
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.literal) {
            out += t.text;
            continue;
        }
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t.text[0])));
        if (c == 'a') {
            // AM/PM or A/P: the tokenizer cut it at the "/" into a literal.
            std::size_t j = i;
            std::string word;
            while (j < tokens.size() && (tokens[j].literal ? tokens[j].text == "/" : std::isalpha(
                                                                                   static_cast<unsigned char>(
                                                                                       tokens[j].text[0])))) {
                word += tokens[j].text;
                ++j;
            }
            out += word.size() > 3 ? (hour < 12 ? "AM" : "PM") : (hour < 12 ? "A" : "P");
            i = j - 1;
            continue;
        }
        std::size_t run = 1;
        while (i + run < tokens.size() && !tokens[i + run].literal &&
               std::tolower(static_cast<unsigned char>(tokens[i + run].text[0])) == c && tokens[i + run].text.size() == 1)
            ++run;
        if (t.text.size() > 1) // an elapsed unit such as [h]
            run = t.text.size();
        auto previousField = [&]() -> char {
            for (std::size_t k = i; k-- > 0;)
                if (!tokens[k].literal)
                    return static_cast<char>(std::tolower(static_cast<unsigned char>(tokens[k].text[0])));
            return 0;
        };
        auto nextField = [&]() -> char {
            for (std::size_t k = i + run; k < tokens.size(); ++k)
                if (!tokens[k].literal)
                    return static_cast<char>(std::tolower(static_cast<unsigned char>(tokens[k].text[0])));
            return 0;
        };
        switch (c) {
        case 'y':
            out += run <= 2 ? TwoDigits(year % 100) : std::to_string(year);
            break;
        case 'm':
            if (run <= 2 && (previousField() == 'h' || nextField() == 's'))
                out += run == 2 ? TwoDigits(minute) : std::to_string(minute);
            else if (run == 1)
                out += std::to_string(month);
            else if (run == 2)
                out += TwoDigits(month);
            else if (run == 3)
                out += std::string(kMonths[month - 1]).substr(0, 3);
            else if (run == 5)
                out += kMonths[month - 1][0];
            else
                out += kMonths[month - 1];
            break;
        case 'd':
            if (run == 1)
                out += std::to_string(day);
            else if (run == 2)
                out += TwoDigits(day);
            else if (run == 3)
                out += std::string(kDays[weekday]).substr(0, 3);
            else
                out += kDays[weekday];
            break;
        case 'h': {
            int shown = hour;
            if (t.text.size() > 1)
                shown = static_cast<int>(seconds / 3600);
            else if (twelveHour)
                shown = hour % 12 == 0 ? 12 : hour % 12;
            out += run == 2 ? TwoDigits(shown) : std::to_string(shown);
            break;
        }
        case 's':
            out += run == 2 ? TwoDigits(second) : std::to_string(second);
            break;
        case '.':
        case '0':
            break; // fractions of a second are not shown
        default:
            out += t.text;
            break;
        }
        i += run - 1;
    }
    return out;
}

std::string GroupThousands(const std::string& digits)
{
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        out += digits[i];
        if ((n - i - 1) % 3 == 0 && i + 1 < n)
            out += ',';
    }
    return out;
}

std::string FormatDigits(double value, const std::vector<Token>& tokens)
{
    int intZeros = 0, decZeros = 0, decPlaces = 0, percent = 0, scale = 0, expZeros = 0;
    bool afterPoint = false, thousands = false, exponent = false, anyDigit = false, sawPoint = false;
    std::size_t first = tokens.size(), last = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.literal) {
            continue;
        }
        const char c = t.text[0];
        if (c == '0' || c == '#' || c == '?') {
            first = std::min(first, i);
            last = i;
            anyDigit = true;
            if (exponent)
                ++expZeros;
            else if (afterPoint) {
                ++decPlaces;
                if (c != '#')
                    decZeros = decPlaces;
            } else if (c == '0')
                ++intZeros;
        } else if (c == '.' && !exponent) {
            afterPoint = sawPoint = true;
            first = std::min(first, i);
            last = std::max(last, i);
        } else if (c == ',') {
            // A comma after the last digit placeholder divides by a thousand.
            bool digitFollows = false;
            for (std::size_t k = i + 1; k < tokens.size(); ++k)
                if (!tokens[k].literal && (tokens[k].text[0] == '0' || tokens[k].text[0] == '#' ||
                                           tokens[k].text[0] == '?' || tokens[k].text[0] == '.'))
                    digitFollows = true;
            if (digitFollows && !afterPoint)
                thousands = true;
            else if (!digitFollows)
                ++scale;
        } else if (c == '%') {
            ++percent;
        } else if ((c == 'E' || c == 'e') && i + 1 < tokens.size()) {
            exponent = true;
            first = std::min(first, i);
            last = std::max(last, i);
        }
    }
    (void)sawPoint;
    if (!anyDigit) {
        std::string out;
        for (const Token& t : tokens)
            out += t.text;
        return out;
    }
    for (int k = 0; k < percent; ++k)
        value *= 100;
    for (int k = 0; k < scale; ++k)
        value /= 1000;
    // Percent signs can push a huge value past the largest number.
    if (!std::isfinite(value))
        return "#NUM!";

    std::string number;
    char buffer[400];
    if (exponent) {
        int exp10 = value == 0 ? 0 : static_cast<int>(std::floor(std::log10(value)));
        double mantissa = value == 0 ? 0 : value / std::pow(10.0, exp10);
        std::snprintf(buffer, sizeof buffer, "%.*f", decPlaces, mantissa);
        if (buffer[0] == '1' && buffer[1] == '0') { // rounding carried into a new digit
            ++exp10;
            std::snprintf(buffer, sizeof buffer, "%.*f", decPlaces, mantissa / 10);
        }
        std::string exp = std::to_string(std::abs(exp10));
        while (static_cast<int>(exp.size()) < expZeros)
            exp.insert(exp.begin(), '0');
        number = std::string(buffer) + "E" + (exp10 < 0 ? "-" : "+") + exp;
    } else {
        if (std::fabs(value) >= 1e300)
            return std::string(11, '#');
        // Halves round away from zero, as the workbook's program shows them (printf would
        // round 2.5 to 2).
        if (value < 1e15 && decPlaces <= 15) {
            const double scale = std::pow(10.0, decPlaces);
            value = std::floor(value * scale + 0.5 + 1e-9) / scale;
        }
        std::snprintf(buffer, sizeof buffer, "%.*f", decPlaces, value);
        std::string text = buffer;
        std::string integer = text.substr(0, text.find('.'));
        std::string decimals = text.find('.') == std::string::npos ? "" : text.substr(text.find('.') + 1);
        while (static_cast<int>(decimals.size()) > decZeros && !decimals.empty() && decimals.back() == '0')
            decimals.pop_back();
        if (integer == "0" && intZeros == 0)
            integer.clear();
        while (static_cast<int>(integer.size()) < intZeros)
            integer.insert(integer.begin(), '0');
        if (thousands)
            integer = GroupThousands(integer);
        number = integer;
        if (decPlaces > 0 || afterPoint)
            number += "." + decimals;
    }
    std::string out;
    for (std::size_t i = 0; i < first && i < tokens.size(); ++i)
        if (tokens[i].literal || tokens[i].text == "%")
            out += tokens[i].text;
    out += number;
    for (std::size_t i = last + 1; i < tokens.size(); ++i)
        if (tokens[i].literal || tokens[i].text == "%")
            out += tokens[i].text;
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// "12.50" -> "12.5", "3.000" -> "3": a number's text without the zeros that end its decimals.
std::string WithoutTrailingZeros(std::string text)
{
    if (text.find('.') == std::string::npos)
        return text;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

} // namespace

std::string FormatGeneral(double value)
{
    if (!std::isfinite(value))
        return "#NUM!";
    if (value == 0)
        return "0";
    char buffer[64];
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e11 || magnitude < 1e-9) {
        std::snprintf(buffer, sizeof buffer, "%.5E", value);
        std::string text = buffer;
        // 1.23450E+11 -> 1.2345E+11; the exponent keeps two digits.
        const std::size_t e = text.find('E');
        const std::string mantissa = WithoutTrailingZeros(text.substr(0, e));
        std::string exponent = text.substr(e + 2);
        while (exponent.size() > 2 && exponent[0] == '0')
            exponent.erase(exponent.begin());
        return mantissa + "E" + text[e + 1] + exponent;
    }
    std::snprintf(buffer, sizeof buffer, "%.10G", value);
    std::string text = buffer;
    if (text.find('E') != std::string::npos) {
        std::snprintf(buffer, sizeof buffer, "%.10f", value);
        text = buffer;
    }
    return WithoutTrailingZeros(text);
}

std::string FormatNumber(double value, const std::string& code, bool date1904)
{
    if (!std::isfinite(value))
        return "#NUM!";
    if (code.empty() || EqualsNoCase(code, "General"))
        return FormatGeneral(value);
    const std::vector<std::string> sections = SplitSections(code);
    std::string section = sections[0];
    bool addMinus = value < 0;
    if (value < 0 && sections.size() >= 2) {
        section = sections[1];
        addMinus = false;
    } else if (value == 0 && sections.size() >= 3) {
        section = sections[2];
    }
    if (EqualsNoCase(section, "General"))
        return (addMinus ? "-" : "") + FormatGeneral(std::fabs(value));
    const std::vector<Token> tokens = Tokenize(section);
    if (IsDateSection(tokens))
        return FormatDate(value, tokens, date1904);
    std::string digits = FormatDigits(std::fabs(value), tokens);
    // A value that rounds to nothing shows no minus sign.
    bool allZero = true;
    for (char c : digits)
        if (c >= '1' && c <= '9')
            allZero = false;
    return (addMinus && !allZero ? "-" : "") + digits;
}

std::string FormatCellText(const sheet::xlsx::Cell& cell, bool date1904)
{
    switch (cell.type) {
    case CellType::Empty:
        return {};
    case CellType::Text: {
        const std::vector<std::string> sections = SplitSections(cell.formatCode);
        if (sections.size() < 4)
            return cell.text;
        std::string out;
        for (const Token& t : Tokenize(sections[3]))
            out += t.literal ? t.text : (t.text == "@" ? cell.text : std::string());
        return out;
    }
    case CellType::Boolean:
        return cell.number != 0 ? "TRUE" : "FALSE";
    case CellType::Error:
        return cell.text;
    case CellType::Number:
    case CellType::DateTime:
        return FormatNumber(cell.number, cell.formatCode, date1904);
    }
    return {};
}

std::string FitNumberText(const sheet::xlsx::Cell& cell, bool date1904,
                          const std::function<bool(const std::string&)>& fits)
{
    std::string text = FormatCellText(cell, date1904);
    if (fits(text))
        return text;
    const std::string& code = cell.formatCode;
    const double magnitude = std::fabs(cell.number);
    if (cell.type == CellType::Number && std::isfinite(cell.number) && magnitude < 1e11 && magnitude >= 1e-9 &&
        (code.empty() || EqualsNoCase(code, "General"))) {
        const std::size_t point = text.find('.');
        for (std::size_t decimals = point == std::string::npos ? 0 : text.size() - point - 1; decimals-- > 0;) {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(decimals), cell.number);
            std::string shorter = WithoutTrailingZeros(buffer);
            if (shorter == "-0")
                shorter = "0";
            if (fits(shorter))
                return shorter;
        }
    }
    // However narrow a "#" draws, a column holds a bounded number of them.
    std::string hashes = "#";
    while (hashes.size() < 255 && fits(hashes + "#"))
        hashes += "#";
    return hashes;
}

std::string CellContentText(const sheet::xlsx::Cell& cell)
{
    if (cell.HasFormula())
        return "=" + cell.formula;
    switch (cell.type) {
    case CellType::Number:
    case CellType::DateTime:
        return FormatGeneral(cell.number);
    case CellType::Boolean:
        return cell.number != 0 ? "TRUE" : "FALSE";
    default:
        return cell.text;
    }
}

} // namespace workbook
