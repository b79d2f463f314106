#include "model/ModelHooks.h"

namespace model {
namespace {

class NoModelLink : public IModelLink {
public:
    std::string GetRangeText(const RangeHandle&) override { return std::string(); }
    std::vector<RangeArea> ReadRange(const RangeHandle&) override { return {}; }
    bool HasFormula(std::int32_t) override { return false; }
    int FindRange(const RangeHandle&) override { return -1; }
    const RangeHandle* GetRange(int) override { return nullptr; }
    const RangeHandle* MakeSubRange(const RangeHandle&, int, int, int, int, int) override { return nullptr; }
    void ModelLinksChanged() override {}
    std::uint64_t GetTableGeneration() override { return 0; }
};

IModelLink*& Installed()
{
    static IModelLink* link = nullptr;
    return link;
}

} // namespace

IModelLink& GetModelLink()
{
    static NoModelLink none;
    IModelLink* link = Installed();
    return link ? *link : none;
}

void SetModelLink(IModelLink* link)
{
    Installed() = link;
}

void ResetModelLink()
{
    Installed() = nullptr;
}

} // namespace model
