// The Component Properties sheet in the designer: it opens docked beside the canvas for the
// object whose properties the person edits, follows the selection to another object at the
// place the person left it, and a value edited in it reaches the stage.

#include "AppFixture.h"

#include "app/panels/CanvasPropertiesPanel.h"
#include "app/canvas/ComponentObj.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/ComponentCatalog.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/ChartGeneralPage.h"
#include "platform/controls/InPlaceEdit.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "propui/ComponentPropertySheet.h"

namespace {

class NoStageHost : public IStageHost {
public:
    void BeginBusy() override {}
    void EndBusy() override {}
    void RepaintCanvas() override {}
};

CComponentObj* Named(CDrawDoc& doc, const std::string& name)
{
    for (CDrawObj* obj : doc.GetObjects())
        if (auto* c = dynamic_cast<CComponentObj*>(obj); c != nullptr && c->GetName() == name)
            return c;
    return nullptr;
}

CPropertiesPanel& PanelOf(CComponentObj& obj)
{
    return dynamic_cast<CCanvasPropertiesPanel&>(obj.GetPanel()).Panel();
}

TEST_F(AppTest, ThePropertiesSheetDocksBesideTheCanvasFollowsTheSelectionAndEditsReachTheStage)
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

    // The canvas's stage, with the recording player.
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

    CComponentObj* chart = Named(Doc(), "RevenueChart");
    CComponentObj* slider = Named(Doc(), "GrowthSlider");
    ASSERT_NE(chart, nullptr);
    ASSERT_NE(slider, nullptr);
    ASSERT_NE(dynamic_cast<CCanvasPropertiesPanel*>(&chart->GetPanel()), nullptr);

    chart->OnEditProperties();
    CPropertiesPanel& chartPanel = PanelOf(*chart);
    ASSERT_TRUE(chartPanel.IsOpen());
    CComponentPropertySheet& sheet = *chartPanel.GetSheet();
    CRect client;
    Frame().GetClientRect(&client);
    Frame().ClientToScreen(&client);
    CRect docked;
    sheet.GetWindowRect(&docked);
    EXPECT_EQ(docked.right, client.right);
    EXPECT_EQ(docked.top, client.top + CPropertiesPanel::kDockTop);
    EXPECT_EQ(sheet.GetOwner(), &Frame());
    EXPECT_EQ(sheet.GetWindowText(), "RevenueChart Properties");

    // The person types a subtitle into the chart's General page.
    auto* page = dynamic_cast<CChartGeneralPage*>(sheet.GetComponentPage(0));
    ASSERT_NE(page, nullptr);
    CEdit* subtitle = nullptr;
    for (CWnd* child : page->GetChildren())
        if (auto* edit = dynamic_cast<CInPlaceEdit*>(child);
            edit != nullptr && edit->GetStandsFor() == CChartGeneralPage::IDC_SUBTITLE)
            subtitle = edit;
    ASSERT_NE(subtitle, nullptr);
    auto* player = dynamic_cast<CFakeFlashPlayer*>(Doc().GetStage()->GetPlayer());
    ASSERT_NE(player, nullptr);
    player->ClearCalls();
    Doc().SetModifiedFlag(FALSE);
    CUserInput::Click(*subtitle, CPoint(8, 5));
    subtitle->SetSel(0, -1);
    CUserInput::PressKey(VK_DELETE);
    CUserInput::TypeText("By quarter");
    CUserInput::PressKey(VK_RETURN);
    EXPECT_EQ(subtitle->GetWindowText(), "By quarter");
    EXPECT_TRUE(Doc().IsModified());
    bool sent = false;
    for (const auto& call : player->CallsOf("SetVariable"))
        for (const std::string& arg : call.args)
            sent = sent || arg.find("By quarter") != std::string::npos;
    EXPECT_TRUE(sent) << "the stage was not given the new subtitle";
    const auto labels = player->CallsOf("TCallLabel");
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.back().args.at(1), "UpdateComponent");

    // The designer's window with the sheet beside the canvas, as the person sees it.
    PumpUntilIdle();
    CBitmap picture = host.Snapshot(Frame());
    CBitmap sheetPicture = host.Snapshot(sheet);
    CRect frameRect;
    Frame().GetWindowRect(&frameRect);
    for (int y = 0; y < sheetPicture.Height(); ++y)
        for (int x = 0; x < sheetPicture.Width(); ++x) {
            const int px = docked.left - frameRect.left + x;
            const int py = docked.top - frameRect.top + y;
            if (px >= 0 && py >= 0 && px < picture.Width() && py < picture.Height())
                picture.SetPixel(px, py, sheetPicture.GetPixel(x, y));
        }
    EXPECT_TRUE(WritePng(artefacts / "properties-panel-beside-canvas.png", picture));

    // The person moves the sheet, then selects the slider: its sheet opens in the same place.
    sheet.MoveWindow(CRect(docked.left - 40, docked.top + 20, docked.right - 40, docked.bottom + 20));
    slider->FollowPropertyPanel();
    EXPECT_FALSE(chartPanel.IsOpen());
    CPropertiesPanel& sliderPanel = PanelOf(*slider);
    ASSERT_TRUE(sliderPanel.IsOpen());
    CRect followed;
    sliderPanel.GetSheet()->GetWindowRect(&followed);
    EXPECT_EQ(followed.left, docked.left - 40);
    EXPECT_EQ(followed.top, docked.top + 20);
    EXPECT_EQ(followed.Width(), docked.Width());
    EXPECT_EQ(CComponentObj::GetCurrentPanel(), &slider->GetPanel());

    // The same command again closes it.
    slider->OnEditProperties();
    EXPECT_FALSE(sliderPanel.IsOpen());
    Doc().SetStage(previousStage);
    stage.DestroyWindow();
}

} // namespace
