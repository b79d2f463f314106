#include "platform/services/FlashPlayerObject.h"
#include "tests/support/FlashPlayerFake.h"

#include <gtest/gtest.h>

namespace {

TEST(FlashPlayerObject, TheStartUpCheckCanCreateThePlayerByNameAndReadItsVersion)
{
    CObjectFactory factory;
    RegisterFlashPlayerObject(factory);
    EXPECT_EQ(factory.Create("ShockwaveFlash.ShockwaveFlash"), nullptr) << "no player without a factory";
    SetFlashPlayerFactory([] { return std::make_unique<CFakeFlashPlayer>(); });
    auto object = factory.Create("ShockwaveFlash.ShockwaveFlash");
    ASSERT_NE(object, nullptr);
    auto version = object->GetProperty("FlashVersion");
    ASSERT_TRUE(version.has_value());
    EXPECT_GT(std::get<std::int64_t>(*version), 0x60000);

    SetFlashPlayerFactory([] {
        auto p = std::make_unique<CFakeFlashPlayer>();
        p->SetVersionFails(true);
        return std::unique_ptr<IFlashPlayer>(std::move(p));
    });
    EXPECT_FALSE(factory.Create("ShockwaveFlash.ShockwaveFlash")->GetProperty("FlashVersion").has_value());
    ResetFlashPlayerFactory();
    EXPECT_EQ(factory.Create("ShockwaveFlash.ShockwaveFlash"), nullptr);
}

} // namespace
