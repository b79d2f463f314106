#pragma once

#include "platform/controls/ControlWnd.h"
#include "platform/controls/ListModel.h"

#include <string>

// A list of texts with item data; single or multiple selection. A user's click notifies
// LBN_SELCHANGE only with LBS_NOTIFY, as the platform does; code never notifies.
class CListBox : public ui::ControlWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    int AddString(const char* text);
    int InsertString(int index, const char* text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetText(int index, std::string& text) const;
    std::string GetText(int index) const;
    int GetTextLen(int index) const;
    int SetItemData(int index, std::uintptr_t data);
    std::uintptr_t GetItemData(int index) const;
    int FindString(int startAfter, const char* text) const;
    int FindStringExact(int startAfter, const char* text) const;
    int SelectString(int startAfter, const char* text);
    int SetSel(int index, BOOL select = TRUE);
    int GetSel(int index) const;
    int GetSelCount() const;
    int GetTopIndex() const;
    // The height of a row, from the font (every row is as high).
    int GetItemHeight(int index) const;
    int SetTopIndex(int index);
    void SetHorizontalExtent(int extent);
    int GetHorizontalExtent() const;

    // --- what the user does --------------------------------------------------------------
    void UserSelect(int index);
    void UserDoubleClick(int index);

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC& dc) override;

private:
    bool Multiple() const { return (GetStyle() & LBS_MULTIPLESEL) != 0; }
    int RowHeight() const;
    int VisibleRows() const;
    int ItemAt(CPoint client) const; // -1 under the last item

    ui::ListModel m_items;
    int m_cur = -1;
    int m_top = 0;
    int m_extent = 0;
};
