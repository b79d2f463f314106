#include "model/ModelHooks.h"

namespace model {
namespace {

class NoModelLink : public IModelLink {
public:
    std::string GetRangeText(const CRange&) override { return std::string(); }
    std::vector<RangeArea> ReadRange(const CRange&) override { return {}; }
    bool HasFormula(std::int32_t) override { return false; }
    int FindRange(const CRange&) override { return -1; }
    const CRange* GetRange(int) override { return nullptr; }
    const CRange* MakeSubRange(const CRange&, int, int, int, int, int) override { return nullptr; }
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
