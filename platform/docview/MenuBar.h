#pragma once

// The frame's menu bar: a row of the menu's top-level titles along the top edge. Pressing a
// title (or Alt with its underlined letter) opens its submenu as a popup menu below it, after
// the frame's update handlers have set the items' state; the item picked goes to the frame
// as a command. Drawn by the window layer, so it looks the same headless and on a screen.

#include <string>
#include <vector>

#include "platform/docview/ControlBar.h"

class CMenu;

enum : UINT { AFX_IDW_MENU_BAR = 0xE80F };

class CMenuBar : public CControlBar {
public:
    BOOL Create(CWnd* pParentWnd, UINT nID = AFX_IDW_MENU_BAR);

    // The menu shown; the bar does not own it. Null shows an empty bar.
    void SetMenu(CMenu* menu);
    CMenu* GetBarMenu() const { return menu_; }

    int GetTitleCount() const;
    // A title's place in the bar's client coordinates; empty for a bad index.
    CRect GetTitleRect(int index) const;
    int HitTest(CPoint point) const;
    // The title whose menu is open, -1 when none.
    int GetOpenTitle() const { return open_; }
    // Opens the submenu of a title as the user would; returns the command picked, 0 for none.
    UINT OpenTitle(int index);
    // The title whose underlined letter (after '&') is this character, case-insensitive.
    int FindMnemonic(char letter) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static constexpr int kHeight = 20;
    static constexpr int kPadding = 7;

    // A press on a title opens its menu (never a drag of the bar).
    void OnLButtonDown(UINT nFlags, CPoint point);

private:
    void Paint();
    void Layout();

    CMenu* menu_ = nullptr;
    std::vector<CRect> titles_;
    int open_ = -1;

    DECLARE_MESSAGE_MAP()
};

// A title as shown: the '&' marks dropped ("&&" shows one '&').
std::string MenuTitleShown(const std::string& text);
