#include "app/canvas/CanvasSelection.h"
#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/MultiSelectObj.h"
#include "app/core/DesignerContext.h"
#include "model/ParameterSet.h"
#include "platform/dialogs/MessageBox.h"
#include "app/stage/StageFlashCtrl.h"

#include "model/ComponentCatalog.h"
#include "model/ComponentDef.h"
#include "publish/TempFiles.h"
#include "swf/SwfMovie.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "tests/support/ComponentFixture.h"
#include "tests/support/FlashPlayerFake.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiTest.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Call = CFakeFlashPlayer::Call;

class NoHost : public IStageHost {
public:
    void BeginBusy() override {}
    void EndBusy() override {}
    void RepaintCanvas() override {}
};

// A panel that records what the object asks of it and keeps an open flag as a sheet would.
class RecordingPanel : public IPropertiesPanel {
public:
    explicit RecordingPanel(std::vector<std::string>* log) : log_(log) {}
    void SetTitle(const std::string& title) override { title_ = title; }
    bool IsSheetOpen() const override { return open_; }
    void CloseSheet() override
    {
        open_ = false;
        log_->push_back("close " + title_);
    }
    void SaveWindowRect(const IPropertiesPanel& from) override
    {
        log_->push_back("rect from " + dynamic_cast<const RecordingPanel&>(from).title_ + " to " + title_);
    }
    void ShowProperties(CParameterSet* set, IPropertyOwner&) override
    {
        open_ = true;
        log_->push_back(std::string("show ") + title_ + (set != nullptr ? " with parameters" : ""));
    }
    std::string title_;

private:
    std::vector<std::string>* log_;
    bool open_ = false;
};

class ComponentObjTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        testsupport::WriteComponentFixture(install.path(), {"KVGaugeSymbol", "KVSliderSymbol"});
        ASSERT_TRUE(catalog.Load(install.path()));
        CComponentObj::SetPanelFactory([this] { return std::make_unique<RecordingPanel>(&panelLog); });
    }
    void TearDown() override
    {
        ResetFlashPlayerFactory();
        UiTest::TearDown();
    }
    // An instance of 2000 x 1000 twips at the rectangle.
    CComponent* Instance(const std::string& symbol, ComponentRect rect = {0, 0, 2000, 1000})
    {
        auto instance = catalog.FindByTypeName(symbol)->CreateInstance();
        instance->SetBounds(0, 0, 2000, 1000);
        instance->SetRect(rect);
        return instance.release();
    }

    testsupport::TempDir install;
    CComponentCatalog catalog;
    std::vector<std::string> panelLog;
    // The group counter and the panels of this test's own designer.
    CDesignerContext designer;
    CDesignerContext::Scope current{designer};
};

TEST_F(ComponentObjTest, PlacedObjectsAreNamedAfterTheirDefinitionAndGroupsCountOnAcrossDocuments)
{
    CComponentObj first(CRect(0, 0, 2000, 1000), Instance("KVGaugeSymbol"));
    CComponentObj second(CRect(0, 0, 2000, 1000), Instance("KVGaugeSymbol"));
    CComponentObj slider(CRect(0, 0, 2000, 1000), Instance("KVSliderSymbol"));
    EXPECT_EQ(first.GetName(), "KVGaugeSymbol 1");
    EXPECT_EQ(second.GetName(), "KVGaugeSymbol 2");
    EXPECT_EQ(slider.GetName(), "KVSliderSymbol 1");
    EXPECT_EQ(first.GetTypeName(), "KVGaugeSymbol");
    EXPECT_EQ(first.GetNaturalWidth(), 2000);
    EXPECT_EQ(first.GetNaturalHeight(), 1000);

    EXPECT_EQ(CComponentObj::MakeGroupName(), "Group 1");
    CComponentObj group(CRect(0, 0, 4000, 1000), {Instance("KVGaugeSymbol"), Instance("KVSliderSymbol")},
                        std::vector<std::string>{"Group 1", "Left", "Right"});
    std::unique_ptr<CDrawObj> copy(group.Clone());
    auto& copied = dynamic_cast<CComponentObj&>(*copy);
    EXPECT_EQ(copied.GetName(), "Group 2");
    EXPECT_EQ(copied.GetNameAt(1), "Left");
    EXPECT_EQ(copied.GetNameAt(2), "Right");
    EXPECT_EQ(copied.GetNameAt(3), ""); // past the names: nothing, not a stray read
    EXPECT_EQ(copied.GetInstanceCount(), 2);
    EXPECT_NE(copied.GetInstance(0), group.GetInstance(0));
    EXPECT_EQ(copied.GetDocument(), nullptr);
    std::unique_ptr<CDrawObj> single(first.Clone());
    EXPECT_EQ(dynamic_cast<CComponentObj&>(*single).GetName(), "KVGaugeSymbol 1");

    copied.SetNameAt(1, "Renamed");
    copied.SetNameAt(7, "Appended");
    EXPECT_EQ(copied.GetNameAt(1), "Renamed");
    EXPECT_EQ(copied.GetNameAt(3), "Appended");
}

TEST_F(ComponentObjTest, GroupsMoveAsABlockAndSinglesTakeTheRectangle)
{
    CComponentObj single(CRect(0, 0, 2000, 1000), Instance("KVGaugeSymbol"));
    single.SetBounds(100, 200, 900, 700);
    EXPECT_EQ(single.GetInstance(0)->GetRect(), (ComponentRect{100, 200, 900, 700}));

    CComponentObj group(CRect(0, 0, 5000, 3000),
                        {Instance("KVGaugeSymbol", {0, 0, 2000, 1000}), Instance("KVSliderSymbol", {3000, 2000, 5000, 3000})},
                        "Group");
    group.SetBounds(100, -50, 9999, 9999);
    EXPECT_EQ(group.GetInstance(0)->GetRect(), (ComponentRect{100, -50, 2100, 950}));
    EXPECT_EQ(group.GetInstance(1)->GetRect(), (ComponentRect{3100, 1950, 5100, 2950}));
    EXPECT_EQ(group.GetCommittedBounds(), CRect(100, -50, 9999, 9999));
}

TEST_F(ComponentObjTest, DraggedHandlesFollowTheScalingModeAndKeepTheMinimum)
{
    const CRect start(1000, 1000, 3000, 2000); // 2 : 1
    struct Case {
        const char* what;
        int mode;
        int handle;
        CPoint to;
        bool keepAspect;
        CRect expected;
    } cases[] = {
        {"free corner", 3, 5, {4000, 2500}, false, {1000, 1000, 4000, 2500}},
        {"free edge", 3, 8, {500, 9999}, false, {500, 1000, 3000, 2000}},
        {"free, held at the minimum", 3, 1, {2900, 1900}, false, {2800, 1900, 3000, 2000}},
        {"fixed height corner changes only the width", 1, 3, {3500, 100}, false, {1000, 1000, 3500, 2000}},
        {"fixed width corner changes only the height", 2, 7, {100, 2600}, false, {1000, 1000, 3000, 2600}},
        {"not resizable", 0, 5, {9000, 9000}, false, {1000, 1000, 3000, 2000}},
        // Keeping the aspect, the side whose drag goes further past the proportional line leads.
        {"aspect, x leads", 4, 5, {5000, 3500}, false, {1000, 1000, 5000, 3000}},
        {"aspect, y leads", 4, 5, {5000, 2100}, false, {1000, 1000, 3200, 2100}},
        {"aspect, top left", 4, 1, {-1000, -500}, false, {-1000, 0, 3000, 2000}},
        {"aspect, top left, y leads", 4, 1, {-1000, 1500}, false, {2000, 1500, 3000, 2000}},
        {"aspect, top right", 4, 3, {4000, 0}, false, {1000, 500, 4000, 2000}},
        {"aspect, bottom left", 4, 7, {1500, 4000}, false, {1500, 1000, 3000, 1750}},
        {"aspect, bottom left, y leads", 4, 7, {-1000, 1500}, false, {2000, 1000, 3000, 1500}},
        {"aspect, edge 6 acts as corner 5", 4, 6, {2000, 2500}, false, {1000, 1000, 2000, 1500}},
        {"shift on a corner keeps the aspect", 3, 5, {5000, 3500}, true, {1000, 1000, 5000, 3000}},
        {"shift on an edge does not", 3, 4, {5000, 1200}, true, {1000, 1000, 5000, 2000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CComponent* instance = Instance("KVGaugeSymbol");
        CComponentDef* def = instance->GetDefinition();
        def->SetScalingMode(c.mode);
        CComponentObj obj(start, instance, "Gauge");
        CRect rect = start;
        obj.TrackHandle(c.handle, c.to.x, c.to.y, rect, c.keepAspect, 200, 100);
        EXPECT_EQ(rect, c.expected);
        def->SetScalingMode(3);
    }
}

TEST_F(ComponentObjTest, EmptyNaturalSizesAreClampedSoAspectResizesNeverDivideByZero)
{
    CComponent* instance = Instance("KVGaugeSymbol");
    instance->GetDefinition()->SetScalingMode(4);
    CComponentObj obj(CRect(500, 500, 500, 500), std::vector<CComponent*>{instance}, "Empty");
    EXPECT_EQ(obj.GetNaturalWidth(), 1);
    EXPECT_EQ(obj.GetNaturalHeight(), 1);
    CRect rect(500, 500, 500, 500);
    obj.TrackHandle(5, 900, 700, rect, false, 0, 0);
    EXPECT_GE(rect.Width(), 0);
    instance->GetDefinition()->SetScalingMode(3);
}

TEST_F(ComponentObjTest, PropertiesSheetFollowsTheSelectionAndTheCommandToggles)
{
    CComponentObj gauge(CRect(0, 0, 2000, 1000), Instance("KVGaugeSymbol"));
    CComponentObj slider(CRect(0, 0, 2000, 1000), Instance("KVSliderSymbol"));
    CComponentObj group(CRect(0, 0, 2000, 1000), {Instance("KVGaugeSymbol"), Instance("KVSliderSymbol")}, "G");

    slider.FollowPropertyPanel(); // no sheet open: nothing follows
    group.OnEditProperties();     // groups have no sheet of their own
    EXPECT_TRUE(panelLog.empty());

    gauge.OnEditProperties();
    slider.FollowPropertyPanel();
    gauge.OnEditProperties(); // back to the gauge
    gauge.OnEditProperties(); // its own open sheet: closed
    gauge.FollowPropertyPanel();
    EXPECT_EQ(panelLog, (std::vector<std::string>{
                            "show KVGaugeSymbol with parameters",
                            "rect from KVGaugeSymbol to KVSliderSymbol",
                            "close KVGaugeSymbol",
                            "show KVSliderSymbol with parameters",
                            "rect from KVSliderSymbol to KVGaugeSymbol",
                            "close KVSliderSymbol",
                            "show KVGaugeSymbol with parameters",
                            "close KVGaugeSymbol",
                        }));
    EXPECT_EQ(CComponentObj::GetCurrentPanel(), &gauge.GetPanel());
    gauge.ClosePropertyPanel();
    EXPECT_EQ(CComponentObj::GetCurrentPanel(), nullptr);
}

TEST_F(ComponentObjTest, RefreshAndRemoveTellTheStageOfTheDocument)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "Parent", "canvas", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
    SetFlashPlayerFactory([] { return std::make_unique<CFakeFlashPlayer>(); });
    // The stage needs its tool movie: one exported sprite in a two-frame file.
    std::filesystem::create_directories(install.path() / "asset");
    {
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
        movie.WriteFile(install.path() / "asset" / "toolsrc.dat", 2000, 1000, 30, false, true);
    }
    publish::CDefaultTempFiles files;
    NoHost host;
    StageSetup setup;
    setup.installDir = install.path();
    setup.catalog = &catalog;
    setup.tempFiles = &files;
    setup.host = &host;
    CStageFlashCtrl stage(setup);
    ASSERT_TRUE(stage.IsReady()) << stage.GetError();
    ASSERT_TRUE(stage.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 20), &parent, 158));
    auto& player = *dynamic_cast<CFakeFlashPlayer*>(stage.GetPlayer());

    CDrawDoc doc;
    doc.SetStage(&stage);
    CComponent* instance = Instance("KVGaugeSymbol", {200, 400, 2200, 1400});
    instance->SetName("gauge1");
    auto* obj = new CComponentObj(CRect(200, 400, 2200, 1400), instance, "Gauge");
    obj->SetDocument(&doc);

    player.ClearCalls();
    obj->Refresh(0);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_FALSE(player.Calls().empty());
    EXPECT_EQ(player.Calls().back(), (Call{"TCallLabel", {"/", "UpdateComponent"}}));

    // Putting the document on the stage adds every object and disables the hidden ones.
    auto* hidden = new CComponentObj(CRect(0, 0, 2000, 1000), Instance("KVSliderSymbol"), "Hidden");
    hidden->GetInstance(0)->SetName("slider1");
    hidden->m_bShown = false;
    doc.Add(obj);
    doc.Add(hidden);
    player.ClearCalls();
    doc.RefreshStage(FALSE);
    std::vector<std::string> labels;
    for (const Call& call : player.Calls()) {
        if (call.op == "TCallLabel")
            labels.push_back(call.args.at(1));
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"InitParams", "AddComponent", "InitParams", "AddComponent", "DisableComp"}));
    doc.Remove(hidden);
    doc.Remove(obj);
    hidden->Remove();

    player.ClearCalls();
    obj->Remove();
    EXPECT_EQ(player.Calls(), (std::vector<Call>{{"SetVariable", {"_root.__compName", "gauge1"}},
                                               {"TCallLabel", {"/", "DeleteComponent"}}}));
    stage.DestroyWindow();
}

TEST_F(ComponentObjTest, SharedParametersWriteThroughToEveryMemberOfTheSelection)
{
    CComponentObj a(CRect(0, 0, 2000, 1000), Instance("KVGaugeSymbol"));
    CComponentObj b(CRect(3000, 500, 5000, 1500), Instance("KVGaugeSymbol"));
    CMultiSelectObj multi;
    multi.AddMember(&a);
    multi.AddMember(&b);
    EXPECT_EQ(multi.GetCommittedBounds(), CRect(0, 0, 5000, 1500));
    EXPECT_EQ(multi.GetInstanceCount(), 2);

    multi.BuildSharedSet(true);
    ASSERT_NE(multi.GetSharedSet(), nullptr);
    CParameter* general = multi.GetSharedSet()->FindParameter("General");
    ASSERT_NE(general, nullptr);
    CParameter* title = general->GetSet()->FindParameter("title");
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->SetString("Shared"));
    for (CComponentObj* member : {&a, &b}) {
        CParameter* own = member->GetInstance(0)->GetParameters()->FindParameter("General");
        EXPECT_EQ(own->GetSet()->FindParameter("title")->GetString(), "Shared");
    }
    EXPECT_EQ(multi.GetName(), "KVGaugeSymbol");

    // A mixed selection shares only the visibility settings, and members without them (these
    // components have no "Behavior" group) are passed over rather than attached as nothing.
    multi.m_bSameKind = false;
    multi.BuildSharedSet(false);
    ASSERT_EQ(multi.GetSharedSet()->GetCount(), 1);
    EXPECT_EQ(multi.GetSharedSet()->GetAt(0)->GetName(), "Behavior");
    EXPECT_EQ(multi.GetSharedSet()->GetAt(0)->GetSet()->GetPageKind(), 9);
    EXPECT_EQ(multi.GetName(), "Dynamic Visibility");
    EXPECT_EQ(multi.GetTypeName(), "Dynamic Visibility");

    // The members keep their instances when the selection goes.
    multi.Reset();
    EXPECT_EQ(multi.GetInstanceCount(), 0);
    EXPECT_EQ(a.GetInstanceCount(), 1);
}

TEST_F(ComponentObjTest, FiftyMembersMayBeEditedTogetherAndFiftyOneMayNot)
{
    std::vector<std::unique_ptr<CComponentObj>> objects;
    for (int i = 0; i < 51; ++i)
        objects.push_back(std::make_unique<CComponentObj>(CRect(0, 0, 100, 100), Instance("KVGaugeSymbol")));
    for (std::size_t count : {std::size_t{50}, std::size_t{51}}) {
        SCOPED_TRACE(count);
        panelLog.clear();
        CMultiSelectObj multi;
        for (std::size_t i = 0; i < count; ++i)
            multi.AddMember(objects[i].get());
        if (count == 51)
            boxes->Answer(IDOK);
        multi.EditProperties(true);
        if (count == 50) {
            EXPECT_TRUE(boxes->Log().empty());
            EXPECT_EQ(panelLog.size(), 1u);
        } else {
            ASSERT_EQ(boxes->Log().size(), 1u);
            EXPECT_EQ(boxes->Log()[0].text,
                      "Editing properties on more than fifty components is restricted for performance reasons.");
            EXPECT_EQ(boxes->Log()[0].caption, "Warning");
            EXPECT_EQ(boxes->Log()[0].flags & MB_ICONERROR, MB_ICONERROR);
            EXPECT_TRUE(panelLog.empty());
        }
    }
}

} // namespace

namespace {

TEST_F(ComponentObjTest, TheSelectionKeepsItsOrderSkipsHiddenObjectsAndJudgesOneKind)
{
    CComponentObj gauge(CRect(0, 0, 2000, 1000), Instance("KVGaugeSymbol"));
    CComponentObj other(CRect(0, 0, 2000, 1000), Instance("KVGaugeSymbol"));
    CComponentObj slider(CRect(0, 0, 2000, 1000), Instance("KVSliderSymbol"));
    CComponentObj hidden(CRect(0, 0, 2000, 1000), Instance("KVSliderSymbol"));
    hidden.m_bShown = false;

    CCanvasSelection selection;
    EXPECT_FALSE(selection.IsOneKind()) << "nothing selected is no kind";
    EXPECT_TRUE(selection.Add(&other));
    EXPECT_TRUE(selection.Add(&gauge));
    EXPECT_FALSE(selection.Add(&gauge)) << "selected once";
    EXPECT_FALSE(selection.Add(&hidden)) << "a hidden component is never selected";
    EXPECT_FALSE(selection.Add(nullptr));
    EXPECT_EQ(selection.Objects(), (std::vector<CDrawObj*>{&other, &gauge}));
    EXPECT_TRUE(selection.IsOneKind());

    EXPECT_TRUE(selection.Add(&slider));
    EXPECT_FALSE(selection.IsOneKind()) << "a slider among gauges";
    // Back to front as the document holds them, leaving out what is not selected.
    selection.SortBy({&slider, &hidden, &gauge, &other});
    EXPECT_EQ(selection.Objects(), (std::vector<CDrawObj*>{&slider, &gauge, &other}));
    EXPECT_TRUE(selection.Remove(&slider));
    EXPECT_FALSE(selection.Remove(&slider));
    EXPECT_TRUE(selection.IsOneKind());

    // A group holds two instances: it is edited on its own, never with others.
    CComponentObj group(CRect(0, 0, 4000, 1000), {Instance("KVGaugeSymbol"), Instance("KVGaugeSymbol")}, "Group 1");
    EXPECT_TRUE(selection.Add(&group));
    EXPECT_FALSE(selection.IsOneKind());
}

} // namespace
