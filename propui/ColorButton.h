#pragma once

// Owner-drawn buttons of the property pages: a colour swatch with a drop-down arrow, and a
// two-state push button showing a picture above its caption. Both have window classes of their
// own ("ColorButton", "ToggleButton") so that dialog templates can name them, and both tell
// their parent of a click with WM_NULL whose lParam is the control id.
//
// A colour button click reaches the parent twice: the ordinary BN_CLICKED and then WM_NULL.
// A parent handles one of the two (pages the command, the font choosers WM_NULL), never both,
// or it would open the colour dialog twice.

#include "platform/controls/Button.h"
#include "platform/drawing/Bitmap.h"

class CColorButton : public CButton {
public:
    CColorButton();

    BOOL SubclassDlgItem(UINT id, CWnd* parent, COLORREF swatch, COLORREF textColour, COLORREF disabledText,
                         int style);
    BOOL Create(const char* caption, DWORD style, const CRect& rect, CWnd* parent, UINT id, COLORREF swatch,
                COLORREF textColour, COLORREF disabledText, int styleValue);

    void SetColor(COLORREF colour);
    COLORREF GetColor() const { return m_swatch; }
    COLORREF GetTextColor() const { return m_text; }
    COLORREF GetDisabledTextColor() const { return m_disabledText; }
    int GetStyleValue() const { return m_style; }

    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawFace(CDC& dc, const CRect& r, bool enabled);

    COLORREF m_text = 0;
    COLORREF m_swatch = 0;
    COLORREF m_disabledText = 0;
    int m_style = 0;
    CBitmap m_arrow;
};

class CToggleButton : public CButton {
public:
    CToggleButton();

    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Clamped to 0..1.
    void SetChecked(int state);
    int GetChecked() const { return m_pressed; }
    // An icon id of the picture table (drawn 48 x 48), or 0.
    void SetIcon(int iconId);
    // Borrowed; drawn at its own size.
    void SetPicture(const CBitmap* bitmap);
    // A named icon of the icon theme: above the caption on a tall button, beside it on a low
    // one; faded while disabled. Drawn when neither a picture nor an icon id shows.
    void SetIconName(std::string name);

    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawFace(CDC& dc, CRect edge, bool enabled);

    int m_pressed = 0;
    const CBitmap* m_bitmap = nullptr;
    int m_icon = 0;
    std::string m_iconName;
};

// Registers both window classes (done by the first button made).
void RegisterPropertyButtonClasses();
