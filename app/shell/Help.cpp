#include "app/shell/Help.h"

#include "platform/services/Services.h"

namespace {

constexpr HelpContextEntry kHelpContexts[] = {
    {57600, 1},  {57601, 2},  {57603, 3},  {57604, 41}, {32854, 4},  {172, 5},    {32837, 6},  {142, 7},
    {32821, 8},  {137, 9},    {57643, 10}, {57644, 11}, {57635, 12}, {57634, 13}, {57637, 14}, {57632, 15},
    {57642, 16}, {32785, 17}, {32848, 18}, {32769, 19}, {165, 19},   {32824, 20}, {32813, 9},  {32860, 21},
    {32889, 52}, {277, 21},   {32827, 22}, {32829, 22}, {32830, 22}, {32831, 22}, {33595, 22}, {33594, 22},
    {32833, 23}, {32834, 23}, {32835, 23}, {32839, 28}, {32840, 28}, {32841, 24}, {32842, 24}, {32851, 24},
    {32777, 25}, {32778, 25}, {32779, 25}, {32780, 25}, {32858, 26}, {32859, 27}, {32770, 29}, {32772, 30},
    {32852, 31}, {32853, 32}, {33951, 33}, {33952, 34}, {32878, 36}, {32879, 37}, {32864, 38}, {32884, 39},
    {57664, 40}, {32876, 42}, {32877, 44}, {32871, 43}, {32885, 45}, {32872, 46}, {32880, 47}, {32881, 48},
    {32882, 49}, {32883, 49}, {337, 52},
};

} // namespace

const HelpContextEntry* HelpContextTable(int* count)
{
    if (count != nullptr) {
        *count = static_cast<int>(std::size(kHelpContexts));
    }
    return kHelpContexts;
}

int FindHelpContext(UINT id)
{
    for (const HelpContextEntry& entry : kHelpContexts) {
        if (entry.id == id) {
            return entry.topic;
        }
    }
    return -1;
}

HWND CallHtmlHelp(HWND owner, const char* helpFile, UINT command, std::uintptr_t data)
{
    // The desktop's help viewer stands in for the help module; it answers each call itself.
    return HtmlHelp(owner, helpFile, command, data);
}
