#include "pages/InputTextAppearancePage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"
#include "pages/ScrollBehavior.h"

using namespace pages;
using model::ParamType;

BEGIN_MESSAGE_MAP(CInputTextAppearancePage, CComponentPage)
    .Control(CBN_SELCHANGE, IDC_ALIGNMENT, &CInputTextAppearancePage::OnAlignmentChanged)
    .Command(IDC_SHOW_FILL, &CInputTextAppearancePage::OnUseCustomColor)
    .Command(IDC_FILL_COLOR, &CInputTextAppearancePage::OnCustomColor)
    .Command(IDC_USE_SCROLL_COLOR, &CInputTextAppearancePage::OnUseCustomScrollColor)
    .Command(IDC_SCROLL_COLOR, &CInputTextAppearancePage::OnCustomScrollColor)
    .Command(IDC_WRAP, &CInputTextAppearancePage::OnWrapText)
    .Message(WM_INPLACE_NOTIFY, &CInputTextAppearancePage::OnInPlaceEditCommit) END_MESSAGE_MAP()

DialogTemplate CInputTextAppearancePage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Appearance");
    t.Add("Button", "Text", IDC_TEXT_GROUP, 7, 7, 241, 62, kGroupStyle)
        .Add("ComboBox", "", IDC_ALIGNMENT, 60, 20, 70, 60, kComboStyle)
        .Add(CFontDataCtrl::kClassName, "", IDC_FONT, 60, 37, 180, 12, kTab)
        .Add("Static", "Alignment", IDC_ALIGNMENT_LABEL, 14, 22, 44, 8, kLabelStyle)
        .Add("Static", "Font", IDC_FONT_LABEL, 14, 39, 44, 8, kLabelStyle)
        .Add("Button", "Show Fill", IDC_SHOW_FILL, 14, 90, 60, 10, kCheckStyle)
        .Add("Button", "", IDC_FILL_COLOR, 76, 88, 30, 13, kColorStyle)
        .Add("Edit", "", IDC_TRANSPARENCY, 196, 88, 40, 13, kEditStyle)
        .Add("Static", "Transparency", IDC_TRANSPARENCY_LABEL, 140, 90, 54, 8, kLabelStyle)
        .Add("Button", "Use Custom Scroll Color", IDC_USE_SCROLL_COLOR, 14, 133, 110, 10, kCheckStyle)
        .Add("Button", "", IDC_SCROLL_COLOR, 126, 131, 30, 13, kColorStyle)
        .Add("Button", "Background", IDC_BACK_GROUP, 7, 75, 241, 35, kGroupStyle)
        .Add("Button", "Wrap Text", IDC_WRAP, 14, 54, 80, 10, kCheckStyle)
        .Add("Button", "Scroll Options", IDC_SCROLL_GROUP, 7, 118, 241, 35, kGroupStyle);
    return t;
}

BOOL CInputTextAppearancePage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = GetGroup();
    m_fill.Attach(*this, group, "useCustomColor", IDC_SHOW_FILL, "customColor", IDC_FILL_COLOR);
    m_scroll.Attach(*this, group, "useCustomScrollBarColor", IDC_USE_SCROLL_COLOR, "customScrollBarColor",
                    IDC_SCROLL_COLOR);
    // A component without a scroll colour shows no scroll options at all.
    if (group->FindParameter("customScrollBarColor") == nullptr)
        ShowItems(*this, {IDC_SCROLL_COLOR}, false);
    if (group->FindParameter("useCustomScrollBarColor") == nullptr)
        ShowItems(*this, {IDC_USE_SCROLL_COLOR, IDC_SCROLL_GROUP}, false);
    BindCheckBox("wordWrap", IDC_WRAP, true);
    BindComboBox("labelAlignment", IDC_ALIGNMENT, false);

    m_font.SubclassDlgItem(IDC_FONT, this);
    m_font.SetDocumentColors(GetContext() != nullptr ? GetContext()->customColors : nullptr);
    const CParameter* format = ::FindTyped(group, "labelTextFormat", static_cast<int>(ParamType::Group));
    m_font.Create(format != nullptr ? format->GetSet() : nullptr, GetOwner(), true, nullptr);
    if (format == nullptr)
        m_font.EnableControls(false);
    return TRUE;
}

BOOL CInputTextAppearancePage::OnSetActive()
{
    m_fill.Refresh();
    // The scroll colour only matters while a scroll bar can show (the Behavior tab decides).
    if (const std::optional<bool> canShow = ScrollBarsCanShow(GetRootSet())) {
        if (GetGroup()->FindParameter("useCustomScrollBarColor") != nullptr)
            EnableItems(*this, {IDC_USE_SCROLL_COLOR}, *canShow);
        m_scroll.Refresh(*canShow);
    }
    m_transparency.Attach(*this, GetGroup()->FindParameter("backTrans"), IDC_TRANSPARENCY);
    return CComponentPage::OnSetActive();
}

void CInputTextAppearancePage::OnWrapText()
{
    if (!StoreCheck(*this, IDC_WRAP, GetGroup(), "wordWrap"))
        return;
    if (IsDlgButtonChecked(IDC_WRAP) == BST_CHECKED)
        DisableHorizontalScroll(GetRootSet());
    NotifyOwnerChanged();
}

LRESULT CInputTextAppearancePage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    return m_transparency.OnCommit(static_cast<int>(lParam)) ? 1 : 0;
}

int CInputTextAppearancePage::GetHelpContextId()
{
    switch (GetFocusedPageControlId()) {
    case IDC_TRANSPARENCY:
    case IDC_SHOW_FILL:
    case IDC_FILL_COLOR:
        return 2801;
    case IDC_FONT:
    case IDC_ALIGNMENT:
    case IDC_WRAP:
        return 2803;
    case IDC_USE_SCROLL_COLOR:
    case IDC_SCROLL_COLOR:
        return 2802;
    default:
        return 2800;
    }
}
