#include "pages/InputTextAppearancePage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"
#include "pages/ScrollBehavior.h"

using namespace pages;
using model::ParamType;

BEGIN_MESSAGE_MAP(CInputTextAppearancePage, CFieldPage)
    .Command(IDC_USE_SCROLL_COLOR, &CInputTextAppearancePage::OnUseCustomScrollColor)
    .Command(IDC_SCROLL_COLOR, &CInputTextAppearancePage::OnCustomScrollColor)
    .Command(IDC_WRAP, &CInputTextAppearancePage::OnWrapText) END_MESSAGE_MAP()

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

namespace {

std::vector<ParamField> Rows()
{
    using Page = CInputTextAppearancePage;
    return {
        ChoiceRow(Page::IDC_ALIGNMENT, "labelAlignment"),
        CheckedColourRow(Page::IDC_SHOW_FILL, "useCustomColor", Page::IDC_FILL_COLOR, "customColor"),
        NumberRow(Page::IDC_TRANSPARENCY, "backTrans"),
        // Wrapping turns horizontal scrolling off, and the scroll colour counts only while a
        // scroll bar can show: the page's own rules.
        OwnRow({Page::IDC_WRAP}, {"wordWrap"}),
        OwnRow({Page::IDC_USE_SCROLL_COLOR}, {"useCustomScrollBarColor"}),
        OwnRow({Page::IDC_SCROLL_COLOR}, {"customScrollBarColor"}),
        OwnRow({Page::IDC_FONT}, {"labelTextFormat"}),
    };
}

} // namespace

CInputTextAppearancePage::CInputTextAppearancePage()
    : CFieldPage("Appearance", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), {})
{
}

BOOL CInputTextAppearancePage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    CParameterSet* group = GetGroup();
    m_scroll.Attach(*this, group, "useCustomScrollBarColor", IDC_USE_SCROLL_COLOR, "customScrollBarColor",
                    IDC_SCROLL_COLOR);
    // A component without a scroll colour shows no scroll options at all.
    if (group->FindParameter("customScrollBarColor") == nullptr)
        ShowItems(*this, {IDC_SCROLL_COLOR}, false);
    if (group->FindParameter("useCustomScrollBarColor") == nullptr)
        ShowItems(*this, {IDC_USE_SCROLL_COLOR, IDC_SCROLL_GROUP}, false);
    BindCheckBox("wordWrap", IDC_WRAP, true);

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
    // The scroll colour only matters while a scroll bar can show (the Behavior tab decides).
    if (const std::optional<bool> canShow = ScrollBarsCanShow(GetRootSet())) {
        if (GetGroup()->FindParameter("useCustomScrollBarColor") != nullptr)
            EnableItems(*this, {IDC_USE_SCROLL_COLOR}, *canShow);
        m_scroll.Refresh(*canShow);
    }
    return CFieldPage::OnSetActive();
}

void CInputTextAppearancePage::OnWrapText()
{
    if (!StoreCheck(*this, IDC_WRAP, GetGroup(), "wordWrap"))
        return;
    if (IsDlgButtonChecked(IDC_WRAP) == BST_CHECKED)
        DisableHorizontalScroll(GetRootSet());
    NotifyOwnerChanged();
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
