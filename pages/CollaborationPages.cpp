#include "pages/CollaborationPages.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/PageKit.h"

using namespace pages;

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
        CheckedColourRow(Page::IDC_USE_ERROR, "useCustomErrorColor", Page::IDC_ERROR_COLOR,
                         "customErrorColor", colour),
        CheckedColourRow(Page::IDC_USE_DEFAULT, "useCustomDefaultColor", Page::IDC_DEFAULT_COLOR,
                         "customDefaultColor", colour),
        CheckedColourRow(Page::IDC_USE_GOOD, "useCustomGoodColor", Page::IDC_GOOD_COLOR, "customGoodColor",
                         good),
    };
}

} // namespace

CConnectionLightGeneralPage::CConnectionLightGeneralPage()
    : CFieldPage(
          "General", [](const CFieldPage&) { return MakeTemplate(); }, ConnectionLightRows(), Topic(2625))
{
}

// ---- Login General ----

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

namespace {

std::vector<ParamField> LoginGeneralRows()
{
    using Page = CLoginGeneralPage;
    ParamField label = LinkedRow(Page::IDC_BUTTON_LABEL, Page::IDC_BUTTON_LABEL_LINK, "buttonLabel");
    label.ids.push_back(Page::IDC_BUTTON_LABEL_LABEL);
    // Exact texts only: a value in other letters names no kind the movie knows.
    return {
        WithHelp(RadioRow({Page::IDC_BOTH, Page::IDC_USERNAME, Page::IDC_PASSWORD}, "loginType",
                          {"usernameAndPassword", "username", "password"}),
                 2602),
        WithHelp(std::move(label), 2601),
    };
}

} // namespace

CLoginGeneralPage::CLoginGeneralPage()
    : CFieldPage(
          "General", [](const CFieldPage&) { return MakeTemplate(); }, LoginGeneralRows(), Topic(2600))
{
}

// ---- Login Appearance ----

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

namespace {

std::vector<ParamField> LoginAppearanceRows()
{
    using Page = CLoginAppearancePage;
    FieldPolicy switched;
    switched.offWithoutSwitch = true;
    return {
        WithHelp(FontRow(Page::IDC_INPUT_FONT, {"labelTextFormat"}), 2622),
        WithHelp(FontRow(Page::IDC_BUTTON_FONT, {"buttonLabelTextFormat"}), 2622),
        WithHelp(CheckedColourRow(Page::IDC_USE_INPUT_COLOR, "useCustomInputColor", Page::IDC_INPUT_COLOR,
                                  "customInputColor", switched),
                 2621),
        WithHelp(CheckedColourRow(Page::IDC_USE_BUTTON_COLOR, "useCustomButtonColor", Page::IDC_BUTTON_COLOR,
                                  "customButtonColor", switched),
                 2621),
    };
}

} // namespace

CLoginAppearancePage::CLoginAppearancePage()
    : CFieldPage(
          "Appearance", [](const CFieldPage&) { return MakeTemplate(); }, LoginAppearanceRows(), Topic(2620))
{
}

// ---- People list ----

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

namespace {

std::vector<ParamField> PeopleListRows()
{
    using Page = CPeopleListGeneralPage;
    // The thumb's own colour counts only while the built-in thumb colour is off.
    auto ownThumb = [](const CFieldPage& page) {
        const CParameterSet* set = page.FieldSet();
        const CParameter* flag = set != nullptr ? set->FindParameter("useDefaultArt") : nullptr;
        return flag == nullptr || !flag->GetBool();
    };
    return {
        WithHelp(FontRow(Page::IDC_FONT, {"labelTextProps"}), 2592),
        WithHelp(CheckRow(Page::IDC_USE_DEFAULT_ART, "useDefaultArt"), 2591),
        WithHelp(ColourRow(Page::IDC_FILL_COLOR, "labelColor"), 2591),
        EnabledWhen(WithHelp(ColourRow(Page::IDC_THUMB_COLOR, "thumbColor"), 2591), ownThumb),
        WithHelp(ChoiceRow(Page::IDC_ALIGNMENT, "labelAlign"), 2592),
    };
}

} // namespace

CPeopleListGeneralPage::CPeopleListGeneralPage()
    : CFieldPage(
          "General", [](const CFieldPage&) { return MakeTemplate(); }, PeopleListRows(), Topic(2590))
{
}
