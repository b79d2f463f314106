#include "pages/FillBorderAppearancePage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageKit.h"

using namespace pages;

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

namespace {

bool Has(const CFieldPage& page, const char* key)
{
    return page.FieldSet() != nullptr && page.FieldSet()->FindParameter(key) != nullptr;
}

// The art or the imported file paints the component, so its own colours do not show. A
// component without those keys (a plain panel) has neither, and its colours are its own.
bool ColoursEditable(const CFieldPage& page)
{
    const CParameter* art = FindInComponent(page.GetRootSet(), "artEnabled");
    const CParameter* external = FindInComponent(page.GetRootSet(), "useExternalFile");
    return !(art != nullptr && art->GetBool()) && !(external != nullptr && external->GetBool());
}

// A component without the border switch always draws its border.
bool BorderShown(const CFieldPage& page)
{
    return !Has(page, "borderEnabled") || BoolOf(page.FieldSet(), "borderEnabled");
}

bool FillShown(const CFieldPage& page)
{
    return BoolOf(page.FieldSet(), "showFill");
}

std::vector<ParamField> Rows(bool displayOnly)
{
    using Page = CFillBorderAppearancePage;
    FieldPolicy hide;
    hide.hideMissing = true;
    auto border = [](ParamField row) { return WithHelp(EnabledWhen(std::move(row), BorderShown), 920); };
    auto fill = [](ParamField row) { return WithHelp(EnabledWhen(std::move(row), FillShown), 915); };
    return {
        WithHelp(CheckRow(Page::IDC_SHOW_BORDER, "borderEnabled", hide), 920),
        WithHelp(EnabledWhen(ColourRow(Page::IDC_BORDER_COLOR, "borderColor"),
                             [](const CFieldPage& page) {
                                 return !Has(page, "borderEnabled") ||
                                        (BorderShown(page) && ColoursEditable(page));
                             }),
                 920),
        border(WithCaptions(NumberRow(Page::IDC_BORDER_TRANS, displayOnly ? "transparency" : "borderTrans"),
                            {Page::IDC_BORDER_TRANS_LABEL})),
        border(WithCaptions(NumberRow(Page::IDC_WEIGHT, "borderThickness"), {Page::IDC_WEIGHT_LABEL})),
        WithHelp(CheckRow(Page::IDC_SHOW_FILL, "showFill", hide), 915),
        // The fill swatch is always drawn: grey when the component has no fill colour.
        WithHelp(EnabledWhen(ColourRow(Page::IDC_FILL_COLOR, "backColor"),
                             [](const CFieldPage& page) { return FillShown(page) && ColoursEditable(page); }),
                 915),
        fill(WithCaptions(NumberRow(Page::IDC_FILL_TRANS, "backTrans"), {Page::IDC_FILL_TRANS_LABEL})),
    };
}

} // namespace

CFillBorderAppearancePage::CFillBorderAppearancePage(bool displayOnly)
    : CFieldPage(
          "Appearance", [displayOnly](const CFieldPage&) { return MakeTemplate(displayOnly); },
          Rows(displayOnly), Topic(900))
{
}
