#include "sheet/MessageText.h"

namespace sheet {

namespace {

const char kHex[] = "0123456789ABCDEF";

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

std::string PrintableText(std::string_view text, std::size_t maxChars)
{
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (!IsContinuation(c) && chars++ == maxChars) {
            out += "...";
            break;
        }
        if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            auto next = static_cast<unsigned char>(text[++i]);
            out += "\\u00";
            out += kHex[next >> 4];
            out += kHex[next & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string QuotedText(std::string_view text, std::size_t maxChars)
{
    return "\"" + PrintableText(text, maxChars) + "\"";
}

} // namespace sheet
