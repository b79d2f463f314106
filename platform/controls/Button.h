#pragma once

#include "platform/controls/ControlWnd.h"

#include <string>
#include <vector>

class CBitmap;
struct RgbaImage;

// Push buttons, check boxes, radio buttons, group boxes, picture and owner-drawn buttons.
// Setting the check or the pushed state by code never notifies; a click (mouse up inside
// after a press inside, BM_CLICK, or the space bar) first updates an automatic check box or
// radio group, then sends BN_CLICKED.
class CButton : public ui::ControlWnd {
public:
    BOOL Create(const char* caption, DWORD style, const CRect& rect, CWnd* parent, UINT id);

    int GetCheck() const;
    void SetCheck(int check);
    UINT GetState() const;
    void SetState(BOOL pushed);
    UINT GetButtonStyle() const { return GetStyle() & 0xFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
    // Pictures are borrowed; icons are resource ids of the picture table.
    const CBitmap* SetBitmap(const CBitmap* bitmap);
    const CBitmap* GetBitmap() const { return m_image.bitmap; }
    int SetIcon(int iconId);
    int GetIcon() const { return m_image.icon; }
    // A named icon of the icon theme drawn on a push button's face in place of its caption, at
    // the largest of 8, 16 or 24 pixels that fits and faded while disabled; the caption stays
    // the button's name and is drawn when the theme lacks the icon. Empty: the caption.
    void SetIconName(std::string name);
    const std::string& GetIconName() const { return m_iconName; }
    // A click as the user makes it with the mouse.
    void Click() { ui::ClickWindow(*this); }

    // Owner-drawn buttons draw here when their parent does not handle WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}

    // A group box only frames its controls: clicks inside it reach them, wherever it lies in
    // the z-order.
    BOOL TakesPointerAt(CPoint clientPoint) const override;

protected:
    static void FillDisc(CDC& dc, CPoint centre, double radius, COLORREF colour);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC& dc) override;
    // The click: update an automatic check box or radio group, then notify.
    void Clicked();

private:
    void CheckRadioInGroup();
    void SetHot(bool hot);
    // Paints the button again after its look changed (text, check, state, focus, pointer).
    void Repaint();
    static constexpr UINT_PTR kHoverTimer = 0xB0E1;
    // The named icon at the largest size that fits the face, or nullptr.
    const RgbaImage* NamedIcon(const CRect& face) const;

    int m_check = BST_UNCHECKED;
    bool m_pushed = false;
    bool m_tracking = false;
    bool m_hot = false; // the pointer is over the button
    ui::ControlImage m_image;
    std::string m_iconName;
};

// The radio buttons of the group a radio button belongs to, in order: the group runs from the
// last sibling with WS_GROUP at or before it to the next sibling with WS_GROUP. Empty for a
// window that is not a radio button.
std::vector<CButton*> RadioGroupOf(CWnd& button);

// Checks one radio button of a range and unchecks the others, as the dialog helper does.
void CheckRadioButton(CWnd* parent, int firstId, int lastId, int checkId);
int GetCheckedRadioButton(CWnd* parent, int firstId, int lastId);
