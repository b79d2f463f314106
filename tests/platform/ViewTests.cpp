#include "UiFixture.h"
#include "platform/drawing/RecordingDC.h"
#include "platform/controls/ScrollBar.h"
#include "platform/docview/View.h"
#include "platform/docview/ViewScrollBars.h"
#include "platform/docview/WinApp.h"

namespace {

// Hands every window a recording context, as the drawing layer does for tests.
class RecordingHost : public IWindowHost {
public:
    CDC* AcquireDC(CWnd&, const CRect*) override
    {
        dcs.push_back(std::make_unique<CRecordingDC>());
        return dcs.back().get();
    }
    std::vector<std::unique_ptr<CRecordingDC>> dcs;
};

class Canvas : public CScrollView {
public:
    void OnDraw(CDC* dc) override { drawnWithOrigin.push_back(dc->GetViewportOrg()); }
    std::vector<CPoint> drawnWithOrigin;
};

using ViewTest = UiTest;

TEST_F(ViewTest, ScrollingStaysInsideTheAreaAndMovesTheOrigin)
{
    auto host = std::make_unique<RecordingHost>();
    SetWindowHost(std::move(host));
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, "", "", WS_VISIBLE, CRect(0, 0, 1000, 800), nullptr, 0));
    Canvas canvas;
    ASSERT_TRUE(
        canvas.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 500, 400), &frame, AFX_IDW_PANE_FIRST));
    canvas.SetScrollSizes(MM_TEXT, CSize(800, 600));
    // The bars (16 pixels each) take their share of the window.
    EXPECT_EQ(canvas.GetScrollLimit(), CSize(316, 216));
    EXPECT_TRUE(canvas.HasHorzBar() && canvas.HasVertBar());

    struct Step {
        int bar;
        UINT code;
        UINT pos;
        CPoint expected;
    } steps[] = {
        {SB_VERT, SB_LINEDOWN, 0, {0, 6}},         {SB_VERT, SB_PAGEDOWN, 0, {0, 66}},
        {SB_VERT, SB_BOTTOM, 0, {0, 216}},         {SB_VERT, SB_LINEDOWN, 0, {0, 216}},
        {SB_HORZ, SB_THUMBTRACK, 250, {250, 216}}, {SB_HORZ, SB_THUMBPOSITION, 9999, {316, 216}},
        {SB_HORZ, SB_PAGEUP, 0, {236, 216}},       {SB_VERT, SB_TOP, 0, {236, 0}},
    };
    for (const Step& s : steps) {
        canvas.SendMessage(s.bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(s.code, s.pos), 0);
        EXPECT_EQ(canvas.GetScrollPosition(), s.expected) << s.code;
    }

    PumpPendingMessages();
    ASSERT_FALSE(canvas.drawnWithOrigin.empty());
    EXPECT_EQ(canvas.drawnWithOrigin.back(), CPoint(-236, 0));

    // The wheel scrolls down and up, with Shift across, never out of the area; the bars
    // show the position.
    canvas.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<unsigned>(-240) & 0xFFFFu), 0);
    EXPECT_EQ(canvas.GetScrollPosition(), CPoint(236, 36));
    canvas.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, 120), 0);
    EXPECT_EQ(canvas.GetScrollPosition(), CPoint(212, 36));
    canvas.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120 * 10), 0);
    EXPECT_EQ(canvas.GetScrollPosition(), CPoint(212, 0));
    ASSERT_NE(canvas.GetScrollBars(), nullptr);
    EXPECT_TRUE(canvas.GetScrollBars()->HorzShown() && canvas.GetScrollBars()->VertShown());
    EXPECT_EQ(canvas.GetScrollBars()->Horz()->GetScrollPos(), 212);

    // A window that grows past the area scrolls back and drops its bars.
    canvas.MoveWindow(0, 0, 900, 700);
    EXPECT_EQ(canvas.GetScrollPosition(), CPoint(0, 0));
    EXPECT_FALSE(canvas.HasHorzBar() || canvas.HasVertBar());
    EXPECT_FALSE(canvas.GetScrollBars()->HorzShown() || canvas.GetScrollBars()->VertShown());
}

TEST_F(ViewTest, ABarTakenOnOneAxisCanMakeTheOtherNeeded)
{
    bool horz = false;
    bool vert = false;
    // Only wider: one bar across, the window 16 pixels shorter.
    EXPECT_EQ(CViewScrollBars::Visible(CSize(500, 400), CSize(800, 300), &horz, &vert), CSize(500, 384));
    EXPECT_TRUE(horz);
    EXPECT_FALSE(vert);
    // Wider, and as tall as the window: the bar across makes the area taller than what is left.
    EXPECT_EQ(CViewScrollBars::Visible(CSize(500, 400), CSize(800, 395), &horz, &vert), CSize(484, 384));
    EXPECT_TRUE(horz && vert);
    // It fits: no bars.
    EXPECT_EQ(CViewScrollBars::Visible(CSize(500, 400), CSize(500, 400), &horz, &vert), CSize(500, 400));
    EXPECT_FALSE(horz || vert);
}

} // namespace
