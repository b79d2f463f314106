#pragma once

// A text-format group on a tab of its own: font, size, underline, colour and alignment of one
// of a component's texts. The tab carries the group's name.

#include "pages/PageBlocks.h"
#include "platform/controls/SpinButtonCtrl.h"
#include "propui/ComponentPage.h"

#include <functional>

class CTextFormatPage : public CComponentPage {
public:
    enum : int {
        IDD = 167,
        IDC_ALIGN_LABEL = 2000,
        IDC_ALIGN = 2001,
        IDC_UNDERLINE = 2002,
        IDC_FONT_LABEL = 2003,
        IDC_FONT = 2004,
        IDC_SIZE_LABEL = 2005,
        IDC_SIZE = 2006,
        IDC_SIZE_ARROWS = 2007,
        IDC_COLOR_LABEL = 2008,
        IDC_COLOR = 2009,
    };
    // The keys the page recognises, each only with its own type.
    enum Present : unsigned { kFont = 1, kAlign = 2, kSize = 4, kColor = 8, kUnderline = 0x10 };
    static DialogTemplate MakeTemplate();

    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    void OnSheetSize() override {}
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    unsigned GetPresent() const { return m_present; }

    void OnAlignChanged();
    void OnUnderline();
    void OnFontChanged();
    void OnColor();
    void OnVScroll(UINT code, UINT position, CWnd* bar);
    LRESULT OnInPlaceEditCommit(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    void Write(const char* key, int value);
    void Write(const char* key, const std::string& text);
    // Hands every parameter of the group named key to store, which writes it and returns true or
    // returns false for a type it does not take; each write tells the owner. Nothing is written
    // before the page is open.
    void WriteNamed(const char* key, const std::function<bool(CParameter&)>& store);

    std::string m_caption;
    CColorButton m_colorButton;
    COLORREF m_color = 0;
    CInPlaceEdit m_size;
    unsigned m_present = 0;
    bool m_filling = false;
};
