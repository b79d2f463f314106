#pragma once

// The frame's menu bar: a row of the menu's top-level titles along the top edge. Pressing a
// title (or Alt with its underlined letter) opens its submenu as a popup menu below it, after
// the frame's update handlers have set the items' state; the item picked goes to the frame
// as a command. Drawn by the window layer headless; a screen may show it with the toolkit's
// own menu bar lying over the bar's window (see IMenuBarWidget).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/docview/ControlBar.h"

class CMenu;
class CMenuBar;

// The toolkit's menu bar standing in for the bar's own drawing. The bar keeps the menu, the
// mnemonics and the routing of picks; the widget shows the titles, opens their menus (after
// asking the bar to run the update handlers, `CMenuBar::PrepareTitle`) and hands the pick to
// `CMenuBar::Pick`.
class IMenuBarWidget {
public:
    virtual ~IMenuBarWidget() = default;
    // The menu or a title's text or state changed: the titles are made again.
    virtual void TitlesChanged() = 0;
    // The height the widget needs; 0 while it cannot tell.
    virtual int Height() = 0;
    // Where each title lies in the bar's client coordinates; empty while not laid out.
    virtual std::vector<CRect> TitleRects() = 0;
    // Opens a title's menu as its underlined letter would; it stays open after the call.
    virtual void Open(int index) = 0;
    // The title whose menu shows, -1 when none.
    virtual int OpenTitle() = 0;
};
// Makes the widget for each bar created from now on; null (the default) draws the bars.
using MenuBarWidgetFactory = std::function<std::unique_ptr<IMenuBarWidget>(CMenuBar&)>;
void SetMenuBarWidgetFactory(MenuBarWidgetFactory factory);

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
    int GetOpenTitle() const;
    // Opens the submenu of a title as the user would; returns the command picked, 0 for none.
    // Shown by a widget, the menu stays open after the call (0 is returned) and the pick
    // arrives as a command. Nothing opens while the frame is disabled (a modal dialog runs).
    UINT OpenTitle(int index);
    // For the widget: runs the frame's update handlers over a title's menu and returns it
    // (null for a bad index or a title without one).
    CMenu* PrepareTitle(int index);
    // For the widget: the user picked a command (a title's own or an item's); it goes to the
    // frame unless it is unknown or disabled, or the frame is. True when it was sent.
    bool Pick(UINT id);
    // Whether the bar takes input: it and the windows it lies in are enabled. A frame is
    // disabled while a modal dialog of its runs, and its commands must wait for that to end.
    bool Usable() const;
    IMenuBarWidget* GetWidget() const { return widget_.get(); }
    // The title whose underlined letter (after '&') is this character, case-insensitive.
    int FindMnemonic(char letter) const;

    ~CMenuBar() override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // When idle: a title whose text or state changed (a frame greys titles while a preview
    // runs) is shown anew.
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static constexpr int kHeight = 20;
    static constexpr int kPadding = 7;

    // A press on a title opens its menu (never a drag of the bar).
    void OnLButtonDown(UINT nFlags, CPoint point);

private:
    void Paint();
    void Layout();

    // The titles as last shown: text and state flags of each.
    std::vector<std::pair<std::string, UINT>> ShownTitles() const;
    CWnd* Target() const;

    CMenu* menu_ = nullptr;
    std::vector<CRect> titles_;
    std::vector<std::pair<std::string, UINT>> shown_;
    int open_ = -1;
    std::unique_ptr<IMenuBarWidget> widget_;

    DECLARE_MESSAGE_MAP()
};

// A title as shown: the '&' marks dropped ("&&" shows one '&').
std::string MenuTitleShown(const std::string& text);
