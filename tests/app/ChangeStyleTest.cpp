// Format > Change Style in the designer: the Styles sheet opens on the view's style beside a
// preview that the canvas's stage feeds, Apply re-styles the document's components, OK hands the
// edited style back to the view, and a style saved from the sheet loads back the same.

#include "AppFixture.h"

#include "app/canvas/ComponentObj.h"
#include "app/canvas/ViewStyle.h"
#include "app/core/AppIds.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/ComponentCatalog.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/controls/Button.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "propui/StyleSheet.h"
#include "propui/StylesPage.h"

namespace {

class NoStageHost : public IStageHost {
public:
    void BeginBusy() override {}
    void EndBusy() override {}
    void RepaintCanvas() override {}
};

// Every "fillColor" of the document's components, nested groups included.
std::vector<std::uint32_t> FillColours(CDrawDoc& doc)
{
    std::vector<std::uint32_t> out;
    std::function<void(const CParameterSet&)> walk = [&](const CParameterSet& set) {
        for (int i = 0; i < set.GetCount(); ++i) {
            const CParameter* p = set.GetAt(i);
            if (p == nullptr)
                continue;
            if (p->GetName() == "fillColor" && p->GetType() == model::ParamType::Color)
                out.push_back(p->GetColor());
            if (p->GetSet() != nullptr)
                walk(*p->GetSet());
        }
    };
    for (CDrawObj* obj : doc.GetObjects())
        if (auto* component = dynamic_cast<CComponentObj*>(obj))
            for (CComponent* instance : component->GetInstances())
                if (instance->GetParameters() != nullptr)
                    walk(*instance->GetParameters());
    return out;
}

TEST_F(AppTest, ChangeStyleFromTheMenuRestylesTheDocumentAndASavedStyleLoadsBack)
{
    CRasterWindowHost& host = InstallRasterWindowHost();
    SkipWelcome();
    ASSERT_TRUE(Start());
    CScriptedCommonDialogs& files = UseScriptedCommonDialogs();
    files.AnswerFile(Sample("regional-sales").string());
    ASSERT_TRUE(CUserInput::PressKey('O', CUserInput::Control));
    Frame().ShowWindow(SW_SHOWNORMAL);
    Frame().MoveWindow(CRect(0, 0, 1200, 800));
    PumpUntilIdle();

    NoStageHost stageHost;
    StageSetup setup;
    setup.installDir = testsupport::InstallDir();
    setup.catalog = GetComponentCatalog();
    setup.host = &stageHost;
    CStageFlashCtrl stage(setup);
    ASSERT_TRUE(stage.IsReady()) << stage.GetError();
    ASSERT_TRUE(stage.Create("", WS_CHILD, CRect(0, 0, 30, 20), GetActiveDrawView(), 158));
    CStageFlashCtrl* previousStage = Doc().GetStage();
    Doc().SetStage(&stage);
    Doc().SetModifiedFlag(FALSE);

    CDrawView& view = *GetActiveDrawView();
    CGlobalStyle& viewStyle = view.GetViewStyle().Record();
    viewStyle.customColors[0] = RGB(1, 2, 3);
    const std::uint32_t teal = 0x1E8C8C;
    ASSERT_FALSE(FillColours(Doc()).empty());
    ASSERT_NE(FillColours(Doc()).front(), teal);
    const std::filesystem::path saved = temp / "Teal.vgs";

    bool opened = false;
    ui::SetDialogHookByCaption("Global Styles", [&](CDialog& first) {
        opened = true;
        auto& page = static_cast<CStylesPage&>(first);
        auto& sheet = dynamic_cast<CStyleSheet&>(*page.GetSheet());
        // The preview plays the stage's large movie and got the stage's own parameter trees.
        CStylePreviewCtrl* preview = sheet.GetPreviewCtrl();
        ASSERT_NE(preview, nullptr);
        auto& player = static_cast<CFakeFlashPlayer&>(*preview->GetPlayer());
        EXPECT_EQ(player.LayerMovie(0), stage.GetLargeStageMoviePath().string());
        EXPECT_EQ(player.Variable("_root.__compType"), "KVSliderHSymbol");
        EXPECT_EQ(player.Variable("_root.obj0.__name"), "params");
        EXPECT_FALSE(player.Variable("_root.obj0._xscale").empty());
        WritePng(artefacts / "change-style-sheet.png", host.Snapshot(sheet));

        // A teal fill, applied to the document, then saved under a name and kept with OK.
        player.ClearCalls();
        files.AnswerColour(RGB(0x1E, 0x8C, 0x8C));
        page.Swatch(CStylesPage::IdFill).Click();
        int restyled = 0;
        for (const auto& call : player.CallsOf("TCallLabel"))
            restyled += call.args[1] == "UpdateComponent" ? 1 : 0;
        EXPECT_GE(restyled, 6) << "every sample re-styled";
        EXPECT_EQ(restyled % 6, 0);
        static_cast<CButton*>(sheet.GetDlgItem(ID_APPLY_NOW))->Click();
        EXPECT_EQ(FillColours(Doc()).front(), teal);
        EXPECT_TRUE(Doc().IsModified());
        files.AnswerFile(saved.string());
        static_cast<CButton*>(page.GetDlgItem(CStylesPage::IdSaveAs))->Click();
        static_cast<CButton*>(sheet.GetDlgItem(IDOK))->Click();
    });
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_CHANGE_STYLE));
    PumpUntilIdle();
    EXPECT_TRUE(opened);
    EXPECT_EQ(viewStyle.GetName(), "Teal");
    EXPECT_EQ(viewStyle.GetFillColor(), teal);
    EXPECT_FALSE(view.GetViewStyle().IsStyleChanged());
    // The style's custom colour joined the document's table, at the first place it fills.
    EXPECT_EQ((*GetCustomColorTable())[15], RGB(1, 2, 3));

    // The file loads back as the style that was saved.
    CGlobalStyle loaded;
    ASSERT_TRUE(loaded.Load((temp / "Teal").string()));
    loaded.SetName("Teal");
    EXPECT_TRUE(loaded == viewStyle);

    // Cancel hands nothing back, and the preview's samples never reached the document.
    const std::size_t objects = Doc().GetObjects().size();
    ui::SetDialogHookByCaption("Global Styles", [&](CDialog& first) {
        auto& sheet = *static_cast<CPropertyPage&>(first).GetSheet();
        static_cast<CButton*>(sheet.GetDlgItem(IDCANCEL))->Click();
    });
    ASSERT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_CHANGE_STYLE));
    EXPECT_EQ(viewStyle.GetName(), "Teal");
    EXPECT_EQ(Doc().GetObjects().size(), objects);

    Doc().SetStage(previousStage);
}

} // namespace
