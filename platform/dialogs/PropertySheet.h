#pragma once

#include "platform/dialogs/PropertyPage.h"
#include "platform/controls/TabCtrl.h"

#include <memory>
#include <string>
#include <vector>

constexpr DWORD PSH_DEFAULT = 0x0;
constexpr DWORD PSH_PROPTITLE = 0x1;
constexpr DWORD PSH_USEHICON = 0x2;
constexpr DWORD PSH_NOAPPLYNOW = 0x80;
constexpr DWORD PSH_HASHELP = 0x200;
constexpr DWORD PSH_MODELESS = 0x400;

constexpr UINT PSM_SETCURSEL = WM_USER + 101;
constexpr UINT PSM_REMOVEPAGE = WM_USER + 102;
constexpr UINT PSM_CHANGED = WM_USER + 104;
constexpr UINT PSM_UNCHANGED = WM_USER + 109;
constexpr UINT PSM_GETTABCONTROL = WM_USER + 116;
constexpr int ID_APPLY_NOW = 0x3021;
constexpr int PSBTN_OK = 1;
constexpr int PSBTN_CANCEL = 2;
constexpr int PSBTN_APPLYNOW = 3;
constexpr int PSBTN_HELP = 5;

struct PROPSHEETHEADER {
    DWORD dwFlags = PSH_DEFAULT;
    int iconId = 0; // with PSH_USEHICON
    UINT nStartPage = 0;
};

// A tabbed set of pages, modal with OK, Cancel, Apply (and Help with PSH_HASHELP) buttons,
// or modeless without buttons, also as a child window inside another dialog. Pages are
// borrowed, created when first shown and destroyed with the sheet.
class CPropertySheet : public CWnd {
public:
    CPropertySheet();
    explicit CPropertySheet(const char* caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;
    void Construct(const char* caption, CWnd* parent = nullptr, UINT selectPage = 0);

    void AddPage(CPropertyPage* page);
    void RemovePage(int index);
    void RemovePage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const { return GetPage(m_active); }
    int GetActiveIndex() const { return m_hWnd != nullptr ? m_active : static_cast<int>(m_psh.nStartPage); }
    // Before the sheet exists this chooses the start page.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }
    // With PSH_PROPTITLE the caption reads "<title> Properties".
    void SetTitle(const std::string& title, UINT style = 0);
    std::string GetTitle() const { return m_title; }
    CTabCtrl* GetTabControl() const;
    void EnableStackedTabs(BOOL stacked) { m_stacked = stacked != FALSE; }
    BOOL PressButton(int button);

    virtual INT_PTR DoModal();
    virtual BOOL Create(CWnd* parent = nullptr, DWORD style = static_cast<DWORD>(-1), DWORD exStyle = 0);
    bool IsModal() const { return m_modal; }
    bool IsApplyEnabled() const;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    PROPSHEETHEADER m_psh;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    friend class CPropertyPage;
    BOOL CreateSheet(CWnd* parent, DWORD style, DWORD exStyle, bool buttons);
    bool Activate(int index, bool askCurrent);
    void Layout();
    CRect PageArea() const;
    void PageChanged(CPropertyPage* page, bool changed);
    bool Apply();
    void OnOkButton();
    void OnCancelButton();
    void OnHelpButton();
    void End(int result);

    // A page being destroyed leaves the list; nothing else of the sheet changes.
    void ForgetPage(CPropertyPage* page);

    std::vector<CPropertyPage*> m_pages;
    std::string m_title;
    CWnd* m_parent = nullptr;
    int m_active = -1;
    bool m_modal = false;
    bool m_buttons = false;
    bool m_stacked = true;
    bool m_ended = false;
    int m_result = -1;
    CFont m_font;
    std::unique_ptr<CTabCtrl> m_tab;
    std::vector<std::unique_ptr<CWnd>> m_buttonWnds;
};
