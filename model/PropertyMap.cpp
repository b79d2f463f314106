#include "model/PropertyMap.h"

#include "base/ModelError.h"
#include "model/FileBytes.h"

#include <cstdint>
#include <cstring>

void CPropertyMap::SetProperty(const std::string& name, const void* data, std::size_t length)
{
    const std::uint8_t* p = static_cast<const std::uint8_t*>(data);
    values_[name] = length > 0 ? std::vector<std::uint8_t>(p, p + length) : std::vector<std::uint8_t>();
}

bool CPropertyMap::GetProperty(const std::string& name, void* buffer, std::size_t length) const
{
    auto it = values_.find(name);
    if (it == values_.end()) {
        return false;
    }
    std::size_t n = std::min(length, it->second.size());
    if (n > 0) {
        std::memcpy(buffer, it->second.data(), n);
    }
    return true;
}

const std::vector<std::uint8_t>* CPropertyMap::Find(const std::string& name) const
{
    auto it = values_.find(name);
    return it == values_.end() ? nullptr : &it->second;
}

void CPropertyMap::Load(base::RecordReader& in)
{
    std::map<std::string, std::vector<std::uint8_t>> values;
    if (!in.AtEnd()) {
        std::uint32_t count = in.ReadCount("property map count", 8);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint32_t length = in.ReadCount("property value length", 1);
            std::vector<std::uint8_t> value(length);
            in.ReadBytes(value.data(), length, "property value");
            std::string name = in.ReadString("property name");
            values[name] = std::move(value);
        }
    }
    values_ = std::move(values);
}

void CPropertyMap::Save(base::RecordWriter& out) const
{
    out.WriteU32(static_cast<std::uint32_t>(values_.size()));
    for (const auto& [name, value] : values_) {
        out.WriteU32(static_cast<std::uint32_t>(value.size()));
        out.WriteBytes(value.data(), value.size());
        out.WriteU32(static_cast<std::uint32_t>(name.size() + 1));
        out.WriteBytes(name.c_str(), name.size() + 1);
    }
}

bool CPropertyMap::LoadFile(const std::string& path, std::string* error)
{
    std::vector<std::uint8_t> bytes;
    if (!model::ReadFileBytes(path, bytes)) {
        if (error) {
            *error = "cannot read " + path;
        }
        return false;
    }
    try {
        base::RecordReader in(bytes);
        Load(in);
        return true;
    } catch (const ModelError& e) {
        if (error) {
            *error = path + ": " + e.what();
        }
        return false;
    }
}

bool CPropertyMap::SaveFile(const std::string& path) const
{
    base::RecordWriter out;
    Save(out);
    return model::WriteFileBytes(path, out.Bytes());
}
