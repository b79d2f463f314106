#include "base/Profile.h"

#include "base/FileRead.h"
#include "base/TextCodes.h"

#include <cerrno>
#include <charconv>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Lines of no section, or of a section that is gone, come first: read again they are outside
// every section, as they were, and are kept again.
void CProfileStore::KeepLines(std::string& out, const std::string* section) const
{
    for (const KeptLine& kept : kept_) {
        const bool homeless = kept.section.empty() || sections_.count(kept.section) == 0;
        if (section == nullptr ? homeless : (!homeless && kept.section == *section)) {
            out += kept.line;
            out += '\n';
        }
    }
}

std::string CProfileStore::Serialize() const
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    KeepLines(out, nullptr);
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
        KeepLines(out, &section);
    }
    return out;
}

std::size_t CProfileStore::Parse(const std::string& text, const std::string& origin)
{
    sections_.clear();
    kept_.clear();
    problems_.clear();
    std::size_t skipped = 0;
    std::size_t lineNumber = 0;
    // The section a damaged line is kept in: the last good one, even after a damaged section
    // line, so the lines keep their order within it.
    std::string keptIn;
    std::string_view line;
    // A damaged line is kept as it was read, its line ending's carriage return included, so that
    // writing it back and reading it again gives the same line.
    std::string_view raw;
    auto skip = [&](const char* why) {
        ++skipped;
        kept_.push_back({keptIn, std::string(raw)});
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
        line = std::string_view(text.data() + start, end - start);
        raw = line;
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
            keptIn = current;
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
    kept_.clear();
    problems_.clear();
    unreadable_ = false;
    // Settings files are small; a huge one is not ours and is left alone rather than read whole.
    constexpr std::size_t kLimit = 16u << 20;
    std::vector<std::uint8_t> bytes;
    std::string reason;
    if (!base::ReadRegularFile(file.string(), bytes, kLimit, &reason)) {
        struct stat info {};
        if (::lstat(file.c_str(), &info) != 0 && errno == ENOENT) {
            return false;
        }
        unreadable_ = true;
        problems_.push_back(file.string() + ": " + reason + "; not read, and left as it is (settings are not saved)");
        return false;
    }
    Parse(std::string(bytes.begin(), bytes.end()), file.string());
    return true;
}

bool CProfileStore::Save(const std::filesystem::path& file) const
{
    if (unreadable_) {
        return false;
    }
    std::error_code ec;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), ec);
    }
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return false;
    }
    // A name of our own, made exclusively and never through a link someone planted there.
    std::random_device random;
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = file;
        temp += "." + std::to_string(::getpid()) + "-" + std::to_string(random()) + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    const std::string text = Serialize();
    bool ok = true;
    for (std::size_t done = 0; ok && done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        done += ok ? static_cast<std::size_t>(n) : 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) {
        std::filesystem::rename(temp, file, ec);
        ok = !ec;
    }
    if (!ok) {
        std::filesystem::remove(temp, ec);
    }
    return ok;
}
