#include "PersonFixture.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/controls/Edit.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/PropertyPage.h"
#include "platform/dialogs/PropertySheet.h"
#include "platform/docview/Frame.h"
#include "platform/docview/Menu.h"
#include "platform/docview/MenuBar.h"
#include "platform/docview/Resources.h"
#include "platform/window/CmdUI.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"

namespace {

enum : UINT {
    IDR_DEMO = 4400,
    ID_DEMO_OPEN = 4401,
    ID_DEMO_SELECT_ALL = 4402,
    ID_DEMO_DELETE = 4403,
    ID_DEMO_BRING = 4404,
    ID_DEMO_SEND = 4405,
    IDD_DEMO_PAGE = 4410,
    IDC_DEMO_TITLE = 4411,
    IDD_DEMO_TOOL = 4420,
    ID_DEMO_BUSY = 4430,
};

// A tool window of the frame, as the palette is: captioned, 100 by 120 dialog units.
DialogTemplate ToolTemplate(const std::string& caption)
{
    DialogTemplate t;
    t.id = IDD_DEMO_TOOL;
    t.caption = caption;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    t.exStyle = kToolWindow;
    t.cx = 100;
    t.cy = 120;
    return t;
}

// The canvas of the demonstration: white paper that offers a context menu.
class Paper : public CWnd {
public:
    void OnPaint()
    {
        PAINTSTRUCT ps;
        if (CDC* dc = BeginPaint(&ps)) {
            CRect r;
            GetClientRect(&r);
            dc->FillSolidRect(r, RGB(255, 255, 255));
            EndPaint(&ps);
        }
    }
    void OnContextMenu(CWnd*, CPoint at)
    {
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, ID_DEMO_BRING, "&Bring to Front");
        menu.AppendMenu(MF_STRING, ID_DEMO_SEND, "&Send to Back");
        open = true;
        picked = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, at.x, at.y, this));
        open = false;
        ++menus;
    }
    UINT picked = 0;
    int menus = 0;
    bool open = false;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Paper, CWnd)
    .OnPaint(&Paper::OnPaint)
    .OnContextMenu(&Paper::OnContextMenu)
END_MESSAGE_MAP()

// A main window with a menu bar, accelerators that act on its canvas (select all, delete), and
// the paper filling its client area.
class DemoFrame : public CFrameWnd {
public:
    int OnCreate(LPCREATESTRUCT cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        CRect r;
        GetClientRect(&r);
        return paper.Create(nullptr, "", WS_CHILD | WS_VISIBLE, r, this, AFX_IDW_PANE_FIRST) ? 0 : -1;
    }
    void OnOpen() { ++opened; }
    void OnSelectAll()
    {
        ++selectedAll;
        commands += 'A';
    }
    void OnDelete()
    {
        ++deleted;
        commands += 'D';
    }
    // Work that keeps the program from its events (a long redraw) until the person has typed
    // ahead, the paper left to draw again after it.
    void OnBusy()
    {
        busy = true;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!typedAhead && std::chrono::steady_clock::now() < end)
            std::this_thread::yield();
        paper.Invalidate();
    }
    void OnUpdateDelete(CCmdUI* ui) { ui->Enable(deleteAllowed); }

    Paper paper;
    int opened = 0;
    int selectedAll = 0;
    int deleted = 0;
    std::string commands;
    std::atomic<bool> busy{false};
    std::atomic<bool> typedAhead{false};
    bool deleteAllowed = true;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DemoFrame, CFrameWnd)
    .OnCreate(&DemoFrame::OnCreate)
    .Command(ID_DEMO_OPEN, &DemoFrame::OnOpen)
    .Command(ID_DEMO_SELECT_ALL, &DemoFrame::OnSelectAll)
    .Command(ID_DEMO_DELETE, &DemoFrame::OnDelete)
    .Command(ID_DEMO_BUSY, &DemoFrame::OnBusy)
    .UpdateCommandUI(ID_DEMO_DELETE, &DemoFrame::OnUpdateDelete)
END_MESSAGE_MAP()

class MenusByHandTest : public PersonTest {
protected:
    void SetUp() override
    {
        PersonTest::SetUp();
        CResourceTable& r = GetResources();
        r.AddString(IDR_DEMO, "Demo");
        r.AddMenu(IDR_DEMO, {MenuTemplateItem::Popup("&File", {{"&Open...\tCtrl+O", ID_DEMO_OPEN}}),
                             MenuTemplateItem::Popup("&Edit", {{"Select &All\tCtrl+A", ID_DEMO_SELECT_ALL},
                                                               {"&Delete\tDel", ID_DEMO_DELETE}})});
        ACCEL all;
        all.fVirt = FVIRTKEY | FCONTROL;
        all.key = 'A';
        all.cmd = ID_DEMO_SELECT_ALL;
        ACCEL del;
        del.key = VK_DELETE;
        del.cmd = ID_DEMO_DELETE;
        r.AddAccelerators(IDR_DEMO, {all, del});
        ASSERT_TRUE(frame.LoadFrame(IDR_DEMO, WS_OVERLAPPEDWINDOW));
        frame.MoveWindow(80, 80, 640, 440);
        frame.ShowWindow(SW_SHOW);
        frame.UpdateWindow();
        gtkscreen::Flush();
    }
    void TearDown() override
    {
        ResetResources();
        PersonTest::TearDown();
    }
    CPoint TitleOf(ScreenUser& user, int index)
    {
        CRect title;
        user.OnUi([&] { title = frame.GetMenuBar()->GetTitleRect(index); });
        return user.PointOf(*frame.GetMenuBar(), title.CenterPoint());
    }

    DemoFrame frame;
};

TEST_F(MenusByHandTest, AMenuOpenedByANormalClickStaysOpenUntilAnItemIsClicked)
{
    ASSERT_NE(frame.GetMenuBar(), nullptr);
    ASSERT_TRUE(gtkscreen::RunPerson([&](ScreenUser& user) {
        PERSON_READY(user, frame);
        user.Click(TitleOf(user, 0));
        // Opened by a click (press and release), the menu is still open a moment later.
        ASSERT_TRUE(user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() == 0; })) << "no menu opened";
        user.Settle();
        EXPECT_TRUE(user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() == 0; }, 300))
            << "the menu closed after the click that opened it";
        EXPECT_TRUE(user.WaitForPopupMenu()) << "no pop-up shows";
        Shot(user, "menu-open");
        const CRect bar = user.RectOf(*frame.GetMenuBar());
        const CPoint title = TitleOf(user, 0);
        // The first item lies just under the title.
        user.Click(CPoint(title.x + 10, bar.bottom + 14));
        EXPECT_TRUE(user.WaitFor([&] { return frame.opened == 1; })) << "the item did not run";
        EXPECT_TRUE(user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() < 0; }));
    }));
}

TEST_F(MenusByHandTest, AltWithATitlesLetterOpensItsMenuAndKeysChoose)
{
    ASSERT_TRUE(gtkscreen::RunPerson([&](ScreenUser& user) {
        PERSON_READY(user, frame);
        user.Click(user.CenterOf(frame.paper));
        EXPECT_TRUE(user.WaitForFocusedTitle(PersonTest::TitleOf(user, frame)));
        user.Keys("alt+e");
        ASSERT_TRUE(user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() == 1; })) << "no Edit menu";
        user.Keys("Down");
        user.Keys("Return");
        EXPECT_TRUE(user.WaitFor([&] { return frame.deleted == 1; })) << "Delete was not chosen with the arrows";
        // And by its letter, as a person who knows the menu types it.
        user.OnUi([&] { frame.deleted = 0; });
        user.Keys("alt+e");
        ASSERT_TRUE(user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() == 1; })) << "no Edit menu";
        user.Keys("d");
        EXPECT_TRUE(user.WaitFor([&] { return frame.deleted == 1; })) << "Delete was not chosen by its letter";
        EXPECT_EQ(frame.selectedAll, 0);
    }));
}

TEST_F(MenusByHandTest, TheMenuBarIsTheToolkitsFollowsTheUpdateHandlersAndMovesFromTitleToTitle)
{
    frame.deleteAllowed = false;
    ASSERT_TRUE(gtkscreen::RunPerson([&](ScreenUser& user) {
        PERSON_READY(user, frame);
        // The toolkit draws the titles: the layer's own picture of the bar is a plain face.
        const CRect bar = user.RectOf(*frame.GetMenuBar());
        // The toolkit's bar is laid over the window when the toolkit is next idle.
        int dark = 0;
        for (int tries = 0; tries < 60 && dark <= 4; ++tries) {
            user.WaitDrawn();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const CPoint file = TitleOf(user, 0);
            const CBitmap screen = user.Screen();
            dark = 0;
            for (int y = file.y - 6; y < file.y + 6; ++y) {
                for (int x = file.x - 8; x < file.x + 8; ++x) {
                    dark += GetRValue(screen.GetPixel(x, y)) < 128 ? 1 : 0;
                }
            }
        }
        EXPECT_GT(dark, 4) << "no title text shows on the bar";
        user.OnUi([&] {
            const CBitmap* own = gtkscreen::WindowPicture(frame);
            CRect inTop;
            frame.GetMenuBar()->GetWindowRect(&inTop);
            CRect top;
            frame.GetWindowRect(&top);
            const CPoint at(inTop.left - top.left + 20, inTop.top - top.top + inTop.Height() / 2);
            ASSERT_NE(own, nullptr);
            EXPECT_EQ(own->GetPixel(at.x, at.y), GetSysColor(COLOR_BTNFACE)) << "the layer drew titles too";
        });

        user.Click(TitleOf(user, 1));
        ASSERT_TRUE(user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() == 1; })) << "no Edit menu";
        EXPECT_TRUE(user.WaitForPopupMenu());
        Shot(user, "menu-bar-edit");
        // Delete is greyed by its update handler: a click on it runs nothing.
        const CPoint edit = TitleOf(user, 1);
        user.Click(CPoint(edit.x + 10, bar.bottom + 14 + 28));
        user.Settle();
        EXPECT_EQ(frame.deleted, 0) << "a greyed item ran";
        // With the menu open, the pointer moving onto another title opens that one instead.
        user.MoveTo(TitleOf(user, 0));
        EXPECT_TRUE(user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() == 0; })) << "File did not open";
        user.Keys("Escape");
        user.Keys("Escape");
        EXPECT_TRUE(user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() < 0; }));

        // Allowed again, Delete is chosen with the keys the next time the menu opens.
        user.OnUi([&] { frame.deleteAllowed = true; });
        user.Click(user.CenterOf(frame.paper));
        EXPECT_TRUE(user.WaitForFocusedTitle(PersonTest::TitleOf(user, frame)));
        user.Keys("alt+e");
        ASSERT_TRUE(user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() == 1; })) << "no Edit menu";
        user.Keys("Down");
        user.Keys("Return");
        EXPECT_TRUE(user.WaitFor([&] { return frame.deleted == 1; })) << "Delete was not chosen";
        ShotOf(user, frame, "menu-bar-closed");
    }));
}

TEST_F(MenusByHandTest, WhileAModalDialogRunsNeitherTheMenuBarNorAToolWindowTakesAClick)
{
    // A command picked from the bar behind a modal dialog would run under it (File > New
    // while a style sheet edits the document), and so would a click in the frame's palette or
    // browser: they wait for the dialog to end, which stays in front.
    DialogTemplate tools = ToolTemplate("Components");
    tools.Add("Button", "Close", IDOK, 20, 40, 60, 16, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    CDialog tool;
    ASSERT_TRUE(tool.CreateIndirect(tools, &frame));
    tool.MoveWindow(100, 200, 160, 200);
    tool.ShowWindow(SW_SHOW);
    DialogTemplate t;
    t.id = IDD_DEMO_TOOL + 1;
    t.caption = "Modal";
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    t.cx = 120;
    t.cy = 60;
    t.Add("Button", "OK", IDOK, 35, 30, 50, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON);
    CDialog dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(t, &frame));
    gtkscreen::PersonAtScreen person([&](ScreenUser& user) {
        [&] {
            PERSON_READY(user, dlg);
            user.OnUi([&] { dlg.MoveWindow(400, 300, 200, 120); });
            user.WaitDrawn();
            user.Click(TitleOf(user, 0));
            user.Settle();
            EXPECT_FALSE(user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() >= 0; }, 600))
                << "a title opened behind the modal dialog";
            CWnd* pick = nullptr;
            user.OnUi([&] { pick = tool.GetDlgItem(IDOK); });
            ASSERT_NE(pick, nullptr);
            user.Click(user.CenterOf(*pick));
            user.Settle();
            EXPECT_TRUE(user.WaitForFocusedTitle("Modal")) << "the modal dialog did not come forward again";
        }();
        // One Escape: a second one, should it come after the dialog has gone, would reach the
        // tool window, which it closes.
        user.Keys("Escape");
        if (!user.WaitFor([&] { return !::IsWindow(dlg.GetSafeHwnd()) || !dlg.IsWindowVisible(); }, 5000)) {
            user.OnUi([&] {
                if (::IsWindow(dlg.GetSafeHwnd()))
                    dlg.PostMessage(WM_COMMAND, IDCANCEL);
            });
        }
    });
    dlg.DoModal();
    EXPECT_TRUE(person.Finish(30000)) << "the person's script did not end";
    EXPECT_EQ(frame.opened, 0);
    // Its button would have closed it.
    EXPECT_TRUE(tool.IsWindowVisible()) << "the tool window took the click";

    // With the dialog gone the same click opens the menu.
    ASSERT_TRUE(gtkscreen::RunPerson([&](ScreenUser& user) {
        PERSON_READY(user, frame);
        user.Click(TitleOf(user, 0));
        EXPECT_TRUE(user.WaitFor([&] { return frame.GetMenuBar()->GetOpenTitle() == 0; })) << "no menu opened";
        user.Keys("Escape");
    }));
}

TEST_F(MenusByHandTest, ContextMenuOfTheCanvasStaysOpenAndChooses)
{
    ASSERT_TRUE(gtkscreen::RunPerson([&](ScreenUser& user) {
        PERSON_READY(user, frame);
        const CPoint at = user.CenterOf(frame.paper);
        user.Click(at, 3);
        ASSERT_TRUE(user.WaitFor([&] { return frame.paper.open; })) << "no context menu";
        user.Settle();
        EXPECT_TRUE(user.WaitFor([&] { return frame.paper.open; }, 300)) << "the menu closed on the release";
        EXPECT_TRUE(user.WaitForPopupMenu()) << "no pop-up shows";
        Shot(user, "context-menu");
        // The second item, under the point of the click.
        user.Click(CPoint(at.x + 20, at.y + 14 + 28));
        EXPECT_TRUE(user.WaitFor([&] { return frame.paper.menus == 1; })) << "the menu did not end";
        EXPECT_EQ(frame.paper.picked, static_cast<UINT>(ID_DEMO_SEND));
    }));
}

// A properties sheet with one page holding a title edit, shown beside the main window.
class TitlePage : public CPropertyPage {
public:
    TitlePage() : CPropertyPage(IDD_DEMO_PAGE) {}
    static DialogTemplate Template()
    {
        DialogTemplate t;
        t.id = IDD_DEMO_PAGE;
        t.caption = "General";
        t.style = WS_CHILD | DS_SETFONT;
        t.cx = 200;
        t.cy = 80;
        t.Add("Static", "Title:", 0xFFFF, 7, 10, 40, 10, WS_CHILD | WS_VISIBLE)
            .Add("Edit", "Sales by region", IDC_DEMO_TITLE, 50, 8, 140, 14,
                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL);
        return t;
    }
};

TEST_F(MenusByHandTest, KeysTypedInAPropertySheetStayInIt)
{
    GetDialogTemplates().Add(TitlePage::Template());
    TitlePage page;
    CPropertySheet sheet("Slider Properties", &frame);
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create(&frame));
    sheet.ShowWindow(SW_SHOW);
    gtkscreen::Flush();
    ASSERT_TRUE(gtkscreen::RunPerson([&](ScreenUser& user) {
        PERSON_READY(user, sheet);
        CWnd* title = nullptr;
        user.OnUi([&] { title = page.GetDlgItem(IDC_DEMO_TITLE); });
        ASSERT_NE(title, nullptr);
        user.Click(user.CenterOf(*title));
        ASSERT_TRUE(user.WaitFor([&] { return CWnd::GetFocus() == title; })) << "the title edit took no click";
        user.Keys("ctrl+a");
        user.Keys("Delete");
        user.Type("Units");
        EXPECT_TRUE(user.WaitFor([&] { return title->GetWindowText() == "Units"; }))
            << "the edit reads " << title->GetWindowText();
        EXPECT_EQ(frame.selectedAll, 0) << "Ctrl+A reached the main window";
        EXPECT_EQ(frame.deleted, 0) << "Delete reached the main window";
        Shot(user, "property-sheet");
    }));
}

TEST_F(MenusByHandTest, AToolWindowStaysAboveItsOwnerWhenTheOwnerIsClicked)
{
    const DialogTemplate t = ToolTemplate("Components");
    CDialog tool;
    ASSERT_TRUE(tool.CreateIndirect(t, &frame));
    tool.MoveWindow(160, 200, 160, 200);
    tool.ShowWindow(SW_SHOW);
    gtkscreen::Flush();
    ASSERT_TRUE(gtkscreen::RunPerson([&](ScreenUser& user) {
        PERSON_READY(user, tool);
        const CRect paper = user.RectOf(frame.paper);
        CRect shown = user.RectOf(tool);
        ASSERT_TRUE(CRect().IntersectRect(paper, shown)) << "the tool window does not lie over the canvas";
        // The canvas is clicked away from the tool window: the owner comes forward, the tool
        // window stays above it.
        user.Click(CPoint(paper.right - 30, paper.bottom - 30));
        ASSERT_TRUE(user.WaitFor([&] { return CWnd::GetActiveWindow() == &frame; })) << "the owner is not active";
        user.Settle();
        const CBitmap screen = user.Screen();
        shown = user.RectOf(tool);
        const COLORREF inside = screen.GetPixel(shown.CenterPoint().x, shown.CenterPoint().y);
        EXPECT_NE(inside, RGB(255, 255, 255)) << "the canvas covers the tool window";
        EXPECT_EQ(inside, GetSysColor(COLOR_BTNFACE));
        Shot(user, "tool-window");
    }));
}

TEST_F(MenusByHandTest, WindowsOpenedOneAfterAnotherStayWhereTheyWerePut)
{
    // Property sheets open docked beside the canvas, a new window each time: none may end up
    // where the window manager had it before placing it (the screen's corner).
    DialogTemplate t = ToolTemplate("");
    constexpr int kWindows = 6;
    std::vector<std::unique_ptr<CDialog>> tools;
    ASSERT_TRUE(gtkscreen::RunPerson([&](ScreenUser& user) {
        PERSON_READY(user, frame);
        // Each opens while the program goes on taking events, as a sheet opens on a click.
        for (int i = 0; i < kWindows; ++i) {
            user.OnUi([&] {
                t.caption = "Tool " + std::to_string(i + 1);
                tools.push_back(std::make_unique<CDialog>());
                tools.back()->CreateIndirect(t, &frame);
                tools.back()->MoveWindow(300 + 40 * i, 150 + 30 * i, 160, 200);
                tools.back()->ShowWindow(SW_SHOW);
            });
            user.WaitDrawn();
        }
        ASSERT_EQ(tools.size(), std::size_t{kWindows});
        // Every window placed and shown where the program has it, once the window manager
        // has had its say.
        user.WaitFor([&] {
            for (auto& tool : tools) {
                CRect placed;
                tool->GetWindowRect(&placed);
                const CRect shown = user.RectOf(*tool);
                if (shown.IsRectEmpty() || std::abs(shown.left - placed.left) + std::abs(shown.top - placed.top) > 60)
                    return false;
            }
            return true;
        });
        user.WaitDrawn();
        for (int i = 0; i < kWindows; ++i) {
            CRect placed;
            user.OnUi([&] { tools[i]->GetWindowRect(&placed); });
            const CRect shown = user.RectOf(*tools[i]);
            // The window manager may nudge a window by its frame, no more.
            EXPECT_LE(std::abs(placed.left - (300 + 40 * i)) + std::abs(placed.top - (150 + 30 * i)), 8)
                << "tool " << i + 1 << " moved to " << placed.left << "," << placed.top;
            EXPECT_LE(std::abs(shown.left - placed.left) + std::abs(shown.top - placed.top), 60)
                << "tool " << i + 1 << " shows at " << shown.left << "," << shown.top
                << ", not where the program has it";
        }
        Shot(user, "tools-in-a-row");
    }));
}

TEST_F(MenusByHandTest, KeysTypedWhileTheProgramIsBusyAllReachItInOrder)
{
    // Ctrl+A, Delete, Ctrl+A typed while the program redraws: each chord's keys come in
    // together once it is free, Ctrl let go long before the program takes the A typed with it.
    ASSERT_TRUE(gtkscreen::RunPerson([&](ScreenUser& user) {
        PERSON_READY(user, frame);
        ::PostMessage(frame.GetSafeHwnd(), WM_COMMAND, ID_DEMO_BUSY, 0);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!frame.busy && std::chrono::steady_clock::now() < end)
            std::this_thread::yield();
        if (!frame.busy) {
            frame.typedAhead = true;
            FAIL() << "the program never got to its work";
        }
        user.KeysAhead("ctrl+a");
        user.KeysAhead("Delete");
        user.KeysAhead("ctrl+a");
        frame.typedAhead = true;
        EXPECT_TRUE(user.WaitFor([&] { return frame.commands.size() >= 3; })) << "only " << frame.commands << " ran";
        user.WaitDrawn();
        user.OnUi([&] { EXPECT_EQ(frame.commands, "ADA"); });
    }));
}

} // namespace
