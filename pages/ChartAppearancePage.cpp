#include "pages/ChartAppearancePage.h"

#include "model/ParameterSet.h"
#include "pages/ChartPageKit.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "platform/dialogs/DataExchange.h"

using namespace pages;

namespace {

const int kButtonIds[CChartAppearancePage::kSubPages] = {
    CChartAppearancePage::IDC_SERIES, CChartAppearancePage::IDC_YAXIS, CChartAppearancePage::IDC_XAXIS,
    CChartAppearancePage::IDC_TITLES, CChartAppearancePage::IDC_LAYOUT};
const char* const kIcons[CChartAppearancePage::kSubPages] = {
    "vantorel-chart-series-symbolic", "vantorel-chart-y-axis-symbolic", "vantorel-chart-x-axis-symbolic",
    "vantorel-chart-titles-symbolic", "vantorel-chart-layout-symbolic"};

} // namespace

BEGIN_MESSAGE_MAP(CChartAppearancePage, CFieldPage)
    .Message(WM_NULL, &CChartAppearancePage::OnToggle)
    .Message(WM_DESTROY, &CChartAppearancePage::OnDestroyPage) END_MESSAGE_MAP()

DialogTemplate CChartAppearancePage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Appearance");
    const char* captions[kSubPages] = {"Series", "Y-Axis", "X-Axis", "Titles", "Layout"};
    for (int i = 0; i < kSubPages; ++i)
        t.Add("Button", captions[i], kButtonIds[i], 2 + i * 50, 0, 48, 30, kTab | BS_OWNERDRAW);
    return t;
}

namespace {

const int kHelp[9] = {1840, 1450, 1915, 1545, 1745, 1660, 2441, 2492, 2550};

} // namespace

CChartAppearancePage::CChartAppearancePage()
    : CFieldPage(
          "Appearance", [](const CFieldPage&) { return MakeTemplate(); }, {},
          [](const CFieldPage& page) {
              return ChartTopic(kHelp, static_cast<const CChartAppearancePage&>(page).GetChartIndex());
          })
{
}

CChartAppearancePage::~CChartAppearancePage()
{
    // The sheet's window goes first, so no sub-page window outlives its object; then the page's,
    // while its buttons are still whole.
    if (m_sheet.GetSafeHwnd() != nullptr)
        m_sheet.DestroyWindow();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CChartAppearancePage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                                  CParameterSet* root)
{
    CFieldPage::Create(group, title, modal, owner, root);
    const std::string type = ChartTypeOf(root);
    m_chartIndex = AppearanceChartIndex(type);
    m_pages[kSeries] = type == "combo" ? MakeComboSeriesSubPage() : MakeChartSeriesSubPage();
    m_pages[kXAxis] = MakeChartAxisSubPage(0);
    m_pages[kYAxis] = MakeChartAxisSubPage(1);
    m_pages[kTitles] = MakeChartTitlesSubPage();
    m_pages[kLayout] = MakeChartLayoutSubPage();
    // The horizontal axis is made before the vertical one, as the sheet order does not say.
    for (int which : {kSeries, kXAxis, kYAxis, kTitles, kLayout}) {
        if (CChartSubPage* sub = m_pages[which].get()) {
            sub->SetContext(GetContext());
            sub->CreateForChart(m_chartIndex, group, title, modal, owner, root);
        }
    }
    return TRUE;
}

CChartSubPage* CChartAppearancePage::SubPage(int which) const
{
    return which >= 0 && which < kSubPages ? m_pages[which].get() : nullptr;
}

BOOL CChartAppearancePage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    RegisterPropertyButtonClasses();
    for (int i = 0; i < kSubPages; ++i) {
        m_buttons[i].SubclassDlgItem(kButtonIds[i], this);
        m_buttons[i].SetIconName(kIcons[i]);
    }
    m_sheet.Construct("");
    for (auto& sub : m_pages)
        if (sub != nullptr)
            m_sheet.AddPage(sub.get());
    m_sheet.EnableStackedTabs(FALSE);
    if (m_sheet.GetPageCount() > 0 && m_sheet.Create(this, WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CONTROLPARENT)) {
        // Only the picture buttons choose sub-pages: the tabs take no room and do not show.
        if (CTabCtrl* tabs = m_sheet.GetTabControl()) {
            tabs->ModifyStyle(0, TCS_BUTTONS);
            tabs->SetPadding(CSize(0, 0));
            tabs->SetItemSize(CSize(0, 1));
            tabs->ShowWindow(SW_HIDE);
        }
    }
    for (int i = 0; i < kSubPages; ++i)
        m_buttons[i].EnableWindow(m_pages[i] != nullptr ? TRUE : FALSE);
    if (m_chartIndex == 0) { // a pie has no axes
        m_buttons[kYAxis].EnableWindow(FALSE);
        m_buttons[kXAxis].EnableWindow(FALSE);
    }
    int stored = 0;
    ReadStateInt(GetOwnerPropertyMap(), "Chart App SubPage", stored);
    // A stored index from a damaged document or a sub-page this build lacks falls back to the
    // first sub-page there is.
    if (stored < 0 || stored >= kSubPages || m_pages[stored] == nullptr)
        stored = 0;
    while (stored < kSubPages && m_pages[stored] == nullptr)
        ++stored;
    m_opened = true;
    ShowSubPage(stored);
    return TRUE;
}

int CChartAppearancePage::GetActiveSubPage() const
{
    const CPropertyPage* active = m_sheet.GetSafeHwnd() != nullptr ? m_sheet.GetActivePage() : nullptr;
    for (int i = 0; i < kSubPages; ++i)
        if (active != nullptr && m_pages[i].get() == active)
            return i;
    return -1;
}

bool CChartAppearancePage::ShowSubPage(int which)
{
    CChartSubPage* sub = SubPage(which);
    if (sub == nullptr || m_sheet.GetSafeHwnd() == nullptr)
        return false;
    m_sheet.SetActivePage(sub);
    for (int i = 0; i < kSubPages; ++i)
        m_buttons[i].SetChecked(i == which ? 1 : 0);
    return true;
}

BOOL CChartAppearancePage::OnSetActive()
{
    CFieldPage::OnSetActive();
    if (m_sheet.GetSafeHwnd() == nullptr)
        return TRUE;
    // The sheet lies below the buttons, along the page's left edge.
    const CRect button = m_buttons[kSeries].GetRectInParent();
    const CRect sheet = m_sheet.GetRectInParent();
    m_sheet.MoveWindow(0, button.bottom + 2, sheet.Width(), sheet.Height());
    const int active = GetActiveSubPage();
    for (int i = 0; i < kSubPages; ++i)
        m_buttons[i].SetChecked(i == active ? 1 : 0);
    // Another tab may have changed what the sub-page shows.
    if (CChartSubPage* sub = SubPage(active))
        sub->OnSetActive();
    return TRUE;
}

LRESULT CChartAppearancePage::OnToggle(WPARAM, LPARAM lParam)
{
    for (int i = 0; i < kSubPages; ++i) {
        if (kButtonIds[i] == static_cast<int>(lParam)) {
            if (!ShowSubPage(i)) // no such sub-page: the button goes back to how it was
                m_buttons[i].SetChecked(i == GetActiveSubPage() ? 1 : 0);
            return 0;
        }
    }
    return 0;
}

LRESULT CChartAppearancePage::OnDestroyPage(WPARAM, LPARAM)
{
    if (m_opened) {
        const int active = GetActiveSubPage();
        if (active >= 0)
            WriteStateInt(GetOwnerPropertyMap(), "Chart App SubPage", active);
    }
    return 0;
}

void CChartAppearancePage::DoDataExchange(CDataExchange* dx)
{
    CComponentPage::DoDataExchange(dx);
    CChartSubPage* sub = SubPage(GetActiveSubPage());
    if (sub != nullptr && sub->GetSafeHwnd() != nullptr && !sub->UpdateData(dx->m_bSaveAndValidate))
        dx->Fail();
}

std::set<std::string> CChartAppearancePage::EditedKeys() const
{
    std::set<std::string> keys = CFieldPage::EditedKeys();
    for (int i = 0; i < kSubPages; ++i) {
        // A pie's axis sub-pages cannot be reached.
        if (m_pages[i] == nullptr || (m_chartIndex == 0 && (i == kXAxis || i == kYAxis)))
            continue;
        const std::set<std::string> sub = m_pages[i]->EditedKeys();
        keys.insert(sub.begin(), sub.end());
    }
    return keys;
}
