#pragma once

// The Charts page of the Styles sheet: five sub-pages (Series, Y-Axis, X-Axis, Titles, Layout)
// in a nested sheet whose tabs are hidden; a row of toggle buttons chooses the sub-page, with
// exactly the button of the shown one pressed.

#include "platform/dialogs/PropertySheet.h"
#include "propui/FieldStylePages.h"

#include <array>
#include <memory>

class CChartsStylePage : public CStylePage {
public:
    enum : int { IDD = 342, IdFirstToggle = 320 };
    // Toggle ids by sub-page index: Series 320, Y-Axis 321, X-Axis 322, Titles 323, Layout 324.
    CChartsStylePage(CGlobalStyle* style, CStyleFolders* folders);
    ~CChartsStylePage() override;

    void SetStyle(CGlobalStyle* style) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    CPropertySheet& Nested() { return *m_nested; }
    CFieldStylePage& SubPage(int index) { return *m_pages[static_cast<std::size_t>(index)]; }
    CButton& Toggle(int index) { return m_toggles[static_cast<std::size_t>(index)]; }
    void ShowSubPage(int index);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void SetToggles();

    std::array<std::unique_ptr<CFieldStylePage>, 5> m_pages;
    std::array<CToggleSquare, 5> m_toggles;
    std::unique_ptr<CPropertySheet> m_nested;
};
