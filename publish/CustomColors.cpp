#include "publish/CustomColors.h"

#include "model/PropertyMap.h"
#include "publish/ProgramContext.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

constexpr const char* kCustomColorKey = "customColor";

} // namespace

void InitCustomColorTable(publish::CustomColorTable& table)
{
    ResetCustomColors(table);
}

void ResetCustomColors(publish::CustomColorTable& table)
{
    table.fill(publish::kUnusedCustomColor);
}

void CopyCustomColors(publish::CustomColorTable& to, const publish::CustomColorTable& from)
{
    to = from;
}

publish::CustomColorTable* GetCustomColorTable()
{
    CProgramContext* context = CProgramContext::Current();
    return context ? &context->GetCustomColors() : nullptr;
}

void LoadCustomColors(publish::CustomColorTable& table, base::RecordReader& in)
{
    CPropertyMap map;
    map.Load(in);
    const std::vector<unsigned char>* value = map.Find(kCustomColorKey);
    if (!value) {
        return;
    }
    const std::size_t bytes = std::min(value->size(), table.size() * 4);
    for (std::size_t i = 0; i < bytes; ++i) {
        const unsigned shift = 8 * (i % 4);
        std::uint32_t& entry = table[i / 4];
        entry = (entry & ~(0xFFu << shift)) | (std::uint32_t{(*value)[i]} << shift);
    }
}

void SaveCustomColors(base::RecordWriter& out, const publish::CustomColorTable& table)
{
    base::RecordWriter bytes;
    for (std::uint32_t entry : table) {
        bytes.WriteU32(entry);
    }
    CPropertyMap map;
    map.SetProperty(kCustomColorKey, bytes.Bytes().data(), bytes.Bytes().size());
    map.Save(out);
}
