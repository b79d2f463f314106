#include "UiFixture.h"
#include "platform/window/CmdUI.h"
#include "platform/docview/WinApp.h"

namespace {

using WndTest = UiTest;

CRect R(int l, int t, int r, int b)
{
    return CRect(l, t, r, b);
}

TEST_F(WndTest, CreationSendsCreateSizeMoveThenShow)
{
    std::vector<std::string> log;
    LoggingWnd top("top", &log);
    ASSERT_TRUE(
        top.CreateEx(0, "frame", "Title", WS_OVERLAPPEDWINDOW | WS_VISIBLE, R(10, 20, 110, 70), nullptr, 0));
    EXPECT_EQ(log, (std::vector<std::string>{"top:create", "top:size", "top:move", "top:show"}));
    EXPECT_TRUE(top.IsWindowVisible());
    EXPECT_EQ(top.GetWindowText(), "Title");
    CRect client;
    top.GetClientRect(&client);
    EXPECT_EQ(client, R(0, 0, 100, 50));

    LoggingWnd child("child", &log);
    EXPECT_FALSE(child.Create("c", "", WS_CHILD, R(0, 0, 1, 1), nullptr, 5)) << "a child needs a parent";
    ASSERT_TRUE(child.Create("c", "", WS_CHILD | WS_VISIBLE, R(5, 5, 15, 15), &top, 5));
    EXPECT_EQ(top.GetDlgItem(5), &child);
    CRect screen;
    child.GetWindowRect(&screen);
    EXPECT_EQ(screen, R(15, 25, 25, 35));
}

class SelfDeleting : public CWnd {
public:
    explicit SelfDeleting(int* deleted) : deleted_(deleted) {}
    ~SelfDeleting() override { ++*deleted_; }
    void PostNcDestroy() override { delete this; }
    int* deleted_;
};

TEST_F(WndTest, DestroyReachesParentBeforeChildrenAndFinishesChildrenFirst)
{
    std::vector<std::string> log;
    LoggingWnd top("top", &log), a("a", &log), b("b", &log), a1("a1", &log);
    ASSERT_TRUE(top.CreateEx(0, "", "", 0, R(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(a.Create("", "", WS_CHILD, R(0, 0, 10, 10), &top, 1));
    ASSERT_TRUE(b.Create("", "", WS_CHILD, R(0, 0, 10, 10), &top, 2));
    ASSERT_TRUE(a1.Create("", "", WS_CHILD, R(0, 0, 10, 10), &a, 3));
    log.clear();
    top.DestroyWindow();
    EXPECT_EQ(log, (std::vector<std::string>{"top:destroy", "a:destroy", "a1:destroy", "b:destroy",
                                             "a1:ncdestroy", "a:ncdestroy", "b:ncdestroy", "top:ncdestroy"}));
    EXPECT_EQ(LiveWindowCount(), 0u);
    EXPECT_EQ(a1.m_hWnd, nullptr);

    // Windows that delete themselves go away with their parent or owner.
    int deleted = 0;
    ASSERT_TRUE(top.CreateEx(0, "", "", 0, R(0, 0, 100, 100), nullptr, 0));
    auto* popup = new SelfDeleting(&deleted);
    ASSERT_TRUE(popup->CreateEx(0, "", "", WS_POPUP, R(0, 0, 10, 10), &top, 0)); // owned, not a child
    auto* child = new SelfDeleting(&deleted);
    ASSERT_TRUE(child->Create("", "", WS_CHILD, R(0, 0, 10, 10), &top, 1));
    top.DestroyWindow();
    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(LiveWindowCount(), 0u);

    // An owned window that takes a later owned window with it as it goes (a dialog closing the
    // tool window it opened) leaves the owner's clean-up nothing stale to touch.
    struct TakesAlong : SelfDeleting {
        using SelfDeleting::SelfDeleting;
        LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override
        {
            if (m == WM_DESTROY && other != nullptr) {
                other->DestroyWindow();
                other = nullptr;
            }
            return SelfDeleting::WindowProc(m, w, l);
        }
        CWnd* other = nullptr;
    };
    deleted = 0;
    ASSERT_TRUE(top.CreateEx(0, "", "", 0, R(0, 0, 100, 100), nullptr, 0));
    auto* first = new TakesAlong(&deleted);
    ASSERT_TRUE(first->CreateEx(0, "", "", WS_POPUP, R(0, 0, 10, 10), &top, 0));
    auto* second = new SelfDeleting(&deleted);
    ASSERT_TRUE(second->CreateEx(0, "", "", WS_POPUP, R(0, 0, 10, 10), &top, 0));
    first->other = second;
    top.DestroyWindow();
    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(LiveWindowCount(), 0u);
}

TEST_F(WndTest, FocusMovesWithKillBeforeSet)
{
    std::vector<std::string> log;
    LoggingWnd top("top", &log), a("a", &log), b("b", &log);
    ASSERT_TRUE(top.CreateEx(0, "", "", WS_VISIBLE, R(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(a.Create("", "", WS_CHILD | WS_VISIBLE, R(0, 0, 10, 10), &top, 1));
    ASSERT_TRUE(b.Create("", "", WS_CHILD | WS_VISIBLE, R(20, 0, 30, 10), &top, 2));
    log.clear();
    EXPECT_EQ(a.SetFocus(), nullptr);
    EXPECT_EQ(b.SetFocus(), &a);
    EXPECT_EQ(CWnd::GetFocus(), &b);
    EXPECT_EQ(log, (std::vector<std::string>{"a:setfocus", "a:killfocus", "b:setfocus"}));

    // Disabling or hiding the focus window takes the focus away; destroying it as well.
    log.clear();
    b.EnableWindow(FALSE);
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"b:killfocus", "b:enable"}));
    a.SetFocus();
    a.ShowWindow(SW_HIDE);
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
    b.EnableWindow(TRUE);
    b.SetFocus();
    top.DestroyWindow();
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
}

// A field that refuses to lose the focus takes it back while it is being left.
class StickyField : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KILLFOCUS && refuse) {
            refuse = false;
            SetFocus();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    bool refuse = true;
};

TEST_F(WndTest, AWindowLosingFocusMayKeepIt)
{
    CWnd top, other;
    StickyField field;
    ASSERT_TRUE(top.CreateEx(0, "", "", 0, R(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(field.Create("", "", WS_CHILD, R(0, 0, 10, 10), &top, 1));
    ASSERT_TRUE(other.Create("", "", WS_CHILD, R(0, 0, 10, 10), &top, 2));
    field.SetFocus();
    other.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &field);
}

TEST_F(WndTest, CaptureChangesAreReported)
{
    std::vector<std::string> log;
    LoggingWnd a("a", &log), b("b", &log);
    ASSERT_TRUE(a.CreateEx(0, "", "", 0, R(0, 0, 10, 10), nullptr, 0));
    ASSERT_TRUE(b.CreateEx(0, "", "", 0, R(0, 0, 10, 10), nullptr, 0));
    log.clear();
    a.SetCapture();
    EXPECT_EQ(b.SetCapture(), &a);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_FALSE(ReleaseCapture());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"a:capturechanged", "b:capturechanged"}));
}

TEST_F(WndTest, ZOrderAndHitTesting)
{
    CWnd top, first, second, inner;
    ASSERT_TRUE(top.CreateEx(0, "", "", WS_VISIBLE, R(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(first.Create("", "", WS_CHILD | WS_VISIBLE, R(0, 0, 50, 50), &top, 1));
    ASSERT_TRUE(second.Create("", "", WS_CHILD | WS_VISIBLE, R(25, 25, 75, 75), &top, 2));
    ASSERT_TRUE(inner.Create("", "", WS_CHILD | WS_VISIBLE, R(0, 0, 5, 5), &second, 3));

    EXPECT_EQ(top.GetTopWindow(), &first) << "new children go to the bottom";
    EXPECT_EQ(top.ChildFromPoint({27, 27}), &first);
    EXPECT_EQ(top.ChildFromPoint({60, 60}), &second);
    second.BringWindowToTop();
    EXPECT_EQ(top.GetTopWindow(), &second);
    EXPECT_EQ(top.ChildFromPoint({27, 27}), &inner);
    EXPECT_EQ(top.ChildFromPoint({40, 40}), &second);
    EXPECT_EQ(top.ChildFromPoint({75, 75}), &top) << "right and bottom edges are outside";
    second.ShowWindow(SW_HIDE);
    EXPECT_EQ(top.ChildFromPoint({40, 40}), &first);
    EXPECT_FALSE(inner.IsWindowVisible()) << "a hidden parent hides its children";
    second.ShowWindow(SW_SHOW);
    EXPECT_EQ(second.GetWindow(GW_HWNDNEXT), &first);
}

TEST_F(WndTest, MaximiseFillsTheWorkAreaAndRestoreSendsSizeTypes)
{
    ScreenMetrics m;
    m.workArea = R(0, 0, 800, 560);
    SetScreenMetrics(m);
    struct Sizes : CWnd {
        LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
        {
            if (message == WM_SIZE) {
                seen.push_back({static_cast<UINT>(w), LOWORD(static_cast<std::uintptr_t>(l)),
                                HIWORD(static_cast<std::uintptr_t>(l))});
            }
            return CWnd::WindowProc(message, w, l);
        }
        std::vector<std::array<unsigned, 3>> seen;
    } w;
    ASSERT_TRUE(w.CreateEx(0, "", "", 0, R(0, 0, 100, 50), nullptr, 0));
    w.seen.clear();
    w.ShowWindow(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(w.IsZoomed());
    w.ShowWindow(SW_MINIMIZE);
    w.MoveWindow(0, 0, 200, 100);
    EXPECT_EQ(w.seen, (std::vector<std::array<unsigned, 3>>{
                          {SIZE_MAXIMIZED, 800, 560}, {SIZE_MINIMIZED, 0, 0}, {SIZE_RESTORED, 200, 100}}));
}

TEST_F(WndTest, InvalidWindowsArePaintedFromTheQueueParentsFirst)
{
    std::vector<std::string> log;
    LoggingWnd top("top", &log), child("child", &log), hidden("hidden", &log);
    ASSERT_TRUE(top.CreateEx(0, "", "", WS_VISIBLE, R(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(child.Create("", "", WS_CHILD | WS_VISIBLE, R(0, 0, 10, 10), &top, 1));
    ASSERT_TRUE(hidden.Create("", "", WS_CHILD, R(0, 0, 10, 10), &top, 2));
    PumpPendingMessages();
    log.clear();

    child.Invalidate();
    top.Invalidate();
    hidden.Invalidate();
    EXPECT_EQ(PumpPendingMessages(), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"top:paint", "child:paint"}));
    EXPECT_FALSE(top.GetUpdateRect(nullptr));

    // Turning redraw off ignores invalidation; UpdateWindow paints at once.
    log.clear();
    top.SendMessage(WM_SETREDRAW, FALSE);
    top.Invalidate();
    EXPECT_FALSE(top.GetUpdateRect(nullptr));
    top.SendMessage(WM_SETREDRAW, TRUE);
    top.InvalidateRect(nullptr);
    top.UpdateWindow();
    EXPECT_EQ(log, (std::vector<std::string>{"top:paint"}));
}

TEST_F(WndTest, TimersArriveAsMessagesForTheirWindow)
{
    std::vector<std::string> log;
    LoggingWnd w("w", &log);
    ASSERT_TRUE(w.CreateEx(0, "", "", 0, R(0, 0, 10, 10), nullptr, 0));
    w.SetTimer(3, 500);
    log.clear();
    EXPECT_EQ(PumpPendingMessages(), 0);
    clock->Advance(1500);
    EXPECT_EQ(PumpPendingMessages(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"w:timer"}));
    EXPECT_TRUE(w.KillTimer(3));
}

TEST_F(WndTest, TextGoesThroughTheWindowsMessages)
{
    // A window that keeps its text upper-case sees SetWindowText like any WM_SETTEXT.
    struct Upper : CWnd {
        LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
        {
            if (message == WM_SETTEXT) {
                std::string s = reinterpret_cast<const char*>(l);
                for (char& c : s) {
                    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                }
                return CWnd::WindowProc(message, w, reinterpret_cast<LPARAM>(s.c_str()));
            }
            return CWnd::WindowProc(message, w, l);
        }
    } w;
    ASSERT_TRUE(w.CreateEx(0, "", "", 0, R(0, 0, 10, 10), nullptr, 0));
    w.SetWindowText("abc");
    EXPECT_EQ(w.GetWindowText(), "ABC");
    char small[3];
    EXPECT_EQ(w.SendMessage(WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 2);
    EXPECT_STREQ(small, "AB") << "copies are cut to the buffer and terminated";
}

} // namespace

namespace {

using WndEdgeTest = UiTest;

class Refusing : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
    {
        if (message == WM_CREATE) {
            return -1;
        }
        return CWnd::WindowProc(message, w, l);
    }
};

// Destroys itself from inside one of its own handlers.
class Quitter : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
    {
        if (message == WM_USER) {
            DestroyWindow();
            return 5;
        }
        return CWnd::WindowProc(message, w, l);
    }
};

TEST_F(WndEdgeTest, CreationRefusedAndSelfDestructionAreSafe)
{
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, "", "", 0, CRect(0, 0, 100, 100), nullptr, 0));
    Refusing refusing;
    EXPECT_FALSE(refusing.Create("", "", WS_CHILD, CRect(0, 0, 5, 5), &top, 1));
    EXPECT_EQ(refusing.m_hWnd, nullptr);
    EXPECT_EQ(top.GetDlgItem(1), nullptr);
    EXPECT_FALSE(top.CreateEx(0, "", "", 0, CRect(), nullptr, 0)) << "a window is created once";

    Quitter quitter;
    ASSERT_TRUE(quitter.Create("", "", WS_CHILD, CRect(0, 0, 5, 5), &top, 2));
    EXPECT_EQ(quitter.SendMessage(WM_USER), 5);
    EXPECT_EQ(quitter.m_hWnd, nullptr);
    EXPECT_TRUE(top.GetChildren().empty());

    // The default answer to a close request is destruction.
    top.SendMessage(WM_CLOSE);
    EXPECT_EQ(top.m_hWnd, nullptr);
}

TEST_F(WndEdgeTest, TreeQueriesAndMoves)
{
    CWnd top, a, b, deep;
    ASSERT_TRUE(top.CreateEx(0, "", "", WS_VISIBLE, CRect(100, 100, 500, 400), nullptr, 0));
    ASSERT_TRUE(a.Create("", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
    ASSERT_TRUE(b.Create("", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &top, 2));
    ASSERT_TRUE(deep.Create("", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &a, 7));
    EXPECT_EQ(top.GetDlgItem(7), nullptr) << "only direct children";
    EXPECT_EQ(top.GetDescendantWindow(7), &deep);
    EXPECT_TRUE(top.IsChild(&deep));
    EXPECT_FALSE(deep.IsChild(&top));
    EXPECT_EQ(deep.GetTopLevelParent(), &top);
    EXPECT_EQ(a.SetParent(&deep), nullptr) << "a window cannot move below itself";
    EXPECT_EQ(deep.SetParent(&b), &a);
    EXPECT_EQ(b.GetTopWindow(), &deep);

    CRect r;
    deep.GetWindowRect(&r);
    EXPECT_EQ(r, CRect(100, 100, 110, 110));
    CPoint p(105, 103);
    deep.ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(5, 3));

    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, "", "", WS_POPUP, CRect(0, 0, 100, 50), &top, 0));
    popup.CenterWindow();
    popup.GetWindowRect(&r);
    EXPECT_EQ(r, CRect(250, 225, 350, 275)) << "centred over its owner";
    EXPECT_EQ(popup.GetOwner(), &top);

    EXPECT_FALSE(a.EnableWindow(FALSE)) << "was enabled";
    EXPECT_TRUE(a.EnableWindow(FALSE)) << "was already disabled";
    EXPECT_TRUE(a.EnableWindow(TRUE));

    int visits = 0;
    struct Counter : CWnd {
        int* n;
        explicit Counter(int* c) : n(c) {}
        LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override
        {
            if (m == WM_USER + 9) {
                ++*n;
            }
            return CWnd::WindowProc(m, w, l);
        }
    } c1(&visits), c2(&visits);
    ASSERT_TRUE(c1.Create("", "", WS_CHILD, CRect(), &a, 11));
    ASSERT_TRUE(c2.Create("", "", WS_CHILD, CRect(), &c1, 12));
    top.SendMessageToDescendants(WM_USER + 9, 0, 0, FALSE);
    EXPECT_EQ(visits, 0) << "only the direct children were asked";
    top.SendMessageToDescendants(WM_USER + 9);
    EXPECT_EQ(visits, 2);

    // Destroying the owner takes its owned pop-up along.
    top.DestroyWindow();
    EXPECT_EQ(popup.m_hWnd, nullptr);
}

} // namespace
