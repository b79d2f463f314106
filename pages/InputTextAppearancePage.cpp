#include "pages/InputTextAppearancePage.h"

#include "pages/PageKit.h"
#include "pages/ScrollBehavior.h"
#include "propui/FontDataCtrl.h"

using namespace pages;

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
    FieldPolicy hide;
    hide.hideMissing = true;
    FieldPolicy font;
    font.fontKeepsDocumentColours = true;
    // Text that wraps never needs a horizontal scroll bar.
    ParamField wrap = WithHelp(CheckRow(Page::IDC_WRAP, "wordWrap", hide), 2803);
    wrap.afterStore = [](CFieldPage& page) {
        if (page.IsDlgButtonChecked(Page::IDC_WRAP) == BST_CHECKED)
            DisableHorizontalScroll(page.GetRootSet());
    };
    // A component without a scroll colour shows no scroll options at all, and the colour only
    // matters while a scroll bar can show (the Behavior tab decides).
    ParamField scroll = CheckedColourRow(Page::IDC_USE_SCROLL_COLOR, "useCustomScrollBarColor",
                                         Page::IDC_SCROLL_COLOR, "customScrollBarColor", hide);
    scroll.ids.push_back(Page::IDC_SCROLL_GROUP);
    return {
        WithHelp(ChoiceRow(Page::IDC_ALIGNMENT, "labelAlignment"), 2803),
        WithHelp(CheckedColourRow(Page::IDC_SHOW_FILL, "useCustomColor", Page::IDC_FILL_COLOR, "customColor"),
                 2801),
        WithHelp(NumberRow(Page::IDC_TRANSPARENCY, "backTrans"), 2801),
        wrap,
        EnabledWhen(
            WithHelp(scroll, 2802),
            [](const CFieldPage& page) { return ScrollBarsCanShow(page.GetRootSet()).value_or(true); }),
        WithHelp(FontRow(Page::IDC_FONT, {"labelTextFormat"}, {}, font), 2803),
    };
}

} // namespace

CInputTextAppearancePage::CInputTextAppearancePage()
    : CFieldPage(
          "Appearance", [](const CFieldPage&) { return MakeTemplate(); }, Rows(), Topic(2800))
{
}
