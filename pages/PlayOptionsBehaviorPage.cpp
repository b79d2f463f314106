#include "pages/PlayOptionsBehaviorPage.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SpinEdit.h"

#include <string>

using namespace pages;

BEGIN_MESSAGE_MAP(CPlayOptionsBehaviorPage, CFieldPage)
    .Control(CBN_SELCHANGE, IDC_DEFAULT, &CPlayOptionsBehaviorPage::OnSelectIdx) END_MESSAGE_MAP()

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

namespace {

std::vector<ParamField> Rows()
{
    using Page = CPlayOptionsBehaviorPage;
    std::vector<ParamField> rows = {
        VisibilityRow(VisibilityIdsOf<Page>()),
        CheckRow(Page::IDC_SHOW_SLIDER, "sliderEnabled"),
        CheckRow(Page::IDC_AUTO_REWIND, "autoRewind"),
        CheckRow(Page::IDC_AUTO_REPLAY, "autoReplay"),
        CheckRow(Page::IDC_SOUND, "soundEnabled"),
        CheckRow(Page::IDC_SHOW_REW_FWD, "ffwRewEnabled"),
        CheckRow(Page::IDC_SHOW_PREV_NEXT, "prevNextEnabled"),
        SpinRow(Page::IDC_PLAY_TIME, "playTime", {Page::IDC_PLAY_TIME_LABEL}),
    };
    for (std::size_t i = 1; i < rows.size(); ++i)
        rows[i].help = Topic(515);
    // The block's key and effect-duration controls fall to the page's default topic.
    rows[0].help = [](const CFieldPage& page) {
        switch (page.GetFocusedPageControlId()) {
        case Page::IDC_EFFECT:
        case Page::IDC_STATUS_LINK:
        case Page::IDC_STATUS_RANGE:
            return 510;
        default:
            return 520;
        }
    };
    return rows;
}

} // namespace

CPlayOptionsBehaviorPage::CPlayOptionsBehaviorPage()
    : CFieldPage("Behavior", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), Topic(520))
{
}

BOOL CPlayOptionsBehaviorPage::OnSetActive()
{
    ShowDefaultSelection();
    return CFieldPage::OnSetActive();
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
