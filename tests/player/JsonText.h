#pragma once

// Text as a JSON string, for the files the movie makers of the player checks write beside
// their movies.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace playertest {

// The text quoted, with quotes and backslashes escaped and control characters as \u00XX.
inline std::string JsonText(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
            continue;
        }
        out += c;
    }
    return out + "\"";
}

// Writes facts.json into the folder: one JSON object of the names and their texts.
inline void WriteFacts(const std::filesystem::path& folder, const std::map<std::string, std::string>& facts)
{
    std::ofstream out(folder / "facts.json");
    out << "{";
    bool first = true;
    for (const auto& [name, value] : facts) {
        out << (first ? "\n  " : ",\n  ") << JsonText(name) << ": " << JsonText(value);
        first = false;
    }
    out << "\n}\n";
}

} // namespace playertest
