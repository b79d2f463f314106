#include "sheet/host/ProcessServices.h"

#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "model/ModelHooks.h"
#include "sheet/formula/FunctionLibraryHook.h"
#include "swf/SwfTrace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct KnowsSum : IFunctionLibrary {
    int GetSymbolKind(std::string_view name) override { return name == "SUM" ? 20 : 0; }
    void UseFunction(std::string_view) override {}
    void ReleaseFunction(std::string_view) override {}
};

struct OneRangeLink : model::IModelLink {
    struct Range : model::RangeHandle {};
    Range range;
    std::string GetRangeText(const model::RangeHandle&) override { return "A1"; }
    std::vector<model::RangeArea> ReadRange(const model::RangeHandle&) override { return {}; }
    bool HasFormula(std::int32_t) override { return false; }
    int FindRange(const model::RangeHandle& r) override { return &r == &range ? 0 : -1; }
    const model::RangeHandle* GetRange(int index) override { return index == 0 ? &range : nullptr; }
    const model::RangeHandle* MakeSubRange(const model::RangeHandle&, int, int, int, int, int) override
    {
        return nullptr;
    }
    void ModelLinksChanged() override {}
    std::uint64_t GetTableGeneration() override { return 7; }
};

} // namespace

// Whatever a scope installs is seen by every layer, and all of it is gone afterwards: the next
// test starts from the stand-ins.
TEST(ProcessServices, AScopeInstallsEveryServiceAndLeavesOnlyStandIns)
{
    KnowsSum library;
    OneRangeLink link;
    std::vector<std::string> traced;
    {
        ProcessServices services;
        services.functionLibrary = &library;
        services.modelLink = &link;
        services.catalog = std::make_unique<CComponentCatalog>();
        services.traceSink = [&](std::string_view line) { traced.emplace_back(line); };
        ScopedProcessServices scope(std::move(services));

        EXPECT_EQ(GetFunctionLibraryHook().GetSymbolKind("SUM"), 20);
        EXPECT_EQ(model::GetModelLink().GetRange(0), &link.range);
        EXPECT_NE(GetComponentCatalog(), nullptr);
        swf::Trace("seen");
        model::InstanceCounter() = 41;
    }
    EXPECT_EQ(GetFunctionLibraryHook().GetSymbolKind("SUM"), 0);
    EXPECT_EQ(GetFunctionLibraryHook().GetSymbolKind("+"), 1);
    EXPECT_EQ(model::GetModelLink().GetRange(0), nullptr);
    EXPECT_EQ(model::GetModelLink().GetTableGeneration(), 0u);
    EXPECT_EQ(GetComponentCatalog(), nullptr);
    EXPECT_EQ(model::InstanceCounter(), 0u);
    testing::internal::CaptureStderr();
    swf::Trace("not seen");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "not seen\n");
    EXPECT_EQ(traced, std::vector<std::string>{"seen"});
}
