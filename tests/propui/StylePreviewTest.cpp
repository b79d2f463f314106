#include "PropUiFixture.h"

#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "platform/controls/Button.h"
#include "propui/StylePreviewCtrl.h"
#include "propui/StyleSheet.h"
#include "swf/SwfMovie.h"
#include "tests/support/ComponentFixture.h"
#include "tests/support/FlashPlayerFake.h"

namespace fs = std::filesystem;

namespace {

using Call = CFakeFlashPlayer::Call;

// The headless player, whose record outlives the preview window that owns it.
class KeptPlayer : public CFakeFlashPlayer {
public:
    explicit KeptPlayer(std::vector<Call>* kept) : m_kept(kept) {}
    ~KeptPlayer() override { *m_kept = Calls(); }

private:
    std::vector<Call>* m_kept;
};

// A stage that sends each instance as a one-object tree and remembers whom it sent.
class FakeStage : public IStylePreviewStage {
public:
    fs::path GetPreviewMoviePath() const override { return movie; }
    void SendTreeAndPlacement(CShockwaveFlash& player, const CComponentBase& instance) override
    {
        player.SetVariable("_root.__numObjParams", "1");
        sent.push_back(instance.GetName());
    }
    fs::path movie;
    std::vector<std::string> sent;
};

const std::vector<std::string> kSampleSymbols = {"KVBackground2Symbol", "KVComboChartSymbol", "KVProgressBarHSymbol",
                                                 "KVListBoxSymbol", "KVSliderHSymbol"};

class StylePreviewTest : public PropUiTest {
protected:
    void SetUp() override
    {
        PropUiTest::SetUp();
        SetFlashPlayerFactory([this] { return std::make_unique<KeptPlayer>(&played); });
        CSwfMovie stageMovie;
        stage.movie = dir / "stage-large.swf";
        stageMovie.WriteFile(stage.movie, 16000, 12000, 30, false);
        folders.styles = (dir / "styles").string() + "/";
        fs::create_directories(dir / "styles");
    }
    void TearDown() override
    {
        ResetFlashPlayerFactory();
        PropUiTest::TearDown();
    }
    void LoadCatalog(const std::vector<std::string>& symbols)
    {
        testsupport::WriteComponentFixture(dir.path(), symbols);
        ASSERT_TRUE(catalog.Load(dir.path()));
    }
    // The labels called, each with the sample name it acted on.
    static std::vector<std::string> Labels(const std::vector<Call>& calls)
    {
        std::vector<std::string> out;
        std::string name;
        for (const Call& c : calls) {
            if (c.op == "SetVariable" && c.args[0] == "_root.__compName")
                name = c.args[1];
            else if (c.op == "TCallLabel")
                out.push_back(c.args[1] + " " + name);
        }
        return out;
    }
    static std::vector<std::string> Only(const std::vector<std::string>& labels, const std::string& label)
    {
        std::vector<std::string> out;
        for (const std::string& l : labels)
            if (l.rfind(label + " ", 0) == 0)
                out.push_back(l.substr(label.size() + 1));
        return out;
    }

    testsupport::TempDir dir;
    FakeStage stage;
    CComponentCatalog catalog;
    CStyleFolders folders;
    std::vector<Call> played;
};

} // namespace

TEST_F(StylePreviewTest, TheSheetShowsSixSamplesRestylesThemOnEveryChangeAndRemovesThemOnClose)
{
    LoadCatalog(kSampleSymbols);
    model::InstanceCounter() = 41;
    CGlobalStyle style;
    CStyleSheet sheet("Global Styles", &main, 0, folders);
    sheet.SetStyle(style);
    sheet.SetPreviewStage(&stage, &catalog);
    std::vector<std::string> names;
    ui::SetDialogHookByCaption("Global Styles", [&](CDialog& page) {
        CStylePreviewCtrl* preview = sheet.GetPreviewCtrl();
        ASSERT_NE(preview, nullptr);
        auto& player = static_cast<CFakeFlashPlayer&>(*preview->GetPlayer());
        EXPECT_EQ(player.LayerMovie(0), stage.movie.string());
        CRect r;
        preview->GetWindowRect(&r);
        // The whole frame shows scaled, with the room above and below it where the chart and
        // the progress bar reach past it, inside the sheet.
        EXPECT_EQ(r.Size(), CSize(300, 320));
        EXPECT_EQ(player.CallsOf("Zoom").size(), 1u) << "the frame is shown whole";
        CRect client;
        sheet.GetClientRect(&client);
        sheet.ClientToScreen(&client);
        CRect inside;
        inside.IntersectRect(client, r);
        EXPECT_EQ(inside, r);
        EXPECT_EQ(preview->GetDlgCtrlID(), static_cast<int>(CStylePreviewCtrl::kControlId));

        const std::vector<std::string> labels = Labels(player.Calls());
        for (int slot = 0; slot < CStylePreviewCtrl::kSlotCount; ++slot)
            names.push_back(preview->GetSample(static_cast<CStylePreviewCtrl::Slot>(slot))->GetName());
        // Added in their order, each moved (and the backgrounds resized) right after, then
        // styled once with the sheet's record.
        const std::string large = names[0], small = names[1], chart = names[2];
        const std::vector<std::string> opening(labels.begin(), labels.begin() + 10);
        EXPECT_EQ(opening, (std::vector<std::string>{"AddComponent " + large, "MoveComp " + large,
                                                     "ResizeComp " + large, "AddComponent " + small,
                                                     "MoveComp " + small, "ResizeComp " + small,
                                                     "AddComponent " + chart, "MoveComp " + chart,
                                                     "AddComponent " + names[3], "MoveComp " + names[3]}));
        EXPECT_EQ(Only(labels, "UpdateComponent"), names);
        EXPECT_EQ(player.Variable("_root.__x"), "30"); // the slider, last moved
        EXPECT_EQ(player.Variable("_root.__y"), "247");
        WritePng(artefacts / "styles-sheet-preview.png", raster->Snapshot(sheet));

        // A colour chosen on the Styles page re-styles all six, the last time with the colour
        // stored.
        player.ClearCalls();
        dialogs->AnswerColour(RGB(0x20, 0xA0, 0x40));
        static_cast<CStylesPage&>(page).Swatch(CStylesPage::IdFill).Click();
        const std::vector<std::string> restyled = Only(Labels(player.Calls()), "UpdateComponent");
        ASSERT_GE(restyled.size(), names.size());
        EXPECT_EQ(std::vector<std::string>(restyled.end() - 6, restyled.end()), names);
        boxes->Answer(IDNO); // "Save changes to style ..."
        static_cast<CButton*>(sheet.GetDlgItem(IDCANCEL))->Click();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(Only(Labels(played), "DeleteComponent"), names);
    // The samples are numbered like components but give their numbers back.
    EXPECT_EQ(model::InstanceCounter(), 41u);
    EXPECT_EQ(names[0], model::MakeInstanceName("KVBackground2Symbol", 42));

    // The stage's copy for the preview now has the preview's frame.
    CSwfMovie patched;
    patched.LoadFile(stage.movie);
    EXPECT_EQ(patched.GetFrameRect().xmax, CStylePreviewCtrl::kFrameWidth);
    EXPECT_EQ(patched.GetFrameRect().ymax, CStylePreviewCtrl::kFrameHeight);
}

TEST_F(StylePreviewTest, ASymbolTheCatalogueLacksLeavesItsSlotEmptyAndTheOthersWork)
{
    LoadCatalog({"KVBackground2Symbol", "KVComboChartSymbol", "KVProgressBarHSymbol", "KVSliderHSymbol"});
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "Owner", "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 320, 340), nullptr, 0));
    CStylePreviewCtrl preview(stage, &catalog);
    ASSERT_TRUE(preview.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 330), &parent, 4096));
    preview.LoadSamples();
    EXPECT_EQ(preview.GetSample(CStylePreviewCtrl::ListBox), nullptr);
    auto& player = static_cast<CFakeFlashPlayer&>(*preview.GetPlayer());
    player.ClearCalls();
    preview.ApplyStyle(CGlobalStyle());
    EXPECT_EQ(Only(Labels(player.Calls()), "UpdateComponent").size(), 5u);
    EXPECT_EQ(stage.sent.back(), preview.GetSample(CStylePreviewCtrl::Slider)->GetName());

    // A value's CR LF pairs reach the movie as one character each.
    preview.SetVariable("_root.obj0.title", "Sales\r\nby region\r\n");
    EXPECT_EQ(player.Variable("_root.obj0.title"), "Sales\rby region\r");

    // A sample that draws nothing is moved at its own size, not by a division by zero.
    CComponent* slider = preview.GetSample(CStylePreviewCtrl::Slider);
    slider->SetBounds(0, 0, 0, 0);
    slider->SetRect({0, 0, 400, 200});
    preview.MoveComponent(slider, 10, 20);
    EXPECT_EQ(slider->GetRect(), (ComponentRect{200, 400, 600, 600}));
    parent.DestroyWindow();
}
