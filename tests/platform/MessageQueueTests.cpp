#include <thread>

#include "UiFixture.h"
#include "platform/docview/WinApp.h"

using QueueTest = UiTest;

TEST_F(QueueTest, PostedMessagesComeInOrderAndQuitComesLast)
{
    CMessageQueue& q = GetMessageQueue();
    q.Post(nullptr, WM_USER + 1, 1, 0);
    q.PostQuit(7);
    q.Post(nullptr, WM_USER + 2, 2, 0);

    MSG msg;
    ASSERT_TRUE(q.Get(msg));
    EXPECT_EQ(msg.message, WM_USER + 1u);
    ASSERT_TRUE(q.Get(msg));
    EXPECT_EQ(msg.message, WM_USER + 2u) << "work queued before the quit request still runs";
    EXPECT_FALSE(q.Get(msg));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(q.Peek(msg, PM_NOREMOVE)) << "the quit request is taken once";

    q.Post(nullptr, WM_USER, 0, 0);
    EXPECT_TRUE(q.Peek(msg, PM_NOREMOVE));
    EXPECT_TRUE(q.Peek(msg, PM_REMOVE)) << "a peek without removal leaves the message";
    EXPECT_FALSE(q.Peek(msg, PM_REMOVE));
}

TEST_F(QueueTest, TimersFollowTheSimulatedClock)
{
    CMessageQueue& q = GetMessageQueue();
    q.SetTimer(nullptr, 5, 500);
    MSG msg;
    EXPECT_FALSE(q.Peek(msg, PM_REMOVE));
    clock->Advance(499);
    EXPECT_FALSE(q.Peek(msg, PM_REMOVE));
    clock->Advance(1);
    ASSERT_TRUE(q.Peek(msg, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 5u);

    clock->Advance(5000);
    q.Post(nullptr, WM_USER, 0, 0);
    ASSERT_TRUE(q.Peek(msg, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER) << "posted messages go before timers";
    EXPECT_TRUE(q.Peek(msg, PM_REMOVE));
    EXPECT_FALSE(q.Peek(msg, PM_REMOVE)) << "a late timer fires once, not once per missed period";

    // A blocking get with only a timer pending lets simulated time pass to it.
    const std::uint64_t before = clock->NowMs();
    ASSERT_TRUE(q.Get(msg));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(clock->NowMs(), before + 500);

    EXPECT_TRUE(q.KillTimer(nullptr, 5));
    EXPECT_FALSE(q.KillTimer(nullptr, 5));
}

TEST_F(QueueTest, AnotherThreadWakesABlockingGet)
{
    CMessageQueue& q = GetMessageQueue();
    std::thread worker([&q] {
        for (int i = 0; i < 100; ++i) {
            q.Post(nullptr, WM_APP + 0xC8, 2, i);
        }
        q.PostQuit(0);
    });
    MSG msg;
    int received = 0;
    LPARAM expected = 0;
    while (q.Get(msg)) {
        EXPECT_EQ(msg.lParam, expected++);
        ++received;
    }
    worker.join();
    EXPECT_EQ(received, 100);
}

TEST_F(QueueTest, MessagesForADestroyedWindowAreDropped)
{
    std::vector<std::string> log;
    LoggingWnd w("w", &log);
    ASSERT_TRUE(w.CreateEx(0, "test", "", WS_OVERLAPPED, CRect(0, 0, 10, 10), nullptr, 0));
    HWND h = w.m_hWnd;
    w.PostMessage(WM_USER);
    w.SetTimer(1, 10);
    w.DestroyWindow();
    EXPECT_EQ(GetMessageQueue().PostedCount(), 0u);
    EXPECT_FALSE(GetMessageQueue().HasTimer(h, 1));
    EXPECT_FALSE(::PostMessage(h, WM_USER, 0, 0));
    EXPECT_EQ(::SendMessage(h, WM_GETTEXTLENGTH, 0, 0), 0);
}

namespace {

// A pop-up that ends its own modal loop after a number of timer ticks.
class TickingPopup : public CWnd {
public:
    void OnTimer(std::uintptr_t)
    {
        if (++ticks == 3)
            EndModalLoop(IDOK);
    }
    int ticks = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TickingPopup, CWnd)
    .OnTimer(&TickingPopup::OnTimer) END_MESSAGE_MAP()

        TEST_F(QueueTest, ModalLoopsRunTimersOnSimulatedTimeAndHandQuitOutward)
{
    TickingPopup popup;
    ASSERT_TRUE(popup.CreateEx(0, "", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    popup.SetTimer(1, 500);
    const std::uint64_t start = clock->NowMs();
    EXPECT_EQ(popup.RunModalLoop(), IDOK);
    EXPECT_EQ(popup.ticks, 3);
    EXPECT_EQ(clock->NowMs(), start + 1500) << "waiting let simulated time pass to each tick";
    EXPECT_EQ(popup.ModalLevel(), 0);

    PostQuitMessage(4);
    EXPECT_EQ(popup.RunModalLoop(), -1);
    MSG msg;
    EXPECT_FALSE(GetMessageQueue().Get(msg)) << "the quit request is left for the outer loop";
    EXPECT_EQ(msg.wParam, 4u);
}

} // namespace

namespace {

TEST_F(QueueTest, FiltersNarrowWhatIsTakenButNeverHoldBackQuit)
{
    CWnd a, b;
    ASSERT_TRUE(a.CreateEx(0, "", "", 0, CRect(0, 0, 10, 10), nullptr, 0));
    ASSERT_TRUE(b.CreateEx(0, "", "", 0, CRect(0, 0, 10, 10), nullptr, 0));
    a.PostMessage(WM_USER + 1);
    b.PostMessage(WM_USER + 2);
    a.PostMessage(WM_USER + 3);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, b.m_hWnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2u);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a.m_hWnd);
    EXPECT_FALSE(PeekMessage(&msg, b.m_hWnd, 0, 0, PM_NOREMOVE));
    PostQuitMessage(0);
    EXPECT_FALSE(GetMessage(&msg, b.m_hWnd, WM_USER + 9, WM_USER + 9));
    EXPECT_EQ(msg.message, WM_QUIT);
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 1u);
}

} // namespace
