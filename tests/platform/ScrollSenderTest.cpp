#include "ControlFixture.h"

#include "platform/controls/ScrollBar.h"
#include "platform/controls/SliderCtrl.h"
#include "platform/controls/SpinButtonCtrl.h"

namespace {

// A page with a slider, an up-down control and two scroll bars that sorts each scroll message
// by the control that sent it, the way the property pages do.
class ScrollPage : public CWnd {
public:
    CSliderCtrl slider;
    CSpinButtonCtrl spin;
    CScrollBar vbar, hbar;
    std::vector<std::string> heard;

    void OnHScroll(UINT code, UINT pos, CWnd* sender) { Sort("H", code, pos, sender); }
    void OnVScroll(UINT code, UINT pos, CWnd* sender) { Sort("V", code, pos, sender); }

    DECLARE_MESSAGE_MAP()

private:
    void Sort(const char* dir, UINT code, UINT pos, CWnd* sender)
    {
        std::string who = sender == &slider ? "slider" : sender == &spin ? "spin" : "?";
        if (auto* bar = dynamic_cast<CScrollBar*>(sender)) {
            who = bar == &vbar ? "vbar" : "hbar";
            // The page moves a scroll bar itself.
            if (code == SB_LINEDOWN)
                bar->SetScrollPos(bar->GetScrollPos() + 1);
        }
        heard.push_back(std::string(dir) + ":" + who + ":" + std::to_string(code) + ":" +
                        std::to_string(pos));
    }
};

BEGIN_MESSAGE_MAP(ScrollPage, CWnd)
    .OnHScroll(&ScrollPage::OnHScroll)
    .OnVScroll(&ScrollPage::OnVScroll) END_MESSAGE_MAP()

} // namespace

TEST_F(ControlTest, ScrollHandlersTellSlidersUpDownsAndScrollBarsApart)
{
    ScrollPage page;
    ASSERT_TRUE(page.CreateEx(0, "", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 1));
    page.slider.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &page, 10);
    page.spin.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 16, 50), &page, 11);
    page.vbar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(200, 0, 216, 100), &page, 12);
    page.hbar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 150, 100, 166), &page, 13);
    page.spin.SetRange32(0, 10);

    page.slider.UserDrag({7});
    page.spin.UserClickUp();
    page.vbar.UserScroll(SB_LINEDOWN);
    page.hbar.UserScroll(SB_THUMBPOSITION, 40);
    // The window's own scroll bars have no control behind them.
    page.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);

    EXPECT_EQ(page.heard, (std::vector<std::string>{"H:slider:5:7", "H:slider:4:7", "H:slider:8:0", // drag
                                                    "V:spin:4:1", "V:spin:8:1",                     // click
                                                    "V:vbar:1:0", "V:vbar:8:0",                     // arrow
                                                    "H:hbar:4:40", "H:hbar:8:0", "V:?:0:0"}));
    EXPECT_EQ(page.vbar.GetScrollPos(), 1);
    page.DestroyWindow();
}
