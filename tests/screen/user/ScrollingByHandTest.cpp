#include "PersonFixture.h"

#include "platform/controls/ScrollBar.h"
#include "platform/docview/Frame.h"
#include "platform/docview/View.h"
#include "platform/docview/ViewScrollBars.h"
#include "platform/drawing/DC.h"

namespace {

// A drawing larger than its window: bands of colour, one every hundred pixels down.
class LargeView : public CScrollView {
public:
    void OnDraw(CDC* dc) override
    {
        for (int y = 0; y < kHeight; y += 100)
            dc->FillSolidRect(CRect(0, y, kWidth, y + 100), (y / 100) % 2 == 0 ? RGB(255, 255, 255) : RGB(200, 220, 240));
    }
    static constexpr int kWidth = 2000;
    static constexpr int kHeight = 1500;
};

class ScrollingByHandTest : public PersonTest {
protected:
    void SetUp() override
    {
        PersonTest::SetUp();
        ASSERT_TRUE(frame.Create(nullptr, "Large drawing", WS_OVERLAPPEDWINDOW, CRect(80, 80, 720, 520)));
        CRect client;
        frame.GetClientRect(&client);
        ASSERT_TRUE(view.Create(nullptr, "", WS_CHILD | WS_VISIBLE, client, &frame, AFX_IDW_PANE_FIRST));
        view.SetScrollSizes(MM_TEXT, CSize(LargeView::kWidth, LargeView::kHeight));
        frame.ShowWindow(SW_SHOW);
        frame.UpdateWindow();
        gtkscreen::Flush();
    }

    CFrameWnd frame;
    LargeView view;
};

TEST_F(ScrollingByHandTest, ALargeAreaGetsScrollBarsThatTheWheelAndTheArrowsMove)
{
    ASSERT_TRUE(gtkscreen::RunPerson([&](ScreenUser& user) {
        PERSON_READY(user, frame);
        const CViewScrollBars* bars = view.GetScrollBars();
        ASSERT_NE(bars, nullptr) << "no scroll bars";
        EXPECT_TRUE(bars->HorzShown());
        EXPECT_TRUE(bars->VertShown());
        Shot(user, "scroll-bars");

        // The wheel over the drawing scrolls it down, and back up.
        user.Wheel(user.CenterOf(view), -2);
        ASSERT_TRUE(user.WaitFor([&] { return view.GetScrollPosition().y > 0; })) << "the wheel did not scroll";
        const int down = view.GetScrollPosition().y;
        EXPECT_TRUE(user.WaitFor([&] { return bars->Vert()->GetScrollPos() == down; })) << "the bar did not follow";
        user.Wheel(user.CenterOf(view), 1);
        EXPECT_TRUE(user.WaitFor([&] { return view.GetScrollPosition().y < down; })) << "the wheel did not scroll back";

        // The lower arrow of the vertical bar steps down; the right arrow of the other across.
        const int before = view.GetScrollPosition().y;
        const CRect vert = user.RectOf(*bars->Vert());
        user.Click(CPoint(vert.CenterPoint().x, vert.bottom - 4));
        EXPECT_TRUE(user.WaitFor([&] { return view.GetScrollPosition().y > before; })) << "the arrow did not step";
        const CRect horz = user.RectOf(*bars->Horz());
        user.Click(CPoint(horz.right - 4, horz.CenterPoint().y));
        EXPECT_TRUE(user.WaitFor([&] { return view.GetScrollPosition().x > 0; })) << "the bar across did not step";
        Shot(user, "scroll-bars-moved");

        // Grown past the area, the window needs no bars.
        user.OnUi([&] { view.SetScrollSizes(MM_TEXT, CSize(200, 150)); });
        EXPECT_TRUE(user.WaitFor([&] { return !bars->HorzShown() && !bars->VertShown(); })) << "the bars stay";
        EXPECT_EQ(view.GetScrollPosition(), CPoint(0, 0));
    }));
}

} // namespace
