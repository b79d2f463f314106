#pragma once

// Per-user settings in place of the registry: sections of named values (texts, numbers, byte
// strings), kept in a text file (see docs/profile-store.md). Reading accepts any input: a
// damaged line is skipped, never fatal, and kept to be written back as it was.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

class CProfileStore {
public:
    std::optional<std::string> GetString(const std::string& section, const std::string& key) const;
    std::optional<std::int64_t> GetInt(const std::string& section, const std::string& key) const;
    std::optional<std::vector<std::uint8_t>> GetBinary(const std::string& section,
                                                       const std::string& key) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInt(const std::string& section, const std::string& key, std::int64_t value);
    void WriteBinary(const std::string& section, const std::string& key,
                     const std::vector<std::uint8_t>& value);
    void Remove(const std::string& section, const std::string& key);
    void RemoveSection(const std::string& section);
    bool Empty() const { return sections_.empty(); }

    // Text form. Parse replaces the content; it returns the number of lines it had to skip,
    // and Problems() then says which and why ("<origin> line <n>: <reason>").
    std::string Serialize() const;
    std::size_t Parse(const std::string& text, const std::string& origin = "profile");
    const std::vector<std::string>& Problems() const { return problems_; }

    // File form: Load leaves the store empty when the file is missing. A file that is there but
    // cannot be read (not a regular file, too large, not readable) is left as it is: Problems()
    // says so and Save refuses to replace it. Save writes an exclusive temporary file beside
    // the file and renames it over, so a failed save never leaves half a file, and refuses a
    // target that exists and is not a regular file.
    bool Load(const std::filesystem::path& file);
    bool Save(const std::filesystem::path& file) const;
    // Whether Load found a file it could not read (and Save will not replace).
    bool IsUnreadable() const { return unreadable_; }

private:
    struct Value {
        char kind = 's'; // 's' text, 'i' number, 'b' bytes
        std::string text;
        std::int64_t number = 0;
        std::vector<std::uint8_t> bytes;
    };
    const Value* Find(const std::string& section, const std::string& key) const;

    // A line Parse could not take, and the section it stood in ("" for none).
    struct KeptLine {
        std::string section;
        std::string line;
    };
    void KeepLines(std::string& out, const std::string* section) const;

    std::map<std::string, std::map<std::string, Value>> sections_;
    std::vector<KeptLine> kept_;
    std::vector<std::string> problems_;
    bool unreadable_ = false;
};
