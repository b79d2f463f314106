#include "ShellTestApp.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/docview/MenuBar.h"
#include "platform/docview/RecentFileList.h"
#include "platform/services/Services.h"
#include "platform/window/Screen.h"
#include "platform/window/UserInput.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace shelltest {
namespace {

class ShellTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ResetPlatformServices();
        GetPlatformServices().SetAppDataFolder(appData.path());
        RegisterResources();
        Log().clear();
        ResetFileNamePrompt();
    }
    void TearDown() override
    {
        app.reset();
        ResetFileNamePrompt();
        ResetCommonDialogService();
        ResetPlatformServices();
        UiTest::TearDown();
    }

    TestApp& Start(std::vector<std::string> args = {})
    {
        app = std::make_unique<TestApp>();
        app->SetCommandLine(std::move(args));
        EXPECT_TRUE(app->InitInstance());
        PumpUntilIdle();
        Log().clear();
        return *app;
    }
    TestFrame& Frame() { return *dynamic_cast<TestFrame*>(app->m_pMainWnd); }
    TestDoc& Doc() { return *dynamic_cast<TestDoc*>(Frame().GetActiveDocument()); }
    CPoint ButtonCentre(CToolBar& bar, UINT id)
    {
        CRect r;
        bar.GetItemRect(bar.CommandToIndex(id), &r);
        return r.CenterPoint();
    }

    testsupport::TempDir appData;
    std::unique_ptr<TestApp> app;
};

TEST_F(ShellTest, StartUpMakesOneFrameDocumentAndViewLaidOutInTheFrame)
{
    Start();
    TestFrame& frame = Frame();
    auto* view = dynamic_cast<TestView*>(frame.GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument(), &Doc());
    EXPECT_EQ(view->initialUpdates, 1);
    EXPECT_EQ(CWnd::GetFocus(), view);
    EXPECT_EQ(frame.GetWindowText(), "Untitled - Vantorel");
    EXPECT_TRUE(frame.IsZoomed());
    EXPECT_TRUE(frame.AcceptsFiles());

    CRect client, bar, status, pane;
    frame.GetClientRect(&client);
    frame.tools.GetWindowRect(&bar);
    frame.status.GetWindowRect(&status);
    view->GetWindowRect(&pane);
    frame.ScreenToClient(&bar);
    frame.ScreenToClient(&status);
    frame.ScreenToClient(&pane);
    ASSERT_NE(frame.GetMenuBar(), nullptr);
    CRect menu;
    frame.GetMenuBar()->GetWindowRect(&menu);
    frame.ScreenToClient(&menu);
    EXPECT_EQ(menu, CRect(0, 0, client.right, CMenuBar::kHeight)) << "the menu bar heads the frame";
    EXPECT_EQ(bar.top, menu.bottom);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(status.Height(), CStatusBar::kHeight);
    CRect importBar;
    frame.import.GetWindowRect(&importBar);
    frame.ScreenToClient(&importBar);
    EXPECT_EQ(importBar.top, bar.bottom) << "the undocked import bar sits in a row of its own until docked";
    EXPECT_EQ(pane.top, importBar.bottom);
    EXPECT_EQ(pane.bottom, status.top);
}

TEST_F(ShellTest, TheMenuBarOpensATitlesMenuByClickOrAltLetterAndRunsThePick)
{
    Start();
    TestFrame& frame = Frame();
    CMenuBar& bar = *frame.GetMenuBar();
    ASSERT_EQ(bar.GetTitleCount(), 2);
    EXPECT_LT(bar.GetTitleRect(0).right, bar.GetTitleRect(1).left + 1) << "titles side by side";

    // What the user sees when a menu opens: its items' state set by the update handlers, and
    // the menu placed below its title.
    std::vector<std::string> shown;
    UINT pick = ID_PROPERTIES;
    SetPopupMenuHook([&](CMenu& menu, CPoint at, CWnd* owner) {
        CRect title = bar.GetTitleRect(bar.GetOpenTitle());
        bar.ClientToScreen(&title);
        EXPECT_EQ(at, CPoint(title.left, title.bottom));
        EXPECT_EQ(owner, &frame);
        shown.push_back(menu.GetMenuString(0, MF_BYPOSITION) + (menu.GetMenuState(ID_FILE_SAVE, MF_BYCOMMAND) ==
                                                                   static_cast<UINT>(-1)
                                                               ? ""
                                                               : (menu.GetMenuState(ID_FILE_SAVE, MF_BYCOMMAND) &
                                                                  MF_GRAYED) != 0
                                                               ? " save-grayed"
                                                               : " save-enabled"));
        return pick;
    });
    CUserInput::Click(bar, bar.GetTitleRect(1).CenterPoint());
    PumpPendingMessages();
    EXPECT_EQ(Log(), (std::vector<std::string>{"frame:properties"}));
    EXPECT_EQ(bar.GetOpenTitle(), -1) << "the title is released once the menu closes";

    Log().clear();
    pick = ID_FRAME_ONLY; // not in the File menu: a pick the menu does not hold runs nothing
    CUserInput::PressKey('F', CUserInput::Alt);
    PumpPendingMessages();
    EXPECT_EQ(Log(), std::vector<std::string>{});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "Properties\tAlt+Enter");
    EXPECT_EQ(shown[1], "&New\tCtrl+N save-grayed") << "the document's update handler ran before the menu showed";

    CUserInput::PressKey('Q', CUserInput::Alt);
    EXPECT_EQ(shown.size(), 2u) << "a letter no title underlines opens nothing";
    EXPECT_EQ(MenuTitleShown("Save && &Quit\tCtrl+Q"), "Save & Quit");
}

// A widget standing in for the screen's own menu bar: it lays the titles out its own way and
// records what the bar asks of it.
class WidgetStandIn : public IMenuBarWidget {
public:
    void TitlesChanged() override { ++remade; }
    int Height() override { return 27; }
    std::vector<CRect> TitleRects() override { return {CRect(4, 2, 40, 25), CRect(40, 2, 80, 25)}; }
    void Open(int index) override { opened.push_back(index); }
    int OpenTitle() override { return -1; }
    int remade = 0;
    std::vector<int> opened;
};

TEST_F(ShellTest, AMenuBarShownByAWidgetTakesItsPlacesAndRoutesItsPicksThroughTheFrame)
{
    WidgetStandIn* widget = nullptr;
    SetMenuBarWidgetFactory([&](CMenuBar&) {
        auto made = std::make_unique<WidgetStandIn>();
        widget = made.get();
        return made;
    });
    Start();
    SetMenuBarWidgetFactory(nullptr);
    TestFrame& frame = Frame();
    CMenuBar& bar = *frame.GetMenuBar();
    ASSERT_EQ(bar.GetWidget(), widget);
    CRect menu;
    bar.GetWindowRect(&menu);
    EXPECT_EQ(menu.Height(), 27) << "the bar is as tall as the widget asks";
    EXPECT_EQ(bar.GetTitleRect(1), CRect(40, 2, 80, 25));
    EXPECT_EQ(bar.HitTest(CPoint(45, 10)), 1);

    // Alt with a letter opens the title through the widget, which keeps it open.
    CUserInput::PressKey('E', CUserInput::Alt);
    EXPECT_EQ(widget->opened, std::vector<int>{1});

    // Opening a title runs the update handlers over its menu, as the drawn bar's menus do.
    CMenu* file = bar.PrepareTitle(0);
    ASSERT_NE(file, nullptr);
    EXPECT_NE(file->GetMenuState(ID_FILE_SAVE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(bar.PrepareTitle(5), nullptr);

    // A pick reaches the frame as a command, unless the item is disabled or not in the menu.
    EXPECT_TRUE(bar.Pick(ID_PROPERTIES));
    EXPECT_FALSE(bar.Pick(ID_FILE_SAVE));
    EXPECT_FALSE(bar.Pick(ID_FRAME_ONLY));
    PumpPendingMessages();
    EXPECT_EQ(Log(), (std::vector<std::string>{"frame:properties"}));

    // While a modal dialog has the frame disabled, the bar neither opens a title nor sends a
    // pick: the command would run under the dialog.
    frame.EnableWindow(FALSE);
    EXPECT_FALSE(bar.Usable());
    EXPECT_FALSE(bar.Pick(ID_PROPERTIES));
    bar.OpenTitle(0);
    CUserInput::PressKey('E', CUserInput::Alt);
    EXPECT_EQ(widget->opened, std::vector<int>{1});
    frame.EnableWindow(TRUE);
    PumpPendingMessages();
    EXPECT_EQ(Log(), (std::vector<std::string>{"frame:properties"}));

    // A title greyed by the program is shown anew when the frame is next idle, once.
    const int before = widget->remade;
    bar.GetBarMenu()->EnableMenuItem(1, MF_BYPOSITION | MF_GRAYED);
    PumpUntilIdle();
    EXPECT_EQ(widget->remade, before + 1);
    PumpUntilIdle();
    EXPECT_EQ(widget->remade, before + 1) << "nothing changed: the titles are left alone";
}

TEST_F(ShellTest, CommandsGoToViewDocumentFrameThenApplication)
{
    Start();
    CWnd& frame = Frame();
    for (UINT id : {ID_SHARED, ID_DOC_ONLY, ID_FRAME_ONLY, ID_APP_ONLY, ID_NOBODY}) {
        frame.SendMessage(WM_COMMAND, id);
    }
    EXPECT_EQ(Log(), (std::vector<std::string>{"view:shared", "doc:only", "frame:only", "app:only"}));
    EXPECT_FALSE(IsCommandEnabled(frame, ID_FILE_SAVE)) << "the document's update handler is reached";
}

TEST_F(ShellTest, ToolbarClicksRunCommandsUntilIdleUpdatesDisableThem)
{
    Start();
    TestFrame& frame = Frame();
    CUserInput::Click(frame.import, ButtonCentre(frame.import, ID_IMPORT_MODEL));
    EXPECT_EQ(Log(), (std::vector<std::string>{"frame:import"}));

    frame.importEnabled = false;
    PumpUntilIdle();
    EXPECT_NE(frame.import.GetButtonStyle(0) & TBBS_DISABLED, 0u);
    Log().clear();
    CUserInput::Click(frame.import, ButtonCentre(frame.import, ID_IMPORT_MODEL));
    EXPECT_TRUE(Log().empty());

    // A command nobody handles is greyed on the bar; one with a handler stays enabled.
    const int component = frame.tools.CommandToIndex(ID_TOOL_COMPONENT);
    EXPECT_NE(frame.tools.GetButtonStyle(component) & TBBS_DISABLED, 0u);
    EXPECT_EQ(frame.tools.GetButtonStyle(frame.tools.CommandToIndex(ID_TOOL_SELECT)) & TBBS_DISABLED, 0u);

    // Press on a button, release elsewhere: no command. Press between buttons: a bar drag.
    CUserInput::Press(frame.tools, ButtonCentre(frame.tools, ID_TOOL_SELECT));
    CUserInput::Release(frame.tools, CPoint(1, 1));
    EXPECT_TRUE(Log().empty());
    CRect gap;
    frame.tools.GetItemRect(3, &gap); // the separator
    CUserInput::Click(frame.tools, gap.CenterPoint());
    EXPECT_EQ(frame.tools.DragStartCount(), 1);

    // Hovering a button shows its prompt in the message pane; the gap shows "Ready" again.
    CUserInput::MoveTo(frame.tools, ButtonCentre(frame.tools, ID_TOOL_SELECT));
    EXPECT_EQ(frame.status.GetPaneText(0), "Select objects");
    CUserInput::MoveTo(frame.tools, gap.CenterPoint());
    EXPECT_EQ(frame.status.GetPaneText(0), "Ready");
}

TEST_F(ShellTest, ToolbarButtonsTakeTheCommandStateAtOnceAndShowTheirTips)
{
    Start();
    TestFrame& frame = Frame();
    const int select = frame.tools.CommandToIndex(ID_TOOL_SELECT);
    EXPECT_EQ(frame.tools.GetButtonStyle(select) & TBBS_CHECKED, 0u);
    // No idle time passes between the click and the look: the button is checked already.
    CUserInput::Click(frame.tools, ButtonCentre(frame.tools, ID_TOOL_SELECT));
    EXPECT_NE(frame.tools.GetButtonStyle(select) & TBBS_CHECKED, 0u);

    // The tip is the second line of the command's string; buttons without one have none,
    // and the gap between buttons shows no tip at all.
    CRect button;
    EXPECT_EQ(frame.tools.ToolTipAt(ButtonCentre(frame.tools, ID_TOOL_SELECT), &button), "Select");
    CRect expected;
    frame.tools.GetItemRect(select, &expected);
    EXPECT_EQ(button, expected);
    EXPECT_EQ(frame.import.ToolTipAt(ButtonCentre(frame.import, ID_IMPORT_MODEL)), "Import Model");
    EXPECT_EQ(frame.tools.ToolTipAt(ButtonCentre(frame.tools, ID_FILE_OPEN)), "");
    CRect gap;
    frame.tools.GetItemRect(3, &gap);
    EXPECT_EQ(frame.tools.ToolTipAt(gap.CenterPoint()), "");

    // The pointer leaves the bar straight from a button onto another window: the bar notices
    // on its own and the message pane says "Ready" again.
    CUserInput::MoveTo(frame.tools, ButtonCentre(frame.tools, ID_TOOL_SELECT));
    EXPECT_EQ(frame.status.GetPaneText(0), "Select objects");
    CUserInput::MoveTo(*frame.GetActiveView(), CPoint(50, 50));
    clock->Advance(150);
    PumpUntilIdle();
    EXPECT_EQ(frame.status.GetPaneText(0), "Ready");
    // A bar made without tips answers none.
    frame.tools.SetBarStyle(frame.tools.GetBarStyle() & ~CBRS_TOOLTIPS);
    EXPECT_EQ(frame.tools.ToolTipAt(ButtonCentre(frame.tools, ID_TOOL_SELECT)), "");
}

TEST_F(ShellTest, OnADoubleDensityScreenToolbarIconsAndButtonsAreTwiceAsLarge)
{
    ScreenMetrics metrics;
    metrics.dpiX = metrics.dpiY = 192;
    SetScreenMetrics(metrics);
    Start();
    TestFrame& frame = Frame();
    EXPECT_EQ(frame.tools.GetIconSize(), 32);
    CRect button;
    frame.tools.GetItemRect(0, &button);
    EXPECT_EQ(button.Size(), CSize(46, 44));
    ResetScreenMetrics();
}

TEST_F(ShellTest, BarsDockRightOfAnotherInTheSameRow)
{
    Start();
    TestFrame& frame = Frame();
    frame.RecalcLayout();
    CRect ref, own;
    frame.tools.GetWindowRect(&ref);
    frame.import.GetWindowRect(&own);
    const CRect wanted(ref.right, ref.top, ref.right + own.Width(), ref.bottom);
    frame.DockControlBar(&frame.import, AFX_IDW_DOCKBAR_TOP, &wanted);

    auto rows = frame.DockedRows(AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (std::vector<CControlBar*>{&frame.tools, &frame.import}));
    CRect placed;
    frame.import.GetWindowRect(&placed);
    EXPECT_EQ(placed.left, ref.right);
    EXPECT_EQ(placed.top, ref.top);

    // Asked to go where the other bar is, it is pushed to its right instead of overlapping.
    const CRect onTop(ref.left + 5, ref.top, ref.left + 5 + own.Width(), ref.bottom);
    frame.DockControlBar(&frame.import, AFX_IDW_DOCKBAR_TOP, &onTop);
    frame.import.GetWindowRect(&placed);
    EXPECT_EQ(placed.left, ref.right);
    EXPECT_EQ(frame.DockedRows(AFX_IDW_DOCKBAR_TOP)[0],
              (std::vector<CControlBar*>{&frame.tools, &frame.import}));

    // Hiding a bar gives its room back to the view.
    CRect before, after;
    frame.GetActiveView()->GetWindowRect(&before);
    frame.ShowControlBar(&frame.status, FALSE, FALSE);
    frame.GetActiveView()->GetWindowRect(&after);
    EXPECT_EQ(after.bottom, before.bottom + CStatusBar::kHeight);
}

TEST_F(ShellTest, StatusPanesAndIndicators)
{
    Start();
    CStatusBar& status = Frame().status;
    EXPECT_EQ(status.GetPaneText(1), "Model Not Loaded");
    CRect pane1, pane2;
    status.GetItemRect(1, &pane1);
    status.GetItemRect(2, &pane2);
    EXPECT_EQ(pane1.Width(), 200 + CStatusBar::kPaneMargin);
    EXPECT_EQ(pane2.left, pane1.right + CStatusBar::kGap);
    EXPECT_EQ(status.GetDisplayedText(2), "") << "caps lock is off";
    GetInputState().SetKeyToggled(VK_CAPITAL, true);
    PumpUntilIdle();
    EXPECT_EQ(status.GetDisplayedText(2), "CAP");

    const int paints = status.PaintCount();
    status.SetPaneText(1, "42%");
    EXPECT_EQ(status.PaintCount(), paints + 1) << "an immediate update repaints at once";

    CStatusBar other;
    ASSERT_TRUE(other.Create(&Frame(), WS_CHILD, 0x1234));
    const UINT unknown[] = {ID_SEPARATOR, 4242};
    EXPECT_FALSE(other.SetIndicators(unknown, 2)) << "an indicator without a string is an error";
    EXPECT_EQ(other.GetCount(), 2);
}

TEST_F(ShellTest, AcceleratorsAndMenus)
{
    Start();
    TestFrame& frame = Frame();
    CUserInput::PressKey(VK_RETURN, CUserInput::Alt);
    EXPECT_EQ(Log(), (std::vector<std::string>{"frame:properties"}));
    Log().clear();
    CUserInput::PressKey(VK_RETURN); // no modifier: not the accelerator
    EXPECT_TRUE(Log().empty());

    frame.EnableWindow(FALSE); // as behind a modal dialog
    Log().clear();
    CUserInput::PressKey(VK_RETURN, CUserInput::Alt);
    EXPECT_TRUE(Log().empty()) << "a disabled frame takes no accelerators";
    frame.EnableWindow(TRUE);

    EXPECT_FALSE(CUserInput::ChooseMenuItem(frame, ID_FILE_SAVE)) << "greyed by the document";
    EXPECT_FALSE(CUserInput::ChooseMenuItem(frame, ID_NOBODY)) << "greyed for want of a handler";
    EXPECT_TRUE(CUserInput::ChooseMenuItem(frame, ID_PROPERTIES));
    EXPECT_EQ(Log(), (std::vector<std::string>{"frame:properties"}));
    EXPECT_EQ(frame.GetMenu()->GetMenuState(ID_NOBODY, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);

    // A popup picked through the hook runs the chosen command once it is delivered.
    SetPopupMenuHook([](CMenu&, CPoint, CWnd*) { return UINT(ID_FRAME_ONLY); });
    CMenu popup;
    popup.AppendMenu(MF_STRING, ID_FRAME_ONLY, "Frame");
    Log().clear();
    EXPECT_TRUE(popup.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &frame));
    PumpPendingMessages();
    EXPECT_EQ(Log(), (std::vector<std::string>{"frame:only"}));
}

TEST_F(ShellTest, RecentFilesFillTheMenuAndSurviveARestart)
{
    Start();
    TestFrame& frame = Frame();
    CMenu* file = frame.GetMenu()->GetSubMenu(0);
    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_EQ(file->GetMenuString(ID_FILE_MRU_FILE1, MF_BYCOMMAND), "Recent File");
    EXPECT_NE(file->GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED, 0u);

    ASSERT_NE(app->OpenDocumentFile("/data/a.ok"), nullptr);
    ASSERT_NE(app->OpenDocumentFile("/data/b&c.ok"), nullptr);
    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_EQ(file->GetMenuString(ID_FILE_MRU_FILE1, MF_BYCOMMAND), "&1 /data/b&&c.ok");
    EXPECT_EQ(file->GetMenuString(ID_FILE_MRU_FILE2, MF_BYCOMMAND), "&2 /data/a.ok");
    EXPECT_EQ(file->GetMenuItemCount(), 8);
    EXPECT_EQ(Doc().GetTitle(), "b&c.ok");
    EXPECT_EQ(frame.GetWindowText(), "b&c.ok - Vantorel");

    EXPECT_TRUE(CUserInput::ChooseMenuItem(frame, ID_FILE_MRU_FILE2));
    EXPECT_EQ(Doc().GetPathName(), "/data/a.ok");

    // Closing the program saves the list; the next start reads it back.
    frame.SendMessage(WM_CLOSE);
    EXPECT_EQ(app->m_pMainWnd, nullptr);
    MSG msg;
    EXPECT_FALSE(GetMessageQueue().Get(msg)) << "closing the main window ends the loop";
    app->ExitInstance();
    app.reset();
    Start();
    ASSERT_NE(app->GetRecentFileList(), nullptr);
    ASSERT_EQ(app->GetRecentFileList()->GetCount(), 2);
    EXPECT_EQ((*app->GetRecentFileList())[0], "/data/a.ok");
}

TEST_F(ShellTest, AFailedOpenLeavesANewEmptyDocumentAndDropsTheRecentEntry)
{
    Start();
    ASSERT_NE(app->OpenDocumentFile("/data/a.ok"), nullptr);
    app->GetRecentFileList()->Add("/data/gone.bad");
    Log().clear();
    EXPECT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_FILE_MRU_FILE1));
    EXPECT_EQ(Doc().GetPathName(), "");
    EXPECT_EQ(Doc().GetTitle(), "Untitled");
    ASSERT_EQ(app->GetRecentFileList()->GetCount(), 1);
    EXPECT_EQ((*app->GetRecentFileList())[0], "/data/a.ok");
}

TEST_F(ShellTest, ModifiedDocumentsAskBeforeTheyAreReplaced)
{
    Start();
    Doc().SetModifiedFlag();
    boxes->Answer(IDCANCEL);
    SetFileNamePrompt(
        [](const std::string&, bool open, const std::string& filter) -> std::optional<std::string> {
            EXPECT_TRUE(open);
            EXPECT_EQ(filter, "Vantorel Files (*.vtd)|*.vtd|All Files (*.*)|*.*||");
            return std::string("/data/x.ok");
        });
    CUserInput::PressKey('N', CUserInput::Control);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "Save changes to Untitled?");
    EXPECT_EQ(boxes->Log()[0].caption, "Vantorel");
    EXPECT_EQ(boxes->Log()[0].flags, UINT(MB_YESNOCANCEL | MB_ICONEXCLAMATION));
    EXPECT_TRUE(Doc().IsModified()) << "cancel keeps the document";

    boxes->Answer(IDNO);
    EXPECT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_FILE_OPEN));
    EXPECT_EQ(Doc().GetPathName(), "/data/x.ok");
    EXPECT_FALSE(Doc().IsModified());

    // "Yes" tries to save; the base document cannot, so nothing is replaced.
    Doc().SetModifiedFlag();
    boxes->Answer(IDYES);
    EXPECT_EQ(app->OpenDocumentFile("/data/y.ok"), nullptr);
    EXPECT_EQ(Doc().GetPathName(), "/data/x.ok");
    EXPECT_TRUE(Doc().IsModified());

    // "No", then a file the document refuses before letting go of anything: it stays as it was.
    boxes->Answer(IDNO);
    EXPECT_EQ(app->OpenDocumentFile("/data/y.refused"), nullptr);
    EXPECT_EQ(Doc().GetPathName(), "/data/x.ok");
    EXPECT_TRUE(Doc().IsModified());
}

// Save never replaces a file its owner made read-only: it says so and offers another name.
TEST_F(ShellTest, SavingOverAReadOnlyFileOffersAnotherName)
{
    testsupport::TempDir folder;
    const std::string kept = (folder.path() / "kept.ok").string();
    testsupport::WriteBytes(kept, {'o'});
    std::filesystem::permissions(kept,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                     std::filesystem::perms::others_read,
                                 std::filesystem::perm_options::replace);
    Start({kept});
    CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
    dialogs.AnswerFile(std::nullopt);
    boxes->Answer(IDNO);
    boxes->Answer(IDYES);
    Doc().SetModifiedFlag();
    EXPECT_FALSE(Doc().DoFileSave());
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_NE(boxes->Log()[0].text.find(kept + " is read-only"), std::string::npos) << boxes->Log()[0].text;
    EXPECT_EQ(boxes->Log()[0].flags, UINT(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_TRUE(dialogs.Log().empty());
    // "Yes" asks for another name (cancelled here).
    EXPECT_FALSE(Doc().DoFileSave());
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_FALSE(dialogs.Log()[0].file.open);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().GetPathName(), kept);
    EXPECT_EQ(testsupport::ReadBytes(kept), std::vector<unsigned char>{'o'});
}

TEST_F(ShellTest, FileOpenWithoutAPromptAsksTheFileDialog)
{
    testsupport::TempDir folder;
    const std::string model = (folder.path() / "model.ok").string();
    const std::string plain = (folder.path() / "plain.vtd").string();
    testsupport::WriteBytes(model, {});
    testsupport::WriteBytes(plain, {});
    Start();
    CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
    dialogs.AnswerFile((folder.path() / "missing.ok").string()); // the dialog refuses it
    dialogs.AnswerFile(std::nullopt);                            // cancelled
    dialogs.AnswerFile((folder.path() / "plain").string());      // gets the document extension
    dialogs.AnswerFile(model);

    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_FILE_OPEN));
    EXPECT_EQ(Doc().GetPathName(), model);
    std::vector<std::string> opened;
    for (const std::string& line : Log())
        if (line.rfind("doc:open", 0) == 0)
            opened.push_back(line);
    EXPECT_EQ(opened, (std::vector<std::string>{"doc:open " + plain, "doc:open " + model}));
    EXPECT_TRUE(Frame().IsWindowEnabled());

    ASSERT_EQ(dialogs.Log().size(), 4u);
    EXPECT_TRUE(dialogs.Unexpected().empty());
    const FileDialogRequest& asked = dialogs.Log()[0].file;
    EXPECT_TRUE(asked.open);
    EXPECT_EQ(asked.title, "Open");
    EXPECT_EQ(asked.filter, "Vantorel Files (*.vtd)|*.vtd|All Files (*.*)|*.*||");
    EXPECT_TRUE(asked.flags & OFN_FILEMUSTEXIST);
}

TEST_F(ShellTest, CommandLineParsing)
{
    struct Case {
        std::vector<std::string> args;
        CCommandLineInfo::ShellCommand command;
        std::string file;
    } cases[] = {
        {{}, CCommandLineInfo::FileNew, ""},
        {{"model.vtd"}, CCommandLineInfo::FileOpen, "model.vtd"},
        {{"-s", "/r"}, CCommandLineInfo::FileNew, ""},
        {{"/f:x.xls"}, CCommandLineInfo::FileNew, ""},
        {{"f:x.xls"}, CCommandLineInfo::FileOpen, "f:x.xls"},
        {{"/Automation"}, CCommandLineInfo::FileNothing, ""},
        {{"/p", "a.vtd"}, CCommandLineInfo::FilePrint, "a.vtd"},
        {{"/home/user/model.vtd"}, CCommandLineInfo::FileOpen, "/home/user/model.vtd"},
        {{"/f:/home/user/book.xls"}, CCommandLineInfo::FileNew, ""},
    };
    for (const Case& c : cases) {
        TestApp parser;
        parser.SetCommandLine(c.args);
        CCommandLineInfo info;
        parser.ParseCommandLine(info);
        EXPECT_EQ(info.m_nShellCommand, c.command) << (c.args.empty() ? "" : c.args[0]);
        EXPECT_EQ(info.m_strFileName, c.file);
    }
}

TEST_F(ShellTest, StartUpOpensTheNamedFileOrFails)
{
    Start({"/data/start.ok"});
    EXPECT_EQ(Doc().GetPathName(), "/data/start.ok");
    app.reset();

    app = std::make_unique<TestApp>();
    app->SetCommandLine({"/data/start.bad"});
    EXPECT_FALSE(app->InitInstance());
    EXPECT_EQ(app->m_pMainWnd, nullptr);
    EXPECT_EQ(LiveWindowCount(), 0u) << "the frame made for the failed document is gone";
}

TEST_F(ShellTest, DroppedFilesOpen)
{
    Start();
    EXPECT_TRUE(CUserInput::DropFiles(Frame(), {"/data/dropped.ok"}));
    EXPECT_EQ(Doc().GetPathName(), "/data/dropped.ok");
}

TEST_F(ShellTest, TheLoopRunsUntilTheMainWindowCloses)
{
    Start();
    Frame().PostMessage(WM_COMMAND, ID_APP_EXIT);
    EXPECT_EQ(app->Run(), 0);
    EXPECT_EQ(LiveWindowCount(), 0u);
}

// On a screen the user's input arrives while the loop waits for it. The bars follow what that
// input changed before the loop waits again, as they do for a message that was queued already.
TEST_F(ShellTest, InputThatArrivesWhileTheLoopWaitsBringsTheBarsUpToDate)
{
    Start();
    struct ArrivingInput : IQueueWaiter {
        std::function<void(int)> arrive;
        int waits = 0;
        void Wait(std::optional<std::uint64_t>) override { arrive(++waits); }
        void Poll() override {}
        void Wake() override {}
    } host;
    TestFrame& frame = Frame();
    std::vector<bool> disabledAtWait;
    host.arrive = [&](int wait) {
        disabledAtWait.push_back((frame.import.GetButtonStyle(0) & TBBS_DISABLED) != 0);
        if (wait == 1) {
            // What the key did (a selection, say) leaves the command without its target.
            frame.importEnabled = false;
            frame.PostMessage(WM_KEYUP, VK_SPACE, 0);
        } else {
            frame.PostMessage(WM_COMMAND, ID_APP_EXIT);
        }
    };
    GetMessageQueue().SetWaiter(&host);
    EXPECT_EQ(app->Run(), 0);
    GetMessageQueue().SetWaiter(nullptr);
    EXPECT_EQ(disabledAtWait, (std::vector<bool>{false, true}));
}

} // namespace
} // namespace shelltest
