#include "UiFixture.h"
#include "platform/window/CmdUI.h"
#include "platform/docview/Frame.h"
#include "platform/docview/RecentFileList.h"
#include "platform/docview/WinApp.h"

namespace {

using MenuTest = UiTest;

enum : UINT { ID_A = 100, ID_B = 101, ID_C = 102, ID_D = 103, ID_SUB = 200 };

CMenu& Sample(CMenu& menu)
{
    menu.LoadFromTemplate({MenuTemplateItem::Popup("&File", {{"A", ID_A}, {}, {"B", ID_B, MF_GRAYED}}),
                           MenuTemplateItem::Popup(
                               "&Edit", {{"C", ID_C}, MenuTemplateItem::Popup("More", {{"Sub", ID_SUB}})})});
    return menu;
}

TEST_F(MenuTest, ItemsByCommandSearchSubmenusAndByPositionStayLocal)
{
    CMenu menu;
    Sample(menu);
    EXPECT_EQ(menu.GetMenuItemCount(), 2);
    EXPECT_EQ(menu.GetMenuItemID(0), static_cast<UINT>(-1)) << "a submenu has no command";
    CMenu* file = menu.GetSubMenu(0);
    EXPECT_EQ(file->GetMenuItemID(1), 0u) << "a separator";
    EXPECT_EQ(file->GetMenuItemID(9), 0u);
    EXPECT_EQ(menu.GetMenuState(ID_B, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(menu.GetMenuState(ID_D, MF_BYCOMMAND), static_cast<UINT>(-1));

    // Greying by position, as the program greys a whole popup of the menu bar.
    EXPECT_EQ(menu.EnableMenuItem(1, MF_BYPOSITION | MF_GRAYED), UINT(MF_ENABLED));
    EXPECT_EQ(menu.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(menu.EnableMenuItem(ID_SUB, MF_BYCOMMAND | MF_GRAYED), UINT(MF_ENABLED))
        << "found two levels down";
    EXPECT_EQ(menu.EnableMenuItem(ID_D, MF_GRAYED), static_cast<UINT>(-1));

    EXPECT_TRUE(menu.InsertMenu(ID_B, MF_BYCOMMAND | MF_STRING, ID_D, "D"));
    EXPECT_EQ(file->GetMenuItemID(2), UINT(ID_D)) << "inserted before B, inside the popup";
    EXPECT_TRUE(menu.ModifyMenu(ID_D, MF_BYCOMMAND | MF_CHECKED, ID_D, "D!"));
    EXPECT_EQ(menu.GetMenuString(ID_D, MF_BYCOMMAND), "D!");
    EXPECT_EQ(menu.GetMenuState(ID_D, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_TRUE(menu.RemoveMenu(ID_D, MF_BYCOMMAND));
    EXPECT_EQ(menu.GetMenuState(ID_D, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_FALSE(menu.RemoveMenu(7, MF_BYPOSITION));

    EXPECT_TRUE(file->CheckMenuRadioItem(0, 2, 2, MF_BYPOSITION));
    EXPECT_EQ(file->GetMenuState(2, MF_BYPOSITION) & (MF_CHECKED | MF_RADIOCHECK),
              UINT(MF_CHECKED | MF_RADIOCHECK));
    EXPECT_EQ(file->GetMenuState(0, MF_BYPOSITION) & MF_CHECKED, 0u);
}

TEST_F(MenuTest, PopupsAskTheirOwnerFirstAndOnlyEnabledPicksCount)
{
    struct Owner : CWnd {
        LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
        {
            if (message == WM_INITMENUPOPUP) {
                // As an update handler does: only the items of the menu being opened.
                ++inits;
                CMenu& menu = *reinterpret_cast<CMenu*>(w);
                for (int i = 0; i < menu.GetMenuItemCount(); ++i)
                    if (menu.GetMenuItemID(i) == ID_C)
                        menu.EnableMenuItem(static_cast<UINT>(i), MF_BYPOSITION | MF_GRAYED);
            }
            if (message == WM_COMMAND) {
                commands.push_back(LOWORD(w));
                return 0;
            }
            return CWnd::WindowProc(message, w, l);
        }
        int inits = 0;
        std::vector<UINT> commands;
    } owner;
    ASSERT_TRUE(owner.CreateEx(0, "", "", 0, CRect(0, 0, 10, 10), nullptr, 0));
    // C sits in a submenu, which the owner updates as well before the menu opens.
    CMenu popup;
    popup.AppendMenu(MF_STRING, ID_A, "A");
    popup.AppendPopup("More")->AppendMenu(MF_STRING, ID_C, "C");

    UINT next = ID_C;
    CPoint seenAt;
    SetPopupMenuHook([&](CMenu&, CPoint p, CWnd*) {
        seenAt = p;
        return next;
    });
    EXPECT_FALSE(popup.TrackPopupMenu(TPM_RETURNCMD, 30, 40, &owner)) << "greyed by the owner on opening";
    EXPECT_EQ(owner.inits, 2);
    EXPECT_EQ(seenAt, CPoint(30, 40));
    next = ID_A;
    EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), static_cast<BOOL>(ID_A));
    EXPECT_TRUE(owner.commands.empty()) << "a returned pick is not also sent";
    EXPECT_TRUE(popup.TrackPopupMenu(0, 0, 0, &owner));
    PumpPendingMessages();
    EXPECT_EQ(owner.commands, std::vector<UINT>{ID_A});
    next = 0;
    EXPECT_FALSE(popup.TrackPopupMenu(0, 0, 0, &owner)) << "dismissed";
    EXPECT_EQ(popup.TrackCount(), 4);
}

// Update handlers set text, check and radio marks of menu items; one that passes the request
// on lets the next target answer.
class MarkingFrame : public CFrameWnd {
public:
    void OnUpdateA(CCmdUI* ui)
    {
        ui->SetText("Alpha");
        ui->SetCheck(1);
    }
    void OnUpdateC(CCmdUI* ui) { ui->SetRadio(TRUE); }
    void OnUpdateSub(CCmdUI* ui) { ui->ContinueRouting(); }
    void OnA() {}
    void OnC() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MarkingFrame, CFrameWnd)
    .UpdateCommandUI(ID_A, &MarkingFrame::OnUpdateA)
    .UpdateCommandUI(ID_C, &MarkingFrame::OnUpdateC)
    .UpdateCommandUI(ID_SUB, &MarkingFrame::OnUpdateSub)
    .Command(ID_A, &MarkingFrame::OnA)
    .Command(ID_C, &MarkingFrame::OnC) END_MESSAGE_MAP()

        class SubApp : public CWinApp {
public:
    void OnUpdateSub(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnSub() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SubApp, CWinApp)
    .UpdateCommandUI(ID_SUB, &SubApp::OnUpdateSub)
    .Command(ID_SUB, &SubApp::OnSub) END_MESSAGE_MAP()

        TEST_F(MenuTest, UpdateHandlersMarkItemsAndCanPassTheRequestOn)
{
    SubApp app;
    MarkingFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, "Frame"));
    CMenu menu;
    Sample(menu);
    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.GetSubMenu(0)), 0);
    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.GetSubMenu(1)), 1);
    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.GetSubMenu(1)->GetSubMenu(1)), 1);
    EXPECT_EQ(menu.GetMenuString(ID_A, MF_BYCOMMAND), "Alpha");
    EXPECT_EQ(menu.GetMenuState(ID_A, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(menu.GetMenuState(ID_C, MF_BYCOMMAND) & MF_RADIOCHECK, MF_RADIOCHECK);
    EXPECT_EQ(menu.GetMenuState(ID_B, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED) << "no handler anywhere";
    EXPECT_EQ(menu.GetMenuState(ID_SUB, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED) << "the application answered";
    frame.DestroyWindow();
}

TEST(RecentFileList, KeepsTheNewestFourWithoutDuplicates)
{
    CRecentFileList list(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 4, 20);
    for (const char* path : {"/a.vtd", "/b.vtd", "/c.vtd", "/a.vtd", "/d.vtd", "/e.vtd", ""}) {
        list.Add(path);
    }
    ASSERT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list[0], "/e.vtd");
    EXPECT_EQ(list[2], "/a.vtd");
    EXPECT_EQ(list[3], "/c.vtd") << "/b.vtd, the oldest, dropped off";

    list.Add("/a/very/long/folder/name/model & data.vtd");
    EXPECT_EQ(list.GetDisplayName(0), "&1 .../model && data.vtd");
    EXPECT_EQ(list.GetDisplayName(1), "&2 /e.vtd");
    EXPECT_EQ(list.GetDisplayName(7), "");

    CProfileStore store;
    list.WriteList(store);
    store.WriteString("Recent File List", "File3", store.GetString("Recent File List", "File1").value());
    store.WriteString("Recent File List", "File4", "");
    CRecentFileList again(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 4);
    again.ReadList(store);
    ASSERT_EQ(again.GetCount(), 2) << "duplicates and empty entries are not read";
    EXPECT_EQ(again[1], "/e.vtd");
}

TEST(Resources, SubStringsAndAccelerators)
{
    const std::string doc = "Vantorel\nUntitled\n\nFiles (*.vtd)";
    EXPECT_EQ(ExtractSubString(doc, 0), "Vantorel");
    EXPECT_EQ(ExtractSubString(doc, 2), "");
    EXPECT_EQ(ExtractSubString(doc, 3), "Files (*.vtd)");
    EXPECT_EQ(ExtractSubString(doc, 4), "");
    EXPECT_EQ(ExtractSubString(doc, -1), "");
    EXPECT_EQ(ExtractSubString("Prompt only", 1), "");
}

} // namespace
