#include "pages/ChartPageKit.h"

#include "model/Parameter.h"
#include "model/PropertyMap.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"

#include <cstring>

namespace pages {

namespace {

int IndexIn(const char* const (&order)[9], const std::string& type)
{
    for (int i = 0; i < 9; ++i)
        if (type == order[i])
            return i;
    return -1;
}

} // namespace

std::string ChartTypeOf(const CParameterSet* root)
{
    const CParameter* type = FindInComponent(root, "chartType");
    return type != nullptr ? type->GetValueText() : std::string();
}

int GeneralChartIndex(const std::string& type)
{
    static const char* const order[9] = {"bar", "bubble", "column", "line", "pie",
                                         "xy",  "combo",  "stackbar", "stackcolumn"};
    return IndexIn(order, type);
}

int AppearanceChartIndex(const std::string& type)
{
    static const char* const order[9] = {"pie", "bar", "xy", "bubble", "line",
                                         "column", "combo", "stackbar", "stackcolumn"};
    return IndexIn(order, type);
}

int ChartTopic(const int (&table)[9], int index)
{
    return index >= 0 && index < 9 ? table[index] : -1;
}

bool ReadStateInt(const CPropertyMap* map, const char* key, int& value)
{
    const std::vector<std::uint8_t>* stored = map != nullptr ? map->Find(key) : nullptr;
    if (stored == nullptr || stored->size() < 4)
        return false;
    const std::uint8_t* b = stored->data();
    value = static_cast<int>(static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                             static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24);
    return true;
}

void WriteStateInt(CPropertyMap* map, const char* key, int value)
{
    if (map == nullptr)
        return;
    const auto v = static_cast<std::uint32_t>(value);
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                   static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    map->SetProperty(key, bytes, sizeof bytes);
}

bool ReadStateFlag(const CPropertyMap* map, const char* key, bool& value)
{
    const std::vector<std::uint8_t>* stored = map != nullptr ? map->Find(key) : nullptr;
    if (stored == nullptr || stored->empty())
        return false;
    value = (*stored)[0] != 0;
    return true;
}

void WriteStateFlag(CPropertyMap* map, const char* key, bool value)
{
    if (map == nullptr)
        return;
    const std::uint8_t byte = value ? 1 : 0;
    map->SetProperty(key, &byte, 1);
}

} // namespace pages
