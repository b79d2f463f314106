#include "propui/NumericFormatCodes.h"

#include <algorithm>

namespace numfmt {

const char* const kKindNames[8] = {"General", "Numeric", "Currency", "Percent",
                                   "Date",    "Time",    "Text",     "From Spreadsheet"};

const DateTimeFormat kDateTable[kDateFormats] = {
    {"3/17", "m/d;@"},
    {"3/17/03", "m/d/yy;@"},
    {"03/17/03", "mm/dd/yy;@"},
    {"3/17/2003", "mm/dd/yyyy;@"},
    {"17-Mar", "[$-409]d-mmm;@"},
    {"17-Mar-03", "[$-409]d-mmm-yy;@"},
    {"Mar-03", "[$-409]mmm-yy;@"},
    {"March-03", "[$-409]mmmm-yy;@"},
    {"March 17, 2003", "[$-409]mmmm d, yyyy;@"},
    {"3/17/03 1:30 PM", "[$-409]m/d/yy h:mm AM/PM;@"},
    {"3/17/03 13:30", "m/d/yy h:mm;@"},
    {"17-Mar-2003", "[$-409]d-mmm-yyyy;@"},
};

const DateTimeFormat kTimeTable[kTimeFormats] = {
    {"13:30", "h:mm;@"},
    {"1:30 PM", "[$-409]h:mm AM/PM;@"},
    {"13:30:55", "h:mm:ss;@"},
    {"1:30:55:PM", "[$-409]h:mm:ss AM/PM;@"},
};

namespace {

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// The body of a number: affixes, separator, decimals.
std::string NumberBody(const Settings& s, bool withAffixes)
{
    std::string body;
    if (withAffixes && s.prefixOn)
        body += "\"" + s.prefix.substr(0, kMaxAffix) + "\"";
    body += s.separator ? "#,##0" : "0";
    int d = std::clamp(s.decimals, 0, kMaxDecimals);
    if (d > 0)
        body += "." + std::string(static_cast<std::size_t>(d), '0');
    if (withAffixes && s.suffixOn)
        body += "\"" + s.suffix.substr(0, kMaxAffix) + "\"";
    return body;
}

// Decimals: the run of zeros that starts at the first "0." (full stops inside it skipped), less
// the zero before the stop.
int CountDecimals(const std::string& code)
{
    std::size_t at = code.find("0.");
    if (at == std::string::npos)
        return 0;
    int zeros = 0;
    for (std::size_t i = at; i < code.size(); ++i) {
        if (code[i] == '0')
            ++zeros;
        else if (code[i] != '.')
            break;
    }
    return std::min(zeros - 1, kMaxDecimals);
}

// The code with its quoted text blanked out, so that text a user typed as a prefix or suffix
// ("0.", "Red") is never read as part of the number.
std::string Unquoted(const std::string& code)
{
    std::string out = code;
    bool quoted = false;
    for (char& c : out) {
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            c = ' ';
    }
    return out;
}

// The end of the first section: the first ';' outside quotes, or the end of the code.
std::size_t FirstSectionEnd(const std::string& code)
{
    bool quoted = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (code[i] == '"')
            quoted = !quoted;
        else if (code[i] == ';' && !quoted)
            return i;
    }
    return code.size();
}

} // namespace

std::string BuildCode(const Settings& s)
{
    switch (s.kind) {
    case Numeric:
    case Currency: {
        std::string body = NumberBody(s, s.kind == Currency);
        switch (s.choice) {
        case Red:
            return body + ";[Red]" + body;
        case Parentheses:
            return body + "_);(" + body + ")";
        case ParenthesesRed:
            return body + "_);[Red](" + body + ")";
        default:
            return body;
        }
    }
    case Percent: {
        int d = std::clamp(s.decimals, 0, kMaxDecimals);
        return (d > 0 ? "0." + std::string(static_cast<std::size_t>(d), '0') : std::string("0")) + "%";
    }
    case Date:
        return kDateTable[std::clamp(s.choice, 0, kDateFormats - 1)].code;
    case Time:
        return kTimeTable[std::clamp(s.choice, 0, kTimeFormats - 1)].code;
    case Text:
        return "@";
    default:
        return "";
    }
}

Settings ReadCode(const std::string& f, const Settings& start)
{
    Settings s = start;
    s.choice = 0;
    if (f.empty()) {
        s.kind = General;
        return s;
    }
    if (f == "@") {
        s.kind = Text;
        return s;
    }
    for (int i = 0; i < kDateFormats; ++i)
        if (f == kDateTable[i].code) {
            s.kind = Date, s.choice = i;
            return s;
        }
    for (int i = 0; i < kTimeFormats; ++i)
        if (f == kTimeTable[i].code) {
            s.kind = Time, s.choice = i;
            return s;
        }
    const std::string bare = Unquoted(f);
    if (!Contains(bare, "0")) {
        s.kind = FromSpreadsheet;
        return s;
    }
    s.decimals = CountDecimals(bare);
    s.separator = Contains(bare, "#");

    // The quoted affix of the first section. Looked for with or without the separator, so that
    // a currency code written without it keeps its prefix; a suffix may be followed by the
    // padding of the parenthesis styles or by the negative section.
    bool foreign = false, prefix = false, suffix = false;
    std::string affix;
    std::size_t open = f.find('"');
    if (open != std::string::npos) {
        std::size_t close = f.find('"', open + 1);
        std::size_t firstDigit = bare.find_first_of("#0");
        std::size_t sectionEnd = FirstSectionEnd(f);
        std::size_t bodyEnd = sectionEnd;
        if (bodyEnd >= 2 && f.compare(bodyEnd - 2, 2, "_)") == 0)
            bodyEnd -= 2;
        if (close == std::string::npos)
            foreign = true; // an unclosed quote is nothing the control writes
        else if (open == 0)
            prefix = true;
        else if (open > firstDigit && close + 1 == bodyEnd)
            suffix = true;
        else
            foreign = true;
        if (prefix || suffix)
            affix = f.substr(open + 1, std::min(close - open - 1, kMaxAffix));
    }
    bool percent = bare.back() == '%';
    bool padded = Contains(bare, "_)");
    bool red = Contains(bare, "Red");
    s.choice = padded ? (red ? ParenthesesRed : Parentheses) : (red ? Red : MinusSign);
    s.prefixOn = prefix;
    s.suffixOn = suffix;
    if (prefix)
        s.prefix = affix;
    if (suffix)
        s.suffix = affix;

    if (foreign || f.front() == '_')
        s.kind = FromSpreadsheet;
    else if (!s.separator && !prefix && !padded && !red && percent)
        s.kind = Percent;
    else if (prefix || suffix || (s.separator && s.decimals == 2))
        s.kind = Currency;
    else
        s.kind = Numeric;
    if (s.kind != Numeric && s.kind != Currency)
        s.choice = 0;
    return s;
}

std::string SampleNumber(int decimals, bool separator)
{
    std::string n = "1234";
    int d = std::clamp(decimals, 0, kMaxDecimals);
    if (d > 0) {
        std::string digits;
        for (int i = d - 1; i >= 0; --i)
            digits += static_cast<char>('0' + i % 10);
        n += "." + digits;
    }
    return separator ? "1," + n.substr(1) : n;
}

std::vector<std::string> SampleList(int kind, int decimals, bool separator, const std::string& prefix,
                                    const std::string& suffix)
{
    std::vector<std::string> out;
    switch (kind) {
    case Numeric: {
        std::string n = SampleNumber(decimals, separator);
        out = {"-" + n, n + " (red)", "(" + n + ")", "(" + n + ") (red)"};
        break;
    }
    case Currency: {
        std::string n = SampleNumber(decimals, true);
        out = {"-" + prefix + n + suffix, prefix + n + suffix + " (red)", prefix + "(" + n + ")" + suffix,
               prefix + "(" + n + ")" + suffix + " (red)"};
        break;
    }
    case Date:
        for (const auto& d : kDateTable)
            out.emplace_back(d.sample);
        break;
    case Time:
        for (const auto& t : kTimeTable)
            out.emplace_back(t.sample);
        break;
    default:
        break;
    }
    return out;
}

} // namespace numfmt
