#include "ScreenFixture.h"

#include "platform/controls/Button.h"
#include "platform/controls/Edit.h"
#include "platform/controls/Static.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/docview/Frame.h"
#include "platform/docview/StatusBar.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"

namespace {

enum : UINT { IDC_LABEL = 100, IDC_NAME = 101, IDC_GREET = 102, IDD_ASK = 4100, IDC_ANSWER = 4101 };

// A small window of the kind the program is made of: a frame with a label, an edit, a button
// and a status bar.
class DemoFrame : public CFrameWnd {
public:
    int OnCreate(LPCREATESTRUCT cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1) {
            return -1;
        }
        font.CreatePointFont(90, "Sans");
        label.Create("Your name:", WS_CHILD | WS_VISIBLE, CRect(16, 22, 110, 40), this, IDC_LABEL);
        name.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, CRect(112, 16, 330, 40), this,
                    IDC_NAME);
        greet.Create("Greet", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(340, 14, 430, 42), this,
                     IDC_GREET);
        for (CWnd* w : {static_cast<CWnd*>(&label), static_cast<CWnd*>(&name), static_cast<CWnd*>(&greet)}) {
            w->SetFont(&font);
        }
        static const UINT indicators[] = {ID_SEPARATOR};
        if (!status.Create(this) || !status.SetIndicators(indicators, 1)) {
            return -1;
        }
        status.SetPaneText(0, "Ready");
        return 0;
    }
    void OnGreet()
    {
        ++greetings;
        status.SetPaneText(0, "Hello, " + name.GetWindowText());
    }
    void OnTimer(std::uintptr_t id)
    {
        if (id == 7 && ++ticks == 3) {
            EndModalLoop(IDOK);
        }
    }

    CFont font;
    CStatic label;
    CEdit name;
    CButton greet;
    CStatusBar status;
    int greetings = 0;
    int ticks = 0;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DemoFrame, CFrameWnd)
    .OnCreate(&DemoFrame::OnCreate)
    .OnTimer(&DemoFrame::OnTimer)
    .Command(IDC_GREET, &DemoFrame::OnGreet) END_MESSAGE_MAP()

    // A question asked in a modal dialog of its own.
    class AskDialog : public CDialog {
public:
    explicit AskDialog(CWnd* parent) : CDialog(IDD_ASK, parent) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_ANSWER, answer); }
    std::string answer;

    static DialogTemplate Template()
    {
        DialogTemplate t;
        t.id = IDD_ASK;
        t.caption = "A question";
        t.cx = 200;
        t.cy = 70;
        t.Add("Static", "Where do the numbers come from?", 0xFFFF, 7, 8, 186, 10, WS_VISIBLE)
            .Add("Edit", "", IDC_ANSWER, 7, 22, 186, 14, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL)
            .Add("Button", "OK", IDOK, 88, 48, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON)
            .Add("Button", "Cancel", IDCANCEL, 143, 48, 50, 14, WS_VISIBLE | WS_TABSTOP);
        return t;
    }
};

class WindowsOnScreenTest : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        ASSERT_TRUE(frame.Create(nullptr, "Screen test", WS_OVERLAPPEDWINDOW, CRect(40, 40, 500, 220)));
        frame.ShowWindow(SW_SHOW);
        gtkscreen::Flush();
    }
    static CPoint Middle(CWnd& w)
    {
        CRect r;
        w.GetClientRect(&r);
        return r.CenterPoint();
    }

    DemoFrame frame;
};

TEST_F(WindowsOnScreenTest, ClicksAndTypingReachTheControlsAndTheScreenShowsThem)
{
    ASSERT_TRUE(gtkscreen::SimulateClick(frame.name, Middle(frame.name)));
    EXPECT_EQ(CWnd::GetFocus(), &frame.name);
    ASSERT_TRUE(gtkscreen::SimulateTyping("Ada L"));
    ASSERT_TRUE(gtkscreen::SimulateKey("BackSpace"));
    ASSERT_TRUE(gtkscreen::SimulateTyping("Lovelace 1815"));
    EXPECT_EQ(frame.name.GetWindowText(), "Ada Lovelace 1815");
    ASSERT_TRUE(gtkscreen::SimulateClick(frame.greet, Middle(frame.greet)));
    EXPECT_EQ(frame.greetings, 1);
    EXPECT_EQ(frame.status.GetPaneText(0), "Hello, Ada Lovelace 1815");

    const CBitmap shot = Shot(frame, "frame-with-controls");
    const CBitmap* painted = gtkscreen::WindowPicture(frame);
    ASSERT_NE(painted, nullptr);
    ASSERT_EQ(shot.Width(), painted->Width());
    ASSERT_EQ(shot.Height(), painted->Height());
    // The display shows exactly what the windows painted.
    int differing = 0;
    for (int y = 0; y < shot.Height(); ++y) {
        for (int x = 0; x < shot.Width(); ++x) {
            differing += shot.GetPixel(x, y) != painted->GetPixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
    // The edit's face, and its text in a real font (edges blended into the face).
    const CRect edit = frame.name.GetRectInParent();
    EXPECT_EQ(shot.GetPixel(edit.right - 6, edit.top + 4), GetSysColor(COLOR_WINDOW));
    const CRect text(edit.left + 3, edit.top + 3, edit.left + 120, edit.bottom - 3);
    EXPECT_GT(BlendedPixels(shot, text, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)), 20);
}

TEST_F(WindowsOnScreenTest, AModalDialogsLoopTakesTheUsersEvents)
{
    GetDialogTemplates().Add(AskDialog::Template());
    AskDialog dlg(&frame);
    bool typed = false;
    ui::SetDialogHook(IDD_ASK, [&](CDialog& d) {
        CWnd* edit = d.GetDlgItem(IDC_ANSWER);
        ASSERT_NE(edit, nullptr);
        gtkscreen::SimulateClick(*edit, Middle(*edit));
        typed = gtkscreen::SimulateTyping("From the workbook");
        EXPECT_FALSE(frame.IsWindowEnabled()); // the owner waits behind the dialog
        Shot(d, "modal-dialog");
        // Return, left for the dialog's own loop to read from the display.
        gtkscreen::SimulateKey("Return", false);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(typed);
    EXPECT_EQ(dlg.answer, "From the workbook");
    EXPECT_TRUE(frame.IsWindowEnabled());
}

TEST_F(WindowsOnScreenTest, TimersRunInTheLayersOwnLoop)
{
    frame.SetTimer(7, 15);
    // The loop waits in the toolkit's main loop between ticks; nothing else wakes it.
    EXPECT_EQ(frame.RunModalLoop(), IDOK);
    EXPECT_EQ(frame.ticks, 3);
    frame.KillTimer(7);
}

// A window that fills itself with one colour.
class Swatch : public CWnd {
public:
    explicit Swatch(COLORREF c) : colour(c) {}
    COLORREF colour;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_PAINT) {
            return CWnd::WindowProc(message, wParam, lParam);
        }
        PAINTSTRUCT ps;
        if (CDC* dc = BeginPaint(&ps)) {
            CRect r;
            GetClientRect(&r);
            dc->FillSolidRect(r, colour);
        }
        EndPaint(&ps);
        return 0;
    }
};

TEST_F(WindowsOnScreenTest, WhatLiesAboveAPaintedWindowPaintsAgain)
{
    Swatch back(RGB(0, 0, 200));
    Swatch child(RGB(200, 0, 0));
    Swatch sibling(RGB(0, 160, 0));
    ASSERT_TRUE(back.CreateEx(0, "Swatch", "", WS_CHILD | WS_VISIBLE, CRect(10, 60, 210, 160), &frame, 201));
    ASSERT_TRUE(child.CreateEx(0, "Swatch", "", WS_CHILD | WS_VISIBLE, CRect(20, 20, 80, 80), &back, 202));
    // Higher in the z-order than `back` (new children go to the bottom), overlapping it.
    ASSERT_TRUE(sibling.CreateEx(0, "Swatch", "", WS_CHILD | WS_VISIBLE, CRect(180, 70, 260, 120), &frame, 203));
    sibling.SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    gtkscreen::Flush();
    for (int round = 0; round < 2; ++round) {
        // Only the back window is repainted (the second time a part of it).
        const CRect part(0, 0, 200, 100);
        back.InvalidateRect(round == 0 ? nullptr : &part, TRUE);
        gtkscreen::Flush();
        const CBitmap shot = gtkscreen::ReadScreen(frame);
        EXPECT_EQ(shot.GetPixel(15, 65), RGB(0, 0, 200)) << round;  // the back window
        EXPECT_EQ(shot.GetPixel(50, 110), RGB(200, 0, 0)) << round; // its child, over it
        EXPECT_EQ(shot.GetPixel(200, 90), RGB(0, 160, 0)) << round; // the sibling, over it
    }
    const CBitmap shot = Shot(frame, "overlapping-windows");
    EXPECT_EQ(shot.GetPixel(50, 110), RGB(200, 0, 0));
    EXPECT_EQ(gtkscreen::WindowPicture(frame)->GetPixel(50, 110), RGB(200, 0, 0));
}

// A window that always has another message of its own waiting, and ends its loop on a key.
class Busy : public CWnd {
public:
    int spins = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP) {
            // Gives up after a few seconds' worth of messages: the key never came.
            if (++spins > 2000000) {
                EndModalLoop(-2);
            } else {
                PostMessage(WM_APP);
            }
            return 0;
        }
        if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
            EndModalLoop(IDCANCEL);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(WindowsOnScreenTest, ABusyQueueStillTakesTheUsersKeys)
{
    Busy busy;
    ASSERT_TRUE(busy.CreateEx(0, "Busy", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &frame, 300));
    busy.SetFocus();
    busy.PostMessage(WM_APP);
    ASSERT_TRUE(gtkscreen::SimulateKey("Escape", false));
    EXPECT_EQ(busy.RunModalLoop(), IDCANCEL);
    busy.DestroyWindow();
}

// Answers the toolkit's message box with a key once the box has had time to open, after
// reading what the box shows.
class BoxAnswerer : public CWnd {
public:
    std::string key;
    int tries = 0;
    bool sent = false;
    bool seen = false;
    gtkscreen::NativeDialogLook look;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && !sent && ++tries > 2) {
            seen = seen || gtkscreen::ReadNativeDialog(look);
            sent = seen && gtkscreen::SimulateKeyInNativeDialog(key);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void Reset(const char* answer)
    {
        key = answer;
        sent = seen = false;
        tries = 0;
    }
};

TEST_F(WindowsOnScreenTest, MessageBoxesAreTheToolkitsAndTheLayerRunsWhileOneIsOpen)
{
    BoxAnswerer answerer;
    ASSERT_TRUE(answerer.CreateEx(0, "Answerer", "", WS_POPUP, CRect(), nullptr, 0));
    answerer.key = "Return";
    answerer.SetTimer(1, 50);
    // The default button of the box is the first: Yes.
    EXPECT_EQ(ShowMessageBox(&frame, "Save the changes to the dashboard?", "Vantorel", MB_YESNO | MB_ICONQUESTION),
              IDYES);
    EXPECT_TRUE(answerer.sent); // the layer's timers ran while the box was open
    EXPECT_TRUE(frame.IsWindowEnabled());
    answerer.sent = false;
    answerer.tries = 0;
    answerer.key = "Escape";
    // Closed without a choice: the box's cancel button.
    EXPECT_EQ(ShowMessageBox(&frame, "Replace the workbook?", "Vantorel", MB_YESNOCANCEL), IDCANCEL);
    answerer.DestroyWindow();
}

// A box shows the icon of its kind beside its text, with room above the text, and its buttons
// at their natural width at the right end of the row below.
TEST_F(WindowsOnScreenTest, MessageBoxesShowTheirIconAndKeepTheirButtonsAtTheRight)
{
    BoxAnswerer answerer;
    ASSERT_TRUE(answerer.CreateEx(0, "Answerer", "", WS_POPUP, CRect(), nullptr, 0));
    answerer.SetTimer(1, 50);
    const struct {
        const char* picture;
        UINT flags;
        std::size_t buttons;
    } boxes[] = {{"message-box-error", MB_OK | MB_ICONERROR, 1},
                 {"message-box-question", MB_YESNOCANCEL | MB_ICONQUESTION, 3},
                 {"message-box-plain", MB_OK, 1}};
    for (const auto& box : boxes) {
        SCOPED_TRACE(box.picture);
        answerer.Reset("Escape");
        ShowMessageBox(&frame, "The movie could not be written:\nthe folder is read-only.", "Vantorel", box.flags);
        ASSERT_TRUE(answerer.seen);
        const gtkscreen::NativeDialogLook& look = answerer.look;
        EXPECT_TRUE(WritePng(testsupport::ArtefactDir("screen") / (std::string(box.picture) + ".png"), look.picture));
        const int width = look.picture.Width();
        const bool icon = (box.flags & MB_ICONMASK) != 0;
        EXPECT_EQ(look.icon.Width() >= 32, icon) << look.icon.Width();
        if (icon) {
            EXPECT_LE(look.icon.right, look.text.left);
        }
        EXPECT_GE(look.text.top, 12);
        ASSERT_EQ(look.buttons.size(), box.buttons);
        for (const CRect& button : look.buttons) {
            EXPECT_GE(button.top, look.text.bottom);
            EXPECT_LT(button.Width(), width / 2) << "the buttons keep their natural width";
        }
        EXPECT_GT(look.buttons.back().right, width - 30) << "the buttons stand at the right";
        EXPECT_GT(look.buttons.front().left, 20) << "the row of buttons does not fill the box";
    }
    answerer.DestroyWindow();
}

TEST_F(WindowsOnScreenTest, TheWindowManagersResizeAndCloseReachTheFrame)
{
    ASSERT_TRUE(gtkscreen::ResizeByUser(frame, 640, 300));
    CRect client;
    frame.GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(640, 300));
    // The status bar followed the new size.
    EXPECT_EQ(frame.status.GetRectInParent().bottom, 300);
    gtkscreen::Flush();
    const CBitmap shot = Shot(frame, "frame-resized");
    EXPECT_EQ(shot.Width(), 640);

    const HWND handle = frame.GetSafeHwnd();
    ASSERT_TRUE(gtkscreen::RequestClose(frame));
    EXPECT_TRUE(gtkscreen::RunUntil([&] { return !IsWindow(handle); }, 2000));
    EXPECT_EQ(gtkscreen::WindowPicture(frame), nullptr);
}

} // namespace
