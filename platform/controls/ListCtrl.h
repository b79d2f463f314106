#pragma once

#include "platform/controls/ControlWnd.h"

#include <memory>
#include <string>
#include <vector>

class CEdit;
class CImageList;

// The list view in report and icon modes. Every state change (selection, focus, check box),
// also one made by code, is announced with LVN_ITEMCHANGING (which the parent may refuse)
// and LVN_ITEMCHANGED, as the platform does; a new item of a list with check boxes gets its
// unchecked state that way too, so refilling a list produces change notifications.
class CListCtrl : public ui::ControlWnd {
public:
    CListCtrl();
    ~CListCtrl() override;

    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    // Columns.
    int InsertColumn(int index, const char* heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    BOOL DeleteColumn(int index);
    BOOL SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    std::string GetColumnText(int column) const;

    // Items.
    int InsertItem(int index, const char* text, int image = -1);
    int InsertItem(const LVITEM* item);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    BOOL SetItemText(int index, int subItem, const char* text);
    std::string GetItemText(int index, int subItem) const;
    BOOL SetItemData(int index, std::uintptr_t data);
    // A tip shown while the pointer rests on the item (empty: none).
    BOOL SetItemToolTip(int index, const std::string& tip);
    // The tip of the item under a client point, with the item's rectangle; empty when none.
    std::string ToolTipAt(CPoint point, CRect* item = nullptr) const;
    std::uintptr_t GetItemData(int index) const;
    BOOL SetItemState(int index, UINT state, UINT mask);
    UINT GetItemState(int index, UINT mask) const;
    BOOL SetItem(const LVITEM* item);
    int GetItemImage(int index) const;
    BOOL SetCheck(int index, BOOL check = TRUE);
    BOOL GetCheck(int index) const;
    // The next item after start (-1 = from the top) with the LVNI_ flags' states.
    int GetNextItem(int start, UINT flags) const;
    UINT GetSelectedCount() const;

    // Styles and pictures.
    DWORD SetExtendedStyle(DWORD exStyle);
    DWORD GetExtendedStyle() const { return m_exStyle; }
    CImageList* SetImageList(CImageList* list, int kind);
    CImageList* GetImageList(int kind) const;
    CSize SetIconSpacing(int cx, int cy);
    CSize GetIconSpacing() const { return m_iconSpacing; }

    // Geometry.
    BOOL GetItemRect(int index, CRect* rect, UINT code) const;
    BOOL GetSubItemRect(int index, int subItem, int code, CRect& rect) const;
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* info) const;
    int GetCountPerPage() const;
    int GetTopIndex() const { return m_top; }
    BOOL EnsureVisible(int index, BOOL partialOK);
    BOOL Scroll(CSize size);
    BOOL Arrange(UINT code);
    // Height of a row in report mode (measured through WM_MEASUREITEM for owner-drawn lists).
    int GetRowHeight() const;
    int GetHeaderHeight() const;

    // Label editing.
    CEdit* EditLabel(int index);
    CEdit* GetEditControl() const;
    // Ends an edit in progress: with cancel the parent gets no text.
    void EndLabelEdit(bool cancel);

    // Owner-drawn lists draw and measure here when their parent does not.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}

    // --- what the user does --------------------------------------------------------------
    // A click on an item (or at a point): selects it alone, focuses it, then NM_CLICK (and
    // LVN_ITEMACTIVATE with one-click activation).
    void UserClick(int index, int subItem = 0);
    void UserClickAt(CPoint point);
    void UserDoubleClick(int index);
    void UserToggleCheck(int index);

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC& dc) override;

private:
    struct Column {
        std::string text;
        int width = 0;
        int format = LVCFMT_LEFT;
    };
    struct Item {
        std::vector<std::string> texts;
        int image = -1;
        UINT state = 0;
        std::uintptr_t data = 0;
        std::string tip;
    };
    class LabelEdit;

    bool Valid(int index) const { return index >= 0 && index < GetItemCount(); }
    bool Report() const { return (GetStyle() & LVS_TYPEMASK) == LVS_REPORT; }
    bool ChangeState(int index, UINT state, UINT mask);
    LRESULT NotifyItem(UINT code, int index, int subItem, UINT oldState, UINT newState, UINT changed,
                       CPoint pt);
    void Click(int index, int subItem, CPoint pt);
    int TotalWidth() const;
    void ClampTop();

    std::vector<Column> m_columns;
    std::vector<Item> m_items;
    DWORD m_exStyle = 0;
    CImageList* m_images[3] = {nullptr, nullptr, nullptr};
    CSize m_iconSpacing{75, 75};
    int m_top = 0;
    mutable int m_rowHeight = 0;
    std::unique_ptr<LabelEdit> m_edit;
    int m_editItem = -1;
};
