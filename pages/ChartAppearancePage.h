#pragma once

// The "Appearance" tab of every chart. It has no fields of its own: it hosts a sheet of five
// sub-pages (Series, Y-Axis, X-Axis, Titles, Layout) whose tabs are hidden, switched by a row
// of picture buttons, and remembers the last sub-page shown in the component's property map.
// What it edits is what the sub-pages a person can reach edit.

#include "pages/ChartSubPages.h"
#include "pages/FieldPage.h"
#include "platform/dialogs/PropertySheet.h"
#include "propui/ColorButton.h"

#include <memory>

class CChartAppearancePage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 246,
        IDC_SERIES = 1300,
        IDC_YAXIS = 1301,
        IDC_XAXIS = 1302,
        IDC_TITLES = 1303,
        IDC_LAYOUT = 1304,
        kSubPages = 5,
    };
    // The sub-pages in sheet order, as the buttons show them.
    enum Which : int { kSeries = 0, kYAxis = 1, kXAxis = 2, kTitles = 3, kLayout = 4 };
    static DialogTemplate MakeTemplate();

    CChartAppearancePage();
    ~CChartAppearancePage() override;

    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    std::set<std::string> EditedKeys() const override;
    // The shown sub-page exchanges its data with the page's; a failure there fails the page's.
    void DoDataExchange(CDataExchange* dx) override;

    // Shows a sub-page (its button pressed, the others released); false when it does not exist.
    bool ShowSubPage(int which);
    // The sub-page shown, or -1.
    int GetActiveSubPage() const;
    pages::CChartSubPage* SubPage(int which) const;
    int GetChartIndex() const { return m_chartIndex; }
    CPropertySheet& Sheet() { return m_sheet; }

    LRESULT OnToggle(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroyPage(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<pages::CChartSubPage> m_pages[kSubPages];
    CToggleButton m_buttons[kSubPages];
    CPropertySheet m_sheet;
    int m_chartIndex = -1;
    bool m_opened = false;
};
