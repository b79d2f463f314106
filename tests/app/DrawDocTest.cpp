#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawOleObj.h"
#include "app/core/AppIds.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "tests/app/AppFixture.h"

#include "publish/DocData.h"
#include "publish/BaseMovie.h"
#include "publish/DocWriter.h"
#include "platform/window/UserInput.h"

namespace {

// Opening a document through the File menu gives one canvas object per record, named and
// placed as stored, holding the stored instances.
TEST_F(AppTest, OpeningEachSampleGivesItsObjectsWithTheirNamesAndPlaces)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    CScriptedCommonDialogs& files = UseScriptedCommonDialogs();
    for (const char* name : {"loan-planner", "price-plan", "regional-sales", "state-markets"}) {
        SCOPED_TRACE(name);
        const std::string path = Sample(name).string();
        CDocData expected;
        std::string version = kDocumentVersion;
        ASSERT_TRUE(expected.Load(path, version)) << expected.GetLoadError();

        files.AnswerFile(path);
        EXPECT_TRUE(CUserInput::PressKey('O', CUserInput::Control));
        ASSERT_EQ(Doc().GetPathName(), path);
        const auto& objects = Doc().GetObjects();
        ASSERT_EQ(objects.size(), expected.GetComponentCount());
        ASSERT_GT(objects.size(), 0u);
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const CObjectRecord& record = *expected.GetComponent(i);
            const auto* obj = dynamic_cast<const CComponentObj*>(objects[i]);
            ASSERT_NE(obj, nullptr);
            EXPECT_EQ(obj->GetDocument(), &Doc());
            EXPECT_EQ(obj->m_position, CRect(record.rect.left, record.rect.top, record.rect.right, record.rect.bottom));
            EXPECT_EQ(obj->GetName(), record.names.at(0));
            EXPECT_FALSE(obj->GetName().empty());
            EXPECT_EQ(obj->m_bShown, record.enabled != 0);
            ASSERT_EQ(obj->GetInstanceCount(), static_cast<int>(record.components.size()));
            for (int k = 0; k < obj->GetInstanceCount(); ++k)
                EXPECT_EQ(obj->GetInstance(k)->GetName(), record.components[k]->GetName());
        }
        // The topmost object answers for a point inside it.
        const CDrawObj* top = objects.back();
        const CPoint inside = top->m_position.CenterPoint();
        EXPECT_EQ(Doc().ObjectAt(inside), top);
        EXPECT_FALSE(Doc().IsModified());
    }
    // A new document drops the objects.
    EXPECT_TRUE(CUserInput::PressKey('N', CUserInput::Control));
    EXPECT_TRUE(Doc().GetObjects().empty());
}

// Each canvas object owns its instances: a document whose objects list one component twice,
// in two objects or in one, is refused with a message instead of giving the instance two owners
// (which crashed the program on close).
TEST_F(AppTest, ADocumentListingAComponentTwiceIsRefused)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    testsupport::TempDir folder;
    for (const bool sameObject : {false, true}) {
        SCOPED_TRACE(sameObject ? "twice in one object" : "in two objects");
        CDocData data;
        std::string version = kDocumentVersion;
        ASSERT_TRUE(data.Load(Sample("loan-planner").string(), version)) << data.GetLoadError();
        ASSERT_GE(data.GetComponentCount(), 2u);
        std::vector<std::uint32_t>& indexes = data.GetComponent(1)->indexes;
        indexes.push_back(sameObject ? indexes.at(0) : data.GetComponent(0)->indexes.at(0));
        publish::DocFileContent content;
        content.doc = &data;
        content.base = GetBaseMovie();
        const std::filesystem::path file = folder / "shared.vtd";
        testsupport::WriteBytes(file, publish::WriteDocumentFile(content));

        boxes->Answer(IDOK);
        EXPECT_EQ(app->OpenDocumentFile(file.c_str()), nullptr);
        ASSERT_FALSE(boxes->Log().empty());
        EXPECT_NE(boxes->Log().back().text.find("belongs to more than one canvas object"), std::string::npos)
            << boxes->Log().back().text;
        EXPECT_TRUE(Doc().GetObjects().empty());
    }
    // The program goes on: the sample itself opens, and everything closes once.
    EXPECT_NE(app->OpenDocumentFile(Sample("loan-planner").c_str()), nullptr);
    EXPECT_FALSE(Doc().GetObjects().empty());
}

// The canvas commands keep both sides within 1..1630 pixels and move the objects with the
// canvas so the layout stays centred.
TEST_F(AppTest, CanvasCommandsStayWithinTheStageFrameLimit)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    CDrawDoc& doc = Doc();
    auto* obj = new CComponentObj(CRect(1000, 2000, 3000, 3000), std::vector<CComponent*>{}, "Free");
    doc.Add(obj);

    const struct {
        int width, height;
        bool accepted;
    } sizes[] = {{0, 600, false},    {600, 0, false},   {-5, 600, false}, {1631, 600, false},
                 {600, 1631, false}, {1630, 1630, true}, {1, 1, true},     {800, 600, true}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(testing::Message() << s.width << " x " << s.height);
        const int w = doc.GetCanvasWidth(), h = doc.GetCanvasHeight();
        EXPECT_EQ(doc.ResizeCanvas(s.width, s.height, 0, 0), s.accepted);
        EXPECT_EQ(doc.GetCanvasWidth(), s.accepted ? s.width : w);
        EXPECT_EQ(doc.GetCanvasHeight(), s.accepted ? s.height : h);
    }

    // Increase grows by ten pixels and moves objects by half of it (100 twips).
    doc.SetModifiedFlag(FALSE);
    // The toolbar buttons send the commands to the frame, which routes them to the document.
    Frame().SendMessage(WM_COMMAND, ID_INCREASE_CANVAS, 0);
    EXPECT_EQ(doc.GetCanvasWidth(), 810);
    EXPECT_EQ(doc.GetCanvasHeight(), 610);
    EXPECT_TRUE(doc.IsModified());

    ASSERT_TRUE(doc.ResizeCanvas(1625, 1625, 0, 0));
    const CRect before = obj->m_position;
    Frame().SendMessage(WM_COMMAND, ID_INCREASE_CANVAS, 0); // 1635 would pass the limit
    EXPECT_EQ(doc.GetCanvasWidth(), 1625);
    EXPECT_EQ(obj->m_position, before);
    ASSERT_TRUE(doc.ResizeCanvas(1620, 1620, 0, 0));
    Frame().SendMessage(WM_COMMAND, ID_INCREASE_CANVAS, 0);
    EXPECT_EQ(doc.GetCanvasWidth(), 1630);
    EXPECT_EQ(obj->m_position, CRect(before.left + 100, before.top + 100, before.right + 100, before.bottom + 100));

    ASSERT_TRUE(doc.ResizeCanvas(99, 500, 0, 0));
    Frame().SendMessage(WM_COMMAND, ID_DECREASE_CANVAS, 0); // below 100: refused
    EXPECT_EQ(doc.GetCanvasWidth(), 99);
    ASSERT_TRUE(doc.ResizeCanvas(100, 500, 0, 0));
    Frame().SendMessage(WM_COMMAND, ID_DECREASE_CANVAS, 0);
    EXPECT_EQ(doc.GetCanvasWidth(), 90);
    EXPECT_EQ(doc.GetCanvasHeight(), 490);

    // Fit to components: the union's size, centred.
    obj->m_position = CRect(1000, 2000, 3000, 3000);
    Frame().SendMessage(WM_COMMAND, ID_FIT_TO_COMPONENTS, 0);
    EXPECT_EQ(doc.GetCanvasWidth(), 100);
    EXPECT_EQ(doc.GetCanvasHeight(), 50);
    EXPECT_EQ(obj->m_position, CRect(0, 0, 2000, 1000));
    // Fit to window: the view's client size, the objects moved by half the change.
    ASSERT_TRUE(doc.ResizeCanvas(100, 50, 0, 0));
    CRect client;
    GetActiveDrawView()->GetClientRect(&client);
    ASSERT_LT(client.Width(), 1630);
    Frame().SendMessage(WM_COMMAND, ID_FIT_TO_WINDOW, 0);
    EXPECT_EQ(doc.GetCanvasWidth(), client.Width());
    EXPECT_EQ(doc.GetCanvasHeight(), client.Height());
    EXPECT_EQ(obj->m_position.left, (client.Width() - 100) / 2 * 20);
    EXPECT_EQ(obj->m_position.top, (client.Height() - 50) / 2 * 20);
    // A window wider than the limit gives a canvas of 1630 pixels.
    Frame().MoveWindow(0, 0, 2400, 900);
    Frame().SendMessage(WM_COMMAND, ID_FIT_TO_WINDOW, 0);
    EXPECT_EQ(doc.GetCanvasWidth(), 1630);
    // A union wider than the limit is held at 1630 pixels.
    obj->m_position = CRect(0, 0, 40000, 200);
    Frame().SendMessage(WM_COMMAND, ID_FIT_TO_COMPONENTS, 0);
    EXPECT_EQ(doc.GetCanvasWidth(), 1630);
    EXPECT_EQ(doc.GetCanvasHeight(), 10);
}

} // namespace

namespace {

// An embedded object stands on the canvas as a crossed frame where it was placed.
TEST_F(AppTest, EmbeddedObjectsShowAsFramesOnTheCanvas)
{
    CRasterWindowHost& host = InstallRasterWindowHost();
    SkipWelcome();
    ASSERT_TRUE(Start());
    Doc().Add(new CDrawOleObj(CRect(2000, 2000, 6000, 4000))); // 200 x 100 pixels at (100, 100)
    Frame().ShowWindow(SW_SHOWNORMAL);
    PumpUntilIdle();
    CBitmap picture = host.Snapshot(Frame());
    EXPECT_TRUE(WritePng(artefacts / "canvas-embedded-object.png", picture));
    CDrawView* view = GetActiveDrawView();
    ASSERT_NE(view, nullptr);
    // The view's client corner in the frame's picture.
    CPoint corner(0, 0);
    view->ClientToScreen(&corner);
    Frame().ScreenToClient(&corner);
    const CPoint canvas = view->DocToClient(CPoint(0, 0));
    const CPoint origin(corner.x + canvas.x, corner.y + canvas.y);
    EXPECT_EQ(picture.GetPixel(origin.x + 100, origin.y + 100), RGB(0, 0, 0));
    // The diagonals cross in the middle (within a pixel of it, as lines round).
    bool crossing = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            crossing = crossing || picture.GetPixel(origin.x + 200 + dx, origin.y + 150 + dy) == RGB(0, 0, 0);
    EXPECT_TRUE(crossing);
    EXPECT_EQ(picture.GetPixel(origin.x + 150, origin.y + 150), RGB(255, 255, 255));
    // A handle of the selected object sits on its corner whatever the view's margin.
    const CDrawObj* obj = Doc().GetObjects().back();
    EXPECT_EQ(obj->HitTest(CPoint(6040, 2040), view, true), 3);
    EXPECT_EQ(Doc().ObjectAt(CPoint(4000, 3000)), obj);
}

} // namespace
