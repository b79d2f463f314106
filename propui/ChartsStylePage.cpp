#include "propui/ChartsStylePage.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/TabCtrl.h"
#include "platform/dialogs/DialogTemplate.h"

namespace {

const char* const kToggleNames[5] = {"Series", "Y-Axis", "X-Axis", "Titles", "Layout"};
const char* const kToggleIcons[5] = {"vantorel-chart-series-symbolic", "vantorel-chart-y-axis-symbolic",
                                     "vantorel-chart-x-axis-symbolic", "vantorel-chart-titles-symbolic",
                                     "vantorel-chart-layout-symbolic"};

DialogTemplate ChartsTemplate()
{
    DialogTemplate t;
    t.id = CChartsStylePage::IDD;
    t.caption = "Charts";
    t.style = WS_CHILD | DS_SETFONT | DS_CONTROL;
    t.cx = 265;
    t.cy = 240;
    for (int i = 0; i < 5; ++i)
        t.Add("Button", kToggleNames[i], CChartsStylePage::IdFirstToggle + i, 7 + i * 51, 4, 48, 14,
              WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
    return t;
}

} // namespace

CChartsStylePage::CChartsStylePage(CGlobalStyle* style, CStyleFolders* folders) : CStylePage(style, folders)
{
    Construct(ChartsTemplate());
    m_pages = {MakeSeriesStylePage(style, folders), MakeAxisStylePage(true, style, folders),
               MakeAxisStylePage(false, style, folders), MakeTitlesStylePage(style, folders),
               MakeLayoutStylePage(style, folders)};
    for (auto& page : m_pages)
        page->ForwardTo(this);
}

CChartsStylePage::~CChartsStylePage()
{
    if (m_nested && m_nested->GetSafeHwnd())
        m_nested->DestroyWindow();
}

void CChartsStylePage::SetStyle(CGlobalStyle* style)
{
    for (auto& page : m_pages)
        page->SetStyle(style);
    CStylePage::SetStyle(style);
}

BOOL CChartsStylePage::OnInitDialog()
{
    CStylePage::OnInitDialog();
    for (int i = 0; i < 5; ++i) {
        m_toggles[static_cast<std::size_t>(i)].SubclassDlgItem(static_cast<UINT>(IdFirstToggle + i), this);
        m_toggles[static_cast<std::size_t>(i)].SetIconName(kToggleIcons[i]);
    }
    m_nested = std::make_unique<CPropertySheet>("", this, 0);
    for (auto& page : m_pages)
        m_nested->AddPage(page.get());
    m_nested->EnableStackedTabs(FALSE);
    m_nested->Create(this, WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CONTROLPARENT);
    // The toggle buttons choose the sub-page; the tab strip is not shown.
    if (CTabCtrl* tabs = m_nested->GetTabControl())
        tabs->ShowWindow(SW_HIDE);
    return TRUE;
}

BOOL CChartsStylePage::OnSetActive()
{
    CStylePage::OnSetActive();
    CRect below = m_toggles[0].GetRectInParent();
    CRect place = m_nested->GetRectInParent();
    m_nested->MoveWindow(CRect(0, below.bottom, place.Width(), below.bottom + place.Height()));
    SetToggles();
    // The shown sub-page reads its fields again: a style loaded meanwhile shows at once.
    if (CPropertyPage* page = m_nested->GetActivePage())
        page->OnSetActive();
    return TRUE;
}

void CChartsStylePage::ShowSubPage(int index)
{
    if (index < 0 || index >= 5 || !m_nested)
        return;
    m_nested->SetActivePage(index);
    SetToggles();
}

void CChartsStylePage::SetToggles()
{
    int active = m_nested ? m_nested->GetActiveIndex() : 0;
    for (int i = 0; i < 5; ++i)
        m_toggles[static_cast<std::size_t>(i)].SetCheck(i == active ? BST_CHECKED : BST_UNCHECKED);
}

BOOL CChartsStylePage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam);
    if (id >= IdFirstToggle && id < IdFirstToggle + 5 && HIWORD(wParam) == BN_CLICKED) {
        ShowSubPage(id - IdFirstToggle);
        return TRUE;
    }
    return CStylePage::OnCommand(wParam, lParam);
}
