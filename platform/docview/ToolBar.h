#pragma once

// A row of command buttons. Button ids, icons and layout come from a toolbar resource (or are
// set directly); each button's enabled and checked state follows the command's update handler.
// A click (press and release over the same enabled button) sends WM_COMMAND to the owner, and
// the bar takes the commands' states again at once, so a button never shows a stale state.
// Tool tips and fly-by prompts are the second and first lines of the command's string.

#include <string>
#include <vector>

#include "platform/docview/ControlBar.h"

enum : DWORD { TBSTYLE_FLAT = 0x0800, TBSTYLE_TRANSPARENT = 0x8000 };

// Button styles and states.
enum : UINT {
    TBBS_BUTTON = 0x0000,
    TBBS_SEPARATOR = 0x0001,
    TBBS_CHECKBOX = 0x0002,
    TBBS_CHECKED = 0x0100,
    TBBS_INDETERMINATE = 0x0200,
    TBBS_DISABLED = 0x0400,
    TBBS_PRESSED = 0x0800,
};

class CToolBar : public CControlBar {
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(),
                  UINT nID = AFX_IDW_TOOLBAR);
    BOOL LoadToolBar(UINT nIDResource);
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    // The short texts the buttons show beside their icons (one per button, in order).
    void SetGlyphs(std::vector<std::string> glyphs) { glyphs_ = std::move(glyphs); }
    // The icon names of the buttons (one per button, in order), from the icon theme.
    void SetIcons(std::vector<std::string> icons) { icons_ = std::move(icons); }
    const std::string& GetIconName(int nIndex) const;
    // The tool tip of a button: the second line of its command's string (empty for none).
    std::string GetToolTipText(int nIndex) const;
    // The tool tip under a client point and the button rectangle it belongs to; empty when
    // the bar has no tips or the point is over no button.
    std::string ToolTipAt(CPoint point, CRect* button = nullptr) const;
    // Icons are drawn at this many pixels a side (16 times the screen's scale factor).
    int GetIconSize() const;
    // Image size; a button is 7 pixels wider and 6 taller than its image. Until it is set, a
    // button is 23 by 22 pixels times the screen's scale factor.
    void SetSizes(CSize sizeButton, CSize sizeImage);
    CSize ButtonSize() const;
    // A button's width: the button size, or more for a label that needs it.
    int ItemWidth(int index) const;
    // A separator's width: kSeparatorWidth times the screen's scale factor.
    int SeparatorWidth() const;

    int GetCount() const { return static_cast<int>(buttons_.size()); }
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    void GetItemRect(int nIndex, CRect* lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    // The button under a client point, or -1.
    int HitTest(CPoint point) const;
    DWORD GetToolBarCtrlStyle() const { return ctrlStyle_; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnPaint();
    void OnTimer(std::uintptr_t id);

    static constexpr int kSeparatorWidth = 8;
    static constexpr int kBorder = 2;

protected:
    void PaintButton(CDC& dc, int index, const CRect& r, COLORREF face);
    // The button under the pointer (-1: none), shown a shade darker.
    void SetHot(int index);
    static constexpr UINT_PTR kHoverTimer = 0xE9F0;

    struct Button {
        UINT id = 0;
        UINT style = 0; // TBBS_ bits
    };
    std::vector<Button> buttons_;
    std::vector<std::string> glyphs_;
    std::vector<std::string> icons_;
    CSize buttonSize_{23, 22};
    bool sizesSet_ = false;
    DWORD ctrlStyle_ = 0;
    int pressed_ = -1;
    int hot_ = -1;

    DECLARE_MESSAGE_MAP()
};
