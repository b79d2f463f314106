#include "base/Profile.h"

#include "base/TextCodes.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>

namespace {

// Section names, keys and texts are escaped so that any byte survives one line.
std::string Escape(const std::string& text, bool isName)
{
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (c < 0x20 || c == 0x7F ||
                (isName && (c == '=' || c == '[' || c == ']' || c == ';' || c == '#'))) {
                static const char digits[] = "0123456789abcdef";
                out += "\\x";
                out += digits[c >> 4];
                out += digits[c & 0xF];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

bool Unescape(std::string_view text, std::string& out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i >= text.size()) {
            return false;
        }
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 'x': {
            if (i + 2 >= text.size()) {
                return false;
            }
            const int hi = ui::HexDigitValue(text[i + 1]);
            const int lo = ui::HexDigitValue(text[i + 2]);
            if (hi < 0 || lo < 0) {
                return false;
            }
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

// The first '=' that is not escaped ends the key ('=' in keys is always written as \x3d).
std::size_t FindEquals(std::string_view line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\') {
            ++i;
        } else if (line[i] == '=') {
            return i;
        }
    }
    return std::string_view::npos;
}

} // namespace

const CProfileStore::Value* CProfileStore::Find(const std::string& section, const std::string& key) const
{
    auto s = sections_.find(section);
    if (s == sections_.end()) {
        return nullptr;
    }
    auto v = s->second.find(key);
    return v == s->second.end() ? nullptr : &v->second;
}

std::optional<std::string> CProfileStore::GetString(const std::string& section, const std::string& key) const
{
    const Value* v = Find(section, key);
    if (v == nullptr) {
        return std::nullopt;
    }
    if (v->kind == 'i') {
        return std::to_string(v->number);
    }
    if (v->kind == 'b') {
        return std::string(v->bytes.begin(), v->bytes.end());
    }
    return v->text;
}

std::optional<std::int64_t> CProfileStore::GetInt(const std::string& section, const std::string& key) const
{
    const Value* v = Find(section, key);
    if (v == nullptr) {
        return std::nullopt;
    }
    if (v->kind == 'i') {
        return v->number;
    }
    if (v->kind == 's') {
        // A number stored as text reads as a number, as long as it is one entirely.
        std::int64_t n = 0;
        const std::string& t = v->text;
        auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
        if (ec == std::errc() && end == t.data() + t.size() && !t.empty()) {
            return n;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> CProfileStore::GetBinary(const std::string& section,
                                                                  const std::string& key) const
{
    const Value* v = Find(section, key);
    if (v == nullptr || v->kind != 'b') {
        return std::nullopt;
    }
    return v->bytes;
}

void CProfileStore::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    Value& v = sections_[section][key];
    v = Value{};
    v.kind = 's';
    v.text = value;
}

void CProfileStore::WriteInt(const std::string& section, const std::string& key, std::int64_t value)
{
    Value& v = sections_[section][key];
    v = Value{};
    v.kind = 'i';
    v.number = value;
}

void CProfileStore::WriteBinary(const std::string& section, const std::string& key,
                                const std::vector<std::uint8_t>& value)
{
    Value& v = sections_[section][key];
    v = Value{};
    v.kind = 'b';
    v.bytes = value;
}

void CProfileStore::Remove(const std::string& section, const std::string& key)
{
    auto s = sections_.find(section);
    if (s != sections_.end()) {
        s->second.erase(key);
        if (s->second.empty()) {
            sections_.erase(s);
        }
    }
}

void CProfileStore::RemoveSection(const std::string& section)
{
    sections_.erase(section);
}

std::string CProfileStore::Serialize() const
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const auto& [section, values] : sections_) {
        out += "[" + Escape(section, true) + "]\n";
        for (const auto& [key, value] : values) {
            out += Escape(key, true) + "=";
            out += value.kind;
            out += ':';
            if (value.kind == 'i') {
                out += std::to_string(value.number);
            } else if (value.kind == 'b') {
                for (std::uint8_t byte : value.bytes) {
                    out += digits[byte >> 4];
                    out += digits[byte & 0xF];
                }
            } else {
                out += Escape(value.text, false);
            }
            out += '\n';
        }
    }
    return out;
}

std::size_t CProfileStore::Parse(const std::string& text, const std::string& origin)
{
    sections_.clear();
    problems_.clear();
    std::size_t skipped = 0;
    std::size_t lineNumber = 0;
    auto skip = [&](const char* why) {
        ++skipped;
        // Enough to find the damage; a damaged file does not fill memory with complaints.
        if (problems_.size() < 100) {
            problems_.push_back(origin + " line " + std::to_string(lineNumber) + ": " + why);
        }
    };
    const std::string* section = nullptr;
    std::string current;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 2 ||
                !Unescape(line.substr(1, line.size() - 2), current)) {
                section = nullptr;
                skip("section line is damaged; its values are skipped");
                continue;
            }
            sections_[current];
            section = &sections_.find(current)->first;
            continue;
        }
        const std::size_t eq = FindEquals(line);
        std::string key;
        if (section == nullptr) {
            skip("value outside a section");
            continue;
        }
        if (eq == std::string_view::npos || !Unescape(line.substr(0, eq), key)) {
            skip("no key=value");
            continue;
        }
        std::string_view rest = line.substr(eq + 1);
        if (rest.size() < 2 || rest[1] != ':') {
            skip("value without its kind");
            continue;
        }
        const char kind = rest[0];
        rest.remove_prefix(2);
        Value value;
        value.kind = kind;
        bool ok = true;
        if (kind == 's') {
            ok = Unescape(rest, value.text);
        } else if (kind == 'i') {
            auto [p, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value.number);
            ok = ec == std::errc() && p == rest.data() + rest.size() && !rest.empty();
        } else if (kind == 'b') {
            ok = rest.size() % 2 == 0;
            for (std::size_t i = 0; ok && i < rest.size(); i += 2) {
                const int hi = ui::HexDigitValue(rest[i]);
                const int lo = ui::HexDigitValue(rest[i + 1]);
                ok = hi >= 0 && lo >= 0;
                if (ok) {
                    value.bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
                }
            }
        } else {
            ok = false;
        }
        if (!ok) {
            skip(kind == 's'   ? "bad escape in text"
                 : kind == 'i' ? "bad number"
                 : kind == 'b' ? "bad bytes"
                               : "unknown kind");
            continue;
        }
        sections_[*section][key] = std::move(value);
    }
    return skipped;
}

bool CProfileStore::Load(const std::filesystem::path& file)
{
    sections_.clear();
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    // Settings files are small; a huge one is not ours and is ignored rather than read whole.
    constexpr std::uintmax_t kLimit = 16u << 20;
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size > kLimit) {
        problems_.push_back(file.string() + ": " + (ec ? "size unknown" : "larger than 16 MiB; not read"));
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    Parse(text.str(), file.string());
    return true;
}

bool CProfileStore::Save(const std::filesystem::path& file) const
{
    std::error_code ec;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), ec);
    }
    std::filesystem::path temp = file;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        const std::string text = Serialize();
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}
