#pragma once

#include "platform/controls/ControlWnd.h"
#include "platform/controls/ListModel.h"

#include <string>

// Drop-down lists and drop-down combo boxes. Code that changes the items or the selection
// gets no notification; a user's choice from the list sends, in this order, CBN_DROPDOWN,
// CBN_SELENDOK, CBN_CLOSEUP and CBN_SELCHANGE (a list closed without a choice: CBN_SELENDCANCEL
// before CBN_CLOSEUP); the arrow keys on a closed list choose the next or previous item with
// CBN_SELENDOK and CBN_SELCHANGE. The window text of a drop-down list is its selected item.
class CComboBox : public ui::ControlWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    int AddString(const char* text);
    int InsertString(int index, const char* text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetLBText(int index, std::string& text) const;
    std::string GetLBText(int index) const;
    int GetLBTextLen(int index) const;
    int SetItemData(int index, std::uintptr_t data);
    std::uintptr_t GetItemData(int index) const;
    int FindString(int startAfter, const char* text) const;
    int FindStringExact(int startAfter, const char* text) const;
    int SelectString(int startAfter, const char* text);
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;
    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const;
    BOOL LimitText(int chars);

    // --- what the user does --------------------------------------------------------------
    // Opens the list, picks an item and closes it again (see the order above).
    void UserSelect(int index);
    // Types into the edit field of a drop-down combo box.
    void UserType(const std::string& text);

    // The rectangle a combo box is created with reaches down over the opened list; only the
    // field takes the pointer, so controls under the list's area stay clickable.
    BOOL TakesPointerAt(CPoint clientPoint) const override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC& dc) override;

private:
    bool IsDropList() const { return (GetStyle() & 0x3) == CBS_DROPDOWNLIST; }
    int FieldHeight() const;
    void DropListByPointer();
    void ShowSelection();

    ui::ListModel m_items;
    int m_cur = -1;
    bool m_dropped = false;
    int m_itemHeight = 0; // 0: from the font
    int m_fieldHeight = 0;
    UINT m_limit = 0x7FFFFFFE;
};
