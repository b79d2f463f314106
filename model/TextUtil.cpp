#include "model/TextUtil.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <locale>
#include <sstream>

std::string FormatDouble(double value, int digits)
{
    if (digits < 1) {
        digits = 1;
    }
    if (digits > 17) {
        digits = 17;
    }
    // Streams imbued with the classic locale keep the decimal point whatever the process
    // locale says; the texts end up in movies and files.
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(digits);
    out << value;
    std::string text = out.str();
    if (!text.empty() && text.back() == '.') {
        text += '0';
    }
    return text;
}

char* FormatDouble(double value, int digits, char* buffer, std::size_t size)
{
    if (size == 0) {
        return buffer;
    }
    std::string text = FormatDouble(value, digits);
    std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return buffer;
}

double ClampDouble(double low, double high, double value)
{
    if (value < low) {
        return low;
    }
    return std::fmin(high, value);
}

char* CopyWithoutBlanks(const char* text, std::size_t n, char* buffer)
{
    std::size_t out = 0;
    for (std::size_t i = 0; i < n && text[i] != '\0'; ++i) {
        if (text[i] != ' ') {
            buffer[out++] = text[i];
        }
    }
    buffer[out] = '\0';
    return buffer;
}

std::string GetFileExtension(const std::string& path)
{
    // A dot in a folder name is not an extension of a file that has none.
    std::size_t dot = path.rfind('.');
    std::size_t separator = path.find_last_of("/\\");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
        return std::string();
    }
    return path.substr(dot + 1);
}

namespace model {
std::string NativePath(const std::string& path)
{
    std::string out = path;
    for (char& c : out) {
        if (c == '\\') {
            c = '/';
        }
    }
    return out;
}
} // namespace model
