#include "pages/PlayOptionsBehaviorPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SpinEdit.h"

#include <string>

using namespace pages;

BEGIN_MESSAGE_MAP(CPlayOptionsBehaviorPage, CComponentPage)
    .Command(IDC_SHOW_SLIDER, &CPlayOptionsBehaviorPage::OnShowSlider)
    .Command(IDC_AUTO_REWIND, &CPlayOptionsBehaviorPage::OnAutoRewind)
    .Command(IDC_AUTO_REPLAY, &CPlayOptionsBehaviorPage::OnAutoReplay)
    .Command(IDC_SOUND, &CPlayOptionsBehaviorPage::OnSoundEnabled)
    .Command(IDC_SHOW_REW_FWD, &CPlayOptionsBehaviorPage::OnShowRewFwd)
    .Command(IDC_SHOW_PREV_NEXT, &CPlayOptionsBehaviorPage::OnShowPrevNext)
    .Command(IDC_STATUS_LINK, &CPlayOptionsBehaviorPage::OnDisplayStatus)
    .Control(CBN_SELCHANGE, IDC_EFFECT, &CPlayOptionsBehaviorPage::OnIntroStyle)
    .Command(IDC_KEY_LINK, &CPlayOptionsBehaviorPage::OnDisplayKeyLink)
    .Control(CBN_SELCHANGE, IDC_DEFAULT, &CPlayOptionsBehaviorPage::OnSelectIdx)
    .Message(WM_INPLACE_NOTIFY, &CPlayOptionsBehaviorPage::OnEditCommitted) END_MESSAGE_MAP()

DialogTemplate CPlayOptionsBehaviorPage::MakeTemplate()
{
    CSpinEdit::RegisterClass();
    DialogTemplate t = PageTemplate(IDD, "Behavior");
    t.Add("Button", "Dynamic Visibility", IDC_VISIBILITY_GROUP, 7, 4, 241, 78, kGroupStyle)
        .Add("Static", "Display Status:", IDC_STATUS_LABEL, 14, 18, 78, 8, kLabelStyle)
        .Add("Edit", "", IDC_STATUS_RANGE, 94, 16, 126, 13, kRangeStyle)
        .Add("Button", "...", IDC_STATUS_LINK, 224, 16, 18, 13, kTab)
        .Add("Static", "Display Status Key:", IDC_KEY_LABEL, 14, 34, 78, 8, kLabelStyle)
        .Add("Edit", "", IDC_KEY, 94, 32, 126, 13, kEditStyle)
        .Add("Button", "...", IDC_KEY_LINK, 224, 32, 18, 13, kTab)
        .Add("Static", "Entry Effect", IDC_EFFECT_LABEL, 14, 50, 78, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_EFFECT, 94, 48, 90, 70, kComboStyle)
        .Add("Static", "Effect Duration", IDC_DURATION_LABEL, 14, 66, 78, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_DURATION, 94, 64, 44, 13, kTab)
        .Add("Button", "Play Options", IDC_PLAY_GROUP, 7, 86, 241, 62, kGroupStyle)
        .Add("Button", "Show Slider", IDC_SHOW_SLIDER, 14, 98, 74, 10, kCheckStyle)
        .Add("Button", "Auto Rewind", IDC_AUTO_REWIND, 92, 98, 70, 10, kCheckStyle)
        .Add("Button", "Auto Replay", IDC_AUTO_REPLAY, 166, 98, 76, 10, kCheckStyle)
        .Add("Button", "Sound Enabled", IDC_SOUND, 14, 112, 74, 10, kCheckStyle)
        .Add("Button", "Show Rew/Fwd", IDC_SHOW_REW_FWD, 92, 112, 70, 10, kCheckStyle)
        .Add("Button", "Show Prev/Next", IDC_SHOW_PREV_NEXT, 166, 112, 76, 10, kCheckStyle)
        .Add("Static", "Play Time", IDC_PLAY_TIME_LABEL, 14, 130, 78, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_PLAY_TIME, 94, 128, 44, 13, kTab)
        .Add("Button", "Default Options", IDC_DEFAULT_GROUP, 7, 152, 241, 30, kGroupStyle)
        .Add("Static", "Default Selection:", IDC_DEFAULT_LABEL, 14, 166, 78, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_DEFAULT, 94, 164, 120, 80, kComboStyle);
    return t;
}

CParameterSet* CPlayOptionsBehaviorPage::Group() const
{
    return PageGroup(*this, "Behavior");
}

BOOL CPlayOptionsBehaviorPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    CParameterSet* group = Group();
    const std::pair<const char*, int> boxes[] = {
        {"sliderEnabled", IDC_SHOW_SLIDER}, {"autoRewind", IDC_AUTO_REWIND},  {"autoReplay", IDC_AUTO_REPLAY},
        {"soundEnabled", IDC_SOUND},        {"ffwRewEnabled", IDC_SHOW_REW_FWD}, {"prevNextEnabled", IDC_SHOW_PREV_NEXT},
    };
    for (const auto& [key, id] : boxes)
        BindCheckBoxInSet(key, id, group, false);
    m_visibility.Attach(*this, group,
                        {IDC_STATUS_RANGE, IDC_STATUS_LINK, IDC_STATUS_LABEL, IDC_KEY, IDC_KEY_LINK, IDC_KEY_LABEL,
                         IDC_EFFECT, IDC_EFFECT_LABEL, IDC_DURATION, IDC_DURATION_LABEL});
    return TRUE;
}

BOOL CPlayOptionsBehaviorPage::OnSetActive()
{
    m_visibility.ShowEffect();
    if (auto* spin = dynamic_cast<CSpinEdit*>(GetDlgItem(IDC_PLAY_TIME))) {
        const bool bound = spin->BindParameter(Group()->FindParameter("playTime"), [this] { NotifyOwnerChanged(); },
                                               GetDialogFont(), false, false);
        EnableItems(*this, {IDC_PLAY_TIME_LABEL}, bound);
    }
    ShowDefaultSelection();
    return CComponentPage::OnSetActive();
}

void CPlayOptionsBehaviorPage::SetBoolFromCheckBox(const char* key, int checkId)
{
    CParameter* flag = Group()->FindParameter(key);
    if (flag == nullptr)
        return;
    flag->SetBool(IsDlgButtonChecked(checkId) == BST_CHECKED, false);
    NotifyOwnerChanged();
}

void CPlayOptionsBehaviorPage::ShowDefaultSelection()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_DEFAULT));
    const CParameter* index = FindSelectIndex(GetRootSet());
    if (index != nullptr) {
        combo->ResetContent();
        const CParameter* source = ValueOf(FindInComponent(GetRootSet(), "sourceCells_ary"));
        const std::string unit = ChoiceText(FindInComponent(GetRootSet(), "playBy"));
        int count = IsElementList(source) ? source->GetElementCount() : 0;
        // Playing by columns goes through the cells of a row.
        if (unit == "column" && count > 0 && IsElementList(source->GetElement(0)))
            count = source->GetElement(0)->GetElementCount();
        auto item = [&unit](int number) {
            return unit.empty() ? std::to_string(number) : unit + " " + std::to_string(number);
        };
        for (int i = 1; i <= count; ++i)
            combo->AddString(item(i).c_str());
        SelectPrefix(*combo, item(index->GetInt() + 1));
    }
    EnableItems(*this, {IDC_DEFAULT}, combo->GetCount() > 1);
}

void CPlayOptionsBehaviorPage::OnSelectIdx()
{
    const int selected = static_cast<CComboBox*>(GetDlgItem(IDC_DEFAULT))->GetCurSel();
    if (CParameter* index = FindSelectIndex(GetRootSet()); index != nullptr && selected >= 0)
        index->SetInt(selected, false);
    NotifyOwnerChanged();
}

LRESULT CPlayOptionsBehaviorPage::OnEditCommitted(WPARAM, LPARAM lParam)
{
    return m_visibility.OnCommit(static_cast<int>(lParam)) ? 1 : 0;
}

int CPlayOptionsBehaviorPage::GetHelpContextId()
{
    switch (GetFocusedPageControlId()) {
    case IDC_EFFECT:
    case IDC_STATUS_LINK:
    case IDC_STATUS_RANGE:
        return 510;
    case IDC_SHOW_SLIDER:
    case IDC_AUTO_REWIND:
    case IDC_AUTO_REPLAY:
    case IDC_SOUND:
    case IDC_SHOW_REW_FWD:
    case IDC_SHOW_PREV_NEXT:
    case IDC_PLAY_TIME:
        return 515;
    default:
        return 520;
    }
}
