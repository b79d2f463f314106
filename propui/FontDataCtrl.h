#pragma once

// The font choosers that pages place over a placeholder window: a font box, a size box, bold,
// italic and underline toggles and a colour button in one row, bound to a parameter group.
// CFontDataCtrl edits the keys "font", "size", "bold", "italic", "underline" and "color" (text
// formats of components and of the style record); CFontData2Ctrl edits "FontName",
// "FontSize", "FontStyle", "FUnderline" and "FontColor" (the label's cell-like format).

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/drawing/Font.h"
#include "platform/window/Wnd.h"

#include <string>

class CParameter;
class CParameterSet;
class IPropertyOwner;

// A push button showing a colour, the stand-in of the colour button here.
class CColorSwatch : public CButton {
public:
    void SetColor(COLORREF colour);
    COLORREF GetColor() const { return m_colour; }
    void Paint(CDC& dc) override;

private:
    COLORREF m_colour = RGB(0xC0, 0xC0, 0xC0);
};

// A check box drawn as a square push button that stays down while checked.
class CToggleSquare : public CButton {
public:
    void Paint(CDC& dc) override;
};

class CFontChooserBase : public CWnd {
public:
    enum : int { IdBold = 0, IdItalic = 1, IdUnderline = 2, IdColor = 3, IdFont = 4, IdSize = 5 };
    // The message the parent gets after a change when the chooser has no owner.
    static constexpr UINT kChangedMessage = 0x4D2;
    static const char* const kSizes[15];

    ~CFontChooserBase() override;

    // Turns the placed window into the chooser bound to `group` (or to nothing: every child
    // disabled). `customColors` (16 entries) seeds the colour dialog; without it the dialog
    // uses `documentColors`, the document's table, which then keeps the dialog's custom
    // colours.
    bool Create(CParameterSet* group, IPropertyOwner* owner, bool ownedByMain, COLORREF* customColors);
    void SetDocumentColors(COLORREF* documentColors) { m_documentColors = documentColors; }
    // Reads every child again from the bound group (after the group changed under it).
    virtual void LoadProperties() = 0;
    void EnableControls(bool enable);
    void EnableColor(bool enable) { m_color.EnableWindow(enable); }
    void DestroyChildren();

    CComboBox& FontBox() { return m_fontBox; }
    CComboBox& SizeBox() { return m_sizeBox; }
    CButton& Toggle(int id) { return id == IdBold ? m_bold : (id == IdItalic ? m_italic : m_underline); }
    CColorSwatch& ColorButton() { return m_color; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    CFontChooserBase();
    // Keys of the bound group, in the order font, size, underline, colour.
    virtual const char* FontKey() const = 0;
    virtual const char* SizeKey() const = 0;
    virtual const char* ColorKey() const = 0;
    // The key a toggle edits.
    virtual const char* ToggleKey(int id) const = 0;
    virtual void OnToggle(int id) = 0;
    // Whether a size missing from the list is added to it.
    virtual bool AddsMissingSize() const = 0;
    virtual void Notify();

    CParameter* Find(const char* key) const;
    void SetStringProperty(CComboBox& box, const char* key);
    void SetSizeProperty(const char* key);
    void SetToggleProperty(CButton& toggle, const char* key);
    void SetColorProperty(const char* key);
    void OnColor();

    CToggleSquare m_bold, m_italic, m_underline;
    CComboBox m_fontBox, m_sizeBox;
    CColorSwatch m_color;
    CParameterSet* m_pSet = nullptr;
    IPropertyOwner* m_pOwner = nullptr;
    COLORREF* m_pCustomColors = nullptr;
    COLORREF* m_documentColors = nullptr;
    CFont m_font;
    CRect m_rcPlace;
    bool m_bOwnedByMain = false;
};

class CFontDataCtrl : public CFontChooserBase {
public:
    static constexpr const char* kClassName = "FontData";
    CFontDataCtrl();
    void LoadProperties() override;

protected:
    const char* FontKey() const override { return "font"; }
    const char* SizeKey() const override { return "size"; }
    const char* ColorKey() const override { return "color"; }
    const char* ToggleKey(int id) const override
    {
        return id == IdBold ? "bold" : (id == IdItalic ? "italic" : "underline");
    }
    void OnToggle(int id) override;
    bool AddsMissingSize() const override { return true; }
};

class CFontData2Ctrl : public CFontChooserBase {
public:
    static constexpr const char* kClassName = "FontData2";
    CFontData2Ctrl();
    void LoadProperties() override;

protected:
    const char* FontKey() const override { return "FontName"; }
    const char* SizeKey() const override { return "FontSize"; }
    const char* ColorKey() const override { return "FontColor"; }
    const char* ToggleKey(int id) const override { return id == IdUnderline ? "FUnderline" : "FontStyle"; }
    void OnToggle(int id) override;
    bool AddsMissingSize() const override { return false; }
    // Only the owner hears of changes; the parent gets no message.
    void Notify() override;
};
