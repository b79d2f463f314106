#pragma once

// The status bar: a row of panes, each with a command id, a style, a width and a text. Pane 0
// (a separator id) stretches over the room the others leave; the other panes show indicators
// whose text comes from the string resource of their id and whose state follows the update
// handlers.

#include <string>
#include <vector>

#include "platform/docview/ControlBar.h"

// Pane styles.
enum : UINT {
    SBPS_NORMAL = 0x0000,
    SBPS_NOBORDERS = 0x0100,
    SBPS_POPOUT = 0x0200,
    SBPS_OWNERDRAW = 0x1000,
    SBPS_DISABLED = 0x04000000,
    SBPS_STRETCH = 0x08000000,
};

class CStatusBar : public CControlBar {
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // False when an indicator has no string resource (its pane is still made, empty).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(panes_.size()); }
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, CRect* lpRect) const;
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    // With bUpdate the bar repaints at once.
    BOOL SetPaneText(int nIndex, const std::string& text, BOOL bUpdate = TRUE);
    std::string GetPaneText(int nIndex) const;
    // What the pane shows: nothing while it is disabled.
    std::string GetDisplayedText(int nIndex) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static constexpr int kHeight = 20;
    static constexpr int kGap = 2;
    static constexpr int kPaneMargin = 4;

private:
    // The panes with their texts, sunken unless they have no borders.
    void Paint();

    struct Pane {
        UINT id = 0;
        UINT style = 0;
        int cxText = 0;
        std::string text;
    };
    std::vector<Pane> panes_;
};
