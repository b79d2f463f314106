#include "UiFixture.h"
#include "platform/window/CmdUI.h"

namespace {

using MessageMapTest = UiTest;

enum : UINT { ID_ONE = 100, ID_TWO = 101, ID_RANGE_FIRST = 200, ID_RANGE_LAST = 205, NM_TEST = 0xFFFFFF00u };

class BaseWnd : public CWnd {
public:
    std::vector<std::string> calls;
    bool oneEnabled = true;

    void OnOne() { calls.push_back("base:one"); }
    void OnTwo() { calls.push_back("base:two"); }
    void OnSize(UINT, int cx, int cy)
    {
        calls.push_back("base:size " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    void OnUpdateOne(CCmdUI* ui) { ui->Enable(oneEnabled); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    .Command(ID_ONE, &BaseWnd::OnOne)
    .Command(ID_TWO, &BaseWnd::OnTwo)
    .UpdateCommandUI(ID_ONE, &BaseWnd::OnUpdateOne)
    .OnSize(&BaseWnd::OnSize) END_MESSAGE_MAP()

        class DerivedWnd : public BaseWnd {
public:
    void OnTwo() { calls.push_back("derived:two"); }
    void OnRange(UINT id) { calls.push_back("range " + std::to_string(id)); }
    void OnClicked() { calls.push_back("clicked"); }
    void OnTestNotify(NMHDR* h, LRESULT* result)
    {
        calls.push_back("notify from " + std::to_string(h->idFrom));
        *result = 42;
    }
    LRESULT OnPrivate(WPARAM w, LPARAM l)
    {
        calls.push_back("private " + std::to_string(w) + "," + std::to_string(l));
        return 7;
    }
    void OnNull() { calls.push_back("null"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    .Command(ID_TWO, &DerivedWnd::OnTwo)
    .CommandRange(ID_RANGE_FIRST, ID_RANGE_LAST, &DerivedWnd::OnRange)
    .Control(5 /* a notification code */, 77, &DerivedWnd::OnClicked)
    .Notify(NM_TEST, 9, &DerivedWnd::OnTestNotify)
    .Message(WM_SPIN_CHANGED, &DerivedWnd::OnPrivate)
    .Message(WM_NULL, &DerivedWnd::OnNull) END_MESSAGE_MAP()

        TEST_F(MessageMapTest, DerivedEntriesHideBaseEntriesAndTheRestIsInherited)
{
    DerivedWnd w;
    ASSERT_TRUE(w.CreateEx(0, "", "", 0, CRect(0, 0, 30, 20), nullptr, 0));
    w.calls.clear();
    w.SendMessage(WM_COMMAND, ID_ONE);
    w.SendMessage(WM_COMMAND, ID_TWO);
    w.SendMessage(WM_COMMAND, ID_RANGE_FIRST + 3);
    w.SendMessage(WM_COMMAND, ID_RANGE_LAST + 1); // nobody's
    w.MoveWindow(0, 0, 40, 25);
    EXPECT_EQ(w.calls, (std::vector<std::string>{"base:one", "derived:two", "range 203", "base:size 40x25"}));
}

TEST_F(MessageMapTest, DisabledMenuCommandsDoNotRunButControlNotificationsDo)
{
    DerivedWnd w;
    ASSERT_TRUE(w.CreateEx(0, "", "", 0, CRect(0, 0, 30, 20), nullptr, 0));
    w.oneEnabled = false;
    w.calls.clear();
    EXPECT_EQ(w.SendMessage(WM_COMMAND, ID_ONE), 1) << "taken, but ignored";
    EXPECT_TRUE(w.calls.empty());
    EXPECT_FALSE(IsCommandEnabled(w, ID_ONE));
    EXPECT_TRUE(IsCommandEnabled(w, ID_TWO));
    CCmdUIProbe unhandled;
    unhandled.m_nID = 999;
    unhandled.DoUpdate(&w, TRUE);
    EXPECT_FALSE(unhandled.enabled) << "an update request may disable what nobody handles";

    CWnd control;
    ASSERT_TRUE(control.Create("", "", WS_CHILD, CRect(0, 0, 5, 5), &w, 77));
    w.SendMessage(WM_COMMAND, MAKEWPARAM(77, 5), reinterpret_cast<LPARAM>(control.m_hWnd));
    w.SendMessage(WM_COMMAND, MAKEWPARAM(77, 6), reinterpret_cast<LPARAM>(control.m_hWnd)); // other code
    EXPECT_EQ(w.calls, (std::vector<std::string>{"clicked"}));
}

TEST_F(MessageMapTest, NotificationsPrivateMessagesAndMessageZeroAreRouted)
{
    DerivedWnd w;
    ASSERT_TRUE(w.CreateEx(0, "", "", 0, CRect(0, 0, 30, 20), nullptr, 0));
    w.calls.clear();
    NMHDR h;
    h.idFrom = 9;
    h.code = NM_TEST;
    EXPECT_EQ(w.SendMessage(WM_NOTIFY, 9, reinterpret_cast<LPARAM>(&h)), 42);
    h.idFrom = 10;
    EXPECT_EQ(w.SendMessage(WM_NOTIFY, 10, reinterpret_cast<LPARAM>(&h)), 0);
    EXPECT_EQ(w.SendMessage(WM_SPIN_CHANGED, 3, 4), 7);
    w.SendMessage(WM_NULL, 0, 153);
    EXPECT_EQ(w.calls, (std::vector<std::string>{"notify from 9", "private 3,4", "null"}));
}

} // namespace
