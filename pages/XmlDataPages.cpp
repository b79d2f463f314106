#include "pages/XmlDataPages.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SpinEdit.h"

using namespace pages;

// ---- Behavior ----

namespace {

std::vector<ParamField> BehaviorRows()
{
    using Page = CXMLDataBehaviorPage;
    FieldPolicy policy;
    // The stage shows every component whatever its visibility cell holds.
    policy.republishStatus = false;
    // The interval matters only while the connection refreshes by itself.
    auto automatic = [](const CFieldPage& page) { return BoolOf(page.FieldSet(), "refreshAuto"); };
    return {
        WithEffectHelp(TypedVisibilityRow(VisibilityIdsOf<Page>(), policy)),
        WithHelp(CheckRow(Page::IDC_REFRESH_LOAD, "refreshLoad"), 2338),
        WithHelp(CheckRow(Page::IDC_REFRESH_AUTO, "refreshAuto"), 2338),
        EnabledWhen(
            WithHelp(SpinRow(Page::IDC_INTERVAL, "refreshInterval", {Page::IDC_INTERVAL_LABEL}), 2338),
            automatic),
    };
}

} // namespace

CXMLDataBehaviorPage::CXMLDataBehaviorPage()
    : CFieldPage(
          "Behavior", [](const CFieldPage&) { return MakeTemplate(); }, BehaviorRows(), Topic(2336))
{
}

DialogTemplate CXMLDataBehaviorPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Behavior");
    t.Add("Button", "Dynamic Visibility", IDC_VISIBILITY_GROUP, 7, 7, 241, 62, kGroupStyle)
        .Add("Edit", "", IDC_STATUS_RANGE, 98, 22, 122, 13, kRangeStyle)
        .Add("Button", "...", IDC_STATUS_LINK, 224, 22, 16, 13, kTab)
        .Add("Static", "Entry Effect", IDC_EFFECT_LABEL, 14, 84, 70, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_EFFECT, 98, 82, 100, 70, kComboStyle)
        .Add("Static", "Effect Duration", IDC_DURATION_LABEL, 14, 104, 70, 8, kLabelStyle)
        .Add("Edit", "", IDC_DURATION, 98, 102, 40, 13, kEditStyle)
        .Add("Edit", "", IDC_KEY, 98, 44, 122, 13, kEditStyle)
        .Add("Static", "Display Status:", IDC_STATUS_LABEL, 14, 24, 76, 8, kLabelStyle)
        .Add("Static", "Display Status Key:", IDC_KEY_LABEL, 14, 46, 76, 8, kLabelStyle)
        .Add("Button", "...", IDC_KEY_LINK, 224, 44, 16, 13, kTab)
        .Add("Button", "Refresh Options", IDC_REFRESH_GROUP, 7, 124, 241, 62, kGroupStyle)
        .Add("Button", "Refresh On Load", IDC_REFRESH_LOAD, 14, 138, 100, 10, kCheckStyle)
        .Add("Button", "Refresh On Interval", IDC_REFRESH_AUTO, 14, 154, 100, 10, kCheckStyle)
        .Add("Static", "Refresh Interval ", IDC_INTERVAL_LABEL, 14, 170, 76, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "", IDC_INTERVAL, 98, 168, 50, 13, kTab);
    return t;
}

// ---- Appearance ----

DialogTemplate CXMLDataAppearancePage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Appearance");
    t.Add("Button", "Label", IDC_LABEL_GROUP, 7, 7, 241, 62, kGroupStyle)
        .Add("ComboBox", "", IDC_POSITION, 70, 20, 80, 60, kComboStyle)
        .Add("Static", "Position", IDC_POSITION_LABEL, 14, 22, 50, 8, kLabelStyle)
        .Add(CSpinEdit::kClassName, "", IDC_TRANSPARENCY, 70, 84, 50, 13, kTab)
        .Add("Static", "Transparency", IDC_TRANSPARENCY_LABEL, 14, 86, 54, 8, kLabelStyle)
        .Add("Button", "Background", IDC_BACKGROUND_GROUP, 7, 74, 241, 50, kGroupStyle)
        .Add(CFontDataCtrl::kClassName, "", IDC_FONT, 14, 48, 226, 14, WS_VISIBLE | WS_TABSTOP)
        .Add("Static", "Font", IDC_FONT_LABEL, 14, 38, 50, 8, kLabelStyle)
        .Add("Button", "", IDC_COLOR, 200, 102, 40, 14, kColorStyle)
        .Add("Button", "Show Custom Color", IDC_USE_COLOR, 14, 104, 100, 10, kCheckStyle);
    return t;
}

namespace {

std::vector<ParamField> AppearanceRows()
{
    using Page = CXMLDataAppearancePage;
    FieldPolicy hide;
    hide.hideMissing = true;
    return {
        WithHelp(FontRow(Page::IDC_FONT, {"labelTextFormat"}), 2341),
        WithHelp(ChoiceRow(Page::IDC_POSITION, "labelAlignment"), 2341),
        WithHelp(CheckedColourRow(Page::IDC_USE_COLOR, "useCustomColor", Page::IDC_COLOR, "customColor"),
                 2340),
        WithHelp(SpinRow(Page::IDC_TRANSPARENCY, "transparency", {Page::IDC_TRANSPARENCY_LABEL}, hide), 2340),
    };
}

} // namespace

CXMLDataAppearancePage::CXMLDataAppearancePage()
    : CFieldPage(
          "Appearance", [](const CFieldPage&) { return MakeTemplate(); }, AppearanceRows(), Topic(2339))
{
}
