#pragma once

#include "base/RecordStream.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A map from a name to an opaque byte value (editor state, settings).
class CPropertyMap {
public:
    // Inserts or replaces a copy of length bytes.
    void SetProperty(const std::string& name, const void* data, std::size_t length);
    // Copies the stored value into buffer when the name is present and returns true; never
    // more than length bytes, and when the stored value is shorter the rest of the buffer
    // keeps what the caller put there. An absent name leaves the buffer untouched.
    bool GetProperty(const std::string& name, void* buffer, std::size_t length) const;
    const std::vector<std::uint8_t>* Find(const std::string& name) const;
    bool Remove(const std::string& name) { return values_.erase(name) > 0; }
    std::size_t GetCount() const { return values_.size(); }
    void Clear() { values_.clear(); }
    bool operator==(const CPropertyMap&) const = default;

    // Counted record form: u32 count, then per record u32 value length, the value, u32 name
    // length (NUL included) and the name. The end of the input reads as count 0. On damaged
    // input Load throws ModelError and the map keeps its entries.
    void Load(base::RecordReader& in);
    void Save(base::RecordWriter& out) const;
    // The same form as a whole file (the settings file). Load: false when the file cannot be
    // read or is damaged (the map unchanged); Save: false when it cannot be written.
    bool LoadFile(const std::string& path, std::string* error = nullptr);
    bool SaveFile(const std::string& path) const;

private:
    std::map<std::string, std::vector<std::uint8_t>> values_;
};
