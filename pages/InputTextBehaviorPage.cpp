#include "pages/InputTextBehaviorPage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"

using namespace pages;

namespace {

constexpr const char* kTextAreaSymbol = "KVTextAreaInputSymbol";

} // namespace

BEGIN_MESSAGE_MAP(CInputTextBehaviorPage, CLabelBehaviorPage)
    .Command(IDC_HTML, &CInputTextBehaviorPage::OnHtml)
    .Command(IDC_PASSWORD, &CInputTextBehaviorPage::OnPassword)
    .Command(IDC_USE_MAX_CHARS, &CInputTextBehaviorPage::OnUseMaxChars)
    .Command(IDC_RESTRICT_LINK, &CInputTextBehaviorPage::OnRestrictLink)
    .Message(WM_INPLACE_NOTIFY, &CInputTextBehaviorPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

DialogTemplate CInputTextBehaviorPage::MakeTemplate(bool textArea)
{
    // Each layout hides what its component does not have, in the place the other one uses.
    const DWORD areaOnly = textArea ? 0 : WS_VISIBLE;
    const DWORD inputOnly = textArea ? WS_VISIBLE : 0;
    DialogTemplate t = CCommonBehaviorPage::MakeTemplate();
    t.id = textArea ? IDD_TEXT_AREA : IDD_INPUT;
    t.Add("Button", "Behavior Options", IDC_OPTIONS_GROUP, 7, 120, 241, textArea ? 76 : 48, kGroupStyle)
        .Add("Button", "HTML", IDC_HTML, 14, 133, 70, 10, kCheckStyle & ~areaOnly)
        .Add("Edit", "", IDC_MAX_CHARS, 196, 131, 44, 13, kEditStyle);
    AddScrollGroups(t, 14, 146, 227);
    for (auto& item : t.items)
        if (item.id >= IDC_H_ENABLE && item.id <= IDC_V_GROUP)
            item.style &= ~areaOnly;
    t.Add("Static", "Characters Allowed ", IDC_RESTRICT_LABEL, 14, 151, 80, 8, kLabelStyle & ~inputOnly)
        .Add("Edit", "", IDC_RESTRICT, 98, 149, 122, 13, kEditStyle & ~inputOnly)
        .Add("Button", "...", IDC_RESTRICT_LINK, 224, 149, 16, 13, kTab & ~inputOnly)
        .Add("Button", "Password Input", IDC_PASSWORD, 14, 133, 80, 10, kCheckStyle & ~inputOnly)
        .Add("Button", "Maximum Characters", IDC_USE_MAX_CHARS, 98, 133, 94, 10, kCheckStyle);
    return t;
}

BOOL CInputTextBehaviorPage::Create(CParameterSet* group, const std::string& title, bool modal,
                                    IPropertyOwner* owner, CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    Construct(MakeTemplate(GetOwnerComponentType() == kTextAreaSymbol));
    return TRUE;
}

BOOL CInputTextBehaviorPage::OnInitDialog()
{
    CLabelBehaviorPage::OnInitDialog();
    BindCheckBox("html", IDC_HTML, false);
    BindCheckBox("password", IDC_PASSWORD, false);
    CLinkedValueEdit::Policy policy;
    policy.emptyOnClear = true;
    m_restrict.Attach(*this, GetGroup()->FindParameter("restrict"), IDC_RESTRICT, IDC_RESTRICT_LINK, policy);
    if (m_restrict.Parameter() == nullptr)
        EnableItems(*this, {IDC_RESTRICT_LABEL}, false);
    return TRUE;
}

BOOL CInputTextBehaviorPage::OnSetActive()
{
    m_maxChars.Attach(*this, GetGroup()->FindParameter("maxChars"), IDC_MAX_CHARS);
    if (BindCheckBox("useMaxChars", IDC_USE_MAX_CHARS, false))
        m_maxChars.Enable(BoolOf(GetGroup(), "useMaxChars"));
    return CLabelBehaviorPage::OnSetActive();
}

bool CInputTextBehaviorPage::WrapsText() const
{
    // The text inputs keep "wordWrap" in one of their groups (Behavior or Appearance).
    const CParameter* wrap = FindInComponent(GetRootSet(), "wordWrap");
    return wrap != nullptr && wrap->GetBool();
}

void CInputTextBehaviorPage::StoreFlag(int checkId, const char* key)
{
    if (StoreCheck(*this, checkId, GetGroup(), key))
        NotifyOwnerChanged();
}

void CInputTextBehaviorPage::OnHtml()
{
    StoreFlag(IDC_HTML, "html");
}

void CInputTextBehaviorPage::OnPassword()
{
    StoreFlag(IDC_PASSWORD, "password");
}

void CInputTextBehaviorPage::OnUseMaxChars()
{
    if (StoreCheck(*this, IDC_USE_MAX_CHARS, GetGroup(), "useMaxChars")) {
        m_maxChars.Enable(IsDlgButtonChecked(IDC_USE_MAX_CHARS) == BST_CHECKED);
        NotifyOwnerChanged();
    }
}

LRESULT CInputTextBehaviorPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    const int standsFor = static_cast<int>(lParam);
    return m_restrict.OnCommit(standsFor) || m_maxChars.OnCommit(standsFor) ? 1 : 0;
}

int CInputTextBehaviorPage::GetHelpContextId()
{
    const bool input = GetOwnerComponentType() == "KVInputTextSymbol";
    const int focused = GetFocusedPageControlId();
    if (m_horizontal.Owns(focused))
        return 2793;
    if (m_vertical.Owns(focused))
        return 2792;
    switch (focused) {
    case IDC_HTML:
    case IDC_RESTRICT:
    case IDC_RESTRICT_LINK:
    case IDC_MAX_CHARS:
    case IDC_PASSWORD:
    case IDC_USE_MAX_CHARS:
        return input ? 2826 : 2791;
    case IDC_DURATION:
    case IDC_STATUS_LINK:
    case IDC_EFFECT:
        return 890;
    default:
        return input ? 2825 : 2790;
    }
}
