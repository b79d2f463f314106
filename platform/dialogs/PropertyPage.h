#pragma once

#include "platform/dialogs/Dialog.h"

#include <string>

constexpr DWORD PSP_DEFAULT = 0x0;
constexpr DWORD PSP_DLGINDIRECT = 0x1;
constexpr DWORD PSP_USETITLE = 0x8;
constexpr DWORD PSP_HASHELP = 0x20;

struct PROPSHEETPAGE {
    DWORD dwFlags = PSP_DEFAULT;
    std::string title; // shown on the tab with PSP_USETITLE
};

class CPropertySheet;

// One page of a property sheet: a child dialog made from its template when it is first
// shown. The sheet calls OnSetActive on every activation, OnKillActive before leaving it
// (FALSE keeps it), OnApply for every page that exists on Apply and OK, OnReset on Cancel.
class CPropertyPage : public CDialog {
public:
    CPropertyPage();
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);
    // A page that goes before its sheet (pages are often members of a derived sheet) leaves
    // the sheet's list, so the sheet never reaches it afterwards.
    ~CPropertyPage() override;
    void Construct(UINT templateId, UINT captionId = 0);
    // A page made from a template built by code.
    void Construct(const DialogTemplate& dialog);

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    void OnOK() override {}
    void OnCancel() override {}

    // Marks the page changed; the sheet's Apply button follows.
    void SetModified(BOOL changed = TRUE);
    bool IsModified() const { return m_modified; }
    // The tab title: the page's own title when set, else its template's caption.
    std::string GetTitle() const;
    CPropertySheet* GetSheet() const { return m_sheet; }
    bool IsCreated() const { return GetSafeHwnd() != nullptr; }
    // Makes the window (inside the sheet) unless it exists; runs OnInitDialog once.
    BOOL CreatePage(CWnd* sheet);

    PROPSHEETPAGE m_psp;
    std::string m_strCaption;

    DECLARE_MESSAGE_MAP()

private:
    friend class CPropertySheet;
    void OnNoDefault() {}

    CPropertySheet* m_sheet = nullptr;
    bool m_modified = false;
};
