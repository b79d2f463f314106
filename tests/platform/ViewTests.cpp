#include "UiFixture.h"
#include "platform/drawing/RecordingDC.h"
#include "platform/docview/View.h"
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
    EXPECT_EQ(canvas.GetScrollLimit(), CSize(300, 200));
    EXPECT_TRUE(canvas.HasHorzBar() && canvas.HasVertBar());

    struct Step {
        int bar;
        UINT code;
        UINT pos;
        CPoint expected;
    } steps[] = {
        {SB_VERT, SB_LINEDOWN, 0, {0, 6}},         {SB_VERT, SB_PAGEDOWN, 0, {0, 66}},
        {SB_VERT, SB_BOTTOM, 0, {0, 200}},         {SB_VERT, SB_LINEDOWN, 0, {0, 200}},
        {SB_HORZ, SB_THUMBTRACK, 250, {250, 200}}, {SB_HORZ, SB_THUMBPOSITION, 9999, {300, 200}},
        {SB_HORZ, SB_PAGEUP, 0, {220, 200}},       {SB_VERT, SB_TOP, 0, {220, 0}},
    };
    for (const Step& s : steps) {
        canvas.SendMessage(s.bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(s.code, s.pos), 0);
        EXPECT_EQ(canvas.GetScrollPosition(), s.expected) << s.code;
    }

    PumpPendingMessages();
    ASSERT_FALSE(canvas.drawnWithOrigin.empty());
    EXPECT_EQ(canvas.drawnWithOrigin.back(), CPoint(-220, 0));

    // A window that grows past the area scrolls back and drops its bars.
    canvas.MoveWindow(0, 0, 900, 700);
    EXPECT_EQ(canvas.GetScrollPosition(), CPoint(0, 0));
    EXPECT_FALSE(canvas.HasHorzBar() || canvas.HasVertBar());
}

} // namespace
