#include "app/stage/StageFlashCtrl.h"

#include "model/CellBinding.h"
#include "model/ComponentCatalog.h"
#include "model/ComponentDef.h"
#include "model/ParameterSet.h"
#include "publish/TempFiles.h"
#include "swf/SwfMovie.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "tests/support/ComponentFixture.h"
#include "tests/support/FlashPlayerFake.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiTest.h"

#include <algorithm>
#include <fstream>

namespace {

using Call = CFakeFlashPlayer::Call;

Call Var(const std::string& name, const std::string& value)
{
    return {"SetVariable", {name, value}};
}
Call Label(const std::string& label)
{
    return {"TCallLabel", {"/", label}};
}
// The tree of an instance without parameters.
std::vector<Call> EmptyTree()
{
    return {Var("_root.__numObjParams", "1"), Label("InitParams"), Var("_root.obj0.__name", "params"),
            Var("_root.obj0.__objType", "o")};
}
std::vector<Call> Join(std::initializer_list<std::vector<Call>> parts)
{
    std::vector<Call> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class RecordingHost : public IStageHost {
public:
    std::vector<std::string> log;
    void BeginBusy() override { log.push_back("busy"); }
    void EndBusy() override { log.push_back("idle"); }
    void RepaintCanvas() override { log.push_back("repaint"); }
    void ReportStageProblem(const std::string& text) override { log.push_back("problem: " + text); }
};

class CanvasObject : public IStageObject {
public:
    std::vector<std::unique_ptr<CComponent>> instances;
    ComponentRect position{-1, -1, -1, -1};
    int naturalWidth = -1, naturalHeight = -1;
    int boundsUpdates = 0;

    int GetInstanceCount() const override { return static_cast<int>(instances.size()); }
    CComponent* GetInstance(int index) const override { return instances[index].get(); }
    void SetStagePosition(const ComponentRect& rect) override { position = rect; }
    void SetNaturalSize(int width, int height) override
    {
        naturalWidth = width;
        naturalHeight = height;
    }
    void UpdateBounds() override { ++boundsUpdates; }
};

// An installation with the fixture's catalogue and a small tool movie of two frames.
class StageTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        testsupport::WriteComponentFixture(install.path(), {"KVGaugeSymbol", "KVTableNewSymbol"});
        WriteToolMovie(install.path());
        ASSERT_TRUE(catalog.Load(install.path()));
        SetFlashPlayerFactory([] { return std::make_unique<CFakeFlashPlayer>(); });
        ASSERT_TRUE(parent.CreateEx(0, "Parent", "canvas", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
    }
    void TearDown() override
    {
        ResetFlashPlayerFactory();
        UiTest::TearDown();
    }
    static void WriteToolMovie(const std::filesystem::path& dir)
    {
        std::filesystem::create_directories(dir / "asset");
        CSwfMovie movie;
        swf::IdCounter ids;
        auto sprite = std::make_unique<CSwfSprite>(ids);
        sprite->AddTag(std::make_unique<CSwfShowFrame>());
        const std::uint16_t id = sprite->GetCharacterId();
        movie.AddTag(std::move(sprite));
        auto exported = std::make_unique<CSwfExportedSymbol>(id);
        exported->SetName("kvStageTool");
        movie.AddTag(std::move(exported));
        movie.AddTag(std::make_unique<CSwfShowFrame>());
        movie.AddTag(std::make_unique<CSwfShowFrame>());
        movie.WriteFile(dir / "asset" / "toolsrc.dat", 2000, 1000, 30, false, true);
    }
    std::unique_ptr<CStageFlashCtrl> MakeStage()
    {
        StageSetup setup;
        setup.installDir = install.path();
        setup.catalog = &catalog;
        setup.tempFiles = &files;
        setup.host = &host;
        setup.namedValues = [this] { return named; };
        auto stage = std::make_unique<CStageFlashCtrl>(setup);
        EXPECT_TRUE(stage->IsReady()) << stage->GetError();
        EXPECT_TRUE(stage->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 20), &parent, 158));
        return stage;
    }
    static CFakeFlashPlayer& Player(CStageFlashCtrl& stage)
    {
        return *dynamic_cast<CFakeFlashPlayer*>(stage.GetPlayer());
    }
    // A canvas object with instances of the symbols, measured as 100 x 50 pixels at (0, 0), placed
    // at the rectangle and without parameters unless asked.
    std::unique_ptr<CanvasObject> MakeObject(std::initializer_list<std::string> symbols,
                                             ComponentRect rect = {200, 400, 2200, 1400}, bool parameters = false)
    {
        auto object = std::make_unique<CanvasObject>();
        int n = 0;
        for (const std::string& symbol : symbols) {
            auto instance = catalog.FindByTypeName(symbol)->CreateInstance();
            instance->SetName(symbol + "_" + std::to_string(++n));
            instance->SetBounds(0, 0, 2000, 1000);
            instance->SetRect(rect);
            if (!parameters)
                instance->SetParameters(nullptr);
            object->instances.push_back(std::move(instance));
        }
        return object;
    }

    testsupport::TempDir install;
    CComponentCatalog catalog;
    publish::CDefaultTempFiles files;
    RecordingHost host;
    std::map<std::string, std::string> named;
    CWnd parent;
};

TEST_F(StageTest, EveryOperationSendsItsVariablesThenItsLabelPerInstance)
{
    auto stage = MakeStage();
    CFakeFlashPlayer& player = Player(*stage);
    // 2000 x 1000 twips drawn at 2000 x 1000 from (200, 400): unscaled, at 10, 20 pixels.
    const std::vector<Call> placement = {Var("_root.obj0._x", "10"), Var("_root.obj0._y", "20"),
                                         Var("_root.obj0._xscale", "100"), Var("_root.obj0._yscale", "100")};
    const auto named = [](const std::string& n) { return Var("_root.__compName", n); };
    const auto typed = [](const std::string& t) { return Var("_root.__compType", t); };
    struct Case {
        const char* what;
        std::function<void(CStageFlashCtrl&, CanvasObject&)> run;
        std::vector<Call> expected;
    };
    const std::vector<Case> cases = {
        {"add", [](auto& s, auto& o) { s.AddComponent(o); },
         Join({{named("KVGaugeSymbol_1"), typed("KVGaugeSymbol")}, EmptyTree(), placement, {Label("AddComponent")}})},
        {"update", [](auto& s, auto& o) { s.UpdateComponent(o); },
         Join({{named("KVGaugeSymbol_1"), typed("KVGaugeSymbol")}, EmptyTree(), placement,
               {Label("UpdateComponent")}})},
        {"reinit", [](auto& s, auto& o) { s.ReinitComponent(o); },
         Join({{named("KVGaugeSymbol_1"), typed("KVGaugeSymbol")}, EmptyTree(), placement, {Label("ReinitComp")}})},
        {"resize", [](auto& s, auto& o) { s.ResizeComponent(o); },
         {named("KVGaugeSymbol_1"), typed("KVGaugeSymbol"), Var("_root.__x", "10"), Var("_root.__y", "20"),
          Var("_root.__xscale", "100"), Var("_root.__yscale", "100"), Label("FastResizeComp")}},
        {"move", [](auto& s, auto& o) { s.MoveComponent(o); },
         {named("KVGaugeSymbol_1"), Var("_root.__x", "10"), Var("_root.__y", "20"), Label("MoveComp")}},
        {"delete", [](auto& s, auto& o) { s.DeleteComponent(o); }, {named("KVGaugeSymbol_1"), Label("DeleteComponent")}},
        {"enable", [](auto& s, auto& o) { s.EnableComponent(o); }, {named("KVGaugeSymbol_1"), Label("EnableComp")}},
        {"disable", [](auto& s, auto& o) { s.DisableComponent(o); }, {named("KVGaugeSymbol_1"), Label("DisableComp")}},
        {"swap", [](auto& s, auto& o) { s.SwapDepths(*o.instances[0], *o.instances[0]); },
         {Var("_root.__compA", "KVGaugeSymbol_1"), Var("_root.__compB", "KVGaugeSymbol_1"), Label("SwapDepths")}},
        {"bounds", [](auto& s, auto& o) { s.GetComponentBounds(*o.instances[0]); },
         Join({{typed("KVGaugeSymbol")}, EmptyTree(), {Label("GetComponentBounds")}})},
    };
    for (const Case& c : cases) {
        auto object = MakeObject({"KVGaugeSymbol"});
        player.ClearCalls();
        c.run(*stage, *object);
        EXPECT_EQ(player.Calls(), c.expected) << c.what;
        stage->ForgetObject(*object);
    }

    // A group of three is three additions in instance order; a table resized with another
    // component is rebuilt and measured, the other only rescaled.
    auto group = MakeObject({"KVGaugeSymbol", "KVGaugeSymbol", "KVGaugeSymbol"});
    player.ClearCalls();
    stage->AddComponent(*group);
    const auto labels = player.CallsOf("TCallLabel");
    ASSERT_EQ(labels.size(), 6u);
    std::vector<std::string> names;
    for (const Call& call : player.CallsOf("SetVariable"))
        if (call.args[0] == "_root.__compName")
            names.push_back(call.args[1]);
    EXPECT_EQ(names, (std::vector<std::string>{"KVGaugeSymbol_1", "KVGaugeSymbol_2", "KVGaugeSymbol_3"}));

    auto mixed = MakeObject({"KVTableNewSymbol", "KVGaugeSymbol"});
    player.ClearCalls();
    host.log.clear();
    stage->ResizeComponent(*mixed);
    std::vector<std::string> called;
    for (const Call& call : player.CallsOf("TCallLabel"))
        called.push_back(call.args[1]);
    EXPECT_EQ(called, (std::vector<std::string>{"InitParams", "ResizeComp", "FastResizeComp"}));
    EXPECT_TRUE(stage->IsPending("KVTableNewSymbol_1"));
    EXPECT_FALSE(stage->IsPending("KVGaugeSymbol_2"));
    EXPECT_EQ(host.log, std::vector<std::string>{"busy"});
    stage->OnFSCommand("ResizeComp", "KVTableNewSymbol_1 1 2 3 4 extra");
    EXPECT_EQ(mixed->position, (ComponentRect{20, 60, 40, 80}));
    EXPECT_EQ(host.log, (std::vector<std::string>{"busy", "idle", "repaint"}));
}

TEST_F(StageTest, PlacementNumbersHaveEightDigitsAndZeroExtentsScaleOne)
{
    auto stage = MakeStage();
    CFakeFlashPlayer& player = Player(*stage);
    auto object = MakeObject({"KVGaugeSymbol"}, {333, 1, 3333, 1001});
    CComponent& instance = *object->instances[0];
    instance.SetBounds(-7, -3, 2993, 997); // 3000 x 1000 twips with the origin inside
    player.ClearCalls();
    stage->MoveComponent(*object);
    // x = (333 + 7) * 0.05, y = (1 + 3) * 0.05
    EXPECT_EQ(player.Calls()[1], Var("_root.__x", "17"));
    EXPECT_EQ(player.Calls()[2], Var("_root.__y", "0.2"));

    instance.SetRect({0, 0, 1000, 1000}); // a third of the width: 33.333333 %
    player.ClearCalls();
    stage->ResizeComponent(*object);
    EXPECT_EQ(player.Calls()[4], Var("_root.__xscale", "33.333333"));
    EXPECT_EQ(player.Calls()[5], Var("_root.__yscale", "100"));

    instance.SetBounds(0, 0, 0, 0); // not measured yet
    instance.SetRect({100, 200, 300, 400});
    player.ClearCalls();
    stage->ResizeComponent(*object);
    EXPECT_EQ(player.Calls()[2], Var("_root.__x", "5"));
    EXPECT_EQ(player.Calls()[4], Var("_root.__xscale", "100"));
}

TEST_F(StageTest, VariablesSendCrLfAsCrAndNamedModelValuesGoToTheRoot)
{
    auto stage = MakeStage();
    CFakeFlashPlayer& player = Player(*stage);
    player.ClearCalls();
    stage->SetVar("_root.a", "a\r\nb");
    stage->SetVar("_root.b", "a\nb\r");
    stage->SetVar("_root.c", "");
    EXPECT_EQ(player.Calls(), (std::vector<Call>{Var("_root.a", "a\rb"), Var("_root.b", "a\nb\r"), Var("_root.c", "")}));

    named = {{"KVDecimalSeparator", ","}, {"KVSDAYNAME1", "Monday"}};
    player.ClearCalls();
    stage->Reload();
    EXPECT_EQ(player.Calls(),
              (std::vector<Call>{{"LoadMovie", {"0", "loadblank"}},
                                 {"LoadMovie", {"0", stage->GetStageMoviePath().string()}},
                                 Var("_root.KVDecimalSeparator", ","), Var("_root.KVSDAYNAME1", "Monday")}));
}

TEST_F(StageTest, StageFilesAreWrittenPatchedAndLoadedPerPlayerVersion)
{
    auto stage = MakeStage();
    const auto path = stage->GetStageMoviePath();
    const auto large = stage->GetLargeStageMoviePath();
    ASSERT_TRUE(std::filesystem::exists(path));
    ASSERT_TRUE(std::filesystem::exists(large));
    for (const auto& [file, width, height] :
         {std::tuple{path, 600, 400}, std::tuple{large, 16000, 12000}}) {
        CSwfMovie movie;
        movie.LoadFile(file);
        const auto bytes = testsupport::ReadBytes(file);
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "FWS");
        EXPECT_EQ(bytes[3], 6);
        EXPECT_EQ(movie.GetFrameRect().xmax, width);
        EXPECT_EQ(movie.GetFrameRect().ymax, height);
        EXPECT_EQ(movie.GetFrameRate(), 30);
        EXPECT_EQ(movie.GetFrameCount(), 2); // the tool movie's frames
        std::vector<std::string> exported;
        for (const ClipEntry& clip : movie.GetClipEntries())
            exported.push_back(clip.GetName());
        EXPECT_EQ(exported, (std::vector<std::string>{"KVGaugeSymbol", "KVTableNewSymbol", "kvStageTool"}));
        ASSERT_GT(movie.GetTagCount(), 0u);
        EXPECT_EQ(movie.GetTag(0)->GetTagCode(), swf::TagCode::ScriptLimits);
    }
    // Both files of the one pass, nothing else left behind.
    EXPECT_EQ(files.Files().size(), 2u);

    CFakeFlashPlayer& player = Player(*stage);
    player.ClearCalls();
    stage->SetStageSize(640, 480);
    CSwfMovie patched;
    patched.LoadFile(path);
    EXPECT_EQ(patched.GetFrameRect().xmax, 12800);
    EXPECT_EQ(patched.GetFrameRect().ymax, 9600);
    CRect window;
    stage->GetWindowRect(&window);
    EXPECT_EQ(window.Width(), 640);
    EXPECT_EQ(player.CallsOf("LoadMovie").size(), 2u);
    EXPECT_TRUE(player.CallsOf("Play").empty());

    player.SetVersion(0x5FFFE);
    player.ClearCalls();
    stage->Reload();
    EXPECT_EQ(player.Calls(), (std::vector<Call>{{"LoadMovie", {"0", "loadblank"}},
                                                 {"LoadMovie", {"0", path.string()}},
                                                 {"Movie", {path.string()}},
                                                 {"Play", {}}}));
    player.SetVersion(0x5FFFF);
    player.ClearCalls();
    stage->Reload();
    EXPECT_EQ(player.Calls().size(), 2u);

    stage.reset();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(large));
}

// A new document empties the temporary folder: the stage writes its files again, at the size
// it had, before the player is asked to read them.
TEST_F(StageTest, StageFilesRemovedUnderTheStageAreWrittenAgainBeforeAReload)
{
    auto stage = MakeStage();
    stage->SetStageSize(640, 480);
    const auto path = stage->GetStageMoviePath();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        std::filesystem::remove(stage->GetStageMoviePath());
        std::filesystem::remove(stage->GetLargeStageMoviePath());
        CFakeFlashPlayer& player = Player(*stage);
        player.ClearCalls();
        if (round == 0)
            stage->Reload();
        else
            stage->SetStageSize(700, 500);
        ASSERT_TRUE(std::filesystem::exists(stage->GetStageMoviePath()));
        ASSERT_TRUE(std::filesystem::exists(stage->GetLargeStageMoviePath()));
        CSwfMovie movie;
        movie.LoadFile(stage->GetStageMoviePath());
        EXPECT_EQ(movie.GetFrameRect().xmax, round == 0 ? 12800 : 14000);
        EXPECT_EQ(movie.GetFrameRect().ymax, round == 0 ? 9600 : 10000);
        const std::vector<Call> loads = player.CallsOf("LoadMovie");
        ASSERT_EQ(loads.size(), 2u);
        EXPECT_EQ(loads[1].args.at(1), stage->GetStageMoviePath().string());
    }
    EXPECT_EQ(files.Files().size(), 2u);
}

TEST_F(StageTest, EveryLookIsWrittenAndOnlyTheLastLooksFilesStay)
{
    std::filesystem::copy(install / "component" / "basic", install / "component" / "second");
    CComponentCatalog two;
    ASSERT_TRUE(two.Load(install.path()));
    ASSERT_EQ(two.GetFolderCount(), 2);
    StageSetup setup;
    setup.installDir = install.path();
    setup.catalog = &two;
    setup.tempFiles = &files;
    setup.host = &host;
    auto stage = std::make_unique<CStageFlashCtrl>(setup);
    ASSERT_TRUE(stage->IsReady()) << stage->GetError();
    EXPECT_EQ(files.Files(), (std::vector<std::filesystem::path>{stage->GetStageMoviePath(), stage->GetLargeStageMoviePath()}));
    EXPECT_EQ(two.GetCurrentVariant(), 1);
    stage.reset();
    EXPECT_TRUE(files.Files().empty());
}

TEST_F(StageTest, AMissingToolMovieIsTriedABoundedNumberOfTimesAndReported)
{
    std::filesystem::remove(install / "asset" / "toolsrc.dat");
    StageSetup setup;
    setup.installDir = install.path();
    setup.catalog = &catalog;
    setup.tempFiles = &files;
    setup.host = &host;
    CStageFlashCtrl stage(setup);
    EXPECT_FALSE(stage.IsReady());
    EXPECT_NE(stage.GetError().find("toolsrc.dat"), std::string::npos);
    EXPECT_TRUE(files.Files().empty());
}

TEST_F(StageTest, RepliesSetBoundsAndGeometryAndMalformedOnesAreIgnored)
{
    auto stage = MakeStage();
    CComponentDef* gauge = catalog.FindDefinition("KVGaugeSymbol");
    gauge->SetBoundsChanged(0);
    gauge->SetBounds({0, 2000, 0, 1000});
    stage->OnFSCommand("GetBounds", "KVGaugeSymbol 0 100 0 50");
    EXPECT_EQ(gauge->GetBoundsChanged(), 0);
    stage->OnFSCommand("GetBounds", "KVGaugeSymbol  -1.5   100.25 2 50");
    EXPECT_EQ(gauge->GetBoundsChanged(), 1);
    EXPECT_EQ(gauge->GetBounds(), (std::array<double, 4>{-30, 2005, 40, 1000}));
    CSwfComponent* prototype = catalog.FindByTypeName("KVGaugeSymbol");
    EXPECT_EQ(prototype->GetBounds(), (std::array<double, 4>{-30, 2005, 40, 1000}));
    EXPECT_EQ(prototype->GetRect(), (ComponentRect{-30, 40, 2005, 1000}));

    // Unknown symbols, too few numbers, words for numbers: nothing changes, nothing breaks.
    for (const auto& [command, args] : std::vector<std::pair<std::string, std::string>>{
             {"GetBounds", "KVNoSuchSymbol 0 1 0 1"},
             {"GetBounds", "KVGaugeSymbol 0 1 0"},
             {"GetBounds", "KVGaugeSymbol 0 1 x 1"},
             {"UpdateComp", "KVGaugeSymbol_1 0 1"},
             {"UpdateComp", "Nobody_1 0 1 0 1"},
             {"ResizeComp", "Nobody_1 0 1 0 1"},
             {"ResizeComp", ""},
             {"Displayf", "%s%s%n"},
             {"Whatever", "1 2 3"}})
        EXPECT_TRUE(stage->OnFSCommand(command, args)) << command << " " << args;
    EXPECT_EQ(gauge->GetBounds(), (std::array<double, 4>{-30, 2005, 40, 1000}));
    EXPECT_TRUE(host.log.empty());
    stage->OnFSCommand("ReinitComp", "KVGaugeSymbol_1");
    stage->OnFSCommand("Refresh", "");
    stage->OnFSCommand("refresh", ""); // commands are compared with their case
    EXPECT_EQ(host.log, (std::vector<std::string>{"repaint", "repaint"}));

    // An update with five tokens sets rectangles only; with nine also the natural size and the
    // placement bounds.
    auto object = MakeObject({"KVGaugeSymbol", "KVGaugeSymbol"});
    object->instances[1]->SetBounds(1, 2, 3, 4);
    stage->UpdateComponent(*object);
    stage->OnFSCommand("UpdateComp", "KVGaugeSymbol_1 10 110 20 70");
    EXPECT_EQ(object->position, (ComponentRect{200, 400, 2200, 1400}));
    EXPECT_EQ(object->naturalWidth, -1);
    EXPECT_EQ(object->instances[0]->GetRect(), (ComponentRect{200, 400, 2200, 1400}));
    EXPECT_EQ(object->instances[1]->GetBounds(), (std::array<double, 4>{1, 3, 2, 4}));
    EXPECT_EQ(object->boundsUpdates, 1);
    stage->OnFSCommand("UpdateComp", "KVGaugeSymbol_2 10.07 110 20 70 -5 95 0 50");
    EXPECT_EQ(object->position, (ComponentRect{201, 400, 2200, 1400}));
    EXPECT_EQ(object->naturalWidth, 2000);
    EXPECT_EQ(object->naturalHeight, 1000);
    EXPECT_EQ(object->instances[1]->GetBounds(), (std::array<double, 4>{-100, 1900, 0, 1000}));
    // The entry is gone: a second reply for the name is not matched.
    object->position = {};
    stage->OnFSCommand("UpdateComp", "KVGaugeSymbol_2 0 1 0 1");
    EXPECT_EQ(object->position, (ComponentRect{}));
}

TEST_F(StageTest, BusyStateWaitsForEveryReplyEndsWithItsObjectOrAfterATimeOut)
{
    auto stage = MakeStage();
    // A group of two: busy until both have answered.
    auto group = MakeObject({"KVGaugeSymbol", "KVGaugeSymbol"});
    stage->UpdateComponent(*group);
    EXPECT_TRUE(stage->IsBusy());
    EXPECT_EQ(host.log, std::vector<std::string>{"busy"});
    stage->OnFSCommand("UpdateComp", "KVGaugeSymbol_1 0 10 0 10");
    EXPECT_TRUE(stage->IsBusy());
    stage->OnFSCommand("UpdateComp", "KVGaugeSymbol_2 0 10 0 10");
    EXPECT_FALSE(stage->IsBusy());
    EXPECT_EQ(host.log, (std::vector<std::string>{"busy", "repaint", "idle", "repaint"}));

    // The object goes before its answer: the busy state ends and a late reply finds nothing.
    host.log.clear();
    auto gone = MakeObject({"KVGaugeSymbol"});
    stage->UpdateComponent(*gone);
    stage->ForgetObject(*gone);
    EXPECT_FALSE(stage->IsBusy());
    EXPECT_FALSE(stage->IsPending("KVGaugeSymbol_1"));
    gone.reset();
    stage->OnFSCommand("UpdateComp", "KVGaugeSymbol_1 0 10 0 10");
    EXPECT_EQ(host.log, (std::vector<std::string>{"busy", "idle"}));

    // A stage that never answers: the window's timer ends the busy state after the time-out.
    host.log.clear();
    auto silent = MakeObject({"KVGaugeSymbol"});
    stage->UpdateComponent(*silent);
    clock->Advance(CStageFlashCtrl::kBusyTimeoutMs - 1);
    stage->SendMessage(WM_TIMER, 1, 0);
    EXPECT_TRUE(stage->IsBusy());
    clock->Advance(1);
    stage->SendMessage(WM_TIMER, 1, 0);
    EXPECT_FALSE(stage->IsBusy());
    EXPECT_EQ(host.log, (std::vector<std::string>{"busy", "idle"}));
    // Its answer still sets the object when it comes late.
    stage->OnFSCommand("UpdateComp", "KVGaugeSymbol_1 1 10 1 10");
    EXPECT_EQ(silent->position, (ComponentRect{20, 20, 200, 200}));
}

// The page gave up on the stage movie (tried twice on a busy machine): the busy state ends at
// once rather than after its time-out, the person is told, and nothing waits for answers.
TEST_F(StageTest, AStageMovieThePageGaveUpOnEndsTheBusyStateAndIsReported)
{
    auto stage = MakeStage();
    auto object = MakeObject({"KVGaugeSymbol"});
    stage->UpdateComponent(*object);
    ASSERT_TRUE(stage->IsBusy());
    stage->OnMovieNotLoaded("vantorel:///movie/1.swf", "in time");
    EXPECT_FALSE(stage->IsBusy());
    EXPECT_FALSE(stage->IsPending("KVGaugeSymbol_1"));
    ASSERT_EQ(host.log.size(), 3u);
    EXPECT_EQ(host.log[1], "idle");
    EXPECT_NE(host.log[2].find("problem: The canvas could not load its player movie in time"), std::string::npos)
        << host.log[2];
}

// The example of a set with a title and a General group holding a list and "embed".
TEST_F(StageTest, ParameterTreeIsWrittenDepthFirstWithTypeTagsAndStageOverrides)
{
    auto stage = MakeStage();
    CFakeFlashPlayer& player = Player(*stage);
    auto object = MakeObject({"KVGaugeSymbol"});
    CComponent& instance = *object->instances[0];
    auto set = std::make_unique<CParameterSet>();
    set->Add(std::make_unique<CParameter>("title", model::ParamType::Text))->SetString("Sales\r\nQ1");
    CParameter* general = set->Add(std::make_unique<CParameter>("General", model::ParamType::Group));
    CParameter* colors = general->GetSet()->Add(std::make_unique<CParameter>("colors", model::ParamType::List));
    colors->GetSet()->Add(std::make_unique<CParameter>("0", model::ParamType::Integer))->SetInt(255);
    colors->GetSet()->Add(std::make_unique<CParameter>("1", model::ParamType::Integer))->SetInt(-1);
    general->GetSet()->Add(std::make_unique<CParameter>("embed", model::ParamType::Boolean))->SetBool(true);
    instance.SetParameters(std::move(set));

    player.ClearCalls();
    stage->SendParameters(instance);
    EXPECT_EQ(player.Calls(), (std::vector<Call>{
                                  Var("_root.__numObjParams", "3"),
                                  Label("InitParams"),
                                  Var("_root.obj0.__path", ""),
                                  Var("_root.obj0.__name", "params"),
                                  Var("_root.obj0.__objType", "o"),
                                  Var("_root.obj0.title", "Sales\rQ1"),
                                  Var("_root.obj0t.title", "s"),
                                  Var("_root.obj1.__path", ".params"),
                                  Var("_root.obj1.__name", "General"),
                                  Var("_root.obj1.__objType", "o"),
                                  Var("_root.obj2.__path", ".params.General"),
                                  Var("_root.obj2.__name", "colors"),
                                  Var("_root.obj2.__numItems", "2"),
                                  Var("_root.obj2.p0", "255"),
                                  Var("_root.obj2t.p0", "i"),
                                  Var("_root.obj2.p1", "-1"),
                                  Var("_root.obj2t.p1", "i"),
                                  Var("_root.obj1.colors", ".params.General.colors"),
                                  Var("_root.obj1t.colors", "o"),
                                  Var("_root.obj1.embed", "0"),
                                  Var("_root.obj1t.embed", "b"),
                              }));
}

TEST_F(StageTest, ParameterTreeSkipsValueListsBindsByValueAndOverridesOnlyGroups)
{
    auto stage = MakeStage();
    CFakeFlashPlayer& player = Player(*stage);
    const auto build = [](CComponent& instance) {
        auto set = std::make_unique<CParameterSet>();
        CParameter* behavior = set->Add(std::make_unique<CParameter>("Behavior", model::ParamType::Group));
        CParameterSet* b = behavior->GetSet();
        b->Add(std::make_unique<CParameter>("displayStatus", model::ParamType::Text))->SetString("7");
        b->Add(std::make_unique<CParameter>("introStyle", model::ParamType::Text))->SetString("Fade-in");
        CParameter* values = b->Add(std::make_unique<CParameter>("values", model::ParamType::List));
        values->GetSet()->Add(std::make_unique<CParameter>("0", model::ParamType::Text));
        CParameter* bound = b->Add(std::make_unique<CParameter>("mv", model::ParamType::CellBinding));
        bound->GetBinding()->GetValue().SetType(model::ParamType::Number);
        bound->GetBinding()->GetValue().SetDouble(2.5);
        CParameter* rows = b->Add(std::make_unique<CParameter>("rows", model::ParamType::List));
        rows->GetSet()->Add(std::make_unique<CParameter>("0", model::ParamType::Text))->SetString("a");
        CParameter* intro = rows->GetSet()->Add(std::make_unique<CParameter>("introStyle", model::ParamType::Text));
        intro->SetString("Grow");
        CParameter* skipped = rows->GetSet()->Add(std::make_unique<CParameter>("sourceCells_ary", model::ParamType::Text));
        skipped->SetString("A1");
        instance.SetParameters(std::move(set));
    };
    auto plain = MakeObject({"KVGaugeSymbol"});
    build(*plain->instances[0]);
    player.ClearCalls();
    stage->SendParameters(*plain->instances[0]);
    EXPECT_EQ(player.Variable("_root.__numObjParams"), "3");
    EXPECT_EQ(player.Variable("_root.obj1.displayStatus"), "1");
    EXPECT_EQ(player.Variable("_root.obj1t.displayStatus"), "n");
    EXPECT_EQ(player.Variable("_root.obj1.introStyle"), "None");
    EXPECT_FALSE(player.HasVariable("_root.obj1.values"));
    EXPECT_EQ(player.Variable("_root.obj1.mv"), "2.5");
    EXPECT_EQ(player.Variable("_root.obj1t.mv"), "f");
    EXPECT_EQ(player.Variable("_root.obj2.__numItems"), "3"); // the skipped one still counts
    EXPECT_EQ(player.Variable("_root.obj2.pintroStyle"), "Grow");
    EXPECT_FALSE(player.HasVariable("_root.obj2.psourceCells_ary"));

    // The push button needs its value lists.
    CComponentDef push("KVPushButtonSymbol", "Push");
    push.SetTraits({"stageValueLists"});
    CSwfComponent pushed(&push);
    build(pushed);
    player.ClearCalls();
    stage->SendParameters(pushed);
    EXPECT_EQ(player.Variable("_root.__numObjParams"), "4");
    EXPECT_EQ(player.Variable("_root.obj2.__name"), "values");
    EXPECT_EQ(player.Variable("_root.obj3.psourceCells_ary"), "A1");
}

// A document may hold a list of hundreds of thousands of members; the stage, which only lays the
// component out, gets a bounded part of it, so opening such a document stays quick.
TEST_F(StageTest, ParameterTreeSendsABoundedPartOfAHugeList)
{
    auto stage = MakeStage();
    CFakeFlashPlayer& player = Player(*stage);
    auto object = MakeObject({"KVGaugeSymbol"});
    CComponent& instance = *object->instances[0];
    auto set = std::make_unique<CParameterSet>();
    CParameter* colors = set->Add(std::make_unique<CParameter>("colors", model::ParamType::List));
    for (int i = 0; i < 200000; ++i)
        colors->GetSet()->Add(std::make_unique<CParameter>(std::to_string(i), model::ParamType::Integer))->SetInt(i);
    set->Add(std::make_unique<CParameter>("title", model::ParamType::Text))->SetString("kept");
    instance.SetParameters(std::move(set));

    player.ClearCalls();
    stage->SendParameters(instance);
    const std::size_t bound = CStageFlashCtrl::kMaxStageMembers;
    EXPECT_EQ(player.Variable("_root.__numObjParams"), "2");
    EXPECT_EQ(player.Variable("_root.obj1.__numItems"), std::to_string(bound));
    EXPECT_TRUE(player.HasVariable("_root.obj1.p" + std::to_string(bound - 1)));
    EXPECT_FALSE(player.HasVariable("_root.obj1.p" + std::to_string(bound)));
    EXPECT_EQ(player.Variable("_root.obj0.title"), "kept");
    EXPECT_LT(player.Calls().size(), 3 * bound);
}

} // namespace

namespace {

// A player in another process: calls take a while to reach its movie.
class LaggingPlayer : public CFakeFlashPlayer {
public:
    bool caughtUp = false;
    int drops = 0;
    bool CaughtUp() const override { return caughtUp; }
    void DropUnsent() override { ++drops; }
};

std::size_t CountLabel(const std::vector<Call>& calls, const std::string& label)
{
    return static_cast<std::size_t>(std::count(calls.begin(), calls.end(), Label(label)));
}

} // namespace

TEST_F(StageTest, BackgroundMeasuresWaitForTheDocumentAndForThePlayerToCatchUp)
{
    SetFlashPlayerFactory([] { return std::make_unique<LaggingPlayer>(); });
    auto stage = MakeStage();
    auto& player = dynamic_cast<LaggingPlayer&>(*stage->GetPlayer());
    stage->Init(true);
    EXPECT_EQ(CountLabel(player.Calls(), "GetComponentBounds"), 0u);
    EXPECT_EQ(stage->PendingMeasures(), 2u);
    auto object = MakeObject({"KVGaugeSymbol"});
    stage->AddComponent(*object);

    // A tick while the player still works on the document sends nothing.
    stage->SendMessage(WM_TIMER, CStageFlashCtrl::kMeasureTimer, 0);
    EXPECT_EQ(CountLabel(player.Calls(), "GetComponentBounds"), 0u);
    EXPECT_FALSE(stage->BackgroundMeasuresBegun());
    player.caughtUp = true;
    stage->SendMessage(WM_TIMER, CStageFlashCtrl::kMeasureTimer, 0);
    EXPECT_TRUE(stage->BackgroundMeasuresBegun());
    EXPECT_EQ(CountLabel(player.Calls(), "GetComponentBounds"), 2u);
    EXPECT_EQ(stage->PendingMeasures(), 0u);
    // After the document's component.
    const auto& calls = player.Calls();
    EXPECT_LT(std::find(calls.begin(), calls.end(), Label("AddComponent")),
              std::find(calls.begin(), calls.end(), Label("GetComponentBounds")));

    // A player that takes calls at once measures at once.
    SetFlashPlayerFactory([] { return std::make_unique<CFakeFlashPlayer>(); });
    auto direct = MakeStage();
    direct->Init(true);
    EXPECT_EQ(CountLabel(Player(*direct).Calls(), "GetComponentBounds"), 2u);
    EXPECT_EQ(direct->PendingMeasures(), 0u);
}

TEST_F(StageTest, AReloadDropsWhatThePlayerHasNotTakenUnlessAnAnswerIsAwaited)
{
    SetFlashPlayerFactory([] { return std::make_unique<LaggingPlayer>(); });
    auto stage = MakeStage();
    auto& player = dynamic_cast<LaggingPlayer&>(*stage->GetPlayer());
    stage->Init(true);
    EXPECT_EQ(player.drops, 1);
    auto object = MakeObject({"KVGaugeSymbol"});
    stage->AddComponent(*object);
    stage->Reload();
    EXPECT_EQ(player.drops, 2);

    // An update awaits its answer: what waits stays.
    stage->UpdateComponent(*object);
    stage->Reload();
    EXPECT_EQ(player.drops, 2);
    stage->OnFSCommand("UpdateComp", "KVGaugeSymbol_1 0 100 0 50");
    stage->Reload();
    EXPECT_EQ(player.drops, 3);

    // So does an unanswered measure.
    stage->GetComponentBounds(*catalog.FindByTypeName("KVGaugeSymbol"));
    stage->Reload();
    EXPECT_EQ(player.drops, 3);
    stage->OnFSCommand("GetBounds", "KVGaugeSymbol 0 100 0 50");
    stage->Reload();
    EXPECT_EQ(player.drops, 4);
}
