#pragma once

#include "platform/controls/ControlWnd.h"

#include <string>
#include <vector>

struct TCITEM {
    UINT mask = 0;
    const char* pszText = nullptr;
    int iImage = -1;
    LPARAM lParam = 0;
};

// Tabs in one row. Choosing a tab by code never notifies; the user's choice asks the parent
// with TCN_SELCHANGING (non-zero refuses) and then sends TCN_SELCHANGE.
class CTabCtrl : public ui::ControlWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    int InsertItem(int index, const char* text);
    int InsertItem(int index, const TCITEM* item);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    BOOL SetItem(int index, const TCITEM* item);
    std::string GetItemText(int index) const;
    LPARAM GetItemData(int index) const;
    int GetCurSel() const { return m_cur; }
    int SetCurSel(int index);
    void SetPadding(CSize padding);
    CSize SetItemSize(CSize size);
    BOOL GetItemRect(int index, CRect* rect) const;
    // Between the whole window and the area below the tabs.
    void AdjustRect(BOOL larger, CRect* rect) const;
    int GetRowHeight() const;

    // --- what the user does --------------------------------------------------------------
    void UserSelect(int index);

    // Only the row of tabs takes the pointer: the area under it shows the pages, which
    // take their own clicks wherever the tabs lie in the z-order.
    BOOL TakesPointerAt(CPoint clientPoint) const override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC& dc) override;

private:
    struct Item {
        std::string text;
        int image = -1;
        LPARAM data = 0;
    };
    static void Fill(Item& it, const TCITEM& item);
    int TabWidth(int index) const;

    std::vector<Item> m_items;
    int m_cur = -1;
    CSize m_padding{6, 3};
    CSize m_itemSize;
};
