#include "pages/FillBorderAppearancePage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"

using namespace pages;

BEGIN_MESSAGE_MAP(CFillBorderAppearancePage, CComponentPage)
    .Command(IDC_SHOW_BORDER, &CFillBorderAppearancePage::OnShowBorder)
    .Command(IDC_SHOW_FILL, &CFillBorderAppearancePage::OnShowFill)
    .Command(IDC_BORDER_COLOR, &CFillBorderAppearancePage::OnBorderColor)
    .Command(IDC_FILL_COLOR, &CFillBorderAppearancePage::OnFillColor)
    .Message(WM_INPLACE_NOTIFY, &CFillBorderAppearancePage::OnInPlaceEditCommit) END_MESSAGE_MAP()

DialogTemplate CFillBorderAppearancePage::MakeTemplate(bool displayOnly)
{
    // Both layouts hold every control, so the page's code is one; the play layout hides what
    // it does not edit.
    const DWORD hidden = displayOnly ? WS_VISIBLE : 0;
    DialogTemplate t = PageTemplate(displayOnly ? IDD_DISPLAY : IDD_BORDER_FILL, "Appearance");
    t.Add("Button", displayOnly ? "Display" : "Border", IDC_BORDER_GROUP, 7, 7, 241, 64, kGroupStyle)
        .Add("Button", "Background", IDC_FILL_GROUP, 7, 78, 241, 48, kGroupStyle & ~hidden)
        .Add("Button", "Show Border", IDC_SHOW_BORDER, 14, 22, 80, 10, kCheckStyle & ~hidden)
        .Add("Button", "", IDC_BORDER_COLOR, 100, 20, 40, 14, kColorStyle & ~hidden)
        .Add("Static", "Transparency", IDC_BORDER_TRANS_LABEL, displayOnly ? 14 : 150, displayOnly ? 24 : 42, 50, 8,
             kLabelStyle)
        .Add("Edit", "", IDC_BORDER_TRANS, displayOnly ? 70 : 204, displayOnly ? 22 : 40, 36, 13, kEditStyle)
        .Add("Edit", "", IDC_WEIGHT, 100, 40, 36, 13, kEditStyle & ~hidden)
        .Add("Static", "Weight", IDC_WEIGHT_LABEL, 14, 42, 60, 8, kLabelStyle & ~hidden)
        .Add("Button", "Show Fill", IDC_SHOW_FILL, 14, 93, 80, 10, kCheckStyle & ~hidden)
        .Add("Button", "", IDC_FILL_COLOR, 100, 91, 40, 14, kColorStyle & ~hidden)
        .Add("Static", "Transparency", IDC_FILL_TRANS_LABEL, 150, 108, 50, 8, kLabelStyle & ~hidden)
        .Add("Edit", "", IDC_FILL_TRANS, 204, 106, 36, 13, kEditStyle & ~hidden);
    return t;
}

BOOL CFillBorderAppearancePage::Create(CParameterSet* group, const std::string& title, bool modal,
                                       IPropertyOwner* owner, CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    Construct(MakeTemplate(m_displayOnly));
    return TRUE;
}

BOOL CFillBorderAppearancePage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = GetGroup();
    if (group->FindParameter("borderColor") != nullptr)
        BindColorButton("borderColor", IDC_BORDER_COLOR, m_borderColor, false);
    // The fill swatch is always drawn: grey when the component has no fill colour.
    BindColorButton("backColor", IDC_FILL_COLOR, m_fillColor, false);
    BindCheckBox("borderEnabled", IDC_SHOW_BORDER, true);
    BindCheckBox("showFill", IDC_SHOW_FILL, true);
    return TRUE;
}

BOOL CFillBorderAppearancePage::OnSetActive()
{
    CParameterSet* group = GetGroup();
    m_firstTrans.Attach(*this, group->FindParameter(m_displayOnly ? "transparency" : "borderTrans"), IDC_BORDER_TRANS);
    m_weight.Attach(*this, group->FindParameter("borderThickness"), IDC_WEIGHT);
    m_fillTrans.Attach(*this, group->FindParameter("backTrans"), IDC_FILL_TRANS);
    if (group->FindParameter("borderEnabled") != nullptr)
        ApplyBorderState(IsDlgButtonChecked(IDC_SHOW_BORDER) == BST_CHECKED, false);
    ApplyFillState(IsDlgButtonChecked(IDC_SHOW_FILL) == BST_CHECKED);
    return CComponentPage::OnSetActive();
}

bool CFillBorderAppearancePage::ColoursEditable() const
{
    // The art or the imported file paints the component, so its own colours do not show. A
    // component without those keys (a plain panel) has neither, and its colours are its own.
    const CParameter* art = FindInComponent(GetRootSet(), "artEnabled");
    const CParameter* external = FindInComponent(GetRootSet(), "useExternalFile");
    return !(art != nullptr && art->GetBool()) && !(external != nullptr && external->GetBool());
}

void CFillBorderAppearancePage::ApplyBorderState(bool checked, bool fromClick)
{
    // A click that shows the border enables its colour where the rule allows and otherwise
    // leaves it; the opening sets it by the rule either way.
    if (m_borderColor.GetSafeHwnd() != nullptr) {
        if (!checked)
            m_borderColor.EnableWindow(FALSE);
        else if (ColoursEditable())
            m_borderColor.EnableWindow(TRUE);
        else if (!fromClick)
            m_borderColor.EnableWindow(FALSE);
    }
    m_firstTrans.Enable(checked);
    m_weight.Enable(checked);
    EnableItems(*this, {IDC_WEIGHT_LABEL, IDC_BORDER_TRANS_LABEL}, checked);
}

void CFillBorderAppearancePage::ApplyFillState(bool checked)
{
    m_fillTrans.Enable(checked);
    EnableItems(*this, {IDC_FILL_TRANS_LABEL}, checked);
    m_fillColor.EnableWindow(checked && ColoursEditable() && GetGroup()->FindParameter("backColor") != nullptr);
}

void CFillBorderAppearancePage::OnShowBorder()
{
    const bool checked = IsDlgButtonChecked(IDC_SHOW_BORDER) == BST_CHECKED;
    ApplyBorderState(checked, true);
    if (CParameter* enabled = GetGroup()->FindParameter("borderEnabled")) {
        enabled->SetBool(checked);
        NotifyOwnerChanged();
    }
}

void CFillBorderAppearancePage::OnShowFill()
{
    const bool checked = IsDlgButtonChecked(IDC_SHOW_FILL) == BST_CHECKED;
    ApplyFillState(checked);
    if (CParameter* fill = GetGroup()->FindParameter("showFill")) {
        fill->SetBool(checked);
        NotifyOwnerChanged();
    }
}

void CFillBorderAppearancePage::OnBorderColor()
{
    if (m_borderColor.GetSafeHwnd() != nullptr && GetGroup()->FindParameter("borderColor") != nullptr)
        OnColorButtonClicked("borderColor", m_borderColor, GetGroup());
}

void CFillBorderAppearancePage::OnFillColor()
{
    if (GetGroup()->FindParameter("backColor") != nullptr)
        OnColorButtonClicked("backColor", m_fillColor, GetGroup());
}

LRESULT CFillBorderAppearancePage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    const int standsFor = static_cast<int>(lParam);
    return m_firstTrans.OnCommit(standsFor) || m_weight.OnCommit(standsFor) || m_fillTrans.OnCommit(standsFor);
}

int CFillBorderAppearancePage::GetHelpContextId()
{
    switch (GetFocusedPageControlId()) {
    case IDC_SHOW_FILL:
    case IDC_FILL_COLOR:
    case IDC_FILL_TRANS:
        return 915;
    case IDC_SHOW_BORDER:
    case IDC_BORDER_COLOR:
    case IDC_BORDER_TRANS:
    case IDC_WEIGHT:
        return 920;
    default:
        return 900;
    }
}
