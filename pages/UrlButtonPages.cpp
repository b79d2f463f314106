#include "pages/UrlButtonPages.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"

using namespace pages;

// ---- General ----

BEGIN_MESSAGE_MAP(CUrlButtonGeneralPage, CFieldPage)
    .Command(IDC_NEW_WINDOW, &CUrlButtonGeneralPage::OnNewWindow)
    .Command(IDC_THIS_WINDOW, &CUrlButtonGeneralPage::OnThisWindow)
    .Command(IDC_NAMED_WINDOW, &CUrlButtonGeneralPage::OnNamedWindow)
    .Message(WM_INPLACE_NOTIFY, &CUrlButtonGeneralPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

        DialogTemplate CUrlButtonGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    // Named windows are not offered: the radio button and its edit stay hidden.
    t.Add("Button", "Label", IDC_LABEL_GROUP, 7, 7, 241, 34, kGroupStyle)
        .Add("Edit", "", IDC_LABEL, 14, 20, 200, 13, kEditStyle)
        .Add("Button", "...", IDC_LABEL_LINK, 218, 20, 16, 13, kTab)
        .Add("Button", "URL", IDC_URL_GROUP, 7, 46, 241, 34, kGroupStyle)
        .Add("Edit", "", IDC_URL, 14, 59, 200, 13, kEditStyle)
        .Add("Button", "...", IDC_URL_LINK, 218, 59, 16, 13, kTab)
        .Add("Button", "Window Options", IDC_WINDOW_GROUP, 7, 86, 241, 44, kGroupStyle)
        .Add("Button", "New Window", IDC_NEW_WINDOW, 14, 100, 80, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "This Window", IDC_THIS_WINDOW, 14, 114, 80, 10, kRadioStyle)
        .Add("Button", "Named Window", IDC_NAMED_WINDOW, 110, 100, 70, 10, kRadioStyle & ~WS_VISIBLE)
        .Add("Edit", "", IDC_WINDOW_NAME, 110, 112, 100, 13, kEditStyle & ~WS_VISIBLE);
    return t;
}

namespace {

std::vector<ParamField> GeneralRows()
{
    using Page = CUrlButtonGeneralPage;
    FieldPolicy url;
    url.linked.refuseEmpty = true;
    std::vector<ParamField> rows = {
        LinkedRow(Page::IDC_LABEL, Page::IDC_LABEL_LINK, "label"),
        LinkedRow(Page::IDC_URL, Page::IDC_URL_LINK, "url", url),
        // Only the shown windows are offered; a named one is kept as it is.
        OwnRow({Page::IDC_NEW_WINDOW, Page::IDC_THIS_WINDOW}, {"windowName"}),
    };
    rows[0].help = Topic(2725);
    // The link button of the address falls to the page's topic.
    rows[1].help = [](const CFieldPage& page) {
        return page.GetFocusedPageControlId() == Page::IDC_URL ? 2710 : 2700;
    };
    rows[2].help = Topic(2720);
    return rows;
}

} // namespace

CUrlButtonGeneralPage::CUrlButtonGeneralPage()
    : CFieldPage(
          "General", [](const CFieldPage&) { return MakeTemplate(); }, GeneralRows(), Topic(2700))
{
}

CUrlButtonGeneralPage::~CUrlButtonGeneralPage()
{
    // The window name commits what was typed when it loses the focus, and it reports to this
    // page: it must go while the page is still whole.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CUrlButtonGeneralPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    CParameterSet* group = FieldSet();
    ReplaceControl(m_windowName, IDC_WINDOW_NAME, GetDialogFont());
    m_windowName.ShowWindow(SW_HIDE);

    const CParameter* window = group->FindParameter("windowName");
    const std::string target = window != nullptr ? window->GetString() : std::string();
    if (window == nullptr) {
        EnableItems(*this, {IDC_NEW_WINDOW, IDC_THIS_WINDOW, IDC_NAMED_WINDOW}, false);
        m_windowName.EnableWindow(FALSE);
    } else if (target == "_blank" || target == "_self") {
        CheckDlgButton(target == "_blank" ? IDC_NEW_WINDOW : IDC_THIS_WINDOW, BST_CHECKED);
        m_windowName.EnableWindow(FALSE);
    } else {
        CheckDlgButton(IDC_NAMED_WINDOW, BST_CHECKED);
        m_windowName.SetWindowText(target);
        m_windowName.SetBaseline(target);
    }
    return TRUE;
}

void CUrlButtonGeneralPage::SetWindow(const char* target)
{
    if (CParameter* window = PageGroup(*this, "General")->FindParameter("windowName"))
        window->SetString(target);
    m_windowName.SetWindowText("");
    m_windowName.SetBaseline("");
    m_windowName.EnableWindow(FALSE);
    NotifyOwnerChanged();
}

void CUrlButtonGeneralPage::OnNewWindow()
{
    SetWindow("_blank");
}

void CUrlButtonGeneralPage::OnThisWindow()
{
    SetWindow("_self");
}

void CUrlButtonGeneralPage::OnNamedWindow()
{
    CParameter* window = PageGroup(*this, "General")->FindParameter("windowName");
    if (window != nullptr && (window->GetString() == "_self" || window->GetString() == "_blank")) {
        window->SetString("");
        m_windowName.SetWindowText("");
        m_windowName.SetBaseline("");
    }
    m_windowName.EnableWindow(TRUE);
    NotifyOwnerChanged();
}

LRESULT CUrlButtonGeneralPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    const int standsFor = static_cast<int>(lParam);
    if (standsFor != IDC_WINDOW_NAME)
        return 0;
    if (CParameter* window = PageGroup(*this, "General")->FindParameter("windowName")) {
        window->SetString(m_windowName.GetWindowText());
        m_windowName.SetBaseline(m_windowName.GetWindowText());
        NotifyOwnerChanged();
    }
    return 1;
}

// ---- Appearance ----

DialogTemplate CUrlButtonAppearancePage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Appearance");
    t.Add("Static", "Alignment", IDC_ALIGNMENT_LABEL, 14, 12, 50, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_ALIGNMENT, 70, 10, 80, 60, kComboStyle)
        .Add("Static", "Font", IDC_FONT_LABEL, 14, 32, 50, 8, kLabelStyle)
        .Add(CFontDataCtrl::kClassName, "", IDC_FONT, 70, 30, 170, 14, WS_VISIBLE | WS_TABSTOP)
        .Add("Button", "Background", IDC_BACKGROUND_GROUP, 7, 80, 241, 50, kGroupStyle)
        .Add("Button", "Show Background", IDC_SHOW_ART, 14, 94, 90, 10, kCheckStyle)
        .Add("Button", "Show Custom Color", IDC_USE_COLOR, 14, 112, 90, 10, kCheckStyle)
        .Add("Button", "", IDC_COLOR, 110, 110, 40, 14, kColorStyle);
    return t;
}

namespace {

std::vector<ParamField> AppearanceRows()
{
    using Page = CUrlButtonAppearancePage;
    FieldPolicy font;
    font.fontKeepsDocumentColours = true;
    // A custom colour shows only on the button's background art.
    auto showsArt = [](const CFieldPage& page) { return BoolOf(page.FieldSet(), "showArt"); };
    return {
        WithHelp(ChoiceRow(Page::IDC_ALIGNMENT, "labelAlignment"), 2733),
        WithHelp(FontRow(Page::IDC_FONT, {"labelTextFormat"}, {}, font), 2733),
        WithHelp(CheckRow(Page::IDC_SHOW_ART, "showArt"), 2732),
        EnabledWhen(
            WithHelp(CheckedColourRow(Page::IDC_USE_COLOR, "useCustomColor", Page::IDC_COLOR, "customColor"),
                     2732),
            showsArt),
    };
}

} // namespace

CUrlButtonAppearancePage::CUrlButtonAppearancePage()
    : CFieldPage(
          "Appearance", [](const CFieldPage&) { return MakeTemplate(); }, AppearanceRows(), Topic(2731))
{
}
