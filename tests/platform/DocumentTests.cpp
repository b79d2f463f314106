#include "UiFixture.h"
#include "platform/docview/DocTemplate.h"
#include "platform/docview/Document.h"
#include "platform/docview/Frame.h"
#include "platform/docview/RecentFileList.h"
#include "platform/services/Services.h"
#include "platform/docview/View.h"
#include "platform/docview/WinApp.h"
#include "tests/support/TestSupport.h"

namespace {

using DocumentTest = UiTest;

class HintView : public CView {
public:
    void OnUpdate(CView* sender, LPARAM hint, void*) override
    {
        hints.push_back(hint);
        lastSender = sender;
    }
    std::vector<LPARAM> hints;
    CView* lastSender = nullptr;
};

TEST_F(DocumentTest, ViewsHearOfChangesExceptTheOneThatMadeThem)
{
    CDocument doc;
    HintView a, b;
    doc.AddView(&a);
    doc.AddView(&b);
    doc.AddView(&a);
    EXPECT_EQ(doc.GetViews().size(), 2u);
    doc.UpdateAllViews(&a, 7);
    EXPECT_TRUE(a.hints.empty());
    EXPECT_EQ(b.hints, std::vector<LPARAM>{7});
    EXPECT_EQ(b.lastSender, &a);

    std::vector<CView*> walked;
    for (POSITION pos = doc.GetFirstViewPosition(); pos != nullptr;) {
        walked.push_back(doc.GetNextView(pos));
    }
    EXPECT_EQ(walked, (std::vector<CView*>{&a, &b}));
    doc.RemoveView(&a);
    EXPECT_EQ(a.GetDocument(), nullptr);
    doc.RemoveView(&b);
    EXPECT_EQ(doc.GetFirstViewPosition(), nullptr);
}

TEST_F(DocumentTest, PathsTitlesAndTheModifiedFlag)
{
    CWinApp app("Vantorel");
    app.LoadStdProfileSettings(4);
    CDocument doc;
    doc.SetPathName("/work/models/sales.vtd");
    EXPECT_EQ(doc.GetTitle(), "sales.vtd");
    // A new document starts unmodified and without a path.
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_FALSE(doc.OnSaveDocument("/tmp/x")) << "the base document has no file form";
}

class ClosingDoc : public CDocument {
public:
    ~ClosingDoc() override { ++destroyed; }
    static int destroyed;
};
int ClosingDoc::destroyed = 0;

TEST_F(DocumentTest, ClosingTheDocumentClosesItsFrameAndEndsTheProgram)
{
    ClosingDoc::destroyed = 0;
    CWinApp app("Vantorel");
    GetResources().AddString(9, "Test\nUntitled");
    app.AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        9, [] { return std::make_unique<ClosingDoc>(); }, [] { return std::make_unique<CFrameWnd>(); },
        [] { return std::make_unique<CView>(); }));
    app.OnFileNew();
    ASSERT_NE(app.m_pMainWnd, nullptr);
    auto* frame = dynamic_cast<CFrameWnd*>(app.m_pMainWnd);
    EXPECT_EQ(frame->GetWindowText(), "Untitled - Test");
    CDocument* doc = frame->GetActiveDocument();
    ASSERT_NE(doc, nullptr);

    // New again reuses the same document and frame.
    app.OnFileNew();
    EXPECT_EQ(app.m_pMainWnd, frame);
    EXPECT_EQ(frame->GetActiveDocument(), doc);

    doc->SetModifiedFlag();
    boxes->Answer(IDNO);
    frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    EXPECT_EQ(ClosingDoc::destroyed, 1);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(LiveWindowCount(), 0u);
    MSG msg;
    EXPECT_FALSE(GetMessageQueue().Get(msg));
}

TEST_F(DocumentTest, TheProfileKeepsValuesUnderTheApplicationsKey)
{
    testsupport::TempDir dir;
    ResetPlatformServices();
    GetPlatformServices().SetAppDataFolder(dir.path());
    {
        CWinApp app("Vantorel");
        EXPECT_EQ(app.ProfilePath(), std::filesystem::path()) << "nothing is stored before a key is set";
        app.SetRegistryKey("Caldermoorix");
        EXPECT_EQ(app.ProfilePath(), dir / "Caldermoorix" / "Vantorel.ini");
        app.LoadStdProfileSettings(4);
        EXPECT_EQ(app.GetProfileInt("Settings", "Width", 800), 800);
        EXPECT_EQ(app.GetProfileString("Settings", "Name", "none"), "none");
        app.WriteProfileInt("Settings", "Width", 1024);
        app.WriteProfileString("Settings", "Name", "Sales");
        app.WriteProfileString("Settings", "Gone", "x");
        app.WriteProfileString("Settings", "Gone", nullptr);
        app.Profile().WriteInt("Settings", "Huge", 1LL << 40);
        app.AddToRecentFileList("/m/a.vtd");
        app.ExitInstance();
    }
    CWinApp again("Vantorel");
    again.SetRegistryKey("Caldermoorix");
    again.LoadStdProfileSettings(4);
    EXPECT_EQ(again.GetProfileInt("Settings", "Width", 0), 1024);
    EXPECT_EQ(again.GetProfileString("Settings", "Name"), "Sales");
    EXPECT_EQ(again.GetProfileString("Settings", "Gone", "-"), "-");
    EXPECT_EQ(again.GetProfileInt("Settings", "Huge", -1), -1)
        << "a number too large for an int reads as missing";
    ASSERT_EQ(again.GetRecentFileList()->GetCount(), 1);
    ResetPlatformServices();
}

} // namespace
