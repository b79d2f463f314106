#include "pages/CollaborationPages.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/FontChooser.h"
#include "pages/PageKit.h"

using namespace pages;

namespace {

// A colour button whose check box is missing has no value to be switched on by: it stays off.
void DisableWithoutFlag(CWnd& page, CParameterSet* set, const char* flagKey, int buttonId)
{
    if (set == nullptr || set->FindParameter(flagKey) == nullptr)
        EnableItems(page, {buttonId}, false);
}

} // namespace

// ---- Connection light ----

DialogTemplate CConnectionLightGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Appearance", IDC_APPEARANCE_GROUP, 7, 7, 241, 72, kGroupStyle)
        .Add("Button", "Custom Error Color", IDC_USE_ERROR, 14, 22, 110, 10, kCheckStyle)
        .Add("Button", "Custom Default Color", IDC_USE_DEFAULT, 14, 40, 110, 10, kCheckStyle)
        .Add("Button", "Custom Connect Color", IDC_USE_GOOD, 14, 58, 110, 10, kCheckStyle)
        .Add("Button", "", IDC_ERROR_COLOR, 130, 20, 40, 14, kColorStyle)
        .Add("Button", "", IDC_DEFAULT_COLOR, 130, 38, 40, 14, kColorStyle)
        .Add("Button", "", IDC_GOOD_COLOR, 130, 56, 40, 14, kColorStyle);
    return t;
}

namespace {

std::vector<ParamField> ConnectionLightRows()
{
    using Page = CConnectionLightGeneralPage;
    // A colour whose switch is missing has no value to be switched on by: it stays off.
    FieldPolicy colour;
    colour.offWithoutSwitch = true;
    // The stage never shows the connected state, so the light is not republished for it.
    FieldPolicy good = colour;
    good.republish = false;
    return {
        CheckedColourRow(Page::IDC_USE_ERROR, "useCustomErrorColor", Page::IDC_ERROR_COLOR, "customErrorColor", colour),
        CheckedColourRow(Page::IDC_USE_DEFAULT, "useCustomDefaultColor", Page::IDC_DEFAULT_COLOR, "customDefaultColor",
                         colour),
        CheckedColourRow(Page::IDC_USE_GOOD, "useCustomGoodColor", Page::IDC_GOOD_COLOR, "customGoodColor", good),
    };
}

} // namespace

CConnectionLightGeneralPage::CConnectionLightGeneralPage()
    : CFieldPage("General", [](const CFieldPage&) { return MakeTemplate(); }, ConnectionLightRows(), Topic(2625))
{
}

// ---- Login General ----

BEGIN_MESSAGE_MAP(CLoginGeneralPage, CComponentPage)
    .Command(IDC_BOTH, &CLoginGeneralPage::OnBoth)
    .Command(IDC_USERNAME, &CLoginGeneralPage::OnUsername)
    .Command(IDC_PASSWORD, &CLoginGeneralPage::OnPassword)
    .Command(IDC_BUTTON_LABEL_LINK, &CLoginGeneralPage::OnButtonLabelLink)
    .Message(WM_INPLACE_NOTIFY, &CLoginGeneralPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

DialogTemplate CLoginGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Login Options", IDC_OPTIONS_GROUP, 7, 7, 241, 62, kGroupStyle)
        .Add("Button", "Username and Password", IDC_BOTH, 14, 22, 120, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "Username", IDC_USERNAME, 14, 38, 120, 10, kRadioStyle)
        .Add("Button", "Password", IDC_PASSWORD, 14, 54, 120, 10, kRadioStyle)
        .Add("Button", "Labels", IDC_LABELS_GROUP, 7, 76, 241, 34, kGroupStyle)
        .Add("Static", "Button Label", IDC_BUTTON_LABEL_LABEL, 14, 91, 50, 8, kLabelStyle)
        .Add("Edit", "", IDC_BUTTON_LABEL, 70, 89, 150, 13, kEditStyle)
        .Add("Button", "...", IDC_BUTTON_LABEL_LINK, 224, 89, 16, 13, kTab);
    return t;
}

BOOL CLoginGeneralPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = PageGroup(*this, "General");
    m_label.Attach(*this, group != nullptr ? group->FindParameter("buttonLabel") : nullptr, IDC_BUTTON_LABEL,
                   IDC_BUTTON_LABEL_LINK, CLinkedValueEdit::Policy{});
    const CParameter* type = group != nullptr ? group->FindParameter("loginType") : nullptr;
    if (type == nullptr) {
        EnableItems(*this, {IDC_BOTH, IDC_USERNAME, IDC_PASSWORD}, false);
        return TRUE;
    }
    // Exact texts only: a value in other letters names no kind the movie knows.
    const std::string text = ChoiceText(type);
    const int checked = text == "usernameAndPassword" ? IDC_BOTH
                        : text == "username"          ? IDC_USERNAME
                        : text == "password"          ? IDC_PASSWORD
                                                      : 0;
    if (checked != 0)
        CheckDlgButton(checked, BST_CHECKED);
    return TRUE;
}

BOOL CLoginGeneralPage::OnSetActive()
{
    const bool present = m_label.Parameter() != nullptr;
    if (present)
        m_label.Show();
    m_label.Enable(present);
    EnableItems(*this, {IDC_BUTTON_LABEL_LABEL}, present);
    return CComponentPage::OnSetActive();
}

void CLoginGeneralPage::SetLoginType(const char* type)
{
    CParameterSet* group = PageGroup(*this, "General");
    CParameter* parameter = group != nullptr ? group->FindParameter("loginType") : nullptr;
    if (parameter == nullptr)
        return;
    if (CValueList* list = parameter->GetValueList())
        list->GetPrototype().SetString(type);
    else
        parameter->SetString(type);
    NotifyOwnerChanged();
}

LRESULT CLoginGeneralPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    return m_label.OnCommit(static_cast<int>(lParam)) ? 1 : 0;
}

int CLoginGeneralPage::GetHelpContextId()
{
    switch (GetFocusedPageControlId()) {
    case IDC_BOTH:
    case IDC_USERNAME:
    case IDC_PASSWORD:
        return 2602;
    case IDC_BUTTON_LABEL:
    case IDC_BUTTON_LABEL_LINK:
        return 2601;
    default:
        return 2600;
    }
}

// ---- Login Appearance ----

BEGIN_MESSAGE_MAP(CLoginAppearancePage, CComponentPage)
    .Command(IDC_USE_INPUT_COLOR, &CLoginAppearancePage::OnUseInputColor)
    .Command(IDC_USE_BUTTON_COLOR, &CLoginAppearancePage::OnUseButtonColor)
    .Command(IDC_INPUT_COLOR, &CLoginAppearancePage::OnInputColor)
    .Command(IDC_BUTTON_COLOR, &CLoginAppearancePage::OnButtonColor) END_MESSAGE_MAP()

DialogTemplate CLoginAppearancePage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Appearance");
    t.Add("Button", "Font", IDC_FONT_GROUP, 7, 7, 241, 78, kGroupStyle)
        .Add(CFontDataCtrl::kClassName, "", IDC_INPUT_FONT, 14, 30, 226, 14, WS_VISIBLE | WS_TABSTOP)
        .Add("Static", "Input Font", IDC_INPUT_FONT_LABEL, 14, 20, 60, 8, kLabelStyle)
        .Add(CFontDataCtrl::kClassName, "", IDC_BUTTON_FONT, 14, 62, 226, 14, WS_VISIBLE | WS_TABSTOP)
        .Add("Static", "Button Font", IDC_BUTTON_FONT_LABEL, 14, 52, 60, 8, kLabelStyle)
        .Add("Button", "Background", IDC_BACKGROUND_GROUP, 7, 92, 241, 52, kGroupStyle)
        .Add("Button", "Custom Input Color", IDC_USE_INPUT_COLOR, 14, 106, 110, 10, kCheckStyle)
        .Add("Button", "Custom Button Color", IDC_USE_BUTTON_COLOR, 14, 124, 110, 10, kCheckStyle)
        .Add("Button", "", IDC_INPUT_COLOR, 130, 104, 40, 14, kColorStyle)
        .Add("Button", "", IDC_BUTTON_COLOR, 130, 122, 40, 14, kColorStyle);
    return t;
}

BOOL CLoginAppearancePage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = PageGroup(*this, "Appearance");
    AttachFontChooser(*this, m_inputFont, IDC_INPUT_FONT, group, "labelTextFormat");
    AttachFontChooser(*this, m_buttonFont, IDC_BUTTON_FONT, group, "buttonLabelTextFormat");
    m_input.Attach(*this, group, "useCustomInputColor", IDC_USE_INPUT_COLOR, "customInputColor", IDC_INPUT_COLOR);
    m_button.Attach(*this, group, "useCustomButtonColor", IDC_USE_BUTTON_COLOR, "customButtonColor",
                    IDC_BUTTON_COLOR);
    DisableWithoutFlag(*this, group, "useCustomInputColor", IDC_INPUT_COLOR);
    DisableWithoutFlag(*this, group, "useCustomButtonColor", IDC_BUTTON_COLOR);
    return TRUE;
}

int CLoginAppearancePage::GetHelpContextId()
{
    switch (GetFocusedPageControlId()) {
    case IDC_INPUT_FONT:
    case IDC_BUTTON_FONT:
        return 2622;
    case IDC_USE_INPUT_COLOR:
    case IDC_USE_BUTTON_COLOR:
    case IDC_INPUT_COLOR:
    case IDC_BUTTON_COLOR:
        return 2621;
    default:
        return 2620;
    }
}

// ---- People list ----

BEGIN_MESSAGE_MAP(CPeopleListGeneralPage, CComponentPage)
    .Control(CBN_SELCHANGE, IDC_ALIGNMENT, &CPeopleListGeneralPage::OnAlignment)
    .Command(IDC_FILL_COLOR, &CPeopleListGeneralPage::OnFillColor)
    .Command(IDC_USE_DEFAULT_ART, &CPeopleListGeneralPage::OnUseDefaultArt)
    .Command(IDC_THUMB_COLOR, &CPeopleListGeneralPage::OnThumbColor) END_MESSAGE_MAP()

DialogTemplate CPeopleListGeneralPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "General");
    t.Add("Button", "Label", IDC_LABEL_GROUP, 7, 7, 241, 80, kGroupStyle)
        .Add("ComboBox", "", IDC_ALIGNMENT, 70, 20, 80, 60, kComboStyle)
        .Add("Static", "Alignment", IDC_ALIGNMENT_LABEL, 14, 22, 50, 8, kLabelStyle)
        .Add(CFontDataCtrl::kClassName, "", IDC_FONT, 14, 48, 226, 14, WS_VISIBLE | WS_TABSTOP)
        .Add("Static", "Font", IDC_FONT_LABEL, 14, 38, 50, 8, kLabelStyle)
        .Add("Button", "", IDC_FILL_COLOR, 110, 66, 40, 14, kColorStyle)
        .Add("Static", "Background Fill Color  ", IDC_FILL_COLOR_LABEL, 14, 69, 94, 8, kLabelStyle)
        .Add("Button", "Background", IDC_BACKGROUND_GROUP, 7, 94, 241, 34, kGroupStyle)
        .Add("Button", "Use Default Thumb Color", IDC_USE_DEFAULT_ART, 14, 108, 120, 10, kCheckStyle)
        .Add("Button", "", IDC_THUMB_COLOR, 140, 106, 40, 14, kColorStyle);
    return t;
}

CParameterSet* CPeopleListGeneralPage::Group() const
{
    return PageGroup(*this, "General");
}

BOOL CPeopleListGeneralPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = Group();
    AttachFontChooser(*this, m_font, IDC_FONT, group, "labelTextProps");
    BindCheckBoxInSet("useDefaultArt", IDC_USE_DEFAULT_ART, group, false);
    BindColorButtonInSet("labelColor", IDC_FILL_COLOR, m_fill, group, false);
    BindColorButtonInSet("thumbColor", IDC_THUMB_COLOR, m_thumb, group, false);
    EnableThumb();
    BindComboBoxInSet("labelAlign", IDC_ALIGNMENT, group, false);
    return TRUE;
}

// The thumb's own colour counts only while the built-in thumb colour is off.
void CPeopleListGeneralPage::EnableThumb()
{
    CParameterSet* group = Group();
    const CParameter* flag = group != nullptr ? group->FindParameter("useDefaultArt") : nullptr;
    const CParameter* colour = group != nullptr ? group->FindParameter("thumbColor") : nullptr;
    if (flag != nullptr)
        m_thumb.EnableWindow(!flag->GetBool() && colour != nullptr && colour->IsEnabled() ? TRUE : FALSE);
}

void CPeopleListGeneralPage::OnAlignment()
{
    CommitComboBoxInSet("labelAlign", IDC_ALIGNMENT, Group());
}

void CPeopleListGeneralPage::OnFillColor()
{
    if (Group() != nullptr && Group()->FindParameter("labelColor") != nullptr)
        OnColorButtonClicked("labelColor", m_fill, Group());
}

void CPeopleListGeneralPage::OnUseDefaultArt()
{
    if (StoreCheck(*this, IDC_USE_DEFAULT_ART, Group(), "useDefaultArt"))
        EnableThumb();
    NotifyOwnerChanged();
}

void CPeopleListGeneralPage::OnThumbColor()
{
    if (Group() != nullptr && Group()->FindParameter("thumbColor") != nullptr)
        OnColorButtonClicked("thumbColor", m_thumb, Group());
}

int CPeopleListGeneralPage::GetHelpContextId()
{
    switch (GetFocusedPageControlId()) {
    case IDC_FONT:
    case IDC_ALIGNMENT:
        return 2592;
    case IDC_USE_DEFAULT_ART:
    case IDC_FILL_COLOR:
    case IDC_THUMB_COLOR:
        return 2591;
    default:
        return 2590;
    }
}
