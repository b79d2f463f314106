#include "ScreenFixture.h"

#include <algorithm>
#include <memory>

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawView.h"
#include "app/core/AppIds.h"
#include "app/shell/KVApp.h"
#include "app/shell/MainFrm.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/Component.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/docview/Frame.h"
#include "platform/services/FlashPlayerObject.h"
#include "platform/services/ObjectFactory.h"
#include "platform/services/Services.h"

namespace {

// The designer as a person starts it, on the screen: its installation, a settings and a
// temporary folder of the test's own, the stage played by Ruffle in the web view (the
// screen_player run installs it), a shipped sample opened from the command line.
class PlayerOnScreenDesignerTest : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        ResetPlatformServices();
        ResetObjectFactory();
        GetPlatformServices().SetModuleFileName(testsupport::InstallDir() / "vantorel");
        GetPlatformServices().SetAppDataFolder(settings.path());
        GetPlatformServices().SetTempFolder(temp.path());
        RegisterFlashPlayerObject(GetObjectFactory());
        RegisterProgramObjects(GetObjectFactory());
        // The welcome page is closed as soon as it opens.
        ui::SetDialogHook(309, [](CDialog& dlg) { dlg.EndDialog(IDOK); });
    }
    void TearDown() override
    {
        if (app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd->m_hWnd != nullptr) {
            app->m_pMainWnd->DestroyWindow();
        }
        if (app != nullptr) {
            app->ExitInstance();
        }
        app.reset();
        ResetObjectFactory();
        ResetPlatformServices();
        ScreenTest::TearDown();
    }

    // Where a view's client point lies in its top-level window's picture.
    static CPoint InTop(CWnd& top, CWnd& wnd, CPoint client)
    {
        CRect w;
        wnd.GetWindowRect(&w);
        CRect t;
        top.GetWindowRect(&t);
        return client + CSize(w.left - t.left, w.top - t.top);
    }
    // A rectangle of the document in its top-level window's picture.
    static CRect OnTop(CWnd& top, CDrawView& view, const CRect& doc)
    {
        const CRect r = view.DocToClient(doc);
        const CPoint at = InTop(top, view, r.TopLeft());
        return CRect(at.x, at.y, at.x + r.Width(), at.y + r.Height());
    }
    // Pixels of a rectangle (top-level coordinates) that are not the white paper.
    static int Inked(const CBitmap& picture, const CRect& area)
    {
        int count = 0;
        for (int y = std::max(0, area.top); y < std::min(picture.Height(), area.bottom); ++y) {
            for (int x = std::max(0, area.left); x < std::min(picture.Width(), area.right); ++x) {
                count += picture.GetPixel(x, y) != RGB(255, 255, 255) ? 1 : 0;
            }
        }
        return count;
    }
    // Waits for the stage to take every call sent so far and for a snapshot of the page taken
    // after that.
    static bool StageSettled(CStageFlashCtrl& stage, int timeoutMs)
    {
        if (!gtkscreen::RunUntil([&] { return gtkscreen::PlayerIdle(stage); }, timeoutMs)) {
            return false;
        }
        const int seen = gtkscreen::PlayerSnapshots(stage);
        // Two more: the first may have been asked for before the last call took effect.
        if (!gtkscreen::RunUntil([&] { return gtkscreen::PlayerSnapshots(stage) >= seen + 2; }, timeoutMs)) {
            return false;
        }
        gtkscreen::Flush(); // the canvas repaints with the last picture
        return true;
    }

    // The first parameter of that name among a component's parameters, in its groups at any depth.
    static CParameter* FindNamed(const CParameterSet& set, const std::string& name)
    {
        for (int i = 0; i < set.GetCount(); ++i) {
            CParameter* p = set.GetAt(i);
            if (p->GetName() == name)
                return p;
            if (p->GetSet() != nullptr) {
                if (CParameter* inner = FindNamed(*p->GetSet(), name))
                    return inner;
            }
        }
        return nullptr;
    }
    // The ink of a rectangle (top-level coordinates): how many pixels are not the white paper,
    // and how far apart its leftmost and rightmost such columns are.
    struct Ink {
        int pixels = 0;
        int width = 0;
    };
    static Ink InkOf(const CBitmap& picture, const CRect& area)
    {
        Ink ink;
        int first = -1, last = -1;
        for (int x = std::max(0, area.left); x < std::min(picture.Width(), area.right); ++x) {
            for (int y = std::max(0, area.top); y < std::min(picture.Height(), area.bottom); ++y) {
                if (picture.GetPixel(x, y) != RGB(255, 255, 255)) {
                    ++ink.pixels;
                    first = first < 0 ? x : first;
                    last = x;
                }
            }
        }
        ink.width = first < 0 ? 0 : last - first + 1;
        return ink;
    }

    static bool Fetched(CWnd& player, const std::string& file)
    {
        const std::vector<std::string> files = gtkscreen::PlayerFetched(player);
        return std::find(files.begin(), files.end(), file) != files.end();
    }

    // The designer started on the shipped sample, its window at the size given, its view and
    // stage there.
    void OpenSample(int width, int height, const char* name = "regional-sales.vtd")
    {
        const std::filesystem::path sample = testsupport::InstallDir() / "samples" / "Dashboards" / name;
        ASSERT_TRUE(std::filesystem::exists(sample)) << sample;
        app = std::make_unique<CKVApp>();
        app->SetCommandLine({sample.string()});
        ASSERT_TRUE(app->InitInstance());
        app->m_pMainWnd->MoveWindow(0, 0, width, height);
        gtkscreen::Flush();
        CDrawView* view = GetActiveDrawView();
        ASSERT_NE(view, nullptr);
        ASSERT_NE(view->GetStage(), nullptr) << "the stage did not start";
    }

    testsupport::TempDir settings;
    testsupport::TempDir temp;
    std::unique_ptr<CKVApp> app;
};

TEST_F(PlayerOnScreenDesignerTest, AComponentOfASampleDrawnByTheStageIsDraggedWithThePointer)
{
    ASSERT_NO_FATAL_FAILURE(OpenSample(1400, 900));
    CWnd& frame = *app->m_pMainWnd;
    CDrawView* view = GetActiveDrawView();
    CStageFlashCtrl* stage = view->GetStage();
    CDrawDoc& doc = *view->GetDocument();

    // The topmost component shown on the stage, whole inside the view: a press inside it takes
    // it rather than one below.
    CComponentObj* component = nullptr;
    CRect client;
    view->GetClientRect(&client);
    for (CDrawObj* obj : doc.GetObjects()) {
        auto* c = dynamic_cast<CComponentObj*>(obj);
        CRect on;
        if (c != nullptr && c->m_bShown && on.IntersectRect(view->DocToClient(c->m_position), client) &&
            on == view->DocToClient(c->m_position)) {
            component = c;
        }
    }
    ASSERT_NE(component, nullptr) << "the sample shows no component";

    ASSERT_TRUE(StageSettled(*stage, 60000))
        << "the stage never drew: idle " << gtkscreen::PlayerIdle(*stage) << ", snapshots "
        << gtkscreen::PlayerSnapshots(*stage);
    const CRect before = component->m_position;
    const CRect canvas = OnTop(frame, *view, CRect(0, 0, doc.GetCanvasWidth() * 20, doc.GetCanvasHeight() * 20));
    {
        const CBitmap shot = Shot(frame, "designer-opened");
        // Ruffle drew the components on the canvas, each where the document puts it (the
        // background panels are white inside).
        EXPECT_GT(Inked(shot, canvas), canvas.Width() * canvas.Height() / 50);
        for (CDrawObj* obj : doc.GetObjects()) {
            auto* c = dynamic_cast<CComponentObj*>(obj);
            if (c == nullptr || !c->m_bShown || c->GetTypeName().find("Background") != std::string::npos)
                continue;
            const CRect on = OnTop(frame, *view, c->m_position);
            EXPECT_GT(Inked(shot, on), on.Width() * on.Height() / 100) << c->GetTypeName() << " is not drawn in its place";
        }
    }
    // The model stored in the document is loaded.
    auto* main = dynamic_cast<CMainFrame*>(&frame);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->StatusBar().GetPaneText(1), "Model Import Done");

    // Pressed a little inside the component, dragged by 80 x 48 pixels with the pointer.
    const std::size_t records = view->GetUndoHistory().GetCount();
    const CPoint from = view->DocToClient(before).TopLeft() + CSize(12, 12);
    const CSize by(80, 48);
    ASSERT_TRUE(gtkscreen::SimulateDrag(*view, from, from + by, 8));
    EXPECT_EQ(view->GetSelection().size(), 1u);
    ASSERT_FALSE(view->GetSelection().empty());
    EXPECT_EQ(view->GetSelection().front(), component);
    CRect moved = before;
    moved.OffsetRect(by.cx * 20, by.cy * 20);
    EXPECT_EQ(component->m_position, moved);
    EXPECT_EQ(view->GetUndoHistory().GetCount(), records + 1);

    ASSERT_TRUE(StageSettled(*stage, 30000));
    const CBitmap shot = Shot(frame, "designer-dragged");
    EXPECT_GT(Inked(shot, canvas), canvas.Width() * canvas.Height() / 50);
    // The selection's handles: the top-left one is on the screen as the layer painted it.
    const CRect movedOnTop = OnTop(frame, *view, moved);
    const CBitmap* painted = gtkscreen::WindowPicture(frame);
    ASSERT_NE(painted, nullptr);
    EXPECT_EQ(shot.GetPixel(movedOnTop.left, movedOnTop.top), painted->GetPixel(movedOnTop.left, movedOnTop.top));
}

// The preview's player lies over the view and shows the generated movie: the components are
// drawn, and the player stays inside the view (the status bar below it stays visible).
TEST_F(PlayerOnScreenDesignerTest, ThePreviewOfASampleShowsItsComponentsInsideTheView)
{
    ASSERT_NO_FATAL_FAILURE(OpenSample(1000, 640));
    CWnd& frame = *app->m_pMainWnd;
    CDrawView* view = GetActiveDrawView();
    CStageFlashCtrl* stage = view->GetStage();
    ASSERT_TRUE(StageSettled(*stage, 60000));

    view->SendMessage(WM_COMMAND, ID_VIEW_SWF_PREVIEW);
    ASSERT_TRUE(view->IsPreview());
    CShockwaveFlash* player = view->GetPreviewPlayer();
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(gtkscreen::RunUntil([&] { return gtkscreen::PlayerIdle(*player); }, 60000)) << "the preview never loaded";
    // The player inside the view's client area.
    CRect client;
    view->GetClientRect(&client);
    view->ClientToScreen(&client);
    CRect placed;
    player->GetWindowRect(&placed);
    CRect inside;
    inside.IntersectRect(placed, client);
    EXPECT_EQ(inside, placed) << "the preview runs outside the view";

    CRect t;
    frame.GetWindowRect(&t);
    placed.OffsetRect(-t.left, -t.top);
    CBitmap shot;
    const int least = placed.Width() * placed.Height() / 50;
    gtkscreen::RunUntil(
        [&] {
            shot = gtkscreen::ReadScreen(frame);
            return Inked(shot, placed) > least;
        },
        30000);
    shot = Shot(frame, "designer-preview");
    EXPECT_GT(Inked(shot, placed), least) << "the preview shows the paper only";

    view->SendMessage(WM_COMMAND, ID_VIEW_SWF_PREVIEW);
    EXPECT_FALSE(view->IsPreview());
}

// The stage's and the preview's movies are made in the temporary folder; the XML file a data
// connection loads by a relative address lies beside the document, and both find it there.
TEST_F(PlayerOnScreenDesignerTest, ThePreviewFindsTheFilesItsMovieNamesBesideTheDocument)
{
    ASSERT_NO_FATAL_FAILURE(OpenSample(1000, 640, "data-connection.vtd"));
    CDrawView* view = GetActiveDrawView();
    CStageFlashCtrl* stage = view->GetStage();
    ASSERT_TRUE(StageSettled(*stage, 60000));
    EXPECT_TRUE(gtkscreen::RunUntil([&] { return Fetched(*stage, "prices.xml"); }, 60000))
        << "the stage never loaded prices.xml";
    view->SendMessage(WM_COMMAND, ID_VIEW_SWF_PREVIEW);
    ASSERT_TRUE(view->IsPreview());
    CShockwaveFlash* player = view->GetPreviewPlayer();
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(gtkscreen::RunUntil([&] { return Fetched(*player, "prices.xml"); }, 60000))
        << "the preview never loaded prices.xml";
    gtkscreen::RunUntil([&] { return gtkscreen::PlayerIdle(*player); }, 30000);
    Shot(*app->m_pMainWnd, "designer-preview-data");
    view->SendMessage(WM_COMMAND, ID_VIEW_SWF_PREVIEW);
}

// Text set in a device font is drawn by the stage in a bold face when the component's text is
// bold: the same label switched to regular inks fewer pixels over a narrower line.
TEST_F(PlayerOnScreenDesignerTest, ABoldLabelOnTheStageIsDrawnInABoldFace)
{
    ASSERT_NO_FATAL_FAILURE(OpenSample(1400, 900));
    CWnd& frame = *app->m_pMainWnd;
    CDrawView* view = GetActiveDrawView();
    CStageFlashCtrl* stage = view->GetStage();
    CComponentObj* label = nullptr;
    for (CDrawObj* obj : view->GetDocument()->GetObjects()) {
        auto* c = dynamic_cast<CComponentObj*>(obj);
        if (c != nullptr && c->GetTypeName() == "KVLabelCompSymbol")
            label = c;
    }
    ASSERT_NE(label, nullptr) << "the sample has no label";
    CParameterSet* parameters = label->GetInstance(0)->GetParameters();
    ASSERT_NE(parameters, nullptr);
    CParameter* style = FindNamed(*parameters, "FontStyle");
    ASSERT_NE(style, nullptr) << "the label's text has no style";
    ASSERT_EQ(style->GetString(), "Bold") << "the sample's label is no longer bold";
    ASSERT_TRUE(StageSettled(*stage, 60000));
    const CRect place = OnTop(frame, *view, label->m_position);
    const Ink boldInk = InkOf(Shot(frame, "designer-label-bold"), place);

    style->SetString("Regular");
    label->Refresh(0);
    ASSERT_TRUE(StageSettled(*stage, 60000));
    const Ink regularInk = InkOf(Shot(frame, "designer-label-regular"), place);
    ASSERT_GT(regularInk.width, place.Width() / 10) << "the regular label shows no text";
    // Bold strokes are about half again as thick, and bold letters wider.
    EXPECT_GT(boldInk.pixels, regularInk.pixels * 6 / 5) << "bold " << boldInk.pixels << ", regular " << regularInk.pixels;
    EXPECT_GT(boldInk.width, regularInk.width) << "bold " << boldInk.width << " wide, regular " << regularInk.width;
}

} // namespace
