#include "tests/support/FlashPlayerFake.h"
#include "platform/drawing/RecordingDC.h"

#include <gtest/gtest.h>

namespace {

struct Sink : IFlashPlayerEvents {
    std::vector<std::pair<std::string, std::string>> got;
    void OnPlayerCommand(const std::string& c, const std::string& a) override { got.emplace_back(c, a); }
};

TEST(FakeFlashPlayer, RecordsCallsLayersAndVariables)
{
    CFakeFlashPlayer player;
    EXPECT_GT(player.FlashVersion(), 0x60000); // passes the start-up check
    player.LoadMovie(0, "loadblank");
    player.LoadMovie(0, "/tmp/stage.swf");
    player.SetVariable("_root.__compName", "Chart_1");
    player.TCallLabel("/", "AddComponent");
    player.Zoom(50);
    player.Zoom(0);
    EXPECT_EQ(player.LayerMovie(0), "/tmp/stage.swf");
    EXPECT_EQ(player.Variable("_root.__compName"), "Chart_1");
    EXPECT_EQ(player.ZoomFactor(), 0);
    EXPECT_EQ(player.CallsOf("LoadMovie").size(), 2u);
    EXPECT_EQ(player.CallsOf("TCallLabel")[0], (CFakeFlashPlayer::Call{"TCallLabel", {"/", "AddComponent"}}));
    // Loading the root again starts with fresh variables; "loadblank" empties the layer.
    player.LoadMovie(0, "loadblank");
    EXPECT_EQ(player.LayerMovie(0), "");
    EXPECT_FALSE(player.HasVariable("_root.__compName"));

    player.SetVersionFails(true);
    EXPECT_THROW(player.FlashVersion(), std::runtime_error);
}

TEST(FakeFlashPlayer, LabelsAnswerAtOnceOrWhenDelivered)
{
    CFakeFlashPlayer player;
    Sink sink;
    player.SetEventSink(&sink);
    player.OnLabel("GetBounds", {{"GetBounds", "KVGaugeSymbol 0 100 0 50"}});
    player.OnLabel("GetData", [](CFakeFlashPlayer& p, const std::string&) {
        return std::vector<CFakeFlashPlayer::Command>{{"cmp", p.Variable("which") + " title Sales"},
                                                      {"done", ""}};
    });
    player.TCallLabel("/", "GetBounds");
    ASSERT_EQ(sink.got.size(), 1u);
    EXPECT_EQ(sink.got[0].second, "KVGaugeSymbol 0 100 0 50");

    player.SetQueuedReplies(true);
    player.SetVariable("which", "Chart_1");
    player.TCallLabel("/", "GetData");
    EXPECT_EQ(sink.got.size(), 1u);
    EXPECT_EQ(player.QueuedCount(), 2u);
    EXPECT_EQ(player.DeliverQueued(), 2u);
    ASSERT_EQ(sink.got.size(), 3u);
    EXPECT_EQ(sink.got[1], (std::pair<std::string, std::string>{"cmp", "Chart_1 title Sales"}));
    EXPECT_EQ(sink.got[2].first, "done");
    player.TCallLabel("/", "Unknown"); // no script: nothing fires
    EXPECT_EQ(player.DeliverQueued(), 0u);
}

TEST(FakeFlashPlayer, FactoryAndDrawing)
{
    // Nothing makes a player unless a factory is installed.
    EXPECT_EQ(CreateFlashPlayer(), nullptr);
    SetFlashPlayerFactory([] { return std::make_unique<CFakeFlashPlayer>(); });
    EXPECT_EQ(CreateFlashPlayer()->FlashVersion(), kHeadlessFlashVersion);
    SetFlashPlayerFactory([] { return std::make_unique<CFakeFlashPlayer>(0x50000); });
    EXPECT_EQ(CreateFlashPlayer()->FlashVersion(), 0x50000);
    ResetFlashPlayerFactory();

    CFakeFlashPlayer player;
    player.SetBackgroundColor(0x336699);
    player.LoadMovie(0, "/a/b/stage.swf");
    CRecordingDC dc(50, 20);
    player.Draw(dc, CRect(0, 0, 50, 20));
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(0x33, 0x66, 0x99));
    EXPECT_EQ(dc.Texts(), std::vector<std::string>{"stage.swf"});
}

} // namespace

#include "platform/services/FlashPlayerObject.h"

namespace {

TEST(FlashPlayerObject, TheStartUpCheckCanCreateThePlayerByNameAndReadItsVersion)
{
    CObjectFactory factory;
    RegisterFlashPlayerObject(factory);
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
